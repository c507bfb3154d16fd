// A multiple-document program in this test process: the application object, a main frame with its
// MDI client, and documents opened from real files, each in its own child frame and view.
#include <gtest/gtest.h>

#include "../HexFixture.h"
#include "TestDocView.h"
#include "TestSupport.h"

TestApp theApp;

namespace {

using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

class DocView : public ::testing::Test {
 protected:
  void SetUp() override {
    RoutedCommands().clear();
    theApp.prompts.clear();
    theApp.answer = IDNO;
    ASSERT_TRUE(theApp.StartUp());
    main = static_cast<CMDIFrameWnd*>(theApp.m_pMainWnd);
    alphaPath = folder.File(L"Alpha.tdoc");
    betaPath = folder.File(L"Beta.tdoc");
    ASSERT_TRUE(WriteFileBytes(alphaPath, ReadHexFixture(L"Alpha.tdoc.hex")));
    ASSERT_TRUE(WriteFileBytes(betaPath, ReadHexFixture(L"Beta.tdoc.hex")));
  }
  void TearDown() override {
    if (theApp.m_pMainWnd) {
      CWnd* frame = theApp.m_pMainWnd;
      theApp.m_pMainWnd = nullptr;  // no quit message for the next test
      theApp.CloseAllDocuments(FALSE);
      frame->DestroyWindow();
    }
  }
  TestDoc* Open(const std::wstring& path) {
    CDocument* doc = theApp.OpenDocumentFile(path.c_str());
    return doc && doc->IsKindOf(RUNTIME_CLASS(TestDoc)) ? static_cast<TestDoc*>(doc) : nullptr;
  }
  static TestView* ViewOf(CDocument* doc) {
    POSITION pos = doc->GetFirstViewPosition();
    return pos ? static_cast<TestView*>(doc->GetNextView(pos)) : nullptr;
  }
  void Command(UINT id) { main->SendMessage(WM_COMMAND, id, 0); }

