// Stands in for the outside profile-database editor: records the command line it was started with
// and its working folder into the file named by QUILLET_TEST_EDITOR_RECORD (UTF-16, one per line).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  wchar_t record[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"QUILLET_TEST_EDITOR_RECORD", record, MAX_PATH)) return 1;
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  const wchar_t* line = GetCommandLineW();
  HANDLE file = CreateFileW(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, line, lstrlenW(line) * sizeof(wchar_t), &written, nullptr);
  WriteFile(file, L"\n", sizeof(wchar_t), &written, nullptr);
  WriteFile(file, folder, lstrlenW(folder) * sizeof(wchar_t), &written, nullptr);
  CloseHandle(file);
  return 0;
}
