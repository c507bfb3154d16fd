// The application object of Orvello: what the document asks of it. Start-up, settings, command line
// and batch mode join this class as the frame is built.
#pragma once
#include "Framework.h"

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
};

// The running application object; null when there is none (tools and tests).
CFolimarApp* GetFolimarApp();
// The user-interface language, English when no application runs.
int GetAppLanguageId();
// "major.minor.patch" from the version resource of the program, empty when it has none.
CString GetAppVersionString();
// "Vantry <version>": the creator text kept in documents.
CString GetCreatorText();
