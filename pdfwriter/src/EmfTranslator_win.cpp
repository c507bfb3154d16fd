#include "EmfTranslator_win.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

namespace pdf {

const char kEmfMarker[4] = {'V', 'P', 'D', 'F'};

Affine Affine::Then(const Affine& n) const {
  Affine r;
  r.a = a * n.a + b * n.c;
  r.b = a * n.b + b * n.d;
  r.c = c * n.a + d * n.c;
  r.d = c * n.b + d * n.d;
  r.e = e * n.a + f * n.c + n.e;
  r.f = e * n.b + f * n.d + n.f;
  return r;
}

namespace {

const double kPi = 3.14159265358979323846;
// Control-point distance of a quarter ellipse drawn as one cubic Bezier curve.
const double kKappa = 0.5522847498;

struct Box {
  double l, t, r, b;
  bool Empty() const { return r <= l || b <= t; }
};

// A clip region as GDI keeps it: a set of device rectangles that do not overlap, or everything.
struct Region {
  bool all = true;
  std::vector<Box> boxes;
};

const Box kEverything = {-1e7, -1e7, 1e7, 1e7};

std::vector<Box> Subtract(const Box& a, const Box& r) {
  Box i = {std::max(a.l, r.l), std::max(a.t, r.t), std::min(a.r, r.r), std::min(a.b, r.b)};
  if (i.Empty()) return {a};
  std::vector<Box> out;
  if (a.t < i.t) out.push_back({a.l, a.t, a.r, i.t});
  if (i.b < a.b) out.push_back({a.l, i.b, a.r, a.b});
  if (a.l < i.l) out.push_back({a.l, i.t, i.l, i.b});
  if (i.r < a.r) out.push_back({i.r, i.t, a.r, i.b});
  return out;
}

std::vector<Box> Boxes(const Region& r) { return r.all ? std::vector<Box>{kEverything} : r.boxes; }

Region Combine(const Region& a, const Region& b, int mode) {
  std::vector<Box> A = Boxes(a), B = Boxes(b), out;
  auto minus = [](std::vector<Box> from, const std::vector<Box>& take) {
    for (const Box& t : take) {
      std::vector<Box> next;
      for (const Box& f : from)
        for (const Box& piece : Subtract(f, t)) next.push_back(piece);
      from.swap(next);
    }
    return from;
  };
  switch (mode) {
    case RGN_AND:
      for (const Box& x : A)
        for (const Box& y : B) {
          Box i = {std::max(x.l, y.l), std::max(x.t, y.t), std::min(x.r, y.r), std::min(x.b, y.b)};
          if (!i.Empty()) out.push_back(i);
        }
      break;
    case RGN_OR:
      out = A;
      for (const Box& x : minus(B, A)) out.push_back(x);
      break;
    case RGN_DIFF:
      out = minus(A, B);
      break;
    case RGN_XOR:
      out = minus(A, B);
      for (const Box& x : minus(B, A)) out.push_back(x);
      break;
    default:  // RGN_COPY
      return b;
  }
  Region r;
  r.all = false;
  r.boxes = out;
  return r;
}

struct Pen {
  UINT style = PS_SOLID;
  double width = 0;  // logical units; 0 is one device pixel
  COLORREF color = 0;
  bool Null() const { return (style & PS_STYLE_MASK) == PS_NULL; }
};

struct Brush {
  UINT style = BS_SOLID;
  COLORREF color = RGB(255, 255, 255);
  ULONG hatch = 0;
  bool Null() const { return style == BS_NULL || style == BS_PATTERN; }
};

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

struct DcState {
  int mapMode = MM_TEXT;
  double wox = 0, woy = 0, wex = 1, wey = 1, vox = 0, voy = 0, vex = 1, vey = 1;
  Affine world;
  Pen pen;
  Brush brush;
  LOGFONTW font = {};
  COLORREF textColor = 0, bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE, polyFill = ALTERNATE, arcDirection = AD_COUNTERCLOCKWISE;
  UINT textAlign = 0;
  double curX = 0, curY = 0;
  Region clip;
  std::vector<std::pair<std::string, bool>> clipPaths;  // device path, even-odd
};

struct GdiObject {
  enum Kind { kPen, kBrush, kFont } kind;
  Pen pen;
  Brush brush;
  LOGFONTW font;
};

std::string Color(COLORREF c, const char* op) {
  return Num(GetRValue(c) / 255.0) + " " + Num(GetGValue(c) / 255.0) + " " + Num(GetBValue(c) / 255.0) + " " + op;
}

}  // namespace

struct EmfTranslator::Impl {
  PdfDocument& doc;
  ContentStream& out;
  Affine deviceToPage;
  std::function<void(std::uint32_t)>* marker = nullptr;
  const unsigned char* data = nullptr;
  size_t size = 0;

  DcState s;
  std::vector<DcState> saved;
  std::map<std::uint32_t, GdiObject> objects;
  double pixelsPerMmX = 96 / 25.4, pixelsPerMmY = 96 / 25.4;

  // What the PDF graphics state holds now inside the open segment.
  bool segmentOpen = false, clipDirty = true;
  std::string strokeColor, fillColor, lineWidth, dash, capJoin;
  bool inPath = false;   // between BEGINPATH and ENDPATH
  std::string path;      // the path being built, device units
  bool pathHasCurrent = false;

