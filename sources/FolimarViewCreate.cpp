// Where every new overlay object of the form view is born: from a drawing tool or a click, from the
// clipboard (object data, text into a field, pictures), from a drop and from a picture file. Each
// creation names the object, numbers a field, records one undo step and registers a field's column.
#include <algorithm>
#include <map>
#include <vector>

#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "ObjectKinds.h"
#include "TranspBarcode.h"
#include "TranspBlock.h"
#include "TranspCheckMark.h"
#include "TranspFreehand.h"
#include "TranspImage.h"
#include "TranspLabel.h"
#include "TranspShapes.h"
#include "TranspText.h"
#include "UndoCommands.h"
#include "resource.h"

namespace {

enum { kModeCopyRegion = 18, kModeForm = 23, kPasteStep = 25, kPropertyGroup = 31 };

// Reads the type code of object data after checking that the block holds the two leading int32s and
// the size it states; 0 for anything else.
int32_t TypeOfObjectData(HGLOBAL data) {
  if (data == nullptr) return 0;
  const SIZE_T size = ::GlobalSize(data);
  if (size < 2 * sizeof(int32_t)) return 0;
  const int32_t* head = static_cast<const int32_t*>(::GlobalLock(data));
  if (head == nullptr) return 0;
  const int32_t stated = head[0], type = head[1];
  ::GlobalUnlock(data);
  if (stated < static_cast<int32_t>(2 * sizeof(int32_t)) || static_cast<SIZE_T>(stated) > size) return 0;
  return type;
}

}  // namespace

// ---- The common steps ----

CTranspBaseClass* CFolimarView::AddCreatedObject(CTranspBaseClass* object, int activate) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (object == nullptr) return nullptr;
  if (doc == nullptr || m_pObjects == nullptr) {
    delete object;
    return nullptr;
  }
  object->SetName(doc->GetUniqueObjectName(object, 1));
  const BOOL field = object->IsField() != 0;
  if (field) {
    int fields = 0;
    for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
      CTranspBaseClass* each = m_pObjects->GetNext(pos);
      if (each->IsField() && !each->IsDeleted()) ++fields;
    }
    object->SetTabOrderIndex(fields + 1);
  }
  DoCommand(new CCreateCommand(m_pObjects, object, this));
  SetModified();
  if (activate) {
    DeactivateActiveObject();
    ActivateObject(object);
  } else {
    object->SetFocused(0);
  }
  if (field) doc->AddDBField(object, m_activePage);
  return object;
  DEF_CATCH("CFolimarView::AddCreatedObject")
  return nullptr;
}

namespace {

// The frame's style for a new object (a zeroed block without a frame).
_OBJECT_STYLE FrameStyle(CMainFrame* frame) {
  _OBJECT_STYLE style = {};
  if (frame != nullptr) frame->GetTextStyleSettings(&style);
  return style;
}

}  // namespace

CTranspBaseClass* CFolimarView::CreateTextBox(LPCWSTR text, POINT point, int activate) {
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  _OBJECT_STYLE style = FrameStyle(frame);
  if (style.font.lfHeight == 0) style = m_focusedStyle;
  _PROPERTIES properties;
  if (frame != nullptr) properties = frame->GetDefaultProperties();
  ClientToPage(&point);
  PageToUnit(&point);
  return AddCreatedObject(new CTranspText(this, point.x, point.y, &style, &properties, text, m_activePage), activate);
  DEF_CATCH("CFolimarView::CreateTextBox")
  return nullptr;
}

CTranspBaseClass* CFolimarView::CreateLabel(LPCWSTR text, POINT point, int activate) {
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  _OBJECT_STYLE style = FrameStyle(frame);
  if (style.font.lfHeight == 0) style = m_focusedStyle;
  _PROPERTIES properties;
  if (frame != nullptr) properties = frame->GetDefaultProperties();
  ClientToPage(&point);
  PageToUnit(&point);
  CTranspBaseClass* label =
      AddCreatedObject(new CTranspLabel(this, point.x, point.y, &style, &properties, text, m_activePage), activate);
  if (label != nullptr && frame != nullptr) {
    CString hint;
    hint.LoadString(IDS_HINT_CREATE_LABEL);
    ShowInfoBoxOnce(L"ShowBoxCreateLabel", hint);
  }
  return label;
  DEF_CATCH("CFolimarView::CreateLabel")
  return nullptr;
}

