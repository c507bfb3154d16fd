// The settings store against the real registry and real INI files: roots, precedence, defaults,
// INI overrides, cutting to field widths, expansion and writing back.
#include "vpd_settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"
#include "VpdTestSupport.h"

using namespace vpd_internal;
using vpd_test::getDword;
using vpd_test::getString;
using vpd_test::setDword;
using vpd_test::setString;

namespace {

const std::wstring kRoot = L"Software\\Vantry";
const std::wstring kConverter = kRoot + L"\\Converter";
const std::wstring kPng = kRoot + L"\\Converter\\PNG";
const std::wstring kEmf = kRoot + L"\\Converter\\EMF";
const std::wstring kPost = kRoot + L"\\Application\\Postconverter";
constexpr DWORD kUserThenMachine = currentUser | localMachine;

class SettingsStore : public ::testing::Test {
 protected:
  vpd_test::VantryState state;
};

// Writes an INI file in UTF-16 with a byte-order mark, as the profile API reads Unicode files.
void writeIni(const std::wstring& path, const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  ASSERT_TRUE(testing_support::WriteFileBytes(path, bytes));
}

TEST_F(SettingsStore, MissingGroupKeysStartFromTheDefaults) {
  // Nothing under Software\Vantry at all: a fresh install must load the defaults, not zeros.
  ConverterSettings converter;
  ASSERT_TRUE(loadConverterSettings(converter, kUserThenMachine, kRoot, ownSession, L""));
  EXPECT_EQ(converter.enabled, 1u);
  EXPECT_EQ(converter.threads, 1u);
  EXPECT_EQ(converter.showProgress, 1u);
  EXPECT_EQ(converter.cleanupOutput, 0u);
  EXPECT_EQ(converter.pagesPerSheet, 1u);
  EXPECT_STREQ(converter.outputDirectory, L"");

  PngSettings png;
  ASSERT_TRUE(loadPngSettings(png, kUserThenMachine, kRoot, L""));
  EXPECT_EQ(png.bitsPerPixel, 24u);
  EXPECT_EQ(png.enabled, 0u);

  HookSettings hook;
  ASSERT_TRUE(loadHookSettings(postconverterHook, hook, kUserThenMachine, kRoot, ownSession, L""));
  EXPECT_EQ(hook.enabled, 0u);
  EXPECT_STREQ(hook.executableFile, L"");
}

TEST_F(SettingsStore, KeyOnlyInCurrentUserWithAValueMissingKeepsThatDefault) {
  // The machine root lacks the key: the value missing from the user's key keeps its default.
  setDword(HKEY_CURRENT_USER, kPng, L"Enabled", 1);
  PngSettings png;
  ASSERT_TRUE(loadPngSettings(png, kUserThenMachine, kRoot, L""));
  EXPECT_EQ(png.enabled, 1u);
  EXPECT_EQ(png.bitsPerPixel, 24u);
}

TEST_F(SettingsStore, EachValueComesFromTheFirstRootThatHasIt) {
  setDword(HKEY_CURRENT_USER, kConverter, L"Threads", 4);
  setDword(HKEY_LOCAL_MACHINE, kConverter, L"Threads", 8);
  setDword(HKEY_LOCAL_MACHINE, kConverter, L"Show Progress", 0);
  setString(HKEY_LOCAL_MACHINE, kConverter, L"File name mask", L"page%03i");
  ConverterSettings converter;
  ASSERT_TRUE(loadConverterSettings(converter, kUserThenMachine, kRoot, ownSession, L""));
  EXPECT_EQ(converter.threads, 4u);        // current user wins
  EXPECT_EQ(converter.showProgress, 0u);   // only the machine has it
  EXPECT_STREQ(converter.fileNameMask, L"page%03i");
  EXPECT_EQ(converter.pagesPerSheet, 1u);  // neither has it

  // With the machine root alone the user's value is not seen.
  ASSERT_TRUE(loadConverterSettings(converter, localMachine, kRoot, ownSession, L""));
  EXPECT_EQ(converter.threads, 8u);
}

TEST_F(SettingsStore, AValueOfTheWrongTypeCountsAsMissing) {
  setString(HKEY_CURRENT_USER, kPng, L"Bits per pixel", L"8");
  setDword(HKEY_LOCAL_MACHINE, kPng, L"Bits per pixel", 4);
  setDword(HKEY_CURRENT_USER, kPng, L"Dithering", 0);
  const DWORD dithering[] = {5, 6};  // REG_BINARY of 8 bytes where a DWORD belongs
  vpd_test::setRaw(HKEY_CURRENT_USER, kPng, L"Dithering", REG_BINARY, dithering, sizeof(dithering));
  setDword(HKEY_CURRENT_USER, kConverter, L"Output Directory", 7);
  PngSettings png;
  ASSERT_TRUE(loadPngSettings(png, kUserThenMachine, kRoot, L""));
  EXPECT_EQ(png.bitsPerPixel, 4u);  // the machine's well-typed value
  EXPECT_EQ(png.dithering, 0u);     // the default
  ConverterSettings converter;
  ASSERT_TRUE(loadConverterSettings(converter, kUserThenMachine, kRoot, ownSession, L""));
  EXPECT_STREQ(converter.outputDirectory, L"");
}

TEST_F(SettingsStore, TextEndsAtItsFirstNulAndIsCutToItsField) {
  const wchar_t embedded[] = L"C:\\Apps\\viewer.exe\0junk";
  vpd_test::setRaw(HKEY_CURRENT_USER, kPost, L"Executable File", REG_SZ, embedded, sizeof(embedded));
  // Stored without a terminating NUL and with an odd byte count.
  const char unterminated[] = {'W', 0, 'n', 0, 'd', 0, 'x'};
  vpd_test::setRaw(HKEY_CURRENT_USER, kPost, L"Window Class", REG_SZ, unterminated, sizeof(unterminated));
  setString(HKEY_CURRENT_USER, kPost, L"Window Title", std::wstring(300, L't'));
  setString(HKEY_CURRENT_USER, kPost, L"Pipe Name", std::wstring(255, L'p'));
  setString(HKEY_CURRENT_USER, kConverter, L"Output Directory", std::wstring(1500, L'o'));
  HookSettings hook;
  ASSERT_TRUE(loadHookSettings(postconverterHook, hook, kUserThenMachine, kRoot, ownSession, L""));
  EXPECT_STREQ(hook.executableFile, L"C:\\Apps\\viewer.exe");
  EXPECT_STREQ(hook.windowClass, L"Wndx");  // the odd byte is the low half of a last unit
  EXPECT_EQ(std::wstring(hook.windowTitle), std::wstring(255, L't'));
  EXPECT_EQ(std::wstring(hook.pipeName), std::wstring(255, L'p'));
  ConverterSettings converter;
  ASSERT_TRUE(loadConverterSettings(converter, kUserThenMachine, kRoot, ownSession, L""));
  EXPECT_EQ(std::wstring(converter.outputDirectory), std::wstring(1023, L'o'));
}

TEST_F(SettingsStore, ExecutableAndOutputFolderAreExpandedIntoTheirSecondField) {
  SetEnvironmentVariableW(L"VPD_TEST_HOME", L"C:\\Home\\Ann");
  setString(HKEY_CURRENT_USER, kPost, L"Executable File", L"%VPD_TEST_HOME%\\viewer.exe");
  setString(HKEY_CURRENT_USER, kConverter, L"Output Directory", L"%VPD_TEST_HOME%\\out");
  setString(HKEY_CURRENT_USER, kEmf, L"Embedded fonts directory", L"%VPD_TEST_HOME%\\fonts");
  HookSettings hook;
  ASSERT_TRUE(loadHookSettings(postconverterHook, hook, kUserThenMachine, kRoot, ownSession, L""));
  EXPECT_STREQ(hook.executableFile, L"%VPD_TEST_HOME%\\viewer.exe");
  EXPECT_STREQ(hook.executableFileExpanded, L"C:\\Home\\Ann\\viewer.exe");
  ConverterSettings converter;
  ASSERT_TRUE(loadConverterSettings(converter, kUserThenMachine, kRoot, ownSession, L""));
  EXPECT_STREQ(converter.outputDirectoryExpanded, L"C:\\Home\\Ann\\out");
  EmfSettings emf;
  ASSERT_TRUE(loadEmfSettings(emf, kUserThenMachine, kRoot, L""));
  EXPECT_STREQ(emf.embeddedFontsDirectory, L"%VPD_TEST_HOME%\\fonts");  // never expanded

  // An empty text leaves the expanded field empty.
  setString(HKEY_CURRENT_USER, kPost, L"Executable File", L"");
  ASSERT_TRUE(loadHookSettings(postconverterHook, hook, kUserThenMachine, kRoot, ownSession, L""));
  EXPECT_STREQ(hook.executableFileExpanded, L"");
  SetEnvironmentVariableW(L"VPD_TEST_HOME", nullptr);
}

TEST_F(SettingsStore, IniOverridesNumbersAndTextsButNotMinusOneOrEmpty) {
  testing_support::TempFolder folder;
  const std::wstring ini = folder.File(L"job.ini");
  const std::wstring longPath = L"C:\\" + std::wstring(600, L'x') + L".exe";  // wider than 512
  writeIni(ini, L"[OnPOSTCONVERTER]\r\nExecutable File=" + longPath +
                    L"\r\nTimeout=-1\r\nWindow Title=\r\nMessage Id=1234\r\nEnabled=1\r\n");
  setDword(HKEY_CURRENT_USER, kPost, L"Timeout", 90);
  setString(HKEY_CURRENT_USER, kPost, L"Window Title", L"Receiver");
  HookSettings hook;
  ASSERT_TRUE(loadHookSettings(postconverterHook, hook, kUserThenMachine, kRoot, ownSession, ini));
  EXPECT_EQ(std::wstring(hook.executableFile), longPath);
  EXPECT_EQ(hook.timeout, 90u);
  EXPECT_STREQ(hook.windowTitle, L"Receiver");
  EXPECT_EQ(hook.messageId, 1234u);
  EXPECT_EQ(hook.enabled, 1u);

  // Without a path the INI file is not consulted.
  ASSERT_TRUE(loadHookSettings(postconverterHook, hook, kUserThenMachine, kRoot, ownSession, L""));
  EXPECT_EQ(hook.messageId, 0u);
}

TEST_F(SettingsStore, EachGroupReadsItsOwnIniSection) {
  testing_support::TempFolder folder;
  const std::wstring ini = folder.File(L"sections.ini");
  writeIni(ini,
           L"[OnPREPROCESSOR]\r\nMessage Id=10\r\n[OnPRECONVERTER]\r\nMessage Id=11\r\n"
           L"[OnPOSTCONVERTER]\r\nMessage Id=12\r\n[OnConverter]\r\nThreads=13\r\n"
           L"[OnEMF]\r\nThin line width=14\r\n[OnPNG]\r\nDithering=15\r\n");
  struct Case {
    HookKind kind;
    DWORD expected;
  };
  for (const Case& c : {Case{preprocessorHook, 10}, Case{preconverterHook, 11}, Case{postconverterHook, 12}}) {
    HookSettings hook;
    ASSERT_TRUE(loadHookSettings(c.kind, hook, kUserThenMachine, kRoot, ownSession, ini));
    EXPECT_EQ(hook.messageId, c.expected) << "hook kind " << c.kind;
  }
  ConverterSettings converter;
  ASSERT_TRUE(loadConverterSettings(converter, kUserThenMachine, kRoot, ownSession, ini));
  EXPECT_EQ(converter.threads, 13u);
  EmfSettings emf;
  ASSERT_TRUE(loadEmfSettings(emf, kUserThenMachine, kRoot, ini));
  EXPECT_EQ(emf.thinLineWidth, 14u);
  PngSettings png;
  ASSERT_TRUE(loadPngSettings(png, kUserThenMachine, kRoot, ini));
  EXPECT_EQ(png.dithering, 15u);
}

TEST_F(SettingsStore, HookKindsUseTheirOwnKeys) {
  struct Case {
    HookKind kind;
    const wchar_t* key;
  };
  const Case cases[] = {{preprocessorHook, L"\\Application\\Preprocessor"},
                        {preconverterHook, L"\\Application\\Preconverter"},
                        {postconverterHook, L"\\Application\\Postconverter"}};
  for (const Case& c : cases) {
    HookSettings hook = {};
    hook.pipeMessageSize = 100 + c.kind;
    ASSERT_TRUE(saveHookSettings(c.kind, hook, currentUser, kRoot));
    DWORD stored = 0;
    ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kRoot + c.key, L"Pipe Message Size", stored)) << c.kind;
    EXPECT_EQ(stored, 100u + c.kind);
  }
}

