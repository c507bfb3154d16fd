// Data transfer through OLE: a data source offered on the clipboard or by drag and drop, a view
// of offered data, and a drop target for a window. Formats are clipboard format numbers, the
// registered ones included; data travels as global memory blocks.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <vector>

#include "fw/Wnd.h"

// What a drop does with the data: DROPEFFECT_COPY, _MOVE, _LINK or _NONE.
typedef DWORD DROPEFFECT;

// Initialises OLE for the calling thread (once); FALSE when it cannot.
FW_API BOOL AFXAPI AfxOleInit();

class FW_API COleDataSource : public CCmdTarget {
 public:
  COleDataSource();
  ~COleDataSource() override;
  // The source takes the block; it is freed with the source (or by the clipboard's user).
  void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
  void Empty();
  // Puts the data on the clipboard; the clipboard keeps the source alive from then on.
  void SetClipboard();
  // Runs the drag loop; returns the effect the target chose (DROPEFFECT_NONE when cancelled).
  DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE, LPCRECT lpRectStartDrag = nullptr);
  // The COM object behind the source (no reference added).
  IDataObject* GetDataObject();

 private:
  class DataObject;
  DataObject* m_object;
};

class FW_API COleDataObject {
 public:
  COleDataObject();
  ~COleDataObject();
  void Attach(IDataObject* lpDataObject, BOOL bAutoRelease = TRUE);
  IDataObject* Detach();
  void Release();
  BOOL AttachClipboard();
  BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
  // A copy of the data in a new global block the caller frees; null when the format is not there.
  HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);

 private:
  COleDataObject(const COleDataObject&) = delete;
  COleDataObject& operator=(const COleDataObject&) = delete;
  IDataObject* m_lpDataObject = nullptr;
  BOOL m_bAutoRelease = TRUE;
};

class FW_API COleDropTarget : public CCmdTarget {
 public:
  COleDropTarget();
  ~COleDropTarget() override;
  BOOL Register(CWnd* pWnd);
  void Revoke();
  // Points are in the client coordinates of the registered window.
  virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
  virtual void OnDragLeave(CWnd* pWnd);
  // The COM object Windows calls (no reference added).
  IDropTarget* GetDropTarget();

  CWnd* m_pWnd = nullptr;

 private:
  class DropTarget;
  DropTarget* m_target;
};