CTranspBaseClass* CFolimarView::CreateCheckMark(POINT point, int activate) {
  DEF_TRY
  const _OBJECT_STYLE style = FrameStyle(GetMainFrame());
  ClientToPage(&point);
  PageToUnit(&point);
  return AddCreatedObject(new CTranspCheckMark(this, point.x, point.y, &style, m_activePage), activate);
  DEF_CATCH("CFolimarView::CreateCheckMark")
  return nullptr;
}

CTranspBaseClass* CFolimarView::CreateBarcode(POINT point, int activate) {
  DEF_TRY
  const _OBJECT_STYLE style = FrameStyle(GetMainFrame());
  ClientToPage(&point);
  PageToUnit(&point);
  return AddCreatedObject(new CTranspBarcode(this, point, &style, m_activePage), activate);
  DEF_CATCH("CFolimarView::CreateBarcode")
  return nullptr;
}

CTranspBaseClass* CFolimarView::CreateRectangle(const RECT& rect, int activate) {
  DEF_TRY
  const _OBJECT_STYLE style = FrameStyle(GetMainFrame());
  RECT r = rect;
  ClientToPage(&r);
  PageToUnit(&r);
  return AddCreatedObject(new CTranspRectangle(this, r, &style, m_activePage), activate);
  DEF_CATCH("CFolimarView::CreateRectangle")
  return nullptr;
}

CTranspBaseClass* CFolimarView::CreateEllipse(const RECT& rect, int activate) {
  DEF_TRY
  const _OBJECT_STYLE style = FrameStyle(GetMainFrame());
  RECT r = rect;
  ClientToPage(&r);
  PageToUnit(&r);
  return AddCreatedObject(new CTranspEllipse(this, r, &style, m_activePage), activate);
  DEF_CATCH("CFolimarView::CreateEllipse")
  return nullptr;
}

CTranspBaseClass* CFolimarView::CreateCircle(POINT centre, int radius, int activate) {
  DEF_TRY
  const _OBJECT_STYLE style = FrameStyle(GetMainFrame());
  ClientToPage(&centre);
  PageToUnit(&centre);
  // A length converts as the width of a rectangle from the origin: the scroll position drops out.
  RECT extent = {0, 0, radius, radius};
  ClientToPage(&extent);
  PageToUnit(&extent);
  const int r = extent.right - extent.left;
  return AddCreatedObject(new CTranspCircle(this, centre.x, centre.y, r, &style, m_activePage), activate);
  DEF_CATCH("CFolimarView::CreateCircle")
  return nullptr;
}

CTranspBaseClass* CFolimarView::CreateLine(POINT start, POINT end, int activate) {
  DEF_TRY
  const _OBJECT_STYLE style = FrameStyle(GetMainFrame());
  ClientToPage(&start);
  PageToUnit(&start);
  ClientToPage(&end);
  PageToUnit(&end);
  return AddCreatedObject(new CTranspLine(this, start.x, start.y, end.x, end.y, &style, m_activePage), activate);
  DEF_CATCH("CFolimarView::CreateLine")
  return nullptr;
}

namespace {

// The tool's client points in units; the stroke separator stays as it is.
template <class VIEW>
std::vector<POINT> ToolPointsInUnits(const VIEW* view, const CToolPointList& points) {
  std::vector<POINT> out;
  for (POSITION pos = points.GetHeadPosition(); pos;) {
    POINT p = *points.GetNext(pos);
    if (p.x != kStrokeSeparator.x || p.y != kStrokeSeparator.y) {
      view->ClientToPage(&p);
      view->PageToUnit(&p);
    }
    out.push_back(p);
  }
  return out;
}

}  // namespace

