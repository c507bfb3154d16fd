// The colour controls in real windows: the grid's colour row and a dialog's colour button, their
// palette pop-up driven by clicks and keys, and the system colour dialog behind "Other...".
#include <gtest/gtest.h>

#include <colordlg.h>

#include <string>
#include <vector>

#include "PropertyGridTestIds.h"
#include "PropertyGridTestSupport.h"

namespace {

using grid_test::Click;
using grid_test::Key;
using grid_test::Pixels;
using grid_test::Pump;
using grid_test::Type;

// --- the system colour dialog, answered from inside its own modal loop ---

// What the timer does once the colour dialog of this thread shows: type a colour into its red,
// green and blue boxes and press OK, or press Cancel.
struct DialogScript {
  bool cancel = true;
  COLORREF typed = 0;
  bool seen = false;
  bool hadColorBoxes = false;
  HWND owner = nullptr;  // the window the dialog belonged to
};
DialogScript g_script;

// The modal dialog is the enabled one: it disables the window it belongs to, which may be a dialog.
BOOL CALLBACK FindColorDialog(HWND window, LPARAM found) {
  if (::IsWindowVisible(window) && ::IsWindowEnabled(window) && grid_test::ClassOf(window) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK AnswerColorDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindColorDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  ::KillTimer(nullptr, timer);
  g_script.seen = true;
  g_script.owner = ::GetWindow(dialog, GW_OWNER);
  g_script.hadColorBoxes = ::GetDlgItem(dialog, COLOR_RED) && ::GetDlgItem(dialog, COLOR_BLUE);
  if (!g_script.cancel) {
    const int parts[3] = {GetRValue(g_script.typed), GetGValue(g_script.typed), GetBValue(g_script.typed)};
    const int boxes[3] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
    for (int i = 0; i < 3; ++i) ::SetDlgItemInt(dialog, boxes[i], parts[i], FALSE);
  }
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(g_script.cancel ? IDCANCEL : IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, g_script.cancel ? IDCANCEL : IDOK)));
}

// Arms the answer; the dialog opens in the next step the test takes.
void AnswerNextColorDialog(bool cancel, COLORREF typed = 0) {
  g_script = DialogScript();
  g_script.cancel = cancel;
  g_script.typed = typed;
  ::SetTimer(nullptr, 0, 50, AnswerColorDialog);
}

// --- the grid's colour row ---

constexpr UINT kGridId = 2;
constexpr DWORD_PTR kColorData = 20;

class PropertyGridColorRow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Make(L"Colours", CRect(20, 20, 440, 320)));
    ASSERT_TRUE(grid.Create(WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 400, 200), &owner, kGridId));
    grid.AddProperty(new CMFCPropertyGridProperty(L"Name", COleVariant(L"Field1")));
    row = new CMFCPropertyGridColorProperty(L"Color", RGB(0, 0, 255), nullptr, L"Set font color", kColorData);
    row->EnableOtherButton(L"Other...");
    grid.AddProperty(row);
    Pump();
  }
  void TearDown() override {
    if (owner.m_hWnd) owner.DestroyWindow();
  }
  CMFCColorPopup* OpenPopup() {
    const CRect r = row->GetRect();
    Click(grid, CPoint(r.right - r.Height() / 2, r.CenterPoint().y));
    return row->GetPopup();
  }

  grid_test::GridOwner owner;
  CMFCPropertyGridCtrl grid;
  CMFCPropertyGridColorProperty* row = nullptr;
};

