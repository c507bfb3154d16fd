// The Find and Replace dialog, the font dialog and the page-setup dialog over comdlg32.
#include "fw/CommonDialogs.h"

#include "fw/Print.h"

IMPLEMENT_DYNAMIC(CFindReplaceDialog, CWnd)

namespace {
// The owner a common dialog gets when the caller names none: the main window.
HWND DefaultOwner(HWND given) {
  if (given) return given;
  CWnd* main = AfxGetMainWnd();
  return main ? main->m_hWnd : nullptr;
}
}  // namespace

CFindReplaceDialog::CFindReplaceDialog() {
  ZeroMemory(&m_fr, sizeof(m_fr));
  m_fr.lStructSize = sizeof(m_fr);
  m_szFindWhat[0] = m_szReplaceWith[0] = 0;
  m_fr.lpstrFindWhat = m_szFindWhat;
  m_fr.wFindWhatLen = _countof(m_szFindWhat);
  m_fr.lpstrReplaceWith = m_szReplaceWith;
  m_fr.wReplaceWithLen = _countof(m_szReplaceWith);
  // How a FINDMSGSTRING message leads back to this object.
  m_fr.lCustData = reinterpret_cast<LPARAM>(this);
}

CFindReplaceDialog::~CFindReplaceDialog() = default;

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith, DWORD dwFlags,
                                CWnd* pParentWnd) {
  if (m_hWnd) return FALSE;
  lstrcpynW(m_szFindWhat, lpszFindWhat ? lpszFindWhat : L"", _countof(m_szFindWhat));
  lstrcpynW(m_szReplaceWith, lpszReplaceWith ? lpszReplaceWith : L"", _countof(m_szReplaceWith));
  m_fr.Flags = dwFlags;
  m_fr.hwndOwner = DefaultOwner(pParentWnd ? pParentWnd->m_hWnd : nullptr);
  if (!m_fr.hwndOwner) {
    OutputDebugStringW(L"CFindReplaceDialog::Create: the dialog needs an owner to report to\n");
    return FALSE;
  }
  HWND dialog = bFindDialogOnly ? ::FindTextW(&m_fr) : ::ReplaceTextW(&m_fr);
  if (!dialog) return FALSE;
  // From here on the object lives as long as the dialog's window.
  return SubclassWindow(dialog);
}

CFindReplaceDialog* PASCAL CFindReplaceDialog::GetNotifier(LPARAM lParam) {
  const FINDREPLACEW* fr = reinterpret_cast<const FINDREPLACEW*>(lParam);
  return fr ? reinterpret_cast<CFindReplaceDialog*>(fr->lCustData) : nullptr;
}

BOOL CFindReplaceDialog::PreTranslateMessage(MSG* pMsg) {
  return m_hWnd && ::IsDialogMessageW(m_hWnd, pMsg);
}

void CFindReplaceDialog::PostNcDestroy() { delete this; }

CFontDialog::CFontDialog(LPLOGFONTW lplfInitial, DWORD dwFlags, HDC hdcPrinter, CWnd* pParentWnd) {
  ZeroMemory(&m_cf, sizeof(m_cf));
  ZeroMemory(&m_lf, sizeof(m_lf));
  m_cf.lStructSize = sizeof(m_cf);
  m_cf.lpLogFont = &m_lf;
  m_cf.Flags = dwFlags;
  if (lplfInitial) {
    m_lf = *lplfInitial;
    m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
  }
  if (hdcPrinter) {
    m_cf.hDC = hdcPrinter;
    m_cf.Flags |= CF_PRINTERFONTS;
  }
  m_cf.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
}

