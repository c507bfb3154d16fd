// The docking layout in the registry. Value "Layout" (REG_BINARY, little-endian 32-bit fields):
//   "FWDL", version 1, row count; per row: side, resizable, thickness, pane count, then per pane
//   its id, extent and visibility; then the count of panes outside rows, and per pane its id and
//   visibility.
// A pane the frame no longer has is skipped; a pane the value does not name stays where the frame
// docked it. Nothing is changed until the whole value has been read and checked.
#include <string.h>

#include <algorithm>
#include <vector>

#include "fw/DockingManager.h"
#include "fw/WinApp.h"

namespace {

const char kMagic[4] = {'F', 'W', 'D', 'L'};
const UINT32 kVersion = 1;
// More rows or panes than any frame holds: the value is damaged.
const UINT32 kMaxCount = 256;

void Put(std::vector<BYTE>& out, UINT32 value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

class Reader {
 public:
  Reader(const BYTE* data, UINT size) : data_(data), size_(size) {}
  bool Get(UINT32& value) {
    if (size_ - at_ < 4) return false;
    value = data_[at_] | (data_[at_ + 1] << 8) | (data_[at_ + 2] << 16) | (static_cast<UINT32>(data_[at_ + 3]) << 24);
    at_ += 4;
    return true;
  }
  bool Done() const { return at_ == size_; }

 private:
  const BYTE* data_;
  UINT size_;
  UINT at_ = 0;
};

struct SavedPane {
  UINT32 id, extent, visible;
};
struct SavedRow {
  UINT32 side, resizable, thickness;
  std::vector<SavedPane> panes;
};

bool OneSide(UINT32 side) {
  return side == CBRS_ALIGN_LEFT || side == CBRS_ALIGN_TOP || side == CBRS_ALIGN_RIGHT || side == CBRS_ALIGN_BOTTOM;
}

bool Parse(const BYTE* data, UINT size, std::vector<SavedRow>& rows, std::vector<SavedPane>& loose) {
  if (size < 12 || memcmp(data, kMagic, 4) != 0) return false;
  Reader in(data + 4, size - 4);
  UINT32 version = 0, rowCount = 0;
  if (!in.Get(version) || version != kVersion || !in.Get(rowCount) || rowCount > kMaxCount) return false;
  for (UINT32 r = 0; r < rowCount; ++r) {
    SavedRow row;
    UINT32 paneCount = 0;
    if (!in.Get(row.side) || !in.Get(row.resizable) || !in.Get(row.thickness) || !in.Get(paneCount)) return false;
    if (!OneSide(row.side) || row.resizable > 1 || paneCount == 0 || paneCount > kMaxCount) return false;
    for (UINT32 p = 0; p < paneCount; ++p) {
      SavedPane pane;
      if (!in.Get(pane.id) || !in.Get(pane.extent) || !in.Get(pane.visible) || pane.visible > 1) return false;
      row.panes.push_back(pane);
    }
    rows.push_back(row);
  }
  UINT32 looseCount = 0;
  if (!in.Get(looseCount) || looseCount > kMaxCount) return false;
  for (UINT32 p = 0; p < looseCount; ++p) {
    SavedPane pane = {0, 0, 0};
    if (!in.Get(pane.id) || !in.Get(pane.visible) || pane.visible > 1) return false;
    loose.push_back(pane);
  }
  return in.Done();
}

void SetShown(CBasePane* pane, UINT32 visible) {
  if (pane->m_hWnd && (pane->IsVisible() != 0) != (visible != 0)) pane->ShowPane(visible != 0, TRUE, FALSE);
}

}  // namespace

BOOL CDockingManager::SaveState(LPCTSTR lpszSection) {
  CWinApp* app = AfxGetApp();
  if (!app || !lpszSection) return FALSE;
  std::vector<BYTE> out(kMagic, kMagic + 4);
  Put(out, kVersion);
  Put(out, static_cast<UINT32>(m_rows.GetSize()));
  for (int i = 0; i < m_rows.GetSize(); ++i) {
    const Row* row = m_rows[i];
    Put(out, row->side);
    Put(out, row->resizable ? 1 : 0);
    Put(out, static_cast<UINT32>(row->thickness));
    Put(out, static_cast<UINT32>(row->panes.GetSize()));
    for (int j = 0; j < row->panes.GetSize(); ++j) {
      Put(out, static_cast<UINT32>(row->panes[j]->GetDlgCtrlID()));
      Put(out, static_cast<UINT32>(row->extents[j]));
      Put(out, row->panes[j]->IsVisible() ? 1 : 0);
    }
  }
  std::vector<CBasePane*> loose;
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (pane->m_hWnd && !FindRow(pane)) loose.push_back(pane);
  }
  Put(out, static_cast<UINT32>(loose.size()));
  for (CBasePane* pane : loose) {
    Put(out, static_cast<UINT32>(pane->GetDlgCtrlID()));
    Put(out, pane->IsVisible() ? 1 : 0);
  }
  BOOL saved = app->WriteProfileBinary(lpszSection, L"Layout", out.data(), static_cast<UINT>(out.size()));
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (pane->m_hWnd && !pane->SaveState(lpszSection, -1, static_cast<UINT>(pane->GetDlgCtrlID()))) saved = FALSE;
  }
  return saved;
}

