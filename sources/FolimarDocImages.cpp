// Documents and pages made from images: image files (every page of a multi-page file, JPEG bytes kept
// as read), bitmaps, bitmap lists and metafile lists, another document merged in; the geometry of a
// page image and the paper each page gets from it.
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "PaperTable.h"
#include "resource.h"

namespace {

const SIZE_T kBigImageBytes = 0x1E00000;  // 30 MB
// The tenth of an inch a paper may exceed the page by, as the single-precision constant it was.
const double kPaperTolerance = static_cast<double>(0.1f);

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// The imaging layer's text for a failed operation; a cancel by the user stays silent.
void ShowImagingError(int code) {
  if (code != ERROR_USER_ABORT) ErrorBox(LBase::GetErrorString(code));
}

// The whole file, or nothing when it cannot be read in full.
std::vector<BYTE> ReadWholeFile(const CString& path) {
  std::vector<BYTE> bytes;
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return bytes;
  const ULONGLONG length = file.GetLength();
  if (length == 0 || length > 0x7FFFFFFF) return bytes;
  bytes.resize(static_cast<size_t>(length));
  if (file.Read(bytes.data(), static_cast<UINT>(length)) != length) bytes.clear();
  return bytes;
}

// The metafile of the file; null, logged for `caller`, when the file is none.
HENHMETAFILE OpenMetafile(const CString& path, const wchar_t* caller) {
  HENHMETAFILE metafile = ::GetEnhMetaFileW(path);
  if (metafile == nullptr) AppendErrorLog(CString(caller) + L": not a metafile: " + path);
  return metafile;
}

int DefaultPaperIndex() { return GetAppLanguageId() == CFolimarApp::kLanguageEnglish ? kPaperLetter : kPaperA4; }

}  // namespace

// ---- Creation ----

int CFolimarDoc::CreateFromBitmap(const LBitmapBase& bitmap, int x, int y) {
  DEF_TRY
  CPageInfo* page = GetPage(0);
  if (page == nullptr) page = AppendNewPage();
  std::unique_ptr<LMyBitmap> copy(new LMyBitmap);
  if (copy->Copy(bitmap) != SUCCESS) return 0;
  page->SetBitmap(copy.release());
  page->FreeImageFileBytes();
  page->m_imagePosition = {x, y};
  page->m_imageChanged = 0;
  SetModifiedFlag(TRUE);
  return 1;
  DEF_CATCH("CFolimarDoc::CreateFromBitmap")
  return 0;
}

int CFolimarDoc::TakePagesFromList(LBitmapList& list, const std::function<void(CPageInfo*, LMyBitmap&)>& place) {
  const int items = list.GetItemsCount();
  while (GetPageCount() < items) InitPageDBTable(AppendNewPage());
  // Pages past the list's items keep what they had: a list never gives more bitmaps than it holds.
  for (int index = 0; index < items; ++index) {
    std::unique_ptr<LMyBitmap> bitmap(new LMyBitmap);
    const int result = list.RemoveItem(bitmap.get(), 0);
    if (result != SUCCESS) {
      ShowImagingError(result);
      return 0;
    }
    CPageInfo* page = GetPage(index);
    page->FreeImageFileBytes();
    place(page, *bitmap);
    page->SetBitmap(bitmap.release());
  }
  return 1;
}

int CFolimarDoc::CreateFromBitmapList(LBitmapList& list) {
  DEF_TRY
  const int taken = TakePagesFromList(list, [](CPageInfo* page, LMyBitmap&) {
    page->m_imagePosition = {0, 0};
    page->m_imageChanged = 1;
  });
  if (taken) SetModifiedFlag(TRUE);
  return taken;
  DEF_CATCH("CFolimarDoc::CreateFromBitmapList")
  return 0;
}

int CFolimarDoc::AppendPageFromBitmap(const LBitmapBase& bitmap) {
  DEF_TRY
  // An empty first page gets a white background as large as the new page.
  CPageInfo* first = GetPage(0);
  if (first != nullptr && !first->HasBitmap()) {
    std::unique_ptr<LMyBitmap> white(new LMyBitmap);
    if (white->Copy(bitmap) != SUCCESS || white->Fill(RGB(255, 255, 255)) != SUCCESS) return 0;
    first->SetBitmap(white.release());
    first->FreeImageFileBytes();
    first->m_imagePosition = {0, 0};
    first->m_imageChanged = 0;
  }
  std::unique_ptr<LMyBitmap> copy(new LMyBitmap);
  if (copy->Copy(bitmap) != SUCCESS) return 0;
  CPageInfo* page = AppendNewPage();
  page->SetBitmap(copy.release());
  InitPageDBTable(page);
  SetModifiedFlag(TRUE);
  return 1;
  DEF_CATCH("CFolimarDoc::AppendPageFromBitmap")
  return 0;
}

