// The customize dialog's pages: Commands, Toolbars and Options, and the tool-bar name prompt.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "BarStrings.h"
#include "ToolBarCustomizePages.h"
#include "fw/BarResourceIds.h"
#include "fw/FrameToolBars.h"

void FwCustomizeCommands::Add(const CString& category, UINT id, const CString& text) {
  Category* found = nullptr;
  for (Category& c : categories)
    if (c.name == category) found = &c;
  if (!found) {
    categories.push_back(Category{category, {}});
    found = &categories.back();
  }
  for (const Command& c : found->commands)
    if (c.id == id) return;
  found->commands.push_back(Command{id, text});
}

CString FwCustomizeCommands::TextOf(UINT id) const {
  for (const Category& c : categories)
    for (const Command& command : c.commands)
      if (command.id == id) return command.text;
  return CString();
}

namespace fw_bars {

namespace {

const DWORD kPageStyle = WS_CHILD | WS_CAPTION | DS_CONTROL;
const RECT kPageRect = {0, 0, 262, 176};

// The tool bar under a point of the screen that a command or button can be dropped on.
CMFCToolBar* ToolBarAt(CPoint screen) {
  const CObList& bars = CMFCToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos;) {
    CMFCToolBar* bar = static_cast<CMFCToolBar*>(bars.GetNext(pos));
    if (!bar->m_hWnd || !bar->IsWindowVisible() || bar->IsKindOf(RUNTIME_CLASS(CMFCMenuBar))) continue;
    CRect window;
    bar->GetWindowRect(&window);
    if (window.PtInRect(screen)) return bar;
  }
  return nullptr;
}

// One column as wide as the list: the pages' lists show one text per row.
void AddFullWidthColumn(HWND list) {
  CRect client;
  ::GetClientRect(list, &client);
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH;
  column.cx = client.Width() - ::GetSystemMetrics(SM_CXVSCROLL);
  ListView_InsertColumn(list, 0, &column);
}

// The data of row `row` of a list (-1: the selected row), 0 when there is no such row.
LPARAM ItemData(HWND list, int row) {
  if (row < 0) row = list ? ListView_GetNextItem(list, -1, LVNI_SELECTED) : -1;
  if (row < 0) return 0;
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  ListView_GetItem(list, &item);
  return item.lParam;
}

class NameDialog : public CDialog {
 public:
  explicit NameDialog(CWnd* parent) : CDialog(static_cast<UINT>(0), parent) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_FW_TOOLBAR_NAME, m_strName);
    ::SendDlgItemMessageW(m_hWnd, IDC_FW_TOOLBAR_NAME, EM_SETSEL, 0, -1);
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_FW_TOOLBAR_NAME));
    return FALSE;
  }
  void OnOK() override {
    CString name;
    GetDlgItemText(IDC_FW_TOOLBAR_NAME, name);
    name.Trim();
    // A bar needs a name the user can find it by.
    if (name.IsEmpty()) {
      ::MessageBeep(MB_ICONEXCLAMATION);
      return;
    }
    m_strName = name;
    EndDialog(IDOK);
  }
  CString m_strName;
};

}  // namespace

BOOL PromptToolBarName(CWnd* pParent, CString& name) {
  DialogTemplate layout(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, CRect(0, 0, 186, 64),
                        OwnString(IDS_FW_TOOLBAR_NAME_TITLE));
  layout.Add(DialogTemplate::Static, OwnString(IDS_FW_TOOLBAR_NAME), SS_LEFT, CRect(7, 7, 179, 17), IDC_FW_STATIC);
  layout.Add(DialogTemplate::Edit, L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, CRect(7, 19, 179, 33),
             IDC_FW_TOOLBAR_NAME);
  layout.Add(DialogTemplate::Button, OwnString(IDS_FW_OK), BS_DEFPUSHBUTTON | WS_TABSTOP, CRect(75, 42, 125, 56),
             IDOK);
  layout.Add(DialogTemplate::Button, OwnString(IDS_FW_CANCEL), BS_PUSHBUTTON | WS_TABSTOP, CRect(129, 42, 179, 56),
             IDCANCEL);
  NameDialog dialog(pParent);
  dialog.m_strName = name;
  dialog.InitModalIndirect(layout.Get(), pParent);
  if (dialog.DoModal() != IDOK) return FALSE;
  name = dialog.m_strName;
  return TRUE;
}

// ---- Every page ----

