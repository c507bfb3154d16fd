// The customize dialog's sheet: its commands, its pages made in memory, customize mode while it is
// open, and the modeless sheet that deletes itself.
#include <windows.h>
#include <commctrl.h>

#include "BarInternal.h"
#include "BarStrings.h"
#include "ToolBarCustomizePages.h"
#include "fw/BarResourceIds.h"
#include "fw/CommandIds.h"
#include "fw/DockingManager.h"
#include "fw/FrameToolBars.h"

HMODULE FwFindResourceModule(LPCWSTR name, LPCWSTR type, HRSRC* found);

IMPLEMENT_DYNAMIC(CMFCToolBarsCustomizeDialog, CPropertySheet)

namespace {

// The sheet being made joins its object as soon as its window exists.
thread_local CMFCToolBarsCustomizeDialog* t_sheetInit = nullptr;

// Commands a customize dialog does not offer: the recent files, the MDI windows, system commands.
bool OfferedCommand(UINT id) {
  if (id == 0 || id >= 0xF000) return false;
  if (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST) return false;
  return id < AFX_IDM_FIRST_MDICHILD;
}

}  // namespace

int CALLBACK FwCustomizeSheetProc(HWND hWnd, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && t_sheetInit && !t_sheetInit->m_hWnd) {
    CMFCToolBarsCustomizeDialog* sheet = t_sheetInit;
    t_sheetInit = nullptr;
    sheet->SubclassWindow(hWnd);
    // The sheet applies everything at once: one Close button in place of OK and Cancel.
    if (HWND ok = ::GetDlgItem(hWnd, IDOK)) ::ShowWindow(ok, SW_HIDE);
    if (HWND cancel = ::GetDlgItem(hWnd, IDCANCEL)) ::SetWindowTextW(cancel, fw_bars::OwnString(IDS_FW_CLOSE));
    sheet->OnOpened();
  }
  return 0;
}

CMFCToolBarsCustomizeDialog::CMFCToolBarsCustomizeDialog(CWnd* pWndParentFrame, BOOL bAutoSetFromMenus, UINT uiFlags,
                                                         CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages)
    : CPropertySheet(static_cast<LPCTSTR>(nullptr), pWndParentFrame),
      m_uiFlags(uiFlags),
      m_bAutoSetFromMenus(bAutoSetFromMenus),
      m_pCommands(new FwCustomizeCommands) {
  m_strCaption = fw_bars::OwnString(IDS_FW_CUSTOMIZE_TITLE);
  if (pWndParentFrame)
    m_pParentFrame = pWndParentFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pWndParentFrame)
                                                                          : pWndParentFrame->GetTopLevelFrame();
  if (bAutoSetFromMenus && m_pParentFrame) {
    HMENU menu = m_pParentFrame->m_hMenuDefault;
    if (!menu && m_pParentFrame->m_hWnd) menu = ::GetMenu(m_pParentFrame->m_hWnd);
    AddMenuCommands(menu, CString());
  }
  m_pCommandsPage = new fw_bars::CommandsPage(this);
  m_pToolbarsPage = new fw_bars::ToolbarsPage(this);
  m_pOptionsPage = new fw_bars::OptionsPage(this);
  AddPage(m_pCommandsPage);
  AddPage(m_pToolbarsPage);
  AddPage(m_pOptionsPage);
  if (plistCustomPages) {
    for (POSITION pos = plistCustomPages->GetHeadPosition(); pos;) {
      CRuntimeClass* cls = plistCustomPages->GetNext(pos);
      CObject* page = cls ? cls->CreateObject() : nullptr;
      if (!page || !page->IsKindOf(RUNTIME_CLASS(CPropertyPage))) {
        OutputDebugStringW(L"CMFCToolBarsCustomizeDialog: a custom page class is no creatable property page\n");
        delete page;
        continue;
      }
      m_customPages.AddTail(page);
      AddPage(static_cast<CPropertyPage*>(page));
    }
  }
}

CMFCToolBarsCustomizeDialog::~CMFCToolBarsCustomizeDialog() {
  if (m_hWnd) DestroyWindow();
  delete m_pCommandsPage;
  delete m_pToolbarsPage;
  delete m_pOptionsPage;
  while (!m_customPages.IsEmpty()) delete m_customPages.RemoveHead();
  delete m_pCommands;
}

// ---- Commands ----

