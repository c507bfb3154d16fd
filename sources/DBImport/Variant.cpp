#include "Variant.h"

#include <cstring>

#include "ErrorLog.h"
#include "MyProcs.h"

static_assert(sizeof(SYSTEMTIME) == 16, "a stored date is the 16 bytes of a SYSTEMTIME");
static_assert(sizeof(float) == 4 && sizeof(double) == 8, "IEEE payloads");

bool CVariant::IsHeapType(int type) {
  return type == typeString || type == typeDateTime || type == typeBinary || type == typeUnicodeString;
}

CVariant::CVariant() : m_value(), m_type(typeNull) {}

CVariant::CVariant(double value) : m_value(), m_type(typeNull) {
  DEF_TRY
  *this = value;
  DEF_CATCH("CVariant::CVariant double")
}

CVariant::CVariant(int value) : m_value(), m_type(typeNull) {
  DEF_TRY
  *this = value;
  DEF_CATCH("CVariant::CVariant int")
}

CVariant::CVariant(const CString& value) : m_value(), m_type(typeNull) {
  DEF_TRY
  *this = static_cast<LPCTSTR>(value);
  DEF_CATCH("CVariant::CVariant CString")
}

CVariant::CVariant(const CVariant& source) : CObject(), m_value(), m_type(typeNull) {
  DEF_TRY
  *this = source;
  DEF_CATCH("CVariant::CVariant CVariant")
}

CVariant::CVariant(CVariant&& source) noexcept : CObject(), m_value(source.m_value), m_type(source.m_type) {
  memset(&source.m_value, 0, sizeof(source.m_value));
  source.m_type = typeNull;
}

CVariant& CVariant::operator=(CVariant&& source) noexcept {
  if (&source == this) return *this;
  PreExchange(typeNull);
  m_value = source.m_value;
  m_type = source.m_type;
  memset(&source.m_value, 0, sizeof(source.m_value));
  source.m_type = typeNull;
  return *this;
}

CVariant::~CVariant() {
  DEF_TRY
  PreExchange(typeNull);
  DEF_CATCH("CVariant::~CVariant")
}

void CVariant::EnterType(int type) {
  switch (type) {
    case typeString: m_value.ansi = new CStringA(); break;
    case typeDateTime: m_value.dateTime = new SYSTEMTIME; break;
    case typeBinary: m_value.binary = new CByteArray(); break;
    case typeUnicodeString: m_value.unicode = new CString(); break;
    default: break;
  }
}

void CVariant::PreExchange(int newType) {
  DEF_TRY
  if (newType == m_type) return;
  switch (m_type) {
    case typeString: delete m_value.ansi; break;
    case typeDateTime: delete m_value.dateTime; break;
    case typeBinary: delete m_value.binary; break;
    case typeUnicodeString: delete m_value.unicode; break;
    default: break;
  }
  if (IsHeapType(m_type)) memset(&m_value, 0, sizeof(m_value));
  // The tag changes before the storage is made: if making it fails, the variant is NULL-like
  // for a heap type rather than a heap type with no storage.
  m_type = IsHeapType(newType) ? typeNull : newType;
  EnterType(newType);
  m_type = newType;
  DEF_CATCH("CVariant::PreExchange")
}

CVariant& CVariant::operator=(double value) {
  DEF_TRY
  SwitchTo(typeDouble);
  m_value.doubleValue = value;
  DEF_CATCH("CVariant::= double")
  return *this;
}

CVariant& CVariant::operator=(int value) {
  DEF_TRY
  SwitchTo(typeInteger);
  m_value.integer = value;
  DEF_CATCH("CVariant::= int")
  return *this;
}

CVariant& CVariant::operator=(LPCTSTR value) {
  DEF_TRY
  SwitchTo(typeUnicodeString);
  *m_value.unicode = value != nullptr ? value : _T("");
  DEF_CATCH("CVariant::= LPCTSTR")
  return *this;
}

