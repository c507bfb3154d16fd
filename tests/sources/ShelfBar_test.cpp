// The shelf pane in the running frame: objects of every kind kept across a restart with their data,
// names made for them, delete and rename, a damaged shelf file refused and left as it was, dropping
// onto the shelf and dragging an item out as object data.
#include "ShelfBar.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "MyProcs.h"
#include "SharedProcs.h"
#include "TranspBaseClass.h"
#include "TranspCheckMark.h"
#include "TranspLabel.h"
#include "TranspShapes.h"
#include "TranspText.h"
#include "resource.h"

namespace {

std::string U32(uint32_t v) {
  std::string out;
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return out;
}

HGLOBAL Block(const std::string& bytes) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  memcpy(::GlobalLock(block), bytes.data(), bytes.size());
  ::GlobalUnlock(block);
  return block;
}

std::string BytesOfBlock(HGLOBAL block) {
  const SIZE_T size = ::GlobalSize(block);
  const char* p = static_cast<const char*>(::GlobalLock(block));
  std::string bytes(p, p + size);
  ::GlobalUnlock(block);
  return bytes;
}

// Object data of `type`: its size, its type, then `payload`.
std::string Record(int32_t type, const std::string& payload) {
  return U32(static_cast<uint32_t>(8 + payload.size())) + U32(static_cast<uint32_t>(type)) + payload;
}

// A text object's data with `text` at the byte where its text is kept.
std::string TextRecord(int32_t type, const std::wstring& text) {
  std::string payload(288 - 8, '\x11');
  for (wchar_t c : text) {
    payload.push_back(static_cast<char>(c & 0xFF));
    payload.push_back(static_cast<char>(c >> 8));
  }
  payload.append(2, '\0');
  return Record(type, payload);
}

std::vector<std::wstring> g_boxes;
int g_answer = IDYES;
int AnswerBox(LPCTSTR text, UINT) {
  g_boxes.push_back(text != nullptr ? text : L"");
  return g_answer;
}

BOOL g_blockAnswer = FALSE;
BOOL BlockName(CWnd*, CString& name) {
  name = L"My block";
  return g_blockAnswer;
}

class ShelfTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    g_boxes.clear();
    g_answer = IDYES;
    previousBox_ = SetMessageBoxPresenter(AnswerBox);
    previousPrompt_ = CShelfBar::SetBlockNamePrompt(BlockName);
    CTranspBaseClass::SetClipboardFormat(::RegisterClipboardFormatW(L"Brannow Applications Transparent Objects"));
    shelfFile_ = std::wstring(GetFilesPathName()) + L"\\vyshelf.dat";
  }
  void TearDown() override {
    FrameTest::TearDown();
    SetMessageBoxPresenter(previousBox_);
    CShelfBar::SetBlockNamePrompt(previousPrompt_);
  }
  CShelfBar& Shelf() { return frame->GetShelfBar(); }
  std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    for (int row = 0; row < Shelf().GetList().GetItemCount(); ++row) names.push_back(std::wstring(Shelf().GetItemName(row)));
    return names;
  }
  void Select(int row) { Shelf().GetList().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED); }
  MessageBoxPresenter previousBox_ = nullptr;
  CShelfBar::BlockNamePrompt previousPrompt_ = nullptr;
  std::wstring shelfFile_;
};

