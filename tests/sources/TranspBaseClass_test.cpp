#include "TranspBaseClass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "TestShape.h"

namespace {

std::string Fixture(const wchar_t* name) {
  return fixtures::ReadHexFixture(std::wstring(VANTRY_TEST_DATA_DIR) + L"/" + name);
}

// Each test starts from the default unit and leaves it so.
class TranspBase : public ::testing::Test {
 protected:
  void SetUp() override { CTranspBaseClass::SetInchesPerUnit(0.00001); }
  void TearDown() override {
    CTranspBaseClass::SetInchesPerUnit(0.00001);
    CTranspBaseClass::SetViewConversions(nullptr);
    CTranspBaseClass::SetViewLink(nullptr);
  }
};

std::string BlockBytes(HGLOBAL block) {
  const BYTE* p = static_cast<const BYTE*>(::GlobalLock(block));
  int32_t total = 0;
  std::memcpy(&total, p, 4);
  std::string bytes(reinterpret_cast<const char*>(p), static_cast<size_t>(total));
  ::GlobalUnlock(block);
  return bytes;
}

HGLOBAL BlockOf(const std::string& bytes, SIZE_T size) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  void* p = ::GlobalLock(block);
  std::memcpy(p, bytes.data(), bytes.size() < size ? bytes.size() : size);
  ::GlobalUnlock(block);
  return block;
}

// ---- Kind numbers ----

TEST(TranspKinds, TheThreeNumberingsPerClass) {
  struct Row {
    const wchar_t* name;
    int tag, type, bits;
  };
  const Row expected[] = {
      {L"CTranspText", 1, 6, 1},      {L"CTranspCheckMark", 2, 7, 4}, {L"CTranspRectangle", 3, 1, 8},
      {L"CTranspEllipse", 4, 2, 8},   {L"CTranspLine", 5, 3, 16},     {L"CTranspFreehand", 6, 4, 8},
      {L"CTranspImage", 9, 8, 32},    {L"CTranspCircle", 10, 9, 8},   {L"CTranspLabel", 20, 16, 2},
      {L"CTranspBarcode", 21, 17, 64}, {L"CTranspBlock", 0, 15, 0},
  };
  int count = 0;
  const TRANSP_KIND_ROW* table = GetTranspKindTable(count);
  ASSERT_EQ(count, static_cast<int>(sizeof(expected) / sizeof(expected[0])));
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_STREQ(table[i].className, expected[i].name);
    EXPECT_EQ(table[i].recordTag, expected[i].tag);
    EXPECT_EQ(table[i].dataType, expected[i].type);
    EXPECT_EQ(table[i].kindBits, expected[i].bits);
    if (expected[i].tag != 0) {
      EXPECT_EQ(FindKindByRecordTag(expected[i].tag), &table[i]);
    }
    EXPECT_EQ(FindKindByDataType(expected[i].type), &table[i]);
  }
  for (int unknown : {0, 7, 8, 11, 15, 22}) EXPECT_EQ(FindKindByRecordTag(unknown), nullptr) << unknown;
  for (int unknown : {0, 5, 10, 14, 18}) EXPECT_EQ(FindKindByDataType(unknown), nullptr) << unknown;
  EXPECT_EQ(KIND_OPEN_LINE, 16);  // the open freehand stroke's bits
}

// ---- A new object ----

TEST_F(TranspBase, NewObjectDefaults) {
  CTestShape shape;
  EXPECT_EQ(shape.GetName(), CString(L"Untitled"));
  _OBJECT_STYLE style;
  shape.GetObjectStyle(&style);
  _OBJECT_STYLE expected;
  std::memset(&expected, 0, sizeof(expected));
  expected.lineWidth = 100;
  EXPECT_EQ(std::memcmp(&style, &expected, sizeof(style)), 0);
  EXPECT_EQ(shape.IsPrintable(), 0);
  EXPECT_EQ(shape.IsDeleted(), 0);
  EXPECT_EQ(shape.IsFrozen(), 0);
  EXPECT_FALSE(shape.IsMirrored());
  EXPECT_EQ(shape.IsField(), 0);
  EXPECT_EQ(shape.GetValue().GetType(), CVariant::typeNull);
  _PROPERTIES p;
  p.tabIndex = 9;
  shape.SetName(L"Box");
  shape.GetProperties(&p);
  EXPECT_EQ(p.tabIndex, 1);
  EXPECT_EQ(p.name, CString(L"Box"));
}

