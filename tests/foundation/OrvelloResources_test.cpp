// The menus, accelerators, tool bars, pictures, cursors and strings of the built Orvello.exe, checked
// against the table that sits beside the resource scripts (OrvelloUi.tsv: the commands with their menu
// place, keys and prompt, the strings, menus, tool bars, pictures and cursors) and across the three
// user-interface languages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "resource.h"
#include "fw/Gdi.h"
#include "fw/Menu.h"
#include "fw/ModuleState.h"
#include "fw/ResourceLanguage.h"

namespace {

const WORD kToolBarType = 241;

struct Row {
  std::string kind;
  UINT id = 0;
  std::string name;
  std::wstring place;
  std::wstring keys;
  std::wstring text;
};

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
  return out;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

// The table writes a line break as \n, a tab as \t and a backslash as \\.
std::wstring Unescape(const std::wstring& s) {
  std::wstring out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L'\\' && i + 1 < s.size()) {
      const wchar_t next = s[++i];
      out += next == L'n' ? L'\n' : next == L't' ? L'\t' : next;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::vector<std::string> Split(const std::string& s, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, separator)) parts.push_back(part);
  return parts;
}

std::vector<Row> LoadTable() {
  std::vector<Row> rows;
  std::istringstream in(testing_support::ReadFileBytes(std::wstring(VANTRY_SOURCE_DIR) + L"/resources/Orvello/OrvelloUi.tsv"));
  std::string line;
  while (std::getline(in, line)) {
    const std::vector<std::string> f = Split(line, '\t');
    if (f.size() != 6) {
      ADD_FAILURE() << "table line without six fields: " << line;
      continue;
    }
    Row r;
    r.kind = f[0];
    r.id = static_cast<UINT>(std::stoul(f[1]));
    r.name = f[2];
    r.place = f[3] == "-" ? L"" : Widen(f[3]);
    r.keys = f[4] == "-" ? L"" : Widen(f[4]);
    r.text = f[5] == "-" ? L"" : Unescape(Widen(f[5]));
    rows.push_back(r);
  }
  return rows;
}

// How a language names the keys of an accelerator in its menus.
struct Language {
  const char* name;
  int setting;  // the "Language" setting that chooses it
  const wchar_t* ctrl;
  const wchar_t* shift;
  std::map<WORD, std::wstring> keys;
};

const std::vector<Language>& Languages() {
  static const std::vector<Language> languages = {
      {"English", 9, L"Ctrl", L"Shift",
       {{VK_DELETE, L"Del"}, {VK_PRIOR, L"PageUp"}, {VK_NEXT, L"PageDown"}, {VK_HOME, L"Home"}, {VK_END, L"End"},
        {VK_RETURN, L"Enter"}, {VK_LEFT, L"Left arrow"}, {VK_RIGHT, L"Right arrow"}, {VK_UP, L"Up arrow"},
        {VK_DOWN, L"Down arrow"}}},
      {"German", 7, L"Strg", L"Umschalt",
       {{VK_DELETE, L"Entf"}, {VK_PRIOR, L"Bild auf"}, {VK_NEXT, L"Bild ab"}, {VK_HOME, L"Pos1"}, {VK_END, L"Ende"},
        {VK_RETURN, L"Eingabe"}, {VK_LEFT, L"Nach-links"}, {VK_RIGHT, L"Nach-rechts"}, {VK_UP, L"Nach-oben"},
        {VK_DOWN, L"Nach-unten"}}},
      {"Russian", 25, L"Ctrl", L"Shift",
       {{VK_DELETE, L"Del"}, {VK_PRIOR, L"PageUp"}, {VK_NEXT, L"PageDown"}, {VK_HOME, L"Home"}, {VK_END, L"End"},
        {VK_RETURN, L"Enter"}, {VK_LEFT, L"Стрелка влево"}, {VK_RIGHT, L"Стрелка вправо"},
        {VK_UP, L"Стрелка вверх"}, {VK_DOWN, L"Стрелка вниз"}}},
  };
  return languages;
}

struct Accel {
  BYTE flags;
  WORD key;
  WORD command;
};

