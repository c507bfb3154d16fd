// The group block: its bytes against fixtures written from the block layout, packing a selection
// of mixed kinds in a real form view and unpacking it to equal objects, refusal of damaged blocks,
// and the copy of a group to the clipboard.
#include "TranspBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "ArchiveFixtures.h"
#include "ErrorLog.h"
#include "FolimarView.h"
#include "MyProcs.h"
#include "ObjectKinds.h"
#include "TestSupport.h"
#include "TranspBarcode.h"
#include "TranspCheckMark.h"
#include "TranspFreehand.h"
#include "TranspLabel.h"
#include "TranspShapes.h"

namespace {

using fixtures::Fixture;
using fixtures::ErrorLogText;
using fixtures::ToHex;

HGLOBAL ToGlobal(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
  if (!bytes.empty()) memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

// The bytes a block states it has (its first int32).
std::string GlobalBytes(HGLOBAL block) {
  const void* p = GlobalLock(block);
  std::string bytes(static_cast<const char*>(p), *static_cast<const DWORD*>(p));
  GlobalUnlock(block);
  return bytes;
}

std::string ObDataOf(CTranspBaseClass& object) {
  HGLOBAL data = object.GetObData();
  if (data == nullptr) return std::string();
  std::string bytes = GlobalBytes(data);
  GlobalFree(data);
  return bytes;
}

void Put32(std::string& bytes, size_t at, int32_t value) { memcpy(&bytes[at], &value, sizeof(value)); }

_OBJECT_STYLE ShapeStyle(COLORREF color, int lineWidth, int penStyle) {
  _OBJECT_STYLE style = {};
  style.color = color;
  style.lineWidth = lineWidth;
  style.penStyle = penStyle;
  style.printable = 1;
  return style;
}

// The objects of the fixture group: the rectangle and the circle whose align frames start at
// (100000, 70000).
std::unique_ptr<CTranspRectangle> FixtureRectangle(CWnd* view) {
  const _OBJECT_STYLE style = ShapeStyle(0x0000FF, 2000, PS_DASH);
  return std::make_unique<CTranspRectangle>(view, RECT{100000, 200000, 300000, 250000}, &style, 0);
}
std::unique_ptr<CTranspCircle> FixtureCircle(CWnd* view) {
  const _OBJECT_STYLE style = ShapeStyle(0xFF0000, 1000, PS_DASHDOT);
  return std::make_unique<CTranspCircle>(view, 150000, 120000, 50000, &style, 0);
}

class TranspBlock : public testing::Test {
 protected:
  void SetUp() override { CTranspBaseClass::SetInchesPerUnit(0.00001); }
  void TearDown() override { CTranspBaseClass::SetInchesPerUnit(0.00001); }
};

// ---- Packing ----

// Only selected objects that are not deleted join, each displaced from the frame's top-left as its
// data is placed by a paste (the circle by its centre).
TEST_F(TranspBlock, SelectionPacksToTheFixture) {
  auto rectangle = FixtureRectangle(nullptr);
  auto circle = FixtureCircle(nullptr);
  auto deleted = std::make_unique<CTranspEllipse>(nullptr, RECT{0, 0, 10, 10}, nullptr, 0);
  auto unselected = std::make_unique<CTranspLine>(nullptr, 0, 0, 5, 5, nullptr, 0);
  CTranspObjectList list;
  for (CTranspBaseClass* object :
       std::initializer_list<CTranspBaseClass*>{deleted.get(), rectangle.get(), unselected.get(), circle.get()}) {
    list.AddTail(object);
    if (object != unselected.get()) object->SetSelected(1);
  }
  deleted->SetDeleted(1);

  CTranspBlock block(nullptr, 0);
  const RECT frame = FillBlockFromSelection(block, list);
  const RECT expected = {100000, 70000, 300000, 250000};
  EXPECT_TRUE(EqualRect(&expected, &frame));
  EXPECT_EQ(2, block.GetMemberCount());
  EXPECT_EQ(ToHex(Fixture(L"group_obdata_two.hex")), ToHex(ObDataOf(block)));
  // The members stay with the block: it packs the same bytes again.
  EXPECT_EQ(ToHex(Fixture(L"group_obdata_two.hex")), ToHex(ObDataOf(block)));
  EXPECT_EQ(0, block.GetObjectKind());
}

TEST_F(TranspBlock, EmptyGroupIsItsHeadAlone) {
  CTranspBlock block(nullptr, 0);
  CTranspObjectList nothingSelected;
  auto rectangle = FixtureRectangle(nullptr);
  nothingSelected.AddTail(rectangle.get());
  const RECT frame = FillBlockFromSelection(block, nothingSelected);
  EXPECT_TRUE(IsRectEmpty(&frame));
  EXPECT_EQ(ToHex(Fixture(L"group_obdata_empty.hex")), ToHex(ObDataOf(block)));
}

// Building through the two list operations, as the view does, gives the same block.
TEST_F(TranspBlock, ListOperationsPackTheFixture) {
  CTranspBlock block(nullptr, 0);
  auto rectangle = FixtureRectangle(nullptr);
  auto circle = FixtureCircle(nullptr);
  EXPECT_TRUE(block.AddToDisplacementsList(0, 130000));
  EXPECT_TRUE(block.AddToHandlesList(rectangle->GetObData()));
  EXPECT_TRUE(block.AddToDisplacementsList(50000, 50000));
  EXPECT_TRUE(block.AddToHandlesList(circle->GetObData()));
  EXPECT_EQ(ToHex(Fixture(L"group_obdata_two.hex")), ToHex(ObDataOf(block)));
}

// A member whose stated size lies beyond its memory would be copied past its end: it is refused
// and stays the caller's. Members without displacements (or the reverse) pack nothing.
TEST_F(TranspBlock, UnsoundMembersArePackedNowhere) {
  fixtures::PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  InitErrorLog();
  CTranspBlock block(nullptr, 0);
  std::string overstated = Fixture(L"rectangle_obdata.hex");
  Put32(overstated, 0, 4096);
  std::string understated = Fixture(L"rectangle_obdata.hex");
  Put32(understated, 0, 4);
  for (const std::string& bytes : {overstated, understated}) {
    HGLOBAL data = ToGlobal(bytes);
    EXPECT_FALSE(block.AddToHandlesList(data));
    EXPECT_FALSE(block.AddMember(data, 0, 0));
    EXPECT_NE(nullptr, GlobalLock(data)) << "a refused block must stay alive for its owner";
    GlobalUnlock(data);
    GlobalFree(data);
  }
  EXPECT_FALSE(block.AddToHandlesList(nullptr));
  EXPECT_EQ(0, block.GetMemberCount());
  EXPECT_NE(std::wstring::npos, ErrorLogText().find(L"TranspBlock")) << ErrorLogText();

  EXPECT_TRUE(block.AddToHandlesList(ToGlobal(Fixture(L"rectangle_obdata.hex"))));
  EXPECT_EQ(nullptr, block.GetObData()) << "a member without a displacement was packed";
  EXPECT_TRUE(block.AddToDisplacementsList(1, 2));
  EXPECT_TRUE(block.AddToDisplacementsList(3, 4));
  EXPECT_EQ(nullptr, block.GetObData()) << "a displacement without a member was packed";
}

// ---- Unpacking ----

// Pasted elsewhere, the rectangle's top-left and the circle's centre keep their places relative to
// the group's top-left.
TEST_F(TranspBlock, UnpackKeepsTheArrangement) {
  HGLOBAL block = ToGlobal(Fixture(L"group_obdata_two.hex"));
  std::vector<CTranspBaseClass*> created;
  ASSERT_TRUE(UnpackBlock(block, nullptr, 7000, 9000, 2, created));
  GlobalFree(block);
  ASSERT_EQ(2u, created.size());
  std::unique_ptr<CTranspBaseClass> first(created[0]), second(created[1]);
  auto* rectangle = dynamic_cast<CTranspRectangle*>(first.get());
  auto* circle = dynamic_cast<CTranspCircle*>(second.get());
  ASSERT_NE(nullptr, rectangle);
  ASSERT_NE(nullptr, circle);
  const RECT placed = {7000, 139000, 207000, 189000};
  EXPECT_TRUE(EqualRect(&placed, &rectangle->GetRect()));
  EXPECT_EQ(57000, circle->GetCentreX());
  EXPECT_EQ(59000, circle->GetCentreY());
  EXPECT_EQ(50000, circle->GetRadius());
  EXPECT_EQ(2, rectangle->GetPageIndex());
  EXPECT_EQ(2, circle->GetPageIndex());
}

TEST_F(TranspBlock, EmptyBlockUnpacksToNothing) {
  HGLOBAL block = ToGlobal(Fixture(L"group_obdata_empty.hex"));
  std::vector<CTranspBaseClass*> created;
  EXPECT_TRUE(UnpackBlock(block, nullptr, 0, 0, 0, created));
  EXPECT_TRUE(created.empty());
  GlobalFree(block);
}

// Every damaged block is refused whole: nothing is handed out, the refusal is logged, and a member
// stating size 0 cannot hold the walk in place.
TEST_F(TranspBlock, DamagedBlocksAreRefused) {
  fixtures::PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  const std::string good = Fixture(L"group_obdata_two.hex");
  const size_t second = 0x4c;  // the circle member's size field
  struct Case {
    const char* name;
    std::string bytes;
  };
  std::vector<Case> cases;
  auto with = [&good](size_t at, int32_t value) {
    std::string bytes = good;
    Put32(bytes, at, value);
    return bytes;
  };
  cases.push_back({"count past the end", with(8, 3)});
  cases.push_back({"huge count", with(8, 0x7fffffff)});
  cases.push_back({"negative count", with(8, -1)});
  cases.push_back({"total beyond the memory", with(0, 4096)});
  cases.push_back({"total below the head", with(0, 8)});
  cases.push_back({"total cutting the last member", with(0, 0x78)});
  cases.push_back({"member size past the end", with(second, 0x30)});
  cases.push_back({"member size zero", with(second, 0)});
  cases.push_back({"member size below its head", with(12, 20)});
  cases.push_back({"member size negative", with(12, -56)});
  cases.push_back({"not a group", with(4, DATA_TYPE_RECTANGLE)});
  cases.push_back({"shorter than its head", good.substr(0, 8)});
  for (const Case& c : cases) {
    InitErrorLog();
    HGLOBAL block = ToGlobal(c.bytes);
    std::vector<TRANSP_BLOCK_MEMBER> members;
    EXPECT_FALSE(ReadBlockMembers(block, members)) << c.name;
    EXPECT_TRUE(members.empty()) << c.name;
    std::vector<CTranspBaseClass*> created;
    EXPECT_FALSE(UnpackBlock(block, nullptr, 0, 0, 0, created)) << c.name;
    EXPECT_TRUE(created.empty()) << c.name;
    EXPECT_NE(std::wstring::npos, ErrorLogText().find(L"TranspBlock: ")) << c.name;
    GlobalFree(block);
  }
  std::vector<TRANSP_BLOCK_MEMBER> members;
  EXPECT_FALSE(ReadBlockMembers(nullptr, members));
}

// Data a kind refuses pastes nothing, neither alone nor in a group: it once arrived as an empty object
// (a barcode with no symbol, a shape at the origin) whose data came out different when copied again.
TEST_F(TranspBlock, RefusedDataPastesNothing) {
  fixtures::PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  auto with = [](const wchar_t* fixture, size_t at, int32_t value) {
    std::string bytes = Fixture(fixture);
    Put32(bytes, at, value);
    return bytes;
  };
  const int32_t kFar = MAX_OBJECT_COORDINATE + 1;
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"barcode template without its end", Fixture(L"barcode_obdata.hex").substr(0, 0x2e)},
      {"barcode module larger than any symbol may be", with(L"barcode_obdata.hex", 0x28, 0x01000000)},
      {"barcode beyond any page", with(L"barcode_obdata.hex", 0x18, -kFar)},
      {"check mark beyond any page", with(L"checkmark_obdata_v4.hex", 0x20, kFar)},
      {"stroke beyond any page", with(L"freehand_obdata.hex", 0x30, kFar)},
      {"line beyond any page", with(L"line_obdata.hex", 0x18, -kFar)},
      {"ellipse beyond any page", with(L"ellipse_obdata.hex", 0x24, kFar)},
      {"picture beyond any page", with(L"image_obdata.hex", 0x18, kFar)},
      {"text box wider than any page", with(L"text_obdata_v9.hex", 28 + 128, MAX_OBJECT_EXTENT + 1)},
      {"text font higher than any page", with(L"text_obdata_v9.hex", 28, -1000000)},
      {"text font size past any page", with(L"text_obdata_v9.hex", 28 + 92, 1000000)},
      {"text lines farther apart than any page", with(L"text_obdata_v9.hex", 28 + 136, MAX_OBJECT_EXTENT + 1)},
  };
  for (const auto& c : cases) {
    std::string bytes = c.bytes;
    Put32(bytes, 0, static_cast<int32_t>(bytes.size()));
    HGLOBAL data = ToGlobal(bytes);
    EXPECT_EQ(nullptr, CreateTranspFromData(nullptr, data, 0, 0, 0)) << c.name;
    GlobalFree(data);
    std::string group(12, '\0');
    group += bytes + std::string(8, '\0');
    Put32(group, 0, static_cast<int32_t>(group.size()));
    Put32(group, 4, DATA_TYPE_GROUP);
    Put32(group, 8, 1);
    HGLOBAL block = ToGlobal(group);
    std::vector<CTranspBaseClass*> created;
    EXPECT_TRUE(UnpackBlock(block, nullptr, 0, 0, 0, created)) << c.name;
    EXPECT_TRUE(created.empty()) << c.name;
    for (CTranspBaseClass* object : created) delete object;
    GlobalFree(block);
  }
  HGLOBAL sound = ToGlobal(Fixture(L"barcode_obdata.hex"));
  std::unique_ptr<CTranspBaseClass> pasted(CreateTranspFromData(nullptr, sound, 0, 0, 0));
  EXPECT_NE(nullptr, pasted);
  GlobalFree(sound);
}

