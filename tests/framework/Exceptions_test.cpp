// Exceptions are thrown as pointers from the framework DLL and caught by their base class here.
#include <gtest/gtest.h>

#include "Framework.h"

namespace {

TEST(ExceptionsTest, ThrownFromTheLibraryCaughtByBaseClass) {
  struct Case {
    void (*thrower)();
    CRuntimeClass* kind;
  } cases[] = {
      {[] { AfxThrowArchiveException(CArchiveException::endOfFile, L"doc.qlm"); }, RUNTIME_CLASS(CArchiveException)},
      {[] { AfxThrowFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"a.txt"); },
       RUNTIME_CLASS(CFileException)},
      {[] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException)},
      {[] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException)},
      {[] { AfxThrowDBException(-1, L"no table"); }, RUNTIME_CLASS(CDBException)},
      {[] { AfxThrowOleException(E_NOINTERFACE); }, RUNTIME_CLASS(COleException)},
  };
  for (const Case& c : cases) {
    CException* caught = nullptr;
    try {
      c.thrower();
    } catch (CException* e) {
      caught = e;
    }
    ASSERT_NE(caught, nullptr) << c.kind->m_lpszClassName;
    EXPECT_TRUE(caught->IsKindOf(c.kind)) << c.kind->m_lpszClassName;
    EXPECT_FALSE(caught->GetErrorText().IsEmpty()) << c.kind->m_lpszClassName;
    caught->Delete();
  }
}

TEST(ExceptionsTest, CatchByExactTypeKeepsTheCause) {
  try {
    AfxThrowArchiveException(100);
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, 100);
    // The program's own silent cause has no text of the framework.
    WCHAR text[64] = L"unchanged";
    EXPECT_FALSE(e->GetErrorMessage(text, 64));
    e->Delete();
  }
  try {
    AfxThrowDBException(-1, L"Syntax error");
  } catch (CDBException* e) {
    EXPECT_STREQ(e->m_strError, L"Syntax error");
    EXPECT_STREQ(e->GetErrorText(), L"Syntax error");
    e->Delete();
  }
}

TEST(ExceptionsTest, FileErrorsMapFromWin32Codes) {
  struct Case {
    LONG osError;
    int cause;
  } cases[] = {
      {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
      {ERROR_PATH_NOT_FOUND, CFileException::badPath},
      {ERROR_ACCESS_DENIED, CFileException::accessDenied},
      {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
      {ERROR_DISK_FULL, CFileException::diskFull},
      {ERROR_HANDLE_EOF, CFileException::endOfFile},
      {ERROR_NOT_ENOUGH_MEMORY, CFileException::genericException},
  };
  for (const Case& c : cases) EXPECT_EQ(CFileException::OsErrorToException(c.osError), c.cause) << c.osError;
  CFileException e(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"C:\\missing.txt");
  EXPECT_NE(e.GetErrorText().Find(L"C:\\missing.txt"), -1);
}

TEST(ExceptionsTest, StackExceptionIsNotFreedByDelete) {
  CException* e = new CMemoryException(FALSE);
  e->Delete();  // must not free: the object is still usable
  EXPECT_FALSE(e->m_bAutoDelete);
  delete e;
}

}  // namespace
