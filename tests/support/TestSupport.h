// Helpers shared by the test programs. Everything here uses the real Win32 API under Wine.
#pragma once
#include <windows.h>

#include <string>

namespace testing_support {

// Folder of the running test program (where the build puts every binary).
std::wstring ProgramFolder();

// A fresh empty folder under the temporary folder, removed with its contents on destruction.
// Deletes a folder tree the tests made. Refuses (false) a path that is not absolute, or that is the
// current folder, the test program's folder or a folder above either: a wrong path must never take
// the build with it.
bool RemoveTestFolder(const std::wstring& folder);

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// For its lifetime this process's temporary folder (TMP and TEMP) is a fresh folder of its own, so
// what the program keeps in and clears from its temporary folder touches no other test.
class PrivateTempPath {
 public:
  PrivateTempPath();
  ~PrivateTempPath();
  PrivateTempPath(const PrivateTempPath&) = delete;
  PrivateTempPath& operator=(const PrivateTempPath&) = delete;
  // The folder with its final backslash, as GetTempPath gives it.
  std::wstring Path() const { return folder_.Path() + L"\\"; }

 private:
  TempFolder folder_;
  std::wstring tmp_, temp_;
};

// A child process started from a command line; terminated on destruction if still running.
class ChildProcess {
 public:
  explicit ChildProcess(const std::wstring& commandLine);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  // The first visible top-level window of the process, or null when none appears in time.
  HWND WaitForMainWindow(DWORD timeoutMs) const;
  // A visible dialog box of the process (a message box, say), or null.
  HWND FindDialog() const;
  // The exit code, or STILL_ACTIVE when the process has not ended in time.
  DWORD WaitForExit(DWORD timeoutMs) const;

 private:
  PROCESS_INFORMATION info_ = {};
};

// Reads and writes whole files as bytes.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// The host's own path of a Windows path (through Wine's kernel32), for programs on the host side such
// as a database driver; empty when it cannot be had.
std::wstring UnixPath(const std::wstring& windowsPath);

// Deletes a registry key with everything under it; true when it is gone afterwards.
bool DeleteRegistryTree(HKEY root, const std::wstring& subKey);

}  // namespace testing_support
