// Text, bitmaps and hatched fills of a metafile as PDF operators.
#include "EmfTranslatorImpl_win.h"

namespace pdf {
namespace emf {

// The 8 x 8 pixel cell of a hatch style as this system's GDI paints it (one bit a pixel, rows from
// the top), read once from a hatched fill of a small bitmap.
const unsigned char* HatchCell(ULONG style) {
  static unsigned char cells[HS_DIAGCROSS + 1][8];
  static bool ready[HS_DIAGCROSS + 1] = {};
  if (style > HS_DIAGCROSS) return nullptr;
  if (!ready[style]) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) { DeleteDC(dc); return nullptr; }
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH hatch = CreateHatchBrush(static_cast<int>(style), RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    RECT all = {0, 0, 8, 8};
    FillRect(dc, &all, hatch);
    GdiFlush();
    const std::uint32_t* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < 8; ++y) {
      cells[style][y] = 0;
      for (int x = 0; x < 8; ++x)
        if ((pixels[y * 8 + x] & 0xFFFFFF) == 0) cells[style][y] |= static_cast<unsigned char>(0x80 >> x);
    }
    SelectObject(dc, old);
    DeleteObject(hatch);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ready[style] = true;
  }
  return cells[style];
}

}  // namespace emf

int EmfTranslator::Impl::HatchPattern(const Brush& brush) {
  const unsigned char* cell = HatchCell(brush.hatch);
  if (!cell) return -1;
  std::string operators = Color(brush.color, "rg") + "\n";
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (cell[y] & (0x80 >> x)) operators += std::to_string(x) + " " + std::to_string(y) + " 1 1 re\n";
  operators += "f\n";
  double m[6];
  PatternMatrix(m);
  return doc.TilingPattern(operators, 8, 8, m, "");
}

namespace {

// A small brush bitmap painted by GDI itself into a cell, as runs of equal colour per row, so the
// cell's pixels are exactly GDI's and stay sharp at any zoom. Empty when it cannot be painted.
std::string BrushCell(const std::string& packed, int width, int height) {
  HBRUSH brush = CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS);
  if (!brush) return {};
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::string cell;
  if (bitmap) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, brush);
    GdiFlush();
    const std::uint32_t* pixels = static_cast<const std::uint32_t*>(bits);
    std::map<std::uint32_t, std::string> runs;  // colour to its rectangles
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width;) {
        std::uint32_t colour = pixels[y * width + x] & 0xFFFFFF;
        int end = x + 1;
        while (end < width && (pixels[y * width + end] & 0xFFFFFF) == colour) ++end;
        runs[colour] += std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(end - x) + " 1 re\n";
        x = end;
      }
    for (const auto& run : runs)
      cell += Color(RGB((run.first >> 16) & 0xFF, (run.first >> 8) & 0xFF, run.first & 0xFF), "rg") + "\n" +
              run.second + "f\n";
    SelectObject(dc, old);
    DeleteObject(bitmap);
  }
  DeleteDC(dc);
  DeleteObject(brush);
  return cell;
}

}  // namespace

int EmfTranslator::Impl::BitmapPattern(const Brush& brush) {
  if (!brush.dib) return -1;
  PdfImage image;
  std::string error;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(brush.dib->data());
  if (!ImageFromDib(bytes, brush.bitsAt, bytes + brush.bitsAt, brush.dib->size() - brush.bitsAt, &image, &error))
    return -1;
  double m[6];
  PatternMatrix(m);
  // Brushes are small, 8 by 8 pixels as a rule: their cells are drawn pixel by pixel.
  if (image.width * image.height <= 4096) {
    std::string cell = BrushCell(*brush.dib, image.width, image.height);
    if (!cell.empty()) return doc.TilingPattern(cell, image.width, image.height, m, "");
  }
  auto cached = brushImages.find(brush.dib.get());
  int id = cached != brushImages.end() ? cached->second : doc.AddImage(image, &error);
  if (id < 0) return -1;
  brushImages[brush.dib.get()] = id;
  // One copy of the bitmap per cell, its rows from the top, one pixel a device unit.
  std::string operators = "q " + std::to_string(image.width) + " 0 0 -" + std::to_string(image.height) + " 0 " +
                          std::to_string(image.height) + " cm /Im" + std::to_string(id) + " Do Q\n";
  return doc.TilingPattern(operators, image.width, image.height, m, " /XObject << " + doc.ImageResource(id) + " >>");
}

