// Pages written to image and metafile files as the view renders them: the current page to a bitmap
// file or a metafile file, and all pages into one multi-page file or one file each.
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MyProcs.h"
#include "resource.h"

int CFolimarDoc::WriteCurrentPageToBitmap(int pageIndex, const CString& path, int ask) {
  DEF_TRY
  CFolimarView* view = GetFirstFolimarView();
  LMyBitmap bitmap;
  if (view == nullptr || !view->GetPageAsBitmap(pageIndex, &bitmap, 0)) return 0;
  int bitsPerPixel = bitmap.GetBitsPerPixel(), format = 0, quality = 2;
  if (!GetImageFormatParams(path, bitsPerPixel, format, quality, ask)) return 0;
  const int result = bitmap.Save(path, format, bitsPerPixel, quality, 1, 1);
  if (result != SUCCESS) {
    ErrorBox(LBase::GetErrorString(result));
    return 0;
  }
  return 1;
  DEF_CATCH("CFolimarDoc::WriteCurrentPageToBitmap")
  return 0;
}

int CFolimarDoc::WriteCurrentPageToEmf(int pageIndex, const CString& path) {
  DEF_TRY
  CFolimarView* view = GetFirstFolimarView();
  HENHMETAFILE metafile = view != nullptr ? view->WritePageToEmf(pageIndex, path) : nullptr;
  if (metafile == nullptr) {
    ErrorBox(IDS_OUT_OF_MEMORY);
    return 0;
  }
  ::DeleteEnhMetaFile(metafile);  // the file stays written
  return 1;
  DEF_CATCH("CFolimarDoc::WriteCurrentPageToEmf")
  return 0;
}

int CFolimarDoc::WritePageToFile(int pageIndex, const CString& path) {
  return LowerFileExt(path) == L"emf" ? WriteCurrentPageToEmf(pageIndex, path)
                                      : WriteCurrentPageToBitmap(pageIndex, path, 1);
}

int CFolimarDoc::WriteToGraphicOrEmfFile(const CString& path, int allPages, int oneMultipageFile) {
  DEF_TRY
  CFolimarView* view = GetFirstFolimarView();
  if (view == nullptr) return 0;
  if (!allPages) return WritePageToFile(view->GetActivePage(), path);
  if (oneMultipageFile) {
    LMyBitmapList list;
    if (!view->GetDocumentAsBitmapList(&list)) return 0;
    int bitsPerPixel = 24, format = 0, quality = 2;
    if (!GetImageFormatParams(path, bitsPerPixel, format, quality, TRUE)) return 0;
    const int result = list.Save(path, format, bitsPerPixel, quality);
    if (result != SUCCESS) {
      ErrorBox(LBase::GetErrorString(result));
      return 0;
    }
    return 1;
  }
  // scan.tif gives scan_page_1.tif, scan_page_2.tif, ...
  const int dot = path.ReverseFind(L'.');
  const CString stem = dot > path.ReverseFind(L'\\') ? path.Left(dot) : path;
  for (int index = 0; index < GetPageCount(); ++index) {
    CString pagePath;
    pagePath.Format(L"%s_page_%d.%s", static_cast<LPCTSTR>(stem), index + 1, static_cast<LPCTSTR>(ExtractFileExt(path)));
    if (!WritePageToFile(index, pagePath)) return 0;
  }
  return 1;
  DEF_CATCH("CFolimarDoc::WriteToGraphicOrEmfFile")
  return 0;
}