// Members of kinds that are not pasted (a group inside a group, an unknown code, a displacement
// off the coordinate range) are skipped; the others still arrive in order.
TEST_F(TranspBlock, UnpastableMembersAreSkipped) {
  fixtures::PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  InitErrorLog();
  const std::string rectangle = Fixture(L"rectangle_obdata.hex");
  const std::string circle = Fixture(L"circle_obdata.hex");
  std::string unknown = rectangle;
  Put32(unknown, 4, 99);
  std::string nested = rectangle;  // the size of an object's data, the code of a group
  Put32(nested, 4, DATA_TYPE_GROUP);
  auto displacement = [](int32_t dx, int32_t dy) {
    std::string d(8, '\0');
    Put32(d, 0, dx);
    Put32(d, 4, dy);
    return d;
  };
  // A displacement farther than any object reaches, though within 32 bits, is off the page too: the
  // member's extent added to it overflowed.
  const std::string members[] = {unknown + displacement(0, 0),         rectangle + displacement(10, 20),
                                 nested + displacement(0, 0),          rectangle + displacement(0x7fffffff, 0),
                                 rectangle + displacement(0, -MAX_OBJECT_EXTENT - 1), circle + displacement(30, 40)};
  std::string bytes(12, '\0');
  for (const std::string& m : members) bytes += m;
  Put32(bytes, 0, static_cast<int32_t>(bytes.size()));
  Put32(bytes, 4, DATA_TYPE_GROUP);
  Put32(bytes, 8, 6);
  HGLOBAL block = ToGlobal(bytes);
  std::vector<CTranspBaseClass*> created;
  ASSERT_TRUE(UnpackBlock(block, nullptr, 1000, 1000, 0, created));
  GlobalFree(block);
  ASSERT_EQ(2u, created.size());
  std::unique_ptr<CTranspBaseClass> first(created[0]), second(created[1]);
  EXPECT_EQ(1010, first->GetRect().left);
  EXPECT_EQ(1020, first->GetRect().top);
  ASSERT_NE(nullptr, dynamic_cast<CTranspCircle*>(second.get()));
  EXPECT_EQ(1030, static_cast<CTranspCircle*>(second.get())->GetCentreX());
  const std::wstring log = ErrorLogText();
  EXPECT_NE(std::wstring::npos, log.find(L"type 99")) << log;
  EXPECT_NE(std::wstring::npos, log.find(L"group inside a group")) << log;
  EXPECT_NE(std::wstring::npos, log.find(L"off the page's coordinates")) << log;
}

