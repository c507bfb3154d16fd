// What the property grid's files share: the in-place editors, the grid's own messages and the
// comparison of values.
//
// The in-place editors: an edit control, a combo box and spin buttons that delete themselves when
// destroyed, and report the keys that end or move an edit (Enter, Esc, Tab,
// Up/Down in a plain edit) and the loss of the focus to their grid.
#pragma once
#include "fw/PropertyGrid.h"

// The control id of every in-place editor inside the grid.
constexpr UINT kFwGridEditorId = 3;
// Posted to the grid: an editor lost the focus (check where it went), and a choice was made in the
// combo box's list (commit edit wParam, once the combo box has finished its own handling).
constexpr UINT kFwGridCheckEditorFocus = WM_USER + 0x1F0;
constexpr UINT kFwGridCommitChoice = WM_USER + 0x1F1;

// Two values are the same: same type and same contents (every type a row can hold).
bool FwSameVariant(const VARIANT& a, const VARIANT& b);

// A plain group is drawn as a heading band; a value-list group is a row with a value.
inline bool FwIsBand(const CMFCPropertyGridProperty* p) { return p->IsGroup() && !p->IsValueList(); }

// A control that deletes itself when its window is destroyed, once it was made (m_bAutoDelete
// is set after creation succeeds, so a failed Create leaves the object to its maker).
template <class Control>
class FwSelfDeleting : public Control {
 public:
  BOOL m_bAutoDelete = FALSE;

 protected:
  void PostNcDestroy() override {
    if (m_bAutoDelete) delete this;
  }
};

// What both editors do: report the loss of the focus (the grid checks where it went once the
// change is complete) and ask for every key, so that Enter, Esc and Tab reach them in a dialog.
template <class Control>
class FwGridEditor : public FwSelfDeleting<Control> {
 public:
  explicit FwGridEditor(CMFCPropertyGridCtrl* pGrid) : m_pGrid(pGrid) {}

 protected:
  // The grid takes a key that ends or moves the edit (TRUE); the editor may be gone afterwards.
  BOOL PassKey(UINT nChar) { return m_pGrid->OnEditorKey(nChar); }
  afx_msg void OnKillFocus(CWnd* pNewWnd) {
    CMFCPropertyGridCtrl* grid = m_pGrid;
    Control::OnKillFocus(pNewWnd);
    grid->OnEditorFocusLost();
  }
  afx_msg LRESULT OnGetDlgCode(WPARAM, LPARAM) { return this->Default() | DLGC_WANTALLKEYS; }
  CMFCPropertyGridCtrl* m_pGrid;
};

class FwGridInPlaceEdit : public FwGridEditor<CEdit> {
 public:
  // `bArrowsMoveRows`: Up/Down end the edit and move to the row above or below (not in a combo
  // box or beside spin buttons, which use the arrows themselves).
  FwGridInPlaceEdit(CMFCPropertyGridCtrl* pGrid, const CString& strValidChars, BOOL bArrowsMoveRows)
      : FwGridEditor(pGrid), m_strValidChars(strValidChars), m_bArrowsMoveRows(bArrowsMoveRows) {}

 protected:
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

 private:
  CString m_strValidChars;
  BOOL m_bArrowsMoveRows;
};

class FwGridInPlaceCombo : public FwGridEditor<CComboBox> {
 public:
  // `bTyping`: the user may type text (otherwise typed characters are refused).
  FwGridInPlaceCombo(CMFCPropertyGridCtrl* pGrid, BOOL bTyping) : FwGridEditor(pGrid), m_bTyping(bTyping) {}

 protected:
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL m_bTyping;
};

using FwGridInPlaceSpin = FwSelfDeleting<CSpinButtonCtrl>;
