// Pages rendered for output from a real view in a multiple-document frame: page bitmaps and the page
// metafile read back by pixels, and the print loop on a PostScript printer of Wine's spooler that
// writes each job into a file of its own. With the environment variable VANTRY_PRINT_OUT (a Linux
// folder) the jobs are left there with the screen pictures of the same pages, for check_print_jobs.py
// to have Ghostscript render them and compare.
#include "FolimarView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "DialogDriver.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "InstalledPrinter.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "RecordedMessageBoxes.h"
#include "ToolTestSupport.h"
#include <pdfwriter/PdfComponent.h>
#include "support/LetterPdf.h"
#include "TranspShapes.h"
#include "TranspText.h"
#include "resource.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kGrey = RGB(64, 64, 64);
const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
const int kInch = 100000;  // document units
const wchar_t kPrinterName[] = L"Orvello Print Test";

LMyBitmap* QuadrantImage(int width, int height, int dpi) {
  LMyBitmap* bitmap = new LMyBitmap;
  bitmap->Create(width, height, 24);
  bitmap->SetXResolution(dpi);
  bitmap->SetYResolution(dpi);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap->PutPixelColor(x, y, y < height / 2 ? (x < width / 2 ? kRed : kGreen) : (x < width / 2 ? kBlue : kGrey));
  return bitmap;
}

std::string ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\" + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  do files.push_back(folder + L"\\" + data.cFileName);
  while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(files.begin(), files.end());
  return files;
}

// Two letter pages: the first with a 200 x 100 quadrant image at the screen's resolution, a blue
// rectangle and the text field "Name"; the second with a 300 x 150 quadrant image at 150 dpi and a
// red ellipse. Two records fill "Name" with "Alpha" and "Beta".
class ViewPrintTest : public ToolWindowTest {
 protected:
  void SetUp() override {
    static bool installed = false;
    if (!installed) {
      CFolimarApp::RegisterProgramServices();
      installed = true;
    }
    ToolWindowTest::SetUp();
    ASSERT_NE(view, nullptr);
    boxes = std::make_unique<fixtures::RecordedMessageBoxes>();
    doc = view->GetDocument();
    frame->Options().highlightFields = 0;
    frame->Options().textFieldHeaders = 0;
    CPageInfo* second = doc->AppendNewPage();
    second->m_settings = doc->GetPage(0)->m_settings;
    doc->InitPageDBTable(second);
    doc->GetPage(0)->SetBitmap(QuadrantImage(200, 100, view->GetGeometry().m_dpiX));
    second->SetBitmap(QuadrantImage(300, 150, 150));

    _OBJECT_STYLE style;
    SetDefaultTextStyle(&style);
    style.printable = 1;
    style.color = kBlue;
    style.lineWidth = kInch / 24;
    // A new shape starts off paper; the rectangle is put on it, the ellipse stays off.
    CTranspRectangle* rectangle = new CTranspRectangle(view, {kInch, 3 * kInch / 2, 5 * kInch / 2, 2 * kInch}, &style, 0);
    rectangle->SetObjectStyle(nullptr, &style, nullptr, 0);
    AddObject(rectangle);
    style.color = kRed;
    AddObject(new CTranspEllipse(view, {kInch, 2 * kInch, 3 * kInch, 3 * kInch}, &style, 1));
    style.fontSize = 24;
    style.font.lfHeight = -240;
    style.textColor = kBlack;
    name = new CTranspText(view, kInch / 2, 5 * kInch / 2, &style, nullptr, L"", 0);
    name->SetName(L"Name");
    AddObject(name);
    doc->AddDBField(name, 0);
    while (doc->GetRecordCount() < 2) doc->AddRecord();
    doc->GetPage(0)->m_table[0][0] = L"Alpha";
    doc->GetPage(0)->m_table[1][0] = L"Beta";
    doc->DoFieldsExchange(0);
    view->SetTranspView();
    Settle();
  }
  void AddObject(CTranspBaseClass* object) { ASSERT_TRUE(doc->AddObjectToList(object)); }

  CFolimarDoc* doc = nullptr;
  CTranspText* name = nullptr;
  std::unique_ptr<fixtures::RecordedMessageBoxes> boxes;
};

