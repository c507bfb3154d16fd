#include "paper.h"

#include <gtest/gtest.h>

#include "PrinterTest.h"

namespace {

using vpd_test::PrinterTest;
const wchar_t* const vantry = L"Vantry";
const wchar_t* const longPaper = L"Paper with a name of exactly sixty-four characters for the slot test, A4 sized";

TEST_F(PrinterTest, PaperNamesAndIdsOfTheDriver) {
  int count = 0;
  std::vector<std::wstring> names;
  std::vector<uint16_t> ids;
  ASSERT_TRUE(vpd::enumPaperNames(vantry, count, names));
  ASSERT_TRUE(vpd::enumPaperIds(vantry, ids));
  ASSERT_EQ(count, 4);
  ASSERT_EQ(ids.size(), 4u);
  EXPECT_EQ(names[0], L"A4");
  EXPECT_EQ(names[1], L"Letter");
  EXPECT_EQ(names[2], L"Legal");
  EXPECT_EQ(ids[0], DMPAPER_A4);
  EXPECT_EQ(ids[1], DMPAPER_LETTER);
  EXPECT_EQ(ids[2], DMPAPER_LEGAL);
  // The over-long name fills its 64-character slot without an end mark and is cut there.
  EXPECT_EQ(names[3], std::wstring(longPaper).substr(0, 64));
}

// Sizes come from the spooler's forms (thousandths of a millimetre) in the units and scale asked for.
TEST_F(PrinterTest, PaperFormsInEveryUnitAndScale) {
  struct Case {
    int32_t units, scale;
    double a4Width, a4Length;
  };
  const Case cases[] = {{vpd::unitsMillimetres, vpd::scaleThousandths, 210000, 297000},
                        {vpd::unitsMillimetres, vpd::scaleWhole, 210, 297},
                        {vpd::unitsInches, vpd::scaleWhole, 210 / 25.4, 297 / 25.4},
                        {vpd::unitsInches, vpd::scaleThousandths, 210000 / 25.4, 297000 / 25.4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "units " << c.units << " scale " << c.scale);
    std::vector<vpd::PaperForm> forms;
    int count = 0;
    ASSERT_TRUE(vpd::enumPaperForms(vantry, forms, count, c.units, c.scale));
    ASSERT_EQ(count, 4);
    EXPECT_STREQ(forms[0].name, L"A4");
    EXPECT_EQ(forms[0].paperId, DMPAPER_A4);
    EXPECT_EQ(forms[0].units, c.units);
    EXPECT_EQ(forms[0].scale, c.scale);
    EXPECT_DOUBLE_EQ(forms[0].width, c.a4Width);
    EXPECT_DOUBLE_EQ(forms[0].length, c.a4Length);
    EXPECT_STREQ(forms[2].name, L"Legal");
    // The spooler knows no form of the over-long name: the record stays fresh.
    EXPECT_STREQ(forms[3].name, L"");
    EXPECT_EQ(forms[3].paperId, 0);
    EXPECT_EQ(forms[3].width, 0);
    EXPECT_EQ(forms[3].units, vpd::unitsMillimetres);
    EXPECT_EQ(forms[3].scale, vpd::scaleThousandths);
  }
}

TEST_F(PrinterTest, SelectedPaperFormChangesThroughTheDevmode) {
  vpd::PaperForm current;
  ASSERT_TRUE(vpd::getPaperForm(vantry, current, vpd::unitsMillimetres, vpd::scaleThousandths, false));
  EXPECT_STREQ(current.name, L"A4");
  EXPECT_EQ(current.width, 210000);

  vpd::PaperForm legal;
  wcscpy(legal.name, L"legal");  // the driver's paper is found whatever the case
  ASSERT_TRUE(vpd::setPaperForm(vantry, legal, nullptr, false));
  vpd::Devmode copy = vpd::getUserDevmode(vantry);
  EXPECT_EQ(vpd::devmodeOf(copy)->dmPaperSize, DMPAPER_LEGAL);
  ASSERT_TRUE(vpd::getPaperForm(vantry, current, vpd::unitsMillimetres, vpd::scaleWhole, false));
  EXPECT_STREQ(current.name, L"Legal");
  EXPECT_EQ(current.paperId, DMPAPER_LEGAL);
  EXPECT_DOUBLE_EQ(current.length, 355.6);
}

TEST_F(PrinterTest, UnknownPaperFormIsRefusedAndNothingStored) {
  const vpd::Devmode before = vpd::getUserDevmode(vantry);
  vpd::PaperForm unknown;
  wcscpy(unknown.name, L"Tabloid");  // a spooler form, but not one of the driver's papers
  SetLastError(0);
  EXPECT_FALSE(vpd::setPaperForm(vantry, unknown, nullptr, false));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FORM_NAME));
  vpd::PaperForm empty;
  EXPECT_FALSE(vpd::setPaperForm(vantry, empty, nullptr, false));
  EXPECT_EQ(vpd::getUserDevmode(vantry), before);
}