TEST_F(TranspBase, InchesAndUnitsRoundHalfUp) {
  EXPECT_EQ(CTranspBaseClass::InchToUnit(1.0), 100000);
  EXPECT_EQ(CTranspBaseClass::InchToUnit(0.000015), 2);
  EXPECT_EQ(CTranspBaseClass::InchToUnit(-0.000015), -1);
  EXPECT_DOUBLE_EQ(CTranspBaseClass::UnitToInch(250000), 2.5);
  CTranspBaseClass::SetInchesPerUnit(0.001);
  EXPECT_EQ(CTranspBaseClass::InchToUnit(1.0), 1000);
  // Every conversion divides by the value: one that is not a positive number, or no usable unit
  // (a tiny or huge one carried coordinates past 32 bits), is not taken.
  for (double bad : {0.0, -0.5, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::denorm_min(), 9e-8, 1.5, 1e300}) {
    CTranspBaseClass::SetInchesPerUnit(bad);
    EXPECT_DOUBLE_EQ(CTranspBaseClass::GetInchesPerUnit(), 0.001);
  }
}

TEST_F(TranspBase, UndoSnapshotIsKeptAndCopied) {
  CTestShape shape;
  shape.SetRect(1, 2, 3, 4);
  shape.SaveUndoState();
  shape.SetRect(5, 6, 7, 8);
  CUndoState saved = shape.GetSavedUndoState();
  EXPECT_EQ(saved.m_rect.left, 1);
  EXPECT_EQ(saved.m_rect.bottom, 4);
  EXPECT_EQ(shape.GetUndoState().m_rect.left, 5);
}

TEST(UndoState, AssignmentCopiesEveryMember) {
  CUndoState a;
  a.m_lines.AddTail(CString(L"one\r\n"));
  a.m_lines.AddTail(CString(L"two"));
  a.m_frozen = 1;
  a.m_name = L"Field1";
  a.m_formula = L"=A+B";
  a.m_style.fontSize = 12;
  a.m_style.reserved168[51] = 0x7E;
  a.m_properties.decimals = 5;
  a.m_rect = {1, 2, 3, 4};
  for (int i = 0; i < 4; ++i) a.m_state1[i] = 10 + i, a.m_state2[i] = 20 + i;
  for (int i = 0; i < 7; ++i) a.m_state3[i] = 30 + i;
  CUndoState b;
  b.m_lines.AddTail(CString(L"old"));
  b = a;
  a = a;  // nothing happens
  for (const CUndoState* s : {&a, &b}) {
    ASSERT_EQ(s->m_lines.GetCount(), 2);
    EXPECT_EQ(s->m_lines.GetHead(), CString(L"one\r\n"));
    EXPECT_EQ(s->m_lines.GetTail(), CString(L"two"));
  }
  EXPECT_EQ(b.m_frozen, 1);
  EXPECT_EQ(b.m_name, CString(L"Field1"));
  EXPECT_EQ(b.m_formula, CString(L"=A+B"));
  EXPECT_EQ(std::memcmp(&b.m_style, &a.m_style, sizeof(a.m_style)), 0);
  EXPECT_EQ(b.m_properties.decimals, 5);
  EXPECT_EQ(b.m_rect.right, 3);
  EXPECT_EQ(b.m_state1[3], 13);
  EXPECT_EQ(b.m_state2[0], 20);
  EXPECT_EQ(b.m_state3[6], 36);
  CUndoState c(b);
  EXPECT_EQ(c.m_lines.GetCount(), 2);
}

// ---- Document record ----

TEST_F(TranspBase, RecordIsStoredAsTheTableSays) {
  CTestShape shape;
  shape.SetRect(100, 200, 300, 400);
  shape.SetColor(0x00FF0000);
  std::string stored = fixtures::Store([&](CArchive& ar) { shape.Serialize(ar); });
  EXPECT_EQ(fixtures::ToHex(stored), fixtures::ToHex(Fixture(L"transp_record_v2.hex")));
}