// ---- Page bitmaps and the page metafile ----

// The bitmap has the paper's size at the page image's resolution; the image lands pixel for pixel,
// erased areas are white, objects are drawn unless only the image is asked for.
TEST_F(ViewPrintTest, PageBitmapsHoldTheImageAndTheObjectsAtTheImageResolution) {
  doc->GetPage(0)->m_eraseList.AddErased({10, 10, 30, 30});
  const int dpi = view->GetGeometry().m_dpiX;
  struct Case {
    int page, flag, dpi;
    POINT red, object;
    COLORREF objectColor;
  } cases[] = {{0, 0, dpi, {60, 25}, {3 * dpi / 2, 3 * dpi / 2 + 1}, kBlue},
               {0, 1, dpi, {60, 25}, {3 * dpi / 2, 3 * dpi / 2 + 1}, kWhite},
               {1, 0, 150, {75, 37}, {2 * 150, 2 * 150 + 1}, kRed}};
  for (const Case& c : cases) {
    LBitmapBase bitmap;
    ASSERT_EQ(1, view->GetPageAsBitmap(c.page, &bitmap, c.flag)) << c.page;
    EXPECT_EQ(static_cast<int>(c.dpi * 8.5), bitmap.GetWidth()) << c.page;
    EXPECT_EQ(c.dpi * 11, bitmap.GetHeight()) << c.page;
    EXPECT_EQ(c.dpi, bitmap.GetXResolution());
    EXPECT_EQ(24, bitmap.GetBitsPerPixel());
    EXPECT_EQ(kRed, bitmap.GetPixelColor(c.red.x, c.red.y)) << c.page;
    EXPECT_EQ(kWhite, bitmap.GetPixelColor(c.dpi * 4, c.dpi * 4)) << "beyond the image: " << c.page;
    EXPECT_EQ(c.objectColor, bitmap.GetPixelColor(c.object.x, c.object.y)) << c.page << " flag " << c.flag;
  }
  LBitmapBase first;
  ASSERT_EQ(1, view->GetPageAsBitmap(0, &first, 0));
  EXPECT_EQ(kWhite, first.GetPixelColor(20, 20)) << "erased";
  EXPECT_EQ(kRed, first.GetPixelColor(35, 20));

  LBitmapList list;
  ASSERT_EQ(1, view->GetDocumentAsBitmapList(&list));
  ASSERT_EQ(2, list.GetItemsCount());
  EXPECT_EQ(816, list.Item(0)->GetWidth());
  EXPECT_EQ(1275, list.Item(1)->GetWidth());
  LBitmapBase active;
  view->SetActivePage(1);
  ASSERT_EQ(1, view->GetActivePageAsBitmap(&active));
  EXPECT_EQ(1275, active.GetWidth());
}

// The metafile file holds the page at the paper's size; played back, the image and objects are there.
TEST_F(ViewPrintTest, APageMetafileFileShowsThePageAtItsPaperSize) {
  const std::wstring path = temp_.Path() + L"page.emf";
  HENHMETAFILE metafile = view->WritePageToEmf(0, path.c_str());
  ASSERT_NE(metafile, nullptr);
  ::DeleteEnhMetaFile(metafile);
  HENHMETAFILE read = ::GetEnhMetaFileW(path.c_str());
  ASSERT_NE(read, nullptr) << "the file stays written";
  ENHMETAHEADER header = {};
  ASSERT_NE(0u, ::GetEnhMetaFileHeader(read, sizeof(header), &header));
  EXPECT_NEAR(8.5 * 2540, header.rclFrame.right - header.rclFrame.left, 30);
  EXPECT_NEAR(11 * 2540, header.rclFrame.bottom - header.rclFrame.top, 30);

  // Played at 96 pixels an inch onto a canvas of the page.
  const int dpi = view->GetGeometry().m_dpiX;
  LBitmapBase canvas;
  ASSERT_EQ(SUCCESS, canvas.Create(816, 1056, 24));
  canvas.Fill(RGB(1, 2, 3));
  HDC dc = canvas.CreateLeadDC();
  const RECT sheet = {0, 0, 816, 1056};
  ASSERT_TRUE(::PlayEnhMetaFile(dc, read, &sheet));
  LBitmapBase::DeleteLeadDC(dc);
  ::DeleteEnhMetaFile(read);
  EXPECT_EQ(kRed, canvas.GetPixelColor(50 * 96 / dpi, 25 * 96 / dpi));
  EXPECT_EQ(kGrey, canvas.GetPixelColor(150 * 96 / dpi, 75 * 96 / dpi));
  EXPECT_EQ(kBlue, canvas.GetPixelColor(144, 145));
  EXPECT_EQ(kWhite, canvas.GetPixelColor(600, 900)) << "the page is white, not the canvas";

  EXPECT_EQ(nullptr, view->WritePageToEmf(5, (temp_.Path() + L"none.emf").c_str())) << "no such page";
}

