#include "DialogDriver.h"

#include <commctrl.h>
#include <shlobj.h>


namespace testing_support {

namespace {

struct Script {
  const std::function<void(HWND)>* run;
  DWORD threadId;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

DWORD WINAPI RunScript(LPVOID param) {
  const Script* script = static_cast<const Script*>(param);
  HWND dialog = nullptr;
  for (int i = 0; i < 2000 && !dialog; ++i) {
    EnumThreadWindows(script->threadId, FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) Sleep(10);
  }
  if (!dialog) return 1;
  (*script->run)(dialog);
  if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return 0;
}

}  // namespace

INT_PTR RunDialog(const std::function<INT_PTR()>& doModal, const std::function<void(HWND)>& script) {
  Script context = {&script, GetCurrentThreadId()};
  HANDLE thread = CreateThread(nullptr, 0, RunScript, &context, 0, nullptr);
  const INT_PTR result = doModal();
  WaitForSingleObject(thread, 30000);
  CloseHandle(thread);
  return result;
}

std::vector<std::wstring> ComboItems(HWND dialog, int id) {
  std::vector<std::wstring> items;
  HWND combo = GetDlgItem(dialog, id);
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

std::wstring ComboSelection(HWND dialog, int id) {
  HWND combo = GetDlgItem(dialog, id);
  const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index < 0) return L"(none)";
  wchar_t text[256] = {};
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

std::vector<std::wstring> ListRows(HWND dialog, int id) {
  std::vector<std::wstring> rows;
  HWND list = GetDlgItem(dialog, id);
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::wstring cells;
    for (int column = 0; column < 3; ++column) {
      wchar_t text[256] = {};
      LVITEMW item = {};
      item.iSubItem = column;
      item.pszText = text;
      item.cchTextMax = 256;
      SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
      cells += (column ? L"|" : L"") + std::wstring(text);
    }
    rows.push_back(cells);
  }
  return rows;
}

std::vector<int> ColumnWidths(HWND dialog, int id) {
  std::vector<int> widths;
  for (int column = 0; column < 3; ++column)
    widths.push_back(static_cast<int>(SendDlgItemMessageW(dialog, id, LVM_GETCOLUMNWIDTH, column, 0)));
  return widths;
}

RECT ControlRect(HWND dialog, int id) {
  RECT rect = {};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::wstring ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SelectComboItem(HWND dialog, int id, int index) {
  HWND combo = GetDlgItem(dialog, id);
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void TypeText(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }

void ClickLater(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

namespace {
struct OwnedSearch {
  HWND owner;
  HWND found;
  HWND skip;  // set: any dialog but this one, of any owner
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM param) {
  OwnedSearch* search = reinterpret_cast<OwnedSearch*>(param);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  const bool wanted = search->skip != nullptr ? window != search->skip : GetWindow(window, GW_OWNER) == search->owner;
  if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window) || !wanted) return TRUE;
  search->found = window;
  return FALSE;
}

HWND WaitForDialog(OwnedSearch search, HWND ofThread, int tries) {
  for (int i = 0; i < tries && !search.found; ++i) {
    EnumThreadWindows(GetWindowThreadProcessId(ofThread, nullptr), FindOwnedDialog,
                      reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(10);
  }
  return search.found;
}

HWND WaitForOwnedDialog(HWND owner) { return WaitForDialog({owner, nullptr, nullptr}, owner, 3000); }

}  // namespace

HWND WaitForNextDialog(HWND previous) { return WaitForDialog({nullptr, nullptr, previous}, previous, 1000); }

namespace {

bool PressOkAndWait(HWND dialog) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  for (int i = 0; i < 3000 && IsWindow(dialog); ++i) Sleep(10);
  return !IsWindow(dialog);
}
}  // namespace

bool ChooseFileInOpenDialog(HWND owner, const wchar_t* path) {
  // The file name box of the explorer-style dialog: a combo box, or an edit in older layouts.
  const int kFileNameCombo = 0x47C;
  const int kFileNameEdit = 0x480;
  OwnedSearch search = {owner, WaitForOwnedDialog(owner)};
  if (!search.found) return false;
  HWND box = GetDlgItem(search.found, kFileNameCombo);
  if (!box) box = GetDlgItem(search.found, kFileNameEdit);
  if (!box) return false;
  SetWindowTextW(box, path);
  return PressOkAndWait(search.found);
}

namespace {
// The text of the tree item the folder picker has selected, empty while it has none.
std::wstring PickerSelection(HWND picker) {
  HWND tree = FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr);
  if (!tree) return L"";
  HTREEITEM item = TreeView_GetSelection(tree);
  if (!item) return L"";
  wchar_t text[MAX_PATH] = L"";
  TVITEMW query = {};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = text;
  query.cchTextMax = MAX_PATH;
  TreeView_GetItem(tree, &query);
  return text;
}
}  // namespace

bool ChooseFolderInPicker(HWND owner, const wchar_t* folder) {
  HWND picker = WaitForOwnedDialog(owner);
  if (!picker) return false;
  // The picker may select its start folder once its tree is filled, overwriting a selection sent
  // before that: wait for the tree, then ask until ours shows and is still there a moment later.
  HWND tree = nullptr;
  for (int i = 0; i < 3000 && !(tree && TreeView_GetRoot(tree)); ++i, Sleep(10))
    tree = FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr);
  const wchar_t* leaf = wcsrchr(folder, L'\\');
  leaf = leaf ? leaf + 1 : folder;
  int shownInARow = 0;
  for (int i = 0; i < 600 && shownInARow < 2; ++i) {
    if (lstrcmpiW(PickerSelection(picker).c_str(), leaf) == 0) {
      ++shownInARow;
    } else {
      shownInARow = 0;
      // Bounded: a picker busy listing a slow drive must not stall the script without a word.
      DWORD_PTR ignored = 0;
      if (!SendMessageTimeoutW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder), SMTO_NORMAL, 5000,
                               &ignored))
        fwprintf(stderr, L"folder picker: no answer to the selection within 5 s\n");
    }
    Sleep(50);
  }
  if (shownInARow < 2)
    fwprintf(stderr, L"folder picker: \"%ls\" never stayed selected (tree %ls, selection \"%ls\")\n", leaf,
             tree && TreeView_GetRoot(tree) ? L"filled" : L"empty", PickerSelection(picker).c_str());
  if (PressOkAndWait(picker)) return true;
  // A picker left open would keep the dialog's modal loop, and the test, waiting for ever.
  fwprintf(stderr, L"folder picker: OK did not close it; cancelling\n");
  SendMessageW(picker, WM_COMMAND, IDCANCEL, 0);
  for (int i = 0; i < 3000 && IsWindow(picker); ++i) Sleep(10);
  return false;
}

}  // namespace testing_support
