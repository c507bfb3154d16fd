// The document of Orvello: the ordered pages of a form with their objects, images and data tables,
// the document's options block, its link to an outside table, and its file format.
#pragma once
#include "Framework.h"

#include <functional>

#include "DocOptions.h"
#include "EnumPrinters.h"
#include "FieldNumbersCollation.h"
#include "PageInfo.h"

typedef CTypedPtrList<CPtrList, CPageInfo*> CPageList;
class CDBImport;
class CFolimarView;
class CTranspBaseClass;
class CTranspText;
struct IPdfDocument;
class LBitmapBase;

// One field of the document for database import and export: its page, its object and its column in
// that page's data table.
struct _FIELD_OBJECT_INFO {
  CPageInfo* page;
  CTranspBaseClass* object;
  int index;
};
typedef CArray<_FIELD_OBJECT_INFO, const _FIELD_OBJECT_INFO&> CFieldObjectInfoArray;

// What the database workers reach through the progress dialog's parameter.
struct _DB_WORKER_PARAMS {
  class CFolimarDoc* doc;
  CDBImport* wizard;
  CFieldObjectInfoArray* fields;
};

class CFolimarDoc : public CDocument {
  DECLARE_DYNCREATE(CFolimarDoc)

 public:
  enum {
    kFileVersion = 28,       // the version every save writes
    kOldestVersion = 3,      // the oldest version that loads
    kFormatTag = 0x01000005,
    kSilentFailure = 100,    // archive exception cause: already reported, or to stay silent
  };
  // Kind tags of the record stream besides the object kinds.
  enum {
    kTagEnd = 0, kTagImages = 8, kTagEraseListPage0 = 11, kTagEraseList = 12, kTagTable = 13,
    kTagMetafile = 14
  };
  // A file with more pages is taken as damaged rather than built page by page.
  static const int kMaxPages = 10000;

  CFolimarDoc();
  ~CFolimarDoc() override;