TEST_F(ShelfTest, ObjectsOfEveryKindSurviveARestartWithTheirDataNamesAndImages) {
  ASSERT_NE(nullptr, OpenFrame());
  EXPECT_EQ(0, Shelf().GetList().GetItemCount()) << "no shelf file yet";
  const struct {
    int32_t type;
    std::wstring name;
    int image;
  } kinds[] = {{1, L"1 Rectangle", 0}, {2, L"1 Ellipse", 1},  {3, L"1 Line", 3},     {4, L"1 Freehand", 4},
               {7, L"1 Check mark", 6}, {8, L"1 Picture", 7}, {9, L"1 Circle", 8},   {15, L"My block", 9},
               {17, L"1 Barcode", 15},  {6, L"Field", 5},     {16, L"Label text", 14}};
  g_blockAnswer = TRUE;
  std::vector<std::string> records;
  for (const auto& k : kinds) {
    const std::string record = k.type == 6 ? TextRecord(6, L"Field") : k.type == 16 ? TextRecord(16, L"Label text")
                                                                                    : Record(k.type, std::string(12, static_cast<char>(k.type)));
    records.push_back(record);
    EXPECT_EQ(1, frame->AddObjectToCollection(Block(record))) << k.type;
  }
  EXPECT_EQ(0, frame->AddObjectToCollection(Block(Record(5, "xxxx")))) << "no kind the shelf keeps";
  CloseFrame();

  ASSERT_NE(nullptr, OpenFrame());
  ASSERT_EQ(static_cast<int>(_countof(kinds)), Shelf().GetList().GetItemCount());
  for (int row = 0; row < Shelf().GetList().GetItemCount(); ++row) {
    EXPECT_EQ(kinds[row].name, std::wstring(Shelf().GetItemName(row)));
    EXPECT_EQ(records[row], BytesOfBlock(Shelf().GetItemData(row))) << kinds[row].type;
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ASSERT_TRUE(Shelf().GetList().GetItem(&item));
    EXPECT_EQ(kinds[row].image, item.iImage) << kinds[row].type;
  }
}

TEST_F(ShelfTest, NamesAreMadeFromTheKindCountOrTheFirstLineOfText) {
  ASSERT_NE(nullptr, OpenFrame());
  for (int32_t type : {1, 1, 3, 1}) frame->AddObjectToCollection(Block(Record(type, "abcd")));
  frame->AddObjectToCollection(Block(TextRecord(6, L"Fourteen chars\r\nsecond line")));
  frame->AddObjectToCollection(Block(TextRecord(16, L"Short")));
  g_blockAnswer = FALSE;
  EXPECT_EQ(0, frame->AddObjectToCollection(Block(Record(15, "abcd")))) << "the block's name was not given";
  EXPECT_EQ((std::vector<std::wstring>{L"1 Rectangle", L"2 Rectangle", L"1 Line", L"3 Rectangle", L"Fourteen c", L"Short"}),
            Names());
}

TEST_F(ShelfTest, DeleteAsksAndRenameKeepsTheNewName) {
  ASSERT_NE(nullptr, OpenFrame());
  frame->AddObjectToCollection(Block(Record(1, "abcd")));
  frame->AddObjectToCollection(Block(Record(2, "abcd")));
  Select(0);
  g_answer = IDNO;
  Shelf().DeleteItem();
  EXPECT_EQ(2, Shelf().GetList().GetItemCount());
  ASSERT_EQ(1u, g_boxes.size());
  CString question;
  question.LoadString(IDS_DELETE_SHELF_ITEM);
  EXPECT_EQ(std::wstring(question), g_boxes[0]);
  g_answer = IDYES;
  Shelf().DeleteItem();
  EXPECT_EQ((std::vector<std::wstring>{L"1 Ellipse"}), Names());

  // Renaming edits the name in place: the typed text is kept on Enter, Escape keeps the old one.
  Select(0);
  Shelf().RenameItem();
  HWND edit = reinterpret_cast<HWND>(Shelf().GetList().SendMessage(LVM_GETEDITCONTROL));
  ASSERT_NE(nullptr, edit);
  ::SetWindowTextW(edit, L"Round one");
  ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  ::SendMessageW(edit, WM_CHAR, L'\r', 0);
  Pump();
  EXPECT_EQ(nullptr, reinterpret_cast<HWND>(Shelf().GetList().SendMessage(LVM_GETEDITCONTROL)));
  Shelf().RenameItem();
  edit = reinterpret_cast<HWND>(Shelf().GetList().SendMessage(LVM_GETEDITCONTROL));
  ASSERT_NE(nullptr, edit);
  ::SetWindowTextW(edit, L"Dropped");
  ::SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  ::SendMessageW(edit, WM_CHAR, 27, 0);
  Pump();
  EXPECT_EQ((std::vector<std::wstring>{L"Round one"}), Names());
  CloseFrame();
  ASSERT_NE(nullptr, OpenFrame());
  EXPECT_EQ((std::vector<std::wstring>{L"Round one"}), Names());
}

