// A TrueType font file as the writer needs it: glyphs for characters, advance widths, the metrics of
// the font descriptor, and a subset that keeps glyph numbers but drops the outlines nobody uses.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace pdf {

class TrueTypeFont {
 public:
  // False when the data is no TrueType font with outlines this writer can embed (for example a
  // collection or a font with PostScript outlines), or when a table runs past the end of the data.
  bool Parse(std::string data);

  std::uint16_t GlyphFor(std::uint32_t codePoint) const;
  // The character a glyph draws (the lowest one mapped to it), 0 when none is.
  std::uint32_t CharacterFor(std::uint16_t glyph) const;
  // Advance width in font units.
  int Advance(std::uint16_t glyph) const;
  int NumGlyphs() const { return numGlyphs_; }
  int UnitsPerEm() const { return unitsPerEm_; }
  // Ascent and descent as Windows uses them for the character cell (descent positive).
  int WinAscent() const { return winAscent_; }
  int WinDescent() const { return winDescent_; }
  int Ascender() const { return ascender_; }
  int Descender() const { return descender_; }
  int CapHeight() const { return capHeight_; }
  const int* BoundingBox() const { return bbox_; }
  double ItalicAngle() const { return italicAngle_; }
  bool FixedPitch() const { return fixedPitch_; }
  bool Bold() const { return weightClass_ >= 600; }
  bool Symbolic() const { return symbolCmap_; }
  // The PostScript name (name id 6) with the characters PDF names dislike removed; may be empty.
  const std::string& PostScriptName() const { return postScriptName_; }
  const std::string& Data() const { return data_; }

  // The font file with every glyph not in `glyphs` (nor a component of one) emptied, glyph numbers
  // unchanged, and the tables a PDF reader does not use left out. Glyph 0 is always kept.
  std::string Subset(const std::set<std::uint16_t>& glyphs) const;

 private:
  struct Table {
    std::uint32_t offset, length;
  };
  const Table* Find(const char* tag) const;
  bool ReadCmap();
  bool GlyphRange(std::uint16_t glyph, std::uint32_t* start, std::uint32_t* end) const;

  std::string data_;
  std::map<std::string, Table> tables_;
  int numGlyphs_ = 0, unitsPerEm_ = 1000, indexToLocFormat_ = 0, numberOfHMetrics_ = 0;
  int winAscent_ = 0, winDescent_ = 0, ascender_ = 0, descender_ = 0, capHeight_ = 0, weightClass_ = 400;
  int bbox_[4] = {0, 0, 0, 0};
  double italicAngle_ = 0;
  bool fixedPitch_ = false, symbolCmap_ = false;
  std::string postScriptName_;
  std::map<std::uint32_t, std::uint16_t> cmap_;
  std::map<std::uint16_t, std::uint32_t> characters_;
};

}  // namespace pdf
