#include "WizardDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <prsht.h>

#include "DialogDriver.h"
#include "SqliteFixture.h"
#include "resource.h"

namespace wizard_driver {

using testing_support::Utf8;

// The default data source's file as Windows sees it.
std::wstring DefaultDatabase() {
  std::wstring path = L"Z:" + std::wstring(VANTRY_ODBC_DEFAULT_DATABASE, VANTRY_ODBC_DEFAULT_DATABASE +
                                                                             strlen(VANTRY_ODBC_DEFAULT_DATABASE));
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 10) {
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

// Presses a wizard button once it is enabled, as a user can only press an enabled one.
void Press(HWND sheet, int button) {
  const int id = button == PSBTN_FINISH ? ID_WIZFINISH : (button == PSBTN_NEXT ? ID_WIZNEXT : ID_WIZBACK);
  ASSERT_TRUE(WaitFor([&] {
    HWND control = GetDlgItem(sheet, id);
    return control != nullptr && IsWindowEnabled(control) && IsWindowVisible(control);
  })) << "wizard button " << id << " never enabled";
  HWND before = CurrentPage(sheet);
  SendMessageW(sheet, PSM_PRESSBUTTON, button, 0);
  if (button != PSBTN_FINISH) {
    ASSERT_TRUE(WaitFor([&] { return CurrentPage(sheet) != before; }));
  }
}

int FindItem(HWND list, const std::wstring& text) {
  LVFINDINFOW find = {};
  find.flags = LVFI_STRING;
  find.psz = text.c_str();
  return static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

void Choose(HWND list, int item) {
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

void ChooseByText(HWND page, int listId, const std::wstring& text) {
  HWND list = GetDlgItem(page, listId);
  int item = -1;
  ASSERT_TRUE(WaitFor([&] { return (item = FindItem(list, text)) >= 0; })) << Utf8(text) << " is not listed";
  Choose(list, item);
}

std::wstring ItemText(HWND list, int item, int column) {
  wchar_t text[512] = {};
  LVITEMW request = {};
  request.iSubItem = column;
  request.pszText = text;
  request.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
  return text;
}

typedef std::vector<std::pair<std::wstring, std::wstring>> Links;  // field name, column name

// Works the six pages: the data source by "Open DSN", the table, the links, Finish.
void DriveWizard(HWND sheet, const std::wstring& table, const Links& links) {
  HWND page = CurrentPage(sheet);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_DB_NAME)));
  testing_support::Click(page, IDC_DB_OPEN_DSN);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(GetDlgItem(page, IDC_DB_NAME)) != FALSE; }));
  Press(sheet, PSBTN_NEXT);
  Press(sheet, PSBTN_NEXT);
  page = CurrentPage(sheet);
  ChooseByText(page, IDC_DB_TABLES, table);
  EXPECT_TRUE(WaitFor([&] { return testing_support::Enabled(page, IDC_DB_VIEW_TABLE); }));
  Press(sheet, PSBTN_NEXT);
  Press(sheet, PSBTN_NEXT);
  page = CurrentPage(sheet);
  for (const auto& link : links) {
    ChooseByText(page, IDC_DB_LINK_FIELDS, link.first);
    ChooseByText(page, IDC_DB_LINK_COLUMNS, link.second);
    EXPECT_TRUE(WaitFor([&] { return testing_support::Enabled(page, IDC_DB_LINK); }));
    testing_support::Click(page, IDC_DB_LINK);
  }
  Press(sheet, PSBTN_NEXT);
  Press(sheet, PSBTN_FINISH);
}

// Runs a document command; `script` works the wizard it shows (and nothing else: the progress
// dialog closes itself).
void RunCommand(CFolimarDoc& doc, UINT command, const std::function<void(HWND)>& script) {
  testing_support::RunDialog(
      [&]() -> INT_PTR {
        doc.OnCmdMsg(command, CN_COMMAND, nullptr, nullptr);
        return 0;
      },
      script);
}

}  // namespace wizard_driver
