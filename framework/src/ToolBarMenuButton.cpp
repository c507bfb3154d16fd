#include <algorithm>

#include "BarInternal.h"
#include "fw/Dc.h"
#include "fw/VisualManager.h"

IMPLEMENT_SERIAL(CMFCToolBarMenuButton, CMFCToolBarButton, 1)

namespace {

const int kArrowWidth = 12;
// Deeper menus than this are not a program's: the stored state is damaged.
const int kMaxMenuDepth = 8;
const UINT kMaxMenuItems = 1024;

thread_local int t_serializeDepth = 0;

}  // namespace

CMFCToolBarMenuButton::CMFCToolBarMenuButton() = default;

CMFCToolBarMenuButton::CMFCToolBarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText, BOOL bUserButton)
    : CMFCToolBarButton(uiID, iImage, lpszText, bUserButton) {
  m_nStyle = TBBS_BUTTON;
  CreateFromMenu(hMenu);
}

CMFCToolBarMenuButton::~CMFCToolBarMenuButton() { RemoveAllCommands(); }

void CMFCToolBarMenuButton::RemoveAllCommands() {
  while (!m_listCommands.IsEmpty()) delete m_listCommands.RemoveHead();
}

void CMFCToolBarMenuButton::CreateFromMenu(HMENU hMenu) {
  RemoveAllCommands();
  if (!hMenu || !::IsMenu(hMenu)) return;
  const int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    fw_bars::MenuItem entry;
    if (!fw_bars::ReadMenuItem(hMenu, i, entry)) continue;
    CMFCToolBarMenuButton* item = new CMFCToolBarMenuButton;
    if (entry.separator) {
      item->m_nStyle = TBBS_SEPARATOR;
    } else {
      item->m_nID = entry.id;
      item->m_strText = entry.text;
      if (entry.state & MFS_DISABLED) item->m_nStyle |= TBBS_DISABLED;
      if (entry.state & MFS_CHECKED) item->m_nStyle |= TBBS_CHECKED;
      if (entry.popup) item->CreateFromMenu(entry.popup);
      item->m_iImage = GetCmdMgr()->GetCmdImage(item->m_nID);
    }
    m_listCommands.AddTail(item);
  }
}

HMENU CMFCToolBarMenuButton::CreateMenu() const {
  if (m_listCommands.IsEmpty()) return nullptr;
  HMENU menu = ::CreatePopupMenu();
  for (POSITION pos = m_listCommands.GetHeadPosition(); pos;) {
    const CMFCToolBarMenuButton* item = static_cast<const CMFCToolBarMenuButton*>(m_listCommands.GetNext(pos));
    if (item->IsSeparator()) {
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING;
    if (item->m_nStyle & TBBS_DISABLED) flags |= MF_GRAYED;
    if (item->m_nStyle & TBBS_CHECKED) flags |= MF_CHECKED;
    if (HMENU sub = item->CreateMenu()) {
      ::AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item->m_strText);
    } else {
      ::AppendMenuW(menu, flags, item->m_nID, item->m_strText);
    }
  }
  return menu;
}

void CMFCToolBarMenuButton::CopyFrom(const CMFCToolBarButton& src) {
  CMFCToolBarButton::CopyFrom(src);
  if (!src.IsKindOf(RUNTIME_CLASS(CMFCToolBarMenuButton))) return;
  const CMFCToolBarMenuButton& menu = static_cast<const CMFCToolBarMenuButton&>(src);
  if (&menu == this) return;
  RemoveAllCommands();
  for (POSITION pos = menu.m_listCommands.GetHeadPosition(); pos;) {
    const CMFCToolBarMenuButton* item = static_cast<const CMFCToolBarMenuButton*>(menu.m_listCommands.GetNext(pos));
    CMFCToolBarMenuButton* copy = new CMFCToolBarMenuButton;
    copy->CopyFrom(*item);
    m_listCommands.AddTail(copy);
  }
  m_hPopupSource = menu.m_hPopupSource;
  m_bDrawDownArrow = menu.m_bDrawDownArrow;
}

void CMFCToolBarMenuButton::Serialize(CArchive& ar) {
  CMFCToolBarButton::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<BYTE>(m_bDrawDownArrow ? 1 : 0) << static_cast<UINT>(m_listCommands.GetCount());
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos;) m_listCommands.GetNext(pos)->Serialize(ar);
    return;
  }
  BYTE arrow = 1;
  UINT count = 0;
  ar >> arrow >> count;
  m_bDrawDownArrow = arrow != 0;
  if (count > kMaxMenuItems || t_serializeDepth >= kMaxMenuDepth) AfxThrowArchiveException(CArchiveException::badIndex);
  RemoveAllCommands();
  ++t_serializeDepth;
  try {
    for (UINT i = 0; i < count; ++i) {
      CMFCToolBarMenuButton* item = new CMFCToolBarMenuButton;
      m_listCommands.AddTail(item);
      item->Serialize(ar);
    }
  } catch (...) {
    --t_serializeDepth;
    throw;
  }
  --t_serializeDepth;
}

SIZE CMFCToolBarMenuButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
  CSize size = CMFCToolBarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
  if (m_bDrawDownArrow && !IsSeparator()) {
    if (bHorz)
      size.cx += kArrowWidth;
    else
      size.cy += kArrowWidth;
  }
  return size;
}

void CMFCToolBarMenuButton::OnDraw(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL bHorz,
                                   BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
  // An open menu keeps its button pressed.
  const UINT saved = m_nStyle;
  if (m_bDroppedDown) m_nStyle |= TBBS_PRESSED;
  CRect body = rect;
  CRect arrow;
  if (m_bDrawDownArrow) {
    arrow = rect;
    if (bHorz) {
      arrow.left = arrow.right - kArrowWidth;
      body.right = arrow.left;
    } else {
      arrow.top = arrow.bottom - kArrowWidth;
      body.bottom = arrow.top;
    }
  }
  CMFCVisualManager* look = CMFCVisualManager::GetInstance();
  if (m_bDrawDownArrow) {
    // Frame and fill the whole button, then draw its face without a second border.
    CMFCVisualManager::AFX_BUTTON_STATE state = CMFCVisualManager::ButtonsIsRegular;
    if (m_nStyle & TBBS_PRESSED)
      state = CMFCVisualManager::ButtonsIsPressed;
    else if (bHighlight && !(m_nStyle & TBBS_DISABLED))
      state = CMFCVisualManager::ButtonsIsHighlighted;
    const BOOL checked = (m_nStyle & TBBS_CHECKED) != 0;
    look->OnFillButtonInterior(pDC, rect, state, checked);
    if (bDrawBorder) look->OnDrawButtonBorder(pDC, rect, state, checked);
    const BOOL hasImage = m_bImage && m_iImage >= 0;
    CMFCToolBar* bar = GetToolBar();
    DrawImageAndText(pDC, body, pImages, state == CMFCVisualManager::ButtonsIsHighlighted, bGrayDisabledButtons,
                     m_bText || !hasImage || (bar && bar->AreTextLabels()));
    look->OnDrawMenuArrow(pDC, arrow, (m_nStyle & TBBS_DISABLED) != 0);
  } else {
    CMFCToolBarButton::OnDraw(pDC, body, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                              bGrayDisabledButtons);
  }
  m_nStyle = saved;
}

BOOL CMFCToolBarMenuButton::OnClick(CWnd* pWnd, BOOL) {
  if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CMFCToolBar))) return FALSE;
  static_cast<CMFCToolBar*>(pWnd)->DropDownMenu(this);
  return TRUE;
}
