// The scrambled password slots of the options block: a slot of 32 units holds the length, the
// characters XORed with a key (repeating), and the length again, so a damaged slot is recognised.
// Character i, counted from 0 (it stands in unit i + 1), is XORed with key unit i mod key length; a
// character equal to its key unit scrambles to 0, so slots are copied by their length, never as text.
#pragma once
#include "Framework.h"

enum { kPasswordSlotUnits = 32, kMaxPasswordLength = 30 };

// The fixed key every password slot of a document is scrambled with.
extern const wchar_t kPasswordKey[];

// Empty for a slot whose two length units disagree or whose length is 0 or above 30.
void GetDecodeString(CString& out, LPCWSTR key, const wchar_t* slot, int slotUnits);
// Writes the length, the scrambled characters and the length again; the rest of the slot keeps what
// it held. FALSE, writing nothing, for a text that does not fit.
BOOL GetEncodeString(const CString& text, LPCWSTR key, wchar_t* slot, int slotUnits);