TEST_F(PropertyGridColorRow, TheValueIsTheColourAsAnUnsignedNumber) {
  EXPECT_EQ(row->GetValue().vt, VT_UI4);
  EXPECT_EQ(row->GetColor(), RGB(0, 0, 255));
  EXPECT_STREQ(row->FormatProperty(), L"#0000FF");
  row->SetColor(RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(row->GetValue().ulVal, static_cast<ULONG>(RGB(0x12, 0x34, 0x56)));
  EXPECT_STREQ(row->FormatProperty(), L"#123456");
  // The swatch shows the colour itself.
  Pixels shown(grid);
  const CRect r = row->GetRect();
  EXPECT_EQ(shown.At(r.left + grid.GetLeftColumnWidth() + 8, r.CenterPoint().y), RGB(0x12, 0x34, 0x56));
}

TEST_F(PropertyGridColorRow, AClickInThePaletteSetsTheColourAndNotifies) {
  CMFCColorPopup* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->IsWindowVisible());
  EXPECT_EQ(popup->GetColumns(), 8);
  ASSERT_EQ(popup->GetColorCount(), 40);
  EXPECT_EQ(popup->GetColor(popup->GetFocusedItem()), RGB(0, 0, 255)) << "the keyboard starts on the current colour";
  const COLORREF red = popup->GetColor(16);
  ASSERT_EQ(red, RGB(255, 0, 0));
  const HWND popupWindow = popup->m_hWnd;
  Click(popupWindow, popup->GetItemRect(16).CenterPoint());
  EXPECT_FALSE(::IsWindow(popupWindow));
  EXPECT_EQ(row->GetPopup(), nullptr);
  EXPECT_EQ(row->GetColor(), red);
  EXPECT_STREQ(row->FormatProperty(), L"#FF0000");
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(owner.changes[0].data, kColorData);
  EXPECT_EQ(owner.changes[0].type, VT_UI4);
  EXPECT_EQ(owner.changes[0].number, static_cast<ULONG>(red));
}

TEST_F(PropertyGridColorRow, TheKeyboardChoosesInThePaletteAndEscapeCloses) {
  CMFCColorPopup* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  const int start = popup->GetFocusedItem();
  ASSERT_EQ(start, 13);
  Key(*popup, VK_RIGHT);
  Key(*popup, VK_DOWN);
  EXPECT_EQ(popup->GetFocusedItem(), start + 1 + 8);
  const COLORREF chosen = popup->GetColor(start + 1 + 8);
  Key(*popup, VK_RETURN);
  EXPECT_EQ(row->GetPopup(), nullptr);
  EXPECT_EQ(row->GetColor(), chosen);
  ASSERT_EQ(owner.changes.size(), 1u);

  popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  Key(*popup, VK_LEFT);
  Key(*popup, VK_ESCAPE);
  EXPECT_EQ(row->GetPopup(), nullptr);
  EXPECT_EQ(row->GetColor(), chosen);
  EXPECT_EQ(owner.changes.size(), 1u) << "closing chooses nothing";
}

TEST_F(PropertyGridColorRow, AClickOutsideThePaletteClosesIt) {
  CMFCColorPopup* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(::GetCapture(), popup->m_hWnd) << "the pop-up holds the mouse";
  Click(popup->m_hWnd, CPoint(-20, -20));
  EXPECT_EQ(row->GetPopup(), nullptr);
  EXPECT_TRUE(owner.changes.empty());
  // Choosing the colour already shown closes the pop-up and reports nothing.
  popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  Click(popup->m_hWnd, popup->GetItemRect(13).CenterPoint());
  EXPECT_EQ(row->GetPopup(), nullptr);
  EXPECT_TRUE(owner.changes.empty());
}

TEST_F(PropertyGridColorRow, TheColourCanBeTypedInHexadecimal) {
  const CRect r = row->GetRect();
  Click(grid, CPoint(r.left + grid.GetLeftColumnWidth() + 60, r.CenterPoint().y));
  ASSERT_TRUE(row->IsInPlaceEditing());
  Type(grid_test::EditorOf(grid), L"#00ff80");
  Key(grid_test::EditorOf(grid), VK_RETURN);
  EXPECT_EQ(row->GetColor(), RGB(0, 255, 128));
  ASSERT_EQ(owner.changes.size(), 1u);
  Click(grid, CPoint(r.left + grid.GetLeftColumnWidth() + 60, r.CenterPoint().y));
  Type(grid_test::EditorOf(grid), L"00ff8");
  Key(grid_test::EditorOf(grid), VK_RETURN);
  EXPECT_EQ(row->GetColor(), RGB(0, 255, 128)) << "five digits are refused";
  EXPECT_EQ(owner.changes.size(), 1u);
}

TEST_F(PropertyGridColorRow, TheAutomaticButtonChoosesTheAutomaticColour) {
  row->EnableAutomaticButton(L"Automatic", RGB(0, 0, 0));
  CMFCColorPopup* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  const CRect automatic = popup->GetItemRect(CMFCColorPopup::ItemAutomatic);
  ASSERT_FALSE(automatic.IsRectEmpty());
  EXPECT_LT(automatic.bottom, popup->GetItemRect(0).top) << "above the colours";
  Click(popup->m_hWnd, automatic.CenterPoint());
  EXPECT_TRUE(row->IsAutomatic());
  EXPECT_EQ(row->GetColor(), RGB(0, 0, 0));
  EXPECT_STREQ(row->FormatProperty(), L"Automatic");
  ASSERT_EQ(owner.changes.size(), 1u);
}

