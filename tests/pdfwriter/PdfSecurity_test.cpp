#include "pdfwriter/PdfSecurity.h"

#include <gtest/gtest.h>

#include "pdfwriter/PdfObjects.h"

namespace pdf {
namespace {

std::string Hex(const std::string& bytes) {
  std::string h = HexString(bytes);
  return h.substr(1, h.size() - 2);
}

TEST(PdfSecurityTest, Md5MatchesTheReferenceVectors) {
  EXPECT_EQ(Hex(Md5("")), "D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(Hex(Md5("abc")), "900150983CD24FB0D6963F7D28E17F72");
  EXPECT_EQ(Hex(Md5("12345678901234567890123456789012345678901234567890123456789012345678901234567890")),
            "57EDF4A22BE3C955AC49DA2E2107B67A");
}

TEST(PdfSecurityTest, Rc4MatchesTheReferenceVectors) {
  EXPECT_EQ(Hex(Rc4("Key", "Plaintext")), "BBF316E8D940AF0AD3");
  EXPECT_EQ(Hex(Rc4("Secret", "Attack at dawn")), "45A01F645FC35B383552544B9BF5");
}

TEST(PdfSecurityTest, PermissionBitsFollowTheFourFlags) {
  const struct {
    bool print, modify, copy, annotations;
    int revision;
    std::int32_t value;
  } cases[] = {
      {true, true, true, true, 2, -4},            // every bit set but 1 and 2
      {false, false, false, false, 2, -64},       // bits 3-6 clear
      {true, false, false, false, 2, -60},        // print only
      {true, true, true, true, 3, -4},
      {false, false, false, false, 3, -3904},     // bits 3-6 and 9-12 clear
      {false, false, true, false, 3, -3904 + 16 + 512},
  };
  for (const auto& c : cases) {
    Permissions p;
    p.print = c.print;
    p.modifyContents = c.modify;
    p.copy = c.copy;
    p.annotations = c.annotations;
    EXPECT_EQ(p.Value(c.revision), c.value) << c.print << c.modify << c.copy << c.annotations << " R" << c.revision;
  }
}

TEST(PdfSecurityTest, KeyLengthChoosesTheRevision) {
  StandardSecurity weak, strong;
  Permissions all;
  weak.Setup("u", "o", all, 40, std::string(16, '\1'));
  strong.Setup("u", "o", all, 128, std::string(16, '\1'));
  EXPECT_EQ(weak.Revision(), 2);
  EXPECT_EQ(weak.FileKey().size(), 5u);
  EXPECT_EQ(strong.Revision(), 3);
  EXPECT_EQ(strong.FileKey().size(), 16u);
  EXPECT_NE(strong.DictionaryEntries().find("/V 2 /R 3"), std::string::npos);
  EXPECT_NE(weak.DictionaryEntries().find("/V 1 /R 2"), std::string::npos);
  // Encryption is its own inverse under the same object key, and differs between objects.
  std::string data = "stream data";
  EXPECT_EQ(strong.Encrypt(7, strong.Encrypt(7, data)), data);
  EXPECT_NE(strong.Encrypt(7, data), strong.Encrypt(8, data));
}

}  // namespace
}  // namespace pdf
