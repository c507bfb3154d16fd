#include "fw/DocTemplate.h"
#include "fw/FileDialog.h"
#include "fw/ResourceLanguage.h"

CString AFXAPI AfxGetFrameworkString(UINT id) {
  LPCWSTR text = nullptr;
  const int length = AfxGetStringInLanguage(AfxGetCallingModule(), id, &text);
  return length > 0 ? CString(text, length) : CString();
}

namespace {
CDocManager* g_docManager = nullptr;
}

CDocManager* AFXAPI AfxGetDocManager() { return g_docManager; }
void AFXAPI AfxSetDocManager(CDocManager* pManager) { g_docManager = pManager; }

CDocManager::CDocManager() = default;

CDocManager::~CDocManager() {
  while (!m_templateList.IsEmpty()) delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
  if (g_docManager == this) g_docManager = nullptr;
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
  if (!pTemplate) return;
  pTemplate->LoadTemplate();
  m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const {
  return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

// The template that fits the file best opens it; a file that is open already comes to the front.
CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName, BOOL) {
  if (!lpszFileName || !*lpszFileName) return nullptr;
  CDocTemplate* best = nullptr;
  CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
  CDocument* open = nullptr;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
    CDocTemplate* templ = GetNextDocTemplate(pos);
    CDocument* match = nullptr;
    const CDocTemplate::Confidence c = templ->MatchDocType(lpszFileName, match);
    if (c > bestMatch) {
      bestMatch = c;
      best = templ;
      open = match;
    }
    if (c == CDocTemplate::yesAlreadyOpen) break;
  }
  if (open) {
    POSITION pos = open->GetFirstViewPosition();
    if (pos) {
      CView* view = open->GetNextView(pos);
      if (CFrameWnd* frame = view->GetParentFrame()) frame->ActivateFrame();
    }
    return open;
  }
  if (!best) {
    OutputDebugStringW(L"CDocManager: no document template\n");
    return nullptr;
  }
  return best->OpenDocumentFile(lpszFileName);
}

void CDocManager::OnFileNew() {
  POSITION pos = GetFirstDocTemplatePosition();
  if (!pos) return;
  GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen() {
  CString name;
  if (!DoPromptFileName(name, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr)) return;
  OpenDocumentFile(name);
}

namespace {
// "Name (*.ext)|*.ext|" for one template.
void AppendFilter(CDocTemplate* templ, CString& filter, CString* defaultExt) {
  CString name, ext;
  if (!templ->GetDocString(name, CDocTemplate::filterName) || name.IsEmpty()) return;
  if (!templ->GetDocString(ext, CDocTemplate::filterExt) || ext.IsEmpty()) return;
  filter += name + L"|*" + ext + L"|";
  if (defaultExt && defaultExt->IsEmpty()) *defaultExt = ext.Mid(1);
}
}  // namespace

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate) {
  CString filter, defaultExt;
  if (pTemplate) {
    AppendFilter(pTemplate, filter, &defaultExt);
  } else {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) AppendFilter(GetNextDocTemplate(pos), filter, &defaultExt);
  }
  filter += AfxGetFrameworkString(AFX_IDS_ALLFILTER) + L"|*.*||";
  CFileDialog dialog(bOpenFileDialog, defaultExt.IsEmpty() ? nullptr : static_cast<LPCTSTR>(defaultExt), fileName,
                     lFlags, filter);
  CString title;
  if (nIDSTitle && !title.LoadString(nIDSTitle)) title = AfxGetFrameworkString(nIDSTitle);
  if (!title.IsEmpty()) dialog.m_ofn.lpstrTitle = title;
  if (dialog.DoModal() != IDOK) return FALSE;
  fileName = dialog.GetPathName();
  return TRUE;
}

BOOL CDocManager::SaveAllModified() {
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
    if (!GetNextDocTemplate(pos)->SaveAllModified()) return FALSE;
  }
  return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

int CDocManager::GetOpenDocumentCount() {
  int count = 0;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
    CDocTemplate* templ = GetNextDocTemplate(pos);
    for (POSITION doc = templ->GetFirstDocPosition(); doc; templ->GetNextDoc(doc)) ++count;
  }
  return count;
}

namespace {
bool SetKeyValue(LPCWSTR key, LPCWSTR valueName, LPCWSTR value) {
  HKEY h = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG r = ::RegSetValueExW(h, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                  static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(WCHAR)));
  ::RegCloseKey(h);
  return r == ERROR_SUCCESS;
}
}  // namespace

void CDocManager::RegisterShellFileTypes(BOOL) {
  WCHAR exe[MAX_PATH];
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
    CDocTemplate* templ = GetNextDocTemplate(pos);
    CString ext, typeId, typeName;
    if (!templ->GetDocString(ext, CDocTemplate::filterExt) || ext.IsEmpty()) continue;
    if (!templ->GetDocString(typeId, CDocTemplate::regFileTypeId) || typeId.IsEmpty()) continue;
    templ->GetDocString(typeName, CDocTemplate::regFileTypeName);
    const CString classes = L"Software\\Classes\\";
    CString open;
    open.Format(L"\"%s\" \"%%1\"", exe);
    CString icon;
    icon.Format(L"%s,0", exe);
    if (!SetKeyValue(classes + typeId, nullptr, typeName) ||
        !SetKeyValue(classes + typeId + L"\\DefaultIcon", nullptr, icon) ||
        !SetKeyValue(classes + typeId + L"\\shell\\open\\command", nullptr, open) ||
        !SetKeyValue(classes + ext, nullptr, typeId))
      OutputDebugStringW(L"CDocManager: registering a file type failed\n");
  }
}