CTranspBaseClass* CFolimarView::CreateFreehand(int activate) {
  DEF_TRY
  const _OBJECT_STYLE style = FrameStyle(GetMainFrame());
  const std::vector<POINT> points = ToolPointsInUnits(this, m_drawFreehand.GetPoints());
  if (points.size() < 2) return nullptr;
  return AddCreatedObject(
      new CTranspFreehand(this, points.data(), static_cast<int>(points.size()), &style, m_activePage), activate);
  DEF_CATCH("CFolimarView::CreateFreehand")
  return nullptr;
}

CTranspBaseClass* CFolimarView::CreatePolygon(int activate) {
  DEF_TRY
  const _OBJECT_STYLE style = FrameStyle(GetMainFrame());
  const std::vector<POINT> points = ToolPointsInUnits(this, m_drawPolygon.GetPoints());
  if (points.size() < 2) return nullptr;
  CTranspFreehand* polygon =
      new CTranspFreehand(this, points.data(), static_cast<int>(points.size()), &style, m_activePage);
  polygon->SetClosed();
  return AddCreatedObject(polygon, activate);
  DEF_CATCH("CFolimarView::CreatePolygon")
  return nullptr;
}

CTranspBaseClass* CFolimarView::CreateImageObject(LPCWSTR path, POINT point, int activate) {
  DEF_TRY
  ClientToPage(&point);
  PageToUnit(&point);
  CTranspImage* image = new CTranspImage(this, m_activePage);
  if (path == nullptr || !image->Create(path, point.x, point.y)) {
    delete image;
    return nullptr;
  }
  const _OBJECT_STYLE style = FrameStyle(GetMainFrame());
  image->SetObjectStyle(nullptr, &style, nullptr, 0);
  return AddCreatedObject(image, activate);
  DEF_CATCH("CFolimarView::CreateImageObject")
  return nullptr;
}

