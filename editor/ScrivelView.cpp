#include "ScrivelView.h"

#include "FillForm.h"
#include "EditorInstances.h"
#include "ScrivelApp.h"
#include "ScrivelDoc.h"
#include "VYCommandLineInfo.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CScrivelView, CRichEditView)

namespace {
UINT g_printerChangedMsg = ::RegisterWindowMessageW(L"ScrivelPrinterChanged");
}  // namespace

BEGIN_MESSAGE_MAP(CScrivelView, CRichEditView)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_REGISTERED_MESSAGE(g_printerChangedMsg, OnPrinterChangedMsg)
ON_COMMAND(ID_FILL_DOCUMENT, OnFillDocument)
ON_COMMAND(ID_NOTHING, OnNothing)
END_MESSAGE_MAP()

CScrivelView::CScrivelView() {
  m_fieldMap.InitHashTable(17);
  ZeroMemory(&m_defCharFormat, sizeof(m_defCharFormat));
  m_defCharFormat.cbSize = sizeof(m_defCharFormat);
  m_defCharFormat.dwMask = CFM_SIZE | CFM_COLOR | CFM_OFFSET | CFM_FACE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                           CFM_STRIKEOUT | CFM_PROTECTED;
  m_defCharFormat.dwEffects = CFE_AUTOCOLOR;
  m_defCharFormat.yHeight = 200;
  lstrcpynW(m_defCharFormat.szFaceName, L"Arial", LF_FACESIZE);
  ZeroMemory(&m_defParaFormat, sizeof(m_defParaFormat));
  m_defParaFormat.cbSize = sizeof(m_defParaFormat);
}

int CScrivelView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CRichEditView::OnCreate(lpcs) == -1) return -1;
  GetScrivelApp()->m_listPrinterNotify.AddTail(m_hWnd);
  SendMessage(EM_SETOPTIONS, ECOOP_OR, ECO_AUTOWORDSELECTION);
  SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&m_defCharFormat));
  SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&m_defParaFormat));
  m_defParaFormat.cTabCount = 0;
  return 0;
}

void CScrivelView::OnDestroy() {
  CList<HWND, HWND>& windows = GetScrivelApp()->m_listPrinterNotify;
  if (POSITION pos = windows.Find(m_hWnd)) windows.RemoveAt(pos);
  CRichEditView::OnDestroy();
}

void CScrivelView::OnInitialUpdate() {
  if (m_bFirstUpdate) {
    m_bFirstUpdate = FALSE;
    m_rectMargin = GetScrivelApp()->m_rectPageMargin;
  }
  CRichEditView::OnInitialUpdate();
}

void CScrivelView::ResetToDefaults() {
  if (!m_hWnd) return;
  SendMessage(EM_SETSEL, 0, -1);
  SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&m_defCharFormat));
  SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&m_defCharFormat));
  SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&m_defParaFormat));
  SendMessage(EM_SETSEL, 0, 0);
  SendMessage(EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessage(EM_SETMODIFY, FALSE, 0);
}

void CScrivelView::DeleteContents() {
  CRichEditView::DeleteContents();
  ResetToDefaults();
}

LRESULT CScrivelView::OnPrinterChangedMsg(WPARAM, LPARAM) {
  m_rectMargin = GetScrivelApp()->m_rectPageMargin;
  CPrintDialog printer(FALSE);
  HDC dc = nullptr;
  if (printer.GetDefaults()) {
    dc = printer.m_pd.hDC ? printer.m_pd.hDC : printer.CreatePrinterDC();
    printer.m_pd.hDC = nullptr;  // the view keeps it
  }
  OnPrinterChanged(dc);
  return 0;
}

void CScrivelView::FillFromMap(const CFieldMap& data) {
  CWaitCursor wait;
  FillPlaceholders(m_hWnd, data);
}

void CScrivelView::PrintInBatch(const VYCommandLineInfo* info) {
  m_pCmdInfo = info;
  RunPrintJob(!info->m_bPrintDialog);
  m_pCmdInfo = nullptr;
}

BOOL CScrivelView::OnPreparePrinting(CPrintInfo* pInfo) {
  if (m_pCmdInfo && !m_pCmdInfo->m_bPrintDialog && !m_pCmdInfo->m_strPrinterName.IsEmpty()) {
    // Straight onto the named printer: its own device context, no dialog.
    pInfo->m_bDirect = TRUE;
    HDC dc = ::CreateDCW(L"WINSPOOL", m_pCmdInfo->m_strPrinterName, nullptr, nullptr);
    pInfo->m_pPD->m_pd.hDC = dc;
    return dc != nullptr;
  }
  return CRichEditView::OnPreparePrinting(pInfo);
}

void CScrivelView::OnFillDocument() {
  CFillForm form(m_fieldMap, nullptr);
  m_fieldMap.RemoveAll();
  if (form.DoModal() != IDOK) return;
  if (form.m_radioIndex == 1) {
    CStringList files;
    ListScvDocuments(form.m_inFolder, files);
    const CString profile = form.m_profileSelected ? form.m_profileName : CString();
    const CString group = form.m_groupSelected ? form.m_groupName : CString();
    const CString out = form.m_checkOutFolder ? form.m_outFolder : CString();
    StartEditorInstances(files, profile, group, out);
    return;
  }
  CScrivelDoc* doc = dynamic_cast<CScrivelDoc*>(GetDocument());
  if (doc && doc->m_bOpenedByOpen &&
      AfxMessageBox(IDS_FILL_TEMPLATE_QUESTION, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  FillFromMap(m_fieldMap);
}

void CScrivelView::OnNothing() {}
