#include "TranspTextData.h"

#include <clocale>
#include <cstring>
#include <cwchar>
#include <vector>

#include "ErrorLog.h"
#include "MyProcs.h"

namespace {

// Little-endian fields of a byte buffer at fixed offsets; both targets are little-endian.
template <typename T>
T Get(const BYTE* p, size_t offset) {
  T v;
  memcpy(&v, p + offset, sizeof(T));
  return v;
}
template <typename T>
void Put(BYTE* p, size_t offset, T v) {
  memcpy(p + offset, &v, sizeof(T));
}

int NoWhiteMinusOne(int colour) { return static_cast<uint32_t>(colour) == 0xFFFFFFFFu ? 0 : colour; }

// The 60-byte LOGFONTA of old layouts, at `offset`, as the style's LOGFONTW.
LOGFONTW ReadLogfontA(const BYTE* p, size_t offset) {
  static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA is 60 bytes");
  LOGFONTA a;
  memcpy(&a, p + offset, sizeof(a));
  a.lfFaceName[LF_FACESIZE - 1] = 0;
  return LogfontA2W(a);
}

// "%.N...f" with its "f" at position 3 or later gives N; anything else 2.
int DecimalsOfNumberFormat(const CString& format) {
  const int f = format.Find(_T('f'));
  if (format.Left(2) != _T("%.") || f < 3) return 2;
  return _wtoi(format.Mid(2, f - 2));
}

int CharactersUpToZero(const CString& s) { return static_cast<int>(wcsnlen(s, s.GetLength())); }

// Old 144- and 160-byte records moved into the version-10 layout.
void ConvertOldRecord(const BYTE* old, BYTE* rec) {
  memcpy(rec, old, 24);  // size, version, inches per unit, position
  const LOGFONTW font = ReadLogfontA(old, 24);
  memcpy(rec + 24, &font, sizeof(font));
  for (int i = 0; i < 6; ++i) memcpy(rec + 120 + 4 * i, old + 88 + 4 * i, 4);
  rec[144] = old[112];
  memcpy(rec + 148, old + 116, 4);
  memcpy(rec + 152, old + 120, 4);
  memcpy(rec + 156, old + 124, 7);
  for (int i = 0; i < 4; ++i) memcpy(rec + 172 + 4 * i, old + 140 + 4 * i, 4);
}

// Reads and drops `count` bytes of a record that is longer than ours.
void SkipArchiveBytes(CArchive& ar, uint32_t count) {
  CheckArchiveCount(ar, count, 1);
  BYTE chunk[256];
  while (count > 0) {
    const UINT n = count < sizeof(chunk) ? count : sizeof(chunk);
    ReadArchiveExact(ar, chunk, n);
    count -= n;
  }
}

// A zero-terminated string inside [offset, size): UTF-16 or 8-bit in the ANSI code page. A string
// without its terminator ends at the block's end.
CString WideStringAt(const BYTE* p, size_t size, size_t offset) {
  CString s;
  for (size_t at = offset; at + 2 <= size; at += 2) {
    const wchar_t c = Get<wchar_t>(p, at);
    if (c == 0) break;
    s += c;
  }
  return s;
}
CString AnsiStringAt(const BYTE* p, size_t size, size_t offset) {
  if (offset >= size) return CString();
  const size_t length = strnlen(reinterpret_cast<const char*>(p + offset), size - offset);
  if (length == 0) return CString();
  CString s;
  const int n = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(p + offset), static_cast<int>(length),
                                    nullptr, 0);
  if (n <= 0) return s;
  MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(p + offset), static_cast<int>(length),
                      s.GetBuffer(n), n);
  s.ReleaseBuffer(n);
  return s;
}

}  // namespace

int OrientationFromFont(const LOGFONTW& font) {
  if (font.lfOrientation == 900) return TEXT_BOTTOM_UP;
  if (font.lfOrientation == -900) return TEXT_TOP_DOWN;
  return TEXT_LEFT_TO_RIGHT;
}

void SetFontOrientation(_OBJECT_STYLE& style) {
  const int o = TextOrientation(style);
  const LONG angle = o == TEXT_BOTTOM_UP ? 900 : o == TEXT_TOP_DOWN ? -900 : 0;
  style.font.lfEscapement = angle;
  style.font.lfOrientation = angle;
}

double ConvertTextToDouble(const CString& text) {
  DEF_TRY
  const char point = *localeconv()->decimal_point;
  CString s = text;
  if (point == '.') s.Replace(_T(','), _T('.'));
  if (point == ',') s.Replace(_T('.'), _T(','));
  return wcstod(s, nullptr);
  DEF_CATCH("CTranspText::ConvertTextToDouble")
  return 0;
}

