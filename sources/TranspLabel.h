// Static text on a form: a text object with its label flag set. It is drawn and edited like a text
// field in design mode but is no field: filling, the data table and field exchange leave it out.
#pragma once
#include "TranspText.h"

class CTranspLabel : public CTranspText {
 public:
  CTranspLabel(CWnd* view, int pageIndex);
  // The label tool and the conversion to a text box: a new label is not printed.
  CTranspLabel(CWnd* view, int x, int y, const _OBJECT_STYLE* style, const _PROPERTIES* properties, LPCWSTR text,
               int pageIndex);
  // Paste, drop and shelf.
  CTranspLabel(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);
};
