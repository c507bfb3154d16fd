#include "FolimarView.h"

#include "ChildFrm.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "MainFrm.h"
#include "TranspBaseClass.h"
#include "ViewConversions.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CFolimarView, CScrollView)

BEGIN_MESSAGE_MAP(CFolimarView, CScrollView)
// View menu: zoom (also Ctrl+Plus, Ctrl+Minus and the main bar's buttons).
ON_COMMAND(ID_ZOOM_IN, OnZoomIn)
ON_COMMAND(ID_ZOOM_OUT, OnZoomOut)
ON_COMMAND(ID_TOOLBAR_FIT_TO_WINDOW, OnToolbarFitToWindow)
// Main bar: the scale box (Enter, and a row chosen from its list).
ON_COMMAND(ID_COMBO_SCALE, OnComboScaleReturn)
ON_CBN_SELCHANGE(ID_COMBO_SCALE, OnSelchangeComboScale)
ON_WM_MOUSEWHEEL()
ON_WM_CREATE()
ON_WM_DROPFILES()
ON_COMMAND(ID_INSERT_PICTURE, OnEditInsertImage)
// The page: mouse and keys by program mode.
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_CONTEXTMENU()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
// File menu: print (also the framework's direct print) and print preview.
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrintDirect)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
// Edit menu: clipboard.
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
ON_COMMAND(ID_EDIT_CUT, OnEditCut)
ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCopy)
// Edit menu: the selection and the active object.
ON_COMMAND(ID_EDIT_DELETE, OnEditDelete)
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
ON_COMMAND_RANGE(ID_EDIT_ALIGN_LEFT, ID_EDIT_ALIGN_BOTTOM, OnAlignCommand)
ON_COMMAND(ID_EDIT_SPACE_ACROSS, OnGroupbarSpaceHorz)
ON_COMMAND(ID_EDIT_SPACE_DOWN, OnGroupbarSpaceVert)
ON_COMMAND(ID_EDIT_ALIGN_TO_GRID, OnEditAlignToGrid)
ON_COMMAND(ID_EDIT_SNAP_TO_GRID, OnEditSnapToGrid)
ON_COMMAND(ID_EDIT_OBJECT_UP, OnEditObjectUp)
ON_COMMAND_RANGE(ID_LAYER_SEND_TO_BACK, ID_LAYER_BRING_FORWARD, OnLayerCommand)
ON_COMMAND(ID_EDIT_FREEZE_OBJECT, OnEditFreezeObject)
ON_COMMAND(ID_EDIT_UNFREEZE_ALL, OnEditUnfreezeAllObject)
ON_COMMAND(ID_EDIT_REQUIRED, OnEditRequired)
ON_COMMAND(ID_EDIT_CLEAR_CONTENTS, OnEditClearContents)
ON_UPDATE_COMMAND_UI(ID_EDIT_DELETE, OnUpdateEditDelete)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
ON_UPDATE_COMMAND_UI_RANGE(ID_EDIT_ALIGN_LEFT, ID_EDIT_ALIGN_BOTTOM, OnUpdateAlignCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_SPACE_ACROSS, OnUpdateSpaceCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_SPACE_DOWN, OnUpdateSpaceCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_ALIGN_TO_GRID, OnUpdateEditAlignToGrid)
ON_UPDATE_COMMAND_UI(ID_EDIT_SNAP_TO_GRID, OnUpdateEditSnapToGrid)
ON_UPDATE_COMMAND_UI_RANGE(ID_LAYER_SEND_TO_BACK, ID_LAYER_BRING_FORWARD, OnUpdateLayerCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_FREEZE_OBJECT, OnUpdateEditFreezeObject)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNFREEZE_ALL, OnUpdateEditUnfreezeAllObject)
ON_UPDATE_COMMAND_UI(ID_EDIT_REQUIRED, OnUpdateEditRequired)
ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR_CONTENTS, OnUpdateEditClearContents)
ON_COMMAND(ID_EDIT_DECREASE_TEXT_WIDTH, OnEditDecreaseTextWidth)
ON_COMMAND(ID_EDIT_DECREASE_TEXT_HEIGHT, OnEditDecreaseTextHeight)
ON_COMMAND(ID_EDIT_RESTORE_PROPORTIONS, OnContextmenuRestoreproportions)
ON_COMMAND(ID_EDIT_RENUMBER_FORMS, OnRenumberForms)
ON_COMMAND(ID_EDIT_ADD_TO_SHELF, OnCommandAddToCollection)
ON_UPDATE_COMMAND_UI(ID_EDIT_DECREASE_TEXT_WIDTH, OnUpdateDecreaseText)
ON_UPDATE_COMMAND_UI(ID_EDIT_DECREASE_TEXT_HEIGHT, OnUpdateDecreaseText)
ON_UPDATE_COMMAND_UI(ID_EDIT_RESTORE_PROPORTIONS, OnUpdateRestoreProportions)
ON_UPDATE_COMMAND_UI(ID_EDIT_ADD_TO_SHELF, OnUpdateAddToCollection)
ON_UPDATE_COMMAND_UI(ID_EDIT_OBJECT_UP, OnUpdateObjectUp)
// Image menu: move the page image by one page pixel.
ON_COMMAND_RANGE(ID_IMAGE_MOVE_LEFT, ID_IMAGE_MOVE_DOWN, OnImageMoveCommand)
// Spelling menu and the main bar's spelling button.
ON_COMMAND(ID_SPELLING, OnToolbarSpelling)
// The found text's second look.
ON_WM_TIMER()
// Image menu: the page image (flip, mirror, invert, brightness, contrast, rotation, resolution, size);
// the image tools' "Do transformation".
ON_COMMAND(ID_IMAGE_FLIP, OnImageFlip)
ON_COMMAND(ID_IMAGE_REVERSE, OnImageReverse)
ON_COMMAND(ID_IMAGE_INVERT, OnImageInvert)
ON_COMMAND(ID_IMAGE_BRIGHTNESS, OnImageBrightness)
ON_COMMAND(ID_IMAGE_CONTRAST, OnImageContrast)
ON_COMMAND_RANGE(ID_IMAGE_ROTATE_90, ID_IMAGE_ROTATE_180, OnImageRotateCommand)
ON_COMMAND(ID_IMAGE_ROTATE_ANGLE, OnImageRotateAnyAngle)
ON_COMMAND(ID_IMAGE_RESOLUTION, OnImageResolution)
ON_COMMAND(ID_IMAGE_RESIZE, OnImageResize)
ON_COMMAND(ID_EDIT_ROTATE_PICTURE, OnEditRotateImage)
ON_COMMAND(ID_TOOL_DO_TRANSFORMATION, OnToolbarDoImageTransformation)
ON_UPDATE_COMMAND_UI_RANGE(ID_IMAGE_ROTATE_90, ID_IMAGE_ROTATE_180, OnUpdateMenuImage)
ON_UPDATE_COMMAND_UI_RANGE(ID_IMAGE_BRIGHTNESS, ID_IMAGE_REVERSE, OnUpdateMenuImage)
ON_UPDATE_COMMAND_UI(ID_IMAGE_ROTATE_ANGLE, OnUpdateMenuImage)
ON_UPDATE_COMMAND_UI(ID_IMAGE_RESOLUTION, OnUpdateMenuImage)
ON_UPDATE_COMMAND_UI(ID_IMAGE_RESIZE, OnUpdateMenuImage)
ON_UPDATE_COMMAND_UI(ID_IMAGE_CONTRAST, OnUpdateMenuImage)
ON_UPDATE_COMMAND_UI(ID_IMAGE_INVERT, OnUpdateMenuImage)
ON_UPDATE_COMMAND_UI(ID_EDIT_ROTATE_PICTURE, OnUpdateMenuImage)
ON_UPDATE_COMMAND_UI(ID_TOOL_DO_TRANSFORMATION, OnUpdateDoImageTransformation)
END_MESSAGE_MAP()

