#include "Variant.h"

#include <gtest/gtest.h>

#include "ArchiveFixtures.h"
#include "ErrorLog.h"
#include "TestSupport.h"

namespace {

using namespace fixtures;

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s)); }
std::string Stored(CVariant& v) {
  return Store([&](CArchive& ar) { v.Serialize(ar); });
}

TEST(Variant, StoredBytes) {
  CVariant null, integer(5), dbl(1.5), text(CString(L"ab")), binary, bytes;
  binary.GetBinary();
  bytes.GetBinary()->Add(1);
  bytes.GetBinary()->Add(2);
  bytes.GetBinary()->Add(0xFF);
  CVariant flt;
  flt.GetFloat() = 0.5f;
  CVariant date;
  *date.GetDateTime() = SYSTEMTIME{2026, 3, 4, 5, 9, 7, 3, 45};
  const struct {
    CVariant* value;
    const wchar_t* fixture;
  } cases[] = {{&null, L"variant_null.hex"},           {&integer, L"variant_integer_5.hex"},
               {&dbl, L"variant_double_1_5.hex"},      {&text, L"variant_unicode_ab.hex"},
               {&binary, L"variant_binary_empty.hex"}, {&bytes, L"variant_binary_3.hex"},
               {&flt, L"variant_float_0_5.hex"},       {&date, L"variant_datetime.hex"}};
  for (const auto& c : cases) EXPECT_EQ(ToHex(Fixture(c.fixture)), ToHex(Stored(*c.value))) << c.fixture;
}

TEST(Variant, LoadedValues) {
  CVariant v;
  EXPECT_EQ(0u, Load(Fixture(L"variant_double_1_5.hex"), [&](CArchive& ar) { v.Serialize(ar); }));
  EXPECT_EQ(CVariant::typeDouble, v.GetType());
  EXPECT_EQ(1.5, v.GetDoubleValue());
  EXPECT_EQ(0u, Load(Fixture(L"variant_unicode_ab.hex"), [&](CArchive& ar) { v.Serialize(ar); }));
  EXPECT_EQ(CVariant::typeUnicodeString, v.GetType());
  EXPECT_EQ(L"ab", W(v.GetString()));
  EXPECT_EQ(0u, Load(Fixture(L"variant_binary_3.hex"), [&](CArchive& ar) { v.Serialize(ar); }));
  ASSERT_EQ(3, v.GetBinary()->GetSize());
  EXPECT_EQ(0xFF, v.GetBinary()->GetAt(2));
  EXPECT_EQ(0u, Load(Fixture(L"variant_datetime.hex"), [&](CArchive& ar) { v.Serialize(ar); }));
  EXPECT_EQ(L"2026:3:5 9:7:3", W(v.GetString()));

  CVariant b, y, c;
  EXPECT_EQ(0u, Load(Fixture(L"variant_boolean_byte_char.hex"), [&](CArchive& ar) {
              b.Serialize(ar);
              y.Serialize(ar);
              c.Serialize(ar);
            }));
  EXPECT_EQ(L"TRUE", W(b.GetString()));
  EXPECT_EQ(L"200", W(y.GetString()));
  EXPECT_EQ(L"Z", W(c.GetString()));
}

TEST(Variant, StringComesBackAsUnicodeString) {
  CVariant ansi;
  *ansi.GetAnsiString() = "ab";
  EXPECT_EQ(ToHex(Fixture(L"variant_string_ab.hex")), ToHex(Stored(ansi)));
  CVariant loaded;
  EXPECT_EQ(0u, Load(Stored(ansi), [&](CArchive& ar) { loaded.Serialize(ar); }));
  EXPECT_EQ(CVariant::typeUnicodeString, loaded.GetType());
  EXPECT_EQ(L"ab", W(loaded.GetString()));
}

// 8-bit text holding a NUL is the text before it, as the wide strings the value is written as are
// read: kept whole, the NUL went into the next save and the load after it cut the text there.
TEST(Variant, StringIsTheTextUpToItsFirstNul) {
  const std::string stored = std::string("\x08\0\0\0\x04\0\0\0" "ab\0c", 12);
  CVariant loaded;
  EXPECT_EQ(0u, Load(stored, [&](CArchive& ar) { loaded.Serialize(ar); }));
  EXPECT_EQ(CVariant::typeUnicodeString, loaded.GetType());
  EXPECT_EQ(L"ab", W(loaded.GetString()));
  CVariant again;
  EXPECT_EQ(0u, Load(Stored(loaded), [&](CArchive& ar) { again.Serialize(ar); }));
  EXPECT_EQ(ToHex(Stored(loaded)), ToHex(Stored(again)));
}

