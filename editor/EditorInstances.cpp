#include "EditorInstances.h"

#include <shellapi.h>

namespace {
// The value in double quotes. Backslashes before the closing quote are doubled, or a folder such as
// "D:\" would escape the quote and swallow the parameters after it.
CString Quoted(const CString& value) {
  int trailing = 0;
  while (trailing < value.GetLength() && value[value.GetLength() - 1 - trailing] == L'\\') ++trailing;
  CString quoted = L"\"" + value;
  for (int i = 0; i < trailing; ++i) quoted += L"\\";
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