// ---- The print loop ----

// The test printer: Wine's PostScript driver, its port a command that writes every job into a new file
// of `folder`.
class PrintJobTest : public ViewPrintTest {
 protected:
  void SetUp() override {
    ViewPrintTest::SetUp();
    wchar_t shared[MAX_PATH] = L"";
    if (GetEnvironmentVariableW(L"VANTRY_PRINT_OUT", shared, MAX_PATH) > 0)
      outputRoot = std::wstring(L"Z:") + shared;
    else
      outputRoot = temp_.Path() + L"print";
    CreateDirectoryW(outputRoot.c_str(), nullptr);
    const std::wstring unixRoot = testing_support::UnixPath(outputRoot);
    ASSERT_FALSE(unixRoot.empty());
    jobs = outputRoot + L"\\jobs";
    CreateDirectoryW(jobs.c_str(), nullptr);
    for (const std::wstring& old : FilesIn(jobs, L"*")) DeleteFileW(old.c_str());
    const std::wstring port = L"|cat > " + unixRoot + L"/jobs/job-$$.ps";
    printer = std::make_unique<testing_support::InstalledPrinter>(
        kPrinterName, std::wstring(VANTRY_SOURCE_DIR) + L"/tests/vpd/data/VantrySimplex.ppd", port);
    ASSERT_TRUE(printer->installed());
    ASSERT_TRUE(SetDefaultPrinterW(kPrinterName));
    AfxSetPrinterHandles(nullptr, nullptr);
    GetFolimarApp()->UpdatePrinterSettings();
  }
  void TearDown() override {
    AfxSetPrinterHandles(nullptr, nullptr);
    printer.reset();
    ViewPrintTest::TearDown();
  }
  // File > Print with the options dialog worked by `script`; with `confirmed` the print dialog
  // follows and is confirmed as it stands (the default printer).
  void Print(const std::function<void(HWND)>& script, bool confirmed = true) {
    testing_support::RunDialog(
        [this] {
          view->SendMessage(WM_COMMAND, ID_FILE_PRINT);
          return IDOK;
        },
        [&script, confirmed](HWND options) {
          script(options);
          if (!confirmed) return;
          HWND print = testing_support::WaitForNextDialog(options);
          ASSERT_NE(nullptr, print) << "the print dialog";
          testing_support::Click(print, IDOK);
        });
  }
  // The spooler's command ends after the job: wait for the files to be complete.
  std::vector<std::wstring> Jobs(size_t expected) {
    std::vector<std::wstring> files;
    for (int i = 0; i < 100; ++i) {
      files = FilesIn(jobs, L"job-*.ps");
      bool complete = files.size() >= expected;
      for (const std::wstring& f : files) complete = complete && ReadAll(f).find("%%EOF") != std::string::npos;
      if (complete) break;
      Sleep(100);
    }
    return files;
  }
  // The view's picture of a page at zoom 1 (highlighting and headers off) as a PPM file.
  void SaveScreen(int page, const std::wstring& name) {
    view->SetActivePage(page);
    view->SetViewScale(1.0);
    view->DeselectObjects();
    Settle();
    view->GetScaledPageCache().WaitForJobs();
    Settle();
    const ClientPicture picture = Picture();
    std::ofstream out((outputRoot + L"\\" + name).c_str(), std::ios::binary);
    out << "P6\n" << picture.Width() << " " << picture.Height() << "\n255\n";
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x) {
        const COLORREF c = picture.At(x, y);
        out.put(static_cast<char>(GetRValue(c))).put(static_cast<char>(GetGValue(c))).put(static_cast<char>(GetBValue(c)));
      }
  }
  // Moves the job files to names of the case, in the order they were written.
  void KeepJobs(const std::vector<std::wstring>& files, const std::wstring& prefix) {
    std::vector<std::pair<FILETIME, std::wstring>> byTime;
    for (const std::wstring& f : files) {
      WIN32_FILE_ATTRIBUTE_DATA data;
      GetFileAttributesExW(f.c_str(), GetFileExInfoStandard, &data);
      byTime.push_back({data.ftLastWriteTime, f});
    }
    std::sort(byTime.begin(), byTime.end(), [](const auto& a, const auto& b) {
      return CompareFileTime(&a.first, &b.first) < 0;
    });
    for (size_t i = 0; i < byTime.size(); ++i)
      MoveFileExW(byTime[i].second.c_str(), (outputRoot + L"\\" + prefix + std::to_wstring(i) + L".ps").c_str(),
                  MOVEFILE_REPLACE_EXISTING);
  }

  std::wstring outputRoot, jobs;
  std::unique_ptr<testing_support::InstalledPrinter> printer;
};

