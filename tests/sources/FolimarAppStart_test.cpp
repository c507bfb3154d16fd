// The application's start-up and shut-down run in this process, in a private profile: the error log,
// the single-instance guard, the language of the menus and tool tips, what start-up installs for the
// program's parts, the start-up documents, and documents made and opened through the application.
#include "FolimarApp.h"

#include <gtest/gtest.h>

#include <string>

#include "ArchiveFixtures.h"
#include "DocObjects.h"
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "TestSupport.h"
#include "TranspBaseClass.h"
#include "fw/ResourceLanguage.h"
#include "resource.h"

CFolimarApp theApp;

namespace {

const wchar_t kSettings[] = L"SOFTWARE\\Quennick\\Vantry\\Settings";

class AppStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profile_.Ready());
    ASSERT_TRUE(AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW));
    // A fresh profile asks for no explanatory form that is missing anyway.
    _FRAME_OPTIONS options = DefaultFrameOptions();
    options.explanatoryDocAtStartup = 0;
    WriteOptions(options);
  }
  void TearDown() override {
    if (started_) Stop();
  }
  void WriteOptions(const _FRAME_OPTIONS& options) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettings, L"Options", REG_BINARY, &options, sizeof(options));
  }
  void WriteInt(const wchar_t* name, DWORD value) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettings, name, REG_DWORD, &value, sizeof(value));
  }
  std::string ReadBinary(const wchar_t* name) {
    BYTE data[512];
    DWORD size = sizeof(data);
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettings, name, RRF_RT_REG_BINARY, nullptr, data, &size) != ERROR_SUCCESS)
      return std::string();
    return std::string(reinterpret_cast<const char*>(data), size);
  }
  BOOL Start() {
    const BOOL started = theApp.InitInstance();
    started_ = started;
    Pump();
    return started;
  }
  // Closes the main window as the user does and ends the application; the exit code.
  int Stop() {
    started_ = FALSE;
    CMainFrame* frame = GetMainFrame();
    if (frame != nullptr) {
      for (POSITION t = theApp.GetFirstDocTemplatePosition(); t;) {
        CDocTemplate* docTemplate = theApp.GetNextDocTemplate(t);
        for (POSITION d = docTemplate->GetFirstDocPosition(); d;) docTemplate->GetNextDoc(d)->SetModifiedFlag(FALSE);
      }
      frame->SendMessage(WM_CLOSE);
    }
    Pump();
    return theApp.ExitInstance();
  }
  static void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      if (!theApp.PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    }
  }
  static int DocumentCount() {
    CTypedPtrList<CPtrList, CFolimarDoc*> documents;
    theApp.GetDocumentsList(documents);
    return static_cast<int>(documents.GetCount());
  }

  fixtures::PrivateUserProfile profile_;
  testing_support::PrivateTempPath temp_;
  BOOL started_ = FALSE;
};

TEST_F(AppStartTest, StartUpLogsItsStepsAndHoldsTheInstanceMutexUntilTheEnd) {
  ASSERT_TRUE(testing_support::WriteFileBytes(std::wstring(GetErrorLogPathName()), "old run"));
  ASSERT_TRUE(Start());
  const std::wstring log = fixtures::ErrorLogText();
  EXPECT_EQ(std::wstring::npos, log.find(L"old run")) << "a new log for a new run";
  for (const wchar_t* line : {L"Start application", L"Version 2.78.3", L"CMainFrame::OnCreate end",
                              L"ProcessShellCommand passed", L"VantryCanGetDataMutex is created successfully.",
                              L"CFolimarApp::InitInstance end"})
    EXPECT_NE(std::wstring::npos, log.find(line)) << std::wstring(line).c_str();
  EXPECT_LT(log.find(L"Start application"), log.find(L"CMainFrame::OnCreate begin"));
  HANDLE held = ::OpenMutexW(SYNCHRONIZE, FALSE, L"VantryMutex");
  EXPECT_NE(nullptr, held);
  if (held) ::CloseHandle(held);
  CMainFrame* frame = GetMainFrame();
  ASSERT_NE(nullptr, frame);
  CString caption;
  frame->GetWindowText(caption);
  EXPECT_STREQ(L"Vantry 2.78.3", caption);
  EXPECT_EQ(0, Stop());
  HANDLE after = ::OpenMutexW(SYNCHRONIZE, FALSE, L"VantryMutex");
  EXPECT_EQ(nullptr, after) << "released at the end";
  if (after) ::CloseHandle(after);
}

