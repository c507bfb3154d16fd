// A TWAIN data source for the tests: a scanner with a flatbed and a feeder that "scans" the image
// files named in the tests' settings (TestScannerSettings.h), delivering them as native DIB
// transfers, one per page, and failing or being cancelled at the page the settings name.
// Wine's data source manager loads sources by the module names "sane.ds" and "gphoto2.ds" only,
// so this one is built as sane.ds and put where the loader finds it.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "Imaging.h"
#include "TestScannerSettings.h"

namespace {

const char kProductName[] = "Vantry Test Scanner";

struct Source {
  TW_IDENTITY self = {};
  TW_IDENTITY app = {};
  bool open = false;
  bool enabled = false;
  test_scanner::Settings settings;
  bool feederEnabled = false;
  bool autoFeed = false;
  std::vector<std::wstring> pages;  // what the current acquisition delivers
  size_t next = 0;                  // index of the next page to transfer
  TW_UINT16 condition = TWCC_SUCCESS;
} g_source;

void FillIdentity(TW_IDENTITY& id) {
  const TW_UINT32 keep = id.Id;
  std::memset(&id, 0, sizeof id);
  id.Id = keep;
  id.Version.MajorNum = 1;
  id.Version.Language = 13;
  id.Version.Country = 1;
  std::strcpy(id.Version.Info, "1.0");
  id.ProtocolMajor = TWON_PROTOCOLMAJOR;
  id.ProtocolMinor = TWON_PROTOCOLMINOR;
  id.SupportedGroups = DG_CONTROL | DG_IMAGE;
  std::strcpy(id.Manufacturer, "Vantry Tests");
  std::strcpy(id.ProductFamily, "Test scanners");
  std::strcpy(id.ProductName, kProductName);
}

TW_UINT16 Failure(TW_UINT16 condition) {
  g_source.condition = condition;
  return TWRC_FAILURE;
}

// Tells the application through the manager, as a source does from its own thread of events.
void Notify(TW_UINT16 msg) {
  HMODULE dsm = GetModuleHandleW(L"twain_32.dll");
  auto entry = dsm ? reinterpret_cast<DSMENTRYPROC>(GetProcAddress(dsm, "DSM_Entry")) : nullptr;
  if (entry) entry(&g_source.self, &g_source.app, DG_CONTROL, DAT_NULL, msg, nullptr);
}

bool HasFlatbed() { return !g_source.settings.flatbed.empty(); }

// The one-value containers come from the imaging layer's own helper: both ends agree on the layout.
TW_UINT16 OneValue(TW_CAPABILITY* cap, TW_UINT16 type, TW_UINT32 value) {
  return LTwain::MakeOneValue(cap, cap->Cap, type, value) == SUCCESS ? TWRC_SUCCESS : Failure(TWCC_LOWMEMORY);
}

TW_UINT16 Capability(TW_UINT16 msg, TW_CAPABILITY* cap) {
  if (!cap) return Failure(TWCC_BADVALUE);
  if (msg == MSG_GET || msg == MSG_GETCURRENT) {
    switch (cap->Cap) {
      case CAP_FEEDERENABLED:
        return OneValue(cap, TWTY_BOOL, g_source.feederEnabled);
      case CAP_FEEDERLOADED:
        return OneValue(cap, TWTY_BOOL, g_source.feederEnabled && !g_source.settings.feeder.empty());
      case CAP_AUTOFEED:
        return OneValue(cap, TWTY_BOOL, g_source.autoFeed);
      case CAP_XFERCOUNT:
        return OneValue(cap, TWTY_INT16, 0xFFFF);
      default:
        return Failure(TWCC_BADCAP);
    }
  }
  if (msg != MSG_SET) return Failure(TWCC_BADPROTOCOL);
  if (cap->ConType != TWON_ONEVALUE || !cap->hContainer) return Failure(TWCC_BADVALUE);
  const auto* one = static_cast<const TW_ONEVALUE*>(GlobalLock(cap->hContainer));
  const bool on = one && (one->Item & 0xFFFF) != 0;
  GlobalUnlock(cap->hContainer);
  switch (cap->Cap) {
    case CAP_FEEDERENABLED:
      // A device without glass feeds every page.
      if (!on && !HasFlatbed()) return Failure(TWCC_BADVALUE);
      g_source.feederEnabled = on;
      if (!on) g_source.autoFeed = false;
      return TWRC_SUCCESS;
    case CAP_AUTOFEED:
      if (on && g_source.settings.feeder.empty() && !g_source.feederEnabled) return Failure(TWCC_BADVALUE);
      if (on) g_source.feederEnabled = true;
      g_source.autoFeed = on;
      return TWRC_SUCCESS;
    case CAP_XFERCOUNT:
      return TWRC_SUCCESS;
    default:
      return Failure(TWCC_BADCAP);
  }
}

TW_UINT16 Enable() {
  g_source.settings = test_scanner::ReadSettings();
  if (!HasFlatbed()) g_source.feederEnabled = true;
  g_source.pages.clear();
  if (g_source.feederEnabled)
    g_source.pages = g_source.settings.feeder;
  else
    g_source.pages.push_back(g_source.settings.flatbed);
  g_source.next = 0;
  g_source.enabled = true;
  // An empty feeder has nothing to scan: the source asks to be closed.
  Notify(g_source.pages.empty() ? MSG_CLOSEDSREQ : MSG_XFERREADY);
  return TWRC_SUCCESS;
}

TW_UINT16 NativeTransfer(TW_MEMREF data) {
  if (!g_source.enabled || g_source.next >= g_source.pages.size() || !data) return Failure(TWCC_SEQERROR);
  const DWORD page = static_cast<DWORD>(g_source.next + 1);
  if (page == g_source.settings.cancelAtPage) return TWRC_CANCEL;
  if (page == g_source.settings.failAtPage) return Failure(TWCC_OPERATIONERROR);
  LBitmapBase image;
  if (image.Load(g_source.pages[g_source.next].c_str()) != SUCCESS) return Failure(TWCC_OPERATIONERROR);
  HGLOBAL dib = image.ConvertToDIB();
  if (!dib) return Failure(TWCC_LOWMEMORY);
  *static_cast<TW_HANDLE*>(data) = dib;
  return TWRC_XFERDONE;
}

TW_UINT16 PendingTransfers(TW_UINT16 msg, TW_PENDINGXFERS* pending) {
  if (!pending) return Failure(TWCC_BADVALUE);
  if (msg == MSG_ENDXFER && g_source.next < g_source.pages.size()) ++g_source.next;
  if (msg == MSG_RESET) g_source.next = g_source.pages.size();
  pending->Count = static_cast<TW_UINT16>(g_source.pages.size() - g_source.next);
  pending->EOJ = 0;
  return TWRC_SUCCESS;
}

}  // namespace

