// The mutation driver of the virtual printer plug-in's readers of outside bytes: its settings groups
// in the registry and the INI file that overrides them for a job. See FuzzRun_win.h for the runner.
//
// The groups are kept under a key of this process's own below HKEY_CURRENT_USER and read from the
// current user's root alone: the plug-in's real keys, which its tests share, are never touched.
#include <windows.h>

#include <string>
#include <vector>

#include "FuzzRun_win.h"
#include "RegistryBlob_win.h"
#include "TestSupport.h"
#include "vpd_session.h"
#include "vpd_settings.h"

using namespace vpd_internal;

namespace {

// Every group of the plug-in, as one load or save hands them over.
struct Groups {
  HookSettings hooks[3];
  ConverterSettings converter;
  EmfSettings emf;
  PngSettings png;
};

const HookKind kHookKinds[] = {preprocessorHook, preconverterHook, postconverterHook};

// The process's own root of the groups, and the folder of the INI files it is given.
struct Workplace {
  std::wstring parentKey = L"Software\\VantryTests\\Readers" + std::to_wstring(GetCurrentProcessId());
  std::wstring rootPath = parentKey + L"\\Vantry";
  testing_support::TempFolder folder;
  // Every value the groups keep, found by saving them once: the table the registry mutants name.
  std::vector<std::wstring> keys, names;
  std::vector<fuzz::RegistryValueName> table;
  ~Workplace() { RegDeleteTreeW(HKEY_CURRENT_USER, parentKey.c_str()); }
};

Workplace& TheWorkplace() {
  static Workplace workplace;
  return workplace;
}

bool LoadGroups(Groups& groups, const std::wstring& iniPath) {
  const std::wstring& root = TheWorkplace().rootPath;
  bool loaded = true;
  for (int k = 0; k < 3; ++k)
    loaded = loadHookSettings(kHookKinds[k], groups.hooks[k], currentUser, root, ownSession, iniPath) && loaded;
  loaded = loadConverterSettings(groups.converter, currentUser, root, ownSession, iniPath) && loaded;
  loaded = loadEmfSettings(groups.emf, currentUser, root, iniPath) && loaded;
  loaded = loadPngSettings(groups.png, currentUser, root, iniPath) && loaded;
  return loaded;
}

bool SaveGroups(const Groups& groups) {
  const std::wstring& root = TheWorkplace().rootPath;
  bool saved = true;
  for (int k = 0; k < 3; ++k) saved = saveHookSettings(kHookKinds[k], groups.hooks[k], currentUser, root) && saved;
  saved = saveConverterSettings(groups.converter, currentUser, root) && saved;
  saved = saveEmfSettings(groups.emf, currentUser, root) && saved;
  saved = savePngSettings(groups.png, currentUser, root) && saved;
  return saved;
}

// The values below `key`, subkeys first, in the registry's order.
void CollectValues(const std::wstring& key, Workplace& place) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumKeyExW(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    CollectValues(key + L"\\" + name, place);
  }
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumValueW(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    place.keys.push_back(key);
    place.names.push_back(name);
  }
  RegCloseKey(handle);
}

void Prepare() {
  Workplace& place = TheWorkplace();
  if (!place.table.empty()) return;
  RegDeleteTreeW(HKEY_CURRENT_USER, place.parentKey.c_str());
  Groups defaults;
  LoadGroups(defaults, L"");
  SaveGroups(defaults);
  CollectValues(place.rootPath, place);
  for (size_t i = 0; i < place.names.size(); ++i) place.table.push_back({place.keys[i].c_str(), place.names[i].c_str()});
  RegDeleteTreeW(HKEY_CURRENT_USER, place.rootPath.c_str());
}

// ---- The settings in the registry ---------------------------------------------------------------

