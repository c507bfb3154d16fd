// Sending files by mail through the test MAPI32.DLL beside the test program, which records the
// message it is handed and answers with the result code it is told to.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ArchiveFixtures.h"
#include "MyMapi.h"
#include "RecordedMessageBoxes.h"
#include "TestSupport.h"
#include "MapiRecord.h"
#include "resource.h"

namespace {

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
  return out;
}

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

class MailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    record_ = folder_.File(L"mapi.txt");
    SetEnvironmentVariableW(L"VANTRY_MAPI_RECORD", record_.c_str());
    SetEnvironmentVariableW(L"VANTRY_MAPI_RESULT", nullptr);
    SetEnvironmentVariableW(L"VANTRY_MAPI_REFUSE_LOAD", nullptr);
  }
  std::wstring Attachment(const std::wstring& name) {
    const std::wstring path = folder_.File(name);
    testing_support::WriteFileBytes(path, "attachment");
    return path;
  }
  // What the library recorded since the last call.
  std::string Recorded() {
    return TakeMapiRecord(record_);
  }
  static void Send(const std::vector<std::wstring>& paths) {
    CStringArray list;
    for (const std::wstring& path : paths) list.Add(path.c_str());
    SendFilesByMail(list);
  }

  fixtures::PrivateUserProfile profile_;
  testing_support::TempFolder folder_;
  std::wstring record_;
};

TEST_F(MailTest, TheMessageCarriesTheFilesInOrderWithTheProgramsSubject) {
  const std::wstring first = Attachment(L"form.pdf"), second = Attachment(L"form page.png");
  fixtures::RecordedMessageBoxes boxes;
  Send({first, second});
  const std::string expected = "call A\nsession 0\nwindow 0\nflags 8\nsubject Vantry\nnote \nrecipients 0\n"
                               "originator none\n"
                               "file -1 exists|" + Utf8(first) + "|form.pdf\n"
                               "file -1 exists|" + Utf8(second) + "|form page.png\nend\n";
  EXPECT_EQ(expected, Recorded());
  EXPECT_TRUE(boxes.Texts().empty());
  Send({});
  EXPECT_EQ("", Recorded());  // an empty list sends nothing
}

TEST_F(MailTest, PathsTheAnsiCodePageCannotCarryGoThroughTheUnicodeCall) {
  const std::wstring name = L"\x0417\x0430\x044f\x0432\x043a\x0430 \x4e2d.pdf";
  const std::wstring path = Attachment(name);
  fixtures::RecordedMessageBoxes boxes;
  Send({Attachment(L"plain.rud"), path});
  const std::string recorded = Recorded();
  EXPECT_EQ(0u, recorded.find("call W\n")) << recorded;
  EXPECT_NE(std::string::npos, recorded.find("file -1 exists|" + Utf8(path) + "|" + Utf8(name) + "\n")) << recorded;
  EXPECT_NE(std::string::npos, recorded.find("subject Vantry\n")) << recorded;
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(MailTest, ResultCodesOtherThanSuccessCancelAndLogonFailureAreReported) {
  const std::wstring file = Attachment(L"form.pdf");
  struct Case {
    const wchar_t* code;
    bool reported;
  } cases[] = {{L"0", false}, {L"1", false}, {L"3", false}, {L"2", true}, {L"11", true}, {L"26", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.code));
    SetEnvironmentVariableW(L"VANTRY_MAPI_RESULT", c.code);
    fixtures::RecordedMessageBoxes boxes;
    const std::wstring logBefore = fixtures::ErrorLogText();
    Send({file});
    EXPECT_EQ(0u, Recorded().find("call A\n"));
    const std::wstring logAdded = fixtures::ErrorLogText().substr(logBefore.size());
    const std::wstring line = std::wstring(L"AFX_IDP_FAILED_MAPI_SEND error: ") + c.code;
    if (c.reported) {
      ASSERT_EQ(1u, boxes.Texts().size());
      EXPECT_EQ(std::wstring(LoadText(IDS_FAILED_MAPI_SEND)), boxes.Texts()[0]);
      EXPECT_NE(std::wstring::npos, logAdded.find(line)) << Utf8(logAdded);
    } else {
      EXPECT_TRUE(boxes.Texts().empty());
      EXPECT_EQ(std::wstring::npos, logAdded.find(L"AFX_IDP_FAILED_MAPI_SEND")) << Utf8(logAdded);
    }
  }
}

TEST_F(MailTest, ALibraryThatDoesNotLoadIsReportedAndTriedAgainNextTime) {
  const std::wstring file = Attachment(L"form.pdf");
  SetEnvironmentVariableW(L"VANTRY_MAPI_REFUSE_LOAD", L"1");
  {
    fixtures::RecordedMessageBoxes boxes;
    Send({file});
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ(std::wstring(LoadText(IDS_FAILED_MAPI_LOAD)), boxes.Texts()[0]);
    EXPECT_NE(std::wstring::npos, fixtures::ErrorLogText().find(L"AFX_IDP_FAILED_MAPI_LOAD"));
    EXPECT_EQ("", Recorded());
  }
  SetEnvironmentVariableW(L"VANTRY_MAPI_REFUSE_LOAD", nullptr);
  fixtures::RecordedMessageBoxes boxes;
  Send({file});
  EXPECT_EQ(0u, Recorded().find("call A\n"));
  EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
