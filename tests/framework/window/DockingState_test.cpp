// The docking layout across a restart: floating panes, tab groups (order and active tab),
// auto-hidden panes, divider positions and visibility come back from the registry; a damaged value
// changes nothing, and a floating pane is never restored off the screen.
#include <gtest/gtest.h>

#include <vector>

#include "DockingFixture.h"
#include "TestSupport.h"

using namespace docking_test;

namespace {

const wchar_t kBarState[] = L"Workspace\\BarState";
const wchar_t kProfileKey[] = L"Software\\VantryTests\\FrameworkDocking_test";
const wchar_t kBarStateKey[] = L"Software\\VantryTests\\FrameworkDocking_test\\Workspace\\BarState";

// The stored value, field by field (little-endian 32-bit words).
class LayoutValue {
 public:
  LayoutValue() {
    bytes_ = {'F', 'W', 'D', 'L'};
    Word(2);
  }
  LayoutValue& Word(UINT32 value) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<BYTE>(value >> (8 * i)));
    return *this;
  }
  LayoutValue& Words(std::initializer_list<UINT32> values) {
    for (UINT32 v : values) Word(v);
    return *this;
  }
  // Where a pane was docked last: side, thickness, extent, previous and next pane ids, row place.
  LayoutValue& Recent(UINT32 side, UINT32 thickness) { return Words({side, thickness, 200, 0, 0, 0}); }
  std::vector<BYTE>& Bytes() { return bytes_; }

 private:
  std::vector<BYTE> bytes_;
};

void StoreLayout(const std::vector<BYTE>& bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kBarStateKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, L"Layout", 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

class DockingState : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
    Restart(false);
  }
  void TearDown() override {
    if (frame) frame->DestroyWindow();
    Pump();
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
  }
  // Closes the frame (saving when asked) and builds it again as the program does, then loads.
  BOOL Restart(bool load, bool save = true) {
    if (frame) {
      if (save) {
        EXPECT_TRUE(frame->GetDockingManager()->SaveState(kBarState));
      }
      frame->DestroyWindow();
      Pump();
    }
    frame = new DockFrame;
    EXPECT_TRUE(frame->Build());
    frame->ShowWindow(SW_SHOW);
    const BOOL loaded = load ? frame->GetDockingManager()->LoadState(kBarState) : FALSE;
    Pump();
    return loaded;
  }
  CBaseTabbedPane* Group() { return frame->shelf.GetParentTabbedPane(); }
  // The layout the program builds, whatever was stored.
  void ExpectBuiltLayout() {
    EXPECT_FALSE(frame->forms.IsFloating());
    EXPECT_FALSE(frame->forms.IsAutoHideMode());
    ASSERT_NE(Group(), nullptr);
    EXPECT_EQ(Group()->GetActivePane(), &frame->properties);
    EXPECT_EQ(frame->RectOf(Group()).Width(), 200);
    EXPECT_TRUE(frame->forms.IsVisible());
  }
  DockFrame* frame = nullptr;
};

TEST_F(DockingState, FloatingPanesComeBackWhereTheyFloated) {
  const CRect floatRect(90, 110, 390, 510);
  ASSERT_TRUE(frame->forms.FloatPane(floatRect));
  ASSERT_TRUE(Restart(true));
  ASSERT_TRUE(frame->forms.IsFloating());
  EXPECT_EQ(ScreenRect(frame->forms.GetParentMiniFrame()), floatRect);
  EXPECT_TRUE(frame->forms.IsVisible());
  EXPECT_EQ(frame->RectOf(Group()).bottom, frame->ClientArea().bottom);
  // Docked from there it goes back below the group, where it was docked before the restart.
  ASSERT_TRUE(frame->forms.DockToRecentPos());
  EXPECT_EQ(frame->RectOf(&frame->forms).top, frame->RectOf(Group()).bottom + CDockingManager::kDividerSize);
}