  Impl(PdfDocument& d, ContentStream& o, const Affine& m) : doc(d), out(o), deviceToPage(m) {}

  // ---- coordinates ----
  Affine PageToDevice() const {
    Affine m;
    double sx = s.vex / s.wex, sy = s.vey / s.wey;
    if (s.mapMode == MM_TEXT) {
      sx = sy = 1;
    } else if (s.mapMode == MM_ISOTROPIC) {
      double k = std::min(std::fabs(sx), std::fabs(sy));
      sx = sx < 0 ? -k : k;
      sy = sy < 0 ? -k : k;
    } else if (s.mapMode != MM_ANISOTROPIC) {
      double mm = s.mapMode == MM_LOMETRIC ? 0.1 : s.mapMode == MM_HIMETRIC ? 0.01 : s.mapMode == MM_LOENGLISH ? 0.254
                : s.mapMode == MM_HIENGLISH ? 0.0254 : 25.4 / 1440;
      sx = mm * pixelsPerMmX;
      sy = -mm * pixelsPerMmY;
    }
    m.a = sx;
    m.d = sy;
    m.e = s.vox - s.wox * sx;
    m.f = s.voy - s.woy * sy;
    return m;
  }
  Affine LogicalToDevice() const { return s.world.Then(PageToDevice()); }
  void Dev(double x, double y, double* dx, double* dy) const { LogicalToDevice().Apply(x, y, dx, dy); }
  double DevLength(double logical) const {
    Affine m = LogicalToDevice();
    return logical * std::sqrt(std::fabs(m.a * m.d - m.b * m.c));
  }

  // ---- segments and state ----
  void Open() {
    if (segmentOpen) return;
    const Affine& m = deviceToPage;
    out.Raw("q ").Add(m.a).Add(m.b).Add(m.c).Add(m.d).Add(m.e).Add(m.f).Op("cm");
    out.Op("q");
    segmentOpen = true;
    clipDirty = true;
  }
  void Close() {
    if (!segmentOpen) return;
    out.Op("Q Q");
    segmentOpen = false;
  }
  void ForgetState() { strokeColor.clear(); fillColor.clear(); lineWidth.clear(); dash.clear(); capJoin.clear(); }
  void Prepare() {
    Open();
    if (!clipDirty) return;
    out.Op("Q q");
    ForgetState();
    if (!s.clip.all) {
      if (s.clip.boxes.empty()) out.Op("0 0 0 0 re");
      for (const Box& b : s.clip.boxes) out.Add(b.l).Add(b.t).Add(b.r - b.l).Add(b.b - b.t).Op("re");
      out.Op("W n");
    }
    for (auto& p : s.clipPaths) out.Raw(p.first).Op(p.second ? "W* n" : "W n");
    clipDirty = false;
  }
  void SetStroke(const Pen& pen) {
    std::string c = Color(pen.color, "RG");
    if (c != strokeColor) { out.Op(c.c_str()); strokeColor = c; }
    bool geometric = (pen.style & PS_TYPE_MASK) == PS_GEOMETRIC;
    double w = std::max(1.0, DevLength(pen.width));
    if (!geometric && pen.width <= 1) w = 1;
    std::string lw = Num(w) + " w";
    if (lw != lineWidth) { out.Op(lw.c_str()); lineWidth = lw; }
    // GDI's geometric pens default to round ends and joins; cosmetic pens are square one-pixel lines.
    std::string cj = "0 J 0 j";
    if (geometric) {
      UINT cap = pen.style & PS_ENDCAP_MASK, join = pen.style & PS_JOIN_MASK;
      cj = std::string(cap == PS_ENDCAP_FLAT ? "0" : cap == PS_ENDCAP_SQUARE ? "2" : "1") + " J " +
           (join == PS_JOIN_MITER ? "0" : join == PS_JOIN_BEVEL ? "2" : "1") + " j";
    }
    if (cj != capJoin) { out.Op(cj.c_str()); capJoin = cj; }
    double u = geometric ? w : 1;
    std::string d;
    switch (pen.style & PS_STYLE_MASK) {
      case PS_DASH: d = "[" + Num(18 * u / (geometric ? 3 : 1)) + " " + Num(6 * u / (geometric ? 3 : 1)) + "] 0 d"; break;
      case PS_DOT: case PS_ALTERNATE: d = "[" + Num(3 * u / (geometric ? 3 : 1)) + "] 0 d"; break;
      case PS_DASHDOT: d = "[" + Num(9 * u) + " " + Num(6 * u) + " " + Num(3 * u) + " " + Num(6 * u) + "] 0 d"; break;
      case PS_DASHDOTDOT: d = "[" + Num(9 * u) + " " + Num(3 * u) + " " + Num(3 * u) + " " + Num(3 * u) + " " + Num(3 * u) + " " + Num(3 * u) + "] 0 d"; break;
      default: d = "[] 0 d";
    }
    if (d != dash) { out.Op(d.c_str()); dash = d; }
  }
  void SetFill(COLORREF color) {
    std::string c = Color(color, "rg");
    if (c != fillColor) { out.Op(c.c_str()); fillColor = c; }
  }

