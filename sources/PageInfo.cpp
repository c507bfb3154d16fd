#include "PageInfo.h"

#include <algorithm>
#include <vector>

#include "DocObjects.h"
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"

CPageInfo::CPageInfo(CFolimarDoc* owner)
    : m_pUndoManager(new CommandManagerT(kUndoLimit)), m_pOwner(owner) {
  memset(&m_settings, 0, sizeof(m_settings));
}

CPageInfo::~CPageInfo() {
  SetMetafile(nullptr);
  SetBitmap(nullptr);
  if (m_pUndoManager != nullptr) {
    m_pUndoManager->ClearUndoList();
    m_pUndoManager->ClearRedoList();
    delete m_pUndoManager;
  }
  FreeImageFileBytes();
  m_table.RemoveAllRecords();
  m_table.RemoveAllFields();
  m_eraseList.RemoveAllEntries();
  m_objects.RemoveAll();
}

void CPageInfo::SetBitmap(LMyBitmap* bitmap) {
  if (bitmap == m_pBitmap) return;
  // No scaling job may still read the bitmap that goes.
  if (m_pBitmap != nullptr) ClearViewCache();
  delete m_pBitmap;
  m_pBitmap = bitmap;
}

void CPageInfo::SetMetafile(HENHMETAFILE metafile) {
  if (metafile == m_hMetafile) return;
  if (m_hMetafile != nullptr) DeleteEnhMetaFile(m_hMetafile);
  m_hMetafile = metafile;
}

void CPageInfo::SetImageFileBytes(const BYTE* bytes, UINT size) {
  FreeImageFileBytes();
  if (bytes == nullptr || size == 0) return;
  m_pImageFileBytes = new BYTE[size];
  memcpy(m_pImageFileBytes, bytes, size);
  m_imageFileSize = static_cast<int>(size);
}

void CPageInfo::FreeImageFileBytes() {
  delete[] m_pImageFileBytes;
  m_pImageFileBytes = nullptr;
  m_imageFileSize = 0;
}

void CPageInfo::ClearViewCache() {
  DEF_TRY
  if (m_pOwner == nullptr) return;
  POSITION pos = m_pOwner->GetFirstViewPosition();
  CView* view = pos != nullptr ? m_pOwner->GetNextView(pos) : nullptr;
  if (view != nullptr && view->IsKindOf(RUNTIME_CLASS(CFolimarView))) static_cast<CFolimarView*>(view)->ClearScaledPageCache();
  DEF_CATCH("CPageInfo::ClearViewCache")
}

namespace {

// A copy of a metafile through its bits; null when they cannot be read whole or not be made again.
HENHMETAFILE CopyMetafileBits(HENHMETAFILE source) {
  const UINT size = GetEnhMetaFileBits(source, 0, nullptr);
  if (size == 0) return nullptr;
  std::vector<BYTE> bits(size);
  if (GetEnhMetaFileBits(source, size, bits.data()) != size) return nullptr;
  return SetEnhMetaFileBits(size, bits.data());
}

}  // namespace

BOOL CPageInfo::CopyPage(CPageInfo* source, CFolimarDoc* target, int pageIndex) {
  DEF_TRY
  if (source == nullptr || target == nullptr) return FALSE;
  m_imagePosition = source->m_imagePosition;
  m_previousImagePosition = source->m_previousImagePosition;
  if (source->HasBitmap()) {
    LMyBitmap* copy = new LMyBitmap;
    if (copy->Copy(*source->m_pBitmap) != SUCCESS) {
      delete copy;
      return FALSE;
    }
    SetBitmap(copy);
  }
  m_table.RemoveAllRecords();
  m_table.RemoveAllFields();
  if (source->m_hMetafile != nullptr) {
    HENHMETAFILE copy = CopyMetafileBits(source->m_hMetafile);
    if (copy == nullptr) return FALSE;
    SetMetafile(copy);
  }
  m_settings = source->m_settings;
  // Replaying the entries through a storing and loading pass rebuilds the erase region as loading does.
  if (source->m_eraseList.GetCount() > 0) {
    CMemFile memory;
    {
      CArchive out(&memory, CArchive::store);
      source->m_eraseList.Serialize(out, pageIndex);
      out.Close();
    }
    memory.SeekToBegin();
    CArchive in(&memory, CArchive::load);
    int size = 0, index = 0;
    in >> size >> index;
    m_eraseList.Serialize(in, pageIndex);
  }
  // Objects come over through their object data; field objects keep their names (their columns
  // are named after them), every other object is renamed so that names stay unique in the target.
  const DOC_OBJECT_SERVICES* services = GetDocObjectServices();
  for (POSITION pos = source->m_objects.GetHeadPosition(); pos;) {
    CTranspBaseClass* object = source->m_objects.GetNext(pos);
    if (services->isDeleted(object)) continue;
    CTranspBaseClass* copy = services->copy(object, target, pageIndex);
    if (copy == nullptr) {
      AppendErrorLog(L"CPageInfo::CopyPage: an object cannot be copied");
      return FALSE;
    }
    m_objects.AddTail(copy);
    if (services->hasField(copy))
      services->setName(copy, services->getName(object));
    else
      services->setName(copy, services->uniqueName(target, copy));
  }
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CTranspBaseClass* copy = m_objects.GetNext(pos);
    if (services->hasField(copy)) m_table.AddField(services->getName(copy));
  }
  // With the same fields on both sides the records come along; the target keeps its record count.
  if (source->m_table.GetFieldCount() == m_table.GetFieldCount()) {
    const int n = source->m_table.GetRecordCount();
    int m = n;
    if (target->GetPageCount() > 0) m = std::max(n, target->GetPage(0)->m_table.GetRecordCount());
    for (int r = 0; r < m; ++r) {
      const int added = m_table.InsertRecord(-1);
      if (r >= n || added < 0) continue;
      for (int f = 0; f < m_table.GetFieldCount(); ++f) m_table[added][f] = source->m_table[r][f];
    }
  }
  return TRUE;
  DEF_CATCH("CPageInfo::CopyPage")
  return FALSE;
}
