#include "UndoState.h"

#include <cstring>

CUndoState::CUndoState() : m_frozen(0), m_state1{}, m_rect{0, 0, 0, 0}, m_state2{}, m_state3{} {
  std::memset(&m_style, 0, sizeof(m_style));
}

CUndoState::CUndoState(const CUndoState& source) : CUndoState() {
  *this = source;
}

CUndoState& CUndoState::operator=(const CUndoState& source) {
  if (this == &source) return *this;
  m_lines.RemoveAll();
  for (POSITION pos = source.m_lines.GetHeadPosition(); pos != nullptr;) m_lines.AddTail(source.m_lines.GetNext(pos));
  m_frozen = source.m_frozen;
  m_name = source.m_name;
  m_formula = source.m_formula;
  std::memcpy(m_state1, source.m_state1, sizeof(m_state1));
  std::memcpy(&m_style, &source.m_style, sizeof(m_style));
  m_properties = source.m_properties;
  m_rect = source.m_rect;
  std::memcpy(m_state2, source.m_state2, sizeof(m_state2));
  if (source.m_bitmap.IsAllocated()) {
    m_bitmap.Copy(source.m_bitmap);
  } else {
    m_bitmap.Free();
  }
  std::memcpy(m_state3, source.m_state3, sizeof(m_state3));
  return *this;
}