uint32_t TextRecordOuterLength(const TEXT_FIELD_DATA& data) {
  return 232 + CharactersUpToZero(data.text) + data.formula.GetLength() + data.numberFormat.GetLength();
}

void StoreTextRecord(CArchive& ar, const TEXT_FIELD_DATA& data, double inchesPerUnit) {
  DEF_TRY
  BYTE rec[TEXT_RECORD_SIZE] = {};
  const _OBJECT_STYLE& s = data.style;
  Put<uint32_t>(rec, 0, TEXT_RECORD_SIZE);
  Put<uint32_t>(rec, 4, TEXT_RECORD_VERSION);
  Put<double>(rec, 8, inchesPerUnit);
  Put<int32_t>(rec, 16, data.x);
  Put<int32_t>(rec, 20, data.y);
  memcpy(rec + 24, &s.font, sizeof(s.font));
  Put<int32_t>(rec, 116, data.typedDecimals);
  Put<uint32_t>(rec, 120, s.textColor);
  Put<int32_t>(rec, 124, TextComb(s));
  Put<int32_t>(rec, 128, TextCombCell(s));
  Put<int32_t>(rec, 132, data.pageIndex);
  Put<int32_t>(rec, 136, TextAlignment(s));
  rec[144] = TextWordWrap(s) != 0 ? 1 : 0;
  Put<int32_t>(rec, 148, TextLineSpacing(s));
  Put<int32_t>(rec, 152, TextSingleLine(s));
  rec[156] = s.requiredForFilling;
  rec[157] = s.textFlag145;
  rec[158] = data.HasFormula() ? 1 : 0;
  rec[159] = static_cast<BYTE>(data.dataType);
  rec[160] = static_cast<BYTE>(data.decimals);
  rec[161] = static_cast<BYTE>(data.label);
  rec[162] = s.textFlag146;
  rec[163] = s.flag147;
  Put<int32_t>(rec, 164, s.boxHeight);
  Put<int32_t>(rec, 168, s.penStyle);
  Put<int32_t>(rec, 172, s.boxWidth);
  Put<uint32_t>(rec, 176, s.color);
  Put<int32_t>(rec, 180, s.lineWidth);
  Put<int32_t>(rec, 188, data.grouping);
  Put<int32_t>(rec, 192, data.valueBlank);
  Put<double>(rec, 200, data.label ? data.value : 0.0);
  Put<int32_t>(rec, 208, s.printable);
  ar << static_cast<DWORD>(TextRecordOuterLength(data));
  ar << static_cast<DWORD>(TEXT_RECORD_SIZE);
  ar.Write(rec, sizeof(rec));
  WriteStringToArchive(ar, data.text);
  WriteStringToArchive(ar, data.formula);
  WriteStringToArchive(ar, data.numberFormat);
  DEF_CATCH_PASS_ARCHIVE("CTranspText::Serialize")
}