// A caller's device mode without any paper field: the paper is not forced into it, and storing it
// leaves the printer's paper as it was.
TEST_F(PrinterTest, DevmodeWithoutPaperFieldsKeepsThePaper) {
  vpd::Devmode copy = vpd::getUserDevmode(vantry);
  vpd::devmodeOf(copy)->dmFields &= ~(DM_FORMNAME | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH);
  vpd::PaperForm legal;
  wcscpy(legal.name, L"Legal");
  EXPECT_TRUE(vpd::setPaperForm(vantry, legal, vpd::devmodeOf(copy), false));
  EXPECT_EQ(vpd::devmodeOf(copy)->dmFields, 0u);
  vpd::PaperForm current;
  ASSERT_TRUE(vpd::getPaperForm(vantry, current, vpd::unitsMillimetres, vpd::scaleThousandths, false));
  EXPECT_STREQ(current.name, L"A4");
}

// Stores a device mode as given, past the driver's validation, so that its paper fields can disagree.
void storeUnvalidated(vpd::Devmode& copy) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(vantry), &printer, &all));
  PRINTER_INFO_9W info = {vpd::devmodeOf(copy)};
  EXPECT_TRUE(SetPrinterW(printer, 9, reinterpret_cast<BYTE*>(&info), 0));
  ClosePrinter(printer);
}

// A name match wins over a paper-id match, which wins over a size match; papers the spooler does not
// know as forms (no name, no size) match nothing, not even an empty form name.
TEST_F(PrinterTest, CurrentPaperFormByNameThenIdThenSize) {
  struct Case {
    DWORD fields;
    const wchar_t* formName;
    short paperSize, length, width;
    const wchar_t* expected;  // null: no current form
  };
  const DWORD size = DM_PAPERLENGTH | DM_PAPERWIDTH;
  const Case cases[] = {
      {DM_FORMNAME | DM_PAPERSIZE | size, L"Letter", DMPAPER_LEGAL, 2970, 2100, L"Letter"},
      {DM_FORMNAME | DM_PAPERSIZE | size, L"Nothing", DMPAPER_LEGAL, 2970, 2100, L"Legal"},
      {DM_PAPERSIZE | size, L"Letter", 999, 3556, 2159, L"Legal"},
      {size, L"", 0, 2970, 2100, L"A4"},
      {DM_PAPERWIDTH, L"", 0, 2794, 2159, L"Letter"},
      {DM_FORMNAME, L"", 0, 0, 0, nullptr},
      {size, L"", 0, 0, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "fields " << c.fields << " name " << c.formName << " id " << c.paperSize);
    vpd::Devmode copy = vpd::getUserDevmode(vantry);
    DEVMODEW* d = vpd::devmodeOf(copy);
    d->dmFields = (d->dmFields & ~(DM_FORMNAME | DM_PAPERSIZE | size)) | c.fields;
    wcscpy(d->dmFormName, c.formName);
    d->dmPaperSize = c.paperSize;
    d->dmPaperLength = c.length;
    d->dmPaperWidth = c.width;
    storeUnvalidated(copy);
    vpd::PaperForm current;
    SetLastError(0);
    const bool found = vpd::getPaperForm(vantry, current, vpd::unitsMillimetres, vpd::scaleThousandths, false);
    if (!c.expected) {
      EXPECT_FALSE(found) << "matched '" << testing::PrintToString(std::wstring(current.name)) << "'";
      EXPECT_NE(GetLastError(), 0u);
      continue;
    }
    ASSERT_TRUE(found);
    EXPECT_STREQ(current.name, c.expected);
  }
  vpd::Devmode none = vpd::getUserDevmode(vantry);
  vpd::devmodeOf(none)->dmFields &= ~(DM_FORMNAME | DM_PAPERSIZE | size);
  storeUnvalidated(none);
  vpd::PaperForm current;
  EXPECT_FALSE(vpd::getPaperForm(vantry, current, vpd::unitsMillimetres, vpd::scaleThousandths, false));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
}