int CFolimarDoc::OpenImage(const CString& path) {
  DEF_TRY
  PumpMessages();
  CWaitCursor wait;
  if (!IsImageFormatSupported(path)) {
    CString advice;
    advice.Format(LoadText(IDS_OPEN_IN_OWN_PROGRAM), L"Vantry", L"Vantry");
    CString unknown = LoadText(IDS_UNKNOWN_IMAGE_FORMAT);
    unknown.Replace(L"%1", ExtractFileName(path));
    ErrorBox(advice + unknown);
    return 0;
  }
  LMyBitmapList list;
  list.EnableStatusCallBack(TRUE);
  const int loaded = list.Load(path, 0);
  list.EnableStatusCallBack(FALSE);
  if (loaded != SUCCESS) {
    ShowImagingError(loaded);
    return 0;
  }
  const CString ext = LowerFileExt(path);
  std::vector<BYTE> jpeg;
  if (ext == L"jpg" || ext == L"jpeg") jpeg = ReadWholeFile(path);
  int index = 0;
  const int taken = TakePagesFromList(list, [&](CPageInfo* page, LMyBitmap& bitmap) {
    page->m_imageChanged = 0;
    if (bitmap.GetXResolution() == 0 || bitmap.GetYResolution() == 0) {
      bitmap.SetXResolution(m_screenDpiX);
      bitmap.SetYResolution(m_screenDpiY);
      page->m_imageChanged = 1;
    }
    // A JPEG file holds one image: it is stored again exactly as read.
    if (index++ == 0 && !jpeg.empty()) page->SetImageFileBytes(jpeg.data(), static_cast<UINT>(jpeg.size()));
  });
  if (!taken) return 0;
  m_imagePath = path;
  return 1;
  DEF_CATCH("CFolimarDoc::OpenImage")
  return 0;
}

int CFolimarDoc::CreateFromEMFList(const CStringList& paths) {
  DEF_TRY
  while (GetPageCount() < paths.GetCount()) InitPageDBTable(AppendNewPage());
  int index = 0;
  for (POSITION pos = paths.GetHeadPosition(); pos; ++index) {
    const CString path = paths.GetNext(pos);
    HENHMETAFILE metafile = OpenMetafile(path, L"CFolimarDoc::CreateFromEMFList");
    if (metafile == nullptr) return 0;
    GetPage(index)->SetMetafile(metafile);
  }
  SetModifiedFlag(TRUE);
  return 1;
  DEF_CATCH("CFolimarDoc::CreateFromEMFList")
  return 0;
}

BOOL CFolimarDoc::OpenMetafileAsDocument(const CString& path) {
  DEF_TRY
  CPageInfo* page = GetPage(0);
  if (page == nullptr) return FALSE;
  HENHMETAFILE metafile = OpenMetafile(path, L"CFolimarDoc::OpenMetafileAsDocument");
  if (metafile == nullptr) return FALSE;
  page->SetMetafile(metafile);
  m_imagePath = path;
  return TRUE;
  DEF_CATCH("CFolimarDoc::OpenMetafileAsDocument")
  return FALSE;
}

void CFolimarDoc::MergeToDoc(const CString& path) {
  try {
    CFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error)) {
      ReportSaveLoadException(path, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
      return;
    }
    CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete, 4096);
    ar.m_pDocument = this;
    m_merge = 1;
    Serialize(ar);
    ar.Close();
    CheckImageSizeAndOrientation(0);
    CFolimarView* view = GetFirstFolimarView();
    if (view != nullptr) view->SetTranspView();
    UpdateAllViews(nullptr);
    SetModifiedFlag(TRUE);
    m_merge = 0;
  } catch (CException* e) {
    // The reader has told the user already (or stays silent by design).
    m_merge = 0;
    ReportSaveLoadException(path, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    e->Delete();
  } catch (...) {
    m_merge = 0;
    ::HandleCaughtException(__FILE__, __LINE__, "CFolimarDoc::MergeToDoc");
  }
}

void CFolimarDoc::OnFileImportFromVantry() {
  DEF_TRY
  CFileDialog dialog(TRUE, L"qlm", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING,
                     LoadText(IDS_FILTER_FORMS) + L"|", AfxGetMainWnd());
  if (dialog.DoModal() != IDOK) return;
  MergeToDoc(dialog.GetPathName());
  DEF_CATCH("CFolimarDoc::OnFileImportFromVantry")
}

// ---- Geometry ----