namespace {

// The printer page in units: a picture from the clipboard is fitted into it.
template <class VIEW>
SIZE PrinterPageInUnits(const VIEW* view) {
  const PRINTER_PAGE& printer = view->GetPrinterPage();
  RECT r = {0, 0, printer.printable.cx, printer.printable.cy};
  view->PageToUnit(&r);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

CTranspBaseClass* CFolimarView::CreateDibObject(HGLOBAL dib, POINT point, int activate) {
  DEF_TRY
  ClientToPage(&point);
  PageToUnit(&point);
  CTranspImage* image = new CTranspImage(this, m_activePage);
  if (dib == nullptr || !image->CreateDib(dib, point.x, point.y, PrinterPageInUnits(this))) {
    delete image;
    return nullptr;
  }
  return AddCreatedObject(image, activate);
  DEF_CATCH("CFolimarView::CreateDibObject")
  return nullptr;
}

CTranspBaseClass* CFolimarView::CreateBitmapObject(POINT point, int activate) {
  DEF_TRY
  ClientToPage(&point);
  PageToUnit(&point);
  CTranspImage* image = new CTranspImage(this, m_activePage);
  if (!image->CreateBitmap(point.x, point.y, PrinterPageInUnits(this))) {
    delete image;
    return nullptr;
  }
  return AddCreatedObject(image, activate);
  DEF_CATCH("CFolimarView::CreateBitmapObject")
  return nullptr;
}

// ---- Object data ----

int CFolimarView::PasteObject(HGLOBAL data, POINT point, int freeAfter) {
  DEF_TRY
  const int32_t type = TypeOfObjectData(data);
  if (type == 0) return 0;
  int done = 0;
  if (type == DATA_TYPE_GROUP) {
    done = CreateBlock(data, point, 1);
  } else {
    POINT at = point;
    ClientToPage(&at);
    PageToUnit(&at);
    CTranspBaseClass* object = CreateTranspFromData(this, data, at.x, at.y, m_activePage);
    if (object == nullptr) return 0;
    CTranspText* text = dynamic_cast<CTranspText*>(object);
    if (text != nullptr) text->Wrap();
    CTranspCheckMark* mark = dynamic_cast<CTranspCheckMark*>(object);
    if (mark != nullptr) {
      m_checkMarkPasted = TRUE;
      // A single pasted check mark leaves its radio group; a block's members keep theirs, marked
      // negative, until the block gives them a group of their own.
      const int group = mark->GetGroup();
      if (group > 0) {
        _OBJECT_STYLE style = {};
        _PROPERTIES properties;
        mark->GetObjectStyle(&style);
        mark->GetProperties(&properties);
        style.checkMarkGroup = m_blockPaste ? -group : 0;
        const int field = kPropertyGroup;
        mark->SetObjectStyle(&properties, &style, &field, 0);
      }
    }
    done = AddCreatedObject(object, 1) != nullptr ? 1 : 0;
  }
  if (done && freeAfter) ::GlobalFree(data);
  return done;
  DEF_CATCH("CFolimarView::PasteObject")
  return 0;
}

int CFolimarView::CreateBlock(HGLOBAL data, POINT point, int activate) {
  (void)activate;
  DEF_TRY
  std::vector<TRANSP_BLOCK_MEMBER> members;
  if (!ReadBlockMembers(data, members)) return 0;
  DeselectObjects();
  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr) frame->SetSelectMode();
  m_blockPaste = TRUE;
  m_checkMarkPasted = FALSE;
  BeginMacro();
  // The displacements are lengths in units: scaled to client pixels at the zoom from the origin.
  for (const TRANSP_BLOCK_MEMBER& member : members) {
    if (member.type == DATA_TYPE_GROUP) continue;
    RECT offset = {0, 0, member.displacement.x, member.displacement.y};
    UnitToPage(&offset);
    PageToClient(&offset);
    const POINT at = {point.x + offset.right - offset.left, point.y + offset.bottom - offset.top};
    if (PasteObject(member.data, at, 0) && m_pObjects != nullptr && !m_pObjects->IsEmpty()) {
      CTranspBaseClass* made = m_pObjects->GetTail();
      made->SetFocused(0);
      made->SetSelected(1);
    }
  }
  FreeBlockMembers(members);
  if (m_checkMarkPasted && m_pObjects != nullptr) {
    // Each radio group of the block becomes a new group of the page, in order of first appearance.
    std::map<int, int> mapped;
    int next = GetNextCheckMarkGroup();
    for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
      CTranspCheckMark* mark = dynamic_cast<CTranspCheckMark*>(m_pObjects->GetNext(pos));
      if (mark != nullptr && mark->GetGroup() < 0 && mapped.find(mark->GetGroup()) == mapped.end())
        mapped[mark->GetGroup()] = next++;
    }
    for (const auto& group : mapped) {
      for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
        CTranspCheckMark* mark = dynamic_cast<CTranspCheckMark*>(m_pObjects->GetNext(pos));
        if (mark == nullptr || mark->GetGroup() != group.first) continue;
        const CUndoState before = mark->GetUndoState();
        _OBJECT_STYLE style = {};
        _PROPERTIES properties;
        mark->GetObjectStyle(&style);
        mark->GetProperties(&properties);
        style.checkMarkGroup = group.second;
        const int field = kPropertyGroup;
        mark->SetObjectStyle(&properties, &style, &field, 0);
        RecordModify(before, mark);
      }
    }
  }
  EndMacro();
  m_blockPaste = FALSE;
  if (frame != nullptr) frame->SetSelectMode();
  Invalidate(FALSE);
  return 1;
  DEF_CATCH("CFolimarView::CreateBlock")
  m_blockPaste = FALSE;
  return 0;
}

// ---- Clipboard ----

