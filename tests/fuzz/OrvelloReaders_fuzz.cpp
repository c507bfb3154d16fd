// The mutation driver of Orvello's readers of outside bytes: document files and templates, object
// data from the clipboard or a drop, image files, the shelf file and the application's records in the
// registry.
// Each reader gets the tests' own fixtures (and inputs built the same way), reads mutants of them as
// the program does and writes back what it loaded; see FuzzRun_win.h for the runner.
#include "Framework.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ArchiveFixtures.h"
#include "MyProcs.h"
#include "DocObjects.h"
#include "FillFormLayout.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "FuzzRun_win.h"
#include "ImageOptions.h"
#include "LFile.h"
#include "LMyBitmap.h"
#include "MyProcs.h"
#include "ObjectKinds.h"
#include "PageImage.h"
#include "PrintOptions.h"
#include "RegistryBlob_win.h"
#include "ShelfBar.h"
#include "TIFFOptions.h"
#include "TestSupport.h"
#include "TranspBarcode.h"
#include "TranspBlock.h"
#include "TranspCheckMark.h"
#include "TranspFreehand.h"
#include "TranspLabel.h"
#include "TranspShapes.h"
#include "TranspText.h"

namespace {

// Message boxes are answered at once: a reader that asks the user must not stall the run.
class CReadersApp : public CFolimarApp {
 public:
  int DoMessageBox(LPCTSTR, UINT, UINT) override { return IDOK; }
};
CReadersApp theApp;

int AnswerBox(LPCTSTR, UINT) { return IDOK; }

std::string DataFixture(const wchar_t* relative) {
  return fixtures::ReadHexFixture(std::wstring(VANTRY_SOURCE_DIR L"/tests/sources/data/") + relative);
}

std::string Int32(int32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); }
std::string Double(double value) { return std::string(reinterpret_cast<const char*>(&value), 8); }
// The archive's wide string: byte count 2 x (characters + 1), the characters, a NUL.
std::string WideString(const std::wstring& text) {
  std::string bytes = Int32(static_cast<int32_t>(2 * (text.size() + 1)));
  bytes.append(reinterpret_cast<const char*>(text.c_str()), 2 * text.size());
  return bytes.append(2, '\0');
}

// The process-wide state every reader works in: a private user profile (registry and documents
// folder), message boxes answered, and a folder for the files the readers are given.
struct Workplace {
  fixtures::PrivateUserProfile profile;
  testing_support::TempFolder folder;
};
Workplace& TheWorkplace() {
  static Workplace workplace;  // removed with the profile when the process ends
  return workplace;
}

void PrepareWorkplace() {
  TheWorkplace();
  SetMessageBoxPresenter(AnswerBox);
}

std::wstring WorkFile(const wchar_t* name) { return TheWorkplace().folder.File(name); }

// ---- Documents and templates ----------------------------------------------------------------------

struct DocumentFixture {
  const wchar_t* extension;
  std::string (*bytes)();
};

// The 8-bit string of files before version 18: byte count, bytes.
std::string AnsiString(const std::string& text) { return Int32(static_cast<int32_t>(text.size())) + text; }

enum NameForm { kWideNames, kAnsiNames, kNoNames };

// An object of every kind the program stores, each followed by its name in the file's form. The
// records name pages 0 to 2; the fields are Amount and Old on page 2 and Agreed on page 1.
std::string EveryKindRecords(NameForm names) {
  struct Record {
    int32_t tag;
    const wchar_t* fixture;
    const char* name;
  };
  static const Record kRecords[] = {
      {20, L"label_record_v10.hex", "Caption"}, {1, L"text_record_v10.hex", "Amount"},
      {2, L"checkmark_record_v5.hex", "Agreed"}, {1, L"text_record_v5.hex", "Old"},
      {3, L"rectangle_record_v2.hex", "Box"},    {4, L"ellipse_record_v3.hex", "Oval"},
      {5, L"line_record_v2.hex", "Rule"},        {6, L"freehand_record_v3.hex", "Stroke"},
      {9, L"image_record_v5.hex", "Logo"},       {10, L"circle_record_v3.hex", "Ring"},
      {21, L"barcode_record_v2.hex", "Code"},    {20, L"label_record_v8.hex", "Sum"},
  };
  std::string bytes;
  for (const Record& record : kRecords) {
    bytes += Int32(record.tag) + DataFixture(record.fixture);
    const std::string name = record.name;
    if (names == kWideNames) bytes += WideString(std::wstring(name.begin(), name.end()));
    if (names == kAnsiNames) bytes += AnsiString(name);
  }
  return bytes;
}

