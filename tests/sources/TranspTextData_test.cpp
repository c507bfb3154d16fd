#include "TranspTextData.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>

#include "ArchiveFixtures.h"

namespace {

using namespace fixtures;

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s), s.GetLength()); }

// The text field the version-10 record fixture describes.
TEXT_FIELD_DATA RecordV10Field() {
  TEXT_FIELD_DATA d;
  d.x = 150000;
  d.y = 250000;
  d.pageIndex = 2;
  d.style.font.lfHeight = -120;
  d.style.font.lfWeight = 700;
  d.style.font.lfCharSet = 1;
  wcscpy(d.style.font.lfFaceName, L"Arial");
  d.typedDecimals = 3;
  d.style.textColor = 0x00112233;
  TextComb(d.style) = 1;
  TextCombCell(d.style) = 5000;
  TextAlignment(d.style) = TEXT_ALIGN_RIGHT;
  TextWordWrap(d.style) = 1;
  TextLineSpacing(d.style) = 700;
  d.style.requiredForFilling = 1;
  d.style.textFlag145 = 7;
  d.style.textFlag146 = 1;
  d.style.flag147 = 1;
  d.formulaFlag = 1;
  d.dataType = TEXT_TYPE_NUMERIC;
  d.decimals = 2;
  d.style.boxHeight = 6000;
  d.style.penStyle = PS_DOT;
  d.style.boxWidth = 52083;
  d.style.color = 0x00445566;
  d.style.lineWidth = 300;
  d.grouping = 1;
  d.style.printable = 1;
  d.text = L"Hi\r\nyou";
  d.formula = L"=A1+B1";
  return d;
}

TEST(TextRecord, StoreWritesTheVersion10Layout) {
  const std::string bytes = Store([](CArchive& ar) { StoreTextRecord(ar, RecordV10Field(), 0.00001); });
  EXPECT_EQ(ToHex(Fixture(L"text_record_v10.hex")), ToHex(bytes));
}

TEST(TextRecord, OuterLengthCountsCharactersNotBytes) {
  TEXT_FIELD_DATA d;
  d.text = L"0123456789";
  d.formula = L"=A+B";
  EXPECT_EQ(250u, TextRecordOuterLength(d));
  const std::string bytes = Store([&d](CArchive& ar) { StoreTextRecord(ar, d, 0.00001); });
  EXPECT_EQ(4u + 274u, bytes.size());
  // Characters after an embedded zero are not counted.
  d.text = CString(L"ab\0cd", 5);
  EXPECT_EQ(232u + 2 + 4 + 4, TextRecordOuterLength(d));
}

TEST(TextRecord, LabelStoresItsValueAndPrintableFlag) {
  TEXT_FIELD_DATA label = RecordV10Field();
  label.label = 1;
  label.value = 12.5;
  label.style.printable = 0;
  label.typedDecimals = 0;
  label.formulaFlag = 0;
  label.dataType = TEXT_TYPE_TEXT;
  label.decimals = 0;
  label.text = L"12.5";
  label.formula.Empty();
  const std::string bytes = Store([&label](CArchive& ar) { StoreTextRecord(ar, label, 0.00001); });
  EXPECT_EQ(ToHex(Fixture(L"label_record_v10.hex")), ToHex(bytes));
}

// Loads a record fixture from the record size on.
TEXT_FIELD_DATA LoadRecord(const wchar_t* name, double& inchesPerUnit, size_t& left) {
  TEXT_FIELD_DATA d;
  inchesPerUnit = 0;
  left = Load(Fixture(name).substr(4), [&](CArchive& ar) { LoadTextRecord(ar, d, inchesPerUnit); });
  return d;
}

TEST(TextRecord, LoadTakesEveryVersion10Field) {
  double ipu = 0;
  size_t left = 1;
  const TEXT_FIELD_DATA d = LoadRecord(L"text_record_v10.hex", ipu, left);
  EXPECT_EQ(0u, left);
  const TEXT_FIELD_DATA e = RecordV10Field();
  EXPECT_EQ(0.00001, ipu);
  EXPECT_EQ(0, memcmp(&e.style, &d.style, sizeof(e.style))) << "style differs";
  EXPECT_EQ(e.x, d.x);
  EXPECT_EQ(e.y, d.y);
  EXPECT_EQ(e.pageIndex, d.pageIndex);
  EXPECT_EQ(W(e.text), W(d.text));
  EXPECT_EQ(W(e.formula), W(d.formula));
  EXPECT_EQ(L"%.2f", W(d.numberFormat));
  EXPECT_EQ(1, d.formulaFlag);
  EXPECT_EQ(TEXT_TYPE_NUMERIC, d.dataType);
  EXPECT_EQ(2, d.decimals);
  EXPECT_EQ(3, d.typedDecimals);
  EXPECT_EQ(1, d.grouping);
  EXPECT_EQ(0, d.valueBlank);
  EXPECT_EQ(0, d.label);
  EXPECT_FALSE(d.valueSet);
}