CustomizePage::CustomizePage(CMFCToolBarsCustomizeDialog* owner, UINT titleId)
    : CPropertyPage(0, titleId), m_pOwner(owner) {
  if (!(owner->GetFlags() & AFX_CUSTOMIZE_NOHELP)) m_psp.dwFlags |= PSP_HASHELP;
}

void CustomizePage::UseTemplate(std::unique_ptr<DialogTemplate> layout) {
  m_layout = std::move(layout);
  m_psp.dwFlags |= PSP_DLGINDIRECT;
  m_psp.pResource = m_layout->Get();
}

BOOL CustomizePage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code == static_cast<UINT>(PSN_HELP)) {
    if (CFrameWnd* frame = m_pOwner->GetFrame()) frame->PostMessage(WM_COMMAND, ID_HELP, 0);
    *pResult = 0;
    return TRUE;
  }
  return CPropertyPage::OnNotify(wParam, lParam, pResult);
}

// ---- Commands ----

BEGIN_MESSAGE_MAP(CommandsPage, CustomizePage)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
ON_LBN_SELCHANGE(IDC_FW_CATEGORIES, OnCategoryChanged)
ON_BN_CLICKED(IDC_FW_ADD_TO_TOOLBAR, OnAdd)
END_MESSAGE_MAP()

CommandsPage::CommandsPage(CMFCToolBarsCustomizeDialog* owner) : CustomizePage(owner, IDS_FW_PAGE_COMMANDS) {
  auto layout = std::make_unique<DialogTemplate>(kPageStyle, kPageRect, OwnString(IDS_FW_PAGE_COMMANDS));
  layout->Add(DialogTemplate::Static, OwnString(IDS_FW_CATEGORIES), SS_LEFT, CRect(7, 7, 100, 16), IDC_FW_STATIC);
  layout->Add(DialogTemplate::ListBox, L"", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
              CRect(7, 18, 100, 118), IDC_FW_CATEGORIES);
  layout->Add(DialogTemplate::Static, OwnString(IDS_FW_COMMANDS), SS_LEFT, CRect(107, 7, 255, 16), IDC_FW_STATIC);
  // The page keeps the image list: the list only borrows it.
  layout->Add(WC_LISTVIEWW, L"",
              LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | WS_BORDER |
                  WS_TABSTOP,
              CRect(107, 18, 255, 118), IDC_FW_COMMANDS);
  layout->Add(DialogTemplate::Static, L"", SS_LEFT | SS_NOPREFIX, CRect(7, 122, 255, 132), IDC_FW_DESCRIPTION);
  layout->Add(DialogTemplate::Static, OwnString(IDS_FW_TOOLBAR_TO_ADD), SS_LEFT, CRect(7, 138, 255, 147),
              IDC_FW_STATIC);
  layout->Add(DialogTemplate::ComboBox, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, CRect(7, 150, 170, 230),
              IDC_FW_TARGET_TOOLBAR);
  layout->Add(DialogTemplate::Button, OwnString(IDS_FW_ADD_TO_TOOLBAR), BS_PUSHBUTTON | WS_TABSTOP,
              CRect(175, 149, 255, 163), IDC_FW_ADD_TO_TOOLBAR);
  UseTemplate(std::move(layout));
}

CommandsPage::~CommandsPage() {
  if (m_images) ImageList_Destroy(m_images);
}

BOOL CommandsPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  HWND list = ::GetDlgItem(m_hWnd, IDC_FW_COMMANDS);
  AddFullWidthColumn(list);
  // The commands show the images the tool bars give them.
  CMFCToolBarImages* images = CMFCToolBar::GetImages();
  if (images->IsValid()) {
    const CSize size = images->GetImageSize();
    m_images = ImageList_Create(size.cx, size.cy, ILC_COLOR32 | ILC_MASK, images->GetCount(), 0);
    for (int i = 0; i < images->GetCount(); ++i) {
      HBITMAP image = images->ExtractImage(i);
      ImageList_AddMasked(m_images, image, AFX_TOOLBAR_TRANSPARENT_COLOR);
      ::DeleteObject(image);
    }
    ListView_SetImageList(list, m_images, LVSIL_SMALL);
  }
  HWND categories = ::GetDlgItem(m_hWnd, IDC_FW_CATEGORIES);
  for (int i = 0; i < m_pOwner->GetCategoryCount(); ++i)
    ::SendMessageW(categories, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(m_pOwner->GetCategoryName(i))));
  ::SendMessageW(categories, LB_SETCURSEL, 0, 0);
  ShowCategory(0);
  FillTargets();
  return TRUE;
}

