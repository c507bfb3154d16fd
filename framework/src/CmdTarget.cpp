#include "fw/CmdTarget.h"
#include "WndInternal.h"
#include "fw/Menu.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

bool MatchesCommand(const AFX_MSGMAP_ENTRY& e, UINT nID, int nCode) {
  if (e.nSig < AfxSig_cmd || nID < e.nID || nID > e.nLastID) return false;
  if (HIWORD(static_cast<UINT>(nCode)) == WM_NOTIFY)
    return e.nMessage == WM_NOTIFY && LOWORD(e.nCode) == LOWORD(static_cast<UINT>(nCode));
  return e.nMessage == WM_COMMAND && e.nCode == static_cast<UINT>(nCode);
}

}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      if (!MatchesCommand(*e, nID, nCode)) continue;
      if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = e->pfn;
        return TRUE;
      }
      switch (e->nSig) {
        case AfxSig_cmd:
          (this->*e->pfn)();
          return TRUE;
        case AfxSig_cmd_range:
          (this->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(e->pfn))(nID);
          return TRUE;
        case AfxSig_cmd_ui: {
          CCmdUI* ui = static_cast<CCmdUI*>(pExtra);
          ui->m_bContinueRouting = FALSE;
          (this->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(e->pfn))(ui);
          return !ui->m_bContinueRouting;
        }
        case AfxSig_notify:
        case AfxSig_notify_range: {
          AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(pExtra);
          if (!notify) return FALSE;
          if (e->nSig == AfxSig_notify)
            (this->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn))(notify->pNMHDR,
                                                                                   notify->pResult);
          else
            (this->*reinterpret_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(e->pfn))(
                nID, notify->pNMHDR, notify->pResult);
          return TRUE;
        }
        default:
          return FALSE;
      }
    }
  }
  return FALSE;
}

void CCmdTarget::BeginWaitCursor() {
  auto& ts = fw_internal::CurrentThreadState();
  HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  if (ts.waitCursorCount++ == 0) ts.cursorBeforeWait = previous;
}
void CCmdTarget::EndWaitCursor() {
  auto& ts = fw_internal::CurrentThreadState();
  if (ts.waitCursorCount > 0 && --ts.waitCursorCount == 0)
    ::SetCursor(ts.cursorBeforeWait ? ts.cursorBeforeWait : ::LoadCursorW(nullptr, IDC_ARROW));
}
void CCmdTarget::RestoreWaitCursor() {
  if (fw_internal::CurrentThreadState().waitCursorCount > 0) ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

CWaitCursor::CWaitCursor() { CCmdTarget().BeginWaitCursor(); }
CWaitCursor::~CWaitCursor() { CCmdTarget().EndWaitCursor(); }
void CWaitCursor::Restore() { CCmdTarget().RestoreWaitCursor(); }

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu) {
    m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther) {
    // A control that would lose the focus by being disabled hands it to the next tab stop first.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      HWND parent = ::GetParent(m_pOther->m_hWnd);
      if (parent) ::SendMessageW(parent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu) {
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)) {
    m_pOther->SendMessage(BM_SETCHECK, nCheck);
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu) {
    MENUITEMINFOW info = {sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    m_pMenu->GetMenuItemInfo(m_nIndex, &info, TRUE);
    info.fType = bOn ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
    info.fState = bOn ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
    m_pMenu->SetMenuItemInfo(m_nIndex, &info, TRUE);
  } else {
    SetCheck(bOn ? 1 : 0);
  }
}

void CCmdUI::SetText(LPCWSTR lpszText) {
  if (!lpszText) lpszText = L"";
  if (m_pMenu) {
    const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
    m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | (state & ~(MF_POPUP | MF_OWNERDRAW | MF_BITMAP)),
                        m_nID, lpszText);
  } else if (m_pOther) {
    m_pOther->SetWindowText(lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
  if (m_nID == 0 || !pTarget) return TRUE;
  m_bEnableChanged = FALSE;
  BOOL handled = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
  if (!handled && bDisableIfNoHandler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return handled;
}
