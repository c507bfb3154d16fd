// The check mark without a window: its record and object data against fixtures written from the
// file layout (one per older version), toggling with undo, radio groups, mirrored namesakes, value,
// properties and style fields, data exchange and its check-box field in a real PDF.
#include "TranspCheckMark.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <pdfwriter/PdfComponent.h>

#include "ArchiveFixtures.h"
#include "ObjectFixtures.h"
#include "TestSupport.h"
#include "UndoCommands.h"
#include "undo.h"

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

_OBJECT_STYLE MarkStyle(COLORREF color, int lineWidth, int kind, int group) {
  _OBJECT_STYLE style = {};
  style.color = color;
  style.lineWidth = lineWidth;
  style.checkMarkKind = kind;
  style.checkMarkGroup = group;
  return style;
}

// ---- A view the objects reach only through the links: no window, an undo manager of its own ----

CWnd g_view;
CommandManagerT* g_manager = nullptr;
CTranspObjectList* g_page = nullptr;
int g_modified = 0;
int g_mode = 0;
// Never dereferenced: the objects only hand it back to the links.
CFolimarView* const kFolimarView = reinterpret_cast<CFolimarView*>(&g_view);
struct MirrorCall {
  CTranspBaseClass* source;
  std::wstring name;
};
std::vector<MirrorCall> g_mirrorCalls;

int ProgramMode(CWnd*) { return g_mode; }
void MarkModified(CWnd*) { ++g_modified; }
CFolimarView* FolimarViewOf(CWnd* view) { return view == &g_view ? kFolimarView : nullptr; }
CommandManagerT* UndoManagerOf(CWnd*) { return g_manager; }
// The view's radio handling over its active page.
void InvertCheckMarks(CWnd*, int group, CTranspBaseClass* checkMark) {
  if (g_page != nullptr) InvertCheckMarkGroup(*g_page, g_manager, kFolimarView, group, checkMark);
}
void RepaintMirroredCheckMarks(CFolimarView* view, CTranspBaseClass* source, LPCWSTR name) {
  EXPECT_EQ(kFolimarView, view);
  g_mirrorCalls.push_back({source, name});
}

const TRANSP_VIEW_LINK kLink = {ProgramMode,   MarkModified,  nullptr,         nullptr,
                                FolimarViewOf, UndoManagerOf, InvertCheckMarks};
UNDO_VIEW_LINK MakeUndoLink() {
  UNDO_VIEW_LINK link = {};
  link.RepaintMirroredCheckMarks = RepaintMirroredCheckMarks;
  return link;
}
const UNDO_VIEW_LINK kUndoLink = MakeUndoLink();

class TranspCheckMarkTest : public testing::Test {
 protected:
  void SetUp() override {
    CTranspBaseClass::SetInchesPerUnit(0.00001);
    CTranspBaseClass::SetViewLink(&kLink);
    SetUndoViewLink(&kUndoLink);
    g_manager = &manager_;
    g_page = &page_;
    g_modified = 0;
    g_mode = 0;
    g_mirrorCalls.clear();
  }
  void TearDown() override {
    CTranspBaseClass::SetViewLink(nullptr);
    SetUndoViewLink(nullptr);
    manager_.ClearUndoList();
    manager_.ClearRedoList();
    g_manager = nullptr;
    g_page = nullptr;
    for (POSITION pos = page_.GetHeadPosition(); pos != nullptr;) delete page_.GetNext(pos);
    CTranspBaseClass::SetInchesPerUnit(0.00001);
  }
  CTranspCheckMark* AddMark(int group, int state) {
    const _OBJECT_STYLE style = MarkStyle(0, 0, 1, 0);
    CTranspCheckMark* mark = new CTranspCheckMark(&g_view, 1000, 1000, &style, 0);
    const int groupField = 31;
    _OBJECT_STYLE grouped = style;
    grouped.checkMarkGroup = group;
    mark->SetObjectStyle(nullptr, &grouped, &groupField, 0);
    mark->SetState(state);
    page_.AddTail(mark);
    g_modified = 0;  // counts the changes under test only
    return mark;
  }

  CommandManagerT manager_;
  CTranspObjectList page_;
};

// ---- Records ----