void CFolimarView::Paste(int atRightClick) {
  DEF_TRY
  const CRect page = GetPageRect();
  POINT point = {0, 0};
  POINT cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  if (atRightClick && page.PtInRect(m_lastRightClick))
    point = m_lastRightClick;
  else if (page.PtInRect(cursor))
    point = cursor;
  else if (page.PtInRect(m_lastPastePoint))
    point = m_lastPastePoint;
  m_lastPastePoint = {point.x + kPasteStep, point.y + kPasteStep};

  const BOOL formMode = GetProgramMode() == kModeForm;
  CTranspText* text = dynamic_cast<CTranspText*>(GetActiveObject());
  const UINT objectFormat = CTranspBaseClass::GetClipboardFormat();
  if (::IsClipboardFormatAvailable(CF_UNICODETEXT) && text != nullptr) {
    if (text->IsNumeric()) {
      text->PasteFromClipboard();
    } else {
      const CUndoState before = text->GetUndoState();
      text->PasteFromClipboard();
      RecordModify(before, text);
    }
    SetModified();
    if (text->IsMirrored()) RepaintMirroredObjects(text, text->GetName());
    return;
  }
  if (formMode) return;
  if (objectFormat != 0 && ::IsClipboardFormatAvailable(objectFormat)) {
    if (!::OpenClipboard(m_hWnd)) return;
    m_blockPaste = FALSE;
    // The clipboard keeps its block: it is read, never taken.
    PasteObject(::GetClipboardData(objectFormat), point, 0);
    ::CloseClipboard();
  } else if (::IsClipboardFormatAvailable(CF_BITMAP)) {
    CreateBitmapObject(point, 1);
  } else if (::IsClipboardFormatAvailable(CF_DIB)) {
    if (!::OpenClipboard(m_hWnd)) return;
    CreateDibObject(::GetClipboardData(CF_DIB), point, 1);
    ::CloseClipboard();
  }
  DEF_CATCH("CFolimarView::Paste")
}

void CFolimarView::OnEditPaste() { Paste(0); }

void CFolimarView::OnEditCopy() {
  DEF_TRY
  EndWorkingSignature();
  if (GetProgramMode() == kModeCopyRegion) {
    CopyCutRegion();
    return;
  }
  if (GetProgramMode() == 12 && GetSelectedObjectsCount() > 0 && m_pObjects != nullptr) {
    CTranspBlock block(this, m_activePage);
    RECT frame = FillBlockFromSelection(block, *m_pObjects);
    UnitToPage(&frame);
    PageToClient(&frame);
    m_lastPastePoint = {frame.left + kPasteStep, frame.top + kPasteStep};
    HGLOBAL data = block.GetObData();
    if (data == nullptr) return;
    if (!::OpenClipboard(m_hWnd)) {
      ::GlobalFree(data);
      return;
    }
    ::EmptyClipboard();
    if (::SetClipboardData(CTranspBaseClass::GetClipboardFormat(), data) == nullptr) ::GlobalFree(data);
    ::CloseClipboard();
    return;
  }
  CTranspBaseClass* active = GetActiveObject();
  if (active == nullptr) return;
  active->CopyToClipboard();
  RECT bounds;
  active->GetBoundsRect(&bounds, 0);
  m_lastPastePoint = {std::min(bounds.left, bounds.right) + kPasteStep, std::min(bounds.top, bounds.bottom) + kPasteStep};
  DEF_CATCH("CFolimarView::OnEditCopy")
}

void CFolimarView::OnEditCut() {
  DEF_TRY
  EndWorkingSignature();
  if (GetProgramMode() == 12 && GetSelectedObjectsCount() > 0) {
    OnEditCopy();
    DeleteSelectedObjects();
    return;
  }
  CTranspBaseClass* active = GetActiveObject();
  if (active == nullptr) return;
  CTranspText* text = dynamic_cast<CTranspText*>(active);
  if (text != nullptr) {
    const CUndoState before = text->GetUndoState();
    if (text->CutToClipboard()) {
      RecordModify(before, text);
      SetModified();
    }
    return;
  }
  OnEditCopy();
  DeleteActiveObject();
  DEF_CATCH("CFolimarView::OnEditCut")
}

void CFolimarView::OnUpdateEditPaste(CCmdUI* pCmdUI) {
  const int mode = GetProgramMode();
  const UINT objectFormat = CTranspBaseClass::GetClipboardFormat();
  BOOL enable = ::IsClipboardFormatAvailable(CF_UNICODETEXT) &&
                dynamic_cast<CTranspText*>(GetActiveObject()) != nullptr;
  if (!enable && mode != kModeForm && mode != 22)
    enable = (objectFormat != 0 && ::IsClipboardFormatAvailable(objectFormat)) ||
             ::IsClipboardFormatAvailable(CF_DIB) || ::IsClipboardFormatAvailable(CF_BITMAP);
  pCmdUI->Enable(enable);
}

