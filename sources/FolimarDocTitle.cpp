// The document's name: which paths it keeps as its own, its title and kept file name, renaming the
// form and saving it as a form into the forms folder.
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

CFolimarDoc::FormNamePrompt g_formNamePrompt = nullptr;

CString FormatString(UINT id, const CString& argument) {
  CString format, text;
  format.LoadString(id);
  text.Format(format, static_cast<LPCTSTR>(argument));
  return text;
}

// A name that stays inside the folder it is put into: not empty, no path pieces, no characters the
// file system refuses, not only dots and spaces.
bool IsPlainFileName(const CString& name) {
  if (name.IsEmpty() || name.FindOneOf(L"\\/:*?\"<>|") >= 0) return false;
  for (int i = 0; i < name.GetLength(); ++i) {
    if (name[i] < 32) return false;
  }
  return name.SpanIncluding(L". ").GetLength() != name.GetLength();
}

bool FolderExists(const CString& folder) {
  const DWORD attributes = GetFileAttributesW(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

CFolimarDoc::FormNamePrompt CFolimarDoc::SetFormNamePrompt(FormNamePrompt prompt) {
  const FormNamePrompt previous = g_formNamePrompt;
  g_formNamePrompt = prompt;
  return previous;
}

BOOL CFolimarDoc::AskFormName(CString& formName, CString& fileName) {
  if (g_formNamePrompt == nullptr) {
    AppendErrorLog(L"CFolimarDoc::AskFormName: no form name dialog is registered");
    return FALSE;
  }
  return g_formNamePrompt(formName, fileName);
}

void CFolimarDoc::SetPathName(LPCTSTR lpszPathName, BOOL) {
  DEF_TRY
  const CString ext = LowerFileExt(lpszPathName != nullptr ? lpszPathName : L"");
  if (ext == L"rud" || ext == L"qlm")
    CDocument::SetPathName(lpszPathName, TRUE);
  else if (ext == L"vyt")
    CDocument::SetPathName(lpszPathName, FALSE);
  else
    ClearPathName();
  DEF_CATCH("CFolimarDoc::SetPathName")
}

void CFolimarDoc::SetTitle(LPCTSTR lpszTitle) {
  DEF_TRY
  CString name = lpszTitle != nullptr ? lpszTitle : L"";
  const int dot = name.ReverseFind(L'.');
  if (dot >= 0) name = name.Left(dot);
  SetTitleWithoutExt(name);
  DEF_CATCH("CFolimarDoc::SetTitle")
}

void CFolimarDoc::SetTitleWithoutExt(const CString& name) {
  m_fileName = name;
  CDocument::SetTitle(name);
}

void CFolimarDoc::UpdateTitle() { SetTitleWithoutExt(m_fileName); }

void CFolimarDoc::OnEditRename() { RenameDocument(); }

void CFolimarDoc::RenameDocument() {
  DEF_TRY
  CString formName = m_options.formName;
  CString fileName = m_fileName;
  if (!AskFormName(formName, fileName)) return;
  lstrcpynW(m_options.formName, formName, _countof(m_options.formName));
  SetTitleWithoutExt(fileName);
  SetModifiedFlag(TRUE);
  DEF_CATCH("CFolimarDoc::RenameDocument")
}

void CFolimarDoc::OnFileSaveAsForm() {
  DEF_TRY
  CString formName = m_options.formName;
  CString fileName = m_fileName;
  if (!AskFormName(formName, fileName)) return;
  lstrcpynW(m_options.formName, formName, _countof(m_options.formName));

  CString folder = GetFormsPathName();
  if (!FolderExists(folder)) {
    ErrorBox(FormatString(IDS_FOLDER_DOES_NOT_EXIST, folder));
    return;
  }
  CWnd* main = AfxGetMainWnd();
  const auto askAgain = [main] {
    if (main != nullptr && main->m_hWnd != nullptr) main->PostMessage(WM_COMMAND, ID_FILE_SAVE_AS_FORM, 0);
  };
  // The typed name must not lead the form out of the forms folder.
  if (!IsPlainFileName(fileName)) {
    ErrorBox(FormatString(IDS_INVALID_FILE_NAME, fileName));
    askAgain();
    return;
  }
  if (folder.Right(1) != L"\\") folder += L"\\";
  const CString path = folder + fileName + L".qlm";
  if (FileExists(path) && YesNoBox(FormatString(IDS_REPLACE_EXISTING_FILE, path)) != IDYES) {
    askAgain();
    return;
  }
  SetTitleWithoutExt(fileName);
  OnSaveDocument(path);
  DEF_CATCH("CFolimarDoc::OnFileSaveAsForm")
}

void CFolimarDoc::UpdatePrinterSettings() {
  DEF_TRY
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    if (CFolimarView* view = dynamic_cast<CFolimarView*>(GetNextView(pos))) view->UpdatePrinterSettings();
  }
  DEF_CATCH("CFolimarDoc::UpdatePrinterSettings")
}