TEST_F(TranspBase, RecordIsReadAndSetsTheUnit) {
  CTestShape shape;
  CTranspBaseClass::SetInchesPerUnit(0.5);
  size_t left = fixtures::Load(Fixture(L"transp_record_v2.hex"), [&](CArchive& ar) {
    DWORD length = 0;
    ar >> length;  // the document reader's part
    shape.Serialize(ar);
  });
  EXPECT_EQ(left, 0u);
  EXPECT_EQ(shape.GetRect().left, 100);
  EXPECT_EQ(shape.GetRect().top, 200);
  EXPECT_EQ(shape.GetRect().right, 300);
  EXPECT_EQ(shape.GetRect().bottom, 400);
  EXPECT_EQ(shape.GetColor(), 0x00FF0000u);
  EXPECT_DOUBLE_EQ(CTranspBaseClass::GetInchesPerUnit(), 0.00001);
}

TEST_F(TranspBase, LargerStoredStructureIsSkippedPastItsEnd) {
  CTestShape shape;
  DWORD sentinel = 0;
  size_t left = fixtures::Load(Fixture(L"transp_record_larger_structure.hex"), [&](CArchive& ar) {
    DWORD length = 0;
    ar >> length;
    shape.Serialize(ar);
    ar >> sentinel;
  });
  EXPECT_EQ(left, 0u);
  EXPECT_EQ(sentinel, 0x5A5A5A5Au);
  EXPECT_EQ(shape.GetRect().right, 30);
  EXPECT_EQ(shape.GetColor(), 0x00563412u);
  EXPECT_DOUBLE_EQ(CTranspBaseClass::GetInchesPerUnit(), 0.0002);
}

// A damaged size ends the load with the archive exception instead of reading past the file.
TEST_F(TranspBase, DamagedRecordsEndTheLoad) {
  const std::string good = Fixture(L"transp_record_v2.hex");
  auto withSize = [&](uint32_t size) {
    std::string bytes = good;
    std::memcpy(&bytes[4], &size, 4);
    return bytes;
  };
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"size smaller than the head", withSize(8)},
      {"size zero", withSize(0)},
      {"negative size", withSize(0xFFFFFFF0u)},
      {"huge size", withSize(0x7FFFFFFFu)},
      {"size beyond the file", withSize(0x1000)},
      {"cut inside the structure", good.substr(0, 30)},
      {"cut before the size", good.substr(0, 6)},
  };
  for (const Case& c : cases) {
    CTestShape shape;
    int cause = fixtures::LoadFailureCause(c.bytes, [&](CArchive& ar) {
      DWORD length = 0;
      ar >> length;
      shape.Serialize(ar);
    });
    EXPECT_NE(cause, -1) << c.what;
  }
}

// Every byte of a record and its cut-off forms, changed to a few values: each load either reads a
// record or ends with the archive exception.
TEST_F(TranspBase, MutatedRecordsNeverCrashTheReader) {
  const std::string good = Fixture(L"transp_record_larger_structure.hex");
  int failures = 0, loads = 0;
  for (size_t at = 0; at < good.size(); ++at) {
    for (unsigned char value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
      std::string bytes = good;
      bytes[at] = static_cast<char>(value);
      for (const std::string& input : {bytes, bytes.substr(0, at)}) {
        CTestShape shape;
        const int cause = fixtures::LoadFailureCause(input, [&](CArchive& ar) {
          DWORD length = 0;
          ar >> length;
          shape.Serialize(ar);
        });
        ++loads;
        if (cause != -1) ++failures;
        CTranspBaseClass::SetInchesPerUnit(0.00001);
      }
    }
  }
  EXPECT_GT(failures, 0);
  EXPECT_LT(failures, loads);
}

TEST_F(TranspBase, RecordWithAZeroUnitKeepsTheCurrentOne) {
  std::string bytes = Fixture(L"transp_record_v2.hex");
  std::memset(&bytes[0x10], 0, 8);
  CTranspBaseClass::SetInchesPerUnit(0.0002);
  CTestShape shape;
  fixtures::Load(bytes, [&](CArchive& ar) {
    DWORD length = 0;
    ar >> length;
    shape.Serialize(ar);
  });
  EXPECT_DOUBLE_EQ(CTranspBaseClass::GetInchesPerUnit(), 0.0002);
  EXPECT_EQ(shape.GetRect().right, 300);
}

