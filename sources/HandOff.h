// The virtual printer's hand-off: its converter sends the main window a WM_COPYDATA whose data is the
// path of an INI file naming the printed pages ("Document": "Name", "HorizontalResolution",
// "VerticalResolution"; "PNG" and "EMF": "Count" and "File0", "File1", ...). What needs no
// application object is here; CFolimarApp::CreateDocFromIniFile builds the document.
#pragma once
#include "Framework.h"

// COPYDATASTRUCT::dwData of a hand-off.
const ULONG_PTR kHandOffCopyData = 1027;

// The INI path a hand-off carries: UTF-16 text ending in a NUL within the message's byte count.
// FALSE (and `path` untouched) for a message of another kind, without data, or whose text has no
// NUL within its bytes or is empty.
BOOL ReadHandOffPath(const COPYDATASTRUCT& data, CString& path);

// The new document's name for a printed document's name: a web or file address ("http", "file" at
// the start, case-sensitive) is "Untitled"; a full path with a drive letter gives its file name.
CString HandOffDocumentName(const CString& printedName);

// TRUE when the first file of the list is an enhanced metafile of more than 30 records (vector
// drawing rather than one embedded picture).
BOOL IsVectorEmf(const CStringList& emfFiles);
