#include "ObjectViewWindow.h"

#include "ViewConversions.h"

namespace {

CWnd* g_openView = nullptr;

const CViewGeometry* Lookup(CWnd* view) { return view != nullptr && view == g_openView ? &ObjectViewGeometry() : nullptr; }

LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t kClassName[] = L"ObjectTestView";

}  // namespace

CViewGeometry& ObjectViewGeometry() {
  static CViewGeometry geometry;
  return geometry;
}

BOOL OpenObjectView(CWnd& view, const TRANSP_VIEW_LINK* link) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ViewProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    registered = RegisterClassW(&wc) != 0;
  }
  HWND window = CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return FALSE;
  view.Attach(window);
  // The class cursor is per class: each test starts from the cross.
  SetClassLongPtrW(window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_CROSS)));
  CViewGeometry& geometry = ObjectViewGeometry();
  geometry = CViewGeometry();
  geometry.m_zoom = 2;
  geometry.m_dpiX = geometry.m_dpiY = 100;
  geometry.m_inchesPerUnit = 0.0001;
  CTranspBaseClass::SetInchesPerUnit(0.0001);
  g_openView = &view;
  SetViewGeometryLookup(Lookup);
  CTranspBaseClass::SetViewConversions(GetViewConversionTable());
  CTranspBaseClass::SetViewLink(link);
  return TRUE;
}

void CloseObjectView(CWnd& view) {
  CTranspBaseClass::SetViewLink(nullptr);
  CTranspBaseClass::SetViewConversions(nullptr);
  SetViewGeometryLookup(nullptr);
  g_openView = nullptr;
  CTranspBaseClass::SetInchesPerUnit(0.00001);
  DestroyWindow(view.Detach());
}
