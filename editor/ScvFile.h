// The "scv" document file: a 24-byte header with the page margins, then the rich-text stream. Files
// of any other extension hold the rich-text stream alone. No window is needed here.
#pragma once
#include "Framework.h"

#include <string>

#pragma pack(push, 1)
struct _SCV_HEADER {
  char magic[4];    // "SCV" and a zero byte
  INT32 version;    // written as 1, not checked on reading
  INT32 left;       // page margins in twips
  INT32 top;
  INT32 right;
  INT32 bottom;
};
#pragma pack(pop)
static_assert(sizeof(_SCV_HEADER) == 24, "the scv header is 24 bytes");

enum { SCV_VERSION = 1 };

// The header for the given margins, ready to be written byte for byte.
_SCV_HEADER MakeScvHeader(const RECT& margins);
// TRUE when `size` bytes hold a header whose first three bytes are "SCV" (the fourth is not
// looked at); the margins are then taken from it.
BOOL ReadScvHeader(const void* bytes, size_t size, RECT& margins);
// TRUE when the text after the last "." of the path's file name is "scv", in any case.
BOOL IsScvPath(LPCWSTR path);
// The file name of the path up to its first "." (a document opened from a template or another
// format is titled so).
CString TitleFromPath(LPCWSTR path);

// The rich-text stream as the control is given it, with every tab stop (\tx) that has no position or a
// negative one (also one past 32 bits, which wraps to negative) taken out: Wine's rich-text control
// keeps such a stop and crashes when it writes the document again. Everything else, binary runs
// (\bin) included, passes unchanged.
std::string DropUnplacedTabStops(const std::string& rtf);
