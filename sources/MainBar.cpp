#include "MainBar.h"

#include <cwchar>

#include "DrawingToolsBar.h"
#include "ErrorLog.h"
#include "ViewGeometry.h"
#include "resource.h"

namespace {

// The eraser's side in pixels for each item of the erase-size box.
const int kEraseSizes[CEraseSizeComboButton::kSizes] = {1, 2, 3, 4, 8, 16, 32, 64, 128, 256};

int ImageOf(UINT command) {
  CCommandManager* manager = GetCmdMgr();
  return manager != nullptr ? manager->GetCmdImage(command) : -1;
}

}  // namespace

// ---- The scale box ----

IMPLEMENT_SERIAL(CScaleComboButton, CMFCToolBarComboBoxButton, 1)

CScaleComboButton::CScaleComboButton() : CMFCToolBarComboBoxButton(ID_COMBO_SCALE, -1, CBS_DROPDOWN, kWidth) {}

CScaleComboButton::CScaleComboButton(BOOL fillRows) : CScaleComboButton() {
  if (!fillRows) return;
  for (const ZOOM_ROW& row : g_zoomTable) {
    CString text;
    text.Format(L"%d%%", row.percent);
    AddItem(text);
  }
  for (UINT id : {IDS_FIT_TO_WIDTH, IDS_FIT_TO_WINDOW}) {
    CString text;
    text.LoadString(id);
    AddItem(text);
  }
}

BOOL CScaleComboButton::NotifyCommand(int iNotifyCode) {
  DEF_TRY
  const BOOL send = CMFCToolBarComboBoxButton::NotifyCommand(iNotifyCode);
  if (iNotifyCode != CBN_SELENDOK || !send) return send;
  // A row of the list: the frame hears the box's selection change, which the view answers by the
  // row (a fit is no percentage). Anything typed goes out as the command.
  CComboBox* combo = GetComboBox();
  if (combo == nullptr || combo->m_hWnd == nullptr || GetCurSel() < 0) return TRUE;
  CMFCToolBar* bar = GetToolBar();
  CFrameWnd* frame = bar != nullptr ? bar->GetCommandTarget() : nullptr;
  if (frame == nullptr) return TRUE;
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(m_nID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo->m_hWnd));
  return FALSE;
  DEF_CATCH("CScaleComboButton::NotifyCommand")
  return FALSE;
}

// ---- The erase-size box ----

BOOL CEraseSizeComboBox::PreTranslateMessage(MSG* pMsg) {
  DEF_TRY
  if (GiveKeyboardToFrame(this, pMsg)) return TRUE;
  DEF_CATCH("CEraseSizeComboBox::PreTranslateMessage")
  return CComboBox::PreTranslateMessage(pMsg);
}

IMPLEMENT_SERIAL(CEraseSizeComboButton, CMFCToolBarComboBoxButton, 1)

CEraseSizeComboButton::CEraseSizeComboButton()
    : CMFCToolBarComboBoxButton(ID_ERASE_SIZE, ImageOf(ID_ERASE_SIZE), CBS_DROPDOWNLIST, kWidth) {
  for (int i = 0; i < kSizes; ++i) {
    CString text;
    text.Format(L"%dx%d", kEraseSizes[i], kEraseSizes[i]);
    AddItem(text);
  }
}

int CEraseSizeComboButton::SizeOfIndex(int index) { return index >= 0 && index < kSizes ? kEraseSizes[index] : 0; }

BOOL CEraseSizeComboButton::NotifyCommand(int iNotifyCode) {
  DEF_TRY
  CString line;
  line.Format(L"iNotifyCode: %d", iNotifyCode);
  AppendErrorLog(line);
  const BOOL send = CMFCToolBarComboBoxButton::NotifyCommand(iNotifyCode);
  // The box's focus changes end here: they are no choice of a size.
  if (iNotifyCode == CBN_SETFOCUS || iNotifyCode == CBN_KILLFOCUS) return FALSE;
  return send;
  DEF_CATCH("CEraseSizeComboButton::NotifyCommand")
  return FALSE;
}

