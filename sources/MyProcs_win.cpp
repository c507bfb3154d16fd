// The helpers that touch the registry, the shell, files and windows.
#include <shlobj.h>

#include "ErrorLog.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

const wchar_t kSettingsSection[] = L"Settings";
// The hint shown by ChooseFolder; its text is in the string table.
const UINT kSelectFormFolderString = 182;

}  // namespace

// The values of the application's profile section "Settings". Without an application object (a
// library used before its host has made one) the defaults stand and nothing is written.
int ReadSettingInt(LPCTSTR valueName, int defaultValue) {
  CWinApp* app = AfxGetApp();
  return app != nullptr ? static_cast<int>(app->GetProfileInt(kSettingsSection, valueName, defaultValue))
                        : defaultValue;
}

void WriteSettingInt(LPCTSTR valueName, int value) {
  if (CWinApp* app = AfxGetApp()) app->WriteProfileInt(kSettingsSection, valueName, value);
}

CString ReadSettingString(LPCTSTR valueName, LPCTSTR defaultValue) {
  CWinApp* app = AfxGetApp();
  return app != nullptr ? app->GetProfileString(kSettingsSection, valueName, defaultValue) : CString(defaultValue);
}

void WriteSettingString(LPCTSTR valueName, LPCTSTR value) {
  if (CWinApp* app = AfxGetApp()) app->WriteProfileString(kSettingsSection, valueName, value);
}

int ReadLanguageSetting() { return ReadSettingInt(L"Language", LANG_ENGLISH); }

BOOL FileExists(const CString& path) {
  DEF_TRY
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  CloseHandle(file);
  return TRUE;
  DEF_CATCH("FileExists")
  return FALSE;
}

CString GetFormsPathName() {
  DEF_TRY
  return ReadSettingString(_T("FormFolder"), GetInitialFormsPathName());
  DEF_CATCH("GetFormsPathName")
  return CString();
}

CString GetFilledFormsPathName() {
  DEF_TRY
  const CString files = GetFilesPathName();
  return files.IsEmpty() ? CString() : files + _T("\\Filled Forms\\");
  DEF_CATCH("GetFilledFormsPathName")
  return CString();
}

CString GetInitialBackupFolder() {
  DEF_TRY
  return GetMyDocumentsPathName() + _T("\\") + kProductFolder + _T(" Backups\\");
  DEF_CATCH("GetInitialBackupFolder")
  return CString();
}

CString GetInitialAutoBackupFilePath() {
  DEF_TRY
  return GetInitialBackupFolder() + _T("Backup of ") + kProductFolder + _T(" documents.7z");
  DEF_CATCH("GetInitialAutoBackupFilePath")
  return CString();
}

CString GetTempDirPath() {
  DEF_TRY
  WCHAR folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH, folder);
  if (length == 0 || length > MAX_PATH) return CString();
  return CString(folder) + kProductFolder + _T("\\");
  DEF_CATCH("GetTempDirPath")
  return CString();
}

CString NewTempFile(LPCWSTR prefix, LPCWSTR ext) {
  DEF_TRY
  const CString folder = GetTempDirPath();
  if (folder.IsEmpty()) return CString();
  ::CreateDirectoryW(folder, nullptr);
  for (int attempt = 0; attempt < 100; ++attempt) {
    WCHAR name[MAX_PATH + 1] = {};
    if (::GetTempFileNameW(folder, prefix, 0, name) == 0) return CString();
    // The reserved name stays taken until the file with the extension is made beside it.
    CString path = name;
    const int dot = path.ReverseFind(L'.');
    path = path.Left(dot) + L"." + ext;
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ::DeleteFileW(name);
    if (file != INVALID_HANDLE_VALUE) {
      ::CloseHandle(file);
      return path;
    }
  }
  DEF_CATCH("NewTempFile")
  return CString();
}

int DeleteFiles(const CString& folder) {
  DEF_TRY
  // A full path: a drive with its root, or a share.
  const bool drive = folder.GetLength() >= 3 && folder[1] == L':' && (folder[2] == L'\\' || folder[2] == L'/');
  const bool share = folder.GetLength() >= 3 && folder[0] == L'\\' && folder[1] == L'\\';
  if (!drive && !share) return 0;
  CString base = folder;
  if (base[base.GetLength() - 1] != L'\\' && base[base.GetLength() - 1] != L'/') base += L'\\';
  int deleted = 0;
  CFileFind finder;
  BOOL more = finder.FindFile(base + L"*.*");
  while (more) {
    more = finder.FindNextFile();
    if (finder.IsDots() || finder.IsDirectory()) continue;
    if (::DeleteFileW(base + finder.GetFileName())) ++deleted;
  }
  return deleted;
  DEF_CATCH("DeleteFiles")
  return 0;
}