TEST_F(SettingsStore, SaveWritesEveryValueWithItsTypeToTheChosenRoots) {
  HookSettings hook = {};
  hook.enabled = 1;
  hook.earlyAccess = 5;
  wcscpy(hook.executableFile, L"%WINDIR%\\notepad.exe");
  wcscpy(hook.executableFileExpanded, L"C:\\windows\\notepad.exe");
  hook.transferMode = 3;
  wcscpy(hook.pipeName, L"\\\\.\\pipe\\vantry");
  ASSERT_TRUE(saveHookSettings(postconverterHook, hook, currentUser, kRoot));

  std::wstring text;
  DWORD number = 0;
  ASSERT_TRUE(getString(HKEY_CURRENT_USER, kPost, L"Executable File", text));
  EXPECT_EQ(text, L"%WINDIR%\\notepad.exe");  // the unexpanded text
  ASSERT_TRUE(getString(HKEY_CURRENT_USER, kPost, L"Pipe Name", text));
  EXPECT_EQ(text, L"\\\\.\\pipe\\vantry");
  ASSERT_TRUE(getString(HKEY_CURRENT_USER, kPost, L"Window Title", text));
  EXPECT_EQ(text, L"");
  ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kPost, L"Early Access", number));
  EXPECT_EQ(number, 5u);
  ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kPost, L"Transfer Mode", number));
  EXPECT_EQ(number, 3u);
  const wchar_t* const names[] = {L"Enabled", L"Early Access", L"Executable File", L"Skip Mode",
                                  L"Transfer Mode", L"Timeout", L"Window Title", L"Window Class",
                                  L"Message Id", L"Notify All", L"Pipe Name", L"Pipe Message Size",
                                  L"Pipe Launch Application"};
  for (const wchar_t* name : names)
    EXPECT_TRUE(vpd_test::valueExists(HKEY_CURRENT_USER, kPost, name)) << "missing value";
  EXPECT_FALSE(vpd_test::valueExists(HKEY_LOCAL_MACHINE, kPost, L"Enabled"));

  PngSettings png = {1, 8, 1, 3, 1};
  ASSERT_TRUE(savePngSettings(png, currentUser | localMachine, kRoot));
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    ASSERT_TRUE(getDword(root, kPng, L"Dithering", number));
    EXPECT_EQ(number, 3u);
  }
  // Saved and loaded again, a record comes back the same.
  PngSettings again;
  ASSERT_TRUE(loadPngSettings(again, currentUser, kRoot, L""));
  EXPECT_EQ(0, memcmp(&png, &again, sizeof(png)));
}

