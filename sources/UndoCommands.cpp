#include "UndoCommands.h"

#include "ErrorLog.h"
#include "TranspLabel.h"
#include "TranspText.h"

namespace {

const UNDO_VIEW_LINK* g_link = nullptr;

CWnd* WindowOf(CFolimarView* view) {
  if (view == nullptr || g_link == nullptr || g_link->GetWindow == nullptr) return nullptr;
  return g_link->GetWindow(view);
}

HWND HandleOf(CFolimarView* view) {
  CWnd* window = WindowOf(view);
  return window != nullptr ? window->GetSafeHwnd() : nullptr;
}

void HideCaretOf(CFolimarView* view) {
  HWND window = HandleOf(view);
  if (window != nullptr) ::HideCaret(window);
}

void RepaintObjectsOf(CFolimarView* view) {
  if (view != nullptr && g_link != nullptr && g_link->RepaintObjects != nullptr) g_link->RepaintObjects(view);
}

bool IsTextField(CTranspBaseClass* object) {
  return (object->GetObjectKind() & (KIND_TEXTFIELD | KIND_LABEL)) != 0;
}

}  // namespace

void SetUndoViewLink(const UNDO_VIEW_LINK* link) {
  g_link = link;
}

const UNDO_VIEW_LINK* GetUndoViewLink() {
  return g_link;
}

void Command::InvalidateArea(const RECT& rect) {
  DEF_TRY
  CWnd* window = WindowOf(m_pView);
  const VIEW_CONVERSIONS* table = CTranspBaseClass::GetViewConversions();
  if (window == nullptr || window->GetSafeHwnd() == nullptr || table == nullptr) return;
  RECT area = rect;
  if (table->UnitToPageRc != nullptr) table->UnitToPageRc(window, &area);
  if (table->PageToClientRc != nullptr) table->PageToClientRc(window, &area);
  RECT margin = {30, 10, 10, 10};
  if (table->PageToViewRc != nullptr) table->PageToViewRc(window, &margin);
  area.left -= margin.left;
  area.top -= margin.top;
  area.right += margin.right;
  area.bottom += margin.bottom;
  ::InvalidateRect(window->GetSafeHwnd(), &area, FALSE);
  DEF_CATCH("Command::InvalidateArea")
}

void Command::InvalidateView() {
  DEF_TRY
  HWND window = HandleOf(m_pView);
  if (window != nullptr) ::InvalidateRect(window, nullptr, FALSE);
  DEF_CATCH("Command::InvalidateView")
}

// ---- Modify ----

CModifyCommand::CModifyCommand(const CUndoState& oldState, CTranspBaseClass* object, CFolimarView* view)
    : Command(view, object) {
  DEF_TRY
  m_oldState = oldState;
  if (object != nullptr) m_newState = object->GetUndoState();
  DEF_CATCH("CModifyCommand::CModifyCommand")
}

bool CModifyCommand::Execute() {
  return Restore(m_newState, "CModifyCommand::Execute");
}

bool CModifyCommand::Unexecute() {
  return Restore(m_oldState, "CModifyCommand::Unexecute");
}

bool CModifyCommand::Restore(const CUndoState& state, const char* functionName) {
  DEF_TRY
  CTranspBaseClass* object = Object();
  if (object == nullptr) return false;
  CUndoState current = object->GetUndoState();
  const CString nameBefore = object->GetName();
  object->SetUndoState(state);
  RECT both;
  ::UnionRect(&both, &current.m_rect, &state.m_rect);
  InvalidateArea(both);
  // Mirrored fields of the same name take the restored content as well.
  const int kind = object->GetObjectKind();
  if (g_link != nullptr && m_pView != nullptr) {
    const CString name = object->GetName();
    // A change of name is no change of content: the namesakes of either name keep theirs.
    const bool sameName = name == nameBefore;
    if (kind & (KIND_TEXTFIELD | KIND_LABEL)) {
      if (g_link->ClearTextSelection != nullptr) g_link->ClearTextSelection(object);
      if (g_link->SetMirroredFields != nullptr) g_link->SetMirroredFields(m_pView);
      if (sameName && g_link->RepaintMirroredObjects != nullptr) g_link->RepaintMirroredObjects(m_pView, object, name);
    } else if (kind & KIND_CHECKMARK) {
      if (g_link->SetMirroredFields != nullptr) g_link->SetMirroredFields(m_pView);
      if (sameName && g_link->RepaintMirroredCheckMarks != nullptr)
        g_link->RepaintMirroredCheckMarks(m_pView, object, name);
    }
    if (g_link->HasMirroredObjects != nullptr && g_link->HasMirroredObjects(m_pView)) InvalidateView();
  }
  return true;
  DEF_CATCH(functionName)
  return false;
}

bool CModifyTextCommand::mergeWith(UNDO::CommandBase* next) {
  DEF_TRY
  auto* text = dynamic_cast<CModifyTextCommand*>(next);
  CTranspBaseClass* object = Object();
  if (text == nullptr || object == nullptr || text->Object() != object || !IsTextField(object)) return false;
  if (g_link != nullptr && g_link->IsLineBreakTyped != nullptr && g_link->IsLineBreakTyped(object)) return false;
  m_newState = text->m_newState;
  object->SetUndoState(m_newState);
  return true;
  DEF_CATCH("CModifyTextCommand::mergeWith")
  return false;
}

// ---- Create ----

CCreateCommand::CCreateCommand(CTranspObjectList* list, CTranspBaseClass* object, CFolimarView* view)
    : Command(view, object), m_pList(list) {
  DEF_TRY
  if (object != nullptr) m_state = object->GetUndoState();
  DEF_CATCH("CCreateCommand::CCreateCommand")
}

