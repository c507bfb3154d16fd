// The fixed-size records a document keeps whole in its file: the options block of the document and
// the settings of one page, both little-endian and byte for byte as stored; and the printer
// preferences moved between the options block and the printer's device mode.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// The options block of a document (general strings, PDF security, printer preferences, view scale).
// Bytes without a name are zero when created and are kept as read.
struct _DOC_OPTIONS {
  uint32_t formatTag;            // 0x01000005 when written
  wchar_t formName[255];         // also the PDF title
  wchar_t author[255];
  wchar_t subject[255];
  wchar_t keywords[255];
  wchar_t userPassword[32];      // scrambled slots of the PDF security
  wchar_t userPasswordConfirm[32];
  wchar_t ownerPassword[32];
  wchar_t ownerPasswordConfirm[32];
  int32_t security[7];           // use user/owner password, security on, allow copy, annotate, modify, print
  wchar_t creator[255];          // "Vantry <version>" of the program that last saved the file
  wchar_t generalString5[255];
  wchar_t furtherString[255];    // carried over from old files
  wchar_t printerString1[255];
  wchar_t printerString2[287];
  wchar_t paperFormName[129];
  int32_t keyLengthIndex;        // read only when the format tag is above 0x01000001
  int16_t paperIndex;            // 5204
  int16_t copies;
  int16_t printQuality;
  int16_t yResolution;
  int16_t defaultSource;
  int16_t paperSizeCode;         // 5214
  int16_t printScale;
  BYTE reserved5218[6];
  int32_t landscape;
  int32_t savedPrintingPreferences;
  int32_t applyToPrinter;
  int32_t registerStoredNames;   // 0 when written: stored object names are taken as they are
  BYTE marker[4];                // created as 0D 00 23 34; the writer sets marker[1] to 0x0D
  int32_t carried5244;
  BYTE reserved5248[16];
  double paperWidth;             // inches
  double paperHeight;
  double viewScale;              // 1.0 in a new document
  BYTE reserved5288[16];
};
static_assert(sizeof(_DOC_OPTIONS) == 5304, "the options block is 5304 bytes in the file");
static_assert(offsetof(_DOC_OPTIONS, author) == 514 && offsetof(_DOC_OPTIONS, subject) == 1024 &&
                  offsetof(_DOC_OPTIONS, keywords) == 1534 && offsetof(_DOC_OPTIONS, userPassword) == 2044 &&
                  offsetof(_DOC_OPTIONS, security) == 2300 && offsetof(_DOC_OPTIONS, creator) == 2328 &&
                  offsetof(_DOC_OPTIONS, generalString5) == 2838 &&
                  offsetof(_DOC_OPTIONS, furtherString) == 3348 &&
                  offsetof(_DOC_OPTIONS, printerString1) == 3858 &&
                  offsetof(_DOC_OPTIONS, printerString2) == 4368 &&
                  offsetof(_DOC_OPTIONS, paperFormName) == 4942 &&
                  offsetof(_DOC_OPTIONS, keyLengthIndex) == 5200 && offsetof(_DOC_OPTIONS, paperIndex) == 5204 &&
                  offsetof(_DOC_OPTIONS, paperSizeCode) == 5214 && offsetof(_DOC_OPTIONS, landscape) == 5224 &&
                  offsetof(_DOC_OPTIONS, registerStoredNames) == 5236 && offsetof(_DOC_OPTIONS, marker) == 5240 &&
                  offsetof(_DOC_OPTIONS, paperWidth) == 5264 && offsetof(_DOC_OPTIONS, viewScale) == 5280,
              "options block offsets as stored");

// The options block of files from version 8 to 17: the same items with 8-bit strings in the
// thread's ANSI code page. Only read, then converted into _DOC_OPTIONS.
struct _OLD_DOC_OPTIONS {
  uint32_t formatTag;
  char formName[255];
  char author[255];
  char subject[255];
  char keywords[255];
  char passwords[4][32];
  int32_t security[7];
  char creator[255];
  char generalString5[255];
  char furtherString[255];
  char printerString1[255];
  char printerString2[287];
  char paperFormName[129];
  int32_t keyLengthIndex;
  int16_t printerFields[7];
  BYTE reserved2634[6];
  int32_t landscape;
  int32_t savedPrintingPreferences;
  int32_t applyToPrinter;
  BYTE reserved2652[4];
  int32_t carried2656;
  int32_t carried2660;
  BYTE reserved2664[16];
  double paperWidth;
  double paperHeight;
  double viewScale;
  BYTE reserved2704[16];
};
static_assert(sizeof(_OLD_DOC_OPTIONS) == 2720, "the old options block is 2720 bytes in the file");
static_assert(offsetof(_OLD_DOC_OPTIONS, author) == 259 && offsetof(_OLD_DOC_OPTIONS, passwords) == 1024 &&
                  offsetof(_OLD_DOC_OPTIONS, security) == 1152 && offsetof(_OLD_DOC_OPTIONS, creator) == 1180 &&
                  offsetof(_OLD_DOC_OPTIONS, printerString2) == 2200 &&
                  offsetof(_OLD_DOC_OPTIONS, paperFormName) == 2487 &&
                  offsetof(_OLD_DOC_OPTIONS, keyLengthIndex) == 2616 &&
                  offsetof(_OLD_DOC_OPTIONS, printerFields) == 2620 && offsetof(_OLD_DOC_OPTIONS, landscape) == 2640 &&
                  offsetof(_OLD_DOC_OPTIONS, carried2656) == 2656 && offsetof(_OLD_DOC_OPTIONS, paperWidth) == 2680,
              "old options block offsets as stored");

// The settings of one page, the same in memory and in the file.
struct _PAGE_SETTINGS {
  double width;          // inches
  double height;
  int32_t paperIndex;    // 1 to 10 in the paper table; 0 or 11 custom
  int16_t orientation;   // 1 portrait, 2 landscape
  int16_t paperSize;     // DEVMODE paper size value
  int16_t printQuality;
  int16_t yResolution;
  wchar_t formName[32];
  int32_t zero;
};
static_assert(sizeof(_PAGE_SETTINGS) == 96, "page settings are 96 bytes in the file");
static_assert(offsetof(_PAGE_SETTINGS, formName) == 28, "page settings offsets as stored");

// The settings of pages in files of versions 14 to 21 (an 8-bit form name in the remaining bytes).
struct _OLD_PAGE_SETTINGS {
  double width;
  double height;
  int32_t paperIndex;
  int16_t orientation;
  int16_t paperSize;
  int16_t printQuality;
  int16_t yResolution;
  char formName[36];
};
static_assert(sizeof(_OLD_PAGE_SETTINGS) == 64, "old page settings are 64 bytes in the file");

#pragma pack(pop)

// Printer preferences moved between a printer's device mode and the options block; in memory only.
// The strings belong to whoever filled the record (the options block, the application) and stay
// valid until that owner changes them.
struct _PRINTER_PREFERENCES {
  int savedPrintingPreferences;  // kept by the document, not taken from a device mode
  const wchar_t* printerName;
  const wchar_t* portName;
  double paperWidth;             // inches
  double paperLength;
  short paperIndex;              // kept by the document
  short orientation;             // 1 portrait, 2 landscape
  short paperSize;
  short scale;
  short copies;
  short defaultSource;
  short printQuality;
  short yResolution;
  wchar_t formName[32];
  int applyToPrinter;            // kept by the document
};