void LoadTextRecord(CArchive& ar, TEXT_FIELD_DATA& data, double& inchesPerUnit) {
  DEF_TRY
  DWORD n = 0;
  ar >> n;
  BYTE rec[TEXT_RECORD_SIZE] = {};
  if (n == 144 || n == 160) {
    BYTE old[160] = {};
    ReadArchiveExact(ar, old, n);
    ConvertOldRecord(old, rec);
  } else if (n == 152) {
    ReadArchiveExact(ar, rec, n);
    memcpy(rec + 172, rec + 144, 4);
  } else if (n <= TEXT_RECORD_SIZE) {
    ReadArchiveExact(ar, rec, n);
  } else {
    // A longer record comes from a later writer: our part is its head, the rest is passed over.
    ReadArchiveExact(ar, rec, TEXT_RECORD_SIZE);
    SkipArchiveBytes(ar, n - TEXT_RECORD_SIZE);
  }

  const int v = Get<int32_t>(rec, 4);
  _OBJECT_STYLE& s = data.style;
  inchesPerUnit = Get<double>(rec, 8);
  memcpy(&s.font, rec + 24, sizeof(s.font));
  data.x = Get<int32_t>(rec, 16);
  data.y = Get<int32_t>(rec, 20);
  data.pageIndex = Get<int32_t>(rec, 132);
  s.textColor = NoWhiteMinusOne(Get<int32_t>(rec, 120));
  TextComb(s) = Get<int32_t>(rec, 124);
  TextCombCell(s) = Get<int32_t>(rec, 128);
  TextAlignment(s) = Get<int32_t>(rec, 136);
  s.boxHeight = Get<int32_t>(rec, 164);
  s.lineWidth = Get<int32_t>(rec, 180);
  if (v >= 8) {
    s.color = NoWhiteMinusOne(Get<int32_t>(rec, 176));
    s.flag147 = rec[163];
    s.penStyle = Get<int32_t>(rec, 168);
  } else {
    s.flag147 = 0;
    s.penStyle = 0;
  }
  if (v >= 2) {
    s.boxWidth = Get<int32_t>(rec, 172);
  } else {
    // Version 1 kept the box width in 96-dpi pixels.
    const int pixels = Get<int32_t>(rec, 172) != 0 ? Get<int32_t>(rec, 172) : 10;
    s.boxWidth = static_cast<int>(pixels / 0.00001 / 96);
  }
  TextWordWrap(s) = v >= 3 ? (rec[144] == 1) : 0;
  TextLineSpacing(s) = v >= 3 ? Get<int32_t>(rec, 148) : 0;
  TextSingleLine(s) = Get<int32_t>(rec, 152);
  s.requiredForFilling = rec[156];
  s.textFlag145 = rec[157];
  s.textFlag146 = rec[162];
  TextOrientation(s) = OrientationFromFont(s.font);

  auto readString = [&ar, v](CString& out) {
    if (v < 6)
      ReadStringAnsi(ar, out);
    else
      ReadStringFromArchive(ar, out);
  };
  readString(data.text);
  CString formula, numberFormat = data.numberFormat;
  if (v >= 5) {
    data.formulaFlag = rec[158] == 1;
    readString(formula);
    readString(numberFormat);
    data.numberFormat = numberFormat;
  }
  data.label = rec[161];
  if (v < 9) {
    data.dataType = rec[158] == 1 ? TEXT_TYPE_NUMERIC : TEXT_TYPE_TEXT;
    // Formulas were stored without their "="; an absent formula stays absent.
    data.formula = formula.IsEmpty() ? formula : _T("=") + formula;
    data.decimals = data.typedDecimals = DecimalsOfNumberFormat(data.numberFormat);
    data.grouping = 1;
    data.valueBlank = 0;
  } else {
    data.formula = formula;
    data.dataType = rec[159];
    data.decimals = rec[160];
    data.typedDecimals = Get<int32_t>(rec, 116);
    data.grouping = Get<int32_t>(rec, 188);
    data.valueBlank = Get<int32_t>(rec, 192);
  }
  if (data.label) {
    data.value = v < 9 ? ConvertTextToDouble(data.text) : Get<double>(rec, 200);
    data.valueSet = TRUE;
  }
  s.printable = v >= 10 ? Get<int32_t>(rec, 208) : !data.label;
  DEF_CATCH_PASS_ARCHIVE("CTranspText::Serialize")
}

CStringA TextObDataBytes(const TEXT_FIELD_DATA& data, double inchesPerUnit) {
  CStringA result;
  DEF_TRY
  const CString s = data.text + data.formula;
  const size_t total = 2 * static_cast<size_t>(s.GetLength()) + TEXT_OBDATA_FIXED;
  std::vector<BYTE> block(total, 0);
  BYTE* p = block.data();
  Put<uint32_t>(p, 0, static_cast<uint32_t>(total));
  Put<uint32_t>(p, 4, data.label ? LABEL_OBDATA_TYPE : TEXT_OBDATA_TYPE);
  Put<uint32_t>(p, 8, TEXT_OBDATA_VERSION);
  Put<double>(p, 16, inchesPerUnit);
  memcpy(p + 28, &data.style, sizeof(data.style));
  Put<int32_t>(p, 248, data.dataType);
  Put<int32_t>(p, 252, data.decimals);
  Put<int32_t>(p, 256, data.typedDecimals);
  Put<double>(p, 264, data.value);
  Put<int32_t>(p, 272, data.grouping);
  Put<int32_t>(p, 276, data.formulaFlag);
  Put<int32_t>(p, 280, data.text.GetLength());
  Put<int32_t>(p, 284, data.formula.GetLength());
  memcpy(p + 288, static_cast<LPCWSTR>(s), 2 * static_cast<size_t>(s.GetLength()));
  char* out = result.GetBuffer(static_cast<int>(total));
  memcpy(out, p, total);
  result.ReleaseBuffer(static_cast<int>(total));
  DEF_CATCH("CTranspText::GetObData")
  return result;
}

HGLOBAL BuildTextObData(const TEXT_FIELD_DATA& data, double inchesPerUnit) {
  DEF_TRY
  const CStringA bytes = TextObDataBytes(data, inchesPerUnit);
  if (bytes.IsEmpty()) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.GetLength());
  if (block == nullptr) return nullptr;
  void* p = GlobalLock(block);
  if (p == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  memcpy(p, static_cast<const char*>(bytes), bytes.GetLength());
  GlobalUnlock(block);
  return block;
  DEF_CATCH("CTranspText::GetObData")
  return nullptr;
}