// ---- Object data ----

TEST_F(TranspBase, ObjectDataIsAMovableBlockAsTheTableSays) {
  CTestShape shape;
  shape.SetRect(100, 200, 300, 400);
  shape.SetColor(0x00FF0000);
  HGLOBAL block = shape.GetObData();
  ASSERT_NE(block, nullptr);
  void* p = ::GlobalLock(block);
  EXPECT_NE(p, static_cast<void*>(block));  // a movable block's handle is not its address
  ::GlobalUnlock(block);
  EXPECT_EQ(fixtures::ToHex(BlockBytes(block)), fixtures::ToHex(Fixture(L"transp_data_rectangle.hex")));
  ::GlobalFree(block);
}

TEST_F(TranspBase, ObjectDataIsReadAndSetsTheUnit) {
  std::string bytes = Fixture(L"transp_data_rectangle.hex");
  const double unit = 0.0002;
  std::memcpy(&bytes[16], &unit, 8);
  HGLOBAL block = BlockOf(bytes, bytes.size());
  {
    CTranspDataReader reader(block);
    ASSERT_TRUE(reader.IsValid());
    EXPECT_EQ(reader.GetHead().type, DATA_TYPE_RECTANGLE);
    EXPECT_EQ(reader.GetHead().version, 3);
    EXPECT_EQ(reader.GetClassSize(), 20u);
    struct {
      TEST_SHAPE_DATA data;
      int32_t newer[3];
    } read;
    reader.ReadClassData(&read, sizeof(read));
    EXPECT_EQ(read.data.rect.left, 100);
    EXPECT_EQ(read.data.rect.bottom, 400);
    EXPECT_EQ(read.data.color, 0x00FF0000u);
    EXPECT_EQ(read.newer[2], 0);  // beyond the block: zero
  }
  EXPECT_DOUBLE_EQ(CTranspBaseClass::GetInchesPerUnit(), 0.0002);
  ::GlobalFree(block);
}

TEST_F(TranspBase, DamagedObjectDataIsRefused) {
  const std::string good = Fixture(L"transp_data_rectangle.hex");
  auto withTotal = [&](int32_t total) {
    std::string bytes = good;
    std::memcpy(&bytes[0], &total, 4);
    return bytes;
  };
  struct Case {
    const char* what;
    std::string bytes;
    SIZE_T blockSize;
  };
  const Case cases[] = {
      {"total beyond the block", withTotal(1000), good.size()},
      {"total smaller than the head", withTotal(10), good.size()},
      {"negative total", withTotal(-44), good.size()},
      {"block shorter than the head", good.substr(0, 12), 12},
  };
  for (const Case& c : cases) {
    HGLOBAL block = BlockOf(c.bytes, c.blockSize);
    CTranspDataReader reader(block);
    EXPECT_FALSE(reader.IsValid()) << c.what;
    ::GlobalFree(block);
  }
  CTranspDataReader none(nullptr);
  EXPECT_FALSE(none.IsValid());
  EXPECT_DOUBLE_EQ(CTranspBaseClass::GetInchesPerUnit(), 0.00001);
}

TEST_F(TranspBase, CopyToClipboardPutsTheObjectDataUnderTheFirstFormat) {
  const UINT format = ::RegisterClipboardFormatW(L"Brannow Applications Transparent Objects");
  ASSERT_NE(format, 0u);
  CTestShape shape;
  shape.SetRect(100, 200, 300, 400);
  shape.SetColor(0x00FF0000);

  CTranspBaseClass::SetClipboardFormat(0);  // not registered yet: nothing goes to the clipboard
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  shape.CopyToClipboard();
  EXPECT_FALSE(::IsClipboardFormatAvailable(format));

  CTranspBaseClass::SetClipboardFormat(format);
  shape.CopyToClipboard();
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HANDLE data = ::GetClipboardData(format);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(fixtures::ToHex(BlockBytes(data)), fixtures::ToHex(Fixture(L"transp_data_rectangle.hex")));
  ::EmptyClipboard();
  ::CloseClipboard();
  CTranspBaseClass::SetClipboardFormat(0);
}

