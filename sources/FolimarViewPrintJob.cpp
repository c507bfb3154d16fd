// The print loop: the print options, one complete print job per record of the chosen range, the
// document's page settings and stored printer applied to the printer, and the print preview.
#include "FolimarView.h"

#include <algorithm>

#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "PrintOptions.h"
#include "SharedProcs.h"
#include "TranspBaseClass.h"
#include "resource.h"

namespace {

// A DEVNAMES block for a printer known by name and port (no driver name), sized from its strings: a
// fixed block overflows with a long printer or port name.
HGLOBAL MakeDevNames(const CString& device, const CString& port) {
  const size_t header = sizeof(DEVNAMES) / sizeof(wchar_t);
  const size_t chars = header + 1 + device.GetLength() + 1 + port.GetLength() + 1;
  if (chars > 0xFFFF) return nullptr;  // the offsets are 16-bit
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, chars * sizeof(wchar_t));
  DEVNAMES* names = block != nullptr ? static_cast<DEVNAMES*>(::GlobalLock(block)) : nullptr;
  if (names == nullptr) {
    if (block != nullptr) ::GlobalFree(block);
    return nullptr;
  }
  wchar_t* text = reinterpret_cast<wchar_t*>(names);
  names->wDriverOffset = static_cast<WORD>(header);
  names->wDeviceOffset = static_cast<WORD>(header + 1);
  names->wOutputOffset = static_cast<WORD>(header + 1 + device.GetLength() + 1);
  names->wDefault = 0;
  wcscpy(text + names->wDeviceOffset, device);
  wcscpy(text + names->wOutputOffset, port);
  ::GlobalUnlock(block);
  return block;
}

// The printer context for a printer named by the caller; null when it cannot be made.
HDC CreateNamedPrinterDC(const CString& driver, const CString& device, const CString& port) {
  if (device.IsEmpty()) return nullptr;
  return ::CreateDCW(driver.IsEmpty() ? nullptr : static_cast<LPCWSTR>(driver), device,
                     port.IsEmpty() ? nullptr : static_cast<LPCWSTR>(port), nullptr);
}

// A print-to request names a printer of its own.
BOOL NamesPrinter(const CCommandLineInfo* request) {
  return request != nullptr && !request->m_strPrinterName.IsEmpty();
}

}  // namespace

// ---- File menu: print and preview ----

void CFolimarView::OnFilePrint() { PrintRecords(FALSE); }
void CFolimarView::OnFilePrintDirect() { PrintRecords(TRUE); }
void CFolimarView::DoFilePrint() { PrintRecords(FALSE); }

void CFolimarView::PrintRecords(BOOL direct) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (doc == nullptr) return;
  CFolimarApp* app = GetFolimarApp();
  const CCommandLineInfo* request = app != nullptr ? app->m_pPrintRequest : nullptr;
  DeactivateActiveObject();
  doc->GenerateBarcodes();
  RestorePrintingPreferences();
  ApplyToPrinter(app != nullptr ? app->GetDevModeHandle() : nullptr, 0, nullptr, FALSE);

  int first = 0, end = 1;
  if (request == nullptr) {
    if (!AskPrintOptions(TRUE, first, end)) return;
  } else {
    const VYCommandLineInfo* line = dynamic_cast<const VYCommandLineInfo*>(request);
    const BOOL dataOnly = line != nullptr && line->m_dataOnly != 0;
    SetPrintMode(dataOnly ? kPrintDataOnly : kPrintBlankPaper, !dataOnly);
  }

  CPrintInfo info;
  info.m_bDirect = direct || request != nullptr;
  CPrintDialog* dialog = info.m_pPD;
  if (NamesPrinter(request)) {
    dialog->m_pd.hDC = CreateNamedPrinterDC(request->m_strDriverName, request->m_strPrinterName,
                                            request->m_strPortName);
    if (dialog->m_pd.hDC == nullptr) {
      ErrorBox(IDS_FAILED_TO_START_PRINT);
      return;
    }
  } else if (direct) {
    HGLOBAL mode = nullptr, names = nullptr;
    AfxGetPrinterHandles(&mode, &names);
    if (names != nullptr) {
      dialog->m_pd.hDevMode = mode;
      dialog->m_pd.hDevNames = names;
      if (dialog->CreatePrinterDC() == nullptr) {
        ErrorBox(IDS_FAILED_TO_START_PRINT);
        return;
      }
    }
  }
  dialog->m_pd.Flags |= PD_HIDEPRINTTOFILE;
  if (!OnPreparePrinting(&info)) return;

  for (int record = first; record < end; ++record)
    if (!PrintOneRecord(&info, record)) break;
  m_printAllObjects = TRUE;
  DEF_CATCH("CFolimarView::OnFilePrint")
}