SIZE CFolimarDoc::GetPageResolution(int pageIndex) const {
  DEF_TRY
  const CPageInfo* page = GetPage(pageIndex);
  if (page != nullptr && page->HasBitmap())
    return {page->m_pBitmap->GetXResolution(), page->m_pBitmap->GetYResolution()};
  ENHMETAHEADER header = {};
  if (page != nullptr && page->m_hMetafile != nullptr &&
      GetEnhMetaFileHeader(page->m_hMetafile, sizeof(header), &header) != 0 && header.szlMillimeters.cx > 0 &&
      header.szlMillimeters.cy > 0) {
    return {static_cast<LONG>(static_cast<double>(header.szlDevice.cx) / header.szlMillimeters.cx * 25.4),
            static_cast<LONG>(static_cast<double>(header.szlDevice.cy) / header.szlMillimeters.cy * 25.4)};
  }
  return {m_screenDpiX, m_screenDpiY};
  DEF_CATCH("CFolimarDoc::GetPageResolution")
  return {0, 0};
}

POINT CFolimarDoc::GetPageImagePos(int pageIndex) const {
  const CPageInfo* page = GetPage(pageIndex);
  return page != nullptr ? page->m_imagePosition : POINT{0, 0};
}

void CFolimarDoc::SetPageImagePos(int pageIndex, int x, int y) {
  CPageInfo* page = GetPage(pageIndex);
  if (page != nullptr) page->m_imagePosition = {x, y};
}

BOOL CFolimarDoc::IsImageAvailable(int pageIndex) const {
  const CPageInfo* page = GetPage(pageIndex);
  return page != nullptr && page->HasBitmap();
}

BOOL CFolimarDoc::IsImageAvailable() const {
  for (POSITION pos = m_pages.GetHeadPosition(); pos;)
    if (m_pages.GetNext(pos)->HasBitmap()) return TRUE;
  return FALSE;
}

void CFolimarDoc::GetFormatSettings(const double size[2], _PAGE_SETTINGS& settings) {
  const BOOL landscape = size[1] < size[0];
  // A landscape page is matched against the table's portrait papers turned.
  const double across = landscape ? size[1] : size[0];
  const double down = landscape ? size[0] : size[1];
  double bestWidth = 1000, bestHeight = 1000;
  int chosen = 0;
  for (int index = kPaperLetter; index <= kPaperLastRow; ++index) {
    const double dw = PaperTable[index].width + kPaperTolerance - across;
    const double dh = PaperTable[index].height + kPaperTolerance - down;
    if (dw >= 0 && dw < bestWidth && dh >= 0 && dh < bestHeight) {
      chosen = index;
      bestWidth = dw;
      bestHeight = dh;
    }
  }
  int orientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  if (chosen == 0) {
    chosen = DefaultPaperIndex();
    orientation = DMORIENT_PORTRAIT;
  }
  const PAPER_TABLE_ROW& row = PaperTable[chosen];
  settings.width = orientation == DMORIENT_LANDSCAPE ? row.height : row.width;
  settings.height = orientation == DMORIENT_LANDSCAPE ? row.width : row.height;
  settings.paperIndex = chosen;
  settings.orientation = static_cast<int16_t>(orientation);
}

void CFolimarDoc::CheckImageSizeAndOrientation(int force) {
  DEF_TRY
  // A loaded document keeps the paper its file gave each page.
  if (m_options.formatTag > 0x01000003 && m_loadedFromFile && !force) return;
  _PAGE_SETTINGS settings = {};
  for (int index = 0; index < GetPageCount(); ++index) {
    double size[2];
    const SIZE pixels = GetPageImageSize(index);
    const SIZE dpi = GetPageResolution(index);
    if ((IsImageAvailable(index) || IsMetafileAvailable(index)) && dpi.cx > 0 && dpi.cy > 0) {
      size[0] = static_cast<double>(pixels.cx) / dpi.cx;
      size[1] = static_cast<double>(pixels.cy) / dpi.cy;
    } else {
      const PAPER_TABLE_ROW& row = PaperTable[DefaultPaperIndex()];
      size[0] = row.width;
      size[1] = row.height;
    }
    GetFormatSettings(size, settings);
    settings.paperSize = static_cast<int16_t>(PaperTable[settings.paperIndex].paperSize);
    settings.printQuality = 0;
    settings.yResolution = 0;
    memset(settings.formName, 0, sizeof(settings.formName));
    settings.zero = 0;
    SetPageSettings(settings, index);
  }
  DEF_CATCH("CFolimarDoc::CheckImageSizeAndOrientation")
}

