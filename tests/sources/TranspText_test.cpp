#include "TranspText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "DrawnPixels.h"

#include "ArchiveFixtures.h"
#include "ObjectFixtures.h"
#include "MyProcs.h"
#include "TranspLabel.h"

namespace {

using fixtures::Load;
using fixtures::ReadHexFixture;
using fixtures::Store;
using fixtures::ToHex;
using fixtures::Fixture;
using fixtures::GlobalBytes;
using fixtures::LoadFrom;
using fixtures::Stored;
using fixtures::ToGlobal;

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s), s.GetLength()); }

TEST(TranspText, RecordRoundTripsByteForByte) {
  for (const wchar_t* name : {L"text_record_v10.hex", L"label_record_v10.hex"}) {
    SCOPED_TRACE(testing::Message() << W(name));
    const std::string record = Fixture(name);
    CTranspText text(nullptr, 0);
    CTranspBaseClass::SetInchesPerUnit(0.5);
    LoadFrom(text, record);
    EXPECT_EQ(0.00001, CTranspBaseClass::GetInchesPerUnit());
    const std::string stored = Store([&text](CArchive& ar) { text.Serialize(ar); });
    EXPECT_EQ(ToHex(record), ToHex(stored));
  }
}

TEST(TranspText, LabelAgainstField) {
  CTranspLabel label(nullptr, 0);
  LoadFrom(label, Fixture(L"label_record_v10.hex"));
  CTranspText field(nullptr, 0);
  LoadFrom(field, Fixture(L"text_record_v10.hex"));
  EXPECT_EQ(KIND_LABEL, label.GetObjectKind());
  EXPECT_EQ(KIND_TEXTFIELD, field.GetObjectKind());
  EXPECT_EQ(0, label.IsField());
  EXPECT_EQ(1, field.IsField());
  EXPECT_EQ(0, label.IsPrintable());
  EXPECT_EQ(12.5, label.GetValue().GetDoubleValue());
  // Reading the value did not turn it into the text: the record still carries 12.5.
  EXPECT_EQ(ToHex(Fixture(L"label_record_v10.hex")), ToHex(Store([&label](CArchive& ar) { label.Serialize(ar); })));
  EXPECT_EQ(L"Hi\r\nyou", W(field.GetText()));
  EXPECT_EQ(2u, field.GetLines().size());
  const struct {
    CTranspText* object;
    int type;
  } cases[] = {{&label, LABEL_OBDATA_TYPE}, {&field, TEXT_OBDATA_TYPE}};
  for (const auto& c : cases) {
    HGLOBAL data = c.object->GetObData();
    ASSERT_NE(nullptr, data);
    const std::string bytes = GlobalBytes(data);
    GlobalFree(data);
    int type = 0, version = 0;
    memcpy(&type, bytes.data() + 4, 4);
    memcpy(&version, bytes.data() + 8, 4);
    EXPECT_EQ(c.type, type);
    EXPECT_EQ(9, version);
  }
}

TEST(TranspText, ObjectDataThroughTheClass) {
  HGLOBAL data = ToGlobal(Fixture(L"text_obdata_v9.hex"));
  CTranspText text(nullptr, data, 1234, 5678, 1);
  GlobalFree(data);
  EXPECT_EQ(1234, text.GetPosition().x);
  EXPECT_EQ(5678, text.GetPosition().y);
  EXPECT_EQ(L"12", W(text.GetText()));
  EXPECT_EQ(L"=A1", W(text.GetFormula()));
  EXPECT_TRUE(text.HasFormula());
  EXPECT_EQ(0.00002, CTranspBaseClass::GetInchesPerUnit());
  HGLOBAL again = text.GetObData();
  ASSERT_NE(nullptr, again);
  EXPECT_EQ(ToHex(Fixture(L"text_obdata_v9.hex")), ToHex(GlobalBytes(again)));
  GlobalFree(again);
  CTranspBaseClass::SetInchesPerUnit(0.00001);
}

TEST(TranspText, LabelFromOldObjectDataIsNotPrinted) {
  const struct {
    const wchar_t* file;
    int printable;
  } cases[] = {{L"text_obdata_v3.hex", 0}, {L"label_obdata_v9.hex", 1}};
  for (const auto& c : cases) {
    HGLOBAL data = ToGlobal(Fixture(c.file));
    CTranspLabel label(nullptr, data, 0, 0, 0);
    GlobalFree(data);
    EXPECT_EQ(c.printable, label.IsPrintable()) << W(c.file);
    EXPECT_EQ(KIND_LABEL, label.GetObjectKind());
  }
  CTranspBaseClass::SetInchesPerUnit(0.00001);
}

TEST(TranspText, BrokenObjectDataChangesNothing) {
  std::string bytes = Fixture(L"text_obdata_v9.hex");
  const int32_t huge = 100000;
  memcpy(&bytes[280], &huge, 4);
  HGLOBAL data = ToGlobal(bytes);
  CTranspText text(nullptr, 0);
  text.SetText(L"kept");
  EXPECT_FALSE(text.SetObData(data));
  GlobalFree(data);
  EXPECT_EQ(L"kept", W(text.GetText()));
}

