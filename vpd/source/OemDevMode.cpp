// The plug-in's private part of the driver's DEVMODE: only its 12-byte header, signed "PRIU".
#include "OemUI.h"

namespace vpd {

namespace {

void writeDefaultHeader(OEM_DMEXTRAHEADER* header) {
  header->dwSize = sizeof(OEM_DMEXTRAHEADER);
  header->dwSignature = oemSignature;
  header->dwVersion = oemVersion;
}

// Carries a private part made by another version (or another machine) into the output. The sizes
// come from the device mode itself, which may be made elsewhere: nothing beyond the header is
// copied, and a part claiming less than a header is not taken for one.
void convertPrivatePart(const OEM_DMEXTRAHEADER* in, OEM_DMEXTRAHEADER* out) {
  const DWORD headerSize = sizeof(OEM_DMEXTRAHEADER);
  if (in->dwSize >= headerSize && out->dwSize >= headerSize && in->dwSignature == out->dwSignature) {
    if (in != out) CopyMemory(out, in, headerSize);
    out->dwSize = headerSize;
  } else {
    out->dwSize = headerSize;
    out->dwSignature = oemSignature;
  }
  out->dwVersion = oemVersion;
}

}  // namespace

HRESULT oemDevMode(DWORD mode, POEMDMPARAM param) {
  if (!param || mode < OEMDM_SIZE || mode > OEMDM_MERGE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return E_FAIL;
  }
  auto* in = static_cast<OEM_DMEXTRAHEADER*>(param->pOEMDMIn);
  auto* out = static_cast<OEM_DMEXTRAHEADER*>(param->pOEMDMOut);
  switch (mode) {
    case OEMDM_SIZE:
      param->cbBufSize = sizeof(OEM_DMEXTRAHEADER);
      break;
    case OEMDM_DEFAULT:
      if (!out) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
      }
      writeDefaultHeader(out);
      break;
    case OEMDM_CONVERT:
    case OEMDM_MERGE:
      if (in && out) convertPrivatePart(in, out);
      if (mode == OEMDM_MERGE && out) writeDefaultHeader(out);
      break;
  }
  return S_OK;
}

}  // namespace vpd
