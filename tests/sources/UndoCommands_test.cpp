#include "UndoCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestShape.h"
#include "TranspLabel.h"
#include "TranspText.h"
#include "undo.h"

namespace {

// What the view and the text field were asked by the commands.
struct FakeView {
  CWnd window;
  int repaintObjects = 0;
  int deactivated = 0;
  int mirroredFields = 0;
  int clearedSelections = 0;
  bool hasMirrored = false;
  bool lineBreakTyped = false;
  std::vector<std::pair<CTranspBaseClass*, int>> tabOrder;
  std::vector<std::wstring> mirroredObjects;
  std::vector<std::wstring> mirroredCheckMarks;
  struct Conversion {
    std::string operation;
    CTranspBaseClass* made;
    CTranspBaseClass* object;
    int page;
  };
  std::vector<Conversion> conversions;

  void Reset() {
    repaintObjects = deactivated = mirroredFields = clearedSelections = 0;
    hasMirrored = lineBreakTyped = false;
    tabOrder.clear();
    mirroredObjects.clear();
    mirroredCheckMarks.clear();
    conversions.clear();
  }
};

FakeView* g_view = nullptr;

FakeView* Fake(CFolimarView* view) { return reinterpret_cast<FakeView*>(view); }
CWnd* GetWindowOf(CFolimarView* view) { return &Fake(view)->window; }
void RepaintObjects(CFolimarView* view) { ++Fake(view)->repaintObjects; }
void Deactivate(CFolimarView* view) { ++Fake(view)->deactivated; }
void SetTabOrder(CFolimarView* view, CTranspBaseClass* object, int index) {
  Fake(view)->tabOrder.emplace_back(object, index);
}
void SetMirroredFields(CFolimarView* view) { ++Fake(view)->mirroredFields; }
void RepaintMirrored(CFolimarView* view, CTranspBaseClass*, LPCWSTR name) { Fake(view)->mirroredObjects.push_back(name); }
void RepaintMirroredChecks(CFolimarView* view, CTranspBaseClass*, LPCWSTR name) {
  Fake(view)->mirroredCheckMarks.push_back(name);
}
BOOL HasMirrored(CFolimarView* view) { return Fake(view)->hasMirrored; }
BOOL LineBreakTyped(CTranspBaseClass*) { return g_view->lineBreakTyped; }
void ClearSelection(CTranspBaseClass*) { ++g_view->clearedSelections; }
template <const char* kName>
void Convert(CFolimarView* view, CTranspBaseClass* made, CTranspBaseClass* object, int page) {
  Fake(view)->conversions.push_back({kName, made, object, page});
}
char kConvertTextBox[] = "ConvertTextBox", kRemoveTextBox[] = "RemoveTextBox", kConvertTextField[] = "ConvertTextField",
     kRemoveTextField[] = "RemoveTextField";

const UNDO_VIEW_LINK kLink = {&GetWindowOf,       &RepaintObjects, &Deactivate,    &SetTabOrder,    &SetMirroredFields,
                              &RepaintMirrored,   &RepaintMirroredChecks, &HasMirrored, &LineBreakTyped, &ClearSelection,
                              &Convert<kConvertTextBox>, &Convert<kRemoveTextBox>, &Convert<kConvertTextField>,
                              &Convert<kRemoveTextField>};

class UndoCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    g_view = &fake_;
    SetUndoViewLink(&kLink);
  }
  void TearDown() override {
    SetUndoViewLink(nullptr);
    CTranspBaseClass::SetViewConversions(nullptr);
    g_view = nullptr;
  }
  CFolimarView* view() { return reinterpret_cast<CFolimarView*>(&fake_); }

  // Changes the shape's name as the view would, and hands the change over as a command.
  template <class CommandClass>
  void Rename(CommandManagerT& manager, CTestShape& shape, const wchar_t* name) {
    CUndoState before = shape.GetUndoState();
    shape.SetName(name);
    manager.DoCommand(new CommandClass(before, &shape, view()));
  }

  FakeView fake_;
};

CString NameOf(CTestShape& shape) { return shape.GetName(); }

