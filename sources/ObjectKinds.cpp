#include "ObjectKinds.h"

#include "DocObjects.h"
#include "ErrorLog.h"
#include "TranspBarcode.h"
#include "TranspCheckMark.h"
#include "TranspFreehand.h"
#include "TranspImage.h"
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
// An object whose data was refused is no copy of anything: it is discarded (logged by its class).
CTranspBaseClass* Accepted(CTranspBaseClass* object) {
  if (object == nullptr || !object->WasDataRefused()) return object;
  delete object;
  return nullptr;
}

template <typename T>
CTranspBaseClass* FromData(HGLOBAL data, CFolimarDoc*, int pageIndex) {
  return Accepted(new T(nullptr, data, 0, 0, pageIndex));
}

// A picture whose data does not decode is no picture: it is discarded (logged by the picture).
CTranspBaseClass* ImageFromData(HGLOBAL data, CFolimarDoc*, int pageIndex) {
  CTranspImage* image = new CTranspImage(nullptr, pageIndex);
  if (image->Create(data, 0, 0)) return image;
  delete image;
  return nullptr;
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
    {RECORD_TAG_IMAGE, Make<CTranspImage>, IsKind<CTranspImage>, ImageFromData},
};

}  // namespace

void RegisterOverlayObjectKinds() {
  for (const KIND_ROW& row : kKinds) RegisterTranspRecordKind(row.recordTag, row.make, row.isKind, row.fromData);
}

void UnregisterOverlayObjectKinds() {
  for (const KIND_ROW& row : kKinds) RegisterTranspRecordKind(row.recordTag, nullptr, nullptr, nullptr);
}

namespace {

template <typename T>
CTranspBaseClass* Paste(CWnd* view, HGLOBAL data, int x, int y, int pageIndex) {
  return Accepted(new T(view, data, x, y, pageIndex));
}

CTranspBaseClass* PasteImage(CWnd* view, HGLOBAL data, int x, int y, int pageIndex) {
  CTranspImage* image = new CTranspImage(view, pageIndex);
  if (image->Create(data, x, y)) return image;
  delete image;
  return nullptr;
}

struct PASTE_ROW {
  int dataType;
  CTranspBaseClass* (*paste)(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);
};
// A group is unpacked by its reader, never here.
const PASTE_ROW kPasteKinds[] = {
    {DATA_TYPE_RECTANGLE, Paste<CTranspRectangle>}, {DATA_TYPE_ELLIPSE, Paste<CTranspEllipse>},
    {DATA_TYPE_LINE, Paste<CTranspLine>},           {DATA_TYPE_FREEHAND, Paste<CTranspFreehand>},
    {DATA_TYPE_TEXT, Paste<CTranspText>},           {DATA_TYPE_CHECKMARK, Paste<CTranspCheckMark>},
    {DATA_TYPE_CIRCLE, Paste<CTranspCircle>},       {DATA_TYPE_LABEL, Paste<CTranspLabel>},
    {DATA_TYPE_BARCODE, Paste<CTranspBarcode>},    {DATA_TYPE_IMAGE, PasteImage},
};

}  // namespace

CTranspBaseClass* CreateTranspFromData(CWnd* view, HGLOBAL data, int x, int y, int pageIndex) {
  DEF_TRY
  int32_t type = 0;
  {
    CTranspDataReader reader(data);
    if (!reader.IsValid()) {
      AppendErrorLog(L"ObjectKinds: object data that is broken was not pasted");
      return nullptr;
    }
    type = reader.GetHead().type;
  }
  for (const PASTE_ROW& row : kPasteKinds) {
    if (row.dataType == type) return row.paste(view, data, x, y, pageIndex);
  }
  CString message;
  message.Format(L"ObjectKinds: object data of type %d was not pasted", type);
  AppendErrorLog(message);
  DEF_CATCH("CreateTranspFromData")
  return nullptr;
}
