#include "PropertyGridTestSupport.h"

namespace grid_test {

BEGIN_MESSAGE_MAP(GridOwner, CWnd)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, OnPropertyChanged)
END_MESSAGE_MAP()

BOOL GridOwner::Make(LPCWSTR title, const CRect& rect) {
  LPCWSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CreateEx(0, cls, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect.left, rect.top, rect.Width(), rect.Height(),
                  nullptr, nullptr);
}

LRESULT GridOwner::OnPropertyChanged(WPARAM wParam, LPARAM lParam) {
  auto* row = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
  const VARIANT& value = row->GetValue();
  changes.push_back({wParam, row, row->GetData(), value.vt, AfxVariantToText(value).GetString(),
                     row->FormatProperty().GetString(), value.ulVal});
  return 0;
}

}  // namespace grid_test
