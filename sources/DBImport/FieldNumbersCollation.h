// A link between a document field and a column of the linked outside table: the document keeps an
// array of them with the connect string and the table name.
#pragma once
#include "Framework.h"

#include <cstdint>

struct _FIELDNUMBERSCOLLATION {
  int32_t fieldIndex;   // index of the document field
  int32_t columnIndex;  // index of the table column
};
static_assert(sizeof(_FIELDNUMBERSCOLLATION) == 8, "a link is 8 bytes in the document file");

typedef CArray<_FIELDNUMBERSCOLLATION, const _FIELDNUMBERSCOLLATION&> CFieldLinkArray;

// int32 count, then the pairs in order.
void WriteFieldLinks(CArchive& ar, const CFieldLinkArray& links);
// Replaces the array's content; a count that the stream cannot hold ends the load with the archive
// exception before anything is allocated.
void ReadFieldLinks(CArchive& ar, CFieldLinkArray& links);
