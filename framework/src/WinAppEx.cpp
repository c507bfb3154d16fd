#include "fw/WinAppEx.h"

#include <shobjidl.h>

#include "fw/ContextMenuManager.h"
#include "fw/FrameEx.h"
#include "fw/KeyboardManager.h"
#include "fw/TooltipManager.h"

IMPLEMENT_DYNAMIC(CWinAppEx, CWinApp)

namespace {

const wchar_t kDefaultRegistryBase[] = L"Workspace";
const wchar_t kBarStateSection[] = L"BarState";

CDockingManager* DockingManagerOf(CFrameWnd* frame) {
  if (!frame) return nullptr;
  if (frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWndEx))) return static_cast<CMDIFrameWndEx*>(frame)->GetDockingManager();
  if (frame->IsKindOf(RUNTIME_CLASS(CFrameWndEx))) return static_cast<CFrameWndEx*>(frame)->GetDockingManager();
  return nullptr;
}

}  // namespace

CWinAppEx::CWinAppEx(BOOL) : m_strRegSection(kDefaultRegistryBase) {}

CWinAppEx::~CWinAppEx() {
  if (afxTooltipManager == m_pTooltipManager) afxTooltipManager = nullptr;
  if (afxKeyboardManager == m_pKeyboardManager) afxKeyboardManager = nullptr;
  if (afxContextMenuManager == m_pContextMenuManager) afxContextMenuManager = nullptr;
  delete m_pTooltipManager;
  delete m_pKeyboardManager;
  delete m_pContextMenuManager;
}

BOOL CWinAppEx::InitContextMenuManager() {
  if (!m_pContextMenuManager) m_pContextMenuManager = new CContextMenuManager;
  afxContextMenuManager = m_pContextMenuManager;
  return TRUE;
}

BOOL CWinAppEx::InitKeyboardManager() {
  if (!m_pKeyboardManager) m_pKeyboardManager = new CKeyboardManager;
  afxKeyboardManager = m_pKeyboardManager;
  return TRUE;
}

BOOL CWinAppEx::InitTooltipManager() {
  if (!m_pTooltipManager) m_pTooltipManager = new CTooltipManager;
  afxTooltipManager = m_pTooltipManager;
  return TRUE;
}

CContextMenuManager* CWinAppEx::GetContextMenuManager() {
  if (!m_pContextMenuManager) InitContextMenuManager();
  return m_pContextMenuManager;
}

CKeyboardManager* CWinAppEx::GetKeyboardManager() {
  if (!m_pKeyboardManager) InitKeyboardManager();
  return m_pKeyboardManager;
}

CTooltipManager* CWinAppEx::GetTooltipManager() {
  if (!m_pTooltipManager) InitTooltipManager();
  return m_pTooltipManager;
}

void CWinAppEx::SetRegistryBase(LPCTSTR lpszSectionName) {
  m_strRegSection = lpszSectionName && *lpszSectionName ? lpszSectionName : kDefaultRegistryBase;
}

CString CWinAppEx::GetRegSectionPath(LPCTSTR lpszSubSection) const {
  CString path = m_strRegSection;
  if (lpszSubSection && *lpszSubSection) path += CString(L"\\") + lpszSubSection;
  return path;
}

int CWinAppEx::GetInt(LPCTSTR lpszEntry, int nDefault) {
  return static_cast<int>(GetProfileInt(m_strRegSection, lpszEntry, nDefault));
}
BOOL CWinAppEx::WriteInt(LPCTSTR lpszEntry, int nValue) { return WriteProfileInt(m_strRegSection, lpszEntry, nValue); }
CString CWinAppEx::GetString(LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
  return GetProfileString(m_strRegSection, lpszEntry, lpszDefault);
}
BOOL CWinAppEx::WriteString(LPCTSTR lpszEntry, LPCTSTR lpszValue) {
  return WriteProfileString(m_strRegSection, lpszEntry, lpszValue);
}
BOOL CWinAppEx::GetBinary(LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  return GetProfileBinary(m_strRegSection, lpszEntry, ppData, pBytes);
}
BOOL CWinAppEx::WriteBinary(LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  return WriteProfileBinary(m_strRegSection, lpszEntry, pData, nBytes);
}
int CWinAppEx::GetSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nDefault) {
  return static_cast<int>(GetProfileInt(GetRegSectionPath(lpszSubSection), lpszEntry, nDefault));
}
BOOL CWinAppEx::WriteSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nValue) {
  return WriteProfileInt(GetRegSectionPath(lpszSubSection), lpszEntry, nValue);
}

void CWinAppEx::SetAppID(LPCTSTR lpszAppID) {
  m_strAppID = lpszAppID ? lpszAppID : L"";
  if (!m_strAppID.IsEmpty()) ::SetCurrentProcessExplicitAppUserModelID(m_strAppID);
}

BOOL CWinAppEx::CleanState(LPCTSTR lpszSectionName) {
  const CString section = lpszSectionName && *lpszSectionName ? CString(lpszSectionName) : m_strRegSection;
  HKEY profile = GetAppRegistryKey();
  if (!profile) return FALSE;
  const LONG result = ::RegDeleteTreeW(profile, section);
  ::RegCloseKey(profile);
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

BOOL CWinAppEx::SaveState(CFrameWnd* pFrame, LPCTSTR lpszSectionName) {
  CDockingManager* manager = DockingManagerOf(pFrame);
  if (!manager) return FALSE;
  const CString base = lpszSectionName ? CString(lpszSectionName) : m_strRegSection;
  BOOL saved = manager->SaveState(base + L"\\" + kBarStateSection);
  // The MDI tab groups beside the bars.
  if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWndEx)) && static_cast<CMDIFrameWndEx*>(pFrame)->AreMDITabs())
    saved = static_cast<CMDIFrameWndEx*>(pFrame)->SaveMDIState(base) && saved;
  SaveCustomState();
  return saved;
}

BOOL CWinAppEx::LoadState(CFrameWnd* pFrame, LPCTSTR lpszSectionName) {
  // The program registers its context menus here, before anything of the frame is restored.
  PreLoadState();
  CDockingManager* manager = DockingManagerOf(pFrame);
  if (!manager) return FALSE;
  const CString base = lpszSectionName ? CString(lpszSectionName) : m_strRegSection;
  m_bLoadingState = TRUE;
  const BOOL loaded = manager->LoadState(base + L"\\" + kBarStateSection);
  if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWndEx)) && static_cast<CMDIFrameWndEx*>(pFrame)->AreMDITabs())
    static_cast<CMDIFrameWndEx*>(pFrame)->LoadMDIState(base);
  m_bLoadingState = FALSE;
  LoadCustomState();
  return loaded;
}
