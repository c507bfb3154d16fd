// Runs a program the way a console user starts Orvello from a prompt, and reports what the user would
// see, for the command-line tests:
//   OrvelloRunner <program> [parameters...]
// The program inherits this console. After it ends, stdout gets "exit <code>" with the exit code as
// a signed number, "enter <n>" with the Enter key events the program left in the console's input,
// then "console" and the console's text, one line per screen row with its trailing blanks removed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The command line after this program's own name.
std::wstring ParametersAfterOwnName() {
  const wchar_t* line = ::GetCommandLineW();
  bool quoted = false;
  while (*line != 0 && (quoted || (*line != L' ' && *line != L'\t'))) {
    if (*line == L'"') quoted = !quoted;
    ++line;
  }
  while (*line == L' ' || *line == L'\t') ++line;
  return line;
}

int CountEnterKeys() {
  HANDLE input = ::CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (input == INVALID_HANDLE_VALUE) return 0;
  DWORD pending = 0;
  INPUT_RECORD records[64];
  DWORD read = 0;
  const BOOL peeked = ::GetNumberOfConsoleInputEvents(input, &pending) && pending > 0 &&
                      ::PeekConsoleInputW(input, records, pending < 64 ? pending : 64, &read);
  ::CloseHandle(input);
  if (!peeked) return 0;
  int enters = 0;
  for (DWORD i = 0; i < read; ++i)
    if (records[i].EventType == KEY_EVENT && records[i].Event.KeyEvent.bKeyDown &&
        records[i].Event.KeyEvent.wVirtualKeyCode == VK_RETURN && records[i].Event.KeyEvent.uChar.UnicodeChar == L'\r')
      ++enters;
  return enters;
}

HANDLE OpenScreen() {
  return ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       0, nullptr);
}

// The rows of the console's screen up to the cursor, read before anything is printed.
std::vector<std::wstring> ConsoleRows() {
  std::vector<std::wstring> rows;
  HANDLE screen = OpenScreen();
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (screen == INVALID_HANDLE_VALUE) return rows;
  if (::GetConsoleScreenBufferInfo(screen, &info)) {
    const SHORT width = info.dwSize.X;
    std::wstring row(static_cast<size_t>(width), L' ');
    for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
      DWORD read = 0;
      ::ReadConsoleOutputCharacterW(screen, &row[0], static_cast<DWORD>(width), COORD{0, y}, &read);
      std::wstring text = row.substr(0, read);
      text.erase(text.find_last_not_of(L' ') + 1);
      rows.push_back(text);
    }
  }
  ::CloseHandle(screen);
  return rows;
}

void PrintRows(const std::vector<std::wstring>& rows) {
  for (const std::wstring& text : rows) {
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], bytes, nullptr, nullptr);
    printf("%s\n", utf8.c_str());
  }
}

}  // namespace

int main() {
  std::wstring command = ParametersAfterOwnName();
  if (command.empty()) {
    fprintf(stderr, "usage: OrvelloRunner <program> [parameters...]\n");
    return 2;
  }
  // The program attaches to this console: one is made when this runner was started without one.
  HANDLE screen = OpenScreen();
  if (screen == INVALID_HANDLE_VALUE)
    ::AllocConsole();
  else
    ::CloseHandle(screen);
  STARTUPINFOW startup = {sizeof(startup)};
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    fprintf(stderr, "OrvelloRunner: cannot start the program (%lu)\n", ::GetLastError());
    return 2;
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  const int enters = CountEnterKeys();
  const std::vector<std::wstring> rows = ConsoleRows();
  printf("exit %ld\n", static_cast<long>(static_cast<LONG>(code)));
  printf("enter %d\n", enters);
  printf("console\n");
  PrintRows(rows);
  fflush(stdout);
  return 0;
}
