// The File menu's scanning commands: the TWAIN source, its feeder set-up and the acquisition, whose
// pages the TWAIN host turns into documents.
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "LUserTwain.h"
#include "MyProcs.h"
#include "ScanDialogs.h"
#include "resource.h"

namespace {

// Native transfers, the source kept open (its capabilities stay set), no dialog of the source.
constexpr UINT kTwainAcquireFlags = LTWAIN_NATIVE_XFER | LTWAIN_KEEP_SOURCE | LTWAIN_HIDE_SOURCE_UI;

// Sets a boolean capability; SUCCESS when the source took it.
int SetBoolCapability(LTwain* twain, TW_UINT16 capability, BOOL value) {
  TW_CAPABILITY cap = {};
  int result = LTwain::MakeOneValue(&cap, capability, TWTY_BOOL, value ? 1 : 0);
  if (result == SUCCESS) result = twain->SetCapability(&cap);
  LTwain::FreeContainer(&cap);
  return result;
}

}  // namespace

void CFolimarApp::StartScanningSessions() {
  DEF_TRY
  if (m_pTwainHost == nullptr) m_pTwainHost = new LUserBitmap;
  LTwain* twain = m_pTwainHost->Twain();
  m_twainAvailable = LTwain::IsAvailable();
  if (m_twainAvailable && twain->InitSession(m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr) != SUCCESS)
    m_twainAvailable = 0;
  StartWiaSession();
  DEF_CATCH("CFolimarApp::StartScanningSessions")
}

void CFolimarApp::EndScanningSessions() {
  DEF_TRY
  if (m_pTwainHost != nullptr) {
    if (m_twainAvailable) m_pTwainHost->Twain()->EndSession();
    delete m_pTwainHost;
    m_pTwainHost = nullptr;
  }
  m_twainAvailable = 0;
  EndWiaSession();
  DEF_CATCH("CFolimarApp::EndScanningSessions")
}

void CFolimarApp::OnFileTwainSelectSource() {
  DEF_TRY
  if (m_pTwainHost == nullptr) return;
  const int result = m_pTwainHost->Twain()->SelectSource();
  if (result != SUCCESS && result != ERROR_TWAIN_CANCELED) ErrorBox(IDS_TWAIN_SELECT_FAILED);
  DEF_CATCH("CFolimarApp::OnFileTwainSelectSource")
}

void CFolimarApp::OnTwainAcquire() {
  DEF_TRY
  if (m_pTwainHost == nullptr) return;
  m_twainAcquiring = 1;
  LTwain* twain = m_pTwainHost->Twain();
  twain->EnableCallBack(TRUE);
  if (m_feederWanted) m_feederRequested = 1;
  m_scanDocument = nullptr;
  const int result = twain->Acquire(nullptr, kTwainAcquireFlags, 1);
  // An autofeed scan that stops half way leaves no document of its first pages behind.
  if (result != SUCCESS && m_scanDocument != nullptr) m_scanDocument->OnCloseDocument();
  m_scanDocument = nullptr;
  if (result != SUCCESS && result != ERROR_TWAIN_CANCELED) ErrorBox(IDS_TWAIN_ACQUIRE_FAILED);
  m_twainAcquiring = 0;
  return;
  DEF_CATCH("CFolimarApp::OnTwainAcquire")
  m_scanDocument = nullptr;
  m_twainAcquiring = 0;
}

void CFolimarApp::OnFileTwainSetup() {
  DEF_TRY
  if (m_pTwainHost == nullptr) return;
  CTwainSetupDlg dialog(m_pMainWnd);
  dialog.m_feederMode = m_feederWanted ? 1 : 0;
  if (dialog.DoModal() != IDOK) return;
  LTwain* twain = m_pTwainHost->Twain();
  if (dialog.GetFeederMode() == 0) {
    // "Manual feeder": pages are laid on one at a time, so the automatic feeder goes off.
    m_feederWanted = 0;
    if (SetBoolCapability(twain, CAP_FEEDERENABLED, FALSE) != SUCCESS) ErrorBox(IDS_TWAIN_AUTOFEED_FAILED);
    return;
  }
  // "Autofeed": the feeder feeds every loaded sheet in one acquisition.
  if (SetBoolCapability(twain, CAP_FEEDERENABLED, TRUE) != SUCCESS ||
      SetBoolCapability(twain, CAP_AUTOFEED, TRUE) != SUCCESS) {
    ErrorBox(IDS_TWAIN_AUTOFEED_FAILED);
    return;
  }
  m_feederWanted = 1;
  TW_CAPABILITY loaded = {CAP_FEEDERLOADED, TWON_ONEVALUE, nullptr};
  TW_UINT32 value = 1;
  if (twain->GetCapability(&loaded) == SUCCESS && LTwain::ReadOneValue(&loaded, &value) == SUCCESS && value == 0)
    ErrorBox(IDS_TWAIN_FEEDER_EMPTY);
  LTwain::FreeContainer(&loaded);
  DEF_CATCH("CFolimarApp::OnFileTwainSetup")
}

void CFolimarApp::OnUpdateTwainCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(m_twainAvailable); }

void CFolimarApp::OnUpdateTwainAcquire(CCmdUI* pCmdUI) { pCmdUI->Enable(m_twainAvailable && !m_twainAcquiring); }

void CFolimarApp::OnUpdateAppExit(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_twainAcquiring); }
