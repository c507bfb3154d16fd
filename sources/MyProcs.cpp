// The helpers that need no window, registry or shell: names, numbers, characters, archive strings.
#include "MyProcs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <vector>

#include "ErrorLog.h"

void CPathSplit::Split(const CString& path) {
  DEF_TRY
  m_path = path;
  m_driveStart = m_driveLength = m_folderStart = m_folderLength = 0;
  m_nameStart = m_nameLength = m_extStart = m_extLength = 0;
  const int length = path.GetLength();
  if (length == 0) return;
  const int firstSlash = path.Find(_T('\\'));
  if (firstSlash < 0) {
    m_driveLength = length;
    return;
  }
  m_driveLength = firstSlash;
  // A network path "\\server\..." keeps one of its two backslashes in the folder part.
  m_folderStart = (firstSlash + 1 < length && path[firstSlash + 1] == _T('\\')) ? firstSlash + 1
                                                                                : firstSlash;
  const int lastSlash = path.ReverseFind(_T('\\'));
  m_nameStart = lastSlash + 1;
  m_folderLength = lastSlash + 1 - m_folderStart;
  const int dot = path.ReverseFind(_T('.'));
  if (dot > m_nameStart) {
    m_nameLength = dot - m_nameStart;
    m_extStart = dot;
    m_extLength = length - dot;
  } else {
    m_nameLength = length - m_nameStart;
  }
  DEF_CATCH("CPathSplit::Split")
}

CString ExtractFileExt(const CString& path) {
  DEF_TRY
  const int dot = path.ReverseFind(_T('.'));
  return dot < 0 ? path : path.Mid(dot + 1);
  DEF_CATCH("ExtractFileExt")
  return CString();
}

CString ChangeFileExt(const CString& path, const CString& ext) {
  DEF_TRY
  const int dot = path.ReverseFind(_T('.'));
  return (dot < 0 ? path : path.Left(dot)) + _T(".") + ext;
  DEF_CATCH("ChangeFileExt")
  return CString();
}

int RoundToInt(double x) { return static_cast<int>(std::floor(x + 0.5)); }

BOOL IsValidInt(const CString& text) {
  DEF_TRY
  int i = 0;
  if (!text.IsEmpty() && (text[0] == _T('+') || text[0] == _T('-'))) i = 1;
  for (; i < text.GetLength(); ++i)
    if (text[i] < _T('0') || text[i] > _T('9')) return FALSE;
  return TRUE;
  DEF_CATCH("IsValidInt")
  return FALSE;
}

BOOL StrToInt(const CString& text, int& out) {
  DEF_TRY
  if (!IsValidInt(text)) return FALSE;
  out = static_cast<int>(_wtol(text));
  return TRUE;
  DEF_CATCH("StrToInt")
  return FALSE;
}

BOOL StringToInt(const CString& text, int& out) { return StrToInt(text, out); }

int GetCharCount(LPCTSTR text) { return text == nullptr ? 0 : static_cast<int>(wcslen(text)); }

CString ExtractMidChar(LPCTSTR text, int pos, int count) {
  DEF_TRY
  const CString whole(text == nullptr ? _T("") : text);
  pos = pos < 0 ? 0 : (pos > whole.GetLength() ? whole.GetLength() : pos);
  return whole.Mid(pos, count < 0 ? 0 : count);
  DEF_CATCH("ExtractMidChar")
  return CString();
}

CString ExtractLeftChar(LPCTSTR text, int count) { return ExtractMidChar(text, 0, count); }

CString ExtractRightChar(LPCTSTR text, int count) {
  if (count < 0) count = 0;
  return ExtractMidChar(text, GetCharCount(text) - count, count);
}

int DeleteChar(CString& text, int pos, int count) {
  DEF_TRY
  if (pos < 0) pos = 0;
  if (count < 0) count = 0;
  if (pos < text.GetLength()) text.Delete(pos, count);
  return text.GetLength();
  DEF_CATCH("DeleteChar")
  return 0;
}

TCHAR GetCharAt(LPCTSTR text, int pos) {
  const int length = GetCharCount(text);
  return (pos < 0 || pos >= length) ? 0 : text[pos];
}

