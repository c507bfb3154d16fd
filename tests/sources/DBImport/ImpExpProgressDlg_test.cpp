// The progress dialog of the database workers: its worker thread, its text, Cancel, and a worker
// that ends on an error.
#include <gtest/gtest.h>

#include <functional>

#include "DBImport.h"
#include "DialogDriver.h"
#include "DocumentFieldsSupport.h"
#include "ImpExpProgressDlg.h"
#include "SqliteFixture.h"
#include "TestSupport.h"
#include "resource.h"

namespace {

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 10) {
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}

// Runs a modal loop that should end by itself; after `ms` a watchdog cancels whatever dialog the
// thread shows. True when the loop ended without the watchdog.
struct Watchdog {
  DWORD threadId;
  HANDLE done;
  volatile LONG fired;
};

BOOL CALLBACK CancelDialogs(HWND window, LPARAM) {
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

DWORD WINAPI Watch(LPVOID param) {
  Watchdog* watchdog = static_cast<Watchdog*>(param);
  if (WaitForSingleObject(watchdog->done, 10000) == WAIT_TIMEOUT) {
    watchdog->fired = 1;
    EnumThreadWindows(watchdog->threadId, CancelDialogs, 0);
  }
  return 0;
}

bool EndsByItself(const std::function<INT_PTR()>& doModal) {
  Watchdog watchdog = {GetCurrentThreadId(), CreateEventW(nullptr, TRUE, FALSE, nullptr), 0};
  HANDLE thread = CreateThread(nullptr, 0, Watch, &watchdog, 0, nullptr);
  doModal();
  SetEvent(watchdog.done);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CloseHandle(watchdog.done);
  return watchdog.fired == 0;
}

struct WorkerState {
  volatile LONG records = 0;
  volatile LONG answered = -1;  // whether the dialog answered a message sent while Cancel waited
};

wchar_t g_caption[64];

UINT __cdecl QuickWorker(LPVOID param) {
  CImpExpProgressDlg* dialog = static_cast<CImpExpProgressDlg*>(param);
  GetWindowTextW(dialog->m_hWnd, g_caption, 64);
  dialog->m_strError = L"left by the worker";
  dialog->WorkerDone();
  return 0;
}

// Records of 50 ms each until the stop flag; once stopped, it asks the dialog's window something,
// which only a thread that keeps handling its messages answers.
UINT __cdecl SlowWorker(LPVOID param) {
  CImpExpProgressDlg* dialog = static_cast<CImpExpProgressDlg*>(param);
  WorkerState* state = static_cast<WorkerState*>(dialog->m_pParam);
  while (!dialog->m_bStop) {
    Sleep(50);
    InterlockedIncrement(&state->records);
    CString text;
    text.Format(L"Record %d", static_cast<int>(state->records));
    dialog->SetText1(text);
  }
  DWORD_PTR result = 0;
  state->answered = SendMessageTimeoutW(dialog->m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
  dialog->WorkerDone();
  return 0;
}

TEST(ImpExpProgressDlg, AWorkerThatEndsAtOnceClosesTheDialogAndLeavesItsError) {
  CImpExpProgressDlg dialog;
  dialog.m_strTitle = L"Import data...";
  dialog.m_pfnThreadProc = QuickWorker;
  INT_PTR result = 0;
  EXPECT_TRUE(EndsByItself([&] { return result = dialog.DoModal(); }));
  EXPECT_EQ(std::wstring(L"Import data..."), g_caption);
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_EQ(CString(L"left by the worker"), dialog.m_strError);
  EXPECT_TRUE(dialog.m_bStop);
}

TEST(ImpExpProgressDlg, TheTimerShowsTheWorkersTextAndCancelWaitsForItWhileAnsweringMessages) {
  WorkerState state;
  CImpExpProgressDlg dialog;
  dialog.m_pfnThreadProc = SlowWorker;
  dialog.m_pParam = &state;
  testing_support::RunDialog(dialog, [&](HWND window) {
    EXPECT_TRUE(WaitUntil([&] { return testing_support::ControlText(window, IDC_IMPEXP_TEXT).find(L"Record ") == 0; },
                          5000));
    testing_support::ClickLater(window, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 10000));
  });
  EXPECT_EQ(1, state.answered);
  EXPECT_GT(state.records, 0);
  EXPECT_TRUE(dialog.m_strError.IsEmpty());
}

// The document's import worker meets a link to a field the document does not have: it logs that and
// still closes its dialog, rather than leave it waiting for Cancel.
class ImportWorkerTest : public doctest::FieldsDocumentTest {};

TEST_F(ImportWorkerTest, AWorkerThatEndsOnAnyErrorClosesItsDialog) {
  AddText(L"Name", 0);
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"w.db");
  testing_support::SqliteFile(path).Exec("CREATE TABLE t (a TEXT); INSERT INTO t VALUES ('x'), ('y');");
  CDBImport wizard;
  ASSERT_TRUE(wizard.m_database.OpenEx(testing_support::SqliteConnectString(path).c_str(), CDatabase::noOdbcDialog));
  wizard.m_strTableName = L"t";
  ASSERT_TRUE(wizard.LoadColumns());
  wizard.m_arrLinks.Add(_FIELDNUMBERSCOLLATION{5, 0});  // no field 5
  ASSERT_TRUE(wizard.CreateResultRecordset());
  CFieldObjectInfoArray fields;
  doc_.GetAllFieldObjectsInfoArray(fields);
  _DB_WORKER_PARAMS params = {&doc_, &wizard, &fields};
  CImpExpProgressDlg dialog;
  dialog.m_pfnThreadProc = CFolimarDoc::Import;
  dialog.m_pParam = &params;
  EXPECT_TRUE(EndsByItself([&] { return dialog.DoModal(); }));
  EXPECT_TRUE(dialog.m_bStop);
}

}  // namespace
