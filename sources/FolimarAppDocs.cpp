// How the application makes and opens documents: it writes a new-document request that the document
// reads while the framework makes it, and closes the empty documents the program made by itself once
// another one is made. Also File > New, File > Open and File > New Multi-page Document.
#include "ChildFrm.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "NewDocDlg.h"
#include "NewDocMultipageDlg.h"
#include "PageCommands.h"
#include "resource.h"

namespace {

// The filter of a file dialog from string resources of "name|pattern|" pairs, in their order.
CString Filter(std::initializer_list<UINT> ids) {
  CString filter;
  for (UINT id : ids) {
    CString part;
    part.LoadString(id);
    part.TrimRight(L'|');
    if (!part.IsEmpty()) filter += part + L"|";
  }
  return filter + L"|";
}

CString FolderOf(const CString& path) {
  const int slash = path.ReverseFind(L'\\');
  return slash > 0 ? path.Left(slash) : CString();
}

}  // namespace

CDocument* CFolimarApp::CreateDocument(int kind) {
  if (m_docTemplate == nullptr) {
    POSITION pos = GetFirstDocTemplatePosition();
    m_docTemplate = pos != nullptr ? dynamic_cast<CMultiDocTemplate*>(GetNextDocTemplate(pos)) : nullptr;
  }
  if (m_docTemplate == nullptr) return nullptr;
  m_newDocument.kind = kind;
  CDocument* doc = m_docTemplate->OpenDocumentFile(nullptr);
  m_newDocument.kind = NEW_DOCUMENT_REQUEST::kEmpty;
  m_newDocument.autoCreated = 0;
  return doc;
}

CDocument* CFolimarApp::CreateEmptyDoc(int autoCreated) {
  DEF_TRY
  m_newDocument.autoCreated = autoCreated;
  CDocument* doc = CreateDocument(NEW_DOCUMENT_REQUEST::kEmpty);
  if (!autoCreated) DeleteAutoCreatedDocs();
  return doc;
  DEF_CATCH("CFolimarApp::CreateEmptyDoc")
  return nullptr;
}

CDocument* CFolimarApp::CreateFromPath(int kind, LPCTSTR path) {
  DEF_TRY
  if (kind == NEW_DOCUMENT_REQUEST::kOpenImage || kind == NEW_DOCUMENT_REQUEST::kLoadEmf)
    m_newDocument.imagePath = path;
  else
    m_newDocument.documentPath = path;
  CDocument* doc = CreateDocument(kind);
  DeleteAutoCreatedDocs();
  return doc;
  DEF_CATCH("CFolimarApp::CreateFromPath")
  return nullptr;
}

CDocument* CFolimarApp::CreateDocFromTemplate(LPCTSTR path) {
  return CreateFromPath(NEW_DOCUMENT_REQUEST::kOpenDocument, path);
}

CDocument* CFolimarApp::OpenDocFromTemplate(LPCTSTR path) {
  return CreateFromPath(NEW_DOCUMENT_REQUEST::kMergeDocument, path);
}

CDocument* CFolimarApp::CreateDocFromImage(LPCTSTR path) {
  if (CFolimarDoc::LowerFileExt(path) == L"emf") return CreateDocFromEMF(path);
  return CreateFromPath(NEW_DOCUMENT_REQUEST::kOpenImage, path);
}

CDocument* CFolimarApp::CreateDocFromEMF(LPCTSTR path) { return CreateFromPath(NEW_DOCUMENT_REQUEST::kLoadEmf, path); }

CDocument* CFolimarApp::CreateDocFromPagesList(CTypedPtrList<CPtrList, CPageInfo*>& pages) {
  DEF_TRY
  m_newDocument.pages.RemoveAll();
  m_newDocument.pages.AddTail(&pages);
  CDocument* doc = CreateDocument(NEW_DOCUMENT_REQUEST::kFromPagesList);
  m_newDocument.pages.RemoveAll();
  DeleteAutoCreatedDocs();
  return doc;
  DEF_CATCH("CFolimarApp::CreateDocFromPagesList")
  m_newDocument.pages.RemoveAll();
  return nullptr;
}