CVariant& CVariant::operator=(const CVariant& source) {
  DEF_TRY
  // Assigning a variant to itself keeps it as it is (emptying a byte array before copying it into
  // itself would lose the data).
  if (&source == this) return *this;
  SwitchTo(source.m_type);
  switch (source.m_type) {
    case typeBoolean:
    case typeLong:
    case typeFloat:
    case typeInteger: memcpy(m_value.bytes, source.m_value.bytes, 4); break;
    case typeChar:
    case typeByte: m_value.bytes[0] = source.m_value.bytes[0]; break;
    case typeUnicodeChar: memcpy(m_value.bytes, source.m_value.bytes, 2); break;
    case typeDouble: memcpy(m_value.bytes, source.m_value.bytes, 8); break;
    case typeDateTime: *m_value.dateTime = *source.m_value.dateTime; break;
    case typeString: *m_value.ansi = *source.m_value.ansi; break;
    case typeUnicodeString: *m_value.unicode = *source.m_value.unicode; break;
    case typeBinary:
      m_value.binary->RemoveAll();
      m_value.binary->Copy(*source.m_value.binary);
      break;
    default: break;
  }
  DEF_CATCH("CVariant::= CVariant")
  return *this;
}

// PreExchange reports a failure to make storage and leaves the variant NULL: the callers that store
// into the storage next must stop then.
void CVariant::SwitchTo(int type) {
  PreExchange(type);
  if (m_type != type) AfxThrowMemoryException();
}

double CVariant::GetDoubleValue() const { return m_type == typeDouble ? m_value.doubleValue : 0.0; }

LONG& CVariant::GetLong() {
  if (m_type == typeNull) PreExchange(typeLong);
  return m_value.longValue;
}

float& CVariant::GetFloat() {
  if (m_type == typeNull) PreExchange(typeFloat);
  return m_value.floatValue;
}

double& CVariant::GetDouble() {
  if (m_type == typeNull) PreExchange(typeDouble);
  return m_value.doubleValue;
}

int& CVariant::GetInteger() {
  if (m_type == typeNull) PreExchange(typeInteger);
  return m_value.integer;
}

BYTE& CVariant::GetByte() {
  if (m_type == typeNull) PreExchange(typeByte);
  return m_value.byte;
}

// The heap getters on a variant of another type are a programmer's mistake: they give null rather
// than reinterpret a scalar as a pointer.
CStringA* CVariant::GetAnsiString() {
  if (m_type == typeNull) PreExchange(typeString);
  ASSERT(m_type == typeString);
  return m_type == typeString ? m_value.ansi : nullptr;
}

CString* CVariant::GetUnicodeString() {
  if (m_type == typeNull) PreExchange(typeUnicodeString);
  ASSERT(m_type == typeUnicodeString);
  return m_type == typeUnicodeString ? m_value.unicode : nullptr;
}

SYSTEMTIME* CVariant::GetDateTime() {
  if (m_type == typeNull) PreExchange(typeDateTime);
  ASSERT(m_type == typeDateTime);
  return m_type == typeDateTime ? m_value.dateTime : nullptr;
}

CByteArray* CVariant::GetBinary() {
  if (m_type == typeNull) PreExchange(typeBinary);
  ASSERT(m_type == typeBinary);
  return m_type == typeBinary ? m_value.binary : nullptr;
}

LPCTSTR CVariant::GetUnicodeText() {
  const CString* text = GetUnicodeString();
  return text != nullptr ? static_cast<LPCTSTR>(*text) : _T("");
}

namespace {
// The text up to its first NUL, as the wide strings of the archive are read: a NUL kept inside would
// be written on and cut off by the next load.
CString FromAnsi(const CStringA& text) {
  CString result;
  int bytes = 0;
  while (bytes < text.GetLength() && text[bytes] != 0) ++bytes;
  if (bytes == 0) return result;
  const int length = MultiByteToWideChar(CP_THREAD_ACP, 0, text, bytes, nullptr, 0);
  if (length <= 0) return result;
  MultiByteToWideChar(CP_THREAD_ACP, 0, text, bytes, result.GetBuffer(length), length);
  result.ReleaseBuffer(length);
  return result;
}
}  // namespace