CCreateCommand::~CCreateCommand() {
  if (m_ownsObject) delete Object();
}

bool CCreateCommand::Execute() {
  DEF_TRY
  if (m_pList == nullptr || Object() == nullptr || m_inList) return false;
  m_pList->AddTail(Object());
  m_inList = true;
  m_ownsObject = false;
  InvalidateArea(m_state.m_rect);
  return true;
  DEF_CATCH("CCreateCommand::Execute")
  return false;
}

bool CCreateCommand::Unexecute() {
  DEF_TRY
  if (m_pList == nullptr || !m_inList) return false;
  // Objects may have joined the list after this one (pasted, converted, loaded); the last element is
  // not necessarily ours.
  // One that has left the list some other way is no longer this command's to free.
  POSITION pos = m_pList->Find(Object());
  m_inList = false;
  if (pos == nullptr) return false;
  m_pList->RemoveAt(pos);
  m_ownsObject = true;
  HideCaretOf(m_pView);
  if (m_pView != nullptr && g_link != nullptr && g_link->DeactivateActiveObject != nullptr) {
    g_link->DeactivateActiveObject(m_pView);
  }
  InvalidateArea(m_state.m_rect);
  return true;
  DEF_CATCH("CCreateCommand::Unexecute")
  return false;
}

// ---- Delete ----

bool CDeleteCommand::Execute() {
  return Apply(1, "CDeleteCommand::Execute");
}

bool CDeleteCommand::Unexecute() {
  return Apply(0, "CDeleteCommand::Unexecute");
}

bool CDeleteCommand::Apply(int deleted, const char* functionName) {
  DEF_TRY
  auto* object = static_cast<CTranspBaseClass*>(m_pTarget);
  if (object == nullptr) return false;
  object->SetDeleted(deleted);
  if (deleted) HideCaretOf(m_pView);
  RepaintObjectsOf(m_pView);
  return true;
  DEF_CATCH(functionName)
  return false;
}

// ---- Tab order ----

CModifyTabOrderCommand::CModifyTabOrderCommand(CTranspBaseClass* object, int newIndex, CFolimarView* view)
    : Command(view, object), m_newIndex(newIndex) {
  DEF_TRY
  if (object != nullptr) {
    _PROPERTIES properties;
    object->GetProperties(&properties);
    m_oldIndex = properties.tabIndex;
  }
  DEF_CATCH("CModifyTabOrderCommand::CModifyTabOrderCommand")
}

bool CModifyTabOrderCommand::Execute() {
  return Apply(m_newIndex, "CModifyTabOrderCommand::Execute");
}

bool CModifyTabOrderCommand::Unexecute() {
  return Apply(m_oldIndex, "CModifyTabOrderCommand::Unexecute");
}

bool CModifyTabOrderCommand::Apply(int index, const char* functionName) {
  DEF_TRY
  auto* object = static_cast<CTranspBaseClass*>(m_pTarget);
  if (object == nullptr || m_pView == nullptr || g_link == nullptr || g_link->SetTabOrderCommand == nullptr) {
    return false;
  }
  g_link->SetTabOrderCommand(m_pView, object, index);
  RepaintObjectsOf(m_pView);
  return true;
  DEF_CATCH(functionName)
  return false;
}

// ---- Label and text field conversions ----

CConvertTextCommand::CConvertTextCommand(CTranspBaseClass* object, int page, CFolimarView* view, CTranspBaseClass* made,
                                         Conversion UNDO_VIEW_LINK::*convert, Conversion UNDO_VIEW_LINK::*remove)
    : Command(view, object), m_page(page), m_pNew(made), m_convert(convert), m_remove(remove) {
  DEF_TRY
  if (object != nullptr && made != nullptr) made->SetUndoState(object->GetUndoState());
  DEF_CATCH("CConvertTextCommand::CConvertTextCommand")
}

CConvertTextCommand::~CConvertTextCommand() {
  if (!m_executed) delete m_pNew;
}

CWnd* CConvertTextCommand::WindowOf(CFolimarView* view) {
  return ::WindowOf(view);
}

bool CConvertTextCommand::Execute() {
  return Apply(m_convert, true, "CConvertTextCommand::Execute");
}

bool CConvertTextCommand::Unexecute() {
  return Apply(m_remove, false, "CConvertTextCommand::Unexecute");
}

bool CConvertTextCommand::Apply(Conversion UNDO_VIEW_LINK::*operation, bool executed, const char* functionName) {
  DEF_TRY
  auto* object = static_cast<CTranspBaseClass*>(m_pTarget);
  if (object == nullptr || m_pNew == nullptr || m_pView == nullptr || g_link == nullptr ||
      g_link->*operation == nullptr || m_executed == executed) {
    return false;
  }
  (g_link->*operation)(m_pView, m_pNew, object, m_page);
  m_executed = executed;
  return true;
  DEF_CATCH(functionName)
  return false;
}

CConvertToTextFieldCommand::CConvertToTextFieldCommand(CTranspBaseClass* label, int page, CFolimarView* view)
    : CConvertTextCommand(label, page, view, new CTranspText(WindowOf(view), page), &UNDO_VIEW_LINK::ConvertTextBoxCommand,
                          &UNDO_VIEW_LINK::RemoveTextBoxCommand) {}

CConvertToTextBoxCommand::CConvertToTextBoxCommand(CTranspBaseClass* textField, int page, CFolimarView* view)
    : CConvertTextCommand(textField, page, view, new CTranspLabel(WindowOf(view), page),
                          &UNDO_VIEW_LINK::ConvertTextFieldCommand, &UNDO_VIEW_LINK::RemoveTextFieldCommand) {}
