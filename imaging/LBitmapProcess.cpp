// Image processing: rotation, resampling and the colour operations of LBitmap.
#include "ImagingInternal.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace imaging_internal;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kWeightBits = 14;

// Progress every this many rows; the callback may end the operation.
constexpr int kProgressRows = 64;

// Catmull-Rom cubic: sharp, no visible blur when enlarging; stretched by the scale when
// shrinking, where it averages every source pixel that falls into the target pixel.
double Cubic(double x) {
  x = std::fabs(x);
  if (x < 1.0) return 1.5 * x * x * x - 2.5 * x * x + 1.0;
  if (x < 2.0) return -0.5 * x * x * x + 2.5 * x * x - 4.0 * x + 2.0;
  return 0.0;
}

struct Taps {
  std::vector<int> first;    // first source index per target index
  std::vector<int> count;    // taps per target index
  std::vector<int> weights;  // count[i] weights per target index, summing to 1 << kWeightBits
  int stride = 0;            // weights reserved per target index
};

Taps MakeTaps(int sourceSize, int targetSize) {
  Taps t;
  const double scale = static_cast<double>(targetSize) / sourceSize;
  const double widen = scale < 1.0 ? 1.0 / scale : 1.0;
  const double support = 2.0 * widen;
  t.stride = static_cast<int>(std::ceil(support * 2)) + 2;
  t.first.resize(static_cast<size_t>(targetSize));
  t.count.resize(static_cast<size_t>(targetSize));
  t.weights.assign(static_cast<size_t>(targetSize) * t.stride, 0);
  std::vector<double> w(static_cast<size_t>(t.stride));
  for (int i = 0; i < targetSize; ++i) {
    const double centre = (i + 0.5) / scale - 0.5;
    int lo = static_cast<int>(std::floor(centre - support)) + 1;
    int hi = static_cast<int>(std::floor(centre + support));
    lo = std::max(lo, 0);
    hi = std::min(hi, sourceSize - 1);
    if (hi - lo + 1 > t.stride) hi = lo + t.stride - 1;
    if (hi < lo) hi = lo = std::clamp(static_cast<int>(std::lround(centre)), 0, sourceSize - 1);
    double sum = 0;
    for (int s = lo; s <= hi; ++s) sum += (w[static_cast<size_t>(s - lo)] = Cubic((s - centre) / widen));
    if (sum == 0) {
      w[0] = sum = 1;
      hi = lo;
    }
    int total = 0, biggest = 0;
    int* out = &t.weights[static_cast<size_t>(i) * t.stride];
    for (int s = lo; s <= hi; ++s) {
      out[s - lo] = static_cast<int>(std::lround(w[static_cast<size_t>(s - lo)] / sum * (1 << kWeightBits)));
      total += out[s - lo];
      if (out[s - lo] > out[biggest]) biggest = s - lo;
    }
    out[biggest] += (1 << kWeightBits) - total;  // exact unit sum: flat areas stay flat
    t.first[static_cast<size_t>(i)] = lo;
    t.count[static_cast<size_t>(i)] = hi - lo + 1;
  }
  return t;
}

inline BYTE Clamp255(int v) { return static_cast<BYTE>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// Fills `out` with visual row y as `channels` bytes per pixel (1: grey through the colour table).
void ReadRowChannels(const LBitmapBase& b, int y, int channels, BYTE* out) {
  const BITMAPHANDLE* h = b.GetHandle();
  if (channels == 1) {
    const BYTE* row = b.Row(y);
    for (int x = 0; x < h->Width; ++x) out[x] = h->Palette[GetIndex(row, x, h->BitsPerPixel)].rgbRed;
  } else if (channels == 4) {
    std::memcpy(out, b.Row(y), static_cast<size_t>(h->Width) * 4);
  } else {
    ReadRowBGR(b, y, out);
  }
}

}  // namespace

