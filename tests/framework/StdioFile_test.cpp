// CStdioFile: lines in the ANSI code page with "\r\n" on disk in text mode, untouched in binary mode.
#include <gtest/gtest.h>

#include <vector>

#include "Framework.h"
#include "TestSupport.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

TEST(StdioFileTest, WritesTextLinesWithCrLfInTheAnsiPage) {
  TempFolder folder;
  const std::wstring path = folder.File(L"lines.txt");
  {
    CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    file.WriteString(L"Gr\u00FC\u00DFe\n");
    file.WriteString(L"\n");
    file.WriteString(L"last");
  }
  EXPECT_EQ(ReadFileBytes(path), "Gr\xFC\xDF" "e\r\n\r\nlast");
}

TEST(StdioFileTest, ReadsLinesWithoutTheirEnds) {
  TempFolder folder;
  const std::wstring path = folder.File(L"in.txt");
  // A line longer than one read chunk, an empty line and a last line without its end.
  const std::string longLine(1500, 'x');
  ASSERT_TRUE(WriteFileBytes(path, "first\r\n" + longLine + "\r\n\r\n\xC4nde"));
  CStdioFile file;
  ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::typeText));
  std::vector<std::wstring> lines;
  CString line;
  while (file.ReadString(line)) lines.push_back(line.GetString());
  EXPECT_EQ(lines, (std::vector<std::wstring>{L"first", std::wstring(1500, L'x'), L"", L"\u00C4nde"}));
  EXPECT_TRUE(line.IsEmpty());
}

TEST(StdioFileTest, BinaryModeKeepsBytes) {
  TempFolder folder;
  const std::wstring path = folder.File(L"bin.txt");
  {
    CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    file.WriteString(L"a\nb");
  }
  EXPECT_EQ(ReadFileBytes(path), "a\nb");
  CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeBinary);
  EXPECT_EQ(file.GetLength(), 3u);
  CString line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_STREQ(line, L"a");
  EXPECT_EQ(file.GetPosition(), 2u);
}

TEST(StdioFileTest, MissingFileFailsToOpen) {
  TempFolder folder;
  CStdioFile file;
  CFileException error;
  EXPECT_FALSE(file.Open(folder.File(L"none.txt").c_str(), CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
}

}  // namespace