// Tag 13 for a page: its columns and three records of values of every type in turn.
std::string FieldTable(int32_t page, const std::vector<std::wstring>& columns) {
  const std::string kValues[] = {
      Int32(6) + Double(7.25),   Int32(7) + Int32(1),         Int32(12) + WideString(L"text"),
      Int32(0),                  Int32(8) + AnsiString("abc"), Int32(4) + Int32(-3),
      Int32(5) + Int32(0x3F000000), Int32(9) + std::string(16, '\x01'), Int32(1) + Int32(1),
  };
  const int32_t records = 3;
  std::string bytes = Int32(13) + Int32(0) + Int32(page) + Int32(1) + Int32(static_cast<int32_t>(columns.size())) +
                      Int32(records);
  for (const std::wstring& column : columns) bytes += Int32(12) + WideString(column);
  size_t next = static_cast<size_t>(page);
  for (int32_t r = 0; r < records; ++r)
    for (size_t c = 0; c < columns.size(); ++c) bytes += kValues[next++ % (sizeof(kValues) / sizeof(kValues[0]))];
  return bytes;
}

std::string EveryKindTables() {
  return FieldTable(0, {}) + FieldTable(1, {L"Agreed"}) + FieldTable(2, {L"Amount", L"Old"});
}

std::string WithoutEndTag(std::string bytes) { return bytes.substr(0, bytes.size() - 4); }

std::string Put32(std::string bytes, size_t at, int32_t value) { return bytes.replace(at, 4, Int32(value)); }

// A version-28 fixed part of one page (ending with its 96-byte page settings) made into three pages.
std::string ThreePages(std::string fixedPart) {
  const std::string settings = fixedPart.substr(fixedPart.size() - 96);
  return Put32(fixedPart + settings + settings, 36, 3);
}

const size_t kPageCount = 36;
const size_t kCurrentRecord = 52;
const size_t kRegisterNamesFlag = 56 + 5236;

std::string EveryKindDocument() {
  return ThreePages(DataFixture(L"document/v28_fixed_part.hex")) + EveryKindRecords(kWideNames) + EveryKindTables() +
         Int32(0);
}
// On record 1 of three, and a second table of page 2 that the loader joins to the first.
std::string JoinedTablesDocument() {
  return Put32(ThreePages(DataFixture(L"document/v28_fixed_part.hex")), kCurrentRecord, 1) +
         EveryKindRecords(kWideNames) + EveryKindTables() + FieldTable(2, {L"Extra"}) + Int32(0);
}
// Names registered from the file: the fields' columns come from the objects.
std::string RegisteredNamesDocument() { return Put32(EveryKindDocument(), kRegisterNamesFlag, 1); }
std::string EveryKindTemplate() {
  return ThreePages(WithoutEndTag(DataFixture(L"document/v28_template.hex"))) + EveryKindRecords(kNoNames) + Int32(0);
}
// Version 12: 8-bit names, no page settings in the file.
std::string EveryKindOldDocument() {
  return Put32(WithoutEndTag(DataFixture(L"document/v12_qlm_old_options.hex")), kPageCount, 3) +
         EveryKindRecords(kAnsiNames) + EveryKindTables() + Int32(0);
}

const DocumentFixture kDocumentFixtures[] = {
    {L"qlm", [] { return DataFixture(L"document/v28_two_pages.hex"); }},
    {L"rud", [] { return DataFixture(L"document/v12_qlm_old_options.hex"); }},
    {L"qlm", [] { return DataFixture(L"document/v20_old_page_settings.hex"); }},
    {L"qlm", [] { return DataFixture(L"document/v5_bare.hex"); }},
    {L"vyt", [] { return DataFixture(L"document/v28_template.hex"); }},
    {L"qlm", [] { return DataFixture(L"document/v28_extra_fields.hex"); }},
    {L"qlm", EveryKindDocument},
    {L"rud", JoinedTablesDocument},
    {L"qlm", RegisteredNamesDocument},
    {L"vyt", EveryKindTemplate},
    {L"rud", EveryKindOldDocument},
};

