// The property grid: its rows, layout, selection, scrolling and the course of an in-place edit.
// Painting is in PropertyGridPaint.cpp, mouse and keyboard in PropertyGridInput.cpp.
#include "fw/PropertyGrid.h"

#include <functional>

#include "PropertyGridInternal.h"
#include "PropertyGridStrings.h"
#include "fw/Dc.h"
#include "fw/PaneStyles.h"

IMPLEMENT_DYNAMIC(CMFCPropertyGridCtrl, CWnd)

BEGIN_MESSAGE_MAP(CMFCPropertyGridCtrl, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_MOUSEWHEEL()
ON_WM_SETCURSOR()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_VSCROLL()
ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
ON_MESSAGE(WM_SETFONT, OnSetFontMessage)
ON_MESSAGE(WM_GETFONT, OnGetFontMessage)
ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
ON_MESSAGE(kFwGridCheckEditorFocus, OnCheckEditorFocus)
ON_MESSAGE(kFwGridCommitChoice, OnCommitChoice)
ON_CONTROL(CBN_SELENDOK, kFwGridEditorId, OnSelectCombo)
END_MESSAGE_MAP()

namespace {

using Row = CMFCPropertyGridProperty;

bool IsWithin(const Row* p, const Row* root) {
  for (; p; p = p->GetParent()) {
    if (p == root) return true;
  }
  return false;
}

// The value rows of a subtree, looking through groups (the rows of the alphabetic list).
void GatherValueRows(Row* p, CArray<Row*, Row*>& out) {
  if (!p->IsVisible()) return;
  if (FwIsBand(p)) {
    for (int i = 0; i < p->GetSubItemsCount(); ++i) GatherValueRows(p->GetSubItem(i), out);
  } else {
    out.Add(p);
  }
}

}  // namespace

CMFCPropertyGridCtrl::CMFCPropertyGridCtrl() {
  m_strTrue.LoadString(FW_IDS_PROPGRID_TRUE);
  m_strFalse.LoadString(FW_IDS_PROPGRID_FALSE);
}

CMFCPropertyGridCtrl::~CMFCPropertyGridCtrl() {
  // Destroy the window while this is still a grid, so that OnDestroy closes the editors.
  if (m_hWnd) DestroyWindow();
  m_pSel = nullptr;
  m_pEdited = nullptr;
  while (!m_lstProps.IsEmpty()) delete m_lstProps.RemoveHead();
}

BOOL CMFCPropertyGridCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  if (!pParentWnd) {
    OutputDebugStringW(L"CMFCPropertyGridCtrl::Create: a grid needs a parent\n");
    return FALSE;
  }
  // The tip, the spin buttons and the combo boxes are common controls.
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  LPCWSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
  return CWnd::CreateEx(0, cls, nullptr, dwStyle | WS_CHILD | WS_VSCROLL | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

int CMFCPropertyGridCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  // One tracking tool: the grid places it over the cell whose text it shows.
  if (m_wndTip.CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                        CRect(), this, 0)) {
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    tool.hwnd = m_hWnd;
    tool.uId = 1;
    tool.lpszText = const_cast<LPWSTR>(L"");
    m_wndTip.SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    m_wndTip.SetFont(GetFont(), FALSE);
  }
  UpdateFonts();
  AdjustLayout();
  return 0;
}

void CMFCPropertyGridCtrl::OnDestroy() {
  // The editors are child windows about to go: close them before they delete themselves.
  if (CMFCPropertyGridProperty* edited = m_pEdited) {
    m_pEdited = nullptr;
    edited->OnEndEdit();
  }
  if (m_bTracking) ::ReleaseCapture();
  m_pTipRow = nullptr;
  if (m_wndTip.m_hWnd) m_wndTip.DestroyWindow();
  CWnd::OnDestroy();
}

void CMFCPropertyGridCtrl::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (!m_bInLayout) AdjustLayout();
}

