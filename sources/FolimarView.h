// The form view: one page of a document at a zoom inside a scrolling window. This part holds the
// view's geometry (the coordinate spaces and their conversions, kept in a CViewGeometry), every way
// the zoom changes (zoom in and out, the main bar's scale box, Ctrl + wheel, the two fits, the
// document's stored scale), the scroll range that follows the zoom, and the printer metrics in page
// pixels.
#pragma once
#include "Framework.h"

#include "FieldProperties.h"
#include "MarkerTools.h"
#include "ObjectStyle.h"
#include "PageInfo.h"
#include "ScaledBitmapJob.h"
#include "ViewGeometry.h"

class CFolimarDoc;
class CMainFrame;

class CFolimarView : public CScrollView {
  DECLARE_DYNCREATE(CFolimarView)
 public:
  CFolimarView();
  ~CFolimarView() override;

  CFolimarDoc* GetDocument() const;

  // ---- Conversions (in place; a rectangle converts both corners) ----
  void ClientToPage(POINT* p) const;
  void ClientToPage(RECT* r) const;
  void PageToClient(POINT* p) const;
  void PageToClient(RECT* r) const;
  void PageToView(POINT* p) const;
  void PageToView(RECT* r) const;
  void ViewToPage(POINT* p) const;
  void ViewToPage(RECT* r) const;
  void ViewToClient(POINT* p) const;
  void ViewToClient(RECT* r) const;
  void UnitToPage(POINT* p) const;
  void UnitToPage(RECT* r) const;
  void PageToUnit(POINT* p) const;
  void PageToUnit(RECT* r) const;
  double UnitToPageF(double units, BOOL vertical) const;
  double PageToViewF(double page) const;
  int ViewLengthToPage(int length, double factor) const;
  // The factor object fonts are sized with: live / stored screen dpi y times the magnification; 0 on
  // error.
  double GetFontScaleFactor() const;
  // The active page's image {0, 0, width, height} in client pixels; empty on error.
  CRect GetImageRect() const;
  // The geometry with the window's current scroll position.
  const CViewGeometry& GetGeometry() const;

  // ---- Zoom ----
  double GetViewScale() const { return m_geometry.m_zoom; }
  void SetViewScale(double zoom);
  // The next table zoom above / below the current one; keep (page pixels) is then put at the
  // window's top-left corner.
  void IncViewScale(POINT* keep);
  void DecViewScale(POINT* keep);
  void FitPageToWindow();
  void FitPageToWidth();
  // Shows the zoom's percent in the main bar's scale box (nothing without one).
  void SetScaleOnMainBar();
  // Scrolls so that page point (x, y) is at the window's top-left corner.
  void SetUpperLeftPageCornerTo(int x, int y);
  // Scrolls so that page point (px, py) lies under client point (cx, cy) as far as the scroll range
  // allows.
  void SetPagePointToClientPoint(int px, int py, int cx, int cy);

  // ---- Page and printer ----
  int GetActivePage() const { return m_activePage; }
  void SetActivePage(int index);
  CTranspObjectList* GetActiveObjectList() const { return m_pObjects; }
  CommandManagerT* GetActiveUndoManager() const { return m_pUndoManager; }
  // The application's printer metrics in page pixels, the active page's extent, then the scroll
  // sizes and the objects' view.
  void UpdatePrinterSettings();
  const PRINTER_PAGE& GetPrinterPage() const { return m_printerPage; }
  int GetPrinterDpiX() const { return m_printerDpi.cx; }
  int GetPrinterDpiY() const { return m_printerDpi.cy; }
  // Every object of every page gets this view.
  void SetTranspView();

  // ---- Records and search (FolimarViewRecords.cpp) ----
  // The focused object of the active page, null without one.
  CTranspBaseClass* GetActiveObject() const;
  // The active object loses the focus, which commits what was typed into it.
  void DeactivateActiveObject();
  // Where a search starts: the column of the active field and the caret in it; from the start
  // (down) or the end (up) of the record without one.
  void GetCurrentCursorPosition(BOOL down, int textLength, int& field, int& position) const;
  // Shows the found text selected in its field on `pageIndex`.
  void ViewFoundedText(int pageIndex, int field, int position, int length);

  // Gives objects and undo commands the services of the view they reach through their links; the
  // application installs them once at start-up.
  static void InstallViewLinks();

