// The tool bar: creation, the TOOLBAR resource, its buttons, layout, painting and command states.
// Mouse, tool tips and drags are in ToolBarMouse.cpp; the stored state in ToolBarState.cpp.
#include <algorithm>
#include <map>
#include <vector>

#include "BarInternal.h"
#include "PaintOffScreen.h"
#include "BarStrings.h"
#include "fw/Dc.h"
#include "fw/DockingManager.h"
#include "fw/TooltipManager.h"
#include "fw/VisualManager.h"

IMPLEMENT_SERIAL(CMFCToolBar, CPane, 1)

BEGIN_MESSAGE_MAP(CMFCToolBar, CPane)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
ON_MESSAGE(WM_CANCELMODE, OnCancelMode)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

namespace {

const int kGripperRoom = 8;
const int kCustomizeWidth = 12;

struct SharedState {
  CObList toolbars;                  // every CMFCToolBar with a window
  CMFCToolBarImages images;          // the images of every loaded resource
  CMFCToolBarImages* userImages = nullptr;
  std::map<UINT, int> firstImageOf;  // resource id -> its first image (-1: it has none)
  BOOL quickCustomize = FALSE;
  BOOL customizeMode = FALSE;
  BOOL showTooltips = TRUE;
};

SharedState& Shared() {
  static SharedState state;
  return state;
}

// A TOOLBAR resource. The standard layout has WORD fields (version 1, width, height, count, ids);
// GNU windres writes DWORD fields without the version (width, height, count, ids). The exact size
// tells them apart.
bool ParseToolbarResource(const BYTE* data, DWORD size, CSize& image, std::vector<UINT>& ids) {
  ids.clear();
  if (size >= 8) {
    const WORD* w = reinterpret_cast<const WORD*>(data);
    if (w[0] == 1 && size == 8u + 2u * w[3]) {
      image = CSize(w[1], w[2]);
      for (WORD i = 0; i < w[3]; ++i) ids.push_back(w[4 + i]);
      return image.cx > 0 && image.cy > 0 && image.cx <= 256 && image.cy <= 256;
    }
  }
  if (size >= 12) {
    const DWORD* d = reinterpret_cast<const DWORD*>(data);
    if (d[2] <= 4096 && size == 12u + 4u * d[2]) {
      image = CSize(static_cast<int>(d[0]), static_cast<int>(d[1]));
      for (DWORD i = 0; i < d[2]; ++i) ids.push_back(d[3 + i]);
      return image.cx > 0 && image.cy > 0 && image.cx <= 256 && image.cy <= 256;
    }
  }
  return false;
}

// Registers the resource's images once; returns the first one's index, -1 when it has none.
int RegisterResourceImages(UINT uiResID, CSize imageSize, const std::vector<UINT>& ids) {
  SharedState& shared = Shared();
  auto known = shared.firstImageOf.find(uiResID);
  if (known != shared.firstImageOf.end()) return known->second;
  CMFCToolBarImages& images = shared.images;
  int first = -1;
  if (images.GetCount() == 0) images.SetImageSize(imageSize);
  if (images.GetImageSize() != imageSize) {
    OutputDebugStringW(L"CMFCToolBar::LoadToolBar: the resource's images differ in size from the loaded ones\n");
  } else {
    const int before = images.GetCount();
    if (images.Load(uiResID, nullptr, TRUE)) first = before;
  }
  shared.firstImageOf[uiResID] = first;
  if (first < 0) return -1;
  int k = 0;
  for (UINT id : ids) {
    if (id == 0) continue;
    if (first + k < images.GetCount() && GetCmdMgr()->GetCmdImage(id) < 0) GetCmdMgr()->SetCmdImage(id, first + k);
    ++k;
  }
  return first;
}

// The state of one button as the frame's update handlers set it.
class CToolCmdUI : public CCmdUI {
 public:
  CMFCToolBar* bar = nullptr;
  CMFCToolBarButton* button = nullptr;
  BOOL changed = FALSE;
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    const BOOL disabled = (button->m_nStyle & TBBS_DISABLED) != 0;
    if (disabled == !bOn) return;
    button->EnableWindow(bOn);
    changed = TRUE;
  }
  void SetCheck(int nCheck) override {
    const UINT old = button->m_nStyle;
    button->m_nStyle &= ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1) button->m_nStyle |= TBBS_CHECKED;
    if (nCheck == 2) button->m_nStyle |= TBBS_INDETERMINATE;
    changed = changed || old != button->m_nStyle;
  }
  void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
  void SetText(LPCWSTR) override {}
};

}  // namespace

