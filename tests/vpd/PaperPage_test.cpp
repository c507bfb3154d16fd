// The Paper size page and the New Paper Form dialog over the test printer.
#include "PrinterPageTest.h"

#include "paper.h"

namespace {

using namespace vpd_test;

const wchar_t* const vantry = L"Vantry";

class PaperPageTest : public PrinterPageTest {
 protected:
  HWND open() {
    install(L"VantryDuplex.ppd");
    return openPage(1, L"Paper Size");
  }
};

TEST_F(PaperPageTest, ListsTheDriversFormsWithTheCurrentOneInEitherUnits) {
  HWND page = open();
  ASSERT_NE(page, nullptr);
  HWND list = GetDlgItem(page, IDC_PAPER_FORM);
  ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(comboSelection(page, IDC_PAPER_FORM), L"A4");
  // Built-in forms cannot be deleted.
  EXPECT_FALSE(enabled(page, IDC_PAPER_DELETE));

  struct Case {
    int button;
    const wchar_t *width, *length, *unit;
  };
  for (const Case& c : {Case{IDC_PAPER_METRIC, L"210.00", L"297.00", L"mm"},
                        Case{IDC_PAPER_ENGLISH, L"8.27", L"11.69", L"in"},
                        Case{IDC_PAPER_METRIC, L"210.00", L"297.00", L"mm"}}) {
    click(page, c.button);
    EXPECT_TRUE(checked(page, c.button));
    EXPECT_EQ(controlText(page, IDC_PAPER_WIDTH), c.width);
    EXPECT_EQ(controlText(page, IDC_PAPER_LENGTH), c.length);
    EXPECT_EQ(controlText(page, IDC_PAPER_WIDTH_UNIT), c.unit);
    EXPECT_EQ(controlText(page, IDC_PAPER_LENGTH_UNIT), c.unit);
  }
  EXPECT_NE(log().find("current paper form: A4"), std::string::npos) << log();
}

TEST_F(PaperPageTest, ChoosingAFormChangesThePrinterAtOnce) {
  HWND page = open();
  ASSERT_NE(page, nullptr);
  click(page, IDC_PAPER_METRIC);
  chooseComboEntry(page, IDC_PAPER_FORM, L"Legal");
  vpd::Devmode after = stored();
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(vpd::devmodeOf(after)->dmPaperSize, DMPAPER_LEGAL);
  EXPECT_EQ(comboSelection(page, IDC_PAPER_FORM), L"Legal");
  EXPECT_EQ(controlText(page, IDC_PAPER_LENGTH), L"355.60");
  EXPECT_TRUE(sheet().applyEnabled());
  sheet().apply();
  EXPECT_FALSE(sheet().applyEnabled());
  EXPECT_EQ(storedFields().paperSize, DMPAPER_LEGAL);  // Apply keeps what the choice stored
}

// The driver's paper that the spooler knows no form of cannot be chosen: the page says why.
TEST_F(PaperPageTest, AFormThePrinterRefusesIsReportedAndNothingChanges) {
  HWND page = open();
  ASSERT_NE(page, nullptr);
  const Fields before = storedFields();
  std::wstring message;
  ModalScript script({{L"Error", [&](HWND box) {
                         message = messageText(box);
                         pressOk(box);
                       }}});
  script.run([&] {
    HWND list = GetDlgItem(page, IDC_PAPER_FORM);
    SendMessageW(list, CB_SETCURSEL, 3, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_PAPER_FORM, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  });
  EXPECT_TRUE(script.allHandled());
  EXPECT_EQ(message.rfind(L"Failed to change paper form, errcode: ", 0), 0u) << testing::PrintToString(message);
  EXPECT_NE(log().find("PaperProc: failed to change paper form"), std::string::npos);
  EXPECT_TRUE(storedFields() == before);
  EXPECT_EQ(comboSelection(page, IDC_PAPER_FORM), L"A4");
}

struct FormCase {
  const wchar_t* name;
  const wchar_t* width;
  const wchar_t* length;
  int units;  // IDC_PAPER_METRIC or IDC_PAPER_ENGLISH
  bool ok;
};

// OK is enabled only for a new name and sizes of 25 to 5080 mm (1 to 200 in).
TEST_F(PaperPageTest, NewPaperFormAcceptsOnlyANewNameAndSizesInRange) {
  HWND page = open();
  ASSERT_NE(page, nullptr);
  const FormCase cases[] = {
      {L"Card", L"24.9", L"100", IDC_PAPER_METRIC, false},  {L"Card", L"25", L"5080", IDC_PAPER_METRIC, true},
      {L"Card", L"100", L"5080.1", IDC_PAPER_METRIC, false}, {L"A4", L"100", L"100", IDC_PAPER_METRIC, false},
      {L"", L"100", L"100", IDC_PAPER_METRIC, false},       {L"Card", L"abc", L"100", IDC_PAPER_METRIC, false},
      {L"Card", L"10", L"10", IDC_PAPER_ENGLISH, true},     {L"Card", L"200.1", L"10", IDC_PAPER_ENGLISH, false},
      {L"Card", L"0.98", L"10", IDC_PAPER_ENGLISH, false},  {L"a4", L"100", L"100", IDC_PAPER_METRIC, true},
  };
  std::vector<std::wstring> failures;
  ModalScript script({{L"New Paper Form", [&](HWND dialog) {
                         for (const FormCase& c : cases) {
                           click(dialog, c.units);
                           typeText(dialog, IDC_PAPER_NAME, c.name);
                           typeText(dialog, IDC_PAPER_WIDTH, c.width);
                           typeText(dialog, IDC_PAPER_LENGTH, c.length);
                           if (enabled(dialog, IDOK) != c.ok)
                             failures.push_back(std::wstring(c.name) + L" " + c.width + L" x " + c.length);
                         }
                         click(dialog, IDCANCEL);
                       }}});
  INT_PTR result = 0;
  script.run([&] { result = vpd::NewPaperFormDialog(page); });
  EXPECT_TRUE(script.allHandled());
  EXPECT_EQ(result, 2);
  EXPECT_TRUE(failures.empty()) << testing::PrintToString(failures);
}

TEST_F(PaperPageTest, NewPaperFormConvertsItsValuesWithTheUnitsAndKeepsThousandthsOfAMillimetre) {
  HWND page = open();
  ASSERT_NE(page, nullptr);
  std::wstring englishWidth, englishLength, range, metricAgain;
  ModalScript script({{L"New Paper Form", [&](HWND dialog) {
                         click(dialog, IDC_PAPER_METRIC);
                         EXPECT_EQ(controlText(dialog, IDC_PAPER_WIDTH_RANGE), L"[25 ... 5080]");
                         typeText(dialog, IDC_PAPER_NAME, L"Vantry Card with a name longer than thirty-one");
                         typeText(dialog, IDC_PAPER_WIDTH, L"254.00");
                         typeText(dialog, IDC_PAPER_LENGTH, L"127");
                         click(dialog, IDC_PAPER_ENGLISH);
                         englishWidth = controlText(dialog, IDC_PAPER_WIDTH);
                         englishLength = controlText(dialog, IDC_PAPER_LENGTH);
                         range = controlText(dialog, IDC_PAPER_LENGTH_RANGE);
                         click(dialog, IDC_PAPER_ENGLISH);  // the units in force: nothing changes
                         metricAgain = controlText(dialog, IDC_PAPER_WIDTH);
                         click(dialog, IDOK);
                       }}});
  INT_PTR result = 0;
  script.run([&] { result = vpd::NewPaperFormDialog(page); });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(englishWidth, L"10.00");
  EXPECT_EQ(englishLength, L"5.00");
  EXPECT_EQ(range, L"[1 ... 200]");
  EXPECT_EQ(metricAgain, L"10.00");
  wchar_t name[32] = L"";
  double width = 0, length = 0;
  vpd::newPaperForm(name, width, length);
  EXPECT_STREQ(name, L"Vantry Card with a name longer ");  // 31 characters
  EXPECT_DOUBLE_EQ(width, 254000);
  EXPECT_DOUBLE_EQ(length, 127000);
}

// Add runs the dialog and hands the form to the spooler as a user form of the size typed.
TEST_F(PaperPageTest, AddedFormReachesTheSpoolersFormList) {
  HWND page = open();
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(enabled(page, IDC_PAPER_ADD)) << "the test user administers the test printer";
  std::vector<std::wstring> messages;
  auto noteMessage = [&](HWND box) {
    messages.push_back(messageText(box));
    pressOk(box);
  };
  ModalScript script({{L"New Paper Form",
                       [&](HWND dialog) {
                         click(dialog, IDC_PAPER_METRIC);
                         typeText(dialog, IDC_PAPER_NAME, L"Vantry Card");
                         typeText(dialog, IDC_PAPER_WIDTH, L"100");
                         typeText(dialog, IDC_PAPER_LENGTH, L"150");
                         click(dialog, IDOK);
                       }},
                      {L"Vantry properties", noteMessage},
                      {L"Vantry properties", noteMessage}});
  script.run([&] { click(page, IDC_PAPER_ADD); });
  for (const std::wstring& message : messages)
    EXPECT_EQ(message.rfind(L"Failed to add new form.", 0), std::wstring::npos) << testing::PrintToString(message);

  std::vector<FORM_INFO_1W> forms;
  std::vector<BYTE> storage;
  int count = 0;
  ASSERT_TRUE(vpd::enumFormInfo(vantry, forms, count, storage));
  const FORM_INFO_1W* added = nullptr;
  for (const FORM_INFO_1W& form : forms)
    if (wcscmp(form.pName, L"Vantry Card") == 0) added = &form;
  if (!added) GTEST_SKIP() << "the spooler accepted AddFormW but keeps no user forms (Wine)";
  EXPECT_EQ(added->Flags, static_cast<DWORD>(FORM_USER));
  EXPECT_EQ(added->Size.cx, 100000);
  EXPECT_EQ(added->Size.cy, 150000);
  vpd::PaperForm form;
  wcscpy(form.name, L"Vantry Card");
  vpd::deletePaperForm(vantry, form);
}

}  // namespace
