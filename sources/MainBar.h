// The main bar of the main frame: for now the strip along the top that holds the scale box, the
// editable combo box (command 114) in which the user chooses or types the zoom of the active view.
// Its notifications and Enter go to the frame, which routes them to the active view.
#pragma once
#include "Framework.h"

// The scale box: Enter in its edit field is the command of the box itself.
class CScaleComboBox : public CComboBox {
 public:
  BOOL PreTranslateMessage(MSG* pMsg) override;
};

class CMainBar : public CWnd {
  DECLARE_DYNAMIC(CMainBar)
 public:
  enum { kScaleBoxWidth = 75, kScaleBoxRows = 12 };

  // Creates the bar as a child of the frame with its scale box filled; FALSE when either fails.
  BOOL Create(CWnd* pParentFrame);
  // The bar's height: the scale box's with a small margin (0 before it exists).
  int GetBarHeight() const;

  // The index of the scale box's selected row (0 to 11); 1 when nothing is selected (a typed
  // value); 0 without a scale box or after an error.
  int GetScaleSelIndex();
  // The number at the start of the scale box's text ("75%" gives 75); 100 when the text is empty,
  // does not start with a number, or there is no scale box; 0 after an error.
  int GetScalePercent();
  // Puts the text into the scale box as its text.
  void SetScalePercent(LPCTSTR text);
  // The scale box, or null when the bar has none.
  CComboBox* GetScaleComboBox();

 protected:
  // The scale box's notifications are the frame's commands.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  CScaleComboBox m_scaleBox;
};
