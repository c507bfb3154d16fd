#include "fw/Thread.h"

#include <process.h>

#include "fw/WinApp.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

// The framework thread object of each thread started here.
DWORD CurrentThreadSlot() {
  static const DWORD slot = TlsAlloc();
  return slot;
}

}  // namespace

CWinThread::CWinThread()
    : m_hThread(nullptr), m_nThreadID(0), m_bAutoDelete(TRUE), m_pMainWnd(nullptr), m_pThreadParams(nullptr),
      m_pfnThreadProc(nullptr) {}

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param) : CWinThread() {
  m_pfnThreadProc = proc;
  m_pThreadParams = param;
}

CWinThread::~CWinThread() {
  if (m_hThread) CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT stackSize, LPSECURITY_ATTRIBUTES security) {
  unsigned id = 0;
  const uintptr_t handle = _beginthreadex(security, stackSize, &CWinThread::Start, this, createFlags, &id);
  if (!handle) return FALSE;
  m_hThread = reinterpret_cast<HANDLE>(handle);
  m_nThreadID = id;
  return TRUE;
}

unsigned __stdcall CWinThread::Start(void* self) {
  CWinThread* thread = static_cast<CWinThread*>(self);
  TlsSetValue(CurrentThreadSlot(), thread);
  UINT exitCode = 0;
  if (thread->m_pfnThreadProc) {
    exitCode = thread->m_pfnThreadProc(thread->m_pThreadParams);
  } else {
    exitCode = thread->InitInstance() ? thread->Run() : thread->ExitInstance();
  }
  TlsSetValue(CurrentThreadSlot(), nullptr);
  thread->Delete();
  return exitCode;
}

DWORD CWinThread::ResumeThread() {
  return ::ResumeThread(m_hThread);
}

DWORD CWinThread::SuspendThread() {
  return ::SuspendThread(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int priority) {
  return ::SetThreadPriority(m_hThread, priority);
}

int CWinThread::GetThreadPriority() {
  return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::InitInstance() {
  return FALSE;
}

int CWinThread::ExitInstance() {
  return 0;
}

int CWinThread::Run() {
  return ExitInstance();
}

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize, DWORD createFlags,
                                  LPSECURITY_ATTRIBUTES security) {
  if (!proc) return nullptr;
  CWinThread* thread = new CWinThread(proc, param);
  if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize, security)) {
    delete thread;
    return nullptr;
  }
  thread->SetThreadPriority(priority);
  if (!(createFlags & CREATE_SUSPENDED)) thread->ResumeThread();
  return thread;
}

void AFXAPI AfxEndThread(UINT exitCode, BOOL deleteObject) {
  CWinThread* thread = static_cast<CWinThread*>(TlsGetValue(CurrentThreadSlot()));
  TlsSetValue(CurrentThreadSlot(), nullptr);
  if (thread && deleteObject) thread->Delete();
  _endthreadex(exitCode);
  ExitThread(exitCode);  // not reached; _endthreadex does not return
}

CWinThread* AFXAPI AfxGetThread() {
  CWinThread* thread = static_cast<CWinThread*>(TlsGetValue(CurrentThreadSlot()));
  return thread ? thread : AfxGetApp();
}
