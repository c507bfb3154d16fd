// The dialog "Document filling", driven headless by messages: what it lists for each choice, what
// "Fill" and "Cancel" leave in the caller's map, and what it remembers in the settings and the
// last-used table.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FillFormDriver.h"
#include "ProfilesFixture.h"
#include "resource.h"

using namespace fillform_test;
typedef std::vector<std::wstring> Texts;

namespace {

typedef CMap<CString, LPCWSTR, COleVariant, COleVariant> FieldMap;

const Texts kGroupsEntries = {L"All profiles", L"Profiles out of groups", L"Clients", L"O'Brien & Co",
                              L"Контрагенты", L"Clients", L"Empty"};
const Texts kClientsRows = {L"Company|ACME|Text", L"Rate|12,5|Numeric", L"City|Paris|Text",
                            L"Secret|not a field|"};

// Indexes of the groups combo box: two pseudo-entries, then the groups in table order.
enum { kAllProfiles, kOutOfGroups, kClients, kOBrien, kRussian, kClientsAgain, kEmpty };

class FillFormDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CreateDatabase(DbPath(), L"profiles.sql"), "");
    SetHostSetting(L"GeneralDBFilePath", DbPath());
  }
  std::wstring DbPath() const { return user_.Path() + L"\\Профили 'q'.db"; }
  std::set<std::string> LastUsedRows() const {
    std::set<std::string> rows;
    std::istringstream lines(QueryDatabase(DbPath(), "SELECT * FROM Last_Used_Groups_Profiles;"));
    for (std::string line; std::getline(lines, line);) rows.insert(line);
    return rows;
  }

  IsolatedUser user_;
  FieldMap fields_;
};

