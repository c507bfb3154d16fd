// The File menu's WIA commands: the device, the feeder or flatbed choice, and the acquisition under
// the transfer dialog, whose pages or files become documents.
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "LUserWia.h"
#include "MyProcs.h"
#include "ScanDialogs.h"
#include "WiaFormats.h"
#include "resource.h"

namespace {

constexpr LONG kScanner = 1;
constexpr PROPID kDocumentHandlingCapabilities = 3086;
constexpr PROPID kDocumentHandlingSelect = 3088;
constexpr PROPID kItemCategory = 4125;  // WIA_IPA_ITEM_CATEGORY
constexpr LONG kFeederBit = 1, kFlatbedBit = 2;
const GUID kFeederCategory = {0xfe131934, 0xf84c, 0x42ad, {0x8d, 0xa4, 0x61, 0x29, 0xcd, 0xdd, 0x72, 0x88}};
const GUID kFlatbedCategory = {0xfb607b1f, 0x43f3, 0x488b, {0x85, 0x5b, 0xfb, 0x70, 0x3e, 0xc3, 0x42, 0xa6}};

void WiaErrorBox(UINT stringId, int code) {
  CString format, text;
  format.LoadString(stringId);
  text.Format(format, code);
  CaptionBox(text, L"Vantry", MB_OK | MB_ICONERROR);
}

int Version() {
  OSVERSIONINFOW info = {sizeof info};
  if (!::GetVersionExW(&info)) return 1;
  return info.dwMajorVersion >= 6 ? 2 : 1;
}

}  // namespace

void CFolimarApp::StartWiaSession() {
  DEF_TRY
  m_wiaVersion = Version();
  WCHAR extension[MAX_PATH] = L"bmp";
  GetWiaImageFormat(nullptr, extension);
  m_wiaTransferPath.Format(L"%s%s.%s", static_cast<LPCWSTR>(GetTempDirPath()), L"Wia", extension);
  if (m_pWia == nullptr) m_pWia = new LUserWia;
  m_pWia->SetWindow(m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr);
  m_wiaAvailable = m_pWia->IsAvailable(m_wiaVersion);
  if (m_wiaAvailable && m_pWia->InitSession(m_wiaVersion) != SUCCESS) m_wiaAvailable = 0;
  DEF_CATCH("CFolimarApp::StartWiaSession")
}

void CFolimarApp::EndWiaSession() {
  DEF_TRY
  FreeWiaItems();
  if (m_pWia != nullptr) {
    m_pWia->EndSession();
    delete m_pWia;
    m_pWia = nullptr;
  }
  m_wiaAvailable = 0;
  m_deviceSelected = 0;
  DEF_CATCH("CFolimarApp::EndWiaSession")
}

void CFolimarApp::FreeWiaItems() {
  DEF_TRY
  if (m_hWiaItems != nullptr) {
    auto* items = static_cast<pLWIAITEM*>(GlobalLock(m_hWiaItems));
    for (int i = 0; items != nullptr && i < m_wiaItemCount; ++i) {
      if (items[i] != nullptr) LWia::FreeItem(items[i]);
      items[i] = nullptr;
    }
    GlobalUnlock(m_hWiaItems);
    GlobalFree(m_hWiaItems);
  }
  m_hWiaItems = nullptr;
  m_wiaItemCount = 0;
  DEF_CATCH("CFolimarApp::FreeWiaItems")
}

void CFolimarApp::OnFileWiaSelectSource() {
  DEF_TRY
  if (m_pWia == nullptr) return;
  const int result = m_pWia->SelectDevice(TRUE);
  if (result == LWIA_CANCELED) return;
  if (result == SUCCESS) {
    m_deviceSelected = 1;
    LONG type = 0;
    m_pWia->GetSelectedDeviceType(&type);
    return;
  }
  m_deviceSelected = 0;
  if (result == ERROR_WIA_NO_DEVICES) {
    CString text;
    text.LoadString(IDS_WIA_NO_DEVICES);
    CaptionBox(text, L"Vantry", MB_OK | MB_ICONERROR);
  } else {
    WiaErrorBox(IDS_WIA_SELECT_FAILED, result);
  }
  DEF_CATCH("CFolimarApp::OnFileWiaSelectSource")
}