  // ---- path building in device units ----
  void M(double x, double y) { path += Num(x) + " " + Num(y) + " m\n"; pathHasCurrent = true; }
  void L(double x, double y) { path += Num(x) + " " + Num(y) + " l\n"; }
  void C(double x1, double y1, double x2, double y2, double x3, double y3) {
    path += Num(x1) + " " + Num(y1) + " " + Num(x2) + " " + Num(y2) + " " + Num(x3) + " " + Num(y3) + " c\n";
  }
  void H() { path += "h\n"; }

  // Logical points, through the transform, shifted by o device units (pixel centres for strokes).
  void Poly(const std::vector<POINT>& pts, bool close, double o, bool move = true) {
    for (size_t i = 0; i < pts.size(); ++i) {
      double x, y;
      Dev(pts[i].x, pts[i].y, &x, &y);
      if (i == 0 && move) M(x + o, y + o);
      else L(x + o, y + o);
    }
    if (close && !pts.empty()) H();
  }
  void Ellipse(double l, double t, double r, double b) {
    // Four Bezier quarters in logical space, transformed point by point.
    double cx = (l + r) / 2, cy = (t + b) / 2, rx = (r - l) / 2, ry = (b - t) / 2, kx = rx * kKappa, ky = ry * kKappa;
    const double pts[13][2] = {{cx + rx, cy}, {cx + rx, cy + ky}, {cx + kx, cy + ry}, {cx, cy + ry},
                               {cx - kx, cy + ry}, {cx - rx, cy + ky}, {cx - rx, cy}, {cx - rx, cy - ky},
                               {cx - kx, cy - ry}, {cx, cy - ry}, {cx + kx, cy - ry}, {cx + rx, cy - ky},
                               {cx + rx, cy}};
    double d[13][2];
    for (int i = 0; i < 13; ++i) Dev(pts[i][0], pts[i][1], &d[i][0], &d[i][1]);
    M(d[0][0], d[0][1]);
    for (int i = 1; i < 13; i += 3) C(d[i][0], d[i][1], d[i + 1][0], d[i + 1][1], d[i + 2][0], d[i + 2][1]);
    H();
  }
  void RoundRect(double l, double t, double r, double b, double ew, double eh) {
    double rx = std::min(ew / 2, (r - l) / 2), ry = std::min(eh / 2, (b - t) / 2), kx = rx * kKappa, ky = ry * kKappa;
    const double pts[17][2] = {{l + rx, t}, {r - rx, t}, {r - rx + kx, t}, {r, t + ry - ky}, {r, t + ry},
                               {r, b - ry}, {r, b - ry + ky}, {r - rx + kx, b}, {r - rx, b},
                               {l + rx, b}, {l + rx - kx, b}, {l, b - ry + ky}, {l, b - ry},
                               {l, t + ry}, {l, t + ry - ky}, {l + rx - kx, t}, {l + rx, t}};
    double d[17][2];
    for (int i = 0; i < 17; ++i) Dev(pts[i][0], pts[i][1], &d[i][0], &d[i][1]);
    M(d[0][0], d[0][1]);
    for (int i = 1; i < 17; i += 4) {
      L(d[i][0], d[i][1]);
      C(d[i + 1][0], d[i + 1][1], d[i + 2][0], d[i + 2][1], d[i + 3][0], d[i + 3][1]);
    }
    H();
  }
  // An elliptic arc in logical space from angle a0 sweeping by sweep (radians, y down).
  void Arc(double cx, double cy, double rx, double ry, double a0, double sweep, bool lineToStart) {
    int n = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (kPi / 2))));
    double step = sweep / n, k = 4.0 / 3.0 * std::tan(step / 4);
    double x, y;
    Dev(cx + rx * std::cos(a0), cy + ry * std::sin(a0), &x, &y);
    if (lineToStart && pathHasCurrent) L(x, y);
    else M(x, y);
    for (int i = 0; i < n; ++i) {
      double t0 = a0 + i * step, t1 = t0 + step;
      double p1x = cx + rx * (std::cos(t0) - k * std::sin(t0)), p1y = cy + ry * (std::sin(t0) + k * std::cos(t0));
      double p2x = cx + rx * (std::cos(t1) + k * std::sin(t1)), p2y = cy + ry * (std::sin(t1) - k * std::cos(t1));
      double d1x, d1y, d2x, d2y, d3x, d3y;
      Dev(p1x, p1y, &d1x, &d1y);
      Dev(p2x, p2y, &d2x, &d2y);
      Dev(cx + rx * std::cos(t1), cy + ry * std::sin(t1), &d3x, &d3y);
      C(d1x, d1y, d2x, d2y, d3x, d3y);
    }
  }

  // Paints the built path (or keeps it when a path bracket is open).
  void Paint(bool fill, bool stroke) {
    if (inPath) return;
    std::string p;
    p.swap(path);
    pathHasCurrent = false;
    fill = fill && !s.brush.Null();
    stroke = stroke && !s.pen.Null();
    if (p.empty() || (!fill && !stroke)) return;
    bool evenOdd = s.polyFill == ALTERNATE;
    if (fill && s.brush.style == BS_HATCHED) {
      FillWith(s.brush, p, evenOdd ? "f*" : "f");
      fill = false;
      if (!stroke) return;
    }
    Prepare();
    if (fill) SetFill(s.brush.color);
    if (stroke) SetStroke(s.pen);
    out.Raw(p);
    out.Op(fill && stroke ? (evenOdd ? "B*" : "B") : fill ? (evenOdd ? "f*" : "f") : "S");
  }
  // Fills a path (device units) with a brush: a solid colour, or a hatch over the background colour
  // when the background mode is opaque, as GDI paints it.
  void FillWith(const Brush& brush, const std::string& pathOps, const char* fillOp) {
    Prepare();
    if (brush.style != BS_HATCHED) {
      SetFill(brush.color);
      out.Raw(pathOps).Op(fillOp);
      return;
    }
    if (s.bkMode == OPAQUE) {
      SetFill(s.bkColor);
      out.Raw(pathOps).Op(fillOp);
    }
    const unsigned char* cell = HatchCell(brush.hatch);
    if (!cell) return;
    std::string operators = Color(brush.color, "rg") + "\n";
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        if (cell[y] & (0x80 >> x)) operators += std::to_string(x) + " " + std::to_string(y) + " 1 1 re\n";
    operators += "f\n";
    // The cell is laid on the device pixels from the device origin, where GDI aligns its brushes.
    double page[6], m[6];
    doc.DrawingMatrix(page);
    const Affine& d = deviceToPage;
    Affine toDefault = d.Then(Affine{page[0], page[1], page[2], page[3], page[4], page[5]});
    m[0] = toDefault.a; m[1] = toDefault.b; m[2] = toDefault.c; m[3] = toDefault.d; m[4] = toDefault.e; m[5] = toDefault.f;
    int pattern = doc.TilingPattern(operators, 8, 8, m);
    out.Raw("/Pattern cs ").Raw(doc.UsePattern(pattern)).Op(" scn");
    fillColor.clear();
    out.Raw(pathOps).Op(fillOp);
  }
  // A closed shape: filled on the pixel corners, outlined on the pixel centres, as GDI draws them.
  template <typename Shape>
  void Closed(Shape shape) {
    if (inPath) { shape(0.0, false); return; }
    if (!s.brush.Null()) {
      shape(0.0, s.pen.Null());
      Paint(true, false);
    }
    if (!s.pen.Null()) {
      shape(0.5, false);
      Paint(false, true);
    }
  }

  // ---- records ----
  std::vector<POINT> Points(const unsigned char* r, size_t recSize, size_t at, std::uint32_t count, bool small) {
    std::vector<POINT> pts;
    std::uint64_t each = small ? 4 : 8;
    if (at + each * count > recSize) return pts;
    pts.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      if (small) {
        std::int16_t xy[2];
        std::memcpy(xy, r + at + 4 * i, 4);
        pts[i].x = xy[0];
        pts[i].y = xy[1];
      } else {
        std::memcpy(&pts[i], r + at + 8 * i, 8);
      }
    }
    return pts;
  }

  void SelectStock(std::uint32_t index) {
    switch (index & 0x7FFFFFFF) {
      case WHITE_BRUSH: s.brush = {BS_SOLID, RGB(255, 255, 255)}; break;
      case LTGRAY_BRUSH: s.brush = {BS_SOLID, RGB(192, 192, 192)}; break;
      case GRAY_BRUSH: s.brush = {BS_SOLID, RGB(128, 128, 128)}; break;
      case DKGRAY_BRUSH: s.brush = {BS_SOLID, RGB(64, 64, 64)}; break;
      case BLACK_BRUSH: s.brush = {BS_SOLID, 0}; break;
      case NULL_BRUSH: s.brush = {BS_NULL, 0}; break;
      case WHITE_PEN: s.pen = {PS_SOLID, 0, RGB(255, 255, 255)}; break;
      case BLACK_PEN: s.pen = {PS_SOLID, 0, 0}; break;
      case NULL_PEN: s.pen = {PS_NULL, 0, 0}; break;
      case DC_BRUSH: case DC_PEN: break;
      default:  // stock fonts
        s.font = LOGFONTW();
        s.font.lfHeight = -13;
        lstrcpyW(s.font.lfFaceName, L"Arial");
    }
  }

  // wide: the string is UTF-16; otherwise bytes in the font's character set.
  void Text(const unsigned char* r, size_t recSize, bool wide);
  bool AdvancesFit(int f, double em, const std::vector<std::uint16_t>& glyphs, const std::wstring& text,
                   const std::vector<std::int32_t>& dx) const;
  void Bitmap(const unsigned char* r, size_t recSize, double x, double y, double cx, double cy, std::int32_t xSrc,
              std::int32_t ySrc, std::int32_t cxSrc, std::int32_t cySrc, std::uint32_t offBmi, std::uint32_t cbBmi,
              std::uint32_t offBits, std::uint32_t cbBits, std::uint32_t rop, bool dibCoordinates,
              std::int64_t transparent = -1, int blend = -1);
  bool Record(std::uint32_t type, const unsigned char* r, size_t recSize);
};

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