TEST(TranspText, EmptyValue) {
  _PROPERTIES numeric;
  numeric.formatCategory = TEXT_TYPE_NUMERIC;
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  CTranspText field(nullptr, 0, 0, &style, nullptr, L"abc", 0);
  field.SetValue(CVariant());
  EXPECT_EQ(CVariant::typeUnicodeString, field.GetValue().GetType());
  EXPECT_EQ(L"", W(field.GetText()));
  CTranspText number(nullptr, 0, 0, &style, &numeric, nullptr, 0);
  number.SetValue(CVariant());
  EXPECT_EQ(CVariant::typeDouble, number.GetValue().GetType());
  EXPECT_EQ(0.0, number.GetValue().GetDoubleValue());
}

// A single-line field with word wrap in a box about two words wide.
CTranspText* NarrowSingleLineField() {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  style.boxWidth = 30000;  // 0.3 inch
  TextWordWrap(style) = 1;
  TextSingleLine(style) = 1;
  return new CTranspText(nullptr, 0, 0, &style, nullptr, L"ab", 0);
}

TEST(TranspText, SingleLineRefusesOnlyTheUsersEdit) {
  std::unique_ptr<CTranspText> field(NarrowSingleLineField());
  ASSERT_EQ(1u, field->GetLines().size());
  const CString tooLong = L"ab cd ef gh ij kl mn op";
  EXPECT_FALSE(field->SetText(tooLong, TEXT_TYPED_BY_USER));
  EXPECT_EQ(L"ab", W(field->GetText())) << "the text before the keystroke, whole";
  // Filling, loading and style changes keep a value that is too long.
  EXPECT_TRUE(field->SetText(tooLong));
  EXPECT_EQ(W(tooLong), W(field->GetText()));
  EXPECT_GT(field->GetLines().size(), 1u);
  const int id = 22;
  _OBJECT_STYLE style;
  field->CopyObjectStyle(&style);
  field->SetObjectStyle(nullptr, &style, &id, 0);
  EXPECT_EQ(W(tooLong), W(field->GetText()));
}

TEST(TranspText, StyleChangeSetsFontAndOrientation) {
  std::unique_ptr<CTranspText> field(NarrowSingleLineField());
  _OBJECT_STYLE style;
  field->CopyObjectStyle(&style);
  style.fontSize = 14;
  TextOrientation(style) = TEXT_TOP_DOWN;
  const int ids[] = {8, 12};
  for (int id : ids) field->SetObjectStyle(nullptr, &style, &id, 0);
  _OBJECT_STYLE now;
  field->CopyObjectStyle(&now);
  EXPECT_EQ(-140, now.font.lfHeight);
  EXPECT_EQ(-900, now.font.lfEscapement);
  EXPECT_EQ(-900, now.font.lfOrientation);
  EXPECT_EQ(TEXT_TOP_DOWN, TextOrientation(now));
}

TEST(TranspText, PrinterOutputDrawsTheTextAndADeletedObjectNothing) {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  CTranspText field(nullptr, 20000, 50000, &style, nullptr, L"Print", 0);
  for (int deleted : {0, 1}) {
    field.SetDeleted(deleted);
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -100, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    PatBlt(dc, 0, 0, 200, 100, WHITENESS);
    CDC cdc;
    cdc.Attach(dc);
    POINT dpi = {96, 96};
    field.Draw(&cdc, 1, &dpi);
    cdc.Detach();
    GdiFlush();
    int ink = 0;
    for (int i = 0; i < 200 * 100; ++i) ink += (static_cast<uint32_t*>(bits)[i] & 0xFFFFFF) != 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    if (deleted)
      EXPECT_EQ(0, ink);
    else
      EXPECT_GT(ink, 20);
  }
}

// Pixels of a colour after drawing the object on the screen path into a 300 x 200 bitmap.
int ScreenPixelsOf(CTranspText& object, uint32_t rgb) { return CountDrawnPixels(object, 300, 200, rgb); }

TEST(TranspText, DesignModeFramesFieldsAndOnlyEmptyLabels) {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  const uint32_t blue = 0x0000FF;  // COLORREF 0xFF0000 as a DIB pixel
  CTranspText field(nullptr, 20000, 50000, &style, nullptr, L"x", 0);
  CTranspLabel label(nullptr, 20000, 50000, &style, nullptr, L"x", 0);
  CTranspLabel emptyLabel(nullptr, 20000, 50000, &style, nullptr, L"", 0);
  EXPECT_GT(ScreenPixelsOf(field, blue), 20);
  EXPECT_EQ(0, ScreenPixelsOf(label, blue));
  EXPECT_GT(ScreenPixelsOf(emptyLabel, blue), 20);
}

TEST(TranspText, UndoStateRoundTrip) {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  CTranspText field(nullptr, 100, 200, &style, nullptr, L"before", 0);
  const CUndoState state = field.GetUndoState();
  field.SetText(L"after");
  field.MoveBy(5, 5);
  field.SetUndoState(state);
  EXPECT_EQ(L"before", W(field.GetText()));
  EXPECT_EQ(100, field.GetPosition().x);
  EXPECT_EQ(200, field.GetPosition().y);
}

}  // namespace
