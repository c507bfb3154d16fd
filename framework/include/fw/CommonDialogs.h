// The system's common dialogs for finding and replacing text, choosing a font, and setting up the
// page (the open, save and print dialogs have headers of their own).
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include "fw/Wnd.h"

// The modeless Find or Replace dialog. Its owner gets the registered message FINDMSGSTRING with
// lParam the dialog's FINDREPLACEW for every button the user presses, and once more (IsTerminating)
// when the dialog closes. Make the object with new: it deletes itself when its window is gone.
class FW_API CFindReplaceDialog : public CWnd {
  DECLARE_DYNAMIC(CFindReplaceDialog)
 public:
  CFindReplaceDialog();
  ~CFindReplaceDialog() override;

  // `dwFlags` are FR_* flags (FR_DOWN searches forward). The texts are cut to the dialog's
  // buffers (127 characters). FALSE when the dialog could not be made; the object is then the
  // caller's to delete.
  BOOL Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith = nullptr, DWORD dwFlags = FR_DOWN,
              CWnd* pParentWnd = nullptr);
  // The dialog that sent a FINDMSGSTRING message with this lParam.
  static CFindReplaceDialog* PASCAL GetNotifier(LPARAM lParam);

  CString GetFindString() const { return m_fr.lpstrFindWhat; }
  CString GetReplaceString() const { return m_fr.lpstrReplaceWith; }
  BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
  BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
  BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
  BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
  BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
  BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
  BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

  // Tab, Enter and Esc move through the dialog, before any frame's accelerators.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void PostNcDestroy() override;

  FINDREPLACEW m_fr;

 private:
  WCHAR m_szFindWhat[128];
  WCHAR m_szReplaceWith[128];
};

// The font dialog over a LOGFONT and, for rich-edit text, a character format.
class FW_API CFontDialog {
 public:
  explicit CFontDialog(LPLOGFONTW lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                       HDC hdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
  // Starts from a character format: only the fields its mask names are shown as chosen.
  explicit CFontDialog(const CHARFORMAT2W& charformat, DWORD dwFlags = CF_SCREENFONTS, HDC hdcPrinter = nullptr,
                       CWnd* pParentWnd = nullptr);
  virtual ~CFontDialog() = default;
  virtual INT_PTR DoModal();

  // The choice as a character format (face, size in twips, effects, colour; the mask names
  // what the user settled).
  void GetCharFormat(CHARFORMAT2W& cf) const;
  CString GetFaceName() const { return m_cf.lpLogFont->lfFaceName; }
  int GetSize() const { return m_cf.iPointSize; }  // tenths of a point
  COLORREF GetColor() const { return m_cf.rgbColors; }
  BOOL IsBold() const { return m_cf.lpLogFont->lfWeight >= FW_SEMIBOLD; }
  BOOL IsItalic() const { return m_cf.lpLogFont->lfItalic != 0; }
  BOOL IsUnderline() const { return m_cf.lpLogFont->lfUnderline != 0; }
  BOOL IsStrikeOut() const { return m_cf.lpLogFont->lfStrikeOut != 0; }

  CHOOSEFONTW m_cf;
  LOGFONTW m_lf;

 private:
  CFontDialog(const CFontDialog&) = delete;
  CFontDialog& operator=(const CFontDialog&) = delete;
};

// The page-setup dialog: paper, orientation and margins, for a printer. The caller may put
// DEVMODE and DEVNAMES handles into m_psd (the application's, see AfxGetPrinterHandles); the
// dialog may replace them. At the end the object frees the handles it holds that are not the
// application's, unless the caller has taken them (set the members to null).
class FW_API CPageSetupDialog {
 public:
  explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INWININIINTLMEASURE, CWnd* pParentWnd = nullptr);
  virtual ~CPageSetupDialog();
  // IDOK or IDCANCEL; 0 when the dialog could not be shown (CommDlgExtendedError tells why, for
  // example when there is no printer).
  virtual INT_PTR DoModal();

  CString GetDeviceName() const;
  // The margins (and the printer's minimum margins) in the dialog's units.
  void GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const;
  CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }

  PAGESETUPDLGW m_psd;

 private:
  CPageSetupDialog(const CPageSetupDialog&) = delete;
  CPageSetupDialog& operator=(const CPageSetupDialog&) = delete;
};
