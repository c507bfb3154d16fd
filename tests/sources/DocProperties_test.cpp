// File > Properties on a real document: the sheet's two pages run modally and worked by messages,
// the options block they write (the password slots byte by byte) and the password checks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Framework.h"

#include "ArchiveFixtures.h"
#include "DialogDriver.h"
#include "DocSecurity.h"
#include "FolimarDoc.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

using testing_support::ControlText;
using testing_support::Checked;
using testing_support::Click;
using testing_support::RunDialog;
using testing_support::TypeText;

std::vector<std::wstring> g_boxes;
int g_answer = IDYES;
int AnswerBox(LPCTSTR text, UINT) {
  g_boxes.push_back(text);
  return g_answer;
}

HWND Page(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
HWND SecurityPage(HWND sheet) {
  SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
  return Page(sheet);
}
// OK of the sheet; true when the sheet closed.
bool PressOk(HWND sheet) {
  SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  for (int i = 0; i < 200 && IsWindow(sheet) && IsWindowVisible(sheet); ++i) Sleep(10);
  return !IsWindowVisible(sheet);
}

class DocPropertiesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profile_.Ready());
    previous_ = SetMessageBoxPresenter(AnswerBox);
    g_boxes.clear();
    g_answer = IDYES;
  }
  void TearDown() override { SetMessageBoxPresenter(previous_); }
  INT_PTR Run(const std::function<void(HWND)>& script) {
    return RunDialog(
        [this] {
          doc_.OnDocProperties();
          return INT_PTR(0);
        },
        script);
  }
  fixtures::PrivateUserProfile profile_;
  MessageBoxPresenter previous_ = nullptr;
  CFolimarDoc doc_;
};

TEST_F(DocPropertiesTest, GeneralTextsReachTheOptionsOnlyAtOk) {
  _DOC_OPTIONS& o = doc_.Options();
  lstrcpyW(o.author, L"Ann");
  lstrcpyW(o.keywords, L"tax, 2026");
  doc_.SetModifiedFlag(FALSE);
  Run([](HWND sheet) {
    HWND page = Page(sheet);
    EXPECT_EQ(L"Ann", ControlText(page, IDC_EDIT_AUTHOR));
    EXPECT_EQ(L"tax, 2026", ControlText(page, IDC_EDIT_KEYWORDS));
    EXPECT_EQ(254, SendDlgItemMessageW(page, IDC_EDIT_SUBJECT, EM_GETLIMITTEXT, 0, 0));
    TypeText(page, IDC_EDIT_AUTHOR, L"Bob");
    SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  EXPECT_STREQ(L"Ann", o.author);
  EXPECT_FALSE(doc_.IsModified());

  Run([](HWND sheet) {
    HWND page = Page(sheet);
    TypeText(page, IDC_EDIT_AUTHOR, L"Bob");
    TypeText(page, IDC_EDIT_SUBJECT, L"Returns");
    EXPECT_TRUE(PressOk(sheet));
  });
  EXPECT_STREQ(L"Bob", o.author);
  EXPECT_STREQ(L"Returns", o.subject);
  EXPECT_STREQ(L"tax, 2026", o.keywords);
  EXPECT_TRUE(doc_.IsModified());
}

TEST_F(DocPropertiesTest, SecurityIsStoredWithScrambledPasswordsAndShownAgain) {
  _DOC_OPTIONS& o = doc_.Options();
  wmemset(o.userPassword, 0x7777, kPasswordSlotUnits);
  Run([](HWND sheet) {
    HWND page = SecurityPage(sheet);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_CHECK_USER_PASSWORD)));  // security is off
    Click(page, IDC_CHECK_PDF_SECURITY);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_CHECK_USER_PASSWORD)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_EDIT_USER_PASSWORD)));
    Click(page, IDC_CHECK_USER_PASSWORD);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_EDIT_USER_PASSWORD)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_STATIC_USER_CONFIRM)));
    TypeText(page, IDC_EDIT_USER_PASSWORD, L"abc");
    TypeText(page, IDC_EDIT_USER_CONFIRM, L"abc");
    Click(page, IDC_CHECK_ALLOW_PRINTING);
    SendDlgItemMessageW(page, IDC_COMBO_KEY_LENGTH, CB_SETCURSEL, 1, 0);
    EXPECT_TRUE(PressOk(sheet));
  });
  // Length, each character XORed with the key "Qm7#...", length; the rest of the slot as it was.
  const wchar_t expected[] = {3, L'a' ^ L'Q', L'b' ^ L'm', L'c' ^ L'7', 3};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(expected[i], o.userPassword[i]) << i;
  for (int i = 5; i < kPasswordSlotUnits; ++i) EXPECT_EQ(0x7777, o.userPassword[i]) << i;
  const BYTE* raw = reinterpret_cast<const BYTE*>(&o);
  EXPECT_EQ(0, memcmp(raw + 2044, o.userPassword, 10));
  EXPECT_EQ(3, *reinterpret_cast<const uint16_t*>(raw + 2108));  // the confirmation slot
  struct Field {
    size_t offset;
    int32_t value;
  } fields[] = {{2300, 1}, {2304, 0}, {2308, 1}, {2312, 0}, {2316, 0}, {2320, 0}, {2324, 1}, {5200, 1}};
  for (const Field& f : fields) EXPECT_EQ(f.value, *reinterpret_cast<const int32_t*>(raw + f.offset)) << f.offset;

  Run([](HWND sheet) {
    HWND page = SecurityPage(sheet);
    EXPECT_TRUE(Checked(page, IDC_CHECK_USER_PASSWORD));
    EXPECT_EQ(L"abc", ControlText(page, IDC_EDIT_USER_PASSWORD));
    EXPECT_EQ(1, SendDlgItemMessageW(page, IDC_COMBO_KEY_LENGTH, CB_GETCURSEL, 0, 0));
  });
}

