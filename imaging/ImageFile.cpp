// Image files: loading and saving of bitmaps, bitmap lists and memory files, and the binding of
// format codes to encoders.
#include "ImagingInternal.h"
#include "LFile.h"

#include <algorithm>
#include <cstring>
#include <new>

using namespace imaging_internal;

namespace {

enum class Encoder { Bmp, Png, Gif, Jpeg, Tiff, Pcx };

struct FormatBinding {
  int format;
  Encoder encoder;
  int tiffCompression;  // TIFF tag value for the TIFF variants
};

// Which encoder writes each format code. All are ours: the platform's encoders ignore JPEG quality
// and TIFF compression, write broken GIFs from colour images and take seconds where we take less.
const FormatBinding kFormats[] = {
    {FILE_BMP, Encoder::Bmp, 0},         {FILE_PNG, Encoder::Png, 0},
    {FILE_GIF, Encoder::Gif, 0},         {FILE_JPEG, Encoder::Jpeg, 0},
    {FILE_PCX, Encoder::Pcx, 0},         {FILE_TIF, Encoder::Tiff, 1},
    {FILE_TIF_PACKBITS, Encoder::Tiff, 32773}, {FILE_TIF_LZW, Encoder::Tiff, 5},
    {FILE_TIF_CCITT_G4, Encoder::Tiff, 4},
};

const FormatBinding* FindFormat(int format) {
  for (const FormatBinding& f : kFormats)
    if (f.format == format) return &f;
  return nullptr;
}

// An 8-bit grey copy (JPEG stores grey or colour, never a colour table).
int MakeGrey(const LBitmapBase& source, LBitmapBase& grey) {
  int result = grey.Create(source.GetWidth(), source.GetHeight(), 8);
  if (result != SUCCESS) return result;
  std::vector<BYTE> bgr(static_cast<size_t>(source.GetWidth()) * 3);
  for (int y = 0; y < source.GetHeight(); ++y) {
    ReadRowBGR(source, y, bgr.data());
    BYTE* row = grey.Row(y);
    for (int x = 0; x < source.GetWidth(); ++x) row[x] = static_cast<BYTE>(Luminance(bgr[x * 3 + 2], bgr[x * 3 + 1], bgr[x * 3]));
  }
  grey.SetXResolution(source.GetXResolution());
  grey.SetYResolution(source.GetYResolution());
  return SUCCESS;
}

// The bit depth a format stores for a request (0: as the bitmap is), or 0 when it cannot.
int DepthFor(const FormatBinding& f, int requested, const LBitmapBase& b) {
  const int current = b.GetBitsPerPixel();
  const int bits = requested ? requested : current;
  if (!IsSupportedDepth(bits)) return 0;
  switch (f.encoder) {
    case Encoder::Jpeg:
      if (requested && requested < 8) return 0;
      if (bits == 8) return 8;
      return (bits < 8 && IsGreyPalette(b.GetHandle()->Palette, b.GetColorCount())) ? 8 : 24;
    case Encoder::Gif:
      if (requested > 8) return 0;
      return std::min(bits, 8);
    case Encoder::Tiff:
      if (f.tiffCompression == 4) return (requested == 0 || requested == 1) ? 1 : 0;
      return bits == 32 ? 24 : bits;
    case Encoder::Pcx:
      return bits == 32 ? 24 : bits;
    default:
      return bits;
  }
}

// The bitmap in the depth the format stores: the original when it fits, else `work`.
int PrepareDepth(const FormatBinding& f, int requested, const LBitmapBase& b, LBitmapBase& work,
                 const LBitmapBase*& ready) {
  const int depth = DepthFor(f, requested, b);
  if (!depth) return Fail(ERROR_BPP_NOT_SUPPORTED, "Save depth");
  ready = &b;
  if (f.encoder == Encoder::Jpeg && depth == 8) {
    if (b.GetBitsPerPixel() == 8 && IsGreyPalette(b.GetHandle()->Palette, b.GetColorCount())) return SUCCESS;
    ready = &work;
    return MakeGrey(b, work);
  }
  if (depth == b.GetBitsPerPixel()) return SUCCESS;
  int result = work.Copy(b);
  if (result == SUCCESS) result = work.ColorRes(depth);
  ready = &work;
  return result;
}

int LoadFromBytes(const uint8_t* data, size_t size, int bitsPerPixel, int page, LBitmapBase& target, LBase& progress) {
  if (bitsPerPixel && !IsSupportedDepth(bitsPerPixel)) return Fail(ERROR_BPP_NOT_SUPPORTED, "Load depth");
  LBitmapBase loaded;
  int result = DecodeImage(data, size, page, loaded, progress);
  if (result == SUCCESS && bitsPerPixel) result = loaded.ColorRes(bitsPerPixel);
  if (result != SUCCESS) return result;
  // Other code divides by the resolution: a file that records none, or one no writer can keep (PNG
  // and BMP hold it as pixels per metre, WIC reads no more than 100000 dpi), loads with the screen's.
  if (loaded.GetXResolution() <= 0 || loaded.GetXResolution() > 100000) loaded.SetXResolution(96);
  if (loaded.GetYResolution() <= 0 || loaded.GetYResolution() > 100000) loaded.SetYResolution(96);
  // The image moves in; the target keeps its callbacks and file name.
  target.SetHandle(loaded.GetHandle(), TRUE);
  progress.ReportProgress(100);
  return SUCCESS;
}

}  // namespace