namespace {
int ClampPosition(const CString& text, int pos) {
  return pos < 0 ? 0 : (pos > text.GetLength() ? text.GetLength() : pos);
}
}  // namespace

int InsertChar(CString& text, int pos, TCHAR ch, TCHAR ch2) {
  DEF_TRY
  pos = ClampPosition(text, pos);
  text.Insert(pos, ch);
  if (ch2 != 0) text.Insert(pos, ch2);
  return text.GetLength();
  DEF_CATCH("InsertChar")
  return 0;
}

int InsertChar(CString& text, int pos, LPCTSTR s) {
  DEF_TRY
  text.Insert(ClampPosition(text, pos), s == nullptr ? _T("") : s);
  return text.GetLength();
  DEF_CATCH("InsertChar")
  return 0;
}

int FindNextWord(LPCTSTR text, int pos, int backward) {
  const int length = GetCharCount(text);
  const int step = backward ? -1 : 1;
  // Stops at the first character of a word: not a space, with a space (or the text start) before it.
  do {
    pos += step;
  } while (pos >= 0 && pos < length &&
           (text[pos] == _T(' ') || (pos > 0 && text[pos - 1] != _T(' '))));
  return pos < 0 ? 0 : (pos > length ? length : pos);
}

int GetWideStringByteSize(LPCTSTR s) { return 2 * GetCharCount(s); }

HGLOBAL CopyStringToGlobal(LPCTSTR s) {
  DEF_TRY
  const SIZE_T bytes = (static_cast<SIZE_T>(GetCharCount(s)) + 1) * sizeof(WCHAR);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (block == nullptr) return nullptr;
  void* target = GlobalLock(block);
  if (target == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  if (s != nullptr) memcpy(target, s, bytes - sizeof(WCHAR));
  GlobalUnlock(block);
  return block;
  DEF_CATCH("CopyStringToGlobal")
  return nullptr;
}

LOGFONTW LogfontA2W(const LOGFONTA& a) {
  LOGFONTW w = {};
  w.lfHeight = a.lfHeight;
  w.lfWidth = a.lfWidth;
  w.lfEscapement = a.lfEscapement;
  w.lfOrientation = a.lfOrientation;
  w.lfWeight = a.lfWeight;
  w.lfItalic = a.lfItalic;
  w.lfUnderline = a.lfUnderline;
  w.lfStrikeOut = a.lfStrikeOut;
  w.lfCharSet = a.lfCharSet;
  w.lfOutPrecision = a.lfOutPrecision;
  w.lfClipPrecision = a.lfClipPrecision;
  w.lfQuality = a.lfQuality;
  w.lfPitchAndFamily = a.lfPitchAndFamily;
  char face[LF_FACESIZE];
  memcpy(face, a.lfFaceName, sizeof(face));
  face[LF_FACESIZE - 1] = 0;
  MultiByteToWideChar(CP_ACP, 0, face, -1, w.lfFaceName, LF_FACESIZE);
  w.lfFaceName[LF_FACESIZE - 1] = 0;
  return w;
}

void CheckArchiveCount(CArchive& ar, ULONGLONG count, ULONGLONG bytesPerItem) {
  if (count == 0 || bytesPerItem == 0) return;
  // Small counts need no look at the file: what they make us allocate is bounded anyway, and the
  // exact reads that follow fail at the end of the stream. This keeps a table of many short texts
  // from re-reading the archive buffer for every cell.
  const ULONGLONG kAlwaysAllowed = 64 * 1024;
  if (count <= kAlwaysAllowed / bytesPerItem) return;
  CFile* file = ar.GetFile();
  if (file == nullptr) return;
  // Giving the unread buffered bytes back to the file puts the file position where the archive
  // stands, so what is left of the file is exactly what the archive can still deliver.
  ar.Flush();
  const ULONGLONG length = file->GetLength();
  const ULONGLONG position = file->GetPosition();
  const ULONGLONG left = length > position ? length - position : 0;
  if (count > left / bytesPerItem) AfxThrowArchiveException(CArchiveException::endOfFile);
}

void ReadArchiveExact(CArchive& ar, void* buffer, UINT size) {
  if (ar.Read(buffer, size) != size) AfxThrowArchiveException(CArchiveException::endOfFile);
}

namespace {
// A string written to a loading archive or read from a storing one: a programming error that is
// logged as an archive error; nothing is transferred and the archive is left as it is.
bool WrongDirection(CArchive& ar, BOOL wantStoring, const char* function, int line) {
  if (ar.IsStoring() == wantStoring) return false;
  ReportPassedException(__FILE__, line, function);
  return true;
}

// The uint32 byte count and the bytes that follow it. The count comes from the file: a huge one must
// not make us allocate more than the archive can still deliver.
std::vector<char> ReadCountedBytes(CArchive& ar) {
  DWORD byteCount = 0;
  ar >> byteCount;
  CheckArchiveCount(ar, byteCount, 1);
  std::vector<char> bytes(byteCount);
  if (byteCount > 0) ReadArchiveExact(ar, bytes.data(), byteCount);
  return bytes;
}
}  // namespace

void WriteStringToArchive(CArchive& ar, const CString& text) {
  DEF_TRY
  if (WrongDirection(ar, TRUE, "WriteStringToArchive", __LINE__)) return;
  const DWORD characters = static_cast<DWORD>(text.GetLength());
  ar << static_cast<DWORD>(2 * (characters + 1));
  const WCHAR terminator = 0;
  ar.Write(static_cast<LPCTSTR>(text), characters * sizeof(WCHAR));
  ar.Write(&terminator, sizeof(terminator));
  DEF_CATCH_PASS_ARCHIVE("WriteStringToArchive")
}

void ReadStringFromArchive(CArchive& ar, CString& text) {
  DEF_TRY
  if (WrongDirection(ar, FALSE, "ReadStringFromArchive", __LINE__)) return;
  const std::vector<char> bytes = ReadCountedBytes(ar);
  // An odd count leaves its last byte out.
  std::vector<WCHAR> characters(bytes.size() / 2 + 1, 0);
  memcpy(characters.data(), bytes.data(), (bytes.size() / 2) * sizeof(WCHAR));
  text = characters.data();
  DEF_CATCH_PASS_ARCHIVE("ReadStringFromArchive")
}

void ReadStringAnsi(CArchive& ar, CString& text) {
  DEF_TRY
  if (WrongDirection(ar, FALSE, "ReadStringAnsi", __LINE__)) return;
  const std::vector<char> bytes = ReadCountedBytes(ar);
  text.Empty();
  // The text up to its first NUL, as a wide string is read: a NUL kept inside would be written on
  // and cut off by the next load.
  const int byteCount = static_cast<int>(std::find(bytes.begin(), bytes.end(), '\0') - bytes.begin());
  if (byteCount == 0) return;
  const int length =
      MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), byteCount, nullptr, 0);
  if (length <= 0) return;
  LPWSTR buffer = text.GetBuffer(length);
  MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), byteCount, buffer, length);
  text.ReleaseBuffer(length);
  DEF_CATCH_PASS_ARCHIVE("ReadStringAnsi")
}