BOOL CFolimarView::AskPrintOptions(BOOL withRecords, int& first, int& end) {
  CFolimarDoc* doc = GetDocument();
  CMainFrame* frame = GetMainFrame();
  auto toText = [frame](int units) {
    CString text;
    text.Format(L"%.3f", frame != nullptr ? frame->TextunitToCurrent(units) : static_cast<double>(units));
    return text;
  };
  CPrintOptions options(this);
  options.m_leftOffset = toText(doc->m_printOffsetX);
  options.m_topOffset = toText(doc->m_printOffsetY);
  // The preview shows the current record only.
  options.m_recordCount = withRecords ? doc->GetRecordCount() : 1;
  options.m_currentRecord = withRecords ? doc->GetCurrentRecord() : 0;
  if (options.DoModal() != IDOK) return FALSE;
  const int option = options.GetPrintOption();
  if (!withRecords) {
    SetPrintMode(option == 1 ? kPrintBlankPaper : kPrintDataOnly, option == 1);
    return TRUE;
  }
  auto toUnits = [frame](const CString& text) {
    const double value = StrToDouble(text);
    return frame != nullptr ? frame->CurrentToTextunit(value) : static_cast<int>(value);
  };
  const int left = toUnits(options.m_leftOffset), top = toUnits(options.m_topOffset);
  if (left != doc->m_printOffsetX || top != doc->m_printOffsetY) {
    doc->m_printOffsetX = left;
    doc->m_printOffsetY = top;
    doc->SetModifiedFlag(TRUE);
  }
  if (option == 2)
    m_printMode = kPrintImageOnly;
  else
    SetPrintMode(option == 1 ? kPrintBlankPaper : kPrintDataOnly, option == 1);
  first = options.m_firstRecord;
  end = options.m_endRecord;
  return TRUE;
}

BOOL CFolimarView::PrintOneRecord(CPrintInfo* info, int record) {
  CFolimarDoc* doc = GetDocument();
  doc->OnDBMoveOnRecord(record);
  CString title = doc->GetTitle();
  CWnd* main = AfxGetMainWnd();
  if (title.IsEmpty() && main != nullptr) main->GetWindowText(title);
  if (title.GetLength() > 31) title = title.Left(31);

  CDC dc;
  if (!info->m_bDocObject) {
    dc.Attach(info->m_pPD->m_pd.hDC);
    dc.m_bPrinting = TRUE;
  }
  OnBeginPrinting(&dc, info);
  if (info->m_bDocObject) {
    OnPrepareDC(&dc, info);
    OnPrint(&dc, info);
    OnEndPrinting(&dc, info);
    return TRUE;
  }
  if (main != nullptr) main->EnableWindow(FALSE);
  DOCINFOW document = {sizeof(document)};
  document.lpszDocName = title;
  if (dc.StartDoc(&document) <= 0) {
    OnEndPrinting(&dc, info);
    dc.Detach();
    if (main != nullptr) main->EnableWindow(TRUE);
    ErrorBox(IDS_FAILED_TO_START_PRINT);
    return FALSE;
  }
  const UINT from = std::min(std::max(info->GetFromPage(), info->GetMinPage()), info->GetMaxPage());
  const UINT to = std::min(std::max(info->GetToPage(), info->GetMinPage()), info->GetMaxPage());
  const int step = to < from ? -1 : 1;
  BOOL failed = FALSE;
  for (UINT page = from;; page += step) {
    info->m_nCurPage = page;
    m_printing = TRUE;
    OnPrepareDC(&dc, info);
    m_printing = FALSE;
    if (!info->m_bContinuePrinting) break;
    info->m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    dc.DPtoLP(&info->m_rectDraw);
    if (dc.StartPage() <= 0) {
      failed = TRUE;
      break;
    }
    OnPrepareDC(&dc, info);
    OnPrint(&dc, info);
    if (dc.EndPage() <= 0) {
      failed = TRUE;
      break;
    }
    if (page == to) break;
  }
  if (failed)
    dc.AbortDoc();
  else
    dc.EndDoc();
  if (main != nullptr) main->EnableWindow(TRUE);
  OnEndPrinting(&dc, info);
  dc.Detach();
  if (failed) AppendErrorLog(L"CFolimarView::OnFilePrint: a page of the print job failed");
  return !failed;
}

void CFolimarView::OnFilePrintPreview() {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (doc == nullptr) return;
  DeactivateActiveObject();
  doc->GenerateBarcodes();
  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr && frame->GetProgramMode() == PROGRAM_MODE_TAB_ORDER) frame->SetProgramMode(1, 1);
  RestorePrintingPreferences();
  int first = 0, end = 1;
  if (!AskPrintOptions(FALSE, first, end)) return;
  DoPrintPreview();
  DEF_CATCH("CFolimarView::OnFilePrintPreview")
}

// ---- The framework's printing steps ----

