#include "TranspBaseClass.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ErrorLog.h"
#include "MyProcs.h"

namespace {

const TRANSP_KIND_ROW kKindTable[] = {
    {L"CTranspText", RECORD_TAG_TEXT, DATA_TYPE_TEXT, KIND_TEXTFIELD},
    {L"CTranspCheckMark", RECORD_TAG_CHECKMARK, DATA_TYPE_CHECKMARK, KIND_CHECKMARK},
    {L"CTranspRectangle", RECORD_TAG_RECTANGLE, DATA_TYPE_RECTANGLE, KIND_CLOSED_SHAPE},
    {L"CTranspEllipse", RECORD_TAG_ELLIPSE, DATA_TYPE_ELLIPSE, KIND_CLOSED_SHAPE},
    {L"CTranspLine", RECORD_TAG_LINE, DATA_TYPE_LINE, KIND_OPEN_LINE},
    {L"CTranspFreehand", RECORD_TAG_FREEHAND, DATA_TYPE_FREEHAND, KIND_CLOSED_SHAPE},
    {L"CTranspImage", RECORD_TAG_IMAGE, DATA_TYPE_IMAGE, KIND_PICTURE},
    {L"CTranspCircle", RECORD_TAG_CIRCLE, DATA_TYPE_CIRCLE, KIND_CLOSED_SHAPE},
    {L"CTranspLabel", RECORD_TAG_LABEL, DATA_TYPE_LABEL, KIND_LABEL},
    {L"CTranspBarcode", RECORD_TAG_BARCODE, DATA_TYPE_BARCODE, KIND_BARCODE},
    {L"CTranspBlock", RECORD_TAG_END, DATA_TYPE_GROUP, 0},
};

}  // namespace

const TRANSP_KIND_ROW* GetTranspKindTable(int& count) {
  count = static_cast<int>(sizeof(kKindTable) / sizeof(kKindTable[0]));
  return kKindTable;
}

const TRANSP_KIND_ROW* FindKindByRecordTag(int tag) {
  if (tag == RECORD_TAG_END) return nullptr;
  for (const TRANSP_KIND_ROW& row : kKindTable) {
    if (row.recordTag == tag) return &row;
  }
  return nullptr;
}

const TRANSP_KIND_ROW* FindKindByDataType(int type) {
  for (const TRANSP_KIND_ROW& row : kKindTable) {
    if (row.dataType == type) return &row;
  }
  return nullptr;
}

// ---- Object data ----

CTranspDataReader::CTranspDataReader(HGLOBAL data) : m_data(data) {
  DEF_TRY
  if (data == nullptr) return;
  m_locked = static_cast<BYTE*>(::GlobalLock(data));
  if (m_locked == nullptr) return;
  SIZE_T blockSize = ::GlobalSize(data);
  if (blockSize < sizeof(TRANSP_DATA_HEAD)) return;
  std::memcpy(&m_head, m_locked, sizeof(m_head));
  // The stated size is what the readers walk; it must lie inside the block the system gave us.
  if (m_head.totalSize < static_cast<int32_t>(sizeof(TRANSP_DATA_HEAD)) ||
      static_cast<SIZE_T>(m_head.totalSize) > blockSize) {
    return;
  }
  m_classData = m_locked + sizeof(TRANSP_DATA_HEAD);
  m_classSize = static_cast<UINT>(m_head.totalSize) - sizeof(TRANSP_DATA_HEAD);
  CTranspBaseClass::SetInchesPerUnit(m_head.inchesPerUnit);
  m_valid = TRUE;
  DEF_CATCH("CTranspDataReader::CTranspDataReader")
}

CTranspDataReader::~CTranspDataReader() {
  if (m_locked != nullptr) ::GlobalUnlock(m_data);
}

void CTranspDataReader::ReadClassData(void* structure, UINT size) const {
  std::memset(structure, 0, size);
  if (!m_valid) return;
  std::memcpy(structure, m_classData, size < m_classSize ? size : m_classSize);
}

// ---- Process-wide values ----

double CTranspBaseClass::s_inchesPerUnit = 0.00001;
UINT CTranspBaseClass::s_clipboardFormat = 0;
UINT CTranspBaseClass::s_clipboardFormat2 = 0;
const VIEW_CONVERSIONS* CTranspBaseClass::s_conversions = nullptr;
const TRANSP_VIEW_LINK* CTranspBaseClass::s_viewLink = nullptr;

