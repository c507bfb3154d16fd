#include "fw/Controls.h"

#include "fw/Dc.h"

HMODULE FwFindResourceModule(LPCWSTR name, LPCWSTR type, HRSRC* found);

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

namespace {

// The common controls' classes must be registered before the first one is made.
void EnsureCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return ::InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

BOOL CreateControl(CWnd* control, LPCWSTR cls, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  EnsureCommonControls();
  return control->CreateEx(0, cls, text, style | WS_CHILD, rect, parent, id);
}

CString TextFrom(HWND h, UINT lengthMessage, UINT textMessage, WPARAM index) {
  CString s;
  const LRESULT n = ::SendMessageW(h, lengthMessage, index, 0);
  if (n < 0) return s;
  const LRESULT copied =
      ::SendMessageW(h, textMessage, index, reinterpret_cast<LPARAM>(s.GetBuffer(static_cast<int>(n) + 1)));
  s.ReleaseBuffer(copied < 0 ? 0 : static_cast<int>(copied));
  return s;
}

}  // namespace

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(this, L"STATIC", text, style, rect, parent, id);
}
HBITMAP CStatic::SetBitmap(HBITMAP h) {
  return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(h)));
}
HICON CStatic::SetIcon(HICON h) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(h))); }

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(this, L"BUTTON", caption, style, rect, parent, id);
}
int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int n) { SendMessage(BM_SETCHECK, n); }
UINT CButton::GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
void CButton::SetState(BOOL b) { SendMessage(BM_SETSTATE, b); }
HBITMAP CButton::SetBitmap(HBITMAP h) {
  return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(h)));
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(this, L"EDIT", L"", style, rect, parent, id);
}
void CEdit::SetLimitText(UINT n) { SendMessage(EM_SETLIMITTEXT, n); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
void CEdit::SetSel(int s, int e, BOOL noScroll) {
  SendMessage(EM_SETSEL, s, e);
  if (!noScroll) SendMessage(EM_SCROLLCARET);
}
void CEdit::GetSel(int& s, int& e) const {
  DWORD ds = 0, de = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&ds), reinterpret_cast<LPARAM>(&de));
  s = static_cast<int>(ds);
  e = static_cast<int>(de);
}
void CEdit::ReplaceSel(LPCTSTR t, BOOL undo) { SendMessage(EM_REPLACESEL, undo, reinterpret_cast<LPARAM>(t)); }
void CEdit::SetReadOnly(BOOL b) { SendMessage(EM_SETREADONLY, b); }
int CEdit::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
BOOL CEdit::GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL b) { SendMessage(EM_SETMODIFY, b); }
void CEdit::Clear() { SendMessage(WM_CLEAR); }
void CEdit::Copy() { SendMessage(WM_COPY); }
void CEdit::Cut() { SendMessage(WM_CUT); }
void CEdit::Paste() { SendMessage(WM_PASTE); }
BOOL CEdit::Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(this, L"COMBOBOX", L"", style, rect, parent, id);
}
int CComboBox::AddString(LPCTSTR s) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }
int CComboBox::InsertString(int i, LPCTSTR s) {
  return static_cast<int>(SendMessage(CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(s)));
}
int CComboBox::DeleteString(UINT i) { return static_cast<int>(SendMessage(CB_DELETESTRING, i)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
int CComboBox::SetCurSel(int i) { return static_cast<int>(SendMessage(CB_SETCURSEL, i)); }
int CComboBox::FindString(int after, LPCTSTR s) const {
  return static_cast<int>(SendMessage(CB_FINDSTRING, after, reinterpret_cast<LPARAM>(s)));
}
int CComboBox::FindStringExact(int start, LPCTSTR s) const {
  return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, start, reinterpret_cast<LPARAM>(s)));
}
int CComboBox::SelectString(int after, LPCTSTR s) {
  return static_cast<int>(SendMessage(CB_SELECTSTRING, after, reinterpret_cast<LPARAM>(s)));
}
void CComboBox::GetLBText(int i, CString& r) const { r = TextFrom(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, i); }
int CComboBox::GetLBTextLen(int i) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, i)); }
DWORD_PTR CComboBox::GetItemData(int i) const { return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, i)); }
int CComboBox::SetItemData(int i, DWORD_PTR d) { return static_cast<int>(SendMessage(CB_SETITEMDATA, i, static_cast<LPARAM>(d))); }
BOOL CComboBox::LimitText(int n) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, n)); }
void CComboBox::ShowDropDown(BOOL b) { SendMessage(CB_SHOWDROPDOWN, b); }

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(this, L"LISTBOX", L"", style, rect, parent, id);
}
int CListBox::AddString(LPCTSTR s) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }
int CListBox::InsertString(int i, LPCTSTR s) {
  return static_cast<int>(SendMessage(LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(s)));
}
int CListBox::DeleteString(UINT i) { return static_cast<int>(SendMessage(LB_DELETESTRING, i)); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
int CListBox::GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
int CListBox::SetCurSel(int i) { return static_cast<int>(SendMessage(LB_SETCURSEL, i)); }
int CListBox::GetSel(int i) const { return static_cast<int>(SendMessage(LB_GETSEL, i)); }
int CListBox::SetSel(int i, BOOL b) { return static_cast<int>(SendMessage(LB_SETSEL, b, i)); }
int CListBox::GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
int CListBox::GetSelItems(int n, LPINT items) const {
  return static_cast<int>(SendMessage(LB_GETSELITEMS, n, reinterpret_cast<LPARAM>(items)));
}
void CListBox::GetText(int i, CString& r) const { r = TextFrom(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, i); }
int CListBox::GetTextLen(int i) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, i)); }
int CListBox::FindStringExact(int start, LPCTSTR s) const {
  return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, start, reinterpret_cast<LPARAM>(s)));
}
DWORD_PTR CListBox::GetItemData(int i) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, i)); }
int CListBox::SetItemData(int i, DWORD_PTR d) { return static_cast<int>(SendMessage(LB_SETITEMDATA, i, static_cast<LPARAM>(d))); }
int CListBox::GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
int CListBox::SetTopIndex(int i) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, i)); }

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(this, L"SCROLLBAR", L"", style, rect, parent, id);
}
int CScrollBar::GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
int CScrollBar::SetScrollPos(int pos, BOOL redraw) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
void CScrollBar::SetScrollRange(int mn, int mx, BOOL redraw) { ::SetScrollRange(m_hWnd, SB_CTL, mn, mx, redraw); }