BOOL CommandsPage::OnSetActive() {
  FillTargets();
  return CPropertyPage::OnSetActive();
}

void CommandsPage::FillTargets() {
  HWND combo = ::GetDlgItem(m_hWnd, IDC_FW_TARGET_TOOLBAR);
  if (!combo) return;
  const LRESULT selected = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
  const LPARAM keep = selected >= 0 ? ::SendMessageW(combo, CB_GETITEMDATA, selected, 0) : 0;
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  CObList bars;
  m_pOwner->GetFrameToolBars(bars);
  int select = 0;
  for (POSITION pos = bars.GetHeadPosition(); pos;) {
    CMFCToolBar* bar = static_cast<CMFCToolBar*>(bars.GetNext(pos));
    CString name;
    bar->GetWindowText(name);
    const LRESULT at = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(name)));
    ::SendMessageW(combo, CB_SETITEMDATA, at, reinterpret_cast<LPARAM>(bar));
    if (reinterpret_cast<LPARAM>(bar) == keep) select = static_cast<int>(at);
  }
  ::SendMessageW(combo, CB_SETCURSEL, select, 0);
}

void CommandsPage::ShowCategory(int index) {
  HWND list = ::GetDlgItem(m_hWnd, IDC_FW_COMMANDS);
  ListView_DeleteAllItems(list);
  const int count = m_pOwner->GetCommandCount(index);
  for (int i = 0; i < count; ++i) {
    const CString text = m_pOwner->GetCommandText(index, i);
    const UINT id = m_pOwner->GetCommandID(index, i);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = const_cast<LPWSTR>(text.GetString());
    item.lParam = static_cast<LPARAM>(id);
    item.iImage = m_images ? GetCmdMgr()->GetCmdImage(id) : I_IMAGENONE;
    if (item.iImage < 0) item.iImage = I_IMAGENONE;
    ListView_InsertItem(list, &item);
  }
  if (count > 0) ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ShowDescription();
}

void CommandsPage::OnCategoryChanged() {
  const LRESULT index = SendDlgItemMessage(IDC_FW_CATEGORIES, LB_GETCURSEL);
  if (index >= 0) ShowCategory(static_cast<int>(index));
}

UINT CommandsPage::GetSelectedCommand() const {
  return static_cast<UINT>(ItemData(::GetDlgItem(m_hWnd, IDC_FW_COMMANDS), -1));
}

void CommandsPage::ShowDescription() {
  const UINT id = GetSelectedCommand();
  SetDlgItemText(IDC_FW_DESCRIPTION, id ? CommandPrompt(id) : CString());
}

void CommandsPage::OnAdd() {
  const UINT id = GetSelectedCommand();
  const LRESULT target = SendDlgItemMessage(IDC_FW_TARGET_TOOLBAR, CB_GETCURSEL);
  if (!id || target < 0) return;
  CMFCToolBar* bar = reinterpret_cast<CMFCToolBar*>(SendDlgItemMessage(IDC_FW_TARGET_TOOLBAR, CB_GETITEMDATA, target));
  m_pOwner->AddCommandToToolBar(id, bar, -1);
}

BOOL CommandsPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->idFrom == IDC_FW_COMMANDS) {
    if (header->code == LVN_ITEMCHANGED) {
      ShowDescription();
      *pResult = 0;
      return TRUE;
    }
    if (header->code == LVN_BEGINDRAG) {
      // The command follows the mouse until it is let go over a tool bar.
      const NMLISTVIEW* drag = reinterpret_cast<const NMLISTVIEW*>(lParam);
      m_dragCommand = static_cast<UINT>(ItemData(header->hwndFrom, drag->iItem));
      if (m_dragCommand) SetCapture();
      *pResult = 0;
      return TRUE;
    }
  }
  return CustomizePage::OnNotify(wParam, lParam, pResult);
}

void CommandsPage::OnMouseMove(UINT, CPoint point) {
  if (!m_dragCommand) return;
  ClientToScreen(&point);
  ::SetCursor(::LoadCursorW(nullptr, ToolBarAt(point) ? IDC_ARROW : IDC_NO));
}

