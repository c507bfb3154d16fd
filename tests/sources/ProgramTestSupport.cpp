#include "ProgramTestSupport.h"

#include "FolimarDoc.h"
#include "LMyBitmap.h"
#include "PageInfo.h"

namespace program_test {

bool MakeQuadrantDocument(const std::wstring& path, int pages, double scale) {
  CFolimarDoc doc;
  if (!doc.OnNewDocument()) return false;
  while (doc.GetPageCount() < pages)
    if (doc.AppendNewPage() == nullptr) return false;
  for (int i = 0; i < pages; ++i) {
    doc.GetPage(i)->m_settings.width = 8.5;
    doc.GetPage(i)->m_settings.height = 11.0;
  }
  LMyBitmap* bitmap = new LMyBitmap;
  if (bitmap->Create(kImageWidth, kImageHeight, 24) != SUCCESS) {
    delete bitmap;
    return false;
  }
  bitmap->SetXResolution(96);
  bitmap->SetYResolution(96);
  for (int y = 0; y < kImageHeight; ++y)
    for (int x = 0; x < kImageWidth; ++x)
      bitmap->PutPixelColor(x, y, kQuadrants[(y < kImageHeight / 2 ? 0 : 2) + (x < kImageWidth / 2 ? 0 : 1)]);
  doc.GetPage(0)->SetBitmap(bitmap);
  doc.SetScale(scale);
  return doc.OnSaveDocument(path.c_str()) != FALSE;
}

bool DeleteProfile() {
  const LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Quennick\\Vantry");
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

namespace {

struct SEARCH {
  int id;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  SEARCH* search = reinterpret_cast<SEARCH*>(param);
  if (search->className != nullptr) {
    wchar_t name[64] = L"";
    ::GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, search->className) != 0) return TRUE;
  } else if (::GetDlgCtrlID(window) != search->id) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

BOOL CALLBACK CountStatics(HWND window, LPARAM param) {
  wchar_t name[16] = L"";
  ::GetClassNameW(window, name, 16);
  if (lstrcmpiW(name, L"Static") == 0) ++*reinterpret_cast<int*>(param);
  return TRUE;
}

BOOL CALLBACK CountTabsBesideView(HWND window, LPARAM param) {
  const std::pair<HWND, int*>* search = reinterpret_cast<const std::pair<HWND, int*>*>(param);
  if (window != search->first && ::GetParent(window) == ::GetParent(search->first))
    ::EnumChildWindows(window, CountStatics, reinterpret_cast<LPARAM>(search->second));
  return TRUE;
}

}  // namespace

HWND FindDescendant(HWND parent, int id) {
  SEARCH search = {id, nullptr, nullptr};
  ::EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDescendantOfClass(HWND parent, const wchar_t* className) {
  SEARCH search = {0, className, nullptr};
  ::EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDocumentView(HWND frame) {
  HWND client = FindDescendantOfClass(frame, L"MDIClient");
  if (client == nullptr) return nullptr;
  HWND child = reinterpret_cast<HWND>(::SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
  return child != nullptr ? ::GetDlgItem(child, AFX_IDW_PANE_FIRST) : nullptr;
}

HWND WaitForDocumentView(const testing_support::ChildProcess& program, HWND frame, DWORD timeoutMs) {
  for (DWORD start = ::GetTickCount(); frame != nullptr && ::GetTickCount() - start < timeoutMs; ::Sleep(50)) {
    HWND view = FindDocumentView(frame);
    if (view != nullptr && ::IsWindowVisible(view)) return view;
    if (program.WaitForExit(0) != STILL_ACTIVE) break;
  }
  return nullptr;
}

int CountPageTabs(HWND view) {
  int count = 0;
  std::pair<HWND, int*> search(view, &count);
  ::EnumChildWindows(::GetParent(view), CountTabsBesideView, reinterpret_cast<LPARAM>(&search));
  return count;
}

}  // namespace program_test
