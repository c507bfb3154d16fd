// A mail library of the tests' own in the place of a mail program's MAPI32.DLL: it records every
// message it is handed in the file named by VANTRY_MAPI_RECORD (UTF-8, one item a line), answers with
// the result code in VANTRY_MAPI_RESULT (0 without), and refuses to load while VANTRY_MAPI_REFUSE_LOAD
// is set.
#include <windows.h>
#include <mapi.h>

#include <cstdio>
#include <string>

namespace {

std::string Env(const char* name) {
  char value[64] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
  return length > 0 && length < sizeof(value) ? value : "";
}

std::string Utf8(const wchar_t* text) {
  if (text == nullptr) return "(null)";
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
  return out;
}

std::string FromAnsi(const char* text) {
  if (text == nullptr) return "(null)";
  const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], size);
  return Utf8(wide.c_str());
}

struct FileDescW {
  ULONG ulReserved, flFlags, nPosition;
  PWSTR lpszPathName, lpszFileName;
  PVOID lpFileType;
};
struct MessageW {
  ULONG ulReserved;
  PWSTR lpszSubject, lpszNoteText, lpszMessageType, lpszDateReceived, lpszConversationID;
  FLAGS flFlags;
  PVOID lpOriginator;
  ULONG nRecipCount;
  PVOID lpRecips;
  ULONG nFileCount;
  FileDescW* lpFiles;
};

void Append(const std::string& text) {
  wchar_t path[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"VANTRY_MAPI_RECORD", path, MAX_PATH) == 0) return;
  FILE* file = _wfopen(path, L"ab");
  if (file == nullptr) return;
  fwrite(text.data(), 1, text.size(), file);
  fclose(file);
}

bool Exists(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], size);
  return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

template <class Message, class Convert>
ULONG Record(const char* call, LHANDLE session, ULONG_PTR window, Message* message, FLAGS flags, Convert convert) {
  std::string text = std::string("call ") + call + "\n";
  char line[128];
  snprintf(line, sizeof line, "session %lu\nwindow %lu\nflags %lu\n", static_cast<unsigned long>(session),
           static_cast<unsigned long>(window), static_cast<unsigned long>(flags));
  text += line;
  text += "subject " + convert(message->lpszSubject) + "\n";
  text += "note " + convert(message->lpszNoteText) + "\n";
  snprintf(line, sizeof line, "recipients %lu\noriginator %s\n", static_cast<unsigned long>(message->nRecipCount),
           message->lpOriginator ? "set" : "none");
  text += line;
  for (ULONG i = 0; i < message->nFileCount; ++i) {
    const std::string path = convert(message->lpFiles[i].lpszPathName);
    snprintf(line, sizeof line, "file %ld %s|", static_cast<long>(message->lpFiles[i].nPosition),
             Exists(path) ? "exists" : "missing");
    text += line + path + "|" + convert(message->lpFiles[i].lpszFileName) + "\n";
  }
  Append(text + "end\n");
  const std::string result = Env("VANTRY_MAPI_RESULT");
  return result.empty() ? 0 : static_cast<ULONG>(std::stoul(result));
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  return reason == DLL_PROCESS_ATTACH && !Env("VANTRY_MAPI_REFUSE_LOAD").empty() ? FALSE : TRUE;
}

extern "C" ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR window, lpMapiMessage message, FLAGS flags, ULONG) {
  return Record("A", session, window, message, flags, FromAnsi);
}

extern "C" ULONG WINAPI MAPISendMailW(LHANDLE session, ULONG_PTR window, MessageW* message, FLAGS flags, ULONG) {
  return Record("W", session, window, message, flags, [](const wchar_t* text) { return Utf8(text); });
}