BOOL ReadTextObData(const BYTE* p, size_t size, BOOL label, TEXT_FIELD_DATA& data, double& inchesPerUnit) {
  DEF_TRY
  if (p == nullptr || size < 24) return FALSE;
  const uint32_t stored = Get<uint32_t>(p, 8);
  // Version 1 had two layouts, told apart by the int at 140.
  uint32_t version = stored;
  if (stored == 1) {
    if (size < 144) return FALSE;
    version = Get<int32_t>(p, 140) != 0 ? 12 : 11;
  }
  auto fits = [size](size_t end) { return end <= size; };
  TEXT_FIELD_DATA next = data;
  _OBJECT_STYLE& s = next.style;

  // Layouts with a LOGFONTA, point size and the text settings in a row from `at`.
  auto readAnsiFont = [&](size_t at) {
    s.font = ReadLogfontA(p, at);
    s.fontSize = Get<int32_t>(p, at + 60);
    s.font.lfHeight = -10 * s.fontSize;
    s.font.lfWidth = 0;
    s.textColor = Get<uint32_t>(p, at + 64);
    TextComb(s) = Get<int32_t>(p, at + 68);
    TextCombCell(s) = Get<int32_t>(p, at + 72);
    TextAlignment(s) = Get<int32_t>(p, at + 76);
    TextOrientation(s) = Get<int32_t>(p, at + 80);
    SetFontOrientation(s);
  };

  switch (version) {
    case 8:
    case 9: {
      if (!fits(288)) return FALSE;
      memcpy(&s, p + 28, sizeof(s));
      next.dataType = Get<int32_t>(p, 248);
      next.decimals = Get<int32_t>(p, 252);
      next.typedDecimals = Get<int32_t>(p, 256);
      next.grouping = Get<int32_t>(p, 272);
      next.formulaFlag = Get<int32_t>(p, 276);
      const int32_t textLength = Get<int32_t>(p, 280);
      const int32_t formulaLength = Get<int32_t>(p, 284);
      if (textLength < 0 || formulaLength < 0 ||
          !fits(288 + 2 * (static_cast<size_t>(textLength) + static_cast<size_t>(formulaLength))))
        return FALSE;
      const LPCWSTR chars = reinterpret_cast<LPCWSTR>(p + 288);
      next.text = CString(chars, textLength);
      if (next.IsNumeric()) {
        if (next.formulaFlag)
          next.formula = CString(chars + textLength, formulaLength);
        else {
          next.value = Get<double>(p, 264);
          next.valueSet = TRUE;
        }
      }
      break;
    }
    case 7:
      if (!fits(248)) return FALSE;
      memcpy(&s, p + 28, sizeof(s));
      next.text = WideStringAt(p, size, 248);
      break;
    case 6:
      if (!fits(180)) return FALSE;
      memcpy(&s, p + 28, 152);
      next.text = WideStringAt(p, size, 180);
      break;
    case 2:
    case 3:
    case 11: {
      if (!fits(128)) return FALSE;
      readAnsiFont(28);
      const int32_t at120 = Get<int32_t>(p, 120);
      size_t textAt = 128;
      if (version != 3 && at120 != 0 && at120 != 1) {
        textAt = 120;
        s.boxWidth = 100;
      } else {
        s.boxWidth = Get<int32_t>(p, 124);
      }
      next.text = AnsiStringAt(p, size, textAt);
      TextWordWrap(s) = TextLineSpacing(s) = TextSingleLine(s) = 0;
      break;
    }
    case 12:
      if (!fits(108)) return FALSE;
      readAnsiFont(24);
      next.text = AnsiStringAt(p, size, 108);
      break;
    case 4:
      if (!fits(144)) return FALSE;
      readAnsiFont(28);
      s.boxWidth = Get<int32_t>(p, 124);
      TextWordWrap(s) = Get<int32_t>(p, 128);
      TextLineSpacing(s) = Get<int32_t>(p, 132);
      TextSingleLine(s) = Get<int32_t>(p, 136);
      s.requiredForFilling = p[140];
      s.textFlag145 = p[141];
      s.textFlag146 = p[142];
      // The three flag bytes are followed by one byte of padding; the text starts aligned after it.
      next.text = AnsiStringAt(p, size, 144);
      break;
    default:
      // Versions 5, 10 and above 12 carry nothing this reader knows.
      break;
  }
  inchesPerUnit = Get<double>(p, 16);
  // The layouts before 8 (11 and 12 are version 1) had no box height, border or pen style.
  const BOOL olderLayout = version == 2 || version == 3 || version == 4 || version == 6 || version == 7 ||
                           version == 11 || version == 12;
  if (olderLayout) {
    s.boxHeight = -1;
    s.flag147 = 0;
    s.penStyle = 0;
  }
  if (version != 9) s.printable = !label;
  next.label = label;
  data = next;
  return TRUE;
  DEF_CATCH("CTranspText::SetObData")
  return FALSE;
}
