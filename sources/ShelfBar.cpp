#include "ShelfBar.h"

#include <string>
#include <vector>

#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "LMyBitmap.h"
#include "MyProcs.h"
#include "SharedProcs.h"
#include "TranspBaseClass.h"
#include "TranspImage.h"
#include "ViewDialogs.h"
#include "resource.h"

namespace {

const wchar_t kShelfFileName[] = L"vyshelf.dat";
constexpr int kColumnWidth = 200;
// Text fields and labels keep their text from this byte of their data; the name shows its first line.
constexpr size_t kTextOffset = 288;
constexpr int kNameCharacters = 10;

struct SHELF_KIND {
  int type;
  LPCWSTR word;
  int image;
};
const SHELF_KIND kKinds[] = {{1, L"Rectangle", 0}, {2, L"Ellipse", 1},     {3, L"Line", 3},     {4, L"Freehand", 4},
                             {6, L"Text field", 5}, {7, L"Check mark", 6}, {8, L"Picture", 7},  {9, L"Circle", 8},
                             {15, L"Block", 9},     {16, L"Text", 14},     {17, L"Barcode", 15}};
constexpr int kTypeTextField = 6, kTypeBlock = 15, kTypeLabel = 16;

const SHELF_KIND* KindOf(int type) {
  for (const SHELF_KIND& kind : kKinds)
    if (kind.type == type) return &kind;
  return nullptr;
}

std::wstring AnsiToWide(const std::string& ansi) {
  if (ansi.empty()) return std::wstring();
  const int length = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], length);
  return wide;
}

void FileMessage(UINT id, const CString& path) {
  CString text;
  text.LoadString(id);
  text.Replace(L"%1", path);
  ErrorBox(text);
}

BOOL AskBlockName(CWnd* parent, CString& name) {
  CBlockNameDlg dialog(parent);
  if (dialog.DoModal() != IDOK) return FALSE;
  name = dialog.GetBlockName();
  return TRUE;
}
CShelfBar::BlockNamePrompt g_blockNamePrompt = AskBlockName;

// A copy of a global block, or null.
HGLOBAL CopyBlock(HGLOBAL data) {
  const SIZE_T size = data != nullptr ? ::GlobalSize(data) : 0;
  const void* source = size != 0 ? ::GlobalLock(data) : nullptr;
  if (source == nullptr) return nullptr;
  HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  void* target = copy != nullptr ? ::GlobalLock(copy) : nullptr;
  if (target != nullptr) {
    memcpy(target, source, size);
    ::GlobalUnlock(copy);
  }
  ::GlobalUnlock(data);
  return copy;
}

// The record's own size when it is sound object data inside its block, else 0.
uint32_t RecordSize(HGLOBAL data) {
  const SIZE_T block = data != nullptr ? ::GlobalSize(data) : 0;
  if (block < 8) return 0;
  const int32_t* header = static_cast<const int32_t*>(::GlobalLock(data));
  if (header == nullptr) return 0;
  const int32_t size = header[0];
  ::GlobalUnlock(data);
  return size >= 8 && static_cast<SIZE_T>(size) <= block ? static_cast<uint32_t>(size) : 0;
}

}  // namespace

// ---- Drop target ----

DROPEFFECT CMyOleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CMyOleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  DEF_TRY
  CShelfBar* pane = dynamic_cast<CShelfBar*>(pWnd);
  return pane != nullptr ? pane->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
  DEF_CATCH("CMyOleDropTarget::OnDragOver")
  return DROPEFFECT_NONE;
}

BOOL CMyOleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  DEF_TRY
  CShelfBar* pane = dynamic_cast<CShelfBar*>(pWnd);
  return pane != nullptr && pane->OnDrop(pDataObject, dropEffect, point);
  DEF_CATCH("CMyOleDropTarget::OnDrop")
  return FALSE;
}

// ---- The pane ----

