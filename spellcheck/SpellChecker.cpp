// The spell checker object, its class factory and the server's exports.
#include "SpellChecker.h"

#include <map>
#include <memory>

#include "SpellCheckResource.h"
#include "SpellDictionary.h"

const CLSID CLSID_VantrySpellCheck = {0x826A9497, 0xC74F, 0x4C62, {0x91, 0x8E, 0x4C, 0x32, 0x44, 0x4D, 0x2C, 0x16}};
const IID IID_ISpellCheck = {0x3B51D789, 0xBCD4, 0x4ED7, {0xA1, 0x6F, 0x14, 0x95, 0xBD, 0x2A, 0x55, 0x56}};

namespace {

HINSTANCE g_module = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;
CRITICAL_SECTION g_cacheLock;
// Dictionaries stay loaded while the server is: a program checks page after page with new objects.
std::map<LONG, std::unique_ptr<CSpellDictionary>>* g_cache = nullptr;

const wchar_t kSettingsKey[] = L"Software\\Vantry\\Spell Checker";

bool ReadWholeFile(const std::wstring& path, std::string* out) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart < (64LL << 20);
  if (ok) {
    out->resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = out->empty() || (::ReadFile(file, &(*out)[0], static_cast<DWORD>(out->size()), &read, nullptr) &&
                          read == out->size());
  }
  ::CloseHandle(file);
  return ok;
}

std::wstring DictionaryFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(g_module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::wstring();
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"dict\\";
}

const SPELL_LANGUAGE* FindLanguage(LONG lcid) {
  for (const SPELL_LANGUAGE& language : SpellLanguages())
    if (language.lcid == lcid) return &language;
  return nullptr;
}

// The dictionary of a language, loaded on first use; null when its files are missing or unsound.
const CSpellDictionary* Dictionary(LONG lcid) {
  const SPELL_LANGUAGE* language = FindLanguage(lcid);
  if (language == nullptr) return nullptr;
  ::EnterCriticalSection(&g_cacheLock);
  if (g_cache == nullptr) g_cache = new std::map<LONG, std::unique_ptr<CSpellDictionary>>();
  std::unique_ptr<CSpellDictionary>& slot = (*g_cache)[lcid];
  if (!slot) {
    const std::wstring base = DictionaryFolder() + language->file;
    std::string affixes, words;
    auto loaded = std::make_unique<CSpellDictionary>();
    if (ReadWholeFile(base + L".aff", &affixes) && ReadWholeFile(base + L".dic", &words) &&
        loaded->Load(affixes, words))
      slot = std::move(loaded);
  }
  const CSpellDictionary* result = slot.get();
  ::LeaveCriticalSection(&g_cacheLock);
  return result;
}

bool IsWordLetter(wchar_t c) { return ::IsCharAlphaNumericW(c) != FALSE; }

// A word as it stands in running text, split into what is checked and the punctuation around it.
struct WORD_PARTS {
  std::wstring lead, core, trail;
};
WORD_PARTS SplitWord(const std::wstring& word) {
  WORD_PARTS parts;
  size_t first = 0, last = word.size();
  while (first < last && !IsWordLetter(word[first])) ++first;
  while (last > first && !IsWordLetter(word[last - 1])) --last;
  parts.lead = word.substr(0, first);
  parts.core = word.substr(first, last - first);
  parts.trail = word.substr(last);
  return parts;
}

bool CheckCore(const CSpellDictionary& dictionary, const std::wstring& core) {
  if (core.empty()) return true;
  for (wchar_t c : core)
    if (c >= L'0' && c <= L'9') return true;  // numbers, dates and codes are no words
  if (dictionary.Check(core)) return true;
  std::wstring straight(core);
  for (wchar_t& c : straight)
    if (c == 0x2019) c = L'\'';
  if (straight != core && dictionary.Check(straight)) return true;
  // A hyphenated word not listed as a whole is right when each of its parts is.
  if (core.find(L'-') == std::wstring::npos) return false;
  size_t start = 0;
  while (start <= core.size()) {
    size_t end = core.find(L'-', start);
    if (end == std::wstring::npos) end = core.size();
    const std::wstring part = core.substr(start, end - start);
    if (!part.empty() && !dictionary.Check(part)) return false;
    start = end + 1;
  }
  return true;
}