CMFCToolBar::CMFCToolBar() : m_rectBorders(1, 1, 1, 1) {}

CMFCToolBar::~CMFCToolBar() {
  RemoveAllButtons();
  if (POSITION pos = Shared().toolbars.Find(this)) Shared().toolbars.RemoveAt(pos);
}

// ---- Shared state ----

CMFCToolBarImages* CMFCToolBar::GetImages() { return &Shared().images; }

BOOL CMFCToolBar::SetUserImages(CMFCToolBarImages* pUserImages) {
  if (pUserImages && !pUserImages->IsValid()) {
    OutputDebugStringW(L"CMFCToolBar::SetUserImages: the images hold nothing\n");
    return FALSE;
  }
  Shared().userImages = pUserImages;
  return TRUE;
}

CMFCToolBarImages* CMFCToolBar::GetUserImages() { return Shared().userImages; }
void CMFCToolBar::EnableQuickCustomization(BOOL bEnable) { Shared().quickCustomize = bEnable; }
BOOL CMFCToolBar::IsQuickCustomizationEnabled() { return Shared().quickCustomize; }
void CMFCToolBar::SetShowTooltips(BOOL bValue) { Shared().showTooltips = bValue; }
BOOL CMFCToolBar::GetShowTooltips() { return Shared().showTooltips; }
const CObList& CMFCToolBar::GetAllToolbars() { return Shared().toolbars; }

void CMFCToolBar::SetCustomizeMode(BOOL bSet) {
  SharedState& shared = Shared();
  if (shared.customizeMode == bSet) return;
  shared.customizeMode = bSet;
  for (POSITION pos = shared.toolbars.GetHeadPosition(); pos;) {
    CMFCToolBar* bar = static_cast<CMFCToolBar*>(shared.toolbars.GetNext(pos));
    bar->m_iSelected = -1;
    bar->SetHighlighted(-1);
    if (bar->m_hWnd) bar->Invalidate();
  }
}

BOOL CMFCToolBar::IsCustomizeMode() { return Shared().customizeMode; }

int CMFCToolBar::GetCommandButtons(UINT uiCmd, CObList& listButtons) {
  int found = 0;
  const CObList& bars = Shared().toolbars;
  for (POSITION pos = bars.GetHeadPosition(); pos;) {
    const CMFCToolBar* bar = static_cast<const CMFCToolBar*>(bars.GetNext(pos));
    for (POSITION b = bar->m_Buttons.GetHeadPosition(); b;) {
      CMFCToolBarButton* button = static_cast<CMFCToolBarButton*>(bar->m_Buttons.GetNext(b));
      if (button->m_nID == uiCmd && !button->IsSeparator()) {
        listButtons.AddTail(button);
        ++found;
      }
    }
  }
  return found;
}

HFONT CMFCToolBar::GetBarFont() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

// ---- Creation ----

BOOL CMFCToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CMFCToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  if (!pParentWnd || !pParentWnd->m_hWnd) {
    OutputDebugStringW(L"CMFCToolBar::CreateEx: the bar needs a parent window\n");
    return FALSE;
  }
  m_dwCtrlStyle = dwCtrlStyle;
  m_rectBorders = rcBorders;
  // Bars size themselves; the user may float and close them.
  if (!CPane::CreateEx(0, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID, AFX_CBRS_FLOAT | AFX_CBRS_CLOSE))
    return FALSE;
  // Buttons given before the window existed get their controls now.
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos;)
    AttachButton(static_cast<CMFCToolBarButton*>(m_Buttons.GetNext(pos)));
  OnButtonsChanged();
  return TRUE;
}

int CMFCToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CPane::OnCreate(lpCreateStruct) == -1) return -1;
  Shared().toolbars.AddTail(this);
  return 0;
}

void CMFCToolBar::OnDestroy() {
  if (POSITION pos = Shared().toolbars.Find(this)) Shared().toolbars.RemoveAt(pos);
  CTooltipManager::DeleteToolTip(m_pToolTip);
  m_nToolTips = 0;
  CPane::OnDestroy();
}

