#include "FormsPane.h"

#include "ErrorLog.h"
#include "FolimarApp.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "TranspBaseClass.h"
#include "resource.h"

namespace {

// The maker's collection of forms, by the user's interface language; other languages have none.
LPCWSTR FormCollectionPage(LANGID language) {
  switch (language) {
    case MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA): return L"https://www.example.com/vantry/ru/forms/";
    case MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US): return L"https://www.example.com/vantry/forms/";
    default: return nullptr;
  }
}

}  // namespace

BEGIN_MESSAGE_MAP(CFormsPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CONTEXTMENU()
ON_NOTIFY(NM_CLICK, CFormsPane::kListId, OnLClkFormsList)
END_MESSAGE_MAP()

int CFormsPane::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  DEF_TRY
  if (CDockablePane::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_NOCOLUMNHEADER, CRect(), this, kListId))
    return -1;
  m_list.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
  CString title;
  title.LoadString(IDS_FORMS_PANE);
  m_list.InsertColumn(0, title, LVCFMT_LEFT, kColumnWidth);
  Layout();
  LoadForms();
  return 0;
  DEF_CATCH("CFormsPane::OnCreate")
  return 0;
}

BOOL CFormsPane::LoadForms() {
  DEF_TRY
  if (m_list.m_hWnd != nullptr) m_list.DeleteAllItems();
  m_fileNames.RemoveAll();
  m_count = 0;
  LoadFormsByExt(L"rud");
  LoadFormsByExt(L"qlm");
  DEF_CATCH("CFormsPane::LoadForms")
  return TRUE;
}

void CFormsPane::LoadFormsByExt(LPCTSTR extension) {
  DEF_TRY
  if (m_list.m_hWnd == nullptr) return;
  // No forms folder: the pattern would list the root of the current drive.
  const CString folder = GetFormsPathName();
  if (folder.IsEmpty()) return;
  CString pattern;
  pattern.Format(L"%s\\*.%s", static_cast<LPCWSTR>(folder), extension);
  CFileFind finder;
  BOOL more = finder.FindFile(pattern);
  while (more) {
    more = finder.FindNextFile();
    if (finder.IsDirectory() || finder.IsDots()) continue;
    const CString name = finder.GetFileName();
    const int row = m_list.InsertItem(m_count, GetFormName(name));
    if (row < 0) continue;
    m_fileNames.AddTail(name);
    m_list.SetItemData(row, static_cast<DWORD_PTR>(m_fileNames.GetCount() - 1));
    ++m_count;
  }
  DEF_CATCH("CFormsPane::LoadFormsByExt")
}

CString CFormsPane::GetSelectedItemPathName() {
  DEF_TRY
  if (m_list.m_hWnd == nullptr) return CString();
  POSITION selected = m_list.GetFirstSelectedItemPosition();
  if (selected == nullptr) return CString();
  const int row = m_list.GetNextSelectedItem(selected);
  POSITION entry = m_fileNames.FindIndex(static_cast<INT_PTR>(m_list.GetItemData(row)));
  if (entry == nullptr) return CString();
  return GetFormsPathName() + L"\\" + m_fileNames.GetAt(entry);
  DEF_CATCH("CFormsPane::GetSelectedItemPathName")
  return CString();
}

void CFormsPane::OnLClkFormsList(NMHDR* pNMHDR, LRESULT* pResult) {
  (void)pNMHDR;
  *pResult = 0;
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr) frame->ClosePrintPreview();
  const CString path = GetSelectedItemPathName();
  CFolimarApp* app = GetFolimarApp();
  if (!path.IsEmpty()) {
    if (app != nullptr) app->CreateDocFromTemplate(path);
    if (frame != nullptr) frame->SetProgramMode(PROGRAM_MODE_FORM, 1);
    m_list.SetFocus();
    return;
  }
  CPoint point;
  ::GetCursorPos(&point);
  m_list.ScreenToClient(&point);
  if (m_list.HitTest(point) < 0) return;
  LPCWSTR page = FormCollectionPage(::GetUserDefaultUILanguage());
  if (page != nullptr) ShellOpen(L"open", page);
  DEF_CATCH("CFormsPane::OnLClkFormsList")
}

void CFormsPane::OnContextMenu(CWnd* pWnd, CPoint point) {
  (void)pWnd;
  DEF_TRY
  CMenu menu;
  if (!menu.LoadMenu(IDR_FORMS_MENU)) return;
  CMenu* popup = menu.GetSubMenu(0);
  const CString path = GetSelectedItemPathName();
  if (popup != nullptr && !path.IsEmpty()) {
    CString title = path.Mid(path.ReverseFind(L'\\') + 1);
    const int dot = title.ReverseFind(L'.');
    if (dot >= 0) title = title.Left(dot);
    // The printer test form ships with the program and stays.
    if (title == L"PrinterTest") popup->EnableMenuItem(ID_FORMS_DELETE, MF_BYCOMMAND | MF_GRAYED);
    CWinAppEx* app = GetFolimarApp();
    CContextMenuManager* menus = app != nullptr ? app->GetContextMenuManager() : nullptr;
    if (point.x == -1 && point.y == -1) ::GetCursorPos(&point);
    const UINT command = menus != nullptr ? menus->TrackPopupMenu(popup->m_hMenu, point.x, point.y, this) : 0;
    if (command == ID_FORMS_OPEN_TO_EDIT) {
      CFolimarApp* folimar = GetFolimarApp();
      if (folimar != nullptr) folimar->OpenDocFromTemplate(path);
    } else if (command == ID_FORMS_DELETE) {
      DeleteForm(path);
    }
  }
  menu.DestroyMenu();
  DEF_CATCH("CFormsPane::OnContextMenu")
}

BOOL CFormsPane::DeleteForm(const CString& path) {
  DEF_TRY
  CString question;
  question.Format(IDS_DELETE_FORM_QUESTION, static_cast<LPCWSTR>(GetFormName(path.Mid(path.ReverseFind(L'\\') + 1))));
  if (YesNoBox(question) != IDYES) return FALSE;
  const BOOL deleted = ::DeleteFileW(path);
  LoadForms();
  return deleted;
  DEF_CATCH("CFormsPane::DeleteForm")
  return FALSE;
}

void CFormsPane::OnSize(UINT nType, int cx, int cy) {
  CDockablePane::OnSize(nType, cx, cy);
  Layout();
}

void CFormsPane::Layout() {
  DEF_TRY
  if (m_hWnd == nullptr || m_list.m_hWnd == nullptr) return;
  CRect client;
  GetClientRect(&client);
  const BOOL fits = client.Width() >= 0 && client.Height() >= 0;
  if (fits)
    m_list.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                        SWP_NOACTIVATE | SWP_NOZORDER);
  for (CWnd* child = GetWindow(GW_CHILD); child != nullptr; child = child->GetWindow(GW_HWNDNEXT))
    child->ShowWindow(fits ? SW_SHOWNOACTIVATE : SW_HIDE);
  DEF_CATCH("CFormsPane::Layout")
}
