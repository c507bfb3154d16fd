#include "ImagingInternal.h"

#include <objbase.h>

#include <algorithm>
#include <cstdio>

LBase::LBase() = default;
LBase::~LBase() = default;

int LBase::StatusCallBack(int) { return SUCCESS; }

int LBase::ReportProgress(int nPercentComplete) {
  if (!m_bCallBack || !m_bStatusCallBack) return SUCCESS;
  return StatusCallBack(nPercentComplete);
}

LPCWSTR LBase::GetErrorString(int nCode) {
  struct Text {
    int code;
    LPCWSTR text;
  };
  static const Text kTexts[] = {
      {SUCCESS, L"The operation succeeded."},
      {ERROR_NO_MEMORY, L"Not enough memory for the image."},
      {ERROR_NO_BITMAP, L"There is no image."},
      {ERROR_INV_PARAMETER, L"Invalid parameter."},
      {ERROR_FILENOTFOUND, L"The file was not found."},
      {ERROR_FILE_READ, L"The file could not be read."},
      {ERROR_FILE_WRITE, L"The file could not be written."},
      {ERROR_FILE_FORMAT, L"The file is not in a supported image format."},
      {ERROR_FILE_DAMAGED, L"The image file is damaged or incomplete."},
      {ERROR_IMAGE_TOO_LARGE, L"The image is too large."},
      {ERROR_PAGE_NOT_FOUND, L"The file has no such page."},
      {ERROR_BPP_NOT_SUPPORTED, L"The file format cannot store images of this colour depth."},
      {ERROR_CODEC, L"The image codec failed."},
      {ERROR_CLIPBOARD, L"The clipboard holds no image or cannot be used."},
      {ERROR_NO_DC, L"No device context could be made for the image."},
      {ERROR_DIALOG, L"The dialog could not be shown."},
      {ERROR_DLG_CANCELED, L"The dialog was cancelled."},
      {ERROR_USER_ABORT, L"The operation was cancelled."},
      {ERROR_TWAIN_CANCELED, L"The scan was cancelled."},
      {ERROR_TWAIN_FAILED, L"The TWAIN source failed."},
      {ERROR_TWAIN_NO_DSM, L"The TWAIN source manager is not available."},
      {ERROR_TWAIN_NO_SOURCE, L"No TWAIN source could be opened."},
      {ERROR_WIA_USER_ABORT, L"The transfer was cancelled."},
      {ERROR_WIA_FAILED, L"The WIA device failed."},
      {ERROR_WIA_NO_DEVICES, L"No WIA devices are available."},
  };
  for (const Text& t : kTexts)
    if (t.code == nCode) return t.text;
  return L"Unknown imaging error.";
}

namespace {
// Whether LoadLibraries initialised COM, so UnloadLibraries releases only what it took.
bool g_comInitialised = false;
}  // namespace

int LBase::LoadLibraries() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (SUCCEEDED(hr) && !g_comInitialised) {
    g_comInitialised = true;
  } else if (SUCCEEDED(hr)) {
    CoUninitialize();  // already ours: keep one count
  }
  return (SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE) ? SUCCESS : ERROR_CODEC;
}

void LBase::UnloadLibraries() {
  if (g_comInitialised) CoUninitialize();
  g_comInitialised = false;
}

namespace imaging_internal {

int Fail(int code, const char* where) {
  char text[160];
  std::snprintf(text, sizeof text, "imaging: %s failed with %d\n", where, code);
  OutputDebugStringA(text);
  return code;
}

void GreyPalette(RGBQUAD* colors, int count) {
  for (int i = 0; i < count; ++i) {
    const BYTE v = static_cast<BYTE>(count > 1 ? i * 255 / (count - 1) : 0);
    colors[i] = RGBQUAD{v, v, v, 0};
  }
}

bool IsGreyPalette(const RGBQUAD* colors, int count) {
  for (int i = 0; i < count; ++i)
    if (colors[i].rgbRed != colors[i].rgbGreen || colors[i].rgbGreen != colors[i].rgbBlue) return false;
  return true;
}

bool IsGreyRamp(const RGBQUAD* colors, int count, int bitsPerPixel) {
  if (bitsPerPixel > 8 || count != (1 << bitsPerPixel)) return false;
  for (int i = 0; i < count; ++i) {
    const int v = i * 255 / (count - 1);
    if (colors[i].rgbRed != v || colors[i].rgbGreen != v || colors[i].rgbBlue != v) return false;
  }
  return true;
}

int NearestIndex(const RGBQUAD* colors, int count, int r, int g, int b) {
  int best = 0, bestDistance = 0x7FFFFFFF;
  for (int i = 0; i < count; ++i) {
    const int dr = colors[i].rgbRed - r, dg = colors[i].rgbGreen - g, db = colors[i].rgbBlue - b;
    const int d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
      if (d == 0) break;
    }
  }
  return best;
}

void ReadRowBGR(const LBitmapBase& bitmap, int y, BYTE* bgr) {
  const BITMAPHANDLE* h = bitmap.GetHandle();
  const BYTE* row = bitmap.Row(y);
  const int w = h->Width;
  switch (h->BitsPerPixel) {
    case 24: memcpy(bgr, row, static_cast<size_t>(w) * 3); break;
    case 32:
      for (int x = 0; x < w; ++x) memcpy(bgr + x * 3, row + x * 4, 3);
      break;
    default:
      for (int x = 0; x < w; ++x) {
        const RGBQUAD& c = h->Palette[GetIndex(row, x, h->BitsPerPixel)];
        bgr[x * 3] = c.rgbBlue;
        bgr[x * 3 + 1] = c.rgbGreen;
        bgr[x * 3 + 2] = c.rgbRed;
      }
  }
}

void WriteRowBGR(LBitmapBase& bitmap, int y, const BYTE* bgr) {
  BYTE* row = bitmap.Row(y);
  const int w = bitmap.GetWidth();
  if (bitmap.GetBitsPerPixel() == 24) {
    memcpy(row, bgr, static_cast<size_t>(w) * 3);
  } else {
    for (int x = 0; x < w; ++x) {
      memcpy(row + x * 4, bgr + x * 3, 3);
      row[x * 4 + 3] = 0xFF;
    }
  }
}

int ReadWholeFile(LPCWSTR path, std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD err = GetLastError();
    return Fail(err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? ERROR_FILENOTFOUND : ERROR_FILE_READ,
                "ReadWholeFile open");
  }
  LARGE_INTEGER size = {};
  int result = SUCCESS;
  if (!GetFileSizeEx(file, &size) || static_cast<uint64_t>(size.QuadPart) > kMaxImageBytes) {
    result = ERROR_FILE_READ;
  } else {
    try {
      bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (...) {
      result = ERROR_NO_MEMORY;
    }
    size_t done = 0;
    while (result == SUCCESS && done < bytes.size()) {
      DWORD got = 0;
      const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
      if (!ReadFile(file, bytes.data() + done, want, &got, nullptr) || got == 0) result = ERROR_FILE_READ;
      done += got;
    }
  }
  CloseHandle(file);
  return result == SUCCESS ? SUCCESS : Fail(result, "ReadWholeFile");
}

int WriteWholeFile(LPCWSTR path, const std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Fail(ERROR_FILE_WRITE, "WriteWholeFile open");
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    DWORD put = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
    ok = WriteFile(file, bytes.data() + done, want, &put, nullptr) && put == want;
    done += put;
  }
  CloseHandle(file);
  if (!ok) {
    DeleteFileW(path);
    return Fail(ERROR_FILE_WRITE, "WriteWholeFile");
  }
  return SUCCESS;
}

}  // namespace imaging_internal
