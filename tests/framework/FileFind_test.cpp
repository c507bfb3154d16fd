// CFileFind over a real folder: every match is visited, including the last, with its path and size.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "Framework.h"
#include "TestSupport.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteFileBytes;

TEST(FileFindTest, VisitsEveryMatchWithPathAndSize) {
  TempFolder folder;
  ASSERT_TRUE(WriteFileBytes(folder.File(L"a.txt"), "1"));
  ASSERT_TRUE(WriteFileBytes(folder.File(L"b.txt"), "22"));
  ASSERT_TRUE(WriteFileBytes(folder.File(L"c.dat"), "333"));
  ASSERT_TRUE(CreateDirectoryW(folder.File(L"sub").c_str(), nullptr));

  CFileFind finder;
  ASSERT_TRUE(finder.FindFile((folder.Path() + L"\\*.txt").c_str()));
  std::map<std::wstring, ULONGLONG> found;
  BOOL more = TRUE;
  while (more) {
    more = finder.FindNextFile();
    EXPECT_STREQ(finder.GetFilePath(), (folder.Path() + L"\\" + finder.GetFileName().GetString()).c_str());
    found[finder.GetFileName().GetString()] = finder.GetLength();
  }
  EXPECT_EQ(found, (std::map<std::wstring, ULONGLONG>{{L"a.txt", 1}, {L"b.txt", 2}}));
  EXPECT_STREQ(finder.GetRoot(), folder.Path().c_str());
}

TEST(FileFindTest, DotsAndFoldersAreMarked) {
  TempFolder folder;
  ASSERT_TRUE(CreateDirectoryW(folder.File(L"sub").c_str(), nullptr));
  ASSERT_TRUE(WriteFileBytes(folder.File(L"f.txt"), ""));
  CFileFind finder;
  ASSERT_TRUE(finder.FindFile((folder.Path() + L"\\*").c_str()));
  std::map<std::wstring, bool> entries;  // name -> is a folder
  int dots = 0;
  for (BOOL more = TRUE; more;) {
    more = finder.FindNextFile();
    if (finder.IsDots()) {
      ++dots;
      continue;
    }
    entries[finder.GetFileName().GetString()] = finder.IsDirectory() != FALSE;
  }
  EXPECT_EQ(dots, 2);
  EXPECT_EQ(entries, (std::map<std::wstring, bool>{{L"f.txt", false}, {L"sub", true}}));
  EXPECT_FALSE(finder.FindFile((folder.Path() + L"\\*.none").c_str()));
}

}  // namespace