namespace {

const CViewGeometry* LookupGeometry(CWnd* window) {
  if (window == nullptr || !window->IsKindOf(RUNTIME_CLASS(CFolimarView))) return nullptr;
  return &static_cast<CFolimarView*>(window)->GetGeometry();
}

}  // namespace

CFolimarView::CFolimarView() {
  // Objects and the free conversion functions reach every view through these; one per process.
  static bool installed = false;
  if (!installed) {
    SetViewGeometryLookup(&LookupGeometry);
    CTranspBaseClass::SetViewConversions(GetViewConversionTable());
    installed = true;
  }
}

CFolimarView::~CFolimarView() {
  DEF_TRY
  // The copies go first, then the jobs are waited for: a job that has not copied its source yet
  // finds the cache cleared and ends without touching the page bitmap.
  ClearScaledPageCache();
  m_scaledPages.WaitForJobs();
  while (!m_refPointTools.IsEmpty()) delete m_refPointTools.RemoveHead();
  DEF_CATCH("CFolimarView::~CFolimarView")
}

int CFolimarView::OnCreate(LPCREATESTRUCT create) {
  DEF_TRY
  if (CScrollView::OnCreate(create) == -1) return -1;
  // A view of a document takes drops; without OLE in the process the view works without them.
  if (m_pDocument != nullptr) {
    m_dropTarget.Register(this);
    DragAcceptFiles(TRUE);
  }
  return 0;
  DEF_CATCH("CFolimarView::OnCreate")
  return -1;
}