TEST_F(TranspCheckMarkTest, CurrentRecordRoundTripsByteForByte) {
  const std::string record = Fixture(L"checkmark_record_v5.hex");
  CTranspCheckMark mark(nullptr, 0);
  CTranspBaseClass::SetInchesPerUnit(0.5);
  LoadFrom(mark, record);
  EXPECT_EQ(0.00001, CTranspBaseClass::GetInchesPerUnit());
  const RECT box = {100000, 200000, 120000, 220000};
  EXPECT_TRUE(EqualRect(&box, &mark.GetRect()));
  _OBJECT_STYLE style;
  mark.GetObjectStyle(&style);
  EXPECT_EQ(0x008000u, style.color);
  EXPECT_EQ(1500, style.lineWidth);
  EXPECT_EQ(1, mark.GetPageIndex());
  EXPECT_EQ(1, mark.GetKind());
  EXPECT_EQ(1, mark.IsPrintable());
  EXPECT_EQ(2, mark.GetGroup());
  EXPECT_EQ(0, mark.GetState());
  EXPECT_EQ(ToHex(record), ToHex(Stored(mark)));
}

// Each older version lacks the fields added after it: the state keeps the constructor's 1 before
// version 2, the kind is a cross before 3, the mark printable before 4 and in no group before 5.
// The fixtures carry other values in the fields a version does not have, which must not be read.
TEST_F(TranspCheckMarkTest, OlderRecordsLoadByVersion) {
  const struct {
    const wchar_t* fixture;
    int state, kind, printable, group;
  } cases[] = {{L"checkmark_record_v1.hex", 1, 0, 1, 0},
               {L"checkmark_record_v2.hex", 0, 0, 1, 0},
               {L"checkmark_record_v3.hex", 1, 1, 1, 0},
               {L"checkmark_record_v4.hex", 1, 1, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "version fixture " << (&c - cases) + 1);
    CTranspCheckMark mark(nullptr, 0);
    LoadFrom(mark, Fixture(c.fixture));
    EXPECT_EQ(c.state, mark.GetState());
    EXPECT_EQ(c.kind, mark.GetKind());
    EXPECT_EQ(c.printable, mark.IsPrintable());
    EXPECT_EQ(c.group, mark.GetGroup());
    const RECT box = {50000, 60000, 70000, 80000};
    EXPECT_TRUE(EqualRect(&box, &mark.GetRect()));
  }
  // Version 1: no colour reads as black; the record's inches-per-unit value is taken.
  CTranspCheckMark first(nullptr, 0);
  LoadFrom(first, Fixture(L"checkmark_record_v1.hex"));
  _OBJECT_STYLE style;
  first.GetObjectStyle(&style);
  EXPECT_EQ(0u, style.color);
  EXPECT_EQ(0.0001, CTranspBaseClass::GetInchesPerUnit());
}

// ---- Object data ----

TEST_F(TranspCheckMarkTest, ObjectDataMatchesTheLayout) {
  CTranspCheckMark mark(nullptr, 0);
  LoadFrom(mark, Fixture(L"checkmark_record_v5.hex"));
  _OBJECT_STYLE style;
  mark.GetObjectStyle(&style);
  style.penStyle = PS_DOT;
  mark.SetObjectStyle(nullptr, &style, nullptr, 0);
  HGLOBAL data = mark.GetObData();
  ASSERT_NE(nullptr, data);
  EXPECT_EQ(ToHex(Fixture(L"checkmark_obdata_v4.hex")), ToHex(GlobalBytes(data)));
  GlobalFree(data);
}

