// The database bar ("Database Tools", tool-bar resource 358): first, previous, next and last record,
// new and duplicate record, delete, and the read-only record-number box that the frame's tool-bar
// reset puts in place of button 33104. The commands themselves are the document's.
#pragma once
#include "Framework.h"

// The record-number box's edit control: Tab and Escape give the keyboard back to the main frame.
class CRecNumSubEdit : public CEdit {
 public:
  BOOL PreTranslateMessage(MSG* pMsg) override;
};

class CRecNumEdit : public CMFCToolBarEditBoxButton {
  DECLARE_SERIAL(CRecNumEdit)
 public:
  enum { kWidth = 45 };
  CRecNumEdit();
  CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect) override;
  BOOL NotifyCommand(int iNotifyCode) override;
};

class CDatabaseBar : public CMFCToolBar {
  DECLARE_SERIAL(CDatabaseBar)
 public:
  CDatabaseBar() = default;
  // Creates the bar along the bottom of `parent` and loads its resource; FALSE when either fails.
  BOOL Create(CWnd* parent);

  // The record-number box shows `number`; nothing when the box is missing or hidden.
  static void SetRecNum(int number);
  // Enables or disables the box; a disabled box is emptied.
  static void EnableRecNumEdit(BOOL enable);
  // The first edit-box button of any bar for the record-number command, or null.
  static CMFCToolBarEditBoxButton* FindRecNumEdit();
};
