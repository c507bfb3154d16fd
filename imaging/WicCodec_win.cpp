// Decoding through the platform's image codecs (WIC). Files are always read from memory. (Its
// encoders are not used: they ignore JPEG quality and TIFF compression, write broken GIFs from
// colour images and need tens of seconds for a PNG page.)
#include "ImagingInternal.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace imaging_internal;

namespace {

// Rows decoded per call: between bands the status callback may stop the load.
constexpr int kBandRows = 128;

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  T** operator&() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

// COM on the calling thread for as long as a codec is in use; works whatever the thread had.
class ComScope {
 public:
  ComScope() : hr_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }

 private:
  HRESULT hr_;
};

int Factory(ComPtr<IWICImagingFactory>& factory) {
  const HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(&factory));
  return SUCCEEDED(hr) ? SUCCESS : Fail(ERROR_CODEC, "WIC factory");
}

// A file in memory opened for decoding, with COM held for as long as the decoder lives.
struct OpenedFile {
  // Opens the decoder and counts the frames; a file without frames is damaged.
  int Open(const uint8_t* data, size_t size) {
    if (size > 0xFFFFFFFFu) return Fail(ERROR_IMAGE_TOO_LARGE, "WIC stream");
    int result = Factory(factory);
    if (result != SUCCESS) return result;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))))
      return Fail(ERROR_CODEC, "WIC stream");
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)))
      return Fail(ERROR_FILE_FORMAT, "WIC decoder");
    if (FAILED(decoder->GetFrameCount(&frames)) || frames == 0) return Fail(ERROR_FILE_DAMAGED, "WIC frame count");
    return SUCCESS;
  }

  ComScope com;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  UINT frames = 0;
};

// How a platform pixel format is kept: bits per pixel and whether its colour table comes from the
// file (indexed) or is a grey ramp; other formats are converted to 24 bits.
struct Kept {
  const GUID* format;
  int bpp;
  bool indexed;
};

const Kept kKept[] = {
    {&GUID_WICPixelFormatBlackWhite, 1, false}, {&GUID_WICPixelFormat1bppIndexed, 1, true},
    {&GUID_WICPixelFormat4bppIndexed, 4, true}, {&GUID_WICPixelFormat4bppGray, 4, false},
    {&GUID_WICPixelFormat8bppIndexed, 8, true}, {&GUID_WICPixelFormat8bppGray, 8, false},
    {&GUID_WICPixelFormat24bppBGR, 24, false},  {&GUID_WICPixelFormat32bppBGR, 32, false},
};

// A resolution as whole dots per inch, or 96 where the file gives none that makes sense. Rounded
// before it is judged: pixels per metre (PNG, BMP) hold 1 dpi as 0.99, and cutting that off gave a
// picture another resolution each time it was saved and read again.
int WholeDpi(double dpi) {
  const double rounded = std::isfinite(dpi) ? std::round(dpi) : 0;
  return rounded >= 1 && rounded <= 100000 ? static_cast<int>(rounded) : 96;
}

}  // namespace

