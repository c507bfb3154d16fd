#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "ErrorLog.h"
#include "MyProcs.h"
#include "TestSupport.h"

namespace {

using fixtures::PrivateUserProfile;

// The application object whose profile the helpers use, named and keyed as the program's own.
class ProfileApp : public CWinApp {
 public:
  ProfileApp() : CWinApp(L"Vantry") { SetRegistryKey(L"Quennick"); }
};
ProfileApp theApp;

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s)); }

class Folders : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(profile_.Ready()); }
  PrivateUserProfile profile_;
};

TEST_F(Folders, AllHangFromTheDocumentsFolder) {
  const std::wstring docs = profile_.Documents();
  EXPECT_EQ(docs, W(GetMyDocumentsPathName()));
  EXPECT_EQ(docs + L"\\Vantry", W(GetFilesPathName()));
  EXPECT_EQ(docs + L"\\Vantry\\Filled Forms\\", W(GetFilledFormsPathName()));
  EXPECT_EQ(docs + L"\\Vantry Backups\\", W(GetInitialBackupFolder()));
  EXPECT_EQ(docs + L"\\Vantry Backups\\Backup of Vantry documents.7z", W(GetInitialAutoBackupFilePath()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((docs + L"\\Vantry\\Filled Forms").c_str()));
}

TEST_F(Folders, InitialFormsFolderIsCreatedWithItsParent) {
  const std::wstring docs = profile_.Documents();
  fixtures::RemoveFolderTree(docs + L"\\Vantry");
  EXPECT_EQ(docs + L"\\Vantry\\Forms", W(GetInitialFormsPathName()));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((docs + L"\\Vantry\\Forms").c_str()));
  EXPECT_EQ(docs + L"\\Vantry\\Forms", W(GetFormsPathName()));
}

TEST_F(Folders, FormFolderSettingWins) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Quennick\\Vantry\\Settings", 0, nullptr, 0,
                                           KEY_SET_VALUE, nullptr, &key, nullptr));
  const wchar_t folder[] = L"D:\\Shared forms";
  RegSetValueExW(key, L"FormFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder), sizeof(folder));
  RegCloseKey(key);
  EXPECT_EQ(folder, W(GetFormsPathName()));
}

// Orvello and Quillet read the folder through one helper, so both build the same paths from it.
TEST_F(Folders, DocumentsFolderLosesTrailingBackslashesAndMayBeLong) {
  const std::wstring docs = profile_.Documents();
  const std::wstring longFolder = L"C:\\" + std::wstring(200, L'd');
  const struct {
    std::wstring stored, read;
  } cases[] = {{docs + L"\\", docs}, {docs + L"\\\\", docs}, {longFolder, longFolder}};
  for (const auto& c : cases) {
    profile_.SetDocumentsValue(c.stored);
    EXPECT_EQ(c.read, W(GetMyDocumentsPathName()));
    EXPECT_EQ(c.read + L"\\Vantry", W(GetFilesPathName()));
  }
}

// Nothing is made or written at the root of the current drive for want of a documents folder.
TEST_F(Folders, NoDocumentsValueGivesEmptyFolders) {
  profile_.SetDocumentsValue(L"");
  EXPECT_EQ(L"", W(GetMyDocumentsPathName()));
  EXPECT_EQ(L"", W(GetFilesPathName()));
  EXPECT_EQ(L"", W(GetFilledFormsPathName()));
  EXPECT_EQ(L"", W(GetErrorLogPathName()));
  EXPECT_EQ(L"", W(GetInitialFormsPathName()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L"\\Vantry"));
}

TEST_F(Folders, TempFolderOfTheProduct) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  EXPECT_EQ(std::wstring(temp) + L"Vantry\\", W(GetTempDirPath()));
}

// A document header of the given version followed by the blocks GetFormName walks over.
std::string DocumentStart(uint32_t version, const char* magic, bool oldExtraWithSize) {
  std::string bytes(48, '\0');
  memcpy(&bytes[0], magic, 3);
  memcpy(&bytes[4], &version, 4);
  auto put = [&](int32_t v) { bytes.append(reinterpret_cast<const char*>(&v), 4); };
  if (version > 6) {
    put(0);  // template flag
    put(3);  // current record
    if (version <= 18) {
      if (oldExtraWithSize) {
        put(5);
        bytes.append(5, 'x');
      } else {
        bytes.append(32, 'x');
      }
    }
  }
  return bytes;
}

