// Pages printed to the virtual printer become a new document: the INI file the converter wrote is
// read, the page files are loaded, and the files are deleted once a document holds their pages.
#include "HandOff.h"

#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "MyProcs.h"
#include "SharedProcs.h"
#include "resource.h"

namespace {

const wchar_t kDocumentSection[] = L"Document";
// Every value of the hand-off INI file is at most this long.
const DWORD kMaxIniValue = 1023;
// An EMF of more records than this draws vectors; fewer wrap one raster picture.
const UINT kRasterEmfRecords = 30;

CString ReadIniString(LPCWSTR section, LPCWSTR key, LPCWSTR iniPath) {
  WCHAR value[kMaxIniValue + 1] = L"";
  ::GetPrivateProfileStringW(section, key, L"", value, kMaxIniValue + 1, iniPath);
  return value;
}

BOOL FileSize(const CString& path, ULONGLONG& size) {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (!::GetFileAttributesExW(path, GetFileExInfoStandard, &attributes)) return FALSE;
  size = (static_cast<ULONGLONG>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
  return TRUE;
}

// Only a file named as an INI file is removed: a message naming any other file must not delete it.
void DeleteHandOffIni(const CString& iniPath) {
  if (CFolimarDoc::LowerFileExt(iniPath) != L"ini") {
    AppendErrorLog(L"CFolimarApp::CreateDocFromIniFile: not an INI file, kept: " + iniPath);
    return;
  }
  ::DeleteFileW(iniPath);
}

void DeleteFiles(const CStringList& files) {
  for (POSITION pos = files.GetHeadPosition(); pos;) ::DeleteFileW(files.GetNext(pos));
}

}  // namespace

BOOL ReadHandOffPath(const COPYDATASTRUCT& data, CString& path) {
  if (data.dwData != kHandOffCopyData || data.lpData == nullptr) return FALSE;
  const LPCWSTR text = static_cast<LPCWSTR>(data.lpData);
  const size_t chars = data.cbData / sizeof(WCHAR);
  const size_t length = wcsnlen(text, chars);
  if (length == chars || length == 0) return FALSE;
  path = CString(text, static_cast<int>(length));
  return TRUE;
}

CString HandOffDocumentName(const CString& printedName) {
  if (printedName.Left(4) == L"file" || printedName.Left(4) == L"http") return L"Untitled";
  if (printedName.GetLength() >= 3 && printedName.Mid(1, 2) == L":\\") return ExtractFileName(printedName);
  return printedName;
}

BOOL IsVectorEmf(const CStringList& emfFiles) {
  DEF_TRY
  if (emfFiles.IsEmpty()) return FALSE;
  HENHMETAFILE metafile = ::GetEnhMetaFileW(emfFiles.GetHead());
  if (metafile == nullptr) return FALSE;
  ENHMETAHEADER header = {};
  const UINT read = ::GetEnhMetaFileHeader(metafile, sizeof(header), &header);
  ::DeleteEnhMetaFile(metafile);
  return read >= sizeof(header) && header.nRecords > kRasterEmfRecords;
  DEF_CATCH("IsVectorEmf")
  return FALSE;
}

int CFolimarApp::CreateFileList(LPCTSTR section, LPCTSTR iniPath, CStringList& files) {
  DEF_TRY
  int count = 0;
  if (!StringToInt(ReadIniString(section, L"Count", iniPath), count)) count = 0;
  BOOL added = FALSE;
  for (int i = 0; i < count; ++i) {
    CString key;
    key.Format(L"File%d", i);
    const CString file = ReadIniString(section, key, iniPath);
    if (file.IsEmpty()) break;
    files.AddTail(file);
    added = TRUE;
  }
  return added ? 1 : 0;
  DEF_CATCH("CFolimarApp::CreateFileList")
  return 0;
}

BOOL CFolimarApp::IsEMFLessThanPNG() {
  DEF_TRY
  if (m_pngPages.IsEmpty()) return TRUE;
  if (m_emfPages.IsEmpty()) return FALSE;
  ULONGLONG emf = 0, png = 0;
  if (!FileSize(m_emfPages.GetHead(), emf) || !FileSize(m_pngPages.GetHead(), png)) return FALSE;
  return emf < png;
  DEF_CATCH("CFolimarApp::IsEMFLessThanPNG")
  return FALSE;
}

void CFolimarApp::CreateDocFromIniFile(LPCTSTR iniPath) {
  DEF_TRY
  m_pngPages.RemoveAll();
  m_emfPages.RemoveAll();
  const BOOL emfPreferred = GetProfileInt(L"Settings", L"VPFormat", 1) == 0;
  const CString printedName = ReadIniString(kDocumentSection, L"Name", iniPath);
  if (printedName.IsEmpty()) {
    AppendErrorLog(L"CFolimarApp::CreateDocFromIniFile: no document name");
    DeleteHandOffIni(iniPath);
    return;
  }
  const CString name = HandOffDocumentName(printedName);
  CreateFileList(L"PNG", iniPath, m_pngPages);
  BOOL rasterHint = FALSE;
  if (emfPreferred) {
    CreateFileList(L"EMF", iniPath, m_emfPages);
    // The converter removes the EMF files itself: they and the INI file stay.
    if (!m_emfPages.IsEmpty() && IsEMFLessThanPNG()) {
      m_newDocument.metafiles.RemoveAll();
      m_newDocument.metafiles.AddTail(&m_emfPages);
      if (CreateDocFromEmfList(name) == nullptr) AppendErrorLog(L"CFolimarApp::CreateDocFromIniFile: no document from the EMF pages");
      return;
    }
    rasterHint = !IsVectorEmf(m_emfPages);
  }
  if (m_pngPages.IsEmpty()) {
    AppendErrorLog(L"CFolimarApp::CreateDocFromIniFile: no pages");
    DeleteHandOffIni(iniPath);
    return;
  }
  if (!LoadPrintedPages(iniPath)) return;
  CDocument* doc = CreateDocFromBitmapList(&m_acquiredPages, name);
  m_acquiredPages.Destroy();
  if (doc == nullptr) {
    // The print job lives only in these files: they stay until a document holds the pages.
    AppendErrorLog(L"CFolimarApp::CreateDocFromIniFile: no document from the pages");
    ErrorBox(IDS_PRINTED_PAGES_NOT_LOADED);
    return;
  }
  DeleteFiles(m_pngPages);
  DeleteHandOffIni(iniPath);
  if (rasterHint) InformationBox(IDS_RASTER_FROM_PRINTER);
  DEF_CATCH("CFolimarApp::CreateDocFromIniFile")
}

BOOL CFolimarApp::LoadPrintedPages(LPCTSTR iniPath) {
  const int horizontal = static_cast<int>(::GetPrivateProfileIntW(kDocumentSection, L"HorizontalResolution", 0, iniPath));
  const int vertical = static_cast<int>(::GetPrivateProfileIntW(kDocumentSection, L"VerticalResolution", 0, iniPath));
  m_acquiredPages.Destroy();
  BOOL failed = FALSE;
  for (POSITION pos = m_pngPages.GetHeadPosition(); pos;) {
    const CString file = m_pngPages.GetNext(pos);
    LMyBitmap page;
    if (page.Load(file, 0, ORDER_BGRORGRAY, 1) != SUCCESS) {
      AppendErrorLog(L"CFolimarApp::CreateDocFromIniFile: the page cannot be loaded: " + file);
      failed = TRUE;
      continue;
    }
    if (horizontal > 0 && vertical > 0) {
      page.SetXResolution(horizontal);
      page.SetYResolution(vertical);
    }
    m_acquiredPages.InsertItem(&page);
  }
  if (!failed) return TRUE;
  // Nothing is deleted: the user can still open the page files the converter left.
  m_acquiredPages.Destroy();
  ErrorBox(IDS_PRINTED_PAGES_NOT_LOADED);
  return FALSE;
}
