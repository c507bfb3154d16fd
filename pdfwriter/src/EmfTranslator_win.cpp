// The records of a metafile, one by one, against the device context's state.
#include "EmfTranslatorImpl_win.h"

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

namespace emf {
namespace {

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

}  // namespace

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

}  // namespace emf

namespace {
// The fixed part of a record, copied out; false when the record is too short to hold it.
template <class T>
bool FixedPart(const unsigned char* r, size_t n, T* record) {
  if (n < sizeof(T)) return false;
  std::memcpy(record, r, sizeof(T));
  return true;
}
}  // namespace

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
      // The bitmap travels in the record: header and colours at offBmi, pixels at offBits. A brush
      // whose bitmap cannot be had paints nothing rather than a wrong colour.
      GdiObject o{GdiObject::kBrush, {}, {}, {}};
      o.brush.style = BS_PATTERN;
      std::uint32_t offBmi = u32(16), cbBmi = u32(20), offBits = u32(24), cbBits = u32(28);
      if (u32(12) == DIB_RGB_COLORS && cbBmi >= 12 && static_cast<std::uint64_t>(offBmi) + cbBmi <= n &&
          static_cast<std::uint64_t>(offBits) + cbBits <= n) {
        auto dib = std::make_shared<std::string>(reinterpret_cast<const char*>(r + offBmi), cbBmi);
        dib->append(reinterpret_cast<const char*>(r + offBits), cbBits);
        o.brush.style = BS_DIBPATTERN;
        o.brush.dib = dib;
        o.brush.bitsAt = cbBmi;
      }
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
      if (!FixedPart(r, n, &rec)) break;
      Bitmap(r, n, rec.xDest, rec.yDest, rec.cxDest, rec.cyDest, rec.xSrc, rec.ySrc, rec.cxSrc, rec.cySrc,
             rec.offBmiSrc, rec.cbBmiSrc, rec.offBitsSrc, rec.cbBitsSrc, rec.dwRop, true);
      break;
    }
    case EMR_SETDIBITSTODEVICE: {
      EMRSETDIBITSTODEVICE rec;
      if (!FixedPart(r, n, &rec)) break;
      Bitmap(r, n, rec.xDest, rec.yDest, rec.cxSrc, rec.cySrc, rec.xSrc, rec.ySrc, rec.cxSrc, rec.cySrc,
             rec.offBmiSrc, rec.cbBmiSrc, rec.offBitsSrc, rec.cbBitsSrc, SRCCOPY, true);
      break;
    }
    case EMR_BITBLT: {
      EMRBITBLT rec;
      if (!FixedPart(r, n, &rec)) break;
      Bitmap(r, n, rec.xDest, rec.yDest, rec.cxDest, rec.cyDest, rec.xSrc, rec.ySrc, rec.cxDest, rec.cyDest,
             rec.offBmiSrc, rec.cbBmiSrc, rec.offBitsSrc, rec.cbBitsSrc, rec.dwRop, false);
      break;
    }
    case EMR_STRETCHBLT: case EMR_TRANSPARENTBLT: case EMR_ALPHABLEND: {
      // One layout for the three. The raster-operation field of a transparent copy holds the colour it
      // keys out, that of a blended one its opacity (a soft mask); both are plain copies otherwise.
      EMRSTRETCHBLT rec;
      if (!FixedPart(r, n, &rec)) break;
      Bitmap(r, n, rec.xDest, rec.yDest, rec.cxDest, rec.cyDest, rec.xSrc, rec.ySrc, rec.cxSrc, rec.cySrc,
             rec.offBmiSrc, rec.cbBmiSrc, rec.offBitsSrc, rec.cbBitsSrc,
             type == EMR_STRETCHBLT ? rec.dwRop : SRCCOPY, false,
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
