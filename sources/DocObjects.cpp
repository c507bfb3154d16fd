#include "DocObjects.h"

#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "TranspBaseClass.h"

namespace {

struct KindEntry {
  int recordTag;
  TRANSP_FACTORY make;
  TRANSP_CLASS_TEST isKind;
  TRANSP_FROM_DATA fromData;
};
// Record tags in the order their classes are tested when an object is written.
const int kTestOrder[] = {RECORD_TAG_LABEL,   RECORD_TAG_TEXT,  RECORD_TAG_CHECKMARK, RECORD_TAG_CIRCLE,
                          RECORD_TAG_ELLIPSE, RECORD_TAG_FREEHAND, RECORD_TAG_IMAGE,  RECORD_TAG_LINE,
                          RECORD_TAG_RECTANGLE, RECORD_TAG_BARCODE};
const int kKinds = sizeof(kTestOrder) / sizeof(kTestOrder[0]);
KindEntry g_kinds[kKinds] = {};
TRANSP_NAMER g_namer = nullptr;

KindEntry* EntryOf(int recordTag) {
  for (int i = 0; i < kKinds; ++i)
    if (kTestOrder[i] == recordTag) return &g_kinds[i];
  return nullptr;
}

CTranspBaseClass* Create(int kindTag, CFolimarDoc*) {
  const KindEntry* entry = EntryOf(kindTag);
  return entry != nullptr && entry->make != nullptr ? entry->make() : nullptr;
}
void Destroy(CTranspBaseClass* object) { delete object; }
int KindTag(const CTranspBaseClass* object) {
  CTranspBaseClass* o = const_cast<CTranspBaseClass*>(object);
  for (int i = 0; i < kKinds; ++i)
    if (g_kinds[i].isKind != nullptr && g_kinds[i].isKind(o)) return kTestOrder[i];
  return 0;
}
void Serialize(CTranspBaseClass* object, CArchive& ar) { object->Serialize(ar); }
BOOL IsDeleted(const CTranspBaseClass* object) { return object->IsDeleted(); }
CString GetName(const CTranspBaseClass* object) { return const_cast<CTranspBaseClass*>(object)->GetName(); }
void SetName(CTranspBaseClass* object, const CString& name) { object->SetName(name); }
int GetPageIndex(const CTranspBaseClass* object) { return const_cast<CTranspBaseClass*>(object)->GetPageIndex(); }
BOOL HasField(const CTranspBaseClass* object) {
  return (const_cast<CTranspBaseClass*>(object)->GetObjectKind() & (KIND_TEXTFIELD | KIND_CHECKMARK)) != 0;
}
CTranspBaseClass* Copy(CTranspBaseClass* object, CFolimarDoc* target, int pageIndex) {
  const KindEntry* entry = EntryOf(KindTag(object));
  if (entry == nullptr || entry->fromData == nullptr) return nullptr;
  HGLOBAL data = object->GetObData();
  if (data == nullptr) return nullptr;
  CTranspBaseClass* copy = entry->fromData(data, target, pageIndex);
  GlobalFree(data);
  if (copy == nullptr) return nullptr;
  // Not every kind's object data says where the object lies (a circle's has no centre): the copy is
  // moved to where its source is.
  RECT from = {0, 0, 0, 0}, to = {0, 0, 0, 0};
  object->GetAlignRect(&from);
  copy->GetAlignRect(&to);
  if (from.left != to.left || from.top != to.top) copy->MoveBy(from.left - to.left, from.top - to.top);
  return copy;
}
CString UniqueName(CFolimarDoc* doc, const CTranspBaseClass* object) {
  CTranspBaseClass* o = const_cast<CTranspBaseClass*>(object);
  if (g_namer != nullptr) return g_namer(doc, o);
  if (doc != nullptr) return doc->GetUniqueObjectName(o, 0);
  AppendErrorLog(L"Object names: no document to name the object, it keeps its own name");
  return o->GetName();
}

CTranspBaseClass* Overlay(CTranspBaseClass* object) { return object; }

const DOC_OBJECT_SERVICES kTranspServices = {Create,  Destroy,      KindTag,  Serialize,  IsDeleted, GetName,
                                             SetName, GetPageIndex, HasField, Copy,       UniqueName, Overlay};
const DOC_OBJECT_SERVICES* g_services = &kTranspServices;

}  // namespace

void RegisterTranspRecordKind(int recordTag, TRANSP_FACTORY make, TRANSP_CLASS_TEST isKind,
                              TRANSP_FROM_DATA fromData) {
  KindEntry* entry = EntryOf(recordTag);
  if (entry == nullptr) return;
  *entry = {recordTag, make, isKind, fromData};
}

void SetTranspObjectNamer(TRANSP_NAMER namer) { g_namer = namer; }

const DOC_OBJECT_SERVICES* GetTranspObjectServices() { return &kTranspServices; }

const DOC_OBJECT_SERVICES* SetDocObjectServices(const DOC_OBJECT_SERVICES* services) {
  const DOC_OBJECT_SERVICES* previous = g_services;
  g_services = services != nullptr ? services : &kTranspServices;
  return previous;
}

const DOC_OBJECT_SERVICES* GetDocObjectServices() { return g_services; }