TEST_F(ShelfTest, ADamagedShelfFileIsRefusedTheShelfIsEmptyAndTheFileUntouched) {
  const std::string damaged = std::string("RODID\0\0\0", 8) + U32(2) + U32(0x40000000) + Record(1, "abcd") + U32(0);
  ASSERT_TRUE(testing_support::WriteFileBytes(shelfFile_, damaged));
  ASSERT_NE(nullptr, OpenFrame());
  EXPECT_EQ(0, Shelf().GetList().GetItemCount());
  ASSERT_EQ(1u, g_boxes.size());
  EXPECT_NE(std::wstring::npos, g_boxes[0].find(shelfFile_)) << "the message names the file";
  CloseFrame();
  EXPECT_EQ(damaged, testing_support::ReadFileBytes(shelfFile_));
}

TEST_F(ShelfTest, DroppedObjectDataBecomesAnItemButNotWithCtrlAndShift) {
  ASSERT_NE(nullptr, OpenFrame());
  ASSERT_TRUE(AfxOleInit());
  COleDataSource source;
  source.CacheGlobalData(static_cast<CLIPFORMAT>(CTranspBaseClass::GetClipboardFormat()), Block(Record(9, "abcd")));
  COleDataObject data;
  data.Attach(source.GetDataObject(), FALSE);
  CRect list;
  Shelf().GetList().GetWindowRect(&list);
  Shelf().ScreenToClient(&list);
  const CPoint inside = list.CenterPoint();
  EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_MOVE), Shelf().OnDragOver(&data, 0, inside));
  EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_COPY), Shelf().OnDragOver(&data, MK_CONTROL, inside));
  EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_NONE), Shelf().OnDragOver(&data, MK_CONTROL | MK_SHIFT, inside));
  EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_NONE), Shelf().OnDragOver(&data, 0, CPoint(list.right + 50, list.bottom + 50)));
  EXPECT_FALSE(Shelf().OnDrop(&data, DROPEFFECT_NONE, inside));
  EXPECT_TRUE(Shelf().OnDrop(&data, DROPEFFECT_COPY, inside));
  EXPECT_EQ((std::vector<std::wstring>{L"1 Circle"}), Names());
  EXPECT_EQ(Record(9, "abcd"), BytesOfBlock(Shelf().GetItemData(0)));
}

class ObjectDropTarget : public COleDropTarget {
 public:
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint) override {
    HGLOBAL block = data->GetGlobalData(static_cast<CLIPFORMAT>(CTranspBaseClass::GetClipboardFormat()));
    if (block == nullptr) return FALSE;
    dropped = BytesOfBlock(block);
    ::GlobalFree(block);
    return TRUE;
  }
  std::string dropped;
};

// With the button already up the drag drops at once where the cursor is: on a window put there.
TEST_F(ShelfTest, AnItemIsDraggedOutAsACopyOfItsObjectData) {
  ASSERT_NE(nullptr, OpenFrame());
  ASSERT_TRUE(AfxOleInit());
  CTranspRectangle* rect = new CTranspRectangle(nullptr, RECT{1000, 2000, 3000, 4000}, nullptr, 0);
  HGLOBAL data = rect->GetObData();
  delete rect;
  ASSERT_NE(nullptr, data);
  const std::string record = BytesOfBlock(data);
  ASSERT_EQ(1, frame->AddObjectToCollection(data));
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  CWnd window;
  ASSERT_TRUE(window.CreateEx(WS_EX_TOPMOST, nullptr, L"Drop", WS_POPUP | WS_VISIBLE, cursor.x - 50, cursor.y - 50, 100,
                              100, nullptr, nullptr));
  ObjectDropTarget target;
  ASSERT_TRUE(target.Register(&window));
  EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_COPY), Shelf().DragItem(0));
  EXPECT_EQ(record, target.dropped);
  EXPECT_EQ(1, Shelf().GetList().GetItemCount()) << "the shelf keeps its item";
  target.Revoke();
  window.DestroyWindow();
}