TEST_F(DockingState, TabGroupsKeepTheirOrderAndActiveTab) {
  CMFCBaseTabCtrl* tabs = Group()->GetUnderlyingWindow();
  ASSERT_TRUE(tabs->MoveTab(1, 0));
  tabs->SetActiveTab(1);
  ASSERT_EQ(tabs->GetTabWnd(0), &frame->properties);
  ASSERT_TRUE(Restart(true));
  ASSERT_NE(Group(), nullptr);
  EXPECT_EQ(frame->properties.GetParentTabbedPane(), Group());
  tabs = Group()->GetUnderlyingWindow();
  EXPECT_EQ(tabs->GetTabWnd(0), &frame->properties);
  EXPECT_EQ(tabs->GetTabWnd(1), &frame->shelf);
  EXPECT_EQ(tabs->GetActiveWnd(), &frame->shelf);
  EXPECT_EQ(frame->RectOf(&frame->forms).top, frame->RectOf(Group()).bottom + CDockingManager::kDividerSize);
}

TEST_F(DockingState, DividerPositionsAndVisibilityComeBack) {
  CDockingManager* manager = frame->GetDockingManager();
  CDockingManager::Row* row = manager->FindRow(&frame->forms);
  ASSERT_TRUE(manager->MoveDivider(row, -1, -60));
  ASSERT_TRUE(manager->MoveDivider(row, 0, 40));
  const CRect group = frame->RectOf(Group()), forms = frame->RectOf(&frame->forms);
  frame->properties.ShowPane(FALSE, FALSE, FALSE);
  ASSERT_TRUE(Restart(true));
  EXPECT_EQ(frame->RectOf(Group()), group);
  EXPECT_EQ(frame->RectOf(&frame->forms), forms);
  EXPECT_FALSE(frame->properties.IsVisible());
  EXPECT_TRUE(frame->shelf.IsVisible());
  EXPECT_EQ(Group()->GetActivePane(), &frame->shelf) << "the hidden tab gave the group to the other";
  // Hiding the forms pane as well: the group takes the column after the restart.
  frame->forms.ShowPane(FALSE, FALSE, FALSE);
  ASSERT_TRUE(Restart(true));
  EXPECT_FALSE(frame->forms.IsVisible());
  EXPECT_EQ(frame->RectOf(Group()).bottom, frame->ClientArea().bottom);
}

TEST_F(DockingState, AutoHiddenPanesStayAlongTheirEdgeAndUnpinWhereTheyWere) {
  const CRect docked = frame->RectOf(&frame->forms);
  ASSERT_NE(frame->forms.SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT), nullptr);
  ASSERT_TRUE(Restart(true));
  ASSERT_TRUE(frame->forms.IsAutoHideMode());
  EXPECT_EQ(frame->forms.GetAutoHideAlignment(), static_cast<DWORD>(CBRS_ALIGN_RIGHT));
  EXPECT_FALSE(frame->forms.IsWindowVisible());
  frame->forms.SetAutoHideMode(FALSE, 0);
  EXPECT_EQ(frame->RectOf(&frame->forms), docked);
}

TEST_F(DockingState, ASavedLayoutGoesOnlyToTheFrameThatLoadsIt) {
  ASSERT_TRUE(frame->forms.FloatPane(CRect(90, 110, 390, 510)));
  EXPECT_FALSE(Restart(false));
  ExpectBuiltLayout();
}

TEST_F(DockingState, AFloatingFrameStoredOffTheScreenComesBackOnIt) {
  RECT work = {};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  LayoutValue value;
  value.Word(0);                                     // no tab groups
  value.Word(0);                                     // no rows
  value.Word(0);                                     // no panes outside rows
  value.Word(1).Words({kFormsId, 1});                // one floating pane, shown
  value.Words({static_cast<UINT32>(work.right + 500), static_cast<UINT32>(work.bottom + 300),
               static_cast<UINT32>(work.right + 800), static_cast<UINT32>(work.bottom + 700)});
  value.Recent(CBRS_ALIGN_RIGHT, 200);
  value.Word(0);                                     // no auto-hidden panes
  StoreLayout(value.Bytes());
  ASSERT_TRUE(Restart(true, false));
  ASSERT_TRUE(frame->forms.IsFloating());
  const CRect rect = ScreenRect(frame->forms.GetParentMiniFrame());
  EXPECT_EQ(rect.Size(), CSize(300, 400));
  EXPECT_EQ(rect.right, work.right);
  EXPECT_EQ(rect.bottom, work.bottom);
}

