#include "PrinterPageTest.h"

#include "Module.h"

namespace vpd_test {

namespace {
ModalScript* running = nullptr;

struct Search {
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK findVisible(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, _countof(text));
  if (IsWindowVisible(window) && IsWindowEnabled(window) && wcscmp(text, search->caption) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

ModalScript::ModalScript(std::vector<Step> steps) : steps_(std::move(steps)), done_(steps_.size(), false) {}

ModalScript::~ModalScript() {
  if (timer_) KillTimer(nullptr, timer_);
  running = nullptr;
}

void ModalScript::run(const std::function<void()>& action) {
  running = this;
  timer_ = SetTimer(nullptr, 0, 20, poll);
  action();
  KillTimer(nullptr, timer_);
  timer_ = 0;
  running = nullptr;
}

bool ModalScript::allHandled() const {
  for (bool done : done_)
    if (!done) return false;
  return true;
}

void CALLBACK ModalScript::poll(HWND, UINT, UINT_PTR, DWORD) {
  ModalScript* script = running;
  if (!script) return;
  for (size_t i = 0; i < script->steps_.size(); ++i) {
    if (script->done_[i]) continue;
    Search search = {script->steps_[i].caption.c_str(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), findVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) continue;
    script->done_[i] = true;  // before the handler: it may pump messages and come back here
    script->steps_[i].handle(search.found);
    return;
  }
}

std::wstring messageText(HWND box) {
  const int staticText = 0xFFFF;
  return controlText(box, staticText);
}

void pressOk(HWND dialog) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

}  // namespace vpd_test

// The pages load their templates and pictures from the module that links them: here the test program.
namespace vpd {
HINSTANCE moduleInstance() { return GetModuleHandleW(nullptr); }
}  // namespace vpd
