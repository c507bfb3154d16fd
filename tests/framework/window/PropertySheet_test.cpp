// Property sheets with pages from dialog resources, normal and wizard, driven by messages.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Framework.h"
#include "ScriptSteps.h"
#include "WindowTestIds.h"

namespace {

const UINT kRunScript = WM_APP + 200;

class NamePage : public CPropertyPage {
 public:
  NamePage() : CPropertyPage(IDD_TEST_PAGE1) {}
  CString m_name = L"Settings";
  int nextCount = 0;
  ScriptSteps<NamePage> script;
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_NAME, m_name); }
  BOOL OnInitDialog() override {
    CPropertyPage::OnInitDialog();
    PostMessage(kRunScript);
    return TRUE;
  }
  LRESULT OnWizardNext() override {
    ++nextCount;
    return 0;
  }
  HWND Sheet() const { return ::GetParent(m_hWnd); }

 protected:
  afx_msg LRESULT OnRunScript(WPARAM step, LPARAM) { return script.Run(*this, kRunScript, step); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(NamePage, CPropertyPage)
ON_MESSAGE(kRunScript, OnRunScript)
END_MESSAGE_MAP()

class OptionsPage : public CPropertyPage {
 public:
  OptionsPage() : CPropertyPage(IDD_TEST_PAGE2) {}
  int m_keepOpen = 0;
  int setActiveCount = 0;
  void DoDataExchange(CDataExchange* pDX) override { DDX_Check(pDX, IDC_PAGE_CHECK, m_keepOpen); }
  BOOL OnSetActive() override {
    ++setActiveCount;
    return CPropertyPage::OnSetActive();
  }
};

void Press(NamePage& p, int button) { ::PostMessageW(p.Sheet(), PSM_PRESSBUTTON, button, 0); }

TEST(PropertySheets, OkStoresEveryVisitedPage) {
  NamePage name;
  OptionsPage options;
  CPropertySheet sheet(L"Options");
  sheet.AddPage(&name);
  sheet.AddPage(&options);
  EXPECT_EQ(sheet.GetPageCount(), 2);
  CString shownName;
  name.script = {
      [&](NamePage& p) { p.GetDlgItemText(IDC_PAGE_NAME, shownName); },
      [](NamePage& p) { p.SetDlgItemText(IDC_PAGE_NAME, L"Printer"); },
      [](NamePage& p) { ::SendMessageW(p.Sheet(), PSM_SETCURSEL, 1, 0); },
      [&](NamePage&) { ::SendMessageW(::GetDlgItem(options.m_hWnd, IDC_PAGE_CHECK), BM_CLICK, 0, 0); },
      [](NamePage& p) { Press(p, PSBTN_OK); },
  };
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_STREQ(shownName, L"Settings");
  EXPECT_STREQ(name.m_name, L"Printer");
  EXPECT_EQ(options.m_keepOpen, BST_CHECKED);
  EXPECT_EQ(options.setActiveCount, 1);
  EXPECT_EQ(sheet.m_hWnd, nullptr);
  EXPECT_EQ(name.m_hWnd, nullptr);
}

// A sheet that adjusts its own window as it starts.
class HelpButtonSheet : public CPropertySheet {
 public:
  HelpButtonSheet() : CPropertySheet(L"Options") {}
  BOOL OnInitDialog() override {
    ++initCount;
    visibleAtInit = ::IsWindowVisible(m_hWnd) != FALSE;
    ModifyStyleEx(0, WS_EX_CONTEXTHELP, SWP_FRAMECHANGED);
    return TRUE;
  }
  int initCount = 0;
  bool visibleAtInit = true;
};

TEST(PropertySheets, OnInitDialogRunsOnceWithTheWindowBeforeItShows) {
  NamePage name;
  HelpButtonSheet sheet;
  sheet.AddPage(&name);
  LONG exStyle = 0;
  name.script = {
      [&](NamePage& p) { exStyle = ::GetWindowLongW(p.Sheet(), GWL_EXSTYLE); },
      [](NamePage& p) { Press(p, PSBTN_CANCEL); },
  };
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(sheet.initCount, 1);
  EXPECT_FALSE(sheet.visibleAtInit);
  EXPECT_TRUE(exStyle & WS_EX_CONTEXTHELP);
}

TEST(PropertySheets, CancelLeavesTheMembers) {
  NamePage name;
  CPropertySheet sheet(L"Options");
  sheet.AddPage(&name);
  name.script = {
      [](NamePage& p) { p.SetDlgItemText(IDC_PAGE_NAME, L"Changed"); },
      [](NamePage& p) { Press(p, PSBTN_CANCEL); },
  };
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_STREQ(name.m_name, L"Settings");
}

TEST(PropertySheets, WizardNextStoresThePageAndFinishEnds) {
  NamePage name;
  OptionsPage options;
  CPropertySheet sheet(L"Import");
  sheet.SetWizardMode();
  sheet.AddPage(&name);
  sheet.AddPage(&options);
  name.script = {
      [](NamePage& p) { p.SetDlgItemText(IDC_PAGE_NAME, L"Table1"); },
      [](NamePage& p) { ::SendMessageW(p.Sheet(), PSM_SETWIZBUTTONS, 0, PSWIZB_NEXT | PSWIZB_FINISH); },
      [](NamePage& p) { Press(p, PSBTN_NEXT); },
      [](NamePage& p) { Press(p, PSBTN_FINISH); },
  };
  EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
  EXPECT_EQ(name.nextCount, 1);
  EXPECT_STREQ(name.m_name, L"Table1");
  EXPECT_EQ(options.setActiveCount, 1);
}

}  // namespace
