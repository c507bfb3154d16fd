#include "ObjectKinds.h"

#include "DocObjects.h"
#include "TranspBarcode.h"
#include "TranspCheckMark.h"
#include "TranspFreehand.h"
#include "TranspLabel.h"
#include "TranspShapes.h"

namespace {

// A kind's factory, class test and data constructor. A copy through data is built without a view
// at (0, 0): the document moves it to where its source's align rectangle is.
template <typename T>
CTranspBaseClass* Make() {
  return new T(nullptr, 0);
}
template <typename T>
BOOL IsKind(CTranspBaseClass* object) {
  return dynamic_cast<T*>(object) != nullptr;
}
template <typename T>
CTranspBaseClass* FromData(HGLOBAL data, CFolimarDoc*, int pageIndex) {
  return new T(nullptr, data, 0, 0, pageIndex);
}

struct KIND_ROW {
  int recordTag;
  TRANSP_FACTORY make;
  TRANSP_CLASS_TEST isKind;
  TRANSP_FROM_DATA fromData;
};
// The document tests the classes in its own order (a label before the text field, a circle before
// the ellipse), so a narrower class is never taken for its base.
const KIND_ROW kKinds[] = {
    // The text kinds' align rectangle comes from their layout on a view, which cannot place a copy
    // to the unit: they get a data constructor of their own once their data can say where they are.
    {RECORD_TAG_LABEL, Make<CTranspLabel>, IsKind<CTranspLabel>, nullptr},
    {RECORD_TAG_TEXT, Make<CTranspText>, IsKind<CTranspText>, nullptr},
    {RECORD_TAG_CHECKMARK, Make<CTranspCheckMark>, IsKind<CTranspCheckMark>, FromData<CTranspCheckMark>},
    {RECORD_TAG_CIRCLE, Make<CTranspCircle>, IsKind<CTranspCircle>, FromData<CTranspCircle>},
    {RECORD_TAG_ELLIPSE, Make<CTranspEllipse>, IsKind<CTranspEllipse>, FromData<CTranspEllipse>},
    {RECORD_TAG_FREEHAND, Make<CTranspFreehand>, IsKind<CTranspFreehand>, FromData<CTranspFreehand>},
    {RECORD_TAG_LINE, Make<CTranspLine>, IsKind<CTranspLine>, FromData<CTranspLine>},
    {RECORD_TAG_RECTANGLE, Make<CTranspRectangle>, IsKind<CTranspRectangle>, FromData<CTranspRectangle>},
    {RECORD_TAG_BARCODE, Make<CTranspBarcode>, IsKind<CTranspBarcode>, FromData<CTranspBarcode>},
};

}  // namespace

void RegisterOverlayObjectKinds() {
  for (const KIND_ROW& row : kKinds) RegisterTranspRecordKind(row.recordTag, row.make, row.isKind, row.fromData);
}

void UnregisterOverlayObjectKinds() {
  for (const KIND_ROW& row : kKinds) RegisterTranspRecordKind(row.recordTag, nullptr, nullptr, nullptr);
}