std::vector<std::string> DocumentFixtures() {
  std::vector<std::string> out;
  for (const DocumentFixture& fixture : kDocumentFixtures) out.push_back(fixture.bytes());
  return out;
}

void PrepareDocuments() {
  PrepareWorkplace();
  SetDocObjectServices(GetTranspObjectServices());
  RegisterOverlayObjectKinds();
}

// Loads as the program opens a document (the archive over the file, the document's Serialize), and
// saves a loaded one through the program's save.
fuzz::ReadResult ReadDocument(const fuzz::ReadInput& input) {
  fuzz::ReadResult result;
  const wchar_t* extension = input.written || input.fixture < 0 ? L"qlm" : kDocumentFixtures[input.fixture].extension;
  const std::wstring path = WorkFile((std::wstring(L"mutant.") + extension).c_str());
  if (!testing_support::WriteFileBytes(path, input.bytes)) return result;
  // The forms list reads the header alone.
  GetFormNameOfFile(path.c_str());
  CFolimarDoc doc;
  CFile file;
  if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite)) return result;
  try {
    CArchive ar(&file, CArchive::load);
    doc.Serialize(ar);
    ar.Close();
    result.loaded = true;
  } catch (CException* e) {
    e->Delete();
  }
  file.Close();
  if (!result.loaded) return result;
  const std::wstring saved = WorkFile(L"saved.qlm");
  result.saved = doc.OnSaveDocument(saved.c_str()) != FALSE;
  if (result.saved) result.savedBytes = testing_support::ReadFileBytes(saved);
  return result;
}

// ---- Object data from the clipboard or a drop ---------------------------------------------------------

// A form view in a popup window, as a paste or a drop meets the data.
struct ObjectView {
  CWnd parent;
  CFolimarView* view = nullptr;
};
ObjectView* g_objectView = nullptr;

BOOL PageExtent(CWnd*, SIZE* extent) {
  *extent = SIZE{850, 1100};
  return TRUE;
}
const CTranspText::TEXT_VIEW_LINK kTextLink = {nullptr, nullptr, nullptr, nullptr, &PageExtent};

void PrepareObjectData() {
  PrepareDocuments();
  if (g_objectView != nullptr) return;
  AfxOleInit();
  g_objectView = new ObjectView;  // lives as long as the worker
  g_objectView->parent.CreateEx(0, nullptr, L"Form", WS_POPUP, 0, 0, 700, 500, nullptr, nullptr);
  g_objectView->view = new CFolimarView;
  g_objectView->view->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 500), &g_objectView->parent,
                             AFX_IDW_PANE_FIRST, nullptr);
  g_objectView->view->OnInitialUpdate();
  CTranspText::SetTextViewLink(&kTextLink);
}

HGLOBAL ToGlobal(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, std::max<size_t>(bytes.size(), 1));
  if (block == nullptr) return nullptr;
  if (!bytes.empty()) memcpy(GlobalLock(block), bytes.data(), bytes.size()), GlobalUnlock(block);
  return block;
}

// An object-data block as the clipboard would hand it on: as many bytes as its head says, at most
// what the block has. The block is freed.
std::string TakeGlobal(HGLOBAL block) {
  if (block == nullptr) return std::string();
  const SIZE_T size = GlobalSize(block);
  const BYTE* p = static_cast<const BYTE*>(GlobalLock(block));
  std::string bytes;
  if (p != nullptr && size >= 4) {
    uint32_t total = 0;
    memcpy(&total, p, 4);
    bytes.assign(reinterpret_cast<const char*>(p), std::min<SIZE_T>(total, size));
  }
  GlobalUnlock(block);
  GlobalFree(block);
  return bytes;
}

