#include "FolimarDoc.h"

#include "DocGenPropPage.h"
#include "DocObjects.h"
#include "DocSecurPropPage.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarView.h"
#include "MyProcs.h"
#include "PaperTable.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CFolimarDoc, CDocument)

BEGIN_MESSAGE_MAP(CFolimarDoc, CDocument)
  // File menu
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
  ON_COMMAND(ID_FILE_SAVE_AS_FORM, OnFileSaveAsForm)
  ON_COMMAND(ID_FILE_EXPORT_TO_VANTRY, OnFileExportToVantry)
  ON_COMMAND(ID_FILE_IMPORT_FROM_VANTRY, OnFileImportFromVantry)
  // Image menu
  ON_COMMAND(ID_IMAGE_SAVE_BACKGROUND, OnFileSaveImageAs)
  // File menu: export and mail
  ON_COMMAND(ID_FILE_EXPORT_PDF, OnSaveAsPDF)
  ON_COMMAND(ID_FILE_SEND_MAIL, OnFileSendByMail)
  ON_COMMAND(ID_FILE_EXPORT, OnFileExportTo)
  ON_COMMAND(ID_FILE_SAVE_AS_IMAGE, OnFileSaveAsImage)
  ON_COMMAND(ID_FILE_PROPERTIES, OnDocProperties)
  ON_COMMAND(ID_FILE_SEND_FAX, OnFileSendByFax)
  ON_COMMAND(ID_DB_IMPORT, OnDBImportData)
  ON_COMMAND(ID_DB_QUICK_IMPORT, OnDBQuickImportData)
  ON_UPDATE_COMMAND_UI(ID_DB_QUICK_IMPORT, OnUpdateDBQuickImportData)
  ON_COMMAND(ID_DB_EXPORT, OnDBExportData)
  ON_COMMAND(ID_DB_IMPORT_FROM_DOCUMENT, OnDBImportDataFromDocument)
  // Edit menu
  ON_COMMAND(ID_EDIT_RENAME_FORM, OnEditRename)
  // Image menu: the page image
  ON_COMMAND(ID_IMAGE_LOAD_BACKGROUND, OnFileLoadImage)
  ON_COMMAND(ID_IMAGE_DELETE_BACKGROUND, OnFileDeleteImage)
  // Records menu
  ON_COMMAND(ID_DB_NEW, OnDBInsertRecord)
  ON_COMMAND(ID_DB_NEW_DUPLICATE, OnDBInsertRecordDuplicate)
  ON_COMMAND(ID_DB_MOVE_FIRST, OnDBMoveOnFirstRecord)
  ON_COMMAND(ID_DB_MOVE_LAST, OnDBMoveOnLastRecord)
  ON_COMMAND(ID_DB_MOVE_NEXT, OnDBMoveOnNextRecord)
  ON_COMMAND(ID_DB_MOVE_PREV, OnDBMoveOnPrevRecord)
  ON_COMMAND(ID_DB_DELETE, OnDBDeleteRecord)
  ON_COMMAND(ID_DB_DELETE_ALL, OnDBDeleteAllRecords)
  ON_COMMAND(ID_DB_FIND, OnDBFind)
  ON_COMMAND(ID_DB_FIND_NEXT, SearchText)
  ON_UPDATE_COMMAND_UI(ID_DB_MOVE_FIRST, OnUpdateDBMoveBack)
  ON_UPDATE_COMMAND_UI(ID_DB_MOVE_PREV, OnUpdateDBMoveBack)
  ON_UPDATE_COMMAND_UI(ID_DB_MOVE_LAST, OnUpdateDBMoveForward)
  ON_UPDATE_COMMAND_UI(ID_DB_MOVE_NEXT, OnUpdateDBMoveForward)
  ON_UPDATE_COMMAND_UI(ID_DB_DELETE, OnUpdateDBDelete)
  ON_UPDATE_COMMAND_UI(ID_DB_DELETE_ALL, OnUpdateDBDelete)
  ON_UPDATE_COMMAND_UI(ID_DB_NEW, OnUpdateDBNotInPreview)
  ON_UPDATE_COMMAND_UI(ID_DB_NEW_DUPLICATE, OnUpdateDBNotInPreview)
  ON_UPDATE_COMMAND_UI(ID_DB_FIND, OnUpdateDBNotInPreview)
END_MESSAGE_MAP()

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
  settings.paperIndex = languageId == CFolimarApp::kLanguageEnglish ? kPaperLetter : kPaperA4;
  const PAPER_TABLE_ROW& row = PaperTable[settings.paperIndex];
  settings.width = row.width;
  settings.height = row.height;
  settings.paperSize = static_cast<int16_t>(row.paperSize);
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

void CFolimarDoc::GetPageSettings(_PAGE_SETTINGS& settings, int pageIndex) const {
  const CPageInfo* page = GetPage(pageIndex);
  if (page != nullptr) settings = page->m_settings;
}