// ---- Drawing ----

// A white 64 x 64 bitmap to draw on, read back pixel by pixel.
class Canvas {
 public:
  Canvas() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 64;
    info.bmiHeader.biHeight = -64;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    hdc_ = ::CreateCompatibleDC(nullptr);
    old_ = ::SelectObject(hdc_, bitmap_);
    RECT all = {0, 0, 64, 64};
    ::FillRect(hdc_, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    dc_.Attach(hdc_);
  }
  ~Canvas() {
    dc_.Detach();
    ::SelectObject(hdc_, old_);
    ::DeleteDC(hdc_);
    ::DeleteObject(bitmap_);
  }
  CDC* dc() { return &dc_; }
  COLORREF At(int x, int y) const { return ::GetPixel(hdc_, x, y); }
  int Count(COLORREF color) const {
    int n = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) n += At(x, y) == color;
    return n;
  }

 private:
  HBITMAP bitmap_;
  HDC hdc_;
  HGDIOBJ old_;
  CDC dc_;
};

const COLORREF kWhite = 0xFFFFFF;

TEST_F(TranspBase, DeletedObjectDrawsNothing) {
  CTestShape shape;
  shape.SetRect(10, 10, 20, 20);
  shape.SetColor(0x000000);
  Canvas canvas;
  shape.SetDeleted(1);
  shape.DrawScreen(canvas.dc(), 0, nullptr);
  EXPECT_EQ(canvas.At(15, 15), kWhite);
  shape.SetDeleted(0);
  shape.DrawScreen(canvas.dc(), 0, nullptr);
  EXPECT_EQ(canvas.At(15, 15), 0x000000u);
}

TEST_F(TranspBase, SelectSquareInvertsAndASecondOneRestores) {
  Canvas canvas;
  CTranspBaseClass::DrawSelectSquare(canvas.dc(), 20, 20);
  EXPECT_EQ(canvas.At(17, 17), 0x7F7F7Fu);
  EXPECT_EQ(canvas.At(23, 23), 0x7F7F7Fu);
  EXPECT_EQ(canvas.At(24, 20), kWhite);
  EXPECT_EQ(canvas.At(16, 20), kWhite);
  EXPECT_EQ(canvas.Count(0x7F7F7F), 49);
  CTranspBaseClass::DrawSelectSquare(canvas.dc(), 20, 20);
  EXPECT_EQ(canvas.Count(kWhite), 64 * 64);
}

TEST_F(TranspBase, SelectFrameHasFourOrEightSquares) {
  for (int middles : {0, 1}) {
    CTestShape shape;
    Canvas canvas;
    shape.DrawSelectFrame(canvas.dc(), 50, 40, 10, 10, middles);  // un-normalized on purpose
    EXPECT_EQ(canvas.At(10, 10), 0x7F7F7Fu);
    EXPECT_EQ(canvas.At(49, 39), 0x7F7F7Fu);
    EXPECT_EQ(canvas.At(30, 10), middles ? 0x7F7F7Fu : kWhite);
    EXPECT_EQ(canvas.At(49, 25), middles ? 0x7F7F7Fu : kWhite);
  }
}

TEST_F(TranspBase, FocusHandlesAreRedFramedPinkSquaresAndCircles) {
  Canvas canvas;
  CTranspBaseClass::DrawFocusSquare(canvas.dc(), 20, 20);
  EXPECT_EQ(canvas.At(17, 17), 0xFF0000u);  // the pen
  EXPECT_EQ(canvas.At(22, 22), 0xFF0000u);
  EXPECT_EQ(canvas.At(20, 20), 0xFF9BFFu);  // the brush
  EXPECT_EQ(canvas.At(23, 23), kWhite);
  CTranspBaseClass::DrawFocusCircle(canvas.dc(), 40, 40);
  EXPECT_EQ(canvas.At(40, 40), 0xFF9BFFu);
  EXPECT_EQ(canvas.At(36, 36), kWhite);  // the corner of the box lies outside the circle
  Canvas frame;
  CTranspBaseClass::DrawFocusFrame(frame.dc(), 50, 50, 10, 10, 1);
  for (POINT p : {POINT{10, 10}, POINT{50, 10}, POINT{50, 50}, POINT{10, 50}, POINT{30, 10}, POINT{10, 30}}) {
    EXPECT_EQ(frame.At(p.x, p.y), 0xFF9BFFu) << p.x << "," << p.y;
  }
}

