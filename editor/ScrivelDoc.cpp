#include "ScrivelDoc.h"

#include <string>

#include "ScrivelApp.h"
#include "ScrivelView.h"
#include "ScvFile.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CScrivelDoc, CRichEditDoc)

CScrivelDoc::CScrivelDoc() = default;

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
  m_bOpenedByOpen = GetScrivelApp()->m_bOpeningByCommand ? 1 : 0;
  if (!CRichEditDoc::OnOpenDocument(lpszPathName)) return FALSE;
  // Saving a document read from another format asks for a new name: the path the framework gives it
  // next is dropped.
  m_bDropNextPath = !IsScvPath(lpszPathName);
  return TRUE;
}

void CScrivelDoc::SetPathName(LPCTSTR lpszPathName, BOOL) {
  CRichEditDoc::SetPathName(lpszPathName, FALSE);
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
