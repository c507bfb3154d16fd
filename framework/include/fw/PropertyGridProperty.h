// One row of a property grid (CMFCPropertyGridCtrl): a group that only holds rows, or a named value
// with its description and its way of being edited. Rows form a tree: a group's rows are its sub
// items, and a value row may have sub items of its own (shown indented under it).
//
// Editing: a value row is edited in place in an edit control; a row with options in a combo box
// (one the user can type into only when AllowEdit is on); a spin row gets spin buttons within its
// range; a row with AFX_PROP_HAS_BUTTON gets a small "..." button at the right end of its value
// that calls OnClickButton. The grid calls OnEdit to open the editors, OnUpdateValue to take the
// edited text into the value (FALSE refuses a text that does not convert: the old value stays) and
// OnEndEdit to close them; when the value changed it then tells its owner (see
// CMFCPropertyGridCtrl::OnPropertyChanged).
//
// Values are OLE variants: text (VT_BSTR), whole numbers (VT_I2, VT_I4, VT_INT, VT_UI4), real
// numbers (VT_R4, VT_R8) and truth values (VT_BOOL, offered as the grid's two boolean texts). Text
// and numbers are converted by the OLE rules of the user's locale.
//
// Ownership: a row owns its sub items and deletes them; the grid owns the rows added to it.
// In-place editors delete themselves when their window is destroyed.
#pragma once
#include "fw/Controls.h"
#include "fw/List.h"
#include "fw/OleVariant.h"

class CMFCPropertyGridCtrl;

// The row's extra parts (m_dwFlags).
#define AFX_PROP_HAS_LIST 0x0001    // options in a drop-down list (a button with an arrow)
#define AFX_PROP_HAS_BUTTON 0x0002  // a "..." button that calls OnClickButton
#define AFX_PROP_HAS_SPIN 0x0004    // spin buttons within the row's range

class FW_API CMFCPropertyGridProperty : public CObject {
  DECLARE_DYNAMIC(CMFCPropertyGridProperty)
  friend class CMFCPropertyGridCtrl;

 public:
  // The parts of the grid a point can fall on (CMFCPropertyGridCtrl::HitTest).
  enum ClickArea { ClickExpandBox, ClickName, ClickValue, ClickDescription };

  // A group: a heading row that holds other rows. A value-list group shows its sub items' values,
  // joined by commas, as its own value.
  CMFCPropertyGridProperty(const CString& strGroupName, DWORD_PTR dwData = 0, BOOL bIsValueList = FALSE);
  // A value row. `lpszValidChars` limits what can be typed; `lpszEditMask` (per character: D digit,
  // d digit or space, C letter, c letter or space, A letter or digit, a letter, digit or space,
  // * anything, a space for a fixed character of `lpszEditTemplate`) is checked when an edit ends.
  CMFCPropertyGridProperty(const CString& strName, const COleVariant& varValue, LPCTSTR lpszDescr = nullptr,
                           DWORD_PTR dwData = 0, LPCTSTR lpszEditMask = nullptr, LPCTSTR lpszEditTemplate = nullptr,
                           LPCTSTR lpszValidChars = nullptr);
  ~CMFCPropertyGridProperty() override;

  // Sub items. AddSubItem takes ownership (FALSE for null or a row that already has a place).
  BOOL AddSubItem(CMFCPropertyGridProperty* pProp);
  // Takes `pProp` out (deleting it and nulling the pointer when `bDelete`); FALSE when it is not
  // a sub item of this row or of one of its sub items.
  BOOL RemoveSubItem(CMFCPropertyGridProperty*& pProp, BOOL bDelete = TRUE);
  int GetSubItemsCount() const { return static_cast<int>(m_lstSubItems.GetCount()); }
  CMFCPropertyGridProperty* GetSubItem(int nIndex) const;
  CMFCPropertyGridProperty* GetParent() const { return m_pParent; }
  // This row or a row below it whose data is `dwData`.
  CMFCPropertyGridProperty* FindSubItemByData(DWORD_PTR dwData) const;
  BOOL IsGroup() const { return m_bGroup; }
  BOOL IsValueList() const { return m_bIsValueList; }
  // Rows with sub items open and close; a closed row hides everything below it.
  void Expand(BOOL bExpand = TRUE);
  BOOL IsExpanded() const { return m_bExpanded; }
  BOOL IsParentExpanded() const;
  // Depth in the tree: 0 for a row added to the grid.
  int GetHierarchyLevel() const;

  // Options offered in the row's drop-down list. `bInsertUnique` skips a text already there.
  BOOL AddOption(LPCTSTR lpszOption, BOOL bInsertUnique = TRUE);
  void RemoveAllOptions();
  int GetOptionCount() const { return static_cast<int>(m_lstOptions.GetCount()); }
  LPCTSTR GetOption(int nIndex) const;
  // Off: the value cannot be typed; a row with options then only offers a choice from the list.
  void AllowEdit(BOOL bAllow = TRUE);
  BOOL IsAllowEdit() const { return m_bAllowEdit; }
  // Spin buttons keep the number within [nMin, nMax]; a typed number beyond it is brought to the
  // nearer end.
  void EnableSpinControl(BOOL bEnable = TRUE, int nMin = 0, int nMax = 0);

  // The value. SetValue keeps the variant type of the row's value (a value of another type is
  // converted, and ignored when it does not convert) and redraws the row.
  virtual const COleVariant& GetValue() const { return m_varValue; }
  virtual void SetValue(const COleVariant& varValue);
  // The value the row was made with (or last reset to); modified rows differ from it.
  const COleVariant& GetOriginalValue() const { return m_varValueOrig; }
  void SetOriginalValue(const COleVariant& varValue);
  virtual void ResetOriginalValue();
  BOOL IsModified() const { return m_bIsModified; }

