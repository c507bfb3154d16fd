// The view's commands on the active page's image: flip, mirror, invert, brightness and contrast
// through the imaging dialogs, rotation by quarter turns or by the rotation dialog, resolution and
// resize through their dialogs, the reference points and straightening along them, crop and the two
// colour corrections of the "Do transformation" command.
#include <cmath>

#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "ImageResolution.h"
#include "LDialog.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "PageCommands.h"
#include "ResizeDlg.h"
#include "TranspImage.h"
#include "UndoCommands.h"
#include "resource.h"

namespace {

enum { kModeTextField = 1, kModeCrop = 3, kModeRotation = 4, kModeWhite = 19, kModeBlack = 20 };

const double kPi = 3.14159265358979323846;

// A page-pixel length in image pixels: length x image dpi / screen dpi in floating point; a resolution
// of 0 counts as one image pixel per page pixel.
long PageToImageLength(long length, int imageDpi, int screenDpi) {
  if (imageDpi <= 0 || screenDpi <= 0) return length;
  return std::lround(static_cast<double>(length) * imageDpi / screenDpi);
}

}  // namespace

// ---- Dialog-free edits ----

void CFolimarView::AfterPageImageEdit() {
  ClearScaledPageCache();
  Invalidate(TRUE);
}

void CFolimarView::RunPageImageEdit(BOOL (CFolimarDoc::*edit)(int)) {
  CFolimarDoc* doc = GetDocument();
  if (doc != nullptr) (doc->*edit)(m_activePage);
  AfterPageImageEdit();
}

void CFolimarView::OnImageFlip() {
  DEF_TRY
  RunPageImageEdit(&CFolimarDoc::FlipImage);
  DEF_CATCH("CFolimarView::OnImageFlip")
}

void CFolimarView::OnImageReverse() {
  DEF_TRY
  RunPageImageEdit(&CFolimarDoc::ReverseImage);
  DEF_CATCH("CFolimarView::OnImageReverse")
}

void CFolimarView::OnImageInvert() {
  DEF_TRY
  RunPageImageEdit(&CFolimarDoc::InvertImage);
  DEF_CATCH("CFolimarView::OnImageInvert")
}

// ---- Brightness and contrast ----

// The imaging colour dialog on a copy of the page bitmap; TRUE with the change the user chose.
BOOL CFolimarView::AskColourChange(BOOL contrast, int& change) {
  CFolimarDoc* doc = GetDocument();
  LMyBitmap* page = doc != nullptr ? doc->GetCurrentBitmap(m_activePage) : nullptr;
  if (page == nullptr) return FALSE;
  LBitmapBase copy;
  if (copy.Copy(*page) != SUCCESS) return FALSE;
  LDialogColor dialog;
  if (LDialogBase::Initialize(1) != SUCCESS) return FALSE;
  BOOL done = FALSE;
  dialog.SetBitmap(&copy);
  dialog.EnableCallBack(0);
  dialog.EnablePreview(1);
  dialog.EnableAutoProcess(1);
  dialog.EnableToolbar(1);
  if (contrast) {
    CONTRASTDLGPARAMS params = {};
    params.uStructSize = sizeof(params);
    done = dialog.SetContrastParams(&params) == SUCCESS && dialog.DoModalContrast(m_hWnd) > 0 &&
           dialog.GetContrastParams(&params) == SUCCESS;
    change = params.nChange;
  } else {
    BRIGHTNESSDLGPARAMS params = {};
    params.uStructSize = sizeof(params);
    done = dialog.SetBrightnessParams(&params) == SUCCESS && dialog.DoModalBrightness(m_hWnd) > 0 &&
           dialog.GetBrightnessParams(&params) == SUCCESS;
    change = params.nChange;
  }
  return LDialogBase::Free() == SUCCESS && done;
}

void CFolimarView::OnImageBrightness() {
  DEF_TRY
  int change = 0;
  if (!AskColourChange(FALSE, change)) return;
  GetDocument()->SetImageBrightness(m_activePage, change);
  AfterPageImageEdit();
  DEF_CATCH("CFolimarView::OnImageBrightness")
}

void CFolimarView::OnImageContrast() {
  DEF_TRY
  int change = 0;
  if (!AskColourChange(TRUE, change)) return;
  GetDocument()->SetImageContrast(m_activePage, change);
  AfterPageImageEdit();
  DEF_CATCH("CFolimarView::OnImageContrast")
}

// ---- Rotation ----

int CFolimarView::GetRotateAngleFromDialog(LBitmapBase* bitmap, int& angle) {
  DEF_TRY
  LDialogImage dialog;
  int result = LDialogBase::Initialize(1);
  if (result != SUCCESS) return result;
  dialog.SetBitmap(bitmap);
  ROTATEDLGPARAMS params = {};
  params.uStructSize = sizeof(params);
  dialog.EnableCallBack(0);
  dialog.EnablePreview(1);
  dialog.EnableAutoProcess(1);
  dialog.EnableToolbar(1);
  result = dialog.SetRotateParams(&params);
  if (result == SUCCESS) result = dialog.DoModalRotate(m_hWnd);
  if (result > 0) result = dialog.GetRotateParams(&params);
  const int freed = LDialogBase::Free();
  if (result != SUCCESS) return result;
  if (freed != SUCCESS) return freed;
  angle = params.nAngle;
  return SUCCESS;
  DEF_CATCH("CFolimarView::GetRotateAngleFromDialog")
  return -1;
}