BEGIN_MESSAGE_MAP(CShelfBar, CDockablePane)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_CONTEXTMENU()
ON_WM_DROPFILES()
ON_NOTIFY(LVN_BEGINDRAG, CShelfBar::kListId, OnBegindragCollectionbarListctrl)
ON_NOTIFY(LVN_ENDLABELEDITW, CShelfBar::kListId, OnEndlabeleditCollectionbarListctrl)
ON_NOTIFY(LVN_KEYDOWN, CShelfBar::kListId, OnKeydownCollectionbarListctrl)
ON_NOTIFY(NM_RCLICK, CShelfBar::kListId, OnRclickCollectionbarListctrl)
END_MESSAGE_MAP()

CShelfBar::~CShelfBar() = default;

CShelfBar::BlockNamePrompt CShelfBar::SetBlockNamePrompt(BlockNamePrompt prompt) {
  BlockNamePrompt previous = g_blockNamePrompt;
  g_blockNamePrompt = prompt != nullptr ? prompt : AskBlockName;
  return previous;
}

int CShelfBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  DEF_TRY
  if (CDockablePane::OnCreate(lpCreateStruct) == -1) return -1;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                      LVS_EDITLABELS | LVS_NOCOLUMNHEADER | LVS_ALIGNLEFT;
  if (!m_list.Create(style, CRect(), this, kListId)) return -1;
  m_list.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
  CString title;
  title.LoadString(IDS_SHELF_PANE);
  m_list.InsertColumn(0, title, LVCFMT_RIGHT, kColumnWidth);
  // The kinds' pictures: 16 x 16 each, white is the background.
  if (!m_images.Create(IDB_SHELF_ITEMS, 16, 0, RGB(255, 255, 255))) return 0;
  m_list.SetImageList(&m_images, LVSIL_SMALL);
  AdjustLayout();
  if (m_collectionPath.IsEmpty()) m_collectionPath = GetFilesPathName() + L"\\" + kShelfFileName;
  LoadCollection();
  m_dropTarget.Register(this);
  DragAcceptFiles(TRUE);
  return 0;
  DEF_CATCH("CShelfBar::OnCreate")
  return -1;
}

void CShelfBar::OnDestroy() {
  DEF_TRY
  CDockablePane::OnDestroy();
  m_dropTarget.Revoke();
  if (!m_collectionPath.IsEmpty()) SaveCollection();
  FreeAllListItems();
  DEF_CATCH("CShelfBar::OnDestroy")
}

void CShelfBar::AdjustLayout() {
  DEF_TRY
  FitChildToClient(*this, m_list);
  DEF_CATCH("CShelfBar::AdjustLayout")
}

void CShelfBar::OnSize(UINT nType, int cx, int cy) {
  CDockablePane::OnSize(nType, cx, cy);
  AdjustLayout();
}

// ---- Items ----

int CShelfBar::GetItemType(HGLOBAL data) {
  if (RecordSize(data) == 0) return 0;
  const int32_t* header = static_cast<const int32_t*>(::GlobalLock(data));
  if (header == nullptr) return 0;
  const int type = header[1];
  ::GlobalUnlock(data);
  return type;
}

int CShelfBar::GetItemCount(int type) {
  int count = 0;
  for (int row = 0; row < m_list.GetItemCount(); ++row)
    if (GetItemType(GetItemData(row)) == type) ++count;
  return count;
}

BOOL CShelfBar::HasSelection() { return m_list.m_hWnd != nullptr && m_list.GetFirstSelectedItemPosition() != nullptr; }

CString CShelfBar::MakeItemName(HGLOBAL data) {
  DEF_TRY
  const int type = GetItemType(data);
  const SHELF_KIND* kind = KindOf(type);
  if (kind == nullptr) return CString();
  if (type == kTypeTextField || type == kTypeLabel) {
    const uint32_t size = RecordSize(data);
    const BYTE* record = static_cast<const BYTE*>(::GlobalLock(data));
    CString text;
    // The text runs from its offset to its NUL, never past the record.
    for (size_t at = kTextOffset; record != nullptr && at + 1 < size; at += 2) {
      const wchar_t c = static_cast<wchar_t>(record[at] | record[at + 1] << 8);
      if (c == 0) break;
      text += c;
    }
    if (record != nullptr) ::GlobalUnlock(data);
    const int lineEnd = text.Find(L"\r\n");
    if (lineEnd >= 0) text = text.Left(lineEnd);
    return text.Left(kNameCharacters);
  }
  CString name;
  name.Format(L"%d %s", GetItemCount(type) + 1, kind->word);
  return name;
  DEF_CATCH("CShelfBar::MakeItemName")
  return CString();
}

