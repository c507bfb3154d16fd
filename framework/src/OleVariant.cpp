#include "fw/OleVariant.h"

namespace {

void Check(HRESULT hr) {
  if (FAILED(hr)) AfxThrowOleException(hr);
}

void SetText(VARIANT* target, const wchar_t* text, UINT length) {
  target->vt = VT_BSTR;
  target->bstrVal = SysAllocStringLen(text, length);
  if (!target->bstrVal && (text || length)) AfxThrowMemoryException();
}

}  // namespace

COleVariant::COleVariant() {
  VariantInit(this);
}

COleVariant::COleVariant(const VARIANT& source) {
  VariantInit(this);
  Check(VariantCopy(this, const_cast<VARIANT*>(&source)));
}

COleVariant::COleVariant(const COleVariant& source) : COleVariant(static_cast<const VARIANT&>(source)) {}

COleVariant::COleVariant(COleVariant&& source) noexcept {
  *static_cast<VARIANT*>(this) = source;
  VariantInit(&source);
}

COleVariant::COleVariant(LPCWSTR text) {
  VariantInit(this);
  SetText(this, text, text ? static_cast<UINT>(wcslen(text)) : 0);
}

COleVariant::COleVariant(const CString& text) {
  VariantInit(this);
  SetText(this, text.GetString(), static_cast<UINT>(text.GetLength()));
}

COleVariant::COleVariant(double value) {
  VariantInit(this);
  vt = VT_R8;
  dblVal = value;
}

COleVariant::COleVariant(float value) {
  VariantInit(this);
  vt = VT_R4;
  fltVal = value;
}

COleVariant::COleVariant(long value, VARTYPE type) {
  VariantInit(this);
  switch (type) {
    case VT_BOOL:
      vt = VT_BOOL;
      boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case VT_ERROR:
      vt = VT_ERROR;
      scode = value;
      break;
    default:
      vt = VT_I4;
      lVal = value;
      break;
  }
}

COleVariant::COleVariant(int value, VARTYPE type) : COleVariant(static_cast<long>(value), type) {}

COleVariant::COleVariant(short value, VARTYPE type) {
  VariantInit(this);
  if (type == VT_BOOL) {
    vt = VT_BOOL;
    boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  } else {
    vt = VT_I2;
    iVal = value;
  }
}

COleVariant::COleVariant(BYTE value) {
  VariantInit(this);
  vt = VT_UI1;
  bVal = value;
}

COleVariant::~COleVariant() {
  VariantClear(this);
}

COleVariant& COleVariant::operator=(const VARIANT& source) {
  if (&source != this) Check(VariantCopy(this, const_cast<VARIANT*>(&source)));
  return *this;
}

COleVariant& COleVariant::operator=(const COleVariant& source) {
  return *this = static_cast<const VARIANT&>(source);
}

COleVariant& COleVariant::operator=(COleVariant&& source) noexcept {
  if (&source != this) {
    VariantClear(this);
    *static_cast<VARIANT*>(this) = source;
    VariantInit(&source);
  }
  return *this;
}

COleVariant& COleVariant::operator=(LPCWSTR text) {
  COleVariant value(text);
  return *this = std::move(value);
}

COleVariant& COleVariant::operator=(const CString& text) {
  COleVariant value(text);
  return *this = std::move(value);
}

COleVariant& COleVariant::operator=(double value) {
  Clear();
  vt = VT_R8;
  dblVal = value;
  return *this;
}

COleVariant& COleVariant::operator=(float value) {
  Clear();
  vt = VT_R4;
  fltVal = value;
  return *this;
}

COleVariant& COleVariant::operator=(long value) {
  Clear();
  vt = VT_I4;
  lVal = value;
  return *this;
}

COleVariant& COleVariant::operator=(int value) {
  return *this = static_cast<long>(value);
}

COleVariant& COleVariant::operator=(short value) {
  Clear();
  vt = VT_I2;
  iVal = value;
  return *this;
}

COleVariant& COleVariant::operator=(BYTE value) {
  Clear();
  vt = VT_UI1;
  bVal = value;
  return *this;
}

bool COleVariant::operator==(const VARIANT& other) const {
  if (vt != other.vt) return false;
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_BOOL: return boolVal == other.boolVal;
    case VT_UI1: return bVal == other.bVal;
    case VT_I2: return iVal == other.iVal;
    case VT_I4: return lVal == other.lVal;
    case VT_ERROR: return scode == other.scode;
    case VT_R4: return fltVal == other.fltVal;
    case VT_R8: return dblVal == other.dblVal;
    case VT_DATE: return date == other.date;
    case VT_CY: return cyVal.int64 == other.cyVal.int64;
    case VT_BSTR:
      return SysStringLen(bstrVal) == SysStringLen(other.bstrVal) &&
             wmemcmp(bstrVal ? bstrVal : L"", other.bstrVal ? other.bstrVal : L"", SysStringLen(bstrVal)) == 0;
    default: return VarCmp(const_cast<VARIANT*>(static_cast<const VARIANT*>(this)), const_cast<VARIANT*>(&other),
                           LOCALE_USER_DEFAULT, 0) == static_cast<HRESULT>(VARCMP_EQ);
  }
}

void COleVariant::Clear() {
  Check(VariantClear(this));
}

void COleVariant::ChangeType(VARTYPE type, LPVARIANT source) {
  if (!source) source = this;
  if (source == this && type == vt) return;
  Check(VariantChangeType(this, source, 0, type));
}

void COleVariant::Attach(VARIANT& source) {
  Clear();
  *static_cast<VARIANT*>(this) = source;
  VariantInit(&source);
}

VARIANT COleVariant::Detach() {
  VARIANT result = *this;
  VariantInit(this);
  return result;
}

CString AfxVariantToText(const VARIANT& value) {
  if (value.vt == VT_EMPTY || value.vt == VT_NULL) return CString();
  if (value.vt == VT_BSTR) return CString(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal)));
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR))) return CString();
  CString result(text.bstrVal, static_cast<int>(SysStringLen(text.bstrVal)));
  VariantClear(&text);
  return result;
}