// Blank paper, all records: one job per record, each of both pages, each filled with its record; the
// document ends on the last record. A corner of the image is erased. The pages as printed and as shown go to the host's check.
TEST_F(PrintJobTest, BlankPaperPrintsOneJobPerRecordWithEveryPage) {
  doc->GetPage(0)->m_eraseList.AddErased({10, 10, 40, 40});  // white on paper and on screen
  Print([](HWND dialog) {
    testing_support::Click(dialog, IDC_RADIO_TEXT_IMAGE);
    testing_support::Click(dialog, IDC_RADIO_ALL_RECORDS);
    testing_support::Click(dialog, IDOK);
  });
  const std::vector<std::wstring> files = Jobs(2);
  ASSERT_EQ(2u, files.size()) << "one job per record";
  for (const std::wstring& f : files) {
    const std::string job = ReadAll(f);
    EXPECT_EQ(0u, job.find("%!PS")) << job.substr(0, 40);
    EXPECT_NE(std::string::npos, job.find("%%Pages: 2")) << "both pages in each job";
  }
  EXPECT_EQ(1, doc->GetCurrentRecord()) << "the document stays on the record printed last";
  KeepJobs(files, L"blank-record");
  for (int record = 0; record < 2; ++record) {
    doc->OnDBMoveOnRecord(record);
    for (int page = 0; page < 2; ++page)
      SaveScreen(page, L"screen-record" + std::to_wstring(record) + L"-page" + std::to_wstring(page) + L".ppm");
  }
}

// A preprinted form: the current record only, without the page image, the objects moved by the
// output offset typed in the dialog, which the document keeps.
TEST_F(PrintJobTest, APreprintedFormLeavesOutThePageImageAndShiftsTheObjects) {
  frame->Options().unit = 0;  // inches
  Print([](HWND dialog) {
    testing_support::Click(dialog, IDC_RADIO_TEXT_ONLY);
    testing_support::TypeText(dialog, IDC_EDIT_XPOSITION, L"0.5");
    testing_support::TypeText(dialog, IDC_EDIT_YPOSITION, L"0.25");
    testing_support::Click(dialog, IDOK);
  });
  const std::vector<std::wstring> files = Jobs(1);
  ASSERT_EQ(1u, files.size()) << "the current record only";
  EXPECT_EQ(kInch / 2, doc->m_printOffsetX);
  EXPECT_EQ(kInch / 4, doc->m_printOffsetY);
  EXPECT_TRUE(doc->IsModified());
  KeepJobs(files, L"preprinted-record");
  SaveScreen(0, L"screen-preprinted-page0.ppm");
}

// Cancelling the options prints nothing; the offsets stay.
TEST_F(PrintJobTest, CancellingTheOptionsPrintsNothing) {
  Print([](HWND dialog) { testing_support::Click(dialog, IDCANCEL); }, false);
  EXPECT_TRUE(Jobs(0).empty());
  EXPECT_EQ(0, doc->m_printOffsetX);
}

