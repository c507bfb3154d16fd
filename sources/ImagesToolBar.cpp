#include "ImagesToolBar.h"

#include "DrawingToolsBar.h"
#include "ErrorLog.h"
#include "resource.h"

IMPLEMENT_SERIAL(CImageToolBar, CMFCToolBar, 1)

BOOL CImageToolBar::Create(CWnd* parent) {
  DEF_TRY
  return CreateResourceToolBar(*this, parent, IDR_IMAGE_TOOLS, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT);
  DEF_CATCH("CImageToolBar::Create")
  return FALSE;
}