// --- rows ---

int CMFCPropertyGridCtrl::AddProperty(CMFCPropertyGridProperty* pProp, BOOL bRedraw, BOOL bAdjustLayout) {
  if (!pProp || pProp->m_pWndList || pProp->m_pParent) {
    OutputDebugStringW(L"CMFCPropertyGridCtrl::AddProperty: null, or already in a grid or a group\n");
    return -1;
  }
  m_lstProps.AddTail(pProp);
  pProp->SetOwnerList(this);
  if (bAdjustLayout && m_hWnd) AdjustLayout();
  else if (bRedraw && m_hWnd) Invalidate(FALSE);
  return GetPropertyCount() - 1;
}

BOOL CMFCPropertyGridCtrl::DeleteProperty(CMFCPropertyGridProperty*& pProp, BOOL bRedraw, BOOL bAdjustLayout) {
  if (!pProp || pProp->m_pWndList != this) return FALSE;
  if (CMFCPropertyGridProperty* parent = pProp->m_pParent) return parent->RemoveSubItem(pProp, TRUE);
  const POSITION pos = m_lstProps.Find(pProp);
  if (!pos) return FALSE;
  OnRowLeaving(pProp);
  m_lstProps.RemoveAt(pos);
  delete pProp;
  pProp = nullptr;
  if (bAdjustLayout && m_hWnd) AdjustLayout();
  else if (bRedraw && m_hWnd) Invalidate(FALSE);
  return TRUE;
}

