#include "PageCommands.h"

#include "ErrorLog.h"
#include "PageInfo.h"

namespace {

PAGE_PICTURE PictureOf(const CPageInfo* page) {
  return {page->m_pBitmap, page->m_hMetafile, page->m_imagePosition};
}

// Puts a picture into the page's members as they are, without freeing what they held: the command
// that calls this keeps the other picture.
void SetPicture(CPageInfo* page, const PAGE_PICTURE& picture) {
  page->m_pBitmap = picture.bitmap;
  page->m_hMetafile = picture.metafile;
  page->m_imagePosition = picture.position;
}

void FreePicture(PAGE_PICTURE& picture) {
  delete picture.bitmap;
  if (picture.metafile != nullptr) ::DeleteEnhMetaFile(picture.metafile);
  picture = {nullptr, nullptr, {0, 0}};
}

}  // namespace

// ---- Bitmap edited ----

CModifyImageCommand::CModifyImageCommand(CPageInfo* page, CFolimarView* view) : Command(view, nullptr), m_pPage(page) {
  DEF_TRY
  if (page != nullptr && page->HasBitmap()) m_old.Copy(*page->m_pBitmap);
  DEF_CATCH("CModifyImageCommand::CModifyImageCommand")
}

void CModifyImageCommand::SetNewBitmap(LBitmapBase& bitmap) {
  DEF_TRY
  m_new.Copy(bitmap);
  DEF_CATCH("CModifyImageCommand::SetNewBitmap")
}

bool CModifyImageCommand::Execute() {
  return Install(m_new, "CModifyImageCommand::Execute");
}

bool CModifyImageCommand::Unexecute() {
  return Install(m_old, "CModifyImageCommand::Unexecute");
}

bool CModifyImageCommand::Install(const LMyBitmap& picture, const char* functionName) {
  DEF_TRY
  // An empty picture would leave the page with nothing: the command was never completed.
  if (m_pPage == nullptr || !picture.IsAllocated()) return false;
  if (m_pPage->m_pBitmap == nullptr) m_pPage->m_pBitmap = new LMyBitmap;
  if (m_pPage->m_pBitmap->Copy(picture) != SUCCESS) return false;
  m_pPage->ClearViewCache();
  InvalidateView();
  return true;
  DEF_CATCH(functionName)
  return false;
}

// ---- Resolution ----

CModifyImageResolutionCommand::CModifyImageResolutionCommand(CPageInfo* page, int oldX, int oldY, int newX, int newY,
                                                             CFolimarView* view)
    : Command(view, nullptr), m_pPage(page), m_oldX(oldX), m_oldY(oldY), m_newX(newX), m_newY(newY) {}

bool CModifyImageResolutionCommand::Execute() {
  return Apply(m_newX, m_newY, "CModifyImageResolutionCommand::Execute");
}

bool CModifyImageResolutionCommand::Unexecute() {
  return Apply(m_oldX, m_oldY, "CModifyImageResolutionCommand::Unexecute");
}

bool CModifyImageResolutionCommand::Apply(int x, int y, const char* functionName) {
  DEF_TRY
  if (m_pPage == nullptr || m_pPage->m_pBitmap == nullptr) return false;
  m_pPage->m_pBitmap->SetXResolution(x);
  m_pPage->m_pBitmap->SetYResolution(y);
  InvalidateView();
  return true;
  DEF_CATCH(functionName)
  return false;
}

// ---- New picture ----

CCreateMainImageEmfCommand::CCreateMainImageEmfCommand(CPageInfo* page, LMyBitmap* newBitmap, HENHMETAFILE newMetafile,
                                                       CFolimarView* view)
    : Command(view, nullptr), m_pPage(page), m_new{nullptr, nullptr, {0, 0}}, m_previous{nullptr, nullptr, {0, 0}} {
  DEF_TRY
  if (newBitmap != nullptr) {
    m_new.bitmap = newBitmap;
  } else {
    m_new.metafile = newMetafile;
  }
  // The whole previous picture is kept, bitmap and metafile alike, so that undo leaves the page
  // exactly as it was and nothing it held is lost.
  if (page != nullptr) m_previous = PictureOf(page);
  DEF_CATCH("CCreateMainImageEmfCommand::CCreateMainImageEmfCommand")
}

CCreateMainImageEmfCommand::~CCreateMainImageEmfCommand() {
  DEF_TRY
  FreePicture(m_installed ? m_previous : m_new);
  DEF_CATCH("CCreateMainImageEmfCommand::~CCreateMainImageEmfCommand")
}

bool CCreateMainImageEmfCommand::Execute() {
  DEF_TRY
  if (m_pPage == nullptr || m_installed) return false;
  if (m_new.bitmap != nullptr && m_new.bitmap->IsAllocated()) {
    SetPicture(m_pPage, {m_new.bitmap, nullptr, {0, 0}});
  } else if (m_new.metafile != nullptr) {
    SetPicture(m_pPage, {nullptr, m_new.metafile, {0, 0}});
  } else {
    return false;  // nothing to install
  }
  m_installed = true;
  InvalidateView();
  return true;
  DEF_CATCH("CCreateMainImageEmfCommand::Execute")
  return false;
}

bool CCreateMainImageEmfCommand::Unexecute() {
  DEF_TRY
  if (m_pPage == nullptr || !m_installed) return false;
  SetPicture(m_pPage, m_previous);
  m_installed = false;
  InvalidateView();
  return true;
  DEF_CATCH("CCreateMainImageEmfCommand::Unexecute")
  return false;
}

// ---- Picture deleted ----

CDeleteMainImageCommand::CDeleteMainImageCommand(CPageInfo* page, CFolimarView* view)
    : Command(view, nullptr), m_pPage(page), m_picture{nullptr, nullptr, {0, 0}} {
  if (page != nullptr) m_picture = PictureOf(page);
}

CDeleteMainImageCommand::~CDeleteMainImageCommand() {
  if (m_taken) FreePicture(m_picture);
}

bool CDeleteMainImageCommand::Execute() {
  if (m_pPage == nullptr || m_taken) return true;
  m_pPage->m_pBitmap = nullptr;
  m_pPage->m_hMetafile = nullptr;
  m_taken = true;
  InvalidateView();
  return true;
}

bool CDeleteMainImageCommand::Unexecute() {
  if (m_pPage == nullptr || !m_taken) return true;
  SetPicture(m_pPage, m_picture);
  m_taken = false;
  InvalidateView();
  return true;
}

// ---- Picture moved ----

CModifyImagePositionCommand::CModifyImagePositionCommand(CPageInfo* page, CFolimarView* view)
    : Command(view, nullptr), m_pPage(page), m_old{0, 0}, m_new{0, 0} {
  if (page != nullptr) {
    m_new = page->m_imagePosition;
    m_old = page->m_previousImagePosition;
  }
}

bool CModifyImagePositionCommand::Execute() {
  if (m_pPage != nullptr) m_pPage->m_imagePosition = m_new;
  InvalidateView();
  return true;
}

bool CModifyImagePositionCommand::Unexecute() {
  if (m_pPage != nullptr) m_pPage->m_imagePosition = m_old;
  InvalidateView();
  return true;
}
