#include "pdfwriter/TrueTypeFont.h"

#include <algorithm>
#include <cstring>

namespace pdf {
namespace {

std::uint32_t U16(const std::string& d, size_t at) {
  if (at + 2 > d.size()) return 0;
  return (static_cast<unsigned char>(d[at]) << 8) | static_cast<unsigned char>(d[at + 1]);
}
std::int32_t S16(const std::string& d, size_t at) { return static_cast<std::int16_t>(U16(d, at)); }
std::uint32_t U32(const std::string& d, size_t at) { return (U16(d, at) << 16) | U16(d, at + 2); }

void Put16(std::string& d, std::uint32_t v) {
  d += static_cast<char>((v >> 8) & 0xFF);
  d += static_cast<char>(v & 0xFF);
}
void Put32(std::string& d, std::uint32_t v) {
  Put16(d, v >> 16);
  Put16(d, v & 0xFFFF);
}
void Set32(std::string& d, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) d[at + i] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
}

std::uint32_t Checksum(const std::string& d) {
  std::uint32_t sum = 0;
  for (size_t i = 0; i < d.size(); i += 4) {
    std::uint32_t v = 0;
    for (size_t k = 0; k < 4; ++k) v = (v << 8) | (i + k < d.size() ? static_cast<unsigned char>(d[i + k]) : 0);
    sum += v;
  }
  return sum;
}

}  // namespace

const TrueTypeFont::Table* TrueTypeFont::Find(const char* tag) const {
  auto it = tables_.find(tag);
  return it == tables_.end() ? nullptr : &it->second;
}

bool TrueTypeFont::Parse(std::string data) {
  data_ = std::move(data);
  tables_.clear();
  cmap_.clear();
  characters_.clear();
  if (data_.size() < 12) return false;
  std::uint32_t version = U32(data_, 0);
  if (version != 0x00010000 && version != 0x74727565 /* 'true' */) return false;
  int count = U16(data_, 4);
  if (12 + 16 * static_cast<size_t>(count) > data_.size()) return false;
  for (int i = 0; i < count; ++i) {
    size_t at = 12 + 16 * i;
    Table t = {U32(data_, at + 8), U32(data_, at + 12)};
    if (t.offset > data_.size() || t.length > data_.size() - t.offset) return false;
    tables_[data_.substr(at, 4)] = t;
  }
  const Table *head = Find("head"), *hhea = Find("hhea"), *maxp = Find("maxp"), *hmtx = Find("hmtx"),
              *loca = Find("loca"), *glyf = Find("glyf");
  if (!head || !hhea || !maxp || !hmtx || !loca || !glyf || head->length < 54 || hhea->length < 36 ||
      maxp->length < 6)
    return false;
  unitsPerEm_ = U16(data_, head->offset + 18);
  if (unitsPerEm_ < 16) return false;
  for (int i = 0; i < 4; ++i) bbox_[i] = S16(data_, head->offset + 36 + 2 * i);
  indexToLocFormat_ = S16(data_, head->offset + 50);
  ascender_ = S16(data_, hhea->offset + 4);
  descender_ = S16(data_, hhea->offset + 6);
  numberOfHMetrics_ = U16(data_, hhea->offset + 34);
  numGlyphs_ = U16(data_, maxp->offset + 4);
  if (numberOfHMetrics_ < 1 || numberOfHMetrics_ > numGlyphs_ ||
      hmtx->length < 4u * numberOfHMetrics_ ||
      loca->length < static_cast<std::uint32_t>((numGlyphs_ + 1) * (indexToLocFormat_ ? 4 : 2)))
    return false;
  winAscent_ = ascender_;
  winDescent_ = -descender_;
  capHeight_ = ascender_;
  if (const Table* os2 = Find("OS/2")) {
    if (os2->length >= 78) {
      weightClass_ = U16(data_, os2->offset + 4);
      winAscent_ = U16(data_, os2->offset + 74);
      winDescent_ = U16(data_, os2->offset + 76);
    }
    if (os2->length >= 90 && U16(data_, os2->offset) >= 2) capHeight_ = S16(data_, os2->offset + 88);
  }
  if (const Table* post = Find("post")) {
    if (post->length >= 16) {
      italicAngle_ = static_cast<std::int32_t>(U32(data_, post->offset + 4)) / 65536.0;
      fixedPitch_ = U32(data_, post->offset + 12) != 0;
    }
  }
  if (const Table* name = Find("name")) {
    size_t base = name->offset;
    int records = U16(data_, base + 2);
    size_t strings = base + U16(data_, base + 4);
    for (int i = 0; i < records && postScriptName_.empty(); ++i) {
      size_t r = base + 6 + 12 * i;
      if (r + 12 > base + name->length || U16(data_, r + 6) != 6) continue;
      int platform = U16(data_, r);
      size_t length = U16(data_, r + 8), offset = strings + U16(data_, r + 10);
      if (offset + length > data_.size()) continue;
      std::string raw = data_.substr(offset, length);
      std::string out;
      for (size_t k = (platform == 3 ? 1 : 0); k < raw.size(); k += (platform == 3 ? 2 : 1)) {
        char c = raw[k];
        if (c > 0x20 && c < 0x7F && !std::strchr("[](){}<>/%#", c)) out += c;
      }
      postScriptName_ = out;
    }
  }
  return ReadCmap();
}

