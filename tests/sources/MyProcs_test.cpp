#include "MyProcs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "TestSupport.h"

namespace {

using namespace fixtures;

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s)); }

TEST(FileNames, PiecesOfPaths) {
  const struct {
    const wchar_t* path;
    const wchar_t* ext;
    const wchar_t* name;
    const wchar_t* folder;
  } cases[] = {
      {L"C:\\a.b\\file", L"b\\file", L"file", L"C:\\a.b\\"},  // the last dot, wherever it is
      {L"file", L"file", L"file", L""},                       // no dot: the whole text
      {L"file.txt", L"txt", L"file.txt", L""},
      {L"C:file.txt", L"txt", L"file.txt", L"C:"},
      {L"C:\\dir\\name.ext", L"ext", L"name.ext", L"C:\\dir\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.ext, W(ExtractFileExt(c.path))) << c.path;
    EXPECT_EQ(c.name, W(ExtractFileName(c.path))) << c.path;
    EXPECT_EQ(c.folder, W(ExtractFilePath(c.path))) << c.path;
  }
  EXPECT_EQ(L"scan.pdf", W(ChangeFileExt(L"scan", L"pdf")));
  EXPECT_EQ(L"C:\\x\\scan.pdf", W(ChangeFileExt(L"C:\\x\\scan.tif", L"pdf")));
}

TEST(FileNames, PathSplit) {
  const struct {
    const wchar_t *path, *drive, *folder, *name, *ext;
  } cases[] = {
      {L"C:\\dir\\name.ext", L"C:", L"\\dir\\", L"name", L".ext"},
      {L"\\\\server\\share\\a.b.c", L"", L"\\server\\share\\", L"a.b", L".c"},
      {L"C:\\dir.x\\name", L"C:", L"\\dir.x\\", L"name", L""},
      {L"name.ext", L"name.ext", L"", L"", L""},  // without "\" all of it is the drive part
      {L"", L"", L"", L"", L""},
  };
  for (const auto& c : cases) {
    CPathSplit split(c.path);
    EXPECT_EQ(c.drive, W(split.GetDrive())) << c.path;
    EXPECT_EQ(c.folder, W(split.GetFolder())) << c.path;
    EXPECT_EQ(c.name, W(split.GetName())) << c.path;
    EXPECT_EQ(c.ext, W(split.GetExtension())) << c.path;
  }
}

TEST(FileNames, FileExistsOpensForReading) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"there.txt");
  EXPECT_FALSE(FileExists(path.c_str()));
  ASSERT_TRUE(testing_support::WriteFileBytes(path, "x"));
  EXPECT_TRUE(FileExists(path.c_str()));
  EXPECT_FALSE(FileExists(folder.File(L"missing.txt").c_str()));
}

TEST(Numbers, RoundToIntRoundsHalvesUp) {
  const struct {
    double x;
    int expected;
  } cases[] = {{2.5, 3}, {-2.5, -2}, {2.49, 2}, {-2.51, -3}, {0.0, 0}, {99999.99999999999, 100000}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, RoundToInt(c.x)) << c.x;
}

TEST(Numbers, StrToDouble) {
  const struct {
    const wchar_t* text;
    BOOL ok;
    double value;
  } cases[] = {{L"-", TRUE, 0.0}, {L"+", TRUE, 0.0}, {L"", TRUE, 0.0}, {L"1.5", TRUE, 1.5},
               {L"-2e3", TRUE, -2000.0}, {L"1,5", FALSE, 1.0}, {L"1.5x", FALSE, 1.5}};
  for (const auto& c : cases) {
    double value = -99;
    EXPECT_EQ(c.ok, StrToDouble(c.text, value)) << c.text;
    EXPECT_DOUBLE_EQ(c.value, value) << c.text;
    EXPECT_DOUBLE_EQ(c.value, StrToDouble(c.text)) << c.text;
  }
}

TEST(Numbers, IntegerTexts) {
  const struct {
    const wchar_t* text;
    BOOL valid;
    int value;
  } cases[] = {{L"", TRUE, 0}, {L"-", TRUE, 0}, {L"+12", TRUE, 12}, {L"-7", TRUE, -7},
               {L"1.5", FALSE, 42}, {L"--1", FALSE, 42}, {L"12a", FALSE, 42}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.valid, IsValidInt(c.text)) << c.text;
    int value = 42, value2 = 42;
    EXPECT_EQ(c.valid, StrToInt(c.text, value)) << c.text;
    EXPECT_EQ(c.value, value) << c.text;  // unchanged when invalid
    EXPECT_EQ(c.valid, StringToInt(c.text, value2)) << c.text;
    EXPECT_EQ(c.value, value2) << c.text;
  }
}