namespace imaging_internal {

int CountPages(const uint8_t* data, size_t size, int& pages) {
  if (IsPcx(data, size)) {
    pages = 1;
    return SUCCESS;
  }
  const int result = CheckDeclaredSize(data, size);
  if (result != SUCCESS) return result;
  // JPEG and PNG hold one picture; whether it decodes is for the decoder to say.
  if (IsJpeg(data, size) || IsPng(data, size)) {
    pages = 1;
    return SUCCESS;
  }
  return WicCountPages(data, size, pages);
}

// Uncompressed BMP files are a DIB behind a 14-byte file header: read here with the DIB checks,
// several times faster than the platform. Run-length coded ones go to the platform.
static int DecodeBmp(const uint8_t* data, size_t size, LBitmapBase& bitmap, bool& handled) {
  handled = false;
  if (size < 14 + sizeof(BITMAPINFOHEADER) || data[0] != 'B' || data[1] != 'M') return SUCCESS;
  BITMAPINFOHEADER header;
  std::memcpy(&header, data + 14, sizeof header);
  if (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS) return SUCCESS;
  handled = true;
  const uint32_t bitsOffset = static_cast<uint32_t>(data[10] | data[11] << 8 | data[12] << 16 | static_cast<uint32_t>(data[13]) << 24);
  if (bitsOffset < 14 + sizeof header || bitsOffset >= size) return Fail(ERROR_FILE_DAMAGED, "BMP bits offset");
  // x86 reads the unaligned header in place.
  return bitmap.ConvertFromDIB(reinterpret_cast<const BITMAPINFO*>(data + 14), data + bitsOffset, size - 14);
}

int DecodeImage(const uint8_t* data, size_t size, int page, LBitmapBase& bitmap, LBase& progress) {
  if (!data || size == 0) return Fail(ERROR_FILE_FORMAT, "DecodeImage empty");
  bool bmp = false;
  LBitmapBase single;
  const int bmpResult = DecodeBmp(data, size, single, bmp);
  if (bmp) {
    if (page != 0) return Fail(ERROR_PAGE_NOT_FOUND, "DecodeImage bmp page");
    if (bmpResult == SUCCESS) bitmap.SetHandle(single.GetHandle(), TRUE);
    return bmpResult;
  }
  if (IsPcx(data, size)) return page == 0 ? DecodePcx(data, size, bitmap, progress) : Fail(ERROR_PAGE_NOT_FOUND, "DecodeImage pcx page");
  int result = CheckDeclaredSize(data, size);
  if (result != SUCCESS) return result;
  bool handled = false;
  if (IsJpeg(data, size) || IsPng(data, size)) {
    if (page != 0) return Fail(ERROR_PAGE_NOT_FOUND, "DecodeImage page");
    result = IsJpeg(data, size) ? DecodeJpeg(data, size, bitmap, progress, handled)
                                : DecodePng(data, size, bitmap, progress, handled);
    if (handled) return result;
  }
  return WicDecode(data, size, page, bitmap, progress);
}

int EncodeImage(const LBitmapBase* const* pages, int count, int format, int qualityFactor, std::vector<uint8_t>& out,
                LBase& progress) {
  const FormatBinding* f = FindFormat(format);
  if (!f) return Fail(ERROR_FILE_FORMAT, "EncodeImage format");
  if (count <= 0) return Fail(ERROR_NO_BITMAP, "EncodeImage pages");
  switch (f->encoder) {
    case Encoder::Bmp: return EncodeBmp(*pages[0], out);
    case Encoder::Png: return EncodePng(*pages[0], out, progress);
    case Encoder::Gif: return EncodeGif(*pages[0], out);
    case Encoder::Jpeg: return EncodeJpeg(*pages[0], qualityFactor, out);
    case Encoder::Pcx: return EncodePcx(*pages[0], out, progress);
    case Encoder::Tiff: return EncodeTiff(pages, count, f->tiffCompression, out, progress);
  }
  return Fail(ERROR_FILE_FORMAT, "EncodeImage");
}

}  // namespace imaging_internal