std::wstring KeyText(const Accel& a, const Language& language) {
  std::wstring text;
  if (a.flags & FCONTROL) text += std::wstring(language.ctrl) + L"+";
  if (a.flags & FSHIFT) text += std::wstring(language.shift) + L"+";
  if (a.flags & FALT) text += L"Alt+";
  const auto named = language.keys.find(a.key);
  if (named != language.keys.end()) return text + named->second;
  if (a.key == VK_ADD || a.key == VK_OEM_PLUS) return text + L"+";
  if (a.key == VK_SUBTRACT || a.key == VK_OEM_MINUS) return text + L"-";
  if (a.key >= VK_F1 && a.key <= VK_F12) return text + L"F" + std::to_wstring(a.key - VK_F1 + 1);
  return text + static_cast<wchar_t>(a.key);
}

struct MenuItem {
  UINT id = 0;
  bool separator = false;
  std::wstring text;
  std::vector<MenuItem> sub;
  bool popup = false;
};

std::vector<MenuItem> ReadMenu(HMENU menu) {
  std::vector<MenuItem> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = L"";
    MENUITEMINFOW info = {sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 256;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    MenuItem item;
    item.separator = (info.fType & MFT_SEPARATOR) != 0;
    item.text = text;
    if (info.hSubMenu) {
      item.popup = true;
      item.sub = ReadMenu(info.hSubMenu);
    } else {
      item.id = info.wID;
    }
    items.push_back(item);
  }
  return items;
}

// The character after a single '&', lower-cased; 0 without one.
wchar_t Mnemonic(const std::wstring& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] == L'&') {
      ++i;
      continue;
    }
    wchar_t letter[1] = {text[i + 1]};
    CharLowerBuffW(letter, 1);
    return letter[0];
  }
  return 0;
}

class OrvelloResourcesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryExW((testing_support::ProgramFolder() + L"\\Orvello.exe").c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE);
    table_ = new std::vector<Row>(LoadTable());
  }
  static void TearDownTestSuite() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
    delete table_;
    table_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(module_, nullptr);
    ASSERT_FALSE(table_->empty());
  }
  void TearDown() override { AfxSetResourceLanguage(0); }

  static void Choose(const Language& language) { AfxSetResourceLanguage(AfxLanguageFromPrimary(language.setting)); }

  // The bytes of a resource in the chosen language, found the way the framework finds it.
  static std::string Data(UINT id, LPCWSTR type) {
    HRSRC found = AfxFindResourceInLanguage(module_, MAKEINTRESOURCEW(id), type);
    if (!found) return std::string();
    HGLOBAL loaded = LoadResource(module_, found);
    const char* p = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return p ? std::string(p, SizeofResource(module_, found)) : std::string();
  }

  static std::wstring String(UINT id) {
    LPCWSTR text = nullptr;
    const int length = AfxGetStringInLanguage(module_, id, &text);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
  }

  static std::vector<MenuItem> Menu(UINT id) {
    const std::string data = Data(id, RT_MENU);
    if (data.empty()) return {};
    HMENU menu = LoadMenuIndirectW(data.data());
    std::vector<MenuItem> items = menu ? ReadMenu(menu) : std::vector<MenuItem>();
    if (menu) DestroyMenu(menu);
    return items;
  }

  static std::vector<Accel> Accelerators() {
    std::vector<Accel> out;
    const std::string data = Data(IDR_MAINFRAME, RT_ACCELERATOR);
    for (size_t at = 0; at + 8 <= data.size(); at += 8) {
      const WORD* entry = reinterpret_cast<const WORD*>(data.data() + at);
      out.push_back({static_cast<BYTE>(entry[0] & 0x7F), entry[1], entry[2]});
      if (entry[0] & 0x80) break;
    }
    return out;
  }

  static std::vector<WORD> ToolBar(UINT id) {
    const std::string data = Data(id, MAKEINTRESOURCEW(kToolBarType));
    std::vector<WORD> words(data.size() / 2);
    if (!words.empty()) memcpy(words.data(), data.data(), words.size() * 2);
    return words;
  }

  static std::vector<const Row*> Rows(const char* kind) {
    std::vector<const Row*> out;
    for (const Row& r : *table_) {
      if (r.kind == kind) out.push_back(&r);
    }
    return out;
  }

  static UINT CommandId(const std::string& name) {
    for (const Row& r : *table_) {
      if (r.kind == "command" && r.name == name) return r.id;
    }
    ADD_FAILURE() << "no command " << name << " in the table";
    return 0;
  }

  static HMODULE module_;
  static std::vector<Row>* table_;
};

