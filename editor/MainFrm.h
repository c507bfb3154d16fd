// The editor's main window: the single-document frame around the view.
#pragma once
#include "Framework.h"

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame();
  // Shows the frame only while the application lets it (a batch run keeps it hidden).
  void ActivateFrame(int nCmdShow = -1) override;
};