void CommandsPage::OnLButtonUp(UINT, CPoint point) {
  if (!m_dragCommand) return;
  ClientToScreen(&point);
  EndDrag(point, TRUE);
}

LRESULT CommandsPage::OnCaptureChanged(WPARAM, LPARAM lParam) {
  if (m_dragCommand && reinterpret_cast<HWND>(lParam) != m_hWnd) m_dragCommand = 0;
  return 0;
}

void CommandsPage::EndDrag(CPoint screen, BOOL drop) {
  const UINT command = m_dragCommand;
  m_dragCommand = 0;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (!drop) return;
  CMFCToolBar* bar = ToolBarAt(screen);
  if (!bar) return;
  CPoint local = screen;
  bar->ScreenToClient(&local);
  m_pOwner->AddCommandToToolBar(command, bar, bar->FindDropIndex(local));
}

// ---- Toolbars ----

BEGIN_MESSAGE_MAP(ToolbarsPage, CustomizePage)
ON_BN_CLICKED(IDC_FW_NEW, OnNew)
ON_BN_CLICKED(IDC_FW_RENAME, OnRename)
ON_BN_CLICKED(IDC_FW_DELETE, OnDelete)
ON_BN_CLICKED(IDC_FW_RESET, OnReset)
END_MESSAGE_MAP()

ToolbarsPage::ToolbarsPage(CMFCToolBarsCustomizeDialog* owner) : CustomizePage(owner, IDS_FW_PAGE_TOOLBARS) {
  auto layout = std::make_unique<DialogTemplate>(kPageStyle, kPageRect, OwnString(IDS_FW_PAGE_TOOLBARS));
  layout->Add(DialogTemplate::Static, OwnString(IDS_FW_TOOLBARS), SS_LEFT, CRect(7, 7, 170, 16), IDC_FW_STATIC);
  layout->Add(WC_LISTVIEWW, L"",
              LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
              CRect(7, 18, 170, 168), IDC_FW_TOOLBARS);
  layout->Add(DialogTemplate::Button, OwnString(IDS_FW_RESET), BS_PUSHBUTTON | WS_TABSTOP, CRect(177, 18, 255, 32),
              IDC_FW_RESET);
  layout->Add(DialogTemplate::Button, OwnString(IDS_FW_NEW), BS_PUSHBUTTON | WS_TABSTOP, CRect(177, 36, 255, 50),
              IDC_FW_NEW);
  layout->Add(DialogTemplate::Button, OwnString(IDS_FW_RENAME), BS_PUSHBUTTON | WS_TABSTOP, CRect(177, 54, 255, 68),
              IDC_FW_RENAME);
  layout->Add(DialogTemplate::Button, OwnString(IDS_FW_DELETE), BS_PUSHBUTTON | WS_TABSTOP, CRect(177, 72, 255, 86),
              IDC_FW_DELETE);
  UseTemplate(std::move(layout));
}

BOOL ToolbarsPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  HWND list = ::GetDlgItem(m_hWnd, IDC_FW_TOOLBARS);
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  AddFullWidthColumn(list);
  Fill();
  return TRUE;
}

BOOL ToolbarsPage::OnSetActive() {
  Fill(GetSelectedToolBar());
  return CPropertyPage::OnSetActive();
}

void ToolbarsPage::Fill(CMFCToolBar* select) {
  HWND list = ::GetDlgItem(m_hWnd, IDC_FW_TOOLBARS);
  if (!list) return;
  m_bFilling = TRUE;
  ListView_DeleteAllItems(list);
  CObList bars;
  m_pOwner->GetFrameToolBars(bars);
  int i = 0, selected = 0;
  for (POSITION pos = bars.GetHeadPosition(); pos; ++i) {
    CMFCToolBar* bar = static_cast<CMFCToolBar*>(bars.GetNext(pos));
    CString name;
    bar->GetWindowText(name);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = i;
    item.pszText = const_cast<LPWSTR>(name.GetString());
    item.lParam = reinterpret_cast<LPARAM>(bar);
    ListView_InsertItem(list, &item);
    ListView_SetCheckState(list, i, bar->IsVisible());
    if (bar == select) selected = i;
  }
  if (i > 0) ListView_SetItemState(list, selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_bFilling = FALSE;
  UpdateButtons();
}

CMFCToolBar* ToolbarsPage::GetSelectedToolBar() const {
  return reinterpret_cast<CMFCToolBar*>(ItemData(::GetDlgItem(m_hWnd, IDC_FW_TOOLBARS), -1));
}

void ToolbarsPage::UpdateButtons() {
  CMFCToolBar* bar = GetSelectedToolBar();
  CFrameToolBarSupport* support = FwGetFrameToolBarSupport(m_pOwner->GetFrame());
  const BOOL user = support && support->IsUserToolBar(bar);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_FW_NEW), m_pOwner->IsUserDefinedToolbarsEnabled());
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_FW_RENAME), user);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_FW_DELETE), user);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_FW_RESET), bar != nullptr);
}

