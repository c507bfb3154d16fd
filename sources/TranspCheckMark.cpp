// The check mark's state: construction, record and object data, toggling by mouse and keys, radio
// groups, value, properties, style fields and undo snapshots.
#include "TranspCheckMark.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "ErrorLog.h"
#include "MyProcs.h"
#include "UndoCommands.h"
#include "undo.h"

namespace {

// A new check mark is never smaller than this on the page, and a resized one than the second.
constexpr int kNewSidePixels = 20;
constexpr int kMinSidePixels = 10;

// The bytes of class data each older data version holds (its fields are a prefix of the current).
UINT DataSizeOfVersion(int32_t version) {
  if (version >= 4) return sizeof(CHECKMARK_DATA);
  if (version == 3) return offsetof(CHECKMARK_DATA, group);
  if (version == 2) return offsetof(CHECKMARK_DATA, kind);
  return offsetof(CHECKMARK_DATA, state);
}

// The state a value stands for. An Integer is the state itself. A value of another type (a
// database column or a profile gives text) is read by what it says, never by its raw bytes:
// "TRUE"/"FALSE", a number (checked unless 0), empty text unchecked.
int StateOfValue(const CVariant& value) {
  if (value.GetType() == CVariant::typeNull) return 0;
  if (value.GetType() == CVariant::typeInteger) return const_cast<CVariant&>(value).GetInteger();
  CString text = value.GetString();
  text.Trim();
  if (text.IsEmpty() || text.CompareNoCase(L"FALSE") == 0) return 0;
  if (text.CompareNoCase(L"TRUE") == 0) return 1;
  const wchar_t* start = text;
  wchar_t* end = nullptr;
  const double number = std::wcstod(start, &end);
  if (end == start) {
    AppendErrorLog(L"TranspCheckMark: a value that is not a number was taken as unchecked");
    return 0;
  }
  return number != 0.0 ? 1 : 0;
}

}  // namespace

double CTranspCheckMark::s_defaultWidth = 0.1;
double CTranspCheckMark::s_defaultHeight = 0.1;
int CTranspCheckMark::s_click = 0;
POINT CTranspCheckMark::s_clickPoint = {0, 0};

void CTranspCheckMark::GetDefaultSize(double& width, double& height) {
  width = s_defaultWidth;
  height = s_defaultHeight;
}

void CTranspCheckMark::SetDefaultSize(double width, double height) {
  s_defaultWidth = width;
  s_defaultHeight = height;
}

// ---- Construction ----

CTranspCheckMark::CTranspCheckMark(CWnd* view, int pageIndex)
    : CTranspGraphClass(view, pageIndex), m_state(1), m_highlightBrush{BS_SOLID, 0, 0} {}

CTranspCheckMark::CTranspCheckMark(CWnd* view, int x, int y, const _OBJECT_STYLE* style, int pageIndex)
    : CTranspCheckMark(view, pageIndex) {
  DEF_TRY
  if (style != nullptr) std::memcpy(&m_style, style, sizeof(m_style));
  m_style.printable = 1;
  m_style.checkMarkGroup = 0;
  int side = InchToUnit(s_defaultWidth);
  POINT extent = {side, 0}, origin = {0, 0};
  UnitToPage(&extent);
  UnitToPage(&origin);
  if (extent.x - origin.x < kNewSidePixels) side = PageLengthToUnits(kNewSidePixels);
  m_rect = {x, y, x + side, y + side};
  DEF_CATCH("CTranspCheckMark::CTranspCheckMark")
}

