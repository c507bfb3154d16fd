#include "LUserTwain.h"

#include "ErrorLog.h"
#include "FolimarApp.h"

namespace {
LTwain* MakeUserTwain() { return new LUserTwain; }
}  // namespace

LUserTwain::LUserTwain() { EnableCallBack(TRUE); }

LUserTwain::~LUserTwain() = default;

int LUserTwain::BitmapCallBack(pBITMAPHANDLE pBitmap) {
  DEF_TRY
  // The page is ours only for this call: the documents keep copies of it.
  LBitmapBase page;
  page.SetHandle(pBitmap, TRUE);
  CFolimarApp* app = GetFolimarApp();
  if (app == nullptr) return SUCCESS;
  if (!app->m_feederWanted) {
    app->CreateDocFromBitmap(&page);
  } else if (app->m_feederRequested) {
    app->m_scanDocument = app->CreateDocFromBitmap(&page);
    app->m_feederRequested = 0;
  } else {
    app->AppendPageToDocuments(&page);
  }
  DEF_CATCH("LUserTwain::BitmapCallBack")
  return SUCCESS;
}

LUserBitmap::LUserBitmap() { LTwain::SetFactory(&MakeUserTwain); }

LUserBitmap::~LUserBitmap() = default;
