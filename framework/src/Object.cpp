#include "fw/Object.h"

#include <string.h>

#include <vector>

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr};

CObject* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr) {
    if (c == base) return TRUE;
  }
  return FALSE;
}

CRuntimeClass* CObject::GetThisClass() {
  return &classCObject;
}

CRuntimeClass* CObject::GetRuntimeClass() const {
  return &classCObject;
}

CObject::~CObject() = default;

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
  return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

BOOL CObject::IsSerializable() const {
  return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

namespace {

// Classes register while their module's static objects are made, before any thread of the program
// can look them up, and leave when the module unloads; the lock covers libraries loaded later.
struct ClassRegistry {
  SRWLOCK lock = SRWLOCK_INIT;
  std::vector<CRuntimeClass*> classes;
};

ClassRegistry& Registry() {
  static ClassRegistry registry;
  return registry;
}

}  // namespace

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass) {
  ClassRegistry& registry = Registry();
  AcquireSRWLockExclusive(&registry.lock);
  registry.classes.push_back(pNewClass);
  ReleaseSRWLockExclusive(&registry.lock);
}

AFX_CLASSINIT::~AFX_CLASSINIT() {
  ClassRegistry& registry = Registry();
  AcquireSRWLockExclusive(&registry.lock);
  for (size_t i = 0; i < registry.classes.size(); ++i) {
    if (registry.classes[i] == m_pClass) {
      registry.classes.erase(registry.classes.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  ReleaseSRWLockExclusive(&registry.lock);
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
  if (!lpszClassName || !*lpszClassName) return nullptr;
  ClassRegistry& registry = Registry();
  CRuntimeClass* found = nullptr;
  AcquireSRWLockShared(&registry.lock);
  for (CRuntimeClass* c : registry.classes) {
    if (strcmp(c->m_lpszClassName, lpszClassName) == 0) {
      found = c;
      break;
    }
  }
  ReleaseSRWLockShared(&registry.lock);
  return found;
}

CRuntimeClass* CRuntimeClass::FromName(LPCWSTR lpszClassName) {
  if (!lpszClassName) return nullptr;
  // Class names are C++ identifiers: plain ASCII.
  char narrow[256];
  size_t i = 0;
  for (; lpszClassName[i] && i + 1 < sizeof(narrow); ++i) {
    if (lpszClassName[i] > 0x7F) return nullptr;
    narrow[i] = static_cast<char>(lpszClassName[i]);
  }
  if (lpszClassName[i]) return nullptr;
  narrow[i] = '\0';
  return FromName(narrow);
}
