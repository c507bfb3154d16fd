// Object names handed out by the document, the groups of mirrored fields that share a name, filling
// the document from a name-to-value map, the barcodes' symbols, and the accessors over the pages.
#include "DocObjects.h"
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "TranspBarcode.h"
#include "TranspText.h"

namespace {

// The name format of each object kind by its record tag, in the order the kinds are tested (a label
// before the text field it also is).
const struct {
  int recordTag;
  LPCWSTR format;
} kNameFormats[CFolimarDoc::kNameKinds] = {
    {RECORD_TAG_LABEL, L"FormText%d"}, {RECORD_TAG_TEXT, L"Text%d"},       {RECORD_TAG_CHECKMARK, L"CheckMark%d"},
    {RECORD_TAG_CIRCLE, L"Circle%d"},  {RECORD_TAG_ELLIPSE, L"Ellipse%d"}, {RECORD_TAG_FREEHAND, L"FreeHand%d"},
    {RECORD_TAG_IMAGE, L"Image%d"},    {RECORD_TAG_LINE, L"Line%d"},       {RECORD_TAG_RECTANGLE, L"Rectangle%d"},
    {RECORD_TAG_BARCODE, L"Barcode%d"},
};

}  // namespace

CString CFolimarDoc::GetUniqueObjectName(CTranspBaseClass* object, int check) {
  DEF_TRY
  const DOC_OBJECT_SERVICES* services = GetDocObjectServices();
  const int tag = services->kindTag(object);
  int kind = 0;
  while (kind < kNameKinds && kNameFormats[kind].recordTag != tag) ++kind;
  if (kind == kNameKinds) return CString();
  for (;;) {
    CString name;
    name.Format(kNameFormats[kind].format, m_nameCounters[kind]++);
    if (!check || !IsObjectNameUsed(name)) return name;
  }
  DEF_CATCH("CFolimarDoc::GetUniqueObjectName")
  return CString();
}

BOOL CFolimarDoc::IsObjectNameUsed(const CString& name) {
  const DOC_OBJECT_SERVICES* services = GetDocObjectServices();
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos;) {
    CTranspObjectList& objects = m_pages.GetNext(pagePos)->m_objects;
    for (POSITION pos = objects.GetHeadPosition(); pos;)
      if (services->getName(objects.GetNext(pos)) == name) return TRUE;
  }
  return FALSE;
}

void CFolimarDoc::SetMirroredFields() {
  DEF_TRY
  ForEachTextObject([](CTranspText* text) {
    text->SetMirrored(0);
    text->SetLeadField(0);
    text->SetObjectNameForPDF(L"");
    return true;
  });
  int pageIndex = 0;
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos; ++pageIndex) {
    CTranspObjectList& objects = m_pages.GetNext(pagePos)->m_objects;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      CTranspBaseClass* object = OverlayOf(objects.GetNext(pos));
      if (object == nullptr || object->IsMirrored()) continue;
      CTranspText* text = TextOf(object);
      if (IsCheckMarkObject(object)) {
        SetObjectNameForPDFForOtherFields(pageIndex, object);
      } else if (text != nullptr && !text->IsLabel()) {
        if (text->GetObjectNameForPDF().IsEmpty()) text->SetObjectNameForPDF(text->GetName());
        SetObjectNameForPDFForOtherFields(pageIndex, text);
      }
    }
  }
  DEF_CATCH("CFolimarDoc::SetMirroredFields")
}

void CFolimarDoc::FillForm(CMap<CString, LPCWSTR, COleVariant, COleVariant>& values) {
  DEF_TRY
  ForEachTextObject([&](CTranspText* text) {
    COleVariant value;
    if (values.Lookup(text->GetName(), value)) text->SetValue(CVariant(AfxVariantToText(value)));
    return true;
  });
  CFolimarView* view = GetFirstFolimarView();
  if (view != nullptr && view->m_hWnd != nullptr) view->Invalidate(FALSE);
  DEF_CATCH("CFolimarDoc::FillForm")
}

void CFolimarDoc::GenerateBarcodes() {
  DEF_TRY
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos;) {
    CTranspObjectList& objects = m_pages.GetNext(pagePos)->m_objects;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      CTranspBarcode* barcode = dynamic_cast<CTranspBarcode*>(OverlayOf(objects.GetNext(pos)));
      if (barcode == nullptr) continue;
      // A symbol that shrank must not leave its old modules behind.
      RECT before;
      barcode->GetRepaintRect(&before);
      barcode->GenerateBacode();
      barcode->Repaint(&before);
    }
  }
  DEF_CATCH("CFolimarDoc::GenerateBarcodes")
}

// ---- Accessors by page index ----

CPageInfo* CFolimarDoc::GetPageInfo(int pageIndex) const { return GetPage(pageIndex); }

CTranspObjectList* CFolimarDoc::GetObjectsList(int pageIndex) const {
  CPageInfo* page = GetPage(pageIndex);
  return page != nullptr ? &page->m_objects : nullptr;
}

CEraseList* CFolimarDoc::GetErasedList(int pageIndex) const {
  CPageInfo* page = GetPage(pageIndex);
  return page != nullptr ? &page->m_eraseList : nullptr;
}

LMyBitmap* CFolimarDoc::GetBitmapPage(int pageIndex) const {
  CPageInfo* page = GetPage(pageIndex);
  return page != nullptr ? page->m_pBitmap : nullptr;
}

LMyBitmap* CFolimarDoc::GetCurrentBitmap(int pageIndex) const {
  CPageInfo* page = GetPage(pageIndex);
  return page != nullptr && page->HasBitmap() ? page->m_pBitmap : nullptr;
}

CommandManagerT* CFolimarDoc::GetUndoManager(int pageIndex) const {
  CPageInfo* page = GetPage(pageIndex);
  return page != nullptr ? page->m_pUndoManager : nullptr;
}

int CFolimarDoc::HasObjects() const {
  for (POSITION pos = m_pages.GetHeadPosition(); pos;)
    if (!m_pages.GetNext(pos)->m_objects.IsEmpty()) return 1;
  return 0;
}

int CFolimarDoc::IsEmpty() const {
  for (POSITION pos = m_pages.GetHeadPosition(); pos;)
    if (m_pages.GetNext(pos)->HasBitmap()) return 0;
  return HasObjects() ? 0 : 1;
}

void CFolimarDoc::SetImageChangedForAllPages(int flag) {
  for (POSITION pos = m_pages.GetHeadPosition(); pos;) m_pages.GetNext(pos)->m_imageChanged = flag;
}