HMODULE OrvelloResourcesTest::module_ = nullptr;
std::vector<Row>* OrvelloResourcesTest::table_ = nullptr;

// The two menus of the frame's menu bar, without and with a document; every other menu holds one pop-up.
bool IsMenuBar(const Row& r) { return r.id == IDR_MAINFRAME || r.id == IDR_FOLIMARTYPE; }

const MenuItem* FindItem(const std::vector<MenuItem>& items, UINT id) {
  for (const MenuItem& item : items) {
    if (!item.popup && !item.separator && item.id == id) return &item;
    if (item.popup) {
      if (const MenuItem* found = FindItem(item.sub, id)) return found;
    }
  }
  return nullptr;
}

void CollectIds(const std::vector<MenuItem>& items, std::set<UINT>* ids) {
  for (const MenuItem& item : items) {
    if (item.popup) CollectIds(item.sub, ids);
    else if (!item.separator) ids->insert(item.id);
  }
}

// The shape of a menu without its texts: ids, separators and sub-menus in order.
std::string Shape(const std::vector<MenuItem>& items) {
  std::string s;
  for (const MenuItem& item : items) {
    if (item.popup) s += "(" + Shape(item.sub) + ")";
    else if (item.separator) s += "- ";
    else s += std::to_string(item.id) + " ";
  }
  return s;
}

TEST_F(OrvelloResourcesTest, CommandsSitInTheDocumentMenuWithTheirKeysAndPrompts) {
  const std::vector<MenuItem> menu = Menu(IDR_FOLIMARTYPE);
  ASSERT_FALSE(menu.empty());
  int placed = 0;
  for (const Row* r : Rows("command")) {
    EXPECT_EQ(String(r->id), r->text) << r->name;
    if (r->place.empty()) continue;
    // Walk the place "Popup > Popup > Item" through the English menu.
    std::vector<std::wstring> path;
    std::wstring rest = r->place;
    for (size_t cut; (cut = rest.find(L" > ")) != std::wstring::npos; rest = rest.substr(cut + 3)) {
      path.push_back(rest.substr(0, cut));
    }
    const std::vector<MenuItem>* level = &menu;
    for (const std::wstring& popup : path) {
      const std::vector<MenuItem>* next = nullptr;
      for (const MenuItem& item : *level) {
        if (item.popup && item.text == popup) next = &item.sub;
      }
      ASSERT_NE(next, nullptr) << r->name << ": no pop-up " << Narrow(popup);
      level = next;
    }
    const MenuItem* item = FindItem(*level, r->id);
    ASSERT_NE(item, nullptr) << r->name << " is not under " << Narrow(r->place);
    EXPECT_EQ(item->text, rest + (r->keys.empty() ? L"" : L"\t" + r->keys)) << r->name;
    ++placed;
  }
  EXPECT_GT(placed, 100);
}

TEST_F(OrvelloResourcesTest, StringsReadAsTheTableSaysInEnglish) {
  for (const Row* r : Rows("string")) EXPECT_EQ(String(r->id), r->text) << r->name;
}

// The placeholders a formatting call fills, in order: %s, %d, %1 and the like.
std::vector<std::wstring> Placeholders(const std::wstring& text) {
  static const std::wregex placeholder(L"%(%|[0-9]+|[-+ #0]*[0-9]*(\\.[0-9]+)?[sdxufc])");
  std::vector<std::wstring> out;
  for (std::wsregex_iterator i(text.begin(), text.end(), placeholder), end; i != end; ++i) out.push_back(i->str());
  return out;
}

// The patterns of a file-dialog filter: every second field between the bars.
std::vector<std::wstring> FilterPatterns(const std::wstring& text) {
  std::vector<std::wstring> out;
  std::wstring field;
  int index = 0;
  for (wchar_t c : text) {
    if (c != L'|') {
      field += c;
      continue;
    }
    if (index++ % 2 == 1) out.push_back(field);
    field.clear();
  }
  return out;
}