CImageList::~CImageList() { DeleteImageList(); }
BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  EnsureCommonControls();
  return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}
BOOL CImageList::Create(UINT nBitmapID, int cx, int grow, COLORREF mask) {
  EnsureCommonControls();
  HRSRC found = nullptr;
  HMODULE module = FwFindResourceModule(MAKEINTRESOURCEW(nBitmapID), RT_BITMAP, &found);
  if (!module) return FALSE;
  return Attach(ImageList_LoadImageW(module, MAKEINTRESOURCEW(nBitmapID), cx, grow, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}
BOOL CImageList::Attach(HIMAGELIST h) {
  if (m_hImageList || !h) return FALSE;
  m_hImageList = h;
  return TRUE;
}
HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  m_hImageList = nullptr;
  return h;
}
BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  return ImageList_Destroy(Detach());
}
int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
int CImageList::Add(CBitmap* image, CBitmap* mask) {
  return ImageList_Add(m_hImageList, image ? static_cast<HBITMAP>(*image) : nullptr, mask ? static_cast<HBITMAP>(*mask) : nullptr);
}
int CImageList::Add(CBitmap* image, COLORREF mask) {
  return ImageList_AddMasked(m_hImageList, image ? static_cast<HBITMAP>(*image) : nullptr, mask);
}
int CImageList::Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
BOOL CImageList::Remove(int i) { return ImageList_Remove(m_hImageList, i); }
BOOL CImageList::Draw(CDC* dc, int i, POINT pt, UINT style) {
  return dc && ImageList_Draw(m_hImageList, i, dc->m_hDC, pt.x, pt.y, style);
}
HICON CImageList::ExtractIcon(int i) { return ImageList_GetIcon(m_hImageList, i, ILD_NORMAL); }
BOOL CImageList::GetImageInfo(int i, IMAGEINFO* info) const { return ImageList_GetImageInfo(m_hImageList, i, info); }

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(this, WC_LISTVIEWW, L"", style, rect, parent, id);
}
DWORD CListCtrl::SetExtendedStyle(DWORD s) { return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, s)); }
DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
// The list keeps only the handle; the image list object stays the caller's.
CImageList* CListCtrl::SetImageList(CImageList* list, int type) {
  SendMessage(LVM_SETIMAGELIST, type, reinterpret_cast<LPARAM>(list ? list->m_hImageList : nullptr));
  return nullptr;
}
int CListCtrl::InsertColumn(int col, LPCTSTR heading, int format, int width, int subItem) {
  LVCOLUMNW c = {};
  c.mask = LVCF_TEXT | LVCF_FMT;
  c.pszText = const_cast<LPWSTR>(heading);
  c.fmt = format;
  if (width >= 0) {
    c.mask |= LVCF_WIDTH;
    c.cx = width;
  }
  if (subItem >= 0) {
    c.mask |= LVCF_SUBITEM;
    c.iSubItem = subItem;
  }
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, col, reinterpret_cast<LPARAM>(&c)));
}
BOOL CListCtrl::DeleteColumn(int col) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, col)); }
int CListCtrl::GetColumnWidth(int col) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, col)); }
BOOL CListCtrl::SetColumnWidth(int col, int cx) { return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, col, cx)); }
int CListCtrl::InsertItem(const LVITEMW* item) {
  return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(item)));
}
int CListCtrl::InsertItem(int n, LPCTSTR text) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = n;
  item.pszText = const_cast<LPWSTR>(text);
  return InsertItem(&item);
}
int CListCtrl::InsertItem(int n, LPCTSTR text, int image) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = n;
  item.pszText = const_cast<LPWSTR>(text);
  item.iImage = image;
  return InsertItem(&item);
}
BOOL CListCtrl::DeleteItem(int n) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, n)); }
BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
BOOL CListCtrl::SetItemCountEx(int count, DWORD flags) { return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, count, flags)); }
BOOL CListCtrl::SetItemText(int n, int sub, LPCTSTR text) {
  LVITEMW item = {};
  item.iSubItem = sub;
  item.pszText = const_cast<LPWSTR>(text);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, n, reinterpret_cast<LPARAM>(&item)));
}
// The control copies at most the buffer it is given; grow until the text fits.
CString CListCtrl::GetItemText(int n, int sub) const {
  CString s;
  for (int size = 256; size <= 1 << 20; size *= 4) {
    LVITEMW item = {};
    item.iSubItem = sub;
    item.cchTextMax = size;
    item.pszText = s.GetBuffer(size);
    const int copied = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, n, reinterpret_cast<LPARAM>(&item)));
    s.ReleaseBuffer(copied);
    if (copied < size - 1) break;
  }
  return s;
}
BOOL CListCtrl::SetItemData(int n, DWORD_PTR data) {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = n;
  item.lParam = static_cast<LPARAM>(data);
  return SetItem(&item);
}
DWORD_PTR CListCtrl::GetItemData(int n) const {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = n;
  return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}
