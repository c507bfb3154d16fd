#include "FillFormProcs.h"

#include <cstdarg>
#include <vector>

namespace quillet {

std::wstring FormatText(const wchar_t* format, ...) {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    va_list args;
    va_start(args, format);
    const int written = _vsnwprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (written >= 0 && static_cast<size_t>(written) < buffer.size())
      return std::wstring(buffer.data(), written);
    buffer.resize(buffer.size() * 2);
  }
}

namespace {
// The compiler's full signature ("void CFillForm::GetData(CString, CString)") reduced to the
// qualified name that the log shows ("CFillForm::GetData").
std::wstring QualifiedName(const char* signature) {
  std::string name(signature ? signature : "");
  const size_t open = name.find('(');
  if (open != std::string::npos) name.erase(open);
  const size_t space = name.rfind(' ');
  if (space != std::string::npos) name.erase(0, space + 1);
  while (!name.empty() && (name[0] == '*' || name[0] == '&')) name.erase(0, 1);
  return std::wstring(name.begin(), name.end());
}
}  // namespace

void ReportCaughtException(const char* file, int line, const char* function) {
  const std::string fileName(file ? file : "");
  ::ReportCaughtException(std::wstring(fileName.begin(), fileName.end()).c_str(), line,
                          QualifiedName(function).c_str());
}

}  // namespace quillet
