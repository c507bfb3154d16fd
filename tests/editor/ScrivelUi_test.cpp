// The editor's frame, dialogs and commands in this process, driven by messages as a user's clicks
// and keys would: the options sheet and page setup, the paragraph dialog, a new document from a
// template, find and replace over placeholders, embedded pictures, the looks and the frame's bars.
#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "../framework/HexFixture.h"
#include "DialogDriver.h"
#include "FormatParaDlg.h"
#include "InstalledPrinter.h"
#include "MainFrm.h"
#include "OptionSheet.h"
#include "PageSetupDlg.h"
#include "SVDocManager.h"
#include "ScrivelApp.h"
#include "ScrivelCntrItem.h"
#include "ScrivelDoc.h"
#include "ScrivelView.h"
#include "ScvFile.h"
#include "SharedProcs.h"
#include "TestSupport.h"
#include "Units.h"
#include "resource.h"

#include <dlgs.h>
#include <richole.h>

CScrivelApp theApp;

// Rectangles in failure messages as their four numbers.
void PrintTo(const CRect& rect, std::ostream* os) {
  *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

namespace {

using testing_support::Checked;
using testing_support::Click;
using testing_support::ClickLater;
using testing_support::ComboItems;
using testing_support::ComboSelection;
using testing_support::ControlText;
using testing_support::Enabled;
using testing_support::ReadFileBytes;
using testing_support::RunDialog;
using testing_support::TempFolder;
using testing_support::TypeText;
using testing_support::WriteFileBytes;

const wchar_t kProfileKey[] = L"Software\\Quennick\\Scrivel";
const wchar_t kSettingsKey[] = L"Software\\Quennick\\Scrivel\\Settings";

enum { kInches = 0, kCentimetres = 1 };

// The texts of the static controls of a window (a message box's text among them).
std::wstring StaticTexts(HWND window) {
  std::wstring texts;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16] = L"";
    GetClassNameW(child, name, 16);
    if (lstrcmpiW(name, L"Static") != 0) continue;
    wchar_t text[512] = L"";
    GetWindowTextW(child, text, 512);
    texts += text;
  }
  return texts;
}

struct ThreadDialogs {
  DWORD thread;
  std::set<HWND> known;
  HWND found = nullptr;
};

