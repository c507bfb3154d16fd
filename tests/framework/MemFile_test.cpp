// CMemFile: growth, seeking past the end, detaching the block, and a fixed block that cannot grow.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "Framework.h"

namespace {

TEST(MemFileTest, GrowsSeeksAndDetaches) {
  CMemFile file(16);
  file.Write("0123456789ABCDEFGHIJ", 20);
  EXPECT_EQ(file.GetLength(), 20u);
  // A write after a seek past the end fills the gap with zeros.
  file.Seek(24, CFile::begin);
  file.Write("!", 1);
  EXPECT_EQ(file.GetLength(), 25u);
  file.Seek(-6, CFile::current);
  char buffer[8] = {};
  EXPECT_EQ(file.Read(buffer, 8), 6u);
  EXPECT_EQ(std::string(buffer, 6), std::string("J\0\0\0\0!", 6));
  int cause = -1;
  try {
    file.Seek(-1, CFile::begin);
  } catch (CFileException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(cause, CFileException::badSeek);
  const ULONGLONG length = file.GetLength();
  BYTE* block = file.Detach();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(block), 3), "012");
  free(block);
  EXPECT_EQ(length, 25u);
  EXPECT_EQ(file.GetLength(), 0u);
}

TEST(MemFileTest, OverFixedBlockCannotGrow) {
  BYTE block[4] = {'a', 'b', 'c', 'd'};
  CMemFile file(block, sizeof(block));
  EXPECT_EQ(file.GetLength(), 4u);
  file.Write("XY", 2);
  EXPECT_EQ(block[0], 'X');
  bool outOfMemory = false;
  try {
    file.Write("123", 3);
  } catch (CMemoryException* e) {
    outOfMemory = true;
    e->Delete();
  }
  EXPECT_TRUE(outOfMemory);
}

}  // namespace
