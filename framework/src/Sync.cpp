#include "fw/Sync.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)

CSyncObject::~CSyncObject() = default;

CCriticalSection::CCriticalSection() {
  InitializeCriticalSection(&m_sect);
}

CCriticalSection::~CCriticalSection() {
  DeleteCriticalSection(&m_sect);
}

BOOL CCriticalSection::Lock() {
  EnterCriticalSection(&m_sect);
  return TRUE;
}

BOOL CCriticalSection::Lock(DWORD timeoutMs) {
  if (timeoutMs == INFINITE) return Lock();
  return TryEnterCriticalSection(&m_sect);
}

BOOL CCriticalSection::Unlock() {
  LeaveCriticalSection(&m_sect);
  return TRUE;
}

CSingleLock::CSingleLock(CSyncObject* object, BOOL initialLock) : m_pObject(object), m_bAcquired(FALSE) {
  ASSERT(object != nullptr);
  if (initialLock) Lock();
}

CSingleLock::~CSingleLock() {
  Unlock();
}

BOOL CSingleLock::Lock(DWORD timeoutMs) {
  ASSERT(!m_bAcquired);
  if (!m_bAcquired) m_bAcquired = m_pObject->Lock(timeoutMs);
  return m_bAcquired;
}

BOOL CSingleLock::Unlock() {
  if (m_bAcquired) m_bAcquired = !m_pObject->Unlock();
  return !m_bAcquired;
}
