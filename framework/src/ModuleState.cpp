#include "fw/ModuleState.h"

#include "fw/ResourceLanguage.h"

namespace {

// The process has one host program; these start as its module when first asked.
HINSTANCE g_instance = nullptr;
HINSTANCE g_resources = nullptr;

// Registered extension libraries, newest first. Libraries attach and detach under the loader lock,
// but lookups run on any thread, so the chain has its own lock.
CDynLinkLibrary* g_libraries = nullptr;
SRWLOCK g_librariesLock = SRWLOCK_INIT;

}  // namespace

HINSTANCE AfxGetInstanceHandle() {
  return g_instance ? g_instance : GetModuleHandleW(nullptr);
}

void AfxSetInstanceHandle(HINSTANCE instance) {
  g_instance = instance;
}

HINSTANCE AfxGetResourceHandle() {
  return g_resources ? g_resources : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE resources) {
  g_resources = resources;
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module) {
  state.hModule = module;
  state.hResource = module;
  state.bInitialized = module != nullptr;
  return state.bInitialized;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL /*all*/) {
  AcquireSRWLockExclusive(&g_librariesLock);
  CDynLinkLibrary* found = nullptr;
  for (CDynLinkLibrary** link = &g_libraries; *link; link = &(*link)->m_pNextDLL) {
    if ((*link)->m_hModule == state.hModule) {
      found = *link;
      *link = found->m_pNextDLL;
      found->m_pNextDLL = nullptr;
      break;
    }
  }
  ReleaseSRWLockExclusive(&g_librariesLock);
  if (found) {
    found->m_hModule = nullptr;  // already unlinked; the destructor must not search again
    delete found;
  }
  state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : CDynLinkLibrary(state.hModule, state.hResource) {}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE module, HINSTANCE resources)
    : m_hModule(module), m_hResource(resources), m_pNextDLL(nullptr) {
  AcquireSRWLockExclusive(&g_librariesLock);
  m_pNextDLL = g_libraries;
  g_libraries = this;
  ReleaseSRWLockExclusive(&g_librariesLock);
}

CDynLinkLibrary::~CDynLinkLibrary() {
  AcquireSRWLockExclusive(&g_librariesLock);
  for (CDynLinkLibrary** link = &g_libraries; *link; link = &(*link)->m_pNextDLL) {
    if (*link == this) {
      *link = m_pNextDLL;
      break;
    }
  }
  ReleaseSRWLockExclusive(&g_librariesLock);
}

int AFXAPI AfxFindStringResource(HMODULE caller, UINT id, LPCWSTR* text) {
  int length = caller ? AfxGetStringInLanguage(caller, id, text) : -1;
  if (length < 0 && AfxGetResourceHandle() != caller) length = AfxGetStringInLanguage(AfxGetResourceHandle(), id, text);
  if (length >= 0) return length;
  AcquireSRWLockShared(&g_librariesLock);
  for (CDynLinkLibrary* library = g_libraries; library && length < 0; library = library->m_pNextDLL) {
    if (library->m_hResource != caller) length = AfxGetStringInLanguage(library->m_hResource, id, text);
  }
  ReleaseSRWLockShared(&g_librariesLock);
  return length;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR name, LPCWSTR type) {
  if (AfxFindResourceInLanguage(AfxGetResourceHandle(), name, type)) return AfxGetResourceHandle();
  HINSTANCE found = nullptr;
  AcquireSRWLockShared(&g_librariesLock);
  for (CDynLinkLibrary* library = g_libraries; library && !found; library = library->m_pNextDLL) {
    if (AfxFindResourceInLanguage(library->m_hResource, name, type)) found = library->m_hResource;
  }
  ReleaseSRWLockShared(&g_librariesLock);
  return found;
}