  DWORD_PTR GetData() const { return m_dwData; }
  void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
  LPCTSTR GetName() const { return m_strName; }
  void SetName(LPCTSTR lpszName, BOOL bRedraw = TRUE);
  const CString& GetDescription() const { return m_strDescr; }
  void SetDescription(const CString& strDescr);

  // A disabled row is drawn grey and cannot be edited.
  void Enable(BOOL bEnable = TRUE);
  BOOL IsEnabled() const { return m_bEnabled; }
  // A hidden row takes no place in the grid, nor do its sub items.
  void Show(BOOL bShow = TRUE, BOOL bAdjustLayout = TRUE);
  BOOL IsVisible() const { return m_bVisible; }

  BOOL IsSelected() const;
  BOOL IsInPlaceEditing() const { return m_bInPlaceEdit; }
  // The row's rectangle in the grid's client area (empty while it is not shown).
  CRect GetRect() const { return m_Rect; }
  // Repaints the row now, when it is shown.
  void Redraw();

  // Drawing; the grid has selected the row's font and text colour into `pDC` and clips to `rect`.
  virtual void OnDrawName(CDC* pDC, CRect rect);
  virtual void OnDrawValue(CDC* pDC, CRect rect);
  virtual void OnDrawExpandBox(CDC* pDC, CRect rectExpand);
  virtual void OnDrawButton(CDC* pDC, CRect rectButton);
  virtual void OnDrawDescription(CDC* pDC, CRect rect);

  // The value as the grid shows it.
  virtual CString FormatProperty();
  // Text shown as a tip when the value or the name does not fit (empty: none).
  virtual CString GetValueTooltip();
  virtual CString GetNameTooltip();
  // The value differs from the original.
  virtual BOOL IsValueChanged() const;

  // Editing, called by the grid. OnEdit opens the in-place editors (FALSE when the row has none);
  // OnUpdateValue takes their text into the value; OnEndEdit closes them.
  virtual BOOL OnEdit(LPPOINT lptClick);
  virtual BOOL OnUpdateValue();
  virtual BOOL OnEndEdit();
  // The row's button was clicked (`point` in the grid's client coordinates). A row with options
  // drops its list.
  virtual void OnClickButton(CPoint point);
  // A double click on the value: a row that offers only a choice moves on to its next option.
  virtual BOOL OnDblClk(CPoint point);
  // The in-place combo box chose an item.
  virtual void OnSelectCombo();
  // Converts `strText` into the value's type and stores it; FALSE leaves the value as it was.
  virtual BOOL TextToVar(const CString& strText);

 protected:
  // The editors OnEdit makes; each must delete itself when its window is destroyed.
  virtual CWnd* CreateInPlaceEdit(CRect rectEdit, BOOL& bDefaultFormat);
  virtual CSpinButtonCtrl* CreateSpinControl(CRect rectSpin);
  virtual CComboBox* CreateCombo(CWnd* pWndParent, CRect rect);
  // Places the button at the right end of the value (m_rectButton) when the row has one.
  virtual void AdjustButtonRect();
  // The rectangles of the in-place editor and the spin buttons inside the value.
  virtual void AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin);
  // The grid passes a typed character to the row: it opens the editor with the character typed
  // (FALSE when the row takes no typing).
  virtual BOOL PushChar(UINT nChar);
  // The text in the open editor.
  virtual CString GetInPlaceText() const;

  // The text of a value by the row's rules (the two boolean texts for VT_BOOL).
  CString FormatValue(const VARIANT& value) const;
  // Whether `strText` passes the edit mask (always when there is none).
  BOOL MatchesEditMask(const CString& strText) const;
  // Sets the grid of this row and every row below it.
  void SetOwnerList(CMFCPropertyGridCtrl* pWndList);
  // Rows that can take a value from the user: enabled value rows (not groups, not empty).
  BOOL CanEdit() const;
  void SetModifiedFlag();

 public:
  DWORD m_dwFlags = 0;  // AFX_PROP_HAS_*

 protected:
  CString m_strName;
  CString m_strDescr;
  CString m_strEditMask;
  CString m_strEditTempl;
  CString m_strValidChars;
  COleVariant m_varValue;
  COleVariant m_varValueOrig;
  DWORD_PTR m_dwData = 0;
  BOOL m_bGroup = FALSE;
  BOOL m_bIsValueList = FALSE;
  BOOL m_bExpanded = TRUE;
  BOOL m_bEnabled = TRUE;
  BOOL m_bVisible = TRUE;
  BOOL m_bAllowEdit = TRUE;
  BOOL m_bIsModified = FALSE;
  BOOL m_bInPlaceEdit = FALSE;
  BOOL m_bButtonIsDown = FALSE;
  int m_nMinValue = 0;
  int m_nMaxValue = 0;

  CMFCPropertyGridCtrl* m_pWndList = nullptr;  // the grid showing the row
  CMFCPropertyGridProperty* m_pParent = nullptr;
  CList<CMFCPropertyGridProperty*, CMFCPropertyGridProperty*> m_lstSubItems;
  CStringList m_lstOptions;

  CWnd* m_pWndInPlace = nullptr;          // the in-place editor while one is open
  CComboBox* m_pWndCombo = nullptr;       // the in-place combo box of a row with options
  CSpinButtonCtrl* m_pWndSpin = nullptr;  // the spin buttons of a spin row

  CRect m_Rect;        // the whole row in the grid's client area
  CRect m_rectButton;  // the button at the right end of the value (empty without one)
};