// Whether recorded advances of glyph-number text belong to these glyphs. Some recorders measure the
// glyph numbers as if they were characters; such advances scatter around the font's own, where real
// ones differ by rounding or by one amount added to every letter. Spaces are left out, since
// justified text widens them alone.
bool EmfTranslator::Impl::AdvancesFit(int f, double em, const std::vector<std::uint16_t>& glyphs,
                                      const std::wstring& text, const std::vector<std::int32_t>& dx) const {
  std::vector<double> deviation;
  double average = 0;
  for (size_t i = 0; i < glyphs.size() && i < dx.size(); ++i) {
    if (i < text.size() && text[i] == L' ') continue;
    double own = doc.GlyphAdvance(f, glyphs[i]) * em;
    deviation.push_back(dx[i] - own);
    average += own;
  }
  if (deviation.size() < 2) return true;
  average /= deviation.size();
  double mean = 0, spread = 0;
  for (double d : deviation) mean += d;
  mean /= deviation.size();
  for (double d : deviation) spread += std::fabs(d - mean);
  spread /= deviation.size();
  return spread <= std::max(1.5, 0.2 * average);
}

void EmfTranslator::Impl::Text(const unsigned char* r, size_t recSize, bool wide) {
  EMREXTTEXTOUTW rec;
  if (recSize < sizeof(rec)) return;
  std::memcpy(&rec, r, sizeof(rec));
  const EMRTEXT& t = rec.emrtext;
  if (t.nChars == 0) {
    if (t.fOptions & ETO_OPAQUE) {
      // An opaque rectangle alone is how GDI fills a solid area fastest.
      Prepare();
      SetFill(s.bkColor);
      double x0, y0, x1, y1;
      Dev(t.rcl.left, t.rcl.top, &x0, &y0);
      Dev(t.rcl.right, t.rcl.bottom, &x1, &y1);
      out.Add(x0).Add(y0).Add(x1 - x0).Add(y1 - y0).Op("re f");
    }
    return;
  }
  if (t.offString + (wide ? 2ull : 1ull) * t.nChars > recSize) return;
  std::wstring text(t.nChars, L'\0');
  if (wide) {
    std::memcpy(&text[0], r + t.offString, 2 * t.nChars);
  } else {
    // One character per byte, in the code page of the font's character set.
    CHARSETINFO info = {};
    UINT codePage = TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<ULONG_PTR>(s.font.lfCharSet)), &info,
                                         TCI_SRCCHARSET) ? info.ciACP : CP_ACP;
    for (std::uint32_t i = 0; i < t.nChars; ++i) {
      wchar_t c = 0;
      if (MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(r + t.offString + i), 1, &c, 1) != 1)
        c = static_cast<unsigned char>(r[t.offString + i]);
      text[i] = c;
    }
  }
  std::vector<std::int32_t> dx;
  if (t.offDx && t.offDx + 4ull * t.nChars * ((t.fOptions & ETO_PDY) ? 2 : 1) <= recSize) {
    for (std::uint32_t i = 0; i < t.nChars; ++i) {
      std::int32_t v;
      std::memcpy(&v, r + t.offDx + 4 * i * ((t.fOptions & ETO_PDY) ? 2 : 1), 4);
      dx.push_back(v);
    }
  }

  const LOGFONTW& lf = s.font;
  FontKey key;
  key.face = lf.lfFaceName;
  key.bold = lf.lfWeight >= FW_SEMIBOLD;
  key.italic = lf.lfItalic != 0;
  int f = doc.Font(key);
  double ascent = doc.Ascent(f), descent = doc.Descent(f);
  // Logical em size: a negative height is the em, a positive one the whole cell.
  double em = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight > 0 ? lf.lfHeight / (ascent + descent) : 12;
  std::vector<std::uint16_t> glyphs;
  if (t.fOptions & ETO_GLYPH_INDEX) {
    // Glyphs by number, as text layout engines print: the font's map gives the characters back.
    for (wchar_t c : text) glyphs.push_back(static_cast<std::uint16_t>(c));
    text = doc.TextForGlyphs(f, glyphs);
  } else {
    glyphs = doc.Glyphs(f, text);
  }
  if ((t.fOptions & ETO_GLYPH_INDEX) && !dx.empty() && !AdvancesFit(f, em, glyphs, text, dx)) dx.clear();
  // Advances in logical units: the recorded ones when there are, else the font's.
  std::vector<double> advance;
  double total = 0;
  for (size_t i = 0; i < glyphs.size(); ++i) {
    double a = i < dx.size() ? dx[i] : doc.GlyphAdvance(f, glyphs[i]) * em;
    advance.push_back(a);
    total += a;
  }

  double angle = lf.lfEscapement / 10.0 * kPi / 180;
  double dirX = std::cos(angle), dirY = -std::sin(angle);   // along the baseline, logical y down
  double downX = std::sin(angle), downY = std::cos(angle);  // towards the glyphs' feet
  double rx = t.ptlReference.x, ry = t.ptlReference.y;
  if (s.textAlign & TA_UPDATECP) { rx = s.curX; ry = s.curY; }
  UINT h = s.textAlign & (TA_LEFT | TA_RIGHT | TA_CENTER), v = s.textAlign & (TA_TOP | TA_BOTTOM | TA_BASELINE);
  double along = h == TA_CENTER ? -total / 2 : h == TA_RIGHT ? -total : 0;
  double down = v == TA_BASELINE ? 0 : v == TA_BOTTOM ? -descent * em : ascent * em;
  if (s.textAlign & TA_UPDATECP) {
    if (h == TA_LEFT) { s.curX = rx + dirX * total; s.curY = ry + dirY * total; }
    else if (h == TA_RIGHT) { s.curX = rx - dirX * total; s.curY = ry - dirY * total; }
  }
  // Baseline origin in logical units.
  double ox = rx + dirX * along + downX * down, oy = ry + dirY * along + downY * down;

  Prepare();
  bool clipped = (t.fOptions & ETO_CLIPPED) != 0;
  auto rectPath = [&](double l, double tp, double rr, double b) {
    double x[4], y[4];
    Dev(l, tp, &x[0], &y[0]);
    Dev(rr, tp, &x[1], &y[1]);
    Dev(rr, b, &x[2], &y[2]);
    Dev(l, b, &x[3], &y[3]);
    out.Add(x[0]).Add(y[0]).Op("m");
    for (int i = 1; i < 4; ++i) out.Add(x[i]).Add(y[i]).Op("l");
    out.Op("h");
  };
  if (t.fOptions & ETO_OPAQUE) {
    SetFill(s.bkColor);
    rectPath(t.rcl.left, t.rcl.top, t.rcl.right, t.rcl.bottom);
    out.Op("f");
  } else if (s.bkMode == OPAQUE) {
    // The cell behind the text, in the text's own direction.
    SetFill(s.bkColor);
    double cx[4], cy[4];
    const double corners[4][2] = {{0, -ascent * em}, {total, -ascent * em}, {total, descent * em}, {0, descent * em}};
    for (int i = 0; i < 4; ++i)
      Dev(ox + dirX * corners[i][0] + downX * corners[i][1], oy + dirY * corners[i][0] + downY * corners[i][1], &cx[i], &cy[i]);
    out.Add(cx[0]).Add(cy[0]).Op("m");
    for (int i = 1; i < 4; ++i) out.Add(cx[i]).Add(cy[i]).Op("l");
    out.Op("h f");
  }
  if (clipped) {
    out.Op("q");
    rectPath(t.rcl.left, t.rcl.top, t.rcl.right, t.rcl.bottom);
    out.Op("W n");
  }
  // Text space: x along the baseline, y towards the glyphs' tops, one unit = one logical em.
  Affine textSpace;
  textSpace.a = dirX * em;
  textSpace.b = dirY * em;
  textSpace.c = -downX * em;
  textSpace.d = -downY * em;
  textSpace.e = ox;
  textSpace.f = oy;
  Affine m = textSpace.Then(LogicalToDevice());
  if (doc.SyntheticItalic(f)) {
    m.c += PdfDocument::kSlant * m.a;
    m.d += PdfDocument::kSlant * m.b;
  }
  bool emboldened = doc.SyntheticBold(f);
  if (emboldened) {
    // The outline stroked in the text colour: the state it changes is dropped again with Q.
    out.Op("q");
    out.Raw(Color(s.textColor, "RG")).Raw(" ").Add(DevLength(em) * 0.03).Op("w 2 Tr");
  }
  std::string fill = Color(s.textColor, "rg");
  out.Raw("BT ").Raw(doc.UseFont(f)).Raw(" 1 Tf ").Raw(fill).Op("");
  fillColor = fill;
  out.Add(m.a).Add(m.b).Add(m.c).Add(m.d).Add(m.e).Add(m.f).Op("Tm");
  // Glyphs one by one where the recorded advances differ from the font's, so the text sits where GDI put it.
  out.Raw("[");
  double drift = 0;  // where the recorded advances have moved us, less the font's, in thousandths of an em
  std::vector<std::uint16_t> run;
  std::wstring runText;
  size_t ti = 0;
  for (size_t i = 0; i < glyphs.size(); ++i) {
    size_t length = ti + 1 < text.size() && text[ti] >= 0xD800 && text[ti] < 0xDC00 ? 2 : 1;
    std::wstring unit = ti < text.size() ? text.substr(ti, length) : std::wstring();
    ti += length;
    run.push_back(glyphs[i]);
    runText += unit;
    drift += advance[i] / em * 1000 - doc.GlyphAdvance(f, glyphs[i]) * 1000;
    if (std::fabs(drift) >= 0.5 || i + 1 == glyphs.size()) {
      out.Raw(doc.GlyphStringFromGlyphs(f, run, runText));
      run.clear();
      runText.clear();
      if (std::fabs(drift) >= 0.5 && i + 1 < glyphs.size()) {
        out.Raw(" ").Add(-drift);
        drift = 0;
      }
    }
  }
  out.Op("] TJ ET");
  if (emboldened) {
    out.Op("0 Tr Q");
    ForgetState();
  }
  if (lf.lfUnderline || lf.lfStrikeOut) {
    // Lines as thin filled bands at the usual positions below and through the baseline.
    double thick = std::max(em / 14, 1.0);
    auto band = [&](double offset) {
      double x[4], y[4];
      const double corners[4][2] = {{0, offset}, {total, offset}, {total, offset + thick}, {0, offset + thick}};
      for (int i = 0; i < 4; ++i)
        Dev(ox + dirX * corners[i][0] + downX * corners[i][1], oy + dirY * corners[i][0] + downY * corners[i][1], &x[i], &y[i]);
      out.Add(x[0]).Add(y[0]).Op("m");
      for (int i = 1; i < 4; ++i) out.Add(x[i]).Add(y[i]).Op("l");
      out.Op("h f");
    };
    if (lf.lfUnderline) band(em * 0.1);
    if (lf.lfStrikeOut) band(-em * 0.28);
  }
  if (clipped) {
    out.Op("Q");
    ForgetState();
  }
}

