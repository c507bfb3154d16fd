#include "fw/DocTemplate.h"
#include "fw/Thread.h"

HMODULE FwFindResourceModule(LPCWSTR name, LPCWSTR type, HRSRC* found);

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty()) m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
  rString.Empty();
  int start = 0;
  for (int i = 0; i < index; ++i) {
    const int newline = m_strDocStrings.Find(L'\n', start);
    if (newline < 0) return FALSE;
    start = newline + 1;
  }
  const int end = m_strDocStrings.Find(L'\n', start);
  rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
  return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }
void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = nullptr; }

namespace {
bool SamePath(LPCTSTR a, LPCTSTR b) {
  WCHAR fa[MAX_PATH], fb[MAX_PATH];
  if (!::GetFullPathNameW(a, MAX_PATH, fa, nullptr) || !::GetFullPathNameW(b, MAX_PATH, fb, nullptr)) return false;
  return ::CompareStringOrdinal(fa, -1, fb, -1, TRUE) == CSTR_EQUAL;
}
}  // namespace

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch) {
  rpDocMatch = nullptr;
  for (POSITION pos = GetFirstDocPosition(); pos;) {
    CDocument* doc = GetNextDoc(pos);
    if (!doc->GetPathName().IsEmpty() && SamePath(doc->GetPathName(), lpszPathName)) {
      rpDocMatch = doc;
      return yesAlreadyOpen;
    }
  }
  CString ext;
  if (GetDocString(ext, filterExt) && !ext.IsEmpty()) {
    const CString path(lpszPathName);
    const int dot = path.ReverseFind(L'.');
    if (dot >= 0 && path.Mid(dot).CompareNoCase(ext) == 0) return yesAttemptNative;
  }
  return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CDocument))) {
    OutputDebugStringW(L"CDocTemplate: the document class cannot be created\n");
    delete object;
    return nullptr;
  }
  CDocument* doc = static_cast<CDocument*>(object);
  AddDocument(doc);
  return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    OutputDebugStringW(L"CDocTemplate: the frame class cannot be created\n");
    delete object;
    return nullptr;
  }
  CFrameWnd* frame = static_cast<CFrameWnd*>(object);
  // A frame that fails to load has already deleted itself.
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
  for (POSITION pos = GetFirstDocPosition(); pos;) {
    if (!GetNextDoc(pos)->SaveModified()) return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  while (POSITION pos = GetFirstDocPosition()) {
    CDocument* doc = GetNextDoc(pos);
    doc->OnCloseDocument();
    // A document that is not deleted when closed would be found again.
    if (GetFirstDocPosition() && GetNextDoc(pos = GetFirstDocPosition()) == doc) {
      RemoveDocument(doc);
      if (CMultiDocTemplate* multi = dynamic_cast<CMultiDocTemplate*>(this)) {
        if (POSITION at = multi->m_docList.Find(doc)) multi->m_docList.RemoveAt(at);
      }
    }
  }
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CMultiDocTemplate::~CMultiDocTemplate() {
  if (m_hMenuShared) ::DestroyMenu(m_hMenuShared);
  if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate() {
  CDocTemplate::LoadTemplate();
  const LPCWSTR name = MAKEINTRESOURCEW(m_nIDResource);
  HRSRC found = nullptr;
  if (!m_hMenuShared) {
    CMenu menu;
    if (menu.LoadMenu(m_nIDResource)) m_hMenuShared = menu.Detach();
  }
  if (!m_hAccelTable) {
    if (HMODULE module = FwFindResourceModule(name, RT_ACCELERATOR, &found)) m_hAccelTable = ::LoadAcceleratorsW(module, name);
  }
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }
CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const { return static_cast<CDocument*>(m_docList.GetNext(rPos)); }
void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_docList.AddTail(pDoc);
}
void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  if (POSITION pos = m_docList.Find(pDoc)) m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString name;
  if (!GetDocString(name, fileNewName) || name.IsEmpty()) name = L"Untitled";
  CString title;
  title.Format(L"%s%u", static_cast<LPCTSTR>(name), m_nUntitledCount + 1);
  pDocument->SetTitle(title);
}

namespace {

// Creates the document's frame and view and loads or initialises it; on failure everything made
// is gone again.
CDocument* OpenInNewFrame(CDocTemplate* templ, CDocument* doc, LPCTSTR path, BOOL visible, CFrameWnd** frameOut) {
  const BOOL autoDelete = doc->m_bAutoDelete;
  doc->m_bAutoDelete = FALSE;  // a frame that fails must not take the document with it
  CFrameWnd* frame = templ->CreateNewFrame(doc, nullptr);
  doc->m_bAutoDelete = autoDelete;
  if (!frame) {
    delete doc;
    return nullptr;
  }
  bool ok;
  if (!path) {
    templ->SetDefaultTitle(doc);
    ok = doc->OnNewDocument() != FALSE;
  } else {
    CWaitCursor wait;
    ok = doc->OnOpenDocument(path) != FALSE;
    if (ok) doc->SetPathName(path);
  }
  if (!ok) {
    frame->DestroyWindow();  // takes the view, and with its last view the document
    return nullptr;
  }
  templ->InitialUpdateFrame(frame, doc, visible);
  if (frameOut) *frameOut = frame;
  return doc;
}

}  // namespace

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* doc = CreateNewDocument();
  if (!doc) return nullptr;
  CDocument* opened = OpenInNewFrame(this, doc, lpszPathName, bMakeVisible, nullptr);
  if (opened && !lpszPathName) ++m_nUntitledCount;
  return opened;
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}
CSingleDocTemplate::~CSingleDocTemplate() = default;

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
  return m_pOnlyDoc ? reinterpret_cast<POSITION>(const_cast<CDocument**>(&m_pOnlyDoc)) : nullptr;
}
CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
  CDocument* doc = rPos ? m_pOnlyDoc : nullptr;
  rPos = nullptr;
  return doc;
}
void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_pOnlyDoc = pDoc;
}
void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  if (m_pOnlyDoc == pDoc) m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString name;
  if (!GetDocString(name, fileNewName) || name.IsEmpty()) name = L"Untitled";
  pDocument->SetTitle(name);
}

// The one document is reused: it is asked to save, then reloaded or reset in its frame.
CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
  if (CDocument* doc = m_pOnlyDoc) {
    if (!doc->SaveModified()) return nullptr;
    if (!lpszPathName) {
      SetDefaultTitle(doc);
      if (!doc->OnNewDocument()) return nullptr;
    } else {
      if (!doc->OnOpenDocument(lpszPathName)) return nullptr;
      doc->SetPathName(lpszPathName);
    }
    doc->UpdateAllViews(nullptr);
    return doc;
  }
  CDocument* doc = CreateNewDocument();
  if (!doc) return nullptr;
  CFrameWnd* frame = nullptr;
  CDocument* opened = OpenInNewFrame(this, doc, lpszPathName, bMakeVisible, &frame);
  // The first frame of a single-document program is its main window.
  CWinThread* thread = AfxGetThread();
  if (opened && frame && thread && !thread->m_pMainWnd) thread->m_pMainWnd = frame;
  return opened;
}