  TempFolder folder;
  std::wstring alphaPath, betaPath;
  CMDIFrameWnd* main = nullptr;
};

TEST_F(DocView, TwoDocumentsOpenFromFilesEachWithItsOwnChildFrameAndView) {
  TestDoc* alpha = Open(alphaPath);
  TestDoc* beta = Open(betaPath);
  ASSERT_NE(alpha, nullptr);
  ASSERT_NE(beta, nullptr);
  EXPECT_EQ(alpha->m_value, 7);
  EXPECT_STREQ(alpha->m_text, L"Alpha");
  EXPECT_EQ(beta->m_value, 513);
  EXPECT_STREQ(beta->m_text, L"Beta");
  EXPECT_STREQ(alpha->GetTitle(), L"Alpha.tdoc");
  EXPECT_FALSE(alpha->IsModified());
  EXPECT_EQ(theApp.m_pDocManager->GetOpenDocumentCount(), 2);

  TestView* alphaView = ViewOf(alpha);
  TestView* betaView = ViewOf(beta);
  ASSERT_NE(alphaView, nullptr);
  ASSERT_NE(betaView, nullptr);
  CFrameWnd* alphaFrame = alphaView->GetParentFrame();
  CFrameWnd* betaFrame = betaView->GetParentFrame();
  ASSERT_NE(alphaFrame, nullptr);
  ASSERT_NE(alphaFrame, betaFrame);
  EXPECT_TRUE(alphaFrame->IsKindOf(RUNTIME_CLASS(TestChildFrame)));
  EXPECT_EQ(::GetParent(alphaFrame->m_hWnd), main->m_hWndMDIClient);
  EXPECT_EQ(alphaFrame->GetActiveView(), alphaView);
  EXPECT_EQ(alphaView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(main->MDIGetActive(), betaFrame) << "the document opened last is active";
  CString caption;
  betaFrame->GetWindowText(caption);
  EXPECT_STREQ(caption, L"Beta.tdoc");

  EXPECT_EQ(Open(alphaPath), alpha) << "opening an open file again brings its frame forward";
  EXPECT_EQ(theApp.m_pDocManager->GetOpenDocumentCount(), 2);
  EXPECT_EQ(main->MDIGetActive(), alphaFrame);
}

struct RouteCase {
  UINT command;
  const wchar_t* expected;
};

TEST_F(DocView, CommandsGoToTheViewThenTheDocumentThenTheFrameThenTheApplication) {
  TestDoc* alpha = Open(alphaPath);
  TestDoc* beta = Open(betaPath);
  ASSERT_TRUE(alpha && beta);
  const RouteCase cases[] = {
      {ID_TEST_VIEW_CMD, L"view Beta.tdoc"},
      {ID_TEST_DOC_CMD, L"doc Beta.tdoc"},
      {ID_TEST_FRAME_CMD, L"frame"},
      {ID_TEST_APP_CMD, L"app"},
      {ID_TEST_RANGE_FIRST + 1, L"range 32811"},
  };
  for (const RouteCase& c : cases) {
    SCOPED_TRACE(c.expected);
    RoutedCommands().clear();
    Command(c.command);
    ASSERT_EQ(RoutedCommands().size(), 1u);
    EXPECT_EQ(RoutedCommands()[0], c.expected);
  }
  // Activating the other child frame moves the route to its view and document.
  main->MDIActivate(ViewOf(alpha)->GetParentFrame());
  RoutedCommands().clear();
  Command(ID_TEST_VIEW_CMD);
  Command(ID_TEST_DOC_CMD);
  EXPECT_EQ(RoutedCommands(), (std::vector<std::wstring>{L"view Alpha.tdoc", L"doc Alpha.tdoc"}));
}

TEST_F(DocView, UpdateHandlersSetTheStateOfTheDocumentTypesMenu) {
  ASSERT_NE(Open(alphaPath), nullptr);
  CMenu* bar = main->GetMenu();
  ASSERT_NE(bar, nullptr);
  CMenu* test = bar->GetSubMenu(1);
  ASSERT_NE(test, nullptr) << "the active document type's menu is on the main frame";
  CString name;
  bar->GetMenuString(1, name, MF_BYPOSITION);
  EXPECT_STREQ(name, L"&Test");

  main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(test->m_hMenu), MAKELPARAM(1, FALSE));
  const struct {
    UINT id;
    UINT state;
  } expected[] = {
      {ID_TEST_VIEW_CMD, MF_ENABLED | MF_CHECKED},
      {ID_TEST_DOC_CMD, MF_ENABLED},
      {ID_TEST_APP_CMD, MF_ENABLED},
      {ID_TEST_DISABLED_CMD, MF_GRAYED | MF_DISABLED},
      {32806, MF_GRAYED | MF_DISABLED},  // nobody handles it
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.id);
    EXPECT_EQ(test->GetMenuState(e.id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED | MF_CHECKED), e.state);
  }
  CString text;
  test->GetMenuString(ID_TEST_RANGE_LAST, text, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"Item 3");

  // A command its update handler disables does not run, even when sent directly.
  RoutedCommands().clear();
  Command(ID_TEST_DISABLED_CMD);
  EXPECT_TRUE(RoutedCommands().empty());
}

TEST_F(DocView, SaveWritesTheDocumentThroughSerialize) {
  TestDoc* alpha = Open(alphaPath);
  ASSERT_NE(alpha, nullptr);
  alpha->m_value = 8;
  alpha->m_text = L"Alpha!";
  alpha->SetModifiedFlag();
  Command(ID_FILE_SAVE);
  EXPECT_FALSE(alpha->IsModified());
  EXPECT_EQ(ReadFileBytes(alphaPath), ReadHexFixture(L"AlphaEdited.tdoc.hex"));
  EXPECT_TRUE(theApp.prompts.empty());
}