bool TrueTypeFont::ReadCmap() {
  const Table* cmap = Find("cmap");
  if (!cmap) return false;
  size_t base = cmap->offset;
  int count = U16(data_, base + 2);
  size_t best = 0;
  int bestScore = 0;
  for (int i = 0; i < count; ++i) {
    size_t r = base + 4 + 8 * i;
    int platform = U16(data_, r), encoding = U16(data_, r + 2);
    size_t sub = base + U32(data_, r + 4);
    int format = U16(data_, sub);
    int score = 0;
    if (platform == 3 && encoding == 10 && format == 12) score = 4;
    else if (platform == 3 && encoding == 1 && format == 4) score = 3;
    else if (platform == 0 && format == 4) score = 2;
    else if (platform == 3 && encoding == 0 && format == 4) score = 1;
    if (score > bestScore) { bestScore = score; best = sub; symbolCmap_ = score == 1; }
  }
  if (!bestScore) return false;
  if (U16(data_, best) == 4) {
    int segments = U16(data_, best + 6) / 2;
    size_t ends = best + 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments,
           ranges = deltas + 2 * segments;
    if (ranges + 2 * segments > data_.size()) return false;
    for (int s = 0; s < segments; ++s) {
      std::uint32_t end = U16(data_, ends + 2 * s), start = U16(data_, starts + 2 * s);
      std::uint32_t delta = U16(data_, deltas + 2 * s), range = U16(data_, ranges + 2 * s);
      for (std::uint32_t c = start; c <= end && c != 0xFFFF; ++c) {
        std::uint32_t glyph;
        if (range == 0) {
          glyph = (c + delta) & 0xFFFF;
        } else {
          size_t at = ranges + 2 * s + range + 2 * (c - start);
          glyph = U16(data_, at);
          if (glyph) glyph = (glyph + delta) & 0xFFFF;
        }
        if (glyph && glyph < static_cast<std::uint32_t>(numGlyphs_)) cmap_[c] = static_cast<std::uint16_t>(glyph);
      }
    }
  } else {
    std::uint32_t groups = U32(data_, best + 12);
    if (best + 16 + 12ull * groups > data_.size()) return false;
    for (std::uint32_t g = 0; g < groups; ++g) {
      size_t at = best + 16 + 12 * g;
      std::uint32_t start = U32(data_, at), end = U32(data_, at + 4), glyph = U32(data_, at + 8);
      if (end < start || end - start > 0x10FFFF) return false;
      for (std::uint32_t c = start; c <= end; ++c, ++glyph)
        if (glyph < static_cast<std::uint32_t>(numGlyphs_)) cmap_[c] = static_cast<std::uint16_t>(glyph);
    }
  }
  for (const auto& entry : cmap_) characters_.emplace(entry.second, entry.first);
  return true;
}

std::uint32_t TrueTypeFont::CharacterFor(std::uint16_t glyph) const {
  auto it = characters_.find(glyph);
  if (it == characters_.end()) return 0;
  // A symbol font's characters sit in the private range at F000; the text they stand for is below.
  return symbolCmap_ && it->second >= 0xF000 && it->second < 0xF100 ? it->second - 0xF000 : it->second;
}

std::uint16_t TrueTypeFont::GlyphFor(std::uint32_t codePoint) const {
  auto it = cmap_.find(codePoint);
  if (it != cmap_.end()) return it->second;
  // Symbol fonts map their characters into the private range at F000.
  if (symbolCmap_ && codePoint < 0x100) {
    it = cmap_.find(0xF000 + codePoint);
    if (it != cmap_.end()) return it->second;
  }
  return 0;
}

int TrueTypeFont::Advance(std::uint16_t glyph) const {
  const Table* hmtx = Find("hmtx");
  int index = glyph < numberOfHMetrics_ ? glyph : numberOfHMetrics_ - 1;
  return U16(data_, hmtx->offset + 4 * index);
}