extern "C" TW_UINT16 WINAPI DS_Entry(TW_IDENTITY* origin, TW_UINT32 group, TW_UINT16 dat,
                                                           TW_UINT16 msg, TW_MEMREF data) {
  if (group == DG_IMAGE && dat == DAT_IMAGENATIVEXFER && msg == MSG_GET) return NativeTransfer(data);
  if (group != DG_CONTROL) return Failure(TWCC_BADPROTOCOL);
  switch (dat) {
    case DAT_IDENTITY: {
      auto* id = static_cast<TW_IDENTITY*>(data);
      if (!id) return Failure(TWCC_BADVALUE);
      if (msg == MSG_GET) {
        FillIdentity(*id);
        return TWRC_SUCCESS;
      }
      if (msg == MSG_OPENDS) {
        FillIdentity(*id);
        g_source.self = *id;
        if (origin) g_source.app = *origin;
        g_source.settings = test_scanner::ReadSettings();
        g_source.feederEnabled = !HasFlatbed();
        g_source.autoFeed = false;
        g_source.open = true;
        return TWRC_SUCCESS;
      }
      if (msg == MSG_CLOSEDS) {
        g_source.open = g_source.enabled = false;
        return TWRC_SUCCESS;
      }
      return Failure(TWCC_BADPROTOCOL);
    }
    case DAT_CAPABILITY:
      return Capability(msg, static_cast<TW_CAPABILITY*>(data));
    case DAT_USERINTERFACE:
      if (msg == MSG_ENABLEDS) return Enable();
      if (msg == MSG_DISABLEDS) {
        g_source.enabled = false;
        return TWRC_SUCCESS;
      }
      return Failure(TWCC_BADPROTOCOL);
    case DAT_EVENT:
      return TWRC_NOTDSEVENT;  // no window of its own
    case DAT_PENDINGXFERS:
      return PendingTransfers(msg, static_cast<TW_PENDINGXFERS*>(data));
    case DAT_STATUS: {
      auto* status = static_cast<TW_STATUS*>(data);
      if (!status) return TWRC_FAILURE;
      status->ConditionCode = g_source.condition;
      status->Reserved = 0;
      g_source.condition = TWCC_SUCCESS;
      return TWRC_SUCCESS;
    }
    default:
      return Failure(TWCC_BADPROTOCOL);
  }
}
