#include "fw/Print.h"

#include "fw/Frame.h"
#include "fw/Dialog.h"

namespace {
HGLOBAL g_devMode = nullptr;
HGLOBAL g_devNames = nullptr;
}  // namespace

void AFXAPI AfxGetPrinterHandles(HGLOBAL* phDevMode, HGLOBAL* phDevNames) {
  if (phDevMode) *phDevMode = g_devMode;
  if (phDevNames) *phDevNames = g_devNames;
}

void AFXAPI AfxSetPrinterHandles(HGLOBAL hDevMode, HGLOBAL hDevNames, BOOL freeOld) {
  if (freeOld && g_devMode && g_devMode != hDevMode) ::GlobalFree(g_devMode);
  if (freeOld && g_devNames && g_devNames != hDevNames) ::GlobalFree(g_devNames);
  g_devMode = hDevMode;
  g_devNames = hDevNames;
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) {
  ZeroMemory(&m_pd, sizeof(m_pd));
  m_pd.lStructSize = sizeof(m_pd);
  m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
  m_pd.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
  m_pd.nCopies = 1;
}

// The handles in m_pd are the application's while they are the same; ours otherwise.
CPrintDialog::~CPrintDialog() {
  HGLOBAL appMode = nullptr, appNames = nullptr;
  AfxGetPrinterHandles(&appMode, &appNames);
  if (m_pd.hDevMode && m_pd.hDevMode != appMode) ::GlobalFree(m_pd.hDevMode);
  if (m_pd.hDevNames && m_pd.hDevNames != appNames) ::GlobalFree(m_pd.hDevNames);
  if (m_pd.hDC) ::DeleteDC(m_pd.hDC);
}

INT_PTR CPrintDialog::DoModal() {
  if (!m_pd.hDevMode && !m_pd.hDevNames) AfxGetPrinterHandles(&m_pd.hDevMode, &m_pd.hDevNames);
  if (!m_pd.hwndOwner) {
    CWnd* main = AfxGetMainWnd();
    m_pd.hwndOwner = main ? main->m_hWnd : nullptr;
  }
  if (!::PrintDlgW(&m_pd)) return IDCANCEL;
  // The dialog may have replaced the handles; the application keeps the current ones.
  AfxSetPrinterHandles(m_pd.hDevMode, m_pd.hDevNames);
  return IDOK;
}

BOOL CPrintDialog::GetDefaults() {
  HGLOBAL mode = nullptr, names = nullptr;
  AfxGetPrinterHandles(&mode, &names);
  if (names) {
    m_pd.hDevMode = mode;
    m_pd.hDevNames = names;
    if (m_pd.Flags & PD_RETURNDC) CreatePrinterDC();
    return TRUE;
  }
  m_pd.Flags |= PD_RETURNDEFAULT;
  const BOOL ok = ::PrintDlgW(&m_pd);
  m_pd.Flags &= ~PD_RETURNDEFAULT;
  if (ok) AfxSetPrinterHandles(m_pd.hDevMode, m_pd.hDevNames);
  return ok;
}

LPDEVMODEW CPrintDialog::GetDevMode() const {
  return m_pd.hDevMode ? static_cast<LPDEVMODEW>(::GlobalLock(m_pd.hDevMode)) : nullptr;
}

namespace {
CString DevNamesPart(HGLOBAL hDevNames, WORD DEVNAMES::*offset) {
  if (!hDevNames) return CString();
  const DEVNAMES* names = static_cast<const DEVNAMES*>(::GlobalLock(hDevNames));
  if (!names) return CString();
  CString part(reinterpret_cast<LPCWSTR>(names) + names->*offset);
  ::GlobalUnlock(hDevNames);
  return part;
}
}  // namespace

