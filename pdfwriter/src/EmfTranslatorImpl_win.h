// The translator's inside, shared by its files: the device context's state as the records change
// it, the objects they create, and the operations that turn drawing into PDF operators.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "EmfTranslator_win.h"

namespace pdf {
namespace emf {

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
  // A bitmap brush: the packed bitmap (header, colours, pixels) as the record carried it, and where
  // its pixels start.
  std::shared_ptr<const std::string> dib;
  std::uint32_t bitsAt = 0;
  bool Null() const { return style == BS_NULL || style == BS_PATTERN; }
};

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

inline std::string Color(COLORREF c, const char* op) {
  return Num(GetRValue(c) / 255.0) + " " + Num(GetGValue(c) / 255.0) + " " + Num(GetBValue(c) / 255.0) + " " + op;
}

// The 8 x 8 pixel cell of a hatch style as this system's GDI paints it (one bit a pixel, rows from
// the top), read once from a hatched fill of a small bitmap; null for an unknown style.
const unsigned char* HatchCell(ULONG style);
// Combines two clip regions as the region modes do (RGN_AND, RGN_OR, RGN_DIFF, RGN_XOR, RGN_COPY).
Region Combine(const Region& a, const Region& b, int mode);

}  // namespace emf

using namespace emf;

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
  std::map<const std::string*, int> brushImages;  // a large bitmap brush's image, written once
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
  // Fills a path (device units) with a brush: a solid colour; a hatch, over the background colour
  // when the background mode is opaque; or a bitmap repeated, as GDI paints them.
  void FillWith(const Brush& brush, const std::string& pathOps, const char* fillOp) {
    Prepare();
    if (brush.style != BS_HATCHED && brush.style != BS_DIBPATTERN) {
      SetFill(brush.color);
      out.Raw(pathOps).Op(fillOp);
      return;
    }
    if (brush.style == BS_HATCHED && s.bkMode == OPAQUE) {
      SetFill(s.bkColor);
      out.Raw(pathOps).Op(fillOp);
    }
    int pattern = brush.style == BS_HATCHED ? HatchPattern(brush) : BitmapPattern(brush);
    if (pattern < 0) return;
    out.Raw("/Pattern cs ").Raw(doc.UsePattern(pattern)).Op(" scn");
    fillColor.clear();
    out.Raw(pathOps).Op(fillOp);
  }
  // Pattern cells lie on the device pixels from the device origin, where GDI aligns its brushes.
  void PatternMatrix(double m[6]) const {
    double page[6];
    doc.DrawingMatrix(page);
    Affine toDefault = deviceToPage.Then(Affine{page[0], page[1], page[2], page[3], page[4], page[5]});
    const double values[6] = {toDefault.a, toDefault.b, toDefault.c, toDefault.d, toDefault.e, toDefault.f};
    std::copy(values, values + 6, m);
  }
  int HatchPattern(const Brush& brush);
  int BitmapPattern(const Brush& brush);
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

}  // namespace pdf