BOOL IsBoxPlausible(const int32_t box[4]) {
  for (int i = 0; i < 4; ++i)
    if (box[i] < -MAX_OBJECT_COORDINATE || box[i] > MAX_OBJECT_COORDINATE) return FALSE;
  const int64_t width = static_cast<int64_t>(box[2]) - box[0], height = static_cast<int64_t>(box[3]) - box[1];
  return width >= -MAX_OBJECT_EXTENT && width <= MAX_OBJECT_EXTENT && height >= -MAX_OBJECT_EXTENT &&
         height <= MAX_OBJECT_EXTENT;
}

BOOL ArePointsPlausible(const POINT* points, size_t count) {
  if (count == 0) return TRUE;
  int32_t box[4] = {points[0].x, points[0].y, points[0].x, points[0].y};
  for (size_t i = 1; i < count; ++i) {
    box[0] = std::min<int32_t>(box[0], points[i].x);
    box[1] = std::min<int32_t>(box[1], points[i].y);
    box[2] = std::max<int32_t>(box[2], points[i].x);
    box[3] = std::max<int32_t>(box[3], points[i].y);
  }
  return IsBoxPlausible(box);
}

void CTranspBaseClass::SetInchesPerUnit(double inchesPerUnit) {
  if (!std::isfinite(inchesPerUnit) || inchesPerUnit < 1e-7 || inchesPerUnit > 1.0) {
    AppendErrorLog(L"TranspBaseClass: an inches-per-unit value that is no usable unit was ignored");
    return;
  }
  s_inchesPerUnit = inchesPerUnit;
}

int CTranspBaseClass::InchToUnit(double inches) {
  return RoundToInt(inches / s_inchesPerUnit);
}

double CTranspBaseClass::UnitToInch(int units) {
  return units * s_inchesPerUnit;
}

void CTranspBaseClass::SetViewConversions(const VIEW_CONVERSIONS* table) {
  s_conversions = table;
}

void CTranspBaseClass::SetViewLink(const TRANSP_VIEW_LINK* link) {
  s_viewLink = link;
}

// ---- Construction ----

CTranspBaseClass::CTranspBaseClass(CWnd* view, int pageIndex)
    : m_rect{0, 0, 0, 0},
      m_pView(view),
      m_pageIndex(pageIndex),
      m_focused(0),
      m_selected(0),
      m_tracking(0),
      m_lastMousePoint{0, 0},
      m_textReserved1(0),
      m_positionSaved(0),
      m_savedRect{0, 0, 0, 0},
      m_savedRepaintRect{0, 0, 0, 0},
      m_name(L"Untitled"),
      m_tabOrderColor(0x808080),
      m_tabOrderFocusColor(0x000000),
      m_textColor1(0xE0E0E0),
      m_textColor2(0xB0B0B0),
      m_graphReserved1(0),
      m_graphReserved2(0),
      m_closed(0),
      m_deleted(0),
      m_frozen(0),
      m_savedRegion{0, 0, 0, 0},
      m_mirrored(0),
      m_pdfNameSet(0),
      m_textReserved2(0),
      m_tabOrderIndex(0) {
  std::memset(&m_style, 0, sizeof(m_style));
  m_style.lineWidth = 100;
}

CTranspBaseClass::~CTranspBaseClass() = default;

void CTranspBaseClass::Serialize(CArchive& ar) {
  (void)ar;
}

// ---- Base behaviour of the slots ----

int CTranspBaseClass::GetStyleFlag() { return 0; }

void CTranspBaseClass::DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg) {
  (void)pdf;
  (void)arg;
  DEF_TRY
  Draw(dc, 1, nullptr);
  DEF_CATCH("CTranspBaseClass::DrawOnPDFPage")
}

void CTranspBaseClass::GetRepaintRect(RECT* out) {
  DEF_TRY
  GetBoundsRect(out, 0);
  DEF_CATCH("CTranspBaseClass::GetRepaintRect")
}

void CTranspBaseClass::Draw(CDC* dc, int print, POINT* dpi) {
  (void)dc;
  (void)print;
  (void)dpi;
}

