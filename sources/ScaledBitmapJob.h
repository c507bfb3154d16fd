// Copies of a bitmap scaled to a zoom, made in the background: the view keeps one per zoom of its
// page bitmap, a picture object one per zoom of its picture. A worker thread copies the source,
// resizes the copy with interpolation and stores it under the zoom; until then the owner stretches
// the full-size bitmap itself.
#pragma once
#include "Framework.h"

#include "LMyBitmap.h"

// The zoom map: zoom -> owned scaled copy. A key whose value is null: a job for that zoom is running.
typedef CMap<double, double, LMyBitmap*, LMyBitmap*> CZoomBitmapMap;

class CScaledBitmapCache;

// One background scaling request; made on the user-interface thread, read by its worker.
struct ScaledBitmapJob {
  CScaledBitmapCache* cache;  // where the result goes
  double zoom;                // the key it goes under
  LBitmapBase* source;        // the full-size bitmap (not owned)
  RECT target;                // view coordinates; its size is the copy's size
  CWnd* window;               // repainted when the copy is stored; may be null (not owned)
  CRITICAL_SECTION lock;      // held by the worker while it marks the entry and copies the source
  int dim;                    // the owner's view was in tab-order mode: the copy paints lighter
  // Internal: the cache's generation when the job was made (a later clear keeps its copy out),
  // the window's handle (invalidated from the worker without touching the window object) and the
  // worker thread.
  unsigned generation;
  HWND windowHandle;
  HANDLE thread;
};

// Thread procedure of a job: runs it and returns 0.
DWORD WINAPI ScaleBitmapWorker(LPVOID job);

// What a lookup found under a zoom.
enum SCALED_ENTRY { SCALED_ABSENT = 0, SCALED_RUNNING = 1, SCALED_READY = 2 };

// The zoom map of one owner with its jobs. Every access to the map and every copy of a source is
// made under one lock of the owner, so the user-interface thread and all of the owner's workers
// exclude one another; the resize itself runs outside it. Clearing bumps a generation number: a
// job started before the clear neither reads the source again nor stores its copy. An owner clears
// before it changes or frees a source, and waits for its jobs (the destructor does) before it frees
// its window.
class CScaledBitmapCache {
 public:
  CScaledBitmapCache();
  ~CScaledBitmapCache();
  CScaledBitmapCache(const CScaledBitmapCache&) = delete;
  CScaledBitmapCache& operator=(const CScaledBitmapCache&) = delete;

  // The state under `zoom`; with SCALED_READY, *bitmap is the copy (it stays valid until the owner
  // clears the cache, which only the owner's thread does).
  SCALED_ENTRY Lookup(double zoom, LMyBitmap** bitmap);
  // Starts a job for `zoom` unless the map already has the key; the key is marked running at once,
  // so repaints before the worker starts make no second job. FALSE when nothing was started.
  BOOL StartJob(double zoom, LBitmapBase* source, const RECT& target, CWnd* window, int dim);
  // Frees and deletes every stored copy and empties the map; running jobs store nothing afterwards.
  void Clear();
  // Waits for every started job to end and frees the jobs.
  void WaitForJobs();

  INT_PTR GetCount();
  int GetJobCount() const { return static_cast<int>(m_jobs.GetCount()); }

 private:
  friend DWORD WINAPI ScaleBitmapWorker(LPVOID job);
  // Worker side, under the lock: FALSE when the job's generation is gone.
  BOOL MarkAndCopy(ScaledBitmapJob* job, LMyBitmap* copy);
  void Store(ScaledBitmapJob* job, LMyBitmap* copy);
  // Frees the jobs whose workers have ended (all of them with wait), closing their threads.
  void ReapJobs(BOOL wait);

  CZoomBitmapMap m_map;
  CTypedPtrList<CPtrList, ScaledBitmapJob*> m_jobs;
  CRITICAL_SECTION m_guard;
  unsigned m_generation = 0;
};
