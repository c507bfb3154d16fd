// The menu bar of the main frame. Menus can lose every command to customization or to a build that
// leaves a pop-up with separators only; such an empty pop-up is not shown as a menu of its own.
#pragma once
#include "Framework.h"

class CVYMenuBar : public CMFCMenuBar {
  DECLARE_SERIAL(CVYMenuBar)
 public:
  CVYMenuBar() = default;
  void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE) override;
  // Whether a top-level item has no command at all: only separators, or nothing.
  static BOOL HasNoCommand(const CMFCToolBarMenuButton& item);
};
