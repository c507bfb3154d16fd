#include "FolimarDoc.h"

#include "DocObjects.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "MyProcs.h"

IMPLEMENT_DYNCREATE(CFolimarDoc, CDocument)

namespace {
const DOC_OBJECT_SERVICES* g_objectServices = nullptr;
}

const DOC_OBJECT_SERVICES* SetDocObjectServices(const DOC_OBJECT_SERVICES* services) {
  const DOC_OBJECT_SERVICES* previous = g_objectServices;
  g_objectServices = services;
  return previous;
}

const DOC_OBJECT_SERVICES* GetDocObjectServices() { return g_objectServices; }

void FailDocumentFile(UINT messageId) {
  if (messageId != 0) ErrorBox(messageId);
  AfxThrowArchiveException(CFolimarDoc::kSilentFailure);
}

CFolimarDoc::CFolimarDoc() {
  HDC screen = GetDC(nullptr);
  if (screen != nullptr) {
    m_screenDpiX = GetDeviceCaps(screen, LOGPIXELSX);
    m_screenDpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  CPageInfo* page = AppendNewPage();
  page->m_table.InsertRecord(-1);
  InitOptions(m_options);
  memset(&m_oldOptions, 0, sizeof(m_oldOptions));
}

CFolimarDoc::~CFolimarDoc() { DeleteAllObjectsAndPages(); }

void CFolimarDoc::InitOptions(_DOC_OPTIONS& options) {
  memset(&options, 0, sizeof(options));
  options.formatTag = kFormatTag;
  static const BYTE kMarker[4] = {0x0D, 0x00, 0x23, 0x34};
  memcpy(options.marker, kMarker, sizeof(kMarker));
  wcscpy(options.formName, L"Untitled");
  const CString creator = GetCreatorText();
  lstrcpynW(options.keywords, creator, _countof(options.keywords));
  lstrcpynW(options.creator, creator, _countof(options.creator));
  options.viewScale = 1.0;
}

void CFolimarDoc::DefaultPageSettings(_PAGE_SETTINGS& settings, int languageId) {
  memset(&settings, 0, sizeof(settings));
  settings.orientation = DMORIENT_PORTRAIT;
  if (languageId == CFolimarApp::kLanguageEnglish) {
    settings.paperIndex = 1;  // Letter
    settings.width = 8.5;
    settings.height = 11.0;
    settings.paperSize = DMPAPER_LETTER;
  } else {
    settings.paperIndex = 7;  // A4
    settings.width = 8.27;
    settings.height = 11.69;
    settings.paperSize = DMPAPER_A4;
  }
}

CPageInfo* CFolimarDoc::GetPage(int index) const {
  if (index < 0 || index >= m_pages.GetCount()) return nullptr;
  return m_pages.GetAt(m_pages.FindIndex(index));
}

CPageInfo* CFolimarDoc::AppendNewPage() {
  CPageInfo* page = new CPageInfo(this);
  m_pages.AddTail(page);
  m_pageCount = static_cast<int>(m_pages.GetCount());
  return page;
}

void CFolimarDoc::DestroyObject(CTranspBaseClass* object) {
  if (object == nullptr) return;
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos;) {
    CPageInfo* page = m_pages.GetNext(pagePos);
    POSITION found = page->m_objects.Find(object);
    if (found != nullptr) page->m_objects.RemoveAt(found);
  }
  if (g_objectServices != nullptr) g_objectServices->destroy(object);
}

void CFolimarDoc::AddObjectToList(CTranspBaseClass* object) {
  const int index = g_objectServices != nullptr ? g_objectServices->getPageIndex(object) : -1;
  CPageInfo* page = GetPage(index);
  if (page == nullptr) page = GetPage(m_pageCount - 1);
  if (page != nullptr) page->m_objects.AddTail(object);
}

void CFolimarDoc::DeleteAllObjectsAndPages() {
  DEF_TRY
  while (!m_pages.IsEmpty()) {
    CPageInfo* page = m_pages.RemoveHead();
    // Commands may point at objects: the history goes before the objects do.
    page->m_pUndoManager->ClearUndoList();
    page->m_pUndoManager->ClearRedoList();
    while (!page->m_objects.IsEmpty()) {
      CTranspBaseClass* object = page->m_objects.RemoveHead();
      if (g_objectServices != nullptr) g_objectServices->destroy(object);
    }
    delete page;
  }
  m_pageCount = 0;
  DEF_CATCH("CFolimarDoc::DeleteAllObjectsAndPages")
}

