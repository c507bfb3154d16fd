#include "pdfwriter/TrueTypeFont.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace pdf {
namespace {

const wchar_t kSans[] = L"Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf";

TEST(TrueTypeFontTest, ReadsMetricsAndCharacterMap) {
  TrueTypeFont font;
  std::string file = testing_support::ReadFileBytes(kSans);
  ASSERT_FALSE(file.empty());
  ASSERT_TRUE(font.Parse(file));
  EXPECT_EQ(font.UnitsPerEm(), 2048);
  EXPECT_EQ(font.PostScriptName(), "LiberationSans");
  std::uint16_t a = font.GlyphFor('A'), zhe = font.GlyphFor(0x0416);
  EXPECT_NE(a, 0);
  EXPECT_NE(zhe, 0);
  EXPECT_NE(a, zhe);
  EXPECT_EQ(font.GlyphFor(0xE000), 0);  // nothing in the private range
  EXPECT_EQ(font.CharacterFor(a), static_cast<std::uint32_t>('A'));
  EXPECT_EQ(font.CharacterFor(zhe), 0x0416u);
  EXPECT_EQ(font.CharacterFor(0), 0u);
  // Arial-compatible advance widths: 'A' is 1366 units, the space 569.
  EXPECT_EQ(font.Advance(a), 1366);
  EXPECT_EQ(font.Advance(font.GlyphFor(' ')), 569);
  EXPECT_GT(font.WinAscent(), 0);
  EXPECT_GT(font.WinDescent(), 0);
}

TEST(TrueTypeFontTest, SubsetKeepsGlyphNumbersAndOnlyTheUsedOutlines) {
  TrueTypeFont font;
  ASSERT_TRUE(font.Parse(testing_support::ReadFileBytes(kSans)));
  std::uint16_t a = font.GlyphFor('A'), b = font.GlyphFor('B');
  std::string subset = font.Subset({a});
  EXPECT_LT(subset.size(), font.Data().size() / 4);
  TrueTypeFont reread;
  ASSERT_TRUE(reread.Parse(subset));
  EXPECT_EQ(reread.NumGlyphs(), font.NumGlyphs());
  EXPECT_EQ(reread.GlyphFor('A'), a);
  EXPECT_EQ(reread.Advance(a), font.Advance(a));
  // B's outline was dropped: asking for it too makes the file grow by its outline.
  EXPECT_GT(font.Subset({a, b}).size(), subset.size() + 20);
}

TEST(TrueTypeFontTest, RejectsWhatIsNoTrueTypeFont) {
  TrueTypeFont font;
  EXPECT_FALSE(font.Parse(""));
  EXPECT_FALSE(font.Parse("OTTO" + std::string(100, '\0')));  // PostScript outlines
  std::string truncated = testing_support::ReadFileBytes(kSans).substr(0, 400);
  EXPECT_FALSE(font.Parse(truncated));
}

}  // namespace
}  // namespace pdf
