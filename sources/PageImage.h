// The page bitmap and its file bytes. Pages hold the program's bitmap class; until that class
// exists the imaging layer's plain bitmap stands in, and this is the one place that names it.
#pragma once
#include "Framework.h"

#include <vector>

#include "LBitmapBase.h"

typedef LBitmap LMyBitmap;

// A new bitmap decoded from the bytes of an image file; null (after logging) when they do not decode.
LMyBitmap* LoadBitmapFromFileBytes(const BYTE* bytes, UINT size);
// The bitmap encoded as a PNG file; FALSE when it cannot be encoded.
BOOL SaveBitmapAsPng(LMyBitmap& bitmap, std::vector<BYTE>& bytes);
