#include "EraseList.h"

#include "ErrorLog.h"
#include "MyProcs.h"

namespace {

// A region handle freed when it goes out of scope.
class ScopedRegion {
 public:
  explicit ScopedRegion(HRGN region) : region_(region) {}
  ~ScopedRegion() {
    if (region_ != nullptr) DeleteObject(region_);
  }
  ScopedRegion(const ScopedRegion&) = delete;
  ScopedRegion& operator=(const ScopedRegion&) = delete;
  HRGN get() const { return region_; }

 private:
  HRGN region_;
};

}  // namespace

CEraseList::CEraseList() : CTypedPtrList<CPtrList, _ERASERECT*>(10), m_region(CreateRectRgn(0, 0, 0, 0)) {}

CEraseList::~CEraseList() {
  DEF_TRY
  RemoveAllEntries();
  DEF_CATCH("CEraseList::~CEraseList")
  if (m_region != nullptr) DeleteObject(m_region);
}

void CEraseList::RemoveAllEntries() {
  while (!IsEmpty()) delete RemoveHead();
}

void CEraseList::ResetRegion() {
  if (m_region == nullptr) m_region = CreateRectRgn(0, 0, 0, 0);
  else SetRectRgn(m_region, 0, 0, 0, 0);
}

void CEraseList::RebuildRegion() {
  ResetRegion();
  for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
    const _ERASERECT* entry = GetNext(pos);
    ScopedRegion rect(CreateRectRgnIndirect(&entry->rect));
    CombineRgn(m_region, m_region, rect.get(), entry->flag == erased ? RGN_OR : RGN_DIFF);
  }
}

HRGN CEraseList::MappedRegion(const std::function<RECT(const RECT&)>& map) const {
  HRGN region = nullptr;
  for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
    const _ERASERECT* entry = GetNext(pos);
    const RECT mapped = map(entry->rect);
    HRGN piece = CreateRectRgnIndirect(&mapped);
    if (region == nullptr) {
      region = piece;
      continue;
    }
    CombineRgn(region, region, piece, entry->flag == restored ? RGN_DIFF : RGN_OR);
    DeleteObject(piece);
  }
  return region;
}

BOOL CEraseList::AddErased(const RECT& rect) {
  DEF_TRY
  ScopedRegion area(CreateRectRgnIndirect(&rect));
  ScopedRegion common(CreateRectRgn(0, 0, 0, 0));
  const int overlap = CombineRgn(common.get(), m_region, area.get(), RGN_AND);
  const bool addsSomething = overlap == ERROR || overlap == NULLREGION || !EqualRgn(common.get(), area.get());
  if (addsSomething) CombineRgn(m_region, m_region, area.get(), RGN_OR);
  if (!addsSomething && !IsEmpty()) return FALSE;
  AddTail(new _ERASERECT{rect, erased});
  return TRUE;
  DEF_CATCH("CEraseList::AddErased")
  return FALSE;
}

BOOL CEraseList::AddUnerased(const RECT& rect) {
  DEF_TRY
  ScopedRegion area(CreateRectRgnIndirect(&rect));
  ScopedRegion common(CreateRectRgn(0, 0, 0, 0));
  const int overlap = CombineRgn(common.get(), m_region, area.get(), RGN_AND);
  if (overlap == NULLREGION) return FALSE;
  CombineRgn(m_region, m_region, area.get(), RGN_DIFF);
  AddTail(new _ERASERECT{rect, restored});
  RECT box;
  if (GetRgnBox(m_region, &box) == NULLREGION || IsRectEmpty(&box)) {
    RemoveAllEntries();
    ResetRegion();
  }
  return TRUE;
  DEF_CATCH("CEraseList::AddUnerased")
  return FALSE;
}

void CEraseList::Serialize(CArchive& ar, int pageIndex) {
  DEF_TRY
  if (ar.IsStoring()) {
    const int32_t count = static_cast<int32_t>(GetCount());
    ar << static_cast<int32_t>(count * static_cast<int32_t>(sizeof(_ERASERECT)) + 8)
       << static_cast<int32_t>(pageIndex) << count;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) ar.Write(GetNext(pos), sizeof(_ERASERECT));
    return;
  }
  int32_t count = 0;
  ar >> count;
  if (count < 0) AfxThrowArchiveException(CArchiveException::badIndex);
  CheckArchiveCount(ar, static_cast<ULONGLONG>(count), sizeof(_ERASERECT));
  RemoveAllEntries();
  for (int32_t i = 0; i < count; ++i) {
    _ERASERECT entry;
    ReadArchiveExact(ar, &entry, sizeof(entry));
    AddTail(new _ERASERECT(entry));
  }
  RebuildRegion();
  DEF_CATCH_PASS_ARCHIVE("CEraseList::Serialize")
}
