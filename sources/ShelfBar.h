// The shelf pane ("Shelf"): objects kept for reuse across documents and runs, one row each with an
// image of its kind. Each row's item data is the global block of the object's data, owned by the
// pane. The items are read from the shelf file when the pane is made and written back when it goes;
// objects are dragged from the shelf onto a page as object data, and objects, bitmaps and image files
// are dropped onto it.
#pragma once
#include "Framework.h"

#include "ShelfFile.h"

class CShelfBar;

// Passes dragging over and dropping on the pane's list to the pane.
class CMyOleDropTarget : public COleDropTarget {
 public:
  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
};

class CShelfBar : public CDockablePane {
 public:
  enum { kListId = 1 };
  CShelfBar() = default;
  ~CShelfBar() override;

  CListCtrl& GetList() { return m_list; }
  CImageList& GetImages() { return m_images; }
  // The list fills the pane's client area; nothing before the window exists.
  void AdjustLayout();

  // Appends an item (the pane takes `data`); a null `name` makes one from the object. FALSE (and
  // `data` freed) for data that is no object the shelf keeps, or a block whose name was not given.
  BOOL AddItem(HGLOBAL data, LPCTSTR name);
  static int GetItemType(HGLOBAL data);
  int GetItemCount(int type);
  BOOL HasSelection();
  // The item's object data and name (row order).
  CString GetItemName(int row) { return m_list.GetItemText(row, 0); }
  HGLOBAL GetItemData(int row) { return reinterpret_cast<HGLOBAL>(m_list.GetItemData(row)); }

  // The shelf file: loaded whole or not at all (a damaged file leaves the shelf empty and is not
  // written over until the shelf changes); written beside itself and then put in its place.
  void SetCollectionPath(const CString& path) { m_collectionPath = path; }
  const CString& GetCollectionPath() const { return m_collectionPath; }
  BOOL LoadCollection();
  BOOL SaveCollection();
  void FreeAllListItems();

  // The selected item: asked, then removed; renamed in place.
  void DeleteItem();
  void RenameItem();
  // Starts dragging the item of `row` out as object data (a copy; the shelf keeps it).
  DROPEFFECT DragItem(int row);

  // Dropping onto the list.
  DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
  void AddDIB(HGLOBAL dib);
  BOOL AddImageFile(const CString& path);

  // A generated name for a record of `type` with `data` (the text of a text object's first line).
  CString MakeItemName(HGLOBAL data);
  // The block-name question; tests replace it. Returns FALSE when the user cancelled.
  typedef BOOL (*BlockNamePrompt)(CWnd* parent, CString& name);
  static BlockNamePrompt SetBlockNamePrompt(BlockNamePrompt prompt);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnDropFiles(HDROP hDropInfo);
  afx_msg void OnBegindragCollectionbarListctrl(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnEndlabeleditCollectionbarListctrl(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnKeydownCollectionbarListctrl(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnRclickCollectionbarListctrl(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

  CListCtrl m_list;
  CImageList m_images;
  CString m_collectionPath;
  CMyOleDropTarget m_dropTarget;
  // The last load refused the file: it is kept as it is unless the shelf changes.
  BOOL m_loadRefused = FALSE;
  BOOL m_changed = FALSE;
};
