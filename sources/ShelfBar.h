// The shelf pane ("Shelf"): objects kept for reuse across documents, one row each in a list with an
// image of its kind. This part makes the pane, its list and the kinds' images, and keeps the list over
// the whole pane; the items and their file come with the shelf's own commands.
#pragma once
#include "Framework.h"

class CShelfBar : public CDockablePane {
 public:
  enum { kListId = 1 };
  CShelfBar() = default;

  CListCtrl& GetList() { return m_list; }
  CImageList& GetImages() { return m_images; }
  // The list fills the pane's client area; nothing before the window exists.
  void AdjustLayout();

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

  CListCtrl m_list;
  CImageList m_images;
};