BOOL CALLBACK FindNewDialog(HWND window, LPARAM param) {
  ThreadDialogs* search = reinterpret_cast<ThreadDialogs*>(param);
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window) || search->known.count(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// The visible dialogs of the thread now.
std::set<HWND> VisibleDialogs(DWORD thread) {
  ThreadDialogs search = {thread, {}};
  for (;;) {
    search.found = nullptr;
    EnumThreadWindows(thread, FindNewDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return search.known;
    search.known.insert(search.found);
  }
}

// A dialog of the thread that was not there before, waited for; null when none appears.
HWND WaitForNewDialog(DWORD thread, const std::set<HWND>& before) {
  ThreadDialogs search = {thread, before};
  for (int i = 0; i < 3000 && !search.found; ++i) {
    EnumThreadWindows(thread, FindNewDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(10);
  }
  return search.found;
}

struct MessageBoxAnswerer {
  DWORD thread;
  std::set<HWND> before;
  std::vector<std::wstring> texts;
  volatile LONG done = 0;
};

DWORD WINAPI AnswerMessageBoxesUntilDone(LPVOID param) {
  MessageBoxAnswerer* c = static_cast<MessageBoxAnswerer*>(param);
  while (!c->done) {
    ThreadDialogs search = {c->thread, c->before};
    EnumThreadWindows(c->thread, FindNewDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found && GetDlgItem(search.found, IDOK) && StaticTexts(search.found).size()) {
      c->texts.push_back(StaticTexts(search.found));
      c->before.insert(search.found);
      PostMessageW(search.found, WM_COMMAND, IDOK, 0);
    }
    Sleep(10);
  }
  return 0;
}

// Runs `action` on this thread while another thread answers each message box it shows with OK;
// returns their texts.
std::vector<std::wstring> AnswerMessageBoxes(const std::function<void()>& action) {
  MessageBoxAnswerer context = {GetCurrentThreadId(), VisibleDialogs(GetCurrentThreadId()), {}};
  HANDLE thread = CreateThread(nullptr, 0, AnswerMessageBoxesUntilDone, &context, 0, nullptr);
  action();
  InterlockedExchange(&context.done, 1);
  WaitForSingleObject(thread, 10000);
  CloseHandle(thread);
  return context.texts;
}

// From a script thread: the next message box of the thread, read and answered with OK; empty when
// none appears.
std::wstring AnswerNextMessageBox(DWORD thread, const std::set<HWND>& before) {
  HWND box = WaitForNewDialog(thread, before);
  if (!box) return L"";
  const std::wstring text = StaticTexts(box);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  for (int i = 0; i < 3000 && IsWindow(box); ++i) Sleep(10);
  return text;
}

// From a script thread: presses OK in the dialog and answers the message boxes its checks show
// (the dialog then stays open).
std::vector<std::wstring> PressOkAndAnswer(HWND dialog) {
  const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
  const std::set<HWND> before = VisibleDialogs(thread);
  ClickLater(dialog, IDOK);
  std::vector<std::wstring> texts;
  const std::wstring text = AnswerNextMessageBox(thread, before);
  if (!text.empty()) texts.push_back(text);
  return texts;
}

class ScrivelUi : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
    ASSERT_TRUE(theApp.InitEditor());
    theApp.m_pDocManager->OnFileNew();
    theApp.m_bStartupComplete = 1;
    frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    frame->ShowWindow(SW_SHOW);
    view = theApp.GetCurrentView();
    ASSERT_NE(view, nullptr);
    Pump();
  }
  void TearDown() override {
    if (frame && ::IsWindow(frame->m_hWnd)) {
      if (CDocument* doc = frame->GetActiveDocument()) doc->SetModifiedFlag(FALSE);
      frame->DestroyWindow();
    }
    theApp.m_pMainWnd = nullptr;
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
  }
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  CScrivelDoc* Doc() const { return static_cast<CScrivelDoc*>(view->GetDocument()); }
  // A command of the menus, as the frame receives it.
  void Command(UINT id) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  // The command, whose modal dialog `script` works.
  void CommandWithDialog(UINT id, const std::function<void(HWND)>& script) {
    RunDialog([this, id] {
      Command(id);
      return static_cast<INT_PTR>(0);
    }, script);
  }
  void LoadRtf(const char* rtf) {
    CMemFile file;
    file.Write(rtf, static_cast<UINT>(strlen(rtf)));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    view->Stream(ar, FALSE);
    ar.Close();
  }
  std::wstring Text() const {
    GETTEXTLENGTHEX length = {GTL_NUMCHARS, 1200};
    const LRESULT chars = view->SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    std::wstring text(static_cast<size_t>(chars) + 1, L'\0');
    GETTEXTEX get = {static_cast<DWORD>((chars + 1) * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    text.resize(static_cast<size_t>(view->SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                                      reinterpret_cast<LPARAM>(&text[0]))));
    return text;
  }
  void Select(LONG from, LONG to) {
    CHARRANGE range = {from, to};
    view->SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }
  PARAFORMAT2 ParagraphAt(LONG position) {
    Select(position, position);
    PARAFORMAT2 format = {};
    format.cbSize = sizeof(format);
    view->SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    return format;
  }
  // Page setup without a printer: the system's dialog may warn that there is none before it gives
  // up; the warning is answered and `script` works the editor's own dialog that follows.
  // These cases run alone; a printer in the prefix then is one a killed test left behind.
  static void RemoveLeftoverPrinters() {
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed == 0) return;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, buffer.data(), needed, &needed, &count)) return;
    const PRINTER_INFO_4W* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
      PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
      HANDLE printer = nullptr;
      if (OpenPrinterW(printers[i].pPrinterName, &printer, &access)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
      }
    }
  }
  void PageSetupWithoutPrinter(const std::function<void(HWND)>& script) {
    RemoveLeftoverPrinters();
    CommandWithDialog(ID_PAGE_SETUP, [&script](HWND first) {
      HWND dialog = first;
      if (!GetDlgItem(first, IDC_MARGIN_LEFT)) {
        const DWORD thread = GetWindowThreadProcessId(first, nullptr);
        std::set<HWND> before = VisibleDialogs(thread);
        before.insert(first);
        PostMessageW(first, WM_COMMAND, IDOK, 0);
        dialog = WaitForNewDialog(thread, before);
      }
      ASSERT_NE(dialog, nullptr);
      ASSERT_NE(GetDlgItem(dialog, IDC_MARGIN_LEFT), nullptr);
      script(dialog);
      if (IsWindow(dialog) && dialog != first) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
  }
  // Chooses a unit in the options sheet and presses OK.
  void ChooseUnits(int radioId) {
    CommandWithDialog(ID_VIEW_OPTIONS, [radioId](HWND sheet) {
      HWND page = PropSheet_GetCurrentPageHwnd(sheet);
      Click(page, radioId);
      Click(sheet, IDOK);
    });
  }

  CMainFrame* frame = nullptr;
  CScrivelView* view = nullptr;
  TempFolder folder;
};

// ---- the frame ----

TEST_F(ScrivelUi, TheFrameHasItsMenusToolBarStatusBarAndBasicCommands) {
  CMFCMenuBar& menus = frame->m_wndMenuBar;
  ASSERT_EQ(menus.GetCount(), 5);
  const wchar_t* names[] = {L"&File", L"&Edit", L"&View", L"F&ormat", L"&Help"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(menus.GetButton(i)->m_strText, CString(names[i]));
  EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr) << "the menus are on the menu bar";
  // The Format menu: font, bullets, paragraph.
  HMENU format = ::GetSubMenu(menus.GetHMenu(), 3);
  ASSERT_NE(format, nullptr);
  const UINT formatCommands[] = {ID_FORMAT_FONT, ID_BULLET, ID_FORMAT_PARAGRAPH};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(::GetMenuItemID(format, i), formatCommands[i]);
  // The high-colour tool bar with its customize button, titled "Main toolbar".
  CMFCToolBar& bar = frame->m_wndToolBar;
  EXPECT_EQ(bar.GetResID(), static_cast<UINT>(IDR_MAINFRAME_256));
  EXPECT_EQ(bar.CommandToIndex(ID_FILE_NEW), 0);
  EXPECT_GE(bar.CommandToIndex(ID_FORMAT_PARAGRAPH), 0);
  EXPECT_TRUE(bar.IsExistCustomizeButton());
  EXPECT_EQ(bar.GetCustomizeCommand(), ID_VIEW_CUSTOMIZE);
  CString title;
  bar.GetWindowText(title);
  EXPECT_EQ(title, CString(L"Main toolbar"));
  // Four panes in the status bar; the view between the bars.
  CMFCStatusBar& status = frame->m_wndStatusBar;
  ASSERT_EQ(status.GetCount(), 4);
  EXPECT_EQ(status.GetItemID(1), static_cast<UINT>(ID_INDICATOR_CAPS));
  EXPECT_EQ(status.GetDlgCtrlID(), AFX_IDW_STATUS_BAR);
  CRect menuRect, barRect, statusRect, viewRect;
  menus.GetWindowRect(&menuRect);
  bar.GetWindowRect(&barRect);
  status.GetWindowRect(&statusRect);
  view->GetWindowRect(&viewRect);
  EXPECT_LE(menuRect.bottom, barRect.top);
  EXPECT_LE(barRect.bottom, viewRect.top);
  EXPECT_LE(viewRect.bottom, statusRect.top);
  // Personalised menus: the list of basic commands.
  EXPECT_EQ(CMFCToolBar::GetBasicCommands().GetCount(), 27);
  for (UINT id : {ID_FILE_NEW, ID_FILL_DOCUMENT, ID_VIEW_APPLOOK_WINDOWS_7, ID_FORMAT_FONT, ID_EDIT_REPLACE})
    EXPECT_TRUE(CMFCToolBar::IsBasicCommand(id)) << id;
  for (UINT id : {ID_FILE_SAVE_AS, ID_EDIT_COPY, ID_VIEW_APPLOOK_VS_2008, ID_PAGE_SETUP})
    EXPECT_FALSE(CMFCToolBar::IsBasicCommand(id)) << id;
  EXPECT_EQ(theApp.GetAppID(), CString(L"Scrivel.AppID.NoVersion"));
  // The user's tool bars and the view's context menu.
  EXPECT_TRUE(frame->GetToolBarSupport()->IsUserToolbarsEnabled());
  EXPECT_NE(afxContextMenuManager->GetMenuByName(L"Edit"), nullptr);
}

TEST_F(ScrivelUi, TheFrameStaysHiddenWhileTheApplicationSaysSo) {
  frame->ShowWindow(SW_HIDE);
  theApp.m_bShowFrame = 0;
  frame->ActivateFrame();
  EXPECT_FALSE(frame->IsWindowVisible());
  theApp.m_bShowFrame = 1;
  frame->ActivateFrame();
  EXPECT_TRUE(frame->IsWindowVisible());
}

TEST_F(ScrivelUi, EachLookHasItsVisualManagerAndIsStored) {
  struct {
    UINT id;
    CRuntimeClass* manager;
  } const cases[] = {
      {ID_VIEW_APPLOOK_WIN_2000, RUNTIME_CLASS(CMFCVisualManager)},
      {ID_VIEW_APPLOOK_OFF_XP, RUNTIME_CLASS(CMFCVisualManagerOfficeXP)},
      {ID_VIEW_APPLOOK_WIN_XP, RUNTIME_CLASS(CMFCVisualManagerWindows)},
      {ID_VIEW_APPLOOK_OFF_2003, RUNTIME_CLASS(CMFCVisualManagerOffice2003)},
      {ID_VIEW_APPLOOK_VS_2005, RUNTIME_CLASS(CMFCVisualManagerVS2005)},
      {ID_VIEW_APPLOOK_VS_2008, RUNTIME_CLASS(CMFCVisualManagerVS2008)},
      {ID_VIEW_APPLOOK_OFF_2007_BLACK, RUNTIME_CLASS(CMFCVisualManagerOffice2007)},
      {ID_VIEW_APPLOOK_WINDOWS_7, RUNTIME_CLASS(CMFCVisualManagerWindows7)},
  };
  for (const auto& c : cases) {
    Command(c.id);
    EXPECT_EQ(CMFCVisualManager::GetInstance()->GetRuntimeClass(), c.manager) << c.id;
    DWORD stored = 0, size = sizeof(stored);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"ApplicationLook", RRF_RT_REG_DWORD, nullptr, &stored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(stored, c.id);
    EXPECT_EQ(theApp.m_nAppLook, static_cast<int>(c.id));
  }
  Command(ID_VIEW_APPLOOK_OFF_2007_SILVER);
  auto* office = dynamic_cast<CMFCVisualManagerOffice2007*>(CMFCVisualManager::GetInstance());
  ASSERT_NE(office, nullptr);
  EXPECT_EQ(office->GetCurrentStyle(), CMFCVisualManagerOffice2007::Office2007_Silver);
  EXPECT_TRUE(CMFCVisualManagerWindows::m_b3DTabsXPTheme == FALSE);
  // A stored value that names no look gives the Office 2007 look.
  frame->ApplyLook(211);
  EXPECT_EQ(CMFCVisualManager::GetInstance()->GetRuntimeClass(), RUNTIME_CLASS(CMFCVisualManagerOffice2007));
}

TEST_F(ScrivelUi, TheAboutBoxShowsTheVersion) {
  std::wstring version;
  CommandWithDialog(ID_APP_ABOUT, [&version](HWND about) { version = ControlText(about, IDC_ABOUT_VERSION); });
  EXPECT_EQ(version, L"Scrivel, 2.78.3");
}

// ---- units, options and page setup ----

TEST_F(ScrivelUi, TheOptionsSheetShowsAndChangesTheUnit) {
  theApp.m_nUnits = kInches;
  bool inchesChecked = false, wordSelection = false;
  CommandWithDialog(ID_VIEW_OPTIONS, [&](HWND sheet) {
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    inchesChecked = Checked(page, IDC_UNITS_INCH);
    wordSelection = Checked(page, IDC_WORD_SELECTION);
    Click(page, IDC_UNITS_POINT);
    Click(sheet, IDOK);
  });
  EXPECT_TRUE(inchesChecked);
  EXPECT_TRUE(wordSelection) << "automatic word selection is always on";
  EXPECT_EQ(theApp.m_nUnits, 2);
  // Cancel changes nothing.
  CommandWithDialog(ID_VIEW_OPTIONS, [](HWND sheet) {
    Click(PropSheet_GetCurrentPageHwnd(sheet), IDC_UNITS_PICA);
    Click(sheet, IDCANCEL);
  });
  EXPECT_EQ(theApp.m_nUnits, 2);
}

// Without any printer the system's page-setup dialog cannot run: the editor's own shows the
// margins in the unit the options chose.
TEST_F(ScrivelUi, TheUnitChosenInTheOptionsChangesHowPageSetupShowsTheMargins) {
  RemoveLeftoverPrinters();
  DWORD needed = 0, printers = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &printers);
  ASSERT_EQ(needed, 0u) << "this case needs a prefix without printers";
  view->m_rectMargin = CRect(1800, 1440, 1800, 2880);
  struct {
    int radio;
    const wchar_t *left, *top, *bottom;
  } const cases[] = {
      {IDC_UNITS_INCH, L"1.25\"", L"1\"", L"2\""},
      {IDC_UNITS_CM, L"3.17 cm", L"2.54 cm", L"5.07 cm"},
      {IDC_UNITS_POINT, L"90 pt", L"72 pt", L"144 pt"},
      {IDC_UNITS_PICA, L"7.5 pi", L"6 pi", L"12 pi"},
  };
  for (const auto& c : cases) {
    ChooseUnits(c.radio);
    std::wstring left, top, bottom;
    PageSetupWithoutPrinter([&](HWND dialog) {
      left = ControlText(dialog, IDC_MARGIN_LEFT);
      top = ControlText(dialog, IDC_MARGIN_TOP);
      bottom = ControlText(dialog, IDC_MARGIN_BOTTOM);
    });
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(top, c.top);
    EXPECT_EQ(bottom, c.bottom);
  }
}