// Pasted at a point: the box keeps its size with its top-left corner there; every version makes a
// printable mark, older ones without the fields they lack.
TEST_F(TranspCheckMarkTest, PasteFromEveryDataVersion) {
  const struct {
    const wchar_t* fixture;
    int state, kind, group;
  } cases[] = {{L"checkmark_obdata_v1.hex", 1, 0, 0},
               {L"checkmark_obdata_v2.hex", 0, 0, 0},
               {L"checkmark_obdata_v3.hex", 0, 1, 0},
               {L"checkmark_obdata_v4.hex", 0, 1, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "data version " << (&c - cases) + 1);
    CTranspBaseClass::SetInchesPerUnit(0.25);
    HGLOBAL data = ToGlobal(Fixture(c.fixture));
    CTranspCheckMark mark(nullptr, data, 7000, 9000, 3);
    GlobalFree(data);
    EXPECT_EQ(0.00001, CTranspBaseClass::GetInchesPerUnit());
    const RECT placed = {7000, 9000, 27000, 29000};
    EXPECT_TRUE(EqualRect(&placed, &mark.GetRect()));
    EXPECT_EQ(3, mark.GetPageIndex());
    EXPECT_EQ(c.state, mark.GetState());
    EXPECT_EQ(c.kind, mark.GetKind());
    EXPECT_EQ(c.group, mark.GetGroup());
    EXPECT_EQ(1, mark.IsPrintable());
    _OBJECT_STYLE style;
    mark.GetObjectStyle(&style);
    EXPECT_EQ(0x008000u, style.color);
    EXPECT_EQ(1500, style.lineWidth);
    EXPECT_EQ(PS_DOT, style.penStyle);
  }
}

// A block too short for the version it states, or of another kind, builds an empty check mark.
TEST_F(TranspCheckMarkTest, UnsuitableDataBuildsNothing) {
  std::string truncated = Fixture(L"checkmark_obdata_v4.hex").substr(0, 60);  // a version 3 length
  truncated[0] = 60;
  std::string otherKind = Fixture(L"checkmark_obdata_v4.hex");
  otherKind[4] = DATA_TYPE_RECTANGLE;
  for (const std::string& bytes : {truncated, otherKind}) {
    HGLOBAL data = ToGlobal(bytes);
    CTranspCheckMark mark(nullptr, data, 5, 5, 0);
    GlobalFree(data);
    const RECT empty = {0, 0, 0, 0};
    EXPECT_TRUE(EqualRect(&empty, &mark.GetRect()));
    EXPECT_EQ(0, mark.GetGroup());
  }
}

// ---- New check marks ----

TEST_F(TranspCheckMarkTest, NewCheckMarkFromTheTool) {
  CTranspCheckMark::SetDefaultSize(0.1, 0.1);
  const _OBJECT_STYLE style = MarkStyle(0x0000FF, 200, 1, 4);
  CTranspCheckMark mark(nullptr, 3000, 4000, &style, 2);
  const RECT box = {3000, 4000, 13000, 14000};  // 0.1 inch at 0.00001 inch per unit
  EXPECT_TRUE(EqualRect(&box, &mark.GetRect()));
  EXPECT_EQ(1, mark.GetState());
  EXPECT_EQ(1, mark.IsPrintable());
  EXPECT_EQ(0, mark.GetGroup());
  EXPECT_EQ(1, mark.GetKind());
  EXPECT_EQ(1, mark.IsField());
  EXPECT_EQ(KIND_CHECKMARK, mark.GetObjectKind());
  EXPECT_EQ(L"Untitled", std::wstring(mark.GetName()));
}

// ---- Toggling ----

TEST_F(TranspCheckMarkTest, CheckBoxTogglesAsOneUndoStep) {
  CTranspCheckMark* mark = AddMark(0, 1);
  mark->InvertState();
  EXPECT_EQ(0, mark->GetState());
  EXPECT_EQ(1u, manager_.GetUndoCount());
  EXPECT_EQ(1, g_modified);
  mark->InvertState();
  EXPECT_EQ(1, mark->GetState());
  manager_.Undo();
  EXPECT_EQ(0, mark->GetState());
  manager_.Undo();
  EXPECT_EQ(1, mark->GetState());
  manager_.Redo();
  EXPECT_EQ(0, mark->GetState());
}

// Space and Enter toggle; any other key does nothing.
TEST_F(TranspCheckMarkTest, SpaceAndEnterToggle) {
  CTranspCheckMark* mark = AddMark(0, 1);
  const struct {
    UINT ch;
    int after;
  } keys[] = {{L' ', 0}, {L'\r', 1}, {L'x', 1}, {L'\t', 1}, {L'\n', 1}, {L' ', 0}};
  for (const auto& k : keys) {
    mark->OnChar(k.ch, 1, 0);
    EXPECT_EQ(k.after, mark->GetState()) << k.ch;
  }
  EXPECT_EQ(3u, manager_.GetUndoCount());
}

