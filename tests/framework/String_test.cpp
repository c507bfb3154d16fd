// CString and CStringA: editing, searching, formatting, conversions and string resources.
#include <gtest/gtest.h>

#include "Framework.h"
#include "StringResources.h"

namespace {

TEST(StringTest, PiecesClampLikeTheFramework) {
  const CString s(L"Orvello");
  struct Case {
    CString actual;
    const wchar_t* expected;
  } cases[] = {
      {s.Mid(2), L"vello"},     {s.Mid(2, 3), L"vel"},  {s.Mid(-4, 2), L"Or"},  {s.Mid(5, 100), L"lo"},
      {s.Mid(9), L""},          {s.Mid(1, -1), L""},    {s.Left(3), L"Orv"},    {s.Left(-1), L""},
      {s.Left(99), L"Orvello"}, {s.Right(2), L"lo"},    {s.Right(99), L"Orvello"}, {s.Right(0), L""},
  };
  for (const Case& c : cases) EXPECT_STREQ(c.actual, c.expected);
}

TEST(StringTest, SearchesReturnIndexOrMinusOne) {
  const CString s(L"a.b.c;d");
  EXPECT_EQ(s.Find(L'.'), 1);
  EXPECT_EQ(s.Find(L'.', 2), 3);
  EXPECT_EQ(s.Find(L'.', 4), -1);
  EXPECT_EQ(s.Find(L'.', 70), -1);
  EXPECT_EQ(s.Find(L"c;"), 4);
  EXPECT_EQ(s.Find(L"zz"), -1);
  EXPECT_EQ(s.ReverseFind(L'.'), 3);
  EXPECT_EQ(s.ReverseFind(L'x'), -1);
  EXPECT_EQ(s.FindOneOf(L";c"), 4);
  EXPECT_EQ(s.FindOneOf(L"xyz"), -1);
}

TEST(StringTest, EditingReturnsCountsAndLengths) {
  CString s(L"a-b-c");
  EXPECT_EQ(s.Replace(L'-', L'+'), 2);
  EXPECT_STREQ(s, L"a+b+c");
  EXPECT_EQ(s.Replace(L"+", L"--"), 2);
  EXPECT_STREQ(s, L"a--b--c");
  EXPECT_EQ(s.Replace(L"", L"x"), 0);
  EXPECT_EQ(s.Remove(L'-'), 4);
  EXPECT_STREQ(s, L"abc");
  EXPECT_EQ(s.Insert(1, L"XY"), 5);
  EXPECT_EQ(s.Insert(99, L'!'), 6);
  EXPECT_STREQ(s, L"aXYbc!");
  EXPECT_EQ(s.Delete(1, 2), 4);
  EXPECT_EQ(s.Delete(3, 99), 3);
  EXPECT_STREQ(s, L"abc");
  // Replacing with a text that contains the searched one does not loop.
  CString grow(L"aa");
  EXPECT_EQ(grow.Replace(L"a", L"aa"), 2);
  EXPECT_STREQ(grow, L"aaaa");
}

TEST(StringTest, TrimmingAndCase) {
  CString s(L" \t text \r\n");
  EXPECT_STREQ(s.Trim(), L"text");
  CString dots(L"..x..");
  EXPECT_STREQ(dots.TrimLeft(L'.'), L"x..");
  EXPECT_STREQ(dots.TrimRight(L"."), L"x");
  CString mixed(L"Straße Привет");
  EXPECT_STREQ(mixed.MakeUpper(), L"STRAßE ПРИВЕТ");
  EXPECT_STREQ(mixed.MakeLower(), L"straße привет");
  EXPECT_EQ(CString(L"abc").Compare(L"abd"), -1);
  EXPECT_EQ(CString(L"ABC").CompareNoCase(L"abc"), 0);
  EXPECT_GT(CString(L"b").CompareNoCase(L"A"), 0);
}

TEST(StringTest, TokenizeWalksTokensAndEnds) {
  const CString s(L";;one; two;;three;");
  std::vector<std::wstring> tokens;
  int pos = 0;
  for (CString token = s.Tokenize(L";", pos); pos != -1; token = s.Tokenize(L";", pos)) tokens.push_back(token.GetString());
  EXPECT_EQ(tokens, (std::vector<std::wstring>{L"one", L" two", L"three"}));
  int none = 0;
  EXPECT_TRUE(CString(L";;;").Tokenize(L";", none).IsEmpty());
  EXPECT_EQ(none, -1);
}

TEST(StringTest, FormatFollowsTheRuntimeRulesAndTakesStringObjects) {
  const CString name(L"Vantry");
  CString s;
  s.Format(L"%s|%5d|%-4s|%.2f|%x|%c|%S", name, 42, L"ab", 3.14159, 255, L'Z', "narrow");
  EXPECT_STREQ(s, L"Vantry|   42|ab  |3.14|ff|Z|narrow");
  s.AppendFormat(L"+%I64d", 1234567890123LL);
  EXPECT_STREQ(s, L"Vantry|   42|ab  |3.14|ff|Z|narrow+1234567890123");
  CStringA narrow;
  narrow.Format("%s=%d", CStringA("x"), 7);
  EXPECT_STREQ(narrow, "x=7");
  // Longer than any fixed buffer a formatter might use.
  CString longText;
  longText.Format(L"%s%s", CString(L'x', 3000), CString(L'y', 3000));
  EXPECT_EQ(longText.GetLength(), 6000);
  EXPECT_EQ(longText.Right(1), L"y");
}

TEST(StringTest, BufferAccess) {
  CString s;
  wchar_t* buffer = s.GetBuffer(MAX_PATH);
  ASSERT_NE(GetWindowsDirectoryW(buffer, MAX_PATH), 0u);
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), static_cast<int>(wcslen(s)));
  EXPECT_GT(s.GetLength(), 2);
  CString t(L"abcdef");
  t.GetBuffer();
  t.ReleaseBuffer(3);
  EXPECT_STREQ(t, L"abc");
}