TEST_F(ScrivelUi, MarginsSetInPageSetupGoIntoTheDocumentHeaderAndTheSetting) {
  theApp.m_nUnits = kInches;
  PageSetupWithoutPrinter([](HWND dialog) {
    TypeText(dialog, IDC_MARGIN_LEFT, L"0.5");
    TypeText(dialog, IDC_MARGIN_TOP, L"2 cm");
    TypeText(dialog, IDC_MARGIN_RIGHT, L"36 pt");
    // An emptied margin keeps what it was.
    TypeText(dialog, IDC_MARGIN_BOTTOM, L"");
    Click(dialog, IDOK);
  });
  // "2 cm" reads as 1136 twips, but the dialog keeps what its text in inches ("0.79\"") gives back.
  const CRect expected(720, 1138, 720, 1440);
  EXPECT_EQ(view->m_rectMargin, expected);
  EXPECT_EQ(theApp.m_rectPageMargin, expected);
  LoadRtf("{\\rtf1\\ansi Margins}");
  const std::wstring path = folder.File(L"Margins.scv");
  ASSERT_TRUE(Doc()->OnSaveDocument(path.c_str()));
  const std::string bytes = ReadFileBytes(path);
  RECT header = {};
  ASSERT_TRUE(ReadScvHeader(bytes.data(), bytes.size(), header));
  EXPECT_EQ(CRect(header), expected);
  theApp.SaveSettings();
  INT32 stored[4] = {};
  DWORD size = sizeof(stored);
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"PageMargin", RRF_RT_REG_BINARY, nullptr, stored, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 16u);
  EXPECT_EQ(CRect(stored[0], stored[1], stored[2], stored[3]), expected);
}

