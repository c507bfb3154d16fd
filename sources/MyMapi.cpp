#include "MyMapi.h"

#include <mapi.h>

#include <string>
#include <vector>

#include "ErrorLog.h"
#include "MyProcs.h"
#include "SharedProcs.h"
#include "resource.h"

namespace {

CMailState g_mailState;

// The Unicode records of Simple MAPI, which the platform header lacks; the layout is the ANSI one's
// with wide strings.
struct MapiFileDescW {
  ULONG ulReserved;
  ULONG flFlags;
  ULONG nPosition;
  PWSTR lpszPathName;
  PWSTR lpszFileName;
  PVOID lpFileType;
};
struct MapiMessageW {
  ULONG ulReserved;
  PWSTR lpszSubject;
  PWSTR lpszNoteText;
  PWSTR lpszMessageType;
  PWSTR lpszDateReceived;
  PWSTR lpszConversationID;
  FLAGS flFlags;
  PVOID lpOriginator;
  ULONG nRecipCount;
  PVOID lpRecips;
  ULONG nFileCount;
  MapiFileDescW* lpFiles;
};
typedef ULONG(WINAPI* MAPI_SEND_MAIL_W)(LHANDLE, ULONG_PTR, MapiMessageW*, FLAGS, ULONG);

const wchar_t kSubject[] = L"Vantry";

// The text in the ANSI code page; FALSE when a character has no ANSI form.
BOOL Convert(const CString& text, std::string& out) {
  BOOL lossy = FALSE;
  const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, &lossy);
  out.assign(size > 0 ? size : 1, '\0');
  if (size > 0) ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, &out[0], size, nullptr, &lossy);
  return !lossy;
}

BOOL Convert(const CString& text, std::wstring& out) {
  out.assign(static_cast<LPCWSTR>(text), text.GetLength() + 1);
  return TRUE;
}

// One message of the tables' values through the ANSI or the Unicode call; `carried` FALSE (and nothing
// sent) when a path or name has no form in the call's characters.
template <class Message, class FileDesc, class Text, class Send>
ULONG SendMessageOf(Send send, const CStringArray& paths, BOOL& carried) {
  const INT_PTR count = paths.GetSize();
  std::vector<Text> pathNames(count), fileNames(count);
  std::vector<FileDesc> files(count);
  carried = TRUE;
  for (INT_PTR i = 0; i < count; ++i) {
    carried = Convert(paths[i], pathNames[i]) && carried;
    carried = Convert(ExtractFileName(paths[i]), fileNames[i]) && carried;
    files[i] = FileDesc();
    files[i].nPosition = static_cast<ULONG>(-1);
    files[i].lpszPathName = &pathNames[i][0];
    files[i].lpszFileName = &fileNames[i][0];
  }
  if (!carried) return 0;
  Text subject, note;
  Convert(kSubject, subject);
  Convert(L"", note);
  Message message = {};
  message.lpszSubject = &subject[0];
  message.lpszNoteText = &note[0];
  message.nFileCount = static_cast<ULONG>(count);
  message.lpFiles = files.data();
  return send(0, 0, &message, MAPI_DIALOG, 0);
}

}  // namespace

CMailState::~CMailState() {
  if (m_library != nullptr) ::FreeLibrary(m_library);
}

HMODULE CMailState::GetLibrary() {
  if (m_library == nullptr) m_library = ::LoadLibraryW(L"MAPI32.DLL");
  return m_library;
}

void SendFilesByMail(const CStringArray& paths) {
  DEF_TRY
  if (paths.GetSize() == 0) return;
  CWaitCursor wait;
  HMODULE library = g_mailState.GetLibrary();
  if (library == nullptr) {
    AppendErrorLog(L"AFX_IDP_FAILED_MAPI_LOAD");
    ErrorBox(IDS_FAILED_MAPI_LOAD);
    return;
  }
  MAPISENDMAIL* send = reinterpret_cast<MAPISENDMAIL*>(::GetProcAddress(library, "MAPISendMail"));
  if (send == nullptr) {
    AppendErrorLog(L"AFX_IDP_INVALID_MAPI_DLL");
    ErrorBox(IDS_INVALID_MAPI_DLL);
    return;
  }
  // The program's windows stay disabled while the mail program's compose window is open.
  CWnd* main = AfxGetMainWnd();
  HWND owner = main != nullptr ? main->GetSafeHwnd() : nullptr;
  if (owner != nullptr) {
    ::EnableWindow(owner, FALSE);
    ::SetCapture(owner);
  }
  // A path the ANSI code page cannot carry would reach the mail program as a different file: such
  // lists go through the Unicode call.
  BOOL carried = TRUE;
  ULONG result = SendMessageOf<MapiMessage, MapiFileDesc, std::string>(send, paths, carried);
  if (!carried) {
    MAPI_SEND_MAIL_W sendWide = reinterpret_cast<MAPI_SEND_MAIL_W>(::GetProcAddress(library, "MAPISendMailW"));
    result = sendWide != nullptr ? SendMessageOf<MapiMessageW, MapiFileDescW, std::wstring>(sendWide, paths, carried)
                                 : MAPI_E_ATTACHMENT_NOT_FOUND;
  }
  if (owner != nullptr) {
    ::ReleaseCapture();
    ::EnableWindow(owner, TRUE);
    ::SetActiveWindow(nullptr);
    ::SetActiveWindow(owner);
    ::SetFocus(owner);
  }
  if (result != SUCCESS_SUCCESS && result != MAPI_E_USER_ABORT && result != MAPI_E_LOGIN_FAILURE) {
    CString line;
    line.Format(L"AFX_IDP_FAILED_MAPI_SEND error: %d", static_cast<int>(result));
    AppendErrorLog(line);
    ErrorBox(IDS_FAILED_MAPI_SEND);
  }
  DEF_CATCH("MyMapi")
}
