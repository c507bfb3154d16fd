// The common controls as thin CWnd classes: each Create makes the system control, and the members
// send its messages. Subclass an existing control with DDX_Control or SubclassDlgItem.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "fw/Gdi.h"
#include "fw/Wnd.h"

class FW_API CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
 public:
  BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
  HBITMAP SetBitmap(HBITMAP hBitmap);
  HICON SetIcon(HICON hIcon);
};

class FW_API CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)
 public:
  BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetCheck() const;
  void SetCheck(int nCheck);
  UINT GetState() const;
  void SetState(BOOL bHighlight);
  HBITMAP SetBitmap(HBITMAP hBitmap);
};

class FW_API CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetLimitText(UINT nMax);
  UINT GetLimitText() const;
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
  void GetSel(int& nStartChar, int& nEndChar) const;
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
  void SetReadOnly(BOOL bReadOnly = TRUE);
  int GetLineCount() const;
  BOOL GetModify() const;
  void SetModify(BOOL bModified = TRUE);
  void Clear();
  void Copy();
  void Cut();
  void Paste();
  BOOL Undo();
};

class FW_API CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int AddString(LPCTSTR lpszString);
  int InsertString(int nIndex, LPCTSTR lpszString);
  int DeleteString(UINT nIndex);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  int FindString(int nStartAfter, LPCTSTR lpszString) const;
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  int SelectString(int nStartAfter, LPCTSTR lpszString);
  void GetLBText(int nIndex, CString& rString) const;
  int GetLBTextLen(int nIndex) const;
  DWORD_PTR GetItemData(int nIndex) const;
  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  BOOL LimitText(int nMaxChars);
  void ShowDropDown(BOOL bShowIt = TRUE);
};

class FW_API CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int AddString(LPCTSTR lpszItem);
  int InsertString(int nIndex, LPCTSTR lpszItem);
  int DeleteString(UINT nIndex);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  int GetSel(int nIndex) const;
  int SetSel(int nIndex, BOOL bSelect = TRUE);
  int GetSelCount() const;
  int GetSelItems(int nMaxItems, LPINT rgIndex) const;
  void GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const;
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  DWORD_PTR GetItemData(int nIndex) const;
  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  int GetTopIndex() const;
  int SetTopIndex(int nIndex);
};

class FW_API CScrollBar : public CWnd {
  DECLARE_DYNAMIC(CScrollBar)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetScrollPos() const;
  int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
  void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
};

// Images of one size kept in one bitmap; owned unless detached.
class FW_API CImageList : public CObject {
 public:
  CImageList() = default;
  ~CImageList() override;
  HIMAGELIST m_hImageList = nullptr;
  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // Cuts bitmap resource `nBitmapID` into images `cx` wide; `crMask` marks the transparent colour.
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();
  BOOL DeleteImageList();
  int GetImageCount() const;
  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  int Add(HICON hIcon);
  BOOL Remove(int nImage);
  BOOL Draw(class CDC* pDC, int nImage, POINT pt, UINT nStyle);
  HICON ExtractIcon(int nImage);
  BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
};

class FW_API CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  DWORD SetExtendedStyle(DWORD dwNewStyle);
  DWORD GetExtendedStyle() const;
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
  BOOL DeleteColumn(int nCol);
  int GetColumnWidth(int nCol) const;
  BOOL SetColumnWidth(int nCol, int cx);
  int InsertItem(int nItem, LPCTSTR lpszItem);
  int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
  int InsertItem(const LVITEMW* pItem);
  BOOL DeleteItem(int nItem);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  // Owner-data lists (LVS_OWNERDATA) hold no items, only their count; the parent supplies the text.
  BOOL SetItemCountEx(int iCount, DWORD dwFlags = LVSICF_NOINVALIDATEALL);
  BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
  CString GetItemText(int nItem, int nSubItem) const;
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  DWORD_PTR GetItemData(int nItem) const;
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  UINT GetItemState(int nItem, UINT nMask) const;
  BOOL GetItem(LVITEMW* pItem) const;
  BOOL SetItem(const LVITEMW* pItem);
  int GetNextItem(int nItem, int nFlags) const;
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& pos) const;
  UINT GetSelectedCount() const;
  int GetSelectionMark() const;
  BOOL EnsureVisible(int nItem, BOOL bPartialOK);
  int HitTest(POINT pt, UINT* pFlags = nullptr) const;
  BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
  CEdit* EditLabel(int nItem);
  CEdit* GetEditControl() const;
  BOOL RedrawItems(int nFirst, int nLast);
};

class FW_API CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  CWnd* SetBuddy(CWnd* pWndBuddy);
  CWnd* GetBuddy() const;
  void SetRange(short nLower, short nUpper);
  void SetRange32(int nLower, int nUpper);
  void GetRange32(int& nLower, int& nUpper) const;
  int SetPos(int nPos);
  int GetPos() const;
  int SetPos32(int nPos);
  int GetPos32(LPBOOL lpbError = nullptr) const;
};

class FW_API CProgressCtrl : public CWnd {
  DECLARE_DYNAMIC(CProgressCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetRange(short nLower, short nUpper);
  void SetRange32(int nLower, int nUpper);
  int SetPos(int nPos);
  int GetPos() const;
  int OffsetPos(int nPos);
  int SetStep(int nStep);
  int StepIt();
};

class FW_API CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  LONG InsertItem(int nItem, LPCTSTR lpszItem);
  BOOL DeleteItem(int nItem);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  int GetCurSel() const;
  int SetCurSel(int nItem);
  void AdjustRect(BOOL bLarger, LPRECT lpRect);
  BOOL GetItemRect(int nItem, LPRECT lpRect) const;
};
