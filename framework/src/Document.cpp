#include "fw/Document.h"

#include "fw/Archive.h"
#include "fw/CommandIds.h"
#include "fw/DocTemplate.h"
#include "fw/Dialog.h"
#include "fw/View.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

void FwAddToRecentFileList(LPCTSTR lpszPathName);

CDocument::CDocument() = default;

CDocument::~CDocument() {
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
  m_strTitle = lpszTitle;
  UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
  WCHAR full[MAX_PATH];
  LPWSTR filePart = nullptr;
  const DWORD n = ::GetFullPathNameW(lpszPathName, MAX_PATH, full, &filePart);
  m_strPathName = (n > 0 && n < MAX_PATH) ? CString(full) : CString(lpszPathName);
  const int slash = m_strPathName.ReverseFind(L'\\');
  SetTitle(slash >= 0 ? static_cast<LPCTSTR>(m_strPathName.Mid(slash + 1)) : static_cast<LPCTSTR>(m_strPathName));
  if (bAddToMRU) FwAddToRecentFileList(m_strPathName);
}

BOOL CDocument::IsModified() { return m_bModified; }
void CDocument::SetModifiedFlag(BOOL bModified) { m_bModified = bModified; }

POSITION CDocument::GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
CView* CDocument::GetNextView(POSITION& rPosition) const {
  return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView) {
  if (!pView || m_viewList.Find(pView)) return;
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  POSITION pos = m_viewList.Find(pView);
  if (!pos) return;
  m_viewList.RemoveAt(pos);
  pView->m_pDocument = nullptr;
  OnChangedViewList();
}

// A document whose last view goes away closes with it.
void CDocument::OnChangedViewList() {
  if (m_viewList.IsEmpty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* pView = GetNextView(pos);
    if (pView != pSender) pView->OnUpdate(pSender, lHint, pHint);
  }
}

// Frames of a document with several windows show "Title:1", "Title:2"; each frame asks its
// document's title when it refreshes.
void CDocument::UpdateFrameCounts() {
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* pView = GetNextView(pos);
    if (pView->m_hWnd && pView->IsWindowVisible()) {
      if (CFrameWnd* pFrame = pView->GetParentFrame()) pFrame->OnUpdateFrameTitle(TRUE);
    }
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  CFile* pFile = new CFile;
  if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
    delete pFile;
    return nullptr;
  }
  return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort) {
  if (!pFile) return;
  if (bAbort)
    pFile->Abort();
  else
    pFile->Close();
  delete pFile;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
  CFileException fe;
  CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
  if (!pFile) {
    ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag();  // whatever happens below, the contents no longer match any file
  try {
    CWaitCursor wait;
    CArchive archive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
    archive.m_pDocument = this;
    if (pFile->GetLength() != 0) Serialize(archive);
    archive.Close();
    ReleaseFile(pFile, FALSE);
  } catch (CException* e) {
    ReleaseFile(pFile, TRUE);
    DeleteContents();
    ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

// The document is written to a temporary file beside the target, which replaces the target only
// when the whole document was written: a failed save leaves the previous file as it was.
BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName) {
  CString folder(lpszPathName);
  const int slash = folder.ReverseFind(L'\\');
  folder = slash >= 0 ? folder.Left(slash) : CString(L".");
  WCHAR temp[MAX_PATH];
  if (!::GetTempFileNameW(folder, L"sav", 0, temp)) {
    CFileException fe(CFileException::accessDenied, static_cast<LONG>(::GetLastError()), lpszPathName);
    ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  CFileException fe;
  CFile* pFile = GetFile(temp, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
  if (!pFile) {
    ::DeleteFileW(temp);
    ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  try {
    CWaitCursor wait;
    CArchive archive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
    archive.m_pDocument = this;
    Serialize(archive);
    archive.Close();
    ReleaseFile(pFile, FALSE);
  } catch (CException* e) {
    ReleaseFile(pFile, TRUE);
    ::DeleteFileW(temp);
    ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    e->Delete();
    return FALSE;
  }
  if (!::MoveFileExW(temp, lpszPathName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
    CFileException moveError(CFileException::accessDenied, static_cast<LONG>(::GetLastError()), lpszPathName);
    ::DeleteFileW(temp);
    ReportSaveLoadException(lpszPathName, &moveError, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::OnCloseDocument() {
  // Frames go first; each view removes itself, and the last one would close us again.
  const BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    CView* pView = static_cast<CView*>(m_viewList.GetHead());
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame) {
      PreCloseFrame(pFrame);
      pFrame->DestroyWindow();
    } else {
      pView->DestroyWindow();
    }
    if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView) RemoveView(pView);
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

void CDocument::DeleteContents() {}
void CDocument::PreCloseFrame(CFrameWnd*) {}

// A frame may close without asking when another frame still shows the document.
BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg) {
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* pView = GetNextView(pos);
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame && pFrame != pFrameArg) return TRUE;
  }
  return SaveModified();
}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
  CString prompt;
  prompt.Format(L"Save changes to %s?", static_cast<LPCTSTR>(name));
  switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
  }
}

BOOL CDocument::DoFileSave() {
  const DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(m_strPathName);
  const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  return DoSave(readOnly || m_strPathName.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strPathName));
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace) {
  CString newName = lpszPathName ? lpszPathName : L"";
  if (newName.IsEmpty()) {
    newName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CDocManager* manager = AfxGetDocManager();
    if (!manager || !manager->DoPromptFileName(newName, AFX_IDS_SAVEFILE, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, FALSE,
                                               m_pDocTemplate))
      return FALSE;
  }
  CWaitCursor wait;
  if (!OnSaveDocument(newName)) return FALSE;
  if (bReplace) SetPathName(newName);
  return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT) {
  WCHAR reason[512] = L"";
  if (!e || !e->GetErrorMessage(reason, 512)) lstrcpyW(reason, L"");
  CString message;
  message.Format(bSaving ? L"Failed to save document %s.\n%s" : L"Failed to open document %s.\n%s",
                 lpszPathName ? lpszPathName : L"", reason);
  AfxMessageBox(message, MB_ICONEXCLAMATION);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose() {
  if (!SaveModified()) return;
  OnCloseDocument();
}
void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(nullptr); }