CFontDialog::CFontDialog(const CHARFORMAT2W& charformat, DWORD dwFlags, HDC hdcPrinter, CWnd* pParentWnd)
    : CFontDialog(nullptr, dwFlags, hdcPrinter, pParentWnd) {
  // What the format leaves open is left open in the dialog too.
  if (charformat.dwMask & CFM_FACE) lstrcpynW(m_lf.lfFaceName, charformat.szFaceName, LF_FACESIZE);
  else m_cf.Flags |= CF_NOFACESEL;
  if (charformat.dwMask & CFM_SIZE) {
    // Twips to the font's height at the screen's resolution, negative for a character height.
    HDC screen = ::GetDC(nullptr);
    m_lf.lfHeight = -MulDiv(charformat.yHeight, ::GetDeviceCaps(screen, LOGPIXELSY), 1440);
    ::ReleaseDC(nullptr, screen);
  } else {
    m_cf.Flags |= CF_NOSIZESEL;
  }
  if ((charformat.dwMask & (CFM_BOLD | CFM_ITALIC)) != (CFM_BOLD | CFM_ITALIC)) m_cf.Flags |= CF_NOSTYLESEL;
  m_lf.lfWeight = (charformat.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
  m_lf.lfItalic = (charformat.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
  m_lf.lfUnderline = (charformat.dwEffects & CFE_UNDERLINE) ? TRUE : FALSE;
  m_lf.lfStrikeOut = (charformat.dwEffects & CFE_STRIKEOUT) ? TRUE : FALSE;
  m_lf.lfCharSet = charformat.bCharSet;
  m_lf.lfPitchAndFamily = charformat.bPitchAndFamily;
  if ((charformat.dwMask & CFM_COLOR) && !(charformat.dwEffects & CFE_AUTOCOLOR)) m_cf.rgbColors = charformat.crTextColor;
  else m_cf.rgbColors = ::GetSysColor(COLOR_WINDOWTEXT);
  m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
}

INT_PTR CFontDialog::DoModal() {
  m_cf.hwndOwner = DefaultOwner(m_cf.hwndOwner);
  return ::ChooseFontW(&m_cf) ? IDOK : IDCANCEL;
}

void CFontDialog::GetCharFormat(CHARFORMAT2W& cf) const {
  cf.dwMask = 0;
  cf.dwEffects = 0;
  if (!(m_cf.Flags & CF_NOFACESEL) && m_lf.lfFaceName[0]) {
    cf.dwMask |= CFM_FACE | CFM_CHARSET;
    lstrcpynW(cf.szFaceName, m_lf.lfFaceName, LF_FACESIZE);
    cf.bCharSet = m_lf.lfCharSet;
    cf.bPitchAndFamily = m_lf.lfPitchAndFamily;
  }
  if (!(m_cf.Flags & CF_NOSIZESEL) && m_cf.iPointSize > 0) {
    cf.dwMask |= CFM_SIZE;
    cf.yHeight = m_cf.iPointSize * 2;  // tenths of a point to twips
  }
  if (!(m_cf.Flags & CF_NOSTYLESEL)) {
    cf.dwMask |= CFM_BOLD | CFM_ITALIC;
    if (m_lf.lfWeight >= FW_SEMIBOLD) cf.dwEffects |= CFE_BOLD;
    if (m_lf.lfItalic) cf.dwEffects |= CFE_ITALIC;
  }
  if (m_cf.Flags & CF_EFFECTS) {
    cf.dwMask |= CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;
    if (m_lf.lfUnderline) cf.dwEffects |= CFE_UNDERLINE;
    if (m_lf.lfStrikeOut) cf.dwEffects |= CFE_STRIKEOUT;
    cf.crTextColor = m_cf.rgbColors;
  }
}

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd) {
  ZeroMemory(&m_psd, sizeof(m_psd));
  m_psd.lStructSize = sizeof(m_psd);
  m_psd.Flags = dwFlags;
  m_psd.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
}

// The handles in m_psd are the application's while they are the same; ours otherwise.
CPageSetupDialog::~CPageSetupDialog() {
  HGLOBAL appMode = nullptr, appNames = nullptr;
  AfxGetPrinterHandles(&appMode, &appNames);
  if (m_psd.hDevMode && m_psd.hDevMode != appMode) ::GlobalFree(m_psd.hDevMode);
  if (m_psd.hDevNames && m_psd.hDevNames != appNames) ::GlobalFree(m_psd.hDevNames);
}

INT_PTR CPageSetupDialog::DoModal() {
  m_psd.hwndOwner = DefaultOwner(m_psd.hwndOwner);
  if (::PageSetupDlgW(&m_psd)) return IDOK;
  return ::CommDlgExtendedError() == 0 ? IDCANCEL : 0;
}

CString CPageSetupDialog::GetDeviceName() const {
  if (!m_psd.hDevNames) return CString();
  const DEVNAMES* names = static_cast<const DEVNAMES*>(::GlobalLock(m_psd.hDevNames));
  if (!names) return CString();
  CString device(reinterpret_cast<LPCWSTR>(names) + names->wDeviceOffset);
  ::GlobalUnlock(m_psd.hDevNames);
  return device;
}

void CPageSetupDialog::GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const {
  if (lpRectMargins) *lpRectMargins = m_psd.rtMargin;
  if (lpRectMinMargins) *lpRectMinMargins = m_psd.rtMinMargin;
}
