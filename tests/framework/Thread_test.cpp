// Worker threads the way the import and export dialogs start them: suspended, kept after they end,
// resumed, then polled for their exit code.
#include <gtest/gtest.h>

#include "Framework.h"

namespace {

struct Job {
  volatile LONG started = 0;
  UINT result = 0;
};

UINT __cdecl RunJob(LPVOID param) {
  Job* job = static_cast<Job*>(param);
  InterlockedExchange(&job->started, 1);
  return job->result;
}

TEST(ThreadTest, SuspendedWorkerRunsAfterResumeAndKeepsItsExitCode) {
  Job job;
  job.result = 1234;
  CWinThread* thread = AfxBeginThread(RunJob, &job, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  ASSERT_NE(thread->m_hThread, nullptr);
  thread->m_bAutoDelete = FALSE;
  Sleep(50);
  EXPECT_EQ(job.started, 0);  // still suspended
  EXPECT_EQ(thread->ResumeThread(), 1u);
  DWORD exitCode = STILL_ACTIVE;
  for (int polls = 0; polls < 500 && exitCode == STILL_ACTIVE; ++polls) {
    Sleep(20);
    ASSERT_TRUE(GetExitCodeThread(thread->m_hThread, &exitCode));
  }
  EXPECT_EQ(job.started, 1);
  EXPECT_EQ(exitCode, 1234u);
  EXPECT_EQ(WaitForSingleObject(*thread, 0), WAIT_OBJECT_0);
  delete thread;
}

struct Counter {
  CCriticalSection lock;
  long value = 0;
  bool sawLocked = true;
};

UINT __cdecl Count(LPVOID param) {
  Counter* counter = static_cast<Counter*>(param);
  for (int i = 0; i < 20000; ++i) {
    CSingleLock hold(&counter->lock, TRUE);
    if (!hold.IsLocked()) counter->sawLocked = false;
    // A read-modify-write that loses counts unless the lock holds.
    const long value = counter->value;
    if (i % 1000 == 0) Sleep(0);
    counter->value = value + 1;
  }
  return 0;
}

TEST(ThreadTest, CriticalSectionGuardsSharedState) {
  Counter counter;
  CWinThread* threads[3];
  for (CWinThread*& thread : threads) {
    thread = AfxBeginThread(Count, &counter, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
  }
  for (CWinThread* thread : threads) thread->ResumeThread();
  for (CWinThread* thread : threads) {
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, 30000), WAIT_OBJECT_0);
    delete thread;
  }
  EXPECT_EQ(counter.value, 60000);
  EXPECT_TRUE(counter.sawLocked);
}

TEST(ThreadTest, SingleLockReleasesOnUnlockAndScopeEnd) {
  CCriticalSection section;
  {
    CSingleLock hold(&section);
    EXPECT_FALSE(hold.IsLocked());
    EXPECT_TRUE(hold.Lock());
    EXPECT_TRUE(hold.IsLocked());
    EXPECT_TRUE(hold.Unlock());
    EXPECT_FALSE(hold.IsLocked());
    hold.Lock();
  }
  // Free again: another thread can take it at once.
  struct Probe {
    static UINT __cdecl TryTake(LPVOID param) {
      CCriticalSection* s = static_cast<CCriticalSection*>(param);
      if (!s->Lock(0)) return 1;
      s->Unlock();
      return 0;
    }
  };
  CWinThread* probe = AfxBeginThread(&Probe::TryTake, &section, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(probe, nullptr);
  probe->m_bAutoDelete = FALSE;
  probe->ResumeThread();
  ASSERT_EQ(WaitForSingleObject(probe->m_hThread, 10000), WAIT_OBJECT_0);
  DWORD exitCode = 99;
  GetExitCodeThread(probe->m_hThread, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  delete probe;
}

}  // namespace
