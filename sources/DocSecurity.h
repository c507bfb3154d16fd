// The scrambled password slots of the options block: a slot of 32 units holds the length, the
// characters XORed with a key (repeating), and the length again, so a damaged slot is recognised.
#pragma once
#include "Framework.h"

enum { kPasswordSlotUnits = 32, kMaxPasswordLength = 30 };

// Empty for a slot whose two length units disagree or whose length is 0 or above 30.
void GetDecodeString(CString& out, LPCWSTR key, const wchar_t* slot, int slotUnits);
// Fills the slot (zeroed first); FALSE, with an empty slot, for text longer than 30 characters.
BOOL GetEncodeString(const CString& text, LPCWSTR key, wchar_t* slot, int slotUnits);
