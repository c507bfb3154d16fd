// What the document asks of its overlay objects: making one of a file kind, reading and writing its
// record, its name, page and field, destroying it. The object classes answer through this table
// (tests put their own in place); a kind that nothing makes ends the load of a file that holds it.
#pragma once
#include "Framework.h"

class CTranspBaseClass;
class CFolimarDoc;

struct DOC_OBJECT_SERVICES {
  // An empty object of a file kind tag (1 text field ... 21 barcode); null for an unknown kind.
  CTranspBaseClass* (*create)(int kindTag, CFolimarDoc* doc);
  void (*destroy)(CTranspBaseClass* object);
  // The file kind tag of an object; 0 when it has none (it is then not written).
  int (*kindTag)(const CTranspBaseClass* object);
  // The object's own record in both directions (its first int32 is the record's length field).
  void (*serialize)(CTranspBaseClass* object, CArchive& ar);
  BOOL (*isDeleted)(const CTranspBaseClass* object);
  CString (*getName)(const CTranspBaseClass* object);
  void (*setName)(CTranspBaseClass* object, const CString& name);
  int (*getPageIndex)(const CTranspBaseClass* object);
  // TRUE for text fields and check marks: they own a column of their page's data table.
  BOOL (*hasField)(const CTranspBaseClass* object);
  // A copy for page `pageIndex` of `target`, made through the object's data; null on failure.
  CTranspBaseClass* (*copy)(CTranspBaseClass* object, CFolimarDoc* target, int pageIndex);
  // A name no other object of the document has, for objects whose file gives none.
  CString (*uniqueName)(CFolimarDoc* doc, const CTranspBaseClass* object);
  // The entry as an overlay object of the program's classes (values, formulas, kinds); null for
  // objects of another table's own making.
  CTranspBaseClass* (*overlay)(CTranspBaseClass* object);
};

// Installs the table (null puts the object classes' own back); returns the one it replaces.
const DOC_OBJECT_SERVICES* SetDocObjectServices(const DOC_OBJECT_SERVICES* services);
const DOC_OBJECT_SERVICES* GetDocObjectServices();

// ---- The overlay object classes behind the table ----
// The table the document uses unless another is set: it works on CTranspBaseClass objects. Each
// object kind registers how it is made for its record tag and how it is recognised; the document
// tests the kinds in the order that puts narrower classes first (a label is a text field, a
// circle an ellipse).
typedef CTranspBaseClass* (*TRANSP_FACTORY)();
typedef BOOL (*TRANSP_CLASS_TEST)(CTranspBaseClass* object);
// Builds an object of the kind from object data (the handle stays the caller's) for a page.
typedef CTranspBaseClass* (*TRANSP_FROM_DATA)(HGLOBAL data, CFolimarDoc* target, int pageIndex);
void RegisterTranspRecordKind(int recordTag, TRANSP_FACTORY make, TRANSP_CLASS_TEST isKind,
                              TRANSP_FROM_DATA fromData);
// The names of objects whose file gives none come from the document's own naming rule unless another
// rule is set here (tests set their own).
typedef CString (*TRANSP_NAMER)(CFolimarDoc* doc, CTranspBaseClass* object);
void SetTranspObjectNamer(TRANSP_NAMER namer);
const DOC_OBJECT_SERVICES* GetTranspObjectServices();
