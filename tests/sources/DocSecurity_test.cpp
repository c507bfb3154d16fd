// Scrambled password slots of the options block.
#include <gtest/gtest.h>

#include "DocSecurity.h"

TEST(DocSecurityTest, SlotLayoutIsLengthScrambledUnitsLength) {
  wchar_t slot[kPasswordSlotUnits];
  ASSERT_TRUE(GetEncodeString(L"abc", L"K\x01", slot, kPasswordSlotUnits));
  const wchar_t expected[] = {3, L'a' ^ L'K', L'b' ^ 1, L'c' ^ L'K', 3, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(expected[i], slot[i]) << i;
  CString decoded;
  GetDecodeString(decoded, L"K\x01", slot, kPasswordSlotUnits);
  EXPECT_EQ(CString(L"abc"), decoded);
}

TEST(DocSecurityTest, DamagedSlotsDecodeAsEmpty) {
  struct Case {
    const char* name;
    wchar_t units[4];
  } cases[] = {{"lengths disagree", {2, L'x', L'y', 3}}, {"length zero", {0, 0, 0, 0}},
               {"length above 30", {31, 0, 0, 0}}, {"negative length", {0xFFFF, 0, 0, 0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    wchar_t slot[kPasswordSlotUnits] = {};
    memcpy(slot, c.units, sizeof(c.units));
    CString decoded(L"left over");
    GetDecodeString(decoded, L"key", slot, kPasswordSlotUnits);
    EXPECT_TRUE(decoded.IsEmpty());
  }
  wchar_t slot[kPasswordSlotUnits];
  EXPECT_FALSE(GetEncodeString(CString(L'x', 31), L"key", slot, kPasswordSlotUnits));
  EXPECT_EQ(0, slot[0]);
}
