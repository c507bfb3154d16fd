// Hands printed pages to a running Orvello as the virtual printer's converter does: a WM_COPYDATA to
// its main window carrying the path of the INI file that lists the page files.
//   OrvelloSender <main window, decimal> <INI path> [/kind <dwData>] [/unterminated]
// /unterminated sends the path's characters without their closing NUL. The message is sent with a
// long timeout, as the converter waits; stdout gets "answer <result>" or "timeout".
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 3) {
    fprintf(stderr, "usage: OrvelloSender <window> <ini> [/kind <n>] [/unterminated]\n");
    return 2;
  }
  HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(wcstoull(argv[1], nullptr, 10)));
  const std::wstring path = argv[2];
  ULONG_PTR kind = 1027;
  bool terminated = true;
  for (int i = 3; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"/kind" && i + 1 < argc) kind = wcstoul(argv[++i], nullptr, 10);
    else if (arg == L"/unterminated") terminated = false;
  }
  std::vector<wchar_t> data(path.begin(), path.end());
  if (terminated) data.push_back(L'\0');
  COPYDATASTRUCT message = {kind, static_cast<DWORD>(data.size() * sizeof(wchar_t)), data.data()};
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&message), SMTO_NORMAL, 120000, &answer)) {
    printf("timeout\n");
    return 1;
  }
  printf("answer %lu\n", static_cast<unsigned long>(answer));
  return 0;
}
