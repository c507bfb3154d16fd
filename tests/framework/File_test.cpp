// CFile on real files: open modes, reading and writing, seeking, failures as CFileException.
#include <gtest/gtest.h>

#include "Framework.h"
#include "TestSupport.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

TEST(FileTest, WriteSeekReadAndPath) {
  TempFolder folder;
  const std::wstring path = folder.File(L"data.bin");
  CFile file;
  ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite));
  file.Write("hello world", 11);
  EXPECT_EQ(file.GetLength(), 11u);
  EXPECT_EQ(file.Seek(6, CFile::begin), 6u);
  char buffer[16] = {};
  EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 5u);
  EXPECT_STREQ(buffer, "world");
  EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 0u);
  EXPECT_EQ(file.Seek(-5, CFile::end), 6u);
  EXPECT_EQ(file.SeekToEnd(), 11u);
  EXPECT_STREQ(file.GetFilePath(), path.c_str());
  EXPECT_STREQ(file.GetFileName(), L"data.bin");
  EXPECT_STREQ(file.GetFileTitle(), L"data");
  file.SetLength(5);
  file.Close();
  EXPECT_EQ(ReadFileBytes(path), "hello");
}

TEST(FileTest, CreateTruncatesUnlessNoTruncate) {
  TempFolder folder;
  const std::wstring path = folder.File(L"keep.txt");
  struct Case {
    UINT flags;
    std::string expected;
  } cases[] = {
      {CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite, "XYcdef"},
      {CFile::modeCreate | CFile::modeWrite, "XY"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteFileBytes(path, "abcdef"));
    CFile file(path.c_str(), c.flags);
    file.Write("XY", 2);
    file.Close();
    EXPECT_EQ(ReadFileBytes(path), c.expected);
  }
}

TEST(FileTest, FailuresReportTheCause) {
  TempFolder folder;
  const std::wstring missing = folder.File(L"missing.txt");
  CFile file;
  CFileException error;
  EXPECT_FALSE(file.Open(missing.c_str(), CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_EQ(error.m_lOsError, static_cast<LONG>(ERROR_FILE_NOT_FOUND));
  EXPECT_STREQ(error.m_strFileName, missing.c_str());

  int cause = -1;
  try {
    CFile opened(folder.File(L"no\\such\\folder\\x.txt").c_str(), CFile::modeRead);
  } catch (CFileException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(cause, CFileException::badPath);

  // A second writer is refused while the first denies writing.
  const std::wstring shared = folder.File(L"shared.txt");
  CFile first(shared.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
  CFile second;
  EXPECT_FALSE(second.Open(shared.c_str(), CFile::modeWrite | CFile::shareDenyNone, &error));
  EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
}

}  // namespace