TEST_F(DocPropertiesTest, PasswordsMustBeEnteredAndConfirmedWhileSecurityIsOn) {
  struct Case {
    const char* name;
    bool securityOn;
    const wchar_t* password;
    const wchar_t* confirmation;
    int answer;
    bool closes;
    const wchar_t* message;  // null: none
  } cases[] = {
      {"empty, keep it", true, L"", L"", IDNO, false, L"User password is not entered.\nDisable user password ?"},
      {"empty, switch off", true, L"", L"", IDYES, true, L"User password is not entered.\nDisable user password ?"},
      {"case differs", true, L"Secret", L"secret", IDYES, false,
       L"User password is not confirmed.\nPlease, confirm user password."},
      {"security off", false, L"Secret", L"other", IDYES, true, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_boxes.clear();
    g_answer = c.answer;
    doc_.Options().security[1] = 0;
    bool closed = false;
    Run([&](HWND sheet) {
      HWND page = SecurityPage(sheet);
      if (!Checked(page, IDC_CHECK_PDF_SECURITY)) Click(page, IDC_CHECK_PDF_SECURITY);
      if (!Checked(page, IDC_CHECK_USER_PASSWORD)) Click(page, IDC_CHECK_USER_PASSWORD);
      TypeText(page, IDC_EDIT_USER_PASSWORD, c.password);
      TypeText(page, IDC_EDIT_USER_CONFIRM, c.confirmation);
      if (!c.securityOn) Click(page, IDC_CHECK_PDF_SECURITY);
      closed = PressOk(sheet);
      if (!closed) SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(c.closes, closed);
    if (c.message == nullptr) {
      EXPECT_TRUE(g_boxes.empty());
    } else {
      ASSERT_FALSE(g_boxes.empty());
      EXPECT_EQ(c.message, g_boxes[0]);
    }
    if (std::string(c.name) == "empty, switch off") {
      EXPECT_EQ(0, doc_.Options().security[0]);
    }
    if (!c.securityOn) {
      CString stored;
      GetDecodeString(stored, kPasswordKey, doc_.Options().userPasswordConfirm, kPasswordSlotUnits);
      EXPECT_EQ(CString(L"other"), stored);  // stored as it is, unchecked
    }
  }
}

TEST_F(DocPropertiesTest, OldBlocksAndDamagedSlotsShowAsOff) {
  _DOC_OPTIONS& o = doc_.Options();
  o.formatTag = 0x01000001;
  o.keyLengthIndex = 1;
  o.security[0] = 1;  // user password on, but its slot is damaged
  o.security[2] = 1;
  ASSERT_TRUE(GetEncodeString(L"abc", kPasswordKey, o.userPassword, kPasswordSlotUnits));
  o.userPassword[4] = 2;
  Run([](HWND sheet) {
    HWND page = SecurityPage(sheet);
    EXPECT_EQ(0, SendDlgItemMessageW(page, IDC_COMBO_KEY_LENGTH, CB_GETCURSEL, 0, 0));  // "40 bit"
    EXPECT_FALSE(Checked(page, IDC_CHECK_USER_PASSWORD));
    EXPECT_EQ(L"", ControlText(page, IDC_EDIT_USER_PASSWORD));
  });
}

}  // namespace
