// A tool bar's buttons in the registry. Below the docking manager's section, key "ToolBar-<id>":
//   "Buttons" (REG_BINARY): "FWTB", version 1, FNV-1a checksum of the payload, payload length,
//       then the payload: button count; per button its class name (16-bit length, ASCII), its
//       record length (32-bit) and the record the button's Serialize wrote.
//   "Name", "UserToolBar", "TextLabels": the title and kind of a bar the user made.
// All numbers little-endian 32-bit unless said. Loading checks the whole value before it changes
// anything; a short, damaged or unknown value leaves the bar as it is.
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "BarInternal.h"
#include "ProfileBlob.h"
#include "fw/MemFile.h"
#include "fw/WinApp.h"

namespace {

const char kMagic[4] = {'F', 'W', 'T', 'B'};
const UINT32 kVersion = 1;
const UINT32 kMaxButtons = 1024;

UINT32 Checksum(const BYTE* data, size_t size) {
  UINT32 hash = 2166136261u;
  for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  return hash;
}

using fw_internal::BlobReader;
using fw_internal::PutWord;

CString SectionOf(LPCTSTR lpszProfileName, UINT id) {
  CString section;
  section.Format(L"%s\\ToolBar-%u", lpszProfileName, id);
  return section;
}

// One button's record as its Serialize writes it.
bool StoreButton(CMFCToolBarButton* button, std::vector<BYTE>& out) {
  CMemFile file;
  try {
    CArchive ar(&file, CArchive::store);
    button->Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    return false;
  }
  const UINT size = static_cast<UINT>(file.GetLength());
  BYTE* block = file.Detach();
  out.assign(block, block + size);
  free(block);
  return true;
}

// A button of class `name` read from its record; null when the class is unknown, is no button
// class, or the record does not read back whole.
CMFCToolBarButton* LoadButton(const char* name, const BYTE* record, UINT size) {
  CRuntimeClass* cls = CRuntimeClass::FromName(name);
  if (!cls || !cls->IsDerivedFrom(RUNTIME_CLASS(CMFCToolBarButton))) return nullptr;
  CObject* made = cls->CreateObject();
  if (!made) return nullptr;
  CMFCToolBarButton* button = static_cast<CMFCToolBarButton*>(made);
  std::vector<BYTE> copy(record, record + size);
  CMemFile file(copy.data(), size);
  bool whole = false;
  try {
    CArchive ar(&file, CArchive::load);
    button->Serialize(ar);
    ar.Flush();
    whole = file.GetPosition() == size;
    ar.Close();
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  if (!whole) {
    delete button;
    return nullptr;
  }
  return button;
}

}  // namespace

BOOL CMFCToolBar::SaveState(LPCTSTR lpszProfileName, int, UINT uiID) {
  CWinApp* app = AfxGetApp();
  if (!app || !lpszProfileName || !m_hWnd) return FALSE;
  if (uiID == static_cast<UINT>(-1)) uiID = static_cast<UINT>(GetDlgCtrlID());
  std::vector<BYTE> payload;
  PutWord(payload, static_cast<UINT32>(m_Buttons.GetCount()));
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
    CMFCToolBarButton* button = static_cast<CMFCToolBarButton*>(m_Buttons.GetNext(pos));
    std::vector<BYTE> record;
    if (!StoreButton(button, record)) return FALSE;
    const char* name = button->GetRuntimeClass()->m_lpszClassName;
    const UINT32 length = static_cast<UINT32>(strlen(name));
    payload.push_back(static_cast<BYTE>(length & 0xFF));
    payload.push_back(static_cast<BYTE>(length >> 8));
    payload.insert(payload.end(), name, name + length);
    PutWord(payload, static_cast<UINT32>(record.size()));
    payload.insert(payload.end(), record.begin(), record.end());
  }
  std::vector<BYTE> value(kMagic, kMagic + 4);
  PutWord(value, kVersion);
  PutWord(value, Checksum(payload.data(), payload.size()));
  PutWord(value, static_cast<UINT32>(payload.size()));
  value.insert(value.end(), payload.begin(), payload.end());
  const CString section = SectionOf(lpszProfileName, uiID);
  BOOL saved = app->WriteProfileBinary(section, L"Buttons", value.data(), static_cast<UINT>(value.size()));
  saved = app->WriteProfileInt(section, L"TextLabels", m_bTextLabels ? 1 : 0) && saved;
  if (m_bUserDefined) {
    CString name;
    GetWindowText(name);
    saved = app->WriteProfileString(section, L"Name", name) && saved;
    saved = app->WriteProfileInt(section, L"UserToolBar", 1) && saved;
  }
  return saved;
}