TEST_F(DocView, AFailedLoadIsReportedAndLeavesNoWindowBehind) {
  const std::wstring path = folder.File(L"Truncated.tdoc");
  ASSERT_TRUE(WriteFileBytes(path, ReadHexFixture(L"Truncated.tdoc.hex")));
  EXPECT_EQ(Open(path), nullptr);
  ASSERT_EQ(theApp.prompts.size(), 1u);
  EXPECT_NE(theApp.prompts[0].find(L"Failed to open document"), std::wstring::npos) << theApp.prompts[0];
  EXPECT_EQ(theApp.m_pDocManager->GetOpenDocumentCount(), 0);
  EXPECT_EQ(main->MDIGetActive(), nullptr);
  EXPECT_EQ(::GetWindow(main->m_hWndMDIClient, GW_CHILD), nullptr);
}

TEST_F(DocView, AFailedSaveKeepsThePreviousFile) {
  TestDoc* alpha = Open(alphaPath);
  ASSERT_NE(alpha, nullptr);
  const std::string before = ReadFileBytes(alphaPath);
  alpha->m_value = 99;
  // Another program holds the file without sharing: replacing it must fail.
  HANDLE held = ::CreateFileW(alphaPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(alpha->OnSaveDocument(alphaPath.c_str()));
  ::CloseHandle(held);
  EXPECT_EQ(ReadFileBytes(alphaPath), before);
  ASSERT_EQ(theApp.prompts.size(), 1u);
  EXPECT_NE(theApp.prompts[0].find(L"Failed to save document"), std::wstring::npos);
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder.Path() + L"\\sav*.tmp").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "the temporary file is removed";
  if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
}

TEST_F(DocView, ViewDrawsTheDocumentIntoAMemoryDC) {
  TestDoc* beta = Open(betaPath);
  ASSERT_NE(beta, nullptr);
  beta->m_value = 30;
  TestView* view = ViewOf(beta);
  CClientDC screen(view);
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, TestView::kWidth, TestView::kHeight));
  CBitmap* old = memory.SelectObject(&bitmap);
  memory.FillSolidRect(0, 0, TestView::kWidth, TestView::kHeight, RGB(255, 255, 255));
  view->OnPrepareDC(&memory);
  view->OnDraw(&memory);
  EXPECT_EQ(memory.GetPixel(35, 35), RGB(0, 0, 0)) << "the mark at (value, value)";
  EXPECT_EQ(memory.GetPixel(29, 29), beta->Colour());
  EXPECT_EQ(memory.GetPixel(41, 41), beta->Colour());
  EXPECT_EQ(memory.GetPixel(399, 299), beta->Colour());
  memory.SelectObject(old);
}

TEST_F(DocView, ScrollingMovesTheDrawingOrigin) {
  TestDoc* beta = Open(betaPath);
  ASSERT_NE(beta, nullptr);
  TestView* view = ViewOf(beta);
  CFrameWnd* frame = view->GetParentFrame();
  frame->MoveWindow(0, 0, 200, 150);
  view->ScrollToPosition(CPoint(50, 20));
  EXPECT_EQ(view->GetScrollPosition(), CPoint(50, 20));
  CClientDC dc(view);
  view->OnPrepareDC(&dc);
  EXPECT_EQ(dc.GetViewportOrg(), CPoint(-50, -20));
  view->ScrollToPosition(CPoint(5000, 5000));
  const CPoint clamped = view->GetScrollPosition();
  CRect client;
  view->GetClientRect(&client);
  EXPECT_EQ(clamped, CPoint(TestView::kWidth - client.Width(), TestView::kHeight - client.Height()));
}

