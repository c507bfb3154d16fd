// Property edits of the view in the running frame: a field renamed to the name of a mirrored field
// takes that field's content as one undo step.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "MyProcs.h"
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
  CFolimarDoc* doc_ = nullptr;
  CFolimarView* view_ = nullptr;
  InfoBoxPresenter previousInfo_ = nullptr;
};

// Whether the renamed field stands before or after its namesake in the page, it takes the namesake's
// text, and one undo gives its own back.
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
    view_->GetActiveUndoManager()->Undo();
    EXPECT_EQ(L"mine", std::wstring(renamed->GetText())) << "the copy is one undo step";
    EXPECT_EQ(source->GetName(), renamed->GetName()) << "the rename is a step of its own";
    view_->GetActiveUndoManager()->Undo();
    EXPECT_EQ(ownName, renamed->GetName());
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
  EXPECT_NE(L"Unique name", std::wstring(field->GetName())) << "only the rename was recorded";
}

}  // namespace