int CTranspBaseClass::IsEmpty() { return 0; }

int CTranspBaseClass::OnLButtonDown(UINT flags, int x, int y) {
  (void)flags;
  (void)x;
  (void)y;
  DEF_TRY
  SavePosition();
  return 1;
  DEF_CATCH("CTranspBaseClass::OnLButtonDown")
  return 0;
}

void CTranspBaseClass::OnLButtonUp(UINT flags, int x, int y) {
  (void)flags;
  (void)x;
  (void)y;
}

void CTranspBaseClass::OnLButtonDblClk(UINT flags, int x, int y) {
  (void)flags;
  (void)x;
  (void)y;
}

void CTranspBaseClass::OnChar(UINT ch, UINT repeat, UINT flags) {
  (void)ch;
  (void)repeat;
  (void)flags;
}

int CTranspBaseClass::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) {
  (void)data;
  (void)keyState;
  (void)point;
  return 0;
}

int CTranspBaseClass::OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) {
  (void)data;
  (void)effect;
  (void)point;
  return 0;
}

void CTranspBaseClass::SetFocused(int focused) {
  DEF_TRY
  if (m_focused == focused) return;
  m_focused = focused;
  Repaint();
  DEF_CATCH("CTranspBaseClass::SetFocused")
}

void CTranspBaseClass::SetSelected(int selected) {
  DEF_TRY
  if (m_selected == selected) return;
  m_selected = selected;
  Repaint();
  DEF_CATCH("CTranspBaseClass::SetSelected")
}

void CTranspBaseClass::MoveBy(int dx, int dy) {
  (void)dx;
  (void)dy;
}

void CTranspBaseClass::SetView(CWnd* view) { m_pView = view; }

int CTranspBaseClass::GetPageIndex() { return m_pageIndex; }

int CTranspBaseClass::PtInBox(POINT* client, int arg) {
  (void)arg;
  DEF_TRY
  if (client == nullptr) return 0;
  RECT bounds;
  GetBoundsRect(&bounds, 0);
  return ::PtInRect(&bounds, *client) ? 1 : 0;
  DEF_CATCH("CTranspBaseClass::PtInBox")
  return 0;
}

int CTranspBaseClass::CanCopyToClipboard() { return 1; }

// The base keeps the rectangle; the classes with more geometry keep theirs as well.
void CTranspBaseClass::SavePosition() {
  DEF_TRY
  m_savedRect = m_rect;
  GetRepaintRect(&m_savedRepaintRect);
  m_positionSaved = 1;
  DEF_CATCH("CTranspBaseClass::SavePosition")
}

void CTranspBaseClass::RestorePosition() {
  DEF_TRY
  if (!m_positionSaved) return;
  m_rect = m_savedRect;
  m_positionSaved = 0;
  Repaint(&m_savedRepaintRect);
  DEF_CATCH("CTranspBaseClass::RestorePosition")
}

void CTranspBaseClass::GetProperties(_PROPERTIES* out) {
  DEF_TRY
  if (out == nullptr) return;
  *out = _PROPERTIES();
  out->name = m_name;
  DEF_CATCH("CTranspBaseClass::GetProperties")
}

void CTranspBaseClass::SetProperties(_PROPERTIES properties) { (void)properties; }

void CTranspBaseClass::GetObjectStyle(_OBJECT_STYLE* out) {
  if (out != nullptr) std::memcpy(out, &m_style, sizeof(m_style));
}

void CTranspBaseClass::SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* fieldId,
                                      int repaint) {
  (void)properties;
  (void)style;
  (void)fieldId;
  (void)repaint;
}

int CTranspBaseClass::GetObjectKind() { return 0; }

CVariant& CTranspBaseClass::GetValue() { return m_value; }

void CTranspBaseClass::SetValue(CVariant value) {
  DEF_TRY
  m_value = value;
  DEF_CATCH("CTranspBaseClass::SetValue")
}

// The converter takes inches scaled by the factor its format was made with.
void CTranspBaseClass::StoringVIZ(CVizConverter* converter) {
  DEF_TRY
  if (converter == nullptr) return;
  const double scale = 0.000958;
  converter->AddObjectItem(m_rect.left * scale, m_rect.top * scale, (m_rect.right - m_rect.left) * scale,
                           (m_rect.bottom - m_rect.top) * scale, static_cast<int>(m_style.color),
                           m_style.penStyle + 1, m_style.lineWidth * scale, 0.0, m_name, m_style.printable != 0);
  DEF_CATCH("CTranspBaseClass::StoringVIZ")
}