// Every kind the paste builds, placed as the view places new objects.
std::vector<std::unique_ptr<CTranspBaseClass>> EveryKindObject(CWnd* view) {
  _OBJECT_STYLE pen = {};
  pen.color = 0x336699;
  pen.lineWidth = 3000;
  pen.penStyle = PS_DOT;
  pen.printable = 1;
  _OBJECT_STYLE text;
  SetDefaultTextStyle(&text);
  _PROPERTIES number;
  number.formatCategory = TEXT_TYPE_CURRENCY;
  const POINT stroke[] = {{210000, 40000}, {260000, 90000}, {-9999, -9999}, {230000, 70000}, {290000, 45000}};
  std::vector<std::unique_ptr<CTranspBaseClass>> objects;
  objects.emplace_back(new CTranspRectangle(view, RECT{120000, 80000, 180000, 130000}, &pen, 0));
  objects.emplace_back(new CTranspEllipse(view, RECT{50000, 150000, 90000, 210000}, &pen, 0));
  objects.emplace_back(new CTranspLine(view, 300000, 60000, 240000, 160000, &pen, 0));
  objects.emplace_back(new CTranspFreehand(view, stroke, 5, &pen, 0));
  objects.emplace_back(new CTranspCheckMark(view, 70000, 60000, &pen, 0));
  objects.emplace_back(new CTranspCircle(view, 150000, 200000, 25000, &pen, 0));
  objects.emplace_back(new CTranspText(view, 60000, 260000, &text, nullptr, L"Name", 0));
  objects.emplace_back(new CTranspText(view, 60000, 300000, &text, &number, L"7.25", 0));
  objects.emplace_back(new CTranspLabel(view, 160000, 300000, &text, nullptr, L"Date of birth", 0));
  objects.emplace_back(new CTranspBarcode(view, POINT{320000, 220000}, &pen, 0));
  return objects;
}

std::vector<std::string> ObjectDataFixtures() {
  static const wchar_t* const kFixtures[] = {
      L"barcode_obdata.hex",      L"checkmark_obdata_v1.hex",  L"checkmark_obdata_v4.hex",  L"circle_obdata.hex",
      L"ellipse_obdata.hex",      L"freehand_obdata.hex",      L"group_obdata_empty.hex",   L"group_obdata_two.hex",
      L"image_obdata.hex",        L"image_obdata_dib.hex",     L"label_obdata_v9.hex",      L"line_obdata.hex",
      L"rectangle_obdata.hex",    L"text_obdata_v1_short.hex", L"text_obdata_v2_text120.hex", L"text_obdata_v5.hex",
      L"text_obdata_v7.hex",      L"text_obdata_v9.hex",
  };
  std::vector<std::string> out;
  for (const wchar_t* fixture : kFixtures) out.push_back(DataFixture(fixture));
  // The program's own data of every kind, alone and packed into one group.
  CWnd* view = g_objectView->view;
  std::vector<std::unique_ptr<CTranspBaseClass>> objects = EveryKindObject(view);
  CTranspObjectList list;
  for (auto& object : objects) {
    out.push_back(TakeGlobal(object->GetObData()));
    object->SetSelected(1);
    list.AddTail(object.get());
  }
  CTranspBlock block(view, 0);
  FillBlockFromSelection(block, list);
  out.push_back(TakeGlobal(block.GetObData()));
  return out;
}