// ---- In a real form view ----

SIZE g_pageExtent = {850, 1100};
BOOL PageExtent(CWnd*, SIZE* extent) {
  *extent = g_pageExtent;
  return TRUE;
}
const CTranspText::TEXT_VIEW_LINK kTextLink = {nullptr, nullptr, nullptr, nullptr, &PageExtent};

class TranspBlockInView : public TranspBlock {
 protected:
  void SetUp() override {
    TranspBlock::SetUp();
    ASSERT_TRUE(AfxOleInit());
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, L"Form", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr, nullptr));
    view_ = new CFolimarView;
    ASSERT_TRUE(view_->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 500), &parent_,
                              AFX_IDW_PANE_FIRST, nullptr));
    view_->OnInitialUpdate();
    CTranspText::SetTextViewLink(&kTextLink);
  }
  void TearDown() override {
    CTranspText::SetTextViewLink(nullptr);
    parent_.DestroyWindow();  // the view goes with it
    TranspBlock::TearDown();
  }

  CWnd parent_;
  CFolimarView* view_ = nullptr;
};

// A selection of every kind built from data here, packed and unpacked at the frame's top-left,
// gives objects whose data equals the originals' byte for byte, each where its original is.
TEST_F(TranspBlockInView, MixedSelectionRoundTripsByteForByte) {
  const _OBJECT_STYLE pen = ShapeStyle(0x336699, 3000, PS_DOT);
  _OBJECT_STYLE text;
  SetDefaultTextStyle(&text);
  const POINT stroke[] = {{210000, 40000}, {260000, 90000}, {-9999, -9999}, {230000, 70000}, {290000, 45000}};
  std::vector<std::unique_ptr<CTranspBaseClass>> objects;
  objects.emplace_back(new CTranspRectangle(view_, RECT{120000, 80000, 180000, 130000}, &pen, 0));
  objects.emplace_back(new CTranspEllipse(view_, RECT{50000, 150000, 90000, 210000}, &pen, 0));
  objects.emplace_back(new CTranspLine(view_, 300000, 60000, 240000, 160000, &pen, 0));
  objects.emplace_back(new CTranspFreehand(view_, stroke, 5, &pen, 0));
  objects.emplace_back(new CTranspCheckMark(view_, 70000, 60000, &pen, 0));
  objects.emplace_back(new CTranspCircle(view_, 150000, 200000, 25000, &pen, 0));
  objects.emplace_back(new CTranspText(view_, 60000, 260000, &text, nullptr, L"Name", 0));
  objects.emplace_back(new CTranspLabel(view_, 160000, 300000, &text, nullptr, L"Date of birth", 0));
  objects.emplace_back(new CTranspBarcode(view_, POINT{320000, 220000}, &pen, 0));
  CTranspObjectList list;
  for (auto& object : objects) {
    object->SetSelected(1);
    list.AddTail(object.get());
  }

  // The text kinds are placed by their first baseline: their displacement must carry the line height.
  ASSERT_GT(static_cast<CTranspText*>(objects[6].get())->GetLineHeight(), 0);

  CTranspBlock block(view_, 0);
  const RECT frame = FillBlockFromSelection(block, list);
  ASSERT_EQ(static_cast<int>(objects.size()), block.GetMemberCount());
  HGLOBAL packed = block.GetObData();
  ASSERT_NE(nullptr, packed);
  std::vector<CTranspBaseClass*> created;
  ASSERT_TRUE(UnpackBlock(packed, view_, frame.left, frame.top, 0, created));
  GlobalFree(packed);
  std::vector<std::unique_ptr<CTranspBaseClass>> owned(created.begin(), created.end());
  ASSERT_EQ(objects.size(), owned.size());
  for (size_t i = 0; i < objects.size(); ++i) {
    const std::string original = ObDataOf(*objects[i]);
    ASSERT_GE(original.size(), 24u) << "member " << i;
    EXPECT_EQ(ToHex(original), ToHex(ObDataOf(*owned[i]))) << "member " << i;
    EXPECT_EQ(typeid(*objects[i]), typeid(*owned[i])) << "member " << i;
    // A text's data carries no place: where it lands shows in its align rectangle.
    RECT was, now;
    objects[i]->GetAlignRect(&was);
    owned[i]->GetAlignRect(&now);
    EXPECT_TRUE(EqualRect(&was, &now)) << "member " << i << " moved from " << was.left << "," << was.top << " to "
                                       << now.left << "," << now.top;
  }
}