TEST_F(Folders, FormNameFromTheDocumentTitle) {
  const std::wstring forms = W(GetInitialFormsPathName());
  // Version 28: the wide title at byte 4 of the 5304-byte options block.
  std::string v28 = DocumentStart(28, "KTD", false);
  std::string options(5304, '\0');
  const wchar_t title[] = L"Invoice";
  memcpy(&options[4], title, sizeof(title));
  ASSERT_TRUE(testing_support::WriteFileBytes(forms + L"\\a.qlm", v28 + options));
  // Version 10: an int32-sized extra block, then the 8-bit title of the 2720-byte block.
  std::string v10 = DocumentStart(10, "QLM", true);
  std::string oldOptions(2720, '\0');
  memcpy(&oldOptions[4], "Old form", 8);
  ASSERT_TRUE(testing_support::WriteFileBytes(forms + L"\\b.qlm", v10 + oldOptions));
  // Version 5: no title stored.
  ASSERT_TRUE(testing_support::WriteFileBytes(forms + L"\\c.qlm", DocumentStart(5, "QLM", false)));
  // A damaged extra-block size must not be followed.
  std::string bad = DocumentStart(12, "KTD", false);
  const int32_t huge = 0x7FFFFFF0;
  bad.append(reinterpret_cast<const char*>(&huge), 4);
  ASSERT_TRUE(testing_support::WriteFileBytes(forms + L"\\d.qlm", bad));

  EXPECT_EQ(L"Invoice", W(GetFormName(L"a.qlm")));
  EXPECT_EQ(L"Old form", W(GetFormName(L"b.qlm")));
  EXPECT_EQ(L"Untitled", W(GetFormName(L"c.qlm")));
  EXPECT_EQ(L"", W(GetFormName(L"d.qlm")));
  EXPECT_EQ(L"", W(GetFormName(L"missing.qlm")));
}

struct ShownBox {
  std::wstring text;
  UINT type;
};
std::vector<ShownBox> g_shown;
int g_answer = IDYES;

int RecordBox(LPCTSTR text, UINT type) {
  g_shown.push_back({text, type});
  return g_answer;
}

class MessageBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    g_shown.clear();
    previous_ = SetMessageBoxPresenter(RecordBox);
  }
  void TearDown() override { SetMessageBoxPresenter(previous_); }
  MessageBoxPresenter previous_ = nullptr;
};

TEST_F(MessageBoxes, ButtonsAndIcons) {
  g_answer = IDNO;
  EXPECT_EQ(IDNO, ErrorBox(L"e"));
  WarningBox(L"w");
  EXPECT_EQ(IDNO, YesNoBox(L"y"));
  ErrorBox(1u);
  WarningBox(1u);
  EXPECT_EQ(IDNO, YesNoBox(1u));
  EXPECT_EQ(IDNO, QuestionBox(1u));
  InformationBox(1u);
  const UINT expected[] = {MB_OK | MB_ICONEXCLAMATION, MB_OK | MB_ICONEXCLAMATION, MB_YESNO | MB_ICONQUESTION,
                           MB_OK | MB_ICONEXCLAMATION, MB_OK | MB_ICONEXCLAMATION, MB_YESNO | MB_ICONQUESTION,
                           MB_YESNOCANCEL | MB_ICONQUESTION, MB_OK | MB_ICONINFORMATION};
  ASSERT_EQ(_countof(expected), g_shown.size());
  for (size_t i = 0; i < g_shown.size(); ++i) EXPECT_EQ(expected[i], g_shown[i].type) << i;
  EXPECT_EQ(L"e", g_shown[0].text);
  EXPECT_EQ(L"w", g_shown[1].text);
  EXPECT_EQ(L"y", g_shown[2].text);
}

int g_hintsShown = 0;
BOOL g_dontShowAgain = FALSE;
BOOL RecordHint(LPCTSTR) {
  ++g_hintsShown;
  return g_dontShowAgain;
}

TEST(InfoBoxOnce, ShownUntilTheUserTicksTheBox) {
  PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  InfoBoxPresenter previous = SetInfoBoxPresenter(RecordHint);
  g_hintsShown = 0;
  g_dontShowAgain = FALSE;
  ShowInfoBoxOnce(L"ShowBoxFreeHand", L"hint");
  ShowInfoBoxOnce(L"ShowBoxFreeHand", L"hint");
  EXPECT_EQ(2, g_hintsShown);
  EXPECT_EQ(0, ReadSettingInt(L"ShowBoxFreeHand", 0));
  g_dontShowAgain = TRUE;
  ShowInfoBoxOnce(L"ShowBoxFreeHand", L"hint");
  EXPECT_EQ(1, ReadSettingInt(L"ShowBoxFreeHand", 0));
  ShowInfoBoxOnce(L"ShowBoxFreeHand", L"hint");
  EXPECT_EQ(3, g_hintsShown);
  SetInfoBoxPresenter(previous);
}

int g_dispatched = 0;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_APP + 1) ++g_dispatched;
  return DefWindowProcW(window, message, w, l);
}