TEST_F(PropertyGridColorRow, OtherOpensTheColourDialogAndTakesItsColour) {
  CMFCColorPopup* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  const CRect other = popup->GetItemRect(CMFCColorPopup::ItemOther);
  ASSERT_FALSE(other.IsRectEmpty());
  EXPECT_GT(other.top, popup->GetItemRect(39).bottom) << "below the colours";
  AnswerNextColorDialog(false, RGB(10, 20, 30));
  Click(popup->m_hWnd, other.CenterPoint());
  ASSERT_TRUE(g_script.seen);
  EXPECT_TRUE(g_script.hadColorBoxes) << "the dialog opens with its custom-colour part";
  EXPECT_EQ(g_script.owner, owner.m_hWnd);
  EXPECT_EQ(row->GetPopup(), nullptr);
  EXPECT_EQ(row->GetColor(), RGB(10, 20, 30));
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(owner.changes[0].number, static_cast<ULONG>(RGB(10, 20, 30)));
}

// --- the dialog's colour button ---

class PropertyGridColorButton : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Make(L"Options", CRect(20, 20, 320, 220)));
    ASSERT_TRUE(dialog.Create(IDD_COLOR_TEST, &owner));
    dialog.ShowWindow(SW_SHOW);
    Pump();
  }
  void TearDown() override {
    if (dialog.m_hWnd) dialog.DestroyWindow();
    if (owner.m_hWnd) owner.DestroyWindow();
  }
  CPoint Middle() const {
    CRect r;
    dialog.button.GetClientRect(&r);
    return r.CenterPoint();
  }

  grid_test::GridOwner owner;
  grid_test::ColorDialog dialog;
};

TEST_F(PropertyGridColorButton, TheDialogsColourReachesTheButtonAndComesBack) {
  EXPECT_EQ(dialog.button.GetColor(), RGB(0xDE, 0xEB, 0xF9));
  // The button shows its colour in its swatch.
  Pixels shown(dialog.button);
  EXPECT_EQ(shown.At(Middle().x - 8, Middle().y), RGB(0xDE, 0xEB, 0xF9));
  dialog.button.SetColor(RGB(1, 2, 3));
  ASSERT_TRUE(dialog.UpdateData(TRUE));
  EXPECT_EQ(dialog.highlight, RGB(1, 2, 3));
  EXPECT_EQ(dialog.clicks, 0) << "setting the colour is not a click";
}

TEST_F(PropertyGridColorButton, AClickDropsAPaletteOfFiveColumnsAndAChoiceIsAnnounced) {
  Click(dialog.button, Middle());
  CMFCColorPopup* popup = dialog.button.GetPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->GetColumns(), 5);
  // Five to a row: the sixth colour starts the second row under the first.
  EXPECT_EQ(popup->GetItemRect(5).left, popup->GetItemRect(0).left);
  EXPECT_EQ(popup->GetItemRect(5).top, popup->GetItemRect(0).bottom);
  EXPECT_EQ(popup->GetItemRect(4).top, popup->GetItemRect(0).top);
  // Under the button.
  CRect button, window;
  dialog.button.GetWindowRect(&button);
  popup->GetWindowRect(&window);
  EXPECT_EQ(window.top, button.bottom);
  EXPECT_EQ(window.left, button.left);

  const COLORREF chosen = popup->GetColor(7);
  Click(popup->m_hWnd, popup->GetItemRect(7).CenterPoint());
  EXPECT_EQ(dialog.button.GetPopup(), nullptr);
  EXPECT_EQ(dialog.button.GetColor(), chosen);
  EXPECT_EQ(dialog.clicks, 1);
  EXPECT_EQ(dialog.colorAtClick, chosen) << "the colour is stored before the parent hears of it";
  EXPECT_EQ(Pixels(dialog.button).At(Middle().x - 8, Middle().y), chosen);
}

