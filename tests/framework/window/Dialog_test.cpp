// A dialog made from the test program's dialog resource, run modally and driven by messages; its
// data exchange moves values between members and controls.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Framework.h"
#include "ScriptSteps.h"
#include "WindowTestIds.h"

namespace {

const UINT kRunScript = WM_APP + 100;

class ExchangeDialog : public CDialog {
 public:
  ExchangeDialog() : CDialog(IDD_TEST_DIALOG) {}
  CString m_name = L"Initial";
  int m_count = 7;
  double m_ratio = 0.25;
  int m_radio = 1;
  int m_check = 0;
  int m_comboIndex = 0;
  CWnd m_combo;
  ScriptSteps<ExchangeDialog> script;
  // What the controls showed when the dialog opened.
  CString shownName, shownCount, shownRatio;
  int shownRadio = -1;

  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_TEST_COMBO, m_combo);
    DDX_Text(pDX, IDC_TEST_NAME, m_name);
    DDV_MaxChars(pDX, m_name, 20);
    DDX_Text(pDX, IDC_TEST_COUNT, m_count);
    DDV_MinMaxInt(pDX, m_count, 0, 100);
    DDX_Text(pDX, IDC_TEST_RATIO, m_ratio);
    DDX_Radio(pDX, IDC_TEST_RADIO_A, m_radio);
    DDX_Check(pDX, IDC_TEST_CHECK, m_check);
    DDX_CBIndex(pDX, IDC_TEST_COMBO, m_comboIndex);
  }

  BOOL OnInitDialog() override {
    HWND combo = ::GetDlgItem(m_hWnd, IDC_TEST_COMBO);
    for (const wchar_t* item : {L"Text", L"Numeric", L"Currency"})
      ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    CDialog::OnInitDialog();
    GetDlgItemText(IDC_TEST_NAME, shownName);
    GetDlgItemText(IDC_TEST_COUNT, shownCount);
    GetDlgItemText(IDC_TEST_RATIO, shownRatio);
    shownRadio = GetCheckedRadioButton(IDC_TEST_RADIO_A, IDC_TEST_RADIO_C);
    PostMessage(kRunScript);
    return TRUE;
  }

 protected:
  afx_msg LRESULT OnRunScript(WPARAM step, LPARAM) { return script.Run(*this, kRunScript, step); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ExchangeDialog, CDialog)
ON_MESSAGE(kRunScript, OnRunScript)
END_MESSAGE_MAP()

void Type(ExchangeDialog& d, int id, const wchar_t* text) { d.SetDlgItemText(id, text); }
void Click(ExchangeDialog& d, int id) { ::SendMessageW(::GetDlgItem(d.m_hWnd, id), BM_CLICK, 0, 0); }

TEST(DialogExchange, ControlsShowTheMembersWhenTheDialogOpens) {
  ExchangeDialog dialog;
  dialog.script.push_back([](ExchangeDialog& d) { Click(d, IDCANCEL); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_STREQ(dialog.shownName, L"Initial");
  EXPECT_STREQ(dialog.shownCount, L"7");
  EXPECT_STREQ(dialog.shownRatio, L"0.25");
  EXPECT_EQ(dialog.shownRadio, IDC_TEST_RADIO_B);
  EXPECT_EQ(dialog.m_hWnd, nullptr) << "the object lets go of the window when the dialog ends";
}

TEST(DialogExchange, OkStoresWhatTheUserEnteredInTheMembers) {
  ExchangeDialog dialog;
  dialog.script = {
      [](ExchangeDialog& d) { Type(d, IDC_TEST_NAME, L"Quarterly form"); },
      [](ExchangeDialog& d) { Type(d, IDC_TEST_COUNT, L" 42 "); },
      [](ExchangeDialog& d) { Type(d, IDC_TEST_RATIO, L"1.5"); },
      [](ExchangeDialog& d) { Click(d, IDC_TEST_RADIO_C); },
      [](ExchangeDialog& d) { Click(d, IDC_TEST_CHECK); },
      [](ExchangeDialog& d) { d.m_combo.SendMessage(CB_SETCURSEL, 2); },
      [](ExchangeDialog& d) { Click(d, IDOK); },
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_STREQ(dialog.m_name, L"Quarterly form");
  EXPECT_EQ(dialog.m_count, 42);
  EXPECT_DOUBLE_EQ(dialog.m_ratio, 1.5);
  EXPECT_EQ(dialog.m_radio, 2);
  EXPECT_EQ(dialog.m_check, BST_CHECKED);
  EXPECT_EQ(dialog.m_comboIndex, 2);
}

TEST(DialogExchange, CancelLeavesTheMembersAlone) {
  ExchangeDialog dialog;
  dialog.script = {
      [](ExchangeDialog& d) { Type(d, IDC_TEST_NAME, L"Changed"); },
      [](ExchangeDialog& d) { ::PostMessageW(d.m_hWnd, WM_COMMAND, IDCANCEL, 0); },
  };
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_STREQ(dialog.m_name, L"Initial");
}

TEST(DialogExchange, MaxCharsLimitsTheEditWhenLoading) {
  ExchangeDialog dialog;
  LRESULT limit = 0;
  dialog.script = {
      [&](ExchangeDialog& d) { limit = d.SendDlgItemMessage(IDC_TEST_NAME, EM_GETLIMITTEXT); },
      [](ExchangeDialog& d) { Click(d, IDCANCEL); },
  };
  dialog.DoModal();
  EXPECT_EQ(limit, 20);
}

// A modeless dialog: UpdateData in both directions on demand, without message boxes for valid input.
TEST(DialogExchange, ModelessDialogExchangesOnRequest) {
  ExchangeDialog dialog;
  ASSERT_TRUE(dialog.Create(IDD_TEST_DIALOG));
  ASSERT_NE(dialog.m_hWnd, nullptr);
  dialog.m_count = 99;
  EXPECT_TRUE(dialog.UpdateData(FALSE));
  CString shown;
  dialog.GetDlgItemText(IDC_TEST_COUNT, shown);
  EXPECT_STREQ(shown, L"99");
  dialog.SetDlgItemText(IDC_TEST_COUNT, L"3");
  dialog.SetDlgItemText(IDC_TEST_NAME, L"Modeless");
  EXPECT_TRUE(dialog.UpdateData(TRUE));
  EXPECT_EQ(dialog.m_count, 3);
  EXPECT_STREQ(dialog.m_name, L"Modeless");
  EXPECT_TRUE(dialog.DestroyWindow());
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(DialogExchange, MissingTemplateFailsInsteadOfShowingAnything) {
  CDialog dialog(4242);
  EXPECT_EQ(dialog.DoModal(), -1);
}

}  // namespace