DROPEFFECT CFolimarView::CViewDropTarget::OnDragEnter(CWnd* window, COleDataObject* data, DWORD keys, CPoint point) {
  return OnDragOver(window, data, keys, point);
}

DROPEFFECT CFolimarView::CViewDropTarget::OnDragOver(CWnd* window, COleDataObject* data, DWORD keys, CPoint point) {
  CFolimarView* view = dynamic_cast<CFolimarView*>(window);
  return view != nullptr ? view->OnDragOver(data, keys, point) : DROPEFFECT_NONE;
}

BOOL CFolimarView::CViewDropTarget::OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point) {
  CFolimarView* view = dynamic_cast<CFolimarView*>(window);
  return view != nullptr && view->OnDrop(data, effect, point);
}

CFolimarDoc* CFolimarView::GetDocument() const { return dynamic_cast<CFolimarDoc*>(m_pDocument); }

CMainFrame* CFolimarView::GetMainFrame() {
  CWnd* main = AfxGetMainWnd();
  return main != nullptr && main->IsKindOf(RUNTIME_CLASS(CMainFrame)) ? static_cast<CMainFrame*>(main) : nullptr;
}

// ---- Conversions ----

const CViewGeometry& CFolimarView::GetGeometry() const {
  // The scroll bars hold the position; reading it here keeps every conversion current however the
  // window was scrolled.
  if (m_hWnd != nullptr) m_geometry.m_scroll = GetDeviceScrollPosition();
  return m_geometry;
}

