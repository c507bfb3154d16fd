#include "fw/ToolBarButton.h"

#include <algorithm>

#include "BarStrings.h"
#include "fw/Dc.h"
#include "fw/ToolBar.h"
#include "fw/VisualManager.h"

IMPLEMENT_SERIAL(CMFCToolBarButton, CObject, 1)

namespace {

// Longer texts than this are not a button's: the stored state is damaged.
const UINT kMaxArchiveString = 4096;

}  // namespace

void AFXAPI FwWriteArchiveString(CArchive& ar, const CString& text) {
  const UINT length = static_cast<UINT>(text.GetLength());
  ar << length;
  if (length) ar.Write(text.GetString(), length * sizeof(wchar_t));
}

CString AFXAPI FwReadArchiveString(CArchive& ar) {
  UINT length = 0;
  ar >> length;
  if (length > kMaxArchiveString) AfxThrowArchiveException(CArchiveException::badIndex);
  CString text;
  if (length == 0) return text;
  LPWSTR buffer = text.GetBuffer(static_cast<int>(length));
  const UINT read = ar.Read(buffer, length * sizeof(wchar_t));
  text.ReleaseBuffer(static_cast<int>(length));
  if (read != length * sizeof(wchar_t)) AfxThrowArchiveException(CArchiveException::endOfFile);
  return text;
}

CMFCToolBarButton::CMFCToolBarButton() = default;

CMFCToolBarButton::CMFCToolBarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserButton, BOOL bLocked)
    : m_nID(uiID), m_strText(lpszText ? lpszText : L""), m_bUserButton(bUserButton), m_bLocked(bLocked),
      m_iImage(iImage) {
  if (uiID == 0) m_nStyle = TBBS_SEPARATOR;
}

CMFCToolBarButton::~CMFCToolBarButton() = default;

void CMFCToolBarButton::SetRect(const CRect rect) {
  m_rect = rect;
  OnMove();
}

CMFCToolBar* CMFCToolBarButton::GetToolBar() const {
  return m_pWndParent && m_pWndParent->IsKindOf(RUNTIME_CLASS(CMFCToolBar)) ? static_cast<CMFCToolBar*>(m_pWndParent)
                                                                              : nullptr;
}

CString CMFCToolBarButton::GetDisplayText() const {
  const CString own = GetText();
  if (!own.IsEmpty() || m_nID == 0) return own;
  return fw_bars::CommandTip(m_nID);
}

void CMFCToolBarButton::CopyFrom(const CMFCToolBarButton& src) {
  m_nID = src.m_nID;
  m_nStyle = src.m_nStyle;
  m_strText = src.m_strText;
  m_bText = src.m_bText;
  m_bImage = src.m_bImage;
  m_bUserButton = src.m_bUserButton;
  m_bLocked = src.m_bLocked;
  m_iImage = src.m_iImage;
  m_bVisible = src.m_bVisible;
}

void CMFCToolBarButton::Serialize(CArchive& ar) {
  // The pressed and hidden states belong to the moment, not to the stored bar.
  const UINT kept = TBBS_SEPARATOR | TBBS_CHECKBOX | TBBS_GROUP | TBBS_CHECKED | TBBS_DISABLED;
  if (ar.IsStoring()) {
    ar << m_nID << (m_nStyle & kept) << m_iImage;
    FwWriteArchiveString(ar, m_strText);
    ar << static_cast<BYTE>(m_bText ? 1 : 0) << static_cast<BYTE>(m_bImage ? 1 : 0)
       << static_cast<BYTE>(m_bUserButton ? 1 : 0) << static_cast<BYTE>(m_bLocked ? 1 : 0)
       << static_cast<BYTE>(m_bVisible ? 1 : 0);
    return;
  }
  UINT style = 0;
  ar >> m_nID >> style >> m_iImage;
  m_nStyle = style & kept;
  m_strText = FwReadArchiveString(ar);
  BYTE text = 0, image = 0, user = 0, locked = 0, visible = 0;
  ar >> text >> image >> user >> locked >> visible;
  m_bText = text != 0;
  m_bImage = image != 0;
  m_bUserButton = user != 0;
  m_bLocked = locked != 0;
  m_bVisible = visible != 0;
}

SIZE CMFCToolBarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
  if (IsSeparator()) return bHorz ? CSize(8, sizeDefault.cy) : CSize(sizeDefault.cx, 8);
  CSize size = sizeDefault;
  CMFCToolBar* bar = GetToolBar();
  const BOOL hasImage = m_bImage && m_iImage >= 0;
  const BOOL labels = bar && bar->AreTextLabels();
  const CString text = (m_bText || labels || !hasImage) ? GetDisplayText() : CString();
  if (text.IsEmpty() || !pDC) return size;
  CRect measure(0, 0, 0, 0);
  pDC->DrawText(text, &measure, DT_SINGLELINE | DT_CALCRECT);
  const BOOL beside = !labels || (bar && (bar->GetCtrlStyle() & TBSTYLE_LIST));
  if (!hasImage) {
    size.cx = std::max<int>(size.cx, measure.Width() + 12);
  } else if (beside && bHorz) {
    size.cx += measure.Width() + 6;
  } else {
    size.cx = std::max<int>(size.cx, measure.Width() + 8);
    size.cy += measure.Height() + 2;
  }
  return size;
}

