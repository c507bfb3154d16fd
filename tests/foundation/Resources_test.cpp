// Orvello carries its resources in English, German and Russian and picks them by language.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "fw/ResourceLanguage.h"

namespace {

const UINT kDocTemplateString = 395;

class ResourceLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW((testing_support::ProgramFolder() + L"\\Orvello.exe").c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    AfxSetResourceLanguage(0);
    if (module_) FreeLibrary(module_);
  }
  std::wstring Load(UINT id) {
    wchar_t text[256];
    int length = AfxLoadStringInLanguage(module_, id, text, 256);
    return std::wstring(text, length);
  }
  HMODULE module_ = nullptr;
};

TEST_F(ResourceLanguageTest, DocumentTemplateStringFollowsTheChosenLanguage) {
  struct Case {
    int setting;
    const wchar_t* expected;
  } cases[] = {
      {9, L"\nUntitled\nVantry document\nVantry Document (*.qlm)\n.qlm\nVantry.Document\nVantry Document"},
      {7, L"\nUnbenannt\nVantry-Dokument\nVantry-Dokument (*.qlm)\n.qlm\nVantry.Document\nVantry-Dokument"},
      {25, L"\nБез имени\nДокумент Vantry\nДокумент Vantry (*.qlm)\n.qlm\nVantry.Document\nДокумент Vantry"},
      // A language without resources of its own falls back to English.
      {12, L"\nUntitled\nVantry document\nVantry Document (*.qlm)\n.qlm\nVantry.Document\nVantry Document"},
  };
  for (const Case& c : cases) {
    AfxSetResourceLanguage(AfxLanguageFromPrimary(c.setting));
    EXPECT_EQ(Load(kDocTemplateString), c.expected) << "language " << c.setting;
  }
}

TEST_F(ResourceLanguageTest, MissingStringAndTinyBufferAreSafe) {
  EXPECT_EQ(Load(60001), L"");
  wchar_t small[4] = {L'x', L'x', L'x', L'x'};
  EXPECT_EQ(AfxLoadStringInLanguage(module_, kDocTemplateString, small, 4), 3);
  EXPECT_EQ(small[3], L'\0');
  EXPECT_EQ(AfxLoadStringInLanguage(module_, kDocTemplateString, nullptr, 10), 0);
}

}  // namespace
