// The file layer of the PDF writer: numbered objects written as soon as they are complete, strings
// and streams passed through the security handler, and the cross-reference table at the end.
// Plain C++: no platform header, so it builds and is tested apart from the drawing surface.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace pdf {

class StandardSecurity;

// A number as PDF writes it: at most four decimals, no exponent, no trailing zeros.
std::string Num(double value);
// A name object with the characters that need it written as #xx.
std::string Name(const std::string& name);
// Text as a PDF text string: PDFDocEncoding when it is plain ASCII, else UTF-16BE with a byte-order mark.
std::string TextBytes(const std::wstring& text);
// Bytes as a hexadecimal string object, <...>.
std::string HexString(const std::string& bytes);
// Deflate; level as zlib's. Empty output only for empty input.
std::string Deflate(const std::string& data, int level = 6);
std::string Utf16ToUtf8(const std::wstring& text);

// Writes objects to a file in any order and the table of their offsets at the end.
class PdfWriter {
 public:
  PdfWriter() = default;
  ~PdfWriter();
  PdfWriter(const PdfWriter&) = delete;
  PdfWriter& operator=(const PdfWriter&) = delete;

  // Opens (creates or truncates) the file and writes the header. False when it cannot be written.
  bool Open(const std::wstring& path, int minorVersion);
  bool IsOpen() const { return file_ != nullptr; }
  // Encrypts every string and stream written afterwards; null turns encryption off.
  void SetSecurity(const StandardSecurity* security) { security_ = security; }

  int NewObject();
  // A string object belonging to object num (encrypted with that object's key when required).
  std::string String(int num, const std::string& bytes) const;
  std::string Text(int num, const std::wstring& text) const { return String(num, TextBytes(text)); }
  void WriteObject(int num, const std::string& body);
  // dictEntries without the brackets and without /Length; data already filtered.
  void WriteStream(int num, const std::string& dictEntries, const std::string& data);
  // Writes the cross-reference table and the trailer and closes the file. trailerEntries: /Root, /Info...
  bool Finish(const std::string& trailerEntries);
  // Closes and deletes an unfinished file.
  void Abandon();
  bool Failed() const { return failed_; }
  const std::wstring& Path() const { return path_; }

 private:
  void Put(const std::string& bytes);

  std::FILE* file_ = nullptr;
  std::wstring path_;
  std::uint64_t offset_ = 0;
  std::vector<std::uint64_t> offsets_;  // index = object number; 0 = not written
  const StandardSecurity* security_ = nullptr;
  bool failed_ = false;
};

// The operators of one content stream, built as text.
class ContentStream {
 public:
  ContentStream& Op(const char* op);
  ContentStream& Add(double value);
  ContentStream& Raw(const std::string& text);
  const std::string& Data() const { return data_; }
  std::string& Data() { return data_; }
  void Clear() { data_.clear(); }

 private:
  std::string data_;
};

}  // namespace pdf