CString CVariant::GetString() const {
  DEF_TRY
  CString text;
  switch (m_type) {
    case typeBoolean: text = m_value.boolean != 0 ? _T("TRUE") : _T("FALSE"); break;
    case typeChar: text.Format(_T("%c"), static_cast<WCHAR>(static_cast<BYTE>(m_value.character))); break;
    case typeByte: text.Format(_T("%d"), static_cast<int>(m_value.byte)); break;
    case typeLong: text.Format(_T("%d"), static_cast<int>(m_value.longValue)); break;
    case typeInteger: text.Format(_T("%d"), m_value.integer); break;
    case typeFloat: text.Format(_T("%f"), static_cast<double>(m_value.floatValue)); break;
    case typeDouble: text.Format(_T("%f"), m_value.doubleValue); break;
    case typeString: text = FromAnsi(*m_value.ansi); break;
    case typeDateTime: {
      const SYSTEMTIME& t = *m_value.dateTime;
      text.Format(_T("%d:%d:%d %d:%d:%d"), t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
      break;
    }
    case typeBinary: text = _T("Binary data"); break;
    case typeUnicodeChar: text.Format(_T("%c"), m_value.unicodeChar); break;
    case typeUnicodeString: text = *m_value.unicode; break;
    default: break;
  }
  return text;
  DEF_CATCH("CVariant::GetString")
  return CString();
}

void CVariant::Serialize(CArchive& ar) {
  DEF_TRY
  if (ar.IsStoring()) {
    ar << static_cast<int32_t>(m_type);
    switch (m_type) {
      case typeBoolean:
      case typeLong:
      case typeFloat:
      case typeInteger: ar.Write(m_value.bytes, 4); break;
      case typeChar:
      case typeByte: ar.Write(m_value.bytes, 1); break;
      case typeDouble: ar.Write(m_value.bytes, 8); break;
      case typeString:
        ar << static_cast<int32_t>(m_value.ansi->GetLength());
        ar.Write(static_cast<LPCSTR>(*m_value.ansi), static_cast<UINT>(m_value.ansi->GetLength()));
        break;
      case typeDateTime: ar.Write(m_value.dateTime, sizeof(SYSTEMTIME)); break;
      case typeBinary: {
        const UINT count = static_cast<UINT>(m_value.binary->GetSize());
        ar << static_cast<int32_t>(count);
        if (count > 0) ar.Write(m_value.binary->GetData(), count);
        break;
      }
      case typeUnicodeString: WriteStringToArchive(ar, *m_value.unicode); break;
      default: break;  // NULL, UnicodeChar and unknown tags: the tag alone
    }
    return;
  }
  int32_t tag = 0;
  ar >> tag;
  switch (tag) {
    case typeNull:
    case typeBoolean:
    case typeChar:
    case typeByte:
    case typeLong:
    case typeFloat:
    case typeDouble:
    case typeInteger:
    case typeDateTime: {
      static const UINT kPayload[] = {0, 4, 1, 1, 4, 4, 8, 4, 0, sizeof(SYSTEMTIME)};
      SwitchTo(tag);
      if (tag == typeDateTime) ReadArchiveExact(ar, m_value.dateTime, sizeof(SYSTEMTIME));
      else if (kPayload[tag] > 0) ReadArchiveExact(ar, m_value.bytes, kPayload[tag]);
      break;
    }
    case typeBinary: {
      SwitchTo(typeBinary);
      uint32_t count = 0;
      ar >> count;
      CheckArchiveCount(ar, count, 1);
      m_value.binary->SetSize(static_cast<INT_PTR>(count));
      if (count > 0) ReadArchiveExact(ar, m_value.binary->GetData(), count);
      break;
    }
    case typeString: {
      // 8-bit text is kept as wide text from here on.
      SwitchTo(typeUnicodeString);
      uint32_t count = 0;
      ar >> count;
      CheckArchiveCount(ar, count, 1);
      CStringA bytes;
      if (count > 0) {
        ReadArchiveExact(ar, bytes.GetBuffer(static_cast<int>(count)), count);
        bytes.ReleaseBuffer(static_cast<int>(count));
      }
      *m_value.unicode = FromAnsi(bytes);
      break;
    }
    case typeUnicodeString:
      SwitchTo(typeUnicodeString);
      ReadStringFromArchive(ar, *m_value.unicode);
      break;
    default: break;  // UnicodeChar and unknown tags: nothing more is read, the value stays
  }
  DEF_CATCH_PASS_ARCHIVE("CVariant::Serialize")
}
