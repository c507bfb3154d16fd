// Tool-bar buttons and user tool bars in the registry: what a frame saves comes back in the next
// frame with the buttons' kinds, and a damaged stored value leaves the bars as their resources
// made them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BarsTestFrame.h"
#include "TestSupport.h"

using namespace bars_test;

namespace {

// Where the frame's state lives: the application's registry base "Workspace", then "BarState".
std::wstring BarKey(UINT id) {
  return std::wstring(kProfileKey) + L"\\Workspace\\BarState\\ToolBar-" + std::to_wstring(id);
}

std::vector<BYTE> ReadValue(const std::wstring& key, const wchar_t* name) {
  std::vector<BYTE> data(65536);
  DWORD size = static_cast<DWORD>(data.size());
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_BINARY, nullptr, data.data(), &size) != ERROR_SUCCESS)
    return {};
  data.resize(size);
  return data;
}

void WriteValue(const std::wstring& key, const wchar_t* name, const std::vector<BYTE>& data) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(h, name, 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
  RegCloseKey(h);
}

// The stored value: "FWTB", version, FNV-1a checksum of the payload, payload length, payload.
void Reseal(std::vector<BYTE>& value) {
  UINT32 hash = 2166136261u;
  for (size_t i = 16; i < value.size(); ++i) hash = (hash ^ value[i]) * 16777619u;
  memcpy(&value[8], &hash, 4);
  const UINT32 length = static_cast<UINT32>(value.size() - 16);
  memcpy(&value[12], &length, 4);
}

void ReplaceText(std::vector<BYTE>& value, const std::string& from, const std::string& to) {
  for (size_t i = 16; i + from.size() <= value.size(); ++i) {
    if (std::equal(from.begin(), from.end(), value.begin() + i)) {
      std::copy(to.begin(), to.end(), value.begin() + i);
      return;
    }
  }
  ADD_FAILURE() << from << " is not in the stored value";
}

CWinAppEx* App() { return static_cast<CWinAppEx*>(AfxGetApp()); }

class ToolBarState : public BarsFrameTest {
 protected:
  // Saves the frame's state and builds the next frame, which loads it.
  void Restart() {
    ASSERT_TRUE(App()->SaveState(frame));
    frame->DestroyWindow();
    Pump();
    frame = BarsFrame::Make();
    ASSERT_NE(frame, nullptr);
    Pump();
  }
};

TEST_F(ToolBarState, ButtonsComeBackWithTheirKindsAndValues) {
  CMFCToolBar& bar = frame->mainBar;
  frame->eraseShown = TRUE;
  bar.RestoreOriginalState();
  bar.RemoveButton(bar.CommandToIndex(ID_T_CUT));
  static_cast<TestComboButton*>(bar.GetButton(bar.CommandToIndex(ID_T_ZOOM)))->SelectItem(1, FALSE);
  static_cast<TestEditButton*>(bar.GetButton(bar.CommandToIndex(ID_T_RECNUM)))->SetContents(L"7");
  frame->toolsBar.EnableTextLabels(TRUE);
  std::vector<UINT> ids;
  std::vector<CRuntimeClass*> kinds;
  for (int i = 0; i < bar.GetCount(); ++i) {
    ids.push_back(bar.GetItemID(i));
    kinds.push_back(bar.GetButton(i)->GetRuntimeClass());
  }
  Restart();

  // The new frame's reset knew nothing of the erase box; the stored buttons bring it back.
  CMFCToolBar& again = frame->mainBar;
  ASSERT_EQ(again.GetCount(), static_cast<int>(ids.size()));
  for (int i = 0; i < again.GetCount(); ++i) {
    EXPECT_EQ(again.GetItemID(i), ids[i]) << i;
    EXPECT_EQ(again.GetButton(i)->GetRuntimeClass(), kinds[i]) << i;
  }
  EXPECT_LT(again.CommandToIndex(ID_T_CUT), 0);
  auto* zoom = static_cast<TestComboButton*>(again.GetButton(again.CommandToIndex(ID_T_ZOOM)));
  EXPECT_EQ(zoom->GetCount(), 4);
  EXPECT_EQ(zoom->GetCurSel(), 1);
  ASSERT_NE(zoom->GetComboBox(), nullptr);
  EXPECT_EQ(zoom->GetComboBox()->GetCurSel(), 1);
  EXPECT_NE(dynamic_cast<TestComboBox*>(zoom->GetComboBox()), nullptr);
  auto* sizes = static_cast<TestComboButton*>(again.GetButton(again.CommandToIndex(ID_T_ERASE)));
  EXPECT_EQ(sizes->GetCurSel(), 2);
  EXPECT_EQ(static_cast<TestEditButton*>(again.GetButton(again.CommandToIndex(ID_T_RECNUM)))->GetContents(),
            CString(L"7"));
  auto* spell = static_cast<CMFCToolBarMenuButton*>(again.GetButton(again.CommandToIndex(ID_T_SPELL)));
  EXPECT_EQ(spell->GetCommands().GetCount(), 2);
  EXPECT_TRUE(frame->toolsBar.AreTextLabels());
  EXPECT_FALSE(frame->mainBar.AreTextLabels());
}

