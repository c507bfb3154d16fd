// The program's tagged value: the content of every cell of a page data table, the value of an overlay
// object and the buffer of a database column. Stored in archives as an int32 tag and its payload.
#pragma once
#include "Framework.h"

#include <cstdint>

class CVariant : public CObject {
 public:
  enum Type {
    typeNull = 0,
    typeBoolean = 1,
    typeChar = 2,
    typeByte = 3,
    typeLong = 4,
    typeFloat = 5,
    typeDouble = 6,
    typeInteger = 7,
    typeString = 8,         // 8-bit text; comes back from an archive as a UnicodeString
    typeDateTime = 9,
    typeBinary = 10,
    typeUnicodeChar = 11,   // has no payload in archives
    typeUnicodeString = 12,
  };

  CVariant();
  CVariant(double value);
  CVariant(int value);
  CVariant(const CString& value);
  CVariant(const CVariant& source);
  // Moving hands the storage over without allocating, so the arrays of a table can grow even when
  // memory is short without losing values.
  CVariant(CVariant&& source) noexcept;
  ~CVariant() override;

  CVariant& operator=(double value);
  CVariant& operator=(int value);
  CVariant& operator=(LPCTSTR value);
  CVariant& operator=(const CVariant& source);
  CVariant& operator=(CVariant&& source) noexcept;

  // Switches the type: frees the storage of a heap type that is left, makes fresh storage for a heap
  // type that is entered. The same type keeps value and storage.
  void PreExchange(int newType);

  int GetType() const { return m_type; }
  // The value of a Double, else 0.0.
  double GetDoubleValue() const;

  // Each getter makes a NULL variant its own type and converts nothing: a scalar getter on another
  // scalar type views the same value bytes. The heap getters are for a NULL variant or their own type.
  LONG& GetLong();
  float& GetFloat();
  double& GetDouble();
  int& GetInteger();
  BYTE& GetByte();
  CStringA* GetAnsiString();
  CString* GetUnicodeString();
  SYSTEMTIME* GetDateTime();
  CByteArray* GetBinary();
  LPCTSTR GetUnicodeText();

  // The value as text ("TRUE", "%d", "%f", "Binary data", ...); empty for NULL.
  CString GetString() const;

  // Loading passes an archive or file exception on (after logging it): a bad count or a truncated
  // stream ends the load.
  void Serialize(CArchive& ar) override;

 private:
  static bool IsHeapType(int type);
  void EnterType(int type);
  void SwitchTo(int type);

  union Value {
    BYTE bytes[8];
    int32_t boolean;
    char character;
    BYTE byte;
    LONG longValue;
    float floatValue;
    double doubleValue;
    int integer;
    WCHAR unicodeChar;
    CStringA* ansi;
    CString* unicode;
    SYSTEMTIME* dateTime;
    CByteArray* binary;
  } m_value;
  int32_t m_type;
};