BOOL ToolbarsPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->idFrom == IDC_FW_TOOLBARS && header->code == LVN_ITEMCHANGED) {
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    *pResult = 0;
    if (m_bFilling || !(change->uChanged & LVIF_STATE)) return TRUE;
    if ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) {
      // The check box shows or hides its bar.
      CMFCToolBar* bar = reinterpret_cast<CMFCToolBar*>(change->lParam);
      const BOOL shown = ((change->uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
      if (bar && (bar->IsVisible() != 0) != (shown != 0)) bar->ShowPane(shown, FALSE, FALSE);
    }
    if ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) UpdateButtons();
    return TRUE;
  }
  return CustomizePage::OnNotify(wParam, lParam, pResult);
}

void ToolbarsPage::OnNew() {
  CFrameToolBarSupport* support = FwGetFrameToolBarSupport(m_pOwner->GetFrame());
  if (!support || !m_pOwner->IsUserDefinedToolbarsEnabled()) return;
  CString name;
  name.Format(OwnString(IDS_FW_NEW_TOOLBAR_NAME), support->GetUserToolBarCount() + 1);
  if (!PromptToolBarName(GetParent(), name)) return;
  CMFCToolBar* bar = support->CreateNewToolBar(name);
  Fill(bar ? bar : GetSelectedToolBar());
}

void ToolbarsPage::OnRename() {
  CMFCToolBar* bar = GetSelectedToolBar();
  CFrameToolBarSupport* support = FwGetFrameToolBarSupport(m_pOwner->GetFrame());
  if (!bar || !support || !support->IsUserToolBar(bar)) return;
  CString name;
  bar->GetWindowText(name);
  if (!PromptToolBarName(GetParent(), name)) return;
  bar->SetWindowText(name);
  Fill(bar);
}

void ToolbarsPage::OnDelete() {
  CMFCToolBar* bar = GetSelectedToolBar();
  CFrameToolBarSupport* support = FwGetFrameToolBarSupport(m_pOwner->GetFrame());
  if (!bar || !support || !support->DeleteToolBar(bar)) return;
  Fill();
}

void ToolbarsPage::OnReset() {
  if (CMFCToolBar* bar = GetSelectedToolBar()) bar->RestoreOriginalState();
}

// ---- Options ----

BEGIN_MESSAGE_MAP(OptionsPage, CustomizePage)
ON_BN_CLICKED(IDC_FW_SHOW_TOOLTIPS, OnTooltips)
ON_BN_CLICKED(IDC_FW_TEXT_LABELS, OnTextLabels)
ON_BN_CLICKED(IDC_FW_MENU_SHADOWS, OnShadows)
ON_CBN_SELCHANGE(IDC_FW_MENU_ANIMATIONS, OnAnimation)
END_MESSAGE_MAP()

namespace {

// The animation list's order.
const CMFCMenuBar::AnimationType kAnimations[] = {CMFCMenuBar::SYSTEM_DEFAULT_ANIMATION, CMFCMenuBar::UNFOLD,
                                                  CMFCMenuBar::SLIDE, CMFCMenuBar::FADE, CMFCMenuBar::NO_ANIMATION};
const UINT kAnimationNames[] = {IDS_FW_ANIMATION_SYSTEM, IDS_FW_ANIMATION_UNFOLD, IDS_FW_ANIMATION_SLIDE,
                                IDS_FW_ANIMATION_FADE, IDS_FW_ANIMATION_NONE};

}  // namespace

