// What the document's record commands and text search ask of the view: the active object (the
// focused object of the active page) given up before a record change, where a search starts, and
// the found text shown selected in its field.
#include <algorithm>

#include "ChildFrm.h"
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "TranspText.h"

CTranspBaseClass* CFolimarView::GetActiveObject() const {
  if (m_pObjects == nullptr) return nullptr;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object->IsFocused() && !object->IsDeleted()) return object;
  }
  return nullptr;
}

void CFolimarView::DeactivateActiveObject() {
  DEF_TRY
  // Losing the focus commits what the user typed into the object's value.
  CTranspBaseClass* active = GetActiveObject();
  if (active != nullptr) active->SetFocused(0);
  DEF_CATCH("CFolimarView::DeactivateActiveObject")
}

void CFolimarView::GetCurrentCursorPosition(BOOL down, int textLength, int& field, int& position) const {
  DEF_TRY
  field = down ? 0 : -1;
  position = down ? 0 : -1;
  CTranspBaseClass* active = GetActiveObject();
  if (active == nullptr || m_pObjects == nullptr) return;
  int column = 0;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object == active) break;
    if (object->IsField()) ++column;
  }
  field = column;
  CTranspText* text = dynamic_cast<CTranspText*>(active);
  position = text != nullptr ? text->GetCursorPos() : 0;
  // Searching up from a found match starts before it, not at its end.
  if (!down && text != nullptr && text->HasSelection()) position -= textLength;
  DEF_CATCH("CFolimarView::GetCurrentCursorPosition")
}

void CFolimarView::ViewFoundedText(int pageIndex, int field, int position, int length) {
  DEF_TRY
  if (pageIndex != m_activePage) {
    // Through the pages pane, so that its tab follows the page shown.
    CChildFrame* child = dynamic_cast<CChildFrame*>(GetParentFrame());
    if (child != nullptr)
      child->GetPagesPane().ActivatePage(pageIndex);
    else
      SetActivePage(pageIndex);
  }
  if (m_pObjects == nullptr) return;
  int column = 0;
  CTranspBaseClass* found = nullptr;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos && found == nullptr;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (!object->IsField()) continue;
    if (column++ == field) found = object;
  }
  CTranspBaseClass* active = GetActiveObject();
  if (active != nullptr && active != found) active->SetFocused(0);
  CTranspText* text = dynamic_cast<CTranspText*>(found);
  if (text == nullptr) return;
  text->SetFocused(1);
  // Repainting re-breaks the lines, which drops a selection: it comes first.
  RepaintObjects();
  text->FindAndSelect(nullptr, position, position + length);
  SetFocus();
  m_foundRechecks = 0;
  ScrollToFoundSelection(text);
  DEF_CATCH("CFolimarView::ViewFoundedText")
}

void CFolimarView::ScrollToFoundSelection(CTranspText* field) {
  DEF_TRY
  m_pFoundField = field;
  if (field == nullptr || m_hWnd == nullptr) return;
  CRect target(field->GetFoundRect());
  // The match is framed when the field is painted; until then the field's own place stands in.
  const BOOL fromField = target.IsRectEmpty();
  if (fromField) {
    field->GetAlignRect(&target);
    UnitToPage(&target);
    PageToView(&target);
    target.NormalizeRect();
  }
  CRect client;
  GetClientRect(&client);
  const CPoint scroll = GetDeviceScrollPosition();
  if (target.top < scroll.y || target.top > scroll.y + client.Height()) {
    const CSize total = GetTotalSize();
    const int x = total.cx <= client.Width() ? 0 : static_cast<int>(target.left) - client.Width() / 2;
    const int y = static_cast<int>(target.top) - client.Height() / 2;
    ScrollToPosition(CPoint(std::max(0, x), std::max(0, y)));
  }
  if (fromField && m_foundRechecks < 2) SetTimer(kFoundSelectionTimer, 100, nullptr);
  DEF_CATCH("CFolimarView::ScrollToFoundSelection")
}

void CFolimarView::OnTimer(UINT_PTR id) {
  DEF_TRY
  if (id != kFoundSelectionTimer) {
    CScrollView::OnTimer(id);
    return;
  }
  KillTimer(kFoundSelectionTimer);
  ++m_foundRechecks;
  // The field may have gone in between (deleted, another page shown).
  CTranspBaseClass* field = m_pFoundField;
  if (field == nullptr || m_pObjects == nullptr || m_pObjects->Find(field) == nullptr || field->IsDeleted()) return;
  ScrollToFoundSelection(m_pFoundField);
  DEF_CATCH("CFolimarView::OnTimer")
}
