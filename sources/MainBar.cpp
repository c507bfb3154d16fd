#include "MainBar.h"

#include <cwchar>

#include "ErrorLog.h"
#include "ViewGeometry.h"
#include "resource.h"

namespace {

const int kMargin = 2;
// The drop-down list shows every row without scrolling.
const int kDropDownHeight = 300;

}  // namespace

BOOL CScaleComboBox::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    CWnd* frame = GetParentFrame();
    if (frame != nullptr) frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_COMBO_SCALE, 0), 0);
    return TRUE;
  }
  return CComboBox::PreTranslateMessage(pMsg);
}

IMPLEMENT_DYNAMIC(CMainBar, CWnd)

BOOL CMainBar::Create(CWnd* pParentFrame) {
  DEF_TRY
  LPCWSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  if (!CWnd::Create(cls, L"Main Tools", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParentFrame,
                    AFX_IDW_TOOLBAR))
    return FALSE;
  if (!m_scaleBox.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                         CRect(kMargin, kMargin, kMargin + kScaleBoxWidth, kMargin + kDropDownHeight), this,
                         ID_COMBO_SCALE)) {
    AppendErrorLog(L"CMainBar::Create: the scale box cannot be created");
    return FALSE;
  }
  m_scaleBox.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  for (const ZOOM_ROW& row : g_zoomTable) {
    CString text;
    text.Format(L"%d%%", row.percent);
    m_scaleBox.AddString(text);
  }
  for (UINT id : {IDS_FIT_TO_WIDTH, IDS_FIT_TO_WINDOW}) {
    CString text;
    text.LoadString(id);
    m_scaleBox.AddString(text);
  }
  return TRUE;
  DEF_CATCH("CMainBar::Create")
  return FALSE;
}

int CMainBar::GetBarHeight() const {
  if (m_scaleBox.m_hWnd == nullptr) return 0;
  CRect box;
  ::GetWindowRect(m_scaleBox.m_hWnd, &box);  // the closed box: the edit field's height
  return box.Height() + 2 * kMargin;
}

CComboBox* CMainBar::GetScaleComboBox() { return m_scaleBox.m_hWnd != nullptr ? &m_scaleBox : nullptr; }

int CMainBar::GetScaleSelIndex() {
  DEF_TRY
  CComboBox* box = GetScaleComboBox();
  if (box == nullptr) return 0;
  const int selected = box->GetCurSel();
  return selected == CB_ERR ? 1 : selected;
  DEF_CATCH("CMainBar::GetScaleSelIndex")
  return 0;
}

int CMainBar::GetScalePercent() {
  DEF_TRY
  CComboBox* box = GetScaleComboBox();
  if (box == nullptr) return 100;
  CString text;
  box->GetWindowText(text);
  int percent = 0;
  if (swscanf(text, L"%d", &percent) != 1) return 100;
  return percent;
  DEF_CATCH("CMainBar::GetScalePercent")
  return 0;
}

void CMainBar::SetScalePercent(LPCTSTR text) {
  DEF_TRY
  CComboBox* box = GetScaleComboBox();
  if (box != nullptr) box->SetWindowText(text);
  DEF_CATCH("CMainBar::SetScalePercent")
}

BOOL CMainBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  CWnd* frame = GetParent();
  if (frame == nullptr) return FALSE;
  frame->SendMessage(WM_COMMAND, wParam, lParam);
  return TRUE;
}
