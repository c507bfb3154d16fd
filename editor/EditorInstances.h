// Further editor instances, one per document, each filling its document by name and staying open.
#pragma once
#include "Framework.h"

// The parameters of one instance: /f and the file, /o2, then /d, /g and /out when not empty, each
// value quoted by the rules Windows uses to split a command line, so that names with spaces,
// quotes or trailing backslashes arrive whole and can never pass for switches.
CString BuildInstanceParameters(const CString& file, const CString& data, const CString& group, const CString& out);
// Starts this program once per file through the shell ("open", no working folder, shown normally).
void StartEditorInstances(const CStringList& files, const CString& data, const CString& group, const CString& out);
