// The view's small dialogs run modally and worked by messages: what they open with, what they hand
// back, and the choices they keep in the profile.
#include "ViewDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "ArchiveFixtures.h"
#include "DialogDriver.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "InstalledPrinter.h"
#include "MyProcs.h"
#include "resource.h"

extern CFolimarApp theApp;

namespace {

using testing_support::ControlText;
using testing_support::Checked;
using testing_support::Click;
using testing_support::ComboItems;
using testing_support::ComboSelection;
using testing_support::RunDialog;
using testing_support::SelectComboItem;
using testing_support::TypeText;




class ViewDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profile_.Ready());
    theApp.SetRegistryKey(L"Quennick");
  }
  fixtures::PrivateUserProfile profile_;
};

TEST_F(ViewDialogsTest, FindOpensDownWithMatchCaseAndHandsBackTheChoice) {
  CFindDlg dialog;
  EXPECT_EQ(IDOK, RunDialog(dialog, [](HWND window) {
              EXPECT_TRUE(Checked(window, IDC_FIND_DOWN));
              EXPECT_FALSE(Checked(window, IDC_FIND_UP));
              EXPECT_TRUE(Checked(window, IDC_FIND_MATCH_CASE));
              TypeText(window, IDC_FIND_TEXT, L"needle");
              Click(window, IDC_FIND_UP);
              Click(window, IDC_FIND_MATCH_CASE);
              Click(window, IDOK);
            }));
  EXPECT_EQ(L"needle", std::wstring(dialog.m_text));
  EXPECT_EQ(CFindDlg::kUp, dialog.m_direction);
  EXPECT_EQ(0, dialog.m_matchCase);
}

TEST_F(ViewDialogsTest, HintBoxReportsTheDoNotShowChoice) {
  for (bool tick : {false, true}) {
    CInfoBox box;
    box.m_message = L"Forms of an earlier version were found.";
    RunDialog(box, [tick](HWND window) {
      EXPECT_EQ(L"Forms of an earlier version were found.", ControlText(window, IDC_INFO_MESSAGE));
      if (tick) Click(window, IDC_INFO_DO_NOT_SHOW);
      Click(window, IDOK);
    });
    EXPECT_EQ(tick ? 1 : 0, box.m_doNotShow);
  }
}

TEST_F(ViewDialogsTest, DocumentOrPageShowsTheCallersCaption) {
  CSelectDocOrPage dialog;
  dialog.m_caption = L"Convert";
  RunDialog(dialog, [](HWND window) {
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    EXPECT_EQ(std::wstring(L"Convert"), caption);
    EXPECT_TRUE(Checked(window, IDC_SELECT_DOCUMENT));
    Click(window, IDC_SELECT_PAGE);
    Click(window, IDOK);
  });
  EXPECT_EQ(CSelectDocOrPage::kPage, dialog.m_choice);
}