// Checking an unchecked radio button unchecks the rest of its group on the page, as one undo step;
// boxes of other groups, independent boxes and deleted members keep their state.
TEST_F(TranspCheckMarkTest, RadioGroupIsExclusive) {
  CTranspCheckMark* first = AddMark(2, 0);
  CTranspCheckMark* second = AddMark(2, 0);
  CTranspCheckMark* chosenBefore = AddMark(2, 0);
  chosenBefore->SetState(1);
  CTranspCheckMark* otherGroup = AddMark(3, 0);
  otherGroup->SetState(1);
  CTranspCheckMark* independent = AddMark(0, 1);
  CTranspCheckMark* deleted = AddMark(2, 0);
  deleted->SetState(1);
  deleted->SetDeleted(1);

  second->InvertState();
  EXPECT_EQ(0, first->GetState());
  EXPECT_EQ(1, second->GetState());
  EXPECT_EQ(0, chosenBefore->GetState());
  EXPECT_EQ(1, otherGroup->GetState());
  EXPECT_EQ(1, independent->GetState());
  EXPECT_EQ(1, deleted->GetState());
  EXPECT_EQ(1u, manager_.GetUndoCount());
  EXPECT_GE(g_modified, 1);

  // Clicking a checked radio button changes nothing and records nothing.
  second->InvertState();
  EXPECT_EQ(1, second->GetState());
  EXPECT_EQ(1u, manager_.GetUndoCount());

  manager_.Undo();
  EXPECT_EQ(0, second->GetState());
  EXPECT_EQ(1, chosenBefore->GetState());
}

// Without a view to reach the page, a radio button still checks itself as one undo step.
TEST_F(TranspCheckMarkTest, RadioButtonWithoutTheViewsGroupHandling) {
  const TRANSP_VIEW_LINK partial = {ProgramMode, MarkModified, nullptr, nullptr, FolimarViewOf, UndoManagerOf, nullptr};
  CTranspBaseClass::SetViewLink(&partial);
  CTranspCheckMark* mark = AddMark(5, 0);
  mark->InvertState();
  EXPECT_EQ(1, mark->GetState());
  EXPECT_EQ(1u, manager_.GetUndoCount());
}

// The group rule alone refuses group 0: it would clear every independent box of the page.
TEST_F(TranspCheckMarkTest, GroupRuleIgnoresIndependentBoxes) {
  CTranspCheckMark* a = AddMark(0, 1);
  CTranspCheckMark* b = AddMark(0, 1);
  InvertCheckMarkGroup(page_, &manager_, kFolimarView, 0, a);
  EXPECT_EQ(1, a->GetState());
  EXPECT_EQ(1, b->GetState());
  EXPECT_EQ(0u, manager_.GetUndoCount());
}

// A mirrored check mark hands its new state to its namesakes through the view.
TEST_F(TranspCheckMarkTest, MirroredCheckMarkUpdatesItsNamesakes) {
  g_manager = nullptr;  // the undo command hands every check mark's change on as well
  CTranspCheckMark* mark = AddMark(0, 1);
  mark->SetName(L"Agree");
  mark->InvertState();
  EXPECT_TRUE(g_mirrorCalls.empty());
  mark->SetMirrored(1);
  mark->InvertState();
  ASSERT_FALSE(g_mirrorCalls.empty());
  EXPECT_EQ(mark, g_mirrorCalls.back().source);
  EXPECT_EQ(L"Agree", g_mirrorCalls.back().name);
}

// ---- Value, properties, style ----

TEST_F(TranspCheckMarkTest, ValueIsTheState) {
  CTranspCheckMark mark(nullptr, 0);
  EXPECT_EQ(CVariant::typeInteger, mark.GetValue().GetType());
  EXPECT_EQ(1, mark.GetValue().GetInteger());
  const struct {
    CVariant value;
    int state;
  } cases[] = {
      {CVariant(0), 0},
      {CVariant(1), 1},
      {CVariant(5), 5},          // an Integer is the state as it is
      {CVariant(), 0},           // empty: unchecked
      {CVariant(CString(L"1")), 1},
      {CVariant(CString(L"0")), 0},
      {CVariant(CString(L"TRUE")), 1},
      {CVariant(CString(L" ")), 0},
      {CVariant(CString(L"abc")), 0},
      {CVariant(1.0), 1},
      {CVariant(0.0), 0},
  };
  for (const auto& c : cases) {
    mark.SetState(c.state == 0 ? 1 : 0);
    mark.SetValue(c.value);
    EXPECT_EQ(c.state, mark.GetState()) << (&c - cases);
    EXPECT_EQ(c.state, mark.GetValue().GetInteger()) << (&c - cases);
  }
}