TEST_F(DocView, ClosingTheMainFrameAsksAboutChangesAndEndsTheMessageLoop) {
  TestDoc* alpha = Open(alphaPath);
  ASSERT_NE(alpha, nullptr);
  alpha->SetModifiedFlag();
  theApp.answer = IDNO;
  main->ShowWindow(SW_SHOW);
  main->PostMessage(WM_CLOSE);
  EXPECT_EQ(theApp.Run(), 0);
  EXPECT_EQ(theApp.m_pMainWnd, nullptr);
  ASSERT_EQ(theApp.prompts.size(), 1u);
  EXPECT_NE(theApp.prompts[0].find(L"Alpha.tdoc?"), std::wstring::npos) << theApp.prompts[0];
  EXPECT_EQ(theApp.m_pDocManager->GetOpenDocumentCount(), 0);
  EXPECT_EQ(ReadFileBytes(alphaPath), ReadHexFixture(L"Alpha.tdoc.hex")) << "No means the file stays as it was";
}

TEST_F(DocView, CancelInTheSavePromptKeepsEverythingOpen) {
  TestDoc* alpha = Open(alphaPath);
  ASSERT_NE(alpha, nullptr);
  alpha->SetModifiedFlag();
  theApp.answer = IDCANCEL;
  main->SendMessage(WM_CLOSE);
  EXPECT_EQ(theApp.m_pMainWnd, main);
  EXPECT_TRUE(::IsWindow(main->m_hWnd));
  EXPECT_EQ(theApp.m_pDocManager->GetOpenDocumentCount(), 1);
  alpha->SetModifiedFlag(FALSE);
}

}  // namespace

namespace {

class CopiesDialog : public CDialog {
 public:
  CopiesDialog() : CDialog(IDD_RANGE) {}
  int m_copies = 1;
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_RANGE_COUNT, m_copies);
    DDV_MinMaxInt(pDX, m_copies, 1, 99);
  }
};

struct ValidationCase {
  const wchar_t* typed;
  const wchar_t* message;
  int copiesAfter;  // a number out of range is taken before the range check refuses it
};

// A value the exchange refuses is reported through the application's DoMessageBox, the member keeps
// its value, and the focus goes back to the control.
TEST(DialogValidation, RefusedInputIsReportedThroughTheApplication) {
  const ValidationCase cases[] = {
      {L"500", L"Please enter an integer between 1 and 99.", 500},
      {L"12abc", L"Please enter an integer.", 1},
      {L"", L"Please enter an integer.", 1},
      {L"99999999999", L"Please enter an integer.", 1},
  };
  for (const ValidationCase& c : cases) {
    SCOPED_TRACE(c.typed);
    theApp.prompts.clear();
    CopiesDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_RANGE));
    dialog.ShowWindow(SW_SHOW);
    dialog.SetDlgItemText(IDC_RANGE_COUNT, c.typed);
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    ASSERT_EQ(theApp.prompts.size(), 1u);
    EXPECT_EQ(theApp.prompts[0], c.message);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog.m_hWnd, IDC_RANGE_COUNT));
    EXPECT_EQ(dialog.m_copies, c.copiesAfter);
    dialog.DestroyWindow();
  }
}

}  // namespace

