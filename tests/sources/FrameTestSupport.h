// A main frame of the program's own classes in a private user profile and temporary folder, with the
// program's document template (document, child frame with its page tabs, view), documents of given
// page counts, the registry values the frame reads and writes, and a command-state probe.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "TestSupport.h"

extern CFolimarApp theApp;

// What the command route sets for one command: enabled, checked (SetCheck or SetRadio).
struct COMMAND_STATE {
  BOOL handled = FALSE;
  BOOL enabled = FALSE;
  int checked = 0;
};
COMMAND_STATE QueryCommand(CCmdTarget* target, UINT id);

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Makes and shows the main frame (the registry values for it are written before).
  CMainFrame* OpenFrame();
  // Closes the frame as the user does (WM_CLOSE), with every document unmodified.
  void CloseFrame();
  // A new document of `pages` letter pages in its own document window.
  CFolimarDoc* NewDocument(int pages = 1);
  static CFolimarView* ViewOf(CDocument* doc);
  static void Pump();

  // Values of HKCU\SOFTWARE\Quennick\Vantry\<section> in the private profile.
  std::string ReadBinary(const wchar_t* name, const wchar_t* section = L"Settings");
  void WriteBinary(const wchar_t* name, const std::string& bytes, const wchar_t* section = L"Settings");
  DWORD ReadInt(const wchar_t* name, DWORD missing = 0xFFFFFFFF);
  void WriteInt(const wchar_t* name, DWORD value);
  void WriteString(const wchar_t* name, const std::wstring& value);

  fixtures::PrivateUserProfile profile_;
  testing_support::PrivateTempPath temp_;
  CMainFrame* frame = nullptr;
  static CMultiDocTemplate* s_template;
};

template <class T>
std::string BytesOf(const T& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof(record));
}
