// Helpers of the document-model tests: byte fixtures written as hex rows with offsets, archives over
// memory, and a private HKEY_CURRENT_USER so that tests can set the documents folder and settings
// without touching the user's own values or racing other test programs.
#pragma once
#include "Framework.h"

#include <functional>
#include <string>

namespace fixtures {

// Reads a fixture of rows "0000: 06 00 00 00 61 00" ('#' starts a comment). Each row's offset must be
// the number of bytes before it, so a reader can trust the offsets; a broken fixture fails the test.
std::string ReadHexFixture(const std::wstring& path);

#ifdef VANTRY_TEST_DATA_DIR
// A hex fixture of that name in the data folder beside the test.
inline std::string Fixture(const wchar_t* name) {
  return ReadHexFixture(std::wstring(VANTRY_TEST_DATA_DIR L"/") + name);
}
#endif

// "06 00 00 00 ..." for failure messages.
std::string ToHex(const std::string& bytes);

// The bytes an archive stores through `write`.
std::string Store(const std::function<void(CArchive&)>& write);
// Runs `read` on a loading archive over `bytes`; returns the bytes left unread after it.
size_t Load(const std::string& bytes, const std::function<void(CArchive&)>& read);
// The cause of the archive exception `read` throws on `bytes`, or -1 when it throws none.
int LoadFailureCause(const std::string& bytes, const std::function<void(CArchive&)>& read);

// For its lifetime, this process's HKEY_CURRENT_USER is a fresh private key; the documents folder
// ("Personal" of the shell folders) is a new temporary folder with the product folder "Vantry" in it.
class PrivateUserProfile {
 public:
  PrivateUserProfile();
  ~PrivateUserProfile();
  PrivateUserProfile(const PrivateUserProfile&) = delete;
  PrivateUserProfile& operator=(const PrivateUserProfile&) = delete;

  bool Ready() const { return ready_; }
  const std::wstring& Documents() const { return documents_; }
  // Sets "Personal" to another folder (or removes it for an empty text).
  void SetDocumentsValue(const std::wstring& folder);

 private:
  bool ready_ = false;
  std::wstring keyPath_;
  std::wstring documents_;
  HKEY key_ = nullptr;
};

// Removes a folder with its content.
void RemoveFolderTree(const std::wstring& folder);

// The error log's whole text as it is now.
std::wstring ErrorLogText();

}  // namespace fixtures
