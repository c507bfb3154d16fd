// Moving overlay objects' bytes in and out in tests: object-data blocks as global memory and object
// records through an archive, in the form the document and the clipboard hand them over.
#pragma once
#include <cstring>
#include <string>

#include "ArchiveFixtures.h"
#include "TranspBaseClass.h"

namespace fixtures {

// A movable global block holding `bytes` (the caller owns it).
inline HGLOBAL ToGlobal(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
  memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

// An object-data block's bytes, as long as its leading total size says.
inline std::string GlobalBytes(HGLOBAL block) {
  const void* p = GlobalLock(block);
  std::string bytes(static_cast<const char*>(p), *static_cast<const DWORD*>(p));
  GlobalUnlock(block);
  return bytes;
}

// The document reader has consumed the outer length before the object reads its record.
inline void LoadFrom(CTranspBaseClass& object, const std::string& record) {
  EXPECT_EQ(0u, Load(record.substr(4), [&object](CArchive& ar) { object.Serialize(ar); }));
}

inline std::string Stored(CTranspBaseClass& object) {
  return Store([&object](CArchive& ar) { object.Serialize(ar); });
}

}  // namespace fixtures