// ---- The resource ----

BOOL CMFCToolBar::LoadToolBar(UINT uiResID, BOOL bLocked) {
  const LPCWSTR name = MAKEINTRESOURCEW(uiResID);
  HMODULE module = AfxFindResourceHandle(name, RT_TOOLBAR);
  HRSRC found = module ? AfxFindResourceInLanguage(module, name, RT_TOOLBAR) : nullptr;
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
  CSize imageSize;
  std::vector<UINT> ids;
  if (!data || !ParseToolbarResource(data, ::SizeofResource(module, found), imageSize, ids)) {
    OutputDebugStringW(L"CMFCToolBar::LoadToolBar: the TOOLBAR resource is missing or damaged\n");
    return FALSE;
  }
  m_iFirstImage = RegisterResourceImages(uiResID, imageSize, ids);
  m_uiOriginalResID = uiResID;
  m_bLocked = bLocked;
  m_OrigButtons.RemoveAll();
  for (UINT id : ids) m_OrigButtons.AddTail(id);
  BuildOriginalButtons();
  NotifyReset();
  return TRUE;
}

void CMFCToolBar::BuildOriginalButtons() {
  RemoveAllButtons();
  const int images = GetImages()->GetCount();
  int k = 0;
  for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos;) {
    const UINT id = m_OrigButtons.GetNext(pos);
    if (id == 0) {
      m_Buttons.AddTail(new CMFCToolBarButton(0, -1));
      continue;
    }
    const int image = (m_iFirstImage >= 0 && m_iFirstImage + k < images) ? m_iFirstImage + k : -1;
    CMFCToolBarButton* button = new CMFCToolBarButton(id, image, nullptr, FALSE, m_bLocked);
    m_Buttons.AddTail(button);
    ++k;
  }
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos;)
    AttachButton(static_cast<CMFCToolBarButton*>(m_Buttons.GetNext(pos)));
  OnButtonsChanged();
}

BOOL CMFCToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0 || (nIDCount > 0 && !lpIDArray)) return FALSE;
  RemoveAllButtons();
  for (int i = 0; i < nIDCount; ++i) {
    const UINT id = lpIDArray[i];
    CMFCToolBarButton* button = new CMFCToolBarButton(id, id ? GetCmdMgr()->GetCmdImage(id) : -1);
    m_Buttons.AddTail(button);
    AttachButton(button);
  }
  OnButtonsChanged();
  return TRUE;
}

BOOL CMFCToolBar::RestoreOriginalState() {
  if (m_uiOriginalResID == 0) {
    RemoveAllButtons();
    OnButtonsChanged();
    return TRUE;
  }
  BuildOriginalButtons();
  NotifyReset();
  return TRUE;
}

void CMFCToolBar::NotifyReset() {
  if (m_uiOriginalResID == 0 || !m_hWnd) return;
  CFrameWnd* target = GetCommandTarget();
  if (target && target->m_hWnd) target->SendMessage(AFX_WM_RESETTOOLBAR, m_uiOriginalResID, 0);
}

CFrameWnd* CMFCToolBar::GetCommandTarget() const {
  if (m_pDockSite) return m_pDockSite;
  return m_hWnd ? GetTopLevelFrame() : nullptr;
}

// ---- Buttons ----

CMFCToolBarButton* CMFCToolBar::GetButton(int iIndex) const {
  POSITION pos = m_Buttons.FindIndex(iIndex);
  return pos ? static_cast<CMFCToolBarButton*>(m_Buttons.GetAt(pos)) : nullptr;
}

int CMFCToolBar::IndexOf(const CMFCToolBarButton* pButton) const {
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++i)
    if (m_Buttons.GetNext(pos) == pButton) return i;
  return -1;
}

int CMFCToolBar::CommandToIndex(UINT nIDFind, int iIndex) const {
  int i = 0, seen = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++i) {
    const CMFCToolBarButton* button = static_cast<const CMFCToolBarButton*>(m_Buttons.GetNext(pos));
    if (button->m_nID == nIDFind && !button->IsSeparator() && seen++ == iIndex) return i;
  }
  return -1;
}

