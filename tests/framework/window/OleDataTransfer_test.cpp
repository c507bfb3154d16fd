// Clipboard and drag-and-drop data through OLE, with a registered format of our own.
#include <gtest/gtest.h>

#include <string>

#include "Framework.h"

namespace {

const CLIPFORMAT kObjectsFormat = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Vantry Test Objects"));

HGLOBAL GlobalFrom(const std::string& bytes) {
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  memcpy(::GlobalLock(h), bytes.data(), bytes.size());
  ::GlobalUnlock(h);
  return h;
}

std::string BytesOf(HGLOBAL h) {
  if (!h) return std::string();
  const char* p = static_cast<const char*>(::GlobalLock(h));
  std::string bytes(p, ::GlobalSize(h));
  ::GlobalUnlock(h);
  return bytes;
}

TEST(OleDataTransfer, ClipboardCarriesEveryCachedFormat) {
  ASSERT_TRUE(AfxOleInit());
  const std::string objects("\x06\x00\x00\x00payload", 11);
  const std::wstring text = L"Total";
  {
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(kObjectsFormat, GlobalFrom(objects));
    source->CacheGlobalData(CF_UNICODETEXT, GlobalFrom(std::string(reinterpret_cast<const char*>(text.c_str()),
                                                                   (text.size() + 1) * sizeof(wchar_t))));
    source->SetClipboard();
    delete source;  // the clipboard holds its own copy
  }
  COleDataObject data;
  ASSERT_TRUE(data.AttachClipboard());
  EXPECT_TRUE(data.IsDataAvailable(kObjectsFormat));
  EXPECT_TRUE(data.IsDataAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(data.IsDataAvailable(CF_DIB));
  HGLOBAL got = data.GetGlobalData(kObjectsFormat);
  EXPECT_EQ(BytesOf(got).substr(0, objects.size()), objects);
  ::GlobalFree(got);

  // Programs that read the clipboard without OLE see the same data.
  ASSERT_TRUE(::OpenClipboard(nullptr));
  EXPECT_TRUE(::IsClipboardFormatAvailable(kObjectsFormat));
  const wchar_t* plain = static_cast<const wchar_t*>(::GlobalLock(::GetClipboardData(CF_UNICODETEXT)));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(std::wstring(plain), text);
  ::GlobalUnlock(::GetClipboardData(CF_UNICODETEXT));
  ::CloseClipboard();
}

class RecordingDropTarget : public COleDropTarget {
 public:
  CPoint lastPoint;
  std::string dropped;
  int leaves = 0;
  DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override {
    lastPoint = point;
    if (!data->IsDataAvailable(kObjectsFormat)) return DROPEFFECT_NONE;
    return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint point) override {
    lastPoint = point;
    HGLOBAL h = data->GetGlobalData(kObjectsFormat);
    dropped = BytesOf(h);
    ::GlobalFree(h);
    return !dropped.empty();
  }
  void OnDragLeave(CWnd*) override { ++leaves; }
};

TEST(OleDataTransfer, DropTargetSeesTheDataInClientCoordinates) {
  ASSERT_TRUE(AfxOleInit());
  CWnd window;
  ASSERT_TRUE(window.CreateEx(0, nullptr, L"Target", WS_POPUP, 100, 50, 200, 200, nullptr, nullptr));
  RecordingDropTarget target;
  ASSERT_TRUE(target.Register(&window));
  COleDataSource source;
  source.CacheGlobalData(kObjectsFormat, GlobalFrom("shelf item"));
  IDropTarget* drop = target.GetDropTarget();
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  ASSERT_EQ(drop->DragEnter(source.GetDataObject(), MK_LBUTTON | MK_CONTROL, POINTL{130, 90}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(target.lastPoint, CPoint(30, 40));
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  ASSERT_EQ(drop->Drop(source.GetDataObject(), MK_LBUTTON, POINTL{150, 60}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
  EXPECT_EQ(target.dropped, "shelf item");
  EXPECT_EQ(target.lastPoint, CPoint(50, 10));

  // Data in a format the target does not take is refused.
  COleDataSource other;
  other.CacheGlobalData(CF_UNICODETEXT, GlobalFrom(std::string("x\0", 2)));
  effect = DROPEFFECT_COPY;
  drop->DragEnter(other.GetDataObject(), MK_LBUTTON, POINTL{110, 60}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  drop->DragLeave();
  EXPECT_EQ(target.leaves, 1);
  target.Revoke();
}

}  // namespace
