// The File commands that send the document or a page out of the program: mail with the attachment
// formats of the mail dialog, and (below) the export of pages to image and PDF files.
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MyMapi.h"
#include "MyProcs.h"
#include "ViewDialogs.h"
#include "resource.h"

namespace {

// Asks for the whole document (CSelectDocOrPage::kDocument) or the current page; -1 on Cancel. A
// one-page document (`ask` FALSE) is its current page.
int AskDocumentOrPage(BOOL ask, UINT captionId) {
  if (!ask) return CSelectDocOrPage::kPage;
  CSelectDocOrPage dialog(AfxGetMainWnd());
  dialog.m_caption.LoadString(captionId);
  if (dialog.DoModal() != IDOK) return -1;
  return dialog.m_choice;
}

const wchar_t* const kMailExtensions[] = {L"pdf", L"rud", L"tif", L"bmp", L"pcx", L"jpg", L"png", L"gif"};

CString WithExtension(const CString& path, LPCWSTR ext) {
  const int dot = path.ReverseFind(L'.');
  return (dot > path.ReverseFind(L'\\') ? path.Left(dot) : path) + L"." + ext;
}

}  // namespace

int CFolimarDoc::CurrentPageIndex() const {
  CFolimarView* view = GetFirstFolimarView();
  return view != nullptr ? view->GetActivePage() : 0;
}

void CFolimarDoc::OnFileSendByMail() {
  DEF_TRY
  const int choice = AskDocumentOrPage(m_pageCount >= 2, IDS_SEND);
  if (choice < 0) return;
  const BOOL wholeDocument = choice == CSelectDocOrPage::kDocument;
  CSendMailDialog dialog(TRUE, AfxGetMainWnd());
  dialog.m_multiPageOnly = wholeDocument && IsMultipage();
  dialog.m_excludeDocument = !wholeDocument && IsMultipage();
  if (dialog.DoModal() != IDOK) return;
  const int format = dialog.GetFormat();
  if (format < 0 || format >= static_cast<int>(sizeof(kMailExtensions) / sizeof(kMailExtensions[0]))) return;

  wchar_t folder[MAX_PATH + 1] = {}, tempName[MAX_PATH + 1] = {};
  if (::GetTempPathW(MAX_PATH, folder) == 0 || ::GetTempFileNameW(folder, L"vy", 0, tempName) == 0) {
    AppendErrorLog(L"CFolimarDoc::OnFileSendByMail: no temporary file name");
    return;
  }
  const CString attachment = WithExtension(tempName, kMailExtensions[format]);
  CStringArray paths;
  const BOOL made = MakeMailAttachment(format, wholeDocument, attachment, paths);
  if (made) SendFilesByMail(paths);
  // The file written for the message goes, also after a failed write; the document's own file, when
  // it was the attachment, stays.
  if (attachment.CompareNoCase(GetPathName()) != 0) ::DeleteFileW(attachment);
  ::DeleteFileW(tempName);
  DEF_CATCH("CFolimarDoc::OnFileSendByMail")
}

BOOL CFolimarDoc::MakeMailAttachment(int format, BOOL wholeDocument, const CString& attachment, CStringArray& paths) {
  switch (format) {
    case 0: {
      const int first = wholeDocument ? -1 : CurrentPageIndex();
      if (SaveAsPDF(attachment, first, wholeDocument ? -1 : 1, TRUE) != 1) return FALSE;
      paths.Add(attachment);
      return TRUE;
    }
    case 1: {
      if (!GetPathName().IsEmpty() && !IsModified()) {
        paths.Add(GetPathName());
      } else {
        // A copy: the document keeps its own path, title and modified state.
        const BOOL modified = IsModified();
        const BOOL saved = OnSaveDocument(attachment);
        SetModifiedFlag(modified);
        if (!saved) return FALSE;
        paths.Add(attachment);
      }
      BOOL anyImage = FALSE;
      for (int i = 0; i < m_pageCount && !anyImage; ++i) {
        CPageInfo* page = GetPage(i);
        anyImage = page != nullptr && (page->HasBitmap() || page->m_hMetafile != nullptr);
      }
      if (anyImage && !m_imagePath.IsEmpty()) paths.Add(m_imagePath);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// ---- Export of pages ----

void CFolimarDoc::ExportTo(const CString& path, BOOL wholeDocument) {
  DEF_TRY
  if (path.IsEmpty()) return;
  const CString ext = LowerFileExt(path);
  if (ext == L"pdf") {
    if (wholeDocument)
      SaveAsPDF(path, -1, -1, 0);
    else
      SaveAsPDF(path, CurrentPageIndex(), 1, 0);
    return;
  }
  CString text;
  text.LoadString(IDS_UNSUPPORTED_FILE_FORMAT);
  OkBox(text);
  DEF_CATCH("CFolimarDoc::ExportTo")
}

// The title up to the first character a file name of the export may not start with.
CString CFolimarDoc::ExportFileName() const {
  CString name = GetTitle();
  const int cut = name.FindOneOf(L" #%;/\\");
  return cut >= 0 ? name.Left(cut) : name;
}

void CFolimarDoc::RunExportDialog(UINT choiceCaptionId, BOOL askWhenMultipage, UINT pageFilterId,
                                  UINT documentFilterId, LPCWSTR defaultExt, LPCWSTR filterIndexSetting,
                                  int defaultFilterIndex) {
  const int choice = AskDocumentOrPage(askWhenMultipage, choiceCaptionId);
  if (choice < 0) return;
  const BOOL wholeDocument = choice == CSelectDocOrPage::kDocument;
  CString filter;
  filter.LoadString(wholeDocument ? documentFilterId : pageFilterId);
  const CString name = ExportFileName();
  CFileDialog dialog(FALSE, defaultExt, name.IsEmpty() ? nullptr : static_cast<LPCTSTR>(name),
                     OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLESIZING, filter, AfxGetMainWnd());
  const CString folder = ReadSettingString(L"ExportDir", L"");
  if (!folder.IsEmpty()) dialog.m_ofn.lpstrInitialDir = folder;
  dialog.m_ofn.nFilterIndex = ReadSettingInt(filterIndexSetting, defaultFilterIndex);
  if (dialog.DoModal() != IDOK) return;
  const CString path = dialog.GetPathName();
  ExportTo(path, wholeDocument);
  const int slash = path.ReverseFind(L'\\');
  WriteSettingString(L"ExportDir", slash >= 0 ? path.Left(slash) : CString());
  WriteSettingInt(filterIndexSetting, static_cast<int>(dialog.m_ofn.nFilterIndex));
}

void CFolimarDoc::OnFileExportTo() {
  DEF_TRY
  if (CFolimarView* view = GetFirstFolimarView()) view->DeactivateActiveObject();
  RunExportDialog(IDS_CONVERT, m_pageCount >= 2, IDS_FILTER_EXPORT_PAGE, IDS_FILTER_EXPORT_DOCUMENT, L"pdf",
                  L"ExportToFilterIndex", 0);
  DEF_CATCH("CFolimarDoc::OnFileExportTo")
}

void CFolimarDoc::OnFileSaveAsImage() {
  DEF_TRY
  if (CFolimarView* view = GetFirstFolimarView()) {
    view->DeactivateActiveObject();
    view->EndWorkingSignature();
  }
  RunExportDialog(IDS_CONVERT, m_pageCount > 1, IDS_FILTER_SAVE_IMAGE, IDS_FILTER_SAVE_IMAGE, L"png",
                  L"SaveAsImageFilterIndex", 1);
  DEF_CATCH("CFolimarDoc::OnFileSaveAsImage")
}
