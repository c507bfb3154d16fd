// Hash maps with the framework's interface: CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>. Keys hash through
// HashKey<ARG_KEY> and compare through CompareElements (CollectionTraits.h). A walk starts with
// GetStartPosition and visits the buckets in order. The block size is only a hint.
#pragma once
#include "fw/CollectionTraits.h"
#include "fw/Exceptions.h"
#include "fw/Object.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
  struct Assoc {
    Assoc* next;
    UINT hash;
    KEY key;
    VALUE value;
  };

 public:
  explicit CMap(INT_PTR blockSize = 10) { (void)blockSize; }
  ~CMap() override {
    RemoveAll();
  }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }
  UINT GetHashTableSize() const { return m_nHashTableSize; }

  // Sets the bucket count (17 by default); only while the map is empty.
  void InitHashTable(UINT hashSize, BOOL allocateNow = TRUE) {
    ASSERT(m_nCount == 0);
    if (m_nCount != 0 || hashSize == 0) return;
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
    m_nHashTableSize = hashSize;
    if (allocateNow) m_pHashTable = new Assoc*[hashSize]();
  }

  BOOL Lookup(ARG_KEY key, VALUE& value) const {
    const Assoc* assoc = Find(key, HashKey<ARG_KEY>(key));
    if (!assoc) return FALSE;
    value = assoc->value;
    return TRUE;
  }
  // The value of `key`, added (value-initialised) when the map lacks it.
  VALUE& operator[](ARG_KEY key) {
    const UINT hash = HashKey<ARG_KEY>(key);
    if (Assoc* found = Find(key, hash)) return found->value;
    if (!m_pHashTable) InitHashTable(m_nHashTableSize);
    Assoc* assoc = new Assoc{m_pHashTable[hash % m_nHashTableSize], hash, KEY(key), VALUE()};
    m_pHashTable[hash % m_nHashTableSize] = assoc;
    ++m_nCount;
    return assoc->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
  BOOL RemoveKey(ARG_KEY key) {
    if (!m_pHashTable) return FALSE;
    const UINT hash = HashKey<ARG_KEY>(key);
    for (Assoc** link = &m_pHashTable[hash % m_nHashTableSize]; *link; link = &(*link)->next) {
      Assoc* assoc = *link;
      if (assoc->hash == hash && CompareElements<KEY, std::remove_reference_t<ARG_KEY>>(&assoc->key, &key)) {
        *link = assoc->next;
        delete assoc;
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    if (m_pHashTable) {
      for (UINT bucket = 0; bucket < m_nHashTableSize; ++bucket) {
        for (Assoc* assoc = m_pHashTable[bucket]; assoc;) {
          Assoc* next = assoc->next;
          delete assoc;
          assoc = next;
        }
      }
    }
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
    m_nCount = 0;
  }

  POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
  // Fills `key` and `value` with the entry at `pos` and moves `pos` on (to null after the last one).
  void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const {
    Assoc* assoc = reinterpret_cast<Assoc*>(pos);
    if (pos == BEFORE_START_POSITION) assoc = FirstFrom(0);
    if (!assoc) AfxThrowInvalidArgException();
    Assoc* next = assoc->next ? assoc->next : FirstFrom(assoc->hash % m_nHashTableSize + 1);
    pos = reinterpret_cast<POSITION>(next);
    key = assoc->key;
    value = assoc->value;
  }

 private:
  Assoc* Find(ARG_KEY key, UINT hash) const {
    if (!m_pHashTable) return nullptr;
    for (Assoc* assoc = m_pHashTable[hash % m_nHashTableSize]; assoc; assoc = assoc->next) {
      if (assoc->hash == hash && CompareElements<KEY, std::remove_reference_t<ARG_KEY>>(&assoc->key, &key)) return assoc;
    }
    return nullptr;
  }
  Assoc* FirstFrom(UINT bucket) const {
    for (; m_pHashTable && bucket < m_nHashTableSize; ++bucket) {
      if (m_pHashTable[bucket]) return m_pHashTable[bucket];
    }
    return nullptr;
  }

  Assoc** m_pHashTable = nullptr;
  UINT m_nHashTableSize = 17;
  INT_PTR m_nCount = 0;
};
