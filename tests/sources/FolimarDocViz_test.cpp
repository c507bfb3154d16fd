// The data-exchange export: the file our converter writes for a document of the program's objects,
// read back record by record.
#include <sstream>

#include "DocumentTestSupport.h"
#include "LMyBitmap.h"
#include "TranspCheckMark.h"
#include "TranspLabel.h"
#include "TranspShapes.h"
#include "TranspText.h"

using namespace doctest;

namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, '\t')) fields.push_back(field);
  return fields;
}

std::string DecodeBase64(const std::string& text) {
  static const std::string kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  unsigned bits = 0;
  int count = 0;
  for (char c : text) {
    if (c == '=') break;
    const size_t value = kDigits.find(c);
    if (value == std::string::npos) return std::string();
    bits = (bits << 6) | static_cast<unsigned>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return out;
}

// The PNG files of the program's temporary folder that an export could have left.
std::vector<std::wstring> TempPngs() {
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((std::wstring(GetTempDirPath()) + L"*.png").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return found;
  do found.push_back(data.cFileName);
  while (FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

class VizExportTest : public ProgramKindsDocumentTest {
 protected:
  void SetUp() override {
    ProgramKindsDocumentTest::SetUp();
    CTranspBaseClass::SetInchesPerUnit(0.00001);
    while (doc_.GetPageCount() < 2) doc_.InitPageDBTable(doc_.AppendNewPage());
    wcscpy_s(doc_.Options().formName, L"Order\tform");
    doc_.m_printOffsetX = 120;
    doc_.m_printOffsetY = -40;
    CPageInfo* page = doc_.GetPage(0);
    page->m_pBitmap = new LMyBitmap;
    ASSERT_EQ(SUCCESS, page->m_pBitmap->Create(170, 220, 24));
    page->m_pBitmap->Fill(RGB(200, 10, 10));
    page->m_imagePosition = {1000, 2000};
    _OBJECT_STYLE style;
    SetDefaultTextStyle(&style);
    Add(new CTranspText(nullptr, 10000, 20000, &style, nullptr, L"value", 0), L"Field");
    Add(new CTranspLabel(nullptr, 10000, 40000, &style, nullptr, L"caption", 0), L"Caption");
    _OBJECT_STYLE shape = {};
    shape.lineWidth = 1000;
    shape.color = RGB(0, 0, 255);
    RECT box = {50000, 50000, 150000, 90000};
    Add(new CTranspRectangle(nullptr, box, &shape, 0), L"Gone")->SetDeleted(1);
    Add(new CTranspLine(nullptr, 10000, 10000, 110000, 60000, &shape, 0), L"Rule");
    Add(new CTranspCheckMark(nullptr, 30000, 30000, &shape, 1), L"Agree");
    Add(new CTranspRectangle(nullptr, box, &shape, 1), L"Frame");
  }
  CTranspBaseClass* Add(CTranspBaseClass* object, LPCWSTR name) {
    object->SetName(name);
    doc_.AddObjectToList(object);
    return object;
  }
  std::vector<std::string> Export() {
    const std::wstring path = Path(L"out.viz");
    EXPECT_TRUE(doc_.StoringVIZ(path.c_str()));
    std::stringstream text(testing_support::ReadFileBytes(path));
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(text, line)) lines.push_back(line);
    return lines;
  }
  CFolimarDoc doc_;
};

TEST_F(VizExportTest, EachPageStatesExactlyTheRecordsThatFollowIt) {
  const std::vector<std::wstring> pngsBefore = TempPngs();
  const std::vector<std::string> lines = Export();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ("VIZ\t1", lines[0]);
  // Form name (a tab in it escaped), offsets, page count, zoom and tool without a frame.
  EXPECT_EQ("DOCUMENT\tOrder\\tform\t120\t-40\t2\t100\t6", lines[1]);
  EXPECT_EQ("END", lines.back());
  // Records of each page: the kinds of its items in order; deleted objects are not sent.
  std::vector<std::vector<std::string>> pages;
  auto items = [](const std::vector<std::string>& page) {
    int n = 0;
    for (const std::string& record : page) n += record[0] != ' ';
    return n;
  };
  int announced = -1;
  for (size_t i = 2; i + 1 < lines.size(); ++i) {
    const std::vector<std::string> f = Fields(lines[i]);
    if (f[0] == "PAGE") {
      if (announced >= 0) EXPECT_EQ(announced, items(pages.back()));
      pages.emplace_back();
      EXPECT_EQ(std::to_string(pages.size()), f[1]);
      announced = std::stoi(f[2]);
    } else if (f[0] == "IMAGE" || f[0] == "ITEM") {
      pages.back().push_back(f[0] == "IMAGE" ? "IMAGE " + f[1] : f[1] + " " + f[10]);
    } else {
      pages.back().push_back("  " + f[0]);  // the item's second call, not an item of its own
    }
  }
  ASSERT_EQ(2u, pages.size());
  EXPECT_EQ(announced, items(pages.back()));
  const std::vector<std::string> first = {"IMAGE MainImage1", "10001 Field", "10001 Caption", "10004 Rule", "  LINE"};
  const std::vector<std::string> second = {"10005 Agree", "  CHECK", "10003 Frame"};
  EXPECT_EQ(first, pages[0]);
  EXPECT_EQ(second, pages[1]);
  // The page image is a PNG of the page bitmap, placed at the image position in the converter's inches.
  for (const std::string& line : lines) {
    const std::vector<std::string> f = Fields(line);
    if (f[0] != "IMAGE") continue;
    EXPECT_EQ("0.958000", f[2]);
    EXPECT_EQ("1.916000", f[3]);
    const std::wstring png = Path(L"image.png");
    ASSERT_TRUE(testing_support::WriteFileBytes(png, DecodeBase64(f[4])));
    LMyBitmap image;
    image.SetFileName(png.c_str());
    ASSERT_EQ(SUCCESS, image.Load());
    EXPECT_EQ(170, image.GetWidth());
    EXPECT_EQ(220, image.GetHeight());
  }
  // The image went through a file of the run's own, which is gone.
  EXPECT_EQ(pngsBefore, TempPngs());
  EXPECT_NE(std::wstring::npos, fixtures::ErrorLogText().find(L"StoringVIZ end"));
}

TEST_F(VizExportTest, AFileThatCannotBeWrittenIsReported) {
  const std::wstring path = Path(L"missing folder\\out.viz");
  EXPECT_FALSE(doc_.StoringVIZ(path.c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
  ASSERT_EQ(1u, ShownMessages().size());
}

}  // namespace
