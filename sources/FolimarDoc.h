// The document of Orvello: the ordered pages of a form with their objects, images and data tables,
// the document's options block, its link to an outside table, and its file format.
#pragma once
#include "Framework.h"

#include "DocOptions.h"
#include "EnumPrinters.h"
#include "FieldNumbersCollation.h"
#include "PageInfo.h"

typedef CTypedPtrList<CPtrList, CPageInfo*> CPageList;

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
  // Removes one object from its page and destroys it.
  void DestroyObject(CTranspBaseClass* object);
  // Places a loaded or created object on the page it names (the last page when it names none);
  // FALSE, leaving the object to the caller, when the document has no page.
  BOOL AddObjectToList(CTranspBaseClass* object);

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
                        CArray<int, int>& fieldCounts);
  void ReadMetafileRecord(CArchive& ar, int length);
  // After tag 0: the stored image of old files, tables cut to their objects and padded to one length.
  void FinishLoad(UINT version, BOOL isTemplate, CArray<int, int>& fieldCounts);
  // The page image of files that name it (version 5 and older) into the first page.
  BOOL OpenStoredImage(const CString& path);
  void WritePageRecords(CArchive& ar);
  // Destroys a page that is out of the list, with its objects.
  void DestroyPage(CPageInfo* page);
  // Where the document is being saved to: the framework writes into a temporary file beside it.
  CString m_savingPath;
  DECLARE_MESSAGE_MAP()
};

// Ends a load or save: the message (when not 0) is shown first, then the silent archive exception.
[[noreturn]] void FailDocumentFile(UINT messageId = 0);