TEST_F(OrvelloResourcesTest, EveryStringAndPromptIsTranslatedWithTheSamePlaceholders) {
  std::vector<const Row*> rows = Rows("string");
  for (const Row* r : Rows("command")) rows.push_back(r);
  for (const Language& language : Languages()) {
    Choose(language);
    for (const Row* r : rows) {
      const std::wstring text = String(r->id);
      SCOPED_TRACE(language.name + std::string(" ") + r->name);
      ASSERT_FALSE(text.empty());
      EXPECT_EQ(Placeholders(text), Placeholders(r->text));
      EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), std::count(r->text.begin(), r->text.end(), L'\n'));
      if (r->text.find(L"|*.") != std::wstring::npos) {
        EXPECT_EQ(FilterPatterns(text), FilterPatterns(r->text));
      }
    }
  }
}

TEST_F(OrvelloResourcesTest, MenusHaveOneShapeInEveryLanguageAndTheirOwnTexts) {
  for (const Row* r : Rows("menu")) {
    Choose(Languages()[0]);
    const std::vector<MenuItem> english = Menu(r->id);
    ASSERT_FALSE(english.empty()) << r->name;
    for (const Language& language : Languages()) {
      Choose(language);
      const std::vector<MenuItem> menu = Menu(r->id);
      EXPECT_EQ(Shape(menu), Shape(english)) << r->name << " in " << language.name;
      if (IsMenuBar(*r)) {
        // The top-level titles are the table's in English and the language's own elsewhere.
        std::wstring titles;
        for (const MenuItem& item : menu) titles += (titles.empty() ? L"" : L"|") + item.text;
        if (language.setting == 9) {
          EXPECT_EQ(titles, r->text) << r->name;
        } else {
          EXPECT_NE(titles, r->text) << r->name << " in " << language.name;
        }
      }
    }
  }
}

TEST_F(OrvelloResourcesTest, PopupMenusListTheTableItemsInOrder) {
  for (const Row* r : Rows("menu")) {
    if (IsMenuBar(*r)) continue;
    std::string expected;
    for (const std::string& token : Split(Narrow(r->text), ' ')) {
      if (token == "(") expected += "(";
      else if (token == ")") expected += ")";
      else if (token == "-") expected += "- ";
      else expected += std::to_string(CommandId(token)) + " ";
    }
    const std::vector<MenuItem> menu = Menu(r->id);
    ASSERT_EQ(menu.size(), 1u) << r->name << " holds one pop-up";
    EXPECT_EQ(Shape(menu[0].sub), expected) << r->name;
  }
}

// Every level of every menu in every language gives each letter to one entry at the most, a letter
// the language's keyboard types (no Latin letter for Russian, no Cyrillic one elsewhere), and a top-level letter never collides with
// an Alt accelerator, which would take the key from the menu bar.
void CheckMnemonics(const std::vector<MenuItem>& items, const std::set<wchar_t>& altKeys, bool top, bool cyrillic,
                    const std::string& where) {
  std::map<wchar_t, std::wstring> seen;
  for (const MenuItem& item : items) {
    if (item.separator) continue;
    const wchar_t m = Mnemonic(item.text);
    if (m) {
      EXPECT_EQ(seen.count(m), 0u) << where << ": " << Narrow(item.text) << " and " << Narrow(seen[m]);
      seen[m] = item.text;
      const bool typable = cyrillic ? !(m >= L'a' && m <= L'z') : !(m >= 0x0400 && m <= 0x04FF);
      EXPECT_TRUE(typable) << where << ": " << Narrow(item.text) << " needs another keyboard";
      if (top) {
        EXPECT_EQ(altKeys.count(m), 0u) << where << ": " << Narrow(item.text) << " is also an Alt key";
      }
    }
    if (item.popup) CheckMnemonics(item.sub, altKeys, false, cyrillic, where + " > " + Narrow(item.text));
  }
}

