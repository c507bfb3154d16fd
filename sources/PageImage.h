// The page bitmap and its file bytes.
#pragma once
#include "Framework.h"

#include <vector>

#include "LMyBitmap.h"

// A new bitmap decoded from the bytes of an image file; null (after logging) when they do not decode.
LMyBitmap* LoadBitmapFromFileBytes(const BYTE* bytes, UINT size);
// The bitmap encoded as a PNG file; FALSE when it cannot be encoded.
BOOL SaveBitmapAsPng(LMyBitmap& bitmap, std::vector<BYTE>& bytes);
