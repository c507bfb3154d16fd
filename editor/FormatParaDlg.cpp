#include "FormatParaDlg.h"

#include <wchar.h>

#include "DDXTwips.h"
#include "Units.h"
#include "resource.h"

namespace {

const DWORD kParagraphHelpIds[] = {
    IDC_EDIT_LEFT,       0x10000 + IDC_EDIT_LEFT,       IDC_EDIT_RIGHT,       0x10000 + IDC_EDIT_RIGHT,
    IDC_EDIT_FIRST_LINE, 0x10000 + IDC_EDIT_FIRST_LINE, IDC_COMBO_ALIGNMENT,  0x10000 + IDC_COMBO_ALIGNMENT,
    IDC_PAGE_BREAK,      0x10000 + IDC_PAGE_BREAK,      IDC_SPACE_BEFORE,     0x10000 + IDC_SPACE_BEFORE,
    IDC_SPACE_AFTER,     0x10000 + IDC_SPACE_AFTER,     0,                    0,
};

// Spacing is kept between nothing and 22 inches, in points.
const int kMaxSpacing = 1584;

// The combo box's entries in order, as the rich edit names them.
const WORD kAlignments[] = {PFA_LEFT, PFA_RIGHT, PFA_CENTER};

// The leading integer of a spacing edit ("12 pt" is 12), held to the allowed range.
int ReadPoints(HWND edit) {
  WCHAR text[64] = L"";
  ::GetWindowTextW(edit, text, 64);
  const long points = wcstol(text, nullptr, 10);
  return static_cast<int>(points < 0 ? 0 : (points > kMaxSpacing ? kMaxSpacing : points));
}

}  // namespace

BEGIN_MESSAGE_MAP(CFormatParaDlg, CCSDialog)
ON_WM_VSCROLL()
ON_EN_CHANGE(IDC_SPACE_BEFORE, OnSpacingChanged)
ON_EN_CHANGE(IDC_SPACE_AFTER, OnSpacingChanged)
END_MESSAGE_MAP()

int CFormatParaDlg::AlignmentEntry(WORD wAlignment) {
  for (int i = 0; i < static_cast<int>(_countof(kAlignments)); ++i)
    if (kAlignments[i] == wAlignment) return i;
  return -1;
}

CFormatParaDlg::CFormatParaDlg(const PARAFORMAT2& pf, CWnd* pParent) : CCSDialog(IDD_FORMAT_PARA, pParent) {
  ZeroMemory(&m_pf, sizeof(m_pf));
  m_pf.cbSize = sizeof(m_pf);
  const DWORD mask = pf.dwMask;
  m_nRight = (mask & PFM_RIGHTINDENT) ? pf.dxRightIndent : CUnits::kNotSet;
  m_nFirst = (mask & PFM_OFFSET) ? -pf.dxOffset : CUnits::kNotSet;
  m_nLeft = ((mask & PFM_STARTINDENT) && (mask & PFM_OFFSET)) ? pf.dxStartIndent + pf.dxOffset : CUnits::kNotSet;
  m_nAlignment = (mask & PFM_ALIGNMENT) ? AlignmentEntry(pf.wAlignment) : -1;
  m_nPageBreak = ((mask & PFM_PAGEBREAKBEFORE) && (pf.wEffects & PFE_PAGEBREAKBEFORE)) ? 1 : 0;
  m_nSpaceBefore = (mask & PFM_SPACEBEFORE) ? pf.dySpaceBefore / 20 : 0;
  m_nSpaceAfter = (mask & PFM_SPACEAFTER) ? pf.dySpaceAfter / 20 : 0;
}

const DWORD* CFormatParaDlg::GetHelpIDs() const { return kParagraphHelpIds; }

BOOL CFormatParaDlg::OnInitDialog() {
  CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(IDC_COMBO_ALIGNMENT));
  const UINT names[] = {IDS_ALIGN_LEFT, IDS_ALIGN_RIGHT, IDS_ALIGN_CENTER};
  for (UINT id : names) {
    CString name;
    name.LoadString(id);
    if (combo) combo->AddString(name);
  }
  for (int spin : {IDC_SPIN_BEFORE, IDC_SPIN_AFTER})
    SendDlgItemMessage(spin, UDM_SETRANGE32, 0, kMaxSpacing);
  CCSDialog::OnInitDialog();
  if (!m_bWordWrap) {
    if (CWnd* label = GetDlgItem(IDC_ALIGNMENT_LABEL)) label->EnableWindow(FALSE);
    if (combo) combo->EnableWindow(FALSE);
  }
  return TRUE;
}