void CMFCPropertyGridCtrl::RemoveAll() {
  if (CMFCPropertyGridProperty* edited = m_pEdited) {
    m_pEdited = nullptr;
    edited->OnEndEdit();
  }
  m_pSel = nullptr;
  HideToolTip();
  m_rows.RemoveAll();
  m_nFirstRow = 0;
  while (!m_lstProps.IsEmpty()) delete m_lstProps.RemoveHead();
  if (m_hWnd) AdjustLayout();
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::GetProperty(int nIndex) const {
  const POSITION pos = m_lstProps.FindIndex(nIndex);
  return pos ? m_lstProps.GetAt(pos) : nullptr;
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::FindItemByData(DWORD_PTR dwData, BOOL bSearchSubItems) const {
  for (POSITION pos = m_lstProps.GetHeadPosition(); pos;) {
    CMFCPropertyGridProperty* p = m_lstProps.GetNext(pos);
    if (p->GetData() == dwData) return p;
  }
  if (!bSearchSubItems) return nullptr;
  for (POSITION pos = m_lstProps.GetHeadPosition(); pos;) {
    if (CMFCPropertyGridProperty* found = m_lstProps.GetNext(pos)->FindSubItemByData(dwData)) return found;
  }
  return nullptr;
}

BOOL CMFCPropertyGridCtrl::Contains(const CMFCPropertyGridProperty* pProp) const {
  if (!pProp || pProp->m_pWndList != this) return FALSE;
  const CMFCPropertyGridProperty* top = pProp;
  while (top->m_pParent) top = top->m_pParent;
  return m_lstProps.Find(const_cast<CMFCPropertyGridProperty*>(top)) != nullptr;
}

void CMFCPropertyGridCtrl::OnRowLeaving(CMFCPropertyGridProperty* pProp) {
  if (m_pEdited && IsWithin(m_pEdited, pProp)) {
    CMFCPropertyGridProperty* edited = m_pEdited;
    m_pEdited = nullptr;
    edited->OnEndEdit();
  }
  if (m_pSel && IsWithin(m_pSel, pProp)) m_pSel = nullptr;
  if (m_pTipRow && IsWithin(m_pTipRow, pProp)) HideToolTip();
  for (INT_PTR i = m_rows.GetSize() - 1; i >= 0; --i) {
    if (IsWithin(m_rows[i], pProp)) m_rows.RemoveAt(i);
  }
}

// --- looks and options ---

void CMFCPropertyGridCtrl::EnableHeaderCtrl(BOOL bEnable, LPCTSTR lpszLeftColumn, LPCTSTR lpszRightColumn) {
  m_bHeaderCtrl = bEnable;
  m_strHeaderLeft = lpszLeftColumn;
  m_strHeaderRight = lpszRightColumn;
  if (m_hWnd) AdjustLayout();
}

void CMFCPropertyGridCtrl::EnableDescriptionArea(BOOL bEnable) {
  m_bDescriptionArea = bEnable;
  if (m_hWnd) AdjustLayout();
}

void CMFCPropertyGridCtrl::SetDescriptionRows(int nDescRows) {
  m_nDescRows = nDescRows < 1 ? 1 : (nDescRows > 20 ? 20 : nDescRows);
  if (m_hWnd) AdjustLayout();
}

void CMFCPropertyGridCtrl::SetVSDotNetLook(BOOL bSet) {
  m_bVSDotNetLook = bSet;
  if (m_hWnd) Invalidate(FALSE);
}

void CMFCPropertyGridCtrl::MarkModifiedProperties(BOOL bMark, BOOL bRedraw) {
  m_bMarkModifiedProperties = bMark;
  if (bRedraw && m_hWnd) Invalidate(FALSE);
}

void CMFCPropertyGridCtrl::ResetOriginalValues(BOOL bRedraw) {
  for (POSITION pos = m_lstProps.GetHeadPosition(); pos;) m_lstProps.GetNext(pos)->ResetOriginalValue();
  if (bRedraw && m_hWnd) Invalidate(FALSE);
}

void CMFCPropertyGridCtrl::SetAlphabeticMode(BOOL bSet) {
  if (m_bAlphabeticMode == bSet) return;
  EndEditItem(TRUE);
  m_bAlphabeticMode = bSet;
  m_nFirstRow = 0;
  if (m_hWnd) AdjustLayout();
}

namespace {
void RelabelBoolRows(CMFCPropertyGridProperty* p, LPCTSTR yes, LPCTSTR no) {
  if (!p->IsGroup() && p->GetValue().vt == VT_BOOL) {
    p->RemoveAllOptions();
    p->AddOption(yes);
    p->AddOption(no);
  }
  for (int i = 0; i < p->GetSubItemsCount(); ++i) RelabelBoolRows(p->GetSubItem(i), yes, no);
}
}  // namespace

void CMFCPropertyGridCtrl::SetBoolLabels(LPCTSTR lpszTrue, LPCTSTR lpszFalse) {
  if (!lpszTrue || !lpszFalse || !*lpszTrue || !*lpszFalse || lstrcmpiW(lpszTrue, lpszFalse) == 0) {
    OutputDebugStringW(L"CMFCPropertyGridCtrl::SetBoolLabels: two different, non-empty texts are needed\n");
    return;
  }
  EndEditItem(FALSE);
  m_strTrue = lpszTrue;
  m_strFalse = lpszFalse;
  for (POSITION pos = m_lstProps.GetHeadPosition(); pos;) RelabelBoolRows(m_lstProps.GetNext(pos), lpszTrue, lpszFalse);
  if (m_hWnd) Invalidate(FALSE);
}

void CMFCPropertyGridCtrl::SetLeftColumnWidth(int cx) {
  const int width = m_rectList.Width();
  const int low = m_nRowHeight * 2;
  const int high = width - m_nRowHeight * 2;
  if (high > low) cx = cx < low ? low : (cx > high ? high : cx);
  if (cx == m_nLeftColumnWidth) return;
  EndEditItem(TRUE);
  m_nLeftColumnWidth = cx;
  if (m_hWnd) AdjustLayout();
}

// --- fonts ---

LRESULT CMFCPropertyGridCtrl::OnSetFontMessage(WPARAM wParam, LPARAM lParam) {
  m_hFont = reinterpret_cast<HFONT>(wParam);
  UpdateFonts();
  if (m_hWnd) {
    AdjustLayout();
    if (lParam) UpdateWindow();
  }
  return 0;
}

LRESULT CMFCPropertyGridCtrl::OnGetFontMessage(WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>(m_hFont ? m_hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

void CMFCPropertyGridCtrl::UpdateFonts() {
  HFONT base = m_hFont ? m_hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW lf = {};
  ::GetObjectW(base, sizeof(lf), &lf);
  lf.lfWeight = FW_BOLD;
  m_fontBold.DeleteObject();
  m_fontBold.CreateFontIndirect(&lf);
  if (!m_hWnd) return;
  CClientDC dc(this);
  HGDIOBJ old = dc.SelectObject(base);
  TEXTMETRICW tm = {};
  dc.GetTextMetrics(&tm);
  dc.SelectObject(old);
  // Room for the text and for the in-place editors' borders.
  m_nRowHeight = tm.tmHeight + 5 < 16 ? 16 : tm.tmHeight + 5;
}

// --- layout ---

void CMFCPropertyGridCtrl::CollectRows(CMFCPropertyGridProperty* pProp,
                                       CArray<CMFCPropertyGridProperty*, CMFCPropertyGridProperty*>& rows) const {
  if (!pProp->IsVisible()) return;
  rows.Add(pProp);
  if (!pProp->IsExpanded()) return;
  for (POSITION pos = pProp->m_lstSubItems.GetHeadPosition(); pos;) CollectRows(pProp->m_lstSubItems.GetNext(pos), rows);
}

void CMFCPropertyGridCtrl::CollectSorted(CArray<CMFCPropertyGridProperty*, CMFCPropertyGridProperty*>& rows) const {
  CArray<Row*, Row*> leads;
  for (POSITION pos = m_lstProps.GetHeadPosition(); pos;) GatherValueRows(m_lstProps.GetNext(pos), leads);
  // Insertion sort: stable, and the lists are short.
  for (INT_PTR i = 1; i < leads.GetSize(); ++i) {
    Row* item = leads[i];
    INT_PTR j = i;
    for (; j > 0 && lstrcmpiW(leads[j - 1]->GetName(), item->GetName()) > 0; --j) leads[j] = leads[j - 1];
    leads[j] = item;
  }
  for (INT_PTR i = 0; i < leads.GetSize(); ++i) CollectRows(leads[i], rows);
}

void CMFCPropertyGridCtrl::AdjustLayout() {
  if (!m_hWnd || m_bInLayout) return;
  m_bInLayout = TRUE;
  HideToolTip();
  const CRect editedBefore = m_pEdited ? m_pEdited->m_Rect : CRect();

  m_rows.RemoveAll();
  if (m_bAlphabeticMode) {
    CollectSorted(m_rows);
  } else {
    for (POSITION pos = m_lstProps.GetHeadPosition(); pos;) CollectRows(m_lstProps.GetNext(pos), m_rows);
  }
  std::function<void(Row*)> clearRects = [&clearRects](Row* p) {
    p->m_Rect.SetRectEmpty();
    p->m_rectButton.SetRectEmpty();
    for (int i = 0; i < p->GetSubItemsCount(); ++i) clearRects(p->GetSubItem(i));
  };
  for (POSITION pos = m_lstProps.GetHeadPosition(); pos;) clearRects(m_lstProps.GetNext(pos));

  // Heights do not depend on the scroll bar; the width may change when it comes or goes.
  CRect client;
  GetClientRect(&client);
  TEXTMETRICW tm = {};
  {
    CClientDC dc(this);
    HGDIOBJ old = dc.SelectObject(GetFont()->GetSafeHandle());
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
  }
  const int headerHeight = m_bHeaderCtrl ? m_nRowHeight + 4 : 0;
  const int descrHeight = m_bDescriptionArea ? tm.tmHeight * (m_nDescRows + 1) + 12 : 0;
  const int listHeight = client.Height() - headerHeight - descrHeight;
  m_nRowsPerPage = listHeight > 0 ? listHeight / m_nRowHeight : 0;
  const int rowCount = static_cast<int>(m_rows.GetSize());
  const int lastFirst = rowCount - (m_nRowsPerPage > 0 ? m_nRowsPerPage : 1);
  if (m_nFirstRow > lastFirst) m_nFirstRow = lastFirst;
  if (m_nFirstRow < 0) m_nFirstRow = 0;
  SetScrollBar();
  GetClientRect(&client);

  m_rectHeader = m_bHeaderCtrl ? CRect(client.left, client.top, client.right, client.top + headerHeight) : CRect();
  m_rectDescr = m_bDescriptionArea ? CRect(client.left, client.bottom - descrHeight, client.right, client.bottom) : CRect();
  m_rectList = CRect(client.left, client.top + headerHeight, client.right, client.bottom - descrHeight);
  if (m_rectList.bottom < m_rectList.top) m_rectList.bottom = m_rectList.top;

  if (m_nLeftColumnWidth <= 0) m_nLeftColumnWidth = m_rectList.Width() / 2;
  const int high = m_rectList.Width() - m_nRowHeight * 2;
  if (high > m_nRowHeight * 2 && m_nLeftColumnWidth > high) m_nLeftColumnWidth = high;

  for (int i = m_nFirstRow; i < rowCount; ++i) {
    const int top = m_rectList.top + (i - m_nFirstRow) * m_nRowHeight;
    if (top >= m_rectList.bottom) break;
    CMFCPropertyGridProperty* p = m_rows[i];
    p->m_Rect = CRect(m_rectList.left, top, m_rectList.right, top + m_nRowHeight);
    p->AdjustButtonRect();
  }

  // A selection that went out of the list (its group closed) moves to the row that hides it.
  if (m_pSel && !m_pSel->IsParentExpanded() && !m_bAlphabeticMode) {
    CMFCPropertyGridProperty* shown = m_pSel->m_pParent;
    while (shown && !shown->IsParentExpanded()) shown = shown->m_pParent;
    m_pSel = shown;
  }
  m_bInLayout = FALSE;

  // An editor follows its row; when the row moved or went, the edit ends and keeps its text.
  if (m_pEdited && m_pEdited->m_Rect != editedBefore) EndEditItem(TRUE);
  Invalidate(FALSE);
}

void CMFCPropertyGridCtrl::SetScrollBar() {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = m_rows.GetSize() > 0 ? static_cast<int>(m_rows.GetSize()) - 1 : 0;
  si.nPage = static_cast<UINT>(m_nRowsPerPage > 0 ? m_nRowsPerPage : 1);
  si.nPos = m_nFirstRow;
  SetScrollInfo(SB_VERT, &si, TRUE);
}

void CMFCPropertyGridCtrl::ScrollToRow(int nFirstRow) {
  const int rowCount = static_cast<int>(m_rows.GetSize());
  const int lastFirst = rowCount - (m_nRowsPerPage > 0 ? m_nRowsPerPage : 1);
  if (nFirstRow > lastFirst) nFirstRow = lastFirst;
  if (nFirstRow < 0) nFirstRow = 0;
  if (nFirstRow == m_nFirstRow) return;
  EndEditItem(TRUE);
  m_nFirstRow = nFirstRow;
  AdjustLayout();
}

int CMFCPropertyGridCtrl::GetNameIndent(const CMFCPropertyGridProperty* pProp) const {
  // The left margin holds the top rows' +/- boxes; rows below a value row are indented one step
  // each, rows below a group are not.
  int steps = 1;
  for (const Row* p = pProp->m_pParent; p; p = p->m_pParent) {
    if (!FwIsBand(p)) ++steps;
  }
  return steps * m_nRowHeight;
}

CRect CMFCPropertyGridCtrl::GetExpandBoxRect(const CMFCPropertyGridProperty* pProp) const {
  if (pProp->m_Rect.IsRectEmpty() || pProp->GetSubItemsCount() == 0) return CRect();
  const int right = pProp->m_Rect.left + GetNameIndent(pProp);
  return CRect(right - m_nRowHeight, pProp->m_Rect.top, right, pProp->m_Rect.bottom);
}

BOOL CMFCPropertyGridCtrl::IsOnSplitter(CPoint point) const {
  CRect area = m_rectList;
  if (!m_rectHeader.IsRectEmpty()) area.top = m_rectHeader.top;
  if (!area.PtInRect(point)) return FALSE;
  const int x = m_rectList.left + m_nLeftColumnWidth;
  return point.x >= x - 2 && point.x <= x + 2;
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::HitTest(CPoint pt, CMFCPropertyGridProperty::ClickArea* pnArea,
                                                        BOOL bPropsOnly) const {
  if (!bPropsOnly && m_rectDescr.PtInRect(pt)) {
    if (pnArea) *pnArea = CMFCPropertyGridProperty::ClickDescription;
    return m_pSel;
  }
  if (!m_rectList.PtInRect(pt)) return nullptr;
  for (INT_PTR i = m_nFirstRow; i < m_rows.GetSize(); ++i) {
    CMFCPropertyGridProperty* p = m_rows[i];
    if (p->m_Rect.IsRectEmpty()) break;
    if (!p->m_Rect.PtInRect(pt)) continue;
    CMFCPropertyGridProperty::ClickArea area = CMFCPropertyGridProperty::ClickValue;
    const CRect box = GetExpandBoxRect(p);
    if (!box.IsRectEmpty() && box.PtInRect(pt)) area = CMFCPropertyGridProperty::ClickExpandBox;
    else if (FwIsBand(p) || pt.x < p->m_Rect.left + m_nLeftColumnWidth) area = CMFCPropertyGridProperty::ClickName;
    if (pnArea) *pnArea = area;
    return p;
  }
  return nullptr;
}

// --- selection ---

void CMFCPropertyGridCtrl::InvalidateRow(CMFCPropertyGridProperty* pProp) {
  if (!m_hWnd || !pProp || pProp->m_Rect.IsRectEmpty()) return;
  InvalidateRect(&pProp->m_Rect, FALSE);
}

void CMFCPropertyGridCtrl::Select(CMFCPropertyGridProperty* pProp, BOOL bRedraw) {
  if (pProp == m_pSel) return;
  if (pProp && !Contains(pProp)) return;
  if (m_pEdited && m_pEdited != pProp) EndEditItem(TRUE);
  if (pProp && !Contains(pProp)) return;  // the owner's handler of the edit may have removed it
  CMFCPropertyGridProperty* old = m_pSel;
  m_pSel = pProp;
  if (!bRedraw || !m_hWnd) return;
  InvalidateRow(old);
  InvalidateRow(pProp);
  if (!m_rectDescr.IsRectEmpty()) InvalidateRect(&m_rectDescr, FALSE);
}

void CMFCPropertyGridCtrl::SetCurSel(CMFCPropertyGridProperty* pProp, BOOL bRedraw) { Select(pProp, bRedraw); }

void CMFCPropertyGridCtrl::EnsureVisible(CMFCPropertyGridProperty* pProp, BOOL bExpandParents) {
  if (!Contains(pProp)) return;
  if (bExpandParents) {
    BOOL changed = FALSE;
    for (CMFCPropertyGridProperty* p = pProp->m_pParent; p; p = p->m_pParent) {
      changed |= !p->m_bExpanded;
      p->m_bExpanded = TRUE;
    }
    if (changed) AdjustLayout();
  }
  for (INT_PTR i = 0; i < m_rows.GetSize(); ++i) {
    if (m_rows[i] != pProp) continue;
    const int index = static_cast<int>(i);
    const int page = m_nRowsPerPage > 0 ? m_nRowsPerPage : 1;
    if (index < m_nFirstRow) ScrollToRow(index);
    else if (index >= m_nFirstRow + page) ScrollToRow(index - page + 1);
    return;
  }
}

void CMFCPropertyGridCtrl::ExpandAll(BOOL bExpand) {
  EndEditItem(TRUE);
  std::function<void(Row*)> expand = [&expand, bExpand](Row* p) {
    if (p->GetSubItemsCount() > 0) p->m_bExpanded = bExpand;
    for (int i = 0; i < p->GetSubItemsCount(); ++i) expand(p->GetSubItem(i));
  };
  for (POSITION pos = m_lstProps.GetHeadPosition(); pos;) expand(m_lstProps.GetNext(pos));
  if (m_hWnd) AdjustLayout();
}

void CMFCPropertyGridCtrl::Toggle(CMFCPropertyGridProperty* pProp) {
  if (!pProp || pProp->GetSubItemsCount() == 0) return;
  EndEditItem(TRUE);
  if (Contains(pProp)) pProp->Expand(!pProp->IsExpanded());
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::GetNeighbour(CMFCPropertyGridProperty* pProp, int nStep,
                                                             BOOL bSkipGroups) const {
  INT_PTR at = -1;
  for (INT_PTR i = 0; i < m_rows.GetSize(); ++i) {
    if (m_rows[i] == pProp) at = i;
  }
  if (at < 0) return nullptr;
  const int direction = nStep < 0 ? -1 : 1;
  for (INT_PTR i = at + direction; i >= 0 && i < m_rows.GetSize(); i += direction) {
    if (!bSkipGroups || !FwIsBand(m_rows[i])) return m_rows[i];
  }
  return nullptr;
}

// --- editing ---

BOOL CMFCPropertyGridCtrl::EditItem(CMFCPropertyGridProperty* pProp, LPPOINT lptClick) {
  if (!m_hWnd || !Contains(pProp)) return FALSE;
  if (m_pEdited == pProp) return TRUE;
  if (m_pEdited) EndEditItem(TRUE);
  if (!Contains(pProp)) return FALSE;
  Select(pProp, TRUE);
  EnsureVisible(pProp);
  if (pProp->m_Rect.IsRectEmpty() || !pProp->OnEdit(lptClick)) return FALSE;
  HideToolTip();
  m_pEdited = pProp;
  ++m_nEditSerial;
  if (CWnd* editor = pProp->m_pWndInPlace) {
    editor->SetFocus();
    if (pProp->m_pWndCombo == editor) editor->SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    else editor->SendMessage(EM_SETSEL, 0, -1);
  }
  InvalidateRow(pProp);
  return TRUE;
}

BOOL CMFCPropertyGridCtrl::EndEditItem(BOOL bUpdateData) {
  CMFCPropertyGridProperty* pProp = m_pEdited;
  if (!pProp) return FALSE;
  // Cleared first: the focus moves below, and the editors' reports of it must find no edit.
  m_pEdited = nullptr;
  BOOL accepted = TRUE;
  BOOL changed = FALSE;
  if (bUpdateData) {
    const COleVariant before(pProp->GetValue());
    accepted = pProp->OnUpdateValue();
    if (!accepted) ::MessageBeep(MB_ICONEXCLAMATION);
    changed = accepted && !FwSameVariant(pProp->GetValue(), before);
  }
  // The focus stays in the grid when it was in the editors (not when it went elsewhere).
  const HWND focus = ::GetFocus();
  const HWND editor = pProp->m_pWndInPlace ? pProp->m_pWndInPlace->m_hWnd : nullptr;
  if (editor && (focus == editor || ::IsChild(editor, focus))) SetFocus();
  pProp->OnEndEdit();
  InvalidateRow(pProp);
  if (!m_rectDescr.IsRectEmpty()) InvalidateRect(&m_rectDescr, FALSE);
  if (changed) OnPropertyChanged(pProp);
  return accepted;
}

void CMFCPropertyGridCtrl::MoveEdit(BOOL bBackward) {
  CMFCPropertyGridProperty* from = m_pEdited ? m_pEdited : m_pSel;
  EndEditItem(TRUE);
  if (!Contains(from)) return;
  CMFCPropertyGridProperty* next = GetNeighbour(from, bBackward ? -1 : 1, TRUE);
  if (!next) return;
  Select(next, TRUE);
  EnsureVisible(next);
  EditItem(next);
}

void CMFCPropertyGridCtrl::ClickButton(CMFCPropertyGridProperty* pProp, CPoint point) {
  pProp->m_bButtonIsDown = TRUE;
  pProp->Redraw();
  pProp->OnClickButton(point);
  if (!Contains(pProp)) return;
  pProp->m_bButtonIsDown = FALSE;
  pProp->Redraw();
}

BOOL CMFCPropertyGridCtrl::OnEditorKey(UINT nChar) {
  switch (nChar) {
    case VK_RETURN:
      EndEditItem(TRUE);
      return TRUE;
    case VK_ESCAPE:
      EndEditItem(FALSE);
      return TRUE;
    case VK_TAB:
      MoveEdit(::GetKeyState(VK_SHIFT) < 0);
      return TRUE;
    case VK_UP:
    case VK_DOWN: {
      CMFCPropertyGridProperty* from = m_pEdited;
      EndEditItem(TRUE);
      if (!Contains(from)) return TRUE;
      if (CMFCPropertyGridProperty* next = GetNeighbour(from, nChar == VK_UP ? -1 : 1, FALSE)) {
        Select(next, TRUE);
        EnsureVisible(next);
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

void CMFCPropertyGridCtrl::OnEditorFocusLost() {
  if (m_pEdited && m_hWnd) PostMessage(kFwGridCheckEditorFocus, m_nEditSerial);
}

// The focus left an editor: when it went to another window of the program (not to another part
// of the same edit: the combo box's edit, the spin buttons), the edit ends and keeps what was
// typed. When the program only lost the foreground the edit stays open for the user's return.
LRESULT CMFCPropertyGridCtrl::OnCheckEditorFocus(WPARAM wParam, LPARAM) {
  if (!m_pEdited || static_cast<UINT>(wParam) != m_nEditSerial) return 0;
  const HWND focus = ::GetFocus();
  const HWND editor = m_pEdited->m_pWndInPlace ? m_pEdited->m_pWndInPlace->m_hWnd : nullptr;
  const HWND spin = m_pEdited->m_pWndSpin ? m_pEdited->m_pWndSpin->m_hWnd : nullptr;
  if (!focus || focus == editor || focus == spin || (editor && ::IsChild(editor, focus))) return 0;
  EndEditItem(TRUE);
  return 0;
}

void CMFCPropertyGridCtrl::OnSelectCombo() {
  if (!m_pEdited || !m_pEdited->m_pWndCombo) return;
  m_pEdited->OnSelectCombo();
  // The combo box is still handling the choice: end the edit once it has finished.
  PostMessage(kFwGridCommitChoice, m_nEditSerial);
}

LRESULT CMFCPropertyGridCtrl::OnCommitChoice(WPARAM wParam, LPARAM) {
  if (m_pEdited && static_cast<UINT>(wParam) == m_nEditSerial) EndEditItem(TRUE);
  return 0;
}

void CMFCPropertyGridCtrl::OnPropertyChanged(CMFCPropertyGridProperty* pProp) const {
  if (!pProp) return;
  pProp->SetModifiedFlag();
  pProp->Redraw();
  CWnd* target = GetOwner();
  if (!target) target = GetParent();
  if (target) target->SendMessage(AFX_WM_PROPERTY_CHANGED, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(pProp));
}