CTranspCheckMark::CTranspCheckMark(CWnd* view, HGLOBAL block, int x, int y, int pageIndex)
    : CTranspCheckMark(view, pageIndex) {
  DEF_TRY
  CTranspDataReader reader(block);
  if (!reader.IsValid() || reader.GetHead().type != DATA_TYPE_CHECKMARK ||
      reader.GetClassSize() < DataSizeOfVersion(reader.GetHead().version)) {
    AppendErrorLog(L"TranspCheckMark: object data of another kind or too short for a check mark was refused");
    m_dataRefused = TRUE;
    return;
  }
  const int32_t version = reader.GetHead().version;
  CHECKMARK_DATA data;
  reader.ReadClassData(&data, DataSizeOfVersion(version));
  if (!IsBoxPlausible(data.rect)) {
    AppendErrorLog(L"TranspCheckMark: object data of a check mark beyond any page was refused");
    m_dataRefused = TRUE;
    return;
  }
  const RECT box = NormalizedRect(RECT{data.rect[0], data.rect[1], data.rect[2], data.rect[3]});
  m_rect = {x, y, x + box.right - box.left, y + box.bottom - box.top};
  m_style.lineWidth = data.lineWidth;
  m_style.color = data.color == 0xFFFFFFFFu ? 0 : data.color;
  m_style.penStyle = data.penStyle;
  if (version >= 2) m_state = data.state;
  m_style.checkMarkKind = version >= 3 ? data.kind : 0;
  m_style.checkMarkGroup = version >= 4 ? data.group : 0;
  m_style.printable = 1;
  DEF_CATCH("CTranspCheckMark::CTranspCheckMark")
}

// ---- Stored forms ----

void CTranspCheckMark::Serialize(CArchive& ar) {
  DEF_TRY
  CHECKMARK_RECORD record = {};
  if (ar.IsStoring()) {
    record.rect[0] = m_rect.left;
    record.rect[1] = m_rect.top;
    record.rect[2] = m_rect.right;
    record.rect[3] = m_rect.bottom;
    record.color = m_style.color;
    record.lineWidth = m_style.lineWidth;
    record.pageIndex = m_pageIndex;
    record.kind = m_style.checkMarkKind;
    record.printable = m_style.printable;
    record.group = m_style.checkMarkGroup;
    record.state = m_state;
    StoreRecordStructure(ar, CHECKMARK_RECORD_LENGTH, &record, sizeof(record), CHECKMARK_RECORD_VERSION);
    return;
  }
  LoadRecordStructure(ar, &record, sizeof(record));
  const uint32_t version = record.head.version;
  m_rect = {record.rect[0], record.rect[1], record.rect[2], record.rect[3]};
  m_style.color = record.color == 0xFFFFFFFFu ? 0 : record.color;
  m_style.lineWidth = record.lineWidth;
  m_pageIndex = record.pageIndex;
  m_style.checkMarkKind = version >= 3 ? record.kind : 0;
  m_style.printable = version >= 4 ? record.printable : 1;
  m_style.checkMarkGroup = version >= 5 ? record.group : 0;
  if (version >= 2) m_state = record.state;
  DEF_CATCH_PASS_ARCHIVE("CTranspCheckMark::Serialize")
}

HGLOBAL CTranspCheckMark::GetObData() {
  DEF_TRY
  CHECKMARK_DATA data = {};
  data.rect[0] = m_rect.left;
  data.rect[1] = m_rect.top;
  data.rect[2] = m_rect.right;
  data.rect[3] = m_rect.bottom;
  data.lineWidth = m_style.lineWidth;
  data.color = m_style.color;
  data.penStyle = m_style.penStyle;
  data.state = m_state;
  data.kind = m_style.checkMarkKind;
  data.group = m_style.checkMarkGroup;
  return NewObData(DATA_TYPE_CHECKMARK, CHECKMARK_DATA_VERSION, &data, sizeof(data));
  DEF_CATCH("CTranspCheckMark::GetObData")
  return nullptr;
}

// ---- Toggling ----

void CTranspCheckMark::RecordChange(const CUndoState& before) {
  const TRANSP_VIEW_LINK* link = GetViewLink();
  CommandManagerT* manager = nullptr;
  CFolimarView* view = nullptr;
  if (link != nullptr && m_pView != nullptr) {
    if (link->GetUndoManager != nullptr) manager = link->GetUndoManager(m_pView);
    if (link->GetFolimarView != nullptr) view = link->GetFolimarView(m_pView);
  }
  // The first Execute puts back the state the object already has; the manager owns the command.
  if (manager != nullptr) manager->DoCommand(new CModifyCommand(before, this, view));
  SetModified();
  Repaint();
}

