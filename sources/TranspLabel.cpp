#include "TranspLabel.h"

CTranspLabel::CTranspLabel(CWnd* view, int pageIndex) : CTranspText(view, pageIndex) { m_label = 1; }

CTranspLabel::CTranspLabel(CWnd* view, int x, int y, const _OBJECT_STYLE* style, const _PROPERTIES* properties,
                           LPCWSTR text, int pageIndex)
    : CTranspText(view, x, y, style, properties, text, pageIndex) {
  m_label = 1;
  m_style.printable = 0;
}

CTranspLabel::CTranspLabel(CWnd* view, HGLOBAL data, int x, int y, int pageIndex)
    : CTranspText(view, data, x, y, pageIndex, 1) {}