TEST_F(ScrivelUi, PageSetupRefusesWhatIsNoMeasurementOrOutOfRange) {
  theApp.m_nUnits = kInches;
  view->m_rectMargin = CRect(1800, 1440, 1800, 1440);
  struct {
    const wchar_t* typed;
    const wchar_t* message;
  } const cases[] = {
      {L"1 foot", L"This is not a valid measurement."},
      {L"23 in", L"The measurement must be between -22\" and 22\"."},
  };
  for (const auto& c : cases) {
    std::vector<std::wstring> messages;
    bool stillOpen = false;
    PageSetupWithoutPrinter([&](HWND dialog) {
      TypeText(dialog, IDC_MARGIN_LEFT, c.typed);
      messages = PressOkAndAnswer(dialog);
      stillOpen = IsWindowVisible(dialog) != FALSE;
      ClickLater(dialog, IDCANCEL);
    });
    ASSERT_EQ(messages.size(), 1u) << static_cast<int>(c.typed[0]);
    EXPECT_EQ(messages[0], c.message);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(view->m_rectMargin.left, 1800);
  }
}

// With a printer the system's page-setup dialog shows the margins: in hundredths of a millimetre
// with centimetres, rounded to tens, so 1800 twips (3175) show as 31.8 mm.
TEST_F(ScrivelUi, TheSystemPageSetupGetsTheMarginsRoundedToTensInItsUnit) {
  const std::wstring ppd = std::wstring(VANTRY_SOURCE_DIR) + L"/tests/vpd/data/VantrySimplex.ppd";
  testing_support::InstalledPrinter printer(L"Scrivel Page Printer", ppd);
  ASSERT_TRUE(printer.installed());
  ASSERT_TRUE(SetDefaultPrinterW(printer.name()));
  view->m_rectMargin = CRect(1800, 1440, 1000, 2880);
  theApp.m_nUnits = kCentimetres;
  // The dialog shows millimetres (with as many decimals as it likes): read back as hundredths.
  std::vector<long> shown;
  CommandWithDialog(ID_PAGE_SETUP, [&shown](HWND dialog) {
    for (int id : {edt4, edt5, edt6, edt7}) shown.push_back(lround(wcstod(ControlText(dialog, id).c_str(), nullptr) * 100));
    Click(dialog, IDOK);
  });
  // Left, top, right and bottom: 3175 rounds up to 3180, not down to 3170.
  EXPECT_EQ(shown, (std::vector<long>{3180, 2540, 1760, 5080}));
  // OK takes them back as twips.
  EXPECT_EQ(view->m_rectMargin, CRect(1803, 1440, 998, 2880));
  EXPECT_EQ(theApp.m_rectPageMargin, view->m_rectMargin);
}

