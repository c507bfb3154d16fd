// The run-time pieces of the compiler's COM support classes that mingw-w64 declares in <comdef.h>
// and <comutil.h> but ships in no library: raising a COM error with the object's error information,
// and the 8-bit string conversions behind _bstr_t and _variant_t. Linked statically into every module
// that uses those classes.
#include <windows.h>
#include <ole2.h>

#include <comdef.h>

namespace _com_util {

// 8-bit text in the thread's ANSI code page, as the SDK's own conversions use.
BSTR WINAPI ConvertStringToBSTR(const char* source) {
  if (!source) return nullptr;
  const int chars = MultiByteToWideChar(CP_THREAD_ACP, 0, source, -1, nullptr, 0);
  if (chars <= 0) _com_issue_error(HRESULT_FROM_WIN32(GetLastError()));
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(chars - 1));
  if (!result) _com_issue_error(E_OUTOFMEMORY);
  MultiByteToWideChar(CP_THREAD_ACP, 0, source, -1, result, chars);
  return result;
}

// The caller frees the result with delete[].
char* WINAPI ConvertBSTRToString(BSTR source) {
  if (!source) return nullptr;
  const int length = static_cast<int>(SysStringLen(source));
  const int bytes = WideCharToMultiByte(CP_THREAD_ACP, 0, source, length, nullptr, 0, nullptr, nullptr);
  char* result = new char[bytes + 1];
  if (bytes > 0) WideCharToMultiByte(CP_THREAD_ACP, 0, source, length, result, bytes, nullptr, nullptr);
  result[bytes] = '\0';
  return result;
}

}  // namespace _com_util

// Raises the failure with the object's error information when it offers some for `iid`; the
// _com_error takes over the reference.
void WINAPI _com_issue_errorex(HRESULT hr, IUnknown* object, REFIID iid) {
  IErrorInfo* info = nullptr;
  ISupportErrorInfo* support = nullptr;
  if (object && SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)))) {
    if (support->InterfaceSupportsErrorInfo(iid) == S_OK && GetErrorInfo(0, &info) != S_OK) info = nullptr;
    support->Release();
  }
  _com_raise_error(hr, info);
}