CDocument* CFolimarApp::CreateDocFromBitmap(const LBitmapBase* bitmap, int x, int y) {
  DEF_TRY
  m_newDocument.bitmap = bitmap;
  m_newDocument.bitmapX = x;
  m_newDocument.bitmapY = y;
  CDocument* doc = CreateDocument(NEW_DOCUMENT_REQUEST::kFromBitmap);
  m_newDocument.bitmap = nullptr;
  DeleteAutoCreatedDocs();
  return doc;
  DEF_CATCH("CFolimarApp::CreateDocFromBitmap")
  m_newDocument.bitmap = nullptr;
  return nullptr;
}

CDocument* CFolimarApp::CreateDocFromBitmapList(LBitmapList* list, LPCTSTR name) {
  DEF_TRY
  m_newDocument.bitmapList = list;
  m_newDocument.title = name;
  CDocument* doc = CreateDocument(NEW_DOCUMENT_REQUEST::kFromBitmapList);
  m_newDocument.bitmapList = nullptr;
  m_newDocument.title.Empty();
  DeleteAutoCreatedDocs();
  return doc;
  DEF_CATCH("CFolimarApp::CreateDocFromBitmapList")
  m_newDocument.bitmapList = nullptr;
  m_newDocument.title.Empty();
  return nullptr;
}

CDocument* CFolimarApp::CreateDocFromEmfList(LPCTSTR name) {
  DEF_TRY
  m_newDocument.title = name;
  CDocument* doc = CreateDocument(NEW_DOCUMENT_REQUEST::kFromEmfList);
  m_newDocument.metafiles.RemoveAll();
  m_newDocument.title.Empty();
  DeleteAutoCreatedDocs();
  return doc;
  DEF_CATCH("CFolimarApp::CreateDocFromEmfList")
  m_newDocument.metafiles.RemoveAll();
  m_newDocument.title.Empty();
  return nullptr;
}

void CFolimarApp::AppendPageToDocuments(const LBitmapBase* bitmap) {
  DEF_TRY
  if (bitmap == nullptr) return;
  CTypedPtrList<CPtrList, CFolimarDoc*> documents;
  GetDocumentsList(documents);
  for (POSITION pos = documents.GetHeadPosition(); pos;) {
    CFolimarDoc* doc = documents.GetNext(pos);
    doc->AppendPageFromBitmap(*bitmap);
    doc->CheckImageSizeAndOrientation(0);
  }
  CChildFrame* child = ActiveChild();
  CFolimarDoc* active = ActiveDocument();
  if (child != nullptr && active != nullptr) child->UpdatePagesBar(active->GetPageCount());
  DEF_CATCH("CFolimarApp::AppendPageToDocuments")
}

CChildFrame* CFolimarApp::ActiveChild() const {
  CMDIFrameWnd* frame = dynamic_cast<CMDIFrameWnd*>(m_pMainWnd);
  return frame != nullptr ? dynamic_cast<CChildFrame*>(frame->MDIGetActive()) : nullptr;
}

CFolimarDoc* CFolimarApp::ActiveDocument() const {
  CChildFrame* child = ActiveChild();
  return child != nullptr ? dynamic_cast<CFolimarDoc*>(child->GetActiveDocument()) : nullptr;
}

CFolimarDoc* CFolimarApp::OpenCopyOf(LPCTSTR path) {
  if (OpenDocumentFile(path, TRUE) == nullptr) return nullptr;
  // The copy is the template's newest document.
  CFolimarDoc* last = nullptr;
  CTypedPtrList<CPtrList, CFolimarDoc*> documents;
  GetDocumentsList(documents);
  if (!documents.IsEmpty()) last = documents.GetTail();
  return last;
}

