// The settings groups: value names, types, defaults and where each lands in its record.
#include "vpd_settings.h"

#include <cstddef>
#include <cstring>

namespace vpd_internal {

const wchar_t* const rootKeyPath = L"Software\\Vantry";
const wchar_t* const converterCounterFormats[5] = {L"%i", L"%02i", L"%03i", L"%04i", L"%05i"};

namespace {

constexpr size_t notExpanded = static_cast<size_t>(-1);

// One value of a group: its registry name, kind and default, and its field in the record (a
// DWORD, or a text field of `width` units, optionally followed by an expanded copy).
struct FieldSpec {
  const wchar_t* name;
  DWORD kind;
  DWORD defaultValue;
  size_t offset;
  size_t width;
  size_t expandedOffset;
};

struct GroupSpec {
  const FieldSpec* fields;
  size_t count;
  size_t recordSize;
};

#define VPD_DWORD(Record, field, name, value) \
  { name, REG_DWORD, value, offsetof(Record, field), 0, notExpanded }
#define VPD_TEXT(Record, field, name) \
  { name, REG_SZ, 0, offsetof(Record, field), sizeof(Record::field) / sizeof(wchar_t), notExpanded }
#define VPD_EXPANDED_TEXT(Record, field, name)                                               \
  { name, REG_SZ, 0, offsetof(Record, field), sizeof(Record::field) / sizeof(wchar_t), \
    offsetof(Record, field##Expanded) }

const FieldSpec hookFields[] = {
    VPD_DWORD(HookSettings, enabled, L"Enabled", 0),
    VPD_DWORD(HookSettings, earlyAccess, L"Early Access", 0),
    VPD_EXPANDED_TEXT(HookSettings, executableFile, L"Executable File"),
    VPD_DWORD(HookSettings, skipMode, L"Skip Mode", 0),
    VPD_DWORD(HookSettings, transferMode, L"Transfer Mode", 0),
    VPD_DWORD(HookSettings, timeout, L"Timeout", 0),
    VPD_TEXT(HookSettings, windowTitle, L"Window Title"),
    VPD_TEXT(HookSettings, windowClass, L"Window Class"),
    VPD_DWORD(HookSettings, messageId, L"Message Id", 0),
    VPD_DWORD(HookSettings, notifyAll, L"Notify All", 0),
    VPD_TEXT(HookSettings, pipeName, L"Pipe Name"),
    VPD_DWORD(HookSettings, pipeMessageSize, L"Pipe Message Size", 0),
    VPD_DWORD(HookSettings, pipeLaunchApplication, L"Pipe Launch Application", 0),
};

const FieldSpec converterFields[] = {
    VPD_DWORD(ConverterSettings, enabled, L"Enabled", 1),
    VPD_DWORD(ConverterSettings, threads, L"Threads", 1),
    VPD_DWORD(ConverterSettings, showProgress, L"Show Progress", 1),
    VPD_DWORD(ConverterSettings, cleanupOutput, L"Cleanup Output", 0),
    VPD_EXPANDED_TEXT(ConverterSettings, outputDirectory, L"Output Directory"),
    VPD_DWORD(ConverterSettings, pagesPerSheet, L"Pages Per Sheet", 1),
    VPD_DWORD(ConverterSettings, drawBorders, L"Draw Borders", 0),
    VPD_TEXT(ConverterSettings, fileNameMask, L"File name mask"),
};

const FieldSpec emfFields[] = {
    VPD_DWORD(EmfSettings, enabled, L"Enabled", 0),
    VPD_DWORD(EmfSettings, normalizeLines, L"Normalize lines", 0),
    VPD_DWORD(EmfSettings, thinLineWidth, L"Thin line width", 0),
    VPD_DWORD(EmfSettings, thickLineWidth, L"Thick line width", 0),
    VPD_DWORD(EmfSettings, storeEmbeddedFonts, L"Store embedded fonts", 0),
    VPD_DWORD(EmfSettings, storeSystemFonts, L"Store system fonts", 0),
    VPD_DWORD(EmfSettings, cutDocument, L"Cut document", 0),
    VPD_DWORD(EmfSettings, extraBottomSpace, L"Extra bottom space", 0),
    VPD_TEXT(EmfSettings, embeddedFontsDirectory, L"Embedded fonts directory"),
};

const FieldSpec pngFields[] = {
    VPD_DWORD(PngSettings, enabled, L"Enabled", 0),
    VPD_DWORD(PngSettings, bitsPerPixel, L"Bits per pixel", 24),
    VPD_DWORD(PngSettings, grayscale, L"Grayscale", 0),
    VPD_DWORD(PngSettings, dithering, L"Dithering", 0),
    VPD_DWORD(PngSettings, cleanup, L"Cleanup", 0),
};

#undef VPD_DWORD
#undef VPD_TEXT
#undef VPD_EXPANDED_TEXT

template <typename Record, size_t N>
constexpr GroupSpec groupOf(const FieldSpec (&fields)[N]) {
  return GroupSpec{fields, N, sizeof(Record)};
}

const GroupSpec hookGroup = groupOf<HookSettings>(hookFields);
const GroupSpec converterGroup = groupOf<ConverterSettings>(converterFields);
const GroupSpec emfGroup = groupOf<EmfSettings>(emfFields);
const GroupSpec pngGroup = groupOf<PngSettings>(pngFields);

// Where a group is kept: its key relative to the root key path and its INI section.
struct GroupPlace {
  const GroupSpec& group;
  const wchar_t* key;
  const wchar_t* section;
};
// In the order of HookKind.
const GroupPlace hookPlaces[] = {
    {hookGroup, L"Application\\Preprocessor", L"OnPREPROCESSOR"},
    {hookGroup, L"Application\\Preconverter", L"OnPRECONVERTER"},
    {hookGroup, L"Application\\Postconverter", L"OnPOSTCONVERTER"},
};
const GroupPlace converterPlace = {converterGroup, L"Converter", L"OnConverter"};
const GroupPlace emfPlace = {emfGroup, L"Converter\\EMF", L"OnEMF"};
const GroupPlace pngPlace = {pngGroup, L"Converter\\PNG", L"OnPNG"};

DWORD& dwordField(void* record, const FieldSpec& field) {
  return *reinterpret_cast<DWORD*>(static_cast<BYTE*>(record) + field.offset);
}
DWORD dwordField(const void* record, const FieldSpec& field) {
  return *reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(record) + field.offset);
}
wchar_t* textField(void* record, size_t offset) {
  return reinterpret_cast<wchar_t*>(static_cast<BYTE*>(record) + offset);
}
const wchar_t* textField(const void* record, size_t offset) {
  return reinterpret_cast<const wchar_t*>(static_cast<const BYTE*>(record) + offset);
}

// Copies text into a zeroed field, cut to leave room for the terminating NUL.
void storeText(wchar_t* field, size_t width, const std::wstring& text) {
  const size_t length = text.size() < width - 1 ? text.size() : width - 1;
  std::memcpy(field, text.data(), length * sizeof(wchar_t));
  field[length] = L'\0';
}

std::wstring groupKeyPath(const std::wstring& rootPath, const wchar_t* group) {
  return rootPath + L"\\" + group;
}

bool loadGroup(const GroupSpec& group, const std::wstring& keyPath, const wchar_t* section,
               void* record, DWORD roots, DWORD sessionId, const std::wstring& iniPath) {
  try {
    std::memset(record, 0, group.recordSize);
    std::vector<RegistrySetting> settings;
    settings.reserve(group.count);
    for (size_t i = 0; i < group.count; ++i) {
      const FieldSpec& field = group.fields[i];
      settings.push_back(field.kind == REG_SZ
                             ? makeStringSetting(keyPath, field.name, std::wstring())
                             : makeDwordSetting(keyPath, field.name, field.defaultValue));
    }
    if (!readSettingsLayered(settings, roots, sessionId)) return false;
    overrideSettingsFromIni(section, settings, iniPath);

    for (size_t i = 0; i < group.count; ++i) {
      const FieldSpec& field = group.fields[i];
      if (field.kind != REG_SZ) {
        dwordField(record, field) = settings[i].dwordValue;
        continue;
      }
      storeText(textField(record, field.offset), field.width, settings[i].stringValue);
      if (field.expandedOffset != notExpanded && !settings[i].stringValue.empty())
        storeText(textField(record, field.expandedOffset), field.width,
                  expandForSession(settings[i].stringValue, sessionId));
    }
    return true;
  } catch (...) {
    std::memset(record, 0, group.recordSize);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
}

bool saveGroup(const GroupSpec& group, const std::wstring& keyPath, const void* record, DWORD writeRoots) {
  try {
    for (size_t i = 0; i < group.count; ++i) {
      const FieldSpec& field = group.fields[i];
      RegistrySetting setting;
      if (field.kind == REG_SZ) {
        const wchar_t* text = textField(record, field.offset);
        setting = makeStringSetting(keyPath, field.name, std::wstring(text, wcsnlen(text, field.width)));
      } else {
        setting = makeDwordSetting(keyPath, field.name, dwordField(record, field));
      }
      for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        const DWORD bit = root == HKEY_CURRENT_USER ? currentUser : localMachine;
        if (!(writeRoots & bit)) continue;
        SetLastError(ERROR_SUCCESS);
        if (!writeSetting(setting, root)) return false;
      }
    }
    return true;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
}

bool loadAt(const GroupPlace& place, void* record, DWORD roots, const std::wstring& rootPath, DWORD sessionId,
            const std::wstring& iniPath) {
  return loadGroup(place.group, groupKeyPath(rootPath, place.key), place.section, record, roots, sessionId,
                   iniPath);
}

bool saveAt(const GroupPlace& place, const void* record, DWORD writeRoots, const std::wstring& rootPath) {
  return saveGroup(place.group, groupKeyPath(rootPath, place.key), record, writeRoots);
}

bool validHook(HookKind kind) {
  if (kind < _countof(hookPlaces)) return true;
  SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

}  // namespace

bool loadHookSettings(HookKind kind, HookSettings& record, DWORD roots, const std::wstring& rootPath,
                      DWORD sessionId, const std::wstring& iniPath) {
  if (!validHook(kind)) {
    std::memset(&record, 0, sizeof(record));
    return false;
  }
  return loadAt(hookPlaces[kind], &record, roots, rootPath, sessionId, iniPath);
}

bool saveHookSettings(HookKind kind, const HookSettings& record, DWORD writeRoots,
                      const std::wstring& rootPath) {
  if (!validHook(kind)) return false;
  return saveAt(hookPlaces[kind], &record, writeRoots, rootPath);
}

bool loadConverterSettings(ConverterSettings& record, DWORD roots, const std::wstring& rootPath,
                           DWORD sessionId, const std::wstring& iniPath) {
  return loadAt(converterPlace, &record, roots, rootPath, sessionId, iniPath);
}

bool saveConverterSettings(const ConverterSettings& record, DWORD writeRoots, const std::wstring& rootPath) {
  return saveAt(converterPlace, &record, writeRoots, rootPath);
}

// The output formats always belong to the plug-in's own process user.
bool loadEmfSettings(EmfSettings& record, DWORD roots, const std::wstring& rootPath,
                     const std::wstring& iniPath) {
  return loadAt(emfPlace, &record, roots, rootPath, ownSession, iniPath);
}

bool saveEmfSettings(const EmfSettings& record, DWORD writeRoots, const std::wstring& rootPath) {
  return saveAt(emfPlace, &record, writeRoots, rootPath);
}

bool loadPngSettings(PngSettings& record, DWORD roots, const std::wstring& rootPath,
                     const std::wstring& iniPath) {
  return loadAt(pngPlace, &record, roots, rootPath, ownSession, iniPath);
}

bool savePngSettings(const PngSettings& record, DWORD writeRoots, const std::wstring& rootPath) {
  return saveAt(pngPlace, &record, writeRoots, rootPath);
}

}  // namespace vpd_internal
