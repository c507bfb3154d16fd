// What the main frame does on window messages rather than commands: the barcode timer, the pages the
// virtual printer hands over, the tool-bar resets that put the boxes and menu buttons in place, the change of the active document tab, a
// closed document window, print preview and the progress display of long image operations.
#include "ChildFrm.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "HandOff.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

// Modes that work on the page image's pixels: a page without an editable image falls back to the
// text-field tool.
BOOL NeedsEditableImage(int mode) {
  switch (mode) {
    case 3: case 4: case 14: case 15: case 17: case 18: case 19: case 20: return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
  DEF_TRY
  CMDIChildWnd* child = MDIGetActive();
  CFolimarDoc* doc = child != nullptr ? dynamic_cast<CFolimarDoc*>(child->GetActiveDocument()) : nullptr;
  if (doc != nullptr) doc->GenerateBarcodes();
  DEF_CATCH("CMainFrame::OnTimer")
  CMDIFrameWndEx::OnTimer(nIDEvent);
}

BOOL CMainFrame::OnCopyData(CWnd*, COPYDATASTRUCT* pCopyDataStruct) {
  DEF_TRY
  AppendErrorLog(L"CMainFrame::OnCopyData");
  CString iniPath;
  if (pCopyDataStruct != nullptr && ReadHandOffPath(*pCopyDataStruct, iniPath)) {
    ClosePrintPreview();
    SetForegroundWindow();
    SetActiveWindow();
    BringWindowToTop();
    CFolimarApp* app = GetFolimarApp();
    if (app != nullptr) app->CreateDocFromIniFile(iniPath);
    AppendErrorLog(iniPath);
  }
  AppendErrorLog(L"CMainFrame::OnCopyData End");
  return TRUE;
  DEF_CATCH("CMainFrame::OnCopyData")
  return FALSE;
}

// ---- Tool-bar resets ----

LRESULT CMainFrame::OnToolbarReset(WPARAM wParam, LPARAM) {
  DEF_TRY
  if (wParam == IDR_MAINFRAME) ResetMainBar();
  if (wParam == IDR_DATABASE_BAR) ResetDatabaseBar();
  DEF_CATCH("CMainFrame::OnToolbarReset")
  return 0;
}

void CMainFrame::ResetMainBar() {
  if (m_mainBar.m_hWnd == nullptr) return;
  m_mainBar.ReplaceButton(ID_COMBO_SCALE, CScaleComboButton(TRUE));
  CFolimarView* view = GetActiveFormView();
  if (view != nullptr) view->SetScaleOnMainBar();

  if (m_spellingMenu != nullptr) ::DestroyMenu(m_spellingMenu);
  m_spellingMenu = nullptr;
  CMenu spelling;
  if (spelling.LoadMenu(IDR_SPELLING_MENU)) {
    m_spellingMenu = spelling.Detach();
    const HMENU popup = ::GetSubMenu(m_spellingMenu, 0);
    if (popup != nullptr) {
      CCommandManager* images = GetCmdMgr();
      const int image = images != nullptr ? images->GetCmdImage(ID_SPELLING) : -1;
      m_mainBar.ReplaceButton(ID_SPELLING, CMFCToolBarMenuButton(ID_SPELLING, popup, image));
    }
  }
  const int highlight = m_mainBar.CommandToIndex(ID_VIEW_HIGHLIGHT_FIELDS);
  if (highlight >= 0) {
    CString text;
    text.LoadString(IDS_HIGHLIGHT_FIELDS);
    m_mainBar.SetButtonText(highlight, text);
    CMFCToolBarButton* button = m_mainBar.GetButton(highlight);
    if (button != nullptr) button->m_bText = TRUE;
  }

  const int erase = m_mainBar.CommandToIndex(ID_ERASE_SIZE);
  if (m_eraseComboShown && erase < 0) {
    CEraseSizeComboButton box;
    const int at = m_mainBar.InsertButton(box);
    CMFCToolBarButton* inserted = at >= 0 ? m_mainBar.GetButton(at) : nullptr;
    if (inserted != nullptr && inserted->IsKindOf(RUNTIME_CLASS(CEraseSizeComboButton)))
      static_cast<CEraseSizeComboButton*>(inserted)->SelectItem(CEraseSizeComboButton::kDefaultIndex, TRUE);
  } else if (!m_eraseComboShown && erase >= 0) {
    m_mainBar.RemoveButton(erase);
  }
  m_mainBar.AdjustLayout();
  RecalcLayout();
}

void CMainFrame::ResetDatabaseBar() {
  if (m_databaseBar.m_hWnd == nullptr) return;
  CMFCToolBarEditBoxButton::SetFlatMode(TRUE);
  m_databaseBar.ReplaceButton(ID_DB_RECORD_NUMBER, CRecNumEdit());
  m_databaseBar.AdjustLayout();
}

// ---- Document windows ----

LRESULT CMainFrame::OnChangeActiveTab(WPARAM, LPARAM) {
  DEF_TRY
  if (MDIGetActive() == nullptr) return Default();
  UpdateTools();
  CFolimarView* view = GetActiveFormView();
  if (NeedsEditableImage(m_programMode) && view != nullptr && !view->IsImageAvailableNotJPGOnActivePage())
    SetProgramMode(1, 1);
  else if (m_programMode == 22)
    StylebarTabOrder(FALSE);
  if (view != nullptr) view->SetScaleOnMainBar();
  DEF_CATCH("CMainFrame::OnChangeActiveTab")
  return Default();
}

LRESULT CMainFrame::OnChildFrameDestroyed(WPARAM, LPARAM) {
  DEF_TRY
  if (MDIGetActive() == nullptr) {
    int noKinds = 0;
    SetPropertyList(_PROPERTIES(), &m_textStyle, &noKinds);
  }
  UpdateTools();
  DEF_CATCH("CMainFrame::OnChildFrameDestroyed")
  return 0;
}

void CMainFrame::UpdateTools() {
  DEF_TRY
  CMDIChildWnd* child = MDIGetActive();
  CFolimarDoc* doc = child != nullptr ? dynamic_cast<CFolimarDoc*>(child->GetActiveDocument()) : nullptr;
  if (doc != nullptr) {
    CDatabaseBar::EnableRecNumEdit(TRUE);
    CDatabaseBar::SetRecNum(doc->GetCurrentRecord());
  } else {
    CDatabaseBar::EnableRecNumEdit(FALSE);
  }
  DEF_CATCH("CMainFrame::UpdateTools")
}

// ---- Print preview ----

BOOL CMainFrame::IsPrintPreviewMode() {
  DEF_TRY
  CMDIChildWnd* child = MDIGetActive();
  if (child == nullptr) return FALSE;
  CChildFrame* frame = dynamic_cast<CChildFrame*>(child);
  return (frame != nullptr && frame->IsPreviewShown()) || child->IsInPrintPreview();
  DEF_CATCH("CMainFrame::IsPrintPreviewMode")
  return FALSE;
}

void CMainFrame::ClosePrintPreview() {
  DEF_TRY
  CMDIChildWnd* child = MDIGetActive();
  if (child != nullptr && IsPrintPreviewMode()) child->ClosePrintPreview();
  DEF_CATCH("CMainFrame::ClosePrintPreview")
}

void CMainFrame::SetPreviewMode(BOOL preview) {
  DEF_TRY
  CBasePane* panes[] = {&m_menuBar, &m_mainBar, &m_formsPane, &m_databaseBar, &m_drawingToolsBar, &m_imageToolBar,
                        &m_shelfBar, &m_propertiesBar};
  if (preview) {
    for (CBasePane* pane : panes) {
      if (pane->m_hWnd == nullptr || !pane->IsVisible()) continue;
      pane->ShowPane(FALSE, TRUE, FALSE);
      m_hiddenInPreview.AddTail(pane);
    }
  } else {
    while (!m_hiddenInPreview.IsEmpty()) {
      CObject* hidden = m_hiddenInPreview.RemoveHead();
      if (hidden->IsKindOf(RUNTIME_CLASS(CBasePane)))
        static_cast<CBasePane*>(hidden)->ShowPane(TRUE, FALSE, TRUE);
      else if (hidden->IsKindOf(RUNTIME_CLASS(CWnd)))
        static_cast<CWnd*>(hidden)->ShowWindow(SW_SHOWNOACTIVATE);
    }
  }
  RecalcLayout();
  DEF_CATCH("CMainFrame::SetPreviewMode")
}

// ---- Progress ----

int CMainFrame::DoProgress(int nPercent, BOOL bCancelAllowed) {
  DEF_TRY
  if (m_progress.m_hWnd == nullptr || m_statusBar.m_hWnd == nullptr) return 0;
  if (!m_progress.IsWindowVisible()) {
    CString text;
    if (bCancelAllowed)
      text.LoadString(IDS_PRESS_ESC_TO_ABORT);
    else
      text = L"   ";
    m_statusBar.SetPaneText(0, text);
    CClientDC dc(&m_statusBar);
    CFont* old = dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(m_statusBar.SendMessage(WM_GETFONT))));
    const int width = dc.GetTextExtent(text).cx;
    dc.SelectObject(old);
    CRect client;
    m_statusBar.GetClientRect(&client);
    m_progress.SetWindowPos(nullptr, client.left + width, client.top + 3, client.Width() / 2 - width,
                            client.Height() - 6, SWP_NOZORDER | SWP_NOACTIVATE);
    m_progress.ShowWindow(SW_SHOWNOACTIVATE);
  }
  m_progress.SetPos(nPercent);
  if (nPercent >= 100) HideProgress();
  if (!bCancelAllowed) return 0;
  // Only Esc is taken: the user's other keys go back into the queue in their order.
  MSG msg;
  BOOL escape = FALSE;
  CArray<MSG, const MSG&> kept;
  while (::PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
    if (msg.wParam == VK_ESCAPE)
      escape = TRUE;
    else
      kept.Add(msg);
  }
  for (INT_PTR i = 0; i < kept.GetSize(); ++i) {
    const MSG& key = kept[i];
    if (key.hwnd != nullptr)
      ::PostMessageW(key.hwnd, key.message, key.wParam, key.lParam);
    else
      ::PostThreadMessageW(::GetCurrentThreadId(), key.message, key.wParam, key.lParam);
  }
  if (!escape) return 0;
  HideProgress();
  return 1;
  DEF_CATCH("CMainFrame::DoProgress")
  return 0;
}

void CMainFrame::HideProgress() {
  DEF_TRY
  if (m_progress.m_hWnd != nullptr) m_progress.ShowWindow(SW_HIDE);
  if (m_statusBar.m_hWnd != nullptr) {
    CString empty;
    empty.LoadString(AFX_IDS_IDLEMESSAGE);
    m_statusBar.SetPaneText(0, empty);
  }
  DEF_CATCH("CMainFrame::HideProgress")
}

void CMainFrame::OnDropFiles(HDROP drop) {
  DEF_TRY
  CWinApp* app = AfxGetApp();
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count && app != nullptr; ++i) {
    const CString path = GetDroppedFilePath(drop, i);
    if (IsDocumentFileName(path)) app->OpenDocumentFile(path);
  }
  DEF_CATCH("CMainFrame::OnDropFiles")
  ::DragFinish(drop);
}
