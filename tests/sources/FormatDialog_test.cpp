// The number-format dialog, run modally and worked by messages: the categories it offers, the
// controls each category shows, decimal places from the edit and the spin, grouping, the sample.
#include "FormatDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "resource.h"

namespace {

using testing_support::ControlText;
using testing_support::Checked;
using testing_support::Click;
using testing_support::Enabled;
using testing_support::RunDialog;
using testing_support::TypeText;

// Shown by the dialog's own choice, whether or not the dialog itself is on screen yet.
bool Shown(HWND dialog, int id) { return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }

std::vector<std::wstring> ListItems(HWND dialog, int id) {
  std::vector<std::wstring> items;
  const int count = static_cast<int>(SendDlgItemMessageW(dialog, id, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    SendDlgItemMessageW(dialog, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

// A click on a list row: the selection moves and the list tells its parent.
void SelectCategory(HWND dialog, int index) {
  HWND list = GetDlgItem(dialog, IDC_LIST_CATEGORY);
  SendMessageW(list, LB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_LIST_CATEGORY, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// The up or down arrow key in the decimal-places edit, which the spin control answers.
void Spin(HWND dialog, UINT key) {
  HWND edit = GetDlgItem(dialog, IDC_EDIT_DECIMAL);
  SendMessageW(edit, WM_KEYDOWN, key, 1);
  SendMessageW(edit, WM_KEYUP, key, 0xC0000001);
}

_PROPERTIES Record(int category, int decimals, int grouping, double value) {
  _PROPERTIES p;
  p.formatCategory = category;
  p.decimals = decimals;
  p.grouping = grouping;
  p.value = value;
  return p;
}

const int kNumberControls[] = {IDC_EDIT_DECIMAL,   IDC_SPIN_DECIMAL,        IDC_CHECK_GROUPING,
                               IDC_STATIC_DECIMAL, IDC_STATIC_SAMPLE_LABEL, IDC_STATIC_SAMPLE};

TEST(FormatDialog, IndexNumberIsOfferedOnlyWhenAsked) {
  struct Case {
    int flag;
    std::vector<std::wstring> items;
  } cases[] = {
      {0, {L"Text", L"Numeric", L"Currency"}},
      {1, {L"Text", L"Numeric", L"Currency", L"Index number"}},
  };
  for (const Case& c : cases) {
    CFormatDialog dialog(Record(CFormatDialog::kNumeric, 2, 1, 0), c.flag);
    RunDialog(dialog, [&c](HWND window) {
      EXPECT_EQ(c.items, ListItems(window, IDC_LIST_CATEGORY));
      EXPECT_EQ(1, SendDlgItemMessageW(window, IDC_LIST_CATEGORY, LB_GETCURSEL, 0, 0));
    });
  }
}

TEST(FormatDialog, EachCategoryShowsItsControls) {
  struct Case {
    int category;
    bool shown;
  } cases[] = {{CFormatDialog::kText, false},
               {CFormatDialog::kNumeric, true},
               {CFormatDialog::kCurrency, true},
               {CFormatDialog::kIndexNumber, false}};
  CFormatDialog dialog(Record(CFormatDialog::kText, 2, 1, 1234.5), 1);
  EXPECT_EQ(IDOK, RunDialog(dialog, [&cases](HWND window) {
              for (int id : kNumberControls) EXPECT_FALSE(Shown(window, id)) << "at start, " << id;
              for (const auto& c : cases) {
                SelectCategory(window, c.category);
                for (int id : kNumberControls) EXPECT_EQ(c.shown, Shown(window, id)) << c.category << ", " << id;
                if (!c.shown) {
                  EXPECT_EQ(L"", ControlText(window, IDC_STATIC_SAMPLE)) << c.category;
                }
              }
              SelectCategory(window, CFormatDialog::kNumeric);
              Click(window, IDOK);
            }));
  EXPECT_EQ(CFormatDialog::kNumeric, dialog.GetNumberFormat().formatCategory);
}

TEST(FormatDialog, CurrencyGroupsAlwaysAndNumericLetsTheUserChoose) {
  CFormatDialog dialog(Record(CFormatDialog::kNumeric, 2, 0, 1234.5), 0);
  EXPECT_EQ(IDOK, RunDialog(dialog, [](HWND window) {
              EXPECT_FALSE(Checked(window, IDC_CHECK_GROUPING));
              EXPECT_TRUE(Enabled(window, IDC_CHECK_GROUPING));
              SelectCategory(window, CFormatDialog::kCurrency);
              EXPECT_TRUE(Checked(window, IDC_CHECK_GROUPING));
              EXPECT_FALSE(Enabled(window, IDC_CHECK_GROUPING));
              SelectCategory(window, CFormatDialog::kNumeric);
              EXPECT_TRUE(Checked(window, IDC_CHECK_GROUPING));
              EXPECT_TRUE(Enabled(window, IDC_CHECK_GROUPING));
              Click(window, IDOK);
            }));
  const _PROPERTIES result = dialog.GetNumberFormat();
  EXPECT_EQ(CFormatDialog::kNumeric, result.formatCategory);
  EXPECT_EQ(1, result.grouping);
}

TEST(FormatDialog, TypedDecimalPlacesAreAValidCountOrNone) {
  struct Case {
    const wchar_t* typed;
    int decimals;
  } cases[] = {{L"12", 9}, {L"", 0}, {L"3", 3}, {L"+4", 4}, {L"-2", 0}, {L"2x", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    CFormatDialog dialog(Record(CFormatDialog::kNumeric, 2, 1, 1234.5), 0);
    EXPECT_EQ(IDOK, RunDialog(dialog, [&c](HWND window) {
                EXPECT_EQ(L"2", ControlText(window, IDC_EDIT_DECIMAL));
                TypeText(window, IDC_EDIT_DECIMAL, c.typed);
                Click(window, IDOK);
              }));
    EXPECT_EQ(c.decimals, dialog.GetNumberFormat().decimals);
  }
}

TEST(FormatDialog, SpinStepsTheDecimalPlacesWithinNine) {
  CFormatDialog dialog(Record(CFormatDialog::kNumeric, 8, 1, 1234.5), 0);
  std::wstring sampleBefore, sampleAfter;
  EXPECT_EQ(IDOK, RunDialog(dialog, [&](HWND window) {
              sampleBefore = ControlText(window, IDC_STATIC_SAMPLE);
              Spin(window, VK_UP);
              EXPECT_EQ(L"9", ControlText(window, IDC_EDIT_DECIMAL));
              sampleAfter = ControlText(window, IDC_STATIC_SAMPLE);
              Spin(window, VK_UP);  // already at the top
              EXPECT_EQ(L"9", ControlText(window, IDC_EDIT_DECIMAL));
              Click(window, IDOK);
            }));
  EXPECT_EQ(9, dialog.GetNumberFormat().decimals);
  // One more decimal place in the sample.
  EXPECT_EQ(sampleBefore.size() + 1, sampleAfter.size());

  CFormatDialog down(Record(CFormatDialog::kNumeric, 1, 1, 1234.5), 0);
  EXPECT_EQ(IDOK, RunDialog(down, [](HWND window) {
              Spin(window, VK_DOWN);
              Spin(window, VK_DOWN);  // already at the bottom
              EXPECT_EQ(L"0", ControlText(window, IDC_EDIT_DECIMAL));
              Click(window, IDOK);
            }));
  EXPECT_EQ(0, down.GetNumberFormat().decimals);
}

TEST(FormatDialog, SampleFollowsTheUsersLocale) {
  ASSERT_EQ(0x0409, LANGIDFROMLCID(GetUserDefaultLCID())) << "the test prefix runs in English (United States)";
  CFormatDialog dialog(Record(CFormatDialog::kNumeric, 2, 1, 1234.5), 0);
  RunDialog(dialog, [](HWND window) {
    EXPECT_EQ(L"1,234.50", ControlText(window, IDC_STATIC_SAMPLE));
    Click(window, IDC_CHECK_GROUPING);
    EXPECT_EQ(L"1234.50", ControlText(window, IDC_STATIC_SAMPLE));
    TypeText(window, IDC_EDIT_DECIMAL, L"0");
    EXPECT_EQ(L"1235", ControlText(window, IDC_STATIC_SAMPLE));
    SelectCategory(window, CFormatDialog::kCurrency);
    EXPECT_EQ(L"$1,235", ControlText(window, IDC_STATIC_SAMPLE));
  });
}

TEST(FormatDialog, ACategoryTheListDoesNotOfferIsKept) {
  // An index-number field opened where index numbers are not offered: nothing is selected, and OK
  // must not store "no category".
  CFormatDialog dialog(Record(CFormatDialog::kIndexNumber, 2, 1, 0), 0);
  EXPECT_EQ(IDOK, RunDialog(dialog, [](HWND window) {
              EXPECT_EQ(LB_ERR, SendDlgItemMessageW(window, IDC_LIST_CATEGORY, LB_GETCURSEL, 0, 0));
              EXPECT_FALSE(Shown(window, IDC_EDIT_DECIMAL));
              Click(window, IDOK);
            }));
  EXPECT_EQ(CFormatDialog::kIndexNumber, dialog.GetNumberFormat().formatCategory);
}

}  // namespace