TEST_F(TranspBase, FreezeFrameMarksTheCornersWithGreyCrosses) {
  Canvas canvas;
  CTranspBaseClass::DrawFreezeFrame(canvas.dc(), 40, 40, 10, 10);
  for (POINT p : {POINT{10, 10}, POINT{39, 10}, POINT{39, 39}, POINT{10, 39}}) {
    EXPECT_EQ(canvas.At(p.x, p.y), 0x808080u) << p.x << "," << p.y;
  }
  EXPECT_EQ(canvas.At(25, 25), kWhite);
}

int g_programMode = 0;
int ProgramModeOf(CWnd*) { return g_programMode; }

TEST_F(TranspBase, TabOrderIndexIsGreenAndOnlyInTabOrderMode) {
  static const TRANSP_VIEW_LINK link = {&ProgramModeOf, nullptr};
  CTranspBaseClass::SetViewLink(&link);
  CWnd view;
  CTestShape shape(&view);
  shape.SetRect(10, 10, 40, 40);
  shape.SetTabOrderIndex(7);
  for (int mode : {1, PROGRAM_MODE_FORM, PROGRAM_MODE_TAB_ORDER}) {
    g_programMode = mode;
    Canvas canvas;
    shape.DrawTabOrderIndex(canvas.dc());
    if (mode == PROGRAM_MODE_TAB_ORDER) {
      EXPECT_GT(canvas.Count(0x00A000), 0);
      // The number starts 5 pixels right and 3 below the bounds corner.
      for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
          if (canvas.At(x, y) == 0x00A000) {
            EXPECT_TRUE(x >= 15 && y >= 13) << x << "," << y;
          }
    } else {
      EXPECT_EQ(canvas.Count(kWhite), 64 * 64) << mode;
    }
  }
  EXPECT_TRUE(shape.IsTabOrderMode());
}

TEST_F(TranspBase, DrawColourFollowsTabOrderMode) {
  static const TRANSP_VIEW_LINK link = {&ProgramModeOf, nullptr};
  CTranspBaseClass::SetViewLink(&link);
  CWnd view;
  CTestShape shape(&view);
  shape.SetColor(0x123456);
  g_programMode = 1;
  EXPECT_EQ(shape.GetDrawColor(), 0x123456u);
  g_programMode = PROGRAM_MODE_TAB_ORDER;
  EXPECT_EQ(shape.GetDrawColor(), 0x808080u);
  shape.SetFocused(1);
  EXPECT_EQ(shape.GetDrawColor(), 0x000000u);
}

// A view that doubles every coordinate (units to page) and shifts by 1 (page to client).
void Double(CWnd*, RECT* r) { r->left *= 2, r->top *= 2, r->right *= 2, r->bottom *= 2; }
void DoublePt(CWnd*, POINT* p) { p->x *= 2, p->y *= 2; }
void Shift(CWnd*, RECT* r) { ::OffsetRect(r, 1, 1); }

TEST_F(TranspBase, HitTestAndAlignmentGoThroughTheView) {
  VIEW_CONVERSIONS table = {};
  table.UnitToPageRc = &Double;
  table.UnitToPagePt = &DoublePt;
  table.PageToViewPt = &DoublePt;
  table.PageToClientRc = &Shift;
  CTranspBaseClass::SetViewConversions(&table);
  CWnd view;
  CTestShape shape(&view);
  shape.SetRect(10, 10, 20, 20);
  POINT inside = {21, 21}, outside = {20, 20};
  EXPECT_EQ(shape.PtInBox(&inside, 0), 1);
  EXPECT_EQ(shape.PtInBox(&outside, 0), 0);
  shape.SetDeleted(0);
  shape.AlignLeftTo(100);
  shape.AlignBottomTo(50);
  EXPECT_EQ(shape.GetRect().left, 100);
  EXPECT_EQ(shape.GetRect().bottom, 50);
  // 100 units: x 2 to the page, x 2 to the view.
  shape.SetColor(0);
  EXPECT_EQ(shape.GetPixelLineWidth(), 400);
  CTranspBaseClass::SetViewConversions(nullptr);
}