// Point and rectangle forms of one conversion through the geometry.
#define VIEW_CONVERSION(name)                                                 \
  void CFolimarView::name(POINT* p) const {                                   \
    DEF_TRY if (p != nullptr) GetGeometry().name(*p);                         \
    DEF_CATCH("CFolimarView::" #name)                                         \
  }                                                                           \
  void CFolimarView::name(RECT* r) const {                                    \
    DEF_TRY if (r != nullptr) GetGeometry().name(*r);                         \
    DEF_CATCH("CFolimarView::" #name)                                         \
  }
VIEW_CONVERSION(ClientToPage)
VIEW_CONVERSION(PageToClient)
VIEW_CONVERSION(PageToView)
VIEW_CONVERSION(ViewToPage)
VIEW_CONVERSION(ViewToClient)
VIEW_CONVERSION(UnitToPage)
VIEW_CONVERSION(PageToUnit)
#undef VIEW_CONVERSION

double CFolimarView::UnitToPageF(double units, BOOL vertical) const { return m_geometry.UnitToPageF(units, vertical); }
double CFolimarView::PageToViewF(double page) const { return m_geometry.PageToViewF(page); }
int CFolimarView::ViewLengthToPage(int length, double factor) const {
  return m_geometry.ViewLengthToPage(length, factor);
}

double CFolimarView::GetFontScaleFactor() const {
  DEF_TRY
  return m_geometry.GetFontScaleFactor(LiveDpi().cy);
  DEF_CATCH("CFolimarView::GetFontScaleFactor")
  return 0.0;
}

CRect CFolimarView::GetImageRect() const {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (doc == nullptr) return CRect();
  const SIZE image = doc->GetPageImageSize(m_activePage);
  CRect rc(0, 0, image.cx, image.cy);
  GetGeometry().PageToClient(rc);
  return rc;
  DEF_CATCH("CFolimarView::GetImageRect")
  return CRect();
}

SIZE CFolimarView::LiveDpi() const {
  SIZE dpi = {m_geometry.m_dpiX, m_geometry.m_dpiY};
  HDC dc = ::GetDC(m_hWnd);
  if (dc == nullptr) return dpi;
  dpi = {::GetDeviceCaps(dc, LOGPIXELSX), ::GetDeviceCaps(dc, LOGPIXELSY)};
  ::ReleaseDC(m_hWnd, dc);
  return dpi;
}

SIZE CFolimarView::ClientSize() const {
  CRect client;
  if (m_hWnd != nullptr) GetClientRect(&client);
  return {client.Width(), client.Height()};
}

POINT CFolimarView::TopLeftPagePoint() const {
  POINT pt = GetDeviceScrollPosition();
  m_geometry.ViewToPage(pt);
  return pt;
}

// ---- Zoom ----

void CFolimarView::SetViewScale(double zoom) {
  DEF_TRY
  m_geometry.m_zoom = NormalizeZoom(zoom);
  SetScrollSizes(MM_TEXT, m_geometry.GetViewExtent());
  if (m_hWnd != nullptr) Invalidate(TRUE);
  DEF_CATCH("CFolimarView::SetViewScale")
}

void CFolimarView::IncViewScale(POINT* keep) {
  DEF_TRY
  SetViewScale(NextZoomIn(m_geometry.m_zoom));
  SetScaleOnMainBar();
  if (keep != nullptr) SetUpperLeftPageCornerTo(keep->x, keep->y);
  DEF_CATCH("CFolimarView::IncViewScale")
}

void CFolimarView::DecViewScale(POINT* keep) {
  DEF_TRY
  SetViewScale(NextZoomOut(m_geometry.m_zoom));
  SetScaleOnMainBar();
  if (keep != nullptr) SetUpperLeftPageCornerTo(keep->x, keep->y);
  DEF_CATCH("CFolimarView::DecViewScale")
}

void CFolimarView::OnZoomIn() {
  POINT keep = TopLeftPagePoint();
  IncViewScale(&keep);
}

void CFolimarView::OnZoomOut() {
  POINT keep = TopLeftPagePoint();
  DecViewScale(&keep);
}

void CFolimarView::OnComboScaleReturn() {
  DEF_TRY
  const POINT keep = TopLeftPagePoint();
  CMainFrame* frame = GetMainFrame();
  // Without a frame there is no box to type into: the neutral 100 %.
  const int percent = frame != nullptr ? frame->GetScalePercent() : 100;
  SetViewScale(PercentToZoom(percent));
  SetScaleOnMainBar();
  SetUpperLeftPageCornerTo(keep.x, keep.y);
  DEF_CATCH("CFolimarView::OnComboScaleReturn")
}

void CFolimarView::OnSelchangeComboScale() {
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  if (frame == nullptr) return;
  const POINT keep = TopLeftPagePoint();
  const int row = frame->GetViewScaleSelIndex();
  if (row == ZOOM_ROW_FIT_TO_WIDTH)
    FitPageToWidth();
  else if (row == ZOOM_ROW_FIT_TO_WINDOW)
    FitPageToWindow();
  else if (row >= 0 && row < ZOOM_TABLE_ROWS)
    SetViewScale(g_zoomTable[row].zoom);
  SetUpperLeftPageCornerTo(keep.x, keep.y);
  DEF_CATCH("CFolimarView::OnSelchangeComboScale")
}

BOOL CFolimarView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  DEF_TRY
  if (nFlags & MK_CONTROL) {
    CPoint client = pt;
    ScreenToClient(&client);
    CRect rc;
    GetClientRect(&rc);
    if (!rc.PtInRect(client)) client = rc.CenterPoint();
    POINT page = client;
    ClientToPage(&page);
    if (zDelta < 1)
      OnZoomOut();
    else
      OnZoomIn();
    SetPagePointToClientPoint(page.x, page.y, client.x, client.y);
    // A page smaller than the window still scrolls over the whole window.
    SIZE total = m_geometry.GetViewExtent();
    if (total.cx < rc.Width()) total.cx = rc.Width();
    if (total.cy < rc.Height()) total.cy = rc.Height();
    const CPoint scroll = GetDeviceScrollPosition();
    SetScrollSizes(MM_TEXT, total);
    ScrollToPosition(scroll);
    Invalidate(TRUE);
  }
  DEF_CATCH("CFolimarView::OnMouseWheel")
  // The framework scrolls only for a plain wheel.
  if (nFlags & (MK_CONTROL | MK_SHIFT)) return TRUE;
  return CScrollView::OnMouseWheel(nFlags, zDelta, pt);
}

void CFolimarView::SetScaleOnMainBar() {
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr) frame->SetScalePercent(ZoomToPercent(m_geometry.m_zoom));
  DEF_CATCH("CFolimarView::SetScaleOnMainBar")
}