TEST_F(UndoCommands, ModifyIsUndoneAndRedone) {
  CommandManagerT manager;
  CTestShape shape;
  shape.SetRect(0, 0, 10, 10);
  CUndoState before = shape.GetUndoState();
  shape.SetRect(5, 5, 20, 20);
  shape.SetName(L"Moved");
  manager.DoCommand(new CModifyCommand(before, &shape, view()));
  EXPECT_EQ(shape.GetRect().left, 5);  // the first Execute re-applies what the view did
  EXPECT_EQ(manager.GetUndoCount(), 1u);
  manager.Undo();
  EXPECT_EQ(shape.GetRect().left, 0);
  EXPECT_EQ(NameOf(shape), CString(L"Untitled"));
  manager.Redo();
  EXPECT_EQ(shape.GetRect().right, 20);
  EXPECT_EQ(NameOf(shape), CString(L"Moved"));
}

// Two changes of one object in one step: undo must bring back the state before the first of them.
TEST_F(UndoCommands, MacroOfTwoChangesToOneObject) {
  CommandManagerT manager;
  CTestShape shape;
  shape.SetName(L"A");
  manager.BeginMacro();
  Rename<CModifyCommand>(manager, shape, L"B");
  Rename<CModifyCommand>(manager, shape, L"C");
  manager.EndMacro();
  EXPECT_EQ(manager.GetUndoCount(), 1u);
  EXPECT_EQ(NameOf(shape), CString(L"C"));
  manager.Undo();
  EXPECT_EQ(NameOf(shape), CString(L"A"));
  manager.Redo();
  EXPECT_EQ(NameOf(shape), CString(L"C"));
}

