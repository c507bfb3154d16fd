// The data-exchange ("viz") export: the document, each page with its image and every object handed to
// our converter, which writes the exchange file.
#include "DocObjects.h"
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "LMyBitmap.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "VizWriter.h"
#include "resource.h"

namespace {

// The converter's scale: inches per document unit as its format was made.
const double kVizScale = 0.000958;

// The converter's tool code for the frame's program mode.
int ToolCode(int mode) {
  switch (mode) {
    case 1: case 24: return 1;
    case 2: return 5;
    case 6: return 3;
    case 10: return 4;
    case 12: return 0;
    case 25: return 2;
    default: return 6;
  }
}

// The converter's item kind for an object's file kind tag.
int ItemKind(int recordTag) {
  switch (recordTag) {
    case RECORD_TAG_TEXT: case RECORD_TAG_LABEL: return 0x10001;
    case RECORD_TAG_CHECKMARK: return 0x10005;
    case RECORD_TAG_IMAGE: return 0x10002;
    case RECORD_TAG_LINE: return 0x10004;
    case RECORD_TAG_RECTANGLE: return 0x10003;
    default: return 0x10000;  // circle, ellipse, freehand, barcode
  }
}

}  // namespace

BOOL CFolimarDoc::StoringVIZ(LPCTSTR path) {
  AppendErrorLog(L"StoringVIZ begin");
  BOOL written = FALSE;
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  CVizWriter writer(path);
  writer.BeginDocument(m_options.formName, m_printOffsetX, m_printOffsetY, m_pageCount,
                       frame != nullptr ? frame->GetScalePercent() : 100,
                       ToolCode(frame != nullptr ? frame->GetProgramMode() : 0));
  const DOC_OBJECT_SERVICES* services = GetDocObjectServices();
  // What is sent of an object list: the program's objects that are not deleted.
  auto IsVizItem = [&](CTranspBaseClass* object) {
    CTranspBaseClass* overlay = OverlayOf(object);
    return overlay != nullptr && !overlay->IsDeleted();
  };
  for (int index = 0; index < m_pageCount; ++index) {
    CPageInfo* page = GetPage(index);
    if (page == nullptr) continue;
    // The page image goes through a PNG file of this run's own, removed once the writer has read it.
    CString png;
    if (page->HasBitmap()) {
      png = NewTempFile(L"viz", L"png");
      if (!png.IsEmpty() && page->m_pBitmap->Save(png, FILE_PNG, 0, 2) != SUCCESS) {
        AppendErrorLog(L"CFolimarDoc::StoringVIZ: the page image cannot be written");
        ::DeleteFileW(png);
        png.Empty();
      }
    }
    int items = png.IsEmpty() ? 0 : 1;
    for (POSITION pos = page->m_objects.GetHeadPosition(); pos != nullptr;)
      if (IsVizItem(page->m_objects.GetNext(pos))) ++items;
    writer.BeginPage(index + 1, items);
    if (!png.IsEmpty()) {
      CString name;
      name.Format(L"MainImage%d", index + 1);
      const BOOL read = writer.AddImageItem(name, page->m_imagePosition.x * kVizScale,
                                            page->m_imagePosition.y * kVizScale, png);
      ::DeleteFileW(png);
      if (!read) AppendErrorLog(L"CFolimarDoc::StoringVIZ: the page image cannot be read back");
    }
    for (POSITION pos = page->m_objects.GetHeadPosition(); pos != nullptr;) {
      CTranspBaseClass* object = page->m_objects.GetNext(pos);
      if (!IsVizItem(object)) continue;
      writer.BeginItem(ItemKind(services->kindTag(object)));
      OverlayOf(object)->StoringVIZ(&writer);
    }
    writer.EndPage();
  }
  written = writer.Finish();
  if (!written) {
    AppendErrorLog(CString(L"CFolimarDoc::StoringVIZ: the file cannot be written: ") + path);
    ErrorBox(IDS_OPERATION_FAILED);
  }
  DEF_CATCH("CFolimarDoc::StoringVIZ")
  AppendErrorLog(L"StoringVIZ end");
  return written;
}