namespace {

TEST_F(DocView, PrintPreviewTakesThePlaceOfTheViewAndGivesItBack) {
  TestDoc* beta = Open(betaPath);
  ASSERT_NE(beta, nullptr);
  TestView* view = ViewOf(beta);
  CFrameWnd* child = view->GetParentFrame();
  child->MoveWindow(0, 0, 400, 300);
  RoutedCommands().clear();
  Command(ID_FILE_PRINT_PREVIEW);
  ASSERT_TRUE(child->IsInPrintPreview());
  EXPECT_TRUE(main->IsInPrintPreview()) << "the main frame asks its active child";
  CView* shown = child->GetActiveView();
  ASSERT_TRUE(shown && shown->IsKindOf(RUNTIME_CLASS(CPreviewView)));
  CPreviewView* preview = static_cast<CPreviewView*>(shown);
  EXPECT_FALSE(view->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(preview->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(preview->GetCurrentPage(), 1u);

  // The sheet shows the page the view printed: its coloured area starts at the sheet's corner.
  CRect client;
  preview->GetClientRect(&client);
  CClientDC screen(preview);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
  CBitmap* old = memory.SelectObject(&bitmap);
  memory.FillSolidRect(&client, RGB(128, 128, 128));
  preview->OnDraw(&memory);
  const CRect page = preview->GetPageRect();
  ASSERT_FALSE(page.IsRectEmpty());
  EXPECT_EQ(memory.GetPixel(page.left + 2, page.top + 2), beta->Colour());
  EXPECT_EQ(memory.GetPixel(page.right - 2, page.bottom - 2), RGB(255, 255, 255));
  EXPECT_EQ(memory.GetPixel(page.left - 3, page.top + 2), RGB(128, 128, 128));
  memory.SelectObject(old);

  preview->SendMessage(WM_KEYDOWN, VK_NEXT);
  EXPECT_EQ(preview->GetCurrentPage(), 2u);
  preview->SendMessage(WM_KEYDOWN, VK_NEXT);
  EXPECT_EQ(preview->GetCurrentPage(), 2u) << "the last page stays";

  main->ClosePrintPreview();
  EXPECT_FALSE(child->IsInPrintPreview());
  EXPECT_EQ(child->GetActiveView(), view);
  EXPECT_TRUE(view->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(RoutedCommands(), (std::vector<std::wstring>{L"begin printing", L"end printing"}));
}

}  // namespace

namespace {

struct CommandLineCase {
  std::vector<const wchar_t*> args;
  int command;
  const wchar_t* file;
  const wchar_t* printer;
};

TEST(CommandLine, ShellCommandsAndTheirFiles) {
  const CommandLineCase cases[] = {
      {{}, CCommandLineInfo::FileNew, L"", L""},
      {{L"form.qlm"}, CCommandLineInfo::FileOpen, L"form.qlm", L""},
      {{L"/p", L"form.qlm"}, CCommandLineInfo::FilePrint, L"form.qlm", L""},
      {{L"/pt", L"form.qlm", L"Office", L"winspool", L"LPT1:"}, CCommandLineInfo::FilePrintTo, L"form.qlm", L"Office"},
      {{L"/dde"}, CCommandLineInfo::FileDDE, L"", L""},
  };
  for (const CommandLineCase& c : cases) {
    SCOPED_TRACE(c.command);
    CCommandLineInfo info;
    for (size_t i = 0; i < c.args.size(); ++i) {
      const wchar_t* arg = c.args[i];
      const BOOL flag = arg[0] == L'/' || arg[0] == L'-';
      info.ParseParam(flag ? arg + 1 : arg, flag, i + 1 == c.args.size());
    }
    EXPECT_EQ(info.m_nShellCommand, c.command);
    EXPECT_STREQ(info.m_strFileName, c.file);
    EXPECT_STREQ(info.m_strPrinterName, c.printer);
  }
}

TEST_F(DocView, RecentFilesAreKeptNewestFirstInTheProfile) {
  const std::wstring key = L"Software\\VantryFrameworkTest";
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, key);
  theApp.SetRegistryKey(L"VantryFrameworkTest");
  theApp.LoadStdProfileSettings(3);
  ASSERT_NE(Open(alphaPath), nullptr);
  ASSERT_NE(Open(betaPath), nullptr);
  theApp.CloseAllDocuments(FALSE);
  ASSERT_NE(Open(alphaPath), nullptr);  // again: moves to the top, no second entry
  CRecentFileList& recent = *theApp.m_pRecentFileList;
  EXPECT_EQ(recent.GetCount(), 2);
  EXPECT_EQ(std::wstring(recent[0]), alphaPath);
  EXPECT_EQ(std::wstring(recent[1]), betaPath);
  wchar_t value[MAX_PATH] = L"";
  DWORD size = sizeof(value);
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, (key + L"\\Vantry Test\\Recent File List").c_str(), L"File2",
                           RRF_RT_REG_SZ, nullptr, value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(value), betaPath);
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, key);
}

}  // namespace

