#include "ScrivelDoc.h"

#include <string>

#include "OptionSheet.h"
#include "SVDocManager.h"
#include "ScrivelApp.h"
#include "ScrivelCntrItem.h"
#include "ScrivelView.h"
#include "ScvFile.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CScrivelDoc, CRichEditDoc)

BEGIN_MESSAGE_MAP(CScrivelDoc, CRichEditDoc)
// File
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
// View
ON_COMMAND(ID_VIEW_OPTIONS, OnViewOptions)
END_MESSAGE_MAP()

CScrivelDoc::CScrivelDoc() = default;

CRichEditCntrItem* CScrivelDoc::CreateClientItem(REOBJECT* preo) const {
  return new CScrivelCntrItem(preo, const_cast<CScrivelDoc*>(this));
}

// The framework's save with its file dialog in the documents' folder; the file chosen there goes
// into the recent-file list.
void CScrivelDoc::SaveFromDialog(BOOL bSaveAs) {
  CScrivelApp* app = GetScrivelApp();
  app->UseDocumentsKey();
  app->m_bAddToRecent = TRUE;
  if (bSaveAs)
    CRichEditDoc::OnFileSaveAs();
  else
    CRichEditDoc::OnFileSave();
  app->m_bAddToRecent = FALSE;
}

void CScrivelDoc::OnFileSave() { SaveFromDialog(FALSE); }
void CScrivelDoc::OnFileSaveAs() { SaveFromDialog(TRUE); }

void CScrivelDoc::OnViewOptions() {
  CScrivelApp* app = GetScrivelApp();
  COptionSheet sheet(IDS_OPTIONS, app->m_nUnits);
  if (sheet.DoModal() == IDOK) app->m_nUnits = sheet.m_pageUnits.m_nUnits;
}

BOOL CScrivelDoc::OnSaveDocument(LPCTSTR lpszPathName) {
  // The framework writes into a temporary file first: the target's name decides the layout.
  m_bScvLayout = IsScvPath(lpszPathName);
  return CRichEditDoc::OnSaveDocument(lpszPathName);
}

void CScrivelDoc::Serialize(CArchive& ar) {
  CScrivelApp* app = GetScrivelApp();
  if (ar.IsStoring()) {
    if (m_bScvLayout) {
      const _SCV_HEADER header = MakeScvHeader(app->m_rectPageMargin);
      ar.Write(&header, sizeof(header));
    }
  } else if (m_bScvLayout) {
    BYTE bytes[sizeof(_SCV_HEADER)] = {};
    const UINT read = ar.Read(bytes, sizeof(bytes));
    RECT margins = {};
    if (!ReadScvHeader(bytes, read, margins)) {
      AfxMessageBox(IDS_NOT_SCRIVEL_DOC, MB_ICONEXCLAMATION | MB_OK);
      AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    }
    app->m_rectPageMargin = margins;
    if (CRichEditView* view = GetView()) view->m_rectMargin = margins;
    app->NotifyPrinterChanged();
  }
  if (ar.IsStoring()) {
    CRichEditDoc::Serialize(ar);
    return;
  }
  // The stream goes to the control through memory, without the tab stops the control cannot write.
  std::string rtf;
  char buffer[4096];
  for (UINT read; (read = ar.Read(buffer, sizeof(buffer))) > 0;) rtf.append(buffer, read);
  rtf = DropUnplacedTabStops(rtf);
  CMemFile memory(reinterpret_cast<BYTE*>(rtf.empty() ? buffer : &rtf[0]), static_cast<UINT>(rtf.size()));
  CArchive cleaned(&memory, CArchive::load);
  cleaned.m_strFileName = ar.m_strFileName;
  CRichEditDoc::Serialize(cleaned);
  cleaned.Close();
}

BOOL CScrivelDoc::OnNewDocument() {
  if (!CRichEditDoc::OnNewDocument()) return FALSE;
  m_bOpenedByOpen = 0;
  if (CScrivelView* view = dynamic_cast<CScrivelView*>(GetView())) view->ResetToDefaults();
  return TRUE;
}

BOOL CScrivelDoc::OnOpenDocument(LPCTSTR lpszPathName) {
  m_bScvLayout = IsScvPath(lpszPathName);
  m_bOpenedByOpen = GetScrivelApp()->m_bAddToRecent ? 1 : 0;
  if (!CRichEditDoc::OnOpenDocument(lpszPathName)) return FALSE;
  // Saving a document read from another format asks for a new name: the path the framework gives it
  // next is dropped.
  m_bDropNextPath = !IsScvPath(lpszPathName);
  return TRUE;
}

void CScrivelDoc::SetPathName(LPCTSTR lpszPathName, BOOL) {
  CRichEditDoc::SetPathName(lpszPathName, GetScrivelApp()->m_bAddToRecent && !m_bDropNextPath);
  if (m_bDropNextPath) {
    m_bDropNextPath = FALSE;
    ClearPathName();
    SetTitle(TitleFromPath(lpszPathName));
  }
}

BOOL CScrivelDoc::IsModified() {
  if (CDocument::IsModified()) return TRUE;
  CRichEditView* view = GetView();
  return view && view->m_hWnd && view->SendMessage(EM_GETMODIFY, 0, 0) != 0;
}

void CScrivelDoc::SetModifiedFlag(BOOL bModified) {
  CRichEditDoc::SetModifiedFlag(bModified);
  CRichEditView* view = GetView();
  if (!bModified && view && view->m_hWnd) view->SendMessage(EM_SETMODIFY, FALSE, 0);
}
