// Fixture of the page tests: a clean "Software\Vantry", the plug-in loaded by path, and helpers to
// open its pages in a real sheet the way the print system does.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "PluginHost.h"
#include "VpdTestSupport.h"
#include "resource.h"

namespace vpd_test {

inline const std::wstring kTree = L"Software\\Vantry";

class PageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.loaded());
    plugin = host.create();
    ASSERT_NE(plugin, nullptr);
  }
  void TearDown() override {
    sheet.reset();
    if (plugin) plugin->Release();
  }
  // Collects the pages and shows them; the sheet lives until the test ends or the next call.
  Sheet& openSheet() {
    sheet.reset();
    sheet = std::make_unique<Sheet>(host.collectPages(plugin));
    return *sheet;
  }
  HWND openPage(const wchar_t* title) {
    HWND page = openSheet().page(title);
    EXPECT_NE(page, nullptr) << "no page titled this way";
    return page;
  }

  VantryState state;
  PluginHost host;
  IPrintOemUI2* plugin = nullptr;
  std::unique_ptr<Sheet> sheet;
};

}  // namespace vpd_test
