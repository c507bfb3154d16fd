// The archive's byte format (little-endian primitives, checked against hex fixtures), its buffering,
// and its end-of-file behaviour.
#include <gtest/gtest.h>

#include "Framework.h"
#include "HexFixture.h"
#include "TestSupport.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

struct Primitives {
  BYTE byteValue = 0;
  WORD wordValue = 0;
  short shortValue = 0;
  int intValue = 0;
  LONG longValue = 0;
  DWORD dwordValue = 0;
  float floatValue = 0;
  double doubleValue = 0;
};

void ReadPrimitives(CArchive& ar, Primitives& p) {
  ar >> p.byteValue >> p.wordValue >> p.shortValue >> p.intValue >> p.longValue >> p.dwordValue >> p.floatValue >>
      p.doubleValue;
}

TEST(ArchiveTest, StoresPrimitivesLittleEndian) {
  TempFolder folder;
  const std::wstring path = folder.File(L"primitives.bin");
  {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    EXPECT_TRUE(ar.IsStoring());
    EXPECT_EQ(ar.GetFile(), &file);
    ar << BYTE(0x12) << WORD(0x3456) << short(-2) << int(-100000) << LONG(0x12345678) << DWORD(0xDEADBEEF)
       << 1.5f << -2.25;
    ar.Close();
  }
  EXPECT_EQ(ReadFileBytes(path), ReadHexFixture(L"ArchivePrimitives.hex"));
}

TEST(ArchiveTest, LoadsPrimitivesFromTheFixture) {
  TempFolder folder;
  const std::wstring path = folder.File(L"primitives.bin");
  ASSERT_TRUE(WriteFileBytes(path, ReadHexFixture(L"ArchivePrimitives.hex")));
  CFile file(path.c_str(), CFile::modeRead);
  CArchive ar(&file, CArchive::load);
  EXPECT_TRUE(ar.IsLoading());
  Primitives p;
  ReadPrimitives(ar, p);
  EXPECT_EQ(p.byteValue, 0x12);
  EXPECT_EQ(p.wordValue, 0x3456);
  EXPECT_EQ(p.shortValue, -2);
  EXPECT_EQ(p.intValue, -100000);
  EXPECT_EQ(p.longValue, 0x12345678);
  EXPECT_EQ(p.dwordValue, 0xDEADBEEFu);
  EXPECT_EQ(p.floatValue, 1.5f);
  EXPECT_EQ(p.doubleValue, -2.25);
  BYTE more = 0;
  EXPECT_EQ(ar.Read(&more, 1), 0u);
}

TEST(ArchiveTest, TruncatedFileRaisesEndOfFile) {
  TempFolder folder;
  const std::wstring path = folder.File(L"truncated.bin");
  ASSERT_TRUE(WriteFileBytes(path, ReadHexFixture(L"ArchiveTruncated.hex")));
  CFile file(path.c_str(), CFile::modeRead);
  CArchive ar(&file, CArchive::load);
  Primitives p;
  p.doubleValue = 99.0;
  int cause = -1;
  try {
    ReadPrimitives(ar, p);
  } catch (CArchiveException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(cause, CArchiveException::endOfFile);
  EXPECT_EQ(p.floatValue, 1.5f);     // everything before the cut was read
  EXPECT_EQ(p.doubleValue, 99.0);    // the cut value was not half-filled
}

TEST(ArchiveTest, ShortReadReportsTheCountAndZeroFills) {
  CMemFile file;
  file.Write("abc", 3);
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  char buffer[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(ar.Read(buffer, 6), 3u);
  EXPECT_EQ(std::string(buffer, 6), std::string("abc\0\0\0", 6));
}

TEST(ArchiveTest, RoundTripThroughASmallBuffer) {
  // Values cross the buffer's edge many times with a 128-byte buffer.
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store, 128);
    for (int i = 0; i < 1000; ++i) ar << i << static_cast<double>(i) / 4 << static_cast<BYTE>(i);
    std::string block(300, 'q');
    ar.Write(block.data(), static_cast<UINT>(block.size()));
  }
  EXPECT_EQ(file.GetLength(), 1000u * 13 + 300);
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load, 128);
  for (int i = 0; i < 1000; ++i) {
    int n;
    double d;
    BYTE b;
    ar >> n >> d >> b;
    ASSERT_EQ(n, i);
    ASSERT_EQ(d, static_cast<double>(i) / 4);
    ASSERT_EQ(b, static_cast<BYTE>(i));
  }
  std::string block(300, '\0');
  EXPECT_EQ(ar.Read(&block[0], 300), 300u);
  EXPECT_EQ(block, std::string(300, 'q'));
}

TEST(ArchiveTest, WrongDirectionAndFlushPosition) {
  CMemFile file;
  file.Write("0123456789", 10);
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  BYTE first;
  ar >> first;
  EXPECT_EQ(first, '0');
  // Flushing a loading archive hands the unread bytes back to the file.
  ar.Flush();
  EXPECT_EQ(file.GetPosition(), 1u);
  int cause = -1;
  try {
    ar << BYTE(1);
  } catch (CArchiveException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(cause, CArchiveException::readOnly);
}

}  // namespace
