// One page of a document: its overlay objects, page image, background metafile, erase list, data
// table, page settings and its own undo history.
#pragma once
#include "Framework.h"

#include <vector>

#include "DocOptions.h"
#include "DynTable.h"
#include "EraseList.h"
#include "PageImage.h"
#include "TranspObjectList.h"
#include "undo.h"

class CTranspBaseClass;
class CFolimarDoc;

// First member is the object list, so a page can be handed wherever the list is expected.
class CPageInfo {
 public:
  enum { kUndoLimit = 1000 };

  explicit CPageInfo(CFolimarDoc* owner);
  // The objects themselves are destroyed by the document before the page.
  ~CPageInfo();
  CPageInfo(const CPageInfo&) = delete;
  CPageInfo& operator=(const CPageInfo&) = delete;

  // Fills this freshly made page of `target` from `source` (of another or the same document) as
  // page `pageIndex` of the target. FALSE when the source's metafile cannot be copied or anything
  // fails (logged).
  BOOL CopyPage(CPageInfo* source, CFolimarDoc* target, int pageIndex);
  // Asks the owner's first view to drop its pre-scaled page bitmaps.
  void ClearViewCache();

  BOOL HasBitmap() const { return m_pBitmap != nullptr && m_pBitmap->IsAllocated(); }
  // Replaces the page bitmap (taking ownership; null removes it).
  void SetBitmap(LMyBitmap* bitmap);
  // Replaces the background metafile (taking ownership; null removes it).
  void SetMetafile(HENHMETAFILE metafile);
  // The image file's own bytes kept while the image is unedited; empty to encode anew on saving.
  void SetImageFileBytes(const BYTE* bytes, UINT size);
  void FreeImageFileBytes();

  CTranspObjectList m_objects;
  LMyBitmap* m_pBitmap = nullptr;
  HENHMETAFILE m_hMetafile = nullptr;
  POINT m_imagePosition = {0, 0};
  // Where the image stood before the last image move or crop, for taking that change back.
  POINT m_previousImagePosition = {0, 0};
  CEraseList m_eraseList;
  CDynTable m_table;
  int m_imageChanged = 0;
  BYTE* m_pImageFileBytes = nullptr;
  int m_imageFileSize = 0;
  _PAGE_SETTINGS m_settings;
  CommandManagerT* m_pUndoManager;
  CFolimarDoc* m_pOwner;
};
