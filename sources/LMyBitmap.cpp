#include "LMyBitmap.h"

#include <atomic>

#include "ErrorLog.h"

namespace {

// Written by the frame's thread only; read by every thread that runs an image operation.
std::atomic<IImageProgressSink*> g_sink{nullptr};
std::atomic<DWORD> g_sinkThread{0};  // 0 is never a thread id

// The rule of both status callbacks. Only the thread that installed the sink (the one that owns the
// main window) may reach it: a worker calling into the frame would touch the window from the wrong
// thread, so workers simply go on.
int ReportToSink(int nPercent, const char* functionName) {
  DEF_TRY
  if (GetCurrentThreadId() != g_sinkThread.load()) return SUCCESS;
  IImageProgressSink* sink = g_sink.load();
  if (!sink) return SUCCESS;
  return sink->DoProgress(nPercent, TRUE) ? ERROR_USER_ABORT : SUCCESS;
  DEF_CATCH(functionName)
  return 0;
}

}  // namespace

void SetImageProgressSink(IImageProgressSink* pSink) {
  // Cleared first, so no thread sees the new sink with the old owner.
  g_sink.store(nullptr);
  g_sinkThread.store(pSink ? GetCurrentThreadId() : 0);
  g_sink.store(pSink);
}

LMyBitmap::LMyBitmap(const LMyBitmap& other) : LBitmapBase() {
  if (other.IsAllocated()) Copy(other);
}

LMyBitmap& LMyBitmap::operator=(const LMyBitmap& other) {
  // Copying an empty bitmap empties this one.
  if (&other != this) Copy(other);
  return *this;
}

int LMyBitmap::StatusCallBack(int nPercentComplete) {
  return ReportToSink(nPercentComplete, "LMyBitmap::StatusCallBack ");
}

int LMyBitmap::CopyFromHDib(HGLOBAL hDib) {
  DEF_TRY
  if (!hDib) return ERROR_NO_BITMAP;
  const void* block = GlobalLock(hDib);
  if (!block) {
    OutputDebugStringW(L"LMyBitmap::CopyFromHDib: the block cannot be locked\n");
    return ERROR_INV_PARAMETER;
  }
  // The layer finds the bits itself: after the header, the three BI_BITFIELDS masks of a 40-byte
  // header, and the colour table (biClrUsed entries; when 0, 2^biBitCount up to 8 bits per pixel).
  // It checks every size against the block, and fails without touching the image.
  const int result = ConvertFromDIB(static_cast<const BITMAPINFO*>(block), nullptr, GlobalSize(hDib));
  GlobalUnlock(hDib);
  return result;
  DEF_CATCH("LMyBitmap::CopyFromHDib")
  return 0;
}

int LMyBitmapList::StatusCallBack(int nPercentComplete) {
  return ReportToSink(nPercentComplete, "LMyBitmapList::StatusCallBack ");
}
