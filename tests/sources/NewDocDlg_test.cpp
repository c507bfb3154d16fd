// The new-document dialogs, run modally and worked by messages: what File > New starts from, and
// the pages chosen from the open documents.
#include "NewDocDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "NewDocMultipageDlg.h"
#include "resource.h"

namespace {

using testing_support::ControlText;
using testing_support::Click;
using testing_support::ColumnWidths;
using testing_support::ListRows;
using testing_support::RunDialog;

std::wstring Title(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

TEST(NewDocDlg, TheCheckedRadioGivesTheKindOfDocument) {
  struct Case {
    int radio;  // 0: leave the preset
    int result;
  } cases[] = {{0, CNewDocDlg::kEmpty},
               {IDC_RADIO_NEW_FROM_FORM, CNewDocDlg::kFromForm},
               {IDC_RADIO_NEW_FROM_IMAGE, CNewDocDlg::kFromImage},
               {IDC_RADIO_NEW_EMPTY, CNewDocDlg::kEmpty}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.radio);
    CNewDocDlg dialog;
    EXPECT_EQ(IDOK, RunDialog(dialog, [&c](HWND window) {
                EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(window, IDC_RADIO_NEW_EMPTY));
                if (c.radio != 0 && c.radio != IDC_RADIO_NEW_EMPTY) Click(window, IDC_RADIO_NEW_FROM_IMAGE);
                if (c.radio != 0) Click(window, c.radio);
                Click(window, IDOK);
              }));
    EXPECT_EQ(c.result, dialog.GetNewDocType());
  }
}

// Two open documents, "First" with one page and "Second" with three.
class NewDocMultipageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    first_.SetTitle(L"First");
    second_.SetTitle(L"Second");
    while (first_.GetPageCount() < 1) first_.AppendNewPage();
    while (second_.GetPageCount() < 3) second_.AppendNewPage();
    ASSERT_EQ(1, first_.GetPageCount());
    ASSERT_EQ(3, second_.GetPageCount());
    documents_.AddTail(&first_);
    documents_.AddTail(&second_);
  }
  std::vector<CPageInfo*> Chosen(const CNewDocMultipageDlg& dialog) const {
    std::vector<CPageInfo*> pages;
    for (POSITION position = dialog.m_pages.GetHeadPosition(); position != nullptr;)
      pages.push_back(dialog.m_pages.GetNext(position));
    return pages;
  }

  CFolimarDoc first_, second_;
  CFolimarDocList documents_;
};

// A mouse click on a row of the list, with the keys held that `keys` names (MK_SHIFT, MK_CONTROL).
void ClickRow(HWND dialog, int row, WPARAM keys) {
  HWND list = GetDlgItem(dialog, IDC_LIST_PAGES);
  RECT rect = {};
  rect.left = LVIR_LABEL;
  SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
  const LPARAM point = MAKELPARAM(rect.left + 4, (rect.top + rect.bottom) / 2);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, point);
  SendMessageW(list, WM_LBUTTONUP, keys, point);
}

TEST_F(NewDocMultipageTest, ListsEveryPageOfEveryDocument) {
  CNewDocMultipageDlg dialog;
  dialog.m_title = L"Create multipage document";
  dialog.m_documents = &documents_;
  EXPECT_EQ(IDCANCEL, RunDialog(dialog, [](HWND window) {
              EXPECT_EQ(L"Create multipage document", Title(window));
              const std::vector<std::wstring> rows = {L"First||", L"Second|1|", L"Second|2|", L"Second|3|"};
              EXPECT_EQ(rows, ListRows(window, IDC_LIST_PAGES));
              EXPECT_EQ((std::vector<int>{258, 100, 0}), ColumnWidths(window, IDC_LIST_PAGES));
              EXPECT_NE(0u, SendDlgItemMessageW(window, IDC_LIST_PAGES, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) &
                                LVS_EX_FULLROWSELECT);
              EXPECT_EQ(L"0", ControlText(window, IDC_STATIC_SELECTED_PAGES));
              Click(window, IDCANCEL);
            }));
}

TEST_F(NewDocMultipageTest, TheCountFollowsTheMouseAndTheResultTheRows) {
  CNewDocMultipageDlg dialog;
  dialog.m_documents = &documents_;
  EXPECT_EQ(IDOK, RunDialog(dialog, [](HWND window) {
              ClickRow(window, 3, 0);
              EXPECT_EQ(L"1", ControlText(window, IDC_STATIC_SELECTED_PAGES));
              ClickRow(window, 1, MK_SHIFT);
              EXPECT_EQ(L"3", ControlText(window, IDC_STATIC_SELECTED_PAGES));
              ClickRow(window, 2, MK_CONTROL);
              EXPECT_EQ(L"2", ControlText(window, IDC_STATIC_SELECTED_PAGES));
              ClickRow(window, 0, MK_CONTROL);
              EXPECT_EQ(L"3", ControlText(window, IDC_STATIC_SELECTED_PAGES));
              Click(window, IDOK);
            }));
  // Chosen last, the first document's page still comes first.
  const std::vector<CPageInfo*> expected = {first_.GetPage(0), second_.GetPage(0), second_.GetPage(2)};
  EXPECT_EQ(expected, Chosen(dialog));
}

TEST_F(NewDocMultipageTest, OkWithoutASelectionGivesNoPages) {
  CNewDocMultipageDlg dialog;
  dialog.m_documents = &documents_;
  EXPECT_EQ(IDOK, RunDialog(dialog, [](HWND window) { Click(window, IDOK); }));
  EXPECT_TRUE(Chosen(dialog).empty());
}

TEST_F(NewDocMultipageTest, NoDocumentsGiveAnEmptyList) {
  CNewDocMultipageDlg dialog;
  EXPECT_EQ(IDOK, RunDialog(dialog, [](HWND window) {
              EXPECT_TRUE(ListRows(window, IDC_LIST_PAGES).empty());
              Click(window, IDOK);
            }));
  EXPECT_TRUE(Chosen(dialog).empty());
}

}  // namespace