  // ---- Program modes and the objects of the active page (FolimarViewObjects.cpp) ----
  // After every change of the frame's mode: the modes that work on the page image or fill in fields
  // drop the focus and the selection, select mode keeps the selection, the others the focus.
  void ProgramModeChanged();
  // The cursor over the view (the window class's cursor), also kept as the tool cursor that later
  // views start with; returns the class cursor it replaces.
  HCURSOR SetViewCursor(HCURSOR cursor);
  // The tool cursor of views yet to be shown (set by the frame while no view is active).
  static void SetToolCursor(HCURSOR cursor);
  static HCURSOR GetToolCursor();
  // Ends a freehand stroke being drawn; nothing when none is.
  void EndWorkingSignature();
  // Numbers the active page's live fields 1..n in list order and repaints every object.
  void RepaintObjects();
  // The next click in tab-order mode hands out the first index again.
  void ResetTabOrderCounter() { m_tabOrderCounter = 0; }
  int GetTabOrderCounter() const { return m_tabOrderCounter; }
  // Every selected object of the active page is deselected.
  void DeselectObjects();
  // 1 + the largest check-mark group of the active page, 1 when none has a group.
  int GetNextCheckMarkGroup() const;
  // The active page holds an image that is no JPEG file kept as it was read / a background metafile.
  BOOL IsImageAvailableNotJPGOnActivePage() const;
  BOOL IsMetafileAvailableOnActivePage() const;

  // ---- Properties pane edits (FolimarViewStyle.cpp) ----
  // One property (the pane's id) goes to the active object, or else to every selected object, as one
  // undo step.
  void SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, int propertyId);
  // The active object takes this tab index and the others are renumbered (one undo step).
  void SetTabOrder(int index);
  // The selected (select mode) or active labels become text fields, and back.
  void ConvertTextBox();
  void ConvertTextField();

  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override;

  // ---- Screen drawing (FolimarViewDraw.cpp) ----
  // Composes the visible part of the active page off screen (page image from the zoom cache, erased
  // areas, grid, objects, reference points, crop area) and copies it to the paint context at once.
  void DrawScreen(CDC* pDC);
  // Drops every pre-scaled copy of the page bitmap; whenever the page bitmap or its look changes.
  void ClearScaledPageCache();
  CScaledBitmapCache& GetScaledPageCache() { return m_scaledPages; }
  // The active page's bitmap (null without one) and its position in document units.
  LMyBitmap* GetActivePageBitmap() const;
  POINT GetPageBitmapPos() const;
  BOOL IsImageAvailableOnActivePage() const;
  BOOL IsShowPageImage() const { return m_showPageImage; }
  void SetShowPageImage(BOOL show) { m_showPageImage = show; }
  // Program mode 22 of the main frame (FALSE without one).
  BOOL IsTabOrderMode() const;
  // The reference points (owned, at most two) and the crop area; the tools fill them.
  CTypedPtrList<CPtrList, CRefPointTool*>& GetRefPointTools() { return m_refPointTools; }
  CCropTool& GetCropTool() { return m_cropTool; }
  // The eraser's current square (page pixels); the next paint takes it out of the erased region.
  void SetEraserRect(const RECT& rect) { m_eraserRect = rect; }
  const _OBJECT_STYLE& GetFocusedObjectStyle() const { return m_focusedStyle; }

 protected:
  // ---- View menu: zoom ----
  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnToolbarFitToWindow();
  // ---- Main bar: the scale box ----
  afx_msg void OnComboScaleReturn();
  afx_msg void OnSelchangeComboScale();
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  DECLARE_MESSAGE_MAP()

 private:
  // The main frame when it is ours (null in tools and tests without one).
  static CMainFrame* GetMainFrame();
  // The page point at the window's top-left corner.
  POINT TopLeftPagePoint() const;
  // The live screen resolution of the window's device context (the stored one without a window).
  SIZE LiveDpi() const;
  // The client area's size.
  SIZE ClientSize() const;

  mutable CViewGeometry m_geometry;
  int m_activePage = 0;
  CTranspObjectList* m_pObjects = nullptr;
  CommandManagerT* m_pUndoManager = nullptr;
  PRINTER_PAGE m_printerPage = {};
  SIZE m_printerDpi = {0, 0};

  // Screen drawing.
  // The page background, the erased areas and the grid into the memory context (view coordinates).
  void DrawPageBackground(CDC* dc, const RECT& drawing, RECT& image);
  // The band of the page bitmap inside the drawing rectangle: from the zoom's scaled copy when it is
  // ready, else stretched from the full-size bitmap (a job for the zoom is started when none is).
  void DrawPageBitmap(CDC* dc, LMyBitmap* page, const RECT& drawing, const RECT& image);
  void DrawErasedAreas(CDC* dc, double sx, double sy);
  void DrawGrid(CDC* dc, const RECT& drawing);
  void DrawObjects(CDC* dc, const RECT& update);
  // The active page's image resolution: the bitmap's, else the metafile's device, else the screen's.
  SIZE ActivePageResolution() const;

  BOOL m_showPageImage = TRUE;
  int m_tabOrderCounter = 1;
  _OBJECT_STYLE m_focusedStyle = {};
  RECT m_eraserRect = {0, 0, 0, 0};
  RECT m_previousEraserRect = {0, 0, 0, 0};
  CTypedPtrList<CPtrList, CRefPointTool*> m_refPointTools;
  CCropTool m_cropTool;
  CScaledBitmapCache m_scaledPages;
};
