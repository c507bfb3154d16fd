// Growable arrays with the framework's interface: CArray and its typed and ready-made forms.
// The grow-by value is only a hint; elements move by their own move or copy constructors. A bad index
// throws CInvalidArgException.
#pragma once
#include <utility>
#include <vector>

#include "fw/CollectionTraits.h"
#include "fw/Exceptions.h"
#include "fw/Object.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  CArray() = default;

  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  // New elements are value-initialised (zero for plain types).
  void SetSize(INT_PTR newSize, INT_PTR growBy = -1) {
    if (growBy >= 0) m_nGrowBy = growBy;
    if (newSize < 0) AfxThrowInvalidArgException();
    m_data.resize(static_cast<size_t>(newSize));
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() { m_data.clear(); }

  const TYPE& GetAt(INT_PTR index) const { return m_data[Checked(index)]; }
  TYPE& GetAt(INT_PTR index) { return m_data[Checked(index)]; }
  void SetAt(INT_PTR index, ARG_TYPE element) { m_data[Checked(index)] = element; }
  const TYPE& ElementAt(INT_PTR index) const { return GetAt(index); }
  TYPE& ElementAt(INT_PTR index) { return GetAt(index); }
  const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
  TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
  const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
  TYPE& operator[](INT_PTR index) { return GetAt(index); }

  void SetAtGrow(INT_PTR index, ARG_TYPE element) {
    if (index < 0) AfxThrowInvalidArgException();
    TYPE copy(element);  // `element` may refer into this array, which growing moves
    if (index >= GetSize()) SetSize(index + 1);
    m_data[static_cast<size_t>(index)] = std::move(copy);
  }
  INT_PTR Add(ARG_TYPE element) {
    m_data.push_back(element);
    return GetSize() - 1;
  }
  // Returns the index of the first appended element.
  INT_PTR Append(const CArray& source) {
    const INT_PTR first = GetSize();
    if (&source == this) {
      std::vector<TYPE> copy(source.m_data);
      m_data.insert(m_data.end(), copy.begin(), copy.end());
    } else {
      m_data.insert(m_data.end(), source.m_data.begin(), source.m_data.end());
    }
    return first;
  }
  void Copy(const CArray& source) {
    if (&source != this) m_data = source.m_data;
  }
  // Inserting past the end grows the array first, as SetAtGrow would.
  void InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count = 1) {
    if (index < 0 || count < 0) AfxThrowInvalidArgException();
    if (count == 0) return;
    TYPE copy(element);  // `element` may refer into this array
    if (index >= GetSize()) SetSize(index);
    m_data.insert(m_data.begin() + index, static_cast<size_t>(count), copy);
  }
  void InsertAt(INT_PTR startIndex, const CArray* source) {
    if (!source || startIndex < 0) AfxThrowInvalidArgException();
    if (source->IsEmpty()) return;
    std::vector<TYPE> copy(source->m_data);
    if (startIndex >= GetSize()) SetSize(startIndex);
    m_data.insert(m_data.begin() + startIndex, copy.begin(), copy.end());
  }
  void RemoveAt(INT_PTR index, INT_PTR count = 1) {
    if (index < 0 || count < 0 || index + count > GetSize()) AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
  }

 protected:
  size_t Checked(INT_PTR index) const {
    if (index < 0 || index >= GetSize()) AfxThrowInvalidArgException();
    return static_cast<size_t>(index);
  }
  std::vector<TYPE> m_data;
  INT_PTR m_nGrowBy = 0;
};

// A typed view of a pointer array (CPtrArray or CObArray).
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
 public:
  TYPE GetAt(INT_PTR index) const { return static_cast<TYPE>(BASE_CLASS::GetAt(index)); }
  TYPE& ElementAt(INT_PTR index) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(index)); }
  void SetAt(INT_PTR index, TYPE element) { BASE_CLASS::SetAt(index, element); }
  void SetAtGrow(INT_PTR index, TYPE element) { BASE_CLASS::SetAtGrow(index, element); }
  INT_PTR Add(TYPE element) { return BASE_CLASS::Add(element); }
  INT_PTR Append(const CTypedPtrArray& source) { return BASE_CLASS::Append(source); }
  void Copy(const CTypedPtrArray& source) { BASE_CLASS::Copy(source); }
  void InsertAt(INT_PTR index, TYPE element, INT_PTR count = 1) { BASE_CLASS::InsertAt(index, element, count); }
  TYPE operator[](INT_PTR index) const { return GetAt(index); }
  TYPE& operator[](INT_PTR index) { return ElementAt(index); }
};

class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};
class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CStringArray : public CArray<CString, const CString&> {};