BOOL CListCtrl::SetItemState(int n, UINT state, UINT mask) {
  LVITEMW item = {};
  item.state = state;
  item.stateMask = mask;
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, n, reinterpret_cast<LPARAM>(&item)));
}
UINT CListCtrl::GetItemState(int n, UINT mask) const { return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, n, mask)); }
BOOL CListCtrl::GetItem(LVITEMW* item) const { return static_cast<BOOL>(SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item))); }
BOOL CListCtrl::SetItem(const LVITEMW* item) {
  return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)));
}
int CListCtrl::GetNextItem(int n, int flags) const { return static_cast<int>(SendMessage(LVM_GETNEXTITEM, n, flags)); }
// Positions are the item index plus one, so that no selection is a null position.
POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  const int first = GetNextItem(-1, LVNI_SELECTED);
  return first < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(first + 1));
}
int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
  const int current = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
  const int next = GetNextItem(current, LVNI_SELECTED);
  pos = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(next + 1));
  return current;
}
UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
int CListCtrl::GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
BOOL CListCtrl::EnsureVisible(int n, BOOL partial) { return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, n, partial)); }
int CListCtrl::HitTest(POINT pt, UINT* flags) const {
  LVHITTESTINFO info = {};
  info.pt = pt;
  const int n = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (flags) *flags = info.flags;
  return n;
}
BOOL CListCtrl::GetItemRect(int n, LPRECT r, UINT code) const {
  r->left = static_cast<LONG>(code);
  return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, n, reinterpret_cast<LPARAM>(r)));
}
CEdit* CListCtrl::EditLabel(int n) {
  return static_cast<CEdit*>(FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, n))));
}
CEdit* CListCtrl::GetEditControl() const {
  return static_cast<CEdit*>(FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL))));
}
BOOL CListCtrl::RedrawItems(int first, int last) { return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, first, last)); }

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(this, UPDOWN_CLASSW, L"", style, rect, parent, id);
}
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy) {
  return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->m_hWnd : nullptr))));
}
CWnd* CSpinButtonCtrl::GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
void CSpinButtonCtrl::SetRange(short lo, short hi) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(hi, lo)); }
void CSpinButtonCtrl::SetRange32(int lo, int hi) { SendMessage(UDM_SETRANGE32, lo, hi); }
void CSpinButtonCtrl::GetRange32(int& lo, int& hi) const {
  SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
}
int CSpinButtonCtrl::SetPos(int pos) { return static_cast<int>(static_cast<short>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(pos, 0)))); }
int CSpinButtonCtrl::GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS)); }
int CSpinButtonCtrl::SetPos32(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
int CSpinButtonCtrl::GetPos32(LPBOOL error) const {
  return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
}

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(this, PROGRESS_CLASSW, L"", style, rect, parent, id);
}
void CProgressCtrl::SetRange(short lo, short hi) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lo, hi)); }
void CProgressCtrl::SetRange32(int lo, int hi) { SendMessage(PBM_SETRANGE32, lo, hi); }
int CProgressCtrl::SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, pos)); }
int CProgressCtrl::GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
int CProgressCtrl::OffsetPos(int d) { return static_cast<int>(SendMessage(PBM_DELTAPOS, d)); }
int CProgressCtrl::SetStep(int s) { return static_cast<int>(SendMessage(PBM_SETSTEP, s)); }
int CProgressCtrl::StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(this, WC_TABCONTROLW, L"", style, rect, parent, id);
}
LONG CTabCtrl::InsertItem(int n, LPCTSTR text) {
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPWSTR>(text);
  return static_cast<LONG>(SendMessage(TCM_INSERTITEMW, n, reinterpret_cast<LPARAM>(&item)));
}
BOOL CTabCtrl::DeleteItem(int n) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, n)); }
BOOL CTabCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
int CTabCtrl::GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
int CTabCtrl::GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int n) { return static_cast<int>(SendMessage(TCM_SETCURSEL, n)); }
void CTabCtrl::AdjustRect(BOOL larger, LPRECT r) { SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(r)); }
BOOL CTabCtrl::GetItemRect(int n, LPRECT r) const {
  return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, n, reinterpret_cast<LPARAM>(r)));
}
