// The form view: one page of a document at a zoom inside a scrolling window. This part holds the
// view's geometry (the coordinate spaces and their conversions, kept in a CViewGeometry), every way
// the zoom changes (zoom in and out, the main bar's scale box, Ctrl + wheel, the two fits, the
// document's stored scale), the scroll range that follows the zoom, and the printer metrics in page
// pixels.
#pragma once
#include "Framework.h"

#include "DrawTools.h"
#include "FieldProperties.h"
#include "MarkerTools.h"
#include "UndoState.h"
#include "ObjectStyle.h"
#include "PageInfo.h"
#include "ScaledBitmapJob.h"
#include "ViewGeometry.h"

class CFolimarDoc;
class CMainFrame;
class CSpellCheckerClient;
class CTranspText;
class LBitmapBase;
class LBitmapList;
struct IPdfDocument;

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
  // Scrolls the found text (or its field until it is painted) into the middle of the window when it
  // is not in view; looks again twice, 100 ms apart, while only the field's place was known.
  void ScrollToFoundSelection(CTranspText* field);

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

  // ---- Mouse and keys by program mode (FolimarViewMouse.cpp) ----
  // The active page in client pixels: clicks outside it do nothing.
  CRect GetPageRect() const;
  // The topmost object under a client point that the current mode lets the user reach; null for none.
  CTranspBaseClass* PtInObject(POINT point);
  // Selects every unfrozen object whose align rectangle meets `rect` (client pixels) and shows the
  // first one's properties.
  void SelectObjects(const RECT* rect);
  // With the frame's snap switch on: x down to its grid line, y to the next grid line below.
  void SnapToGrid(POINT* point);
  // Moves the selection by a client-pixel delta; a drag out of the window becomes a drag and drop.
  void MoveGroupBy(POINT delta);
  // Gives the object the focus; in tab-order mode hands it the next tab index and returns it.
  int ActivateObject(CTranspBaseClass* object);
  CTranspBaseClass* DeactivateObject(CTranspBaseClass* object);
  // Tab and Shift+Tab: the focus to the next or previous candidate of the mode, wrapping round.
  void ProcessTabKey(BOOL forward);
  int GetSelectedObjectsCount() const;
  BOOL IsGroupSelected() const { return GetSelectedObjectsCount() > 1; }
  // The union of the selected objects' align rectangles (units); empty without a selection.
  CRect GetGroupFrameRect() const;
  // Hands properties, style and kind bits to the properties pane and keeps a non-empty style.
  void SetPropertyList(const _PROPERTIES& properties, const _OBJECT_STYLE& style, int kindBits);
  void UpdatePropertyList();
  // Makes a rectangle in view pixels visible; direction 1 moving down, 2 moving right.
  void ScrollToRect(const RECT& rect, int direction);
  // The frame's program mode; 0 without a frame of ours.
  int GetProgramMode() const;
  // The menu shown on a right click in the current mode (the first pop-up of its resource).
  UINT GetContextMenuId() const;
  // Greys and ticks the context menu's items for the mode, the selection and the active object.
  void UpdateContextMenu(HMENU menu, int mode);

  // ---- Creating objects, clipboard and drag and drop (FolimarViewCreate.cpp) ----
  // Each builds an object at a client point (rectangle, centre and radius, end points), names it,
  // numbers a field, records one undoable creation and, with `activate`, gives it the focus.
  CTranspBaseClass* CreateTextBox(LPCWSTR text, POINT point, int activate);
  CTranspBaseClass* CreateLabel(LPCWSTR text, POINT point, int activate);
  CTranspBaseClass* CreateCheckMark(POINT point, int activate);
  CTranspBaseClass* CreateBarcode(POINT point, int activate);
  CTranspBaseClass* CreateRectangle(const RECT& rect, int activate);
  CTranspBaseClass* CreateEllipse(const RECT& rect, int activate);
  CTranspBaseClass* CreateCircle(POINT centre, int radius, int activate);
  CTranspBaseClass* CreateLine(POINT start, POINT end, int activate);
  CTranspBaseClass* CreateFreehand(int activate);
  CTranspBaseClass* CreatePolygon(int activate);
  CTranspBaseClass* CreateImageObject(LPCWSTR path, POINT point, int activate);
  CTranspBaseClass* CreateDibObject(HGLOBAL dib, POINT point, int activate);
  CTranspBaseClass* CreateBitmapObject(POINT point, int activate);
  // Object data of any kind (a group included) at a client point; 1 when its kind is known and the
  // block sound. With `freeAfter` the block is freed then.
  int PasteObject(HGLOBAL data, POINT point, int freeAfter);
  // Members of a group block, selected, as one undo step; check-mark groups renumbered.
  int CreateBlock(HGLOBAL data, POINT point, int activate);
  // The paste of the Edit menu (0) or of the context menu at the right-click point (1).
  void Paste(int atRightClick);
  // The view as a drop target: the effect by the keys (Ctrl copy, Ctrl+Shift none, else move) and
  // the object format, text and DIB in that order.
  DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
  BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);
  BOOL DropObject(COleDataObject* data, DROPEFFECT effect, CPoint point);
  BOOL DropText(COleDataObject* data, DROPEFFECT effect, CPoint point);
  BOOL DropDIB(COleDataObject* data, DROPEFFECT effect, CPoint point);
  // The next paste point (client pixels) and its step after every copy and paste.
  POINT GetLastPastePoint() const { return m_lastPastePoint; }

  // ---- Selection commands (FolimarViewSelection.cpp) ----
  void DeleteActiveObject();
  void DeleteSelectedObjects();
  // Moves the edge of every selected object to the same edge of the group frame: one undo step.
  void AlignTo(int edge);
  void SpaceEvenly(BOOL across);
  void SnapObjectToGrid(CTranspBaseClass* object);
  void SnapGroupToGrid();
  // Moves the page image by page pixels and marks the document modified (no undo step).
  void MoveImage(int dx, int dy);
  // The same as one undo step.
  void MoveImageUndo(int dx, int dy);
  // The image move from the page's previous position to its current one as one undo step.
  void RecordImageMove();
  void SetTabOrder(int index);
  // Carries out a tab-order change (the tab-order command's two directions): the object moves in
  // the page's list and its data column with it.
  void SetTabOrderCommand(CTranspBaseClass* object, int index);
  // 1 when the object's contents were cleared (or it has none to clear).
  int ClearContents(CTranspBaseClass* object);
  // The page's check marks of `group` as radio buttons: only `checkMark` stays checked, one step.
  void InvertCheckMarks(int group, CTranspBaseClass* checkMark);
  // Shrinks the selected (select mode) or the active text boxes to their text, as one undo step.
  void DecreaseTextBoxes(BOOL width);
  // Hands the selection (a group block for several) or the active object to the shelf; its result.
  int OnEditAddToCollection();
  void CalculateAndRepaint();
  // Mirrored objects of `name` on every page take the source's value, formula or text.
  void RepaintMirroredObjects(CTranspBaseClass* source, LPCWSTR name);
  void RepaintMirroredCheckMarks(CTranspBaseClass* source, LPCWSTR name);
  // Every object keeps its bounds, so a record change repaints where it was and where it is now.
  void SavePreviousRegions();
  void RepaintObjectsWithSavedRegions();
  // ---- Properties pane edits (FolimarViewStyle.cpp) ----
  // One property (the pane's id) goes to the active object, or else to every selected object, as one
  // undo step.
  void SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, int propertyId);
  // After the active text field took `name`: it takes the content of the mirrored field of that name,
  // as one undo step.
  void RepaintMirroredObjectsAfterRename(LPCWSTR name);
  // The selected (select mode) or active labels become text fields, and back.
  void ConvertTextBox();
  void ConvertTextField();
  // ---- Spelling (FolimarViewSpelling.cpp) ----
  // The next word of `text` from `position` (separators: CR, LF, space): its start, and the position
  // after it, -1 when it ends the text.
  static CString EnumWords(const CString& text, int& position, int& start);
  // Moves the focus to the next object to check; 1 when the walk wrapped round or there is nothing
  // to walk.
  int ProcessTabKeyForSpelling(BOOL forward);
  // The conversion commands' two directions (new object, old object, page): the new one takes the
  // old one's place in the page's list and its selection, the old one stays there deleted until
  // the step is undone. A text field takes a data column where it stands; a label leaves the old
  // field's column alone, so an undo finds its values.
  void ConvertTextBoxCommand(CTranspBaseClass* field, CTranspBaseClass* label, int page);
  void RemoveTextBoxCommand(CTranspBaseClass* field, CTranspBaseClass* label, int page);
  void ConvertTextFieldCommand(CTranspBaseClass* label, CTranspBaseClass* field, int page);
  void RemoveTextFieldCommand(CTranspBaseClass* label, CTranspBaseClass* field, int page);

  // ---- Page image commands (FolimarViewPageImage.cpp) ----
  // The rotation dialog on `bitmap`: SUCCESS with the chosen angle (hundredths of a degree,
  // clockwise); the failing library result otherwise, -1 after an exception.
  int GetRotateAngleFromDialog(LBitmapBase* bitmap, int& angle);
  // Turns the active page by whole degrees, or with `ask` by the angle the rotation dialog gives.
  void RotatePage(int degrees, BOOL ask);
  // The first reference point whose marker box holds the client point; null for none.
  CRefPointTool* GetRefPointFromPoint(int x, int y);
  void RepaintRefPoint(CRefPointTool* tool);
  // Radians, positive when the right point of the two lies higher on the page; 0 unless there are two.
  double GetRefPointsAngle() const;
  void DeleteRefPoints(BOOL repaint);
  void AddRefPoint(POINT pagePoint);
  // Turns the page so that the two reference points lie on a horizontal or a vertical line.
  void DoImageStraighten();
  // The crop area cut out of the page image, which keeps its place on the page; one undo step.
  void DoImageCrop();
  // The crop area as the white (0) or black (1) reference of a colour correction.
  void DoImageColCorrection(int kind);

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

  // ---- Printing and page rendering (FolimarViewPrint.cpp) ----
  // Where DrawPrint draws, and what a printed page shows.
  enum { kOutputPrinter = 0, kOutputPreview = 1, kOutputPdf = 2 };
  enum { kPrintDataOnly = 0, kPrintBlankPaper = 1, kPrintImageOnly = 2 };
  // One page with the paper's corner at logical 0,0: on a printer or preview context by the print
  // mode (data only with the output offset, blank paper, image only), or on the PDF page of `pdf`
  // (image, erased areas and objects, shifted by the output offset).
  void DrawPrint(CDC* pDC, int page, int kind, IPdfDocument* pdf);
  // The page on white at `resolution` (image pixels at the page image's resolution), without objects
  // when `imageOnly` is set.
  void DrawOnImagePage(CDC* pDC, int page, SIZE resolution, BOOL imageOnly);
  // The page rendered into a new 24-bit bitmap of the page's paper size at the page image's
  // resolution; 1 on success.
  int GetPageAsBitmap(int page, LBitmapBase* bitmap, int flag);
  int GetActivePageAsBitmap(LBitmapBase* bitmap);
  // Every page appended to the list in order; 0 at the first that fails.
  int GetDocumentAsBitmapList(LBitmapList* list);
  // Writes the page as a metafile file; the handle belongs to the caller, null on failure.
  HENHMETAFILE WritePageToEmf(int page, LPCTSTR path);
  // A page image's resolution: the bitmap's, else the metafile's device, else the screen's.
  SIZE PageResolution(int page) const;
  int GetPrintMode() const { return m_printMode; }
  void SetPrintMode(int mode, BOOL printAllObjects) {
    m_printMode = mode;
    m_printAllObjects = printAllObjects;
  }

  // ---- The print loop (FolimarViewPrintJob.cpp) ----
  // File > Print as the batch mode runs it: with the application's print request, no dialog.
  void DoFilePrint();
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  // The page's orientation, paper, quality and resolution into the device mode when the document
  // applies its page settings; with `reset` the context takes the changed mode.
  void ApplyToPrinter(HGLOBAL devMode, int page, CDC* pDC, BOOL reset);
  // The printer the document stores becomes the application's, when the document asks for it.
  void RestorePrintingPreferences();

 protected:
  // ---- View menu: zoom ----
  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnToolbarFitToWindow();
  // ---- Main bar: the scale box ----
  afx_msg void OnComboScaleReturn();
  afx_msg void OnSelchangeComboScale();
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnDropFiles(HDROP drop);
  afx_msg void OnEditInsertImage();
  // ---- Mouse and keys ----
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnContextMenu(CWnd* window, CPoint point);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnSetFocus(CWnd* oldWindow);
  afx_msg void OnKillFocus(CWnd* newWindow);
  afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM);
  // ---- Edit menu: clipboard ----
  afx_msg void OnEditCopy();
  afx_msg void OnEditCut();
  afx_msg void OnEditPaste();
  afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
  // ---- Edit menu: the selection ----
  afx_msg void OnEditDelete();
  afx_msg void OnEditUndo();
  afx_msg void OnEditRedo();
  afx_msg void OnEditSelectAll();
  afx_msg void OnAlignCommand(UINT id);
  afx_msg void OnGroupbarSpaceHorz();
  afx_msg void OnGroupbarSpaceVert();
  afx_msg void OnEditAlignToGrid();
  afx_msg void OnEditSnapToGrid();
  afx_msg void OnEditObjectUp();
  afx_msg void OnLayerCommand(UINT id);
  afx_msg void OnEditFreezeObject();
  afx_msg void OnEditUnfreezeAllObject();
  afx_msg void OnEditRequired();
  afx_msg void OnEditClearContents();
  afx_msg void OnImageMoveCommand(UINT id);
  afx_msg void OnEditDecreaseTextWidth();
  afx_msg void OnEditDecreaseTextHeight();
  afx_msg void OnContextmenuRestoreproportions();
  afx_msg void OnRenumberForms();
  afx_msg void OnCommandAddToCollection();
  afx_msg void OnUpdateDecreaseText(CCmdUI* pCmdUI);
  afx_msg void OnUpdateRestoreProportions(CCmdUI* pCmdUI);
  afx_msg void OnUpdateAddToCollection(CCmdUI* pCmdUI);
  afx_msg void OnUpdateObjectUp(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditDelete(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
  afx_msg void OnUpdateAlignCommand(CCmdUI* pCmdUI);
  afx_msg void OnUpdateSpaceCommand(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditAlignToGrid(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditSnapToGrid(CCmdUI* pCmdUI);
  afx_msg void OnUpdateLayerCommand(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditFreezeObject(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditUnfreezeAllObject(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditRequired(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditClearContents(CCmdUI* pCmdUI);
  afx_msg void OnTimer(UINT_PTR id);
  // ---- Spelling ----
  afx_msg void OnToolbarSpelling();
  // ---- File menu: print and preview ----
  afx_msg void OnFilePrint();
  afx_msg void OnFilePrintDirect();
  afx_msg void OnFilePrintPreview();
  // ---- Image menu: the page image ----
  afx_msg void OnImageFlip();
  afx_msg void OnImageReverse();
  afx_msg void OnImageInvert();
  afx_msg void OnImageBrightness();
  afx_msg void OnImageContrast();
  afx_msg void OnImageRotateCommand(UINT id);
  afx_msg void OnImageRotateAnyAngle();
  afx_msg void OnImageResolution();
  afx_msg void OnImageResize();
  afx_msg void OnEditRotateImage();
  afx_msg void OnToolbarDoImageTransformation();
  afx_msg void OnUpdateMenuImage(CCmdUI* pCmdUI);
  afx_msg void OnUpdateDoImageTransformation(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

 private:
  // The field whose found text the view scrolls to, and how often its timer looked again.
  enum { kFoundSelectionTimer = 100 };
  CTranspText* m_pFoundField = nullptr;
  int m_foundRechecks = 0;
  // The active text object's words through the checker; FALSE when the user cancelled.
  BOOL CheckObjectSpelling(CSpellCheckerClient& checker);
  // The main frame when it is ours (null in tools and tests without one).
  static CMainFrame* GetMainFrame();
  // The page point at the window's top-left corner.
  POINT TopLeftPagePoint() const;
  // The live screen resolution of the window's device context (the stored one without a window).
  SIZE LiveDpi() const;
  // The client area's size.
  SIZE ClientSize() const;

  // Page image commands: the cache and the window after a change; the colour dialog's answer; the
  // crop area relative to the page image (page pixels).
  void AfterPageImageEdit();
  void RunPageImageEdit(BOOL (CFolimarDoc::*edit)(int));
  BOOL AskColourChange(BOOL contrast, int& change);
  CRect CropAreaOnImage() const;
  // The reference point being dragged in mode 4.
  CRefPointTool* m_pMovingRefPoint = nullptr;

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

  // Mouse editing: what the press started and the points it came from (client pixels, the group
  // move's and image drag's last points in page pixels).
  void OnLButtonDownObject(UINT flags, CPoint point);
  void OnLButtonDownRefPoint(CPoint point);
  void OnMouseMoveObject(UINT flags, CPoint point);
  void OnLButtonUpObject(UINT flags, CPoint point);
  void OnLButtonDownSelect(UINT flags, CPoint point);
  void OnMouseMoveSelect(UINT flags, CPoint point);
  void OnLButtonUpSelect(UINT flags, CPoint point);
  void OnRButtonDownObject(UINT flags, CPoint point);
  void OnRButtonDownSelect(UINT flags, CPoint point);
  // The hit test with the active object's precedence: a hit inside its bounds gives it.
  CTranspBaseClass* HitWithActiveRule(POINT point);
  // A client point rounded to page pixels, snapped with `snap`.
  CPoint RoundedPoint(CPoint point, BOOL snap);
  // The common steps of every creation: name, tab index, one undo step, focus, data column.
  CTranspBaseClass* AddCreatedObject(CTranspBaseClass* object, int activate);
  // Runs a command on the active page's history (applied at once without one).
  void DoCommand(UNDO::CommandBase* command);
  void BeginMacro();
  void EndMacro();
  // One CModifyCommand from a snapshot taken before the change.
  void RecordModify(const CUndoState& before, CTranspBaseClass* object);
  void SetModified();
  void MoveToListPosition(CTranspBaseClass* object, POSITION before, BOOL after);

  CTranspBaseClass* m_pCaptured = nullptr;
  CUndoState m_capturedState;
  BOOL m_buttonDown = FALSE;
  CPoint m_lastDown;
  CPoint m_lastUp;
  CPoint m_lastRightClick;
  BOOL m_groupMove = FALSE;
  BOOL m_moveDrag = FALSE;
  BOOL m_rubberBand = FALSE;
  CPoint m_groupLast;
  BOOL m_imageDrag = FALSE;
  CPoint m_imageLast;
  POINT m_lastPastePoint = {0, 0};
  BOOL m_blockPaste = FALSE;
  BOOL m_checkMarkPasted = FALSE;
  BOOL m_trackingLeave = FALSE;
  CDrawRect m_drawRect;
  CDrawEllipse m_drawEllipse;
  CDrawCircle m_drawCircle;
  CDrawLine m_drawLine;
  CDrawFreehand m_drawFreehand;
  CDrawPolygon m_drawPolygon;
  CConstRectTool m_eraser;
  // Erases (or with `restore` gives back) the page image under the eraser square; TRUE on a change.
  BOOL EraseUnderSquare(BOOL restore);
  // The eraser square follows the mouse in modes 14 and 15; FALSE once it has left the window.
  BOOL TrackEraser(CPoint point);
  // Registered for views of a document: objects, text and pictures dropped from any window.
  class CViewDropTarget : public COleDropTarget {
   public:
    DROPEFFECT OnDragEnter(CWnd* window, COleDataObject* data, DWORD keys, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* window, COleDataObject* data, DWORD keys, CPoint point) override;
    BOOL OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point) override;
  };
  CViewDropTarget m_dropTarget;
  BOOL m_showPageImage = TRUE;
  int m_tabOrderCounter = 1;
  _OBJECT_STYLE m_focusedStyle = {};
  RECT m_eraserRect = {0, 0, 0, 0};
  RECT m_previousEraserRect = {0, 0, 0, 0};
  CTypedPtrList<CPtrList, CRefPointTool*> m_refPointTools;
  CCropTool m_cropTool;
  CScaledBitmapCache m_scaledPages;

  // Printing.
  void DrawPrintBackground(HDC dc, int page, int kind, int physicalX, int physicalY);
  void DrawPdfBackground(CDC* pDC, int page, IPdfDocument* pdf);
  // One job per record of the options' range; `direct` skips the print dialog.
  void PrintRecords(BOOL direct);
  // The print options dialog: output offset, print mode and, with `withRecords`, the range of records
  // [first, end); FALSE on Cancel.
  BOOL AskPrintOptions(BOOL withRecords, int& first, int& end);
  // One complete job of every page for the record; FALSE when it could not start or a page failed.
  BOOL PrintOneRecord(CPrintInfo* info, int record);
  int m_printMode = kPrintBlankPaper;
  // Set while the print loop prepares a page's context, so the page's settings reach the printer.
  BOOL m_printing = FALSE;
  // Objects whose printable flag is off go to paper too (under the others).
  BOOL m_printAllObjects = TRUE;
};
