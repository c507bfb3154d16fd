// The control classes over real common controls in a hidden parent window.
#include <gtest/gtest.h>

#include "Framework.h"

namespace {

class ControlParent : public CWnd {
 public:
  // What the owner-data list asked its parent for, as "item.subitem" texts.
  std::vector<std::wstring> requests;
  int endEditItem = -1;
  std::wstring editedText;

 protected:
  afx_msg void OnGetDispInfo(NMHDR* header, LRESULT*) {
    NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(header);
    if (!(info->item.mask & LVIF_TEXT)) return;
    const std::wstring text = L"row " + std::to_wstring(info->item.iItem) + L"." + std::to_wstring(info->item.iSubItem);
    requests.push_back(text);
    lstrcpynW(info->item.pszText, text.c_str(), info->item.cchTextMax);
  }
  afx_msg void OnEndLabelEdit(NMHDR* header, LRESULT* result) {
    NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(header);
    endEditItem = info->item.iItem;
    editedText = info->item.pszText ? info->item.pszText : L"";
    *result = TRUE;  // accept the new label
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ControlParent, CWnd)
ON_NOTIFY(LVN_GETDISPINFOW, 2, OnGetDispInfo)
ON_NOTIFY(LVN_ENDLABELEDITW, 1, OnEndLabelEdit)
END_MESSAGE_MAP()

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"Controls", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
  }
  ControlParent parent;
};

TEST_F(Controls, ListInReportViewKeepsTextAndItemData) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS, CRect(0, 0, 300, 200), &parent, 1));
  list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120);
  list.InsertColumn(1, L"Kind", LVCFMT_LEFT, 80);
  for (int i = 0; i < 3; ++i) {
    const int at = list.InsertItem(i, (L"item " + std::to_wstring(i)).c_str());
    ASSERT_EQ(at, i);
    list.SetItemText(at, 1, L"text field");
    list.SetItemData(at, static_cast<DWORD_PTR>(0x1000 + i));
  }
  EXPECT_EQ(list.GetItemCount(), 3);
  EXPECT_STREQ(list.GetItemText(2, 0), L"item 2");
  EXPECT_STREQ(list.GetItemText(1, 1), L"text field");
  EXPECT_EQ(list.GetItemData(1), 0x1001u);
  list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
  std::vector<int> selected;
  for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;) selected.push_back(list.GetNextSelectedItem(pos));
  EXPECT_EQ(selected, (std::vector<int>{0, 2}));
  EXPECT_EQ(list.GetSelectedCount(), 2u);
}

TEST_F(Controls, LabelEditingEndsWithTheParentsNotification) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS, CRect(0, 0, 300, 200), &parent, 1));
  list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120);
  list.InsertItem(0, L"old name");
  parent.ShowWindow(SW_SHOW);
  list.SetFocus();
  CEdit* edit = list.EditLabel(0);
  ASSERT_NE(edit, nullptr);
  edit->SetWindowText(L"new name");
  edit->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(parent.endEditItem, 0);
  EXPECT_EQ(parent.editedText, L"new name");
  EXPECT_STREQ(list.GetItemText(0, 0), L"new name") << "the parent accepted the label";
}

TEST_F(Controls, OwnerDataListAsksTheParentForText) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 300, 200), &parent, 2));
  list.InsertColumn(0, L"Record", LVCFMT_LEFT, 120);
  list.InsertColumn(1, L"Value", LVCFMT_LEFT, 120);
  ASSERT_TRUE(list.SetItemCountEx(1000));
  EXPECT_EQ(list.GetItemCount(), 1000);
  EXPECT_STREQ(list.GetItemText(731, 1), L"row 731.1");
  ASSERT_FALSE(parent.requests.empty());
  EXPECT_EQ(parent.requests.back(), L"row 731.1");
}

TEST_F(Controls, ComboAndListBoxesKeepItemData) {
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), &parent, 3));
  const wchar_t* names[] = {L"PDF", L"TIFF", L"EMF"};
  for (int i = 0; i < 3; ++i) combo.SetItemData(combo.AddString(names[i]), static_cast<DWORD_PTR>(10 + i));
  EXPECT_EQ(combo.GetCount(), 3);
  EXPECT_EQ(combo.FindStringExact(-1, L"TIFF"), 1);
  EXPECT_EQ(combo.GetItemData(2), 12u);
  combo.SetCurSel(1);
  CString text;
  combo.GetLBText(combo.GetCurSel(), text);
  EXPECT_STREQ(text, L"TIFF");

  CListBox box;
  ASSERT_TRUE(box.Create(WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 100, 100), &parent, 4));
  box.SetItemData(box.AddString(L"one"), 7);
  box.GetText(0, text);
  EXPECT_STREQ(text, L"one");
  EXPECT_EQ(box.GetItemData(0), 7u);
}

TEST_F(Controls, SpinProgressAndTabsHoldTheirValues) {
  CEdit buddy;
  ASSERT_TRUE(buddy.Create(WS_VISIBLE, CRect(0, 0, 60, 20), &parent, 5));
  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, CRect(60, 0, 80, 20), &parent, 6));
  spin.SetBuddy(&buddy);
  spin.SetRange32(1, 500);
  spin.SetPos32(250);
  EXPECT_EQ(spin.GetPos32(), 250);
  CString shown;
  buddy.GetWindowText(shown);
  EXPECT_STREQ(shown, L"250") << "the buddy edit shows the position";
  int lo = 0, hi = 0;
  spin.GetRange32(lo, hi);
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 500);

  CProgressCtrl progress;
  ASSERT_TRUE(progress.Create(WS_VISIBLE, CRect(0, 30, 200, 40), &parent, 7));
  progress.SetRange32(0, 10);
  progress.SetStep(3);
  progress.StepIt();
  progress.StepIt();
  EXPECT_EQ(progress.GetPos(), 6);

  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_VISIBLE, CRect(0, 50, 300, 200), &parent, 8));
  tabs.InsertItem(0, L"General");
  tabs.InsertItem(1, L"Converter");
  tabs.SetCurSel(1);
  EXPECT_EQ(tabs.GetItemCount(), 2);
  EXPECT_EQ(tabs.GetCurSel(), 1);
}

TEST_F(Controls, ImageListCutsABitmapIntoImages) {
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 1));
  CClientDC screen(&parent);
  CBitmap strip;
  ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 48, 16));
  EXPECT_EQ(images.Add(&strip, RGB(255, 255, 255)), 0);
  EXPECT_EQ(images.GetImageCount(), 3);
}

}  // namespace