UINT CMFCToolBar::GetItemID(int nIndex) const {
  const CMFCToolBarButton* button = GetButton(nIndex);
  return button ? button->m_nID : 0;
}

void CMFCToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (!lpRect) return;
  const CMFCToolBarButton* button = GetButton(nIndex);
  *lpRect = button ? button->Rect() : CRect();
}

UINT CMFCToolBar::GetButtonStyle(int nIndex) const {
  const CMFCToolBarButton* button = GetButton(nIndex);
  return button ? button->m_nStyle : 0;
}

void CMFCToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
  CMFCToolBarButton* button = GetButton(nIndex);
  if (!button) return;
  const BOOL wasDisabled = (button->m_nStyle & TBBS_DISABLED) != 0;
  button->m_nStyle = nStyle;
  if (wasDisabled != ((nStyle & TBBS_DISABLED) != 0)) button->EnableWindow(!(nStyle & TBBS_DISABLED));
  InvalidateButton(nIndex);
}

CString CMFCToolBar::GetButtonText(int nIndex) const {
  const CMFCToolBarButton* button = GetButton(nIndex);
  return button ? CString(button->m_strText) : CString();
}

BOOL CMFCToolBar::SetButtonText(int nIndex, LPCTSTR lpszText) {
  CMFCToolBarButton* button = GetButton(nIndex);
  if (!button) return FALSE;
  button->m_strText = lpszText ? lpszText : L"";
  OnButtonsChanged();
  return TRUE;
}

CMFCToolBarButton* CMFCToolBar::CopyButton(const CMFCToolBarButton& button) {
  CObject* made = button.GetRuntimeClass()->CreateObject();
  if (!made || !made->IsKindOf(RUNTIME_CLASS(CMFCToolBarButton))) {
    OutputDebugStringW(L"CMFCToolBar: a button class must be creatable (DECLARE_SERIAL)\n");
    delete made;
    return nullptr;
  }
  CMFCToolBarButton* copy = static_cast<CMFCToolBarButton*>(made);
  copy->CopyFrom(button);
  return copy;
}

void CMFCToolBar::AttachButton(CMFCToolBarButton* pButton) {
  if (m_hWnd) pButton->OnChangeParentWnd(this);
}

int CMFCToolBar::ReplaceButton(UINT uiCmd, const CMFCToolBarButton& button, BOOL bAll) {
  int replaced = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
    const POSITION at = pos;
    CMFCToolBarButton* old = static_cast<CMFCToolBarButton*>(m_Buttons.GetNext(pos));
    if (old->m_nID != uiCmd || old->IsSeparator()) continue;
    CMFCToolBarButton* copy = CopyButton(button);
    if (!copy) break;
    m_Buttons.SetAt(at, copy);
    delete old;
    AttachButton(copy);
    ++replaced;
    if (!bAll) break;
  }
  if (replaced) OnButtonsChanged();
  return replaced;
}

int CMFCToolBar::InsertButton(const CMFCToolBarButton& button, INT_PTR iInsertAt) {
  CMFCToolBarButton* copy = CopyButton(button);
  if (!copy) return -1;
  int index = 0;
  if (iInsertAt < 0 || iInsertAt >= m_Buttons.GetCount()) {
    m_Buttons.AddTail(copy);
    index = GetCount() - 1;
  } else {
    m_Buttons.InsertBefore(m_Buttons.FindIndex(iInsertAt), copy);
    index = static_cast<int>(iInsertAt);
    if (m_iHighlighted >= index) m_iHighlighted = -1;
  }
  AttachButton(copy);
  OnButtonsChanged();
  return index;
}

int CMFCToolBar::InsertSeparator(INT_PTR iInsertAt) {
  CMFCToolBarButton separator(0, -1);
  return InsertButton(separator, iInsertAt);
}

BOOL CMFCToolBar::RemoveButton(int iIndex) {
  POSITION pos = m_Buttons.FindIndex(iIndex);
  if (!pos) return FALSE;
  CMFCToolBarButton* button = static_cast<CMFCToolBarButton*>(m_Buttons.GetAt(pos));
  m_Buttons.RemoveAt(pos);
  delete button;
  m_iHighlighted = m_iPressed = m_iSelected = -1;
  OnButtonsChanged();
  return TRUE;
}