void CMFCToolBarsCustomizeDialog::AddMenuCommands(HMENU hMenu, const CString& category) {
  if (!hMenu || !::IsMenu(hMenu)) return;
  const int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    fw_bars::MenuItem item;
    if (!fw_bars::ReadMenuItem(hMenu, i, item) || item.separator) continue;
    const CString plain = fw_bars::PlainMenuText(item.text);
    if (item.popup) {
      // A top-level pop-up is a category; deeper pop-ups add to their category.
      AddMenuCommands(item.popup, category.IsEmpty() ? plain : category);
    } else if (!category.IsEmpty() && OfferedCommand(item.id)) {
      m_pCommands->Add(category, item.id, plain);
    }
  }
}

BOOL CMFCToolBarsCustomizeDialog::AddMenu(UINT uiMenuResId) {
  CMenu menu;
  if (!menu.LoadMenu(uiMenuResId)) return FALSE;
  AddMenuCommands(menu.m_hMenu, CString());
  return TRUE;
}

BOOL CMFCToolBarsCustomizeDialog::AddButton(LPCTSTR lpszCategory, const CMFCToolBarButton& button, int) {
  if (!lpszCategory || button.IsSeparator() || button.m_nID == 0) return FALSE;
  CString text = fw_bars::PlainMenuText(button.m_strText);
  if (text.IsEmpty()) text = fw_bars::CommandTip(button.m_nID);
  if (text.IsEmpty()) text = fw_bars::CommandPrompt(button.m_nID);
  m_pCommands->Add(lpszCategory, button.m_nID, text);
  return TRUE;
}

// The categories, then one that holds every command once.
int CMFCToolBarsCustomizeDialog::GetCategoryCount() const {
  const int count = static_cast<int>(m_pCommands->categories.size());
  return count ? count + 1 : 0;
}

CString CMFCToolBarsCustomizeDialog::GetCategoryName(int iCategory) const {
  const int count = static_cast<int>(m_pCommands->categories.size());
  if (iCategory < 0 || iCategory > count || count == 0) return CString();
  return iCategory == count ? fw_bars::OwnString(IDS_FW_ALL_COMMANDS) : m_pCommands->categories[iCategory].name;
}

int CMFCToolBarsCustomizeDialog::GetCommandCount(int iCategory) const {
  const int count = static_cast<int>(m_pCommands->categories.size());
  if (iCategory < 0 || iCategory > count || count == 0) return 0;
  if (iCategory < count) return static_cast<int>(m_pCommands->categories[iCategory].commands.size());
  FwCustomizeCommands all;
  for (const auto& c : m_pCommands->categories)
    for (const auto& command : c.commands) all.Add(CString(), command.id, command.text);
  return all.categories.empty() ? 0 : static_cast<int>(all.categories[0].commands.size());
}

UINT CMFCToolBarsCustomizeDialog::GetCommandID(int iCategory, int iCommand) const {
  const int count = static_cast<int>(m_pCommands->categories.size());
  if (iCategory < 0 || iCategory > count || iCommand < 0) return 0;
  int seen = 0;
  for (int c = 0; c < count; ++c) {
    if (iCategory < count && c != iCategory) continue;
    const auto& commands = m_pCommands->categories[c].commands;
    if (iCategory < count) return iCommand < static_cast<int>(commands.size()) ? commands[iCommand].id : 0;
    // The last category: every command once, in the order the categories list them.
    for (const auto& command : commands) {
      bool earlier = false;
      for (int d = 0; d < c && !earlier; ++d)
        for (const auto& other : m_pCommands->categories[d].commands) earlier = earlier || other.id == command.id;
      for (const auto& other : commands) {
        if (&other == &command) break;
        earlier = earlier || other.id == command.id;
      }
      if (earlier) continue;
      if (seen++ == iCommand) return command.id;
    }
  }
  return 0;
}

CString CMFCToolBarsCustomizeDialog::GetCommandText(int iCategory, int iCommand) const {
  return m_pCommands->TextOf(GetCommandID(iCategory, iCommand));
}

int CMFCToolBarsCustomizeDialog::AddCommandToToolBar(UINT uiCmd, CMFCToolBar* pToolBar, int iInsertAt) {
  if (!uiCmd || !pToolBar || !pToolBar->m_hWnd || pToolBar->IsLocked()) return -1;
  const int image = GetCmdMgr()->GetCmdImage(uiCmd);
  // Without an image the button shows the command's name.
  const CString text = image < 0 ? m_pCommands->TextOf(uiCmd) : CString();
  CMFCToolBarButton button(uiCmd, image, text.IsEmpty() ? nullptr : static_cast<LPCTSTR>(text));
  return pToolBar->InsertButton(button, iInsertAt);
}

