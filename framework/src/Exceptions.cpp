#include "fw/Exceptions.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(CDBException, CException)

namespace {

// Text of a Win32 or COM error code from the system, without the trailing line break.
CString SystemMessage(DWORD code) {
  CString text;
  LPWSTR buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  if (length && buffer) text.SetString(buffer, static_cast<int>(length));
  if (buffer) LocalFree(buffer);
  return text.TrimRight();
}

CString WithFile(const wchar_t* format, const CString& fileName) {
  CString text;
  text.Format(format, fileName.IsEmpty() ? L"an unnamed file" : fileName.GetString());
  return text;
}

}  // namespace

CException::CException(BOOL autoDelete) : m_bAutoDelete(autoDelete) {}

CException::~CException() = default;

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  if (text && maxChars) text[0] = L'\0';
  return FALSE;
}

CString CException::GetErrorText() const {
  WCHAR text[1024];
  return GetErrorMessage(text, _countof(text)) ? CString(text) : CString();
}

BOOL CException::CopyMessage(const CString& message, LPTSTR text, UINT maxChars) {
  if (!text || maxChars == 0) return FALSE;
  lstrcpynW(text, message, static_cast<int>(maxChars));
  return !message.IsEmpty();
}

CMemoryException::CMemoryException(BOOL autoDelete) : CException(autoDelete) {}

BOOL CMemoryException::GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage(L"Out of memory.", text, maxChars);
}

CInvalidArgException::CInvalidArgException() = default;

BOOL CInvalidArgException::GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage(L"Invalid argument.", text, maxChars);
}

CNotSupportedException::CNotSupportedException() = default;

BOOL CNotSupportedException::GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage(L"The operation is not supported.", text, maxChars);
}

CFileException::CFileException(int cause, LONG osError, LPCTSTR fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

BOOL CFileException::GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  static const wchar_t* const kTexts[] = {
      L"No error occurred with %s.",
      L"An unexpected error occurred while accessing %s.",
      L"%s was not found.",
      L"%s contains an invalid path.",
      L"%s could not be opened because there are too many open files.",
      L"Access to %s was denied.",
      L"An invalid file handle was associated with %s.",
      L"%s could not be removed because it is the current directory.",
      L"%s could not be created because the directory is full.",
      L"Seek failed on %s.",
      L"A hardware I/O error was reported while accessing %s.",
      L"A sharing violation occurred while accessing %s.",
      L"A locking violation occurred while accessing %s.",
      L"Disk full while accessing %s.",
      L"An attempt was made to access %s past its end.",
  };
  CString message = WithFile(m_cause >= 0 && m_cause < static_cast<int>(_countof(kTexts)) ? kTexts[m_cause] : kTexts[1],
                             m_strFileName);
  if (m_lOsError > 0) {
    const CString system = SystemMessage(static_cast<DWORD>(m_lOsError));
    if (!system.IsEmpty()) message += L" " + system;
  }
  return CopyMessage(message, text, maxChars);
}

int CFileException::OsErrorToException(LONG osError) {
  switch (osError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
  }
}

void CFileException::ThrowOsError(LONG osError, LPCTSTR fileName) {
  AfxThrowFileException(OsErrorToException(osError), osError, fileName);
}

CArchiveException::CArchiveException(int cause, LPCTSTR fileName) : m_cause(cause), m_strFileName(fileName) {}

BOOL CArchiveException::GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  static const wchar_t* const kTexts[] = {
      L"No error occurred with %s.",
      L"An unexpected error occurred while reading or writing %s.",
      L"An attempt was made to write to %s while it was being read.",
      L"An attempt was made to read past the end of %s.",
      L"An attempt was made to read from %s while it was being written.",
      L"%s has an unexpected format.",
      L"%s contains an unexpected object.",
      L"%s contains an object of an unsupported version.",
      L"The buffer for %s is full.",
  };
  if (m_cause < 0 || m_cause >= static_cast<int>(_countof(kTexts))) return CopyMessage(CString(), text, maxChars);
  return CopyMessage(WithFile(kTexts[m_cause], m_strFileName), text, maxChars);
}

COleException::COleException(SCODE sc) : m_sc(sc) {}

BOOL COleException::GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  CString message = SystemMessage(static_cast<DWORD>(m_sc));
  if (message.IsEmpty()) message.Format(L"OLE error 0x%08lX.", static_cast<unsigned long>(m_sc));
  return CopyMessage(message, text, maxChars);
}

CDBException::CDBException(short retCode) : m_nRetCode(retCode) {}

BOOL CDBException::GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage(m_strError, text, maxChars);
}

// Out of memory there may be no room for a new exception object: one lives for the whole process.
void AFXAPI AfxThrowMemoryException() {
  static CMemoryException outOfMemory(FALSE);
  throw &outOfMemory;
}

void AFXAPI AfxThrowInvalidArgException() {
  throw new CInvalidArgException();
}

void AFXAPI AfxThrowNotSupportedException() {
  throw new CNotSupportedException();
}

void AFXAPI AfxThrowFileException(int cause, LONG osError, LPCTSTR fileName) {
  throw new CFileException(cause, osError, fileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR fileName) {
  throw new CArchiveException(cause, fileName);
}

void AFXAPI AfxThrowOleException(SCODE sc) {
  throw new COleException(sc);
}

void AFXAPI AfxThrowDBException(short retCode, LPCTSTR error) {
  CDBException* e = new CDBException(retCode);
  e->m_strError = error;
  throw e;
}