void CMFCToolBar::RemoveAllButtons() {
  while (!m_Buttons.IsEmpty()) delete m_Buttons.RemoveHead();
  m_iHighlighted = m_iPressed = m_iSelected = -1;
}

void CMFCToolBar::EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText,
                                        BOOL bQuickCustomize) {
  m_bCustomizeButton = bEnable;
  m_iCustomizeCmd = iCustomizeCmd;
  m_strCustomizeText = strCustomizeText;
  m_bQuickCustomize = bQuickCustomize;
  OnButtonsChanged();
}

void CMFCToolBar::EnableTextLabels(BOOL bEnable) {
  m_bTextLabels = bEnable;
  OnButtonsChanged();
}

// ---- Layout ----

CSize CMFCToolBar::GetButtonSize() const {
  const CSize image = GetImages()->IsValid() ? GetImages()->GetImageSize() : CSize(16, 15);
  return CSize(image.cx + 7, image.cy + 7);
}

CSize CMFCToolBar::LayoutButtons(CRect rect, BOOL bHorz, BOOL bPlace) {
  HDC screen = ::GetDC(nullptr);
  CDC* dc = CDC::FromHandle(screen);
  HGDIOBJ oldFont = ::SelectObject(screen, GetBarFont());
  const CSize sizeDefault = GetButtonSize();
  int start = bHorz ? rect.left + m_rectBorders.left : rect.top + m_rectBorders.top;
  if (m_bHasGripper && !IsFloating()) start += kGripperRoom;
  // First the sizes, then the row's thickness, then the places.
  std::vector<CSize> sizes;
  int thickness = bHorz ? sizeDefault.cy : sizeDefault.cx;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
    CMFCToolBarButton* button = static_cast<CMFCToolBarButton*>(m_Buttons.GetNext(pos));
    CSize size = button->IsVisible() ? CSize(button->OnCalculateSize(dc, sizeDefault, bHorz)) : CSize(0, 0);
    sizes.push_back(size);
    if (size.cx > 0 && size.cy > 0) thickness = std::max<int>(thickness, bHorz ? size.cy : size.cx);
  }
  ::SelectObject(screen, oldFont);
  ::ReleaseDC(nullptr, screen);
  int along = start;
  const int across = bHorz ? rect.top + m_rectBorders.top : rect.left + m_rectBorders.left;
  size_t i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++i) {
    CMFCToolBarButton* button = static_cast<CMFCToolBarButton*>(m_Buttons.GetNext(pos));
    const CSize size = sizes[i];
    const bool shown = size.cx > 0 && size.cy > 0;
    CRect place;
    if (shown) {
      place = bHorz ? CRect(along, across, along + size.cx, across + thickness)
                    : CRect(across, along, across + thickness, along + size.cy);
      along += bHorz ? size.cx : size.cy;
    }
    if (bPlace) {
      button->SetRect(place);
      button->OnShow(shown);
    }
  }
  if (bPlace) {
    m_rectCustomize.SetRectEmpty();
    if (m_bCustomizeButton)
      m_rectCustomize = bHorz ? CRect(along, across, along + kCustomizeWidth, across + thickness)
                              : CRect(across, along, across + thickness, along + kCustomizeWidth);
  }
  if (m_bCustomizeButton) along += kCustomizeWidth;
  const int length = along - (bHorz ? rect.left : rect.top) + (bHorz ? m_rectBorders.right : m_rectBorders.bottom);
  const int depth = thickness + (bHorz ? m_rectBorders.top + m_rectBorders.bottom : m_rectBorders.left + m_rectBorders.right);
  return bHorz ? CSize(length, depth) : CSize(depth, length);
}

CSize CMFCToolBar::CalcFixedLayout(BOOL, BOOL bHorz) { return LayoutButtons(CRect(0, 0, 0, 0), bHorz, FALSE); }

void CMFCToolBar::AdjustLayout() {
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  LayoutButtons(client, IsHorizontal(), TRUE);
  UpdateToolTips();
  Invalidate();
}

void CMFCToolBar::OnButtonsChanged() {
  if (!m_hWnd) return;
  AdjustLayout();
  if (CDockingManager* manager = GetDockingManager()) manager->RecalcLayout();
}

