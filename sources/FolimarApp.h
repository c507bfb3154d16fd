// The application object of Orvello: what the document asks of it. Start-up, settings, command line
// and batch mode join this class as the frame is built.
#pragma once
#include "Framework.h"

#include "DocOptions.h"
#include "EnumPrinters.h"
#include "ViewGeometry.h"

class CPageInfo;
class LBitmap;

// What the next new document is to be built from; the document reads it once in OnNewDocument.
struct NEW_DOCUMENT_REQUEST {
  enum Kind {
    kEmpty = 0, kOpenDocument = 1, kOpenImage = 2, kFromBitmap = 3, kImageAsDocument = 4,
    kFromBitmapList = 5, kFromPagesList = 6, kLoadEmf = 7, kFromEmfList = 8, kMergeDocument = 10
  };
  int kind = kEmpty;
  CString title;          // becomes the document's title when not empty
  CString documentPath;
  CString imagePath;
  LBitmap* bitmap = nullptr;
  int bitmapX = 0, bitmapY = 0;
  CPtrList bitmaps;
  CTypedPtrList<CPtrList, CPageInfo*> pages;
  CStringList metafiles;
  int autoCreated = 0;    // copied into an empty new document
};

class CFolimarApp : public CWinApp {
 public:
  enum { kLanguageEnglish = 9 };
  CFolimarApp();

  NEW_DOCUMENT_REQUEST m_newDocument;
  int m_languageId = kLanguageEnglish;  // the "Language" setting
  // The current printer's resolution, printable area, offsets and paper size; all 0 until a printer
  // is chosen, which the view takes as no printable area.
  PRINTER_METRICS m_printerMetrics = {};

  // Fixed-size records as binary values of SOFTWARE\<registry key>\<profile name>\<section> in the
  // given hive. Reading fails, leaving the buffer alone, when the stored value does not fit it.
  BOOL GetProfileData(LPCTSTR section, LPCTSTR valueName, void* buffer, DWORD bufferSize, HKEY hive);
  BOOL WriteProfileData(LPCTSTR section, LPCTSTR valueName, const void* data, DWORD size, HKEY hive);

  // The application's printer as preferences; the name and port point to strings of the application
  // that stay valid until the next call.
  _PRINTER_PREFERENCES& GetCurrentPrinterPreferences(_PRINTER_PREFERENCES& preferences);
  // Switches the application's printer to the one the active document stores; 0 without a document.
  BYTE RestorePrinterSelection();

  CEnumPrinters m_printers;

 private:
  CString m_printerName, m_printerPort;
};

// The running application object; null when there is none (tools and tests).
CFolimarApp* GetFolimarApp();
// The user-interface language, English when no application runs.
int GetAppLanguageId();
// "major.minor.patch" from the version resource of the program, empty when it has none.
CString GetAppVersionString();
// "Vantry <version>": the creator text kept in documents.
CString GetCreatorText();
