#include "ScrivelView.h"

#include "EditorInstances.h"
#include "FillForm.h"
#include "FormatParaDlg.h"
#include "PageSetupDlg.h"
#include "ScrivelApp.h"
#include "ScrivelCntrItem.h"
#include "ScrivelDoc.h"
#include "Units.h"
#include "VYCommandLineInfo.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CScrivelView, CRichEditView)

namespace {
UINT g_printerChangedMsg = ::RegisterWindowMessageW(L"ScrivelPrinterChanged");
}  // namespace

BEGIN_MESSAGE_MAP(CScrivelView, CRichEditView)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CONTEXTMENU()
ON_WM_RBUTTONUP()
ON_REGISTERED_MESSAGE(g_printerChangedMsg, OnPrinterChangedMsg)
// File
ON_COMMAND(ID_PAGE_SETUP, OnPageSetup)
// Edit
ON_COMMAND(ID_INSERT_PICTURE, OnInsertPicture)
ON_COMMAND(ID_FILL_DOCUMENT, OnFillDocument)
ON_COMMAND(ID_NOTHING, OnNothing)
// Format
ON_COMMAND(ID_BULLET, OnBullet)
ON_UPDATE_COMMAND_UI(ID_BULLET, OnUpdateBullet)
ON_COMMAND(ID_FORMAT_PARAGRAPH, OnFormatParagraph)
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

void CScrivelView::OnTextNotFound(LPCTSTR lpszFind) {
  ::MessageBeep(MB_OK);
  AfxMessageBox(IDS_FINISHED_SEARCH, MB_OK | MB_ICONINFORMATION);
  CRichEditView::OnTextNotFound(lpszFind);
}

// The pop-up "Edit" at the cursor for the context-menu key, at the click for the right button.
void CScrivelView::OnContextMenu(CWnd*, CPoint point) {
  if (point.x == -1 && point.y == -1) {
    // From the keyboard: at the caret.
    CPoint caret;
    ::GetCaretPos(&caret);
    ClientToScreen(&caret);
    point = caret;
  }
  CContextMenuManager* menus = afxContextMenuManager;
  if (menus) menus->ShowPopupMenu(IDR_POPUP_EDIT, point.x, point.y, this, TRUE);
}

void CScrivelView::OnRButtonUp(UINT, CPoint point) {
  ClientToScreen(&point);
  OnContextMenu(this, point);
}

void CScrivelView::ApplyMargins(const CRect& margins) {
  CScrivelApp* app = GetScrivelApp();
  m_rectMargin = margins;
  app->m_rectPageMargin = margins;
  app->NotifyPrinterChanged();
}

void CScrivelView::OnPageSetup() {
  CScrivelApp* app = GetScrivelApp();
  const BOOL metric = app->m_nUnits == 1;
  CPageSetupDialog dialog(PSD_MARGINS | (metric ? PSD_INHUNDREDTHSOFMILLIMETERS : PSD_INTHOUSANDTHSOFINCHES), this);
  // The application's printer; the dialog may choose another.
  PRINTDLGW defaults = {};
  defaults.lStructSize = sizeof(defaults);
  if (app->GetPrinterDeviceDefaults(&defaults)) {
    dialog.m_psd.hDevMode = defaults.hDevMode;
    dialog.m_psd.hDevNames = defaults.hDevNames;
  }
  dialog.m_psd.rtMargin.left = TwipsToPageSetupUnits(m_rectMargin.left, metric);
  dialog.m_psd.rtMargin.top = TwipsToPageSetupUnits(m_rectMargin.top, metric);
  dialog.m_psd.rtMargin.right = TwipsToPageSetupUnits(m_rectMargin.right, metric);
  dialog.m_psd.rtMargin.bottom = TwipsToPageSetupUnits(m_rectMargin.bottom, metric);
  const INT_PTR result = dialog.DoModal();
  if (result == IDOK) {
    const RECT& chosen = dialog.m_psd.rtMargin;
    // The printer the user chose is the application's now; the handles are the application's.
    if (dialog.m_psd.hDevNames) app->SelectPrinter(dialog.m_psd.hDevNames, dialog.m_psd.hDevMode, FALSE);
    dialog.m_psd.hDevMode = dialog.m_psd.hDevNames = nullptr;
    ApplyMargins(CRect(PageSetupUnitsToTwips(chosen.left, metric), PageSetupUnitsToTwips(chosen.top, metric),
                       PageSetupUnitsToTwips(chosen.right, metric), PageSetupUnitsToTwips(chosen.bottom, metric)));
    return;
  }
  if (result != 0) return;  // cancelled
  // The system's dialog could not run (no printer): the editor's own asks for the margins.
  CPageSetupDlg fallback(m_rectMargin);
  if (fallback.DoModal() == IDOK) ApplyMargins(fallback.GetMargins());
}

void CScrivelView::OnFormatParagraph() {
  CFormatParaDlg dialog(GetParaFormatSelection());
  dialog.m_bWordWrap = m_nWordWrap != WrapNone;
  if (dialog.DoModal() == IDOK) SetParaFormat(dialog.m_pf);
}

BOOL CScrivelView::InsertPicture(HENHMETAFILE hemf) {
  CScrivelDoc* doc = dynamic_cast<CScrivelDoc*>(GetDocument());
  if (!doc || !hemf) return FALSE;
  CRichEditCntrItem* item = doc->CreateClientItem();
  if (!item->CreateStaticFromEnhMetaFile(hemf) || !InsertItem(item)) {
    delete item;
    return FALSE;
  }
  doc->SetModifiedFlag();
  return TRUE;
}

void CScrivelView::OnInsertPicture() {
  CString filter;
  filter.LoadString(IDS_PICTURE_FILTER);
  CFileDialog dialog(TRUE, L"emf", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, this);
  if (dialog.DoModal() != IDOK) return;
  HENHMETAFILE picture = ::GetEnhMetaFileW(dialog.GetPathName());
  const BOOL inserted = picture && InsertPicture(picture);
  if (picture) ::DeleteEnhMetaFile(picture);
  if (!inserted) AfxMessageBox(IDS_PICTURE_NOT_READ, MB_OK | MB_ICONEXCLAMATION);
}
