// The program's own bitmap and bitmap list over the imaging layer: progress of long image operations
// shown by the main frame (with Escape to cancel), loading from a packed DIB in global memory, and
// copies by assignment.
#pragma once
#include "Framework.h"

#include "Imaging.h"

// The progress display of long image operations. The main frame implements it and installs itself
// once, on its own thread, with SetImageProgressSink.
class IImageProgressSink {
 public:
  // Shows the percentage; returns non-zero when the user asked to stop (Escape) and bCancelAllowed.
  virtual int DoProgress(int nPercent, BOOL bCancelAllowed) = 0;

 protected:
  ~IImageProgressSink() = default;
};

// Installs the sink (null removes it). The calling thread becomes the one whose image operations
// report to it: the scaling workers of the views and image objects run the same operations and must
// never touch the main window, so their progress goes nowhere. Install and remove on that thread.
void SetImageProgressSink(IImageProgressSink* pSink);

class LMyBitmap : public LBitmapBase {
 public:
  LMyBitmap() = default;
  // Snapshots holding a bitmap are values, so a bitmap copies like one (through Copy).
  LMyBitmap(const LMyBitmap& other);
  LMyBitmap& operator=(const LMyBitmap& other);
  ~LMyBitmap() override = default;

  // SUCCESS to go on, ERROR_USER_ABORT when the user cancelled in the main frame's display.
  int StatusCallBack(int nPercentComplete) override;

  // Replaces the image by a packed DIB (header, BI_BITFIELDS masks, colour table, bits) in a global
  // block that the caller keeps. ERROR_NO_BITMAP for a null block; a failure leaves the image as it
  // was.
  int CopyFromHDib(HGLOBAL hDib);
};

class LMyBitmapList : public LBitmapList {
 public:
  LMyBitmapList() = default;
  ~LMyBitmapList() override = default;

  int StatusCallBack(int nPercentComplete) override;
};
