// The base of every object drawn over a page image (text fields, labels, check marks, shapes,
// pictures, barcodes): its state, its virtual interface for the document, the view and the panes,
// the headers of its document record and of its object data, and the painters of its state frames.
#pragma once
#include "Framework.h"

#include <cstdint>

#include "FieldProperties.h"
#include "ObjectStyle.h"
#include "UndoState.h"
#include "Variant.h"
#include "TranspObjectList.h"

struct IPdfDocument;

// ---- Kind numbers: three numberings, kept apart ----

// Tag in front of an object's record in the document file; 0 ends a page's list.
enum TRANSP_RECORD_TAG {
  RECORD_TAG_END = 0,
  RECORD_TAG_TEXT = 1,
  RECORD_TAG_CHECKMARK = 2,
  RECORD_TAG_RECTANGLE = 3,
  RECORD_TAG_ELLIPSE = 4,
  RECORD_TAG_LINE = 5,
  RECORD_TAG_FREEHAND = 6,
  RECORD_TAG_IMAGE = 9,
  RECORD_TAG_CIRCLE = 10,
  RECORD_TAG_LABEL = 20,
  RECORD_TAG_BARCODE = 21,
};

// Type code at offset 4 of object data (clipboard, drag and drop, shelf, page copies).
enum TRANSP_DATA_TYPE {
  DATA_TYPE_RECTANGLE = 1,
  DATA_TYPE_ELLIPSE = 2,
  DATA_TYPE_LINE = 3,
  DATA_TYPE_FREEHAND = 4,
  DATA_TYPE_TEXT = 6,
  DATA_TYPE_CHECKMARK = 7,
  DATA_TYPE_IMAGE = 8,
  DATA_TYPE_CIRCLE = 9,
  DATA_TYPE_GROUP = 15,
  DATA_TYPE_LABEL = 16,
  DATA_TYPE_BARCODE = 17,
};

// GetObjectKind: the view combines them into masks to decide which commands suit a selection.
enum TRANSP_KIND_BITS {
  KIND_TEXTFIELD = 1,
  KIND_LABEL = 2,
  KIND_CHECKMARK = 4,
  KIND_CLOSED_SHAPE = 8,  // circle, ellipse, rectangle, closed polygon
  KIND_OPEN_LINE = 16,    // line, open freehand stroke
  KIND_PICTURE = 32,
  KIND_BARCODE = 64,
};

// One row per class: the record tag (0: never stored), the data type code and the kind bits (the
// freehand's depend on whether it is closed: closed here, KIND_OPEN_LINE when open).
struct TRANSP_KIND_ROW {
  LPCWSTR className;
  int recordTag;
  int dataType;
  int kindBits;
};
const TRANSP_KIND_ROW* GetTranspKindTable(int& count);
// The row of a record tag or of a data type code; null when no class has it.
const TRANSP_KIND_ROW* FindKindByRecordTag(int tag);
const TRANSP_KIND_ROW* FindKindByDataType(int type);

// ---- Document record and object data ----

// The start of every class's fixed record structure. The record is: DWORD L (what follows, by the
// class's own rule), DWORD S, then S bytes of the fixed structure, then the class's variable part.
#pragma pack(push, 4)
struct TRANSP_RECORD_HEAD {
  uint32_t size;          // S again
  uint32_t version;
  double inchesPerUnit;
};
static_assert(sizeof(TRANSP_RECORD_HEAD) == 16, "record head is 16 bytes");

// The start of every object-data block except the group's.
struct TRANSP_DATA_HEAD {
  int32_t totalSize;      // of the whole block
  int32_t type;           // TRANSP_DATA_TYPE
  int32_t version;
  int32_t zero;
  double inchesPerUnit;
};
static_assert(sizeof(TRANSP_DATA_HEAD) == 24, "object-data head is 24 bytes");
#pragma pack(pop)

// Fixed structures larger than this are not ours: a bigger stored size is taken as a damaged file.
enum { MAX_RECORD_STRUCTURE = 64 * 1024 };