CString CTranspBaseClass::GetName() { return m_name; }

void CTranspBaseClass::SetName(LPCWSTR name) {
  DEF_TRY
  m_name = name != nullptr ? name : L"";
  DEF_CATCH("CTranspBaseClass::SetName")
}

void CTranspBaseClass::SetUndoState(const CUndoState& state) { (void)state; }

CUndoState CTranspBaseClass::GetUndoState() { return CUndoState(); }

CUndoState CTranspBaseClass::GetSavedUndoState() { return m_keptState; }

void CTranspBaseClass::SaveUndoState() {
  DEF_TRY
  m_keptState = GetUndoState();
  DEF_CATCH("CTranspBaseClass::SaveUndoState")
}

int CTranspBaseClass::IsField() { return 0; }

int CTranspBaseClass::IsPrintable() { return m_style.printable; }

// ---- Non-virtual operations ----

void CTranspBaseClass::DrawScreen(CDC* dc, int print, POINT* dpi) {
  DEF_TRY
  if (!m_deleted) Draw(dc, print, dpi);
  DEF_CATCH("CTranspBaseClass::DrawScreen")
}

void CTranspBaseClass::SetModified() {
  DEF_TRY
  if (m_pView != nullptr && s_viewLink != nullptr && s_viewLink->SetModified != nullptr) {
    s_viewLink->SetModified(m_pView);
  }
  DEF_CATCH("CTranspBaseClass::SetModified")
}

void CTranspBaseClass::AlignLeftTo(int x) {
  DEF_TRY
  RECT r;
  GetAlignRect(&r);
  MoveBy(x - r.left, 0);
  DEF_CATCH("CTranspBaseClass::AlignLeftTo")
}

void CTranspBaseClass::AlignRightTo(int x) {
  DEF_TRY
  RECT r;
  GetAlignRect(&r);
  MoveBy(x - r.right, 0);
  DEF_CATCH("CTranspBaseClass::AlignRightTo")
}

void CTranspBaseClass::AlignTopTo(int y) {
  DEF_TRY
  RECT r;
  GetAlignRect(&r);
  MoveBy(0, y - r.top);
  DEF_CATCH("CTranspBaseClass::AlignTopTo")
}

void CTranspBaseClass::AlignBottomTo(int y) {
  DEF_TRY
  RECT r;
  GetAlignRect(&r);
  MoveBy(0, y - r.bottom);
  DEF_CATCH("CTranspBaseClass::AlignBottomTo")
}

void CTranspBaseClass::SetDeleted(int deleted) {
  DEF_TRY
  m_deleted = deleted;
  Repaint();
  DEF_CATCH("CTranspBaseClass::SetDeleted")
}

void CTranspBaseClass::SaveRegion() {
  DEF_TRY
  GetBoundsRect(&m_savedRegion, 0);
  DEF_CATCH("CTranspBaseClass::SaveRegion")
}

int CTranspBaseClass::GetPixelLineWidth() {
  DEF_TRY
  POINT w = {m_style.lineWidth, m_style.lineWidth};
  UnitToPage(&w);
  PageToView(&w);
  return w.x != 0 ? w.x : 1;
  DEF_CATCH("CTranspBaseClass::GetPixelLineWidth")
  return 1;
}

// ---- Conversions through the view ----

#define TRANSP_CONVERT(member, entry, Type)                                                  \
  void CTranspBaseClass::member(Type* value) {                                              \
    if (m_pView != nullptr && s_conversions != nullptr && s_conversions->entry != nullptr) { \
      s_conversions->entry(m_pView, value);                                                 \
    }                                                                                       \
  }