// A fax goes to the printer chosen in the fax dialog, with the page image, without any dialog of the
// print loop, and the request is gone afterwards.
TEST_F(PrintJobTest, AFaxPrintsToTheChosenPrinterWithoutAsking) {
  WriteSettingString(L"FaxDriverName", kPrinterName);
  testing_support::RunDialog(
      [this] {
        frame->SendMessage(WM_COMMAND, ID_FILE_SEND_FAX);
        return IDOK;
      },
      [](HWND dialog) {
        EXPECT_EQ(std::wstring(kPrinterName), testing_support::ComboSelection(dialog, 1118));
        testing_support::Click(dialog, IDOK);
      });
  const std::vector<std::wstring> files = Jobs(1);
  ASSERT_EQ(1u, files.size());
  EXPECT_NE(std::string::npos, ReadAll(files[0]).find("%%Pages: 2"));
  EXPECT_EQ(nullptr, GetFolimarApp()->m_pPrintRequest);
}

// The print dialog's printer names, built for a printer the application knows only by name and port,
// hold names of any length: the block is sized from them.
TEST_F(PrintJobTest, ALongPrinterAndPortNameFitTheNamesBlock) {
  CCommandLineInfo request;
  request.m_nShellCommand = CCommandLineInfo::FilePrintTo;
  request.m_strPrinterName = kPrinterName;
  request.m_strPortName = CString(std::wstring(900, L'x').c_str());
  GetFolimarApp()->m_pPrintRequest = &request;
  CPrintInfo info;
  info.m_bDirect = TRUE;
  // A context made already, as the print loop makes it for a named printer.
  info.m_pPD->m_pd.hDC = CreateDCW(nullptr, kPrinterName, nullptr, nullptr);
  ASSERT_NE(nullptr, info.m_pPD->m_pd.hDC);
  EXPECT_TRUE(view->OnPreparePrinting(&info));
  GetFolimarApp()->m_pPrintRequest = nullptr;
  EXPECT_EQ(2u, info.GetMaxPage());
  ASSERT_NE(nullptr, info.m_pPD->m_pd.hDevNames);
  EXPECT_EQ(CString(kPrinterName), info.m_pPD->GetDeviceName());
  EXPECT_EQ(900, info.m_pPD->GetPortName().GetLength());
  EXPECT_EQ(CString(L""), info.m_pPD->GetDriverName());
}

}  // namespace