// The running instance's log stays whole: a second instance only adds its line. A name taken by an
// object of another kind gives no mutex at all, and that ends the start-up the same way.
TEST_F(AppStartTest, ASecondInstanceOrAMissingMutexEndsWithMinusFiveAndKeepsTheRunningOnesLog) {
  const struct {
    bool event;
    const wchar_t* line;
  } cases[] = {{false, L"VantryMutex already exists."}, {true, L"Failed to create VantryMutex by unknown reason"}};
  for (const auto& c : cases) {
    InitErrorLog();
    AppendErrorLog(L"the running instance's line");
    HANDLE taken = c.event ? ::CreateEventW(nullptr, TRUE, FALSE, L"VantryMutex") : ::CreateMutexW(nullptr, TRUE, L"VantryMutex");
    ASSERT_NE(nullptr, taken);
    EXPECT_FALSE(theApp.InitInstance()) << std::wstring(c.line).c_str();
    EXPECT_EQ(-5, theApp.ExitInstance());
    ::CloseHandle(taken);
    const std::wstring log = fixtures::ErrorLogText();
    EXPECT_NE(std::wstring::npos, log.find(L"the running instance's line"));
    EXPECT_NE(std::wstring::npos, log.find(c.line));
    EXPECT_EQ(std::wstring::npos, log.find(L"Start application"));
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    ::DeleteFileW(GetErrorLogPathName());
  }
}

TEST_F(AppStartTest, StartUpInstallsWhatTheProgramsPartsNeed) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(::RegisterClipboardFormatW(L"Brannow Applications Transparent Objects"),
            CTranspBaseClass::GetClipboardFormat());
  EXPECT_EQ(::RegisterClipboardFormatW(L"Brannow Applications Transparent Objects Fmt 2"),
            CTranspBaseClass::GetClipboardFormat2());
  CTranspBaseClass* text = GetDocObjectServices()->create(RECORD_TAG_TEXT, nullptr);
  EXPECT_NE(nullptr, text) << "the overlay object kinds";
  delete text;
  EXPECT_NE(nullptr, CTranspBaseClass::GetViewLink()) << "the view's links";
  // The hint box and the form-name prompt are the view's dialogs.
  InfoBoxPresenter hints = SetInfoBoxPresenter(nullptr);
  EXPECT_NE(nullptr, hints);
  SetInfoBoxPresenter(hints);
  CFolimarDoc::FormNamePrompt prompt = CFolimarDoc::SetFormNamePrompt(nullptr);
  EXPECT_NE(nullptr, prompt);
  CFolimarDoc::SetFormNamePrompt(prompt);
  // The bitmaps report their progress in the frame's status bar.
  CMainFrame* frame = GetMainFrame();
  ASSERT_NE(nullptr, frame);
  LMyBitmap bitmap;
  EXPECT_EQ(SUCCESS, bitmap.StatusCallBack(40));
  EXPECT_TRUE(frame->GetProgressCtrl().IsWindowVisible());
  EXPECT_EQ(40, frame->GetProgressCtrl().GetPos());
  bitmap.StatusCallBack(100);
  EXPECT_FALSE(frame->GetProgressCtrl().IsWindowVisible());
}

struct LANGUAGE_CASE {
  DWORD language;
  const wchar_t* fileMenu;
  const wchar_t* newTip;
  const wchar_t* newPrompt;
};

class AppLanguageTest : public AppStartTest, public ::testing::WithParamInterface<LANGUAGE_CASE> {};

// The menus and the tool-bar tips come from the resources of the "Language" setting.
TEST_P(AppLanguageTest, TheMenusAndTipsFollowTheLanguageSetting) {
  const LANGUAGE_CASE& c = GetParam();
  WriteInt(L"Language", c.language);
  ASSERT_TRUE(Start());
  EXPECT_EQ(static_cast<int>(c.language), theApp.m_languageId);
  CMainFrame* frame = GetMainFrame();
  ASSERT_NE(nullptr, frame);
  EXPECT_STREQ(c.fileMenu, frame->GetMenuBar().GetButton(0)->m_strText);
  CMainBar* bar = frame->GetMainBar();
  CString description;
  const CString tip = bar->GetButtonToolTip(bar->CommandToIndex(ID_FILE_NEW), &description);
  EXPECT_EQ(0, tip.Find(c.newTip)) << std::wstring(tip).c_str();
  EXPECT_STREQ(c.newPrompt, description);
  EXPECT_EQ(0, Stop());
}

