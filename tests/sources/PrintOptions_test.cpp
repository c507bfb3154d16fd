// The print options dialog, run modally and worked by messages: the record range and its errors,
// the offsets, and the two choices kept in the settings.
#include "PrintOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "DialogDriver.h"
#include "RecordedMessageBoxes.h"
#include "FolimarApp.h"
#include "MyProcs.h"
#include "resource.h"

extern CFolimarApp theApp;

namespace {

using testing_support::ControlText;
using testing_support::Checked;
using testing_support::Click;
using testing_support::Enabled;
using testing_support::RunDialog;
using testing_support::TypeText;



class PrintOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profile_.Ready());
    theApp.SetRegistryKey(L"Quennick");
  }
  fixtures::PrivateUserProfile profile_;
  fixtures::RecordedMessageBoxes boxes_;
};

const wchar_t kFromError[] = L"Error: Incorrect value in the From field!";
const wchar_t kToError[] = L"Error: Incorrect value in the To field!";

TEST_F(PrintOptionsTest, RecordRangeFromTheTypedNumbers) {
  struct Case {
    const wchar_t* from;
    const wchar_t* to;
    const wchar_t* error;  // null: the dialog closes with this range
    int first, end;
  } cases[] = {
      {L"3", L"5", nullptr, 2, 5},      {L"10", L"10", nullptr, 9, 10}, {L"1", L"10", nullptr, 0, 10},
      {L"0", L"5", kFromError, 0, 0},   {L"5", L"4", kToError, 0, 0},   {L"1", L"11", kToError, 0, 0},
      {L"11", L"11", kToError, 0, 0},   {L"x", L"5", kFromError, 0, 0}, {L"3", L"", kToError, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.from, c.from + wcslen(c.from)) << " to "
                                    << std::string(c.to, c.to + wcslen(c.to)));
    boxes_.Texts().clear();
    CPrintOptions options;
    options.m_recordCount = 10;
    options.m_currentRecord = 4;
    bool openAfterOk = false;
    const INT_PTR result = RunDialog(options, [&](HWND dialog) {
      EXPECT_EQ(L"1", ControlText(dialog, IDC_EDIT_RECORD_FROM));
      EXPECT_EQ(L"10", ControlText(dialog, IDC_EDIT_RECORD_TO));
      Click(dialog, IDC_RADIO_RECORDS_FROM);
      TypeText(dialog, IDC_EDIT_RECORD_FROM, c.from);
      TypeText(dialog, IDC_EDIT_RECORD_TO, c.to);
      Click(dialog, IDOK);
      openAfterOk = IsWindow(dialog) && IsWindowVisible(dialog);
    });
    if (c.error == nullptr) {
      EXPECT_EQ(IDOK, result);
      EXPECT_EQ(c.first, options.m_firstRecord);
      EXPECT_EQ(c.end, options.m_endRecord);
      EXPECT_TRUE(boxes_.Texts().empty());
    } else {
      EXPECT_TRUE(openAfterOk);  // the user can mend the range
      EXPECT_EQ(IDCANCEL, result);
      ASSERT_EQ(1u, boxes_.Texts().size());
      EXPECT_EQ(c.error, boxes_.Texts()[0]);
    }
  }
}

TEST_F(PrintOptionsTest, CurrentAndAllRecords) {
  struct Case {
    int radio, first, end;
  } cases[] = {{IDC_RADIO_CURRENT_RECORD, 4, 5}, {IDC_RADIO_ALL_RECORDS, 0, 10}};
  for (const Case& c : cases) {
    CPrintOptions options;
    options.m_recordCount = 10;
    options.m_currentRecord = 4;
    EXPECT_EQ(IDOK, RunDialog(options, [&](HWND dialog) {
                Click(dialog, c.radio);
                Click(dialog, IDOK);
              }));
    EXPECT_EQ(c.first, options.m_firstRecord);
    EXPECT_EQ(c.end, options.m_endRecord);
  }
}

