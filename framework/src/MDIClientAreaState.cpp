// The MDI tab groups in the registry. Value "MDITabGroups" (REG_BINARY, little-endian 32-bit
// fields): "FWMT", version 1, vertical (0 or 1), group count; per group its share, its title count,
// then per title its length in characters and the characters in UTF-16LE.
// Nothing changes until the whole value has been read and checked.
#include <string.h>

#include <algorithm>
#include <vector>

#include "fw/FrameEx.h"
#include "fw/MDIClientArea.h"
#include "fw/WinApp.h"
#include "ProfileBlob.h"

namespace {

using fw_internal::BlobReader;
using fw_internal::PutWord;

const char kMagic[4] = {'F', 'W', 'M', 'T'};
const UINT32 kVersion = 1;
const UINT32 kMaxGroups = 64;
const UINT32 kMaxTitles = 1024;
const UINT32 kMaxTitleLength = 1024;
const UINT32 kMaxShare = 1000000;
const wchar_t kValueName[] = L"MDITabGroups";


struct SavedGroup {
  UINT32 share = 1;
  std::vector<CString> titles;
};

bool Parse(const BYTE* data, UINT size, UINT32& vertical, std::vector<SavedGroup>& groups) {
  if (!data || size < 16 || memcmp(data, kMagic, 4) != 0) return false;
  BlobReader in(data + 4, size - 4);
  UINT32 version = 0, count = 0;
  if (!in.Get(version) || version != kVersion || !in.Get(vertical) || vertical > 1 || !in.Get(count) ||
      count == 0 || count > kMaxGroups)
    return false;
  for (UINT32 g = 0; g < count; ++g) {
    SavedGroup group;
    UINT32 titles = 0;
    if (!in.Get(group.share) || group.share == 0 || group.share > kMaxShare || !in.Get(titles) || titles > kMaxTitles)
      return false;
    for (UINT32 t = 0; t < titles; ++t) {
      UINT32 length = 0;
      CString title;
      if (!in.Get(length) || length > kMaxTitleLength || !in.GetText(length, title)) return false;
      group.titles.push_back(title);
    }
    groups.push_back(group);
  }
  return in.Done();
}

}  // namespace

BOOL CMDIClientAreaWnd::SaveState(LPCTSTR lpszSection) {
  CWinApp* app = AfxGetApp();
  if (!app || !lpszSection) return FALSE;
  std::vector<BYTE> out(kMagic, kMagic + 4);
  PutWord(out, kVersion);
  PutWord(out, m_bVertical ? 1 : 0);
  // An empty group has nothing to keep; with no group at all one empty group is kept.
  std::vector<int> kept;
  for (int i = 0; i < GetGroupCount(); ++i)
    if (m_groups[i]->GetTabsNum() > 0) kept.push_back(i);
  PutWord(out, static_cast<UINT32>(std::max<size_t>(kept.size(), 1)));
  if (kept.empty()) {
    PutWord(out, 1);
    PutWord(out, 0);
  }
  for (int i : kept) {
    CMFCTabCtrl* group = m_groups[i];
    PutWord(out, static_cast<UINT32>(std::min(std::max(m_shares[i], 1), static_cast<int>(kMaxShare))));
    const UINT32 titles = static_cast<UINT32>(std::min(group->GetTabsNum(), static_cast<int>(kMaxTitles)));
    PutWord(out, titles);
    for (UINT32 t = 0; t < titles; ++t) {
      CString title;
      group->GetTabLabel(static_cast<int>(t), title);
      const UINT32 length = static_cast<UINT32>(std::min(title.GetLength(), static_cast<int>(kMaxTitleLength)));
      PutWord(out, length);
      for (UINT32 c = 0; c < length; ++c) {
        const wchar_t ch = title[static_cast<int>(c)];
        out.push_back(static_cast<BYTE>(ch & 0xFF));
        out.push_back(static_cast<BYTE>(ch >> 8));
      }
    }
  }
  return app->WriteProfileBinary(lpszSection, kValueName, out.data(), static_cast<UINT>(out.size()));
}

BOOL CMDIClientAreaWnd::LoadState(LPCTSTR lpszSection) {
  CWinApp* app = AfxGetApp();
  if (!app || !lpszSection) return FALSE;
  LPBYTE data = nullptr;
  UINT size = 0;
  if (!app->GetProfileBinary(lpszSection, kValueName, &data, &size)) return FALSE;
  UINT32 vertical = 0;
  std::vector<SavedGroup> groups;
  const bool valid = Parse(data, size, vertical, groups);
  delete[] data;
  if (!valid) {
    OutputDebugStringW(L"CMDIClientAreaWnd::LoadState: the stored tab groups are damaged and were ignored\n");
    return FALSE;
  }
  for (int i = 0; i < m_pending.GetSize(); ++i) delete m_pending[i];
  m_pending.RemoveAll();
  for (const SavedGroup& saved : groups) {
    PendingGroup* pending = new PendingGroup;
    pending->share = static_cast<int>(saved.share);
    for (const CString& title : saved.titles) pending->titles.Add(title);
    m_pending.Add(pending);
  }
  m_bVertical = vertical != 0;
  // The documents already open move to their groups now; the others when they open.
  CArray<CMDIChildWndEx*, CMDIChildWndEx*> open;
  for (int g = 0; g < GetGroupCount(); ++g)
    for (int t = 0; t < m_groups[g]->GetTabsNum(); ++t) {
      CWnd* wnd = m_groups[g]->GetTabWnd(t);
      if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CMDIChildWndEx))) open.Add(static_cast<CMDIChildWndEx*>(wnd));
    }
  for (int i = 0; i < open.GetSize(); ++i) OnChildTitleChanged(open[i]);
  LayoutGroups();
  return TRUE;
}

CMFCTabCtrl* CMDIClientAreaWnd::GroupForPending(const CString& title, CWnd* pChild) {
  if (!m_bGroups || title.IsEmpty()) return nullptr;
  int found = -1;
  for (int k = 0; k < m_pending.GetSize() && found < 0; ++k) {
    CArray<CString, const CString&>& titles = m_pending[k]->titles;
    for (int t = 0; t < titles.GetSize(); ++t) {
      if (titles[t] == title) {
        titles.RemoveAt(t);
        found = k;
        break;
      }
    }
  }
  if (found < 0) return nullptr;
  PendingGroup* pending = m_pending[found];
  if (pending->group && GetGroupIndex(pending->group) >= 0) return pending->group;
  // A group no other part of the layout has, holding nothing or only this document, becomes this
  // part: no group is made only to leave another empty.
  CMFCTabCtrl* current = FindGroupOf(pChild);
  for (int i = 0; i < GetGroupCount(); ++i) {
    CMFCTabCtrl* group = m_groups[i];
    const int tabs = group->GetTabsNum();
    if (!(tabs == 0 || (tabs == 1 && group == current))) continue;
    bool claimed = false;
    for (int k = 0; k < m_pending.GetSize() && !claimed; ++k) claimed = m_pending[k]->group == group;
    if (claimed) continue;
    pending->group = group;
    m_shares[i] = pending->share;
    return group;
  }
  // Before the group of the first later layout group that exists, else last.
  int at = GetGroupCount();
  for (int k = found + 1; k < m_pending.GetSize(); ++k) {
    const int index = m_pending[k]->group ? GetGroupIndex(m_pending[k]->group) : -1;
    if (index >= 0) {
      at = index;
      break;
    }
  }
  CMFCTabCtrl* made = AddGroup(at, pending->share);
  if (!made) return nullptr;
  pending->group = made;
  return made;
}