void CFolimarView::OnUpdateEditCopy(CCmdUI* pCmdUI) {
  BOOL enable = FALSE;
  if (GetProgramMode() == kModeCopyRegion && pCmdUI->m_nID == ID_EDIT_COPY) {
    enable = !m_cutTool.IsEmpty();
  } else if (GetProgramMode() == 12 && GetSelectedObjectsCount() > 0) {
    enable = TRUE;
  } else {
    CTranspBaseClass* active = GetActiveObject();
    CTranspText* text = dynamic_cast<CTranspText*>(active);
    enable = active != nullptr && (text == nullptr || text->HasSelection());
  }
  pCmdUI->Enable(enable);
}

// ---- Drag and drop ----

namespace {

// The text of a CF_UNICODETEXT block, read no further than the block reaches: any program can put
// one there, ended or not.
CString TextOfBlock(HGLOBAL block) {
  CString text;
  if (block == nullptr) return text;
  const SIZE_T chars = ::GlobalSize(block) / sizeof(wchar_t);
  const wchar_t* data = static_cast<const wchar_t*>(::GlobalLock(block));
  if (data == nullptr) return text;
  size_t length = 0;
  while (length < chars && data[length] != L'\0') ++length;
  text = CString(data, static_cast<int>(length));
  ::GlobalUnlock(block);
  return text;
}

}  // namespace

DROPEFFECT CFolimarView::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) {
  DEF_TRY
  if (data == nullptr || !GetPageRect().PtInRect(point)) return DROPEFFECT_NONE;
  const BOOL ctrl = (keyState & MK_CONTROL) != 0, shift = (keyState & MK_SHIFT) != 0;
  DROPEFFECT effect = ctrl && shift ? DROPEFFECT_NONE : ctrl ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  const UINT objectFormat = CTranspBaseClass::GetClipboardFormat();
  const BOOL objectData = objectFormat != 0 && data->IsDataAvailable(static_cast<CLIPFORMAT>(objectFormat));
  // Objects leave their view only as copies (the source keeps them): a move is never offered.
  if (objectData && effect != DROPEFFECT_NONE) return DROPEFFECT_COPY;
  if (!objectData && !data->IsDataAvailable(CF_DIB) && effect != DROPEFFECT_NONE) {
    // Text goes to the object under the point, which decides; over empty page it makes a field.
    CTranspBaseClass* object = PtInObject(point);
    CTranspBaseClass* active = GetActiveObject();
    if (object != nullptr && object != active) {
      DeactivateObject(active);
      ActivateObject(object);
    }
    if (object != nullptr) effect = object->OnDragOver(data, keyState, point);
  }
  return effect;
  DEF_CATCH("CFolimarView::OnDragOver")
  return DROPEFFECT_NONE;
}

BOOL CFolimarView::OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) {
  DEF_TRY
  if (data == nullptr) return FALSE;
  const UINT objectFormat = CTranspBaseClass::GetClipboardFormat();
  if (GetProgramMode() == kModeForm) return DropText(data, effect, point);
  if (objectFormat != 0 && data->IsDataAvailable(static_cast<CLIPFORMAT>(objectFormat)))
    return DropObject(data, effect, point);
  if (data->IsDataAvailable(CF_UNICODETEXT)) return DropText(data, effect, point);
  if (data->IsDataAvailable(CF_DIB)) return DropDIB(data, effect, point);
  return FALSE;
  DEF_CATCH("CFolimarView::OnDrop")
  return FALSE;
}

BOOL CFolimarView::DropObject(COleDataObject* data, DROPEFFECT effect, CPoint point) {
  DEF_TRY
  if ((effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) == 0) return FALSE;
  HGLOBAL block = data->GetGlobalData(static_cast<CLIPFORMAT>(CTranspBaseClass::GetClipboardFormat()));
  if (block == nullptr) return FALSE;
  m_blockPaste = FALSE;
  const int done = PasteObject(block, point, 0);
  ::GlobalFree(block);
  return done != 0;
  DEF_CATCH("CFolimarView::DropObject")
  return FALSE;
}