// Object data keeps its coordinates within MAX_OBJECT_COORDINATE units of 0 and its objects and the
// displacements of a group's members within MAX_OBJECT_EXTENT units (about 1,300 inches at the usual
// unit). Data beyond is refused as damaged: placing, measuring and moving objects add and subtract
// coordinates, and past these bounds the sums left 32 bits, so a pasted object came out elsewhere each
// time it was copied again. An object placed on a page stays within the coordinate bound.
enum { MAX_OBJECT_COORDINATE = 1 << 29, MAX_OBJECT_EXTENT = 1 << 27 };
// TRUE when the corners (left, top, right, bottom) lie within the coordinate bound and the sides
// within the extent bound.
BOOL IsBoxPlausible(const int32_t box[4]);
// The same for the box around `count` points (x, y pairs); TRUE for no points.
BOOL ArePointsPlausible(const POINT* points, size_t count);

// Reads an object-data block: checks the head against the block's real size and takes the
// inches-per-unit value into the process-wide one. The handle stays the caller's.
class CTranspDataReader {
 public:
  explicit CTranspDataReader(HGLOBAL data);
  ~CTranspDataReader();
  CTranspDataReader(const CTranspDataReader&) = delete;
  CTranspDataReader& operator=(const CTranspDataReader&) = delete;

  // FALSE for a null or unlockable handle, a block shorter than its head or than its stated size.
  BOOL IsValid() const { return m_valid; }
  const TRANSP_DATA_HEAD& GetHead() const { return m_head; }
  // The class data after the head and its byte count.
  const BYTE* GetClassData() const { return m_classData; }
  UINT GetClassSize() const { return m_classSize; }
  // Copies the class data into a zeroed structure of `size` bytes; a shorter block leaves the rest 0.
  void ReadClassData(void* structure, UINT size) const;

 private:
  HGLOBAL m_data;
  BYTE* m_locked = nullptr;
  BOOL m_valid = FALSE;
  TRANSP_DATA_HEAD m_head = {};
  const BYTE* m_classData = nullptr;
  UINT m_classSize = 0;
};

// ---- What the base asks of the view ----

// The view's coordinate conversions, in this order; each converts in place. The view fills the table
// when it is created (one per process).
typedef void (*VIEW_POINT_CONVERSION)(CWnd* view, POINT* point);
typedef void (*VIEW_RECT_CONVERSION)(CWnd* view, RECT* rect);
struct VIEW_CONVERSIONS {
  VIEW_POINT_CONVERSION UnitToPagePt;
  VIEW_RECT_CONVERSION UnitToPageRc;
  VIEW_POINT_CONVERSION PageToUnitPt;
  VIEW_RECT_CONVERSION PageToUnitRc;
  VIEW_POINT_CONVERSION PageToViewPt;
  VIEW_RECT_CONVERSION PageToViewRc;
  VIEW_POINT_CONVERSION PageToClientPt;
  VIEW_RECT_CONVERSION PageToClientRc;
  VIEW_POINT_CONVERSION ClientToPagePt;
  VIEW_RECT_CONVERSION ClientToPageRc;
  VIEW_POINT_CONVERSION ViewToClientPt;
  VIEW_RECT_CONVERSION ViewToClientRc;
  VIEW_POINT_CONVERSION ViewToPagePt;
  VIEW_RECT_CONVERSION ViewToPageRc;
  double (*GetFontScaleFactor)(CWnd* view);
};

class CFolimarView;
class CTranspBaseClass;
class CommandManagerT;