void SetDefaultTextStyle(_OBJECT_STYLE* style) {
  DEF_TRY
  if (style == nullptr) return;
  memset(style, 0, sizeof(*style));
  style->font.lfHeight = -120;
  style->font.lfCharSet = DEFAULT_CHARSET;
  wcscpy(style->font.lfFaceName, L"Arial");
  style->boxWidth = 52083;
  style->boxHeight = 5000;
  DEF_CATCH("SetDefaultTextStyle")
}

CString GetPdfDashPattern(int penStyle, double width) {
  DEF_TRY
  int w = RoundToInt(width);
  if (w < 1) w = 1;
  CString pattern;
  switch (penStyle) {
    case PS_SOLID: pattern = _T("[] 0"); break;
    case PS_DASH: pattern.Format(_T("[%d %d] 0"), 3 * w, w); break;
    case PS_DOT: pattern.Format(_T("[%d] 0"), w); break;
    case PS_DASHDOT: pattern.Format(_T("[%d %d %d %d] 0"), 3 * w, w, w, w); break;
    case PS_DASHDOTDOT: pattern.Format(_T("[%d %d %d %d %d %d] 0"), 3 * w, w, w, w, w, w); break;
    default: break;
  }
  return pattern;
  DEF_CATCH("GetPdfDashPattern")
  return CString();
}
