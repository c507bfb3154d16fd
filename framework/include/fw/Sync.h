// Synchronisation objects: CCriticalSection and the CSingleLock that holds one for a scope.
#pragma once
#include "fw/Object.h"

class FW_API CSyncObject : public CObject {
  DECLARE_DYNAMIC(CSyncObject)
 public:
  ~CSyncObject() override;
  // TRUE when the object was acquired within `timeoutMs`.
  virtual BOOL Lock(DWORD timeoutMs = INFINITE) = 0;
  virtual BOOL Unlock() = 0;

 protected:
  CSyncObject() = default;
};

class FW_API CCriticalSection : public CSyncObject {
  DECLARE_DYNAMIC(CCriticalSection)
 public:
  CCriticalSection();
  ~CCriticalSection() override;

  BOOL Lock();
  // A critical section cannot wait with a limit: any timeout other than INFINITE only tries once.
  BOOL Lock(DWORD timeoutMs) override;
  BOOL Unlock() override;
  operator CRITICAL_SECTION*() { return &m_sect; }

  CRITICAL_SECTION m_sect;
};

class FW_API CSingleLock {
 public:
  explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE);
  ~CSingleLock();
  CSingleLock(const CSingleLock&) = delete;
  CSingleLock& operator=(const CSingleLock&) = delete;

  BOOL Lock(DWORD timeoutMs = INFINITE);
  BOOL Unlock();
  BOOL IsLocked() const { return m_bAcquired; }

 private:
  CSyncObject* m_pObject;
  BOOL m_bAcquired;
};
