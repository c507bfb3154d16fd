// Filling forms in bulk: the command-line run after the main frame is up (data from an INI file or a
// stored profile, each template filled, printed, saved and exported), the usage on the parent's
// console, and Records > Fill in Form Fields with the fill-form dialog of Quillet.
#include "BatchData.h"
#include "ErrorLog.h"
#include "FillForm.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "SharedProcs.h"
#include "resource.h"

namespace {

void LogPathFailure(LPCWSTR what, const CString& path) {
  AppendErrorLog(CString(what) + L": " + path);
}

}  // namespace

BOOL CFolimarApp::RunCommandLine() {
  DEF_TRY
  AppendErrorLog(L"cmdInfo.m_bCommandLine passed");
  CFieldMap data(10);
  int code = 0;
  if (m_cmdInfo.GetErrorCode(code)) {
    m_errorCode = code;
  } else if (!m_cmdInfo.m_formGiven && !m_cmdInfo.m_inGiven) {
    AppendErrorLog(L"m_nErrorCode = -13;");
    m_errorCode = CMDLINE_ERROR_NOTHING_TO_DO;
  } else if (ReadBatchData(data)) {
    for (POSITION pos = m_cmdInfo.m_templates.GetHeadPosition(); pos;) FillTemplateInBatch(m_cmdInfo.m_templates.GetNext(pos), data);
  }
  if (m_cmdInfo.m_keepOpen) return TRUE;
  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr) {
    // Nobody is there to answer a save question: the filled copies were saved where asked.
    CTypedPtrList<CPtrList, CFolimarDoc*> documents;
    GetDocumentsList(documents);
    for (POSITION pos = documents.GetHeadPosition(); pos;) documents.GetNext(pos)->SetModifiedFlag(FALSE);
    frame->CloseAllDocumentsWS();
    frame->PostMessage(WM_CLOSE);
  }
  return FALSE;
  DEF_CATCH("CFolimarApp::RunCommandLine")
  return FALSE;
}

BOOL CFolimarApp::ReadBatchData(CFieldMap& data) {
  if (m_cmdInfo.m_iniData) {
    if (!ReadIniData(m_cmdInfo.GetDataFileName(), data)) {
      AppendErrorLog(L"m_nErrorCode = -2;");
      m_errorCode = CMDLINE_ERROR_DATA;
      return FALSE;
    }
  } else if (m_cmdInfo.m_profileData) {
    CFillForm form(data, nullptr);
    form.GetData(m_cmdInfo.m_groupName, m_cmdInfo.m_profileName);
    if (form.CheckError(m_errorCode)) return FALSE;
  }
  return TRUE;
}

void CFolimarApp::FillTemplateInBatch(const CString& path, CFieldMap& data) {
  DEF_TRY
  // Only the document made from this template is filled and written: after a failed creation the
  // active window holds another template's copy, which must not be saved under this name.
  CFolimarDoc* doc = dynamic_cast<CFolimarDoc*>(CreateDocFromTemplate(path));
  if (doc == nullptr) {
    LogPathFailure(L"CFolimarApp::RunCommandLine: no document from the template", path);
    return;
  }
  doc->FillForm(data);
  if (m_cmdInfo.m_print) PrintInBatch(doc);
  const CString name = ExtractFileName(path);
  if (m_cmdInfo.m_saveToOutput && !doc->OnSaveDocument(m_cmdInfo.m_outputFolder + L"\\" + name))
    LogPathFailure(L"CFolimarApp::RunCommandLine: the filled document was not saved", name);
  const CString viz = m_cmdInfo.m_outputFolder + L"\\" + ChangeFileExt(name, L"viz");
  if (m_cmdInfo.m_vizGiven && !doc->StoringVIZ(viz)) LogPathFailure(L"CFolimarApp::RunCommandLine: no data-exchange file", viz);
  DEF_CATCH("CFolimarApp::FillTemplateInBatch")
}

void CFolimarApp::PrintInBatch(CFolimarDoc* doc) {
  CFolimarView* view = doc->GetFirstFolimarView();
  if (view == nullptr) {
    AppendErrorLog(L"CFolimarApp::PrintInBatch: the document has no view to print from");
    return;
  }
  // The view prints without a dialog while the command line is its request.
  m_pPrintRequest = &m_cmdInfo;
  view->DoFilePrint();
  m_pPrintRequest = nullptr;
}

void CFolimarApp::PrintToConsole(UINT stringId) {
  DEF_TRY
  m_errorCode = 0;
  CString text;
  text.LoadString(stringId);
  // The prompt of the waiting shell comes back with an Enter.
  INPUT_RECORD enter = {};
  enter.EventType = KEY_EVENT;
  enter.Event.KeyEvent.bKeyDown = TRUE;
  enter.Event.KeyEvent.wRepeatCount = 1;
  enter.Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
  enter.Event.KeyEvent.wVirtualScanCode = static_cast<WORD>(::MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC));
  enter.Event.KeyEvent.uChar.UnicodeChar = L'\r';
  WriteToParentConsole(text, &enter, 1);
  if (m_pMainWnd != nullptr) m_pMainWnd->PostMessage(WM_CLOSE);
  DEF_CATCH("CFolimarApp::PrintToConsole")
}

// ---- Records > Fill in Form Fields ----

void CFolimarApp::OnFillFormFields() {
  DEF_TRY
  CFieldMap data(10);
  CFillForm form(data, nullptr);
  if (ActiveDocument() == nullptr) form.m_radioIndex = 1;
  if (form.DoModal() != IDOK) return;
  if (form.m_radioIndex != 1) {
    CFolimarDoc* doc = ActiveDocument();
    if (doc != nullptr) doc->FillForm(data);
    return;
  }
  // Filled copies saved into the templates' own folder would overwrite them.
  const BOOL save = form.m_checkOutFolder != 0;
  if (save && IsSameFolder(form.m_inFolder, form.m_outFolder)) {
    ErrorBox(IDS_SAME_IN_OUT_FOLDER);
    return;
  }
  CStringList templates(10), editorDocuments(10);
  if (CollectTemplateFiles(form.m_inFolder, templates, editorDocuments) != 0) return;
  CWaitCursor wait;
  for (POSITION pos = templates.GetHeadPosition(); pos;) {
    const CString path = templates.GetNext(pos);
    CFolimarDoc* doc = dynamic_cast<CFolimarDoc*>(CreateDocFromTemplate(path));
    if (doc == nullptr) {
      LogPathFailure(L"CFolimarApp::OnFillFormFields: no document from the template", path);
      continue;
    }
    doc->FillForm(data);
    if (save && !doc->OnSaveDocument(form.m_outFolder + L"\\" + ExtractFileName(path)))
      LogPathFailure(L"CFolimarApp::OnFillFormFields: the filled document was not saved", path);
  }
  DEF_CATCH("CFolimarApp::OnFillFormFields")
}