// The rest of what objects need of the view, filled by the view beside the conversions. Every entry
// may be missing (tools and tests without a view): the objects then skip what it would have done.
struct TRANSP_VIEW_LINK {
  int (*GetProgramMode)(CWnd* view);    // 22 tab order, 23 form filling
  void (*SetModified)(CWnd* view);      // marks the view's document modified
  // The form-mode field highlight: the view's "Highlight fields" switch and its colour.
  BOOL (*IsHighlightFields)(CWnd* view);
  COLORREF (*GetHighlightColor)(CWnd* view);
  // The view as the undo commands name it, and the undo manager of its active page.
  CFolimarView* (*GetFolimarView)(CWnd* view);
  CommandManagerT* (*GetUndoManager)(CWnd* view);
  // Radio groups: on the active page every check mark of `group` becomes checked only if it is
  // `checkMark`, as one undo step (InvertCheckMarkGroup does the work on a page's list).
  void (*InvertCheckMarks)(CWnd* view, int group, CTranspBaseClass* checkMark);
};
constexpr int PROGRAM_MODE_TAB_ORDER = 22;
constexpr int PROGRAM_MODE_FORM = 23;

// The data-exchange converter's item call in the viz export: one object's geometry and style.
class CVizConverter {
 public:
  virtual ~CVizConverter() = default;
  virtual void AddObjectItem(double left, double top, double width, double height, int color, int penStyle,
                             double lineWidth, double extra, LPCWSTR name, bool printable) = 0;
  // The line's second call after its item: the vector from its first to its second end point.
  virtual void AddLineVector(double dx, double dy) = 0;
  // The picture's second call after its item: the path of its image saved as a PNG file.
  virtual void AddObjectImage(LPCWSTR path) { (void)path; }
  // The check mark's second call after its item: its state and its radio group.
  virtual void AddCheckMarkState(short state, int group) {
    (void)state;
    (void)group;
  }
};

// ---- The object ----

class CTranspBaseClass : public CCmdTarget {
 public:
  CTranspBaseClass(CWnd* view, int pageIndex);
  ~CTranspBaseClass() override;

  // Slot 2: the document record; the base has none.
  void Serialize(CArchive& ar) override;

