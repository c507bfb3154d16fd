// The main frame's settings records as they lie in the registry ("Settings" section, REG_BINARY,
// little-endian 32-bit fields): the general options, the two PDF option blocks, the default field
// format of new fields and the window placement. Plain data: no window is needed to make, check or
// convert them, so their byte layouts are tested on their own.
//
// A stored record is taken only when it has exactly its size and every field it carries lies in its
// range; anything else (missing, short, long, damaged) is replaced whole by its defaults.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "FieldProperties.h"
#include "ObjectStyle.h"

struct _FRAME_OPTIONS {
  int32_t maximizeDocument;         // 0
  int32_t unit;                     // 4: 0 inches, 1 millimetres, 2 points
  int32_t tiffCompression;          // 8: the TIFF options dialog's last choice, 0..3
  int32_t reserved12;               // 12
  int32_t jpegQuality;              // 16: index in the JPEG dialog's quality list, 0..8
  int32_t openFilterIndex;          // 20: File > Open's filter, 1-based
  int32_t reserved24;               // 24
  int32_t gridX;                    // 28: document units
  int32_t gridY;                    // 32
  int32_t snapToGrid;               // 36
  int32_t emptyDocAtStartup;        // 40
  int32_t explanatoryDocAtStartup;  // 44
  int32_t pngTransparency;          // 48
  uint32_t transparencyColor;       // 52
  int32_t formModeAtStartup;        // 56
  int32_t paragraphMarksOff;        // 60
  int32_t highlightFields;          // 64
  uint32_t highlightColor;          // 68: COLORREF
  int32_t eraseSizeIndex;           // 72: index in the main bar's erase-size box, 0..9
  int32_t reserved76;               // 76: always 0 in memory and in the registry
  int32_t textFieldHeaders;         // 80
};
static_assert(sizeof(_FRAME_OPTIONS) == 84, "the options record is 84 bytes");
static_assert(offsetof(_FRAME_OPTIONS, gridX) == 28, "grid steps at 28");
static_assert(offsetof(_FRAME_OPTIONS, eraseSizeIndex) == 72, "erase size at 72");
static_assert(offsetof(_FRAME_OPTIONS, textFieldHeaders) == 80, "headers at 80");

struct _PDF_OPTIONS {
  int32_t docCompression;   // 0: 0 none, 1 deflate
  int32_t reserved4;        // 4
  int32_t pdfVersion;       // 8: 0 1.3, 1 1.4
  int32_t imageCompression; // 12: 0 Flate .. 4 CCITT4
  int32_t urlDetection;     // 16
  int32_t launchViewer;     // 20
  int32_t reserved24;       // 24
  int32_t pageLayout;       // 28: 0..3
  int32_t pageMode;         // 32: 0..3
  int32_t centerWindow;     // 36
  int32_t fitWindow;        // 40
  int32_t hideMenubar;      // 44
  int32_t hideToolbars;     // 48
  int32_t hideWindowUI;     // 52
  int32_t reserved56;       // 56
  int32_t reserved60;       // 60
};
static_assert(sizeof(_PDF_OPTIONS) == 64, "the PDF options record is 64 bytes");

struct _PDF_OPTIONS2 {
  int32_t reserved0;        // 0
  int32_t fontEmbedding;    // 4: 0 full font .. 3 no embedding
  int32_t reserved[10];     // 8..47
};
static_assert(sizeof(_PDF_OPTIONS2) == 48, "the second PDF options record is 48 bytes");

// The first six fields of the default field format as stored ("PROPERTIES"); the strings of the
// format are not kept.
#pragma pack(push, 4)
struct _PROPERTIES_RECORD {
  int32_t tabIndex;         // 0
  int32_t formatCategory;   // 4: 0 Text, 1 Numeric, 2 Currency, 3 Index number
  int32_t decimals;         // 8
  int32_t digitCount;       // 12
  double value;             // 16
  int32_t grouping;         // 24
  int32_t reserved28;       // 28
};
#pragma pack(pop)
static_assert(sizeof(_PROPERTIES_RECORD) == 32, "the properties record is 32 bytes");
static_assert(offsetof(_PROPERTIES_RECORD, value) == 16, "value at 16 on both targets");

// Registry value names of the frame's settings, section "Settings".
namespace frame_settings {
constexpr wchar_t kSection[] = L"Settings";
constexpr wchar_t kOptions[] = L"Options";
constexpr wchar_t kPdfOptions[] = L"PDFOptions";
constexpr wchar_t kPdfOptions2[] = L"PDFOptions2";
constexpr wchar_t kTextStyle[] = L"TEXTSTYLEBARSETTINGS";
constexpr wchar_t kProperties[] = L"PROPERTIES";
constexpr wchar_t kPlacement[] = L"WINDOWPLACEMENT";
constexpr wchar_t kProgramMode[] = L"ProgramMode";
constexpr wchar_t kApplicationLook[] = L"ApplicationLook";
constexpr wchar_t kAutoBackup[] = L"AutoBackup";
constexpr wchar_t kOnClose[] = L"OnClose";
constexpr wchar_t kBackupTime[] = L"BackupTime";
constexpr int kDefaultProgramMode = 23;
constexpr int kDefaultLook = 33293;
// The largest grid step kept (10 inches in text units); the smallest is 1.
constexpr int32_t kMaxGridStep = 1000000;
}  // namespace frame_settings

// Defaults of a fresh profile.
_FRAME_OPTIONS DefaultFrameOptions();
_PDF_OPTIONS DefaultPdfOptions();
_PDF_OPTIONS2 DefaultPdfOptions2();

// Whether a stored record of that type can be used as it is.
bool IsValidFrameOptions(const _FRAME_OPTIONS& options);
bool IsValidPdfOptions(const _PDF_OPTIONS& options);
bool IsValidPdfOptions2(const _PDF_OPTIONS2& options);
bool IsValidPropertiesRecord(const _PROPERTIES_RECORD& record);
// A stored style of new objects is used when its font's face name ends inside its field and its
// font sizes are sizes a font can have.
bool IsUsableTextStyle(const _OBJECT_STYLE& style);
// A stored window placement is used when it is the system's structure, says how to show the window
// normally, minimized or maximized, and its normal rectangle has a size and lies at least partly
// inside `workArea`, so the frame never opens off screen.
bool IsUsablePlacement(const WINDOWPLACEMENT& placement, const RECT& workArea);

// The record of a field format and back (the strings of `properties` are left alone).
_PROPERTIES_RECORD ToPropertiesRecord(const _PROPERTIES& properties);
void FromPropertiesRecord(const _PROPERTIES_RECORD& record, _PROPERTIES& properties);

// Position and size of the frame on a fresh profile: 940 x 700 centred in the work area, at 0 on an
// axis where the work area is not larger than the window.
RECT DefaultFrameRect(const RECT& workArea);