int CFolimarApp::ChooseWiaDocumentSource() {
  DEF_TRY
  LONG type = 0;
  if (m_pWia->GetSelectedDeviceType(&type) != SUCCESS || type != kScanner) return 1;
  pLWIAITEM root = nullptr;
  if (m_pWia->GetRootItem(&root) != SUCCESS) return 1;
  int result = 1;
  if (m_wiaVersion == 1) {
    LONG capabilities = 0;
    if (LWia::GetPropertyLong(root, kDocumentHandlingCapabilities, &capabilities) == SUCCESS &&
        (capabilities & kFeederBit) && (capabilities & kFlatbedBit)) {
      CAcquireSourceDlg dialog(m_pMainWnd);
      if (dialog.DoModal() != IDOK)
        result = LWIA_CANCELED;
      else
        LWia::SetPropertyLong(root, kDocumentHandlingSelect, m_feederChosen ? kFeederBit : kFlatbedBit);
    }
  } else if (m_pWia->EnumChildItems(root, &m_hWiaItems, &m_wiaItemCount) == SUCCESS && m_wiaItemCount >= 2) {
    CAcquireSourceDlg dialog(m_pMainWnd);
    if (dialog.DoModal() != IDOK) {
      result = LWIA_CANCELED;
    } else {
      const GUID& wanted = m_feederChosen ? kFeederCategory : kFlatbedCategory;
      auto* items = static_cast<pLWIAITEM*>(GlobalLock(m_hWiaItems));
      for (int i = 0; i < m_wiaItemCount && m_pSourceItem == nullptr; ++i) {
        GUID category = {};
        if (LWia::GetPropertyGuid(items[i], kItemCategory, &category) == SUCCESS && IsEqualGUID(category, wanted)) {
          m_pSourceItem = items[i];  // the source item outlives the array
          items[i] = nullptr;
        }
      }
      GlobalUnlock(m_hWiaItems);
    }
  }
  if (m_wiaVersion != 1) FreeWiaItems();
  LWia::FreeItem(root);
  return result;
  DEF_CATCH("CFolimarApp::ChooseWiaDocumentSource")
  return LWIA_CANCELED;
}

void CFolimarApp::OnFileWiaAcquire() {
  DEF_TRY
  if (m_pWia == nullptr) return;
  m_wiaAcquiring = 1;
  m_transferCancel = 0;
  UINT flags = LWIA_SHOW_DEVICE_DIALOG | LWIA_SHOW_PROGRESS | LWIA_USE_ITEM;
  if (!m_deviceDialog) {
    if (ChooseWiaDocumentSource() != 1) {
      m_wiaAcquiring = 0;
      return;
    }
    flags = LWIA_USE_ITEM;
  }
  CProgressDlg& progress = m_pWia->m_progress;
  if (!m_deviceDialog || m_wiaVersion == 1) {
    if (progress.Create()) {
      progress.ShowWindow(SW_SHOW);
      progress.m_progress.SetRange(0, 100);
      progress.m_progress.SetStep(1);
    }
  }
  LWIAACQUIRESETTINGS settings = {};
  settings.uStructSize = sizeof settings;
  settings.lTransferMode = LWIA_TRANSFER_MEMORY;
  if (m_pWiaOptions != nullptr) {
    m_transferMode = m_pWiaOptions->lTransferMode;
    settings.lTransferMode = m_transferMode;
    if (m_pWiaOptions->pFormat != nullptr) settings.guidFormat = *m_pWiaOptions->pFormat;
  } else {
    m_transferMode = LWIA_TRANSFER_MEMORY;
  }
  wcsncpy(settings.szFileName, m_wiaTransferPath, MAX_PATH - 1);
  int count = 0;
  LPWSTR* files = nullptr;
  const int result = m_pWia->Acquire(flags, static_cast<pLWIAITEM>(m_pSourceItem), &settings, &count, &files);
  // A cancel only hides the dialog: it is destroyed on every path, so no window stays behind.
  if (progress.GetSafeHwnd() != nullptr) progress.DestroyWindow();
  FreeWiaItems();
  if (m_pSourceItem != nullptr) LWia::FreeItem(static_cast<pLWIAITEM>(m_pSourceItem));
  m_pSourceItem = nullptr;
  if (result == SUCCESS) {
    if (count == 0 && m_wiaVersion == 2 && m_transferMode == LWIA_TRANSFER_FILE &&
        m_wiaTransferPath.Find(L'\\') >= 0 && FileExists(m_wiaTransferPath)) {
      CreateDocFromImage(m_wiaTransferPath);
    }
    for (int i = 0; i < count; ++i) CreateDocFromImage(files[i]);
  } else if (result != LWIA_CANCELED && result != ERROR_WIA_USER_ABORT) {
    // Reported in memory transfers too: a failed scan must not pass for an empty one.
    WiaErrorBox(IDS_WIA_ACQUIRE_FAILED, result);
  }
  LWia::FreeFileNames(count, files);
  m_wiaAcquiring = 0;
  return;
  DEF_CATCH("CFolimarApp::OnFileWiaAcquire")
  m_wiaAcquiring = 0;
}

void CFolimarApp::OnUpdateFileWiaSelectSource(CCmdUI* pCmdUI) { pCmdUI->Enable(m_wiaAvailable); }

void CFolimarApp::OnUpdateFileWiaAcquire(CCmdUI* pCmdUI) { pCmdUI->Enable(m_deviceSelected && !m_wiaAcquiring); }
