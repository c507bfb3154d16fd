#include "EditorInstances.h"

#include <shellapi.h>

namespace {
// The value as one parameter by the rules Windows uses to split a command line: in double quotes,
// a quote inside escaped with a backslash, and the backslashes that come before a quote (inside, or
// the closing one) doubled. Otherwise a name with a quote or a folder such as "D:\" would end the
// parameter early and let the rest of the value pass for switches of its own.
CString Quoted(const CString& value) {
  CString quoted = L"\"";
  int backslashes = 0;
  for (int i = 0; i < value.GetLength(); ++i) {
    const wchar_t c = value[i];
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    const int copies = c == L'"' ? backslashes * 2 + 1 : backslashes;
    for (int n = 0; n < copies; ++n) quoted += L'\\';
    backslashes = 0;
    quoted += c;
  }
  for (int n = 0; n < backslashes * 2; ++n) quoted += L'\\';
  return quoted + L"\"";
}
}  // namespace

CString BuildInstanceParameters(const CString& file, const CString& data, const CString& group, const CString& out) {
  CString parameters = L"/f " + Quoted(file) + L" /o2";
  if (!data.IsEmpty()) parameters += L" /d " + Quoted(data);
  if (!group.IsEmpty()) parameters += L" /g " + Quoted(group);
  if (!out.IsEmpty()) parameters += L" /out " + Quoted(out);
  return parameters;
}

void StartEditorInstances(const CStringList& files, const CString& data, const CString& group, const CString& out) {
  WCHAR program[MAX_PATH * 2] = L"";
  const DWORD length = ::GetModuleFileNameW(nullptr, program, _countof(program));
  if (length == 0 || length >= _countof(program)) return;
  for (POSITION pos = files.GetHeadPosition(); pos;) {
    const CString parameters = BuildInstanceParameters(files.GetNext(pos), data, group, out);
    ::ShellExecuteW(nullptr, L"open", program, parameters, nullptr, SW_SHOWNORMAL);
  }
}

