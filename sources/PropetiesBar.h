// The properties pane ("Properties"): a property grid over the style and field format of the
// selected objects, or of the frame's defaults for new objects. This part makes the pane and its grid
// and keeps the grid over the whole pane; the rows follow the selection through SetPropertyList.
#pragma once
#include "Framework.h"

#include "FieldProperties.h"
#include "ObjectStyle.h"

class CPropetiesBar : public CDockablePane {
 public:
  enum { kGridId = 2 };
  CPropetiesBar() = default;

  // What the pane is to show: the selection's field format, the style record (the frame's default
  // style, which the frame has just set) and the selection's object-kind bits (0: nothing selected).
  // The pane keeps them for its rows.
  void SetPropertyList(const _PROPERTIES& properties, const _OBJECT_STYLE* style, const int* kindMask);
  int GetKindMask() const { return m_kindMask; }
  const _PROPERTIES& GetShownProperties() const { return m_properties; }

  CMFCPropertyGridCtrl& GetGrid() { return m_grid; }
  // The grid fills the pane's client area; nothing before the window exists.
  void AdjustLayout();

 protected:
  // The grid's look: no header, the flat look, changed values marked.
  void InitPropList();
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  DECLARE_MESSAGE_MAP()

  CMFCPropertyGridCtrl m_grid;
  _PROPERTIES m_properties;
  _OBJECT_STYLE m_style = {};
  int m_kindMask = 0;
};