namespace {

// A PostScript printer of Wine's own driver whose port is a file, installed for one test.
class TestPrinter {
 public:
  TestPrinter(const std::wstring& name, const std::wstring& outputFile) : name_(name) {
    wchar_t dir[MAX_PATH];
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof(dir), &needed)) return;
    const std::wstring ppd = std::wstring(dir) + L"\\vantrytest.ppd";
    if (!::CopyFileW((std::wstring(VANTRY_TEST_DATA_DIR) + L"/VantryTest.ppd").c_str(), ppd.c_str(), FALSE)) return;
    DRIVER_INFO_3W driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(L"Vantry Test Driver");
    driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = const_cast<wchar_t*>(L"vantrytest.ppd");
    driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    if (!::AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES)) return;
    PRINTER_INFO_2W printer = {};
    printer.pPrinterName = const_cast<wchar_t*>(name_.c_str());
    printer.pPortName = const_cast<wchar_t*>(outputFile.c_str());
    printer.pDriverName = driver.pName;
    printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    printer.pDatatype = const_cast<wchar_t*>(L"RAW");
    handle_ = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  }
  ~TestPrinter() {
    if (!handle_) return;
    ::DeletePrinter(handle_);
    ::ClosePrinter(handle_);
  }
  bool Installed() const { return handle_ != nullptr; }

 private:
  std::wstring name_;
  HANDLE handle_ = nullptr;
};

// DEVNAMES: offsets in characters to the driver, device and port names that follow the header.
HGLOBAL DevNamesFor(const std::wstring& device, const std::wstring& port) {
  const std::wstring driver = L"winspool";
  const size_t header = sizeof(DEVNAMES) / sizeof(wchar_t);
  const size_t chars = header + driver.size() + 1 + device.size() + 1 + port.size() + 1;
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, chars * sizeof(wchar_t));
  DEVNAMES* names = static_cast<DEVNAMES*>(::GlobalLock(h));
  wchar_t* text = reinterpret_cast<wchar_t*>(names);
  names->wDriverOffset = static_cast<WORD>(header);
  names->wDeviceOffset = static_cast<WORD>(header + driver.size() + 1);
  names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + device.size() + 1);
  wcscpy(text + names->wDriverOffset, driver.c_str());
  wcscpy(text + names->wDeviceOffset, device.c_str());
  wcscpy(text + names->wOutputOffset, port.c_str());
  ::GlobalUnlock(h);
  return h;
}

TEST_F(DocView, DirectPrintRunsTheViewsPrintingStepsForEveryPage) {
  const std::wstring output = folder.File(L"printed.ps");
  TestPrinter printer(L"Vantry Test Printer", output);
  ASSERT_TRUE(printer.Installed()) << "the test printer could not be installed";
  theApp.SelectPrinter(DevNamesFor(L"Vantry Test Printer", output), nullptr);
  TestDoc* beta = Open(betaPath);
  ASSERT_NE(beta, nullptr);
  RoutedCommands().clear();
  Command(ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(RoutedCommands(), (std::vector<std::wstring>{L"begin printing", L"end printing"}));
  const std::string postscript = ReadFileBytes(output);
  ASSERT_FALSE(postscript.empty()) << "no output in the printer's file";
  EXPECT_EQ(postscript.compare(0, 4, "%!PS"), 0);
  size_t pages = 0;
  for (size_t at = postscript.find("%%Page:"); at != std::string::npos; at = postscript.find("%%Page:", at + 1)) ++pages;
  EXPECT_EQ(pages, 2u) << "the view asked for two pages";
  theApp.SelectPrinter(nullptr, nullptr);
}

}  // namespace