TEST_F(SettingsStore, SingleSettingsOfEveryKindRoundTrip) {
  const std::wstring key = kRoot + L"\\Probe";
  RegistrySetting binary;
  binary.keyPath = key;
  binary.valueName = L"Blob";
  binary.kind = REG_BINARY;
  binary.binaryValue = {1, 2, 3};
  ASSERT_TRUE(writeSetting(binary, HKEY_CURRENT_USER));
  RegistrySetting read = binary;
  read.binaryValue.clear();
  ASSERT_TRUE(readSetting(read, HKEY_CURRENT_USER, L""));
  EXPECT_EQ(read.binaryValue, (std::vector<BYTE>{1, 2, 3}));
  binary.binaryValue.clear();  // an empty vector is a zero-length value
  ASSERT_TRUE(writeSetting(binary, HKEY_CURRENT_USER));
  ASSERT_TRUE(readSetting(read, HKEY_CURRENT_USER, L""));
  EXPECT_TRUE(read.binaryValue.empty());

  RegistrySetting missing = makeDwordSetting(key, L"Absent", 7);
  EXPECT_FALSE(readSetting(missing, HKEY_CURRENT_USER, L""));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(missing.dwordValue, 7u);
  RegistrySetting noKey = makeDwordSetting(kRoot + L"\\Nowhere", L"Absent", 7);
  EXPECT_FALSE(readSetting(noKey, HKEY_CURRENT_USER, L""));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  RegistrySetting odd = makeDwordSetting(key, L"Blob", 0);
  odd.kind = REG_MULTI_SZ;
  EXPECT_FALSE(writeSetting(odd, HKEY_CURRENT_USER));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(SettingsStore, ARegistryErrorOtherThanMissingStopsTheLayeredRead) {
  vpd_test::setRaw(HKEY_CURRENT_USER, kRoot + L"\\Probe", L"List", REG_MULTI_SZ, L"a\0", 6);
  std::vector<RegistrySetting> settings = {makeDwordSetting(kRoot + L"\\Probe", L"First", 3),
                                           makeDwordSetting(kRoot + L"\\Probe", L"List", 0)};
  settings[1].kind = REG_MULTI_SZ;  // a kind the store cannot read
  EXPECT_FALSE(readSettingsLayered(settings, kUserThenMachine, ownSession));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(settings[0].dwordValue, 3u);
}

// Read-only for everyone, and no access at all.
const wchar_t* const kReadOnly = L"D:P(A;;KR;;;WD)";
const wchar_t* const kNoAccess = L"D:P";

TEST_F(SettingsStore, SaveWritesValueByValueAndStopsAtTheFirstRefusal) {
  // The machine's key refuses writes: the first value reaches the user's key, then the save stops
  // before the second value is written anywhere.
  ASSERT_TRUE(state.restrictKey(HKEY_LOCAL_MACHINE, kPng, kReadOnly));
  PngSettings png = {1, 8, 1, 3, 1};
  SetLastError(0);
  EXPECT_FALSE(savePngSettings(png, currentUser | localMachine, kRoot));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  DWORD number = 0;
  ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kPng, L"Enabled", number));
  EXPECT_EQ(number, 1u);
  EXPECT_FALSE(vpd_test::valueExists(HKEY_CURRENT_USER, kPng, L"Bits per pixel"));
  EXPECT_FALSE(vpd_test::valueExists(HKEY_LOCAL_MACHINE, kPng, L"Enabled"));
}

