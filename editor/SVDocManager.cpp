#include "SVDocManager.h"

namespace {
const wchar_t kSettings[] = L"Settings";
}  // namespace

CString FolderOfPath(const CString& path) {
  const int slash = path.ReverseFind(L'\\');
  return slash >= 0 ? path.Left(slash + 1) : CString();
}

void CSVDocManager::SetKey(LPCTSTR lpszKeyName, LPCTSTR lpszDefaultFolder) {
  m_strKeyName = lpszKeyName ? lpszKeyName : L"";
  m_strDefaultFolder = lpszDefaultFolder ? lpszDefaultFolder : L"";
}

CString CSVDocManager::GetInitialFolder() const {
  CWinApp* app = AfxGetApp();
  if (app && !m_strKeyName.IsEmpty()) {
    const CString folder = FolderOfPath(app->GetProfileString(kSettings, m_strKeyName));
    if (!folder.IsEmpty()) return folder;
  }
  return m_strDefaultFolder;
}

BOOL CSVDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                     CDocTemplate* pTemplate) {
  CString filter, defaultExt;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
    CDocTemplate* templ = GetNextDocTemplate(pos);
    if (pTemplate && templ != pTemplate) continue;
    CString name, ext;
    if (!templ->GetDocString(name, CDocTemplate::filterName) || name.IsEmpty()) continue;
    if (!templ->GetDocString(ext, CDocTemplate::filterExt) || ext.IsEmpty()) continue;
    filter += name + L"|*" + ext + L"|";
    if (defaultExt.IsEmpty()) defaultExt = ext.Mid(1);
  }
  filter += AfxGetFrameworkString(AFX_IDS_ALLFILTER) + L"|*.*||";
  CFileDialog dialog(bOpenFileDialog, defaultExt.IsEmpty() ? nullptr : static_cast<LPCTSTR>(defaultExt), fileName,
                     lFlags | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
  CString title;
  if (nIDSTitle && !title.LoadString(nIDSTitle)) title = AfxGetFrameworkString(nIDSTitle);
  if (!title.IsEmpty()) dialog.m_ofn.lpstrTitle = title;
  const CString folder = GetInitialFolder();
  if (!folder.IsEmpty()) dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() != IDOK) return FALSE;
  fileName = dialog.GetPathName();
  if (CWinApp* app = AfxGetApp()) {
    if (!m_strKeyName.IsEmpty()) app->WriteProfileString(kSettings, m_strKeyName, FolderOfPath(fileName));
  }
  return TRUE;
}