TEST(Variant, Tag11ReadsOnlyTheTagAndKeepsTheValue) {
  CVariant v(7.25), next;
  EXPECT_EQ(0u, Load(Fixture(L"variant_tag11.hex"), [&](CArchive& ar) {
              v.Serialize(ar);
              next.Serialize(ar);
            }));
  EXPECT_EQ(CVariant::typeDouble, v.GetType());
  EXPECT_EQ(7.25, v.GetDoubleValue());
  EXPECT_EQ(L"9", W(next.GetString()));
}

TEST(Variant, CountsBeyondTheStreamEndTheLoad) {
  const wchar_t* bad[] = {L"variant_binary_huge.hex", L"variant_string_huge.hex", L"variant_truncated_double.hex"};
  for (const wchar_t* name : bad) {
    CVariant v;
    EXPECT_EQ(CArchiveException::endOfFile, LoadFailureCause(Fixture(name), [&](CArchive& ar) { v.Serialize(ar); }))
        << std::string(name, name + wcslen(name));
  }
}

// The failure that ends a load is in the error log under the reader's name before it is passed on.
TEST(Variant, BadCountIsLoggedUnderTheReadersName) {
  fixtures::PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  CVariant v;
  LoadFailureCause(Fixture(L"variant_binary_huge.hex"), [&](CArchive& ar) { v.Serialize(ar); });
  const std::string bytes = testing_support::ReadFileBytes(static_cast<LPCTSTR>(GetErrorLogPathName()));
  const std::wstring log(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  EXPECT_NE(std::wstring::npos, log.find(L"Exception (DEF_TRY - DEF_CATCH)\r\nFile Variant.cpp\r\nLine "));
  EXPECT_NE(std::wstring::npos, log.find(L"\r\nFunction CVariant::Serialize\r\n\r\n"));
}

TEST(Variant, TypeSwitching) {
  CVariant v(CString(L"text"));
  v = 2.5;  // the string is freed
  EXPECT_EQ(CVariant::typeDouble, v.GetType());
  v.PreExchange(CVariant::typeDouble);  // the same type keeps the number
  EXPECT_EQ(2.5, v.GetDoubleValue());
  v.PreExchange(CVariant::typeUnicodeString);
  EXPECT_EQ(L"", W(v.GetString()));
}

TEST(Variant, ScalarGettersViewTheSameBytes) {
  CVariant null;
  null.GetLong() = 12;
  EXPECT_EQ(CVariant::typeLong, null.GetType());
  CVariant d(1.5);
  LONG expected;
  const double value = 1.5;
  memcpy(&expected, &value, 4);
  EXPECT_EQ(expected, d.GetLong());
  EXPECT_EQ(CVariant::typeDouble, d.GetType());
  EXPECT_EQ(0.0, CVariant(3).GetDoubleValue());
}

TEST(Variant, TextForms) {
  CVariant byte, flt, dbl, integer(-4), boolean, binary, null;
  byte.GetByte() = 200;
  flt.GetFloat() = 0.5f;
  dbl = 2.0;
  binary.GetBinary();
  const struct {
    CVariant* v;
    const wchar_t* text;
  } cases[] = {{&byte, L"200"},     {&flt, L"0.500000"},          {&dbl, L"2.000000"},
               {&integer, L"-4"},   {&binary, L"Binary data"},   {&null, L""}};
  for (const auto& c : cases) EXPECT_EQ(c.text, W(c.v->GetString()));
}

TEST(Variant, CopiesAreIndependent) {
  CVariant source;
  source.GetBinary()->Add(7);
  CVariant copy(source);
  source.GetBinary()->SetAt(0, 9);
  EXPECT_EQ(7, copy.GetBinary()->GetAt(0));
  CVariant text(CString(L"abc")), other;
  other = text;
  *text.GetUnicodeString() = L"changed";
  EXPECT_EQ(L"abc", W(other.GetString()));
}

// Assigning a variant to itself used to empty a byte array before copying it into itself.
TEST(Variant, SelfAssignmentKeepsBinaryData) {
  CVariant v;
  v.GetBinary()->Add(1);
  v.GetBinary()->Add(2);
  CVariant& same = v;
  v = same;
  ASSERT_EQ(2, v.GetBinary()->GetSize());
  EXPECT_EQ(2, v.GetBinary()->GetAt(1));
  CVariant t(CString(L"keep"));
  CVariant& sameText = t;
  t = sameText;
  EXPECT_EQ(L"keep", W(t.GetString()));
}

}  // namespace