void EmfTranslator::Impl::Bitmap(const unsigned char* r, size_t recSize, double x, double y, double cx, double cy,
                                 std::int32_t xSrc, std::int32_t ySrc, std::int32_t cxSrc, std::int32_t cySrc,
                                 std::uint32_t offBmi, std::uint32_t cbBmi, std::uint32_t offBits, std::uint32_t cbBits,
                                 std::uint32_t rop, bool dibCoordinates, std::int64_t transparent, int blend) {
  double p0x, p0y, pxx, pxy, pyx, pyy;
  Dev(x, y, &p0x, &p0y);
  Dev(x + cx, y, &pxx, &pxy);
  Dev(x, y + cy, &pyx, &pyy);
  if (!cbBmi) {
    // No source: a pattern or a constant fills the rectangle.
    Brush brush;
    if (rop == BLACKNESS) brush.color = 0;
    else if (rop == WHITENESS) brush.color = RGB(255, 255, 255);
    else if (rop == PATCOPY && !s.brush.Null()) brush = s.brush;
    else return;
    FillWith(brush, Num(p0x) + " " + Num(p0y) + " m " + Num(pxx) + " " + Num(pxy) + " l " + Num(pxx + pyx - p0x) + " " +
                        Num(pxy + pyy - p0y) + " l " + Num(pyx) + " " + Num(pyy) + " l h ",
             "f");
    return;
  }
  if (static_cast<std::uint64_t>(offBmi) + cbBmi > recSize || static_cast<std::uint64_t>(offBits) + cbBits > recSize) return;
  PdfImage image;
  std::string error;
  if (!ImageFromDib(r + offBmi, cbBmi, r + offBits, cbBits, &image, &error)) return;
  // AND with the page lets white through: the same as white shown transparent.
  if (rop == SRCAND) MakeWhiteTransparent(&image);
  if (transparent >= 0)
    MakeColorTransparent(&image, GetRValue(transparent), GetGValue(transparent), GetBValue(transparent));
  if (blend >= 0) {
    // An alpha-blended copy: the blend function's constant opacity and, with its source-alpha flag,
    // the bitmap's own opacity per pixel.
    int constant = (blend >> 16) & 0xFF;
    bool perPixel = ((blend >> 24) & AC_SRC_ALPHA) != 0;
    if (!perPixel || !TakeAlpha(r + offBmi, cbBmi, r + offBits, cbBits, constant, &image)) {
      if (constant < 255 && !image.jpeg && image.components == 3 && image.bitsPerComponent == 8)
        image.alpha.assign(static_cast<size_t>(image.width) * image.height, static_cast<char>(constant));
    }
  }
  int id = doc.AddImage(image, &error);
  if (id < 0) return;
  double w = 0, h = 0;
  std::int32_t biHeight = 0;
  if (cbBmi >= 12) {
    std::uint32_t hs;
    std::memcpy(&hs, r + offBmi, 4);
    if (hs == 12) {
      std::int16_t v[2];
      std::memcpy(v, r + offBmi + 4, 4);
      w = v[0];
      biHeight = v[1];
    } else {
      std::int32_t v[2];
      std::memcpy(v, r + offBmi + 4, 8);
      w = v[0];
      biHeight = v[1];
    }
  }
  h = std::abs(biHeight);
  if (cxSrc <= 0 || cySrc <= 0) { cxSrc = static_cast<std::int32_t>(w); cySrc = static_cast<std::int32_t>(h); }
  // The source rectangle's top in the image's rows from the top; DIB coordinates count from the bottom.
  double top = (dibCoordinates && biHeight > 0) ? h - ySrc - cySrc : ySrc;
  bool whole = xSrc == 0 && top == 0 && cxSrc == w && cySrc == h;
  double ux = (pxx - p0x) / cxSrc, uy = (pxy - p0y) / cxSrc;  // one source pixel along x
  double vx = (pyx - p0x) / cySrc, vy = (pyy - p0y) / cySrc;  // one source pixel along y (down)
  double tlx = p0x - ux * xSrc - vx * top, tly = p0y - uy * xSrc - vy * top;
  Prepare();
  out.Op("q");
  if (!whole) {
    out.Add(p0x).Add(p0y).Op("m").Add(pxx).Add(pxy).Op("l");
    out.Add(pxx + pyx - p0x).Add(pxy + pyy - p0y).Op("l").Add(pyx).Add(pyy).Op("l h W n");
  }
  out.Add(ux * w).Add(uy * w).Add(-vx * h).Add(-vy * h).Add(tlx + vx * h).Add(tly + vy * h).Op("cm");
  out.Raw(doc.UseImage(id)).Op(" Do Q");
}


}  // namespace pdf
