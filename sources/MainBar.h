// The main bar ("Main Tools", tool-bar resource 128): file, clipboard, undo, zoom and mode buttons.
// The frame's tool-bar reset puts the scale box in place of button 114 and, while the eraser or the
// uneraser is the program mode, appends the erase-size box; this class answers what the view and the
// frame ask of those boxes.
#pragma once
#include "Framework.h"

// The scale box (command 114): an editable combo box of the zoom table's percentages and the two
// fits. A row picked from its list reaches the frame as the box's selection change, a typed value
// confirmed with Enter as its command, so the view can tell "Fit to width" from a typed "100".
class CScaleComboButton : public CMFCToolBarComboBoxButton {
  DECLARE_SERIAL(CScaleComboButton)
 public:
  enum { kWidth = 75 };
  CScaleComboButton();
  // The ten zoom rows and the two fits, in the order of the view's zoom table.
  explicit CScaleComboButton(BOOL fillRows);
  BOOL NotifyCommand(int iNotifyCode) override;
};

// The eraser's size (command 32972), a pick-only list of square sizes.
class CEraseSizeComboBox : public CComboBox {
 public:
  // Tab and Escape give the keyboard back to the main frame.
  BOOL PreTranslateMessage(MSG* pMsg) override;
};

class CEraseSizeComboButton : public CMFCToolBarComboBoxButton {
  DECLARE_SERIAL(CEraseSizeComboButton)
 public:
  enum { kWidth = 60, kSizes = 10, kDefaultIndex = 6 };
  // The items 1x1 .. 256x256; nothing selected yet.
  CEraseSizeComboButton();
  // The eraser's side in pixels for an item index; 0 for an index outside the list.
  static int SizeOfIndex(int index);

  BOOL NotifyCommand(int iNotifyCode) override;
  // The box shows its items, not a label of its own.
  LPCTSTR GetText() const override { return L""; }
  CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;
};

class CMainBar : public CMFCToolBar {
  DECLARE_SERIAL(CMainBar)
 public:
  enum { kScaleBoxWidth = CScaleComboButton::kWidth, kScaleBoxRows = 12 };
  CMainBar() = default;

  // The index of the scale box's selected row (0 to 11); 1 when nothing is selected (a typed
  // value); 0 without a scale box or after an error.
  int GetScaleSelIndex();
  // The number at the start of the scale box's text ("75%" gives 75); 100 when the text is empty,
  // does not start with a number, or there is no scale box; 0 after an error.
  int GetScalePercent();
  // Puts the text into the scale box as its text.
  void SetScalePercent(LPCTSTR text);
  // The scale box's control, or null when the bar has none.
  CComboBox* GetScaleComboBox();

  // The snap-to-grid button (32934) shows the switch pressed or released.
  void SetSnapToGrid(BOOL on);
  BOOL GetSnapToGrid() const { return m_snapToGrid; }

  // The erase-size box's choice: its index and the eraser's side in pixels. FALSE, leaving both
  // alone, without the box; FALSE with index -1 when nothing is selected.
  BOOL GetEraseSize(int& index, int& size);
  // The erase-size box on the bar, or null.
  CEraseSizeComboButton* GetEraseSizeButton();

 private:
  CScaleComboButton* GetScaleButton();
  int m_snapToGrid = 0;
};
