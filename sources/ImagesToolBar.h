// The image tool bar ("Image Tools", tool-bar resource 310): showing and moving the page image, the
// transformation tools, the copy region and the eraser pair.
#pragma once
#include "Framework.h"

class CImageToolBar : public CMFCToolBar {
  DECLARE_SERIAL(CImageToolBar)
 public:
  CImageToolBar() = default;
  // Creates the bar along the left of `parent` and loads its resource; FALSE when either fails.
  BOOL Create(CWnd* parent);
};