BOOL CDockingManager::LoadState(LPCTSTR lpszSection) {
  CWinApp* app = AfxGetApp();
  if (!app || !lpszSection) return FALSE;
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (pane->m_hWnd) pane->LoadState(lpszSection, -1, static_cast<UINT>(pane->GetDlgCtrlID()));
  }
  LPBYTE data = nullptr;
  UINT size = 0;
  if (!app->GetProfileBinary(lpszSection, L"Layout", &data, &size)) return FALSE;
  std::vector<SavedRow> rows;
  std::vector<SavedPane> loose;
  const bool valid = Parse(data, size, rows, loose);
  delete[] data;
  if (!valid) {
    OutputDebugStringW(L"CDockingManager::LoadState: the stored layout is damaged and was ignored\n");
    return FALSE;
  }
  // Rebuild the rows that name panes of this frame; each pane takes its first place only.
  std::vector<CBasePane*> placed;
  for (const SavedRow& saved : rows) {
    Row* row = nullptr;
    for (const SavedPane& savedPane : saved.panes) {
      CBasePane* pane = FindPaneByID(savedPane.id);
      if (!pane || (pane->IsResizable() != 0) != (saved.resizable != 0)) continue;
      if (std::find(placed.begin(), placed.end(), pane) != placed.end()) continue;
      if (!(pane->GetEnabledAlignment() & saved.side)) continue;
      placed.push_back(pane);
      UndockPane(pane);
      if (!row) {
        row = NewRow(saved.side, saved.resizable, FALSE);
        row->thickness = static_cast<int>(std::min<UINT32>(saved.thickness, 4096));
      }
      row->panes.Add(pane);
      row->extents.Add(saved.resizable ? static_cast<int>(std::min<UINT32>(savedPane.extent, 4096))
                                       : static_cast<int>(std::min<UINT32>(savedPane.extent + 1, 4097)) - 1);
      pane->SetCurrentAlignment(saved.side);
      SetShown(pane, savedPane.visible);
    }
  }
  // Rows rebuilt above come after the frame's own rows; move them to the front in saved order.
  if (!placed.empty()) {
    CArray<Row*, Row*> ordered;
    for (int i = 0; i < m_rows.GetSize(); ++i) {
      Row* row = m_rows[i];
      const bool restored = std::find(placed.begin(), placed.end(), row->panes[0]) != placed.end();
      if (restored) ordered.Add(row);
    }
    for (int i = 0; i < m_rows.GetSize(); ++i) {
      Row* row = m_rows[i];
      if (std::find(placed.begin(), placed.end(), row->panes[0]) == placed.end()) ordered.Add(row);
    }
    m_rows.RemoveAll();
    m_rows.Append(ordered);
  }
  for (const SavedPane& savedPane : loose) {
    CBasePane* pane = FindPaneByID(savedPane.id);
    if (pane && !FindRow(pane)) SetShown(pane, savedPane.visible);
  }
  RecalcLayout();
  return TRUE;
}