namespace {

// With the document's page settings applied, each page reaches the printer with its own orientation
// and the paper of the page settings, and the steps are logged; without, the printer's own settings
// (A4, portrait) hold for every page.
TEST_F(PrintJobTest, PageSettingsReachThePrinterPageByPageWhenTheDocumentAppliesThem) {
  _PAGE_SETTINGS settings = doc->GetPage(0)->m_settings;
  settings.orientation = DMORIENT_PORTRAIT;
  settings.paperSize = DMPAPER_LETTER;
  doc->SetPageSettings(settings, 0);
  settings.orientation = DMORIENT_LANDSCAPE;
  std::swap(settings.width, settings.height);
  doc->SetPageSettings(settings, 1);
  const struct {
    int apply;
    const char *paper, *secondPage;
  } cases[] = {{1, "*PageSize Letter", "-90 rotate"}, {0, "*PageSize A4", "0 rotate"}};
  for (const auto& c : cases) {
    doc->Options().applyToPrinter = c.apply;
    // The application's printer as it starts: the system default's own settings.
    AfxSetPrinterHandles(nullptr, nullptr);
    GetFolimarApp()->UpdatePrinterSettings();
    for (const std::wstring& old : FilesIn(jobs, L"*")) DeleteFileW(old.c_str());
    Print([](HWND dialog) { testing_support::Click(dialog, IDOK); });
    const std::vector<std::wstring> files = Jobs(1);
    ASSERT_EQ(1u, files.size());
    const std::string job = ReadAll(files[0]);
    const size_t second = job.find("%%Page: 2 2");
    ASSERT_NE(std::string::npos, second);
    EXPECT_NE(std::string::npos, job.find(c.paper)) << c.apply;
    EXPECT_NE(std::string::npos, job.find("\n0 rotate", job.find("%%Page: 1 1"))) << c.apply << ": page 1 portrait";
    EXPECT_EQ(second, job.rfind("%%Page:", job.find(std::string("\n") + c.secondPage, second))) << c.apply;
  }
  const std::string log = testing_support::ReadFileBytes(std::wstring(GetErrorLogPathName()));
  const std::wstring text(reinterpret_cast<const wchar_t*>(log.data()), log.size() / sizeof(wchar_t));
  EXPECT_NE(std::wstring::npos, text.find(L"CFolimarView::IsAppliedToPrinter"));
  EXPECT_NE(std::wstring::npos, text.find(L"CFolimarView::ApplyToPrinter End"));
}

// The batch mode's print: no dialog, the printer named on the command line, the data alone with /r.
TEST_F(PrintJobTest, ACommandLinePrintAsksNothingAndPrintsTheDataAloneWithR) {
  VYCommandLineInfo line;
  line.m_strPrinterName = kPrinterName;
  line.m_dataOnly = 1;
  GetFolimarApp()->m_pPrintRequest = &line;
  view->DoFilePrint();
  GetFolimarApp()->m_pPrintRequest = nullptr;
  const std::vector<std::wstring> files = Jobs(1);
  ASSERT_EQ(1u, files.size());
  EXPECT_NE(std::string::npos, ReadAll(files[0]).find("%%Pages: 2"));
  EXPECT_EQ(CFolimarView::kPrintDataOnly, view->GetPrintMode());
}

// A document that keeps its printer preferences prints on its own printer, whatever the application's
// printer was.
TEST_F(PrintJobTest, ADocumentWithStoredPreferencesPrintsOnItsOwnPrinter) {
  const std::wstring stored = outputRoot + L"\\stored";
  CreateDirectoryW(stored.c_str(), nullptr);
  for (const std::wstring& old : FilesIn(stored, L"*")) DeleteFileW(old.c_str());
  testing_support::InstalledPrinter own(L"Orvello Stored Printer",
                                        std::wstring(VANTRY_SOURCE_DIR) + L"/tests/vpd/data/VantrySimplex.ppd",
                                        L"|cat > " + testing_support::UnixPath(stored) + L"/job-$$.ps");
  ASSERT_TRUE(own.installed());
  _PRINTER_PREFERENCES preferences = {};
  doc->GetPrinterPreferences(preferences);
  preferences.printerName = own.name();
  preferences.portName = L"FILE:";
  doc->SetPrinterPreferences(preferences);
  doc->Options().savedPrintingPreferences = 1;
  Print([](HWND dialog) { testing_support::Click(dialog, IDOK); });
  for (int i = 0; i < 100 && FilesIn(stored, L"job-*.ps").empty(); ++i) Sleep(100);
  EXPECT_EQ(1u, FilesIn(stored, L"job-*.ps").size()) << "on the document's printer";
  EXPECT_TRUE(FilesIn(jobs, L"job-*.ps").empty()) << "not on the default printer";
}

// A PDF page drawn as the PDF export draws it: the page image, its erased corner in white and the
// objects; written beside the jobs for the host's check.
TEST_F(PrintJobTest, APdfPageHoldsTheImageTheErasedAreasAndTheObjects) {
  doc->GetPage(0)->m_eraseList.AddErased({10, 10, 40, 40});
  const std::wstring path = outputRoot + L"\\page0.pdf";
  IPdfDocument* raw = nullptr;
  ASSERT_TRUE(SUCCEEDED(CreatePdfDocument(&raw)));
  IPdfDocumentPtr pdf(raw, false);
  try {
    BeginLetterPdf(pdf, path);
    CDC surface;
    surface.Attach(pdf->GetDrawingSurface());
    view->DrawPrint(&surface, 0, CFolimarView::kOutputPdf, pdf);
    surface.Detach();
    pdf->EndDocument();
  } catch (const _com_error& e) {
    FAIL() << "PDF writer: " << static_cast<const char*>(e.Description());
  }
  EXPECT_EQ(0u, ReadAll(path).find("%PDF"));
  SaveScreen(0, L"screen-pdf-page0.ppm");
}

}  // namespace
