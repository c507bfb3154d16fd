#include "LTwain.h"

#include <cstring>

#include "ImagingInternal.h"

using imaging_internal::Fail;

namespace {

LTwain::Factory g_factory = nullptr;

void CopyName(TW_STR32& target, const char* text) {
  std::memset(target, 0, sizeof target);
  std::strncpy(target, text, sizeof target - 1);
}

HMODULE LoadDsm() { return LoadLibraryW(L"twain_32.dll"); }

}  // namespace

LTwain::LTwain() {
  std::memset(&m_app, 0, sizeof m_app);
  std::memset(&m_source, 0, sizeof m_source);
  m_app.Version.MajorNum = 1;
  m_app.Version.Language = 13;  // English (USA)
  m_app.Version.Country = 1;
  CopyName(m_app.Version.Info, "1.0");
  m_app.ProtocolMajor = TWON_PROTOCOLMAJOR;
  m_app.ProtocolMinor = TWON_PROTOCOLMINOR;
  m_app.SupportedGroups = DG_CONTROL | DG_IMAGE;
  CopyName(m_app.Manufacturer, "Quennick");
  CopyName(m_app.ProductFamily, "Vantry");
  CopyName(m_app.ProductName, "Vantry");
}

LTwain::~LTwain() {
  EndSession();
  if (m_hDsm) FreeLibrary(m_hDsm);
}

void LTwain::SetFactory(Factory factory) { g_factory = factory; }

LTwain* LTwain::Create() { return g_factory ? g_factory() : new LTwain; }

BOOL LTwain::IsAvailable() {
  HMODULE dsm = LoadDsm();
  if (!dsm) return FALSE;
  const BOOL found = GetProcAddress(dsm, "DSM_Entry") != nullptr;
  FreeLibrary(dsm);
  return found;
}

TW_UINT16 LTwain::Dsm(TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  return m_entry(&m_app, dest, group, dat, msg, data);
}

int LTwain::InitSession(HWND hWnd) {
  if (m_dsmOpen) return SUCCESS;
  if (!m_hDsm) m_hDsm = LoadDsm();
  if (m_hDsm && !m_entry) m_entry = reinterpret_cast<DSMENTRYPROC>(GetProcAddress(m_hDsm, "DSM_Entry"));
  if (!m_entry) return Fail(ERROR_TWAIN_NO_DSM, "LTwain::InitSession");
  m_hWnd = hWnd;
  HWND parent = hWnd;
  if (Dsm(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent) != TWRC_SUCCESS)
    return Fail(ERROR_TWAIN_NO_DSM, "LTwain::InitSession open");
  m_dsmOpen = TRUE;
  return SUCCESS;
}