// Pastes the block as the view does (a group member by member at its displacement) and gives back
// the data of what was built: for a group, a group of the members' new data.
fuzz::ReadResult ReadObjectData(const fuzz::ReadInput& input) {
  fuzz::ReadResult result;
  CWnd* view = g_objectView->view;
  HGLOBAL data = ToGlobal(input.bytes);
  if (data == nullptr) return result;
  int32_t type = 0;
  if (input.bytes.size() >= 8) memcpy(&type, input.bytes.data() + 4, 4);
  if (type == DATA_TYPE_GROUP) {
    // Unpacked as a paste does it, and what arrived copied again as the view copies a selection.
    std::vector<CTranspBaseClass*> created;
    if (UnpackBlock(data, view, 0, 0, 0, created)) {
      CTranspObjectList list;
      for (CTranspBaseClass* object : created) {
        object->SetSelected(1);
        list.AddTail(object);
      }
      // The copy is taken with the frame of what arrived at the origin: members that were not pasted
      // leave a smaller frame, and a copy elsewhere is the same arrangement at another place.
      CTranspBlock measure(view, 0);
      const RECT frame = FillBlockFromSelection(measure, list);
      for (CTranspBaseClass* object : created) object->MoveBy(-frame.left, -frame.top);
      CTranspBlock block(view, 0);
      FillBlockFromSelection(block, list);
      result.loaded = true;
      result.savedBytes = TakeGlobal(block.GetObData());
      result.saved = !result.savedBytes.empty();
    }
    for (CTranspBaseClass* object : created) delete object;
  } else {
    std::unique_ptr<CTranspBaseClass> object(CreateTranspFromData(view, data, 0, 0, 0));
    if (object) {
      result.loaded = true;
      result.savedBytes = TakeGlobal(object->GetObData());
      result.saved = !result.savedBytes.empty();
    }
  }
  GlobalFree(data);
  return result;
}

// ---- Image files ----------------------------------------------------------------------------------

std::vector<std::string> ImageFixtures() {
  std::vector<std::string> out;
  struct Form {
    int format;
    int bitsPerPixel;
  };
  static const Form kForms[] = {{FILE_PNG, 24},      {FILE_BMP, 24}, {FILE_BMP, 8},          {FILE_GIF, 8},
                                {FILE_TIF, 24},      {FILE_TIF_PACKBITS, 8}, {FILE_TIF_LZW, 24}, {FILE_TIF_CCITT_G4, 1},
                                {FILE_PCX, 24},      {FILE_JPEG, 24}};
  LMyBitmap picture;
  picture.Create(24, 16, 24);
  picture.Fill(RGB(255, 255, 255));
  HDC dc = picture.CreateLeadDC();
  if (dc != nullptr) {
    HBRUSH red = CreateSolidBrush(RGB(200, 20, 20));
    RECT box = {2, 2, 14, 10};
    FillRect(dc, &box, red);
    DeleteObject(red);
    Ellipse(dc, 10, 4, 22, 15);
    LMyBitmap::DeleteLeadDC(dc);
  }
  for (const Form& form : kForms) {
    LMyBitmap copy;
    copy.Copy(picture);
    if (form.bitsPerPixel != 24) copy.ColorRes(form.bitsPerPixel);
    LBuffer buffer;
    LMemoryFile file(&copy);
    if (file.Save(&buffer, form.format, form.bitsPerPixel) != SUCCESS) continue;
    out.emplace_back(static_cast<const char*>(buffer.Lock()), buffer.GetSize());
  }
  return out;
}

// Decodes as a page image is decoded and writes the page as the document does, as PNG.
fuzz::ReadResult ReadImage(const fuzz::ReadInput& input) {
  fuzz::ReadResult result;
  std::unique_ptr<LMyBitmap> bitmap(
      LoadBitmapFromFileBytes(reinterpret_cast<const BYTE*>(input.bytes.data()), static_cast<UINT>(input.bytes.size())));
  if (!bitmap) return result;
  result.loaded = true;
  std::vector<BYTE> png;
  result.saved = SaveBitmapAsPng(*bitmap, png) != FALSE;
  result.savedBytes.assign(png.begin(), png.end());
  return result;
}

// ---- The shelf file -----------------------------------------------------------------------------------

// The shelf pane in a frame window of its own, reading and writing its file as the program does.
struct ShelfWindow {
  CFrameWnd frame;
  CShelfBar shelf;
};
ShelfWindow* g_shelf = nullptr;

void PrepareShelf() {
  PrepareObjectData();
  if (g_shelf != nullptr) return;
  g_shelf = new ShelfWindow;  // lives as long as the worker
  g_shelf->frame.Create(nullptr, L"Shelf", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 400));
  // A path of its own before the pane is made: the pane reads its file when it is created.
  g_shelf->shelf.SetCollectionPath(WorkFile(L"vyshelf.dat").c_str());
  g_shelf->shelf.Create(L"Shelf", &g_shelf->frame, CRect(0, 0, 200, 300), FALSE, 1,
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_LEFT);
}

