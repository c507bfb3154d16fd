// The property grid: a list of named values (CMFCPropertyGridProperty rows) drawn as name | value
// columns with a splitter the user can drag, groups that open and close, an optional header strip
// and an optional description area under the list that shows the selected row's name in bold and
// its description.
//
// The user selects rows with the mouse and Up/Down/PageUp/PageDown/Home/End; Left/Right, +/- or a
// double click close and open groups; a click on a value, F2, Enter or typing starts in-place
// editing. Enter or moving the focus away ends the edit and keeps the new value, Esc restores the
// old one, Tab (Shift+Tab) ends it and edits the next (previous) row. When an edit changed a
// value, OnPropertyChanged sends AFX_WM_PROPERTY_CHANGED to the grid's owner (its parent when the
// grid has no owner): wParam the grid's control id, lParam the row.
//
// Everything is drawn through the visual manager: in the VS.NET look groups are bands of the
// manager's grid group colour with a +/- box, beside a left margin of the same colour; in the
// classic look groups are bold headings on the window colour.
#pragma once
#include "fw/PropertyGridProperty.h"
#include "fw/Array.h"

class FW_API CMFCPropertyGridCtrl : public CWnd {
  DECLARE_DYNAMIC(CMFCPropertyGridCtrl)
  friend class CMFCPropertyGridProperty;

 public:
  CMFCPropertyGridCtrl();
  ~CMFCPropertyGridCtrl() override;

  // Creates the grid as a child control (WS_CHILD is added; WS_BORDER draws a frame).
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // Rows. AddProperty takes ownership and returns the row's index, -1 when it is null or already
  // in a grid or a group.
  int AddProperty(CMFCPropertyGridProperty* pProp, BOOL bRedraw = TRUE, BOOL bAdjustLayout = TRUE);
  // Deletes a row of the grid at any depth and nulls the pointer; FALSE when it is not here.
  BOOL DeleteProperty(CMFCPropertyGridProperty*& pProp, BOOL bRedraw = TRUE, BOOL bAdjustLayout = TRUE);
  void RemoveAll();
  int GetPropertyCount() const { return static_cast<int>(m_lstProps.GetCount()); }
  // The row added at `nIndex` (top level only).
  CMFCPropertyGridProperty* GetProperty(int nIndex) const;
  // The first row whose data is `dwData`: top-level rows first, then (with `bSearchSubItems`)
  // the rows below them.
  CMFCPropertyGridProperty* FindItemByData(DWORD_PTR dwData, BOOL bSearchSubItems = TRUE) const;
  // The row under a point of the client area and the part of it hit; null over empty space.
  // `bPropsOnly` ignores the description area.
  CMFCPropertyGridProperty* HitTest(CPoint pt, CMFCPropertyGridProperty::ClickArea* pnArea = nullptr,
                                    BOOL bPropsOnly = FALSE) const;

  // Selection. Selecting another row ends an edit in progress (keeping its value).
  void SetCurSel(CMFCPropertyGridProperty* pProp, BOOL bRedraw = TRUE);
  CMFCPropertyGridProperty* GetCurSel() const { return m_pSel; }
  // Scrolls the row into view; `bExpandParents` opens the rows above it first.
  void EnsureVisible(CMFCPropertyGridProperty* pProp, BOOL bExpandParents = FALSE);
  void ExpandAll(BOOL bExpand = TRUE);

  // In-place editing of a row (it becomes the selection); FALSE when the row cannot be edited.
  BOOL EditItem(CMFCPropertyGridProperty* pProp, LPPOINT lptClick = nullptr);
  // Ends the edit in progress: keeps the edited value (`bUpdateData`) or restores the old one.
  // FALSE when the edited text was refused (the old value stays) or nothing was being edited.
  BOOL EndEditItem(BOOL bUpdateData = TRUE);

  // The header strip over the columns; null texts take the framework's own ("Property", "Value"
  // in the resource language).
  void EnableHeaderCtrl(BOOL bEnable = TRUE, LPCTSTR lpszLeftColumn = nullptr, LPCTSTR lpszRightColumn = nullptr);
  BOOL IsHeaderCtrl() const { return m_bHeaderCtrl; }
  // The area under the list with the selected row's name and description.
  void EnableDescriptionArea(BOOL bEnable = TRUE);
  BOOL IsDescriptionArea() const { return m_bDescriptionArea; }
  // Lines of description text the area has room for (3 by default).
  void SetDescriptionRows(int nDescRows);

  void SetVSDotNetLook(BOOL bSet = TRUE);
  BOOL IsVSDotNetLook() const { return m_bVSDotNetLook; }
  // Values that differ from their original are drawn in bold.
  void MarkModifiedProperties(BOOL bMark = TRUE, BOOL bRedraw = TRUE);
  BOOL IsMarkModifiedProperties() const { return m_bMarkModifiedProperties; }
  // Makes every row's value its original.
  void ResetOriginalValues(BOOL bRedraw = TRUE);
  // All value rows sorted by name, without groups.
  void SetAlphabeticMode(BOOL bSet = TRUE);
  BOOL IsAlphabeticMode() const { return m_bAlphabeticMode; }
  // The two texts of truth values (the framework's "True" and "False" by default).
  void SetBoolLabels(LPCTSTR lpszTrue, LPCTSTR lpszFalse);
  LPCTSTR GetBoolTrueLabel() const { return m_strTrue; }
  LPCTSTR GetBoolFalseLabel() const { return m_strFalse; }