  virtual int GetStyleFlag();                                         // 22
  virtual void DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg);    // 23
  virtual RECT* GetAlignRect(RECT* out) = 0;                          // 24, units
  virtual void GetBoundsRect(RECT* out, int arg) = 0;                 // 25, client pixels
  virtual void GetRepaintRect(RECT* out);                             // 26
  virtual void Draw(CDC* dc, int print, POINT* dpi);                  // 27
  virtual int IsEmpty();                                              // 28
  virtual int OnLButtonDown(UINT flags, int x, int y);                // 29
  virtual int OnMouseMove(UINT flags, int x, int y);                  // 30
  virtual void OnLButtonUp(UINT flags, int x, int y);                 // 31
  virtual void OnLButtonDblClk(UINT flags, int x, int y);             // 32
  virtual void OnChar(UINT ch, UINT repeat, UINT flags);              // 33
  virtual int OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);  // 34, a DROPEFFECT
  virtual int OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);   // 35
  virtual void SetFocused(int focused);                               // 36
  virtual void SetSelected(int selected);                             // 37
  virtual void MoveBy(int dx, int dy);                                // 38, units
  virtual void SetView(CWnd* view);                                   // 39
  virtual int GetPageIndex();                                         // 40
  virtual int PtInBox(POINT* client, int arg);                        // 41
  virtual HGLOBAL GetObData() = 0;                                    // 42, the caller owns it
  virtual int CanCopyToClipboard();                                   // 43
  virtual void BeginDrag();                                           // 44
  virtual void CopyToClipboard();                                     // 45
  virtual void SavePosition();                                        // 46
  virtual void RestorePosition();                                     // 47
  virtual void GetProperties(_PROPERTIES* out);                       // 48
  virtual void SetProperties(_PROPERTIES properties);                 // 49
  virtual void GetObjectStyle(_OBJECT_STYLE* out);                    // 50
  // 51: `fieldId` names the one field a property control changed; null copies the whole block.
  virtual void SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* fieldId,
                              int repaint);
  virtual int GetObjectKind();                                        // 52, TRANSP_KIND_BITS
  virtual CVariant& GetValue();                                       // 53
  virtual void SetValue(CVariant value);                              // 54
  virtual void StoringVIZ(CVizConverter* converter);                  // 55
  virtual void DrawSelectFrame(CDC* dc, int left, int top, int right, int bottom, int middles);  // 56
  virtual CString GetName();                                          // 57
  virtual void SetName(LPCWSTR name);                                 // 58
  virtual void SetUndoState(const CUndoState& state);                 // 59
  virtual CUndoState GetUndoState();                                  // 60
  virtual CUndoState GetSavedUndoState();                             // 61
  virtual void SaveUndoState();                                       // 62
  virtual int IsField();                                              // 63
  virtual int IsPrintable();                                          // 64

  // Invalidates the repaint rectangle (united with `extra`) in the view without erasing.
  void Repaint(const RECT* extra = nullptr);
  // The view's screen drawing: nothing for a deleted object.
  void DrawScreen(CDC* dc, int print, POINT* dpi);
  void MoveBy(SIZE size) { MoveBy(size.cx, size.cy); }
  void SetModified();
  void AlignLeftTo(int x);
  void AlignRightTo(int x);
  void AlignTopTo(int y);
  void AlignBottomTo(int y);

  void SetDeleted(int deleted);
  int IsDeleted() const { return m_deleted; }
  // A data constructor that refused its block (damaged, or of another kind) leaves the object empty
  // and says so here: a paste, a drop or a copy through data must not place it.
  BOOL WasDataRefused() const { return m_dataRefused; }
  void SetFrozen(int frozen) { m_frozen = frozen; }
  int IsFrozen() const { return m_frozen; }
  BOOL IsMirrored() const { return m_mirrored != 0; }
  void SetMirrored(int mirrored) { m_mirrored = mirrored ? 1 : 0; }
  // The first field of a mirrored group carries the lead flag; the view marks the others by it.
  void SetLeadField(int lead) { m_pdfNameSet = lead; }
  int IsLeadField() const { return m_pdfNameSet; }
  // The page the object is on; the document places it there and renumbers after page changes.
  void SetPageIndex(int pageIndex) { m_pageIndex = pageIndex; }
  void SetTabOrderIndex(int index) { m_tabOrderIndex = index; }
  int GetTabOrderIndex() const { return m_tabOrderIndex; }
  void SaveRegion();
  RECT GetSavedRegion() const { return m_savedRegion; }
  int IsFocused() const { return m_focused; }
  int IsSelected() const { return m_selected; }
  CWnd* GetView() const { return m_pView; }
  const RECT& GetRect() const { return m_rect; }
  // The line width in view pixels, at least 1.
  int GetPixelLineWidth();

  // The two registered clipboard formats of object data; only the first is used.
  static void SetClipboardFormat(UINT format) { s_clipboardFormat = format; }
  static void SetClipboardFormat2(UINT format) { s_clipboardFormat2 = format; }
  static UINT GetClipboardFormat() { return s_clipboardFormat; }
  static UINT GetClipboardFormat2() { return s_clipboardFormat2; }

  // Every stored geometry is in units of this many inches; records and data blocks carry it and
  // reading one sets it.
  static double GetInchesPerUnit() { return s_inchesPerUnit; }
  // Ignores a value outside 1e-7 to 1 inch: every conversion divides by it, and a unit far smaller or
  // larger (damaged data) carried coordinates past 32 bits on their way to the screen.
  static void SetInchesPerUnit(double inchesPerUnit);
  static int InchToUnit(double inches);
  static double UnitToInch(int units);

  static void SetViewConversions(const VIEW_CONVERSIONS* table);
  static const VIEW_CONVERSIONS* GetViewConversions() { return s_conversions; }
  static void SetViewLink(const TRANSP_VIEW_LINK* link);
  static const TRANSP_VIEW_LINK* GetViewLink() { return s_viewLink; }

  // Conversions through the view's table; without a view or a table the value is left as it is.
  void UnitToPage(POINT* p);
  void UnitToPage(RECT* r);
  void PageToUnit(POINT* p);
  void PageToUnit(RECT* r);
  void PageToView(POINT* p);
  void PageToView(RECT* r);
  void PageToClient(POINT* p);
  void PageToClient(RECT* r);
  void ClientToPage(POINT* p);
  void ClientToPage(RECT* r);
  void ViewToClient(POINT* p);
  void ViewToClient(RECT* r);
  void ViewToPage(POINT* p);
  void ViewToPage(RECT* r);
  BOOL IsTabOrderMode();
  BOOL IsFormMode();

  // Record helpers for the classes' Serialize. Storing: fills the head of `structure` (size, version,
  // the process-wide inches-per-unit) and writes L, S and the structure.
  static void StoreRecordStructure(CArchive& ar, uint32_t length, void* structure, uint32_t size, uint32_t version);
  // Loading (tag and L already read): reads S and S bytes into the zeroed `structure` of `size`
  // bytes, skipping what lies beyond it; takes the stored inches-per-unit value. A stored size
  // smaller than the head, larger than MAX_RECORD_STRUCTURE or than what the archive still holds
  // ends the load with the archive exception. Returns the stored size.
  static uint32_t LoadRecordStructure(CArchive& ar, void* structure, uint32_t size);
  // A new movable, zeroed block: the head (total, type, version, 0, inches-per-unit) and the class
  // data after it. NULL when it cannot be allocated.
  static HGLOBAL NewObData(int32_t type, int32_t version, const void* classData, uint32_t classSize);

  // Painters shared by the classes (client pixels).
  static void DrawSelectSquare(CDC* dc, int x, int y);
  static void DrawFocusSquare(CDC* dc, int x, int y);
  static void DrawFocusCircle(CDC* dc, int x, int y);
  static void DrawFocusFrame(CDC* dc, int left, int top, int right, int bottom, int middles);
  static void DrawFreezeFrame(CDC* dc, int left, int top, int right, int bottom);
  // One X of a freeze frame, centred on (x, y).
  static void DrawFreezeMark(CDC* dc, int x, int y);
  void DrawTabOrderIndex(CDC* dc);
  // The colour a shape draws in: the tab-order colours in tab-order mode, else the style's.
  COLORREF GetDrawColor();
  // A coordinate in units on a printer or bitmap of `resolution` dots per inch.
  static int UnitToDevice(int units, int resolution);
  // The shapes' pen: geometric, square ends, the style's pen style, solid in GetDrawColor. Its width
  // is the pixel line width on the screen; in print the line width at the horizontal resolution
  // (`dpi` or the device's); never below 1.
  BOOL CreateShapePen(CPen& pen, CDC* dc, int print, const POINT* dpi);

 protected:
  // Hides the view's caret when the view window has the focus; before a state frame is drawn.
  void HideViewCaret();

  RECT m_rect;
  CWnd* m_pView;
  int m_pageIndex;
  int m_focused;
  int m_selected;
  int m_tracking;
  POINT m_lastMousePoint;
  int m_textReserved1;
  int m_positionSaved;
  RECT m_savedRect;
  RECT m_savedRepaintRect;
  CString m_name;
  COLORREF m_tabOrderColor;
  COLORREF m_tabOrderFocusColor;
  COLORREF m_textColor1;
  COLORREF m_textColor2;
  int m_graphReserved1;
  int m_graphReserved2;
  int m_closed;
  int m_deleted;
  int m_frozen;
  BOOL m_dataRefused = FALSE;
  CUndoState m_keptState;
  _OBJECT_STYLE m_style;
  CVariant m_value;
  RECT m_savedRegion;
  BYTE m_mirrored;
  int m_pdfNameSet;
  int m_textReserved2;
  int m_tabOrderIndex;

 private:
  static double s_inchesPerUnit;
  static UINT s_clipboardFormat;
  static UINT s_clipboardFormat2;
  static const VIEW_CONVERSIONS* s_conversions;
  static const TRANSP_VIEW_LINK* s_viewLink;
};
