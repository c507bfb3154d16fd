// State the window classes share inside the framework DLL.
#pragma once
#include "HandleMap.h"
#include "fw/Wnd.h"

namespace fw_internal {

using WndTraits = MemberTraits<HWND, CWnd, &CWnd::m_hWnd>;
HandleMap<HWND, CWnd, WndTraits>& WindowMap();

// Per user-interface thread.
struct ThreadState {
  MSG lastSentMessage = {};   // what CWnd::Default passes on
  CWnd* wndInit = nullptr;    // the object waiting for the window being created
  HHOOK cbtHook = nullptr;
  int waitCursorCount = 0;
  HCURSOR cursorBeforeWait = nullptr;
};
ThreadState& CurrentThreadState();

// Runs `body` and turns any exception into `failure`: nothing may unwind through Windows.
template <class Result, class Body>
Result Guarded(Result failure, Body body) {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

}  // namespace fw_internal