  // Framework overrides.
  BOOL OnNewDocument() override;
  void Serialize(CArchive& ar) override;
  BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
  void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) override;

  // ---- Opening and saving (FolimarDocSave.cpp) ----
  // Opens a document file ("rud", "qlm", "vyt"); with `setPath` the file becomes the document's path
  // (a "qlm" form never does, so its next save asks for a name). TRUE when the document shows the file.
  virtual BOOL OnOpenDocument(LPCTSTR lpszPathName, BOOL setPath);
  using CDocument::OnOpenDocument;
  afx_msg void OnFileSave();
  afx_msg void OnFileSaveAs();
  // A copy of the document in another file; its own title, path and modified state stay.
  afx_msg void OnFileExportToVantry();
  // File > Send > Fax (FolimarDocFax.cpp): prints to the chosen fax printer without the print dialog.
  afx_msg void OnFileSendByFax();
  // Lower-cased extension of a path, as the document file types are told apart.
  static CString LowerFileExt(const CString& path);
  // An image file a document can be made from: bmp, tif, tiff, pcx, jpg, jpeg, png, gif.
  static int IsImageFormatSupported(const CString& path);

  // ---- Title, path and forms (FolimarDocTitle.cpp) ----
  // Only document files become the path: "rud" and "qlm" with a recent-file entry, "vyt" without;
  // with any other extension the document keeps no path. The caller's flag is not used.
  void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
  // The title without its extension (from the last "."), which is also kept as the file name.
  void SetTitle(LPCTSTR lpszTitle) override;
  void UpdateTitle();
  const CString& GetFileName() const { return m_fileName; }
  afx_msg void OnEditRename();
  void RenameDocument();
  afx_msg void OnFileSaveAsForm();
  // Tells every view of the document that the printer settings changed.
  void UpdatePrinterSettings();
  // The "Form Name" dialog: form name and file name in and out; FALSE on Cancel. The dialogs of the
  // view register it; without one the commands that need it do nothing. Returns the one it replaces.
  typedef BOOL (*FormNamePrompt)(CString& formName, CString& fileName);
  static FormNamePrompt SetFormNamePrompt(FormNamePrompt prompt);

  // Pages.
  int GetPageCount() const { return m_pageCount; }
  BOOL IsMultipage() const { return m_pageCount > 1; }
  CPageInfo* GetPage(int index) const;
  void DeleteAllObjectsAndPages();
  BOOL DeletePage(int index);
  BOOL AppendPagesFromPagesList(CTypedPtrList<CPtrList, CPageInfo*>& pages);
  BOOL CreateFromPagesList(CTypedPtrList<CPtrList, CPageInfo*>& pages);
  void ClearUndoManager();
  // Appends a new empty page; the page count follows.
  CPageInfo* AppendNewPage();
  // Copies the page's settings out; `settings` is left alone when the page does not exist.
  void GetPageSettings(_PAGE_SETTINGS& settings, int pageIndex) const;
  // Copies the settings into the page; nothing when the page does not exist.
  void SetPageSettings(const _PAGE_SETTINGS& settings, int pageIndex);
  // The page image's size in pixels: the bitmap's, else the background metafile's; 0 x 0 without.
  SIZE GetPageImageSize(int pageIndex) const;
  // The page holds an image that must be encoded anew when saved (no JPEG file kept as read).
  BOOL IsImageAvailableNotJPG(int pageIndex) const;
  BOOL IsMetafileAvailable(int pageIndex) const;
  // The main frame's program mode changed: every view of the document follows.
  void ProgramModeChanged();
  // Removes one object from its page and destroys it.
  void DestroyObject(CTranspBaseClass* object);
  // Places a loaded or created object on the page it names (the last page when it names none);
  // FALSE, leaving the object to the caller, when the document has no page.
  BOOL AddObjectToList(CTranspBaseClass* object);

  // ---- Documents and pages from images (FolimarDocImages.cpp) ----
  // Each returns 1 on success and 0 after a failure it has reported or logged.
  // The first page takes a copy of the bitmap, placed at (x, y) in document units.
  int CreateFromBitmap(const LBitmapBase& bitmap, int x, int y);
  // One page per item of the list, which is emptied; pages past the list's items keep theirs.
  int CreateFromBitmapList(LBitmapList& list);
  // A new last page holding a copy of the bitmap; an imageless first page gets a white one as large.
  int AppendPageFromBitmap(const LBitmapBase& bitmap);
  // Every image of the file into the pages from the first on; a JPEG file's bytes are kept for saving.
  int OpenImage(const CString& path);
  // The metafiles of the paths in order become the pages' backgrounds.
  int CreateFromEMFList(const CStringList& paths);
  // A new document's first page takes the metafile file as its background.
  BOOL OpenMetafileAsDocument(const CString& path);
  // Reads another document file into this one: its objects, pages and records are added.
  void MergeToDoc(const CString& path);
  afx_msg void OnFileImportFromVantry();
  // Horizontal and vertical dots per inch: the image's, else the metafile's reference device's,
  // else the screen's.
  SIZE GetPageResolution(int pageIndex) const;
  POINT GetPageImagePos(int pageIndex) const;
  void SetPageImagePos(int pageIndex, int x, int y);
  void SetPageImagePos(int pageIndex, POINT position) { SetPageImagePos(pageIndex, position.x, position.y); }
  BOOL IsImageAvailable(int pageIndex) const;
  BOOL IsImageAvailable() const;
  // The smallest paper of the table that holds a page of `size` inches within a tenth of an inch,
  // turned for a landscape page; the default paper when none does. Sets size, paper index and
  // orientation only.
  static void GetFormatSettings(const double size[2], _PAGE_SETTINGS& settings);
  // Every page's paper from its image size; a document loaded from a file keeps its own unless forced.
  void CheckImageSizeAndOrientation(int force);
  // Warns once when a page image takes more than 30 MB.
  void BigImageMessage();
  // Image > Save Background As: the first view's page image (or its metafile) to a file, asked for
  // when `path` is empty (`defaultName` offered); 1 when written. An existing file is replaced only
  // by a complete new one.
  afx_msg void OnFileSaveImageAs();
  int SaveImageAs(const CString& path, const CString& defaultName);

  // Options block.
  double GetScale() const { return m_options.viewScale; }
  void SetScale(double scale) { m_options.viewScale = scale; }
  BOOL IsAppliedToPrinter() const { return m_options.applyToPrinter != 0; }
  BOOL IsSavedPrintingPreferences() const { return m_options.savedPrintingPreferences != 0; }
  const _DOC_OPTIONS& GetOptions() const { return m_options; }
  _DOC_OPTIONS& Options() { return m_options; }
  // The printer fields of the options block; the record's strings point into the block.
  _PRINTER_PREFERENCES& GetPrinterPreferences(_PRINTER_PREFERENCES& preferences) const;
  void SetPrinterPreferences(const _PRINTER_PREFERENCES& preferences);
  // File > Properties: the sheet of the General and PDF Security pages over the options block.
  afx_msg void OnDocProperties();
  // Options block of a new document.
  static void InitOptions(_DOC_OPTIONS& options);
  // The options block of files from version 8 to 17 in the current layout.
  static void ConvertOldOptions(const _OLD_DOC_OPTIONS& old, _DOC_OPTIONS& options);
  // Page settings that files before version 12 did not store: Letter for English, else A4.
  static void DefaultPageSettings(_PAGE_SETTINGS& settings, int languageId);

  // ---- Fields and records (FolimarDocFields.cpp) ----
  // A field is a text field that is not a label, or a check mark. The fields of a page, in list order
  // and deleted ones included, are the columns 0, 1, ... of its data table; the field objects hold
  // the current record, the tables every record.
  void GetFieldObjectsInfoArrayFromPage(CPageInfo* page, CFieldObjectInfoArray& fields);
  void GetAllFieldObjectsInfoArray(CFieldObjectInfoArray& fields);
  // 0 after telling the user that the document has no fields.
  int GetInfoArray(CFieldObjectInfoArray& fields);
  // 1: the objects' values into the current record; 0: the current record into the objects.
  void DoFieldsExchange(int store);
  // Appends the columns that fields (text fields, check marks) lack, each named after its field;
  // returns how many.
  int CorrectFieldsCount();
  // Rebuilds every object list with fresh nodes in the same order.
  void CorrectBug();
  // Empties the page's records and gives it as many empty ones as the document has (one at least).
  void InitPageDBTable(CPageInfo* page);
  // A column for the field, at its place among the page's fields (the last when it is not listed).
  void AddDBField(CTranspBaseClass* object, int pageIndex);
  // Removes the column of the field that stands at `position` of the page's list.
  void DeleteDBField(POSITION position, int pageIndex);
  void MoveField(int pageIndex, int from, int to);
  void UpdateObjectsPageIndex();
  int GetRecordCount() const;
  int GetCurrentRecord() const { return m_currentRecord; }
  // An empty record at `at` in every page's table (appended past the end); its index.
  int InsertRecord(int at);
  int AddRecord() { return InsertRecord(-1); }
  void OnDBMoveOnRecord(int record);
  void DBMoveOnLastRecord();
  void DBDeleteRecord();
  void RecordsCreateNew(int duplicate);
  // Index-number fields keep their value as the base the next record counts on from.
  void InitFormNumber();
  void SetFormNumber();
  // Numbers the field's column in the records after the current one; -1 when it is not a field of
  // the page, 0 when the page does not exist.
  int OnEditFormNumber(int pageIndex, CTranspBaseClass* field);
  // Find Next: the stored search from the view's caret over every record and page.
  void SearchText();
  int IsPrintPreviewMode();
  CFolimarView* GetFirstFolimarView() const;

  // ---- Database import and export (FolimarDocDatabase.cpp) ----
  // Hands the wizard every field's name and value type (text field 12, check mark 1), in order.
  void AddFieldsFromArrayToMaster(CFieldObjectInfoArray& fields, CDBImport& wizard);
  // The workers of the progress dialog (their argument is the dialog): records of the wizard's result
  // set appended to the tables, or the document's records added to it.
  static UINT __cdecl Import(LPVOID dialog);
  static UINT __cdecl Export(LPVOID dialog);
  // Appends the records of another document file that has the same pages and field counts; FALSE,
  // after telling the user, when it does not fit or cannot be read.
  BOOL AppendRecordsFromFile(LPCTSTR path);
  // File > Import from Document hands each chosen file to this loader (the application puts its own
  // in place); null brings AppendRecordsFromFile back. Returns the one it replaces.
  typedef BOOL (*DataLoader)(CFolimarDoc* doc, LPCTSTR path);
  static DataLoader SetDataLoader(DataLoader loader);
  // The field and column names of the stored links, known once an import ran in this session: the
  // quick import finds its fields and columns by them.
  CStringArray m_linkFieldNames, m_linkColumnNames;

  // ---- Names, mirrored fields, filling, barcodes (FolimarDocNames.cpp) ----
  enum { kNameKinds = 10 };
  // The next name of the object's kind ("Text%d" ...); with `check` also one no object of the
  // document has. Empty for an object of no named kind.
  CString GetUniqueObjectName(CTranspBaseClass* object, int check);
  // Rebuilds the groups of fields that share a name: flags, lead field and PDF names.
  void SetMirroredFields();
  // Text objects whose names are keys of the map take the key's value as text.
  void FillForm(CMap<CString, LPCWSTR, COleVariant, COleVariant>& values);
  void GenerateBarcodes();
  // By page index; null outside the pages.
  CPageInfo* GetPageInfo(int pageIndex) const;
  CTranspObjectList* GetObjectsList(int pageIndex) const;
  CEraseList* GetErasedList(int pageIndex) const;
  LMyBitmap* GetBitmapPage(int pageIndex) const;
  // Only when the page holds an allocated image.
  LMyBitmap* GetCurrentBitmap(int pageIndex) const;
  CommandManagerT* GetUndoManager(int pageIndex) const;
  int HasObjects() const;
  // 1 with neither a page image nor an object.
  int IsEmpty() const;
  void SetImageChangedForAllPages(int flag);

  // ---- Page image editing (FolimarDocImageEdit.cpp) ----
  // Each change is one step of the page's history; a page that does not exist or has no bitmap
  // changes nothing and gives FALSE. Library failures show the library's text (not after a cancel).
  BOOL SetPageResolution(int pageIndex, int x, int y);
  // The rectangle in screen pixels, converted to image pixels and clipped to the image.
  BOOL DoCropPage(int pageIndex, const RECT& screenRect);
  // Clockwise, the bitmap grown to hold the turned image, new corners black.
  BOOL RotatePage(int pageIndex, int degrees);
  BOOL RotatePage(int pageIndex, double radians);
  BOOL RotatePageHundredths(int pageIndex, int hundredths);
  BOOL FlipImage(int pageIndex);
  BOOL ReverseImage(int pageIndex);
  // Changes in tenths of a percent, -1000 .. 1000.
  BOOL SetImageBrightness(int pageIndex, int value);
  BOOL SetImageContrast(int pageIndex, int value);
  BOOL InvertImage(int pageIndex);
  // The rectangle (image pixels) is the white or black reference area; TRUE also when the correction
  // itself failed and the image stayed.
  BOOL DoColCorrectionWhitePage(int pageIndex, const RECT& rect);
  BOOL DoColCorrectionBlackPage(int pageIndex, const RECT& rect);
  // The bitmap (taken over) becomes the page image; -1 is the first view's current page.
  BOOL LoadMainImage(LMyBitmap* bitmap, int pageIndex);
  // The metafile becomes the page background and its path the document's image path.
  BOOL LoadEMF(LPCTSTR path, int pageIndex);
  // Image > Delete Background and Image > Load Background on the first view's current page.
  afx_msg void OnFileDeleteImage();
  afx_msg void OnFileLoadImage();
  // The file chosen for Image > Load Background: an image, a metafile, or a message.
  BOOL LoadBackgroundFile(const CString& path);

  // ---- Formulas (FolimarDocFormulas.cpp) ----
  // 1 and the value of the field's formula; 0 when it cannot be calculated.
  int CalculateFormula(CTranspText* field, double& value);
  // What stands for a name or number literal of a formula.
  CString GetValue(const CString& token);
  // Recalculates every formula field; 0 when a cycle stopped it.
  int Calculate();
  // 0 when the field's references lead to a field named `name`, or round a cycle.
  int CheckCicles(CTranspText* field, const CString& name);
  CTranspText* GetTextObjectByName(const CString& name);
  CString ReplaceName(const CString& formula, const CString& oldName, const CString& newName);
  void RenameInAllFormulas(const CString& oldName, const CString& newName);
  void ConvertFormatForField(CTranspText* field, int toNumeric);
  void CorrectFormatsOfTextsContainedInFormula(CTranspText* field);
  void ConvertFormatsAndFormulasForPreviousVersion();
  // The PDF script that copies the field's value into its mirrored copies.
  CString GetScript(CTranspText* field);
  void SetObjectNameForPDFForOtherFields(int pageIndex, CTranspBaseClass* field);

  // ---- PDF export (FolimarDocPdf.cpp) ----
  // Writes pages `firstPage` (-1: 0) on, `pageCount` of them (-1: to the end), as a PDF file; with
  // `forMail` the file is never opened in a viewer. 1 written, -1 no writer, 0 failed (logged).
  int SaveAsPDF(LPCTSTR path, int firstPage, int pageCount, BOOL forMail);
  // Every mirrored text field gets the script that copies its value to its copies.
  void SetScriptActions(IPdfDocument* pdf);
  afx_msg void OnSaveAsPDF();
  // The file of the last PDF export, proposed again.
  CString m_pdfPath;
  // ---- Mail and export of pages (FolimarDocExport.cpp) ----
  // File > Send > Email: the document or the current page in the format the mail dialog offers.
  afx_msg void OnFileSendByMail();
  // Writes the attachment of mail format `format` (0 PDF, 1 document, ...) and lists the files to send;
  // FALSE when it could not be made (reported by its writer).
  BOOL MakeMailAttachment(int format, BOOL wholeDocument, const CString& attachment, CStringArray& paths);
  // The active page of the first view; 0 without a view.
  int CurrentPageIndex() const;
  // Writes the whole document or the current page to the file the path names, by its extension (an
  // image format, "emf" or "pdf"); any other shows "Unsupported file format.".
  void ExportTo(const CString& path, BOOL wholeDocument);
  afx_msg void OnFileExportTo();
  afx_msg void OnFileSaveAsImage();
  CString ExportFileName() const;
  // The page or pages as image files: one page (`allPages` 0, the current one), every page into one
  // file (`multipage`), or every page into its own file "<name>_page_<n>.<ext>". FALSE on failure
  // (reported).
  BOOL WriteToGraphicOrEmfFile(const CString& path, int allPages, int multipage);
  // The page with its objects as an image file, its format asked for when `ask` is set.
  BOOL WriteCurrentPageToBitmap(int pageIndex, const CString& path, int ask);
  // The page as a metafile file through the first view; "Out of memory." when none is made.
  BOOL WriteCurrentPageToEmf(int pageIndex, const CString& path);
  // The page at its image's resolution and its paper size, page image first, then shapes and text,
  // then fields.
  BOOL RenderPageBitmap(int pageIndex, LBitmapBase& bitmap);
  // Writes the data-exchange file (FolimarDocViz.cpp); the document's own path and state stay. FALSE
  // when the file could not be written (reported).
  BOOL StoringVIZ(LPCTSTR path);

  // File format.
  void StoringSerialize(CArchive& ar);
  void LoadingSerialize(CArchive& ar);
  void SerializeImage(CArchive& ar);

  int m_imageOrigin = 0;
  CPageList m_pages;
  CString m_imagePath;
  int m_currentRecord = 0;
  CEnumPrinters m_printers;
  double m_unit = 0.00001;
  int m_printOffsetX = 0, m_printOffsetY = 0;
  int m_screenDpiX = 96, m_screenDpiY = 96;
  int m_autoCreated = 0;
  int m_pageCount = 0;
  _DOC_OPTIONS m_options;
  _OLD_DOC_OPTIONS m_oldOptions;
  int m_loadedFromFile = 0;
  int m_findMatchCase = 1, m_findDirection = 1;
  CString m_findText;
  CFieldLinkArray m_fieldLinks;
  CString m_connectString;
  CString m_tableName;
  int m_merge = 0;
  int m_mergePageByPage = 0;

 private:
  // Records the field count per page, then grows the page list to `count` pages.
  void CreatePagesForLoad(int count, CArray<int, int>& fieldCounts);
  // The settings of the first `fileCount` pages, stored or (old files) derived.
  void ReadPageSettings(CArchive& ar, UINT version, int fileCount);
  void ReadObjectRecord(CArchive& ar, int tag, UINT version, BOOL templateFlagSet, BOOL templateByExtension,
                        CArray<int, int>& fieldCounts, ULONGLONG tableSlots);
  void ReadMetafileRecord(CArchive& ar, int length);
  // Tag 13: the table of the page it names, read into the page's table or appended to it; the tables
  // may hold at most `tableSlots` rows and cells in all (see TableSlotsFor).
  void ReadPageTable(CArchive& ar, ULONGLONG tableSlots);
  // After tag 0: the stored image of old files, tables cut to their objects and padded to one length,
  // unless the tables would then hold more than `tableSlots` rows and cells.
  void FinishLoad(UINT version, BOOL isTemplate, CArray<int, int>& fieldCounts, ULONGLONG tableSlots);
  // Rows and cells the pages' tables hold now.
  ULONGLONG TableSlotsInUse() const;
  void WritePageRecords(CArchive& ar);
  // Moves the list's bitmaps into the pages from the first on, adding pages as needed; `place` sets
  // each page up with its bitmap before the page takes it. 0 after a failure it has shown.
  int TakePagesFromList(LBitmapList& list, const std::function<void(CPageInfo*, LMyBitmap&)>& place);
  // Destroys a page that is out of the list, with its objects.
  void DestroyPage(CPageInfo* page);
  // Where the document is being saved to: the framework writes into a temporary file beside it.
  CString m_savingPath;
  // The title without extension; the file name offered when the document is saved as a form.
  CString m_fileName;
  // The title exactly as given: a kept file name has lost its extension already.
  void SetTitleWithoutExt(const CString& name);
  BOOL AskFormName(CString& formName, CString& fileName);

  // Page image editing: the page when it holds a bitmap; the common steps of the bitmap edits.
  CPageInfo* EditablePage(int pageIndex) const;
  void PageImageChanged(CPageInfo* page);
  BOOL EditPageBitmap(int pageIndex, BOOL recordAlways, const std::function<int(LMyBitmap&)>& edit);
  BOOL EditPageColours(int pageIndex, BOOL recordAlways, BOOL copyBackAlways, const std::function<int(LBitmap&)>& edit);
  BOOL DoColCorrectionPage(int pageIndex, const RECT& rect, BOOL white);
  int CurrentViewPage() const;

  // ---- Record commands ----
  afx_msg void OnDBInsertRecord();
  afx_msg void OnDBInsertRecordDuplicate();
  afx_msg void OnDBMoveOnFirstRecord();
  afx_msg void OnDBMoveOnLastRecord();
  afx_msg void OnDBMoveOnNextRecord();
  afx_msg void OnDBMoveOnPrevRecord();
  afx_msg void OnDBDeleteRecord();
  afx_msg void OnDBDeleteAllRecords();
  // Records > Find: the search text, direction and case asked, then Find Next.
  afx_msg void OnDBFind();
  afx_msg void OnUpdateDBMoveBack(CCmdUI* cmd);
  afx_msg void OnUpdateDBMoveForward(CCmdUI* cmd);
  afx_msg void OnUpdateDBDelete(CCmdUI* cmd);
  afx_msg void OnUpdateDBNotInPreview(CCmdUI* cmd);
  // File menu: import and export over ODBC, records from other documents.
  afx_msg void OnDBImportData();
  afx_msg void OnDBQuickImportData();
  afx_msg void OnUpdateDBQuickImportData(CCmdUI* cmd);
  afx_msg void OnDBExportData();
  afx_msg void OnDBImportDataFromDocument();
  void RunDatabaseWizard(int mode);
  // Runs the worker under the progress dialog and shows the error text it left.
  void RunDatabaseWorker(UINT titleId, AFX_THREADPROC worker, CDBImport& wizard, CFieldObjectInfoArray& fields);

  // The overlay object behind a list entry (null for objects of other kinds of services), and the
  // text object or check mark it is.
  static CTranspBaseClass* OverlayOf(CTranspBaseClass* object);
  static CTranspText* TextOf(CTranspBaseClass* object);
  static BOOL IsCheckMarkObject(CTranspBaseClass* object);
  void ForEachField(CPageInfo* page, const std::function<void(CTranspBaseClass*, int)>& visit);
  // The field's column, with the index of its page; -1 when it is no field of the document.
  int FindFieldColumn(CTranspBaseClass* field, int& pageIndex);
  // Text objects (labels included) in page and list order while `visit` returns true.
  void ForEachTextObject(const std::function<bool(CTranspText*)>& visit);
  void ForEachIndexNumberField(const std::function<void(CTranspText*)>& visit);
  // Record change: stores the fields, makes `record` current (an index the tables lack changes
  // nothing) and loads them.
  void MoveToRecord(int record, BOOL fromCommand);
  void PrepareViewsForRecordChange();
  // Every view's objects keep their current bounds for the repaint after the record change.
  void SaveViewRegions();
  BOOL IsObjectNameUsed(const CString& name);
  // Per object kind, in the order of the name formats; they only grow and are not stored.
  int m_nameCounters[kNameKinds] = {};
  void RefreshAfterRecordChange();
  // The export commands' common steps: document or page, the save dialog with the remembered folder
  // and filter, the export.
  void RunExportDialog(UINT choiceCaptionId, BOOL askWhenMultipage, UINT pageFilterId, UINT documentFilterId,
                       LPCWSTR defaultExt, LPCWSTR filterIndexSetting, int defaultFilterIndex);
  // One page of the PDF: page image, shapes and page text, then fields.
  void DrawPdfPage(CFolimarView* view, CDC* dc, int pageIndex, IPdfDocument* pdf);
  DECLARE_MESSAGE_MAP()
};

// Ends a load or save: the message (when not 0) is shown first, then the silent archive exception.
[[noreturn]] void FailDocumentFile(UINT messageId = 0);