void CMFCToolBar::OnSize(UINT nType, int cx, int cy) {
  CPane::OnSize(nType, cx, cy);
  AdjustLayout();
}

// ---- Painting ----

void CMFCToolBar::DrawButton(CDC* pDC, CMFCToolBarButton* pButton, int iIndex, BOOL bHorz) {
  const CRect rect = pButton->Rect();
  if (rect.IsRectEmpty() || !pButton->IsVisible()) return;
  const BOOL customize = IsCustomizeMode();
  pButton->OnDraw(pDC, rect, GetImages(), bHorz, customize, iIndex == m_iHighlighted && !customize, TRUE, TRUE);
  // The button picked in customize mode carries a frame.
  if (customize && iIndex == m_iSelected) {
    CRect frame = rect;
    pDC->Draw3dRect(&frame, RGB(0, 0, 0), RGB(0, 0, 0));
    frame.DeflateRect(1, 1);
    pDC->Draw3dRect(&frame, RGB(0, 0, 0), RGB(0, 0, 0));
  }
}

void CMFCToolBar::DrawBar(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CMFCVisualManager* look = CMFCVisualManager::GetInstance();
  look->OnFillBarBackground(pDC, this, client, client);
  const BOOL horz = IsHorizontal();
  if (m_bHasGripper && !IsFloating()) {
    CRect gripper = client;
    if (horz)
      gripper.right = gripper.left + kGripperRoom;
    else
      gripper.bottom = gripper.top + kGripperRoom;
    look->OnDrawBarGripper(pDC, gripper, horz, this);
  }
  HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, GetBarFont());
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++i)
    DrawButton(pDC, static_cast<CMFCToolBarButton*>(m_Buttons.GetNext(pos)), i, horz);
  if (!m_rectCustomize.IsRectEmpty()) {
    // The chevron: hot like a button, with the drop-down arrow low in it.
    const CMFCVisualManager::AFX_BUTTON_STATE state =
        m_iHighlighted == -2 ? CMFCVisualManager::ButtonsIsHighlighted : CMFCVisualManager::ButtonsIsRegular;
    look->OnFillButtonInterior(pDC, m_rectCustomize, state, FALSE);
    look->OnDrawButtonBorder(pDC, m_rectCustomize, state, FALSE);
    CRect arrow = m_rectCustomize;
    arrow.top = arrow.bottom - 10;
    look->OnDrawMenuArrow(pDC, arrow, FALSE);
  }
  ::SelectObject(pDC->m_hDC, oldFont);
}

void CMFCToolBar::OnPaint() {
  fw_internal::PaintOffScreen(this, [this](CDC* dc) { DrawBar(dc); });
}

BOOL CMFCToolBar::OnEraseBkgnd(CDC*) { return TRUE; }

// Programs measure texts for the bar with the font it draws them in.
LRESULT CMFCToolBar::OnGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(GetBarFont()); }

LRESULT CMFCToolBar::OnPrintClient(WPARAM wParam, LPARAM) {
  if (HDC dc = reinterpret_cast<HDC>(wParam)) DrawBar(CDC::FromHandle(dc));
  return 0;
}

void CMFCToolBar::InvalidateButton(int iIndex) {
  if (!m_hWnd) return;
  if (iIndex == -2) {
    InvalidateRect(&m_rectCustomize, FALSE);
    return;
  }
  const CMFCToolBarButton* button = GetButton(iIndex);
  if (button && !button->Rect().IsRectEmpty()) InvalidateRect(&button->Rect(), FALSE);
}

// ---- Command states ----

void CMFCToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  if (IsCustomizeMode() || !pTarget) return;
  CToolCmdUI state;
  state.bar = this;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetCount());
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++i) {
    CMFCToolBarButton* button = static_cast<CMFCToolBarButton*>(m_Buttons.GetNext(pos));
    if (button->IsSeparator() || button->m_nID == 0) continue;
    state.button = button;
    state.changed = FALSE;
    state.m_nIndex = static_cast<UINT>(i);
    state.m_nID = button->m_nID;
    // The system's own commands are never disabled for lack of a handler.
    state.DoUpdate(pTarget, bDisableIfNoHndler && button->m_nID < 0xF000);
    if (state.changed) InvalidateButton(i);
  }
}
