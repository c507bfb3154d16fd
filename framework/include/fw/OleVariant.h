// An OLE automation VARIANT that owns its contents. Text conversions follow the OLE conversion rules
// (VariantChangeType with the user's locale); a failed conversion throws COleException.
#pragma once

#include "fw/Exceptions.h"

#include <oleauto.h>

class FW_API COleVariant : public tagVARIANT {
 public:
  COleVariant();
  COleVariant(const VARIANT& source);
  COleVariant(const COleVariant& source);
  COleVariant(COleVariant&& source) noexcept;
  COleVariant(LPCWSTR text);
  COleVariant(const CString& text);
  COleVariant(double value);
  COleVariant(float value);
  // VT_I4, or VT_BOOL / VT_ERROR when `type` says so.
  COleVariant(long value, VARTYPE type = VT_I4);
  COleVariant(int value, VARTYPE type = VT_I4);
  COleVariant(short value, VARTYPE type = VT_I2);
  COleVariant(BYTE value);
  ~COleVariant();

  COleVariant& operator=(const VARIANT& source);
  COleVariant& operator=(const COleVariant& source);
  COleVariant& operator=(COleVariant&& source) noexcept;
  COleVariant& operator=(LPCWSTR text);
  COleVariant& operator=(const CString& text);
  COleVariant& operator=(double value);
  COleVariant& operator=(float value);
  COleVariant& operator=(long value);
  COleVariant& operator=(int value);
  COleVariant& operator=(short value);
  COleVariant& operator=(BYTE value);

  // Same type and same value (strings compared exactly).
  bool operator==(const VARIANT& other) const;
  bool operator!=(const VARIANT& other) const { return !(*this == other); }

  void Clear();
  // Converts in place, or converts `source` into this variant.
  void ChangeType(VARTYPE type, LPVARIANT source = nullptr);
  void Attach(VARIANT& source);
  VARIANT Detach();

  operator LPVARIANT() { return this; }
  operator const VARIANT*() const { return this; }
};

// The value as text by the OLE conversion rules; empty for VT_EMPTY and VT_NULL.
FW_API CString AfxVariantToText(const VARIANT& value);