TEST_F(UndoCommands, RestoringTellsTheMirroredFieldsByKind) {
  struct Case {
    int kind;
    int mirroredFields, cleared;
    size_t objects, checkMarks;
  };
  const Case cases[] = {
      {KIND_TEXTFIELD, 1, 1, 1, 0},
      {KIND_LABEL, 1, 1, 1, 0},
      {KIND_CHECKMARK, 1, 0, 0, 1},
      {KIND_CLOSED_SHAPE, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    fake_.Reset();
    CommandManagerT manager;
    CTestShape shape;
    shape.SetKind(c.kind);
    Rename<CModifyCommand>(manager, shape, L"Total");
    EXPECT_EQ(fake_.mirroredFields, c.mirroredFields) << c.kind;
    EXPECT_EQ(fake_.clearedSelections, c.cleared) << c.kind;
    ASSERT_EQ(fake_.mirroredObjects.size(), c.objects) << c.kind;
    ASSERT_EQ(fake_.mirroredCheckMarks.size(), c.checkMarks) << c.kind;
    if (c.objects) {
      EXPECT_EQ(fake_.mirroredObjects[0], L"Total");
    }
    if (c.checkMarks) {
      EXPECT_EQ(fake_.mirroredCheckMarks[0], L"Total");
    }
  }
}

TEST_F(UndoCommands, TypingInOneFieldIsOneStepUntilEnter) {
  CommandManagerT manager;
  CTestShape field;
  field.SetKind(KIND_TEXTFIELD);
  field.SetName(L"");
  Rename<CModifyTextCommand>(manager, field, L"a");
  Rename<CModifyTextCommand>(manager, field, L"ab");
  EXPECT_EQ(manager.GetUndoCount(), 1u);
  fake_.lineBreakTyped = true;  // the key just typed was Enter: a new step begins
  Rename<CModifyTextCommand>(manager, field, L"ab|");
  fake_.lineBreakTyped = false;
  Rename<CModifyTextCommand>(manager, field, L"ab|c");
  EXPECT_EQ(manager.GetUndoCount(), 2u);
  EXPECT_EQ(NameOf(field), CString(L"ab|c"));
  manager.Undo();
  EXPECT_EQ(NameOf(field), CString(L"ab"));
  manager.Undo();
  EXPECT_EQ(NameOf(field), CString(L""));
  manager.Redo();
  EXPECT_EQ(NameOf(field), CString(L"ab"));
}

TEST_F(UndoCommands, EditsOfDifferentObjectsDoNotMerge) {
  CommandManagerT manager;
  CTestShape first, second, shape;
  first.SetKind(KIND_TEXTFIELD);
  second.SetKind(KIND_TEXTFIELD);
  Rename<CModifyTextCommand>(manager, first, L"x");
  Rename<CModifyTextCommand>(manager, second, L"y");
  EXPECT_EQ(manager.GetUndoCount(), 2u);
  // Only text fields merge; nor does a plain modify of the same field.
  Rename<CModifyTextCommand>(manager, shape, L"s1");
  Rename<CModifyTextCommand>(manager, shape, L"s2");
  Rename<CModifyCommand>(manager, second, L"z");
  EXPECT_EQ(manager.GetUndoCount(), 5u);
}

class CreateCommand : public UndoCommands {
 protected:
  void TearDown() override {
    while (!list_.IsEmpty()) delete list_.RemoveHead();
    UndoCommands::TearDown();
  }
  std::vector<CTranspBaseClass*> Objects() {
    std::vector<CTranspBaseClass*> out;
    for (POSITION pos = list_.GetHeadPosition(); pos != nullptr;) out.push_back(list_.GetNext(pos));
    return out;
  }

  CTranspObjectList list_;
  int alive_ = 0;
};

TEST_F(CreateCommand, AppendsAndUndoRemoves) {
  auto* first = new CTestShape(nullptr, 0, &alive_);
  list_.AddTail(first);
  auto* created = new CTestShape(nullptr, 0, &alive_);
  {
    CommandManagerT manager;
    manager.DoCommand(new CCreateCommand(&list_, created, view()));
    EXPECT_EQ(Objects(), (std::vector<CTranspBaseClass*>{first, created}));
    manager.Undo();
    EXPECT_EQ(Objects(), (std::vector<CTranspBaseClass*>{first}));
    EXPECT_EQ(fake_.deactivated, 1);
    manager.Redo();
    EXPECT_EQ(Objects(), (std::vector<CTranspBaseClass*>{first, created}));
  }
  // The manager is gone; the objects in the list stay the list's.
  EXPECT_EQ(alive_, 2);
}

// Objects that joined the list after the created one stay when its creation is undone.
TEST_F(CreateCommand, UndoRemovesTheCreatedObjectNotTheLast) {
  CommandManagerT manager;
  auto* created = new CTestShape(nullptr, 0, &alive_);
  manager.DoCommand(new CCreateCommand(&list_, created, view()));
  auto* later = new CTestShape(nullptr, 0, &alive_);
  list_.AddTail(later);  // a page copy or a load adds objects without a command
  manager.Undo();
  EXPECT_EQ(Objects(), (std::vector<CTranspBaseClass*>{later}));
  manager.Redo();
  EXPECT_EQ(Objects(), (std::vector<CTranspBaseClass*>{later, created}));
}

TEST_F(CreateCommand, AnUndoneCreationIsFreedWithItsCommand) {
  CommandManagerT manager;
  manager.DoCommand(new CCreateCommand(&list_, new CTestShape(nullptr, 0, &alive_), view()));
  manager.Undo();
  EXPECT_EQ(alive_, 1);
  manager.ClearRedoList();
  EXPECT_EQ(alive_, 0);
  EXPECT_TRUE(list_.IsEmpty());
}

TEST_F(UndoCommands, DeleteFlagsTheObjectWhichStaysInTheList) {
  CTranspObjectList list;
  CTestShape shape;
  list.AddTail(&shape);
  CommandManagerT manager;
  manager.DoCommand(new CDeleteCommand(&shape, view()));
  EXPECT_EQ(shape.IsDeleted(), 1);
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(fake_.repaintObjects, 1);
  manager.Undo();
  EXPECT_EQ(shape.IsDeleted(), 0);
  EXPECT_EQ(list.GetHead(), &shape);
  EXPECT_EQ(fake_.repaintObjects, 2);
  manager.Redo();
  EXPECT_EQ(shape.IsDeleted(), 1);
  list.RemoveAll();
}

TEST_F(UndoCommands, TabOrderChangeGoesThroughTheView) {
  CTestShape shape;  // the base's properties record: tab index 1
  CommandManagerT manager;
  manager.DoCommand(new CModifyTabOrderCommand(&shape, 5, view()));
  manager.Undo();
  manager.Redo();
  using Call = std::pair<CTranspBaseClass*, int>;
  EXPECT_EQ(fake_.tabOrder, (std::vector<Call>{{&shape, 5}, {&shape, 1}, {&shape, 5}}));
  EXPECT_EQ(fake_.repaintObjects, 3);
}

TEST_F(UndoCommands, WithoutAViewTheTabOrderCommandIsNotRecorded) {
  CTestShape shape;
  CommandManagerT manager;
  manager.DoCommand(new CModifyTabOrderCommand(&shape, 5, nullptr));
  EXPECT_EQ(manager.GetUndoCount(), 0u);
}

// A label becomes a text field (and a text field a label) that takes over its state; the view swaps
// them in the page and back.
TEST_F(UndoCommands, ConversionsBuildTheOtherKindAndLetTheViewSwapThem) {
  struct Case {
    bool toTextField;
    const char* convert;
    const char* remove;
  };
  for (const Case& c : {Case{true, kConvertTextBox, kRemoveTextBox}, Case{false, kConvertTextField, kRemoveTextField}}) {
    fake_.Reset();
    CommandManagerT manager;
    CTestShape object;
    object.SetName(L"Amount");
    object.SetRect(100, 200, 3000, 900);
    CConvertTextCommand* command = nullptr;
    if (c.toTextField) {
      command = new CConvertToTextFieldCommand(&object, 2, view());
    } else {
      command = new CConvertToTextBoxCommand(&object, 2, view());
    }
    CTranspBaseClass* made = command->GetNewObject();
    ASSERT_NE(made, nullptr);
    if (c.toTextField) {
      EXPECT_EQ(made->GetObjectKind(), KIND_TEXTFIELD);
    } else {
      EXPECT_EQ(made->GetObjectKind(), KIND_LABEL);
    }
    EXPECT_EQ(made->GetName(), CString(L"Amount"));
    EXPECT_EQ(made->GetPageIndex(), 2);
    manager.DoCommand(command);
    manager.Undo();
    manager.Redo();
    ASSERT_EQ(fake_.conversions.size(), 3u);
    const char* expected[] = {c.convert, c.remove, c.convert};
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(fake_.conversions[i].operation, expected[i]);
      EXPECT_EQ(fake_.conversions[i].made, made);
      EXPECT_EQ(fake_.conversions[i].object, &object);
      EXPECT_EQ(fake_.conversions[i].page, 2);
    }
    // In the page now: the view's list would own it; here nobody does.
    delete made;
  }
}

