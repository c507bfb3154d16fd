#include "fw/KeyboardManager.h"

#include <vector>

#include "fw/Frame.h"
#include "fw/ResourceLanguage.h"

IMPLEMENT_DYNAMIC(CKeyboardManager, CObject)

CKeyboardManager* afxKeyboardManager = nullptr;

namespace {

// Names of the keys that do not type their own character, in English and in German.
struct KeyName {
  UINT key;
  const wchar_t* english;
  const wchar_t* german;
};

const KeyName kKeyNames[] = {
    {VK_BACK, L"Backspace", L"R\u00fccktaste"},
    {VK_TAB, L"Tab", L"Tab"},
    {VK_RETURN, L"Enter", L"Eingabe"},
    {VK_PAUSE, L"Pause", L"Pause"},
    {VK_ESCAPE, L"Esc", L"Esc"},
    {VK_SPACE, L"Space", L"Leertaste"},
    {VK_PRIOR, L"PgUp", L"Bild auf"},
    {VK_NEXT, L"PgDn", L"Bild ab"},
    {VK_END, L"End", L"Ende"},
    {VK_HOME, L"Home", L"Pos1"},
    {VK_LEFT, L"Left", L"Nach-links"},
    {VK_UP, L"Up", L"Nach-oben"},
    {VK_RIGHT, L"Right", L"Nach-rechts"},
    {VK_DOWN, L"Down", L"Nach-unten"},
    {VK_INSERT, L"Ins", L"Einfg"},
    {VK_DELETE, L"Del", L"Entf"},
    {VK_MULTIPLY, L"Num *", L"Num *"},
    {VK_ADD, L"Num +", L"Num +"},
    {VK_SUBTRACT, L"Num -", L"Num -"},
    {VK_DECIMAL, L"Num .", L"Num ,"},
    {VK_DIVIDE, L"Num /", L"Num /"},
    {VK_SCROLL, L"Scroll Lock", L"Rollen"},
};

struct ModifierNames {
  const wchar_t* ctrl;
  const wchar_t* shift;
  const wchar_t* alt;
};
const ModifierNames kEnglishModifiers = {L"Ctrl", L"Shift", L"Alt"};
const ModifierNames kGermanModifiers = {L"Strg", L"Umschalt", L"Alt"};

bool German() { return PRIMARYLANGID(AfxGetResourceLanguage()) == LANG_GERMAN; }

std::vector<ACCEL> Entries(HACCEL table) {
  std::vector<ACCEL> entries;
  if (!table) return entries;
  const int count = ::CopyAcceleratorTableW(table, nullptr, 0);
  if (count <= 0) return entries;
  entries.resize(static_cast<size_t>(count));
  entries.resize(static_cast<size_t>(::CopyAcceleratorTableW(table, entries.data(), count)));
  return entries;
}

// The tables searched for `frame`, in order (see FindDefaultAccelerator).
std::vector<HACCEL> TablesFor(CFrameWnd* frame, BOOL isDefaultFrame) {
  std::vector<HACCEL> tables;
  CWnd* main = AfxGetMainWnd();
  CFrameWnd* mainFrame = main && main->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(main) : nullptr;
  if (!frame) frame = mainFrame;
  if (!frame) return tables;
  HACCEL own = frame->m_hAccelTable;
  if (frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
    CMDIChildWnd* child = static_cast<CMDIFrameWnd*>(frame)->MDIGetActive();
    if (child && child->m_hAccelTable) own = child->m_hAccelTable;
  }
  if (own) tables.push_back(own);
  if (!isDefaultFrame && mainFrame && mainFrame != frame && mainFrame->m_hAccelTable)
    tables.push_back(mainFrame->m_hAccelTable);
  return tables;
}

}  // namespace

CKeyboardManager::CKeyboardManager() = default;
CKeyboardManager::~CKeyboardManager() = default;

CString CKeyboardManager::GetKeyName(UINT nVirtKey) {
  CString name;
  if ((nVirtKey >= '0' && nVirtKey <= '9') || (nVirtKey >= 'A' && nVirtKey <= 'Z')) {
    name = CString(static_cast<wchar_t>(nVirtKey), 1);
  } else if (nVirtKey >= VK_F1 && nVirtKey <= VK_F24) {
    name.Format(L"F%u", nVirtKey - VK_F1 + 1);
  } else if (nVirtKey >= VK_NUMPAD0 && nVirtKey <= VK_NUMPAD9) {
    name.Format(L"Num %u", nVirtKey - VK_NUMPAD0);
  } else {
    for (const KeyName& k : kKeyNames) {
      if (k.key == nVirtKey) return German() ? k.german : k.english;
    }
    // Punctuation keys carry the character the keyboard layout gives them.
    const UINT ch = ::MapVirtualKeyW(nVirtKey, MAPVK_VK_TO_CHAR) & 0xFFFF;
    if (ch >= 0x20) name = CString(static_cast<wchar_t>(ch), 1);
    else name.Format(L"0x%02X", nVirtKey);
  }
  return name;
}

CString CKeyboardManager::FormatAccelerator(const ACCEL& accel) {
  const ModifierNames& names = German() ? kGermanModifiers : kEnglishModifiers;
  CString text;
  if (!(accel.fVirt & FVIRTKEY)) {
    // A character accelerator: control characters are typed with Ctrl, Shift does not apply.
    const wchar_t ch = static_cast<wchar_t>(accel.key);
    if (accel.fVirt & FALT) text = CString(names.alt) + L"+";
    if (ch < 0x20) return text + names.ctrl + L"+" + CString(static_cast<wchar_t>(ch + L'@'), 1);
    return text + CString(ch, 1);
  }
  if (accel.fVirt & FCONTROL) text += CString(names.ctrl) + L"+";
  if (accel.fVirt & FSHIFT) text += CString(names.shift) + L"+";
  if (accel.fVirt & FALT) text += CString(names.alt) + L"+";
  return text + GetKeyName(accel.key);
}

BOOL CKeyboardManager::FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame) {
  str.Empty();
  for (HACCEL table : TablesFor(pWndFrame, bIsDefaultFrame)) {
    for (const ACCEL& accel : Entries(table)) {
      if (accel.cmd == uiCmd) {
        str = FormatAccelerator(accel);
        return TRUE;
      }
    }
  }
  return FALSE;
}

BOOL CKeyboardManager::IsKeyPrintable(const UINT nChar) {
  if ((nChar >= '0' && nChar <= '9') || (nChar >= 'A' && nChar <= 'Z') || nChar == VK_SPACE) return TRUE;
  if ((nChar >= VK_NUMPAD0 && nChar <= VK_DIVIDE) && nChar != VK_SEPARATOR) return TRUE;
  if (nChar >= VK_OEM_1 && nChar <= VK_OEM_102) return (::MapVirtualKeyW(nChar, MAPVK_VK_TO_CHAR) & 0xFFFF) >= 0x20;
  return FALSE;
}

BOOL CKeyboardManager::IsKeyHandled(WORD nKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame) {
  const BYTE kinds = FVIRTKEY | FCONTROL | FSHIFT | FALT;
  for (HACCEL table : TablesFor(pWndFrame, bIsDefaultFrame)) {
    for (const ACCEL& accel : Entries(table)) {
      if (accel.key == nKey && (accel.fVirt & kinds) == (fVirt & kinds)) return TRUE;
    }
  }
  return FALSE;
}