OptionsPage::OptionsPage(CMFCToolBarsCustomizeDialog* owner) : CustomizePage(owner, IDS_FW_PAGE_OPTIONS) {
  auto layout = std::make_unique<DialogTemplate>(kPageStyle, kPageRect, OwnString(IDS_FW_PAGE_OPTIONS));
  layout->Add(DialogTemplate::Button, OwnString(IDS_FW_SHOW_TOOLTIPS), BS_AUTOCHECKBOX | WS_TABSTOP,
              CRect(7, 10, 255, 20), IDC_FW_SHOW_TOOLTIPS);
  if (owner->GetFlags() & AFX_CUSTOMIZE_TEXT_LABELS)
    layout->Add(DialogTemplate::Button, OwnString(IDS_FW_TEXT_LABELS), BS_AUTOCHECKBOX | WS_TABSTOP,
                CRect(7, 62, 255, 72), IDC_FW_TEXT_LABELS);
  if (owner->GetFlags() & AFX_CUSTOMIZE_MENU_SHADOWS)
    layout->Add(DialogTemplate::Button, OwnString(IDS_FW_MENU_SHADOWS), BS_AUTOCHECKBOX | WS_TABSTOP,
                CRect(7, 26, 255, 36), IDC_FW_MENU_SHADOWS);
  if (owner->GetFlags() & AFX_CUSTOMIZE_MENU_ANIMATIONS) {
    layout->Add(DialogTemplate::Static, OwnString(IDS_FW_MENU_ANIMATIONS), SS_LEFT, CRect(7, 46, 90, 56),
                IDC_FW_STATIC);
    layout->Add(DialogTemplate::ComboBox, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, CRect(95, 44, 200, 120),
                IDC_FW_MENU_ANIMATIONS);
  }
  UseTemplate(std::move(layout));
}

BOOL OptionsPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  CheckDlgButton(IDC_FW_SHOW_TOOLTIPS, CMFCToolBar::GetShowTooltips() ? BST_CHECKED : BST_UNCHECKED);
  // Labels are on when every bar of the frame shows them.
  if (::GetDlgItem(m_hWnd, IDC_FW_TEXT_LABELS)) {
    CObList bars;
    m_pOwner->GetFrameToolBars(bars);
    BOOL all = !bars.IsEmpty();
    for (POSITION pos = bars.GetHeadPosition(); pos;) {
      const BOOL labels = static_cast<CMFCToolBar*>(bars.GetNext(pos))->AreTextLabels();
      all = all && labels;
    }
    CheckDlgButton(IDC_FW_TEXT_LABELS, all ? BST_CHECKED : BST_UNCHECKED);
  }
  if (::GetDlgItem(m_hWnd, IDC_FW_MENU_SHADOWS))
    CheckDlgButton(IDC_FW_MENU_SHADOWS, CMFCMenuBar::IsMenuShadows() ? BST_CHECKED : BST_UNCHECKED);
  if (HWND combo = ::GetDlgItem(m_hWnd, IDC_FW_MENU_ANIMATIONS)) {
    for (size_t i = 0; i < sizeof(kAnimations) / sizeof(kAnimations[0]); ++i) {
      const CString name = OwnString(kAnimationNames[i]);
      ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(name)));
      if (kAnimations[i] == CMFCMenuBar::GetMenuAnimation()) ::SendMessageW(combo, CB_SETCURSEL, i, 0);
    }
  }
  return TRUE;
}

void OptionsPage::OnTooltips() {
  CMFCToolBar::SetShowTooltips(IsDlgButtonChecked(IDC_FW_SHOW_TOOLTIPS) == BST_CHECKED);
  const CObList& bars = CMFCToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos;) static_cast<CMFCToolBar*>(bars.GetNext(pos))->AdjustLayout();
}

void OptionsPage::OnTextLabels() {
  const BOOL labels = IsDlgButtonChecked(IDC_FW_TEXT_LABELS) == BST_CHECKED;
  CObList bars;
  m_pOwner->GetFrameToolBars(bars);
  for (POSITION pos = bars.GetHeadPosition(); pos;) static_cast<CMFCToolBar*>(bars.GetNext(pos))->EnableTextLabels(labels);
}

void OptionsPage::OnShadows() {
  CMFCMenuBar::EnableMenuShadows(IsDlgButtonChecked(IDC_FW_MENU_SHADOWS) == BST_CHECKED);
}

void OptionsPage::OnAnimation() {
  const LRESULT index = SendDlgItemMessage(IDC_FW_MENU_ANIMATIONS, CB_GETCURSEL);
  if (index >= 0 && index < static_cast<LRESULT>(sizeof(kAnimations) / sizeof(kAnimations[0])))
    CMFCMenuBar::SetMenuAnimation(kAnimations[index]);
}

}  // namespace fw_bars
