// Runs the fill-form dialog on a profiles database, picks a groups entry and a profiles entry by
// their positions and presses "Fill", for the check that reads the last-used table back with the
// host's own sqlite3 tool. Usage: FillFormDialogRun DATABASE GROUPENTRY PROFILEENTRY
// Exit code 0 when the dialog ended with "Fill", 1 otherwise, 2 for a wrong command line.
#include <cstdlib>

#include "FillFormDriver.h"
#include "ProfilesFixture.h"
#include "resource.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  fillform_test::IsolatedUser user;
  fillform_test::SetHostSetting(L"GeneralDBFilePath", argv[1]);
  const int groupEntry = _wtoi(argv[2]);
  const int profileEntry = _wtoi(argv[3]);
  CMap<CString, LPCWSTR, COleVariant, COleVariant> fields;
  CFillForm form(fields, nullptr);
  const INT_PTR result = fillform_test::RunDialog(form, [&](HWND dialog) {
    fillform_test::SelectComboItem(dialog, IDC_COMBO_GROUPS, groupEntry);
    fillform_test::SelectComboItem(dialog, IDC_COMBO_PROFILES, profileEntry);
    fillform_test::Click(dialog, IDOK);
  });
  return result == IDOK ? 0 : 1;
}