BOOL CFolimarView::DropText(COleDataObject* data, DROPEFFECT effect, CPoint point) {
  DEF_TRY
  if ((effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) == 0) return FALSE;
  CTranspBaseClass* object = PtInObject(point);
  if (object != nullptr) {
    CTranspBaseClass* active = GetActiveObject();
    if (active != object) DeactivateObject(active);
    const int done = object->OnDrop(data, effect, point);
    ActivateObject(object);
    return done != 0;
  }
  if (GetProgramMode() == kModeForm) return FALSE;
  HGLOBAL block = data->GetGlobalData(CF_UNICODETEXT);
  if (block == nullptr) return FALSE;
  const CString text = TextOfBlock(block);
  ::GlobalFree(block);
  return CreateTextBox(text, point, 1) != nullptr;
  DEF_CATCH("CFolimarView::DropText")
  return FALSE;
}

BOOL CFolimarView::DropDIB(COleDataObject* data, DROPEFFECT effect, CPoint point) {
  DEF_TRY
  if ((effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) == 0) return FALSE;
  HGLOBAL dib = data->GetGlobalData(CF_DIB);
  if (dib == nullptr) return FALSE;
  const BOOL done = CreateDibObject(dib, point, 1) != nullptr;
  ::GlobalFree(dib);
  return done;
  DEF_CATCH("CFolimarView::DropDIB")
  return FALSE;
}

void CFolimarView::OnDropFiles(HDROP drop) {
  DEF_TRY
  POINT point = {0, 0};
  if (!::DragQueryPoint(drop, &point)) point = {0, 0};
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const CString path = GetDroppedFilePath(drop, i);
    if (CFolimarDoc::IsImageFormatSupported(path)) {
      CMainFrame* frame = GetMainFrame();
      if (frame != nullptr) frame->SetProgramMode(25, 1);
      CreateImageObject(path, point, 1);
      continue;
    }
    if (IsDocumentFileName(path)) continue;
    CString format, message;
    format.LoadString(IDS_UNKNOWN_IMAGE_FORMAT);
    message = format;
    message.Replace(L"%1", path.Mid(path.ReverseFind(L'\\') + 1));
    ErrorBox(message);
  }
  // The main window opens the document files among them and ends the drop.
  CWnd* main = AfxGetMainWnd();
  if (main != nullptr && main != this)
    main->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  else
    ::DragFinish(drop);
  DEF_CATCH("CFolimarView::OnDropFiles")
}

void CFolimarView::OnEditInsertImage() {
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr) frame->SetProgramMode(25, 1);
  CString filter, all;
  filter.LoadString(IDS_FILTER_PICTURES);
  all.LoadString(IDS_FILTER_PICTURES_ALL);
  CWinApp* app = AfxGetApp();
  const CString folder = app != nullptr ? app->GetProfileString(L"Settings", L"GraphicInitialDir", L"") : CString();
  int index = app != nullptr ? static_cast<int>(app->GetProfileInt(L"Settings", L"InsertImageFilterIndex", 6)) : 6;
  if (index < 1 || index > 6) index = 6;
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING, filter + all,
                     this);
  dialog.m_ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : static_cast<LPCWSTR>(folder);
  dialog.m_ofn.nFilterIndex = static_cast<DWORD>(index);
  if (dialog.DoModal() != IDOK) return;
  const CString path = dialog.GetPathName();
  if (app != nullptr) {
    app->WriteProfileString(L"Settings", L"GraphicInitialDir", path.Left(path.ReverseFind(L'\\')));
    app->WriteProfileInt(L"Settings", L"InsertImageFilterIndex", static_cast<int>(dialog.m_ofn.nFilterIndex));
  }
  CreateImageObject(path, CPoint(0, 0), 1);
  DEF_CATCH("CFolimarView::OnEditInsertImage")
}
