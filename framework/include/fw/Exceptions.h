// The framework's exception objects. They are thrown as pointers (throw new CFileException(...)) and
// caught as pointers; the catcher calls Delete(). The Afx throw helpers below are the usual way in.
#pragma once
#include "fw/Object.h"
#include "fw/String.h"

class FW_API CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  explicit CException(BOOL autoDelete = TRUE);
  ~CException() override;

  // Frees a heap exception; one made on the stack (autoDelete FALSE) is left alone.
  void Delete();
  // Copies a message for the user into `text`; FALSE when there is none. GetErrorText returns it.
  virtual BOOL GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext = nullptr) const;
  CString GetErrorText() const;

  BOOL m_bAutoDelete;

 protected:
  static BOOL CopyMessage(const CString& message, LPTSTR text, UINT maxChars);
};

class FW_API CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  explicit CMemoryException(BOOL autoDelete = TRUE);
  BOOL GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext = nullptr) const override;
};

class FW_API CInvalidArgException : public CException {
  DECLARE_DYNAMIC(CInvalidArgException)
 public:
  CInvalidArgException();
  BOOL GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext = nullptr) const override;
};

class FW_API CNotSupportedException : public CException {
  DECLARE_DYNAMIC(CNotSupportedException)
 public:
  CNotSupportedException();
  BOOL GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext = nullptr) const override;
};

class FW_API CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG osError = -1, LPCTSTR fileName = nullptr);
  BOOL GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext = nullptr) const override;

  // The cause that a Win32 error code stands for.
  static int OsErrorToException(LONG osError);
  [[noreturn]] static void ThrowOsError(LONG osError, LPCTSTR fileName = nullptr);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class FW_API CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
 public:
  enum {
    none,
    genericException,
    readOnly,
    endOfFile,
    writeOnly,
    badIndex,
    badClass,
    badSchema,
    bufferFull
  };

  explicit CArchiveException(int cause = none, LPCTSTR fileName = nullptr);
  BOOL GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext = nullptr) const override;

  // Any other value is the program's own; it has no text here.
  int m_cause;
  CString m_strFileName;
};

class FW_API COleException : public CException {
  DECLARE_DYNAMIC(COleException)
 public:
  explicit COleException(SCODE sc = S_OK);
  BOOL GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext = nullptr) const override;

  SCODE m_sc;
};

class FW_API CDBException : public CException {
  DECLARE_DYNAMIC(CDBException)
 public:
  explicit CDBException(short retCode = 0);
  BOOL GetErrorMessage(LPTSTR text, UINT maxChars, PUINT helpContext = nullptr) const override;

  short m_nRetCode;  // the ODBC return code (SQLRETURN)
  CString m_strError;
  CString m_strStateNativeOrigin;
};

[[noreturn]] FW_API void AFXAPI AfxThrowMemoryException();
[[noreturn]] FW_API void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] FW_API void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] FW_API void AFXAPI AfxThrowFileException(int cause, LONG osError = -1, LPCTSTR fileName = nullptr);
[[noreturn]] FW_API void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR fileName = nullptr);
[[noreturn]] FW_API void AFXAPI AfxThrowOleException(SCODE sc);
[[noreturn]] FW_API void AFXAPI AfxThrowDBException(short retCode, LPCTSTR error);
