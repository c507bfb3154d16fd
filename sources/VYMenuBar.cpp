#include "VYMenuBar.h"

#include "ErrorLog.h"

IMPLEMENT_SERIAL(CVYMenuBar, CMFCMenuBar, 1)

BOOL CVYMenuBar::HasNoCommand(const CMFCToolBarMenuButton& item) {
  const CObList& commands = item.GetCommands();
  for (POSITION pos = commands.GetHeadPosition(); pos;) {
    const CMFCToolBarButton* command = static_cast<const CMFCToolBarButton*>(commands.GetNext(pos));
    if (!command->IsSeparator()) return FALSE;
  }
  return TRUE;
}

void CVYMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate) {
  CMFCMenuBar::CreateFromMenu(hMenu, bDefaultMenu, bForceUpdate);
  DEF_TRY
  BOOL removed = FALSE;
  for (int i = GetCount() - 1; i >= 0; --i) {
    CMFCToolBarButton* button = GetButton(i);
    if (button == nullptr || !button->IsKindOf(RUNTIME_CLASS(CMFCToolBarMenuButton))) continue;
    const CMFCToolBarMenuButton* item = static_cast<const CMFCToolBarMenuButton*>(button);
    // Only pop-ups: a top-level command item has no items of its own and is kept.
    if (item->GetPopupSource() == nullptr) continue;
    if (HasNoCommand(*item) && RemoveButton(i)) removed = TRUE;
  }
  if (removed) AdjustLayout();
  DEF_CATCH("CVYMenuBar::CreateFromMenu")
}