class CSpellChecker : public ISpellCheck {
 public:
  CSpellChecker() { ::InterlockedIncrement(&g_objects); }
  virtual ~CSpellChecker() { ::InterlockedDecrement(&g_objects); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_ISpellCheck) return E_NOINTERFACE;
    *out = static_cast<ISpellCheck*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&m_refs);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: the interface is called through its table; there is no type library.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_Word(BSTR* word) override {
    if (word == nullptr) return E_POINTER;
    *word = ::SysAllocStringLen(m_word.c_str(), static_cast<UINT>(m_word.size()));
    return *word != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE put_Word(BSTR word) override {
    m_word.assign(word != nullptr ? word : L"", word != nullptr ? ::SysStringLen(word) : 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Answer(VARIANT_BOOL* answer) override {
    if (answer == nullptr) return E_POINTER;
    *answer = m_answer ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetLanguage(LONG language) override {
    const LONG chosen = language == 0 ? StoredSpellLanguage() : language;
    if (FindLanguage(chosen) == nullptr) return E_INVALIDARG;
    m_language = chosen;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE BeginSession() override {
    m_dictionary = Dictionary(m_language);
    return m_dictionary != nullptr ? S_OK : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  }
  HRESULT STDMETHODCALLTYPE EndSession() override {
    m_dictionary = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CheckWord() override {
    if (m_dictionary == nullptr) return E_UNEXPECTED;
    m_answer = CheckCore(*m_dictionary, SplitWord(m_word).core);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ShowDialog() override {
    if (m_dictionary == nullptr) return E_UNEXPECTED;
    const WORD_PARTS parts = SplitWord(m_word);
    std::wstring replacement = parts.core;
    const INT_PTR choice = RunWordDialog(g_module, parts.core, m_dictionary->Suggest(parts.core, 8), &replacement);
    if (choice == -1) return HRESULT_FROM_WIN32(::GetLastError());
    m_answer = choice != IDCANCEL;
    if (choice == IDOK) m_word = parts.lead + replacement + parts.trail;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SelectLanguage() override {
    const LONG chosen = RunLanguageDialog(g_module, m_language);
    m_answer = chosen != 0;
    if (chosen == 0) return S_OK;
    m_language = chosen;
    return StoreSpellLanguage(chosen) ? S_OK : E_FAIL;
  }

 private:
  LONG m_refs = 1;
  std::wstring m_word;
  bool m_answer = false;
  LONG m_language = StoredSpellLanguage();
  const CSpellDictionary* m_dictionary = nullptr;
};

class CSpellCheckerFactory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  // One static factory for the server's life.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    CSpellChecker* checker = new (std::nothrow) CSpellChecker();
    if (checker == nullptr) return E_OUTOFMEMORY;
    const HRESULT result = checker->QueryInterface(iid, out);
    checker->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      ::InterlockedIncrement(&g_locks);
    else
      ::InterlockedDecrement(&g_locks);
    return S_OK;
  }
};

CSpellCheckerFactory g_factory;

}  // namespace

const std::vector<SPELL_LANGUAGE>& SpellLanguages() {
  static const std::vector<SPELL_LANGUAGE> languages = {
      {1033, L"en_US", L"English"}, {1031, L"de_DE", L"Deutsch"}, {1049, L"ru_RU", L"Русский"}};
  return languages;
}

LONG StoredSpellLanguage() {
  DWORD value = 0, size = sizeof(value);
  if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language", RRF_RT_REG_DWORD, nullptr, &value, &size) ==
          ERROR_SUCCESS &&
      FindLanguage(static_cast<LONG>(value)) != nullptr)
    return static_cast<LONG>(value);
  const LANGID ui = ::GetUserDefaultUILanguage();
  for (const SPELL_LANGUAGE& language : SpellLanguages())
    if (PRIMARYLANGID(language.lcid) == PRIMARYLANGID(ui)) return language.lcid;
  return 1033;
}

BOOL StoreSpellLanguage(LONG lcid) {
  const DWORD value = static_cast<DWORD>(lcid);
  return ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language", REG_DWORD, &value, sizeof(value)) ==
         ERROR_SUCCESS;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    ::InitializeCriticalSection(&g_cacheLock);
    ::DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    delete g_cache;
    g_cache = nullptr;
    ::DeleteCriticalSection(&g_cacheLock);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_VantrySpellCheck) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE; }