CString CPrintDialog::GetDriverName() const { return DevNamesPart(m_pd.hDevNames, &DEVNAMES::wDriverOffset); }
CString CPrintDialog::GetDeviceName() const { return DevNamesPart(m_pd.hDevNames, &DEVNAMES::wDeviceOffset); }
CString CPrintDialog::GetPortName() const { return DevNamesPart(m_pd.hDevNames, &DEVNAMES::wOutputOffset); }
int CPrintDialog::GetCopies() const {
  const LPDEVMODEW mode = GetDevMode();
  int copies = m_pd.nCopies;
  if (mode) {
    if (mode->dmFields & DM_COPIES) copies = mode->dmCopies;
    ::GlobalUnlock(m_pd.hDevMode);
  }
  return copies;
}

HDC CPrintDialog::CreatePrinterDC() {
  if (m_pd.hDC) ::DeleteDC(m_pd.hDC);
  m_pd.hDC = nullptr;
  const CString driver = GetDriverName(), device = GetDeviceName(), port = GetPortName();
  if (device.IsEmpty()) return nullptr;
  const LPDEVMODEW mode = GetDevMode();
  m_pd.hDC = ::CreateDCW(driver, device, port.IsEmpty() ? nullptr : static_cast<LPCWSTR>(port), mode);
  if (mode) ::GlobalUnlock(m_pd.hDevMode);
  return m_pd.hDC;
}

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION |
                                                            PD_HIDEPRINTTOFILE | PD_RETURNDC)) {
  SetMinPage(1);
  SetMaxPage(0xFFFF);
  m_pPD->m_pd.nFromPage = 1;
  m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo() { delete m_pPD; }

// Direct printing takes the application's printer; otherwise the user confirms in the print dialog.
BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
  CPrintDialog* pd = pInfo->m_pPD;
  if (pd->m_pd.nMinPage > pd->m_pd.nMaxPage) pd->m_pd.nMaxPage = pd->m_pd.nMinPage;
  if (pInfo->m_bDirect || pInfo->m_bPreview) {
    // A printer the caller chose (its context or its names) stays; the application's otherwise.
    if (!pd->m_pd.hDC && !pd->m_pd.hDevNames && !pd->GetDefaults()) return FALSE;
  } else {
    pd->m_pd.hwndOwner = m_hWnd;
    if (pd->DoModal() != IDOK) return FALSE;
  }
  if (!pd->m_pd.hDC) pd->CreatePrinterDC();
  return pd->m_pd.hDC != nullptr;
}

void CView::OnFilePrint() { RunPrintJob(FALSE); }
void CView::OnFilePrintDirect() { RunPrintJob(TRUE); }

void CView::RunPrintJob(BOOL bDirect) {
  CPrintInfo info;
  info.m_bDirect = bDirect;
  if (!OnPreparePrinting(&info)) return;
  CDC dc;
  dc.Attach(info.m_pPD->m_pd.hDC);
  info.m_pPD->m_pd.hDC = nullptr;  // the CDC owns it from here on
  dc.m_bPrinting = TRUE;
  OnBeginPrinting(&dc, &info);
  CString title = m_pDocument ? m_pDocument->GetTitle() : CString(L"");
  if (title.GetLength() > 31) title = title.Left(31);
  DOCINFOW doc = {sizeof(doc)};
  doc.lpszDocName = title;
  bool ok = dc.StartDoc(&doc) > 0;
  const UINT from = info.m_pPD->PrintRange() ? info.GetFromPage() : info.GetMinPage();
  const UINT to = info.m_pPD->PrintRange() ? info.GetToPage() : info.GetMaxPage();
  for (info.m_nCurPage = from; ok && info.m_nCurPage <= to && info.m_bContinuePrinting; ++info.m_nCurPage) {
    OnPrepareDC(&dc, &info);
    if (!info.m_bContinuePrinting) break;
    if (dc.StartPage() <= 0) {
      ok = false;
      break;
    }
    info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    dc.DPtoLP(&info.m_rectDraw);
    OnPrint(&dc, &info);
    if (dc.EndPage() <= 0) ok = false;
  }
  if (ok)
    dc.EndDoc();
  else
    dc.AbortDoc();
  OnEndPrinting(&dc, &info);
}
