#include "LUserWia.h"

#include "ErrorLog.h"
#include "FolimarApp.h"
#include "MyProcs.h"

LUserWia::LUserWia() { EnableCallBack(TRUE); }

LUserWia::~LUserWia() {
  if (m_progress.GetSafeHwnd() != nullptr) m_progress.DestroyWindow();
}

int LUserWia::AcquireCallBack(pBITMAPHANDLE pBitmap, LPCWSTR pszFile, int nPercent, UINT uFlags) {
  DEF_TRY
  CFolimarApp* app = GetFolimarApp();
  if (app == nullptr) return SUCCESS;
  if (m_progress.GetSafeHwnd() != nullptr) {
    if ((uFlags & LWIA_CB_NEW_ITEM) && app->m_transferMode == LWIA_TRANSFER_FILE) {
      CString format, text;
      format.LoadString(IDS_TRANSFERRING_TO_FILE);
      text.Format(format, pszFile != nullptr ? pszFile : L"");
      m_progress.SetDlgItemText(IDC_TRANSFER_TEXT, text);
    }
    m_progress.m_progress.SetPos((uFlags & LWIA_CB_NEW_ITEM) && !(uFlags & LWIA_CB_PROGRESS) ? 0 : nPercent);
    PumpMessages();
    if (app->m_transferCancel) return ERROR_WIA_USER_ABORT;
  }
  if (app->m_transferMode != LWIA_TRANSFER_FILE && pBitmap != nullptr && (pBitmap->Flags & BITMAP_ALLOCATED)) {
    LBitmapBase page;
    page.SetHandle(pBitmap, TRUE);
    app->CreateDocFromBitmap(&page);
    PumpMessages();
  }
  DEF_CATCH("LUserWia::AcquireCallBack")
  return SUCCESS;
}
