// The language the program starts in, from its record in the registry.
#include "MyProcs.h"

#include <gtest/gtest.h>

#include <string>

#include "ArchiveFixtures.h"

namespace {

const wchar_t kSettings[] = L"SOFTWARE\\Quennick\\Vantry\\Settings";

// Only a DWORD is a language: any other type or size is ignored and English taken. Asked for a DWORD,
// the system's own reader once expanded an empty REG_EXPAND_SZ value into four bytes and wrote past them.
TEST(LanguageSetting, TheLanguageRecordMustBeADword) {
  fixtures::PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  EXPECT_EQ(LANG_ENGLISH, ReadLanguageSetting());
  const DWORD german = LANG_GERMAN;
  const ULONGLONG wide = LANG_RUSSIAN;
  const struct {
    const char* name;
    DWORD type;
    std::string data;
    int language;
  } cases[] = {
      {"dword", REG_DWORD, std::string(reinterpret_cast<const char*>(&german), 4), LANG_GERMAN},
      {"empty expandable text", REG_EXPAND_SZ, std::string(), LANG_ENGLISH},
      {"text", REG_SZ, std::string("7\0\0\0", 4), LANG_ENGLISH},
      {"short binary", REG_BINARY, std::string("\x07\x00", 2), LANG_ENGLISH},
      {"binary of four bytes", REG_BINARY, std::string(reinterpret_cast<const char*>(&german), 4), LANG_ENGLISH},
      {"qword", REG_QWORD, std::string(reinterpret_cast<const char*>(&wide), 8), LANG_ENGLISH},
      {"long dword", REG_DWORD, std::string(reinterpret_cast<const char*>(&wide), 8), LANG_ENGLISH},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, kSettings, L"Language", c.type, c.data.data(),
                                             static_cast<DWORD>(c.data.size())));
    EXPECT_EQ(c.language, ReadLanguageSetting());
  }
}

}  // namespace
