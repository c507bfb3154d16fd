// Property edits of the view in the running frame: a field renamed to the name of a mirrored field
// takes that field's content as one undo step; labels and text fields convert into each other in
// their place, with the page's data columns in list order, and back by undo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "MyProcs.h"
#include "PageInfo.h"
#include "TranspText.h"
#include "undo.h"

namespace {

constexpr int kPropertyName = 23;

BOOL NoInfoBox(LPCTSTR) { return FALSE; }

class ViewStyleTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    previousInfo_ = SetInfoBoxPresenter(NoInfoBox);
    ASSERT_NE(nullptr, OpenFrame());
    doc_ = NewDocument();
    view_ = ViewOf(doc_);
    ASSERT_NE(nullptr, view_);
  }
  void TearDown() override {
    SetInfoBoxPresenter(previousInfo_);
    FrameTest::TearDown();
  }
  CTranspText* Field(const wchar_t* text, int y) {
    return dynamic_cast<CTranspText*>(view_->CreateTextBox(text, CPoint(40, y), 0));
  }
  // The properties pane's rename of the active field.
  void Rename(CTranspText* field, const CString& name) {
    view_->DeactivateActiveObject();
    view_->ActivateObject(field);
    _PROPERTIES properties;
    field->GetProperties(&properties);
    properties.firstText = field->GetName();
    properties.name = name;
    _OBJECT_STYLE style = {};
    field->GetObjectStyle(&style);
    view_->SetObjectStyle(&properties, &style, kPropertyName);
  }
  void Activate(CTranspBaseClass* object) {
    view_->DeactivateActiveObject();
    view_->ActivateObject(object);
  }
  // The live objects of the page in list order: "field:" or "label:" and the text.
  std::vector<std::wstring> Objects() {
    std::vector<std::wstring> shown;
    CTranspObjectList& objects = doc_->GetPage(0)->m_objects;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      CTranspText* text = dynamic_cast<CTranspText*>(objects.GetNext(pos));
      if (text != nullptr && !text->IsDeleted())
        shown.push_back(std::wstring(text->IsLabel() ? L"label:" : L"field:") + text->GetText().GetString());
    }
    return shown;
  }
  std::vector<std::wstring> Columns() {
    std::vector<std::wstring> names;
    const CDynTable& table = doc_->GetPage(0)->m_table;
    for (int i = 0; i < table.GetFieldCount(); ++i) names.push_back(table.GetFieldName(i).GetString());
    return names;
  }
  CFolimarDoc* doc_ = nullptr;
  CFolimarView* view_ = nullptr;
  InfoBoxPresenter previousInfo_ = nullptr;
};

// Whether the renamed field stands before or after its namesake in the page, it takes the namesake's
// text; one undo gives it back its own name and text, and the namesake keeps its text throughout.
TEST_F(ViewStyleTest, AFieldRenamedToAMirroredNameTakesItsContentAsOneStep) {
  for (const bool renamedFirst : {false, true}) {
    CTranspText* first = Field(renamedFirst ? L"mine" : L"Paid in full", 40);
    CTranspText* second = Field(renamedFirst ? L"Paid in full" : L"mine", 140);
    ASSERT_TRUE(first != nullptr && second != nullptr);
    CTranspText* source = renamedFirst ? second : first;
    CTranspText* renamed = renamedFirst ? first : second;
    const CString ownName = renamed->GetName();
    Rename(renamed, source->GetName());
    EXPECT_EQ(source->GetName(), renamed->GetName());
    EXPECT_TRUE(renamed->IsMirrored());
    EXPECT_EQ(L"Paid in full", std::wstring(renamed->GetText())) << (renamedFirst ? "first" : "second");
    EXPECT_EQ(L"Paid in full", std::wstring(source->GetText())) << "the namesake keeps its content";
    view_->GetActiveUndoManager()->Undo();
    EXPECT_EQ(L"mine", std::wstring(renamed->GetText())) << "name and content are one undo step";
    EXPECT_EQ(ownName, renamed->GetName());
    EXPECT_EQ(L"Paid in full", std::wstring(source->GetText())) << "undo leaves the namesake alone";
    view_->GetActiveUndoManager()->Redo();
    EXPECT_EQ(L"Paid in full", std::wstring(renamed->GetText()));
    EXPECT_EQ(L"Paid in full", std::wstring(source->GetText()));
  }
}

TEST_F(ViewStyleTest, ANameNoOtherFieldHoldsCopiesNothing) {
  CTranspText* field = Field(L"mine", 40);
  ASSERT_NE(nullptr, Field(L"other", 140));
  ASSERT_NE(nullptr, field);
  Rename(field, L"Unique name");
  EXPECT_EQ(L"Unique name", std::wstring(field->GetName()));
  EXPECT_EQ(L"mine", std::wstring(field->GetText()));
  view_->GetActiveUndoManager()->Undo();
  EXPECT_NE(L"Unique name", std::wstring(field->GetName()));
}

TEST_F(ViewStyleTest, ALabelBecomesATextFieldInItsPlaceWithItsColumnAmongTheOthers) {
  CTranspText* a = Field(L"alpha", 40);
  CTranspText* label = dynamic_cast<CTranspText*>(view_->CreateLabel(L"beta", CPoint(40, 140), 0));
  CTranspText* c = Field(L"gamma", 240);
  ASSERT_TRUE(a != nullptr && label != nullptr && c != nullptr);
  const std::wstring nameA = a->GetName().GetString(), nameB = label->GetName().GetString(),
                     nameC = c->GetName().GetString();
  ASSERT_EQ((std::vector<std::wstring>{nameA, nameC}), Columns());
  doc_->SetModifiedFlag(FALSE);

  Activate(label);
  view_->ConvertTextBox();
  const std::vector<std::wstring> converted = {L"field:alpha", L"field:beta", L"field:gamma"};
  EXPECT_EQ(converted, Objects());
  EXPECT_EQ((std::vector<std::wstring>{nameA, nameB, nameC}), Columns()) << "the new column at the field's place";
  EXPECT_TRUE(doc_->IsModified());
  view_->GetActiveUndoManager()->Undo();
  EXPECT_EQ((std::vector<std::wstring>{L"field:alpha", L"label:beta", L"field:gamma"}), Objects());
  EXPECT_EQ((std::vector<std::wstring>{nameA, nameC}), Columns());
  view_->GetActiveUndoManager()->Redo();
  EXPECT_EQ(converted, Objects());
  EXPECT_EQ((std::vector<std::wstring>{nameA, nameB, nameC}), Columns());
}

TEST_F(ViewStyleTest, ATextFieldBecomesALabelInItsPlaceAndComesBackWithItsColumn) {
  CTranspText* a = Field(L"alpha", 40);
  CTranspText* b = Field(L"beta", 140);
  ASSERT_TRUE(a != nullptr && b != nullptr);
  const std::vector<std::wstring> columns = Columns();
  ASSERT_EQ(2u, columns.size());
  doc_->SetModifiedFlag(FALSE);

  Activate(a);
  view_->ConvertTextField();
  EXPECT_EQ((std::vector<std::wstring>{L"label:alpha", L"field:beta"}), Objects());
  EXPECT_EQ(columns, Columns()) << "the field keeps its column while it lies deleted";
  EXPECT_TRUE(doc_->IsModified());
  view_->GetActiveUndoManager()->Undo();
  EXPECT_EQ((std::vector<std::wstring>{L"field:alpha", L"field:beta"}), Objects());
  EXPECT_EQ(columns, Columns());
}

}  // namespace