BOOL CMFCToolBar::LoadState(LPCTSTR lpszProfileName, int, UINT uiID) {
  CWinApp* app = AfxGetApp();
  if (!app || !lpszProfileName) return FALSE;
  if (uiID == static_cast<UINT>(-1) && m_hWnd) uiID = static_cast<UINT>(GetDlgCtrlID());
  const CString section = SectionOf(lpszProfileName, uiID);
  LPBYTE data = nullptr;
  UINT size = 0;
  if (!app->GetProfileBinary(section, L"Buttons", &data, &size)) return FALSE;
  std::vector<BYTE> value(data, data + size);
  delete[] data;

  std::vector<CMFCToolBarButton*> buttons;
  bool valid = value.size() >= 16 && memcmp(value.data(), kMagic, 4) == 0;
  if (valid) {
    BlobReader header(value.data() + 4, 12);
    UINT32 version = 0, checksum = 0, length = 0;
    header.Get(version);
    header.Get(checksum);
    header.Get(length);
    const BYTE* payload = value.data() + 16;
    valid = version == kVersion && length == value.size() - 16 && Checksum(payload, length) == checksum;
    BlobReader in(payload, valid ? length : 0);
    UINT32 count = 0;
    valid = valid && in.Get(count) && count <= kMaxButtons;
    for (UINT32 i = 0; valid && i < count; ++i) {
      UINT32 nameLength = 0, recordLength = 0;
      const BYTE* name = nullptr;
      const BYTE* record = nullptr;
      valid = in.Get16(nameLength) && nameLength > 0 && nameLength < 128 && (name = in.Take(nameLength)) &&
              in.Get(recordLength) && (record = in.Take(recordLength));
      if (!valid) break;
      const std::string className(reinterpret_cast<const char*>(name), nameLength);
      CMFCToolBarButton* button = LoadButton(className.c_str(), record, recordLength);
      valid = button != nullptr;
      if (button) buttons.push_back(button);
    }
    valid = valid && in.Done();
  }
  if (!valid) {
    for (CMFCToolBarButton* button : buttons) delete button;
    OutputDebugStringW(L"CMFCToolBar::LoadState: the stored buttons are damaged and were ignored\n");
    return FALSE;
  }
  RemoveAllButtons();
  for (CMFCToolBarButton* button : buttons) {
    m_Buttons.AddTail(button);
    AttachButton(button);
  }
  m_bTextLabels = app->GetProfileInt(section, L"TextLabels", m_bTextLabels) != 0;
  if (m_bUserDefined) {
    const CString name = app->GetProfileString(section, L"Name", L"");
    if (!name.IsEmpty() && m_hWnd) SetWindowText(name);
  }
  OnButtonsChanged();
  return TRUE;
}

BOOL CMFCToolBar::RemoveStateFromRegistry(LPCTSTR lpszProfileName, UINT uiID) {
  CWinApp* app = AfxGetApp();
  if (!app || !lpszProfileName) return FALSE;
  if (uiID == static_cast<UINT>(-1) && m_hWnd) uiID = static_cast<UINT>(GetDlgCtrlID());
  return app->WriteProfileString(SectionOf(lpszProfileName, uiID), nullptr, nullptr);
}
