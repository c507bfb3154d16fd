// Scrambled password slots of the options block.
#include <gtest/gtest.h>

#include "DocSecurity.h"

TEST(DocSecurityTest, SlotLayoutIsLengthScrambledUnitsLength) {
  wchar_t slot[kPasswordSlotUnits];
  wmemset(slot, 0x7777, kPasswordSlotUnits);
  ASSERT_TRUE(GetEncodeString(L"abc", L"K\x01", slot, kPasswordSlotUnits));
  const wchar_t expected[] = {3, L'a' ^ L'K', L'b' ^ 1, L'c' ^ L'K', 3};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(expected[i], slot[i]) << i;
  for (int i = 5; i < kPasswordSlotUnits; ++i) EXPECT_EQ(0x7777, slot[i]) << i;  // kept
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
  wchar_t slot[kPasswordSlotUnits] = {2, L'x', L'y', 2};
  EXPECT_FALSE(GetEncodeString(CString(L'x', 31), L"key", slot, kPasswordSlotUnits));
  EXPECT_EQ(2, slot[0]);  // a password too long leaves the slot as it was
  EXPECT_EQ(2, slot[3]);
  // An empty password is its two length units.
  ASSERT_TRUE(GetEncodeString(L"", L"key", slot, kPasswordSlotUnits));
  EXPECT_EQ(0, slot[0]);
  EXPECT_EQ(0, slot[1]);
  CString decoded(L"left over");
  GetDecodeString(decoded, L"key", slot, kPasswordSlotUnits);
  EXPECT_TRUE(decoded.IsEmpty());
}