TEST_F(OrvelloResourcesTest, MnemonicsAreUniqueWithinEachMenu) {
  std::set<wchar_t> altKeys;
  for (const Accel& a : Accelerators()) {
    if (a.flags == (FVIRTKEY | FALT) && a.key >= 'A' && a.key <= 'Z') altKeys.insert(static_cast<wchar_t>(a.key - 'A' + 'a'));
  }
  ASSERT_FALSE(altKeys.empty());
  for (const Language& language : Languages()) {
    Choose(language);
    for (const Row* r : Rows("menu")) {
      CheckMnemonics(Menu(r->id), altKeys, IsMenuBar(*r), language.setting == LANG_RUSSIAN,
                     std::string(language.name) + " " + r->name);
    }
  }
}

// Keys that the window with the focus handles itself, so their menu items name them without an
// accelerator: Delete in the view (characters in a text field, objects otherwise) and in the shelf.
const std::set<std::string> kKeysOfTheFocusWindow = {"ID_EDIT_DELETE", "ID_SHELF_DELETE"};

void CheckShortcutTexts(const std::vector<MenuItem>& items, const std::vector<Accel>& accels,
                        const Language& language, const std::set<UINT>& focusKeys, const std::string& where) {
  for (const MenuItem& item : items) {
    if (item.popup) CheckShortcutTexts(item.sub, accels, language, focusKeys, where);
    const size_t tab = item.text.find(L'\t');
    if (item.popup || item.separator || tab == std::wstring::npos) continue;
    const std::wstring shown = item.text.substr(tab + 1);
    std::vector<std::wstring> possible;
    for (const Accel& a : accels) {
      if (a.command == item.id) possible.push_back(KeyText(a, language));
    }
    if (focusKeys.count(item.id)) possible.push_back(KeyText({FVIRTKEY, VK_DELETE, 0}, language));
    EXPECT_NE(std::find(possible.begin(), possible.end(), shown), possible.end())
        << where << ": " << Narrow(item.text) << " names no accelerator of command " << item.id;
  }
}

TEST_F(OrvelloResourcesTest, ShortcutTextsNameTheAcceleratorsOfTheirCommands) {
  const std::vector<Accel> accels = Accelerators();
  ASSERT_GT(accels.size(), 30u);
  std::set<UINT> focusKeys;
  for (const std::string& name : kKeysOfTheFocusWindow) focusKeys.insert(CommandId(name));
  for (const Language& language : Languages()) {
    Choose(language);
    for (const Row* r : Rows("menu")) CheckShortcutTexts(Menu(r->id), accels, language, focusKeys, language.name + std::string(" ") + r->name);
  }
  // Each accelerator's command is on the document menu and shows one of its keys there.
  Choose(Languages()[0]);
  const std::vector<MenuItem> menu = Menu(IDR_FOLIMARTYPE);
  for (const Accel& a : accels) {
    const MenuItem* item = FindItem(menu, a.command);
    ASSERT_NE(item, nullptr) << "command " << a.command << " of an accelerator is on no menu";
    EXPECT_NE(item->text.find(L'\t'), std::wstring::npos) << Narrow(item->text);
  }
}

TEST_F(OrvelloResourcesTest, CommandsOfMenusAndToolBarsHavePromptsInEveryLanguage) {
  std::set<UINT> ids;
  for (const Row* r : Rows("menu")) CollectIds(Menu(r->id), &ids);
  for (const Row* r : Rows("toolbar")) {
    for (const std::string& token : Split(Narrow(r->text), ' ')) {
      if (token != "-") ids.insert(CommandId(token));
    }
  }
  ASSERT_GT(ids.size(), 150u);
  for (const Language& language : Languages()) {
    Choose(language);
    for (UINT id : ids) {
      const std::wstring prompt = String(id);
      EXPECT_FALSE(prompt.empty()) << language.name << ": command " << id << " has no prompt";
    }
  }
}

