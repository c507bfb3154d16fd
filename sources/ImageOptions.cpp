#include "ImageOptions.h"

#include "BitDepthDialog.h"
#include "JPEGOptions.h"
#include "MyProcs.h"
#include "TIFFOptions.h"

namespace {

const int kDepthBits[] = {1, 4, 8, 24};
const int kCompressionCount = 4;
const int kQualityCount = 9;
const int kDefaultJpegQuality = 7;  // "80"

int* g_tiffCompression = nullptr;
int* g_jpegQuality = nullptr;

BOOL ChooseBitDepth(int& bitsPerPixel) {
  CBitDepthDialog dialog;
  dialog.SetBitDepth(bitsPerPixel);
  if (dialog.DoModal() != IDOK) return FALSE;
  bitsPerPixel = dialog.GetBitDepth();
  return TRUE;
}

BOOL ChooseTiffOptions(int& bitsPerPixel, int& compression) {
  CTIFFOptions dialog;
  if (dialog.DoModal() != IDOK) return FALSE;
  bitsPerPixel = dialog.GetBitsPerPixel();
  compression = dialog.GetCompression();
  return TRUE;
}

BOOL ChooseJpegLevel(int& level) {
  CJPEGOptions dialog;
  if (dialog.DoModal() != IDOK) return FALSE;
  level = dialog.GetQuality();
  return TRUE;
}

const IMAGE_SAVE_CHOICES kDialogs = {ChooseBitDepth, ChooseTiffOptions, ChooseJpegLevel, GetStoredTiffCompression,
                                     GetStoredJpegQuality};

}  // namespace

int BitsToDepthIndex(int bitsPerPixel) {
  for (int index = 1; index < 4; ++index)
    if (kDepthBits[index] == bitsPerPixel) return index;
  return 0;
}

int DepthIndexToBits(int depthIndex) { return depthIndex >= 0 && depthIndex < 4 ? kDepthBits[depthIndex] : 1; }

void SetImageOptionsRecord(int* tiffCompression, int* jpegQuality) {
  g_tiffCompression = tiffCompression;
  g_jpegQuality = jpegQuality;
}

// A stored value out of range (a damaged record) would select no radio or list entry; the default
// stands in for it.
int GetStoredTiffCompression() {
  if (g_tiffCompression == nullptr || *g_tiffCompression < 0 || *g_tiffCompression >= kCompressionCount) return 0;
  return *g_tiffCompression;
}

int GetStoredJpegQuality() {
  if (g_jpegQuality == nullptr || *g_jpegQuality < 0 || *g_jpegQuality >= kQualityCount) return kDefaultJpegQuality;
  return *g_jpegQuality;
}

void StoreTiffCompression(int compression) {
  if (g_tiffCompression != nullptr) *g_tiffCompression = compression;
}

void StoreJpegQuality(int quality) {
  if (g_jpegQuality != nullptr) *g_jpegQuality = quality;
}

void RegisterImageOptionDialogs() { SetImageSaveChoices(&kDialogs); }
