// The virtual printer's hand-off: the reader of the message's data, the name rules, the page lists of
// the INI file and the choice between EMF and PNG pages in this process; and a running Orvello.exe
// that OrvelloSender hands PNG and EMF pages to, watched from outside (its document windows, its
// message boxes, the files it deletes or keeps).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FolimarApp.h"
#include "HandOff.h"
#include "LMyBitmap.h"
#include "ProgramTestSupport.h"
#include "TestSupport.h"

extern CFolimarApp theApp;

namespace {

using testing_support::ChildProcess;
using testing_support::ProgramFolder;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

using program_test::Exists;
using program_test::Q;

const DWORD kWait = 60000;

bool MakePng(const std::wstring& path, int width, int height) {
  LMyBitmap page;
  if (page.Create(width, height, 24) != SUCCESS) return false;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) page.PutPixelColor(x, y, (x / 8 + y / 8) % 2 ? RGB(0, 0, 0) : RGB(255, 255, 255));
  return page.Save(path.c_str(), FILE_PNG, 24) == SUCCESS;
}

// An enhanced metafile of `shapes` rectangles: its header counts them plus the header and EOF records.
bool MakeEmf(const std::wstring& path, int shapes) {
  HDC dc = ::CreateEnhMetaFileW(nullptr, path.c_str(), nullptr, nullptr);
  if (dc == nullptr) return false;
  for (int i = 0; i < shapes; ++i) ::Rectangle(dc, i, i, i + 20, i + 20);
  HENHMETAFILE metafile = ::CloseEnhMetaFile(dc);
  if (metafile == nullptr) return false;
  ::DeleteEnhMetaFile(metafile);
  return true;
}

CStringList& Listed(CStringList& list, const std::vector<std::wstring>& files) {
  list.RemoveAll();
  for (const std::wstring& f : files) list.AddTail(CString(f.c_str()));
  return list;
}

TEST(HandOffMessage, OnlyATerminatedPathWithinTheByteCountIsRead) {
  wchar_t text[] = L"C:\\spool\\job.ini\0garbage";
  const DWORD pathBytes = static_cast<DWORD>(wcslen(text) * sizeof(wchar_t));
  const struct {
    const char* what;
    ULONG_PTR kind;
    DWORD bytes;
    void* data;
    bool read;
  } cases[] = {
      {"terminated", 1027, pathBytes + 2, text, true},
      {"terminated, more bytes behind", 1027, pathBytes + 10, text, true},
      {"odd byte count past the NUL", 1027, pathBytes + 3, text, true},
      {"no NUL within the count", 1027, pathBytes, text, false},
      {"NUL only half inside", 1027, pathBytes + 1, text, false},
      {"empty path", 1027, 2, const_cast<wchar_t*>(L""), false},
      {"no data", 1027, 0, nullptr, false},
      {"data pointer without bytes", 1027, 0, text, false},
      {"another kind", 1026, pathBytes + 2, text, false},
  };
  for (const auto& c : cases) {
    COPYDATASTRUCT data = {c.kind, c.bytes, c.data};
    CString path = L"untouched";
    EXPECT_EQ(c.read, ReadHandOffPath(data, path) != FALSE) << c.what;
    EXPECT_STREQ(c.read ? L"C:\\spool\\job.ini" : L"untouched", path) << c.what;
  }
}

TEST(HandOffNames, AddressesAreUntitledAndFullPathsGiveTheirFileName) {
  const struct {
    const wchar_t* printed;
    const wchar_t* name;
  } cases[] = {
      {L"http://example.org/report", L"Untitled"},
      {L"file:///C:/docs/a.txt", L"Untitled"},
      {L"File report", L"File report"},
      {L"HTTP caps", L"HTTP caps"},
      {L"C:\\Reports\\march.txt", L"march.txt"},
      {L"C:\\", L""},
      {L"C:", L"C:"},
      {L"Quarterly figures", L"Quarterly figures"},
  };
  for (const auto& c : cases) EXPECT_STREQ(c.name, HandOffDocumentName(c.printed)) << c.printed;
}

class HandOffFiles : public ::testing::Test {
 protected:
  TempFolder folder_;
  CFolimarApp& app_ = theApp;
};