int LBitmapBase::Rotate(int nAngle, BOOL bResize, COLORREF crFill) {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "Rotate");
  nAngle %= 36000;
  if (nAngle < 0) nAngle += 36000;
  if (nAngle == 0) return SUCCESS;
  const int w = GetWidth(), h = GetHeight(), bpp = GetBitsPerPixel();
  const double theta = nAngle / 100.0 * kPi / 180.0;
  const double c = std::cos(theta), s = std::sin(theta);
  const bool quarter = nAngle % 9000 == 0;
  int nw = w, nh = h;
  if (bResize) {
    if (quarter) {
      if (nAngle != 18000) std::swap(nw, nh);
    } else {
      nw = static_cast<int>(std::ceil(std::fabs(w * c) + std::fabs(h * s) - 1e-6));
      nh = static_cast<int>(std::ceil(std::fabs(w * s) + std::fabs(h * c) - 1e-6));
    }
  }
  LBitmapBase target;
  int result = target.Allocate(nw, nh, bpp, GetViewPerspective(), m_Handle.Palette, m_Handle.nColors);
  if (result != SUCCESS) return result;
  target.m_Handle.nColors = m_Handle.nColors;
  target.Fill(crFill);
  const int bytes = bpp >= 8 ? bpp / 8 : 0;
  // Inverse mapping: each target pixel centre turned back into the source, around both centres.
  const double scx = w / 2.0, scy = h / 2.0, tcx = nw / 2.0, tcy = nh / 2.0;
  const bool smooth = bpp >= 24 && !quarter;
  for (int y = 0; y < nh; ++y) {
    if (y % kProgressRows == 0) {
      const int progress = ReportProgress(y * 100 / nh);
      if (progress != SUCCESS) return progress;
    }
    BYTE* out = target.Row(y);
    const double dy = y + 0.5 - tcy;
    for (int x = 0; x < nw; ++x) {
      const double dx = x + 0.5 - tcx;
      const double sx = dx * c + dy * s + scx - 0.5;
      const double sy = -dx * s + dy * c + scy - 0.5;
      if (smooth) {
        const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
        if (x0 < -1 || y0 < -1 || x0 >= w || y0 >= h) continue;
        const double fx = sx - x0, fy = sy - y0;
        double acc[4] = {0, 0, 0, 0}, wsum = 0;
        for (int k = 0; k < 4; ++k) {
          const int px = x0 + (k & 1), py = y0 + (k >> 1);
          if (px < 0 || py < 0 || px >= w || py >= h) continue;
          const double wk = ((k & 1) ? fx : 1 - fx) * ((k >> 1) ? fy : 1 - fy);
          const BYTE* p = Row(py) + px * bytes;
          for (int ch = 0; ch < bytes; ++ch) acc[ch] += p[ch] * wk;
          wsum += wk;
        }
        if (wsum < 0.5) continue;  // mostly outside: keep the fill colour, edges stay clean
        for (int ch = 0; ch < bytes; ++ch) out[x * bytes + ch] = Clamp255(static_cast<int>(acc[ch] / wsum + 0.5));
      } else {
        const int px = static_cast<int>(std::floor(sx + 0.5)), py = static_cast<int>(std::floor(sy + 0.5));
        if (px < 0 || py < 0 || px >= w || py >= h) continue;
        if (bytes)
          std::memcpy(out + x * bytes, Row(py) + px * bytes, static_cast<size_t>(bytes));
        else
          SetIndex(out, x, bpp, GetIndex(Row(py), px, bpp));
      }
    }
  }
  HBITMAP dib = target.m_Handle.hDib;
  BYTE* bits = target.m_Handle.pBits;
  const int stride = target.m_Handle.BytesPerLine;
  target.m_Handle = m_Handle;
  target.m_Handle.hDib = dib;
  target.m_Handle.pBits = bits;
  target.m_Handle.Width = nw;
  target.m_Handle.Height = nh;
  target.m_Handle.BytesPerLine = stride;
  if (quarter && nAngle != 18000) std::swap(target.m_Handle.XResolution, target.m_Handle.YResolution);
  TakeImage(target);
  ReportProgress(100);
  return SUCCESS;
}