// What each older layout must give; the fixtures' comments say why.
struct RecordCase {
  const wchar_t* file;
  const wchar_t* text;
  const wchar_t* formula;
  int x, orientation, textColor, align, boxWidth, wordWrap, lineSpacing, singleLine, border, penStyle, lineWidth;
  int dataType, decimals, typedDecimals, grouping, label, printable;
  double value;
  const wchar_t* face;
  int height;
};

TEST(TextRecord, OlderLayoutsLoad) {
  std::setlocale(LC_NUMERIC, "C");
  const RecordCase cases[] = {
      {L"label_record_v10.hex", L"12.5", L"", 150000, 0, 0x112233, 2, 52083, 1, 700, 0, 1, 2, 300, 0, 0, 0, 1, 1, 0,
       12.5, L"Arial", -120},
      {L"label_record_v8.hex", L"12,5", L"=A1", 150000, 0, 0x112233, 2, 52083, 1, 700, 0, 1, 2, 300, 1, 3, 3, 1, 1, 0,
       12.5, L"Arial", -120},
      {L"text_record_v5.hex", L"Abc", L"", 150000, 0, 0x112233, 2, 52083, 1, 700, 0, 0, 0, 300, 0, 2, 2, 1, 0, 1, 0,
       L"Arial", -120},
      {L"text_record_v4.hex", L"Old", L"", 150000, 0, 0x112233, 2, 52083, 1, 700, 0, 0, 0, 300, 1, 2, 2, 1, 0, 1, 0,
       L"Arial", -120},
      {L"text_record_v2.hex", L"v2", L"", 150000, 0, 0x112233, 2, 52083, 0, 0, 0, 0, 0, 300, 0, 2, 2, 1, 0, 1, 0,
       L"Arial", -120},
      {L"text_record_v1.hex", L"v1", L"", 150000, 0, 0x112233, 2, 10416, 0, 0, 0, 0, 0, 300, 0, 2, 2, 1, 0, 1, 0,
       L"Arial", -120},
      {L"text_record_152.hex", L"x", L"", 1000, TEXT_BOTTOM_UP, 0, 1, 40000, 0, 0, 0, 0, 0, 0, 0, 2, 2, 1, 0, 1, 0,
       L"Arial", -100},
      {L"text_record_160.hex", L"old", L"", 1100, TEXT_TOP_DOWN, 0x010203, 1, 33000, 1, 250, 1, 0, 0, 200, 0, 2, 2, 1,
       0, 1, 0, L"Courier", -90},
      {L"text_record_144.hex", L"old", L"", 1100, TEXT_TOP_DOWN, 0x010203, 1, 33000, 1, 250, 1, 0, 0, 0, 0, 2, 2, 1,
       0, 1, 0, L"Courier", -90},
      {L"text_record_oversize.hex", L"Hi", L"", 150000, 0, 0x112233, 2, 52083, 1, 700, 0, 1, 2, 300, 1, 2, 3, 1, 0,
       1, 0, L"Arial", -120},
  };
  for (const RecordCase& c : cases) {
    SCOPED_TRACE(testing::Message() << W(c.file));
    double ipu = 0;
    size_t left = 1;
    const TEXT_FIELD_DATA d = LoadRecord(c.file, ipu, left);
    EXPECT_EQ(0u, left);
    EXPECT_EQ(0.00001, ipu);
    EXPECT_EQ(c.text, W(d.text));
    EXPECT_EQ(c.formula, W(d.formula));
    EXPECT_EQ(c.x, d.x);
    EXPECT_EQ(c.orientation, TextOrientation(d.style));
    EXPECT_EQ(c.textColor, static_cast<int>(d.style.textColor));
    EXPECT_EQ(c.align, TextAlignment(d.style));
    EXPECT_EQ(c.boxWidth, d.style.boxWidth);
    EXPECT_EQ(c.wordWrap, TextWordWrap(d.style));
    EXPECT_EQ(c.lineSpacing, TextLineSpacing(d.style));
    EXPECT_EQ(c.singleLine, TextSingleLine(d.style));
    EXPECT_EQ(c.border, d.style.flag147);
    EXPECT_EQ(c.penStyle, d.style.penStyle);
    EXPECT_EQ(c.lineWidth, d.style.lineWidth);
    EXPECT_EQ(c.dataType, d.dataType);
    EXPECT_EQ(c.decimals, d.decimals);
    EXPECT_EQ(c.typedDecimals, d.typedDecimals);
    EXPECT_EQ(c.grouping, d.grouping);
    EXPECT_EQ(c.label, d.label);
    EXPECT_EQ(c.printable, d.style.printable);
    if (c.label) {
      EXPECT_EQ(c.value, d.value);
    }
    EXPECT_EQ(c.face, std::wstring(d.style.font.lfFaceName));
    EXPECT_EQ(c.height, d.style.font.lfHeight);
  }
}

