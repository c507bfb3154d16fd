// Spelling in Orvello.exe started as a user starts it: the menu command reaches the spell checker
// component in the program's process, its dialog is worked from outside, and the correction is in the
// saved document.
#include <gtest/gtest.h>

#include <string>

#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "MyProcs.h"
#include "ObjectStyle.h"
#include "PageInfo.h"
#include "ProgramTestSupport.h"
#include "SpellCheckResource.h"
#include "TestSupport.h"
#include "TranspText.h"
#include "resource.h"

namespace {

using testing_support::ChildProcess;

const DWORD kWait = 60000;

// A letter document whose one page holds one text field with `text`.
bool MakeFieldDocument(const std::wstring& path, const wchar_t* text) {
  CFolimarApp::RegisterProgramServices();
  CFolimarDoc doc;
  if (!doc.OnNewDocument()) return false;
  doc.GetPage(0)->m_settings.width = 8.5;
  doc.GetPage(0)->m_settings.height = 11.0;
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  CTranspText* field = new CTranspText(nullptr, 1000, 1000, &style, nullptr, text, 0);
  field->SetName(L"Remark");
  doc.AddObjectToList(field);
  doc.DoFieldsExchange(TRUE);
  return doc.OnSaveDocument(path.c_str()) != FALSE;
}

struct WINDOW_SEARCH {
  DWORD process;
  int childId;  // a control the window must hold; 0: any dialog of the process
  HWND skip;
  HWND found;
};

BOOL CALLBACK MatchProcessDialog(HWND window, LPARAM param) {
  WINDOW_SEARCH* search = reinterpret_cast<WINDOW_SEARCH*>(param);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  wchar_t name[16] = L"";
  ::GetClassNameW(window, name, 16);
  if (process != search->process || window == search->skip || !::IsWindowVisible(window) ||
      lstrcmpW(name, L"#32770") != 0)
    return TRUE;
  if (search->childId != 0 && ::GetDlgItem(window, search->childId) == nullptr) return TRUE;
  search->found = window;
  return FALSE;
}

// A visible dialog of the program holding control `childId` (any dialog for 0), other than `skip`.
HWND WaitForDialog(const ChildProcess& program, int childId, HWND skip = nullptr) {
  for (DWORD waited = 0; waited < kWait; waited += 20) {
    WINDOW_SEARCH search = {program.Id(), childId, skip, nullptr};
    ::EnumWindows(MatchProcessDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    ::Sleep(20);
  }
  return nullptr;
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[256] = L"";
  ::GetDlgItemTextW(dialog, id, text, 256);
  return text;
}

TEST(ProgramSpellingTest, TheSpellingCommandCorrectsAFieldAndTheCorrectionIsSaved) {
  ASSERT_TRUE(program_test::DeleteProfile());
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"spelling.qlm");
  // A word no dictionary of the three holds, whichever language the user chose.
  ASSERT_TRUE(MakeFieldDocument(path, L"Wrnogg"));
  {
    ChildProcess program(L"\"" + testing_support::ProgramFolder() + L"\\Orvello.exe\" \"" + path + L"\"");
    HWND frame = program.WaitForMainWindow(kWait);
    ASSERT_NE(nullptr, frame);
    ASSERT_NE(nullptr, program_test::WaitForDocumentView(program, frame, kWait));
    ::PostMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_SPELLING, 0), 0);

    HWND dialog = WaitForDialog(program, IDC_SPELL_WORD);
    ASSERT_NE(nullptr, dialog) << "the checker's dialog";
    EXPECT_EQ(L"Wrnogg", ItemText(dialog, IDC_SPELL_WORD));
    ::SetDlgItemTextW(dialog, IDC_SPELL_REPLACEMENT, L"Right");
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SPELL_CHANGE, BN_CLICKED), 0);

    HWND done = WaitForDialog(program, 0, dialog);
    ASSERT_NE(nullptr, done) << "the completion message";
    ::PostMessageW(done, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 500 && ::IsWindow(done); ++i) ::Sleep(10);

    ::SendMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0);
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.WaitForExit(kWait));
  }
  CFolimarDoc saved;
  ASSERT_TRUE(saved.OnOpenDocument(path.c_str()));
  ASSERT_EQ(1, saved.GetPage(0)->m_objects.GetCount());
  CTranspText* field = dynamic_cast<CTranspText*>(saved.GetPage(0)->m_objects.GetHead());
  ASSERT_NE(nullptr, field);
  EXPECT_EQ(L"Right", std::wstring(field->GetText()));
  program_test::DeleteProfile();
}

}  // namespace