void CFolimarView::SetUpperLeftPageCornerTo(int x, int y) {
  DEF_TRY
  if (m_hWnd == nullptr) return;
  ScrollToPosition(m_geometry.UpperLeftScrollFor({x, y}, ClientSize()));
  DEF_CATCH("CFolimarView::SetUpperLeftPageCornerTo")
}

void CFolimarView::SetPagePointToClientPoint(int px, int py, int cx, int cy) {
  DEF_TRY
  if (m_hWnd == nullptr) return;
  ScrollToPosition(m_geometry.ScrollForPagePointAt({px, py}, {cx, cy}));
  DEF_CATCH("CFolimarView::SetPagePointToClientPoint")
}

void CFolimarView::FitPageToWindow() {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  // Half size first: the whole page fits, so no scroll bar takes client space while measuring.
  SetViewScale(0.5);
  _PAGE_SETTINGS settings = {};
  if (doc != nullptr) doc->GetPageSettings(settings, m_activePage);
  const SIZE client = ClientSize();
  double zoom = 0;
  if (FitToWindowZoom(FitPageExtent(m_geometry.m_dpiX, settings.width),
                      FitPageExtent(m_geometry.m_dpiY, settings.height), client.cx, client.cy, zoom))
    SetViewScale(zoom);
  // Also when nothing could be measured: the box shows the zoom in effect, not the row chosen.
  SetScaleOnMainBar();
  DEF_CATCH("CFolimarView::FitPageToWindow")
}