// The base's copy puts the group block on the clipboard under the object format.
// Texts are placed at their own point: a right-aligned or centred one, whose align rectangle starts
// left of that point and is measured in view pixels, once moved on every copy and paste.
TEST_F(TranspBlockInView, AlignedTextsComeBackAsTheyWereCopied) {
  _OBJECT_STYLE text;
  SetDefaultTextStyle(&text);
  std::vector<std::unique_ptr<CTranspBaseClass>> objects;
  for (int alignment : {TEXT_ALIGN_LEFT, TEXT_ALIGN_CENTRE, TEXT_ALIGN_RIGHT}) {
    TextAlignment(text) = alignment;
    objects.emplace_back(new CTranspText(view_, 60000 + 80000 * alignment, 260000, &text, nullptr, L"7.25", 0));
  }
  CTranspObjectList list;
  for (auto& object : objects) {
    object->SetSelected(1);
    list.AddTail(object.get());
  }
  CTranspBlock block(view_, 0);
  const RECT frame = FillBlockFromSelection(block, list);
  HGLOBAL packed = block.GetObData();
  ASSERT_NE(nullptr, packed);
  const std::string first = GlobalBytes(packed);
  std::vector<CTranspBaseClass*> created;
  ASSERT_TRUE(UnpackBlock(packed, view_, frame.left, frame.top, 0, created));
  GlobalFree(packed);
  std::vector<std::unique_ptr<CTranspBaseClass>> owned(created.begin(), created.end());
  ASSERT_EQ(objects.size(), owned.size());
  CTranspObjectList again;
  for (size_t i = 0; i < owned.size(); ++i) {
    const POINT was = static_cast<CTranspText*>(objects[i].get())->GetPosition();
    const POINT now = static_cast<CTranspText*>(owned[i].get())->GetPosition();
    EXPECT_EQ(was.x, now.x) << "text " << i;
    EXPECT_EQ(was.y, now.y) << "text " << i;
    owned[i]->SetSelected(1);
    again.AddTail(owned[i].get());
  }
  CTranspBlock second(view_, 0);
  FillBlockFromSelection(second, again);
  HGLOBAL repacked = second.GetObData();
  ASSERT_NE(nullptr, repacked);
  EXPECT_EQ(ToHex(first), ToHex(GlobalBytes(repacked)));
  GlobalFree(repacked);
}

TEST_F(TranspBlockInView, CopyPutsTheGroupOnTheClipboard) {
  const UINT format = RegisterClipboardFormatW(L"Brannow Applications Transparent Objects");
  CTranspBaseClass::SetClipboardFormat(format);
  CTranspBlock block(view_, 0);
  auto rectangle = FixtureRectangle(view_);
  auto circle = FixtureCircle(view_);
  ASSERT_TRUE(block.AddMember(rectangle->GetObData(), 0, 130000));
  ASSERT_TRUE(block.AddMember(circle->GetObData(), 50000, 50000));
  block.CopyToClipboard();
  ASSERT_TRUE(OpenClipboard(nullptr));
  HGLOBAL data = GetClipboardData(format);
  const std::string bytes = data != nullptr ? GlobalBytes(data) : std::string();
  CloseClipboard();
  CTranspBaseClass::SetClipboardFormat(0);
  EXPECT_EQ(ToHex(Fixture(L"group_obdata_two.hex")), ToHex(bytes));
}

}  // namespace