// The spooler's form for a record: thousandths of a millimetre whatever units and scale it uses.
TEST(PaperFormSize, SpoolerUnitsForEveryUnitAndScale) {
  struct Case {
    double width, length;
    int32_t units, scale;
    LONG cx, cy;
  };
  const Case cases[] = {{210000, 297000, vpd::unitsMillimetres, vpd::scaleThousandths, 210000, 297000},
                        {210, 297, vpd::unitsMillimetres, vpd::scaleWhole, 210000, 297000},
                        {8.5, 11, vpd::unitsInches, vpd::scaleWhole, 215900, 279400},
                        {8500, 11000, vpd::unitsInches, vpd::scaleThousandths, 215900, 279400}};
  for (const Case& c : cases) {
    vpd::PaperForm form;
    form.width = c.width;
    form.length = c.length;
    form.units = c.units;
    form.scale = c.scale;
    const SIZEL size = vpd::paperFormSizeInSpoolerUnits(form);
    EXPECT_EQ(size.cx, c.cx) << c.width;
    EXPECT_EQ(size.cy, c.cy) << c.length;
  }
}

TEST_F(PrinterTest, SpoolerFormsListed) {
  std::vector<FORM_INFO_1W> forms;
  std::vector<BYTE> storage;
  int count = 0;
  ASSERT_TRUE(vpd::enumFormInfo(vantry, forms, count, storage));
  ASSERT_EQ(static_cast<size_t>(count), forms.size());
  const FORM_INFO_1W* a4 = nullptr;
  for (const FORM_INFO_1W& form : forms)
    if (wcscmp(form.pName, L"A4") == 0) a4 = &form;
  ASSERT_NE(a4, nullptr);
  EXPECT_EQ(a4->Flags, static_cast<DWORD>(FORM_BUILTIN));
  EXPECT_EQ(a4->Size.cx, 210000);
  EXPECT_EQ(a4->Size.cy, 297000);
  std::vector<FORM_INFO_1W> none;
  EXPECT_FALSE(vpd::enumFormInfo(L"No Such Printer", none, count, storage));
}

// Wine's spooler answers AddFormW and DeleteFormW with success but stores nothing (its form list is
// the built-in one), so the added form can be looked for only where the spooler keeps user forms.
TEST_F(PrinterTest, AddedFormReachesTheSpooler) {
  vpd::PaperForm form;
  wcscpy(form.name, L"Vantry Test Form");
  form.width = 100000;
  form.length = 150000;
  ASSERT_TRUE(vpd::addPaperForm(vantry, form));
  std::vector<FORM_INFO_1W> forms;
  std::vector<BYTE> storage;
  int count = 0;
  ASSERT_TRUE(vpd::enumFormInfo(vantry, forms, count, storage));
  const FORM_INFO_1W* added = nullptr;
  for (const FORM_INFO_1W& f : forms)
    if (wcscmp(f.pName, form.name) == 0) added = &f;
  if (!added) GTEST_SKIP() << "the spooler accepted AddFormW but keeps no user forms (Wine)";
  EXPECT_EQ(added->Flags, static_cast<DWORD>(FORM_USER));
  EXPECT_EQ(added->Size.cx, 100000);
  EXPECT_EQ(added->Size.cy, 150000);
  EXPECT_EQ(added->ImageableArea.left, 0);
  EXPECT_EQ(added->ImageableArea.right, 100000);
  EXPECT_EQ(added->ImageableArea.bottom, 150000);
  EXPECT_TRUE(vpd::deletePaperForm(vantry, form));
  ASSERT_TRUE(vpd::enumFormInfo(vantry, forms, count, storage));
  for (const FORM_INFO_1W& f : forms) EXPECT_STRNE(f.pName, form.name);
}

}  // namespace
