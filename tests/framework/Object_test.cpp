// Run-time class records: IsKindOf through a hierarchy, CreateObject for creatable classes.
#include <gtest/gtest.h>

#include <memory>

#include "Framework.h"

namespace {

class Shape : public CObject {
  DECLARE_DYNAMIC(Shape)
};
IMPLEMENT_DYNAMIC(Shape, CObject)

class Box : public Shape {
  DECLARE_SERIAL(Box)
 public:
  int side = 7;
};
IMPLEMENT_SERIAL(Box, Shape, 3)

class Note : public CObject {
  DECLARE_DYNCREATE(Note)
};
IMPLEMENT_DYNCREATE(Note, CObject)

TEST(ObjectTest, IsKindOfFollowsTheClassTree) {
  Box box;
  EXPECT_TRUE(box.IsKindOf(RUNTIME_CLASS(Box)));
  EXPECT_TRUE(box.IsKindOf(RUNTIME_CLASS(Shape)));
  EXPECT_TRUE(box.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(box.IsKindOf(RUNTIME_CLASS(Note)));
  const CObject& asObject = box;
  EXPECT_EQ(asObject.GetRuntimeClass(), RUNTIME_CLASS(Box));
  EXPECT_STREQ(RUNTIME_CLASS(Box)->m_lpszClassName, "Box");
  EXPECT_EQ(RUNTIME_CLASS(Box)->m_wSchema, 3u);
  EXPECT_TRUE(box.IsSerializable());
  EXPECT_FALSE(Note().IsSerializable());
}

TEST(ObjectTest, CreateObjectOnlyForCreatableClasses) {
  std::unique_ptr<CObject> made(RUNTIME_CLASS(Box)->CreateObject());
  ASSERT_NE(made, nullptr);
  ASSERT_TRUE(made->IsKindOf(RUNTIME_CLASS(Box)));
  EXPECT_EQ(static_cast<Box*>(made.get())->side, 7);
  std::unique_ptr<CObject> note(RUNTIME_CLASS(Note)->CreateObject());
  EXPECT_TRUE(note && note->IsKindOf(RUNTIME_CLASS(Note)));
  EXPECT_EQ(RUNTIME_CLASS(Shape)->CreateObject(), nullptr);
}

TEST(ObjectTest, CreatableClassesAreFoundByTheirNamesInEveryModule) {
  struct Case {
    const char* name;
    CRuntimeClass* found;
  } cases[] = {{"Box", RUNTIME_CLASS(Box)},
               {"Note", RUNTIME_CLASS(Note)},
               {"CMFCToolBarComboBoxButton", RUNTIME_CLASS(CMFCToolBarComboBoxButton)},  // the framework DLL's
               {"Shape", nullptr},                                                          // not creatable
               {"NoSuchClass", nullptr},
               {"", nullptr}};
  for (const Case& c : cases) {
    EXPECT_EQ(CRuntimeClass::FromName(c.name), c.found) << c.name;
    EXPECT_EQ(CRuntimeClass::FromName(CString(c.name).GetString()), c.found) << c.name;
  }
  EXPECT_EQ(CRuntimeClass::FromName(static_cast<LPCSTR>(nullptr)), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName(L"B\u00F6x"), nullptr);
}

TEST(ObjectTest, FrameworkClassesKnowTheirBases) {
  CMemFile file;
  EXPECT_TRUE(file.IsKindOf(RUNTIME_CLASS(CFile)));
  CArchiveException archiveError(CArchiveException::endOfFile);
  EXPECT_TRUE(archiveError.IsKindOf(RUNTIME_CLASS(CException)));
  EXPECT_FALSE(archiveError.IsKindOf(RUNTIME_CLASS(CFileException)));
}

}  // namespace