TEST_F(PrintOptionsTest, OneRecordOffersOnlyTheCurrentRecord) {
  WriteSettingInt(L"PrintRecordsIndex", 2);
  CPrintOptions options;
  options.m_recordCount = 1;
  EXPECT_EQ(IDOK, RunDialog(options, [](HWND dialog) {
              EXPECT_TRUE(Checked(dialog, IDC_RADIO_CURRENT_RECORD));
              EXPECT_FALSE(Checked(dialog, IDC_RADIO_RECORDS_FROM));
              EXPECT_TRUE(Enabled(dialog, IDC_RADIO_CURRENT_RECORD));
              for (int id : {IDC_RADIO_ALL_RECORDS, IDC_RADIO_RECORDS_FROM, IDC_EDIT_RECORD_FROM, IDC_EDIT_RECORD_TO})
                EXPECT_FALSE(Enabled(dialog, id)) << id;
              Click(dialog, IDOK);
            }));
  EXPECT_EQ(0, options.m_firstRecord);
  EXPECT_EQ(1, options.m_endRecord);
  EXPECT_EQ(0, ReadSettingInt(L"PrintRecordsIndex", -1));
}

TEST_F(PrintOptionsTest, OffsetsAreTypedOnlyForAPreprintedFormAndMustBeNumbers) {
  CPrintOptions options;  // blank paper by default
  options.m_leftOffset = L"0.250";
  options.m_topOffset = L"1.000";
  EXPECT_EQ(IDOK, RunDialog(options, [](HWND dialog) {
              EXPECT_TRUE(Checked(dialog, IDC_RADIO_TEXT_IMAGE));
              EXPECT_FALSE(Enabled(dialog, IDC_EDIT_XPOSITION));
              EXPECT_FALSE(Enabled(dialog, IDC_EDIT_YPOSITION));
              Click(dialog, IDC_RADIO_TEXT_ONLY);
              EXPECT_TRUE(Enabled(dialog, IDC_EDIT_XPOSITION));
              EXPECT_TRUE(Enabled(dialog, IDC_EDIT_YPOSITION));
              TypeText(dialog, IDC_EDIT_XPOSITION, L"1.5");
              EXPECT_EQ(L"1.5", ControlText(dialog, IDC_EDIT_XPOSITION));
              TypeText(dialog, IDC_EDIT_XPOSITION, L"abc");
              EXPECT_EQ(L"1.5", ControlText(dialog, IDC_EDIT_XPOSITION));
              TypeText(dialog, IDC_EDIT_YPOSITION, L"2x");
              EXPECT_EQ(L"1.000", ControlText(dialog, IDC_EDIT_YPOSITION));
              Click(dialog, IDOK);
            }));
  EXPECT_EQ(CString(L"1.5"), options.m_leftOffset);
  EXPECT_EQ(CString(L"1.000"), options.m_topOffset);
  EXPECT_EQ(0, options.GetPrintOption());
}

TEST_F(PrintOptionsTest, TheTwoChoicesAreKeptForTheNextTime) {
  {
    CPrintOptions fresh;  // nothing stored yet
    EXPECT_EQ(1, fresh.GetPrintOption());
    EXPECT_EQ(CPrintOptions::kCurrentRecord, fresh.m_records);
  }
  CPrintOptions options;
  options.m_recordCount = 3;
  EXPECT_EQ(IDOK, RunDialog(options, [](HWND dialog) {
              Click(dialog, IDC_RADIO_TEXT_ONLY);
              Click(dialog, IDC_RADIO_ALL_RECORDS);
              Click(dialog, IDOK);
            }));
  CPrintOptions next;
  EXPECT_EQ(0, next.GetPrintOption());
  EXPECT_EQ(CPrintOptions::kAllRecords, next.m_records);
  // A cancelled dialog stores nothing.
  EXPECT_EQ(IDCANCEL, RunDialog(next, [](HWND dialog) { Click(dialog, IDC_RADIO_TEXT_IMAGE); }));
  EXPECT_EQ(0, ReadSettingInt(L"PrintOptionIndex", -1));
}

}  // namespace
