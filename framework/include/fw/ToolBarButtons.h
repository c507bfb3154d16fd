// Tool-bar buttons that carry a control or a menu: a combo box, an edit box and a button that drops
// a pop-up menu. The controls are children of the bar with the button's command as their id; their
// notifications reach the button's NotifyCommand, and the bar sends the command to the frame when
// that answers TRUE.
#pragma once
#include "fw/Controls.h"
#include "fw/List.h"
#include "fw/ToolBarButton.h"

// The notification an edit-box button gets when the user presses Enter in it (edit controls send
// none of their own).
#define AFX_EN_RETURN 0x0F01

class FW_API CMFCToolBarComboBoxButton : public CMFCToolBarButton {
  DECLARE_SERIAL(CMFCToolBarComboBoxButton)
 public:
  CMFCToolBarComboBoxButton();
  // `dwStyle`: CBS_DROPDOWNLIST (pick only) or CBS_DROPDOWN (editable); `iWidth` 0 for the default.
  CMFCToolBarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = CBS_DROPDOWNLIST, int iWidth = 0);
  ~CMFCToolBarComboBoxButton() override;

  // The items are kept by the button as well, so they survive copies, state and a new control.
  INT_PTR AddItem(LPCTSTR lpszItem, DWORD_PTR dwData = 0);
  INT_PTR GetCount() const { return m_lstItems.GetCount(); }
  // Item `iIndex`, or the selected one for -1; null when there is none.
  LPCTSTR GetItem(int iIndex = -1) const;
  DWORD_PTR GetItemData(int iIndex = -1) const;
  BOOL DeleteItem(int iIndex);
  void RemoveAllItems();
  // Selects an item; with `bNotify` the button is told (CBN_SELENDOK) and the command goes to the
  // frame as if the user had picked it. FALSE for an item that does not exist.
  BOOL SelectItem(int iIndex, BOOL bNotify = TRUE);
  BOOL SelectItem(LPCTSTR lpszText);
  BOOL SelectItemByData(DWORD_PTR dwData);
  int GetCurSel() const { return m_iSelIndex; }
  // The edit text (an editable combo) or the selected item's text.
  LPCTSTR GetText() const override;
  void SetText(LPCTSTR lpszText);
  CComboBox* GetComboBox() const { return m_pWndCombo; }
  int GetWidth() const { return m_iWidth; }
  void SetWidth(int iWidth);
  DWORD GetComboStyle() const { return m_dwStyle; }

  // Makes the control; derived buttons make a combo box class of their own here. Null on failure.
  virtual CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect);

  void CopyFrom(const CMFCToolBarButton& src) override;
  void Serialize(CArchive& ar) override;
  void OnDraw(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
              BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
  // CBN_SELENDOK (a pick, or Enter in an editable combo) sends the command; CBN_SELCHANGE and
  // CBN_EDITCHANGE only follow the control.
  BOOL NotifyCommand(int iNotifyCode) override;
  void OnChangeParentWnd(CWnd* pWndParent) override;
  void OnMove() override;
  void OnSize(int iSize) override;
  void OnShow(BOOL bShow) override;
  HWND GetHwnd() override { return m_pWndCombo ? m_pWndCombo->m_hWnd : nullptr; }
  void EnableWindow(BOOL bEnable = TRUE) override;
  BOOL HaveHotBorder() const override { return FALSE; }

 protected:
  void DestroyCombo();
  // Fills a new control from the kept items, selection and text.
  void SyncControl();

  DWORD m_dwStyle = 0;
  int m_iWidth = 0;
  CStringList m_lstItems;
  CList<DWORD_PTR, DWORD_PTR> m_lstItemData;
  int m_iSelIndex = -1;
  mutable CString m_strEdit;  // follows the control's text when asked
  CComboBox* m_pWndCombo = nullptr;
  BOOL m_bHorz = TRUE;
};

class FW_API CMFCToolBarEditBoxButton : public CMFCToolBarButton {
  DECLARE_SERIAL(CMFCToolBarEditBoxButton)
 public:
  CMFCToolBarEditBoxButton();
  CMFCToolBarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle = ES_AUTOHSCROLL, int iWidth = 0);
  ~CMFCToolBarEditBoxButton() override;

  // Makes the control; derived buttons make an edit class of their own here. Null on failure.
  virtual CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect);
  CEdit* GetEditBox() const { return m_pWndEdit; }
  void SetContents(const CString& sContents);
  const CString& GetContents() const;
  LPCTSTR GetText() const override { return m_strContents; }
  int GetWidth() const { return m_iWidth; }
  DWORD GetEditStyle() const { return m_dwStyle; }
  // Edit boxes drawn flat (a thin frame) rather than sunken; for every edit-box button.
  static void SetFlatMode(BOOL bFlat = TRUE);
  static BOOL IsFlatMode();

  void CopyFrom(const CMFCToolBarButton& src) override;
  void Serialize(CArchive& ar) override;
  void OnDraw(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
              BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
  // EN_CHANGE keeps the contents; Enter (AFX_EN_RETURN) sends the command; the focus
  // notifications reach derived buttons and send nothing here.
  BOOL NotifyCommand(int iNotifyCode) override;
  void OnChangeParentWnd(CWnd* pWndParent) override;
  void OnMove() override;
  void OnSize(int iSize) override;
  void OnShow(BOOL bShow) override;
  HWND GetHwnd() override { return m_pWndEdit ? m_pWndEdit->m_hWnd : nullptr; }
  void EnableWindow(BOOL bEnable = TRUE) override;
  BOOL HaveHotBorder() const override { return FALSE; }

 protected:
  void DestroyEdit();

  DWORD m_dwStyle = 0;
  int m_iWidth = 0;
  mutable CString m_strContents;  // follows the control's text when asked
  CEdit* m_pWndEdit = nullptr;
  BOOL m_bHorz = TRUE;
};

// A button with a drop-down arrow whose click shows a pop-up menu under it. The button keeps the
// menu's items (a copy of the menu it was given); the menu bar's buttons also remember the pop-up
// of the frame's menu they stand for, and show that one.
class FW_API CMFCToolBarMenuButton : public CMFCToolBarButton {
  DECLARE_SERIAL(CMFCToolBarMenuButton)
 public:
  CMFCToolBarMenuButton();
  CMFCToolBarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);
  ~CMFCToolBarMenuButton() override;

  // The items: CMFCToolBarMenuButton objects; a separator has TBBS_SEPARATOR, a pop-up item its
  // own items.
  const CObList& GetCommands() const { return m_listCommands; }
  void CreateFromMenu(HMENU hMenu);
  // A new menu of the items; the caller destroys it. Null when there are none.
  HMENU CreateMenu() const;
  // The pop-up of the frame's menu this button shows (the menu bar's top-level items), or null.
  HMENU GetPopupSource() const { return m_hPopupSource; }
  void SetPopupSource(HMENU hPopup) { m_hPopupSource = hPopup; }
  BOOL IsDroppedDown() const override { return m_bDroppedDown; }
  void SetDroppedDown(BOOL bDropped) { m_bDroppedDown = bDropped; }

  void CopyFrom(const CMFCToolBarButton& src) override;
  void Serialize(CArchive& ar) override;
  void OnDraw(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
              BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  // Asks the bar to drop the menu (the frame may take the click first, see CMFCToolBar).
  BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;

  BOOL m_bDrawDownArrow = TRUE;

 protected:
  void RemoveAllCommands();

  CObList m_listCommands;
  HMENU m_hPopupSource = nullptr;
  BOOL m_bDroppedDown = FALSE;
};
