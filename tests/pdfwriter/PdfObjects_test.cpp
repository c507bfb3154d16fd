#include "pdfwriter/PdfObjects.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace pdf {
namespace {

TEST(PdfObjectsTest, NumbersAreWrittenShortAndWithoutExponent) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{0, "0"}, {1, "1"}, {-2.5, "-2.5"}, {0.1, "0.1"}, {1.0 / 3, "0.3333"}, {-0.00001, "0"},
               {123456789, "123456789"}, {1e-3, "0.001"}, {72.00004, "72"}, {2.99999, "3"},
               {1e15, "1000000000000000"}, {-3e13, "-30000000000000"}};
  for (const auto& c : cases) EXPECT_EQ(Num(c.value), c.text) << c.value;
}

TEST(PdfObjectsTest, NamesEscapeDelimitersAndSpaces) {
  EXPECT_EQ(Name("Arial"), "/Arial");
  EXPECT_EQ(Name("Times New Roman"), "/Times#20New#20Roman");
  EXPECT_EQ(Name("a/b#c(d)"), "/a#2Fb#23c#28d#29");
}

TEST(PdfObjectsTest, TextIsPlainForAsciiAndUtf16Otherwise) {
  EXPECT_EQ(TextBytes(L"Form 1"), "Form 1");
  EXPECT_EQ(TextBytes(L"\x0416x"), std::string("\xFE\xFF\x04\x16\x00x", 6));
  EXPECT_EQ(TextBytes(L"a\nb"), std::string("\xFE\xFF\0a\0\n\0b", 8));  // controls go as UTF-16
}

TEST(PdfObjectsTest, CrossReferenceOffsetsPointAtTheObjects) {
  testing_support::TempFolder folder;
  std::wstring path = folder.File(L"objects.pdf");
  PdfWriter writer;
  ASSERT_TRUE(writer.Open(path, 4));
  int a = writer.NewObject(), b = writer.NewObject(), unused = writer.NewObject();
  (void)unused;
  writer.WriteObject(b, "(second)");  // written out of order
  writer.WriteStream(a, " /Type /Test", "abc");
  ASSERT_TRUE(writer.Finish("/Root 1 0 R"));
  std::string file = testing_support::ReadFileBytes(path);
  ASSERT_EQ(file.rfind("%PDF-1.4\n", 0), 0u);
  size_t xref = file.find("xref\n0 4\n");
  ASSERT_NE(xref, std::string::npos);
  std::string table = file.substr(xref + 9, 4 * 20);
  // Entry n is 20 bytes: ten digits of offset, generation, n or f.
  EXPECT_EQ(table.substr(0, 20), "0000000000 65535 f \n");
  size_t offsetA = std::stoul(table.substr(20, 10)), offsetB = std::stoul(table.substr(40, 10));
  EXPECT_EQ(file.compare(offsetA, 8, "1 0 obj\n"), 0);
  EXPECT_EQ(file.compare(offsetB, 8, "2 0 obj\n"), 0);
  EXPECT_EQ(table.substr(60, 20), "0000000000 00001 f \n");  // reserved, never written
  EXPECT_NE(file.find("/Length 3>>\nstream\nabc\nendstream"), std::string::npos);
  EXPECT_NE(file.find("startxref\n" + std::to_string(xref) + "\n%%EOF"), std::string::npos);
}

TEST(PdfObjectsTest, AnUnwritableFileIsReported) {
  PdfWriter writer;
  EXPECT_FALSE(writer.Open(L"Z:\\no\\such\\folder\\x.pdf", 4));
}

TEST(PdfObjectsTest, DeflateRoundTripsThroughTheHostZlibFormat) {
  std::string data(5000, 'x');
  std::string packed = Deflate(data);
  ASSERT_FALSE(packed.empty());
  EXPECT_LT(packed.size(), 100u);
  EXPECT_EQ(static_cast<unsigned char>(packed[0]), 0x78);  // zlib header, as FlateDecode expects
}

}  // namespace
}  // namespace pdf
