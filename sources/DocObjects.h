// What the document asks of its overlay objects: making one of a file kind, reading and writing its
// record, its name, page and field, destroying it. The object classes answer through this table, so
// the document and its file format stand on their own; a document without a table reads no object
// record (such a file ends the load) and never holds objects.
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
  void (*setPageIndex)(CTranspBaseClass* object, int pageIndex);
  // TRUE for text fields and check marks: they own a column of their page's data table.
  BOOL (*hasField)(const CTranspBaseClass* object);
  // A name no other object of the document has, for objects whose file gives none.
  CString (*uniqueName)(CFolimarDoc* doc, const CTranspBaseClass* object);
};

// Installs the table (null removes it); returns the one it replaces.
const DOC_OBJECT_SERVICES* SetDocObjectServices(const DOC_OBJECT_SERVICES* services);
const DOC_OBJECT_SERVICES* GetDocObjectServices();