BOOL CShelfBar::AddItem(HGLOBAL data, LPCTSTR name) {
  DEF_TRY
  const SHELF_KIND* kind = KindOf(GetItemType(data));
  if (kind == nullptr || m_list.m_hWnd == nullptr) {
    if (data != nullptr) ::GlobalFree(data);
    return FALSE;
  }
  CString itemName;
  if (name != nullptr) {
    itemName = name;
  } else if (kind->type == kTypeBlock) {
    if (!g_blockNamePrompt(this, itemName)) {
      ::GlobalFree(data);
      return FALSE;
    }
  } else {
    itemName = MakeItemName(data);
  }
  const int row = m_list.InsertItem(m_list.GetItemCount(), itemName, kind->image);
  if (row < 0) {
    ::GlobalFree(data);
    return FALSE;
  }
  m_list.SetItemData(row, reinterpret_cast<DWORD_PTR>(data));
  m_changed = TRUE;
  return TRUE;
  DEF_CATCH("CShelfBar::AddItem")
  return FALSE;
}

void CShelfBar::FreeAllListItems() {
  DEF_TRY
  if (m_list.m_hWnd == nullptr) return;
  for (int row = 0; row < m_list.GetItemCount(); ++row) {
    HGLOBAL data = GetItemData(row);
    if (data != nullptr) ::GlobalFree(data);
    m_list.SetItemData(row, 0);
  }
  m_list.DeleteAllItems();
  DEF_CATCH("CShelfBar::FreeAllListItems")
}

void CShelfBar::DeleteItem() {
  DEF_TRY
  POSITION pos = m_list.GetFirstSelectedItemPosition();
  if (pos == nullptr) return;
  const int row = m_list.GetNextSelectedItem(pos);
  if (YesNoBox(IDS_DELETE_SHELF_ITEM) != IDYES) return;
  HGLOBAL data = GetItemData(row);
  if (data != nullptr) ::GlobalFree(data);
  m_list.DeleteItem(row);
  m_changed = TRUE;
  DEF_CATCH("CShelfBar::DeleteItem")
}

void CShelfBar::RenameItem() {
  DEF_TRY
  POSITION pos = m_list.GetFirstSelectedItemPosition();
  if (pos == nullptr) return;
  m_list.SetFocus();
  m_list.EditLabel(m_list.GetNextSelectedItem(pos));
  DEF_CATCH("CShelfBar::RenameItem")
}

void CShelfBar::OnEndlabeleditCollectionbarListctrl(NMHDR* pNMHDR, LRESULT* pResult) {
  DEF_TRY
  *pResult = 0;
  const NMLVDISPINFOW* info = reinterpret_cast<const NMLVDISPINFOW*>(pNMHDR);
  if (info->item.pszText == nullptr) return;
  m_list.SetItemText(info->item.iItem, 0, info->item.pszText);
  m_changed = TRUE;
  DEF_CATCH("CShelfBar::OnEndlabeleditCollectionbarListctrl")
}

void CShelfBar::OnKeydownCollectionbarListctrl(NMHDR* pNMHDR, LRESULT* pResult) {
  DEF_TRY
  *pResult = 0;
  const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(pNMHDR)->wVKey;
  if (key == VK_DELETE) {
    DeleteItem();
    m_list.SetFocus();
  } else if (key == VK_F2) {
    RenameItem();
  }
  DEF_CATCH("CShelfBar::OnKeydownCollectionbarListctrl")
}

void CShelfBar::OnRclickCollectionbarListctrl(NMHDR*, LRESULT* pResult) {
  DEF_TRY
  *pResult = 0;
  CPoint point;
  ::GetCursorPos(&point);
  OnContextMenu(&m_list, point);
  DEF_CATCH("CShelfBar::OnRclickCollectionbarListctrl")
}