void CMFCToolBarButton::DrawImageAndText(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL bHighlight,
                                         BOOL bGrayDisabledButtons, BOOL bShowText) {
  const BOOL disabled = (m_nStyle & TBBS_DISABLED) != 0;
  const BOOL pressed = (m_nStyle & TBBS_PRESSED) != 0;
  CMFCToolBarImages* images = m_bUserButton ? CMFCToolBar::GetUserImages() : pImages;
  const BOOL hasImage = m_bImage && images && m_iImage >= 0 && m_iImage < images->GetCount();
  CMFCToolBar* bar = GetToolBar();
  const BOOL labelsUnder = bar && bar->AreTextLabels() && !(bar->GetCtrlStyle() & TBSTYLE_LIST);
  CString text = bShowText ? GetDisplayText() : CString();
  CRect inner = rect;
  if (pressed) inner.OffsetRect(1, 1);
  if (hasImage) {
    const CSize image = images->GetImageSize();
    int x = inner.left + (inner.Width() - image.cx) / 2;
    int y = inner.top + (inner.Height() - image.cy) / 2;
    if (!text.IsEmpty()) {
      if (labelsUnder) {
        y = inner.top + 3;
      } else {
        x = inner.left + 3;
      }
    }
    const CMFCToolBarImages::DrawState state = (disabled && bGrayDisabledButtons) ? CMFCToolBarImages::ImageDisabled
                                               : bHighlight                       ? CMFCToolBarImages::ImageHot
                                                                                  : CMFCToolBarImages::ImageNormal;
    images->Draw(pDC, x, y, m_iImage, state);
    if (!text.IsEmpty()) {
      if (labelsUnder)
        inner.top = y + image.cy + 1;
      else
        inner.left = x + image.cx + 3;
    }
  }
  if (text.IsEmpty()) return;
  CMFCVisualManager* look = CMFCVisualManager::GetInstance();
  const CMFCVisualManager::AFX_BUTTON_STATE state =
      pressed ? CMFCVisualManager::ButtonsIsPressed
              : (bHighlight ? CMFCVisualManager::ButtonsIsHighlighted : CMFCVisualManager::ButtonsIsRegular);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(look->GetButtonTextColor(state, disabled));
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  format |= (hasImage && !labelsUnder) ? DT_LEFT : DT_CENTER;
  pDC->DrawText(text, &inner, format);
}

void CMFCToolBarButton::OnDraw(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL bHorz, BOOL,
                               BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
  CMFCVisualManager* look = CMFCVisualManager::GetInstance();
  if (IsSeparator()) {
    look->OnDrawSeparator(pDC, GetToolBar(), rect, bHorz);
    return;
  }
  const BOOL checked = (m_nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)) != 0;
  const BOOL disabled = (m_nStyle & TBBS_DISABLED) != 0;
  CMFCVisualManager::AFX_BUTTON_STATE state = CMFCVisualManager::ButtonsIsRegular;
  if (m_nStyle & TBBS_PRESSED)
    state = CMFCVisualManager::ButtonsIsPressed;
  else if (bHighlight && !disabled && HaveHotBorder())
    state = CMFCVisualManager::ButtonsIsHighlighted;
  look->OnFillButtonInterior(pDC, rect, state, checked);
  if (bDrawBorder) look->OnDrawButtonBorder(pDC, rect, state, checked);
  const BOOL hasImage = m_bImage && m_iImage >= 0;
  CMFCToolBar* bar = GetToolBar();
  const BOOL showText = m_bText || !hasImage || (bar && bar->AreTextLabels());
  DrawImageAndText(pDC, rect, pImages, state == CMFCVisualManager::ButtonsIsHighlighted, bGrayDisabledButtons,
                   showText);
}

BOOL CMFCToolBarButton::OnClick(CWnd*, BOOL) { return FALSE; }
BOOL CMFCToolBarButton::NotifyCommand(int) { return FALSE; }
void CMFCToolBarButton::OnChangeParentWnd(CWnd* pWndParent) { m_pWndParent = pWndParent; }
void CMFCToolBarButton::OnMove() {}
void CMFCToolBarButton::OnSize(int) {}
void CMFCToolBarButton::OnShow(BOOL) {}

void CMFCToolBarButton::EnableWindow(BOOL bEnable) {
  if (bEnable)
    m_nStyle &= ~TBBS_DISABLED;
  else
    m_nStyle |= TBBS_DISABLED;
}

BOOL CMFCToolBarButton::IsOwnerOf(HWND hwnd) {
  const HWND own = GetHwnd();
  return own && hwnd && (own == hwnd || ::IsChild(own, hwnd));
}
