// Imaging layer: result codes, file format codes, the bitmap handle record and the base of every
// imaging object (status callback and its switches).
// Every operation that returns int reports success as SUCCESS (1); anything else is a failure whose
// text LBase::GetErrorString gives. Nothing here throws.
#pragma once
#include <windows.h>

#include <cstdint>

// Result codes. SUCCESS and ERROR_USER_ABORT are what callers test for; the rest say why.
enum : int {
  SUCCESS = 1,
  ERROR_NO_MEMORY = -1,
  ERROR_NO_BITMAP = -2,
  ERROR_INV_PARAMETER = -3,
  ERROR_FILENOTFOUND = -4,
  ERROR_FILE_READ = -5,
  ERROR_FILE_WRITE = -6,
  ERROR_FILE_FORMAT = -7,         // not an image file this layer reads
  ERROR_FILE_DAMAGED = -8,        // recognised but damaged or truncated
  ERROR_IMAGE_TOO_LARGE = -9,     // dimensions beyond what this layer allocates
  ERROR_PAGE_NOT_FOUND = -10,
  ERROR_BPP_NOT_SUPPORTED = -11,  // bit depth the chosen format cannot store
  ERROR_CODEC = -12,              // the platform codec failed
  ERROR_CLIPBOARD = -13,
  ERROR_NO_DC = -14,
  ERROR_DIALOG = -15,
  ERROR_DLG_CANCELED = -16,       // the user closed a dialog with Cancel
  ERROR_USER_ABORT = -29,         // the status callback asked to stop
  ERROR_TWAIN_CANCELED = -90,     // the user cancelled a TWAIN dialog or transfer
  ERROR_TWAIN_FAILED = -91,       // the TWAIN source failed the operation
  ERROR_TWAIN_NO_DSM = -92,       // no TWAIN data source manager
  ERROR_TWAIN_NO_SOURCE = -93,    // no TWAIN source could be opened
  ERROR_WIA_USER_ABORT = -100,    // the WIA callback asked to stop
  ERROR_WIA_FAILED = -101,        // the WIA device or its manager failed
  ERROR_WIA_NO_DEVICES = -1469,   // no WIA device is installed
};

// File format codes of Load results and of Save.
enum : int {
  FILE_PCX = 1,
  FILE_GIF = 2,
  FILE_TIF = 3,            // TIFF, uncompressed
  FILE_BMP = 6,
  FILE_JPEG = 10,
  FILE_TIF_LZW = 17,
  FILE_TIF_CCITT_G4 = 29,  // TIFF, 1 bit, CCITT group 4
  FILE_PNG = 75,
  FILE_TIF_PACKBITS = 87,
};

// Where row 0 of the pixel memory lies.
enum : int {
  TOP_LEFT = 1,     // rows stored top to bottom
  BOTTOM_LEFT = 4,  // rows stored bottom to top (the classic DIB order)
};

// Colour order asked for by loaders and Create. Pixels are always kept in DIB order (BGR); the
// value is checked and remembered only.
enum : int {
  ORDER_RGB = 0,
  ORDER_BGR = 1,
  ORDER_GRAY = 2,
  ORDER_BGRORGRAY = 4,
};

// Bits of BITMAPHANDLE::Flags.
enum : uint32_t {
  BITMAP_ALLOCATED = 0x1,
  BITMAP_TRANSPARENT = 0x2,
};

// The record behind a bitmap. Owned by the LBitmapBase that holds it; SetHandle moves one in.
struct BITMAPHANDLE {
  uint32_t uStructSize;
  uint32_t Flags;
  int Width;
  int Height;
  int BitsPerPixel;  // 1, 4, 8, 24 or 32
  int BytesPerLine;
  int ViewPerspective;
  int Order;
  int XResolution;
  int YResolution;
  HBITMAP hDib;      // DIB section holding the pixels
  BYTE* pBits;       // row 0 of the pixel memory
  int nColors;       // palette entries in use (0 above 8 bits per pixel)
  RGBQUAD Palette[256];
  COLORREF crTransparent;
  int nPaintGamma;   // hundredths; 100 paints the pixels as they are
};
typedef BITMAPHANDLE* pBITMAPHANDLE;

// Base of every imaging object: the progress callback and its switches.
class LBase {
 public:
  LBase();
  virtual ~LBase();

  // Called during long operations with the percentage done. Return SUCCESS to go on; any other
  // value (ERROR_USER_ABORT to cancel) ends the operation, which then returns that value.
  virtual int StatusCallBack(int nPercentComplete);

  // StatusCallBack is called only while both switches are on. The general switch starts on, the
  // status switch off: callers turn progress on around the operations that should show it.
  void EnableCallBack(BOOL bEnable) { m_bCallBack = bEnable; }
  void EnableStatusCallBack(BOOL bEnable) { m_bStatusCallBack = bEnable; }
  BOOL IsCallBackEnabled() const { return m_bCallBack; }
  BOOL IsStatusCallBackEnabled() const { return m_bStatusCallBack; }

  // Reports progress through StatusCallBack when enabled; SUCCESS otherwise.
  int ReportProgress(int nPercentComplete);

  static LPCWSTR GetErrorString(int nCode);

  // Start-up and exit of the hosting program: this layer keeps nothing global, so both only
  // initialise and release COM for the image codecs on the calling thread.
  static int LoadLibraries();
  static void UnloadLibraries();

 private:
  BOOL m_bCallBack = TRUE;
  BOOL m_bStatusCallBack = FALSE;
};