namespace imaging_internal {

int WicCountPages(const uint8_t* data, size_t size, int& pages) {
  OpenedFile file;
  const int result = file.Open(data, size);
  if (result != SUCCESS) return result;
  pages = static_cast<int>(std::min<UINT>(file.frames, 100000));
  return SUCCESS;
}

int WicDecode(const uint8_t* data, size_t size, int page, LBitmapBase& bitmap, LBase& progress) {
  OpenedFile file;
  int result = file.Open(data, size);
  if (result != SUCCESS) return result;
  if (page < 0 || static_cast<UINT>(page) >= file.frames) return Fail(ERROR_PAGE_NOT_FOUND, "WIC page");
  IWICImagingFactory* factory = file.factory.get();
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(file.decoder->GetFrame(static_cast<UINT>(page), &frame))) return Fail(ERROR_FILE_DAMAGED, "WIC frame");
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height))) return Fail(ERROR_FILE_DAMAGED, "WIC size");
  if (!SizeAllowed(static_cast<int>(std::min<UINT>(width, 0x7FFFFFFF)), static_cast<int>(std::min<UINT>(height, 0x7FFFFFFF)), 32))
    return Fail(ERROR_IMAGE_TOO_LARGE, "WIC size");
  WICPixelFormatGUID format = {};
  frame->GetPixelFormat(&format);
  const Kept* kept = nullptr;
  for (const Kept& k : kKept)
    if (IsEqualGUID(*k.format, format)) kept = &k;
  // Everything else (alpha, 16 bits per channel, CMYK, 2-bit) becomes 24-bit colour; alpha is laid
  // over white, as the picture shows on a page.
  const bool alpha = !kept;
  ComPtr<IWICFormatConverter> converter;
  IWICBitmapSource* source = frame.get();
  if (alpha) {
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
      return Fail(ERROR_CODEC, "WIC converter");
    source = converter.get();
  }
  const int bpp = kept ? kept->bpp : 24;
  RGBQUAD colors[256] = {};
  int colorCount = 0;
  if (kept && kept->indexed) {
    ComPtr<IWICPalette> palette;
    UINT got = 0;
    WICColor table[256] = {};
    if (FAILED(factory->CreatePalette(&palette)) || FAILED(frame->CopyPalette(palette.get())) ||
        FAILED(palette->GetColors(256, table, &got)))
      return Fail(ERROR_FILE_DAMAGED, "WIC palette");
    colorCount = static_cast<int>(std::min<UINT>(got, 1u << bpp));
    for (int i = 0; i < colorCount; ++i)
      colors[i] = RGBQUAD{static_cast<BYTE>(table[i]), static_cast<BYTE>(table[i] >> 8), static_cast<BYTE>(table[i] >> 16), 0};
  } else if (bpp <= 8) {
    colorCount = 1 << bpp;
    GreyPalette(colors, colorCount);
  }
  LBitmapBase image;
  result = image.Create(static_cast<int>(width), static_cast<int>(height), bpp, ORDER_BGR, colorCount ? colors : nullptr,
                        colorCount, TOP_LEFT);
  if (result != SUCCESS) return result;
  const UINT stride = static_cast<UINT>(image.GetBytesPerLine());
  std::vector<BYTE> band;
  if (alpha) band.resize(static_cast<size_t>(width) * 4 * kBandRows);
  for (UINT y = 0; y < height; y += kBandRows) {
    const int progressResult = progress.ReportProgress(static_cast<int>(static_cast<uint64_t>(y) * 100 / height));
    if (progressResult != SUCCESS) return progressResult;
    const UINT rows = std::min<UINT>(kBandRows, height - y);
    const WICRect rect = {0, static_cast<INT>(y), static_cast<INT>(width), static_cast<INT>(rows)};
    if (!alpha) {
      // Our rows lie top down with the same padding, so a band is copied straight in.
      if (FAILED(source->CopyPixels(&rect, stride, stride * rows, image.Row(static_cast<int>(y)))))
        return Fail(ERROR_FILE_DAMAGED, "WIC pixels");
      continue;
    }
    if (FAILED(source->CopyPixels(&rect, width * 4, width * 4 * rows, band.data()))) return Fail(ERROR_FILE_DAMAGED, "WIC pixels");
    for (UINT r = 0; r < rows; ++r) {
      BYTE* out = image.Row(static_cast<int>(y + r));
      const BYTE* in = band.data() + static_cast<size_t>(r) * width * 4;
      for (UINT x = 0; x < width; ++x) {
        const int a = in[x * 4 + 3];
        for (int c = 0; c < 3; ++c) out[x * 3 + c] = static_cast<BYTE>((in[x * 4 + c] * a + 255 * (255 - a) + 127) / 255);
      }
    }
  }
  double dpiX = 0, dpiY = 0;
  if (FAILED(frame->GetResolution(&dpiX, &dpiY))) dpiX = dpiY = 0;
  image.SetXResolution(WholeDpi(dpiX));
  image.SetYResolution(WholeDpi(dpiY));
  bitmap.SetHandle(image.GetHandle(), TRUE);
  return SUCCESS;
}

}  // namespace imaging_internal