void CTranspCheckMark::InvertState() {
  DEF_TRY
  const int group = m_style.checkMarkGroup;
  if (group <= 0) {
    const CUndoState before = GetUndoState();
    m_state = m_state ? 0 : 1;
    RecordChange(before);
  } else {
    if (m_state) return;
    const TRANSP_VIEW_LINK* link = GetViewLink();
    if (link != nullptr && link->InvertCheckMarks != nullptr && m_pView != nullptr) {
      link->InvertCheckMarks(m_pView, group, this);
      // The document holds a changed value whichever way the view recorded it.
      SetModified();
    } else {
      // No view to reach the page's group: at least this one is checked, as one undo step.
      const CUndoState before = GetUndoState();
      m_state = 1;
      RecordChange(before);
    }
  }
  if (IsMirrored()) {
    const TRANSP_VIEW_LINK* link = GetViewLink();
    const UNDO_VIEW_LINK* undoLink = GetUndoViewLink();
    CFolimarView* view = link != nullptr && link->GetFolimarView != nullptr && m_pView != nullptr
                             ? link->GetFolimarView(m_pView)
                             : nullptr;
    if (view != nullptr && undoLink != nullptr && undoLink->RepaintMirroredCheckMarks != nullptr)
      undoLink->RepaintMirroredCheckMarks(view, this, m_name);
  }
  DEF_CATCH("CTranspCheckMark::InvertState")
}

void CTranspCheckMark::SetState(int state) {
  DEF_TRY
  m_state = state;
  Repaint();
  DEF_CATCH("CTranspCheckMark::SetState")
}

void InvertCheckMarkGroup(CTranspObjectList& list, CommandManagerT* manager, CFolimarView* view, int group,
                          CTranspBaseClass* chosen) {
  DEF_TRY
  // Group 0 and below are independent boxes: unchecking "the group" would clear them all.
  if (group <= 0) return;
  if (manager != nullptr) manager->BeginMacro();
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    CTranspCheckMark* mark = dynamic_cast<CTranspCheckMark*>(list.GetNext(pos));
    if (mark == nullptr || mark->IsDeleted() || mark->GetGroup() != group) continue;
    const CUndoState before = mark->GetUndoState();
    mark->SetState(mark == chosen ? 1 : 0);
    if (manager != nullptr) manager->DoCommand(new CModifyCommand(before, mark, view));
  }
  if (manager != nullptr) manager->EndMacro();
  DEF_CATCH("InvertCheckMarkGroup")
}

// ---- Mouse and keys ----

int CTranspCheckMark::OnLButtonDown(UINT flags, int x, int y) {
  DEF_TRY
  s_click = 1;
  s_clickPoint = {x, y};
  return CTranspGraphClass::OnLButtonDown(flags, x, y);
  DEF_CATCH("CTranspCheckMark::OnLButtonDown")
  return 0;
}

int CTranspCheckMark::OnMouseMove(UINT flags, int x, int y) {
  DEF_TRY
  // The system repeats a move at the press point (capture changes, windows appearing under the
  // cursor); only a real move makes the press a drag.
  if (x != s_clickPoint.x || y != s_clickPoint.y) s_click = 0;
  if (IsFormMode()) return 0;
  return CTranspGraphClass::OnMouseMove(flags, x, y);
  DEF_CATCH("CTranspCheckMark::OnMouseMove")
  return 0;
}

void CTranspCheckMark::OnLButtonUp(UINT flags, int x, int y) {
  DEF_TRY
  const int click = s_click;
  s_click = 0;
  if (click && !IsTabOrderMode()) InvertState();
  CTranspGraphClass::OnLButtonUp(flags, x, y);
  MakeSquare();
  DEF_CATCH("CTranspCheckMark::OnLButtonUp")
}

void CTranspCheckMark::OnChar(UINT ch, UINT repeat, UINT flags) {
  (void)repeat;
  (void)flags;
  DEF_TRY
  if (ch == L' ' || ch == L'\r') InvertState();
  DEF_CATCH("CTranspCheckMark::OnChar")
}

int CTranspCheckMark::PageLengthToUnits(int pixels) {
  POINT a = {0, 0}, b = {pixels, 0};
  PageToUnit(&a);
  PageToUnit(&b);
  return b.x - a.x;
}

void CTranspCheckMark::MakeSquare() {
  RECT before;
  GetRepaintRect(&before);
  const RECT box = NormalizedRect(m_rect);
  const int smaller = static_cast<int>(std::min(box.right - box.left, box.bottom - box.top));
  const int side = std::max(smaller, PageLengthToUnits(kMinSidePixels));
  m_rect = {box.left, box.top, box.left + side, box.top + side};
  Repaint(&before);
}