void CMFCToolBarsCustomizeDialog::GetFrameToolBars(CObList& listBars) const {
  if (!m_pParentFrame) return;
  const CObList& bars = CMFCToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos;) {
    CMFCToolBar* bar = static_cast<CMFCToolBar*>(bars.GetNext(pos));
    if (bar->GetDockSiteFrameWnd() == m_pParentFrame && !bar->IsKindOf(RUNTIME_CLASS(CMFCMenuBar)))
      listBars.AddTail(bar);
  }
}

BOOL CMFCToolBarsCustomizeDialog::IsUserDefinedToolbarsEnabled() const {
  CFrameToolBarSupport* support = FwGetFrameToolBarSupport(m_pParentFrame);
  return m_bUserDefinedToolbars && support && support->IsUserToolbarsEnabled();
}

// ---- The sheet ----

INT_PTR CMFCToolBarsCustomizeDialog::ShowSheet(BOOL bModeless) {
  if (!m_pParentFrame || !m_pParentFrame->m_hWnd) {
    OutputDebugStringW(L"CMFCToolBarsCustomizeDialog: the dialog needs its frame\n");
    return -1;
  }
  m_handles.clear();
  for (CPropertyPage* page : m_pages) {
    // The framework's pages carry their template; a program's page names a dialog resource.
    if (!(page->m_psp.dwFlags & PSP_DLGINDIRECT)) {
      HRSRC found = nullptr;
      page->m_psp.hInstance = FwFindResourceModule(page->m_lpszTemplateName, RT_DIALOG, &found);
      page->m_psp.pszTemplate = page->m_lpszTemplateName;
      if (!page->m_psp.hInstance) {
        OutputDebugStringW(L"CMFCToolBarsCustomizeDialog: a page's dialog template is missing\n");
        return -1;
      }
    }
    page->m_bFirstSetActive = TRUE;
    HPROPSHEETPAGE h = ::CreatePropertySheetPageW(&page->m_psp);
    if (!h) return -1;
    m_handles.push_back(h);
  }
  m_psh.dwFlags = PSH_USECALLBACK | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | (bModeless ? PSH_MODELESS : 0);
  if (!(m_uiFlags & AFX_CUSTOMIZE_NOHELP)) m_psh.dwFlags |= PSH_HASHELP;
  m_psh.hwndParent = m_pParentFrame->m_hWnd;
  m_psh.hInstance = ::GetModuleHandleW(nullptr);
  m_psh.pszCaption = m_strCaption;
  m_psh.nPages = static_cast<UINT>(m_handles.size());
  m_psh.nStartPage = m_nStartPage;
  m_psh.phpage = m_handles.data();
  m_psh.pfnCallback = FwCustomizeSheetProc;
  m_bModeless = bModeless;
  t_sheetInit = this;
  const INT_PTR result = ::PropertySheetW(&m_psh);
  t_sheetInit = nullptr;
  return result;
}

BOOL CMFCToolBarsCustomizeDialog::Create() {
  const INT_PTR result = ShowSheet(TRUE);
  if (result > 0 && m_hWnd) return TRUE;
  m_bModeless = FALSE;
  return FALSE;
}

INT_PTR CMFCToolBarsCustomizeDialog::DoModal() {
  const INT_PTR result = ShowSheet(FALSE);
  if (m_hWnd) Detach();
  for (CPropertyPage* page : m_pages)
    if (page->m_hWnd) page->Detach();
  if (result < 0) return -1;
  return IDCANCEL;
}

void CMFCToolBarsCustomizeDialog::OnOpened() {
  if (m_bOpen) return;
  m_bOpen = TRUE;
  CMFCToolBar::SetCustomizeMode(TRUE);
  if (m_pParentFrame && m_pParentFrame->m_hWnd) m_pParentFrame->SendMessage(AFX_WM_CUSTOMIZETOOLBAR, TRUE, 0);
}

void CMFCToolBarsCustomizeDialog::OnClosed() {
  if (!m_bOpen) return;
  m_bOpen = FALSE;
  CMFCToolBar::SetCustomizeMode(FALSE);
  if (m_pParentFrame && m_pParentFrame->m_hWnd) m_pParentFrame->SendMessage(AFX_WM_CUSTOMIZETOOLBAR, FALSE, 0);
}

LRESULT CMFCToolBarsCustomizeDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) OnClosed();
  const LRESULT result = CPropertySheet::WindowProc(message, wParam, lParam);
  // A modeless sheet that was closed has no page left: its window goes, and the object with it.
  if (m_bModeless && m_hWnd && (message == WM_COMMAND || message == WM_SYSCOMMAND || message == PSM_PRESSBUTTON) &&
      !::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0))
    DestroyWindow();
  return result;
}

void CMFCToolBarsCustomizeDialog::PostNcDestroy() {
  if (m_bModeless) delete this;
}
