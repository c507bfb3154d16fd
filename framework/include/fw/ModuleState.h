// Which modules the process's resources come from. The host program's module is the resource handle;
// an extension library loaded into the host (such as the fill-form library) registers its own module
// when it attaches, so strings it asks for are found in its own table first and still in the host's.
#pragma once
#include "fw/AfxCore.h"

FW_API HINSTANCE AfxGetInstanceHandle();
FW_API void AfxSetInstanceHandle(HINSTANCE instance);
FW_API HINSTANCE AfxGetResourceHandle();
FW_API void AfxSetResourceHandle(HINSTANCE resources);

// State of one extension library; filled by AfxInitExtensionModule in the library's DllMain.
struct AFX_EXTENSION_MODULE {
  BOOL bInitialized;
  HMODULE hModule;
  HMODULE hResource;
};

FW_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
FW_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

// While one of these lives, the library's module is searched for resources after the calling module
// and the host's resource handle. Created at DLL_PROCESS_ATTACH, deleted by AfxTermExtensionModule.
class FW_API CDynLinkLibrary {
 public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
  CDynLinkLibrary(HINSTANCE module, HINSTANCE resources);
  virtual ~CDynLinkLibrary();
  CDynLinkLibrary(const CDynLinkLibrary&) = delete;
  CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

  HINSTANCE m_hModule;
  HINSTANCE m_hResource;
  CDynLinkLibrary* m_pNextDLL;
};

// Finds string `id` for code in module `caller`: the caller's own table, then the resource handle,
// then each registered extension library. Returns its length and points `text` at the characters
// (not terminated), or returns -1 when no module has it.
FW_API int AFXAPI AfxFindStringResource(HMODULE caller, UINT id, LPCWSTR* text);

// The module holding resource `name` of `type` (dialogs, menus, bitmaps, accelerators): the resource
// handle, then each registered extension library; null when none has it.
FW_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR name, LPCWSTR type);
