#include "PageCommands.h"

#include <gtest/gtest.h>

#include "PageInfo.h"
#include "UndoCommands.h"
#include "UndoState.h"

namespace {

// A bitmap whose width tells it apart.
LMyBitmap* NewBitmap(int width) {
  auto* bitmap = new LMyBitmap;
  bitmap->Create(width, 4, 24);
  return bitmap;
}

HENHMETAFILE NewMetafile() {
  HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  ::Rectangle(dc, 0, 0, 10, 10);
  return ::CloseEnhMetaFile(dc);
}

int WidthOf(const CPageInfo& page) {
  return page.m_pBitmap != nullptr ? page.m_pBitmap->GetWidth() : 0;
}

// Each page has its own manager; the page frees what is installed, the commands what they took out.
class PageCommands : public ::testing::Test {
 protected:
  CPageInfo page_{nullptr};
  CommandManagerT& manager() { return *page_.m_pUndoManager; }
};

TEST_F(PageCommands, NewBitmapReplacesThePictureAndUndoBringsItBack) {
  page_.SetBitmap(NewBitmap(10));
  page_.m_imagePosition = {5, 7};
  manager().DoCommand(new CCreateMainImageEmfCommand(&page_, NewBitmap(20), nullptr, nullptr));
  EXPECT_EQ(WidthOf(page_), 20);
  EXPECT_EQ(page_.m_imagePosition.x, 0);
  EXPECT_EQ(page_.m_hMetafile, nullptr);
  manager().Undo();
  EXPECT_EQ(WidthOf(page_), 10);
  EXPECT_EQ(page_.m_imagePosition.x, 5);
  EXPECT_EQ(page_.m_imagePosition.y, 7);
  manager().Redo();
  EXPECT_EQ(WidthOf(page_), 20);
  // Emptying the history frees the old picture once; the page keeps the new one.
  manager().ClearUndoList();
  EXPECT_EQ(WidthOf(page_), 20);
}

TEST_F(PageCommands, NewMetafileReplacesABitmap) {
  page_.SetBitmap(NewBitmap(10));
  HENHMETAFILE metafile = NewMetafile();
  manager().DoCommand(new CCreateMainImageEmfCommand(&page_, nullptr, metafile, nullptr));
  EXPECT_EQ(page_.m_pBitmap, nullptr);
  EXPECT_EQ(page_.m_hMetafile, metafile);
  manager().Undo();
  EXPECT_EQ(WidthOf(page_), 10);
  EXPECT_EQ(page_.m_hMetafile, nullptr);
  manager().ClearRedoList();  // the undone metafile goes with its command
  EXPECT_EQ(WidthOf(page_), 10);
}

TEST_F(PageCommands, UndoingTheFirstPictureLeavesNone) {
  manager().DoCommand(new CCreateMainImageEmfCommand(&page_, NewBitmap(20), nullptr, nullptr));
  EXPECT_EQ(WidthOf(page_), 20);
  manager().Undo();
  EXPECT_EQ(page_.m_pBitmap, nullptr);
  EXPECT_EQ(page_.m_hMetafile, nullptr);
  EXPECT_EQ(page_.m_imagePosition.x, 0);
  EXPECT_EQ(page_.m_imagePosition.y, 0);
}

TEST_F(PageCommands, NothingToInstallIsNotRecorded) {
  page_.SetBitmap(NewBitmap(10));
  manager().DoCommand(new CCreateMainImageEmfCommand(&page_, new LMyBitmap, nullptr, nullptr));
  EXPECT_EQ(manager().GetUndoCount(), 0u);
  EXPECT_EQ(WidthOf(page_), 10);
}

TEST_F(PageCommands, DeletedPictureComesBackWithItsPosition) {
  page_.SetBitmap(NewBitmap(10));
  HENHMETAFILE metafile = NewMetafile();
  page_.SetMetafile(metafile);
  page_.m_imagePosition = {3, 4};
  manager().DoCommand(new CDeleteMainImageCommand(&page_, nullptr));
  EXPECT_EQ(page_.m_pBitmap, nullptr);
  EXPECT_EQ(page_.m_hMetafile, nullptr);
  page_.m_imagePosition = {0, 0};
  manager().Undo();
  EXPECT_EQ(WidthOf(page_), 10);
  EXPECT_EQ(page_.m_hMetafile, metafile);
  EXPECT_EQ(page_.m_imagePosition.x, 3);
  manager().Redo();
  EXPECT_EQ(page_.m_pBitmap, nullptr);
}

TEST_F(PageCommands, ImageMoveGoesBetweenThePreviousAndTheCurrentPosition) {
  page_.m_previousImagePosition = {1, 2};
  page_.m_imagePosition = {30, 40};
  manager().DoCommand(new CModifyImagePositionCommand(&page_, nullptr));
  EXPECT_EQ(page_.m_imagePosition.x, 30);
  manager().Undo();
  EXPECT_EQ(page_.m_imagePosition.x, 1);
  EXPECT_EQ(page_.m_imagePosition.y, 2);
  manager().Redo();
  EXPECT_EQ(page_.m_imagePosition.y, 40);
}

TEST_F(PageCommands, ResolutionChangeIsUndone) {
  page_.SetBitmap(NewBitmap(10));
  page_.m_pBitmap->SetXResolution(300);
  page_.m_pBitmap->SetYResolution(300);
  manager().DoCommand(new CModifyImageResolutionCommand(&page_, 300, 300, 150, 200, nullptr));
  EXPECT_EQ(page_.m_pBitmap->GetXResolution(), 150);
  EXPECT_EQ(page_.m_pBitmap->GetYResolution(), 200);
  manager().Undo();
  EXPECT_EQ(page_.m_pBitmap->GetXResolution(), 300);
  EXPECT_EQ(page_.m_pBitmap->GetYResolution(), 300);
}

TEST_F(PageCommands, EditedBitmapIsCopiedInAndOut) {
  page_.SetBitmap(NewBitmap(10));
  LMyBitmap* before = page_.m_pBitmap;
  auto* command = new CModifyImageCommand(&page_, nullptr);  // copies the picture before the edit
  LMyBitmap edited;
  edited.Create(25, 4, 24);
  command->SetNewBitmap(edited);
  manager().DoCommand(command);
  EXPECT_EQ(WidthOf(page_), 25);
  EXPECT_EQ(page_.m_pBitmap, before);  // the page keeps its bitmap object; its picture changes
  manager().Undo();
  EXPECT_EQ(WidthOf(page_), 10);
  manager().Redo();
  EXPECT_EQ(WidthOf(page_), 25);
}

TEST_F(PageCommands, AnEditWithoutAResultIsNotRecorded) {
  page_.SetBitmap(NewBitmap(10));
  manager().DoCommand(new CModifyImageCommand(&page_, nullptr));
  EXPECT_EQ(manager().GetUndoCount(), 0u);
  EXPECT_EQ(WidthOf(page_), 10);
}

TEST(UndoStateBitmap, AssignmentCopiesThePicture) {
  CUndoState a, b;
  a.m_bitmap.Create(12, 3, 24);
  b = a;
  ASSERT_TRUE(b.m_bitmap.IsAllocated());
  EXPECT_EQ(b.m_bitmap.GetWidth(), 12);
  a.m_bitmap.Free();
  EXPECT_TRUE(b.m_bitmap.IsAllocated());  // a copy, not a share
  b = a;
  EXPECT_FALSE(b.m_bitmap.IsAllocated());
}

}  // namespace