// The file's layout: "RODID", its NUL, two zero bytes, the version, then per item its object data
// (the record's first int is its size), the name's byte count and the name with its terminator.
std::string ShelfFile(int32_t version, const std::vector<std::pair<std::string, std::wstring>>& items) {
  std::string bytes = std::string("RODID\0\0\0", 8) + Int32(version);
  for (const auto& item : items) {
    bytes += Int32(static_cast<int32_t>(item.first.size())) + item.first;
    if (version == 1) {
      const std::string name(item.second.begin(), item.second.end());
      bytes += Int32(static_cast<int32_t>(name.size() + 1)) + name + std::string(1, '\0');
    } else {
      bytes += Int32(static_cast<int32_t>(2 * (item.second.size() + 1)));
      bytes.append(reinterpret_cast<const char*>(item.second.c_str()), 2 * item.second.size()).append(2, '\0');
    }
  }
  return bytes + Int32(0);
}

std::vector<std::string> ShelfFixtures() {
  // Every object data the shelf keeps, from the object-data fixtures and the program's own objects.
  std::vector<std::pair<std::string, std::wstring>> kept;
  int n = 0;
  for (const std::string& data : ObjectDataFixtures()) {
    int32_t type = 0;
    if (data.size() >= 8) memcpy(&type, data.data() + 4, 4);
    if (!shelf_file::IsShelfType(type)) continue;
    kept.emplace_back(data, ++n % 3 == 0 ? std::wstring(L"\x0424\x043e\x0440\x043c\x0430 ") + std::to_wstring(n)
                                         : L"Item " + std::to_wstring(n));
  }
  std::vector<std::pair<std::string, std::wstring>> few(kept.begin(), kept.begin() + std::min<size_t>(kept.size(), 3));
  for (auto& item : few) item.second = L"Old " + item.second.substr(item.second.size() - 1);
  return {ShelfFile(2, kept), ShelfFile(1, few), ShelfFile(2, {}), ShelfFile(2, few)};
}

// Loads the file into the pane as the program does at start-up, and writes the pane back as at the end.
fuzz::ReadResult ReadShelf(const fuzz::ReadInput& input) {
  fuzz::ReadResult result;
  CShelfBar& shelf = g_shelf->shelf;
  const std::wstring path(shelf.GetCollectionPath());
  if (!testing_support::WriteFileBytes(path, input.bytes)) return result;
  result.loaded = shelf.LoadCollection() != FALSE;
  if (result.loaded) {
    result.saved = shelf.SaveCollection() != FALSE;
    if (result.saved) result.savedBytes = testing_support::ReadFileBytes(path);
  }
  shelf.FreeAllListItems();
  return result;
}

// ---- The application's records in the registry ------------------------------------------------------

const wchar_t kSettingsKey[] = L"SOFTWARE\\Quennick\\Vantry\\Settings";
enum RecordName {
  kLanguage, kPrintOption, kPrintRecords, kBitsPerPixel, kMailFormat, kFaxDriver, kInitialDir, kFormFolder,
  kAutofilling, kPrinterRecord, kRecordNames
};
const std::vector<fuzz::RegistryValueName> kRecordTable = {
    {kSettingsKey, L"Language"},       {kSettingsKey, L"PrintOptionIndex"}, {kSettingsKey, L"PrintRecordsIndex"},
    {kSettingsKey, L"LastUsedBitsPerPixel"}, {kSettingsKey, L"SendMailFormat"}, {kSettingsKey, L"FaxDriverName"},
    {kSettingsKey, L"InitialDir"},     {kSettingsKey, L"FormFolder"},       {kSettingsKey, L"AutofillingOptions"},
    {kSettingsKey, L"PrinterRecord"},
};
// A fixed-size record of the kind the application keeps through GetProfileData.
struct PRINTER_RECORD {
  int32_t fields[8];
  wchar_t name[32];
};

void PrepareRecords() {
  PrepareWorkplace();
  theApp.SetRegistryKey(L"Quennick");
}

