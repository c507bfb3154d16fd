// Threads of the framework: CWinThread and AfxBeginThread for worker functions. The window half adds
// message loops to CWinThread; here a thread runs its function and ends.
#pragma once
#include "fw/CmdTarget.h"

class CWnd;

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class FW_API CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWinThread();
  CWinThread(AFX_THREADPROC proc, LPVOID param);
  ~CWinThread() override;

  // Starts the thread (CREATE_SUSPENDED keeps it waiting for ResumeThread).
  BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0, LPSECURITY_ATTRIBUTES security = nullptr);
  DWORD ResumeThread();
  DWORD SuspendThread();
  BOOL SetThreadPriority(int priority);
  int GetThreadPriority();
  operator HANDLE() const { return m_hThread; }

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  virtual int Run();
  // Frees the object when it ends if m_bAutoDelete is set.
  virtual void Delete();

  HANDLE m_hThread;
  DWORD m_nThreadID;
  // Cleared by callers that read the exit code or wait on m_hThread after the thread ended.
  BOOL m_bAutoDelete;
  CWnd* m_pMainWnd;
  LPVOID m_pThreadParams;
  AFX_THREADPROC m_pfnThreadProc;

 private:
  static unsigned __stdcall Start(void* self);
};

// Starts `proc(param)` on a new thread; returns the thread object or null when the thread could not
// be created. With CREATE_SUSPENDED the caller can clear m_bAutoDelete before ResumeThread.
FW_API CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                                         UINT stackSize = 0, DWORD createFlags = 0,
                                         LPSECURITY_ATTRIBUTES security = nullptr);
// Ends the calling framework thread with `exitCode` (the thread object is freed if auto-deleting).
[[noreturn]] FW_API void AFXAPI AfxEndThread(UINT exitCode, BOOL deleteObject = TRUE);
// The framework thread object of the calling thread: the application object on the main thread.
FW_API CWinThread* AFXAPI AfxGetThread();