TEST_F(TranspCheckMarkTest, PropertiesCarryNameAndTabIndex) {
  CTranspCheckMark mark(nullptr, 0);
  _PROPERTIES in;
  in.name = L"Married";
  in.tabIndex = 7;
  mark.SetProperties(in);
  EXPECT_EQ(L"Married", std::wstring(mark.GetName()));
  EXPECT_EQ(7, mark.GetTabOrderIndex());
  _PROPERTIES out;
  out.tabIndex = 99;
  out.decimals = 5;
  mark.GetProperties(&out);
  EXPECT_EQ(7, out.tabIndex);
  EXPECT_EQ(L"Married", std::wstring(out.name));
  EXPECT_EQ(2, out.decimals);  // a fresh record otherwise
}

// Group 31 joins a radio group unchecked; the text fields' ids copy the whole block.
TEST_F(TranspCheckMarkTest, StyleFieldsOfTheCheckMark) {
  const int groupField = 31;
  _OBJECT_STYLE style = MarkStyle(0x112233, 77, 1, 4);
  CTranspCheckMark joined(nullptr, 0);
  joined.SetObjectStyle(nullptr, &style, &groupField, 0);
  EXPECT_EQ(4, joined.GetGroup());
  EXPECT_EQ(0, joined.GetState());
  EXPECT_EQ(0, joined.GetKind());  // only the group was taken

  style.checkMarkGroup = 0;
  CTranspCheckMark left(nullptr, 0);
  left.SetObjectStyle(nullptr, &style, &groupField, 0);
  EXPECT_EQ(1, left.GetState());

  const int kindField = 18, textColourField = 20;
  CTranspCheckMark kind(nullptr, 0);
  kind.SetObjectStyle(nullptr, &style, &kindField, 0);
  EXPECT_EQ(1, kind.GetKind());
  _OBJECT_STYLE taken;
  kind.GetObjectStyle(&taken);
  EXPECT_EQ(0u, taken.color);
  CTranspCheckMark whole(nullptr, 0);
  whole.SetObjectStyle(nullptr, &style, &textColourField, 0);
  whole.GetObjectStyle(&taken);
  EXPECT_EQ(0x112233u, taken.color);
  EXPECT_EQ(77, taken.lineWidth);
}

TEST_F(TranspCheckMarkTest, UndoSnapshotCarriesTheState) {
  const _OBJECT_STYLE style = MarkStyle(0x00FF00, 300, 1, 0);
  CTranspCheckMark mark(nullptr, 100, 200, &style, 0);
  mark.SetName(L"Box");
  const CUndoState before = mark.GetUndoState();
  mark.SetState(0);
  mark.MoveBy(50, 50);
  mark.SetName(L"Other");
  mark.SetFrozen(1);
  mark.SetUndoState(before);
  EXPECT_EQ(1, mark.GetState());
  EXPECT_EQ(100, mark.GetRect().left);
  EXPECT_EQ(L"Box", std::wstring(mark.GetName()));
  EXPECT_EQ(0, mark.IsFrozen());
}

// ---- Data exchange ----

struct VizRecorder : CVizConverter {
  void AddObjectItem(double, double, double, double, int color, int penStyle, double, double, LPCWSTR name,
                     bool printable) override {
    ++items;
    this->color = color;
    this->penStyle = penStyle;
    this->name = name;
    this->printable = printable;
  }
  void AddLineVector(double, double) override { ++vectors; }
  void AddCheckMarkState(short state, int group) override {
    states.push_back(state);
    groups.push_back(group);
  }
  int items = 0, vectors = 0, color = 0, penStyle = -5;
  std::vector<short> states;
  std::vector<int> groups;
  std::wstring name;
  bool printable = false;
};