void CFolimarApp::LoadImageFromRUD(LPCTSTR path) {
  DEF_TRY
  CFolimarDoc* active = ActiveDocument();
  CFolimarDoc* opened = active != nullptr ? OpenCopyOf(path) : nullptr;
  if (opened == nullptr || opened == active) return;
  for (int index = 0; index < opened->GetPageCount(); ++index) {
    CPageInfo* source = opened->GetPage(index);
    if (!source->HasBitmap()) {
      opened->OnCloseDocument();
      WarningBox(IDS_NO_MAIN_IMAGE);
      return;
    }
    if (index >= active->GetPageCount()) break;
    LMyBitmap* copy = new LMyBitmap(*source->m_pBitmap);
    if (!copy->IsAllocated()) {
      delete copy;
      break;
    }
    CPageInfo* page = active->GetPage(index);
    page->m_pUndoManager->DoCommand(new CCreateMainImageEmfCommand(page, copy, nullptr, active->GetFirstFolimarView()));
    page->SetImageFileBytes(source->m_pImageFileBytes, static_cast<UINT>(source->m_imageFileSize));
    page->m_imageChanged = 1;
    active->SetModifiedFlag(TRUE);
  }
  opened->OnCloseDocument();
  active->UpdateAllViews(nullptr);
  DEF_CATCH("CFolimarApp::LoadImageFromRUD")
}

void CFolimarApp::LoadData(LPCTSTR path) {
  DEF_TRY
  CFolimarDoc* active = ActiveDocument();
  CFolimarDoc* opened = active != nullptr ? OpenCopyOf(path) : nullptr;
  if (opened == nullptr || opened == active) return;
  if (opened->GetPageCount() != active->GetPageCount()) {
    opened->OnCloseDocument();
    ErrorBox(IDS_INCORRECT_DOCUMENT);
    return;
  }
  opened->DoFieldsExchange(1);
  active->DoFieldsExchange(1);
  for (int record = 0; record < opened->GetRecordCount(); ++record) {
    const int added = active->AddRecord();
    for (int index = 0; index < active->GetPageCount(); ++index) {
      CDynTable& from = opened->GetPage(index)->m_table;
      CDynTable& to = active->GetPage(index)->m_table;
      if (from.GetFieldCount() != to.GetFieldCount()) {
        opened->OnCloseDocument();
        active->DBMoveOnLastRecord();
        active->DBDeleteRecord();
        ErrorBox(IDS_INCORRECT_DOCUMENT);
        return;
      }
      CVariantRecord& source = from[record];
      CVariantRecord& target = to[added];
      for (INT_PTR column = 0; column < source.GetSize() && column < target.GetSize(); ++column)
        target.ElementAt(column) = source[column];
    }
  }
  opened->OnCloseDocument();
  active->DBMoveOnLastRecord();
  DEF_CATCH("CFolimarApp::LoadData")
}

void CFolimarApp::DeleteAutoCreatedDocs() {
  DEF_TRY
  CTypedPtrList<CPtrList, CFolimarDoc*> documents;
  GetDocumentsList(documents);
  for (POSITION pos = documents.GetHeadPosition(); pos;) {
    CFolimarDoc* doc = documents.GetNext(pos);
    if (doc->m_autoCreated && doc->IsEmpty() && !doc->IsModified()) doc->OnCloseDocument();
  }
  DEF_CATCH("CFolimarApp::DeleteAutoCreatedDocs")
}

void CFolimarApp::GetDocumentsList(CTypedPtrList<CPtrList, CFolimarDoc*>& documents) {
  for (POSITION t = GetFirstDocTemplatePosition(); t;) {
    CDocTemplate* docTemplate = GetNextDocTemplate(t);
    for (POSITION d = docTemplate->GetFirstDocPosition(); d;) {
      CFolimarDoc* doc = dynamic_cast<CFolimarDoc*>(docTemplate->GetNextDoc(d));
      if (doc != nullptr) documents.AddTail(doc);
    }
  }
}

CDocument* CFolimarApp::OpenDocumentFile(LPCTSTR lpszFileName) { return CWinAppEx::OpenDocumentFile(lpszFileName); }

CDocument* CFolimarApp::OpenDocumentFile(LPCTSTR path, BOOL copyMode) {
  DEF_TRY
  AppendErrorLog(L"CFolimarApp::OpenDocumentFile");
  CDocument* doc = nullptr;
  if (copyMode == 1) {
    const CString copy = GetTempDirPath() + L"TempRUD.qlm";
    if (!GetTempDirPath().IsEmpty()) ::CreateDirectoryW(GetTempDirPath(), nullptr);
    if (::CopyFileW(path, copy, FALSE)) doc = CWinAppEx::OpenDocumentFile(copy);
  } else {
    doc = CWinAppEx::OpenDocumentFile(path);
  }
  DeleteAutoCreatedDocs();
  return doc;
  DEF_CATCH("CFolimarApp::OpenDocumentFile")
  return nullptr;
}

