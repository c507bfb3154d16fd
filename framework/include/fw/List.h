// Doubly linked lists walked by POSITION: CList and its typed and ready-made forms. The block size is
// only a hint; every node is its own allocation, so a POSITION stays valid until its node is removed.
#pragma once
#include "fw/CollectionTraits.h"
#include "fw/Exceptions.h"
#include "fw/Object.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
  struct Node {
    Node* next;
    Node* prev;
    TYPE data;
  };

 public:
  explicit CList(INT_PTR blockSize = 10) { (void)blockSize; }
  ~CList() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return Checked(m_pNodeHead)->data; }
  const TYPE& GetHead() const { return Checked(m_pNodeHead)->data; }
  TYPE& GetTail() { return Checked(m_pNodeTail)->data; }
  const TYPE& GetTail() const { return Checked(m_pNodeTail)->data; }

  TYPE RemoveHead() {
    Node* node = Checked(m_pNodeHead);
    TYPE value(node->data);
    Unlink(node);
    return value;
  }
  TYPE RemoveTail() {
    Node* node = Checked(m_pNodeTail);
    TYPE value(node->data);
    Unlink(node);
    return value;
  }
  POSITION AddHead(ARG_TYPE element) { return Link(element, nullptr, m_pNodeHead); }
  POSITION AddTail(ARG_TYPE element) { return Link(element, m_pNodeTail, nullptr); }
  void AddHead(const CList* other) {
    for (POSITION pos = other->GetTailPosition(); pos;) AddHead(other->GetPrev(pos));
  }
  void AddTail(const CList* other) {
    for (POSITION pos = other->GetHeadPosition(); pos;) AddTail(other->GetNext(pos));
  }
  void RemoveAll() {
    while (m_pNodeHead) Unlink(m_pNodeHead);
  }

  POSITION GetHeadPosition() const { return ToPosition(m_pNodeHead); }
  POSITION GetTailPosition() const { return ToPosition(m_pNodeTail); }
  // Returns the element at `pos` and moves `pos` on (to null after the last one).
  TYPE& GetNext(POSITION& pos) {
    Node* node = Checked(FromPosition(pos));
    pos = ToPosition(node->next);
    return node->data;
  }
  const TYPE& GetNext(POSITION& pos) const {
    Node* node = Checked(FromPosition(pos));
    pos = ToPosition(node->next);
    return node->data;
  }
  TYPE& GetPrev(POSITION& pos) {
    Node* node = Checked(FromPosition(pos));
    pos = ToPosition(node->prev);
    return node->data;
  }
  const TYPE& GetPrev(POSITION& pos) const {
    Node* node = Checked(FromPosition(pos));
    pos = ToPosition(node->prev);
    return node->data;
  }
  TYPE& GetAt(POSITION pos) { return Checked(FromPosition(pos))->data; }
  const TYPE& GetAt(POSITION pos) const { return Checked(FromPosition(pos))->data; }
  void SetAt(POSITION pos, ARG_TYPE element) { Checked(FromPosition(pos))->data = element; }
  void RemoveAt(POSITION pos) { Unlink(Checked(FromPosition(pos))); }

  // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
  POSITION InsertBefore(POSITION pos, ARG_TYPE element) {
    if (!pos) return AddHead(element);
    Node* node = FromPosition(pos);
    return Link(element, node->prev, node);
  }
  POSITION InsertAfter(POSITION pos, ARG_TYPE element) {
    if (!pos) return AddTail(element);
    Node* node = FromPosition(pos);
    return Link(element, node, node->next);
  }

  // The first match after `startAfter` (from the head when null), or null.
  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
    Node* node = startAfter ? FromPosition(startAfter)->next : m_pNodeHead;
    for (; node; node = node->next) {
      if (CompareElements<TYPE, std::remove_reference_t<ARG_TYPE>>(&node->data, &searchValue)) return ToPosition(node);
    }
    return nullptr;
  }
  POSITION FindIndex(INT_PTR index) const {
    if (index < 0 || index >= m_nCount) return nullptr;
    Node* node = m_pNodeHead;
    while (index--) node = node->next;
    return ToPosition(node);
  }

 private:
  static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
  static Node* FromPosition(POSITION pos) { return reinterpret_cast<Node*>(pos); }
  static Node* Checked(Node* node) {
    if (!node) AfxThrowInvalidArgException();
    return node;
  }
  POSITION Link(ARG_TYPE element, Node* prev, Node* next) {
    Node* node = new Node{next, prev, TYPE(element)};
    (prev ? prev->next : m_pNodeHead) = node;
    (next ? next->prev : m_pNodeTail) = node;
    ++m_nCount;
    return ToPosition(node);
  }
  void Unlink(Node* node) {
    (node->prev ? node->prev->next : m_pNodeHead) = node->next;
    (node->next ? node->next->prev : m_pNodeTail) = node->prev;
    --m_nCount;
    delete node;
  }

  Node* m_pNodeHead = nullptr;
  Node* m_pNodeTail = nullptr;
  INT_PTR m_nCount = 0;
};

// A typed view of a pointer list (CPtrList or CObList).
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
 public:
  explicit CTypedPtrList(INT_PTR blockSize = 10) : BASE_CLASS(blockSize) {}

  TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
  TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
  TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
  TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
  TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
  TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
  POSITION AddHead(TYPE element) { return BASE_CLASS::AddHead(element); }
  POSITION AddTail(TYPE element) { return BASE_CLASS::AddTail(element); }
  void AddHead(const CTypedPtrList* other) { BASE_CLASS::AddHead(other); }
  void AddTail(const CTypedPtrList* other) { BASE_CLASS::AddTail(other); }
  TYPE& GetNext(POSITION& pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(pos)); }
  TYPE GetNext(POSITION& pos) const { return static_cast<TYPE>(BASE_CLASS::GetNext(pos)); }
  TYPE& GetPrev(POSITION& pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(pos)); }
  TYPE GetPrev(POSITION& pos) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(pos)); }
  TYPE& GetAt(POSITION pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(pos)); }
  TYPE GetAt(POSITION pos) const { return static_cast<TYPE>(BASE_CLASS::GetAt(pos)); }
  void SetAt(POSITION pos, TYPE element) { BASE_CLASS::SetAt(pos, element); }
  POSITION InsertBefore(POSITION pos, TYPE element) { return BASE_CLASS::InsertBefore(pos, element); }
  POSITION InsertAfter(POSITION pos, TYPE element) { return BASE_CLASS::InsertAfter(pos, element); }
  POSITION Find(TYPE element, POSITION startAfter = nullptr) const { return BASE_CLASS::Find(element, startAfter); }
};

class CPtrList : public CList<void*, void*> {
 public:
  explicit CPtrList(INT_PTR blockSize = 10) : CList(blockSize) {}
};

class CObList : public CList<CObject*, CObject*> {
 public:
  explicit CObList(INT_PTR blockSize = 10) : CList(blockSize) {}
};

class CStringList : public CList<CString, const CString&> {
 public:
  explicit CStringList(INT_PTR blockSize = 10) : CList(blockSize) {}
};