std::vector<std::string> RecordFixtures() {
  _AUTOFILLING_OPTIONS options = quillet::LoadAutofillingOptions(RECT{100, 100, 700, 500}, SIZE{300, 200});
  PRINTER_RECORD record = {{1, 9, 600, 600, 0, 1, 0, 2}, L"Office"};
  std::string all = fuzz::RegistryDword(kLanguage, LANG_GERMAN) + fuzz::RegistryDword(kPrintOption, 2) +
                    fuzz::RegistryDword(kPrintRecords, 1) + fuzz::RegistryDword(kBitsPerPixel, 8) +
                    fuzz::RegistryDword(kMailFormat, 3) + fuzz::RegistryText(kFaxDriver, L"Fax") +
                    fuzz::RegistryText(kInitialDir, L"C:\\Forms\\Filled") + fuzz::RegistryText(kFormFolder, L"C:\\Forms") +
                    fuzz::RegistryEntry(kAutofilling, REG_BINARY, std::string(reinterpret_cast<const char*>(&options), sizeof(options))) +
                    fuzz::RegistryEntry(kPrinterRecord, REG_BINARY, std::string(reinterpret_cast<const char*>(&record), sizeof(record)));
  return {all, fuzz::RegistryDword(kLanguage, LANG_RUSSIAN) + fuzz::RegistryText(kFormFolder, L"")};
}

// Puts the records into the profile, lets the program's readers take them, and writes back what they
// took the way the program writes each.
fuzz::ReadResult ReadRecords(const fuzz::ReadInput& input) {
  return fuzz::ReadRegistryRecords(kRecordTable, input.bytes, []() -> std::function<void()> {
    const int language = ReadLanguageSetting();
    const int printOption = CPrintOptions(nullptr).GetPrintOption();
    const int printRecords = ReadSettingInt(L"PrintRecordsIndex", 0);
    const int bitsPerPixel = CTIFFOptions(nullptr).GetBitsPerPixel();
    const int mailFormat = ReadSettingInt(L"SendMailFormat", 0);
    const CString fax = ReadSettingString(L"FaxDriverName", L"");
    const CString initialDir = ReadSettingString(L"InitialDir", L"");
    const CString forms = GetFormsPathName();
    const _AUTOFILLING_OPTIONS options = quillet::LoadAutofillingOptions(RECT{100, 100, 700, 500}, SIZE{300, 200});
    PRINTER_RECORD record = {};
    const BOOL recordRead = theApp.GetProfileData(L"Settings", L"PrinterRecord", &record, sizeof(record), HKEY_CURRENT_USER);
    return [=]() {
      const DWORD value = static_cast<DWORD>(language);
      RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language", REG_DWORD, &value, sizeof(value));
      WriteSettingInt(L"PrintOptionIndex", printOption);
      WriteSettingInt(L"PrintRecordsIndex", printRecords);
      WriteSettingInt(L"LastUsedBitsPerPixel", bitsPerPixel);
      WriteSettingInt(L"SendMailFormat", mailFormat);
      WriteSettingString(L"FaxDriverName", fax);
      WriteSettingString(L"InitialDir", initialDir);
      WriteSettingString(L"FormFolder", forms);
      quillet::StoreAutofillingOptions(options);
      PRINTER_RECORD kept = record;
      if (recordRead) theApp.WriteProfileData(L"Settings", L"PrinterRecord", &kept, sizeof(kept), HKEY_CURRENT_USER);
    };
  });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<fuzz::Reader> readers = {
      {"document", PrepareDocuments, DocumentFixtures, ReadDocument, 100u << 20, 1000},
      {"object-data", PrepareObjectData, ObjectDataFixtures, ReadObjectData, 100u << 20, 1000},
      {"image", PrepareWorkplace, ImageFixtures, ReadImage, 100u << 20, 1000},
      {"shelf", PrepareShelf, ShelfFixtures, ReadShelf, 100u << 20, 1000},
      {"registry", PrepareRecords, RecordFixtures, ReadRecords, 100u << 20, 1000},
  };
  return fuzz::RunReaders(argc, argv, readers);
}