// What a user sets on the pages: every group switched on, paths with variables to expand, a pipe, a
// window to send the pages to, and the defaults of a fresh install beside it.
std::vector<std::string> RecordFixtures() {
  const std::vector<fuzz::RegistryValueName>& table = TheWorkplace().table;
  Groups groups;
  LoadGroups(groups, L"");
  for (HookSettings& hook : groups.hooks) {
    hook.enabled = 1;
    hook.transferMode = 3;
    hook.timeout = 30000;
    hook.messageId = WM_APP + 7;
    hook.pipeMessageSize = 4096;
    wcscpy_s(hook.executableFile, L"%ProgramFiles%\\Vantry\\Receiver.exe");
    wcscpy_s(hook.windowTitle, L"Vantry receiver");
    wcscpy_s(hook.windowClass, L"VantryReceiverWindow");
    wcscpy_s(hook.pipeName, L"\\\\.\\pipe\\vantry-pages");
  }
  groups.converter.threads = 4;
  groups.converter.pagesPerSheet = 2;
  wcscpy_s(groups.converter.outputDirectory, L"%TEMP%\\Vantry\\Out");
  wcscpy_s(groups.converter.fileNameMask, L"page%03i");
  groups.emf.enabled = 1;
  groups.emf.thinLineWidth = 3;
  groups.emf.thickLineWidth = 12;
  wcscpy_s(groups.emf.embeddedFontsDirectory, L"C:\\Fonts\\Embedded");
  groups.png.enabled = 1;
  groups.png.bitsPerPixel = 8;
  groups.png.grayscale = 1;
  std::vector<std::string> out;
  fuzz::WriteRegistryBlob(table, std::string());
  SaveGroups(groups);
  out.push_back(fuzz::ReadRegistryBlob(table));
  fuzz::WriteRegistryBlob(table, std::string());
  Groups fresh;
  LoadGroups(fresh, L"");
  SaveGroups(fresh);
  out.push_back(fuzz::ReadRegistryBlob(table));
  fuzz::WriteRegistryBlob(table, std::string());
  return out;
}

// The groups are loaded as the pages load them and saved as Apply saves them.
fuzz::ReadResult ReadRecords(const fuzz::ReadInput& input) {
  return fuzz::ReadRegistryRecords(TheWorkplace().table, input.bytes, []() -> std::function<void()> {
    Groups groups;
    if (!LoadGroups(groups, L"")) return [] {};
    return [groups]() { SaveGroups(groups); };
  });
}

// ---- The INI file of a job ---------------------------------------------------------------------

std::string Utf16Text(const std::wstring& text) {
  return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::vector<std::string> IniFixtures() {
  return {
      Utf16Text(L"[OnPOSTCONVERTER]\r\nEnabled=1\r\nExecutable File=%TEMP%\\post.exe\r\nTransfer Mode=3\r\n"
                L"Pipe Name=\\\\.\\pipe\\job\r\nTimeout=-1\r\n[OnConverter]\r\nThreads=2\r\n"
                L"Output Directory=C:\\Out\\\x0416\r\nFile name mask=job%02i\r\n[OnEMF]\r\nEnabled=1\r\n"
                L"Thin line width=2\r\n[OnPNG]\r\nBits per pixel=1\r\n[OnPREPROCESSOR]\r\nWindow Title=\r\n"),
      std::string("; a job's overrides\r\n[OnConverter]\r\nPages Per Sheet=4\r\nDraw Borders=1\r\n"
                  "[OnPRECONVERTER]\r\nEnabled=1\r\nWindow Class=Receiver\r\nMessage Id=0x8007\r\n"
                  "[onpng]\r\nEnabled = 1 ; comment\r\n"),
  };
}

// A job's INI file over settings of their defaults; nothing is written back to a job's file.
fuzz::ReadResult ReadIni(const fuzz::ReadInput& input) {
  fuzz::ReadResult result;
  const std::wstring path = TheWorkplace().folder.File(L"job.ini");
  if (!testing_support::WriteFileBytes(path, input.bytes)) return result;
  fuzz::WriteRegistryBlob(TheWorkplace().table, std::string());
  Groups groups;
  result.loaded = LoadGroups(groups, path);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<fuzz::Reader> readers = {
      {"registry", Prepare, RecordFixtures, ReadRecords, 100u << 20, 1000},
      {"ini", Prepare, IniFixtures, ReadIni, 100u << 20, 1000},
  };
  return fuzz::RunReaders(argc, argv, readers);
}