INSTANTIATE_TEST_SUITE_P(Languages, AppLanguageTest,
                         ::testing::Values(LANGUAGE_CASE{9, L"&File", L"New", L"Create a new document"},
                                           LANGUAGE_CASE{7, L"&Datei", L"Neu", L"Erstellt ein neues Dokument"},
                                           LANGUAGE_CASE{25, L"&Файл", L"Создать", L"Создать новый документ"}));

TEST_F(AppStartTest, AMissingExplanatoryFormSwitchesItsOptionOff) {
  WriteOptions(DefaultFrameOptions());
  ASSERT_TRUE(Start());
  EXPECT_EQ(0, GetMainFrame()->GetOptions().explanatoryDocAtStartup);
  EXPECT_EQ(0, DocumentCount());
  EXPECT_EQ(0, Stop());
  const std::string stored = ReadBinary(L"Options");
  ASSERT_EQ(sizeof(_FRAME_OPTIONS), stored.size());
  EXPECT_EQ(0, reinterpret_cast<const _FRAME_OPTIONS*>(stored.data())->explanatoryDocAtStartup) << "for good";
}

TEST_F(AppStartTest, TheExplanatoryFormBecomesANewDocument) {
  WriteOptions(DefaultFrameOptions());
  ::CreateDirectoryW(GetFormsPathName(), nullptr);
  const std::wstring form = std::wstring(GetFormsPathName()) + L"\\form1.qlm";
  {
    CFolimarDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(doc.OnSaveDocument(form.c_str()));
  }
  ASSERT_TRUE(Start());
  EXPECT_EQ(1, DocumentCount());
  EXPECT_EQ(1, GetMainFrame()->GetOptions().explanatoryDocAtStartup);
}

TEST_F(AppStartTest, TheEmptyStartUpDocumentGoesWhenAnotherIsMade) {
  _FRAME_OPTIONS options = DefaultFrameOptions();
  options.explanatoryDocAtStartup = 0;
  options.emptyDocAtStartup = 1;
  WriteOptions(options);
  ASSERT_TRUE(Start());
  ASSERT_EQ(1, DocumentCount());
  theApp.CreateEmptyDoc(0);
  EXPECT_EQ(1, DocumentCount()) << "the untouched start-up document was closed";

  CDocument* kept = theApp.CreateEmptyDoc(0);
  ASSERT_NE(nullptr, kept);
  kept->SetModifiedFlag(TRUE);
  theApp.CreateEmptyDoc(0);
  EXPECT_EQ(3, DocumentCount()) << "documents the user made stay";
}

TEST_F(AppStartTest, OpeningACopyLeavesTheFileAlone) {
  ASSERT_TRUE(Start());
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"source.qlm");
  CDocument* made = theApp.CreateEmptyDoc(0);
  ASSERT_NE(nullptr, made);
  ASSERT_TRUE(made->OnSaveDocument(path.c_str()));
  made->OnCloseDocument();
  const std::string before = testing_support::ReadFileBytes(path);
  const std::wstring copy = std::wstring(GetTempDirPath()) + L"TempRUD.qlm";
  ASSERT_TRUE(testing_support::WriteFileBytes(copy, "an older copy"));

  CDocument* opened = theApp.OpenDocumentFile(path.c_str(), TRUE);
  ASSERT_NE(nullptr, opened);
  EXPECT_EQ(copy, std::wstring(opened->GetPathName()));
  EXPECT_EQ(before, testing_support::ReadFileBytes(copy)) << "the copy was overwritten";
  opened->SetModifiedFlag(TRUE);
  opened->OnSaveDocument(opened->GetPathName());
  EXPECT_EQ(before, testing_support::ReadFileBytes(path)) << "the source is untouched";
  EXPECT_NE(std::wstring::npos, fixtures::ErrorLogText().find(L"CFolimarApp::OpenDocumentFile"));
}

TEST_F(AppStartTest, TheUsageOfACommandLineRunEndsWithZero) {
  theApp.m_cmdInfo.m_commandLine = 1;
  theApp.m_cmdInfo.m_help = 1;
  ASSERT_TRUE(Start());
  // The window was never shown and closes by itself.
  CMainFrame* frame = GetMainFrame();
  EXPECT_TRUE(frame == nullptr || !::IsWindow(frame->m_hWnd));
  EXPECT_EQ(0, Stop());
}

}  // namespace