// ---- context help ----

// The help requests a dialog or page makes, instead of opening the help file.
struct HelpRequest {
  int control;
  UINT command;
  DWORD helpId;
  bool operator==(const HelpRequest& other) const {
    return control == other.control && command == other.command && helpId == other.helpId;
  }
};
void PrintTo(const HelpRequest& r, std::ostream* os) {
  *os << "{" << r.control << ", " << r.command << ", " << r.helpId << "}";
}

template <typename Base>
class RecordingHelp : public Base {
 public:
  using Base::Base;
  std::vector<HelpRequest> requests;

 protected:
  BOOL ShowContextHelp(HWND control, UINT command) override {
    const int id = ::GetDlgCtrlID(control);
    requests.push_back({id, command, this->HelpIdOf(id)});
    return TRUE;
  }
};

class RecordingSheet : public CCSPropertySheet {
 public:
  RecordingSheet() : CCSPropertySheet(IDS_OPTIONS), page(0) { AddPage(&page); }
  RecordingHelp<CUnitsPage> page;
};

// F1 (WM_HELP) over a control and a right click on it (WM_CONTEXTMENU), as the system sends them.
void AskForHelp(HWND window, HWND control) {
  HELPINFO info = {};
  info.cbSize = sizeof(info);
  info.iContextType = HELPINFO_WINDOW;
  info.iCtrlId = ::GetDlgCtrlID(control);
  info.hItemHandle = control;
  SendMessageW(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(10, 10));
}

TEST_F(ScrivelUi, DialogsAskForTheHelpTopicOfTheControl) {
  RecordingHelp<CPageSetupDlg> dialog(CRect(1800, 1440, 1800, 1440));
  bool helpButton = false;
  RunDialog(dialog, [&helpButton](HWND d) {
    helpButton = (GetWindowLongW(d, GWL_EXSTYLE) & WS_EX_CONTEXTHELP) != 0;
    AskForHelp(d, GetDlgItem(d, IDC_MARGIN_LEFT));
  });
  EXPECT_TRUE(helpButton) << "the caption shows the help button";
  const DWORD leftTopic = dialog.HelpIdOf(IDC_MARGIN_LEFT);
  EXPECT_NE(leftTopic, 0u);
  EXPECT_EQ(dialog.HelpIdOf(IDOK), 0u) << "a control without a topic";
  EXPECT_EQ(dialog.requests, (std::vector<HelpRequest>{{IDC_MARGIN_LEFT, HELP_WM_HELP, leftTopic},
                                                       {IDC_MARGIN_LEFT, HELP_CONTEXTMENU, leftTopic}}));
}

TEST_F(ScrivelUi, TheOptionsSheetPassesHelpRequestsToItsPage) {
  RecordingSheet sheet;
  bool helpButton = false;
  RunDialog(sheet, [&helpButton](HWND s) {
    helpButton = (GetWindowLongW(s, GWL_EXSTYLE) & WS_EX_CONTEXTHELP) != 0;
    HWND page = PropSheet_GetCurrentPageHwnd(s);
    AskForHelp(s, GetDlgItem(page, IDC_UNITS_CM));
  });
  EXPECT_TRUE(helpButton) << "the caption shows the help button";
  const DWORD topic = sheet.page.HelpIdOf(IDC_UNITS_CM);
  EXPECT_NE(topic, 0u);
  EXPECT_EQ(sheet.page.requests, (std::vector<HelpRequest>{{IDC_UNITS_CM, HELP_WM_HELP, topic},
                                                           {IDC_UNITS_CM, HELP_CONTEXTMENU, topic}}));
}

// ---- the paragraph dialog ----