TEST_F(HandOffFiles, FileListsEndAtTheCountOrTheFirstMissingKey) {
  const std::wstring ini = folder_.File(L"job.ini");
  ASSERT_TRUE(WriteFileBytes(ini,
                             "[PNG]\r\nCount=3\r\nFile0=C:\\p0.png\r\nFile1=C:\\p1.png\r\nFile3=C:\\p3.png\r\n"
                             "[EMF]\r\nCount=2\r\nFile0=C:\\e0.emf\r\nFile1=\r\nFile2=C:\\e2.emf\r\n"
                             "[Few]\r\nCount=1\r\nFile0=C:\\f0.png\r\nFile1=C:\\f1.png\r\n"
                             "[Bad]\r\nCount=two\r\nFile0=C:\\b0.png\r\n"
                             "[None]\r\nFile0=C:\\n0.png\r\n"));
  const struct {
    const wchar_t* section;
    int added;
    std::vector<std::wstring> files;
  } cases[] = {
      {L"PNG", 1, {L"C:\\p0.png", L"C:\\p1.png"}},
      {L"EMF", 1, {L"C:\\e0.emf"}},
      {L"Few", 1, {L"C:\\f0.png"}},
      {L"Bad", 0, {}},
      {L"None", 0, {}},
      {L"Missing", 0, {}},
  };
  for (const auto& c : cases) {
    CStringList list;
    EXPECT_EQ(c.added, app_.CreateFileList(c.section, ini.c_str(), list)) << c.section;
    std::vector<std::wstring> files;
    for (POSITION pos = list.GetHeadPosition(); pos;) files.push_back(std::wstring(list.GetNext(pos)));
    EXPECT_EQ(c.files, files) << c.section;
  }
}

TEST_F(HandOffFiles, EmfIsChosenWhenItsFirstFileIsSmaller) {
  const std::wstring small = folder_.File(L"small.bin"), large = folder_.File(L"large.bin"),
                     same = folder_.File(L"same.bin"), gone = folder_.File(L"gone.bin");
  ASSERT_TRUE(WriteFileBytes(small, std::string(100, 'a')));
  ASSERT_TRUE(WriteFileBytes(large, std::string(200, 'b')));
  ASSERT_TRUE(WriteFileBytes(same, std::string(100, 'c')));
  const struct {
    const char* what;
    std::vector<std::wstring> emf, png;
    BOOL less;
  } cases[] = {
      {"no PNG pages", {}, {}, TRUE},
      {"no PNG pages beside EMF", {large}, {}, TRUE},
      {"no EMF pages", {}, {small}, FALSE},
      {"EMF smaller", {small, large}, {large, small}, TRUE},
      {"EMF larger", {large}, {small}, FALSE},
      {"equal sizes", {same}, {small}, FALSE},
      {"EMF file missing", {gone}, {small}, FALSE},
      {"PNG file missing", {small}, {gone}, FALSE},
  };
  for (const auto& c : cases) {
    Listed(app_.m_emfPages, c.emf);
    Listed(app_.m_pngPages, c.png);
    EXPECT_EQ(c.less, app_.IsEMFLessThanPNG()) << c.what;
  }
}

TEST_F(HandOffFiles, AnEmfOfMoreThanThirtyRecordsIsVector) {
  const std::wstring raster = folder_.File(L"raster.emf"), edge = folder_.File(L"edge.emf"),
                     vector = folder_.File(L"vector.emf"), junk = folder_.File(L"junk.emf");
  ASSERT_TRUE(MakeEmf(raster, 1));
  ASSERT_TRUE(MakeEmf(edge, 28));   // 30 records with the header and the end
  ASSERT_TRUE(MakeEmf(vector, 29));  // 31 records
  ASSERT_TRUE(WriteFileBytes(junk, "not a metafile"));
  CStringList list;
  EXPECT_FALSE(IsVectorEmf(Listed(list, {})));
  EXPECT_FALSE(IsVectorEmf(Listed(list, {raster, vector})));
  EXPECT_FALSE(IsVectorEmf(Listed(list, {edge})));
  EXPECT_TRUE(IsVectorEmf(Listed(list, {vector, raster})));
  EXPECT_FALSE(IsVectorEmf(Listed(list, {junk})));
  EXPECT_FALSE(IsVectorEmf(Listed(list, {folder_.File(L"missing.emf")})));
}

// ---- A running program ----

class HandOffProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_test::DeleteProfile());
    program_.reset(new ChildProcess(Q(ProgramFolder() + L"\\Orvello.exe") + L" /vp"));
    frame_ = program_->WaitForMainWindow(kWait);
    ASSERT_NE(nullptr, frame_);
    // Pages are handed over only once the program says it can take them.
    HANDLE ready = nullptr;
    for (int i = 0; i < 600 && ready == nullptr; ++i) {
      ready = ::OpenMutexW(SYNCHRONIZE, FALSE, L"VantryCanGetDataMutex");
      if (ready == nullptr) ::Sleep(50);
    }
    ASSERT_NE(nullptr, ready);
    ::CloseHandle(ready);
  }
  void TearDown() override {
    if (frame_ != nullptr) ::PostMessageW(frame_, WM_CLOSE, 0, 0);
    // A document made from printed pages is new: the question whether to save it is answered No.
    for (int i = 0; program_ && frame_ != nullptr && i < 600 && program_->WaitForExit(100) == STILL_ACTIVE; ++i) {
      HWND box = program_->FindDialog();
      if (box != nullptr) ::PostMessageW(box, WM_COMMAND, IDNO, 0);
    }
    if (program_) EXPECT_EQ(0u, program_->WaitForExit(kWait));
    program_test::DeleteProfile();
  }

  // Sends the INI path; the texts of the message boxes the program showed meanwhile (each answered OK).
  std::vector<std::wstring> Send(const std::wstring& ini, const std::wstring& options = std::wstring()) {
    wchar_t window[32];
    swprintf(window, 32, L"%llu", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(frame_)));
    ChildProcess sender(Q(ProgramFolder() + L"\\OrvelloSender.exe") + L" " + window + L" " + Q(ini) + L" " + options);
    std::vector<std::wstring> boxes;
    while (sender.WaitForExit(50) == STILL_ACTIVE) {
      HWND box = program_->FindDialog();
      if (box == nullptr) continue;
      wchar_t text[1024] = L"";
      ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
      boxes.push_back(text);
      ::SendMessageW(box, WM_COMMAND, IDOK, 0);
      ::Sleep(100);
    }
    return boxes;
  }
  std::wstring Ini(const std::string& text, const wchar_t* name = L"job.ini") {
    const std::wstring path = folder_.File(name);
    EXPECT_TRUE(WriteFileBytes(path, text));
    return path;
  }
  std::string Path(const std::wstring& name) const {
    std::string narrow;
    for (wchar_t c : folder_.File(name)) narrow += static_cast<char>(c);
    return narrow;
  }
  HWND DocumentView() const { return program_test::FindDocumentView(frame_); }

  TempFolder folder_;
  std::unique_ptr<ChildProcess> program_;
  HWND frame_ = nullptr;
};

TEST_F(HandOffProgram, MessagesThatAreNoHandOffAreIgnored) {
  ASSERT_TRUE(MakePng(folder_.File(L"p0.png"), 64, 48));
  const std::wstring ini = Ini("[Document]\r\nName=report\r\n[PNG]\r\nCount=1\r\nFile0=" + Path(L"p0.png") + "\r\n");
  for (const wchar_t* options : {L"/unterminated", L"/kind 1026"}) {
    EXPECT_TRUE(Send(ini, options).empty()) << options;
    EXPECT_TRUE(Exists(ini)) << options;
    EXPECT_TRUE(Exists(folder_.File(L"p0.png"))) << options;
    EXPECT_EQ(nullptr, DocumentView()) << options;
  }
}

// The print job lives only in the handed-over files: when a page cannot be read, every file stays and
// the user is told.
TEST_F(HandOffProgram, AFailingPageKeepsEveryFileAndIsReported) {
  ASSERT_TRUE(MakePng(folder_.File(L"p0.png"), 64, 48));
  ASSERT_TRUE(WriteFileBytes(folder_.File(L"p1.png"), "\x89PNG broken"));
  ASSERT_TRUE(MakePng(folder_.File(L"p2.png"), 64, 48));
  const std::wstring ini = Ini("[Document]\r\nName=report\r\n[PNG]\r\nCount=3\r\nFile0=" + Path(L"p0.png") +
                               "\r\nFile1=" + Path(L"p1.png") + "\r\nFile2=" + Path(L"p2.png") + "\r\n");
  const std::vector<std::wstring> boxes = Send(ini);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::wstring::npos, boxes[0].find(L"could not be loaded")) << boxes[0];
  for (const wchar_t* file : {L"p0.png", L"p1.png", L"p2.png", L"job.ini"}) EXPECT_TRUE(Exists(folder_.File(file))) << file;
  EXPECT_EQ(nullptr, DocumentView());
}

