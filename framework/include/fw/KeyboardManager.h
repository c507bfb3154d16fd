// The keyboard manager: the shortcuts of commands as the bars, menus and tool tips show them. The
// shortcuts are the frames' accelerator tables (CFrameWnd::m_hAccelTable); the texts use the key
// names of the user-interface language (AfxGetResourceLanguage): German names for German,
// English names otherwise, which is also how the Russian system names them.
#pragma once
#include "fw/FwBase.h"

class CFrameWnd;

class FW_API CKeyboardManager : public CObject {
  DECLARE_DYNAMIC(CKeyboardManager)
 public:
  CKeyboardManager();
  ~CKeyboardManager() override;

  // The shortcut of command `uiCmd` as text ("Ctrl+S", "Alt+Del", "F3"), from the table that
  // translates keys for `pWndFrame` (the main window when null): for an MDI main frame with an
  // active document that has a table of its own, that document's table, else the frame's. When
  // the command has none there and `bIsDefaultFrame` is FALSE, the main window's table is searched
  // as well. The first entry of a table wins. FALSE (and an empty text) when there is none.
  static BOOL FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
  // The text of one accelerator entry: modifiers in the order Ctrl, Shift, Alt, then the key.
  static CString FormatAccelerator(const ACCEL& accel);
  // The name of a virtual key in the user-interface language ("Del", "F3", "Num 5", "S").
  static CString GetKeyName(UINT nVirtKey);
  // Whether virtual key `nChar` types a character (letters, digits, space, punctuation, the
  // number pad's digits and operators) rather than moving, deleting or commanding.
  static BOOL IsKeyPrintable(const UINT nChar);
  // Whether the key `nKey` with the modifiers `fVirt` (FVIRTKEY, FCONTROL, FSHIFT, FALT) is a
  // shortcut in the tables FindDefaultAccelerator would search.
  static BOOL IsKeyHandled(WORD nKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
};

// The application's keyboard manager (null until the application object makes it).
extern FW_API CKeyboardManager* afxKeyboardManager;
