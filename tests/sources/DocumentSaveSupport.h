// Helpers of the saving and naming tests: an application with its profile and recent-file list, a
// hidden main window, answered message boxes, a scripted "Form Name" dialog and the real file dialog
// answered by typing into it.
#pragma once
#include "DocumentTestSupport.h"
#include "DialogDriver.h"
#include "FolimarApp.h"

// The one application object of the saving tests.
extern CFolimarApp theApp;

namespace savetest {

// What the test's "Form Name" dialog was given and answers.
struct FormNameScript {
  bool ok = true;
  CString formName, fileName;          // typed when ok
  CString shownFormName, shownFileName;
  int calls = 0;
};

class SaveTest : public doctest::DocumentTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The recent-file entries as the profile holds them, newest first.
  std::vector<std::wstring> RecentFiles() const;
  void SetSetting(LPCTSTR name, const std::wstring& value) const;
  std::wstring Setting(LPCTSTR name) const;
  // The commands posted to the main window since the last call.
  std::vector<UINT> PostedCommands();
  // Runs `command`, which shows a file dialog; the dialog gets `path` typed as its file name and OK
  // (Cancel when `path` is empty). Returns the file name the dialog offered and, in `folder`, the
  // folder it showed.
  std::wstring AnswerFileDialog(const std::function<void()>& command, const std::wstring& path,
                                std::wstring* folder = nullptr);

  CWnd main_;
  CFolimarDoc::FormNamePrompt previousPrompt_ = nullptr;
  MessageBoxPresenter recordingBox_ = nullptr;
};

extern FormNameScript g_formName;
// Texts of the message boxes; every box is answered with g_boxAnswer.
extern std::vector<std::wstring> g_boxes;
extern int g_boxAnswer;

CString LoadText(UINT id);
CString Formatted(UINT id, const std::wstring& argument);
// The form name stored in a saved document file (options block at 56, form name 4 bytes into it).
std::wstring StoredFormName(const std::string& fileBytes);

}  // namespace savetest