TEST_F(HandOffProgram, AJobWithoutNameOrPagesMakesNoDocumentAndDropsOnlyItsIniFile) {
  ASSERT_TRUE(MakePng(folder_.File(L"p0.png"), 64, 48));
  const std::string pages = "[PNG]\r\nCount=1\r\nFile0=" + Path(L"p0.png") + "\r\n";
  const struct {
    const char* what;
    std::string text;
    const wchar_t* name;
    bool iniKept;
  } cases[] = {
      {"no name", pages, L"job.ini", false},
      {"empty name", "[Document]\r\nName=\r\n" + pages, L"job.INI", false},
      {"no pages", "[Document]\r\nName=report\r\n[PNG]\r\nCount=0\r\n", L"job.ini", false},
      {"no name, not an INI file", pages, L"job.txt", true},
  };
  for (const auto& c : cases) {
    const std::wstring ini = Ini(c.text, c.name);
    EXPECT_TRUE(Send(ini).empty()) << c.what;
    EXPECT_EQ(c.iniKept, Exists(ini)) << c.what;
    EXPECT_TRUE(Exists(folder_.File(L"p0.png"))) << c.what;
    EXPECT_EQ(nullptr, DocumentView()) << c.what;
  }
}

// The document takes the printed document's name; the page files and the INI file go once the
// document holds the pages. A count above the listed keys ends at the first missing one.
TEST_F(HandOffProgram, PngPagesBecomeADocumentAndTheirFilesGo) {
  ASSERT_TRUE(MakePng(folder_.File(L"p0.png"), 64, 48));
  ASSERT_TRUE(MakePng(folder_.File(L"p1.png"), 48, 64));
  const std::wstring ini = Ini("[Document]\r\nName=C:\\Reports\\march.txt\r\nHorizontalResolution=200\r\n"
                               "VerticalResolution=200\r\n[PNG]\r\nCount=3\r\nFile0=" + Path(L"p0.png") +
                               "\r\nFile1=" + Path(L"p1.png") + "\r\n");
  EXPECT_TRUE(Send(ini).empty());
  HWND view = DocumentView();
  ASSERT_NE(nullptr, view);
  EXPECT_EQ(2, program_test::CountPageTabs(view));
  wchar_t caption[256] = L"";
  ::GetWindowTextW(frame_, caption, 256);
  EXPECT_NE(std::wstring::npos, std::wstring(caption).find(L" - march")) << caption;
  for (const wchar_t* file : {L"p0.png", L"p1.png", L"job.ini"}) EXPECT_FALSE(Exists(folder_.File(file))) << file;
}

// With EMF pages preferred ("VPFormat" 0): the smaller EMF pages make the document and every file
// stays for the converter; larger EMF pages of a raster picture leave the PNG pages in use, with the
// hint that the raster file could have been opened directly.
TEST_F(HandOffProgram, EmfPagesAreUsedWhenPreferredAndSmaller) {
  const DWORD emf = 0;
  ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Quennick\\Vantry\\Settings", L"VPFormat",
                                             REG_DWORD, &emf, sizeof(emf)));
  ASSERT_TRUE(MakePng(folder_.File(L"p0.png"), 400, 300));
  ASSERT_TRUE(MakeEmf(folder_.File(L"e0.emf"), 40));
  const std::string pages = "[PNG]\r\nCount=1\r\nFile0=" + Path(L"p0.png") + "\r\n[EMF]\r\nCount=1\r\nFile0=" +
                            Path(L"e0.emf") + "\r\n";
  EXPECT_TRUE(Send(Ini("[Document]\r\nName=vector job\r\n" + pages)).empty());
  ASSERT_NE(nullptr, DocumentView());
  for (const wchar_t* file : {L"p0.png", L"e0.emf", L"job.ini"}) EXPECT_TRUE(Exists(folder_.File(file))) << file;

  ASSERT_TRUE(MakePng(folder_.File(L"p1.png"), 16, 16));
  ASSERT_TRUE(MakeEmf(folder_.File(L"e1.emf"), 1));
  ASSERT_TRUE(WriteFileBytes(folder_.File(L"e1.emf"), testing_support::ReadFileBytes(folder_.File(L"e1.emf")) +
                                                          std::string(8192, '\0')));
  const std::wstring raster = Ini("[Document]\r\nName=raster job\r\n[PNG]\r\nCount=1\r\nFile0=" + Path(L"p1.png") +
                                  "\r\n[EMF]\r\nCount=1\r\nFile0=" + Path(L"e1.emf") + "\r\n", L"raster.ini");
  const std::vector<std::wstring> boxes = Send(raster);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::wstring::npos, boxes[0].find(L"A raster file has been sent")) << boxes[0];
  EXPECT_FALSE(Exists(folder_.File(L"p1.png")));
  EXPECT_FALSE(Exists(raster));
  EXPECT_TRUE(Exists(folder_.File(L"e1.emf")));
}

}  // namespace