int LBitmapBase::SizeInterpolate(int nWidth, int nHeight, UINT) {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "SizeInterpolate");
  if (nWidth <= 0 || nHeight <= 0) return Fail(ERROR_INV_PARAMETER, "SizeInterpolate size");
  const int bpp = GetBitsPerPixel();
  // Indexed images are resampled as grey or colour: a scaled page of text gets smooth edges.
  const bool grey = bpp <= 8 && IsGreyPalette(m_Handle.Palette, m_Handle.nColors);
  const int channels = grey ? 1 : (bpp == 32 ? 4 : 3);
  const int targetBpp = channels * 8;
  LBitmapBase target;
  int result = target.Allocate(nWidth, nHeight, targetBpp, GetViewPerspective(), nullptr, 0);
  if (result != SUCCESS) return result;
  const Taps tx = MakeTaps(GetWidth(), nWidth), ty = MakeTaps(GetHeight(), nHeight);
  // Horizontally filtered source rows, kept in a ring as the target rows move down.
  const int ring = ty.stride + 1;
  std::vector<BYTE> cache(static_cast<size_t>(ring) * nWidth * channels);
  std::vector<int> cachedRow(static_cast<size_t>(ring), -1);
  std::vector<BYTE> source(static_cast<size_t>(GetWidth()) * channels);
  std::vector<int> acc(static_cast<size_t>(nWidth) * channels);
  auto filteredRow = [&](int sy) -> const BYTE* {
    BYTE* slot = &cache[static_cast<size_t>(sy % ring) * nWidth * channels];
    if (cachedRow[static_cast<size_t>(sy % ring)] == sy) return slot;
    ReadRowChannels(*this, sy, channels, source.data());
    for (int x = 0; x < nWidth; ++x) {
      const int* wt = &tx.weights[static_cast<size_t>(x) * tx.stride];
      const BYTE* p = &source[static_cast<size_t>(tx.first[static_cast<size_t>(x)]) * channels];
      for (int ch = 0; ch < channels; ++ch) {
        int sum = 1 << (kWeightBits - 1);
        for (int k = 0; k < tx.count[static_cast<size_t>(x)]; ++k) sum += wt[k] * p[k * channels + ch];
        slot[x * channels + ch] = Clamp255(sum >> kWeightBits);
      }
    }
    cachedRow[static_cast<size_t>(sy % ring)] = sy;
    return slot;
  };
  for (int y = 0; y < nHeight; ++y) {
    if (y % kProgressRows == 0) {
      const int progress = ReportProgress(y * 100 / nHeight);
      if (progress != SUCCESS) return progress;
    }
    std::fill(acc.begin(), acc.end(), 1 << (kWeightBits - 1));
    const int* wt = &ty.weights[static_cast<size_t>(y) * ty.stride];
    for (int k = 0; k < ty.count[static_cast<size_t>(y)]; ++k) {
      const BYTE* row = filteredRow(ty.first[static_cast<size_t>(y)] + k);
      for (size_t i = 0; i < acc.size(); ++i) acc[i] += wt[k] * row[i];
    }
    BYTE* out = target.Row(y);
    for (size_t i = 0; i < acc.size(); ++i) out[i] = Clamp255(acc[i] >> kWeightBits);
  }
  TakePixels(target);
  ReportProgress(100);
  return SUCCESS;
}

namespace {

// Applies a 256-entry table to every colour value: to the colour table of indexed images, to
// the blue, green and red bytes of the others.
int ApplyTable(LBitmapBase& b, const BYTE* table) {
  if (!b.IsAllocated()) return Fail(ERROR_NO_BITMAP, "colour operation");
  if (b.GetBitsPerPixel() <= 8) {
    RGBQUAD colors[256];
    const int n = b.GetColorCount();
    b.GetColors(0, n, colors);
    for (int i = 0; i < n; ++i) {
      colors[i].rgbRed = table[colors[i].rgbRed];
      colors[i].rgbGreen = table[colors[i].rgbGreen];
      colors[i].rgbBlue = table[colors[i].rgbBlue];
    }
    return b.PutColors(0, n, colors);
  }
  const int bytes = b.GetBitsPerPixel() / 8;
  for (int y = 0; y < b.GetHeight(); ++y) {
    if (y % 256 == 0) {
      const int progress = b.ReportProgress(y * 100 / b.GetHeight());
      if (progress != SUCCESS) return progress;
    }
    BYTE* row = b.Row(y);
    for (int x = 0; x < b.GetWidth(); ++x)
      for (int ch = 0; ch < 3; ++ch) row[x * bytes + ch] = table[row[x * bytes + ch]];
  }
  return SUCCESS;
}

bool ValidChange(int nChange) { return nChange >= -1000 && nChange <= 1000; }

}  // namespace

namespace imaging_internal {

int ChangeIntensityOf(LBitmapBase& b, int nChange) {
  if (!ValidChange(nChange)) return Fail(ERROR_INV_PARAMETER, "ChangeIntensity");
  BYTE table[256];
  for (int v = 0; v < 256; ++v) table[v] = Clamp255(v + (nChange * 255) / 1000);
  return ApplyTable(b, table);
}

int ChangeContrastOf(LBitmapBase& b, int nChange) {
  if (!ValidChange(nChange)) return Fail(ERROR_INV_PARAMETER, "ChangeContrast");
  // -1000 flattens to mid grey, 0 keeps, 1000 separates every value to black or white.
  const double factor = nChange <= 0 ? (1000 + nChange) / 1000.0 : 1000.0 / std::max(1000 - nChange, 1);
  BYTE table[256];
  for (int v = 0; v < 256; ++v) table[v] = Clamp255(static_cast<int>(std::lround((v - 127.5) * factor + 127.5)));
  return ApplyTable(b, table);
}

}  // namespace imaging_internal

int LBitmap::ChangeIntensity(int nChange, UINT) { return ChangeIntensityOf(*this, nChange); }

int LBitmap::ChangeContrast(int nChange, UINT) { return ChangeContrastOf(*this, nChange); }

int LBitmap::Invert(UINT) {
  BYTE table[256];
  for (int v = 0; v < 256; ++v) table[v] = static_cast<BYTE>(255 - v);
  return ApplyTable(*this, table);
}