struct DamageCase {
  const char* name;
  size_t offset;   // a word of the valid value below to change, or where to cut it
  UINT32 word;     // its new value
  bool cut;        // cut the value at `offset` instead
};

// The valid value the cases damage: one group (shelf, properties), one row on the right with the
// group and the forms pane, nothing else.
//   0: "FWDL"        4: version 2     8: 1 group
//  12: group id     16: 2 tabs       20: shelf id     24: shown       28: properties id  32: shown
//  36: active 1     40: 1 row        44: side right   48: resizable   52: thickness 230  56: 2 panes
//  60: group id     64: extent 200   68: shown        72: forms id    76: extent 200     80: shown
//  84: 0 outside    88: 0 floating   92: 0 auto-hidden
std::vector<BYTE> ValidValue(UINT32 groupId) {
  LayoutValue value;
  value.Word(1).Words({groupId, 2, kShelfId, 1, kPropertiesId, 1, 1});
  value.Word(1).Words({CBRS_ALIGN_RIGHT, 1, 230, 2, groupId, 200, 1, kFormsId, 200, 1});
  value.Words({0, 0, 0});
  return value.Bytes();
}

TEST_F(DockingState, ADamagedValueChangesNothing) {
  const UINT32 groupId = frame->GetDockingManager()->GetFreePaneId() + 7;
  // The undamaged value loads: the row is 230 pixels wide.
  StoreLayout(ValidValue(groupId));
  ASSERT_TRUE(Restart(true, false));
  EXPECT_EQ(frame->RectOf(Group()).Width(), 230);
  const DamageCase cases[] = {
      {"cut short", 90, 0, true},
      {"not a layout", 0, 0x4C445746 + 1, false},
      {"unknown version", 4, 99, false},
      {"a group of no tabs", 16, 0, false},
      {"a tab neither shown nor hidden", 24, 7, false},
      {"an active tab past the last", 36, 2, false},
      {"a side that is none", 44, CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP, false},
      {"a thickness no screen has", 52, 0x7FFFFFFF, false},
      {"more rows than any frame", 40, 100000, false},
      {"visibility neither on nor off", 68, 2, false},
      {"bytes after the end", 96, 0, false},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<BYTE> bytes = ValidValue(groupId);
    if (c.cut) {
      bytes.resize(c.offset);
    } else {
      if (bytes.size() < c.offset + 4) bytes.resize(c.offset + 4);
      for (int i = 0; i < 4; ++i) bytes[c.offset + i] = static_cast<BYTE>(c.word >> (8 * i));
    }
    StoreLayout(bytes);
    EXPECT_FALSE(Restart(true, false));
    ExpectBuiltLayout();
  }
}

TEST_F(DockingState, ValuesOfTheFirstVersionStillLoad) {
  // Rows and panes outside rows only: the right row 260 wide.
  std::vector<BYTE> bytes = {'F', 'W', 'D', 'L'};
  for (UINT32 word : {1u, 1u, static_cast<UINT32>(CBRS_ALIGN_RIGHT), 1u, 260u, 1u, static_cast<UINT32>(kFormsId), 300u, 1u, 0u})
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<BYTE>(word >> (8 * i)));
  StoreLayout(bytes);
  ASSERT_TRUE(Restart(true, false));
  EXPECT_EQ(frame->RectOf(&frame->forms).Width(), 260);
}

}  // namespace