// ---- File commands ----

void CFolimarApp::OnFileNew() {
  DEF_TRY
  ClosePreview();
  CNewDocDlg dialog(m_pMainWnd);
  if (dialog.DoModal() != IDOK) return;
  const CString initialDir = GetProfileString(L"Settings", L"InitialDir");
  switch (dialog.GetNewDocType()) {
    case 0:
      CreateEmptyDoc(0);
      break;
    case 1: {
      CString extension;
      extension.LoadString(IDS_EXT_QLM);
      CFileDialog open(TRUE, extension, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING,
                       Filter({IDS_FILTER_FORMS}), m_pMainWnd);
      const CString forms = GetFormsPathName();
      open.m_ofn.lpstrInitialDir = forms;
      if (open.DoModal() == IDOK) CreateDocFromTemplate(open.GetPathName());
      break;
    }
    case 2: {
      CFileDialog open(TRUE, L"bmp", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING,
                       Filter({IDS_FILTER_IMAGES, IDS_FILTER_GRAPHIC_FILES}), m_pMainWnd);
      open.m_ofn.lpstrInitialDir = initialDir;
      if (open.DoModal() != IDOK) break;
      WriteProfileString(L"Settings", L"InitialDir", FolderOf(open.GetPathName()));
      CreateDocFromImage(open.GetPathName());
      break;
    }
    default:
      break;
  }
  DEF_CATCH("CFolimarApp::OnFileNew")
}

void CFolimarApp::OnFileOpen() {
  DEF_TRY
  PrepareFileCommand();
  CMainFrame* frame = GetMainFrame();
  CString extension;
  extension.LoadString(IDS_EXT_QLM);
  CFileDialog open(TRUE, extension, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING,
                   Filter({IDS_FILTER_ALL_FILES, IDS_FILTER_ALL_PROGRAM_FILES, IDS_FILTER_FORMS, IDS_DOCUMENT_FILTER,
                           IDS_FILTER_TEMPLATES, IDS_FILTER_GRAPHIC_FILES, IDS_FILTER_IMAGES}),
                   m_pMainWnd);
  const CString initialDir = GetProfileString(L"Settings", L"InitialDir", GetFilledFormsPathName());
  open.m_ofn.lpstrInitialDir = initialDir;
  if (frame != nullptr) open.m_ofn.nFilterIndex = static_cast<DWORD>(frame->GetOptions().openFilterIndex);
  if (open.DoModal() != IDOK) return;
  const CString path = open.GetPathName();
  WriteProfileString(L"Settings", L"InitialDir", FolderOf(path));
  if (frame != nullptr) frame->Options().openFilterIndex = static_cast<int32_t>(open.m_ofn.nFilterIndex);
  const CString chosen = CFolimarDoc::LowerFileExt(path);
  CString rud, vyt, qlm;
  rud.LoadString(IDS_EXT_RUD);
  vyt.LoadString(IDS_EXT_VYT);
  qlm.LoadString(IDS_EXT_QLM);
  if (chosen == rud || chosen == vyt || chosen == qlm)
    OpenDocFromTemplate(path);
  else if (chosen == L"emf")
    CreateDocFromEMF(path);
  else
    CreateDocFromImage(path);
  DEF_CATCH("CFolimarApp::OnFileOpen")
}

void CFolimarApp::OnFileNewMD() {
  DEF_TRY
  ClosePreview();
  CFolimarDocList documents;
  GetDocumentsList(documents);
  CNewDocMultipageDlg dialog(m_pMainWnd);
  dialog.m_title.LoadString(IDS_CREATE_MULTIPAGE_DOC);
  dialog.m_documents = &documents;
  if (dialog.DoModal() != IDOK || dialog.m_pages.IsEmpty()) return;
  CWaitCursor wait;
  CreateDocFromPagesList(dialog.m_pages);
  DEF_CATCH("CFolimarApp::OnFileNewMD")
}