void CFolimarDoc::SetPageSettings(const _PAGE_SETTINGS& settings, int pageIndex) {
  CPageInfo* page = GetPage(pageIndex);
  if (page != nullptr) page->m_settings = settings;
}

namespace {

// Bounded copy that always ends with a zero; a null source gives an empty text.
template <size_t N>
void CopyTerminated(wchar_t (&target)[N], const wchar_t* source, size_t maxCharacters = N - 1) {
  const size_t limit = maxCharacters < N - 1 ? maxCharacters : N - 1;
  size_t i = 0;
  for (; source != nullptr && i < limit && source[i] != 0; ++i) target[i] = source[i];
  target[i] = 0;
}

const size_t kFormNameCharacters = 31;

}  // namespace

_PRINTER_PREFERENCES& CFolimarDoc::GetPrinterPreferences(_PRINTER_PREFERENCES& preferences) const {
  const _DOC_OPTIONS& o = m_options;
  preferences.savedPrintingPreferences = o.savedPrintingPreferences;
  preferences.printerName = o.printerString1;
  preferences.portName = o.printerString2;
  preferences.paperWidth = o.paperWidth;
  preferences.paperLength = o.paperHeight;
  preferences.paperIndex = o.paperIndex;
  preferences.orientation = o.landscape != 0 ? 2 : 1;
  preferences.paperSize = o.paperSizeCode;
  preferences.scale = o.printScale;
  preferences.copies = o.copies;
  preferences.defaultSource = o.defaultSource;
  preferences.printQuality = o.printQuality;
  preferences.yResolution = o.yResolution;
  CopyTerminated(preferences.formName, o.paperFormName, kFormNameCharacters);
  preferences.applyToPrinter = o.applyToPrinter;
  return preferences;
}

void CFolimarDoc::SetPrinterPreferences(const _PRINTER_PREFERENCES& preferences) {
  _DOC_OPTIONS& o = m_options;
  o.savedPrintingPreferences = preferences.savedPrintingPreferences;
  // The record may hand back the block's own strings.
  if (preferences.printerName != o.printerString1) CopyTerminated(o.printerString1, preferences.printerName);
  if (preferences.portName != o.printerString2) CopyTerminated(o.printerString2, preferences.portName);
  o.paperWidth = preferences.paperWidth;
  o.paperHeight = preferences.paperLength;
  o.paperIndex = preferences.paperIndex;
  o.landscape = preferences.orientation == 2;
  o.paperSizeCode = preferences.paperSize;
  o.printScale = preferences.scale;
  o.copies = preferences.copies;
  o.defaultSource = preferences.defaultSource;
  o.printQuality = preferences.printQuality;
  o.yResolution = preferences.yResolution;
  CopyTerminated(o.paperFormName, preferences.formName, kFormNameCharacters);
  o.applyToPrinter = preferences.applyToPrinter;
}

SIZE CFolimarDoc::GetPageImageSize(int pageIndex) const {
  DEF_TRY
  const CPageInfo* page = GetPage(pageIndex);
  if (page == nullptr) return {0, 0};
  if (page->HasBitmap()) return {page->m_pBitmap->GetWidth(), page->m_pBitmap->GetHeight()};
  ENHMETAHEADER header = {};
  if (page->m_hMetafile == nullptr || GetEnhMetaFileHeader(page->m_hMetafile, sizeof(header), &header) == 0)
    return {0, 0};
  // A metafile whose frame is the reference device's size (0.01 mm over mm is 100) is a printed
  // page: its size is the device's; any other is as large as what it draws.
  const LONG frameWidth = header.rclFrame.right - header.rclFrame.left;
  if (header.szlMillimeters.cx > 0 && frameWidth / header.szlMillimeters.cx == 100) return header.szlDevice;
  return {header.rclBounds.right - header.rclBounds.left, header.rclBounds.bottom - header.rclBounds.top};
  DEF_CATCH("CFolimarDoc::GetPageImageSize")
  return {0, 0};
}

void CFolimarDoc::DestroyObject(CTranspBaseClass* object) {
  if (object == nullptr) return;
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos;) {
    CPageInfo* page = m_pages.GetNext(pagePos);
    POSITION found = page->m_objects.Find(object);
    if (found != nullptr) page->m_objects.RemoveAt(found);
  }
  GetDocObjectServices()->destroy(object);
}

BOOL CFolimarDoc::AddObjectToList(CTranspBaseClass* object) {
  const int index = GetDocObjectServices()->getPageIndex(object);
  CPageInfo* page = GetPage(index);
  if (page == nullptr) page = GetPage(m_pageCount - 1);
  if (page == nullptr) return FALSE;
  page->m_objects.AddTail(object);
  return TRUE;
}

void CFolimarDoc::DestroyPage(CPageInfo* page) {
  // Commands may point at objects: the history goes before the objects do.
  page->m_pUndoManager->ClearUndoList();
  page->m_pUndoManager->ClearRedoList();
  while (!page->m_objects.IsEmpty()) GetDocObjectServices()->destroy(page->m_objects.RemoveHead());
  delete page;
}