void CFolimarView::RotatePage(int degrees, BOOL ask) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (doc == nullptr) return;
  int hundredths = degrees * 100;
  if (ask) {
    LMyBitmap* page = doc->GetCurrentBitmap(m_activePage);
    if (page == nullptr) return;
    LBitmapBase copy;
    if (copy.Copy(*page) != SUCCESS || GetRotateAngleFromDialog(&copy, hundredths) != SUCCESS) return;
  }
  // The dialog's hundredths are kept: a turn of 1.5 degrees is not one of 1.
  if (doc->RotatePageHundredths(m_activePage, hundredths)) AfterPageImageEdit();
  DEF_CATCH("CFolimarView::RotatePage")
}

void CFolimarView::OnImageRotateCommand(UINT id) {
  RotatePage(id == ID_IMAGE_ROTATE_90 ? 90 : id == ID_IMAGE_ROTATE_180 ? 180 : 270, FALSE);
}

void CFolimarView::OnImageRotateAnyAngle() { RotatePage(0, TRUE); }

void CFolimarView::OnEditRotateImage() {
  DEF_TRY
  CTranspImage* image = dynamic_cast<CTranspImage*>(GetActiveObject());
  LBitmapBase picture;
  if (image == nullptr || !image->GetBitmap(&picture)) return;
  int angle = 0;
  if (GetRotateAngleFromDialog(&picture, angle) != SUCCESS) return;
  const CUndoState before = image->GetUndoState();
  image->Rotate(angle);
  RecordModify(before, image);
  DEF_CATCH("CFolimarView::OnEditRotateImage")
}

// ---- Resolution and size ----

void CFolimarView::OnImageResolution() {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  LMyBitmap* bitmap = doc != nullptr ? doc->GetCurrentBitmap(m_activePage) : nullptr;
  if (bitmap == nullptr) return;
  CImageResolution dialog(this);
  dialog.SetResolution(bitmap->GetXResolution());
  if (dialog.DoModal() != IDOK) return;
  const int resolution = dialog.GetResolution();
  if (resolution <= 0) return;
  doc->SetPageResolution(m_activePage, resolution, resolution);
  ClearScaledPageCache();
  UpdatePrinterSettings();
  Invalidate(TRUE);
  DEF_CATCH("CFolimarView::OnImageResolution")
}

void CFolimarView::OnImageResize() {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  LMyBitmap* bitmap = doc != nullptr ? doc->GetCurrentBitmap(m_activePage) : nullptr;
  if (bitmap == nullptr || YesNoBox(IDS_RESIZE_PREPRINTED_WARNING) != IDYES) return;
  // The dialog measures everything in image pixels at the image's resolution.
  const int dpiX = bitmap->GetXResolution(), dpiY = bitmap->GetYResolution();
  const SIZE screen = LiveDpi();
  const PRINTER_PAGE& printer = m_printerPage;
  CResizeDlg dialog(this);
  if (!dialog.Init(bitmap->GetWidth(), bitmap->GetHeight(), dpiX, dpiY,
                   PageToImageLength(printer.paper.cx, dpiX, screen.cx),
                   PageToImageLength(printer.paper.cy, dpiY, screen.cy),
                   PageToImageLength(printer.printable.cx, dpiX, screen.cx),
                   PageToImageLength(printer.printable.cy, dpiY, screen.cy)) ||
      dialog.DoModal() != IDOK)
    return;
  SIZE resolution = {0, 0};
  BOOL toPrintable = FALSE;
  dialog.GetNewResolution(resolution, toPrintable);
  if (resolution.cx <= 0 || resolution.cy <= 0) return;
  doc->SetPageResolution(m_activePage, resolution.cx, resolution.cy);
  UpdatePrinterSettings();
  if (toPrintable) {
    CPageInfo* page = doc->GetPage(m_activePage);
    POINT offset = m_printerPage.offset;
    PageToUnit(&offset);
    if (page != nullptr) page->m_imagePosition = offset;
  }
  ClearScaledPageCache();
  Invalidate(TRUE);
  DEF_CATCH("CFolimarView::OnImageResize")
}

void CFolimarView::OnUpdateMenuImage(CCmdUI* pCmdUI) { pCmdUI->Enable(IsImageAvailableNotJPGOnActivePage()); }

// ---- Reference points ----

CRefPointTool* CFolimarView::GetRefPointFromPoint(int x, int y) {
  for (POSITION pos = m_refPointTools.GetHeadPosition(); pos;) {
    CRefPointTool* tool = m_refPointTools.GetNext(pos);
    if (CRefPointTool::GetRect(tool->GetClientMarker()).PtInRect(CPoint(x, y))) return tool;
  }
  return nullptr;
}