// Items dragged from the shelf and let go over a page are pasted there, at the cursor, and the shelf
// keeps them. With the button already up each drag drops at once where the cursor is.
TEST_F(ShelfTest, ItemsDraggedOntoAPageArePastedThereAtTheCursor) {
  ASSERT_NE(nullptr, OpenFrame());
  ASSERT_TRUE(AfxOleInit());
  CFolimarDoc* doc = NewDocument(1);
  ASSERT_NE(nullptr, doc);
  CFolimarView* view = ViewOf(doc);
  ASSERT_NE(nullptr, view);
  frame->SetProgramMode(12, 1);
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  std::vector<std::unique_ptr<CTranspBaseClass>> kept;
  kept.emplace_back(new CTranspRectangle(view, RECT{1000, 2000, 31000, 12000}, &style, 0));
  kept.emplace_back(new CTranspEllipse(view, RECT{5000, 5000, 25000, 45000}, &style, 0));
  kept.emplace_back(new CTranspCheckMark(view, 3000, 3000, &style, 0));
  kept.emplace_back(new CTranspText(view, 2000, 2000, &style, nullptr, L"Amount due", 0));
  kept.emplace_back(new CTranspLabel(view, 2000, 9000, &style, nullptr, L"Date of birth", 0));
  for (auto& object : kept) ASSERT_EQ(1, frame->AddObjectToCollection(object->GetObData()));
  ASSERT_EQ(static_cast<int>(kept.size()), Shelf().GetList().GetItemCount());

  frame->MoveWindow(0, 0, 1200, 900);
  view->GetParentFrame()->MoveWindow(0, 0, 800, 600);
  Pump();
  const POINT drop = {200, 150};
  POINT screen = drop;
  view->ClientToScreen(&screen);
  ::SetCursorPos(screen.x, screen.y);
  ASSERT_EQ(view->m_hWnd, ::WindowFromPoint(screen)) << "the page lies under the cursor";

  CTranspObjectList& objects = doc->GetPage(0)->m_objects;
  for (int row = 0; row < static_cast<int>(kept.size()); ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_COPY), Shelf().DragItem(row));
    ASSERT_EQ(row + 1, objects.GetCount());
    CTranspBaseClass* pasted = objects.GetTail();
    EXPECT_EQ(kept[row]->GetObjectKind(), pasted->GetObjectKind());
    RECT bounds = {};
    pasted->GetBoundsRect(&bounds, 0);
    CTranspText* text = dynamic_cast<CTranspText*>(pasted);
    if (text != nullptr) {
      // A text's bounds take in the frame drawn around it.
      EXPECT_TRUE(::PtInRect(&bounds, drop)) << bounds.left << "," << bounds.top;
      EXPECT_STREQ(dynamic_cast<CTranspText*>(kept[row].get())->GetText(), text->GetText());
    } else {
      EXPECT_NEAR(drop.x, bounds.left, 3);
      EXPECT_NEAR(drop.y, bounds.top, 3);
      const RECT& from = kept[row]->GetRect();
      const RECT& to = pasted->GetRect();
      EXPECT_EQ(from.right - from.left, to.right - to.left);
      EXPECT_EQ(from.bottom - from.top, to.bottom - to.top);
    }
  }
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(static_cast<int>(kept.size()), Shelf().GetList().GetItemCount()) << "the shelf keeps its items";
}

// A 2 x 2 24-bit bitmap file.
std::string SmallBmp() {
  auto u16 = [](uint16_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; };
  const std::string pixels(16, '\x40');  // two rows of 6 bytes padded to 8
  std::string info = U32(40) + U32(2) + U32(2) + u16(1) + u16(24) + U32(0) + U32(16) + U32(2835) + U32(2835) + U32(0) + U32(0);
  return "BM" + U32(14 + 40 + 16) + U32(0) + U32(14 + 40) + info + pixels;
}

// A drop of files as the shell sends it.
HDROP FilesDrop(const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& path : paths) list += path + L'\0';
  list += L'\0';
  HGLOBAL block = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  DROPFILES* drop = static_cast<DROPFILES*>(::GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(drop + 1, list.data(), list.size() * sizeof(wchar_t));
  ::GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

TEST_F(ShelfTest, DroppedImageFilesBecomePicturesOtherFilesAreIgnored) {
  ASSERT_NE(nullptr, OpenFrame());
  const std::wstring picture = temp_.Path() + L"dot.bmp", notes = temp_.Path() + L"notes.txt";
  ASSERT_TRUE(testing_support::WriteFileBytes(picture, SmallBmp()));
  ASSERT_TRUE(testing_support::WriteFileBytes(notes, SmallBmp()));
  HDROP drop = FilesDrop({notes, picture});
  Shelf().SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop));
  ::DragFinish(drop);
  ASSERT_EQ((std::vector<std::wstring>{L"1 Picture"}), Names());
  EXPECT_EQ(8, CShelfBar::GetItemType(Shelf().GetItemData(0)));
}

}  // namespace
