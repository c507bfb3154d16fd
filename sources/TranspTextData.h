// The text field's stored forms: its record in the document file (version 10, 216 bytes, and every
// older layout) and its object data for the clipboard, drag and drop and the shelf (version 9, and the
// older blocks). Both work on TEXT_FIELD_DATA, the part of `CTranspText` they carry, so they are
// reachable without a window; `CTranspText` copies its members into and out of it.
#pragma once
#include "Framework.h"

#include <cstdint>

#include "ObjectStyle.h"

// What the text field keeps in its style block (byte offsets of _OBJECT_STYLE).
// 100 comb flag, 104 comb cell width, 108 alignment, 112 orientation, 132 word wrap, 136 line spacing,
// 140 single line; 147 is the border flag.
enum TEXT_ALIGNMENT { TEXT_ALIGN_LEFT = 0, TEXT_ALIGN_CENTRE = 1, TEXT_ALIGN_RIGHT = 2 };
enum TEXT_ORIENTATION { TEXT_LEFT_TO_RIGHT = 0, TEXT_BOTTOM_UP = 1, TEXT_TOP_DOWN = 2 };
inline int& TextComb(_OBJECT_STYLE& s) { return s.textSetting9; }
inline int& TextCombCell(_OBJECT_STYLE& s) { return s.textSetting10; }
inline int& TextAlignment(_OBJECT_STYLE& s) { return s.textSetting11; }
inline int& TextOrientation(_OBJECT_STYLE& s) { return s.textSetting12; }
inline int& TextWordWrap(_OBJECT_STYLE& s) { return s.textSetting21; }
inline int& TextLineSpacing(_OBJECT_STYLE& s) { return s.textSetting16; }
inline int& TextSingleLine(_OBJECT_STYLE& s) { return s.textSetting140; }
inline int TextComb(const _OBJECT_STYLE& s) { return s.textSetting9; }
inline int TextCombCell(const _OBJECT_STYLE& s) { return s.textSetting10; }
inline int TextAlignment(const _OBJECT_STYLE& s) { return s.textSetting11; }
inline int TextOrientation(const _OBJECT_STYLE& s) { return s.textSetting12; }
inline int TextWordWrap(const _OBJECT_STYLE& s) { return s.textSetting21; }
inline int TextLineSpacing(const _OBJECT_STYLE& s) { return s.textSetting16; }
inline int TextSingleLine(const _OBJECT_STYLE& s) { return s.textSetting140; }
inline BOOL TextBorder(const _OBJECT_STYLE& s) { return s.flag147 == 1; }

// Orientation from the font's lfOrientation (900 bottom-up, -900 top-down, else left to right), and
// the escapement and orientation of the font set from the orientation.
int OrientationFromFont(const LOGFONTW& font);
void SetFontOrientation(_OBJECT_STYLE& style);

enum TEXT_DATA_TYPE { TEXT_TYPE_TEXT = 0, TEXT_TYPE_NUMERIC = 1, TEXT_TYPE_CURRENCY = 2, TEXT_TYPE_INDEX = 3 };

struct TEXT_FIELD_DATA {
  int x = 0, y = 0;         // anchor in units
  int pageIndex = 0;
  _OBJECT_STYLE style = {};
  CString text;             // all lines joined
  CString formula;
  CString numberFormat = _T("%.2f");
  int formulaFlag = 0;
  int dataType = 0;
  int decimals = 0;
  int typedDecimals = 0;
  int label = 0;
  int grouping = 0;
  int valueBlank = 0;
  double value = 0;         // the typed value (data types 1-3) or a label's number
  BOOL valueSet = FALSE;    // a reader set `value`

  BOOL IsNumeric() const { return dataType >= 1 && dataType <= 3; }
  BOOL HasFormula() const { return formulaFlag && IsNumeric(); }
};

// Fixed layout of the version-10 record.
const uint32_t TEXT_RECORD_SIZE = 216;
const uint32_t TEXT_RECORD_VERSION = 10;
const uint32_t TEXT_OBDATA_VERSION = 9;
const uint32_t TEXT_OBDATA_TYPE = 6;
const uint32_t LABEL_OBDATA_TYPE = 16;
const uint32_t TEXT_OBDATA_FIXED = 298;  // bytes of a block with an empty text and formula

// A number read from text under the C run-time's locale: the other one of "," and "." is taken as
// the decimal point too; 0 when nothing can be read.
double ConvertTextToDouble(const CString& text);

// The outer length written before the record: 232 + characters of the text (up to its first zero),
// of the formula and of the number format. It is not a byte count.
uint32_t TextRecordOuterLength(const TEXT_FIELD_DATA& data);

// Writes outer length, 216, the record and the three strings.
void StoreTextRecord(CArchive& ar, const TEXT_FIELD_DATA& data, double inchesPerUnit);
// Reads from the record size on (the document reader has taken the tag and the outer length). Sets
// inchesPerUnit from the record. Archive exceptions (the stream ends early) go to the caller.
void LoadTextRecord(CArchive& ar, TEXT_FIELD_DATA& data, double& inchesPerUnit);

// The version-9 object data in a movable zero-initialised global block; NULL when it cannot be had.
HGLOBAL BuildTextObData(const TEXT_FIELD_DATA& data, double inchesPerUnit);
// The same bytes without the global block (what BuildTextObData puts into it).
CStringA TextObDataBytes(const TEXT_FIELD_DATA& data, double inchesPerUnit);
// Reads object data of any version from `size` bytes (the block's real size bounds every offset and
// length taken from it). `label` decides the printable flag of versions that do not store it. FALSE
// when the block is too short for its header or for what its version announces; `data` then keeps
// the style, text and values it had.
BOOL ReadTextObData(const BYTE* bytes, size_t size, BOOL label, TEXT_FIELD_DATA& data, double& inchesPerUnit);