TEST_F(ScrivelUi, TheParagraphDialogChangesTheSelectedParagraphs) {
  theApp.m_nUnits = kInches;
  LoadRtf("{\\rtf1\\ansi One\\par Two\\par Three}");
  Select(0, 6);
  std::wstring left, first, alignment;
  CommandWithDialog(ID_FORMAT_PARAGRAPH, [&](HWND dialog) {
    left = ControlText(dialog, IDC_EDIT_LEFT);
    first = ControlText(dialog, IDC_EDIT_FIRST_LINE);
    alignment = ComboSelection(dialog, IDC_COMBO_ALIGNMENT);
    EXPECT_EQ(ComboItems(dialog, IDC_COMBO_ALIGNMENT), (std::vector<std::wstring>{L"Left", L"Right", L"Center"}));
    EXPECT_EQ(ControlText(dialog, IDC_SPACE_BEFORE), L"0 pt");
    TypeText(dialog, IDC_EDIT_LEFT, L"0.5");
    TypeText(dialog, IDC_EDIT_FIRST_LINE, L"0.25");
    TypeText(dialog, IDC_EDIT_RIGHT, L"1 cm");
    testing_support::SelectComboItem(dialog, IDC_COMBO_ALIGNMENT, 2);
    Click(dialog, IDC_PAGE_BREAK);
    TypeText(dialog, IDC_SPACE_BEFORE, L"12 pt");
    // A click on the spin button of the spacing after: its position becomes the spacing.
    HWND spin = GetDlgItem(dialog, IDC_SPIN_AFTER);
    SendMessageW(spin, UDM_SETPOS32, 0, 6);
    SendMessageW(dialog, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 6), reinterpret_cast<LPARAM>(spin));
    EXPECT_EQ(ControlText(dialog, IDC_SPACE_AFTER), L"6 pt");
    Click(dialog, IDOK);
  });
  EXPECT_EQ(left, L"0\"");
  EXPECT_EQ(first, L"0\"");
  EXPECT_EQ(alignment, L"Left");
  for (LONG position : {0, 4}) {
    const PARAFORMAT2 format = ParagraphAt(position);
    EXPECT_EQ(format.wAlignment, PFA_CENTER) << position;
    EXPECT_EQ(format.dxStartIndent, 1080) << position;  // left plus first line
    EXPECT_EQ(format.dxOffset, -360) << position;
    // "1 cm" is kept as what its text in inches ("0.39\"") gives back.
    EXPECT_EQ(format.dxRightIndent, 562) << position;
    EXPECT_EQ(format.dySpaceBefore, 240) << position;
    EXPECT_EQ(format.dySpaceAfter, 120) << position;
    EXPECT_TRUE(format.wEffects & PFE_PAGEBREAKBEFORE) << position;
  }
  const PARAFORMAT2 third = ParagraphAt(9);
  EXPECT_NE(third.wAlignment, PFA_CENTER) << "the third paragraph was not selected";
  EXPECT_EQ(third.dxStartIndent, 0);
}

TEST_F(ScrivelUi, TheParagraphDialogShowsTheFormatItWasGiven) {
  theApp.m_nUnits = kInches;
  PARAFORMAT2 format = {};
  format.cbSize = sizeof(format);
  format.dwMask = PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT | PFM_ALIGNMENT | PFM_SPACEBEFORE | PFM_SPACEAFTER |
                  PFM_PAGEBREAKBEFORE;
  format.dxStartIndent = 1440;
  format.dxOffset = 360;  // a hanging indent: the first line starts a quarter inch left of the rest
  format.dxRightIndent = 720;
  format.wAlignment = PFA_RIGHT;
  format.dySpaceBefore = 200;
  format.dySpaceAfter = 0;
  format.wEffects = PFE_PAGEBREAKBEFORE;
  CFormatParaDlg dialog(format);
  RunDialog(dialog, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_EDIT_LEFT), L"1.25\"");
    EXPECT_EQ(ControlText(d, IDC_EDIT_FIRST_LINE), L"-0.25\"");
    EXPECT_EQ(ControlText(d, IDC_EDIT_RIGHT), L"0.5\"");
    EXPECT_EQ(ComboSelection(d, IDC_COMBO_ALIGNMENT), L"Right");
    EXPECT_TRUE(Checked(d, IDC_PAGE_BREAK));
    EXPECT_EQ(ControlText(d, IDC_SPACE_BEFORE), L"10 pt");
  });
  // Fields the format leaves open stay empty, and OK leaves them unchanged.
  format.dwMask = PFM_RIGHTINDENT;
  CFormatParaDlg open(format);
  RunDialog(open, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_EDIT_LEFT), L"");
    EXPECT_EQ(ControlText(d, IDC_EDIT_FIRST_LINE), L"");
    EXPECT_EQ(ComboSelection(d, IDC_COMBO_ALIGNMENT), L"(none)");
    Click(d, IDOK);
  });
  EXPECT_EQ(open.m_pf.dwMask, static_cast<DWORD>(PFM_RIGHTINDENT | PFM_SPACEBEFORE | PFM_SPACEAFTER));
}

// Justified paragraphs are none of the three entries: the dialog shows no alignment and leaves
// theirs as it is.
TEST_F(ScrivelUi, AJustifiedParagraphKeepsItsAlignment) {
  LoadRtf("{\\rtf1\\ansi Justified text\\par}");
  Select(0, 3);
  PARAFORMAT2 justify = {};
  justify.cbSize = sizeof(justify);
  justify.dwMask = PFM_ALIGNMENT;
  justify.wAlignment = PFA_JUSTIFY;
  view->SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&justify));
  ASSERT_EQ(ParagraphAt(0).wAlignment, PFA_JUSTIFY);
  Select(0, 3);
  std::wstring alignment;
  CommandWithDialog(ID_FORMAT_PARAGRAPH, [&alignment](HWND dialog) {
    alignment = ComboSelection(dialog, IDC_COMBO_ALIGNMENT);
    Click(dialog, IDOK);
  });
  EXPECT_EQ(alignment, L"(none)");
  EXPECT_EQ(ParagraphAt(0).wAlignment, PFA_JUSTIFY);
  EXPECT_EQ(CFormatParaDlg::AlignmentEntry(PFA_JUSTIFY), -1);
  EXPECT_EQ(CFormatParaDlg::AlignmentEntry(PFA_RIGHT), 1);
}

