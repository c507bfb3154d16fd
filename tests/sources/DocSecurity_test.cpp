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

// The key's index base is the character's own index from 0: character i is XORed with key unit
// (i mod 20), not with the unit of its slot position. A password equal to the key's start scrambles
// to zero units, which the slot carries by its length.
TEST(DocSecurityTest, ProgramKeyTestVector) {
  const wchar_t password[] = L"Qm7xABCDEFGHIJKLMNOPQm";  // 22 characters: 20 and 21 wrap to units 0, 1
  wchar_t slot[kPasswordSlotUnits] = {};
  ASSERT_TRUE(GetEncodeString(password, kPasswordKey, slot, kPasswordSlotUnits));
  const wchar_t expected[24] = {22,   0x00, 0x00, 0x00, 0x5B, 0x35, 0x0E, 0x34, 0x76, 0x63, 0x1C, 0x37,
                                0x71, 0x68, 0x3C, 0x00, 0x29, 0x79, 0x6A, 0x07, 0x28, 0x00, 0x00, 22};
  for (int i = 0; i < 24; ++i) EXPECT_EQ(expected[i], slot[i]) << "unit " << i;
  CString decoded;
  GetDecodeString(decoded, kPasswordKey, slot, kPasswordSlotUnits);
  EXPECT_EQ(22, decoded.GetLength());
  EXPECT_EQ(CString(password), decoded);
}