TEST_F(OrvelloResourcesTest, ToolBarsListTheirButtonsInOrderWithAStripOfOnePictureEach) {
  for (const Language& language : Languages()) {
    Choose(language);
    for (const Row* r : Rows("toolbar")) {
      SCOPED_TRACE(std::string(language.name) + " " + r->name);
      std::vector<WORD> expected;
      int buttons = 0;
      for (const std::string& token : Split(Narrow(r->text), ' ')) {
        expected.push_back(static_cast<WORD>(token == "-" ? 0 : CommandId(token)));
        if (token != "-") ++buttons;
      }
      const std::vector<WORD> words = ToolBar(r->id);
      ASSERT_GE(words.size(), 4u);
      EXPECT_EQ(words[0], 1);
      EXPECT_EQ(words[1], 17);
      EXPECT_EQ(words[2], 16);
      EXPECT_EQ(words[3], expected.size());
      EXPECT_EQ(std::vector<WORD>(words.begin() + 4, words.end()), expected);
      const std::string bitmap = Data(r->id, RT_BITMAP);
      ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER));
      const BITMAPINFOHEADER* info = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap.data());
      EXPECT_EQ(info->biWidth, 17 * buttons);
      EXPECT_EQ(info->biHeight, 16);
    }
  }
}

TEST_F(OrvelloResourcesTest, BitmapsAndIconsHaveTheirSizes) {
  for (const Language& language : Languages()) {
    Choose(language);
    for (const Row* r : Rows("bitmap")) {
      const std::string bitmap = Data(r->id, RT_BITMAP);
      ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER)) << r->name;
      const BITMAPINFOHEADER* info = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap.data());
      EXPECT_EQ(std::to_wstring(info->biWidth) + L"x" + std::to_wstring(info->biHeight), r->text) << r->name;
    }
    for (const Row* r : Rows("icon")) {
      const std::string group = Data(r->id, RT_GROUP_ICON);
      ASSERT_GE(group.size(), 6u) << r->name;
      const WORD count = reinterpret_cast<const WORD*>(group.data())[2];
      std::wstring sizes;
      for (size_t i = 0; i < count && 6 + 14 * (i + 1) <= group.size(); ++i) {
        const BYTE width = static_cast<BYTE>(group[6 + 14 * i]);
        sizes += (sizes.empty() ? L"" : L" ") + std::to_wstring(width);
      }
      EXPECT_EQ(sizes, r->text) << r->name;
    }
  }
}

// Draws a cursor over a plain background and returns the pixels it changed.
std::vector<POINT> ChangedPixels(HICON cursor, COLORREF background) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH brush = CreateSolidBrush(background);
  RECT all = {0, 0, 32, 32};
  FillRect(dc, &all, brush);
  DrawIconEx(dc, 0, 0, cursor, 32, 32, 0, nullptr, DI_NORMAL);
  GdiFlush();
  std::vector<POINT> changed;
  const DWORD plain = (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
  const DWORD* pixels = static_cast<const DWORD*>(bits);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if ((pixels[y * 32 + x] & 0xFFFFFF) != plain) changed.push_back({x, y});
    }
  }
  SelectObject(dc, old);
  DeleteObject(brush);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return changed;
}

bool AnyNear(const std::vector<POINT>& points, int x, int y) {
  for (const POINT& p : points) {
    if (abs(p.x - x) <= 2 && abs(p.y - y) <= 2) return true;
  }
  return false;
}

TEST_F(OrvelloResourcesTest, CursorsAreDrawnWithTheHotSpotOnThePicture) {
  const std::vector<const Row*> cursors = Rows("cursor");
  ASSERT_EQ(cursors.size(), 21u);
  for (const Language& language : Languages()) {
    Choose(language);
    for (const Row* r : cursors) {
      SCOPED_TRACE(std::string(language.name) + " " + r->name);
      const std::string group = Data(r->id, RT_GROUP_CURSOR);
      ASSERT_GE(group.size(), 6u + 14u);
      const WORD* entry = reinterpret_cast<const WORD*>(group.data() + 6);
      EXPECT_EQ(entry[0], 32);       // width
      EXPECT_EQ(entry[1], 64);       // height of the colour and mask bitmaps together
      const WORD image = entry[6];
      const std::string data = Data(image, RT_CURSOR);
      ASSERT_GT(data.size(), 4u + sizeof(BITMAPINFOHEADER));
      const WORD* hot = reinterpret_cast<const WORD*>(data.data());
      ASSERT_LT(hot[0], 32);
      ASSERT_LT(hot[1], 32);
      HICON cursor = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(data.data())),
                                              static_cast<DWORD>(data.size()), FALSE, 0x00030000, 32, 32, 0);
      ASSERT_NE(cursor, nullptr);
      // Visible on white and on black pages, with a drawn pixel within two pixels of the hot spot.
      const std::vector<POINT> onWhite = ChangedPixels(cursor, RGB(255, 255, 255));
      const std::vector<POINT> onBlack = ChangedPixels(cursor, RGB(0, 0, 0));
      EXPECT_GT(onWhite.size(), 20u);
      EXPECT_GT(onBlack.size(), 20u);
      EXPECT_TRUE(AnyNear(onWhite, hot[0], hot[1]) || AnyNear(onBlack, hot[0], hot[1]))
          << "nothing drawn near the hot spot " << hot[0] << "," << hot[1];
      DestroyIcon(cursor);
    }
  }
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

