// The document's export and mail commands reached by their command ids, with the real file and
// mail dialogs worked by messages and the test MAPI32.DLL beside the test program recording the
// message it is handed.
#include <sstream>

#include "DialogDriver.h"
#include "DocumentSaveSupport.h"
#include "MapiRecord.h"
#include "ObjectKinds.h"
#include "TranspText.h"
#include "TranspTextData.h"
#include "resource.h"

using namespace doctest;
using namespace savetest;

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
  return out;
}

class ExportCommandTest : public SaveTest {
 protected:
  // A document of Letter pages, as a new document of the English program has.
  static void LetterPages(CFolimarDoc& doc) {
    for (int i = 0; i < doc.GetPageCount(); ++i) {
      _PAGE_SETTINGS settings = {};
      CFolimarDoc::DefaultPageSettings(settings, 1033);
      doc.SetPageSettings(settings, i);
    }
  }
  void SetUp() override {
    SaveTest::SetUp();
    record_ = Path(L"mapi.txt");
    SetEnvironmentVariableW(L"VANTRY_MAPI_RECORD", record_.c_str());
    SetEnvironmentVariableW(L"VANTRY_MAPI_RESULT", nullptr);
    previousOpener_ = SetShellOpener(RecordOpen);
    s_opened.clear();
    // The program's own objects: the export looks at text fields.
    SetDocObjectServices(GetTranspObjectServices());
    RegisterOverlayObjectKinds();
  }
  void TearDown() override {
    UnregisterOverlayObjectKinds();
    SetShellOpener(previousOpener_);
    SaveTest::TearDown();
  }
  static BOOL RecordOpen(LPCTSTR, LPCTSTR file, LPCTSTR) {
    s_opened.push_back(file);
    return TRUE;
  }
  static void Command(CFolimarDoc& doc, UINT id) { doc.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }
  // Runs the mail command; the mail dialog gets format row `row` and OK.
  void MailWithFormat(CFolimarDoc& doc, int row) {
    testing_support::RunDialog(
        [&] {
          Command(doc, ID_FILE_SEND_MAIL);
          return INT_PTR(0);
        },
        [&](HWND dialog) {
          testing_support::SelectComboItem(dialog, IDC_MAIL_FORMAT, row);
          testing_support::Click(dialog, IDOK);
        });
  }
  std::string Recorded() {
    return TakeMapiRecord(record_);
  }
  // The attachments the library was handed: "exists|path|name" per file.
  static std::vector<std::string> Files(const std::string& recorded) {
    std::vector<std::string> files;
    std::stringstream in(recorded);
    std::string line;
    while (std::getline(in, line))
      if (line.rfind("file -1 ", 0) == 0) files.push_back(line.substr(8));
    return files;
  }

  std::wstring record_;
  ShellOpener previousOpener_ = nullptr;
  static std::vector<std::wstring> s_opened;
};
std::vector<std::wstring> ExportCommandTest::s_opened;