  // Geometry, as last laid out.
  int GetRowHeight() const { return m_nRowHeight; }
  int GetLeftColumnWidth() const { return m_nLeftColumnWidth; }
  void SetLeftColumnWidth(int cx);
  // The rows' area: the client area without the header and the description.
  CRect GetListRect() const { return m_rectList; }
  CFont* GetBoldFont() { return &m_fontBold; }
  // The tip that shows a name or value too long for its cell while the mouse rests on it.
  CWnd* GetToolTip() { return &m_wndTip; }
  // Places the rows, the scroll bar and the editors after a change; repaints.
  void AdjustLayout();

  // A row's value was changed by the user: sends AFX_WM_PROPERTY_CHANGED to the owner.
  virtual void OnPropertyChanged(CMFCPropertyGridProperty* pProp) const;

 protected:
  // Painting, in the order the grid paints.
  virtual void OnFillBackground(CDC* pDC, CRect rectClient);
  virtual void OnDrawList(CDC* pDC);
  virtual void OnDrawProperty(CDC* pDC, CMFCPropertyGridProperty* pProp);
  virtual void OnDrawDescription(CDC* pDC, CRect rect);
  virtual void OnDrawHeader(CDC* pDC, CRect rect);

  // The row before or after `pProp` among the rows shown (null at either end).
  CMFCPropertyGridProperty* GetNeighbour(CMFCPropertyGridProperty* pProp, int nStep, BOOL bSkipGroups) const;
  // Whether the row is one of the grid's rows (at any depth).
  BOOL Contains(const CMFCPropertyGridProperty* pProp) const;
  // Moves to the next (previous) row that is not a group and edits it when it can be edited.
  void MoveEdit(BOOL bBackward);
  // The in-place editors of the row being edited report a key that ends or moves the edit (TRUE
  // when the grid took it) and the loss of the focus.
  template <class Control>
  friend class FwGridEditor;
  BOOL OnEditorKey(UINT nChar);
  void OnEditorFocusLost();
  // A row and what is below it are leaving the grid: their edit ends unsaved, the selection goes.
  void OnRowLeaving(CMFCPropertyGridProperty* pProp);
  // Presses the row's button: drawn down while OnClickButton runs.
  void ClickButton(CMFCPropertyGridProperty* pProp, CPoint point);
  void ScrollToRow(int nFirstRow);
  // Shows the tip of the cell under `point` when its text does not fit, else hides it.
  void UpdateToolTip(CPoint point);
  void HideToolTip();
  void SetScrollBar();
  void UpdateFonts();
  void InvalidateRow(CMFCPropertyGridProperty* pProp);
  void Select(CMFCPropertyGridProperty* pProp, BOOL bRedraw);
  void Toggle(CMFCPropertyGridProperty* pProp);
  void CollectRows(CMFCPropertyGridProperty* pProp, CArray<CMFCPropertyGridProperty*, CMFCPropertyGridProperty*>& rows) const;
  void CollectSorted(CArray<CMFCPropertyGridProperty*, CMFCPropertyGridProperty*>& rows) const;
  // The area left of a row's name where its +/- box goes (empty without sub items).
  CRect GetExpandBoxRect(const CMFCPropertyGridProperty* pProp) const;
  int GetNameIndent(const CMFCPropertyGridProperty* pProp) const;
  BOOL IsOnSplitter(CPoint point) const;

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetFontMessage(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetFontMessage(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCheckEditorFocus(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCommitChoice(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSelectCombo();
  DECLARE_MESSAGE_MAP()

  CList<CMFCPropertyGridProperty*, CMFCPropertyGridProperty*> m_lstProps;  // top-level rows, owned
  CArray<CMFCPropertyGridProperty*, CMFCPropertyGridProperty*> m_rows;     // the rows shown, in order
  CMFCPropertyGridProperty* m_pSel = nullptr;
  CMFCPropertyGridProperty* m_pEdited = nullptr;  // the row whose editors are open
  UINT m_nEditSerial = 0;  // counts the edits opened, so a late message for an ended one is ignored

  BOOL m_bHeaderCtrl = FALSE;
  BOOL m_bDescriptionArea = FALSE;
  BOOL m_bVSDotNetLook = FALSE;
  BOOL m_bMarkModifiedProperties = FALSE;
  BOOL m_bAlphabeticMode = FALSE;
  BOOL m_bTracking = FALSE;  // the splitter is being dragged
  BOOL m_bInLayout = FALSE;
  CString m_strHeaderLeft;
  CString m_strHeaderRight;
  CString m_strTrue;
  CString m_strFalse;

  HFONT m_hFont = nullptr;  // the font set through WM_SETFONT (not owned); the GUI font when null
  CFont m_fontBold;
  int m_nRowHeight = 18;
  int m_nLeftColumnWidth = 0;  // 0 until the first layout gives it half the width
  int m_nDescRows = 3;
  int m_nFirstRow = 0;         // index in m_rows of the first row shown
  int m_nRowsPerPage = 0;
  CRect m_rectList;
  CRect m_rectHeader;
  CRect m_rectDescr;

  CWnd m_wndTip;
  CMFCPropertyGridProperty* m_pTipRow = nullptr;  // the row whose tip shows
  BOOL m_bTipOnValue = FALSE;
  BOOL m_bTrackingLeave = FALSE;
};