void CShelfBar::OnContextMenu(CWnd*, CPoint point) {
  DEF_TRY
  CMenu menu;
  if (!menu.LoadMenu(IDR_SHELF_MENU)) return;
  CMenu* popup = menu.GetSubMenu(0);
  if (popup == nullptr) return;
  const UINT state = HasSelection() ? MF_ENABLED : MF_GRAYED;
  popup->EnableMenuItem(ID_SHELF_RENAME, MF_BYCOMMAND | state);
  popup->EnableMenuItem(ID_SHELF_DELETE, MF_BYCOMMAND | state);
  if (point.x == -1 && point.y == -1) ::GetCursorPos(&point);
  CWinAppEx* app = GetFolimarApp();
  CContextMenuManager* menus = app != nullptr ? app->GetContextMenuManager() : nullptr;
  const UINT command = menus != nullptr ? menus->TrackPopupMenu(popup->m_hMenu, point.x, point.y, this) : 0;
  if (command == ID_SHELF_RENAME) RenameItem();
  if (command == ID_SHELF_DELETE) DeleteItem();
  menu.DestroyMenu();
  DEF_CATCH("CShelfBar::OnContextMenu")
}

// ---- The shelf file ----

BOOL CShelfBar::LoadCollection() {
  DEF_TRY
  if (m_collectionPath.IsEmpty() || !FileExists(m_collectionPath)) return TRUE;
  FreeAllListItems();
  m_loadRefused = FALSE;
  m_changed = FALSE;
  CFile file;
  std::string bytes;
  BOOL read = file.Open(m_collectionPath, CFile::modeRead | CFile::shareDenyWrite);
  if (read) {
    const ULONGLONG length = file.GetLength();
    read = length <= shelf_file::kMaxFileBytes;
    if (read) {
      bytes.resize(static_cast<size_t>(length));
      read = bytes.empty() || file.Read(&bytes[0], static_cast<UINT>(length)) == length;
    }
    file.Close();
  }
  std::vector<SHELF_ITEM> items;
  if (!read || !shelf_file::Parse(bytes, items, AnsiToWide)) {
    m_loadRefused = TRUE;
    FileMessage(IDS_FILE_READ_ERROR, m_collectionPath);
    return FALSE;
  }
  for (const SHELF_ITEM& item : items) {
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, item.data.size());
    void* target = data != nullptr ? ::GlobalLock(data) : nullptr;
    if (target == nullptr) {
      if (data != nullptr) ::GlobalFree(data);
      continue;
    }
    memcpy(target, item.data.data(), item.data.size());
    ::GlobalUnlock(data);
    AddItem(data, item.name.c_str());
  }
  m_changed = FALSE;
  return TRUE;
  DEF_CATCH("CShelfBar::LoadCollection")
  return FALSE;
}