TEST(TextRecord, LongerRecordIsReadIntoOursAndTheRestSkipped) {
  // A size far beyond what the stream holds fails at once instead of reading on.
  std::string huge = Fixture(L"text_record_oversize.hex").substr(4);
  const DWORD size = 0x7FFFFFFF;
  memcpy(&huge[0], &size, 4);
  TEXT_FIELD_DATA d;
  double ipu = 0;
  EXPECT_NE(-1, LoadFailureCause(huge, [&](CArchive& ar) { LoadTextRecord(ar, d, ipu); }));
}

TEST(TextRecord, CutRecordEndsTheLoad) {
  const std::string whole = Fixture(L"text_record_v10.hex").substr(4);
  for (size_t keep : {size_t(2), size_t(100), size_t(220), whole.size() - 3}) {
    TEXT_FIELD_DATA d;
    double ipu = 0;
    EXPECT_NE(-1, LoadFailureCause(whole.substr(0, keep), [&](CArchive& ar) { LoadTextRecord(ar, d, ipu); })) << keep;
  }
}

TEST(TextRecord, StoreAndLoadRoundTrip) {
  const TEXT_FIELD_DATA e = RecordV10Field();
  const std::string bytes = Store([&e](CArchive& ar) { StoreTextRecord(ar, e, 0.00002); });
  TEXT_FIELD_DATA d;
  double ipu = 0;
  EXPECT_EQ(0u, Load(bytes.substr(4), [&](CArchive& ar) { LoadTextRecord(ar, d, ipu); }));
  EXPECT_EQ(0.00002, ipu);
  const std::string again = Store([&d](CArchive& ar) { StoreTextRecord(ar, d, 0.00002); });
  EXPECT_EQ(ToHex(bytes), ToHex(again));
}

TEST(TextValue, ConvertTextToDoubleTakesEitherSeparator) {
  std::setlocale(LC_NUMERIC, "C");
  const struct {
    const wchar_t* text;
    double value;
  } cases[] = {{L"12,5", 12.5}, {L"1.25", 1.25}, {L"abc", 0}, {L"", 0}, {L"-3", -3}};
  for (const auto& c : cases) EXPECT_EQ(c.value, ConvertTextToDouble(c.text)) << W(c.text);
}

// ---- object data ----

TEXT_FIELD_DATA ObDataStyleField() {
  TEXT_FIELD_DATA d;
  d.style.font.lfHeight = -120;
  d.style.font.lfWeight = 400;
  d.style.font.lfCharSet = 1;
  wcscpy(d.style.font.lfFaceName, L"Arial");
  d.style.fontSize = 12;
  d.style.textColor = 0xFF;
  TextComb(d.style) = 1;
  TextCombCell(d.style) = 4000;
  TextAlignment(d.style) = TEXT_ALIGN_CENTRE;
  d.style.color = 0x808080;
  d.style.lineWidth = 100;
  d.style.boxWidth = 52083;
  TextWordWrap(d.style) = 1;
  TextLineSpacing(d.style) = 500;
  d.style.requiredForFilling = 1;
  d.style.textFlag146 = 1;
  d.style.flag147 = 1;
  d.style.penStyle = PS_DASHDOT;
  d.style.boxHeight = 5000;
  d.style.printable = 1;
  d.decimals = 2;
  d.typedDecimals = 1;
  d.grouping = 1;
  return d;
}

