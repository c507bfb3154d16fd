// The progress of a database import or export: the caller names a worker function, its context and a
// title, runs the dialog modally and reads the worker's error text afterwards. The worker runs on its
// own thread and never touches the dialog's windows: it hands its text over under a lock (a timer
// shows it), polls the stop flag between records and ends by calling WorkerDone.
#pragma once
#include "Framework.h"

#include "resource.h"

// Waits until `handle` is signalled while the calling thread keeps dispatching its messages, so
// windows stay painted and responsive while a worker finishes.
void WaitPumpingMessages(HANDLE handle);

class CImpExpProgressDlg : public CDialogEx {
 public:
  enum { IDD = IDD_IMPEXP_PROGRESS, WM_IMPEXP_END = WM_USER + 400 };

  explicit CImpExpProgressDlg(CWnd* parent = nullptr);
  ~CImpExpProgressDlg() override;

  // The latest progress text; any thread.
  void SetText1(LPCTSTR text);
  CString GetText1();
  // The worker's last act, on every path: sets the stop flag and posts the end message.
  void WorkerDone();

  CString m_strError;          // left by the worker; read after DoModal
  volatile BOOL m_bStop = FALSE;
  AFX_THREADPROC m_pfnThreadProc = nullptr;
  CString m_strTitle;
  void* m_pParam = nullptr;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnCancel() override;
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnDestroy();
  afx_msg LRESULT Cancel(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // Waits for the worker (pumping messages) and frees its thread object.
  void FinishThread();

  CCriticalSection m_cs;
  UINT_PTR m_nTimer = 0;
  CString m_strText;
  CWinThread* m_pThread = nullptr;
  CStatic m_staticText;
};