BOOL CShelfBar::SaveCollection() {
  DEF_TRY
  // A file that could not be read stays as it is until the user changes the shelf.
  if (m_collectionPath.IsEmpty() || (m_loadRefused && !m_changed) || m_list.m_hWnd == nullptr) return FALSE;
  std::vector<SHELF_ITEM> items;
  for (int row = 0; row < m_list.GetItemCount(); ++row) {
    HGLOBAL data = GetItemData(row);
    const uint32_t size = RecordSize(data);
    const BYTE* record = size != 0 ? static_cast<const BYTE*>(::GlobalLock(data)) : nullptr;
    if (record == nullptr) continue;
    SHELF_ITEM item;
    item.data.assign(record, record + size);
    ::GlobalUnlock(data);
    item.name = static_cast<LPCWSTR>(GetItemName(row));
    items.push_back(std::move(item));
  }
  const std::string bytes = shelf_file::Compose(items);
  // Written beside the file and put in its place only when all of it was written.
  const CString temporary = m_collectionPath + L".new";
  HANDLE file = ::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  DWORD written = 0;
  const BOOL complete = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size();
  ::CloseHandle(file);
  if (!complete || !::MoveFileExW(temporary, m_collectionPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(temporary);
    FileMessage(IDS_FILE_WRITE_ERROR, m_collectionPath);
    return FALSE;
  }
  m_loadRefused = FALSE;
  return TRUE;
  DEF_CATCH("CShelfBar::SaveCollection")
  return FALSE;
}

// ---- Dragging out and dropping in ----

DROPEFFECT CShelfBar::DragItem(int row) {
  DEF_TRY
  const UINT format = CTranspBaseClass::GetClipboardFormat();
  if (row < 0 || row >= m_list.GetItemCount() || format == 0) return DROPEFFECT_NONE;
  HGLOBAL copy = CopyBlock(GetItemData(row));
  if (copy == nullptr) return DROPEFFECT_NONE;
  // The source owns the copy and frees it when the drag is over; the shelf keeps its item.
  COleDataSource source;
  source.CacheGlobalData(static_cast<CLIPFORMAT>(format), copy);
  return source.DoDragDrop(DROPEFFECT_COPY);
  DEF_CATCH("CShelfBar::DragItem")
  return DROPEFFECT_NONE;
}

void CShelfBar::OnBegindragCollectionbarListctrl(NMHDR* pNMHDR, LRESULT* pResult) {
  DEF_TRY
  *pResult = 0;
  DragItem(reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iItem);
  DEF_CATCH("CShelfBar::OnBegindragCollectionbarListctrl")
}

DROPEFFECT CShelfBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  DEF_TRY
  if (pDataObject == nullptr || m_list.m_hWnd == nullptr) return DROPEFFECT_NONE;
  CPoint screen = point;
  ClientToScreen(&screen);
  CRect list;
  m_list.GetWindowRect(&list);
  const UINT format = CTranspBaseClass::GetClipboardFormat();
  const BOOL offered = (format != 0 && pDataObject->IsDataAvailable(static_cast<CLIPFORMAT>(format))) ||
                       pDataObject->IsDataAvailable(CF_DIB);
  if (!list.PtInRect(screen) || !offered) return DROPEFFECT_NONE;
  const BOOL control = (dwKeyState & MK_CONTROL) != 0, shift = (dwKeyState & MK_SHIFT) != 0;
  if (control && shift) return DROPEFFECT_NONE;
  return control ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  DEF_CATCH("CShelfBar::OnDragOver")
  return DROPEFFECT_NONE;
}

BOOL CShelfBar::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint) {
  DEF_TRY
  if (pDataObject == nullptr || (dropEffect != DROPEFFECT_COPY && dropEffect != DROPEFFECT_MOVE)) return FALSE;
  const UINT format = CTranspBaseClass::GetClipboardFormat();
  if (format != 0 && pDataObject->IsDataAvailable(static_cast<CLIPFORMAT>(format))) {
    AddItem(pDataObject->GetGlobalData(static_cast<CLIPFORMAT>(format)), nullptr);
  } else if (pDataObject->IsDataAvailable(CF_DIB)) {
    HGLOBAL dib = pDataObject->GetGlobalData(CF_DIB);
    AddDIB(dib);
    if (dib != nullptr) ::GlobalFree(dib);
  }
  return TRUE;
  DEF_CATCH("CShelfBar::OnDrop")
  return FALSE;
}

void CShelfBar::AddDIB(HGLOBAL dib) {
  DEF_TRY
  if (dib == nullptr) return;
  HGLOBAL data = CTranspImage::MakeObDataFromDIB(dib);
  if (data != nullptr) AddItem(data, nullptr);
  DEF_CATCH("CShelfBar::AddDIB")
}

BOOL CShelfBar::AddImageFile(const CString& path) {
  DEF_TRY
  LMyBitmap bitmap;
  if (bitmap.Load(path, 0, ORDER_BGR, 1) != SUCCESS) return FALSE;
  HGLOBAL dib = bitmap.ConvertToDIB();
  if (dib == nullptr) return FALSE;
  AddDIB(dib);
  ::GlobalFree(dib);
  return TRUE;
  DEF_CATCH("CShelfBar::AddImageFile")
  return FALSE;
}

void CShelfBar::OnDropFiles(HDROP hDropInfo) {
  DEF_TRY
  const UINT count = ::DragQueryFileW(hDropInfo, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    WCHAR path[MAX_PATH] = {};
    if (::DragQueryFileW(hDropInfo, i, path, MAX_PATH) == 0) continue;
    if (CFolimarDoc::IsImageFormatSupported(path)) AddImageFile(path);
  }
  DEF_CATCH("CShelfBar::OnDropFiles")
  CDockablePane::OnDropFiles(hDropInfo);
}