bool TrueTypeFont::GlyphRange(std::uint16_t glyph, std::uint32_t* start, std::uint32_t* end) const {
  if (glyph >= numGlyphs_) return false;
  const Table *loca = Find("loca"), *glyf = Find("glyf");
  if (indexToLocFormat_) {
    *start = U32(data_, loca->offset + 4 * glyph);
    *end = U32(data_, loca->offset + 4 * glyph + 4);
  } else {
    *start = 2 * U16(data_, loca->offset + 2 * glyph);
    *end = 2 * U16(data_, loca->offset + 2 * glyph + 2);
  }
  return *start <= *end && *end <= glyf->length;
}

std::string TrueTypeFont::Subset(const std::set<std::uint16_t>& glyphs) const {
  const Table* glyf = Find("glyf");
  // Close the set over the components of composite glyphs.
  std::set<std::uint16_t> keep(glyphs);
  keep.insert(0);
  std::vector<std::uint16_t> work(keep.begin(), keep.end());
  while (!work.empty()) {
    std::uint16_t g = work.back();
    work.pop_back();
    std::uint32_t start, end;
    if (!GlyphRange(g, &start, &end) || end - start < 10) continue;
    size_t at = glyf->offset + start;
    if (S16(data_, at) >= 0) continue;
    at += 10;
    for (;;) {
      std::uint32_t flags = U16(data_, at);
      std::uint16_t component = static_cast<std::uint16_t>(U16(data_, at + 2));
      if (keep.insert(component).second) work.push_back(component);
      at += 4 + ((flags & 0x0001) ? 4 : 2);
      if (flags & 0x0008) at += 2;
      else if (flags & 0x0040) at += 4;
      else if (flags & 0x0080) at += 8;
      if (!(flags & 0x0020) || at >= glyf->offset + end) break;
    }
  }

  std::string newGlyf, newLoca;
  for (int g = 0; g < numGlyphs_; ++g) {
    Put32(newLoca, static_cast<std::uint32_t>(newGlyf.size()));
    std::uint32_t start, end;
    if (keep.count(static_cast<std::uint16_t>(g)) && GlyphRange(static_cast<std::uint16_t>(g), &start, &end)) {
      newGlyf.append(data_, glyf->offset + start, end - start);
      while (newGlyf.size() % 4) newGlyf += '\0';
    }
  }
  Put32(newLoca, static_cast<std::uint32_t>(newGlyf.size()));

  // Tables in tag order, as the directory requires; the glyph-name table is cut to its header.
  static const char* kKept[] = {"OS/2", "cmap", "cvt ", "fpgm", "gasp", "glyf", "head",
                                "hhea", "hmtx", "loca", "maxp", "name", "post", "prep"};
  std::vector<std::pair<std::string, std::string>> tables;
  for (const char* tag : kKept) {
    const Table* t = Find(tag);
    if (!t) continue;
    std::string body;
    if (!std::strcmp(tag, "glyf")) body = newGlyf;
    else if (!std::strcmp(tag, "loca")) body = newLoca;
    else body = data_.substr(t->offset, t->length);
    if (!std::strcmp(tag, "head")) {
      Set32(body, 8, 0);                          // checksum adjustment, set below
      body[50] = 0; body[51] = 1;                 // long loca offsets
    } else if (!std::strcmp(tag, "post") && body.size() >= 32) {
      body.resize(32);
      Set32(body, 0, 0x00030000);                 // no glyph names
    }
    tables.emplace_back(tag, body);
  }
  std::string out;
  Put32(out, 0x00010000);
  int n = static_cast<int>(tables.size()), power = 1, log = 0;
  while (power * 2 <= n) { power *= 2; ++log; }
  Put16(out, n);
  Put16(out, power * 16);
  Put16(out, log);
  Put16(out, n * 16 - power * 16);
  std::uint32_t offset = 12 + 16 * n;
  for (auto& t : tables) {
    out += t.first;
    Put32(out, Checksum(t.second));
    Put32(out, offset);
    Put32(out, static_cast<std::uint32_t>(t.second.size()));
    offset += (static_cast<std::uint32_t>(t.second.size()) + 3) & ~3u;
  }
  size_t headAt = 0;
  for (auto& t : tables) {
    if (t.first == "head") headAt = out.size();
    out += t.second;
    while (out.size() % 4) out += '\0';
  }
  Set32(out, headAt + 8, 0xB1B0AFBA - Checksum(out));
  return out;
}

}  // namespace pdf