// Leaving the view while the button holds the object puts it back in design mode; in form mode
// nothing leaves the window.
TEST_F(TranspBase, DraggingOutOfTheViewPutsTheObjectBack) {
  static const TRANSP_VIEW_LINK link = {&ProgramModeOf, nullptr};
  CTranspBaseClass::SetViewLink(&link);
  HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  CWnd view;
  view.m_hWnd = window;
  for (int mode : {1, PROGRAM_MODE_FORM}) {
    g_programMode = mode;
    CTestShape shape(&view);
    shape.SetRect(10, 10, 20, 20);
    EXPECT_EQ(shape.OnLButtonDown(0, 15, 15), 1);  // remembers the position
    shape.SetTracking(1);
    shape.MoveBy(30, 0);
    EXPECT_EQ(shape.OnMouseMove(0, 50, 50), 1) << mode;  // still inside
    EXPECT_EQ(shape.GetRect().left, 40);
    const int result = shape.OnMouseMove(0, 150, 50);
    if (mode == PROGRAM_MODE_FORM) {
      EXPECT_EQ(result, 1);
      EXPECT_EQ(shape.GetRect().left, 40);
    } else {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(shape.GetRect().left, 10);
      EXPECT_EQ(shape.OnMouseMove(0, 150, 50), 1);  // tracking has ended
    }
  }
  view.m_hWnd = nullptr;
  ::DestroyWindow(window);
}

TEST_F(TranspBase, PrintCoordinatesAndPenWidthFollowTheResolution) {
  EXPECT_EQ(CTranspBaseClass::UnitToDevice(100000, 300), 300);
  EXPECT_EQ(CTranspBaseClass::UnitToDevice(150, 300), 0);    // 0.45 dots
  EXPECT_EQ(CTranspBaseClass::UnitToDevice(250, 200), 1);    // 0.5 dots rounds up
  EXPECT_EQ(CTranspBaseClass::UnitToDevice(-250, 200), 0);   // -0.5 rounds up too
  struct Case {
    int lineWidth, dpi, width;
  };
  for (const Case& c : {Case{100, 600, 1}, Case{1000, 600, 6}, Case{0, 600, 1}, Case{5000, 96, 5}}) {
    CTestShape shape;
    _OBJECT_STYLE style;
    shape.GetObjectStyle(&style);
    style.lineWidth = c.lineWidth;
    style.penStyle = PS_DASH;
    CUndoState state = shape.GetUndoState();
    state.m_style = style;
    shape.SetUndoState(state);
    CPen pen;
    POINT dpi = {c.dpi, c.dpi};
    ASSERT_TRUE(shape.CreateShapePen(pen, nullptr, 1, &dpi));
    EXTLOGPEN info = {};
    ASSERT_GT(::GetObjectW(pen.m_hObject, sizeof(info), &info), 0);
    EXPECT_EQ(info.elpWidth, static_cast<DWORD>(c.width)) << c.lineWidth << " at " << c.dpi;
    EXPECT_EQ(info.elpPenStyle, static_cast<DWORD>(PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_DASH));
  }
}

TEST_F(TranspBase, PdfDrawingDrawsAsInPrint) {
  CTestShape shape;
  shape.SetRect(10, 10, 20, 20);
  Canvas canvas;
  shape.DrawOnPDFPage(canvas.dc(), nullptr, 0);
  EXPECT_EQ(canvas.At(15, 15), 0x000000u);
}

struct VizItem : CVizConverter {
  void AddObjectItem(double l, double t, double w, double h, int color, int penStyle, double lineWidth, double extra,
                     LPCWSTR name, bool printable) override {
    values = {l, t, w, h, lineWidth, extra};
    this->color = color;
    this->penStyle = penStyle;
    this->name = name;
    this->printable = printable;
  }
  void AddLineVector(double, double) override { ADD_FAILURE() << "only lines add a vector"; }
  std::vector<double> values;
  int color = 0, penStyle = 0;
  std::wstring name;
  bool printable = false;
};

