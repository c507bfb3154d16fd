#include "DatabaseBar.h"

#include "DrawingToolsBar.h"
#include "ErrorLog.h"
#include "resource.h"

BOOL CRecNumSubEdit::PreTranslateMessage(MSG* pMsg) {
  DEF_TRY
  if (GiveKeyboardToFrame(this, pMsg)) return TRUE;
  DEF_CATCH("CRecNumSubEdit::PreTranslateMessage")
  return CEdit::PreTranslateMessage(pMsg);
}

IMPLEMENT_SERIAL(CRecNumEdit, CMFCToolBarEditBoxButton, 1)

namespace {
int RecNumImage() {
  CCommandManager* manager = GetCmdMgr();
  return manager != nullptr ? manager->GetCmdImage(ID_DB_RECORD_NUMBER) : -1;
}
}  // namespace

CRecNumEdit::CRecNumEdit() : CMFCToolBarEditBoxButton(ID_DB_RECORD_NUMBER, RecNumImage(), ES_READONLY, kWidth) {}

CEdit* CRecNumEdit::CreateEdit(CWnd* pWndParent, const CRect& rect) {
  DEF_TRY
  CRecNumSubEdit* edit = new CRecNumSubEdit;
  if (!edit->Create(GetEditStyle(), rect, pWndParent, m_nID)) {
    delete edit;
    return nullptr;
  }
  return edit;
  DEF_CATCH("CRecNumEdit::CreateEdit")
  return nullptr;
}

BOOL CRecNumEdit::NotifyCommand(int iNotifyCode) {
  DEF_TRY
  const BOOL send = CMFCToolBarEditBoxButton::NotifyCommand(iNotifyCode);
  // The box only shows a number: its focus changes are no commands.
  if (iNotifyCode == EN_SETFOCUS || iNotifyCode == EN_KILLFOCUS) return FALSE;
  return send;
  DEF_CATCH("CRecNumEdit::NotifyCommand")
  return FALSE;
}

IMPLEMENT_SERIAL(CDatabaseBar, CMFCToolBar, 1)

BOOL CDatabaseBar::Create(CWnd* parent) {
  DEF_TRY
  return CreateResourceToolBar(*this, parent, IDR_DATABASE_BAR, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP);
  DEF_CATCH("CDatabaseBar::Create")
  return FALSE;
}

CMFCToolBarEditBoxButton* CDatabaseBar::FindRecNumEdit() {
  CObList buttons;
  CMFCToolBar::GetCommandButtons(ID_DB_RECORD_NUMBER, buttons);
  for (POSITION pos = buttons.GetHeadPosition(); pos;) {
    CObject* button = buttons.GetNext(pos);
    if (button->IsKindOf(RUNTIME_CLASS(CMFCToolBarEditBoxButton))) return static_cast<CMFCToolBarEditBoxButton*>(button);
  }
  return nullptr;
}

void CDatabaseBar::SetRecNum(int number) {
  DEF_TRY
  CMFCToolBarEditBoxButton* box = FindRecNumEdit();
  CEdit* edit = box != nullptr ? box->GetEditBox() : nullptr;
  if (edit == nullptr || edit->m_hWnd == nullptr || !edit->IsWindowVisible()) return;
  CString text;
  text.Format(L"%d", number);
  box->SetContents(text);
  DEF_CATCH("CDatabaseBar::SetRecNum")
}

void CDatabaseBar::EnableRecNumEdit(BOOL enable) {
  DEF_TRY
  CMFCToolBarEditBoxButton* box = FindRecNumEdit();
  CEdit* edit = box != nullptr ? box->GetEditBox() : nullptr;
  if (edit == nullptr || edit->m_hWnd == nullptr) return;
  edit->EnableWindow(enable);
  if (!enable) box->SetContents(CString());
  DEF_CATCH("CDatabaseBar::EnableRecNumEdit")
}