TEST_F(ToolBarState, ADamagedStoredValueLeavesTheResourcesButtons) {
  frame->mainBar.RemoveButton(frame->mainBar.CommandToIndex(ID_T_CUT));
  ASSERT_TRUE(App()->SaveState(frame));
  const std::wstring key = BarKey(kMainBarId);
  const std::vector<BYTE> good = ReadValue(key, L"Buttons");
  ASSERT_GT(good.size(), 16u);
  ASSERT_EQ(std::string(good.begin(), good.begin() + 4), "FWTB");
  struct Damage {
    const char* name;
    std::vector<BYTE> (*make)(std::vector<BYTE>);
  } damages[] = {
      {"cut short", [](std::vector<BYTE> v) { v.resize(v.size() - 3); return v; }},
      {"a changed byte", [](std::vector<BYTE> v) { v[v.size() / 2] ^= 0x40; return v; }},
      {"another magic", [](std::vector<BYTE> v) { v[0] = 'X'; return v; }},
      {"a class nobody knows", [](std::vector<BYTE> v) {
         ReplaceText(v, "TestEditButton", "TestEditBottom");
         Reseal(v);
         return v;
       }},
      {"a class that is no button", [](std::vector<BYTE> v) {
         ReplaceText(v, "TestComboButton", "CMFCToolBarImage");
         Reseal(v);
         return v;
       }},
      {"the last record cut short", [](std::vector<BYTE> v) {
         v.pop_back();
         Reseal(v);
         return v;
       }},
      {"a huge count", [](std::vector<BYTE> v) {
         const UINT32 count = 0x7FFFFFFF;
         memcpy(&v[16], &count, 4);
         Reseal(v);
         return v;
       }},
  };
  for (const Damage& d : damages) {
    WriteValue(key, L"Buttons", d.make(good));
    EXPECT_FALSE(frame->mainBar.LoadState(L"Workspace\\BarState", -1, kMainBarId)) << d.name;
    frame->DestroyWindow();
    Pump();
    frame = BarsFrame::Make();
    ASSERT_NE(frame, nullptr);
    CMFCToolBar& bar = frame->mainBar;
    EXPECT_EQ(bar.GetCount(), 12) << d.name;
    EXPECT_GE(bar.CommandToIndex(ID_T_CUT), 0) << d.name;
    EXPECT_EQ(bar.GetButton(bar.CommandToIndex(ID_T_ZOOM))->GetRuntimeClass(), RUNTIME_CLASS(TestComboButton))
        << d.name;
  }
  // The good value still loads.
  WriteValue(key, L"Buttons", good);
  EXPECT_TRUE(frame->mainBar.LoadState(L"Workspace\\BarState", -1, kMainBarId));
  EXPECT_LT(frame->mainBar.CommandToIndex(ID_T_CUT), 0);
}

TEST_F(ToolBarState, UserToolBarsAreMadeAgainAndDeletedWithTheirState) {
  CMFCToolBar* mine = frame->CreateNewToolBar(L"Mine");
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(mine->GetDlgCtrlID(), AFX_IDW_USER_TOOLBAR_FIRST);
  EXPECT_EQ(mine->GetDlgCtrlID(), 59432);
  EXPECT_TRUE(mine->IsUserDefined());
  EXPECT_EQ(frame->GetUserToolBarByIndex(0), mine);
  EXPECT_EQ(frame->GetUserToolBarByIndex(1), nullptr);
  mine->InsertButton(CMFCToolBarButton(ID_T_UNDO, -1, L"Undo"));
  Restart();

  CMFCToolBar* back = frame->GetUserToolBarByIndex(0);
  ASSERT_NE(back, nullptr);
  CString name;
  back->GetWindowText(name);
  EXPECT_EQ(name, CString(L"Mine"));
  EXPECT_EQ(back->GetDlgCtrlID(), 59432);
  ASSERT_EQ(back->GetCount(), 1);
  EXPECT_EQ(back->GetItemID(0), static_cast<UINT>(ID_T_UNDO));
  EXPECT_TRUE(back->IsVisible());
  // A second bar takes the next id; deleting the first frees its id and its registry key.
  CMFCToolBar* second = frame->CreateNewToolBar(L"Second");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetDlgCtrlID(), 59433);
  EXPECT_TRUE(frame->DeleteToolBar(back));
  EXPECT_FALSE(frame->DeleteToolBar(&frame->mainBar));
  EXPECT_EQ(frame->GetUserToolBarByIndex(0), second);
  HKEY h = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, BarKey(59432).c_str(), 0, KEY_READ, &h), ERROR_SUCCESS);
  CMFCToolBar* third = frame->CreateNewToolBar(L"Third");
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->GetDlgCtrlID(), 59432);
}

}  // namespace