BOOL CFolimarView::OnPreparePrinting(CPrintInfo* pInfo) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (doc != nullptr) pInfo->SetMaxPage(doc->GetPageCount());
  CFolimarApp* app = GetFolimarApp();
  const CCommandLineInfo* request = app != nullptr ? app->m_pPrintRequest : nullptr;
  if (pInfo->m_bDirect) {
    if (request == nullptr) SetPrintMode(kPrintBlankPaper, TRUE);
    CPrintDialog* dialog = pInfo->m_pPD;
    if (dialog->m_pd.hDevNames == nullptr) {
      CString device, port;
      if (NamesPrinter(request)) {
        device = request->m_strPrinterName;
        port = request->m_strPortName;
      } else {
        HGLOBAL names = nullptr;
        AfxGetPrinterHandles(nullptr, &names);
        CPrintDialog current(TRUE);
        current.m_pd.hDevNames = names;
        device = current.GetDeviceName();
        port = current.GetPortName();
        current.m_pd.hDevNames = nullptr;
      }
      if (!device.IsEmpty()) dialog->m_pd.hDevNames = MakeDevNames(device, port);
    }
  }
  return DoPreparePrinting(pInfo);
  DEF_CATCH("CFolimarView::OnPreparePrinting")
  return FALSE;
}

void CFolimarView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  const BOOL preview = frame != nullptr && frame->IsPrintPreviewMode();
  if ((preview || m_printing) && pInfo != nullptr)
    ApplyToPrinter(pInfo->m_pPD->m_pd.hDevMode, static_cast<int>(pInfo->m_nCurPage) - 1, pDC, TRUE);
  DEF_CATCH("CFolimarView::OnPrepareDC")
  CScrollView::OnPrepareDC(pDC, pInfo);
}

void CFolimarView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  DEF_TRY
  DrawPrint(pDC, static_cast<int>(pInfo->m_nCurPage) - 1, pInfo->m_bPreview ? kOutputPreview : kOutputPrinter, nullptr);
  DEF_CATCH("CFolimarView::OnPrint")
}

// ---- The document's printer settings ----

void CFolimarView::ApplyToPrinter(HGLOBAL devMode, int pageIndex, CDC* pDC, BOOL reset) {
  DEF_TRY
  AppendErrorLog(L"CFolimarView::ApplyToPrinter");
  CFolimarDoc* doc = GetDocument();
  if (doc != nullptr && devMode != nullptr && doc->IsAppliedToPrinter()) {
    AppendErrorLog(L"CFolimarView::IsAppliedToPrinter");
    DEVMODEW* mode = static_cast<DEVMODEW*>(::GlobalLock(devMode));
    if (mode == nullptr) {
      CString text;
      text.Format(L"CFolimarView::ApplyToPrinter: GlobalLock error: %d", static_cast<int>(::GetLastError()));
      AppendErrorLog(text);
    } else {
      _PAGE_SETTINGS settings = {};
      doc->GetPageSettings(settings, pageIndex);
      // A zero is a value the page never had (derived settings leave quality and resolution 0): the
      // printer keeps its own then.
      const struct {
        short value;
        short* field;
        DWORD flag;
      } copies[] = {{settings.orientation, &mode->dmOrientation, DM_ORIENTATION},
                    {settings.paperSize, &mode->dmPaperSize, DM_PAPERSIZE},
                    {settings.printQuality, &mode->dmPrintQuality, DM_PRINTQUALITY},
                    {settings.yResolution, &mode->dmYResolution, DM_YRESOLUTION}};
      for (const auto& copy : copies) {
        if (copy.value == 0) continue;
        *copy.field = copy.value;
        mode->dmFields |= copy.flag;
      }
      // The preview records into a metafile; its printer answers for it and is the one reset.
      const HDC printer = pDC != nullptr ? (pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : pDC->m_hDC) : nullptr;
      if (reset && printer != nullptr && ::ResetDCW(printer, mode) == nullptr)
        AppendErrorLog(L"CFolimarView::ApplyToPrinter: ResetDC error");
      ::GlobalUnlock(devMode);
    }
  }
  AppendErrorLog(L"CFolimarView::ApplyToPrinter End");
  DEF_CATCH("CFolimarView::ApplyToPrinter")
}

void CFolimarView::RestorePrintingPreferences() {
  DEF_TRY
  AppendErrorLog(L"CFolimarView::RestorePrintingPreferences");
  CFolimarDoc* doc = GetDocument();
  CFolimarApp* app = GetFolimarApp();
  if (doc != nullptr && doc->IsSavedPrintingPreferences()) {
    AppendErrorLog(L"CFolimarView::IsSavedPrintingPreferences");
    if (app == nullptr || app->RestorePrinterSelection() == 0)
      AppendErrorLog(L"CFolimarView::RestorePrintingPreferences error");
  }
  AppendErrorLog(L"CFolimarView::RestorePrintingPreferences End");
  DEF_CATCH("CFolimarView::RestorePrintingPreferences")
}