TEST_F(PropertyGridColorButton, TheKeyboardOpensMovesChoosesAndCloses) {
  const struct {
    UINT opener;
  } openers[] = {{VK_SPACE}, {VK_RETURN}, {VK_DOWN}};
  for (const auto& open : openers) {
    Key(dialog.button, open.opener);
    CMFCColorPopup* popup = dialog.button.GetPopup();
    ASSERT_NE(popup, nullptr) << open.opener;
    EXPECT_EQ(popup->GetFocusedItem(), CMFCColorPopup::ItemNone) << "the colour is not in the palette";
    Key(*popup, VK_ESCAPE);
    EXPECT_EQ(dialog.button.GetPopup(), nullptr);
  }
  EXPECT_EQ(dialog.clicks, 0);
  EXPECT_EQ(dialog.button.GetColor(), RGB(0xDE, 0xEB, 0xF9));

  Key(dialog.button, VK_SPACE);
  CMFCColorPopup* popup = dialog.button.GetPopup();
  ASSERT_NE(popup, nullptr);
  const struct {
    UINT key;
    int focused;
  } moves[] = {{VK_RIGHT, 0}, {VK_RIGHT, 1}, {VK_DOWN, 6}, {VK_LEFT, 5}, {VK_UP, 0},
               {VK_END, CMFCColorPopup::ItemOther}, {VK_UP, 35}, {VK_HOME, 0}};
  for (const auto& move : moves) {
    Key(*popup, move.key);
    EXPECT_EQ(popup->GetFocusedItem(), move.focused) << move.key;
  }
  Key(*popup, VK_DOWN);
  const COLORREF chosen = popup->GetColor(5);
  Key(*popup, VK_RETURN);
  EXPECT_EQ(dialog.button.GetColor(), chosen);
  EXPECT_EQ(dialog.clicks, 1);
}

// Where the keyboard goes (alone: the focus is the foreground program's).
class PropertyGridColorFocus : public PropertyGridColorButton {};

TEST_F(PropertyGridColorFocus, ThePaletteTakesTheKeyboardAndGivesItBack) {
  // The dialog's colour button: Space opens, the arrows and Enter work in the pop-up, the focus
  // comes back to the button.
  dialog.button.SetFocus();
  Key(VK_SPACE);
  CMFCColorPopup* popup = dialog.button.GetPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(::GetFocus(), popup->m_hWnd);
  Key(VK_RIGHT);
  Key(VK_RETURN);
  EXPECT_EQ(dialog.button.GetColor(), FwColorChoices().colors[0]) << "the first colour";
  EXPECT_EQ(::GetFocus(), dialog.button.m_hWnd);

  // A grid's colour row: the focus comes back to the grid.
  CMFCPropertyGridCtrl grid;
  ASSERT_TRUE(grid.Create(WS_VISIBLE, CRect(0, 0, 280, 100), &owner, 2));
  auto* row = new CMFCPropertyGridColorProperty(L"Color", RGB(0, 0, 255));
  grid.AddProperty(row);
  owner.SetForegroundWindow();
  const CRect r = row->GetRect();
  Click(grid, CPoint(r.right - r.Height() / 2, r.CenterPoint().y));
  ASSERT_NE(row->GetPopup(), nullptr);
  EXPECT_EQ(::GetFocus(), row->GetPopup()->m_hWnd);
  Key(VK_ESCAPE);
  EXPECT_EQ(row->GetPopup(), nullptr);
  EXPECT_EQ(::GetFocus(), grid.m_hWnd);
}

TEST_F(PropertyGridColorButton, OtherOpensTheColourDialogCancelledOrAnswered) {
  for (bool cancel : {true, false}) {
    Click(dialog.button, Middle());
    CMFCColorPopup* popup = dialog.button.GetPopup();
    ASSERT_NE(popup, nullptr);
    AnswerNextColorDialog(cancel, RGB(200, 100, 50));
    Click(popup->m_hWnd, popup->GetItemRect(CMFCColorPopup::ItemOther).CenterPoint());
    ASSERT_TRUE(g_script.seen) << cancel;
    EXPECT_EQ(g_script.owner, dialog.m_hWnd);
    EXPECT_EQ(dialog.button.GetPopup(), nullptr);
    if (cancel) {
      EXPECT_EQ(dialog.clicks, 0);
      EXPECT_EQ(dialog.button.GetColor(), RGB(0xDE, 0xEB, 0xF9));
    } else {
      EXPECT_EQ(dialog.clicks, 1);
      EXPECT_EQ(dialog.button.GetColor(), RGB(200, 100, 50));
    }
  }
}

TEST_F(PropertyGridColorButton, ADisabledButtonDoesNotOpen) {
  dialog.button.EnableWindow(FALSE);
  Click(dialog.button, Middle());
  EXPECT_EQ(dialog.button.GetPopup(), nullptr);
  EXPECT_FALSE(dialog.button.ShowColorPopup());
}

}  // namespace