TEST_F(ExportCommandTest, ExportToPdfProposesTheTitleAndRemembersTheFile) {
  CFolimarDoc doc;
  LetterPages(doc);
  doc.SetTitle(L"Order form");
  const std::wstring first = Path(L"first.pdf");
  EXPECT_EQ(L"Order form.pdf", AnswerFileDialog([&] { Command(doc, ID_FILE_EXPORT_PDF); }, first));
  EXPECT_EQ("%PDF-", testing_support::ReadFileBytes(first).substr(0, 5)) << Utf8(fixtures::ErrorLogText());
  // The application's settings open the written file in the viewer.
  ASSERT_EQ(1u, s_opened.size());
  EXPECT_EQ(first, s_opened[0]);
  const std::wstring offered = AnswerFileDialog([&] { Command(doc, ID_FILE_EXPORT_PDF); }, L"");
  EXPECT_EQ(L"first.pdf", offered.substr(offered.rfind(L'\\') + 1));
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(ExportCommandTest, TurnedTextAsksFirstAndCancelEndsTheExport) {
  CFolimarDoc doc;
  LetterPages(doc);
  doc.SetTitle(L"Turned");
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  TextOrientation(style) = TEXT_BOTTOM_UP;
  SetFontOrientation(style);
  CTranspText* text = new CTranspText(nullptr, 10000, 10000, &style, nullptr, L"up", 0);
  text->SetName(L"Up");
  doc.AddObjectToList(text);
  g_boxAnswer = IDCANCEL;
  bool dialogShown = false;
  testing_support::RunDialog(
      [&] {
        Command(doc, ID_FILE_EXPORT_PDF);
        return INT_PTR(0);
      },
      [&](HWND) { dialogShown = true; });
  EXPECT_FALSE(dialogShown);
  ASSERT_EQ(1u, g_boxes.size());
  EXPECT_EQ(std::wstring(LoadText(IDS_VERTICAL_TEXT_IN_PDF)), g_boxes[0]);
  // OK goes on to the file dialog and writes the fields as page text.
  g_boxAnswer = IDOK;
  AnswerFileDialog([&] { Command(doc, ID_FILE_EXPORT_PDF); }, Path(L"turned.pdf"));
  EXPECT_EQ("%PDF-", testing_support::ReadFileBytes(Path(L"turned.pdf")).substr(0, 5));
}

TEST_F(ExportCommandTest, AFailedExportReturnsZeroAndLogsTheWritersReason) {
  CFolimarDoc doc;
  LetterPages(doc);
  const std::wstring path = Path(L"no such folder\\out.pdf");
  EXPECT_EQ(0, doc.SaveAsPDF(path.c_str(), -1, -1, 0));
  EXPECT_FALSE(Exists(path));
  EXPECT_NE(std::wstring::npos, fixtures::ErrorLogText().find(L"CFolimarDoc::SaveAsPDF: 0x"));
  EXPECT_TRUE(s_opened.empty());
}

TEST_F(ExportCommandTest, ExportOffersTheTitleUpToItsFirstSpaceAndRefusesUnknownTypes) {
  CFolimarDoc doc;
  LetterPages(doc);
  doc.SetTitle(L"Tax return#2");
  EXPECT_EQ(L"Tax", AnswerFileDialog([&] { Command(doc, ID_FILE_EXPORT); }, Path(L"page.pdf")));
  EXPECT_TRUE(Exists(Path(L"page.pdf")));
  EXPECT_EQ(0, lstrcmpiW(folder_.Path().c_str(), Setting(L"ExportDir").c_str())) << Setting(L"ExportDir");
  doc.ExportTo(Path(L"page.doc").c_str(), FALSE);
  EXPECT_FALSE(Exists(Path(L"page.doc")));
  ASSERT_EQ(1u, g_boxes.size());
  EXPECT_EQ(std::wstring(LoadText(IDS_UNSUPPORTED_FILE_FORMAT)), g_boxes[0]);
}

TEST_F(ExportCommandTest, MailingASavedDocumentAttachesItsOwnFileAndKeepsIt) {
  const std::wstring path = Path(L"saved.rud");
  {
    CFolimarDoc saved;
    ASSERT_TRUE(saved.OnSaveDocument(path.c_str()));
  }
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str(), TRUE));
  const std::string before = testing_support::ReadFileBytes(path);
  MailWithFormat(doc, 1);
  const std::vector<std::string> files = Files(Recorded());
  ASSERT_EQ(1u, files.size());
  EXPECT_EQ("exists|" + Utf8(path) + "|saved.rud", files[0]);
  EXPECT_EQ(before, testing_support::ReadFileBytes(path)) << "the document's own file is kept as it was";
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(ExportCommandTest, MailedCopiesAndPdfsAreTemporaryFilesRemovedAfterTheSend) {
  CFolimarDoc doc;
  LetterPages(doc);
  doc.SetTitle(L"Draft");
  doc.SetModifiedFlag(TRUE);
  struct Case {
    int row;
    const char* ext;
  } cases[] = {{1, ".rud"}, {0, ".pdf"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ext);
    MailWithFormat(doc, c.row);
    const std::vector<std::string> files = Files(Recorded());
    ASSERT_EQ(1u, files.size());
    EXPECT_EQ(0u, files[0].find("exists|"));
    const std::string attached = files[0].substr(7, files[0].find('|', 7) - 7);
    EXPECT_EQ(c.ext, attached.substr(attached.size() - 4));
    std::wstring wide(attached.begin(), attached.end());
    EXPECT_FALSE(Exists(wide)) << attached;
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().IsEmpty());
  }
  EXPECT_TRUE(s_opened.empty()) << "a PDF made for mail is never opened";
  EXPECT_TRUE(g_boxes.empty());
}

}  // namespace