TEST(Messages, PumpDispatchesEverythingWaiting) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VantryPumpTest";
  RegisterClassW(&wc);
  HWND window = CreateWindowW(L"VantryPumpTest", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, window);
  g_dispatched = 0;
  for (int i = 0; i < 3; ++i) PostMessageW(window, WM_APP + 1, 0, 0);
  PumpMessages();
  EXPECT_EQ(3, g_dispatched);
  MSG left;
  EXPECT_FALSE(PeekMessageW(&left, nullptr, 0, 0, PM_NOREMOVE));
  DestroyWindow(window);
}

TEST(ImageFormats, WithoutAsking) {
  PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  SetImageSaveChoices(nullptr);
  const struct {
    const wchar_t* path;
    int bitsIn;
    BOOL result;
    int format, bits, quality;
  } cases[] = {
      {L"x.GIF", 24, TRUE, 2, 8, 2},  {L"x.bmp", 1, TRUE, 6, 24, 2},  {L"x.pcx", 8, TRUE, 1, 24, 2},
      {L"x.png", 0, TRUE, 75, 24, 2}, {L"x.jpeg", 8, TRUE, 10, 24, 51},  // stored level 7 ("80")
      {L"x.tif", 8, TRUE, 3, 8, 2},   {L"x.xyz", 8, FALSE, -1, 24, 2},
  };
  for (const auto& c : cases) {
    int bits = c.bitsIn, format = -1, quality = -1;
    EXPECT_EQ(c.result, GetImageFormatParams(c.path, bits, format, quality, FALSE)) << c.path;
    EXPECT_EQ(c.format, format) << c.path;
    EXPECT_EQ(c.bits, bits) << c.path;
    EXPECT_EQ(c.quality, quality) << c.path;
  }
}

// Stand-ins for the options dialogs: they answer what the test has set.
struct DialogAnswers {
  BOOL ok = TRUE;
  int bits = 4;
  int compression = 3;
  int level = 0;
  int presetBits = -1;
} g_dialogs;
BOOL AnswerBitDepth(int& bits) {
  g_dialogs.presetBits = bits;
  if (g_dialogs.ok) bits = g_dialogs.bits;
  return g_dialogs.ok;
}
BOOL AnswerTiff(int& bits, int& compression) {
  bits = g_dialogs.bits;
  compression = g_dialogs.compression;
  return g_dialogs.ok;
}
BOOL AnswerJpeg(int& level) {
  level = g_dialogs.level;
  return g_dialogs.ok;
}
int StoredCompression() { return 2; }
int StoredLevel() { return 9; }

TEST(ImageFormats, AskingTheDialogs) {
  PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  const IMAGE_SAVE_CHOICES choices = {AnswerBitDepth, AnswerTiff, AnswerJpeg, StoredCompression, StoredLevel};
  SetImageSaveChoices(&choices);
  int bits = 8, format = 0, quality = 0;

  // The bit-depth dialog opens with the last used depth; JPEG raises the choice to 8.
  WriteSettingInt(L"LastUsedBitsPerPixel", 1);
  g_dialogs = DialogAnswers();
  EXPECT_TRUE(GetImageFormatParams(L"a.jpg", bits, format, quality, TRUE));
  EXPECT_EQ(1, g_dialogs.presetBits);
  EXPECT_EQ(8, bits);
  EXPECT_EQ(229, quality);  // level 0: (9 - 0) x 2550 / 100
  EXPECT_EQ(8, ReadSettingInt(L"LastUsedBitsPerPixel", 0));

  // TIFF with the fax compression forces one bit per pixel.
  bits = 24;
  EXPECT_TRUE(GetImageFormatParams(L"a.tiff", bits, format, quality, TRUE));
  EXPECT_EQ(29, format);
  EXPECT_EQ(1, bits);

  // Cancel of the TIFF or JPEG dialog stops the save; cancel of the bit depth keeps the stored one.
  g_dialogs.ok = FALSE;
  EXPECT_FALSE(GetImageFormatParams(L"a.tif", bits, format, quality, TRUE));
  EXPECT_FALSE(GetImageFormatParams(L"a.jpg", bits, format, quality, TRUE));
  WriteSettingInt(L"LastUsedBitsPerPixel", 4);
  bits = 24;
  EXPECT_TRUE(GetImageFormatParams(L"a.png", bits, format, quality, TRUE));
  EXPECT_EQ(4, bits);
  EXPECT_EQ(75, format);

  // Without asking, the stored choices of the options apply.
  bits = 24;
  EXPECT_TRUE(GetImageFormatParams(L"a.tif", bits, format, quality, FALSE));
  EXPECT_EQ(17, format);
  EXPECT_TRUE(GetImageFormatParams(L"a.jpg", bits, format, quality, FALSE));
  EXPECT_EQ(0, quality);
  SetImageSaveChoices(nullptr);
}

}  // namespace