TEST_F(ScrivelUi, TheParagraphDialogRefusesALeftIndentOf23Inches) {
  theApp.m_nUnits = kInches;
  LoadRtf("{\\rtf1\\ansi Text\\par}");
  std::vector<std::wstring> messages;
  CommandWithDialog(ID_FORMAT_PARAGRAPH, [&messages](HWND dialog) {
    TypeText(dialog, IDC_EDIT_LEFT, L"23");
    messages = PressOkAndAnswer(dialog);
    ClickLater(dialog, IDCANCEL);
  });
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], L"The measurement must be between -22\" and 22\".");
  EXPECT_EQ(ParagraphAt(0).dxStartIndent, 0);
}

TEST_F(ScrivelUi, WithoutWordWrapTheAlignmentIsDisabled) {
  view->m_nWordWrap = CRichEditView::WrapNone;
  bool comboEnabled = true, labelEnabled = true;
  CommandWithDialog(ID_FORMAT_PARAGRAPH, [&](HWND dialog) {
    comboEnabled = Enabled(dialog, IDC_COMBO_ALIGNMENT);
    labelEnabled = Enabled(dialog, IDC_ALIGNMENT_LABEL);
  });
  EXPECT_FALSE(comboEnabled);
  EXPECT_FALSE(labelEnabled);
}

// ---- new documents, opening and the remembered folders ----

TEST_F(ScrivelUi, ANewDocumentFromATemplateHasTheTemplatesTextButNoPath) {
  const std::string letter = ReadHexFixture(L"Letter.scv.hex");
  CreateDirectoryW(folder.File(L"templates").c_str(), nullptr);
  const std::wstring templ = folder.File(L"templates\\Letter.v2.scv");
  ASSERT_TRUE(WriteFileBytes(templ, letter));
  HWND owner = frame->m_hWnd;
  bool chosen = false;
  CommandWithDialog(ID_FILE_NEW, [&](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, IDC_NEW_EMPTY));
    Click(dialog, IDC_NEW_TEMPLATE);
    ClickLater(dialog, IDOK);
    // The file dialog has the same owner: wait until this one is gone.
    for (int i = 0; i < 3000 && IsWindow(dialog); ++i) Sleep(10);
    chosen = testing_support::ChooseFileInOpenDialog(owner, templ.c_str());
  });
  ASSERT_TRUE(chosen);
  CScrivelDoc* doc = Doc();
  EXPECT_EQ(doc->GetPathName(), CString());
  EXPECT_EQ(doc->GetTitle(), CString(L"Letter"));
  EXPECT_EQ(doc->m_bOpenedByOpen, 0);
  EXPECT_EQ(Text().substr(0, 5), L"Dear ");
  // The template's folder is remembered for the next one.
  EXPECT_EQ(theApp.GetProfileString(L"Settings", L"InitialTemplatePath"), CString(folder.File(L"templates\\").c_str()));
  // Saving asks for a name.
  bool asked = false;
  CommandWithDialog(ID_FILE_SAVE, [&asked](HWND dialog) {
    asked = GetDlgItem(dialog, IDOK) != nullptr;
    ClickLater(dialog, IDCANCEL);
  });
  EXPECT_TRUE(asked);
  EXPECT_EQ(ReadFileBytes(templ), letter) << "the template is untouched";
}

TEST_F(ScrivelUi, NewDocumentCancelledOrEmpty) {
  LoadRtf("{\\rtf1\\ansi Kept}");
  CommandWithDialog(ID_FILE_NEW, [](HWND dialog) { Click(dialog, IDCANCEL); });
  EXPECT_EQ(Text(), L"Kept");
  Doc()->SetModifiedFlag(FALSE);
  CommandWithDialog(ID_FILE_NEW, [](HWND dialog) { Click(dialog, IDOK); });
  EXPECT_EQ(Text(), L"");
}

TEST_F(ScrivelUi, OpenStartsInTheRememberedFolderAndRemembersTheFolderChosen) {
  const std::string letter = ReadHexFixture(L"Letter.scv.hex");
  CreateDirectoryW(folder.File(L"docs").c_str(), nullptr);
  const std::wstring path = folder.File(L"docs\\Opened.scv");
  ASSERT_TRUE(WriteFileBytes(path, letter));
  const CString remembered = CString(folder.Path().c_str()) + L"\\";
  theApp.WriteProfileString(L"Settings", L"OpenFilePath", remembered);
  theApp.UseDocumentsKey();
  EXPECT_EQ(theApp.GetSVDocManager()->GetInitialFolder(), remembered);
  HWND owner = frame->m_hWnd;
  bool chosen = false;
  CommandWithDialog(ID_FILE_OPEN, [&](HWND) { chosen = testing_support::ChooseFileInOpenDialog(owner, path.c_str()); });
  ASSERT_TRUE(chosen);
  EXPECT_EQ(Doc()->GetPathName(), CString(path.c_str()));
  EXPECT_EQ(Doc()->m_bOpenedByOpen, 1) << "a document opened so may be a template";
  EXPECT_EQ(theApp.GetProfileString(L"Settings", L"OpenFilePath"), CString(folder.File(L"docs\\").c_str()));
  // Chosen in the dialog, it is a recent file now.
  EXPECT_EQ(theApp.GetProfileString(L"Recent File List", L"File1"), CString(path.c_str()));
  // Without a remembered folder the dialog starts in the documents folder.
  theApp.WriteProfileString(L"Settings", L"OpenFilePath", nullptr);
  theApp.UseDocumentsKey();
  EXPECT_EQ(theApp.GetSVDocManager()->GetInitialFolder(), GetMyDocumentsPathName());
}

// ---- find and replace ----