namespace {

TEST_F(DocView, IdleTimeUpdatesFrameTitles) {
  TestDoc* alpha = Open(alphaPath);
  ASSERT_NE(alpha, nullptr);
  main->ShowWindow(SW_SHOW);
  alpha->m_strTitle = L"Renamed";  // changed behind the frames' backs
  theApp.OnIdle(0);
  CString caption;
  main->GetWindowText(caption);
  EXPECT_STREQ(caption, L"Vantry Test - Renamed");
  EXPECT_FALSE(theApp.OnIdle(1)) << "the second round has nothing more to do";
}

TEST_F(DocView, ShellFileTypesAreRegisteredForTheCurrentUser) {
  const std::wstring classes = L"Software\\Classes\\";
  theApp.RegisterShellFileTypes(TRUE);
  auto read = [&](const std::wstring& key) {
    wchar_t value[MAX_PATH * 2] = L"";
    DWORD size = sizeof(value);
    ::RegGetValueW(HKEY_CURRENT_USER, (classes + key).c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size);
    return std::wstring(value);
  };
  EXPECT_EQ(read(L".tdoc"), L"Vantry.TestDoc");
  EXPECT_EQ(read(L"Vantry.TestDoc"), L"Test Document");
  const std::wstring open = read(L"Vantry.TestDoc\\shell\\open\\command");
  EXPECT_NE(open.find(L"FrameworkDocView_test.exe\" \"%1\""), std::wstring::npos) << open;
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, classes + L".tdoc");
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, classes + L"Vantry.TestDoc");
}

TEST(FileDialog, FiltersAndMultipleSelectionsAreUnpacked) {
  CFileDialog dialog(TRUE, L"qlm", nullptr, OFN_ALLOWMULTISELECT, L"Forms (*.qlm)|*.qlm|All Files (*.*)|*.*||");
  const wchar_t expectedFilter[] = L"Forms (*.qlm)\0*.qlm\0All Files (*.*)\0*.*\0";
  EXPECT_EQ(memcmp(dialog.m_ofn.lpstrFilter, expectedFilter, sizeof(expectedFilter)), 0);
  // What the dialog leaves for a multi-selection: the folder, then each name, NUL-separated.
  const wchar_t chosen[] = L"C:\\forms\0a.qlm\0b.qlm\0";
  memcpy(dialog.m_ofn.lpstrFile, chosen, sizeof(chosen));
  std::vector<std::wstring> paths;
  for (POSITION pos = dialog.GetStartPosition(); pos;) paths.push_back(std::wstring(dialog.GetNextPathName(pos)));
  EXPECT_EQ(paths, (std::vector<std::wstring>{L"C:\\forms\\a.qlm", L"C:\\forms\\b.qlm"}));
  // A single choice is one full path.
  const wchar_t single[] = L"C:\\forms\\c.qlm\0";
  memcpy(dialog.m_ofn.lpstrFile, single, sizeof(single));
  dialog.m_ofn.lpstrFile[wcslen(single) + 1] = 0;
  EXPECT_STREQ(dialog.GetPathName(), L"C:\\forms\\c.qlm");
  EXPECT_STREQ(dialog.GetFileName(), L"c.qlm");
  EXPECT_STREQ(dialog.GetFileExt(), L"qlm");
  EXPECT_STREQ(dialog.GetFolderPath(), L"C:\\forms");
}

}  // namespace

namespace {

// Ctrl+T is the document type's shortcut for the view command: the message loop translates it
// through the main frame and the command reaches the active view.
TEST_F(DocView, ShortcutsOfTheActiveDocumentTypeBecomeCommands) {
  TestDoc* beta = Open(betaPath);
  ASSERT_NE(beta, nullptr);
  BYTE keys[256] = {};
  ASSERT_TRUE(::GetKeyboardState(keys));
  keys[VK_CONTROL] = 0x80;
  ASSERT_TRUE(::SetKeyboardState(keys));
  RoutedCommands().clear();
  ASSERT_TRUE(::PostMessageW(ViewOf(beta)->m_hWnd, WM_KEYDOWN, 'T', 1));
  MSG peek;
  while (::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE) && RoutedCommands().empty()) {
    ASSERT_TRUE(theApp.PumpMessage());
  }
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(RoutedCommands(), (std::vector<std::wstring>{L"view Beta.tdoc"}));
}

}  // namespace