TEST_F(ViewDialogsTest, GroupAndFormNamesComeBackAsTyped) {
  CBlockNameDlg group;
  RunDialog(group, [](HWND window) {
    TypeText(window, IDC_BLOCK_NAME, L"Address block");
    Click(window, IDOK);
  });
  EXPECT_EQ(L"Address block", std::wstring(group.GetBlockName()));

  CFormNameDlg form;
  form.SetNames(L"Invoice", L"invoice.qlm");
  RunDialog(form, [](HWND window) {
    DWORD from = 0, to = 0;
    SendDlgItemMessageW(window, IDC_FORM_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                        reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(0u, from);
    EXPECT_EQ(7u, to);  // the whole form name selected
    EXPECT_EQ(L"invoice.qlm", ControlText(window, IDC_FORM_FILE_NAME));
    TypeText(window, IDC_FORM_NAME, L"Receipt");
    Click(window, IDOK);
  });
  EXPECT_EQ(L"Receipt", std::wstring(form.m_formName));
  EXPECT_EQ(L"invoice.qlm", std::wstring(form.m_fileName));
}

TEST_F(ViewDialogsTest, MailFormatsFollowPermissionAndFiltersAndTheStoredChoice) {
  struct Case {
    int allowPdf, excludeDocument, multiPageOnly, stored;
    std::vector<std::wstring> rows;
    std::wstring selected;
  } cases[] = {
      {1, 0, 0, 6, {L"PDF", L"Document", L"TIFF", L"Bitmap", L"PCX", L"JPEG", L"PNG", L"GIF"}, L"PNG"},
      // Without PDF permission the stored PDF is not listed: the first row stays selected.
      {0, 0, 0, 0, {L"Document", L"TIFF", L"Bitmap", L"PCX", L"JPEG", L"PNG", L"GIF"}, L"Document"},
      {1, 1, 1, 2, {L"PDF", L"TIFF"}, L"TIFF"},
  };
  for (const Case& c : cases) {
    WriteSettingInt(L"SendMailFormat", c.stored);
    CSendMailDialog dialog(c.allowPdf);
    dialog.m_excludeDocument = c.excludeDocument;
    dialog.m_multiPageOnly = c.multiPageOnly;
    RunDialog(dialog, [&c](HWND window) {
      EXPECT_EQ(c.rows, ComboItems(window, IDC_MAIL_FORMAT));
      EXPECT_EQ(c.selected, ComboSelection(window, IDC_MAIL_FORMAT));
      Click(window, IDCANCEL);
    });
  }
  CSendMailDialog dialog(1);
  RunDialog(dialog, [](HWND window) {
    SelectComboItem(window, IDC_MAIL_FORMAT, 5);  // JPEG
    Click(window, IDOK);
  });
  EXPECT_EQ(5, dialog.GetFormat());
  EXPECT_EQ(5, ReadSettingInt(L"SendMailFormat", -1));
}

TEST_F(ViewDialogsTest, FaxDriverIsChosenFromTheLocalPrinters) {
  {
    CSendFaxDialog dialog;
    bool empty = false;
    RunDialog(dialog, [&empty](HWND window) {
      empty = ComboItems(window, IDC_FAX_DRIVER).empty();
      Click(window, IDOK);
    });
    CString name, port;
    // Without a local printer there is nothing to choose; otherwise what Wine lists is offered.
    if (empty) {
      EXPECT_EQ(0, dialog.GetSelectedPrinter(name, port));
    }
  }
  const std::wstring ppd = std::wstring(VANTRY_SOURCE_DIR) + L"/tests/vpd/data/VantrySimplex.ppd";
  testing_support::InstalledPrinter first(L"Fax One", ppd), second(L"Fax Two", ppd);
  ASSERT_TRUE(first.installed() && second.installed());
  WriteSettingString(L"FaxDriverName", L"Fax Two");
  CSendFaxDialog dialog;
  RunDialog(dialog, [](HWND window) {
    EXPECT_EQ(L"Fax Two", ComboSelection(window, IDC_FAX_DRIVER));
    const std::vector<std::wstring> items = ComboItems(window, IDC_FAX_DRIVER);
    const int firstRow = static_cast<int>(std::find(items.begin(), items.end(), L"Fax One") - items.begin());
    ASSERT_LT(firstRow, static_cast<int>(items.size()));
    SelectComboItem(window, IDC_FAX_DRIVER, firstRow);
    Click(window, IDOK);
  });
  CString name, port;
  ASSERT_EQ(1, dialog.GetSelectedPrinter(name, port));
  EXPECT_EQ(L"Fax One", std::wstring(name));
  EXPECT_FALSE(port.IsEmpty());
  EXPECT_EQ(L"Fax One", std::wstring(ReadSettingString(L"FaxDriverName", L"")));
}

TEST_F(ViewDialogsTest, RegisteredDialogsAnswerTheHintAndTheFormName) {
  RegisterViewDialogs();
  // A hint whose box is ticked is not shown again.
  RunDialog(
      [] {
        ShowInfoBoxOnce(L"HintSeen", L"A hint");
        return INT_PTR(IDOK);
      },
      [](HWND window) {
        EXPECT_EQ(L"A hint", ControlText(window, IDC_INFO_MESSAGE));
        Click(window, IDC_INFO_DO_NOT_SHOW);
        Click(window, IDOK);
      });
  EXPECT_EQ(1, ReadSettingInt(L"HintSeen", 0));

  CString formName = L"Invoice", fileName = L"invoice";
  EXPECT_EQ(TRUE, RunDialog(
                      [&] { return INT_PTR(AskFormName(formName, fileName)); },
                      [](HWND window) {
                        EXPECT_EQ(L"Invoice", ControlText(window, IDC_FORM_NAME));
                        TypeText(window, IDC_FORM_FILE_NAME, L"receipt");
                        Click(window, IDOK);
                      }));
  EXPECT_EQ(L"receipt", std::wstring(fileName));
  CString keep = L"kept";
  EXPECT_EQ(FALSE, RunDialog([&] { return INT_PTR(AskFormName(keep, fileName)); },
                             [](HWND window) { Click(window, IDCANCEL); }));
  EXPECT_EQ(L"kept", std::wstring(keep));
  SetInfoBoxPresenter(nullptr);
  CFolimarDoc::SetFormNamePrompt(nullptr);
}

}  // namespace
