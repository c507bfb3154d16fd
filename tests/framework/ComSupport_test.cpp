// The compiler's COM support classes with the pieces the layer supplies: 8-bit text in _bstr_t and
// _variant_t, smart pointers, and _com_error.
#include <gtest/gtest.h>

#include "Framework.h"

namespace {

TEST(ComSupportTest, NarrowTextConvertsThroughTheAnsiPage) {
  _bstr_t text("Gr\xFC\xDF" "e");  // Grüße in code page 1252
  EXPECT_EQ(text.length(), 5u);
  EXPECT_STREQ(static_cast<const wchar_t*>(text), L"Gr\u00FC\u00DFe");
  EXPECT_STREQ(static_cast<const char*>(_bstr_t(L"\u00C4rger")), "\xC4rger");
  _variant_t value("42");
  EXPECT_EQ(value.vt, VT_BSTR);
  EXPECT_EQ(static_cast<long>(value), 42);
  EXPECT_EQ(static_cast<const char*>(_bstr_t()), nullptr);
}

TEST(ComSupportTest, SmartPointerAndErrors) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  {
    IDispatchPtr missing;
    EXPECT_TRUE(FAILED(missing.CreateInstance(L"No.Such.Component")));
    EXPECT_FALSE(missing);
    HRESULT caught = S_OK;
    try {
      _com_issue_errorex(E_NOINTERFACE, nullptr, IID_IDispatch);
    } catch (const _com_error& e) {
      caught = e.Error();
    }
    EXPECT_EQ(caught, E_NOINTERFACE);
    try {
      _variant_t text(L"abc");
      text.ChangeType(VT_R8);
      ADD_FAILURE() << "no error raised";
    } catch (const _com_error& e) {
      EXPECT_EQ(e.Error(), DISP_E_TYPEMISMATCH);
    }
  }
  CoUninitialize();
}

}  // namespace
