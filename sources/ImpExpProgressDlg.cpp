#include "ImpExpProgressDlg.h"

#include "ErrorLog.h"

void WaitPumpingMessages(HANDLE handle) {
  for (;;) {
    const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT);
    if (result != WAIT_OBJECT_0 + 1) return;  // signalled, or the wait itself failed
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The quit belongs to the outer loop: hand it back once the worker is gone.
        WaitForSingleObject(handle, INFINITE);
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

BEGIN_MESSAGE_MAP(CImpExpProgressDlg, CDialogEx)
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_MESSAGE(CImpExpProgressDlg::WM_IMPEXP_END, Cancel)
END_MESSAGE_MAP()

CImpExpProgressDlg::CImpExpProgressDlg(CWnd* parent) : CDialogEx(IDD, parent) {}

CImpExpProgressDlg::~CImpExpProgressDlg() {
  FinishThread();
}

void CImpExpProgressDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_IMPEXP_TEXT, m_staticText);
}

void CImpExpProgressDlg::SetText1(LPCTSTR text) {
  CSingleLock lock(&m_cs, TRUE);
  m_strText = text;
}

CString CImpExpProgressDlg::GetText1() {
  CSingleLock lock(&m_cs, TRUE);
  return m_strText;
}

void CImpExpProgressDlg::WorkerDone() {
  m_bStop = TRUE;
  if (m_hWnd != nullptr) PostMessage(WM_IMPEXP_END, 0, 0);
}

BOOL CImpExpProgressDlg::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  SetWindowText(m_strTitle);
  if (m_pfnThreadProc != nullptr) {
    m_pThread = AfxBeginThread(m_pfnThreadProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pThread != nullptr) {
      m_pThread->m_bAutoDelete = FALSE;
      m_pThread->ResumeThread();
    }
  }
  m_nTimer = SetTimer(1, 200);
  DEF_CATCH("CImpExpProgressDlg::OnInitDialog")
  return TRUE;
}

void CImpExpProgressDlg::OnTimer(UINT_PTR nIDEvent) {
  DEF_TRY
  if (m_staticText.m_hWnd != nullptr) {
    const CString text = GetText1();
    CString shown;
    m_staticText.GetWindowText(shown);
    if (shown != text) m_staticText.SetWindowText(text);
  }
  CDialogEx::OnTimer(nIDEvent);
  DEF_CATCH("CImpExpProgressDlg::OnTimer")
}

void CImpExpProgressDlg::FinishThread() {
  if (m_pThread == nullptr) return;
  m_bStop = TRUE;
  WaitPumpingMessages(m_pThread->m_hThread);
  delete m_pThread;
  m_pThread = nullptr;
}

void CImpExpProgressDlg::OnCancel() {
  DEF_TRY
  // The worker finishes the record it is on; the window keeps answering meanwhile.
  m_bStop = TRUE;
  FinishThread();
  if (m_hWnd != nullptr) EndDialog(IDCANCEL);
  DEF_CATCH("CImpExpProgressDlg::OnCancel")
}

LRESULT CImpExpProgressDlg::Cancel(WPARAM, LPARAM) {
  DEF_TRY
  FinishThread();
  EndDialog(IDCANCEL);
  DEF_CATCH("CImpExpProgressDlg::Cancel")
  return 0;
}

void CImpExpProgressDlg::OnDestroy() {
  DEF_TRY
  if (m_nTimer != 0) KillTimer(m_nTimer);
  m_nTimer = 0;
  CDialogEx::OnDestroy();
  DEF_CATCH("CImpExpProgressDlg::OnDestroy")
}