// Units to page doubles, page to client shifts by one, and the margin doubles with the zoom.
void DoubleRc(CWnd*, RECT* r) { r->left *= 2, r->top *= 2, r->right *= 2, r->bottom *= 2; }
void ShiftRc(CWnd*, RECT* r) { ::OffsetRect(r, 1, 1); }

TEST_F(UndoCommands, RepaintCoversBothStatesWithTheMargin) {
  VIEW_CONVERSIONS table = {};
  table.UnitToPageRc = &DoubleRc;
  table.PageToClientRc = &ShiftRc;
  table.PageToViewRc = &DoubleRc;
  CTranspBaseClass::SetViewConversions(&table);
  HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  ::ShowWindow(window, SW_SHOWNA);
  ::UpdateWindow(window);
  ::ValidateRect(window, nullptr);
  fake_.window.m_hWnd = window;

  CommandManagerT manager;
  CTestShape shape;
  shape.SetRect(40, 40, 50, 50);
  CUndoState before = shape.GetUndoState();
  shape.SetRect(60, 60, 70, 70);
  manager.DoCommand(new CModifyCommand(before, &shape, view()));
  // The first Execute re-applies the new state: units (60,60)-(70,70) -> page (120,120)-(140,140)
  // -> client (121,121)-(141,141), widened by the margin 60, 20, 20, 20.
  RECT update = {};
  ::GetUpdateRect(window, &update, FALSE);
  EXPECT_EQ(update.left, 61);
  EXPECT_EQ(update.top, 101);
  EXPECT_EQ(update.right, 161);
  EXPECT_EQ(update.bottom, 161);
  // Undo repaints both places: units (40,40)-(70,70) -> client (81,81)-(141,141), widened.
  ::ValidateRect(window, nullptr);
  manager.Undo();
  ::GetUpdateRect(window, &update, FALSE);
  EXPECT_EQ(update.left, 21);
  EXPECT_EQ(update.top, 61);
  EXPECT_EQ(update.right, 161);
  EXPECT_EQ(update.bottom, 161);

  fake_.window.m_hWnd = nullptr;
  ::DestroyWindow(window);
}

}  // namespace