int CTranspCheckMark::GetCapture(POINT point) {
  DEF_TRY
  const int code = CTranspGraphClass::GetCapture(point);
  return code >= CAPTURE_LEFT_BAND && code <= CAPTURE_BOTTOM_BAND ? CAPTURE_BODY : code;
  DEF_CATCH("CTranspCheckMark::GetCapture")
  return CAPTURE_NONE;
}

// A box only grows or shrinks from its corners: the button-up squares it again.
void CTranspCheckMark::Resize(int dx, int dy) {
  DEF_TRY
  if (m_capture == CAPTURE_BODY || (m_capture >= CAPTURE_TOP_LEFT && m_capture <= CAPTURE_BOTTOM_LEFT))
    CTranspGraphClass::Resize(dx, dy);
  DEF_CATCH("CTranspCheckMark::Resize")
}

// ---- Value, properties and style ----

int CTranspCheckMark::IsField() { return 1; }

int CTranspCheckMark::GetObjectKind() { return KIND_CHECKMARK; }

CVariant& CTranspCheckMark::GetValue() {
  DEF_TRY
  m_value = CVariant(m_state);
  DEF_CATCH("CTranspCheckMark::GetValue")
  return m_value;
}

void CTranspCheckMark::SetValue(CVariant value) {
  DEF_TRY
  m_state = StateOfValue(value);
  DEF_CATCH("CTranspCheckMark::SetValue")
}

void CTranspCheckMark::GetProperties(_PROPERTIES* out) {
  DEF_TRY
  if (out == nullptr) return;
  *out = _PROPERTIES();
  out->name = m_name;
  out->tabIndex = m_tabOrderIndex;
  DEF_CATCH("CTranspCheckMark::GetProperties")
}

void CTranspCheckMark::SetProperties(_PROPERTIES properties) {
  DEF_TRY
  SetName(properties.name);
  m_tabOrderIndex = properties.tabIndex;
  DEF_CATCH("CTranspCheckMark::SetProperties")
}

void CTranspCheckMark::SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style,
                                      const int* fieldId, int repaint) {
  DEF_TRY
  const int id = fieldId != nullptr ? *fieldId : 0;
  switch (id) {
    case 13: case 14: case 17: case 18: case 23: case 30:
      CTranspGraphClass::SetObjectStyle(properties, style, fieldId, repaint);
      return;
    case 31: {
      RECT before = {0, 0, 0, 0};
      if (repaint) GetRepaintRect(&before);
      if (style != nullptr) {
        m_style.checkMarkGroup = style->checkMarkGroup;
        // A radio button joins its group unchecked; the user picks the one that is.
        if (m_style.checkMarkGroup > 0) m_state = 0;
      }
      if (repaint) Repaint(&before);
      SetModified();
      return;
    }
    default:
      // The text fields' ids mean nothing here: the whole block is taken.
      CTranspGraphClass::SetObjectStyle(properties, style, nullptr, repaint);
      return;
  }
  DEF_CATCH("CTranspCheckMark::SetObjectStyle")
}

// The converter knows no pen style for a check mark: it is passed as none (0).
void CTranspCheckMark::StoringVIZ(CVizConverter* converter) {
  DEF_TRY
  if (converter == nullptr) return;
  const int32_t penStyle = m_style.penStyle;
  m_style.penStyle = -1;
  CTranspGraphClass::StoringVIZ(converter);
  m_style.penStyle = penStyle;
  converter->AddCheckMarkState(static_cast<short>(m_state), m_style.checkMarkGroup);
  DEF_CATCH("CTranspCheckMark::StoringVIZ")
}

// ---- Undo snapshots ----

CUndoState CTranspCheckMark::GetUndoState() {
  CUndoState state = CTranspGraphClass::GetUndoState();
  state.m_state2[0] = m_state;
  return state;
}

void CTranspCheckMark::SetUndoState(const CUndoState& state) {
  DEF_TRY
  CTranspGraphClass::SetUndoState(state);
  m_state = state.m_state2[0];
  DEF_CATCH("CTranspCheckMark::SetUndoState")
}
