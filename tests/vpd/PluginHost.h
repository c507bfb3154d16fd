// A stand-in for the print system: loads Drovemark.dll by path, creates the plug-in through its
// class factory, collects its pages through a property-sheet callback of its own and shows them in
// a real (modeless, headless) property sheet.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "vpd_oem.h"

namespace vpd_test {

class PluginHost {
 public:
  PluginHost();
  ~PluginHost();
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  bool loaded() const { return dll_ && getClassObject_ && canUnloadNow_; }
  HMODULE module() const { return dll_; }
  HRESULT getClassObject(REFCLSID classId, REFIID iid, void** object) const;
  HRESULT canUnloadNow() const;
  // A new plug-in object through the class factory (null on any failure).
  IPrintOemUI2* create() const;

  // Runs the sheet's initialisation through DocumentPropertySheets and returns the pages the
  // plug-in handed to the callback. With refuse set the callback turns every page down.
  std::vector<HPROPSHEETPAGE> collectPages(IPrintOemUI2* plugin, bool refuse = false);
  ULONG_PTR lastResult() const { return lastResult_; }

 private:
  static LONG_PTR CALLBACK comPropSheet(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM lParam2);

  HMODULE dll_ = nullptr;
  HRESULT(STDAPICALLTYPE* getClassObject_)(REFCLSID, REFIID, LPVOID*) = nullptr;
  HRESULT(STDAPICALLTYPE* canUnloadNow_)() = nullptr;
  std::vector<HPROPSHEETPAGE> collected_;
  bool refuse_ = false;
  ULONG_PTR lastResult_ = 0;
};

// A modeless property sheet over collected pages; destroyed with the object.
class Sheet {
 public:
  explicit Sheet(const std::vector<HPROPSHEETPAGE>& pages);
  ~Sheet();
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  HWND window() const { return sheet_; }
  std::vector<std::wstring> tabTitles() const;
  // Activates the page with that tab title (creating its dialog) and returns its window.
  HWND page(const std::wstring& title) const;
  // Presses Apply through the sheet: every created page gets PSN_APPLY.
  void apply() const;
  bool applyEnabled() const;

 private:
  HWND sheet_ = nullptr;
};

// Control helpers that go through the controls' own messages, as a user's input does.
void click(HWND dialog, int id);
void typeText(HWND dialog, int id, const std::wstring& text);
void chooseComboEntry(HWND dialog, int id, const std::wstring& text);
std::wstring controlText(HWND dialog, int id);
std::wstring comboSelection(HWND dialog, int id);  // empty when nothing is selected
bool checked(HWND dialog, int id);
bool enabled(HWND dialog, int id);

// Runs `action` (which opens a modal dialog) and, once the dialog with that caption is up, lets
// `handle` work on it; `handle` must end the dialog.
void whileDialogOpen(const wchar_t* caption, void (*action)(void*), void* actionData,
                     void (*handle)(HWND, void*), void* handleData);

}  // namespace vpd_test
