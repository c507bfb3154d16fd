// The spell checker component: class {826A9497-C74F-4C62-918E-4C32444D2C16}, interface
// {3B51D789-BCD4-4ED7-A16F-1495BD2A5556}. A caller puts a word into the Word property, asks
// CheckWord or ShowDialog and reads the Answer; a replacement chosen in the dialog comes back in Word.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

// Slots 7 to 15 of the table (after IUnknown and IDispatch).
struct ISpellCheck : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_Word(BSTR* word) = 0;                  // 7
  virtual HRESULT STDMETHODCALLTYPE put_Word(BSTR word) = 0;                   // 8
  virtual HRESULT STDMETHODCALLTYPE ShowDialog() = 0;                          // 9: change, ignore or cancel
  virtual HRESULT STDMETHODCALLTYPE get_Answer(VARIANT_BOOL* answer) = 0;      // 10
  virtual HRESULT STDMETHODCALLTYPE SelectLanguage() = 0;                      // 11: the user's choice
  virtual HRESULT STDMETHODCALLTYPE SetLanguage(LONG language) = 0;            // 12: an LCID, 0 the user's
  virtual HRESULT STDMETHODCALLTYPE CheckWord() = 0;                           // 13
  virtual HRESULT STDMETHODCALLTYPE BeginSession() = 0;                        // 14: loads the dictionary
  virtual HRESULT STDMETHODCALLTYPE EndSession() = 0;                          // 15
};

extern const CLSID CLSID_VantrySpellCheck;
extern const IID IID_ISpellCheck;

// The languages there are dictionaries for.
struct SPELL_LANGUAGE {
  LONG lcid;
  const wchar_t* file;  // the dictionary's base name in the dict folder
  const wchar_t* name;  // as the language list shows it
};
const std::vector<SPELL_LANGUAGE>& SpellLanguages();
// The user's stored choice; else the interface language when there is a dictionary for it; else English.
LONG StoredSpellLanguage();
BOOL StoreSpellLanguage(LONG lcid);

// The dialogs (SpellDialogs.cpp). Word: IDOK with the replacement, IDC_SPELL_IGNORE, or IDCANCEL.
INT_PTR RunWordDialog(HINSTANCE module, const std::wstring& word, const std::vector<std::wstring>& suggestions,
                      std::wstring* replacement);
// The chosen LCID, 0 when cancelled.
LONG RunLanguageDialog(HINSTANCE module, LONG current);