void CFolimarDoc::DeleteAllObjectsAndPages() {
  DEF_TRY
  while (!m_pages.IsEmpty()) DestroyPage(m_pages.RemoveHead());
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
  DestroyPage(page);
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
      DestroyPage(page);
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
  int created = 0;
  switch (request.kind) {
    case NEW_DOCUMENT_REQUEST::kEmpty:
      CheckImageSizeAndOrientation(0);
      m_autoCreated = request.autoCreated;
      UpdatePrinterSettings();
      return TRUE;
    case NEW_DOCUMENT_REQUEST::kOpenDocument:
      return OnOpenDocument(request.documentPath, FALSE);
    case NEW_DOCUMENT_REQUEST::kMergeDocument:
      return OnOpenDocument(request.documentPath, TRUE);
    case NEW_DOCUMENT_REQUEST::kLoadEmf:
      return OpenMetafileAsDocument(request.imagePath);
    case NEW_DOCUMENT_REQUEST::kFromEmfList:
      return CreateFromEMFList(request.metafiles);
    case NEW_DOCUMENT_REQUEST::kImageAsDocument:
      if (OpenImage(request.imagePath) != 1) return FALSE;
      m_imagePath.Empty();
      SetImageChangedForAllPages(1);
      m_imageOrigin = 1;
      UpdateTitle();
      CheckImageSizeAndOrientation(0);
      BigImageMessage();
      return TRUE;
    case NEW_DOCUMENT_REQUEST::kOpenImage:
      created = OpenImage(request.imagePath);
      break;
    case NEW_DOCUMENT_REQUEST::kFromBitmap:
      created = request.bitmap != nullptr && CreateFromBitmap(*request.bitmap, request.bitmapX, request.bitmapY);
      break;
    case NEW_DOCUMENT_REQUEST::kFromBitmapList:
      created = request.bitmapList != nullptr && CreateFromBitmapList(*request.bitmapList);
      break;
    case NEW_DOCUMENT_REQUEST::kFromPagesList:
      // Copied pages keep the paper of their documents: matching it to the page images again would
      // turn a blank A4 form into a Letter one.
      if (!CreateFromPagesList(request.pages)) return FALSE;
      UpdateTitle();
      BigImageMessage();
      return TRUE;
    default:
      return FALSE;
  }
  if (!created) return FALSE;
  CheckImageSizeAndOrientation(0);
  UpdateTitle();
  BigImageMessage();
  return TRUE;
  DEF_CATCH("CFolimarDoc::OnNewDocument")
  return FALSE;
}

void CFolimarDoc::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) {
  CArchiveException* archive = dynamic_cast<CArchiveException*>(e);
  if (archive != nullptr && archive->m_cause == kSilentFailure) return;
  CDocument::ReportSaveLoadException(lpszPathName, e, bSaving, nIDPDefault);
}

BOOL CFolimarDoc::OnSaveDocument(LPCTSTR lpszPathName) {
  DEF_TRY
  m_savingPath = lpszPathName;
  const BOOL saved = CDocument::OnSaveDocument(lpszPathName);
  m_savingPath.Empty();
  return saved;
  DEF_CATCH("CFolimarDoc::OnSaveDocument")
  m_savingPath.Empty();
  return FALSE;
}

void CFolimarDoc::OnDocProperties() {
  DEF_TRY
  CDocGenPropPage general;
  general.SetOptions(m_options);
  CDocSecurPropPage security;
  security.SetOptions(m_options);
  CPropertySheet sheet(IDS_DOC_PROPERTIES);
  sheet.AddPage(&general);
  sheet.AddPage(&security);
  if (sheet.DoModal() != IDOK) return;
  general.GetOptions(m_options);
  security.GetOptions(m_options);
  SetModifiedFlag(TRUE);
  DEF_CATCH("CFolimarDoc::OnDocProperties")
}

BOOL CFolimarDoc::IsImageAvailableNotJPG(int pageIndex) const {
  const CPageInfo* page = GetPage(pageIndex);
  return page != nullptr && page->HasBitmap() && page->m_pImageFileBytes == nullptr;
}

BOOL CFolimarDoc::IsMetafileAvailable(int pageIndex) const {
  const CPageInfo* page = GetPage(pageIndex);
  return page != nullptr && page->m_hMetafile != nullptr;
}

void CFolimarDoc::ProgramModeChanged() {
  DEF_TRY
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CFolimarView* view = dynamic_cast<CFolimarView*>(GetNextView(pos));
    if (view != nullptr) view->ProgramModeChanged();
  }
  DEF_CATCH("CFolimarDoc::ProgramModeChanged")
}

int CFolimarDoc::IsImageFormatSupported(const CString& path) {
  static const wchar_t* const kImageExtensions[] = {L"bmp", L"tif", L"tiff", L"pcx", L"jpg", L"jpeg", L"png", L"gif"};
  const CString extension = LowerFileExt(path);
  for (const wchar_t* known : kImageExtensions)
    if (extension == known) return 1;
  return 0;
}
