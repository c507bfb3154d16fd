#include "ColCorrection.h"

#include <memory>
#include <vector>

#include "ErrorLog.h"
#include "ErrorLogFile.h"
#include "LMyBitmap.h"

namespace {

TINTWELL_CORRECT g_override = nullptr;

bool ColourIsNone(const ColourCorrectionParams& params) {
  int32_t value;
  memcpy(&value, params.colour, sizeof(value));
  return value == -1;
}

struct LockedDib {
  explicit LockedDib(HGLOBAL block) : block(block), data(block != nullptr ? ::GlobalLock(block) : nullptr) {}
  ~LockedDib() {
    if (data != nullptr) ::GlobalUnlock(block);
    if (block != nullptr) ::GlobalFree(block);
  }
  HGLOBAL block;
  void* data;
};

}  // namespace

bool CColCorrection::IsAreaEmpty(const RECT& rect) {
  return static_cast<long long>(rect.top - rect.bottom) * (rect.left - rect.right) == 0;
}

int CColCorrection::Stride(int width, int bitsPerPixel) {
  return static_cast<int>(((static_cast<long long>(width) * bitsPerPixel + 31) >> 3) & ~3LL);
}

int CColCorrection::BuildAreaList(const ColourCorrectionParams& params, TINTWELL_AREA* areas) {
  int count = 0;
  auto add = [&](const RECT& r, int32_t kind) { areas[count++] = {r.left, r.top, r.right, r.bottom, 0, kind, 0}; };
  if (!IsAreaEmpty(params.black)) add(params.black, TINTWELL_AREA_BLACK);
  if (!IsAreaEmpty(params.white)) add(params.white, TINTWELL_AREA_WHITE);
  if (!ColourIsNone(params)) {
    const int further = params.areaCount < 0 ? 0 : params.areaCount > 256 ? 256 : params.areaCount;
    for (int i = 0; i < further; ++i) add(params.areas[i], TINTWELL_AREA_FURTHER);
  }
  return count;
}

TINTWELL_CORRECT CColCorrection::SetCorrectFunction(TINTWELL_CORRECT function) {
  TINTWELL_CORRECT previous = g_override;
  g_override = function;
  return previous;
}

TINTWELL_CORRECT CColCorrection::LibraryFunction() {
  if (g_override != nullptr) return g_override;
  // Loaded once from the program's folder, never from the search path; kept for the process.
  static HMODULE library = [] {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return static_cast<HMODULE>(nullptr);
    wchar_t* slash = wcsrchr(path, L'\\');
    if (slash == nullptr || (slash - path) + 14 >= MAX_PATH) return static_cast<HMODULE>(nullptr);
    wcscpy(slash + 1, L"Tintwell.dll");
    return ::LoadLibraryW(path);
  }();
  if (library == nullptr) return nullptr;
  return reinterpret_cast<TINTWELL_CORRECT>(reinterpret_cast<void*>(::GetProcAddress(library, MAKEINTRESOURCEA(1))));
}

bool CColCorrection::DoCorrection(LBitmapBase& source, LMyBitmap& target, const ColourCorrectionParams& params,
                                  int value) {
  DEF_TRY
  TINTWELL_CORRECT correct = LibraryFunction();
  if (correct == nullptr) {
    AppendErrorLog(L"CColCorrection::DoCorrection: the colour-correction library Tintwell.dll cannot be loaded");
    return false;
  }
  LockedDib dib(source.ConvertToDIB(0));
  if (dib.data == nullptr) {
    AppendErrorLog(L"CColCorrection::DoCorrection: the page image cannot be converted to a DIB");
    return false;
  }
  const BITMAPINFOHEADER* header = static_cast<const BITMAPINFOHEADER*>(dib.data);
  const int bpp = header->biBitCount;
  const int entries = bpp <= 8 ? 1 << bpp : 0;
  const int width = header->biWidth, height = header->biHeight;
  const int stride = Stride(width, bpp);
  const SIZE_T rows = static_cast<SIZE_T>(height < 0 ? -static_cast<long long>(height) : height);
  const SIZE_T bitsOffset = 40 + 4 * static_cast<SIZE_T>(entries);
  const SIZE_T pixelBytes = static_cast<SIZE_T>(stride) * rows;
  // The block must hold every row the library will read.
  if (width <= 0 || rows == 0 || ::GlobalSize(dib.block) < bitsOffset + pixelBytes) {
    AppendErrorLog(L"CColCorrection::DoCorrection: the DIB of the page image is shorter than its header says");
    return false;
  }
  const BYTE* bits = static_cast<const BYTE*>(dib.data) + bitsOffset;
  std::vector<BYTE> output(pixelBytes + 4096);
  std::vector<TINTWELL_AREA> areas(2 + 256);
  const int areaCount = BuildAreaList(params, areas.data());

  TINTWELL_BLOCK block = {};
  block.size = sizeof(block);
  block.width = width;
  block.height = height;
  block.stride = stride;
  block.pixelKind = entries != 0 ? TINTWELL_PIXELS_INDEXED : TINTWELL_PIXELS_RGB;
  block.source = bits;
  block.output = output.data();
  block.flag = params.flag != 0 ? 1 : 0;
  block.areas = areas.data();
  block.areaCount = areaCount;
  block.four44 = 4;
  block.four48 = 4;
  block.white[0] = block.white[1] = block.white[2] = 255;
  block.hasWhite = IsAreaEmpty(params.white) ? 0 : 1;
  block.hasBlack = IsAreaEmpty(params.black) ? 0 : 1;
  block.colour[0] = params.colour[2];
  block.colour[1] = params.colour[1];
  block.colour[2] = params.colour[0];
  block.factor = params.factor;
  const int result = correct(params.mode, &block, value);
  if (result != 0) {
    CString text;
    text.Format(L"CColCorrection::DoCorrection: the colour-correction library returned %d", result);
    AppendErrorLog(text);
  }
  target.ConvertFromDIB(reinterpret_cast<const BITMAPINFO*>(header), output.data());
  target.SetXResolution(source.GetXResolution());
  target.SetYResolution(source.GetYResolution());
  return result == 0;
  DEF_CATCH("CColCorrection::DoCorrection")
  return false;
}