bool EmfTranslator::Impl::Record(std::uint32_t type, const unsigned char* r, size_t n) {
  auto u32 = [&](size_t at) -> std::uint32_t {
    std::uint32_t v = 0;
    if (at + 4 <= n) std::memcpy(&v, r + at, 4);
    return v;
  };
  auto i32 = [&](size_t at) { return static_cast<std::int32_t>(u32(at)); };
  auto f32 = [&](size_t at) {
    float v = 0;
    if (at + 4 <= n) std::memcpy(&v, r + at, 4);
    return static_cast<double>(v);
  };
  auto rectAt = [&](size_t at) { return Box{double(i32(at)), double(i32(at + 4)), double(i32(at + 8)), double(i32(at + 12))}; };
  auto devBox = [&](const Box& b) {
    double x0, y0, x1, y1;
    Dev(b.l, b.t, &x0, &y0);
    Dev(b.r, b.b, &x1, &y1);
    return Box{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
  };
  auto setClip = [&](const Region& region, int mode) {
    s.clip = Combine(s.clip, region, mode);
    if (mode == RGN_COPY) s.clipPaths.clear();
    clipDirty = true;
  };
  auto regionAt = [&](size_t at, std::uint32_t bytes, bool logical) {
    Region region;
    region.all = false;
    if (at + 32 > n || bytes < 32) return region;
    std::uint32_t count = u32(at + 8);
    for (std::uint32_t i = 0; i < count && at + 32 + 16 * (i + 1) <= n; ++i) {
      Box b = rectAt(at + 32 + 16 * i);
      region.boxes.push_back(logical ? devBox(b) : b);
    }
    return region;
  };

  switch (type) {
    case EMR_HEADER: {
      std::int32_t devX = i32(72), devY = i32(76), mmX = i32(80), mmY = i32(84);
      if (u32(4) >= 108 && i32(100) > 0 && i32(104) > 0) {
        pixelsPerMmX = devX / (i32(100) / 1000.0);
        pixelsPerMmY = devY / (i32(104) / 1000.0);
      } else if (mmX > 0 && mmY > 0) {
        pixelsPerMmX = double(devX) / mmX;
        pixelsPerMmY = double(devY) / mmY;
      }
      break;
    }
    case EMR_EOF: return false;
    case EMR_GDICOMMENT: {
      std::uint32_t bytes = u32(8);
      if (bytes == 8 && n >= 20 && std::memcmp(r + 12, kEmfMarker, 4) == 0 && marker && *marker) {
        Close();
        (*marker)(u32(16));
        clipDirty = true;
      }
      break;
    }
    case EMR_SAVEDC: saved.push_back(s); break;
    case EMR_RESTOREDC: {
      std::int32_t which = i32(8);
      size_t target = which < 0 ? (saved.size() >= size_t(-which) ? saved.size() - size_t(-which) : size_t(-1))
                                : (which >= 1 && size_t(which) <= saved.size() ? size_t(which - 1) : size_t(-1));
      if (target != size_t(-1)) {
        s = saved[target];
        saved.resize(target);
        clipDirty = true;
      }
      break;
    }
    case EMR_SETMAPMODE:
      s.mapMode = i32(8);
      if (s.mapMode != MM_ANISOTROPIC && s.mapMode != MM_ISOTROPIC) s.wex = s.wey = s.vex = s.vey = 1;
      break;
    case EMR_SETWINDOWEXTEX: if (i32(8) && i32(12)) { s.wex = i32(8); s.wey = i32(12); } break;
    case EMR_SETWINDOWORGEX: s.wox = i32(8); s.woy = i32(12); break;
    case EMR_SETVIEWPORTEXTEX: if (i32(8) && i32(12)) { s.vex = i32(8); s.vey = i32(12); } break;
    case EMR_SETVIEWPORTORGEX: s.vox = i32(8); s.voy = i32(12); break;
    case EMR_SCALEVIEWPORTEXTEX:
      if (i32(12) && i32(20)) { s.vex = s.vex * i32(8) / i32(12); s.vey = s.vey * i32(16) / i32(20); }
      break;
    case EMR_SCALEWINDOWEXTEX:
      if (i32(12) && i32(20)) { s.wex = s.wex * i32(8) / i32(12); s.wey = s.wey * i32(16) / i32(20); }
      break;
    case EMR_SETWORLDTRANSFORM:
      s.world = Affine{f32(8), f32(12), f32(16), f32(20), f32(24), f32(28)};
      break;
    case EMR_MODIFYWORLDTRANSFORM: {
      Affine m{f32(8), f32(12), f32(16), f32(20), f32(24), f32(28)};
      std::uint32_t mode = u32(32);
      if (mode == MWT_IDENTITY) s.world = Affine();
      else if (mode == MWT_LEFTMULTIPLY) s.world = m.Then(s.world);
      else if (mode == MWT_RIGHTMULTIPLY) s.world = s.world.Then(m);
      else if (mode == 4 /* MWT_SET */) s.world = m;
      break;
    }
    case EMR_CREATEPEN: {
      GdiObject o{GdiObject::kPen, {}, {}, {}};
      o.pen.style = u32(12);
      o.pen.width = i32(16);
      o.pen.color = u32(24);
      objects[u32(8)] = o;
      break;
    }
    case EMR_EXTCREATEPEN: {
      GdiObject o{GdiObject::kPen, {}, {}, {}};
      o.pen.style = u32(28);
      o.pen.width = u32(32);
      o.pen.color = u32(40);
      if (u32(36) == BS_NULL) o.pen.style = (o.pen.style & ~PS_STYLE_MASK) | PS_NULL;
      objects[u32(8)] = o;
      break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
      GdiObject o{GdiObject::kBrush, {}, {}, {}};
      o.brush.style = u32(12);
      o.brush.color = u32(16);
      o.brush.hatch = u32(20);
      objects[u32(8)] = o;
      break;
    }
    case EMR_CREATEDIBPATTERNBRUSHPT:
    case EMR_CREATEMONOBRUSH: {
      // Patterns are not reproduced: the brush paints nothing rather than a wrong colour.
      GdiObject o{GdiObject::kBrush, {}, {}, {}};
      o.brush.style = BS_PATTERN;
      objects[u32(8)] = o;
      break;
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
      GdiObject o{GdiObject::kFont, {}, {}, {}};
      if (n >= 12 + sizeof(LOGFONTW)) std::memcpy(&o.font, r + 12, sizeof(LOGFONTW));
      o.font.lfFaceName[LF_FACESIZE - 1] = 0;
      objects[u32(8)] = o;
      break;
    }
    case EMR_SELECTOBJECT: {
      std::uint32_t h = u32(8);
      if (h & 0x80000000) { SelectStock(h); break; }
      auto it = objects.find(h);
      if (it == objects.end()) break;
      if (it->second.kind == GdiObject::kPen) s.pen = it->second.pen;
      else if (it->second.kind == GdiObject::kBrush) s.brush = it->second.brush;
      else s.font = it->second.font;
      break;
    }
    case EMR_DELETEOBJECT: objects.erase(u32(8)); break;
    case EMR_SETBKMODE: s.bkMode = i32(8); break;
    case EMR_SETBKCOLOR: s.bkColor = u32(8); break;
    case EMR_SETTEXTCOLOR: s.textColor = u32(8); break;
    case EMR_SETTEXTALIGN: s.textAlign = u32(8); break;
    case EMR_SETPOLYFILLMODE: s.polyFill = i32(8); break;
    case EMR_SETARCDIRECTION: s.arcDirection = i32(8); break;
    case EMR_MOVETOEX:
      s.curX = i32(8);
      s.curY = i32(12);
      if (inPath) {
        double x, y;
        Dev(s.curX, s.curY, &x, &y);
        M(x, y);
      }
      break;
    case EMR_LINETO: {
      double o = inPath ? 0 : 0.5, x0, y0, x1, y1;
      Dev(s.curX, s.curY, &x0, &y0);
      Dev(i32(8), i32(12), &x1, &y1);
      if (!inPath || !pathHasCurrent) M(x0 + o, y0 + o);
      L(x1 + o, y1 + o);
      s.curX = i32(8);
      s.curY = i32(12);
      Paint(false, true);
      break;
    }
    case EMR_RECTANGLE: case EMR_ELLIPSE: case EMR_ROUNDRECT: {
      // The recorded box is inclusive: GDI was called with one more to the right and below.
      Box b = rectAt(8);
      b.r += 1;
      b.b += 1;
      double ew = i32(24), eh = i32(28);
      Closed([&](double o, bool shrink) {
        double l = b.l + o, t = b.t + o, rr = b.r - o - (shrink ? 1 : 0), bb = b.b - o - (shrink ? 1 : 0);
        if (type == EMR_RECTANGLE) {
          // Through the transform point by point, so a rotated world turns the rectangle too.
          double x[4], y[4];
          Dev(l, t, &x[0], &y[0]); Dev(rr, t, &x[1], &y[1]); Dev(rr, bb, &x[2], &y[2]); Dev(l, bb, &x[3], &y[3]);
          M(x[0], y[0]);
          for (int i = 1; i < 4; ++i) L(x[i], y[i]);
          H();
        } else if (type == EMR_ELLIPSE) {
          Ellipse(l, t, rr, bb);
        } else {
          RoundRect(l, t, rr, bb, ew, eh);
        }
      });
      break;
    }
    case EMR_ARC: case EMR_ARCTO: case EMR_CHORD: case EMR_PIE: {
      Box b = rectAt(8);  // inclusive, as for the ellipse
      b.r += 1;
      b.b += 1;
      double cx = (b.l + b.r) / 2, cy = (b.t + b.b) / 2, rx = (b.r - b.l) / 2, ry = (b.b - b.t) / 2;
      if (rx <= 0 || ry <= 0) break;
      double a0 = std::atan2((i32(28) - cy) / ry, (i32(24) - cx) / rx);
      double a1 = std::atan2((i32(36) - cy) / ry, (i32(32) - cx) / rx);
      // Counter-clockwise on the page is decreasing angle with y growing downwards.
      double sweep = a1 - a0;
      if (s.arcDirection == AD_COUNTERCLOCKWISE) { while (sweep >= 0) sweep -= 2 * kPi; }
      else { while (sweep <= 0) sweep += 2 * kPi; }
      auto build = [&]() {
        Arc(cx, cy, rx, ry, a0, sweep, type == EMR_ARCTO);
        if (type == EMR_PIE) {
          double x, y;
          Dev(cx, cy, &x, &y);
          L(x, y);
        }
        if (type == EMR_CHORD || type == EMR_PIE) H();
      };
      if (type == EMR_ARC || type == EMR_ARCTO) {
        if (type == EMR_ARCTO && !inPath) {
          double x, y;
          Dev(s.curX, s.curY, &x, &y);
          M(x, y);
        }
        build();
        if (type == EMR_ARCTO) { s.curX = cx + rx * std::cos(a0 + sweep); s.curY = cy + ry * std::sin(a0 + sweep); }
        Paint(false, true);
      } else {
        build();
        Paint(true, true);
      }
      break;
    }
    case EMR_POLYLINE: case EMR_POLYLINE16: case EMR_POLYGON: case EMR_POLYGON16:
    case EMR_POLYBEZIER: case EMR_POLYBEZIER16: case EMR_POLYLINETO: case EMR_POLYLINETO16:
    case EMR_POLYBEZIERTO: case EMR_POLYBEZIERTO16: {
      bool small = type == EMR_POLYLINE16 || type == EMR_POLYGON16 || type == EMR_POLYBEZIER16 ||
                   type == EMR_POLYLINETO16 || type == EMR_POLYBEZIERTO16;
      std::vector<POINT> pts = Points(r, n, 28, u32(24), small);
      if (pts.empty()) break;
      bool polygon = type == EMR_POLYGON || type == EMR_POLYGON16;
      bool bezier = type == EMR_POLYBEZIER || type == EMR_POLYBEZIER16 || type == EMR_POLYBEZIERTO ||
                    type == EMR_POLYBEZIERTO16;
      bool to = type == EMR_POLYLINETO || type == EMR_POLYLINETO16 || type == EMR_POLYBEZIERTO ||
                type == EMR_POLYBEZIERTO16;
      if (to) pts.insert(pts.begin(), POINT{LONG(s.curX), LONG(s.curY)});
      auto build = [&](double o) {
        bool move = !(to && inPath && pathHasCurrent);
        if (!bezier) {
          Poly(pts, polygon, o, move);
          return;
        }
        double x, y;
        Dev(pts[0].x, pts[0].y, &x, &y);
        if (move) M(x + o, y + o);
        for (size_t i = 1; i + 2 < pts.size(); i += 3) {
          double d[3][2];
          for (int k = 0; k < 3; ++k) Dev(pts[i + k].x, pts[i + k].y, &d[k][0], &d[k][1]);
          C(d[0][0] + o, d[0][1] + o, d[1][0] + o, d[1][1] + o, d[2][0] + o, d[2][1] + o);
        }
      };
      if (to) { s.curX = pts.back().x; s.curY = pts.back().y; }
      if (polygon) Closed([&](double o, bool) { build(o); });
      else { build(inPath ? 0 : 0.5); Paint(false, true); }
      break;
    }
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON: case EMR_POLYPOLYGON16: {
      bool small = type == EMR_POLYPOLYLINE16 || type == EMR_POLYPOLYGON16;
      bool polygon = type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16;
      std::uint32_t polys = u32(24), total = u32(28);
      if (32 + 4ull * polys > n) break;
      std::vector<POINT> all = Points(r, n, 32 + 4 * polys, total, small);
      if (all.size() != total) break;
      auto build = [&](double o) {
        size_t at = 0;
        for (std::uint32_t p = 0; p < polys; ++p) {
          std::uint32_t count = u32(32 + 4 * p);
          if (at + count > all.size()) break;
          Poly(std::vector<POINT>(all.begin() + at, all.begin() + at + count), polygon, o);
          at += count;
        }
      };
      if (polygon) Closed([&](double o, bool) { build(o); });
      else { build(inPath ? 0 : 0.5); Paint(false, true); }
      break;
    }
    case EMR_BEGINPATH: inPath = true; path.clear(); pathHasCurrent = false; break;
    case EMR_ENDPATH: inPath = false; break;
    case EMR_ABORTPATH: inPath = false; path.clear(); break;
    case EMR_CLOSEFIGURE: if (inPath) H(); break;
    case EMR_FILLPATH: Paint(true, false); break;
    case EMR_STROKEPATH: Paint(false, true); break;
    case EMR_STROKEANDFILLPATH: Paint(true, true); break;
    case EMR_FLATTENPATH: case EMR_WIDENPATH: break;
    case EMR_SELECTCLIPPATH: {
      std::int32_t mode = i32(8);
      if (mode == RGN_COPY) { s.clip = Region(); s.clipPaths.clear(); }
      if (!path.empty()) s.clipPaths.emplace_back(path, s.polyFill == ALTERNATE);
      path.clear();
      clipDirty = true;
      break;
    }
    case EMR_INTERSECTCLIPRECT: case EMR_EXCLUDECLIPRECT: {
      Region region;
      region.all = false;
      region.boxes.push_back(devBox(rectAt(8)));
      setClip(region, type == EMR_INTERSECTCLIPRECT ? RGN_AND : RGN_DIFF);
      break;
    }
    case EMR_EXTSELECTCLIPRGN: {
      std::uint32_t bytes = u32(8);
      std::int32_t mode = i32(12);
      if (bytes == 0 && mode == RGN_COPY) {
        s.clip = Region();
        s.clipPaths.clear();
        clipDirty = true;
      } else {
        setClip(regionAt(16, bytes, false), mode);
      }
      break;
    }
    case EMR_OFFSETCLIPRGN:
      if (!s.clip.all) {
        double dx = DevLength(i32(8)), dy = DevLength(i32(12));
        for (Box& b : s.clip.boxes) { b.l += dx; b.r += dx; b.t += dy; b.b += dy; }
        clipDirty = true;
      }
      break;
    case EMR_FILLRGN: case EMR_PAINTRGN: {
      bool fill = type == EMR_FILLRGN;
      std::uint32_t bytes = u32(24);
      Region region = regionAt(fill ? 32 : 28, bytes, true);
      Brush brush = s.brush;
      if (fill) {
        auto it = objects.find(u32(28));
        if (u32(28) & 0x80000000) {
          Brush keep = s.brush;
          SelectStock(u32(28));
          brush = s.brush;
          s.brush = keep;
        } else if (it != objects.end() && it->second.kind == GdiObject::kBrush) {
          brush = it->second.brush;
        } else {
          break;
        }
      }
      if (brush.Null() || region.boxes.empty()) break;
      std::string boxes;
      for (const Box& b : region.boxes) boxes += Num(b.l) + " " + Num(b.t) + " " + Num(b.r - b.l) + " " + Num(b.b - b.t) + " re ";
      FillWith(brush, boxes, "f");
      break;
    }
    case EMR_EXTTEXTOUTW: Text(r, n, true); break;
    case EMR_EXTTEXTOUTA: Text(r, n, false); break;
    case EMR_STRETCHDIBITS: {
      EMRSTRETCHDIBITS rec;
      if (n < sizeof(rec)) break;
      std::memcpy(&rec, r, sizeof(rec));
      Bitmap(r, n, rec.xDest, rec.yDest, rec.cxDest, rec.cyDest, rec.xSrc, rec.ySrc, rec.cxSrc, rec.cySrc,
             rec.offBmiSrc, rec.cbBmiSrc, rec.offBitsSrc, rec.cbBitsSrc, rec.dwRop, true);
      break;
    }
    case EMR_SETDIBITSTODEVICE: {
      EMRSETDIBITSTODEVICE rec;
      if (n < sizeof(rec)) break;
      std::memcpy(&rec, r, sizeof(rec));
      Bitmap(r, n, rec.xDest, rec.yDest, rec.cxSrc, rec.cySrc, rec.xSrc, rec.ySrc, rec.cxSrc, rec.cySrc,
             rec.offBmiSrc, rec.cbBmiSrc, rec.offBitsSrc, rec.cbBitsSrc, SRCCOPY, true);
      break;
    }
    case EMR_BITBLT: {
      EMRBITBLT rec;
      if (n < sizeof(rec)) break;
      std::memcpy(&rec, r, sizeof(rec));
      Bitmap(r, n, rec.xDest, rec.yDest, rec.cxDest, rec.cyDest, rec.xSrc, rec.ySrc, rec.cxDest, rec.cyDest,
             rec.offBmiSrc, rec.cbBmiSrc, rec.offBitsSrc, rec.cbBitsSrc, rec.dwRop, false);
      break;
    }
    case EMR_STRETCHBLT: {
      EMRSTRETCHBLT rec;
      if (n < sizeof(rec)) break;
      std::memcpy(&rec, r, sizeof(rec));
      Bitmap(r, n, rec.xDest, rec.yDest, rec.cxDest, rec.cyDest, rec.xSrc, rec.ySrc, rec.cxSrc, rec.cySrc,
             rec.offBmiSrc, rec.cbBmiSrc, rec.offBitsSrc, rec.cbBitsSrc, rec.dwRop, false);
      break;
    }
    case EMR_TRANSPARENTBLT: case EMR_ALPHABLEND: {
      // The same layout as a stretched copy: a transparent copy keys out its colour, a blended one
      // carries its opacity as a soft mask.
      EMRSTRETCHBLT rec;
      if (n < sizeof(rec)) break;
      std::memcpy(&rec, r, sizeof(rec));
      Bitmap(r, n, rec.xDest, rec.yDest, rec.cxDest, rec.cyDest, rec.xSrc, rec.ySrc, rec.cxSrc, rec.cySrc,
             rec.offBmiSrc, rec.cbBmiSrc, rec.offBitsSrc, rec.cbBitsSrc, SRCCOPY, false,
             type == EMR_TRANSPARENTBLT ? std::int64_t(rec.dwRop & 0xFFFFFF) : -1,
             type == EMR_ALPHABLEND ? static_cast<int>(rec.dwRop) : -1);
      break;
    }
    default:
      // Palettes, colour management, ROP modes, stretch modes and the like change nothing a PDF shows.
      break;
  }
  return true;
}

EmfTranslator::EmfTranslator(PdfDocument& document, ContentStream& out, const Affine& deviceToPage)
    : impl_(new Impl(document, out, deviceToPage)) {}

EmfTranslator::~EmfTranslator() { delete impl_; }

bool EmfTranslator::Translate(const std::string& records, std::string* error) {
  impl_->marker = &marker_;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(records.data());
  size_t at = 0, size = records.size();
  bool ok = true;
  while (at + 8 <= size) {
    std::uint32_t type, length;
    std::memcpy(&type, p + at, 4);
    std::memcpy(&length, p + at + 4, 4);
    if (length < 8 || length % 4 || length > size - at) {
      *error = "metafile record " + std::to_string(type) + " at " + std::to_string(at) + " has a bad size";
      ok = false;
      break;
    }
    if (!impl_->Record(type, p + at, length)) break;
    at += length;
  }
  impl_->Close();
  return ok;
}

}  // namespace pdf
