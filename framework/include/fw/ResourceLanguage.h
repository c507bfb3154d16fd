// The user-interface language of the process's resources. Orvello keeps the English, German and
// Russian resources in one module and picks them by the "Language" setting, so every resource look-up
// of the framework goes through here rather than trusting the thread's UI language.
#pragma once
#include <windows.h>
#include "fw/FwApi.h"

// Language used for every later look-up; 0 restores the default (English, United States).
FW_API void AfxSetResourceLanguage(LANGID language);
FW_API LANGID AfxGetResourceLanguage();

// Maps a Windows primary language identifier, as stored in the "Language" setting (9 English,
// 7 German, 25 Russian), to the LANGID of that language's resources.
FW_API LANGID AfxLanguageFromPrimary(int primaryLanguage);

// Finds a resource in the chosen language, else in English (US), else in any language the module has.
FW_API HRSRC AfxFindResourceInLanguage(HMODULE module, LPCWSTR name, LPCWSTR type);

// Points `text` at string `id` of `module`'s string table in the chosen language (not terminated;
// it stays valid while the module is loaded) and returns its length, or -1 when the module lacks it.
FW_API int AfxGetStringInLanguage(HMODULE module, UINT id, LPCWSTR* text);

// Copies string `id` of `module`'s string table, in the chosen language, into `buffer` (always
// terminated). Returns the number of characters copied, 0 when the string is missing or empty.
FW_API int AfxLoadStringInLanguage(HMODULE module, UINT id, LPWSTR buffer, int bufferChars);