TEST_F(TranspCheckMarkTest, DataExchangePassesStateAndGroup) {
  _OBJECT_STYLE style = MarkStyle(0x0000FF, 300, 1, 0);
  style.penStyle = PS_DASH;
  CTranspCheckMark mark(nullptr, 100, 200, &style, 0);
  const int groupField = 31;
  style.checkMarkGroup = 6;
  mark.SetObjectStyle(nullptr, &style, &groupField, 0);
  mark.SetState(1);
  mark.SetName(L"Choice");
  VizRecorder viz;
  mark.StoringVIZ(&viz);
  EXPECT_EQ(1, viz.items);
  EXPECT_EQ(0, viz.penStyle);  // the pen style is passed as none
  EXPECT_EQ(0x0000FF, viz.color);
  EXPECT_EQ(L"Choice", viz.name);
  EXPECT_TRUE(viz.printable);
  ASSERT_EQ(1u, viz.states.size());
  EXPECT_EQ(1, viz.states[0]);
  EXPECT_EQ(6, viz.groups[0]);
  _OBJECT_STYLE after;
  mark.GetObjectStyle(&after);
  EXPECT_EQ(PS_DASH, after.penStyle);
}

// ---- PDF ----

// The widget dictionary whose field name is `hexName`; empty when there is none.
std::string WidgetOf(const std::string& pdf, const std::string& hexName) {
  const size_t name = pdf.find("/T " + hexName);
  if (name == std::string::npos) return "";
  const size_t begin = pdf.rfind("<< /Type /Annot", name);
  const size_t end = pdf.find('\n', name);
  return begin == std::string::npos ? "" : pdf.substr(begin, end - begin);
}

// Each check mark becomes a check-box field at its place, with its name, its mark and its state;
// a deleted one adds nothing.
TEST_F(TranspCheckMarkTest, PdfCheckBoxFields) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"marks.pdf");
  IPdfDocument* raw = nullptr;
  ASSERT_EQ(S_OK, CreatePdfDocument(&raw));
  IPdfDocumentPtr pdf(raw, false);
  pdf->SetFileName(path.c_str());
  pdf->SetCompression(0);
  pdf->SetTopDown(1);
  pdf->SetResolution(72);
  pdf->BeginDocument();
  pdf->NewPage();
  // 0.5 inch square at (1, 2) inches: 72 144 108 180 at 72 per inch.
  const _OBJECT_STYLE tick = MarkStyle(0, 0, 1, 0);
  CTranspCheckMark ticked(nullptr, 100000, 200000, &tick, 0);
  ticked.SetRect(RECT{100000, 200000, 150000, 250000});
  ticked.SetName(L"Ticked");
  const _OBJECT_STYLE cross = MarkStyle(0, 0, 0, 0);
  CTranspCheckMark crossed(nullptr, 300000, 200000, &cross, 0);
  crossed.SetName(L"Crossed");
  crossed.SetState(0);
  CTranspCheckMark gone(nullptr, 300000, 300000, &cross, 0);
  gone.SetName(L"Gone");
  gone.SetDeleted(1);
  for (CTranspCheckMark* mark : {&ticked, &crossed, &gone}) mark->DrawOnPDFPage(nullptr, pdf, 0);
  pdf->EndDocument();
  pdf = nullptr;
  const std::string bytes = testing_support::ReadFileBytes(path);
  // The widget of each field: its name (/T) is written as hex text; the tick is the dingbat '4'
  // (<34>), the cross '8' (<38>); checked shows /Yes, unchecked /Off.
  const std::string ticked_widget = WidgetOf(bytes, "<5469636B6564>");
  EXPECT_NE(std::string::npos, ticked_widget.find("/FT /Btn")) << ticked_widget;
  EXPECT_NE(std::string::npos, ticked_widget.find("/AS /Yes")) << ticked_widget;
  EXPECT_NE(std::string::npos, ticked_widget.find("/CA <34>")) << ticked_widget;
  // 0.5 inch square at (1, 2) inches, top-down on a 792-point page.
  EXPECT_NE(std::string::npos, ticked_widget.find("/Rect [72 612 108 648]")) << ticked_widget;
  const std::string crossed_widget = WidgetOf(bytes, "<43726F73736564>");
  EXPECT_NE(std::string::npos, crossed_widget.find("/AS /Off")) << crossed_widget;
  EXPECT_NE(std::string::npos, crossed_widget.find("/CA <38>")) << crossed_widget;
  EXPECT_EQ("", WidgetOf(bytes, "<476F6E65>")) << "the deleted check mark made a field";
}

}  // namespace
