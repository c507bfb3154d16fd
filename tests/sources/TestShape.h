// A small overlay object of the tests' own, standing in for the object kinds: a filled rectangle with
// a record of version 2 (rect and colour after the record head) and object data of type 1.
#pragma once
#include "TranspBaseClass.h"

#include <cstdint>

#pragma pack(push, 4)
struct TEST_SHAPE_RECORD {
  TRANSP_RECORD_HEAD head;
  RECT rect;
  uint32_t color;
};
#pragma pack(pop)
static_assert(sizeof(TEST_SHAPE_RECORD) == 36, "the test shape's fixed structure is 36 bytes");

struct TEST_SHAPE_DATA {
  RECT rect;
  uint32_t color;
};

class CTestShape : public CTranspBaseClass {
 public:
  explicit CTestShape(CWnd* view = nullptr, int pageIndex = 0, int* alive = nullptr)
      : CTranspBaseClass(view, pageIndex), alive_(alive) {
    if (alive_ != nullptr) ++*alive_;
  }
  ~CTestShape() override {
    if (alive_ != nullptr) --*alive_;
  }

  void SetRect(int l, int t, int r, int b) { m_rect = {l, t, r, b}; }
  void SetColor(COLORREF color) { m_style.color = color; }
  COLORREF GetColor() const { return m_style.color; }
  void SetTracking(int tracking) { m_tracking = tracking; }

  void Serialize(CArchive& ar) override {
    TEST_SHAPE_RECORD record = {};
    if (ar.IsStoring()) {
      record.rect = m_rect;
      record.color = m_style.color;
      StoreRecordStructure(ar, sizeof(record) + 4, &record, sizeof(record), 2);
    } else {
      LoadRecordStructure(ar, &record, sizeof(record));
      m_rect = record.rect;
      m_style.color = record.color;
    }
  }

  RECT* GetAlignRect(RECT* out) override {
    *out = m_rect;
    return out;
  }
  void GetBoundsRect(RECT* out, int) override {
    *out = m_rect;
    UnitToPage(out);
    PageToClient(out);
  }
  void Draw(CDC* dc, int, POINT*) override {
    RECT r = m_rect;
    UnitToPage(&r);
    PageToView(&r);
    HBRUSH brush = ::CreateSolidBrush(m_style.color);
    ::FillRect(dc->GetSafeHdc(), &r, brush);
    ::DeleteObject(brush);
  }
  void MoveBy(int dx, int dy) override { ::OffsetRect(&m_rect, dx, dy); }
  HGLOBAL GetObData() override {
    TEST_SHAPE_DATA data = {m_rect, m_style.color};
    return NewObData(DATA_TYPE_RECTANGLE, 3, &data, sizeof(data));
  }
  // A text field for the commands that treat text fields apart.
  void SetKind(int kind) { kind_ = kind; }
  int GetObjectKind() override { return kind_; }

  CUndoState GetUndoState() override {
    CUndoState state;
    state.m_rect = m_rect;
    state.m_name = m_name;
    state.m_frozen = m_frozen;
    GetObjectStyle(&state.m_style);
    return state;
  }
  void SetUndoState(const CUndoState& state) override {
    m_rect = state.m_rect;
    m_name = state.m_name;
    m_frozen = state.m_frozen;
    m_style = state.m_style;
  }

 private:
  int* alive_;
  int kind_ = KIND_CLOSED_SHAPE;
};
