// The undo commands on a page's picture: the bitmap edited, its resolution changed, a new picture
// loaded, the picture deleted and the picture moved. The page's members own the pictures that are
// installed; a command owns the ones it has taken out, and frees them when it is destroyed (when the
// history is emptied, nothing can bring them back).
#pragma once
#include "Framework.h"

#include "PageImage.h"
#include "commands.h"

class CPageInfo;

// The page bitmap replaced by an edited copy. Built before the edit (it copies the old picture then);
// the edit's result comes in through SetNewBitmap before the command goes to DoCommand.
class CModifyImageCommand : public Command {
 public:
  CModifyImageCommand(CPageInfo* page, CFolimarView* view);
  void SetNewBitmap(LBitmapBase& bitmap);
  bool Execute() override;
  bool Unexecute() override;

 private:
  bool Install(const LMyBitmap& picture, const char* functionName);
  CPageInfo* m_pPage;  // the target; a page is no CObject

  LMyBitmap m_old;
  LMyBitmap m_new;
};

class CModifyImageResolutionCommand : public Command {
 public:
  CModifyImageResolutionCommand(CPageInfo* page, int oldX, int oldY, int newX, int newY, CFolimarView* view);
  bool Execute() override;
  bool Unexecute() override;

 private:
  bool Apply(int x, int y, const char* functionName);
  CPageInfo* m_pPage;  // the target; a page is no CObject

  int m_oldX, m_oldY, m_newX, m_newY;
};

// The picture a page has at one moment: bitmap pointer, metafile and image position.
struct PAGE_PICTURE {
  LMyBitmap* bitmap;
  HENHMETAFILE metafile;
  POINT position;
};

// A newly loaded page picture (a bitmap, else a metafile) in place of the page's previous one. The
// command takes the new picture over.
class CCreateMainImageEmfCommand : public Command {
 public:
  CCreateMainImageEmfCommand(CPageInfo* page, LMyBitmap* newBitmap, HENHMETAFILE newMetafile, CFolimarView* view);
  ~CCreateMainImageEmfCommand() override;
  bool Execute() override;
  bool Unexecute() override;

 private:
  CPageInfo* m_pPage;  // the target; a page is no CObject

  PAGE_PICTURE m_new;
  PAGE_PICTURE m_previous;
  bool m_installed = false;  // the new picture is the page's, the previous one this command's
};

class CDeleteMainImageCommand : public Command {
 public:
  CDeleteMainImageCommand(CPageInfo* page, CFolimarView* view);
  ~CDeleteMainImageCommand() override;
  bool Execute() override;
  bool Unexecute() override;

 private:
  CPageInfo* m_pPage;  // the target; a page is no CObject

  PAGE_PICTURE m_picture;
  bool m_taken = false;  // the picture is this command's
};

// The page image moved (or cropped): from the page's previous image position to its current one.
class CModifyImagePositionCommand : public Command {
 public:
  CModifyImagePositionCommand(CPageInfo* page, CFolimarView* view);
  bool Execute() override;
  bool Unexecute() override;

 private:
  CPageInfo* m_pPage;  // the target; a page is no CObject

  POINT m_old;
  POINT m_new;
};