// The about box and the transfer window, made from each language's template as real windows: the
// controls the code binds exist with the classes and styles it relies on.
TEST_F(OrvelloResourcesTest, DialogsOfTheFrameHaveTheControlsTheCodeBinds) {
  INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_PROGRESS_CLASS};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  struct Control {
    int id;
    const wchar_t* windowClass;
    bool notify;  // a static that reports clicks, as the about box's links do
  };
  const struct {
    UINT dialog;
    std::vector<Control> controls;
  } cases[] = {
      {IDD_ABOUTBOX,
       {{IDC_ABOUT_VERSION, L"Static", false},
        {IDC_ABOUT_SUPPORT, L"Static", true},
        {IDC_ABOUT_WEBSITE, L"Static", true},
        {IDOK, L"Button", false}}},
      {IDD_TRANSFER_PROGRESS,
       {{IDC_TRANSFER_TEXT, L"Static", false}, {IDC_TRANSFER_PROGRESS, PROGRESS_CLASSW, false}, {IDCANCEL, L"Button", false}}},
  };
  for (const Language& language : Languages()) {
    Choose(language);
    for (const auto& c : cases) {
      const std::string data = Data(c.dialog, RT_DIALOG);
      ASSERT_FALSE(data.empty()) << c.dialog;
      HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(data.data()),
                                               nullptr, PlainDialogProc, 0);
      ASSERT_NE(dialog, nullptr) << language.name << " dialog " << c.dialog;
      for (const Control& control : c.controls) {
        HWND child = GetDlgItem(dialog, control.id);
        ASSERT_NE(child, nullptr) << language.name << " dialog " << c.dialog << " control " << control.id;
        EXPECT_EQ(ClassOf(child), control.windowClass) << control.id;
        EXPECT_EQ((GetWindowLongW(child, GWL_STYLE) & SS_NOTIFY) != 0, control.notify) << control.id;
      }
      DestroyWindow(dialog);
    }
  }
}

// The framework's own loaders find the language-neutral pictures and the language's menus whatever
// the chosen language.
TEST_F(OrvelloResourcesTest, FrameworkLoadersFindNeutralResourcesInEveryLanguage) {
  HINSTANCE previous = AfxGetResourceHandle();
  AfxSetResourceHandle(module_);
  std::set<std::wstring> fileTitles;
  for (const Language& language : Languages()) {
    Choose(language);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_FOLIMARTYPE)) << language.name;
    CString title;
    menu.GetMenuString(0, title, MF_BYPOSITION);
    fileTitles.insert(static_cast<LPCWSTR>(title));
    CBitmap strip;
    EXPECT_TRUE(strip.LoadBitmap(IDR_DRAWING_TOOLS)) << language.name;
    BITMAP info = {};
    if (strip.m_hObject) GetObjectW(strip.m_hObject, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 17 * 12) << language.name << ": twelve buttons of the drawing tools";
    HCURSOR cursor = LoadCursorW(module_, MAKEINTRESOURCEW(IDC_CURSOR_TEXT_FIELD));
    EXPECT_NE(cursor, nullptr) << language.name;
    HICON icon = LoadIconW(module_, MAKEINTRESOURCEW(IDR_MAINFRAME));
    EXPECT_NE(icon, nullptr) << language.name;
  }
  AfxSetResourceHandle(previous);
  EXPECT_EQ(fileTitles, (std::set<std::wstring>{L"&File", L"&Datei", L"&Файл"}));
}

}  // namespace