TRANSP_CONVERT(UnitToPage, UnitToPagePt, POINT)
TRANSP_CONVERT(UnitToPage, UnitToPageRc, RECT)
TRANSP_CONVERT(PageToUnit, PageToUnitPt, POINT)
TRANSP_CONVERT(PageToUnit, PageToUnitRc, RECT)
TRANSP_CONVERT(PageToView, PageToViewPt, POINT)
TRANSP_CONVERT(PageToView, PageToViewRc, RECT)
TRANSP_CONVERT(PageToClient, PageToClientPt, POINT)
TRANSP_CONVERT(PageToClient, PageToClientRc, RECT)
TRANSP_CONVERT(ClientToPage, ClientToPagePt, POINT)
TRANSP_CONVERT(ClientToPage, ClientToPageRc, RECT)
TRANSP_CONVERT(ViewToClient, ViewToClientPt, POINT)
TRANSP_CONVERT(ViewToClient, ViewToClientRc, RECT)
TRANSP_CONVERT(ViewToPage, ViewToPagePt, POINT)
TRANSP_CONVERT(ViewToPage, ViewToPageRc, RECT)
#undef TRANSP_CONVERT

BOOL CTranspBaseClass::IsTabOrderMode() {
  return m_pView != nullptr && s_viewLink != nullptr && s_viewLink->GetProgramMode != nullptr &&
         s_viewLink->GetProgramMode(m_pView) == PROGRAM_MODE_TAB_ORDER;
}

BOOL CTranspBaseClass::IsFormMode() {
  return m_pView != nullptr && s_viewLink != nullptr && s_viewLink->GetProgramMode != nullptr &&
         s_viewLink->GetProgramMode(m_pView) == PROGRAM_MODE_FORM;
}

// ---- Record helpers ----

void CTranspBaseClass::StoreRecordStructure(CArchive& ar, uint32_t length, void* structure, uint32_t size,
                                            uint32_t version) {
  ASSERT(size >= sizeof(TRANSP_RECORD_HEAD));
  TRANSP_RECORD_HEAD head = {size, version, s_inchesPerUnit};
  std::memcpy(structure, &head, sizeof(head));
  ar << static_cast<DWORD>(length) << static_cast<DWORD>(size);
  ar.Write(structure, size);
}

uint32_t CTranspBaseClass::LoadRecordStructure(CArchive& ar, void* structure, uint32_t size) {
  ASSERT(size >= sizeof(TRANSP_RECORD_HEAD));
  std::memset(structure, 0, size);
  DWORD stored = 0;
  ar >> stored;
  // Smaller than the head leaves no version to decide by; larger than any class's structure (or
  // negative as a signed value) can only be damage, and skipping it would walk past the file.
  if (stored < sizeof(TRANSP_RECORD_HEAD) || stored > MAX_RECORD_STRUCTURE) {
    AppendErrorLog(L"TranspBaseClass: an object record states an impossible structure size");
    AfxThrowArchiveException(CArchiveException::badIndex);
  }
  CheckArchiveCount(ar, stored, 1);
  const uint32_t own = stored < size ? stored : size;
  ReadArchiveExact(ar, structure, own);
  for (uint32_t rest = stored - own; rest > 0;) {
    BYTE skip[256];
    const uint32_t chunk = rest < sizeof(skip) ? rest : static_cast<uint32_t>(sizeof(skip));
    ReadArchiveExact(ar, skip, chunk);
    rest -= chunk;
  }
  TRANSP_RECORD_HEAD head;
  std::memcpy(&head, structure, sizeof(head));
  SetInchesPerUnit(head.inchesPerUnit);
  return stored;
}

HGLOBAL CTranspBaseClass::NewObData(int32_t type, int32_t version, const void* classData, uint32_t classSize) {
  DEF_TRY
  const SIZE_T total = sizeof(TRANSP_DATA_HEAD) + static_cast<SIZE_T>(classSize);
  if (total > 0x7FFFFFFF) return nullptr;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, total);
  if (block == nullptr) return nullptr;
  BYTE* p = static_cast<BYTE*>(::GlobalLock(block));
  if (p == nullptr) {
    ::GlobalFree(block);
    return nullptr;
  }
  TRANSP_DATA_HEAD head = {static_cast<int32_t>(total), type, version, 0, s_inchesPerUnit};
  std::memcpy(p, &head, sizeof(head));
  if (classData != nullptr && classSize > 0) std::memcpy(p + sizeof(head), classData, classSize);
  ::GlobalUnlock(block);
  return block;
  DEF_CATCH("CTranspBaseClass::NewObData")
  return nullptr;
}
