// The two pieces of the compiler's COM support library that mingw-w64 declares in <comdef.h> and
// <comutil.h> but does not ship: raising a COM error with the object's error information, and the
// narrow-string conversions behind _bstr_t.
#include <windows.h>
#include <ole2.h>
#include <comdef.h>

void WINAPI _com_issue_errorex(HRESULT hr, IUnknown* object, REFIID iid) {
  IErrorInfo* info = nullptr;
  if (object) {
    ISupportErrorInfo* support = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)))) {
      if (support->InterfaceSupportsErrorInfo(iid) == S_OK && GetErrorInfo(0, &info) != S_OK) info = nullptr;
      support->Release();
    }
  }
  __mingw_com_error_handler(hr, info);  // the _com_error takes over the reference
}

namespace _com_util {

BSTR WINAPI ConvertStringToBSTR(const char* text) {
  if (!text) return nullptr;
  int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  BSTR out = SysAllocStringLen(nullptr, length > 0 ? length - 1 : 0);
  if (!out) _com_issue_error(E_OUTOFMEMORY);
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, out, length);
  return out;
}

char* WINAPI ConvertBSTRToString(BSTR text) {
  if (!text) return nullptr;
  int length = WideCharToMultiByte(CP_ACP, 0, text, SysStringLen(text) + 1, nullptr, 0, nullptr, nullptr);
  char* out = new char[length > 0 ? length : 1];
  out[0] = 0;
  if (length > 0) WideCharToMultiByte(CP_ACP, 0, text, SysStringLen(text) + 1, out, length, nullptr, nullptr);
  return out;
}

}  // namespace _com_util