namespace {

// Sequential reads of a document's first blocks; every size read from the file is checked against
// what is left of it.
class HeaderReader {
 public:
  explicit HeaderReader(const CString& path)
      : file_(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeaderReader() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  HeaderReader(const HeaderReader&) = delete;
  HeaderReader& operator=(const HeaderReader&) = delete;

  bool Read(void* buffer, DWORD size) {
    DWORD read = 0;
    return file_ != INVALID_HANDLE_VALUE && ReadFile(file_, buffer, size, &read, nullptr) &&
           read == size;
  }
  bool ReadInt(int32_t& value) { return Read(&value, sizeof(value)); }
  bool Skip(DWORD size) {
    LARGE_INTEGER position = {}, length = {}, move = {};
    if (file_ == INVALID_HANDLE_VALUE || !SetFilePointerEx(file_, move, &position, FILE_CURRENT) ||
        !GetFileSizeEx(file_, &length) || length.QuadPart - position.QuadPart < size)
      return false;
    move.QuadPart = size;
    return SetFilePointerEx(file_, move, nullptr, FILE_CURRENT) != 0;
  }

 private:
  HANDLE file_;
};

}  // namespace

CString GetFormNameOfFile(const CString& path) {
  DEF_TRY
  HeaderReader reader(path);
  BYTE header[48];
  if (!reader.Read(header, sizeof(header))) return CString();
  if (memcmp(header, "KTD", 3) != 0 && memcmp(header, "QLM", 3) != 0) return CString();
  uint32_t version = 0;
  memcpy(&version, header + 4, sizeof(version));
  // Before version 8 no title was stored (the template flag came with version 7).
  if (version < 8) return CString(_T("Untitled"));
  int32_t templateFlag = 0;
  if (!reader.ReadInt(templateFlag)) return CString();
  if (templateFlag == 0) {
    int32_t currentRecord = 0;
    if (!reader.ReadInt(currentRecord)) return CString();
    if (version <= 18) {
      int32_t extraSize = 32;
      if (version > 8 && (!reader.ReadInt(extraSize) || extraSize < 0)) return CString();
      if (!reader.Skip(static_cast<DWORD>(extraSize))) return CString();
    }
  }
  if (version >= 18) {
    // The title is the wide text at byte 4 of the 5304-byte options block, at most 255 characters.
    WCHAR title[256] = {};
    if (!reader.Skip(4) || !reader.Read(title, 255 * sizeof(WCHAR))) return CString();
    return CString(title);
  }
  // Versions 8 to 17: the 2720-byte block of 8-bit text.
  char title[2716 + 1] = {};
  if (!reader.Skip(4) || !reader.Read(title, 2716)) return CString();
  const int length = MultiByteToWideChar(CP_THREAD_ACP, 0, title, -1, nullptr, 0);
  CString result;
  if (length > 1) {
    MultiByteToWideChar(CP_THREAD_ACP, 0, title, -1, result.GetBuffer(length), length);
    result.ReleaseBuffer();
  }
  return result;
  DEF_CATCH("GetFormName")
  return CString();
}

CString GetFormName(const CString& fileName) {
  DEF_TRY
  return GetFormNameOfFile(GetFormsPathName() + _T("\\") + fileName);
  DEF_CATCH("GetFormName")
  return CString();
}

BOOL ChooseFolder(HWND owner, LPCTSTR initialFolder, LPTSTR outPath) {
  DEF_TRY
  CString title;
  title.LoadString(kSelectFormFolderString);
  return ChooseFolder(owner, title, initialFolder, outPath);
  DEF_CATCH("ChooseFolder")
  if (outPath != nullptr) outPath[0] = 0;
  return FALSE;
}

namespace {

// The application's message box: owned by the active window, captioned with the application's name.
int StandardMessageBox(LPCTSTR text, UINT type) {
  LPCTSTR caption = AfxGetApp() != nullptr ? AfxGetAppName() : nullptr;
  return MessageBoxW(GetActiveWindow(), text, caption != nullptr ? caption : kProductFolder, type);
}

MessageBoxPresenter g_messageBox = StandardMessageBox;

int ShowBox(LPCTSTR text, UINT type) { return g_messageBox(text, type); }

int ShowBox(LPCTSTR text, LPCTSTR caption, UINT type) {
  if (g_messageBox != StandardMessageBox) return g_messageBox(text, type);
  return MessageBoxW(GetActiveWindow(), text, caption, type);
}

CString LoadText(UINT stringId) {
  CString text;
  text.LoadString(stringId);
  return text;
}

}  // namespace

namespace {

BOOL ShellExecuteOpen(LPCTSTR verb, LPCTSTR file, LPCTSTR parameters) {
  const HINSTANCE result = ::ShellExecuteW(nullptr, verb, file, parameters, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

ShellOpener g_shellOpener = ShellExecuteOpen;

}  // namespace

ShellOpener SetShellOpener(ShellOpener opener) {
  ShellOpener previous = g_shellOpener;
  g_shellOpener = opener != nullptr ? opener : ShellExecuteOpen;
  return previous;
}

BOOL ShellOpen(LPCTSTR verb, LPCTSTR file, LPCTSTR parameters) {
  DEF_TRY
  return g_shellOpener(verb, file, parameters);
  DEF_CATCH("ShellOpen")
  return FALSE;
}

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter) {
  MessageBoxPresenter previous = g_messageBox;
  g_messageBox = presenter != nullptr ? presenter : StandardMessageBox;
  return previous;
}

int CaptionBox(LPCTSTR text, LPCTSTR caption, UINT type) {
  DEF_TRY
  return ShowBox(text, caption, type);
  DEF_CATCH("CaptionBox")
  return 0;
}

int OkBox(LPCTSTR text) {
  DEF_TRY
  return ShowBox(text, MB_OK);
  DEF_CATCH("OkBox")
  return 0;
}

int ErrorBox(LPCTSTR text) {
  DEF_TRY
  return ShowBox(text, MB_OK | MB_ICONEXCLAMATION);
  DEF_CATCH("ErrorBox")
  return 0;
}

void ErrorBox(UINT stringId) {
  DEF_TRY
  ShowBox(LoadText(stringId), MB_OK | MB_ICONEXCLAMATION);
  DEF_CATCH("ErrorBox")
}

void WarningBox(LPCTSTR text) {
  DEF_TRY
  ShowBox(text, MB_OK | MB_ICONEXCLAMATION);
  DEF_CATCH("WarningBox")
}

void WarningBox(UINT stringId) {
  DEF_TRY
  ShowBox(LoadText(stringId), MB_OK | MB_ICONEXCLAMATION);
  DEF_CATCH("WarningBox")
}

int YesNoBox(LPCTSTR text) {
  DEF_TRY
  return ShowBox(text, MB_YESNO | MB_ICONQUESTION);
  DEF_CATCH("YesNoBox")
  return 0;
}

int YesNoBox(UINT stringId) {
  DEF_TRY
  return ShowBox(LoadText(stringId), MB_YESNO | MB_ICONQUESTION);
  DEF_CATCH("YesNoBox")
  return 0;
}

int QuestionBox(UINT stringId) {
  DEF_TRY
  return ShowBox(LoadText(stringId), MB_YESNOCANCEL | MB_ICONQUESTION);
  DEF_CATCH("QuestionBox")
  return 0;
}

void InformationBox(UINT stringId) {
  DEF_TRY
  ShowBox(LoadText(stringId), MB_OK | MB_ICONINFORMATION);
  DEF_CATCH("InformationBox")
}

namespace {

// Until the hint dialog with its "Do not show next time" box is registered by the view's dialogs,
// the hint shows as an information box and is asked again next time.
BOOL StandardInfoBox(LPCTSTR text) {
  ShowBox(text, MB_OK | MB_ICONINFORMATION);
  return FALSE;
}

InfoBoxPresenter g_infoBox = StandardInfoBox;

}  // namespace

InfoBoxPresenter SetInfoBoxPresenter(InfoBoxPresenter presenter) {
  InfoBoxPresenter previous = g_infoBox;
  g_infoBox = presenter != nullptr ? presenter : StandardInfoBox;
  return previous;
}

void FitChildToClient(CWnd& parent, CWnd& child) {
  if (parent.m_hWnd == nullptr || child.m_hWnd == nullptr) return;
  CRect client;
  parent.GetClientRect(&client);
  child.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
}

void ShowInfoBoxOnce(LPCTSTR valueName, LPCTSTR text) {
  DEF_TRY
  if (ReadSettingInt(valueName, 0) != 0) return;
  if (g_infoBox(text)) WriteSettingInt(valueName, 1);
  DEF_CATCH("ShowInfoBoxOnce")
}

void PumpMessages() {
  DEF_TRY
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DEF_CATCH("PumpMessages")
}

namespace {

const IMAGE_SAVE_CHOICES* g_imageSaveChoices = nullptr;

// The stored choices of the options when nothing else is registered: no compression, level 7 ("80").
int StoredTiffCompression() {
  return g_imageSaveChoices && g_imageSaveChoices->storedTiffCompression
             ? g_imageSaveChoices->storedTiffCompression()
             : 0;
}
int StoredJpegLevel() {
  return g_imageSaveChoices && g_imageSaveChoices->storedJpegLevel
             ? g_imageSaveChoices->storedJpegLevel()
             : 7;
}

}  // namespace

void SetImageSaveChoices(const IMAGE_SAVE_CHOICES* choices) { g_imageSaveChoices = choices; }

BOOL GetImageFormatParams(LPCTSTR path, int& bitsPerPixel, int& fileFormat, int& quality, BOOL ask) {
  DEF_TRY
  CString ext = ExtractFileExt(CString(path));
  ext.MakeLower();
  const bool isTiff = ext == _T("tif") || ext == _T("tiff");
  const bool isJpeg = ext == _T("jpg") || ext == _T("jpeg");
  const bool isGif = ext == _T("gif");
  quality = 2;
  if (!isTiff) {
    if (bitsPerPixel == 0 || !ask) {
      bitsPerPixel = 24;
    } else {
      bitsPerPixel = ReadSettingInt(_T("LastUsedBitsPerPixel"), bitsPerPixel);
      int chosen = bitsPerPixel;
      if (g_imageSaveChoices && g_imageSaveChoices->chooseBitDepth &&
          g_imageSaveChoices->chooseBitDepth(chosen)) {
        bitsPerPixel = chosen;
        if (isJpeg && bitsPerPixel < 8) bitsPerPixel = 8;
        if (isGif && bitsPerPixel > 8) bitsPerPixel = 8;
      }
    }
    WriteSettingInt(_T("LastUsedBitsPerPixel"), bitsPerPixel);
  }
  if (ext == _T("bmp")) {
    fileFormat = 6;
  } else if (isTiff) {
    int compression = StoredTiffCompression();
    if (ask && g_imageSaveChoices && g_imageSaveChoices->chooseTiffOptions) {
      int chosenBits = bitsPerPixel;
      if (!g_imageSaveChoices->chooseTiffOptions(chosenBits, compression)) return FALSE;
      bitsPerPixel = chosenBits;
    }
    static const int kTiffFormats[] = {3, 87, 17, 29};
    if (compression < 0 || compression > 3) compression = 0;
    fileFormat = kTiffFormats[compression];
    if (compression == 3) bitsPerPixel = 1;
  } else if (ext == _T("pcx")) {
    fileFormat = 1;
  } else if (isJpeg) {
    int level = StoredJpegLevel();
    if (ask && g_imageSaveChoices && g_imageSaveChoices->chooseJpegLevel &&
        !g_imageSaveChoices->chooseJpegLevel(level))
      return FALSE;
    fileFormat = 10;
    quality = (9 - level) * 2550 / 100;
  } else if (ext == _T("png")) {
    fileFormat = 75;
  } else if (isGif) {
    fileFormat = 2;
    if (bitsPerPixel > 8) bitsPerPixel = 8;
  } else {
    return FALSE;
  }
  return TRUE;
  DEF_CATCH("GetImageFormatParams")
  return FALSE;
}

CString GetDroppedFilePath(HDROP drop, UINT index) {
  CString path;
  const UINT length = ::DragQueryFileW(drop, index, nullptr, 0);
  if (length == 0) return path;
  ::DragQueryFileW(drop, index, path.GetBuffer(static_cast<int>(length) + 1), length + 1);
  path.ReleaseBuffer(static_cast<int>(length));
  return path;
}

BOOL IsDocumentFileName(const CString& path) {
  CString extension = path.Mid(path.ReverseFind(L'.') + 1);
  extension.MakeLower();
  return path.ReverseFind(L'.') >= 0 && (extension == L"qlm" || extension == L"rud" || extension == L"vyt");
}