// The window size the template gives, in pixels.
SIZE TemplateSize(HWND dialog) {
  RECT rect = {0, 0, 400, 260};
  MapDialogRect(dialog, &rect);
  AdjustWindowRectEx(&rect, GetWindowLongW(dialog, GWL_STYLE), FALSE,
                     GetWindowLongW(dialog, GWL_EXSTYLE));
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

SIZE WindowSize(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

TEST_F(FillFormDialogTest, FirstStartListsAllProfilesAndSelectsTheLastUsedOne) {
  fields_[L"Keep"] = COleVariant(L"me");
  CFillForm form(fields_, nullptr);
  Texts groups, profiles, groupRows, profileRows;
  std::wstring group, profile;
  SIZE size = {}, templateSize = {};
  std::vector<int> groupWidths, profileWidths;
  wchar_t caption[64] = {};
  const INT_PTR result = RunDialog(form, [&](HWND dialog) {
    GetWindowTextW(dialog, caption, 64);
    groups = ComboItems(dialog, IDC_COMBO_GROUPS);
    group = ComboSelection(dialog, IDC_COMBO_GROUPS);
    profiles = ComboItems(dialog, IDC_COMBO_PROFILES);
    profile = ComboSelection(dialog, IDC_COMBO_PROFILES);
    groupRows = ListRows(dialog, IDC_LIST_GROUP);
    profileRows = ListRows(dialog, IDC_LIST_PROFILE);
    size = WindowSize(dialog);
    templateSize = TemplateSize(dialog);
    groupWidths = ColumnWidths(dialog, IDC_LIST_GROUP);
    profileWidths = ColumnWidths(dialog, IDC_LIST_PROFILE);
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  // The library's own dialog and texts, though the host has resources of the same ids.
  EXPECT_STREQ(caption, L"Document filling");
  EXPECT_EQ(groups, kGroupsEntries);
  EXPECT_EQ(group, L"All profiles");
  // No empty entry under "All profiles"; the last-used profile of "All profiles" is 12.
  EXPECT_EQ(profiles, (Texts{L"Alice", L"Bob \"the builder\"", L"Ünïcødé 名前", L"Loner",
                             L"x' OR '1'='1"}));
  EXPECT_EQ(profile, L"Ünïcødé 名前");
  EXPECT_EQ(groupRows, Texts{});
  EXPECT_EQ(profileRows, (Texts{L"Имя|Ünï '名前'|Text", L"Total|3.25|Currency"}));
  EXPECT_EQ(size.cx, templateSize.cx);
  EXPECT_EQ(size.cy, templateSize.cy);
  EXPECT_EQ(groupWidths, (std::vector<int>{86, 120, 70}));
  EXPECT_EQ(profileWidths, (std::vector<int>{86, 120, 70}));
  // Cancel leaves the map alone.
  EXPECT_EQ(FieldMapEntries(fields_), Texts{L"Keep=S:me"});
  EXPECT_EQ(form.m_groupSelected, 0);
  EXPECT_EQ(form.m_profileSelected, 1);
  EXPECT_EQ(std::wstring(form.m_profileName), L"Ünïcødé 名前");
  EXPECT_EQ(user_.ErrorLog(), L"");
}

TEST_F(FillFormDialogTest, FillWritesGroupThenProfileValuesAndTheChoiceIsRemembered) {
  fields_[L"Keep"] = COleVariant(L"me");
  {
    CFillForm form(fields_, nullptr);
    Texts profiles, groupRows, aliceRows;
    std::wstring profile;
    const INT_PTR result = RunDialog(form, [&](HWND dialog) {
      SelectComboItem(dialog, IDC_COMBO_GROUPS, kClients);
      profiles = ComboItems(dialog, IDC_COMBO_PROFILES);
      profile = ComboSelection(dialog, IDC_COMBO_PROFILES);
      groupRows = ListRows(dialog, IDC_LIST_GROUP);
      SelectComboItem(dialog, IDC_COMBO_PROFILES, 1);
      aliceRows = ListRows(dialog, IDC_LIST_PROFILE);
      Click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(profiles, (Texts{L"", L"Alice", L"Bob \"the builder\""}));
    // Two last-used rows for this group: the later one read wins.
    EXPECT_EQ(profile, L"Bob \"the builder\"");
    EXPECT_EQ(groupRows, kClientsRows);
    EXPECT_EQ(aliceRows, (Texts{L"Name|Alice|Text", L"Company|Alice Ltd|Text", L"Amount|-|Currency",
                                L"Note|first|Text", L"Note|second|Text"}));
    EXPECT_EQ(FieldMapEntries(fields_),
              (Texts{L"Amount=R:0", L"City=S:Paris", L"Company=S:Alice Ltd", L"Name=S:Alice",
                     L"Note=S:second", L"Rate=R:12"}));
    EXPECT_EQ(form.m_groupSelected, 1);
    EXPECT_EQ(std::wstring(form.m_groupName), L"Clients");
    EXPECT_EQ(form.m_profileSelected, 1);
    EXPECT_EQ(std::wstring(form.m_profileName), L"Alice");
  }
  EXPECT_EQ(LastUsedRows(), (std::set<std::string>{"-2|12", "1|10"}));
  EXPECT_EQ(HostSettingNumber(L"GroupId"), 0u);

  CFillForm again(fields_, nullptr);
  std::wstring group, profile;
  RunDialog(again, [&](HWND dialog) {
    group = ComboSelection(dialog, IDC_COMBO_GROUPS);
    profile = ComboSelection(dialog, IDC_COMBO_PROFILES);
  });
  EXPECT_EQ(group, L"Clients");
  EXPECT_EQ(profile, L"Alice");
}

TEST_F(FillFormDialogTest, EmptyProfileEntryFillsOnlyTheGroupValuesAndIsRemembered) {
  {
    CFillForm form(fields_, nullptr);
    Texts profileRows;
    RunDialog(form, [&](HWND dialog) {
      SelectComboItem(dialog, IDC_COMBO_GROUPS, kClients);
      SelectComboItem(dialog, IDC_COMBO_PROFILES, 0);
      profileRows = ListRows(dialog, IDC_LIST_PROFILE);
      Click(dialog, IDOK);
    });
    EXPECT_EQ(profileRows, Texts{});
    EXPECT_EQ(FieldMapEntries(fields_), (Texts{L"City=S:Paris", L"Company=S:ACME", L"Rate=R:12"}));
    EXPECT_EQ(form.m_profileSelected, 0);
  }
  EXPECT_EQ(LastUsedRows(), (std::set<std::string>{"-2|12", "1|-2"}));
  CFillForm again(fields_, nullptr);
  std::wstring profile;
  RunDialog(again, [&](HWND dialog) { profile = ComboSelection(dialog, IDC_COMBO_PROFILES); });
  EXPECT_EQ(profile, L"");
}

struct GroupCase {
  int groupEntry;
  Texts profiles;
  std::wstring profile;
  Texts map;  // after "Fill"
  int groupSelected;
};

TEST_F(FillFormDialogTest, EachGroupsEntryListsItsOwnProfiles) {
  const GroupCase cases[] = {
      {kOutOfGroups, {L"Loner"}, L"Loner", {L"Remark=S:"}, 0},
      // A profile in two groups is listed under each; a quote in the group's id.
      {kOBrien, {L"", L"Bob \"the builder\"", L"x' OR '1'='1"}, L"",
       {L"Company=S:O'Brien's"}, 1},
      {kRussian, {L"", L"Ünïcødé 名前"}, L"", {L"Город=S:Москва"}, 1},
      // A group without profiles: only the empty entry, and only the group's (no) values.
      {kEmpty, {L""}, L"(none)", {}, 1},
  };
  for (const GroupCase& c : cases) {
    FieldMap fields;
    CFillForm form(fields, nullptr);
    Texts profiles;
    std::wstring profile;
    RunDialog(form, [&](HWND dialog) {
      SelectComboItem(dialog, IDC_COMBO_GROUPS, c.groupEntry);
      profiles = ComboItems(dialog, IDC_COMBO_PROFILES);
      profile = ComboSelection(dialog, IDC_COMBO_PROFILES);
      Click(dialog, IDOK);
    });
    EXPECT_EQ(profiles, c.profiles) << c.groupEntry;
    EXPECT_EQ(profile, c.profile) << c.groupEntry;
    EXPECT_EQ(FieldMapEntries(fields), c.map) << c.groupEntry;
    EXPECT_EQ(form.m_groupSelected, c.groupSelected) << c.groupEntry;
  }
}

TEST_F(FillFormDialogTest, StoredGroupThatNoLongerExistsSelectsAllProfiles) {
  SetHostSetting(L"GroupId", 99);
  CFillForm form(fields_, nullptr);
  std::wstring group;
  RunDialog(form, [&](HWND dialog) { group = ComboSelection(dialog, IDC_COMBO_GROUPS); });
  EXPECT_EQ(group, L"All profiles");
}

// Enabled state of: input edit, input caption, input browse, output edit, output caption, output
// browse, output check box.
std::string FolderControls(HWND dialog) {
  std::string state;
  for (int id : {IDC_EDIT_IN_FOLDER, IDC_STATIC_IN_FOLDER, IDC_IN_BROWSE, IDC_EDIT_OUT_FOLDER,
                 IDC_STATIC_OUT_FOLDER, IDC_OUT_BROWSE, IDC_CHECK_OUT})
    state += Enabled(dialog, id) ? "E" : "-";
  return state;
}

TEST_F(FillFormDialogTest, FolderControlsFollowTheChoicesAndCancelStoresThem) {
  CFillForm form(fields_, nullptr);
  std::string current, multiple, output;
  const INT_PTR result = RunDialog(form, [&](HWND dialog) {
    current = FolderControls(dialog);
    Click(dialog, IDC_RADIO_MULTI_FORMS);
    multiple = FolderControls(dialog);
    Click(dialog, IDC_CHECK_OUT);
    output = FolderControls(dialog);
    TypeText(dialog, IDC_EDIT_IN_FOLDER, L"D:\\входящие");
    TypeText(dialog, IDC_EDIT_OUT_FOLDER, L"D:\\out");
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(current, "-------");
  EXPECT_EQ(multiple, "EEE---E");
  EXPECT_EQ(output, "EEEEEEE");
  EXPECT_EQ(form.m_radioIndex, 1);
  EXPECT_EQ(HostSettingNumber(L"FillFormRadioIndex"), 1u);
  EXPECT_EQ(HostSettingNumber(L"FillFormCheckOutFolder"), 1u);
  EXPECT_EQ(HostSettingText(L"FillFormInFolder"), L"D:\\входящие");
  EXPECT_EQ(HostSettingText(L"FillFormOutFolder"), L"D:\\out");
  char options[64] = {};
  DWORD size = sizeof(options);
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Quennick\\Vantry\\Settings",
                         L"AutofillingOptions", RRF_RT_REG_BINARY, nullptr, options, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 40u);
  EXPECT_EQ(HostSettingText(L"AutofillingOptions"), L"(none)") << "never in the host's own key";
  // Cancel still rewrites the last-used table (here unchanged).
  EXPECT_EQ(LastUsedRows(), (std::set<std::string>{"-2|12", "1|11"}));
}

TEST_F(FillFormDialogTest, FolderPickerFillsItsEditAndKeepsWhatWasTypedInTheOther) {
  const std::wstring picked = user_.Path() + L"\\Vantry";
  CFillForm form(fields_, nullptr);
  bool chosen = false;
  wchar_t in[MAX_PATH] = {}, out[MAX_PATH] = {};
  RunDialog(form, [&](HWND dialog) {
    Click(dialog, IDC_RADIO_MULTI_FORMS);
    TypeText(dialog, IDC_EDIT_OUT_FOLDER, L"D:\\typed, not yet taken");
    ClickLater(dialog, IDC_IN_BROWSE);
    chosen = ChooseFolderInPicker(dialog, picked.c_str());
    for (int i = 0; i < 3000 && lstrcmpiW(in, picked.c_str()) != 0; ++i, Sleep(10))
      GetDlgItemTextW(dialog, IDC_EDIT_IN_FOLDER, in, MAX_PATH);
    GetDlgItemTextW(dialog, IDC_EDIT_OUT_FOLDER, out, MAX_PATH);
  });
  ASSERT_TRUE(chosen);
  EXPECT_EQ(std::wstring(in), picked);
  EXPECT_STREQ(out, L"D:\\typed, not yet taken");
  EXPECT_EQ(HostSettingText(L"FillFormInFolder"), picked);
}

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

TEST_F(FillFormDialogTest, ResizingLaysOutTheControlsScalesTheColumnsAndKeepsTheMinimumSize) {
  CFillForm form(fields_, nullptr);
  SIZE templateSize = {}, widenedSize = {}, shrunk = {};
  std::vector<int> widened;
  RECT client = {}, fill = {}, cancel = {}, groupList = {}, profileList = {}, path = {};
  RECT combo = {}, comboAfter = {};
  RunDialog(form, [&](HWND dialog) {
    templateSize = WindowSize(dialog);
    combo = ControlRect(dialog, IDC_COMBO_GROUPS);
    // Half as wide again: twice the width would not fit the test's screen.
    SetWindowPos(dialog, nullptr, 0, 0, templateSize.cx * 3 / 2, templateSize.cy + 100,
                 SWP_NOMOVE | SWP_NOZORDER);
    widenedSize = WindowSize(dialog);
    widened = ColumnWidths(dialog, IDC_LIST_GROUP);
    GetClientRect(dialog, &client);
    fill = ControlRect(dialog, IDOK);
    cancel = ControlRect(dialog, IDCANCEL);
    groupList = ControlRect(dialog, IDC_LIST_GROUP);
    profileList = ControlRect(dialog, IDC_LIST_PROFILE);
    path = ControlRect(dialog, IDC_STATIC_DB_PATH);
    comboAfter = ControlRect(dialog, IDC_COMBO_GROUPS);
    SetWindowPos(dialog, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    shrunk = WindowSize(dialog);
  });
  ASSERT_EQ(widenedSize.cx, templateSize.cx * 3 / 2);
  const double factor = static_cast<double>(widenedSize.cx) / templateSize.cx;
  EXPECT_EQ(widened, (std::vector<int>{static_cast<int>(86 * factor), static_cast<int>(120 * factor),
                                       static_cast<int>(70 * factor)}));
  EXPECT_GE(widened[0], 128);
  const int W = client.right, H = client.bottom;
  const int bw = fill.right - fill.left, bh = fill.bottom - fill.top;
  const int h = path.bottom - path.top;
  const int c = combo.bottom - combo.top;
  EXPECT_EQ(comboAfter.bottom - comboAfter.top, c) << "a combo box keeps its closed height";
  EXPECT_EQ(Text(fill), Text(RECT{W - 2 * bw - 20, H - 10 - bh, W - bw - 20, H - 10}));
  EXPECT_EQ(Text(cancel), Text(RECT{W - bw - 10, H - 10 - bh, W - 10, H - 10}));
  EXPECT_EQ(Text(groupList), Text(RECT{10, 145 + 2 * h + c, W / 2 - 5, H - bh - h - 20}));
  EXPECT_EQ(Text(profileList), Text(RECT{W / 2 + 5, 145 + 2 * h + c, W - 10, H - bh - h - 20}));
  EXPECT_EQ(Text(path), Text(RECT{10, H - bh - h - 15, W - 10, H - bh - 15}));
  EXPECT_EQ(shrunk.cx, templateSize.cx);
  EXPECT_EQ(shrunk.cy, templateSize.cy);
}

struct NotifyCase {
  UINT code;
  int base;  // the Name column's width that later scaling starts from
};

TEST_F(FillFormDialogTest, WidthsTheUserSetBecomeTheBaseOnAGroupListNotification) {
  // A custom-draw notification does not count: it comes with every repaint.
  const NotifyCase cases[] = {{static_cast<UINT>(NM_CLICK), 150},
                              {static_cast<UINT>(NM_CUSTOMDRAW), 86}};
  for (const NotifyCase& c : cases) {
    // Each case starts without the placement the one before stored.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Quennick\\Vantry\\Settings",
                       L"AutofillingOptions");
    CFillForm form(fields_, nullptr);
    SIZE templateSize = {}, widened = {};
    int name = 0;
    RunDialog(form, [&](HWND dialog) {
      templateSize = WindowSize(dialog);
      SendDlgItemMessageW(dialog, IDC_LIST_GROUP, LVM_SETCOLUMNWIDTH, 0, 150);
      NMHDR header = {GetDlgItem(dialog, IDC_LIST_GROUP), IDC_LIST_GROUP, c.code};
      SendMessageW(dialog, WM_NOTIFY, IDC_LIST_GROUP, reinterpret_cast<LPARAM>(&header));
      SetWindowPos(dialog, nullptr, 0, 0, templateSize.cx * 3 / 2, templateSize.cy,
                   SWP_NOMOVE | SWP_NOZORDER);
      widened = WindowSize(dialog);
      name = ColumnWidths(dialog, IDC_LIST_GROUP)[0];
    });
    EXPECT_EQ(name, static_cast<int>(c.base * (static_cast<double>(widened.cx) / templateSize.cx)))
        << c.code;
  }
}

TEST_F(FillFormDialogTest, StoredRectangleAndWidthsAreUsed) {
  CFillForm first(fields_, nullptr);
  SIZE templateSize = {};
  RunDialog(first, [&](HWND dialog) { templateSize = WindowSize(dialog); });
  const int32_t stored[10] = {40, 30, 40 + templateSize.cx + 60, 30 + templateSize.cy + 40,
                              100, 150, 80, 90, 110, 60};
  RegSetKeyValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Quennick\\Vantry\\Settings", L"AutofillingOptions",
                  REG_BINARY, stored, sizeof(stored));
  CFillForm form(fields_, nullptr);
  RECT window = {};
  std::vector<int> groupWidths, profileWidths;
  RunDialog(form, [&](HWND dialog) {
    GetWindowRect(dialog, &window);
    groupWidths = ColumnWidths(dialog, IDC_LIST_GROUP);
    profileWidths = ColumnWidths(dialog, IDC_LIST_PROFILE);
  });
  EXPECT_EQ(Text(window), Text(RECT{stored[0], stored[1], stored[2], stored[3]}));
  EXPECT_EQ(groupWidths, (std::vector<int>{100, 150, 80}));
  EXPECT_EQ(profileWidths, (std::vector<int>{90, 110, 60}));
}

TEST_F(FillFormDialogTest, BrowsingToAnotherDatabaseShowsItsGroupsAndStoresItsPath) {
  const std::wstring second = user_.Path() + L"\\second ü.db";
  ASSERT_EQ(CreateDatabase(second, L"profiles.sql", "UPDATE groups SET name = 'Second ' || name;"), "");
  CFillForm form(fields_, nullptr);
  bool chosen = false;
  Texts groups;
  wchar_t shown[MAX_PATH] = {};
  RunDialog(form, [&](HWND dialog) {
    ClickLater(dialog, IDC_SELECT_DB_BUTTON);
    chosen = ChooseFileInOpenDialog(dialog, second.c_str());
    for (int i = 0; i < 500 && lstrcmpW(shown, second.c_str()) != 0; ++i, Sleep(10))
      GetDlgItemTextW(dialog, IDC_STATIC_DB_PATH, shown, MAX_PATH);
    groups = ComboItems(dialog, IDC_COMBO_GROUPS);
  });
  ASSERT_TRUE(chosen);
  EXPECT_STREQ(shown, second.c_str());
  EXPECT_EQ(groups, (Texts{L"All profiles", L"Profiles out of groups", L"Second Clients",
                           L"Second O'Brien & Co", L"Second Контрагенты", L"Second Clients",
                           L"Second Empty"}));
  EXPECT_EQ(HostSettingText(L"GeneralDBFilePath"), second);
}

TEST_F(FillFormDialogTest, RussianHostShowsTheRussianDialogAndTexts) {
  AfxSetResourceLanguage(AfxLanguageFromPrimary(25));
  CFillForm form(fields_, nullptr);
  wchar_t caption[64] = {};
  Texts groups, profileRows;
  RunDialog(form, [&](HWND dialog) {
    GetWindowTextW(dialog, caption, 64);
    groups = ComboItems(dialog, IDC_COMBO_GROUPS);
    profileRows = ListRows(dialog, IDC_LIST_PROFILE);
  });
  AfxSetResourceLanguage(0);
  EXPECT_STREQ(caption, L"Заполнение документа");
  ASSERT_GE(groups.size(), 2u);
  EXPECT_EQ(groups[0], L"Все профили");
  EXPECT_EQ(groups[1], L"Профили вне групп");
  EXPECT_EQ(profileRows, (Texts{L"Имя|Ünï '名前'|Текст", L"Total|3.25|Денежное"}));
}

TEST_F(FillFormDialogTest, MissingDatabaseShowsEmptyListsAndLogsOnly) {
  {
    // Leaves values in the lists that every object of the process shares.
    FieldMap earlier;
    CFillForm reader(earlier, nullptr);
    reader.GetData(L"Clients", L"Alice");
    ASSERT_EQ(earlier.GetCount(), 6);
  }
  SetHostSetting(L"GeneralDBFilePath", user_.Path() + L"\\absent\\general.db");
  fields_[L"Keep"] = COleVariant(L"me");
  CFillForm form(fields_, nullptr);
  Texts groups;
  std::string folders;
  const INT_PTR result = RunDialog(form, [&](HWND dialog) {
    groups = ComboItems(dialog, IDC_COMBO_GROUPS);
    folders = FolderControls(dialog);
    Click(dialog, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(groups, Texts{});
  EXPECT_EQ(folders, "-------");
  // Nothing of the earlier reading is filled in.
  EXPECT_EQ(FieldMapEntries(fields_), Texts{});
  const std::wstring log = user_.ErrorLog();
  EXPECT_NE(log.find(L"Can't open database: unable to open database file"), std::wstring::npos);
  EXPECT_NE(log.find(L"SQL error: no database is open"), std::wstring::npos);
}

}  // namespace
