// The helpers Orvello and Quillet share besides the error log: the product's documents folders,
// file-name pieces and number reading. No string resources here: Quillet is an extension library and
// loads its texts from its own module.
#pragma once
#include "Framework.h"

// The product's folder name under the documents folder and in the temporary folder.
extern const wchar_t kProductFolder[];

// The user's documents folder from the value "Personal" of the shell folders (the key is opened for
// reading, created when missing; at most 260 characters), without a trailing backslash; empty when the
// key or the value cannot be read.
CString GetMyDocumentsPathName();
// The documents folder followed by "\Vantry"; not created.
CString GetFilesPathName();
// The documents folder followed by "\Vantry\Forms", creating "\Vantry" and "\Forms" when missing.
CString GetInitialFormsPathName();

// The text after the last "\" (else after the last ":"); the whole text when neither occurs.
CString ExtractFileName(const CString& path);
// The text up to and including the last "\" (else the last ":"); empty when neither occurs.
CString ExtractFilePath(const CString& path);

// The leading decimal number of `text` ("." as decimal point), 0 when there is none; a text that is
// exactly "+" or "-" counts as "0". TRUE only when the whole text was consumed.
BOOL StrToDouble(const CString& text, double& out);
double StrToDouble(const CString& text);

// The shell's folder picker titled `title`, file-system folders only, `initialFolder` preselected.
// TRUE with the folder in `outPath` (MAX_PATH characters); FALSE and an empty `outPath` on Cancel.
BOOL ChooseFolder(HWND owner, LPCTSTR title, LPCTSTR initialFolder, LPTSTR outPath);
