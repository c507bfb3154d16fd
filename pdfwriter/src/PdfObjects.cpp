#include "pdfwriter/PdfObjects.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "pdfwriter/PdfSecurity.h"

namespace pdf {

std::string Num(double value) {
  if (!std::isfinite(value)) return "0";
  // Beyond what four decimals can carry in 64 bits, and beyond any real coordinate: whole numbers.
  if (std::fabs(value) >= 1e12) {
    char whole[32];
    std::snprintf(whole, sizeof(whole), "%.0f", value);
    return whole;
  }
  // Four decimals are finer than any device the writer serves (1/10000 of a page unit).
  long long scaled = std::llround(value * 10000.0);
  bool negative = scaled < 0;
  unsigned long long magnitude = negative ? static_cast<unsigned long long>(-scaled) : scaled;
  unsigned long long whole = magnitude / 10000, fraction = magnitude % 10000;
  char buffer[40];
  char* p = buffer + sizeof(buffer);
  *--p = 0;
  if (fraction) {
    int digits = 4;
    while (fraction % 10 == 0) { fraction /= 10; --digits; }
    for (int i = 0; i < digits; ++i) { *--p = static_cast<char>('0' + fraction % 10); fraction /= 10; }
    *--p = '.';
  }
  do { *--p = static_cast<char>('0' + whole % 10); whole /= 10; } while (whole);
  if (negative && magnitude) *--p = '-';
  return p;
}

std::string Name(const std::string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "/";
  for (unsigned char c : name) {
    if (c < 0x21 || c > 0x7E || std::strchr("#()<>[]{}/%", c)) {
      out += '#';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string TextBytes(const std::wstring& text) {
  bool ascii = true;
  for (wchar_t c : text) ascii = ascii && c >= 0x20 && c < 0x7F;
  if (ascii) return std::string(text.begin(), text.end());
  std::string out = "\xFE\xFF";
  for (wchar_t c : text) {
    out += static_cast<char>((c >> 8) & 0xFF);
    out += static_cast<char>(c & 0xFF);
  }
  return out;
}

std::string HexString(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2 + 2);
  out += '<';
  for (unsigned char c : bytes) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  out += '>';
  return out;
}

std::string Deflate(const std::string& data, int level) {
  if (data.empty()) return {};
  // Streamed through a fixed buffer: page images are large and mostly paper, so the result is a
  // fraction of the input and no buffer of the input's size is needed.
  z_stream z = {};
  if (deflateInit(&z, level) != Z_OK) return {};
  std::string out;
  char buffer[1 << 16];
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  size_t left = data.size();
  int status = Z_OK;
  while (status == Z_OK) {
    if (z.avail_in == 0 && left) {
      uInt take = static_cast<uInt>(std::min<size_t>(left, 1u << 30));
      z.avail_in = take;
      left -= take;
    }
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof(buffer);
    status = deflate(&z, left || z.avail_in ? Z_NO_FLUSH : Z_FINISH);
    out.append(buffer, sizeof(buffer) - z.avail_out);
    if (status == Z_BUF_ERROR) status = Z_OK;  // no progress possible this round; more input follows
  }
  deflateEnd(&z);
  return status == Z_STREAM_END ? out : std::string();
}

std::string Utf16ToUtf8(const std::wstring& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = static_cast<std::uint16_t>(text[i]);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
      std::uint32_t low = static_cast<std::uint16_t>(text[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

PdfWriter::~PdfWriter() { Abandon(); }

bool PdfWriter::Open(const std::wstring& path, int minorVersion) {
  Abandon();
  file_ = _wfopen(path.c_str(), L"wb");
  if (!file_) return false;
  path_ = path;
  offset_ = 0;
  offsets_.assign(1, 0);
  failed_ = false;
  // The binary comment tells transfer programs that the file is not text.
  Put("%PDF-1." + std::to_string(minorVersion) + "\n%\xE2\xE3\xCF\xD3\n");
  return !failed_;
}

int PdfWriter::NewObject() {
  offsets_.push_back(0);
  return static_cast<int>(offsets_.size() - 1);
}

std::string PdfWriter::String(int num, const std::string& bytes) const {
  return HexString(security_ ? security_->Encrypt(num, bytes) : bytes);
}

void PdfWriter::Put(const std::string& bytes) {
  if (!file_ || failed_) return;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
  offset_ += bytes.size();
}

void PdfWriter::WriteObject(int num, const std::string& body) {
  if (num <= 0 || num >= static_cast<int>(offsets_.size())) { failed_ = true; return; }
  offsets_[num] = offset_;
  Put(std::to_string(num) + " 0 obj\n" + body + "\nendobj\n");
}

void PdfWriter::WriteStream(int num, const std::string& dictEntries, const std::string& data) {
  if (num <= 0 || num >= static_cast<int>(offsets_.size())) { failed_ = true; return; }
  std::string encrypted;
  const std::string* bytes = &data;
  if (security_) {
    encrypted = security_->Encrypt(num, data);
    bytes = &encrypted;
  }
  offsets_[num] = offset_;
  Put(std::to_string(num) + " 0 obj\n<<" + dictEntries + " /Length " + std::to_string(bytes->size()) +
      ">>\nstream\n");
  Put(*bytes);
  Put("\nendstream\nendobj\n");
}

bool PdfWriter::Finish(const std::string& trailerEntries) {
  if (!file_) return false;
  std::uint64_t xref = offset_;
  std::string table = "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f \n";
  char entry[24];
  for (size_t i = 1; i < offsets_.size(); ++i) {
    // An object that was reserved but never written is listed as free, so the table stays consistent.
    if (offsets_[i])
      std::snprintf(entry, sizeof(entry), "%010llu 00000 n \n", static_cast<unsigned long long>(offsets_[i]));
    else
      std::snprintf(entry, sizeof(entry), "0000000000 00001 f \n");
    table += entry;
  }
  Put(table);
  Put("trailer\n<</Size " + std::to_string(offsets_.size()) + " " + trailerEntries + ">>\nstartxref\n" +
      std::to_string(xref) + "\n%%EOF\n");
  bool ok = !failed_ && std::fflush(file_) == 0;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (!ok) _wremove(path_.c_str());
  return ok;
}

void PdfWriter::Abandon() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  _wremove(path_.c_str());
}

ContentStream& ContentStream::Op(const char* op) {
  data_ += op;
  data_ += '\n';
  return *this;
}

ContentStream& ContentStream::Add(double value) {
  data_ += Num(value);
  data_ += ' ';
  return *this;
}

ContentStream& ContentStream::Raw(const std::string& text) {
  data_ += text;
  return *this;
}

}  // namespace pdf