TEST(StringTest, ConversionsUseTheThreadCodePageOrUtf8) {
  const wchar_t* wide = L"Gr\u00FC\u00DFe \u20AC";  // Grüße €
  // The prefix's ANSI page is 1252: ü, ß and € have single bytes there.
  CStringA ansi(wide);
  EXPECT_EQ(std::string(ansi), "Gr\xFC\xDF" "e \x80");
  EXPECT_STREQ(CString(ansi), wide);
  EXPECT_STREQ(static_cast<LPCSTR>(CW2A(wide, CP_UTF8)), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
  EXPECT_STREQ(static_cast<LPCWSTR>(CA2W("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC", CP_UTF8)), wide);
  EXPECT_EQ(static_cast<LPCSTR>(CW2A(nullptr)), nullptr);
  BSTR bstr = CStringA("abc").AllocSysString();
  EXPECT_EQ(SysStringLen(bstr), 3u);
  EXPECT_STREQ(bstr, L"abc");
  SysFreeString(bstr);
}

TEST(StringTest, LoadStringUsesTheChosenLanguage) {
  CString s;
  EXPECT_TRUE(s.LoadString(IDS_TEST_GREETING));
  EXPECT_STREQ(s, L"Hello from the test program");
  AfxSetResourceLanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
  EXPECT_TRUE(s.LoadString(IDS_TEST_GREETING));
  EXPECT_STREQ(s, L"Hallo vom Testprogramm");
  s.Format(IDS_TEST_FORMAT, 3, L"C:\\");
  EXPECT_STREQ(s, L"3 Dateien in C:\\");
  AfxSetResourceLanguage(0);
  // A missing id leaves the string alone.
  EXPECT_FALSE(s.LoadString(4000));
  EXPECT_STREQ(s, L"3 Dateien in C:\\");
  EXPECT_STREQ(CString(MAKEINTRESOURCEW(IDS_TEST_GREETING)), L"Hello from the test program");
  CStringA narrow;
  EXPECT_TRUE(narrow.LoadString(IDS_TEST_GREETING));
  EXPECT_STREQ(narrow, "Hello from the test program");
}

TEST(StringTest, OperatorsAndComparisons) {
  CString a(L"ab");
  EXPECT_STREQ(a + L"c" + L'd' + CString(L"e"), L"abcde");
  EXPECT_STREQ(L"x" + a, L"xab");
  a += L'!';
  EXPECT_TRUE(a == L"ab!");
  EXPECT_TRUE(L"ab!" == a);
  EXPECT_TRUE(a != CString(L"ab"));
  EXPECT_TRUE(CString(L"a") < CString(L"b"));
  EXPECT_EQ(a[1], L'b');
  EXPECT_EQ(a.GetAt(3), L'\0');
  EXPECT_TRUE(CString().IsEmpty());
  EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
}

}  // namespace
