#include "VizWriter.h"

#include <cstdio>

#include "ErrorLog.h"

namespace {

std::string Utf8(LPCWSTR text) {
  std::string out;
  if (text == nullptr) return out;
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return out;
  out.resize(size - 1);
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
  return out;
}

std::string Escaped(LPCWSTR text) {
  std::string out;
  for (char c : Utf8(text)) {
    if (c == '\t') out += "\\t";
    else if (c == '\n') out += "\\n";
    else if (c == '\\') out += "\\\\";
    else if (c != '\r') out += c;
  }
  return out;
}

std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

std::string Base64(const std::string& bytes) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const unsigned b0 = static_cast<unsigned char>(bytes[i]);
    const unsigned b1 = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    const unsigned b2 = i + 2 < bytes.size() ? static_cast<unsigned char>(bytes[i + 2]) : 0;
    out += kDigits[b0 >> 2];
    out += kDigits[((b0 & 3) << 4) | (b1 >> 4)];
    out += i + 1 < bytes.size() ? kDigits[((b1 & 15) << 2) | (b2 >> 6)] : '=';
    out += i + 2 < bytes.size() ? kDigits[b2 & 63] : '=';
  }
  return out;
}

BOOL ReadFileBytes(LPCWSTR path, std::string& bytes) {
  HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  LARGE_INTEGER size = {};
  BOOL ok = ::GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 30);
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
  }
  ::CloseHandle(file);
  return ok;
}

}  // namespace

CVizWriter::CVizWriter(LPCWSTR path) : m_text("VIZ\t1\n"), m_path(path) {}

void CVizWriter::BeginDocument(LPCWSTR formName, int offsetX, int offsetY, int pageCount, int zoomPercent,
                               int tool) {
  char numbers[96];
  std::snprintf(numbers, sizeof numbers, "\t%d\t%d\t%d\t%d\t%d\n", offsetX, offsetY, pageCount, zoomPercent, tool);
  m_text += "DOCUMENT\t" + Escaped(formName) + numbers;
}

void CVizWriter::BeginPage(int number, int items) {
  m_pageNumber = number;
  m_announced = items;
  m_sent = 0;
  m_page.clear();
}

BOOL CVizWriter::AddImageItem(LPCWSTR name, double left, double top, LPCWSTR pngPath) {
  std::string png;
  if (!ReadFileBytes(pngPath, png)) return FALSE;
  m_page += "IMAGE\t" + Escaped(name) + "\t" + Number(left) + "\t" + Number(top) + "\t" + Base64(png) + "\n";
  ++m_sent;
  return TRUE;
}

void CVizWriter::AddObjectItem(double left, double top, double width, double height, int color, int penStyle,
                               double lineWidth, double extra, LPCWSTR name, bool printable) {
  char head[32];
  std::snprintf(head, sizeof head, "ITEM\t%X\t", static_cast<unsigned>(m_kind));
  char style[64];
  std::snprintf(style, sizeof style, "\t%d\t%d\t", color, penStyle);
  m_page += head + Number(left) + "\t" + Number(top) + "\t" + Number(width) + "\t" + Number(height) + "\t" +
            Number(extra) + style + Number(lineWidth) + "\t" + Escaped(name) + (printable ? "\t1\n" : "\t0\n");
  ++m_sent;
}

void CVizWriter::AddLineVector(double dx, double dy) { m_page += "LINE\t" + Number(dx) + "\t" + Number(dy) + "\n"; }

void CVizWriter::AddObjectImage(LPCWSTR path) {
  std::string png;
  if (!ReadFileBytes(path, png)) {
    AppendErrorLog(L"CVizWriter::AddObjectImage: the picture's file cannot be read");
    return;
  }
  m_page += "PICTURE\t" + Base64(png) + "\n";
}

void CVizWriter::AddCheckMarkState(short state, int group) {
  char text[48];
  std::snprintf(text, sizeof text, "CHECK\t%d\t%d\n", state, group);
  m_page += text;
}

BOOL CVizWriter::EndPage() {
  char head[48];
  std::snprintf(head, sizeof head, "PAGE\t%d\t%d\n", m_pageNumber, m_sent);
  m_text += head + m_page;
  m_page.clear();
  if (m_sent == m_announced) return TRUE;
  CString line;
  line.Format(L"CVizWriter::EndPage: page %d announced %d items and sent %d", m_pageNumber, m_announced, m_sent);
  AppendErrorLog(line);
  return FALSE;
}

BOOL CVizWriter::Finish() {
  m_text += "END\n";
  HANDLE file = ::CreateFileW(m_path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, m_text.data(), static_cast<DWORD>(m_text.size()), &written, nullptr) &&
                  written == m_text.size();
  ::CloseHandle(file);
  if (!ok) ::DeleteFileW(m_path);
  return ok;
}