TEST_F(ScrivelUi, ReplaceAllOverPlaceholdersEndsWithTheEditorsMessage) {
  LoadRtf("{\\rtf1\\ansi Dear [Name], your [Item] is ready. [Name], come soon.}");
  Command(ID_EDIT_REPLACE);
  CFindReplaceDialog* dialog = view->GetFindReplaceDialog();
  ASSERT_NE(dialog, nullptr);
  HWND replace = dialog->m_hWnd;
  TypeText(replace, edt1, L"[Name]");
  TypeText(replace, edt2, L"Alice");
  const std::vector<std::wstring> messages =
      AnswerMessageBoxes([replace] { SendDlgItemMessageW(replace, psh2, BM_CLICK, 0, 0); });
  EXPECT_EQ(Text(), L"Dear Alice, your [Item] is ready. Alice, come soon.");
  EXPECT_EQ(messages, std::vector<std::wstring>{L"Scrivel has finished searching the document."});
  // Find: the placeholder left, then the end of the search.
  TypeText(replace, edt1, L"[Item]");
  Select(0, 0);
  std::vector<std::wstring> more = AnswerMessageBoxes([replace] { SendDlgItemMessageW(replace, IDOK, BM_CLICK, 0, 0); });
  EXPECT_TRUE(more.empty());
  CHARRANGE found = {};
  view->SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&found));
  EXPECT_EQ(found.cpMin, 17);
  EXPECT_EQ(found.cpMax, 23);
  more = AnswerMessageBoxes([replace] { SendDlgItemMessageW(replace, IDOK, BM_CLICK, 0, 0); });
  EXPECT_EQ(more, std::vector<std::wstring>{L"Scrivel has finished searching the document."});
  SendDlgItemMessageW(replace, IDCANCEL, BM_CLICK, 0, 0);
}

// ---- embedded objects ----

HENHMETAFILE Picture() {
  const RECT frame = {0, 0, 3000, 1500};  // 0.01 mm
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 110, 55);
  return CloseEnhMetaFile(dc);
}

int ObjectCount(CRichEditView* v) { return v->GetRichEditOle() ? v->GetRichEditOle()->GetObjectCount() : -1; }

TEST_F(ScrivelUi, APictureInsertedIsSavedInTheScvFileAndComesBackOnOpening) {
  LoadRtf("{\\rtf1\\ansi Dear [Name], see the picture: .}");
  Select(32, 32);
  HENHMETAFILE picture = Picture();
  ASSERT_TRUE(view->InsertPicture(picture));
  DeleteEnhMetaFile(picture);
  ASSERT_EQ(Doc()->GetItemCount(), 1);
  POSITION pos = Doc()->GetStartPosition();
  EXPECT_TRUE(Doc()->GetNextItem(pos)->IsKindOf(RUNTIME_CLASS(CScrivelCntrItem)));
  EXPECT_TRUE(Doc()->IsModified());
  const std::wstring path = folder.File(L"Picture.scv");
  ASSERT_TRUE(Doc()->OnSaveDocument(path.c_str()));
  const std::string bytes = ReadFileBytes(path);
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ(bytes.compare(0, 3, "SCV"), 0);
  EXPECT_NE(bytes.find("\\pict", 24), std::string::npos);
  // Opened again: the object and its item are back, beside the text.
  Doc()->SetModifiedFlag(FALSE);
  ASSERT_NE(theApp.m_pDocManager->OpenDocumentFile(path.c_str(), FALSE), nullptr);
  view = theApp.GetCurrentView();
  EXPECT_EQ(ObjectCount(view), 1);
  ASSERT_EQ(Doc()->GetItemCount(), 1);
  pos = Doc()->GetStartPosition();
  CRichEditCntrItem* item = Doc()->GetNextItem(pos);
  EXPECT_TRUE(item->IsKindOf(RUNTIME_CLASS(CScrivelCntrItem)));
  EXPECT_NEAR(item->GetExtent().cx, 3000, 30);
  EXPECT_EQ(Text().substr(0, 12), L"Dear [Name],");
}

TEST_F(ScrivelUi, InsertPictureTakesAMetafileChosenInTheFileDialog) {
  const std::wstring path = folder.File(L"frame.emf");
  HENHMETAFILE picture = Picture();
  DeleteEnhMetaFile(CopyEnhMetaFileW(picture, path.c_str()));
  DeleteEnhMetaFile(picture);
  LoadRtf("{\\rtf1\\ansi Before after}");
  Select(7, 7);
  HWND owner = frame->m_hWnd;
  bool chosen = false;
  CommandWithDialog(ID_INSERT_PICTURE, [&](HWND) { chosen = testing_support::ChooseFileInOpenDialog(owner, path.c_str()); });
  ASSERT_TRUE(chosen);
  EXPECT_EQ(ObjectCount(view), 1);
  EXPECT_EQ(Doc()->GetItemCount(), 1);
  // A file that is no metafile is refused with a message.
  const std::wstring bad = folder.File(L"bad.emf");
  ASSERT_TRUE(WriteFileBytes(bad, "not a picture"));
  std::wstring message;
  const DWORD thread = GetCurrentThreadId();
  CommandWithDialog(ID_INSERT_PICTURE, [&](HWND) {
    const std::set<HWND> before = VisibleDialogs(thread);
    chosen = testing_support::ChooseFileInOpenDialog(owner, bad.c_str());
    message = AnswerNextMessageBox(thread, before);
  });
  EXPECT_TRUE(chosen);
  EXPECT_EQ(message, L"The picture could not be read.");
  EXPECT_EQ(ObjectCount(view), 1);
}

}  // namespace