// Saving a list of pages: each converted to the depth its format stores, then encoded together.
static int SavePages(const LBitmapBase* const* pages, int count, LPCWSTR file, std::vector<uint8_t>* memory, int format,
                     int bitsPerPixel, int qualityFactor, bool append, LBase& progress) {
  const FormatBinding* f = FindFormat(format);
  if (!f) return Fail(ERROR_FILE_FORMAT, "Save format");
  // Only JPEG reads the quality factor; one outside 2 .. 255 (a stored level out of range) is
  // taken as the nearest end rather than failing the save.
  qualityFactor = std::clamp(qualityFactor, 2, 255);
  std::vector<const LBitmapBase*> ready;
  std::vector<LBitmapBase> work(static_cast<size_t>(count));
  // An appended TIFF page keeps the pages already in the file.
  LBitmapList existing;
  if (append && file && f->encoder == Encoder::Tiff && GetFileAttributesW(file) != INVALID_FILE_ATTRIBUTES) {
    const int result = existing.Load(file);
    if (result != SUCCESS) return result;
    for (int i = 0; i < existing.GetItemsCount(); ++i) ready.push_back(existing.Item(i));
  }
  for (int i = 0; i < count; ++i) {
    if (!pages[i] || !pages[i]->IsAllocated()) return Fail(ERROR_NO_BITMAP, "Save");
    const LBitmapBase* page = nullptr;
    const int result = PrepareDepth(*f, bitsPerPixel, *pages[i], work[static_cast<size_t>(i)], page);
    if (result != SUCCESS) return result;
    ready.push_back(page);
  }
  // A cancel ends the save before anything is written.
  int result = progress.ReportProgress(0);
  if (result != SUCCESS) return result;
  std::vector<uint8_t> bytes;
  result = EncodeImage(ready.data(), static_cast<int>(ready.size()), format, qualityFactor, bytes, progress);
  if (result != SUCCESS) return result;
  if (memory) {
    memory->swap(bytes);
    return SUCCESS;
  }
  return WriteWholeFile(file, bytes);
}

int LBitmapBase::Load(int nBitsPerPixel, int nOrder, int nPage) {
  if (m_FileName.empty()) return Fail(ERROR_FILENOTFOUND, "Load without a file name");
  return Load(m_FileName.c_str(), nBitsPerPixel, nOrder, nPage);
}

int LBitmapBase::Load(LPCWSTR pszFile, int nBitsPerPixel, int, int nPage) {
  if (!pszFile || !*pszFile) return Fail(ERROR_INV_PARAMETER, "Load");
  if (nPage < 0) return Fail(ERROR_PAGE_NOT_FOUND, "Load page");
  std::vector<uint8_t> bytes;
  int result = ReadWholeFile(pszFile, bytes);
  if (result == SUCCESS) result = LoadFromBytes(bytes.data(), bytes.size(), nBitsPerPixel, nPage > 0 ? nPage - 1 : 0, *this, *this);
  return result;
}

int LBitmapBase::Save(LPCWSTR pszFile, int nFormat, int nBitsPerPixel, int nQFactor, int nPageNumber, UINT) {
  if (!pszFile || !*pszFile) return Fail(ERROR_INV_PARAMETER, "Save");
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "Save");
  const LBitmapBase* self = this;
  const int result = SavePages(&self, 1, pszFile, nullptr, nFormat, nBitsPerPixel, nQFactor, nPageNumber > 1, *this);
  if (result == SUCCESS) ReportProgress(100);
  return result;
}

LBitmapList::LBitmapList() = default;
LBitmapList::~LBitmapList() { Destroy(); }

void LBitmapList::Destroy() {
  for (LBitmapBase* b : m_Items) delete b;
  m_Items.clear();
}

int LBitmapList::InsertItem(const LBitmapBase* pBitmap, int nIndex) {
  if (!pBitmap || !pBitmap->IsAllocated()) return Fail(ERROR_NO_BITMAP, "InsertItem");
  if (nIndex < -1 || nIndex > GetItemsCount()) return Fail(ERROR_INV_PARAMETER, "InsertItem index");
  auto* copy = new (std::nothrow) LBitmapBase;
  if (!copy) return Fail(ERROR_NO_MEMORY, "InsertItem");
  const int result = copy->Copy(*pBitmap);
  if (result != SUCCESS) {
    delete copy;
    return result;
  }
  m_Items.insert(nIndex == -1 ? m_Items.end() : m_Items.begin() + nIndex, copy);
  return SUCCESS;
}

