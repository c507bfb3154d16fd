// Filling placeholders in a real RICHEDIT50W control: which texts are replaced, how often, with what
// text, and that the formatting around them stays.
#include <gtest/gtest.h>

#include <richedit.h>

#include <string>

#include "PlaceholderFill.h"

namespace {

class PlaceholderFill : public ::testing::Test {
 protected:
  void SetUp() override {
    library = LoadLibraryW(L"MSFTEDIT.DLL");
    ASSERT_NE(library, nullptr);
    edit = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_POPUP | ES_MULTILINE, 0, 0, 400, 300, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    CHARFORMAT2W plain = {};
    plain.cbSize = sizeof(plain);
    plain.dwMask = CFM_BOLD | CFM_FACE | CFM_SIZE;
    plain.yHeight = 200;
    lstrcpyW(plain.szFaceName, L"Arial");
    SendMessageW(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&plain));
  }
  void TearDown() override {
    if (edit) DestroyWindow(edit);
    if (library) FreeLibrary(library);
  }
  void SetRtf(const char* rtf) {
    SETTEXTEX set = {ST_DEFAULT, CP_ACP};
    SendMessageW(edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(rtf));
  }
  std::wstring Text() {
    wchar_t text[1024] = L"";
    GetWindowTextW(edit, text, 1024);
    return text;
  }
  BOOL BoldAt(LONG position) {
    CHARRANGE range = {position, position + 1};
    SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W format = {};
    format.cbSize = sizeof(format);
    SendMessageW(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwEffects & CFE_BOLD) != 0;
  }

  HMODULE library = nullptr;
  HWND edit = nullptr;
};

struct FillCase {
  const char* name;
  const char* rtf;
  const wchar_t* key;
  const wchar_t* value;
  const wchar_t* expected;
};

TEST_F(PlaceholderFill, ReplacesPlaceholdersOfTheKeyOnly) {
  const FillCase cases[] = {
      {"inside a sentence", "{\\rtf1 Dear [Name], welcome.}", L"Name", L"Alice Smith", L"Dear Alice Smith, welcome."},
      {"case matters", "{\\rtf1 Dear [name].}", L"Name", L"Alice", L"Dear [name]."},
      {"three times", "{\\rtf1 [Name] and [Name]\\par [Name]}", L"Name", L"Bo", L"Bo and Bo\r\nBo"},
      {"value holds its own placeholder", "{\\rtf1 A [Name] B [Name]}", L"Name", L"x [Name] y",
       L"A x [Name] y B x [Name] y"},
      {"other names stay", "{\\rtf1 [Other] [Name]}", L"Name", L"N", L"[Other] N"},
      {"brackets without a name", "{\\rtf1 [] [Name ] Name}", L"Name", L"N", L"[] [Name ] Name"},
      {"empty value", "{\\rtf1 a[Name]b [Name] c}", L"Name", L"", L"a[Name]b  c"},
  };
  for (const FillCase& c : cases) {
    SetRtf(c.rtf);
    CFieldMap data;
    data.SetAt(c.key, COleVariant(c.value));
    FillPlaceholders(edit, data);
    EXPECT_EQ(Text(), c.expected) << c.name;
    CHARRANGE caret = {-1, -1};
    SendMessageW(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    EXPECT_EQ(caret.cpMin, 0) << c.name;
    EXPECT_EQ(caret.cpMax, 0) << c.name;
  }
}

TEST_F(PlaceholderFill, EveryKeyOfTheMapIsFilled) {
  SetRtf("{\\rtf1 [First] [Last], [City] [Unknown]}");
  CFieldMap data;
  data.SetAt(L"First", COleVariant(L"Ann"));
  data.SetAt(L"Last", COleVariant(L"Lee"));
  data.SetAt(L"City", COleVariant(L"Oslo"));
  data.SetAt(L"Absent", COleVariant(L"nothing"));
  FillPlaceholders(edit, data);
  EXPECT_EQ(Text(), L"Ann Lee, Oslo [Unknown]");
}

TEST_F(PlaceholderFill, ReplacementTakesTheFormattingOfThePlaceholder) {
  SetRtf("{\\rtf1 Hello {\\b [Name]} end}");
  CFieldMap data;
  data.SetAt(L"Name", COleVariant(L"World"));
  FillPlaceholders(edit, data);
  EXPECT_EQ(Text(), L"Hello World end");
  EXPECT_FALSE(BoldAt(0));
  EXPECT_TRUE(BoldAt(6));
  EXPECT_TRUE(BoldAt(10));
  EXPECT_FALSE(BoldAt(12));
}

TEST_F(PlaceholderFill, NumbersAreWrittenWithTheUsersDecimalSeparator) {
  wchar_t separator[8] = L"";
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8), 0);
  SetRtf("{\\rtf1 Total: [Sum]}");
  CFieldMap data;
  data.SetAt(L"Sum", COleVariant(1234.5));
  FillPlaceholders(edit, data);
  EXPECT_EQ(Text(), std::wstring(L"Total: 1234") + separator + L"5");
}

TEST(FieldValueText, ConvertsEachKindOfValue) {
  EXPECT_STREQ(FieldValueText(COleVariant(L"text")), L"text");
  EXPECT_STREQ(FieldValueText(COleVariant(42L)), L"42");
  EXPECT_STREQ(FieldValueText(COleVariant()), L"");
  VARIANT nothing;
  VariantInit(&nothing);
  nothing.vt = VT_NULL;
  EXPECT_STREQ(FieldValueText(nothing), L"");
}

}  // namespace