int LTwain::EndSession() {
  if (!m_dsmOpen) return SUCCESS;
  CloseSource();
  HWND parent = m_hWnd;
  Dsm(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
  m_dsmOpen = FALSE;
  return SUCCESS;
}

int LTwain::SelectSource() {
  if (!m_dsmOpen) return Fail(ERROR_TWAIN_NO_DSM, "LTwain::SelectSource");
  TW_IDENTITY chosen = m_source;
  switch (Dsm(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &chosen)) {
    case TWRC_SUCCESS:
      break;
    case TWRC_CANCEL:
      return ERROR_TWAIN_CANCELED;
    default:
      return Fail(ERROR_TWAIN_NO_SOURCE, "LTwain::SelectSource");
  }
  // Another source: the open one goes, the capabilities set on it with it.
  if (std::strncmp(chosen.ProductName, m_source.ProductName, sizeof chosen.ProductName) != 0) CloseSource();
  m_source = chosen;
  return SUCCESS;
}

int LTwain::OpenSource() {
  if (m_sourceOpen) return SUCCESS;
  if (!m_dsmOpen) return Fail(ERROR_TWAIN_NO_DSM, "LTwain::OpenSource");
  // An empty product name opens the manager's default source.
  TW_IDENTITY source = m_source;
  source.Id = 0;
  if (Dsm(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source) != TWRC_SUCCESS)
    return Fail(ERROR_TWAIN_NO_SOURCE, "LTwain::OpenSource");
  m_source = source;
  m_sourceOpen = TRUE;
  return SUCCESS;
}

void LTwain::CloseSource() {
  if (!m_sourceOpen) return;
  Dsm(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &m_source);
  m_sourceOpen = FALSE;
}

int LTwain::SourceFailure(const char* where) {
  TW_STATUS status = {};
  Dsm(&m_source, DG_CONTROL, DAT_STATUS, MSG_GET, &status);
  char text[120];
  wsprintfA(text, "%s (condition %u)", where, static_cast<unsigned>(status.ConditionCode));
  return Fail(ERROR_TWAIN_FAILED, text);
}

int LTwain::MakeOneValue(TW_CAPABILITY* pCap, TW_UINT16 capId, TW_UINT16 itemType, TW_UINT32 value) {
  if (!pCap) return Fail(ERROR_INV_PARAMETER, "LTwain::MakeOneValue");
  HGLOBAL block = GlobalAlloc(GHND, sizeof(TW_ONEVALUE));
  if (!block) return Fail(ERROR_NO_MEMORY, "LTwain::MakeOneValue");
  auto* one = static_cast<TW_ONEVALUE*>(GlobalLock(block));
  one->ItemType = itemType;
  one->Item = value;
  GlobalUnlock(block);
  pCap->Cap = capId;
  pCap->ConType = TWON_ONEVALUE;
  pCap->hContainer = block;
  return SUCCESS;
}

int LTwain::ReadOneValue(const TW_CAPABILITY* pCap, TW_UINT32* pValue) {
  if (!pCap || !pValue || pCap->ConType != TWON_ONEVALUE || !pCap->hContainer ||
      GlobalSize(pCap->hContainer) < sizeof(TW_ONEVALUE))
    return Fail(ERROR_INV_PARAMETER, "LTwain::ReadOneValue");
  const auto* one = static_cast<const TW_ONEVALUE*>(GlobalLock(pCap->hContainer));
  if (!one) return Fail(ERROR_NO_MEMORY, "LTwain::ReadOneValue");
  // Narrow item types fill only the low bytes of the item.
  switch (one->ItemType) {
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL:
      *pValue = one->Item & 0xFFFF;
      break;
    default:
      *pValue = one->Item;
      break;
  }
  GlobalUnlock(pCap->hContainer);
  return SUCCESS;
}

int LTwain::FreeContainer(TW_CAPABILITY* pCap) {
  if (!pCap) return Fail(ERROR_INV_PARAMETER, "LTwain::FreeContainer");
  if (pCap->hContainer) GlobalFree(pCap->hContainer);
  pCap->hContainer = nullptr;
  return SUCCESS;
}

int LTwain::SetCapability(TW_CAPABILITY* pCap) {
  if (!pCap) return Fail(ERROR_INV_PARAMETER, "LTwain::SetCapability");
  const int opened = OpenSource();
  if (opened != SUCCESS) return opened;
  if (Dsm(&m_source, DG_CONTROL, DAT_CAPABILITY, MSG_SET, pCap) != TWRC_SUCCESS)
    return SourceFailure("LTwain::SetCapability");
  return SUCCESS;
}

int LTwain::GetCapability(TW_CAPABILITY* pCap) {
  if (!pCap) return Fail(ERROR_INV_PARAMETER, "LTwain::GetCapability");
  const int opened = OpenSource();
  if (opened != SUCCESS) return opened;
  pCap->ConType = TWON_ONEVALUE;
  pCap->hContainer = nullptr;
  if (Dsm(&m_source, DG_CONTROL, DAT_CAPABILITY, MSG_GET, pCap) != TWRC_SUCCESS)
    return SourceFailure("LTwain::GetCapability");
  return SUCCESS;
}


int LTwain::BitmapCallBack(pBITMAPHANDLE) { return SUCCESS; }

int LTwain::TransferPages() {
  for (;;) {
    TW_HANDLE dib = nullptr;
    const TW_UINT16 rc = Dsm(&m_source, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib);
    TW_PENDINGXFERS pending = {};
    if (rc != TWRC_XFERDONE) {
      const int result = rc == TWRC_CANCEL ? ERROR_TWAIN_CANCELED : SourceFailure("LTwain::Acquire transfer");
      if (dib) GlobalFree(dib);
      Dsm(&m_source, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
      if (pending.Count != 0) Dsm(&m_source, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
      return result;
    }
    LBitmapBase page;
    const int converted = LChange::ChangeFromDIB(&page, static_cast<HGLOBAL>(dib));
    int result = converted == SUCCESS ? SUCCESS : Fail(converted, "LTwain::Acquire page");
    // The callback takes the page out of `page`; what it leaves is freed with it.
    if (result == SUCCESS && IsCallBackEnabled()) result = BitmapCallBack(page.GetHandle());
    Dsm(&m_source, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
    if (result != SUCCESS) {
      if (pending.Count != 0) Dsm(&m_source, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
      return result;
    }
    if (pending.Count == 0) return SUCCESS;
  }
}

int LTwain::Acquire(LBitmapBase*, UINT uFlags, int nRequests) {
  if (!(uFlags & LTWAIN_NATIVE_XFER)) return Fail(ERROR_INV_PARAMETER, "LTwain::Acquire flags");
  int result = OpenSource();
  for (int request = 0; result == SUCCESS && request < nRequests; ++request) {
    TW_USERINTERFACE ui = {};
    ui.ShowUI = (uFlags & LTWAIN_HIDE_SOURCE_UI) ? 0 : 1;
    ui.hParent = m_hWnd;
    if (Dsm(&m_source, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS) {
      result = SourceFailure("LTwain::Acquire enable");
      break;
    }
    // The source reports its events as window messages that only it can read: every message of
    // this thread goes past it first, until it has delivered its pages or asked to be closed.
    bool done = false;
    MSG msg;
    while (!done) {
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got <= 0) {
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
        result = Fail(ERROR_TWAIN_FAILED, "LTwain::Acquire message loop");
        break;
      }
      TW_EVENT event = {&msg, MSG_NULL};
      if (Dsm(&m_source, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event) != TWRC_DSEVENT) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        continue;
      }
      if (event.TWMessage == MSG_XFERREADY) {
        result = TransferPages();
        done = true;
      } else if (event.TWMessage == MSG_CLOSEDSREQ || event.TWMessage == MSG_CLOSEDSOK) {
        result = ERROR_TWAIN_CANCELED;
        done = true;
      }
    }
    Dsm(&m_source, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
  }
  if (!(uFlags & LTWAIN_KEEP_SOURCE)) CloseSource();
  return result;
}
