#include "ViewConversions.h"

#include "ErrorLog.h"

namespace {

VIEW_GEOMETRY_LOOKUP s_lookup = nullptr;

const CViewGeometry* GeometryOf(CWnd* view) {
  return view != nullptr && s_lookup != nullptr ? s_lookup(view) : nullptr;
}

// The live vertical resolution of the view's window (the screen's without a window).
int LiveDpiY(CWnd* view) {
  HWND window = view != nullptr ? view->GetSafeHwnd() : nullptr;
  HDC dc = ::GetDC(window);
  if (dc == nullptr) return 0;
  const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::ReleaseDC(window, dc);
  return dpi;
}

}  // namespace

void SetViewGeometryLookup(VIEW_GEOMETRY_LOOKUP lookup) { s_lookup = lookup; }

// One forwarding function per member and argument type; a view without geometry leaves the value.
#define VIEW_FORWARD(name, member, Type)                 \
  void name(CWnd* view, Type* value) {                   \
    DEF_TRY                                              \
    const CViewGeometry* g = GeometryOf(view);           \
    if (g != nullptr && value != nullptr) g->member(*value); \
    DEF_CATCH("CFolimarView::" #name)                    \
  }
VIEW_FORWARD(UnitToPagePt, UnitToPage, POINT)
VIEW_FORWARD(UnitToPageRc, UnitToPage, RECT)
VIEW_FORWARD(PageToUnitPt, PageToUnit, POINT)
VIEW_FORWARD(PageToUnitRc, PageToUnit, RECT)
VIEW_FORWARD(PageToViewPt, PageToView, POINT)
VIEW_FORWARD(PageToViewRc, PageToView, RECT)
VIEW_FORWARD(PageToClientPt, PageToClient, POINT)
VIEW_FORWARD(PageToClientRc, PageToClient, RECT)
VIEW_FORWARD(ClientToPagePt, ClientToPage, POINT)
VIEW_FORWARD(ClientToPageRc, ClientToPage, RECT)
VIEW_FORWARD(ViewToClientPt, ViewToClient, POINT)
VIEW_FORWARD(ViewToClientRc, ViewToClient, RECT)
VIEW_FORWARD(ViewToPagePt, ViewToPage, POINT)
VIEW_FORWARD(ViewToPageRc, ViewToPage, RECT)
#undef VIEW_FORWARD

double GetFontScaleFactor(CWnd* view) {
  DEF_TRY
  const CViewGeometry* g = GeometryOf(view);
  return g != nullptr ? g->GetFontScaleFactor(LiveDpiY(view)) : 0.0;
  DEF_CATCH("CFolimarView::GetFontScaleFactor")
  return 0.0;
}

double GetViewZoom(CWnd* view) {
  const CViewGeometry* g = GeometryOf(view);
  return g != nullptr ? g->m_zoom : 1.0;
}

const VIEW_CONVERSIONS* GetViewConversionTable() {
  static const VIEW_CONVERSIONS table = {
      UnitToPagePt,   UnitToPageRc,   PageToUnitPt,   PageToUnitRc,   PageToViewPt,
      PageToViewRc,   PageToClientPt, PageToClientRc, ClientToPagePt, ClientToPageRc,
      ViewToClientPt, ViewToClientRc, ViewToPagePt,   ViewToPageRc,   GetFontScaleFactor,
  };
  return &table;
}
