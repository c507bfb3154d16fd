// File > Send > Fax: the document printed to the fax printer the user chooses, with no print dialog.
#include "FolimarDoc.h"

#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarView.h"
#include "ViewDialogs.h"

void CFolimarDoc::OnFileSendByFax() {
  DEF_TRY
  CFolimarView* view = GetFirstFolimarView();
  if (view != nullptr) view->EndWorkingSignature();
  CWnd* main = AfxGetMainWnd();
  CSendFaxDialog dialog(main);
  if (dialog.DoModal() != IDOK) return;
  CCommandLineInfo request;
  request.m_nShellCommand = CCommandLineInfo::FilePrintTo;
  request.m_strFileName = GetPathName();
  if (!dialog.GetSelectedPrinter(request.m_strPrinterName, request.m_strPortName)) return;
  CFolimarApp* app = GetFolimarApp();
  if (app == nullptr || main == nullptr) return;
  // The request holds for this one print command only.
  app->m_pPrintRequest = &request;
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  app->m_pPrintRequest = nullptr;
  DEF_CATCH("CFolimarDoc::OnFileSendByFax")
  if (CFolimarApp* app = GetFolimarApp()) app->m_pPrintRequest = nullptr;
}
