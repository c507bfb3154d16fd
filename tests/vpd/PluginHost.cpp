#include "PluginHost.h"

#include "TestSupport.h"

namespace vpd_test {

namespace {
const CLSID kPluginClass = {0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
PluginHost* currentHost = nullptr;
}  // namespace

PluginHost::PluginHost() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  dll_ = LoadLibraryW((testing_support::ProgramFolder() + L"\\Drovemark.dll").c_str());
  if (dll_) {
    getClassObject_ = reinterpret_cast<decltype(getClassObject_)>(GetProcAddress(dll_, "DllGetClassObject"));
    canUnloadNow_ = reinterpret_cast<decltype(canUnloadNow_)>(GetProcAddress(dll_, "DllCanUnloadNow"));
  }
}

PluginHost::~PluginHost() {
  if (dll_) FreeLibrary(dll_);
}

HRESULT PluginHost::getClassObject(REFCLSID classId, REFIID iid, void** object) const {
  return getClassObject_(classId, iid, object);
}

HRESULT PluginHost::canUnloadNow() const { return canUnloadNow_(); }

IPrintOemUI2* PluginHost::create() const {
  IClassFactory* factory = nullptr;
  if (FAILED(getClassObject_(kPluginClass, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) return nullptr;
  IPrintOemUI2* plugin = nullptr;
  factory->CreateInstance(nullptr, IID_IPrintOemUI2, reinterpret_cast<void**>(&plugin));
  factory->Release();
  return plugin;
}

LONG_PTR CALLBACK PluginHost::comPropSheet(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM) {
  PluginHost* host = currentHost;
  if (!host || sheet != reinterpret_cast<HANDLE>(host) || function != CPSFUNC_ADD_HPROPSHEETPAGE || lParam1 == 0)
    return 0;
  if (host->refuse_) return 0;
  host->collected_.push_back(reinterpret_cast<HPROPSHEETPAGE>(lParam1));
  return static_cast<LONG_PTR>(host->collected_.size());
}

std::vector<HPROPSHEETPAGE> PluginHost::collectPages(IPrintOemUI2* plugin, bool refuse) {
  collected_.clear();
  refuse_ = refuse;
  currentHost = this;
  PROPSHEETUI_INFO info = {};
  info.cbSize = sizeof(info);
  info.Version = PROPSHEETUI_INFO_VERSION;
  info.Reason = PROPSHEETUI_REASON_INIT;
  info.hComPropSheet = reinterpret_cast<HANDLE>(this);
  info.pfnComPropSheet = comPropSheet;
  plugin->DocumentPropertySheets(&info, 0);
  lastResult_ = info.Result;
  currentHost = nullptr;
  return collected_;
}

Sheet::Sheet(const std::vector<HPROPSHEETPAGE>& pages) {
  std::vector<HPROPSHEETPAGE> handles = pages;
  PROPSHEETHEADERW header = {};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_MODELESS;
  header.pszCaption = L"Printing Preferences";
  header.nPages = static_cast<UINT>(handles.size());
  header.phpage = handles.data();
  sheet_ = reinterpret_cast<HWND>(PropertySheetW(&header));
}

Sheet::~Sheet() {
  if (sheet_) DestroyWindow(sheet_);
}

std::vector<std::wstring> Sheet::tabTitles() const {
  std::vector<std::wstring> titles;
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETTABCONTROL, 0, 0));
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = _countof(text);
    SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    titles.push_back(text);
  }
  return titles;
}

HWND Sheet::page(const std::wstring& title) const {
  const std::vector<std::wstring> titles = tabTitles();
  for (size_t i = 0; i < titles.size(); ++i) {
    if (titles[i] == title) {
      SendMessageW(sheet_, PSM_SETCURSEL, i, 0);
      return reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_INDEXTOHWND, i, 0));
    }
  }
  return nullptr;
}

void Sheet::apply() const { SendMessageW(sheet_, PSM_APPLY, 0, 0); }

bool Sheet::applyEnabled() const {
  // The sheet's Apply button has the common controls' fixed id.
  const int applyButton = 0x3021;
  return IsWindowEnabled(GetDlgItem(sheet_, applyButton)) != FALSE;
}

void click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void typeText(HWND dialog, int id, const std::wstring& text) { SetDlgItemTextW(dialog, id, text.c_str()); }

void chooseComboEntry(HWND dialog, int id, const std::wstring& text) {
  HWND combo = GetDlgItem(dialog, id);
  const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

std::wstring controlText(HWND dialog, int id) {
  wchar_t text[2048] = L"";
  GetDlgItemTextW(dialog, id, text, _countof(text));
  return text;
}

std::wstring comboSelection(HWND dialog, int id) {
  HWND combo = GetDlgItem(dialog, id);
  const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return std::wstring();
  wchar_t text[256] = L"";
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

bool checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

namespace {

struct DialogWatch {
  const wchar_t* caption;
  void (*handle)(HWND, void*);
  void* data;
  bool done;
};
DialogWatch* watch = nullptr;

BOOL CALLBACK findDialog(HWND window, LPARAM found) {
  wchar_t text[128] = L"";
  GetWindowTextW(window, text, _countof(text));
  if (IsWindowVisible(window) && wcscmp(text, watch->caption) == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK pollForDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!watch || watch->done) return;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  watch->done = true;
  KillTimer(nullptr, timer);
  watch->handle(dialog, watch->data);
}

}  // namespace

void whileDialogOpen(const wchar_t* caption, void (*action)(void*), void* actionData,
                     void (*handle)(HWND, void*), void* handleData) {
  DialogWatch current = {caption, handle, handleData, false};
  watch = &current;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, pollForDialog);
  action(actionData);
  if (!current.done) KillTimer(nullptr, timer);
  watch = nullptr;
}

}  // namespace vpd_test