std::string GlobalBytes(HGLOBAL block) {
  const void* p = GlobalLock(block);
  const DWORD total = *static_cast<const DWORD*>(p);
  std::string bytes(static_cast<const char*>(p), total);
  GlobalUnlock(block);
  return bytes;
}

TEST(TextObData, Version9Blocks) {
  TEXT_FIELD_DATA field = ObDataStyleField();
  field.dataType = TEXT_TYPE_NUMERIC;
  field.formulaFlag = 1;
  field.text = L"12";
  field.formula = L"=A1";
  TEXT_FIELD_DATA label = ObDataStyleField();
  label.label = 1;
  const struct {
    const wchar_t* file;
    const TEXT_FIELD_DATA* data;
    size_t size;
  } cases[] = {{L"text_obdata_v9.hex", &field, 308}, {L"label_obdata_v9.hex", &label, 298}};
  for (const auto& c : cases) {
    HGLOBAL block = BuildTextObData(*c.data, 0.00002);
    ASSERT_NE(nullptr, block);
    EXPECT_GE(GlobalSize(block), c.size);
    const std::string bytes = GlobalBytes(block);
    GlobalFree(block);
    EXPECT_EQ(c.size, bytes.size()) << W(c.file);
    EXPECT_EQ(ToHex(Fixture(c.file)), ToHex(bytes)) << W(c.file);
  }
}

struct ObDataCase {
  const wchar_t* file;
  BOOL label;
  const wchar_t* text;
  const wchar_t* formula;
  int dataType;
  double value;
  const wchar_t* face;
  int height, orientation, align, boxWidth, boxHeight, wordWrap, lineSpacing, singleLine, border, printable;
};

TEST(TextObData, EveryVersionReads) {
  const ObDataCase cases[] = {
      {L"text_obdata_v9.hex", FALSE, L"12", L"=A1", 1, 0, L"Arial", -120, 0, 1, 52083, 5000, 1, 500, 0, 1, 1},
      {L"label_obdata_v9.hex", TRUE, L"", L"", 0, 0, L"Arial", -120, 0, 1, 52083, 5000, 1, 500, 0, 1, 1},
      {L"text_obdata_v8.hex", FALSE, L"3,25", L"", 1, 3.25, L"Arial", -120, 0, 1, 52083, 5000, 1, 500, 0, 1, 1},
      {L"text_obdata_v7.hex", FALSE, L"seven", L"", 0, 0, L"Arial", -120, 0, 1, 52083, -1, 1, 500, 0, 0, 1},
      {L"text_obdata_v6.hex", FALSE, L"six", L"", 0, 0, L"Arial", -120, 0, 1, 52083, -1, 1, 500, 0, 0, 1},
      {L"text_obdata_v2_text120.hex", FALSE, L"Note", L"", 0, 0, L"Courier", -140, 1, 2, 100, -1, 0, 0, 0, 0, 1},
      {L"text_obdata_v3.hex", TRUE, L"Three", L"", 0, 0, L"Courier", -140, 1, 2, 45000, -1, 0, 0, 0, 0, 0},
      {L"text_obdata_v1_short.hex", FALSE, L"Hello", L"", 0, 0, L"Courier", -140, 1, 2, 30000, -1, 0, 0, 0, 0, 1},
      {L"text_obdata_v1_long.hex", FALSE, L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", L"", 0, 0, L"Courier", -140, 1, 2,
       0, -1, 0, 0, 0, 0, 1},
      {L"text_obdata_v4.hex", FALSE, L"Four", L"", 0, 0, L"Courier", -140, 1, 2, 46000, -1, 1, 600, 1, 0, 1},
  };
  for (const ObDataCase& c : cases) {
    SCOPED_TRACE(testing::Message() << W(c.file));
    const std::string bytes = Fixture(c.file);
    TEXT_FIELD_DATA d;
    double ipu = 0;
    ASSERT_TRUE(ReadTextObData(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), c.label, d, ipu));
    EXPECT_EQ(0.00002, ipu);
    EXPECT_EQ(c.text, W(d.text));
    EXPECT_EQ(c.formula, W(d.formula));
    EXPECT_EQ(c.dataType, d.dataType);
    EXPECT_EQ(c.value, d.value);
    EXPECT_EQ(c.face, std::wstring(d.style.font.lfFaceName));
    EXPECT_EQ(c.height, d.style.font.lfHeight);
    EXPECT_EQ(c.orientation, TextOrientation(d.style));
    EXPECT_EQ(c.orientation == TEXT_BOTTOM_UP ? 900 : 0, d.style.font.lfEscapement);
    EXPECT_EQ(c.align, TextAlignment(d.style));
    EXPECT_EQ(c.boxWidth, d.style.boxWidth);
    EXPECT_EQ(c.boxHeight, d.style.boxHeight);
    EXPECT_EQ(c.wordWrap, TextWordWrap(d.style));
    EXPECT_EQ(c.lineSpacing, TextLineSpacing(d.style));
    EXPECT_EQ(c.singleLine, TextSingleLine(d.style));
    EXPECT_EQ(c.border, d.style.flag147);
    EXPECT_EQ(c.printable, d.style.printable);
    EXPECT_EQ(c.label, d.label);
  }
}

