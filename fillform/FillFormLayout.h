// The fill-form dialog's geometry without its window: the stored options record with its checks, the
// placement of the lower controls for a client size, and the scaling of the column widths.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// Stored whole as the binary value "AutofillingOptions"; the byte layout is the file format.
struct _AUTOFILLING_OPTIONS {
  int32_t rect[4];            // window rectangle in screen coordinates: left, top, right, bottom
  int32_t groupColumns[3];    // widths of the group list's columns Name, Value, Type (pixels)
  int32_t profileColumns[3];  // widths of the profile list's columns Name, Value, Type (pixels)
};
static_assert(sizeof(_AUTOFILLING_OPTIONS) == 40, "stored record size");

namespace quillet {

const int kColumnCount = 3;
const int kDefaultColumnWidths[kColumnCount] = {86, 120, 70};

// Reads `size` bytes of value `entry` under HKEY_CURRENT_USER\SOFTWARE\Quennick\Vantry\<section>
// (whichever program hosts the library). Fails for a missing value and for one larger than `size`;
// `*read` gets the bytes read (a shorter value fills only the start of `data`).
bool ReadFixedProfileData(const wchar_t* section, const wchar_t* entry, void* data, DWORD size,
                          DWORD* read);
// Writes `size` bytes as REG_BINARY under the same key, creating it when missing.
bool WriteFixedProfileData(const wchar_t* section, const wchar_t* entry, const void* data,
                           DWORD size);

// The options to start the dialog with: the stored record when there is a usable one, else the
// window rectangle from the template with the default widths. A stored record that is short,
// whose rectangle is empty, inverted or smaller than `minSize`, or whose widths are out of range
// is not trusted; a rectangle on no monitor is moved onto the nearest one.
_AUTOFILLING_OPTIONS LoadAutofillingOptions(const RECT& templateRect, SIZE minSize);
bool StoreAutofillingOptions(const _AUTOFILLING_OPTIONS& options);

// A stored column width scaled by the window's width against the width of the stored rectangle
// (cut to an integer); the stored width itself when that base is not a positive width.
int ScaleColumnWidth(int32_t storedWidth, int windowWidth, const _AUTOFILLING_OPTIONS& options);

// Sizes the layout is built from, in client pixels.
struct FillFormMetrics {
  int width;          // client width W
  int height;         // client height H
  int captionHeight;  // h: height of the database path text
  int comboHeight;    // c: height of a closed combo box
  int buttonWidth;    // bw, bh: size of the "Fill" button
  int buttonHeight;
};

struct ControlPlace {
  int id;
  RECT rect;  // client coordinates
};

// Where the controls from 130 pixels down go: two columns of caption, combo box, caption and list,
// the database path and the button row. Heights never go below zero.
std::vector<ControlPlace> ComputeFillFormLayout(const FillFormMetrics& metrics);

}  // namespace quillet