TEST_F(TranspBase, DataExchangeGetsTheScaledGeometryAndStyle) {
  CTestShape shape;
  shape.SetRect(1000, 2000, 4000, 6000);
  shape.SetColor(0x0000FF);
  shape.SetName(L"Frame");
  VizItem viz;
  shape.StoringVIZ(&viz);
  ASSERT_EQ(viz.values.size(), 6u);
  EXPECT_DOUBLE_EQ(viz.values[0], 1000 * 0.000958);
  EXPECT_DOUBLE_EQ(viz.values[1], 2000 * 0.000958);
  EXPECT_DOUBLE_EQ(viz.values[2], 3000 * 0.000958);
  EXPECT_DOUBLE_EQ(viz.values[3], 4000 * 0.000958);
  EXPECT_DOUBLE_EQ(viz.values[4], 100 * 0.000958);
  EXPECT_DOUBLE_EQ(viz.values[5], 0.0);
  EXPECT_EQ(viz.color, 0x0000FF);
  EXPECT_EQ(viz.penStyle, 1);  // solid + 1
  EXPECT_EQ(viz.name, L"Frame");
  EXPECT_FALSE(viz.printable);
}

TEST_F(TranspBase, SelectingRepaintsTheObjectWithoutErasing) {
  HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                  nullptr);
  ASSERT_NE(window, nullptr);
  ::UpdateWindow(window);
  CWnd view;
  view.m_hWnd = window;
  CTestShape shape(&view);
  shape.SetRect(10, 20, 30, 40);
  ::ValidateRect(window, nullptr);
  shape.SetSelected(1);
  RECT update = {};
  EXPECT_TRUE(::GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(update.left, 10);
  EXPECT_EQ(update.bottom, 40);
  ::ValidateRect(window, nullptr);
  shape.SetSelected(1);  // no change, no repaint
  EXPECT_FALSE(::GetUpdateRect(window, &update, FALSE));
  const RECT extra = {50, 50, 60, 60};
  shape.Repaint(&extra);
  ::GetUpdateRect(window, &update, FALSE);
  EXPECT_EQ(update.right, 60);
  EXPECT_EQ(update.top, 20);
  view.m_hWnd = nullptr;
  ::DestroyWindow(window);
}

// Takes whatever object data is dropped on its window.
class ObjectDropTarget : public COleDropTarget {
 public:
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint) override {
    this->effect = effect;
    HGLOBAL block = data->GetGlobalData(static_cast<CLIPFORMAT>(CTranspBaseClass::GetClipboardFormat()));
    if (block == nullptr) return FALSE;
    dropped = BlockBytes(block);
    ::GlobalFree(block);
    return TRUE;
  }
  std::string dropped;
  DROPEFFECT effect = DROPEFFECT_NONE;
};

// The drag offers the object data under the first format, as a copy; with the button already up it
// drops at once where the cursor is.
TEST_F(TranspBase, BeginDragOffersTheObjectDataAsACopy) {
  ASSERT_TRUE(AfxOleInit());
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  CWnd window;
  ASSERT_TRUE(window.CreateEx(0, nullptr, L"Drop", WS_POPUP | WS_VISIBLE, cursor.x - 50, cursor.y - 50, 100, 100,
                              nullptr, nullptr));
  ObjectDropTarget target;
  ASSERT_TRUE(target.Register(&window));
  CTranspBaseClass::SetClipboardFormat(::RegisterClipboardFormatW(L"Brannow Applications Transparent Objects"));
  CTestShape shape;
  shape.SetRect(100, 200, 300, 400);
  shape.SetColor(0x00FF0000);
  shape.BeginDrag();
  EXPECT_EQ(fixtures::ToHex(target.dropped), fixtures::ToHex(Fixture(L"transp_data_rectangle.hex")));
  EXPECT_EQ(target.effect, static_cast<DROPEFFECT>(DROPEFFECT_COPY));
  target.Revoke();
  window.DestroyWindow();
  CTranspBaseClass::SetClipboardFormat(0);
}

}  // namespace
