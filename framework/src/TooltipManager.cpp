#include "fw/TooltipManager.h"

#include "fw/Frame.h"
#include "fw/KeyboardManager.h"

IMPLEMENT_DYNAMIC(CTooltipManager, CObject)

const UINT AFX_WM_UPDATETOOLTIPS = ::RegisterWindowMessageW(L"VantryFW.UpdateToolTips");

CTooltipManager* afxTooltipManager = nullptr;

namespace {

// The slot of a single AFX_TOOLTIP_TYPE_ bit, or -1.
int SlotOf(UINT nType) {
  for (int i = 0; i < AFX_TOOLTIP_TYPES; ++i) {
    if (nType == (1u << i)) return i;
  }
  return -1;
}

BOOL CALLBACK TellChild(HWND hwnd, LPARAM types) {
  ::SendMessageW(hwnd, AFX_WM_UPDATETOOLTIPS, static_cast<WPARAM>(types), 0);
  return TRUE;
}

BOOL CALLBACK TellTopLevel(HWND hwnd, LPARAM types) {
  TellChild(hwnd, types);
  ::EnumChildWindows(hwnd, TellChild, types);
  return TRUE;
}

}  // namespace

CTooltipManager::CTooltipManager() {
  for (CRuntimeClass*& rtc : m_pClasses) rtc = nullptr;
}

CTooltipManager::~CTooltipManager() {
  if (afxTooltipManager == this) afxTooltipManager = nullptr;
}

void CTooltipManager::SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC, CMFCToolTipInfo* pParams) {
  if (pRTC && !pRTC->IsDerivedFrom(RUNTIME_CLASS(CToolTipCtrl))) {
    OutputDebugStringW(L"CTooltipManager::SetTooltipParams: not a tool-tip control class\n");
    return;
  }
  const CMFCToolTipInfo params = pParams ? *pParams : CMFCToolTipInfo();
  for (int i = 0; i < AFX_TOOLTIP_TYPES; ++i) {
    if (!(nTypes & (1u << i))) continue;
    m_pClasses[i] = pRTC;
    m_Params[i] = params;
  }
  UpdateTooltips(nTypes);
}

CRuntimeClass* CTooltipManager::GetTooltipClass(UINT nType) const {
  const int slot = SlotOf(nType);
  return slot >= 0 ? m_pClasses[slot] : nullptr;
}

const CMFCToolTipInfo* CTooltipManager::GetTooltipParams(UINT nType) const {
  const int slot = SlotOf(nType);
  return slot >= 0 ? &m_Params[slot] : nullptr;
}

BOOL CTooltipManager::CreateToolTip(CToolTipCtrl*& pToolTip, CWnd* pWndParent, UINT nType) {
  pToolTip = nullptr;
  const int slot = SlotOf(nType);
  if (slot < 0) {
    OutputDebugStringW(L"CTooltipManager::CreateToolTip: the type must be one AFX_TOOLTIP_TYPE_ bit\n");
    return FALSE;
  }
  CToolTipCtrl* made = nullptr;
  CRuntimeClass* rtc = afxTooltipManager ? afxTooltipManager->m_pClasses[slot] : nullptr;
  if (rtc) {
    CObject* object = rtc->CreateObject();
    if (object && object->IsKindOf(RUNTIME_CLASS(CToolTipCtrl))) {
      made = static_cast<CToolTipCtrl*>(object);
    } else {
      delete object;
      return FALSE;
    }
    if (made->IsKindOf(RUNTIME_CLASS(CMFCToolTipCtrl)))
      static_cast<CMFCToolTipCtrl*>(made)->SetParams(&afxTooltipManager->m_Params[slot]);
  } else {
    made = new CToolTipCtrl;
  }
  if (!made->Create(pWndParent)) {
    delete made;
    return FALSE;
  }
  // Long tips of the plain control wrap instead of running off the screen.
  if (!made->IsKindOf(RUNTIME_CLASS(CMFCToolTipCtrl))) made->SetMaxTipWidth(640);
  pToolTip = made;
  return TRUE;
}

void CTooltipManager::DeleteToolTip(CToolTipCtrl*& pToolTip) {
  if (!pToolTip) return;
  pToolTip->DestroyWindow();
  delete pToolTip;
  pToolTip = nullptr;
}

void CTooltipManager::SetTooltipText(TOOLINFOW* pTI, CToolTipCtrl* pToolTip, UINT, const CString& strText,
                                     LPCTSTR lpszDescr) {
  if (!pToolTip || !pToolTip->m_hWnd) return;
  if (pTI) {
    TOOLINFOW ti = *pTI;
    ti.lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(strText));
    pToolTip->SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  if (pToolTip->IsKindOf(RUNTIME_CLASS(CMFCToolTipCtrl)))
    static_cast<CMFCToolTipCtrl*>(pToolTip)->SetDescription(lpszDescr ? CString(lpszDescr) : CString());
}

BOOL CTooltipManager::GetCommandTipTexts(UINT nID, CString& strLabel, CString& strDescription, CFrameWnd* pFrame) {
  strLabel.Empty();
  strDescription.Empty();
  CString text;
  if (!text.LoadString(nID)) return FALSE;
  // Without a tip part the whole text is the label, and there is nothing more to describe.
  const int newline = text.Find(L'\n');
  strDescription = newline >= 0 ? text.Left(newline) : CString();
  strLabel = newline >= 0 ? text.Mid(newline + 1) : text;
  // A third part (after another new line) is not part of the tip.
  const int more = strLabel.Find(L'\n');
  if (more >= 0) strLabel = strLabel.Left(more);
  CString shortcut;
  if (CKeyboardManager::FindDefaultAccelerator(nID, shortcut, pFrame, pFrame == nullptr))
    strLabel += L" (" + shortcut + L")";
  return TRUE;
}

void CTooltipManager::UpdateTooltips(UINT nTypes) {
  ::EnumThreadWindows(::GetCurrentThreadId(), TellTopLevel, static_cast<LPARAM>(nTypes));
}
