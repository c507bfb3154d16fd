// The areas of a page image rubbed out with the eraser and given back with the restore tool, kept as
// an ordered list of rectangles beside the image, with the region they make (erased minus restored).
#pragma once
#include "Framework.h"

#include <cstdint>
#include <functional>

// Also the record of one entry in the document file.
struct _ERASERECT {
  RECT rect;     // in the page coordinates of the view's eraser
  int32_t flag;  // 0 erased, 1 restored
};
static_assert(sizeof(_ERASERECT) == 20, "an erase entry is 20 bytes in the file");

class CEraseList : public CTypedPtrList<CPtrList, _ERASERECT*> {
 public:
  enum { erased = 0, restored = 1 };

  CEraseList();
  ~CEraseList() override;
  CEraseList(const CEraseList&) = delete;
  CEraseList& operator=(const CEraseList&) = delete;

  // FALSE when the rectangle lies wholly inside the erased area already (nothing is recorded then);
  // the first rectangle of an empty list is always recorded.
  BOOL AddErased(const RECT& rect);
  // FALSE when the rectangle holds nothing erased. Restoring everything empties the list.
  BOOL AddUnerased(const RECT& rect);

  // Storing writes int32 size (count x 20 + 8), int32 page index, int32 count and the entries; the
  // caller writes the record tag first. Loading reads the count and the entries (the caller has read
  // the tag, size and page index) and rebuilds the region; a bad count or a truncated list ends the
  // load with the archive exception.
  void Serialize(CArchive& ar, int pageIndex);

  // The union of erased rectangles less the restored ones; owned by the list.
  HRGN GetRegion() const { return m_region; }
  // The same region with every rectangle mapped first (to the scale and place it is drawn at); null
  // for an empty list, else the caller deletes it.
  HRGN MappedRegion(const std::function<RECT(const RECT&)>& map) const;
  void RemoveAllEntries();

 private:
  void ResetRegion();
  void RebuildRegion();

  HRGN m_region;
};
