// COM helpers for outside components. mingw-w64's comdef.h gives _com_ptr_t, _bstr_t, _variant_t and
// _com_error (what it declares but ships in no library comes from compat/ComSupport.cpp); the layer adds
// the smart pointer names that comdef.h only declares for compilers with a native __uuidof.
#pragma once
#include <windows.h>

#include <comdef.h>

#if !defined(USE___UUIDOF) || USE___UUIDOF == 0
_COM_SMARTPTR_TYPEDEF(IUnknown, __uuidof(IUnknown));
_COM_SMARTPTR_TYPEDEF(IDispatch, __uuidof(IDispatch));
_COM_SMARTPTR_TYPEDEF(IErrorInfo, __uuidof(IErrorInfo));
#endif