void CFolimarDoc::BigImageMessage() {
  DEF_TRY
  for (POSITION pos = m_pages.GetHeadPosition(); pos;) {
    const CPageInfo* page = m_pages.GetNext(pos);
    if (page->HasBitmap() && page->m_pBitmap->GetMemSize() > kBigImageBytes) {
      OkBox(LoadText(IDS_BIG_IMAGE));
      return;
    }
  }
  DEF_CATCH("CFolimarDoc::BigImageMessage")
}

// ---- Writing the page image ----

namespace {

// Saves through a file beside the target, which is replaced only once the new one is complete: a
// failed save leaves the existing file as it was.
int SaveBeside(LBitmapBase& bitmap, const CString& path, int format, int bitsPerPixel, int quality) {
  const CString beside = path + L".saving";
  ::DeleteFileW(beside);
  bitmap.EnableStatusCallBack(TRUE);
  int result = bitmap.Save(beside, format, bitsPerPixel, quality, 1, 0);
  bitmap.EnableStatusCallBack(FALSE);
  if (result == SUCCESS && !::MoveFileExW(beside, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
    AppendErrorLog(L"Save Background As: the saved image could not replace " + path);
    result = ERROR_FILE_WRITE;
  }
  if (result != SUCCESS) ::DeleteFileW(beside);
  return result;
}

}  // namespace

void CFolimarDoc::OnFileSaveImageAs() { SaveImageAs(CString(), CString()); }

int CFolimarDoc::SaveImageAs(const CString& givenPath, const CString& defaultName) {
  DEF_TRY
  CFolimarView* view = GetFirstFolimarView();
  const int pageIndex = view != nullptr ? view->GetActivePage() : 0;
  CPageInfo* page = GetPage(pageIndex);
  if (page == nullptr || (!page->HasBitmap() && page->m_hMetafile == nullptr)) return 0;
  const BOOL metafile = page->m_hMetafile != nullptr && !page->HasBitmap();
  CString path = givenPath;
  if (path.IsEmpty()) {
    const CString filter = metafile ? CString(L"Enhanced Windows Metafiles (*.emf)|*.emf|")
                                    : LoadText(IDS_FILTER_PICTURES) + LoadText(IDS_FILTER_PICTURES_ALL);
    CFileDialog dialog(FALSE, metafile ? L"emf" : L"bmp", defaultName.IsEmpty() ? nullptr : (LPCTSTR)defaultName,
                       OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING, filter + L"|", AfxGetMainWnd());
    dialog.m_ofn.lpstrTitle = L"Save Image As";
    const CString folder = ReadSettingString(L"InitialDir", L"");
    dialog.m_ofn.lpstrInitialDir = folder;
    dialog.m_ofn.nFilterIndex = static_cast<DWORD>(ReadSettingInt(L"FileExtIndex", 0));
    if (dialog.DoModal() != IDOK) return 0;
    path = dialog.GetPathName();
    CString chosenFolder = ExtractFilePath(path);
    chosenFolder.TrimRight(L'\\');
    WriteSettingString(L"InitialDir", chosenFolder);
    WriteSettingInt(L"FileExtIndex", static_cast<int>(dialog.m_ofn.nFilterIndex));
  }
  if (metafile) {
    HENHMETAFILE copy = ::CopyEnhMetaFileW(page->m_hMetafile, path);
    if (copy == nullptr) return 0;
    return ::DeleteEnhMetaFile(copy) ? 1 : 0;
  }
  LMyBitmap& bitmap = *page->m_pBitmap;
  int bitsPerPixel = bitmap.GetBitsPerPixel(), format = 0, quality = 2;
  if (!GetImageFormatParams(path, bitsPerPixel, format, quality, TRUE)) return 0;
  CWaitCursor wait;
  CMainFrame* frame = GetMainFrame();
  const BOOL transparent = frame != nullptr && frame->GetOptions().pngTransparency != 0;
  const COLORREF previousColour = bitmap.GetTransparentColor();
  const BOOL wasTransparent = bitmap.IsTransparent();
  if (transparent) {
    bitmap.SetTransparentColor(frame->GetOptions().transparencyColor);
    bitmap.SetTransparent(TRUE);
  }
  const int result = SaveBeside(bitmap, path, format, bitsPerPixel, quality);
  if (transparent) {
    bitmap.SetTransparent(wasTransparent);
    bitmap.SetTransparentColor(previousColour);
  }
  if (result != SUCCESS) {
    ShowImagingError(result);
    return 0;
  }
  page->m_imageChanged = 0;
  m_imagePath = path;
  UpdateTitle();
  return 1;
  DEF_CATCH("CFolimarDoc::SaveImageAs")
  return 0;
}
