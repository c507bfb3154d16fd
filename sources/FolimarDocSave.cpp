// Opening a document file and the File menu's saving commands. The file format itself is in
// FolimarDocFile.cpp; which file types it reads and writes decides what these commands accept.
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

const wchar_t kInitialDirSetting[] = L"InitialDir";
const DWORD kSaveDialogFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING;

bool IsDocumentExt(const CString& ext) { return ext == L"rud" || ext == L"qlm" || ext == L"vyt"; }

// Asks for the file a copy of the document goes to; empty on Cancel. `initialName` may carry a folder.
CString AskSavePath(const CString& initialName) {
  CString filter;
  filter.LoadString(IDS_DOCUMENT_FILTER);
  CFileDialog dialog(FALSE, L"rud", initialName.IsEmpty() ? nullptr : static_cast<LPCTSTR>(initialName),
                     kSaveDialogFlags, filter, AfxGetMainWnd());
  if (dialog.DoModal() != IDOK) return CString();
  return dialog.GetPathName();
}

CString FolderOf(const CString& path) {
  const int slash = path.ReverseFind(L'\\');
  return slash >= 0 ? path.Left(slash) : CString();
}

}  // namespace

BOOL CFolimarDoc::OnOpenDocument(LPCTSTR lpszPathName, BOOL setPath) {
  DEF_TRY
  const CString path = lpszPathName != nullptr ? lpszPathName : L"";
  const CString ext = LowerFileExt(path);
  if (!IsDocumentExt(ext)) {
    // Image files become documents through the page-image import, which this program does not have yet.
    AppendErrorLog(L"CFolimarDoc::OnOpenDocument: not a document file: " + path);
    return FALSE;
  }
  SetTitle(ExtractFileName(path));
  UpdateTitle();
  if (!CDocument::OnOpenDocument(path)) return FALSE;
  if (setPath && ext != L"qlm") SetPathName(path, TRUE);
  return TRUE;
  DEF_CATCH("CFolimarDoc::OnOpenDocument")
  return FALSE;
}

void CFolimarDoc::OnFileSave() {
  DEF_TRY
  if (GetPathName().IsEmpty()) {
    OnFileSaveAs();
    return;
  }
  OnSaveDocument(GetPathName());
  DEF_CATCH("CFolimarDoc::OnFileSave")
}

void CFolimarDoc::OnFileSaveAs() {
  DEF_TRY
  CString folder = ReadSettingString(kInitialDirSetting, GetFilledFormsPathName());
  if (!folder.IsEmpty() && folder.Right(1) != L"\\") folder += L"\\";
  const CString path = AskSavePath(folder + GetTitle());
  if (path.IsEmpty()) return;
  if (CWinApp* app = AfxGetApp()) app->WriteProfileString(L"Settings", kInitialDirSetting, FolderOf(path));
  if (LowerFileExt(path) == L"viz") {
    StoringVIZ(path);
    return;
  }
  // A failed save keeps the document's previous path: the chosen file does not hold it.
  if (OnSaveDocument(path)) SetPathName(path, TRUE);
  DEF_CATCH("CFolimarDoc::OnFileSaveAs")
}

void CFolimarDoc::OnFileExportToVantry() {
  DEF_TRY
  const CString path = AskSavePath(CString());
  if (path.IsEmpty()) return;
  // The export is a copy: the document's own file has not been written, so its changes stay unsaved.
  const BOOL modified = IsModified();
  OnSaveDocument(path);
  SetModifiedFlag(modified);
  DEF_CATCH("CFolimarDoc::OnFileExportToVantry")
}
