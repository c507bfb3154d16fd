// The mutation driver of Scrivel's readers of outside bytes: the scv document (and other rich-text
// files) through the program's own document and view, the INI data file of a batch run, and the
// program's records in the registry. See FuzzRun_win.h for the runner.
#include "Framework.h"

#include <algorithm>
#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "FuzzRun_win.h"
#include "RegistryBlob_win.h"
#include "ScrivelApp.h"
#include "ScrivelDoc.h"
#include "ScrivelSettings.h"
#include "ScrivelView.h"
#include "ScvFile.h"
#include "TestSupport.h"

namespace {

std::string EditorFixture(const wchar_t* name) {
  return fixtures::ReadHexFixture(std::wstring(VANTRY_SOURCE_DIR L"/tests/editor/data/") + name);
}

// The process-wide state: a private user profile, a folder for the files, and the program's document
// with its view in a hidden window, as the editor opens files into them. Message boxes are logged and
// answered as in a hidden batch run.
struct Workplace {
  fixtures::PrivateUserProfile profile;
  testing_support::TempFolder folder;
  CWnd parent;
  CScrivelView* view = nullptr;
  CScrivelDoc* doc = nullptr;
};

// The editor's application object, as Scrivel.exe has it.
CScrivelApp theApp;

Workplace& TheWorkplace() {
  static Workplace workplace;
  return workplace;
}

void Prepare() {
  Workplace& place = TheWorkplace();
  if (place.view != nullptr) return;
  CScrivelApp* app = GetScrivelApp();
  app->m_cmdInfo.m_bCommandLine = TRUE;
  app->m_bShowFrame = 0;
  app->SetRegistryKey(L"Quennick");
  ::OleInitialize(nullptr);
  ::LoadLibraryW(L"MSFTEDIT.DLL");
  place.parent.CreateEx(0, nullptr, L"Scrivel", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr);
  place.view = new CScrivelView;
  place.view->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), &place.parent, AFX_IDW_PANE_FIRST,
                     nullptr);
  place.doc = new CScrivelDoc;
  place.doc->AddView(place.view);
  place.view->OnInitialUpdate();
}

std::wstring WorkFile(const std::wstring& name) { return TheWorkplace().folder.File(name); }

// ---- The scv document -------------------------------------------------------------------------------

struct DocumentFixture {
  const wchar_t* extension;
  std::string (*bytes)();
};

std::string Header(const RECT& margins) {
  const _SCV_HEADER header = MakeScvHeader(margins);
  return std::string(reinterpret_cast<const char*>(&header), sizeof(header));
}

// Formatting of every kind the editor writes: fonts, colours, sizes, paragraphs, a table, a picture
// of a few bytes, Unicode text, placeholders.
const char kRichText[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman\\fcharset204 Times New Roman;}}"
    "{\\colortbl ;\\red200\\green20\\blue20;\\red0\\green0\\blue255;}"
    "\\viewkind4\\uc1\\pard\\qc\\b\\f0\\fs28 Invoice [Number]\\b0\\par"
    "\\pard\\li720\\ri360\\sb120\\sa60\\fs20 Dear \\cf1 [Name]\\cf0 , \\i thank you\\i0  for \\ul [Item]\\ulnone .\\par"
    "\\pard\\fi-360\\li720 \\f1\\lang1049 \\u1055?\\u1088?\\u1080?\\u1074?\\u1077?\\u1090?\\f0\\par"
    "\\trowd\\cellx2000\\cellx4000 [Price]\\cell [Total]\\cell\\row"
    "\\pard\\tx1440\\tab\\strike gone\\strike0\\super 2\\nosupersub\\par"
    "{\\pict\\wmetafile8\\picw100\\pich100\\picwgoal200\\pichgoal200 0100090000031000000000000000}\\par}";

std::string FormattedLetter() { return Header(RECT{1440, 1440, 1080, 720}) + kRichText; }

const DocumentFixture kDocuments[] = {
    {L"scv", [] { return EditorFixture(L"Letter.scv.hex"); }},
    {L"scv", FormattedLetter},
    {L"rtf", [] { return std::string(kRichText); }},
};

std::vector<std::string> DocumentFixtures() {
  std::vector<std::string> out;
  for (const DocumentFixture& fixture : kDocuments) out.push_back(fixture.bytes());
  return out;
}