TEST_F(SettingsStore, AKeyThatCannotBeReadFailsTheLoadWithZeros) {
  // Unlike a missing key, a key the user may not read is an error: defaults would hide it.
  setDword(HKEY_LOCAL_MACHINE, kConverter, L"Threads", 4);
  ASSERT_TRUE(state.restrictKey(HKEY_CURRENT_USER, kConverter, kNoAccess));
  ConverterSettings converter;
  std::memset(&converter, 0x5A, sizeof(converter));
  SetLastError(0);
  EXPECT_FALSE(loadConverterSettings(converter, kUserThenMachine, kRoot, ownSession, L""));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  const ConverterSettings zeros = {};
  EXPECT_EQ(0, std::memcmp(&converter, &zeros, sizeof(zeros)));
}

TEST_F(SettingsStore, SessionUsersHiveIsReadThroughTheSid) {
  // Under Wine the process's user and the session user are the same account, and its hive under
  // HKEY_USERS is what the current-user root opens.
  std::wstring sid;
  ASSERT_TRUE(getSecurityId(ownSession, sid));
  EXPECT_EQ(sid, vpd_test::ownSid());
  EXPECT_EQ(sid.compare(0, 4, L"S-1-"), 0);

  setDword(HKEY_USERS, sid + L"\\" + kConverter, L"Threads", 6);
  ConverterSettings converter;
  ASSERT_TRUE(loadConverterSettings(converter, sessionUser, kRoot, ownSession, L""));
  EXPECT_EQ(converter.threads, 6u);
  ASSERT_TRUE(loadConverterSettings(converter, localMachine, kRoot, ownSession, L""));
  EXPECT_EQ(converter.threads, 1u);

  // Session before machine.
  setDword(HKEY_LOCAL_MACHINE, kConverter, L"Threads", 9);
  ASSERT_TRUE(loadConverterSettings(converter, sessionUser | localMachine, kRoot, ownSession, L""));
  EXPECT_EQ(converter.threads, 6u);
}

TEST_F(SettingsStore, ExpansionForTheOwnProcessAndItsLimits) {
  SetEnvironmentVariableW(L"VPD_TEST_X", L"abc");
  EXPECT_EQ(expandForSession(L"<%VPD_TEST_X%>", ownSession), L"<abc>");
  // A result longer than the 2048-unit buffer is a failure, given as an empty text.
  SetEnvironmentVariableW(L"VPD_TEST_X", std::wstring(3000, L'z').c_str());
  EXPECT_EQ(expandForSession(L"%VPD_TEST_X%", ownSession), L"");
  SetEnvironmentVariableW(L"VPD_TEST_X", nullptr);
}

}  // namespace