CComboBox* CEraseSizeComboButton::CreateCombo(CWnd* pWndParent, const CRect& rect) {
  DEF_TRY
  CEraseSizeComboBox* combo = new CEraseSizeComboBox;
  if (!combo->Create(GetComboStyle(), rect, pWndParent, m_nID)) {
    delete combo;
    return nullptr;
  }
  return combo;
  DEF_CATCH("CEraseSizeComboButton::CreateCombo")
  return nullptr;
}

// ---- The bar ----

IMPLEMENT_SERIAL(CMainBar, CMFCToolBar, 1)

CScaleComboButton* CMainBar::GetScaleButton() {
  const int index = CommandToIndex(ID_COMBO_SCALE);
  CMFCToolBarButton* button = index >= 0 ? GetButton(index) : nullptr;
  return button != nullptr && button->IsKindOf(RUNTIME_CLASS(CScaleComboButton)) ? static_cast<CScaleComboButton*>(button)
                                                                                 : nullptr;
}

CComboBox* CMainBar::GetScaleComboBox() {
  CScaleComboButton* button = GetScaleButton();
  CComboBox* combo = button != nullptr ? button->GetComboBox() : nullptr;
  return combo != nullptr && combo->m_hWnd != nullptr ? combo : nullptr;
}

int CMainBar::GetScaleSelIndex() {
  DEF_TRY
  CComboBox* box = GetScaleComboBox();
  if (box == nullptr) return 0;
  const int selected = box->GetCurSel();
  return selected == CB_ERR ? 1 : selected;
  DEF_CATCH("CMainBar::GetScaleSelIndex")
  return 0;
}

int CMainBar::GetScalePercent() {
  DEF_TRY
  CComboBox* box = GetScaleComboBox();
  if (box == nullptr) return 100;
  CString text;
  box->GetWindowText(text);
  int percent = 0;
  if (swscanf(text, L"%d", &percent) != 1) return 100;
  return percent;
  DEF_CATCH("CMainBar::GetScalePercent")
  return 0;
}

void CMainBar::SetScalePercent(LPCTSTR text) {
  DEF_TRY
  CScaleComboButton* button = GetScaleButton();
  if (button != nullptr) button->SetText(text);
  DEF_CATCH("CMainBar::SetScalePercent")
}

void CMainBar::SetSnapToGrid(BOOL on) {
  DEF_TRY
  m_snapToGrid = on ? 1 : 0;
  const int index = CommandToIndex(ID_VIEW_SNAP_TO_GRID);
  if (index < 0) return;
  const UINT style = GetButtonStyle(index);
  SetButtonStyle(index, m_snapToGrid ? (style | TBBS_CHECKED) : (style & ~TBBS_CHECKED));
  DEF_CATCH("CMainBar::SetSnapToGrid")
}

CEraseSizeComboButton* CMainBar::GetEraseSizeButton() {
  const int index = CommandToIndex(ID_ERASE_SIZE);
  CMFCToolBarButton* button = index >= 0 ? GetButton(index) : nullptr;
  return button != nullptr && button->IsKindOf(RUNTIME_CLASS(CEraseSizeComboButton))
             ? static_cast<CEraseSizeComboButton*>(button)
             : nullptr;
}

BOOL CMainBar::GetEraseSize(int& index, int& size) {
  DEF_TRY
  CEraseSizeComboButton* button = GetEraseSizeButton();
  if (button == nullptr) return FALSE;
  CComboBox* combo = button->GetComboBox();
  const int selected = combo != nullptr && combo->m_hWnd != nullptr ? combo->GetCurSel() : button->GetCurSel();
  if (selected < 0) {
    index = -1;
    return FALSE;
  }
  index = selected;
  size = CEraseSizeComboButton::SizeOfIndex(selected);
  return size > 0;
  DEF_CATCH("CMainBar::GetEraseSize")
  return FALSE;
}