int LBitmapList::GetItem(int nIndex, LBitmapBase* pBitmap) const {
  if (!pBitmap || nIndex < 0 || nIndex >= GetItemsCount()) return Fail(ERROR_INV_PARAMETER, "GetItem");
  return pBitmap->Copy(*m_Items[static_cast<size_t>(nIndex)]);
}

int LBitmapList::RemoveItem(LBitmapBase* pBitmap, int nIndex) {
  if (nIndex < 0 || nIndex >= GetItemsCount()) return Fail(ERROR_INV_PARAMETER, "RemoveItem");
  LBitmapBase* item = m_Items[static_cast<size_t>(nIndex)];
  m_Items.erase(m_Items.begin() + nIndex);
  if (pBitmap) pBitmap->TakeImage(*item);
  delete item;
  return SUCCESS;
}

int LBitmapList::Load(LPCWSTR pszFile, int nBitsPerPixel, int) {
  Destroy();
  if (!pszFile || !*pszFile) return Fail(ERROR_INV_PARAMETER, "LBitmapList::Load");
  std::vector<uint8_t> bytes;
  int result = ReadWholeFile(pszFile, bytes);
  int pages = 0;
  if (result == SUCCESS) result = CountPages(bytes.data(), bytes.size(), pages);
  for (int page = 0; result == SUCCESS && page < pages; ++page) {
    auto* item = new (std::nothrow) LBitmapBase;
    if (!item) {
      result = Fail(ERROR_NO_MEMORY, "LBitmapList::Load");
      break;
    }
    result = LoadFromBytes(bytes.data(), bytes.size(), nBitsPerPixel, page, *item, *this);
    if (result == SUCCESS)
      m_Items.push_back(item);
    else
      delete item;
  }
  if (result != SUCCESS) Destroy();
  return result;
}

int LBitmapList::Save(LPCWSTR pszFile, int nFormat, int nBitsPerPixel, int nQFactor, UINT) {
  if (!pszFile || !*pszFile) return Fail(ERROR_INV_PARAMETER, "LBitmapList::Save");
  if (m_Items.empty()) return Fail(ERROR_NO_BITMAP, "LBitmapList::Save");
  const FormatBinding* f = FindFormat(nFormat);
  const int count = (f && f->encoder == Encoder::Tiff) ? GetItemsCount() : 1;
  std::vector<const LBitmapBase*> pages(m_Items.begin(), m_Items.begin() + count);
  const int result = SavePages(pages.data(), count, pszFile, nullptr, nFormat, nBitsPerPixel, nQFactor, false, *this);
  if (result == SUCCESS) ReportProgress(100);
  return result;
}

LBuffer::LBuffer(const void* pData, SIZE_T uSize) { Copy(pData, uSize); }

int LBuffer::Reallocate(SIZE_T uSize) {
  try {
    m_Data.resize(uSize);
  } catch (...) {
    return Fail(ERROR_NO_MEMORY, "LBuffer::Reallocate");
  }
  return SUCCESS;
}

int LBuffer::Copy(const void* pData, SIZE_T uSize) {
  if (!pData && uSize) return Fail(ERROR_INV_PARAMETER, "LBuffer::Copy");
  const int result = Reallocate(uSize);
  if (result == SUCCESS && uSize) std::memcpy(m_Data.data(), pData, uSize);
  return result;
}

int LMemoryFile::Load(LBuffer& buffer, int nBitsPerPixel, int, int nPage) {
  if (!m_pBitmap) return Fail(ERROR_NO_BITMAP, "LMemoryFile::Load");
  if (nPage < 0) return Fail(ERROR_PAGE_NOT_FOUND, "LMemoryFile::Load page");
  const auto* data = static_cast<const uint8_t*>(buffer.Lock());
  const int result = LoadFromBytes(data, buffer.GetSize(), nBitsPerPixel, nPage > 0 ? nPage - 1 : 0, *m_pBitmap, *m_pBitmap);
  buffer.Unlock();
  return result;
}

int LMemoryFile::Save(LBuffer* pBuffer, int nFormat, int nBitsPerPixel, int nQFactor, UINT) {
  if (!pBuffer) return Fail(ERROR_INV_PARAMETER, "LMemoryFile::Save");
  if (!m_pBitmap || !m_pBitmap->IsAllocated()) return Fail(ERROR_NO_BITMAP, "LMemoryFile::Save");
  const LBitmapBase* page = m_pBitmap;
  std::vector<uint8_t> bytes;
  int result = SavePages(&page, 1, nullptr, &bytes, nFormat, nBitsPerPixel, nQFactor, false, *m_pBitmap);
  if (result == SUCCESS) result = pBuffer->Copy(bytes.data(), bytes.size());
  return result;
}
