#include "ScaledBitmapJob.h"

#include <memory>

#include "ErrorLog.h"

namespace {

// The imaging layer's interpolation value and the lightening gamma of tab-order mode.
constexpr UINT kInterpolation = 17;
constexpr int kTabOrderGamma = 250;
// The program's bucket count of a zoom map.
constexpr UINT kZoomBuckets = 17;

class CGuard {
 public:
  explicit CGuard(CRITICAL_SECTION& section) : m_section(section) { ::EnterCriticalSection(&m_section); }
  ~CGuard() { ::LeaveCriticalSection(&m_section); }
  CGuard(const CGuard&) = delete;
  CGuard& operator=(const CGuard&) = delete;

 private:
  CRITICAL_SECTION& m_section;
};

void FreeJob(ScaledBitmapJob* job) {
  if (job->thread != nullptr) ::CloseHandle(job->thread);
  ::DeleteCriticalSection(&job->lock);
  delete job;
}

}  // namespace

CScaledBitmapCache::CScaledBitmapCache() {
  ::InitializeCriticalSection(&m_guard);
  m_map.InitHashTable(kZoomBuckets);
}

CScaledBitmapCache::~CScaledBitmapCache() {
  Clear();
  WaitForJobs();
  // A job that ended after the clear stored nothing: the map is empty.
  ::DeleteCriticalSection(&m_guard);
}

SCALED_ENTRY CScaledBitmapCache::Lookup(double zoom, LMyBitmap** bitmap) {
  CGuard guard(m_guard);
  LMyBitmap* found = nullptr;
  if (bitmap != nullptr) *bitmap = nullptr;
  if (!m_map.Lookup(zoom, found)) return SCALED_ABSENT;
  if (found == nullptr) return SCALED_RUNNING;
  if (bitmap != nullptr) *bitmap = found;
  return SCALED_READY;
}

INT_PTR CScaledBitmapCache::GetCount() {
  CGuard guard(m_guard);
  return m_map.GetCount();
}

BOOL CScaledBitmapCache::StartJob(double zoom, LBitmapBase* source, const RECT& target, CWnd* window, int dim) {
  DEF_TRY
  if (source == nullptr || !source->IsAllocated()) return FALSE;
  ReapJobs(FALSE);
  std::unique_ptr<ScaledBitmapJob> job(new ScaledBitmapJob{});
  job->cache = this;
  job->zoom = zoom;
  job->source = source;
  job->target = target;
  job->window = window;
  job->windowHandle = window != nullptr ? window->GetSafeHwnd() : nullptr;
  job->dim = dim;
  ::InitializeCriticalSection(&job->lock);
  {
    CGuard guard(m_guard);
    LMyBitmap* present = nullptr;
    if (m_map.Lookup(zoom, present)) {
      ::DeleteCriticalSection(&job->lock);
      return FALSE;
    }
    m_map.SetAt(zoom, nullptr);
    job->generation = m_generation;
  }
  job->thread = ::CreateThread(nullptr, 0, ScaleBitmapWorker, job.get(), CREATE_SUSPENDED, nullptr);
  if (job->thread == nullptr) {
    AppendErrorLog(L"CScaledBitmapCache::StartJob: the scaling thread cannot be started");
    CGuard guard(m_guard);
    LMyBitmap* marked = nullptr;
    // Only our own mark goes: a clear in between may have removed it already.
    if (m_map.Lookup(zoom, marked) && marked == nullptr) m_map.RemoveKey(zoom);
    ::DeleteCriticalSection(&job->lock);
    return FALSE;
  }
  ScaledBitmapJob* started = job.release();
  m_jobs.AddTail(started);
  ::ResumeThread(started->thread);
  return TRUE;
  DEF_CATCH("CScaledBitmapCache::StartJob")
  return FALSE;
}

void CScaledBitmapCache::Clear() {
  DEF_TRY
  CGuard guard(m_guard);
  for (POSITION pos = m_map.GetStartPosition(); pos != nullptr;) {
    double zoom = 0;
    LMyBitmap* bitmap = nullptr;
    m_map.GetNextAssoc(pos, zoom, bitmap);
    if (bitmap != nullptr) {
      bitmap->Free();
      delete bitmap;
    }
  }
  m_map.RemoveAll();
  ++m_generation;
  DEF_CATCH("CScaledBitmapCache::Clear")
}

void CScaledBitmapCache::WaitForJobs() {
  DEF_TRY
  ReapJobs(TRUE);
  DEF_CATCH("CScaledBitmapCache::WaitForJobs")
}

void CScaledBitmapCache::ReapJobs(BOOL wait) {
  for (POSITION pos = m_jobs.GetHeadPosition(); pos != nullptr;) {
    const POSITION at = pos;
    ScaledBitmapJob* job = m_jobs.GetNext(pos);
    const DWORD timeout = wait ? INFINITE : 0;
    if (job->thread != nullptr && ::WaitForSingleObject(job->thread, timeout) != WAIT_OBJECT_0) continue;
    m_jobs.RemoveAt(at);
    FreeJob(job);
  }
}

BOOL CScaledBitmapCache::MarkAndCopy(ScaledBitmapJob* job, LMyBitmap* copy) {
  CGuard jobLock(job->lock);
  CGuard guard(m_guard);
  if (job->generation != m_generation) return FALSE;
  m_map.SetAt(job->zoom, nullptr);
  return copy->Copy(*job->source) == SUCCESS;
}

void CScaledBitmapCache::Store(ScaledBitmapJob* job, LMyBitmap* copy) {
  CGuard guard(m_guard);
  LMyBitmap* previous = nullptr;
  if (job->generation != m_generation || !m_map.Lookup(job->zoom, previous)) {
    delete copy;
    return;
  }
  delete previous;
  m_map.SetAt(job->zoom, copy);
}

DWORD WINAPI ScaleBitmapWorker(LPVOID parameter) {
  DEF_TRY
  ScaledBitmapJob* job = static_cast<ScaledBitmapJob*>(parameter);
  if (job == nullptr || job->cache == nullptr) return 0;
  std::unique_ptr<LMyBitmap> copy(new LMyBitmap);
  if (!job->cache->MarkAndCopy(job, copy.get())) {
    // A cleared cache wants nothing of this job; a failed copy leaves the key marked, so the owner
    // goes on stretching the full-size bitmap instead of starting the same failure again.
    return 0;
  }
  const int width = job->target.right - job->target.left;
  const int height = job->target.bottom - job->target.top;
  if (width <= 0 || height <= 0 || copy->SizeInterpolate(width, height, kInterpolation) != SUCCESS) {
    AppendErrorLog(L"ScaleBitmapWorker: the bitmap cannot be scaled to the view");
    return 0;
  }
  if (job->dim) copy->SetPaintGamma(kTabOrderGamma);
  job->cache->Store(job, copy.release());
  if (job->windowHandle != nullptr) ::InvalidateRect(job->windowHandle, nullptr, TRUE);
  return 0;
  DEF_CATCH("ScaleBitmapWorker")
  return 0;
}