TEST(TextObData, Version5TakesOnlyThePrintableFlag) {
  const std::string bytes = Fixture(L"text_obdata_v5.hex");
  TEXT_FIELD_DATA d = ObDataStyleField();
  d.text = L"kept";
  double ipu = 0;
  ASSERT_TRUE(ReadTextObData(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), TRUE, d, ipu));
  EXPECT_EQ(L"kept", W(d.text));
  EXPECT_EQ(5000, d.style.boxHeight);
  EXPECT_EQ(0, d.style.printable);
}

// Every length and offset is bounded by the block's real size; a bad block changes nothing.
TEST(TextObData, ReadersStayInsideTheBlock) {
  const std::string v9 = Fixture(L"text_obdata_v9.hex");
  auto withInt = [](std::string bytes, size_t offset, int32_t value) {
    memcpy(&bytes[offset], &value, 4);
    return bytes;
  };
  const struct {
    const char* what;
    std::string bytes;
  } bad[] = {
      {"text length past the end", withInt(v9, 280, 1000)},
      {"negative text length", withInt(v9, 280, -1)},
      {"formula length past the end", withInt(v9, 284, 0x40000000)},
      {"block cut before the strings", v9.substr(0, 287)},
      {"header only", v9.substr(0, 20)},
      {"version 7 without its text start", withInt(v9.substr(0, 240), 8, 7)},
      {"version 2 too short for its font", withInt(v9.substr(0, 100), 8, 2)},
      {"version 1 without the int at 140", withInt(v9.substr(0, 120), 8, 1)},
  };
  for (const auto& c : bad) {
    TEXT_FIELD_DATA d;
    d.text = L"before";
    double ipu = 7;
    EXPECT_FALSE(ReadTextObData(reinterpret_cast<const BYTE*>(c.bytes.data()), c.bytes.size(), FALSE, d, ipu))
        << c.what;
    EXPECT_EQ(L"before", W(d.text)) << c.what;
    EXPECT_EQ(7, ipu) << c.what;
  }
  // A version-7 text without its terminator ends at the block's end.
  std::string open = Fixture(L"text_obdata_v7.hex");
  open.resize(248 + 6);  // "sev" without NUL
  TEXT_FIELD_DATA d;
  double ipu = 0;
  ASSERT_TRUE(ReadTextObData(reinterpret_cast<const BYTE*>(open.data()), open.size(), FALSE, d, ipu));
  EXPECT_EQ(L"sev", W(d.text));
}

TEST(TextObData, BlockRoundTrip) {
  TEXT_FIELD_DATA e = ObDataStyleField();
  e.dataType = TEXT_TYPE_CURRENCY;
  e.value = -4.75;
  e.text = L"-4,75 \x20AC";
  const CStringA bytes = TextObDataBytes(e, 0.00001);
  TEXT_FIELD_DATA d;
  double ipu = 0;
  ASSERT_TRUE(ReadTextObData(reinterpret_cast<const BYTE*>(static_cast<const char*>(bytes)), bytes.GetLength(), FALSE,
                             d, ipu));
  EXPECT_EQ(W(e.text), W(d.text));
  EXPECT_EQ(-4.75, d.value);
  EXPECT_EQ(0, memcmp(&e.style, &d.style, sizeof(e.style)));
}

}  // namespace