TEST(Characters, Extracting) {
  EXPECT_EQ(0, GetCharCount(nullptr));
  EXPECT_EQ(5, GetCharCount(L"hello"));
  EXPECT_EQ(L"ell", W(ExtractMidChar(L"hello", 1, 3)));
  EXPECT_EQ(L"he", W(ExtractMidChar(L"hello", -4, 2)));
  EXPECT_EQ(L"", W(ExtractMidChar(L"hello", 9, 2)));
  EXPECT_EQ(L"", W(ExtractMidChar(L"hello", 1, -3)));
  EXPECT_EQ(L"hel", W(ExtractLeftChar(L"hello", 3)));
  EXPECT_EQ(L"llo", W(ExtractRightChar(L"hello", 3)));
  EXPECT_EQ(L"hello", W(ExtractRightChar(L"hello", 9)));
  EXPECT_EQ(L'e', GetCharAt(L"hello", 1));
  EXPECT_EQ(0, GetCharAt(L"hello", 5));
  EXPECT_EQ(0, GetCharAt(L"hello", -1));
  EXPECT_EQ(10, GetWideStringByteSize(L"hello"));
}

TEST(Characters, Editing) {
  CString text(L"hello");
  EXPECT_EQ(3, DeleteChar(text, 1, 2));
  EXPECT_EQ(L"hlo", W(text));
  EXPECT_EQ(3, DeleteChar(text, -2, -1));
  EXPECT_EQ(5, InsertChar(text, 1, L'a', L'b'));  // the second character ends up in front
  EXPECT_EQ(L"hbalo", W(text));
  EXPECT_EQ(6, InsertChar(text, 99, L'!', 0));
  EXPECT_EQ(L"hbalo!", W(text));
  EXPECT_EQ(8, InsertChar(text, 0, L"<<"));
  EXPECT_EQ(L"<<hbalo!", W(text));
}

