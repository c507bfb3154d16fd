#include "PageImage.h"

#include <memory>

#include "ErrorLog.h"
#include "LFile.h"

LMyBitmap* LoadBitmapFromFileBytes(const BYTE* bytes, UINT size) {
  DEF_TRY
  if (bytes == nullptr || size == 0) return nullptr;
  std::unique_ptr<LMyBitmap> bitmap(new LMyBitmap);
  LBuffer buffer(bytes, size);
  LMemoryFile file(bitmap.get());
  const int result = file.Load(buffer, 0, ORDER_BGRORGRAY, 1);
  if (result != SUCCESS) {
    CString text;
    text.Format(L"Page image of %u bytes does not decode (%d)", size, result);
    AppendErrorLog(text);
    return nullptr;
  }
  return bitmap.release();
  DEF_CATCH("LoadBitmapFromFileBytes")
  return nullptr;
}

BOOL SaveBitmapAsPng(LMyBitmap& bitmap, std::vector<BYTE>& bytes) {
  DEF_TRY
  LBuffer buffer;
  LMemoryFile file(&bitmap);
  if (file.Save(&buffer, FILE_PNG) != SUCCESS) return FALSE;
  const BYTE* data = static_cast<const BYTE*>(buffer.Lock());
  bytes.assign(data, data + buffer.GetSize());
  return TRUE;
  DEF_CATCH("SaveBitmapAsPng")
  return FALSE;
}