BOOL CFolimarDoc::DeletePage(int index) {
  DEF_TRY
  ClearUndoManager();
  if (index < 0 || index >= m_pageCount || m_pageCount <= 1) return FALSE;
  POSITION pos = m_pages.FindIndex(index);
  CPageInfo* page = m_pages.GetAt(pos);
  m_pages.RemoveAt(pos);
  while (!page->m_objects.IsEmpty()) {
    CTranspBaseClass* object = page->m_objects.RemoveHead();
    if (g_objectServices != nullptr) g_objectServices->destroy(object);
  }
  delete page;
  m_pageCount = static_cast<int>(m_pages.GetCount());
  for (POSITION p = m_pages.GetHeadPosition(); p;) m_pages.GetNext(p)->m_imageChanged = 1;
  SetModifiedFlag();
  return TRUE;
  DEF_CATCH("CFolimarDoc::DeletePage")
  return FALSE;
}

BOOL CFolimarDoc::AppendPagesFromPagesList(CTypedPtrList<CPtrList, CPageInfo*>& pages) {
  DEF_TRY
  ClearUndoManager();
  for (POSITION pos = pages.GetHeadPosition(); pos;) {
    CPageInfo* source = pages.GetNext(pos);
    CPageInfo* page = new CPageInfo(this);
    if (!page->CopyPage(source, this, m_pageCount)) {
      delete page;
      return FALSE;
    }
    // Every page keeps as many records as the largest: the document grows to the new page's count.
    if (m_pageCount > 0) {
      const int wanted = page->m_table.GetRecordCount();
      while (GetPage(0)->m_table.GetRecordCount() < wanted) {
        for (POSITION p = m_pages.GetHeadPosition(); p;) m_pages.GetNext(p)->m_table.InsertRecord(-1);
      }
    }
    page->m_imageChanged = 0;
    m_pages.AddTail(page);
    m_pageCount = static_cast<int>(m_pages.GetCount());
    SetModifiedFlag();
  }
  return TRUE;
  DEF_CATCH("CFolimarDoc::AppendPagesFromPagesList")
  return FALSE;
}

BOOL CFolimarDoc::CreateFromPagesList(CTypedPtrList<CPtrList, CPageInfo*>& pages) {
  DeleteAllObjectsAndPages();
  return AppendPagesFromPagesList(pages);
}

void CFolimarDoc::ClearUndoManager() {
  for (POSITION pos = m_pages.GetHeadPosition(); pos;) {
    CPageInfo* page = m_pages.GetNext(pos);
    page->m_pUndoManager->ClearUndoList();
    page->m_pUndoManager->ClearRedoList();
  }
}

BOOL CFolimarDoc::OnNewDocument() {
  DEF_TRY
  CFolimarApp* app = GetFolimarApp();
  if (app == nullptr) return TRUE;  // no request to follow: the constructor's empty document
  NEW_DOCUMENT_REQUEST& request = app->m_newDocument;
  if (!request.title.IsEmpty()) SetTitle(request.title);
  switch (request.kind) {
    case NEW_DOCUMENT_REQUEST::kEmpty:
      m_autoCreated = request.autoCreated;
      return TRUE;
    case NEW_DOCUMENT_REQUEST::kFromPagesList:
      return CreateFromPagesList(request.pages);
    default: {
      CString text;
      text.Format(L"CFolimarDoc::OnNewDocument: request kind %d is not available", request.kind);
      AppendErrorLog(text);
      return FALSE;
    }
  }
  DEF_CATCH("CFolimarDoc::OnNewDocument")
  return FALSE;
}

void CFolimarDoc::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) {
  CArchiveException* archive = dynamic_cast<CArchiveException*>(e);
  if (archive != nullptr && archive->m_cause == kSilentFailure) return;
  CDocument::ReportSaveLoadException(lpszPathName, e, bSaving, nIDPDefault);
}

BOOL CFolimarDoc::OnSaveDocument(LPCTSTR lpszPathName) {
  m_savingPath = lpszPathName;
  const BOOL saved = CDocument::OnSaveDocument(lpszPathName);
  m_savingPath.Empty();
  return saved;
}
