// The virtual printer's settings store: every value the converter is given, with its type and
// default, read per value from up to three registry roots and an optional INI file, written back
// value by value. The converter (outside this module) reads the same names.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "vpd_session.h"

namespace vpd_internal {

// Root key path of every group, relative to each registry root.
extern const wchar_t* const rootKeyPath;

// Which roots a read visits, always in the order current user, session user, local machine.
// Writes use currentUser and localMachine only.
enum ReadRoots : DWORD {
  localMachine = 1,
  currentUser = 2,
  sessionUser = 4,
};

// One registry value as the store moves it: the registry's own type numbers for the kind.
struct RegistrySetting {
  std::wstring keyPath;
  std::wstring valueName;
  DWORD kind = REG_DWORD;
  DWORD dwordValue = 0;
  std::wstring stringValue;
  std::vector<BYTE> binaryValue;
};

RegistrySetting makeDwordSetting(const std::wstring& keyPath, const std::wstring& name, DWORD value);
RegistrySetting makeStringSetting(const std::wstring& keyPath, const std::wstring& name,
                                  const std::wstring& value);

// Reads one setting from one root (for HKEY_USERS the key lies under the SID text). False with
// ERROR_PATH_NOT_FOUND for a missing key, ERROR_FILE_NOT_FOUND for a missing value,
// ERROR_DATATYPE_MISMATCH for a value stored with another type, or the registry's own error.
bool readSetting(RegistrySetting& setting, HKEY root, const std::wstring& sid);
bool writeSetting(const RegistrySetting& setting, HKEY root);

// Resolves each setting from the first root that has it; a setting no root has (missing key,
// missing value or wrong type) keeps its default. False on any other registry error.
bool readSettingsLayered(std::vector<RegistrySetting>& settings, DWORD roots, DWORD sessionId);

// Replaces settings by the INI file's keys of that section (keys are the value names); a numeric
// key of -1 and an empty text leave the setting alone; an empty path does nothing.
void overrideSettingsFromIni(const std::wstring& section, std::vector<RegistrySetting>& settings,
                             const std::wstring& iniPath);

// Field widths in UTF-16 units, each holding at most one character less.
constexpr size_t pathChars = 1024;
constexpr size_t nameChars = 256;

enum HookKind : DWORD { preprocessorHook = 0, preconverterHook = 1, postconverterHook = 2 };

struct HookSettings {
  DWORD enabled;
  DWORD earlyAccess;
  wchar_t executableFile[pathChars];
  wchar_t executableFileExpanded[pathChars];
  DWORD skipMode;
  DWORD transferMode;  // 0 command line, 1 WM_COPYDATA, 3 named pipe
  DWORD timeout;
  wchar_t windowTitle[nameChars];
  wchar_t windowClass[nameChars];
  DWORD messageId;
  DWORD notifyAll;
  wchar_t pipeName[nameChars];
  DWORD pipeMessageSize;
  DWORD pipeLaunchApplication;
};

struct ConverterSettings {
  DWORD enabled;
  DWORD threads;
  DWORD showProgress;
  DWORD cleanupOutput;
  wchar_t outputDirectory[pathChars];
  wchar_t outputDirectoryExpanded[pathChars];
  DWORD pagesPerSheet;
  DWORD drawBorders;
  wchar_t fileNameMask[pathChars];
};

struct EmfSettings {
  DWORD enabled;
  DWORD normalizeLines;
  DWORD thinLineWidth;
  DWORD thickLineWidth;
  DWORD storeEmbeddedFonts;
  DWORD storeSystemFonts;
  DWORD cutDocument;
  DWORD extraBottomSpace;
  wchar_t embeddedFontsDirectory[pathChars];
};

struct PngSettings {
  DWORD enabled;
  DWORD bitsPerPixel;
  DWORD grayscale;
  DWORD dithering;
  DWORD cleanup;
};

// Counter formats of the converter's file names; defined for the converter, applied by no operation here.
extern const wchar_t* const converterCounterFormats[5];

// Group operations. A load fills the record from defaults, registry and INI file; false (and an
// all-zero record) on a registry error. A save writes every value under each root of writeRoots
// (current user first, then local machine, value by value) and stops at the first failing write.
bool loadHookSettings(HookKind kind, HookSettings& record, DWORD roots, const std::wstring& rootPath,
                      DWORD sessionId, const std::wstring& iniPath);
bool saveHookSettings(HookKind kind, const HookSettings& record, DWORD writeRoots,
                      const std::wstring& rootPath);
bool loadConverterSettings(ConverterSettings& record, DWORD roots, const std::wstring& rootPath,
                           DWORD sessionId, const std::wstring& iniPath);
bool saveConverterSettings(const ConverterSettings& record, DWORD writeRoots, const std::wstring& rootPath);
bool loadEmfSettings(EmfSettings& record, DWORD roots, const std::wstring& rootPath,
                     const std::wstring& iniPath);
bool saveEmfSettings(const EmfSettings& record, DWORD writeRoots, const std::wstring& rootPath);
bool loadPngSettings(PngSettings& record, DWORD roots, const std::wstring& rootPath,
                     const std::wstring& iniPath);
bool savePngSettings(const PngSettings& record, DWORD writeRoots, const std::wstring& rootPath);

}  // namespace vpd_internal
