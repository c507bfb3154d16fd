// The WIA image and audio formats the program knows: identifier, name, description and file
// extension, and the lookups of the configured format.
#pragma once
#include <windows.h>

struct WIA_FORMAT_ROW {
  GUID id;
  LPCWSTR name;
  LPCWSTR description;
  LPCWSTR extension;
};

// The 36 rows in their order.
const WIA_FORMAT_ROW* GetWiaFormatTable(int* count);
// The name of the row with the identifier, copied into `name` (260 characters); 0 and `name`
// untouched when no row has it.
int FormatNameFromGuid(const GUID& id, LPWSTR name);
// The description and extension of the format of the application's WIA settings ("WiaImgFmt_BMP"
// without settings or format), each copied when its buffer (260 characters) is given; 0 when the
// settings name a format the table lacks.
int GetWiaImageFormat(LPWSTR description, LPWSTR extension);
