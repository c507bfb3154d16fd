// The barcode without a window: its record and object data against fixtures written from the file
// layout, field substitution, the encoded bytes and symbol, style fields and damaged input.
#include "TranspBarcode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "ErrorLog.h"
#include "FieldProperties.h"
#include "MyProcs.h"
#include "TranspLabel.h"
#include "TestSupport.h"
#include "TranspText.h"

namespace {

using fixtures::Fixture;
using fixtures::Load;
using fixtures::Store;
using fixtures::ToHex;

HGLOBAL ToGlobal(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
  memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

std::string GlobalBytes(HGLOBAL block) {
  const void* p = GlobalLock(block);
  std::string bytes(static_cast<const char*>(p), *static_cast<const DWORD*>(p));
  GlobalUnlock(block);
  return bytes;
}

std::string Stored(CTranspBaseClass& object) {
  return Store([&object](CArchive& ar) { object.Serialize(ar); });
}

// The symbol generate_aztec makes of these bytes, as the barcode asks for it.
aztec::matrix<unsigned char> SymbolOf(const std::vector<char>& bytes) {
  aztec::matrix<unsigned char> symbol;
  EXPECT_EQ(aztec::kOk, aztec::generate_aztec(symbol, bytes.data(), bytes.data() + bytes.size(),
                                              BARCODE_MIN_ECC_PERCENT, aztec::kFormatPlainData, false));
  return symbol;
}

bool SameMatrix(const aztec::matrix<unsigned char>& a, const aztec::matrix<unsigned char>& b) {
  if (a.columns() != b.columns() || a.rows() != b.rows()) return false;
  return std::memcmp(a.data(), b.data(), static_cast<size_t>(a.columns()) * a.rows()) == 0;
}

class TranspBarcode : public testing::Test {
 protected:
  void SetUp() override { CTranspBaseClass::SetInchesPerUnit(0.00001); }
  void TearDown() override { CTranspBaseClass::SetInchesPerUnit(0.00001); }
};

// ---- Record ----

TEST_F(TranspBarcode, RecordRoundTripsByteForByte) {
  const std::string fixture = Fixture(L"barcode_record_v2.hex");
  CTranspBarcode barcode(nullptr, 0);
  EXPECT_EQ(0u, Load(fixture.substr(4), [&barcode](CArchive& ar) { barcode.Serialize(ar); }));
  const RECT expected = {100000, 200000, 130000, 230000};
  EXPECT_TRUE(EqualRect(&expected, &barcode.GetRect()));
  EXPECT_EQ(2000, barcode.GetModuleSize());
  EXPECT_EQ(1, barcode.GetPageIndex());
  EXPECT_EQ(1, barcode.IsPrintable());
  EXPECT_EQ(L"AB", std::wstring(barcode.GetTemplate()));
  // Loading does not rebuild the symbol: the view does when it takes the object.
  EXPECT_TRUE(barcode.GetMatrix().empty());
  EXPECT_EQ(ToHex(fixture), ToHex(Stored(barcode)));
}

TEST_F(TranspBarcode, VersionOneRecordLoadsNotPrintable) {
  CTranspBarcode barcode(nullptr, 0);
  EXPECT_EQ(0u, Load(Fixture(L"barcode_record_v1.hex").substr(4), [&barcode](CArchive& ar) { barcode.Serialize(ar); }));
  EXPECT_EQ(0, barcode.IsPrintable());
  EXPECT_EQ(1000, barcode.GetModuleSize());
  EXPECT_EQ(2, barcode.GetPageIndex());
  EXPECT_DOUBLE_EQ(1.0 / 65536, CTranspBaseClass::GetInchesPerUnit());
  EXPECT_EQ(L"XY", std::wstring(barcode.GetTemplate()));
  const RECT expected = {10000, 20000, 30000, 40000};
  EXPECT_TRUE(EqualRect(&expected, &barcode.GetRect()));
}

// A template count beyond the record, a structure size beyond the archive, a cut record: the archive
// exception ends the load and nothing crashes.
TEST_F(TranspBarcode, DamagedRecordsAreRefused) {
  const std::string good = Fixture(L"barcode_record_v2.hex").substr(4);
  std::string hugeCount = good;
  hugeCount[76] = '\xff';
  hugeCount[79] = '\x7f';
  std::string hugeStructure = good;
  hugeStructure[2] = '\x10';
  const std::string cut = good.substr(0, 50);
  for (const std::string& bytes : {hugeCount, hugeStructure, cut}) {
    CTranspBarcode barcode(nullptr, 0);
    EXPECT_NE(-1, fixtures::LoadFailureCause(bytes, [&barcode](CArchive& ar) { barcode.Serialize(ar); }))
        << ToHex(bytes);
  }
}

// ---- Object data ----

TEST_F(TranspBarcode, ObjectDataMatchesTheLayout) {
  const std::string fixture = Fixture(L"barcode_obdata.hex");
  HGLOBAL source = ToGlobal(fixture);
  // The paste puts the top-left corner where it is asked and rebuilds the symbol and rectangle.
  CTranspBarcode pasted(nullptr, source, 5000, 7000, 0);
  GlobalFree(source);
  EXPECT_EQ(L"AB", std::wstring(pasted.GetTemplate()));
  EXPECT_EQ(2000, pasted.GetModuleSize());
  const aztec::matrix<unsigned char> symbol = SymbolOf({'A', 'B', 0});
  EXPECT_TRUE(SameMatrix(symbol, pasted.GetMatrix()));
  // Without a view a module is its size in units.
  const RECT placed = {5000, 7000, 5000 + 2000 * symbol.columns(), 7000 + 2000 * symbol.rows()};
  EXPECT_TRUE(EqualRect(&placed, &pasted.GetRect()));

  CTranspBarcode loaded(nullptr, 0);
  Load(Fixture(L"barcode_record_v2.hex").substr(4), [&loaded](CArchive& ar) { loaded.Serialize(ar); });
  HGLOBAL data = loaded.GetObData();
  ASSERT_NE(nullptr, data);
  EXPECT_EQ(ToHex(fixture), ToHex(GlobalBytes(data)));
  GlobalFree(data);
}

TEST_F(TranspBarcode, UnsuitableDataBuildsNothing) {
  const std::string good = Fixture(L"barcode_obdata.hex");
  std::string otherType = good;
  otherType[4] = 1;
  std::string unterminated = good.substr(0, 48);  // "AB" without its zero
  unterminated[0] = 48;
  std::string oversized = good;
  oversized[0] = 100;  // states more than the block holds
  std::string tooShort = good.substr(0, 40);
  tooShort[0] = 40;
  for (const std::string& bytes : {otherType, unterminated, oversized, tooShort}) {
    HGLOBAL data = ToGlobal(bytes);
    CTranspBarcode barcode(nullptr, data, 5, 5, 0);
    GlobalFree(data);
    const RECT empty = {0, 0, 0, 0};
    EXPECT_TRUE(EqualRect(&empty, &barcode.GetRect())) << ToHex(bytes);
    EXPECT_TRUE(barcode.GetMatrix().empty());
    EXPECT_TRUE(barcode.GetTemplate().IsEmpty());
  }
}

// ---- Field substitution ----

struct FieldSpec {
  const wchar_t* name;
  const wchar_t* text;  // null: an empty field
  bool label;
};

struct FieldList {
  explicit FieldList(const std::vector<FieldSpec>& specs) {
    _OBJECT_STYLE style;
    SetDefaultTextStyle(&style);
    for (const FieldSpec& spec : specs) {
      CTranspBaseClass* object = spec.label
                                     ? static_cast<CTranspBaseClass*>(new CTranspLabel(nullptr, 0, 0, &style, nullptr, spec.text, 0))
                                     : new CTranspText(nullptr, 0, 0, &style, nullptr, spec.text, 0);
      object->SetName(spec.name);
      list.AddTail(object);
    }
  }
  ~FieldList() {
    while (!list.IsEmpty()) delete list.RemoveHead();
  }
  CTranspObjectList list;
};

TEST(BarcodeFields, NamesStandForTheFieldsValues) {
  const struct {
    const char* why;
    std::vector<FieldSpec> fields;
    const wchar_t* text;
    const wchar_t* expected;
  } cases[] = {
      {"every occurrence", {{L"FullName", L"Ivan", false}}, L"FullName|FullName", L"Ivan|Ivan"},
      {"an empty field leaves its name", {{L"FullName", nullptr, false}}, L"<a>FullName</a>", L"<a>FullName</a>"},
      {"a label is no field", {{L"FullName", L"Caption", true}}, L"FullName", L"FullName"},
      {"names are case-sensitive", {{L"Price", L"10", false}}, L"price Price", L"price 10"},
      {"a value is not searched again",
       {{L"FullName", L"Price", false}, {L"Price", L"10", false}},
       L"FullName/Price",
       L"Price/10"},
      {"the longer name wins", {{L"Text1", L"a", false}, {L"Text10", L"b", false}}, L"Text1 Text10", L"a b"},
      {"the first of equal names", {{L"Total", L"1", false}, {L"Total", L"2", false}}, L"Total", L"1"},
      {"an unnamed field matches nothing", {{L"", L"x", false}}, L"abc", L"abc"},
  };
  for (const auto& c : cases) {
    FieldList fields(c.fields);
    EXPECT_EQ(std::wstring(c.expected), std::wstring(SubstituteBarcodeFields(c.text, &fields.list))) << c.why;
  }
  EXPECT_EQ(L"FullName", std::wstring(SubstituteBarcodeFields(L"FullName", nullptr)));
}

TEST(BarcodeFields, BytesAreCodePage1251WithTheirZero) {
  const std::vector<char> bytes = ToBarcodeBytes(CString(L"\x0416\x044F A \x4E2D"));  // Zhe, ya, A, a CJK sign
  const std::vector<char> expected = {'\xC6', '\xFF', ' ', 'A', ' ', '?', 0};
  EXPECT_EQ(expected, bytes);
  EXPECT_EQ(std::vector<char>{0}, ToBarcodeBytes(CString()));
}

// ---- Symbol ----

TEST_F(TranspBarcode, NewBarcodeShowsTheDefaultTemplate) {
  _OBJECT_STYLE style = {};
  style.penStyle = PS_SOLID;
  CTranspBarcode barcode(nullptr, POINT{10000, 20000}, &style, 0);
  const std::wstring text = barcode.GetTemplate().GetString();
  EXPECT_EQ(std::wstring(GetDefaultBarcodeTemplate()), text);
  EXPECT_EQ(0u, text.find(L"<?xml version=\"1.0\" encoding=\"windows-1251\"?><bar2 "));
  EXPECT_NE(std::wstring::npos,
            text.find(L"<parlist><par fld_code=\"FLD8\">FullName</par><par fld_code=\"ADRES\">Address</par>"
                      L"<par fld_code=\"FLD7\">Price</par><par fld_code=\"FLD24\">Subject</par></parlist></bar2>"));
  EXPECT_NE(std::wstring::npos, text.find(L"xsi:noNamespaceSchemaLocation=\"Barcode2_01.xsd\""));
  EXPECT_EQ(1, barcode.IsPrintable());
  EXPECT_EQ(BARCODE_DEFAULT_MODULE, barcode.GetModuleSize());
  EXPECT_EQ(KIND_BARCODE, barcode.GetObjectKind());
  EXPECT_EQ(ToBarcodeBytes(text.c_str()), barcode.GetData());
  const aztec::matrix<unsigned char> symbol = SymbolOf(barcode.GetData());
  EXPECT_TRUE(SameMatrix(symbol, barcode.GetMatrix()));
  const RECT expected = {10000, 20000, 10000 + 2000 * symbol.columns(), 20000 + 2000 * symbol.rows()};
  EXPECT_TRUE(EqualRect(&expected, &barcode.GetRect()));
}

TEST_F(TranspBarcode, StyleFieldsChangeModuleTemplateNameAndPrintable) {
  CTranspBarcode barcode(nullptr, POINT{0, 0}, nullptr, 0);
  const int columns = barcode.GetMatrix().columns();
  _OBJECT_STYLE style = {};
  style.lineWidth = 3000;
  const int moduleField = BARCODE_FIELD_MODULE_SIZE;
  barcode.SetObjectStyle(nullptr, &style, &moduleField, 0);
  EXPECT_EQ(3000, barcode.GetModuleSize());
  EXPECT_EQ(columns, barcode.GetMatrix().columns());
  EXPECT_EQ(3000 * columns, barcode.GetRect().right - barcode.GetRect().left);

  _PROPERTIES properties;
  properties.contentTemplate = L"Hello";
  properties.name = L"Code";
  const int templateField = BARCODE_FIELD_TEMPLATE, nameField = BARCODE_FIELD_NAME;
  barcode.SetObjectStyle(&properties, &style, &templateField, 0);
  barcode.SetObjectStyle(&properties, &style, &nameField, 0);
  EXPECT_TRUE(SameMatrix(SymbolOf({'H', 'e', 'l', 'l', 'o', 0}), barcode.GetMatrix()));
  _PROPERTIES out;
  barcode.GetProperties(&out);
  EXPECT_EQ(L"Code", std::wstring(out.name));
  EXPECT_EQ(L"Hello", std::wstring(out.contentTemplate));

  style.printable = 0;
  const int printableField = BARCODE_FIELD_PRINTABLE;
  barcode.SetObjectStyle(nullptr, &style, &printableField, 0);
  EXPECT_EQ(0, barcode.IsPrintable());
  EXPECT_EQ(3000, barcode.GetModuleSize());
}

// A text no symbol can hold: the barcode keeps the symbol and bytes it had and logs why.
TEST_F(TranspBarcode, FailedEncodingKeepsThePreviousSymbol) {
  fixtures::PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  InitErrorLog();
  CTranspBarcode barcode(nullptr, POINT{0, 0}, nullptr, 0);
  const aztec::matrix<unsigned char> before = barcode.GetMatrix();
  const std::vector<char> bytesBefore = barcode.GetData();
  const RECT rectBefore = barcode.GetRect();
  barcode.SetTemplate(CString(L'\x0416', 4000));
  EXPECT_FALSE(barcode.GenerateBacode());
  EXPECT_TRUE(SameMatrix(before, barcode.GetMatrix()));
  EXPECT_EQ(bytesBefore, barcode.GetData());
  EXPECT_TRUE(EqualRect(&rectBefore, &barcode.GetRect()));
  const std::string bytes = testing_support::ReadFileBytes(static_cast<LPCTSTR>(GetErrorLogPathName()));
  const std::wstring log(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  EXPECT_NE(std::wstring::npos, log.find(L"CTranspBarcode::GenerateBacode")) << log;
}

}  // namespace
