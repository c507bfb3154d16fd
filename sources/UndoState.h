// A snapshot of one overlay object's whole state: the object fills it in GetUndoState and takes it
// back in SetUndoState; the undo commands keep the snapshots before and after a change.
#pragma once
#include "Framework.h"

#include "FieldProperties.h"
#include "ObjectStyle.h"
#include "PageImage.h"

class CUndoState {
 public:
  CUndoState();
  CUndoState(const CUndoState& source);
  virtual ~CUndoState() = default;
  // Copies every member; the style block as bytes.
  CUndoState& operator=(const CUndoState& source);

  CStringList m_lines;  // a text object's lines
  int m_frozen;
  CString m_name;
  CString m_formula;    // a text object's formula
  int m_state1[4];      // class-specific (a text object: caret and position)
  _OBJECT_STYLE m_style;
  _PROPERTIES m_properties;
  RECT m_rect;          // in document units; the commands repaint from it
  int m_state2[4];      // class-specific
  LMyBitmap m_bitmap;   // an image object's picture; empty for the other classes
  int m_state3[7];      // class-specific (a text object: focused and selected in the last two)
};
