// The application's TWAIN host: a bitmap whose TWAIN object turns every scanned page into a
// document page (a new document, or with autofeed further pages of the one the scan started).
#pragma once
#include "Imaging.h"

class LUserTwain : public LTwain {
 public:
  LUserTwain();
  ~LUserTwain() override;

 protected:
  int BitmapCallBack(pBITMAPHANDLE pBitmap) override;
};

class LUserBitmap : public LBitmapBase {
 public:
  // Makes the imaging layer create the TWAIN objects of bitmaps as LUserTwain.
  LUserBitmap();
  ~LUserBitmap() override;
};
