// The picture object: a logo, stamp or signature placed over the page. It owns its bitmap and, for
// JPEG files, the file's own bytes (stored unchanged in the document), its document record (tag 9)
// and object data (type 8), and draws on the screen through its own cache of copies scaled to the
// view's zoom, made by the same background job as the page bitmap's.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "LMyBitmap.h"
#include "ScaledBitmapJob.h"
#include "TranspGraphClass.h"

#pragma pack(push, 4)
struct IMAGE_RECORD {
  TRANSP_RECORD_HEAD head;
  int32_t rect[4];  // left, top, right, bottom in units
  int32_t pageIndex;
  int32_t transparent;
  int32_t fileBytes;  // 1: the image data are the source file's bytes
  int32_t printable;
  uint8_t zero48[8];
};
static_assert(sizeof(IMAGE_RECORD) == 56, "picture record structure is 56 bytes");
static_assert(offsetof(IMAGE_RECORD, pageIndex) == 32 && offsetof(IMAGE_RECORD, fileBytes) == 40 &&
                  offsetof(IMAGE_RECORD, printable) == 44,
              "picture record fields");

// Object data after the common head: the rectangle and the byte count of the packed DIB that
// follows. The block's stated total is the DIB's size + 48: four zero bytes follow the DIB.
struct IMAGE_DATA {
  int32_t rect[4];
  int32_t dibSize;
};
static_assert(sizeof(IMAGE_DATA) == 20, "picture data is 20 bytes before the DIB");
#pragma pack(pop)

enum {
  IMAGE_RECORD_VERSION = 5,
  IMAGE_RECORD_LENGTH_BASE = 60,  // L is the image data's byte count + 60
  IMAGE_DATA_VERSION = 2,         // 16 bits at offset 8; the transparent flag takes the next 16
  IMAGE_DATA_DIB_VERSION = 1,     // a block made from a bare DIB: 32 bits, transparent
  IMAGE_DATA_TAIL = 4,
};

// Style field ids the picture answers in SetObjectStyle.
enum IMAGE_STYLE_FIELD {
  IMAGE_FIELD_WHOLE_STYLE = 0,
  IMAGE_FIELD_NAME = 23,
  IMAGE_FIELD_TRANSPARENT = 25,
  IMAGE_FIELD_PRINTABLE = 30,
};

// The extent `size` fitted into `max` (units): unchanged when it fits, else both sides divided by the
// larger of the two overflow factors and truncated.
SIZE FitIntoMaxSize(SIZE size, SIZE max);

class CTranspImage : public CTranspGraphClass {
 public:
  CTranspImage(CWnd* view, int pageIndex);
  // From object data: the top-left corner at (x, y); an empty picture when the block is refused.
  CTranspImage(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);
  ~CTranspImage() override;

  // Creation; each returns 1 on success, 0 on failure (the creator then discards the object). The
  // rectangle's top-left corner is put at (x, y) in units.
  // From an image file; a ".jpg" file's bytes are kept to be stored unchanged.
  int Create(const wchar_t* path, int x, int y);
  // From a packed DIB (the caller keeps the block), fitted into max (units).
  int CreateDib(HGLOBAL dib, int x, int y, SIZE max);
  // From the bitmap on the clipboard, fitted into max (units).
  int CreateBitmap(int x, int y, SIZE max);
  // From object data.
  int Create(HGLOBAL objectData, int x, int y);

  void Serialize(CArchive& ar) override;                                  // 2
  void DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg) override;       // 23
  void Draw(CDC* dc, int print, POINT* dpi) override;                     // 27
  int IsEmpty() override;                                                 // 28: no image
  void OnLButtonUp(UINT flags, int x, int y) override;                    // 31
  HGLOBAL GetObData() override;                                           // 42
  void BeginDrag() override;                                              // 44
  void CopyToClipboard() override;                                        // 45
  void GetObjectStyle(_OBJECT_STYLE* out) override;                       // 50
  void SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* fieldId,
                      int repaint) override;                              // 51
  int GetObjectKind() override;                                           // 52
  void StoringVIZ(CVizConverter* converter) override;                     // 55
  void SetUndoState(const CUndoState& state) override;                    // 59
  CUndoState GetUndoState() override;                                     // 60

  // FALSE (logged, nothing taken) for a block that is broken, of another type or whose DIB does not
  // fit in it or does not decode.
  BOOL SetObData(HGLOBAL data);
  // Object data of version 1 around a packed DIB, with an empty rectangle (the shelf's pictures);
  // null when the block cannot be read or allocated. The caller keeps `dib` and owns the result.
  static HGLOBAL MakeObDataFromDIB(HGLOBAL dib);

  // Copies the picture into `out`; FALSE when there is none or the copy fails.
  BOOL GetBitmap(LBitmapBase* out);
  // Turns the picture by `angle` hundredths of a degree clockwise, growing the bitmap to hold it
  // (new corners white); the top-left corner stays and the rectangle takes the turned size.
  void Rotate(int angle);
  // The rectangle's height from its width and the bitmap's proportions.
  void RestoreProportions();
  // Frees and deletes every scaled copy of a zoom map (the view clears its page copies with it).
  static void ClearImageCache(CScaledBitmapCache& cache);

  BOOL IsTransparent() const { return m_transparent != 0; }
  void SetTransparent(int transparent) { m_transparent = transparent ? 1 : 0; }
  const LMyBitmap& GetPicture() const { return m_bitmap; }
  const std::vector<BYTE>& GetFileBytes() const { return m_fileBytes; }
  CScaledBitmapCache& GetZoomCache() { return m_cache; }

 private:
  // The picture's extent in units at the screen's resolution (the view's device, else the
  // screen's), placed with its top-left at (x, y).
  void PlaceAtScreenSize(int x, int y);
  // The bitmap's extent in page pixels converted to units, fitted into max, at (x, y).
  void PlaceFitted(int x, int y, SIZE max);
  // The destination of the screen drawing: the rectangle in view pixels, normalised.
  RECT ScreenRect();
  // The zoom's scaled copy when it is ready and of the destination's size; otherwise starts a job
  // (a copy of another size is dropped first) and gives the full-size bitmap.
  LMyBitmap* ScreenBitmap(const RECT& destination);
  // The data written after the record structure: the file bytes, else the picture as PNG.
  BOOL StoredImageData(std::vector<BYTE>& data);
  // Takes the image data of a loaded record.
  void LoadImageData(CArchive& ar, uint32_t version, BOOL fileBytes);

  int m_transparent = 0;
  LMyBitmap m_bitmap;
  std::vector<BYTE> m_fileBytes;
  // After the bitmap: destroyed first, so every job has ended before the bitmap goes.
  CScaledBitmapCache m_cache;
};
