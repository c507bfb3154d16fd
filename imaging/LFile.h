// Imaging layer: image files in memory. An LMemoryFile loads its bitmap from an LBuffer holding a
// whole image file and saves it into one.
#pragma once
#include "LBitmapBase.h"

#include <cstdint>
#include <vector>

// A block of bytes: Lock gives its address (valid until Reallocate or destruction).
class LBuffer {
 public:
  LBuffer() = default;
  LBuffer(const void* pData, SIZE_T uSize);
  int Reallocate(SIZE_T uSize);
  void* Lock() { return m_Data.empty() ? nullptr : m_Data.data(); }
  void Unlock() {}
  SIZE_T GetSize() const { return m_Data.size(); }
  int Copy(const void* pData, SIZE_T uSize);

 private:
  std::vector<uint8_t> m_Data;
};

// What every file object shares: the bitmap it loads into and saves from (not owned).
class LBaseFile : public LBase {
 public:
  void SetBitmap(LBitmapBase* pBitmap) { m_pBitmap = pBitmap; }
  LBitmapBase* GetBitmap() const { return m_pBitmap; }

 protected:
  LBitmapBase* m_pBitmap = nullptr;
};

class LMemoryFile : public LBaseFile {
 public:
  LMemoryFile() = default;
  explicit LMemoryFile(LBitmapBase* pBitmap) { SetBitmap(pBitmap); }

  // Loads page nPage (from 1; 0 means 1) of the image file in the buffer. Progress goes to the
  // bitmap's status callback.
  int Load(LBuffer& buffer, int nBitsPerPixel = 0, int nOrder = ORDER_BGRORGRAY, int nPage = 1);
  // Saves the bitmap as an image file into the buffer (its old contents are replaced).
  int Save(LBuffer* pBuffer, int nFormat, int nBitsPerPixel = 0, int nQFactor = 2, UINT uFlags = 0);
};