// Opens as the editor opens a file (the document's own open, header and rich-text stream) and saves
// a document that opened as an scv file.
fuzz::ReadResult ReadDocument(const fuzz::ReadInput& input) {
  fuzz::ReadResult result;
  const wchar_t* extension = input.written || input.fixture < 0 ? L"scv" : kDocuments[input.fixture].extension;
  const std::wstring path = WorkFile(std::wstring(L"mutant.") + extension);
  if (!testing_support::WriteFileBytes(path, input.bytes)) return result;
  CScrivelDoc* doc = TheWorkplace().doc;
  result.loaded = doc->OnOpenDocument(path.c_str()) != FALSE;
  if (!result.loaded) return result;
  const std::wstring saved = WorkFile(L"saved.scv");
  result.saved = doc->OnSaveDocument(saved.c_str()) != FALSE;
  if (result.saved) result.savedBytes = testing_support::ReadFileBytes(saved);
  doc->SetModifiedFlag(FALSE);
  // The header is the program's to keep; the rich-text stream is the platform control's, whose
  // writer under Wine moves paragraph indents, adds fonts and re-encodes text on every save.
  result.kept = result.savedBytes.substr(0, sizeof(_SCV_HEADER));
  return result;
}

// ---- The INI data file ------------------------------------------------------------------------------

std::vector<std::string> IniFixtures() {
  const std::wstring wide = L"\xFEFF[Data]\r\nName=\x0410\x0434\x0430\r\nItem=Box ; not a comment\r\n";
  return {
      std::string("; batch data\r\n[Other]\r\nName=no\r\n[Data]\r\nName=Ada Lovelace\r\nItem = \"Engine\"\r\n"
                  "Price=1,234.50\r\nEmpty=\r\n=no key\r\nName=twice\r\n[data]\r\nLower=case\r\n"),
      std::string(reinterpret_cast<const char*>(wide.c_str()), 2 * wide.size()),
  };
}

// Reads the file as a batch run does; the program writes no data files, so nothing goes back.
fuzz::ReadResult ReadIni(const fuzz::ReadInput& input) {
  fuzz::ReadResult result;
  const std::wstring path = WorkFile(L"data.ini");
  if (!testing_support::WriteFileBytes(path, input.bytes)) return result;
  CFieldMap data;
  result.loaded = ReadIniData(path.c_str(), data) != FALSE;
  return result;
}

// ---- The program's records in the registry ----------------------------------------------------------

const wchar_t kSettingsKey[] = L"SOFTWARE\\Quennick\\Scrivel\\Settings";
enum RecordName { kUnits, kPageMargin, kApplicationLook };
const std::vector<fuzz::RegistryValueName> kRecordTable = {
    {kSettingsKey, L"Units"}, {kSettingsKey, L"PageMargin"}, {kSettingsKey, L"ApplicationLook"}};

std::vector<std::string> RecordFixtures() {
  const INT32 margins[4] = {720, 1080, 1440, 2880};
  return {fuzz::RegistryDword(kUnits, 2) +
              fuzz::RegistryEntry(kPageMargin, REG_BINARY, std::string(reinterpret_cast<const char*>(margins), 16)) +
              fuzz::RegistryDword(kApplicationLook, 215),
          fuzz::RegistryDword(kUnits, 0)};
}

// The program's settings are read from the records and written back the way the program writes them.
fuzz::ReadResult ReadRecords(const fuzz::ReadInput& input) {
  return fuzz::ReadRegistryRecords(kRecordTable, input.bytes, []() -> std::function<void()> {
    SCRIVEL_SETTINGS settings;
    LoadScrivelSettings(*GetScrivelApp(), settings);
    return [settings]() { SaveScrivelSettings(*GetScrivelApp(), settings); };
  });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<fuzz::Reader> readers = {
      {"scv", Prepare, DocumentFixtures, ReadDocument, 100u << 20, 1000},
      {"ini", Prepare, IniFixtures, ReadIni, 100u << 20, 1000},
      {"registry", Prepare, RecordFixtures, ReadRecords, 100u << 20, 1000},
  };
  return fuzz::RunReaders(argc, argv, readers);
}