void CFolimarView::FitPageToWidth() {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  // The largest zoom first, so the width is measured with the vertical scroll bar present.
  SetViewScale(ZOOM_MAX);
  _PAGE_SETTINGS settings = {};
  if (doc != nullptr) doc->GetPageSettings(settings, m_activePage);
  double zoom = 0;
  if (FitToWidthZoom(FitPageExtent(m_geometry.m_dpiX, settings.width), ClientSize().cx, zoom)) SetViewScale(zoom);
  SetScaleOnMainBar();
  DEF_CATCH("CFolimarView::FitPageToWidth")
}

void CFolimarView::OnToolbarFitToWindow() { FitPageToWindow(); }

// ---- Page and printer ----

void CFolimarView::UpdatePrinterSettings() {
  DEF_TRY
  CFolimarApp* app = GetFolimarApp();
  const PRINTER_METRICS printer = app != nullptr ? app->m_printerMetrics : PRINTER_METRICS{};
  m_printerDpi = {printer.dpiX, printer.dpiY};
  m_printerPage = ConvertPrinterMetrics(printer, m_geometry.m_dpiX, m_geometry.m_dpiY);
  CFolimarDoc* doc = GetDocument();
  _PAGE_SETTINGS settings = {};
  if (doc != nullptr) doc->GetPageSettings(settings, m_activePage);
  const SIZE live = LiveDpi();
  m_geometry.m_pageExtent = m_geometry.PageExtentFor(settings.width, settings.height, live.cx, live.cy);
  SetViewScale(m_geometry.m_zoom);
  SetTranspView();
  if (m_hWnd != nullptr) Invalidate(TRUE);
  DEF_CATCH("CFolimarView::UpdatePrinterSettings")
}

void CFolimarView::SetTranspView() {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (doc == nullptr) return;
  for (POSITION pagePos = doc->m_pages.GetHeadPosition(); pagePos;) {
    CPageInfo* page = doc->m_pages.GetNext(pagePos);
    for (POSITION pos = page->m_objects.GetHeadPosition(); pos;) page->m_objects.GetNext(pos)->SetView(this);
  }
  DEF_CATCH("CFolimarView::SetTranspView")
}

void CFolimarView::OnInitialUpdate() {
  DEF_TRY
  const SIZE dpi = LiveDpi();
  m_geometry.m_dpiX = dpi.cx;
  m_geometry.m_dpiY = dpi.cy;
  CScrollView::OnInitialUpdate();
  m_cropTool.SetView(this);
  SetTranspView();
  CFolimarDoc* doc = GetDocument();
  if (doc != nullptr) {
    m_geometry.m_zoom = doc->GetScale();
    m_geometry.m_inchesPerUnit = doc->m_unit;
    CPageInfo* page = doc->GetPage(m_activePage);
    m_pObjects = page != nullptr ? &page->m_objects : nullptr;
    m_pUndoManager = page != nullptr ? page->m_pUndoManager : nullptr;
  }
  UpdatePrinterSettings();
  // The tool cursor chosen while no view was active, the page tabs, and the frame's bars.
  if (GetToolCursor() != nullptr) SetViewCursor(GetToolCursor());
  CChildFrame* child = dynamic_cast<CChildFrame*>(GetParentFrame());
  if (child != nullptr && doc != nullptr) child->UpdatePagesBar(doc->GetPageCount());
  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr) frame->UpdateTools();
  DEF_CATCH("CFolimarView::OnInitialUpdate")
}

void CFolimarView::SetActivePage(int index) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  // A negative index would leave the view without a page: only real pages become active.
  CPageInfo* page = doc != nullptr && index >= 0 && index < doc->GetPageCount() ? doc->GetPage(index) : nullptr;
  if (page != nullptr) {
    ClearScaledPageCache();
    m_activePage = index;
    m_pObjects = &page->m_objects;
    m_pUndoManager = page->m_pUndoManager;
    UpdatePrinterSettings();
  }
  if (m_hWnd != nullptr) SetFocus();
  DEF_CATCH("CFolimarView::SetActivePage")
}