void CFormatParaDlg::ShowSpacing(int editId, int spinId, int points) {
  CString text;
  text.Format(L"%d %s", points, static_cast<LPCWSTR>(CUnits::m_units[2].m_strAbbrev));
  SetDlgItemText(editId, text);
  SendDlgItemMessage(spinId, UDM_SETPOS32, 0, points);
}

void CFormatParaDlg::DoDataExchange(CDataExchange* pDX) {
  CCSDialog::DoDataExchange(pDX);
  const struct {
    int id;
    int* value;
  } indents[] = {{IDC_EDIT_LEFT, &m_nLeft}, {IDC_EDIT_RIGHT, &m_nRight}, {IDC_EDIT_FIRST_LINE, &m_nFirst}};
  for (const auto& indent : indents) {
    DDX_Twips(pDX, indent.id, *indent.value);
    DDV_MinMaxTwips(pDX, *indent.value, CUnits::kMinTwips, CUnits::kMaxTwips);
  }
  DDX_CBIndex(pDX, IDC_COMBO_ALIGNMENT, m_nAlignment);
  DDX_Check(pDX, IDC_PAGE_BREAK, m_nPageBreak);
  if (pDX->Failed()) return;
  if (pDX->m_bSaveAndValidate) {
    m_nSpaceBefore = ReadPoints(::GetDlgItem(m_hWnd, IDC_SPACE_BEFORE));
    m_nSpaceAfter = ReadPoints(::GetDlgItem(m_hWnd, IDC_SPACE_AFTER));
  } else {
    ShowSpacing(IDC_SPACE_BEFORE, IDC_SPIN_BEFORE, m_nSpaceBefore);
    ShowSpacing(IDC_SPACE_AFTER, IDC_SPIN_AFTER, m_nSpaceAfter);
  }
}

void CFormatParaDlg::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
  const HWND spin = pScrollBar ? pScrollBar->m_hWnd : nullptr;
  if (!spin) return;
  const int position = static_cast<int>(::SendMessageW(spin, UDM_GETPOS32, 0, 0));
  if (spin == ::GetDlgItem(m_hWnd, IDC_SPIN_BEFORE)) {
    m_nSpaceBefore = position;
    ShowSpacing(IDC_SPACE_BEFORE, IDC_SPIN_BEFORE, position);
  } else if (spin == ::GetDlgItem(m_hWnd, IDC_SPIN_AFTER)) {
    m_nSpaceAfter = position;
    ShowSpacing(IDC_SPACE_AFTER, IDC_SPIN_AFTER, position);
  }
}

// A typed number moves the spin button along, so its next click counts from there.
void CFormatParaDlg::OnSpacingChanged() {
  const struct {
    int edit, spin;
  } pairs[] = {{IDC_SPACE_BEFORE, IDC_SPIN_BEFORE}, {IDC_SPACE_AFTER, IDC_SPIN_AFTER}};
  for (const auto& pair : pairs)
    SendDlgItemMessage(pair.spin, UDM_SETPOS32, 0, ReadPoints(::GetDlgItem(m_hWnd, pair.edit)));
}

void CFormatParaDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  ZeroMemory(&m_pf, sizeof(m_pf));
  m_pf.cbSize = sizeof(m_pf);
  if (m_nAlignment >= 0 && m_nAlignment < static_cast<int>(_countof(kAlignments))) {
    m_pf.dwMask |= PFM_ALIGNMENT;
    m_pf.wAlignment = kAlignments[m_nAlignment];
  }
  if (m_nRight != CUnits::kNotSet) {
    m_pf.dwMask |= PFM_RIGHTINDENT;
    m_pf.dxRightIndent = m_nRight;
  }
  if (m_nLeft != CUnits::kNotSet && m_nFirst != CUnits::kNotSet) {
    m_pf.dwMask |= PFM_STARTINDENT;
    m_pf.dxStartIndent = m_nLeft + m_nFirst;
  }
  if (m_nFirst != CUnits::kNotSet) {
    m_pf.dwMask |= PFM_OFFSET;
    m_pf.dxOffset = -m_nFirst;
  }
  // An unchecked box changes nothing: paragraphs that break keep breaking.
  if (m_nPageBreak) {
    m_pf.dwMask |= PFM_PAGEBREAKBEFORE;
    m_pf.wEffects |= PFE_PAGEBREAKBEFORE;
  }
  m_pf.dwMask |= PFM_SPACEBEFORE | PFM_SPACEAFTER;
  m_pf.dySpaceBefore = m_nSpaceBefore * 20;
  m_pf.dySpaceAfter = m_nSpaceAfter * 20;
  EndDialog(IDOK);
}