void CFolimarView::RepaintRefPoint(CRefPointTool* tool) {
  if (tool == nullptr || m_hWnd == nullptr) return;
  CRect box = CRefPointTool::GetRect(tool->GetClientMarker());
  InvalidateRect(&box, FALSE);
}

double CFolimarView::GetRefPointsAngle() const {
  if (m_refPointTools.GetCount() != 2) return 0;
  CPoint left = m_refPointTools.GetHead()->GetPoint(), right = m_refPointTools.GetTail()->GetPoint();
  if (right.x < left.x) std::swap(left, right);
  return -std::atan2(static_cast<double>(right.y - left.y), static_cast<double>(right.x - left.x));
}

void CFolimarView::DeleteRefPoints(BOOL repaint) {
  m_pMovingRefPoint = nullptr;
  while (!m_refPointTools.IsEmpty()) {
    CRefPointTool* tool = m_refPointTools.RemoveHead();
    if (repaint) RepaintRefPoint(tool);
    delete tool;
  }
}

void CFolimarView::AddRefPoint(POINT pagePoint) {
  CRefPointTool* tool = new CRefPointTool(this, pagePoint);
  m_refPointTools.AddTail(tool);
  RepaintRefPoint(tool);
}

void CFolimarView::DoImageStraighten() {
  DEF_TRY
  const double a = GetRefPointsAngle();
  if (a == 0) return;
  // The nearer of horizontal and vertical: two points almost one above the other make a vertical line.
  double turn = a;
  if (std::fabs(a) >= kPi / 4) turn = a > 0 ? a - kPi / 2 : a + kPi / 2;
  CFolimarDoc* doc = GetDocument();
  if (doc == nullptr || !doc->RotatePage(m_activePage, turn)) return;
  DeleteRefPoints(FALSE);
  AfterPageImageEdit();
  DEF_CATCH("CFolimarView::DoImageStraighten")
}

// ---- Crop and colour correction ----

CRect CFolimarView::CropAreaOnImage() const {
  CRect area = m_cropTool.GetArea();
  POINT origin = GetPageBitmapPos();
  UnitToPage(&origin);
  area.OffsetRect(-origin.x, -origin.y);
  return area;
}

void CFolimarView::DoImageCrop() {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(m_activePage) : nullptr;
  if (page == nullptr || m_cropTool.IsEmpty()) return;
  CRect area = CropAreaOnImage();
  // What lies beside the image is not kept: the image keeps its place where the area overhangs it.
  area.left = std::max(area.left, 0L);
  area.top = std::max(area.top, 0L);
  POINT corner = {area.left, area.top}, origin = {0, 0};
  PageToUnit(&corner);
  PageToUnit(&origin);
  BeginMacro();
  if (doc->DoCropPage(m_activePage, area)) {
    m_cropTool.Kill();
    page->m_previousImagePosition = page->m_imagePosition;
    page->m_imagePosition.x += corner.x - origin.x;
    page->m_imagePosition.y += corner.y - origin.y;
    DoCommand(new CModifyImagePositionCommand(page, this));
    AfterPageImageEdit();
  }
  EndMacro();
  DEF_CATCH("CFolimarView::DoImageCrop")
}

void CFolimarView::DoImageColCorrection(int kind) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  LMyBitmap* bitmap = doc != nullptr ? doc->GetCurrentBitmap(m_activePage) : nullptr;
  if (bitmap == nullptr || m_cropTool.IsEmpty()) return;
  const CRect area = CropAreaOnImage();
  const SIZE screen = LiveDpi();
  const int dpiX = bitmap->GetXResolution(), dpiY = bitmap->GetYResolution();
  const RECT image = {PageToImageLength(area.left, dpiX, screen.cx), PageToImageLength(area.top, dpiY, screen.cy),
                      PageToImageLength(area.right, dpiX, screen.cx), PageToImageLength(area.bottom, dpiY, screen.cy)};
  const BOOL done = kind == 0 ? doc->DoColCorrectionWhitePage(m_activePage, image)
                              : doc->DoColCorrectionBlackPage(m_activePage, image);
  if (!done) return;
  m_cropTool.Kill();
  AfterPageImageEdit();
  DEF_CATCH("CFolimarView::DoImageColCorrection")
}

void CFolimarView::OnToolbarDoImageTransformation() {
  DEF_TRY
  switch (GetProgramMode()) {
    case kModeCrop: DoImageCrop(); break;
    case kModeRotation: DoImageStraighten(); break;
    case kModeWhite: DoImageColCorrection(0); break;
    case kModeBlack: DoImageColCorrection(1); break;
    default: break;
  }
  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr) frame->SetProgramMode(kModeTextField, 1);
  DEF_CATCH("CFolimarView::OnToolbarDoImageTransformation")
}

void CFolimarView::OnUpdateDoImageTransformation(CCmdUI* pCmdUI) {
  switch (GetProgramMode()) {
    case kModeCrop:
    case kModeWhite:
    case kModeBlack: pCmdUI->Enable(!m_cropTool.IsEmpty()); break;
    case kModeRotation: pCmdUI->Enable(m_refPointTools.GetCount() == 2); break;
    default: pCmdUI->Enable(FALSE); break;
  }
}
