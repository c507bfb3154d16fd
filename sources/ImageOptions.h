// What the image option dialogs share: the bits-per-pixel radio group, the main frame's stored
// choices of the TIFF and JPEG dialogs, and their registration with GetImageFormatParams.
#pragma once
#include "Framework.h"

// The "Bits per pixel" group: index 0 1 bit, 1 4 bits, 2 8 bits, 3 24 bits. Any other bits give
// index 0, any other index 1 bit.
int BitsToDepthIndex(int bitsPerPixel);
int DepthIndexToBits(int depthIndex);

// The main frame keeps the last TIFF compression (0..3) and JPEG quality index (0..8) in its options
// record and points these at them; null pointers (no frame, no stored options) give the defaults,
// no compression and "80", and keep nothing.
void SetImageOptionsRecord(int* tiffCompression, int* jpegQuality);
int GetStoredTiffCompression();
int GetStoredJpegQuality();
void StoreTiffCompression(int compression);
void StoreJpegQuality(int quality);

// From now on GetImageFormatParams asks through the bit-depth, TIFF and JPEG dialogs.
void RegisterImageOptionDialogs();
