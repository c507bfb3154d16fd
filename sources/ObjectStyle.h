// The 220-byte style block of an overlay object. It is copied whole into undo snapshots, object data
// and document records, so its layout is fixed for both the 32-bit and the 64-bit build.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

struct _OBJECT_STYLE {
  LOGFONTW font;                 // 0
  int32_t fontSize;              // 92: sets lfHeight to -10 x size and lfWidth to 0
  COLORREF textColor;            // 96
  int32_t textSetting9;          // 100
  int32_t textSetting10;         // 104
  int32_t textSetting11;         // 108
  int32_t textSetting12;         // 112
  COLORREF color;                // 116: pen, check mark and graphic objects
  int32_t lineWidth;             // 120: in units, 0 the thinnest line
  int32_t transparent;           // 124: the picture's transparent flag (style field 25)
  int32_t boxWidth;              // 128: text setting 15
  int32_t textSetting21;         // 132
  int32_t textSetting16;         // 136
  int32_t textSetting140;        // 140
  uint8_t requiredForFilling;    // 144
  uint8_t textFlag145;           // 145
  uint8_t textFlag146;           // 146
  uint8_t flag147;               // 147: style field 19
  int32_t penStyle;              // 148: PS_SOLID .. PS_DASHDOTDOT
  int32_t boxHeight;             // 152
  int32_t checkMarkKind;         // 156: 0 a cross, else a tick
  int32_t printable;             // 160
  int32_t checkMarkGroup;        // 164: positive for a radio group
  uint8_t reserved168[52];       // 168
};
static_assert(sizeof(LOGFONTW) == 92, "LOGFONTW is 92 bytes");
static_assert(sizeof(_OBJECT_STYLE) == 220, "the style block is 220 bytes");
static_assert(offsetof(_OBJECT_STYLE, boxWidth) == 128, "box width at 128");
static_assert(offsetof(_OBJECT_STYLE, requiredForFilling) == 144, "flags at 144");
static_assert(offsetof(_OBJECT_STYLE, boxHeight) == 152, "box height at 152");
static_assert(offsetof(_OBJECT_STYLE, reserved168) == 168, "reserved tail at 168");