TEST(Characters, FindNextWord) {
  const struct {
    const wchar_t* text;
    int pos, backward, expected;
  } cases[] = {{L"ab cd", 0, 0, 3}, {L"ab cd", 3, 1, 0}, {L"ab cd", 3, 0, 5}, {L"ab  cd ef", 9, 1, 7},
               {L"ab", 2, 0, 2}, {L"", 0, 1, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, FindNextWord(c.text, c.pos, c.backward)) << c.text << " " << c.pos;
}

TEST(Characters, CopyStringToGlobalHoldsTextAndNul) {
  HGLOBAL block = CopyStringToGlobal(L"abc");
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(8u, GlobalSize(block));
  const wchar_t* text = static_cast<const wchar_t*>(GlobalLock(block));
  EXPECT_NE(static_cast<const void*>(block), static_cast<const void*>(text)) << "a movable block is a handle";
  EXPECT_STREQ(L"abc", text);
  GlobalUnlock(block);
  GlobalFree(block);
}

TEST(Characters, LogfontA2W) {
  LOGFONTA a = {};
  a.lfHeight = -120;
  a.lfWeight = 700;
  a.lfItalic = 1;
  a.lfCharSet = 1;
  a.lfPitchAndFamily = 34;
  strcpy(a.lfFaceName, "Arial");
  const LOGFONTW w = LogfontA2W(a);
  EXPECT_EQ(-120, w.lfHeight);
  EXPECT_EQ(700, w.lfWeight);
  EXPECT_EQ(1, w.lfItalic);
  EXPECT_EQ(1, w.lfCharSet);
  EXPECT_EQ(34, w.lfPitchAndFamily);
  EXPECT_STREQ(L"Arial", w.lfFaceName);
}

TEST(ArchiveStrings, TextAbAsStored) {
  const std::string bytes = Store([](CArchive& ar) { WriteStringToArchive(ar, CString(L"ab")); });
  EXPECT_EQ(ToHex(Fixture(L"archive_string_ab.hex")), ToHex(bytes));
  CString text;
  EXPECT_EQ(0u, Load(bytes, [&](CArchive& ar) { ReadStringFromArchive(ar, text); }));
  EXPECT_EQ(L"ab", W(text));
}

TEST(ArchiveStrings, ReadingTakesTheTextUpToTheFirstNul) {
  const std::string bytes = std::string("\x08\0\0\0a\0\0\0b\0\0\0", 12);
  CString text;
  EXPECT_EQ(0u, Load(bytes, [&](CArchive& ar) { ReadStringFromArchive(ar, text); }));
  EXPECT_EQ(L"a", W(text));
  EXPECT_EQ(0u, Load(Fixture(L"archive_string_no_nul.hex"), [&](CArchive& ar) { ReadStringFromArchive(ar, text); }));
  EXPECT_EQ(L"ab", W(text));
}

TEST(ArchiveStrings, OddByteCountReadsWholeCharactersOnly) {
  CString text;
  DWORD next = 0;
  EXPECT_EQ(0u, Load(Fixture(L"archive_string_odd_count.hex"), [&](CArchive& ar) {
              ReadStringFromArchive(ar, text);
              ar >> next;
            }));
  EXPECT_EQ(L"ab", W(text));
  EXPECT_EQ(0x11223344u, next);
}

TEST(ArchiveStrings, CountBeyondTheStreamEndsTheLoad) {
  CString text(L"before");
  EXPECT_EQ(CArchiveException::endOfFile,
            LoadFailureCause(Fixture(L"archive_string_huge_count.hex"),
                             [&](CArchive& ar) { ReadStringFromArchive(ar, text); }));
  EXPECT_EQ(CArchiveException::endOfFile,
            LoadFailureCause(Fixture(L"archive_string_huge_count.hex"),
                             [&](CArchive& ar) { ReadStringAnsi(ar, text); }));
}

TEST(ArchiveStrings, WrongDirectionIsReportedAndDoesNothing) {
  const std::string stored = Store([](CArchive& ar) {
    CString text(L"unchanged");
    ReadStringFromArchive(ar, text);
    EXPECT_EQ(L"unchanged", W(text));
  });
  EXPECT_EQ("", ToHex(stored));
}

TEST(ArchiveStrings, AnsiStringOfOldVersions) {
  CString text;
  EXPECT_EQ(0u, Load(Fixture(L"archive_string_ansi.hex"), [&](CArchive& ar) { ReadStringAnsi(ar, text); }));
  EXPECT_EQ(L"Abc", W(text));
}

// Like a wide string, an 8-bit one is its text up to the first NUL: kept whole, the NUL was written
// into the next save as a wide string, whose load then cut the text there.
TEST(ArchiveStrings, AnsiStringIsTheTextUpToItsFirstNul) {
  const std::string bytes = std::string("\x05\0\0\0" "P\0\0xy", 9);
  CString text;
  EXPECT_EQ(0u, Load(bytes, [&](CArchive& ar) { ReadStringAnsi(ar, text); }));
  EXPECT_EQ(1, text.GetLength());
  EXPECT_EQ(L"P", W(text));
}

TEST(Styles, PdfDashPatterns) {
  const struct {
    int style;
    double width;
    const wchar_t* pattern;
  } cases[] = {{PS_SOLID, 3.0, L"[] 0"},          {PS_DASH, 2.4, L"[6 2] 0"},
               {PS_DOT, 0.2, L"[1] 0"},           {PS_DASHDOT, 1.0, L"[3 1 1 1] 0"},
               {PS_DASHDOTDOT, 2.5, L"[9 3 3 3 3 3] 0"}, {PS_NULL, 1.0, L""}};
  for (const auto& c : cases) EXPECT_EQ(c.pattern, W(GetPdfDashPattern(c.style, c.width))) << c.style;
}

TEST(Styles, DefaultTextStyleBytes) {
  _OBJECT_STYLE style;
  memset(&style, 0xAB, sizeof(style));
  SetDefaultTextStyle(&style);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&style);
  int32_t at128 = 0, at152 = 0, height = 0;
  memcpy(&height, bytes + 0, 4);
  memcpy(&at128, bytes + 128, 4);
  memcpy(&at152, bytes + 152, 4);
  EXPECT_EQ(-120, height);
  EXPECT_EQ(52083, at128);
  EXPECT_EQ(5000, at152);
  EXPECT_EQ(1, bytes[23]);  // lfCharSet
  EXPECT_STREQ(L"Arial", reinterpret_cast<const wchar_t*>(bytes + 28));
  for (int i = 0; i < 220; ++i) {
    if (i < 4 || i == 23 || (i >= 28 && i < 38) || (i >= 128 && i < 132) || (i >= 152 && i < 156)) continue;
    EXPECT_EQ(0, bytes[i]) << "offset " << i;
  }
}

}  // namespace
