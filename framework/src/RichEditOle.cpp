// Embedded objects of the rich-edit document: the container items, the OLE callback the view gives
// its control, and keeping the document's items in step with the objects of the text.
#include "fw/RichEdit.h"

#include "SingleInterface.h"

IMPLEMENT_DYNAMIC(CRichEditCntrItem, CObject)

namespace {

// A new compound-file storage in memory: where an object keeps its data while it is in the text
// (the text's stream carries it into the document's file).
HRESULT NewMemoryStorage(IStorage** storage) {
  *storage = nullptr;
  ILockBytes* bytes = nullptr;
  HRESULT hr = ::CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes);
  if (FAILED(hr)) return hr;
  hr = ::StgCreateDocfileOnILockBytes(bytes, STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE, 0, storage);
  bytes->Release();
  return hr;
}

template <class T>
void ReleaseAndClear(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

// An enhanced metafile offered as data, the one format a static picture object is made from.
class MetafileData final : public SingleInterface<IDataObject> {
 public:
  explicit MetafileData(HENHMETAFILE hemf)
      : SingleInterface(IID_IDataObject), m_hemf(::CopyEnhMetaFileW(hemf, nullptr)) {}
  ~MetafileData() override {
    if (m_hemf) ::DeleteEnhMetaFile(m_hemf);
  }
  BOOL IsValid() const { return m_hemf != nullptr; }

  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    medium->tymed = TYMED_ENHMF;
    medium->hEnhMetaFile = ::CopyEnhMetaFileW(m_hemf, nullptr);
    medium->pUnkForRelease = nullptr;
    return medium->hEnhMetaFile ? S_OK : E_OUTOFMEMORY;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* format) override {
    if (!format || format->cfFormat != CF_ENHMETAFILE) return DV_E_FORMATETC;
    return (format->tymed & TYMED_ENHMF) ? S_OK : DV_E_TYMED;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  HENHMETAFILE m_hemf;
};

}  // namespace

// What the control asks its container: storages for new objects, and whether it may take data.
// It needs nothing of the view. The view holds one reference; the control holds its own while the
// callback is set.
class CRichEditView::OleCallback final : public SingleInterface<IRichEditOleCallback> {
 public:
  OleCallback() : SingleInterface(IID_IRichEditOleCallback) {}

  STDMETHODIMP GetNewStorage(LPSTORAGE* lplpstg) override {
    if (!lplpstg) return E_INVALIDARG;
    return NewMemoryStorage(lplpstg);
  }
  // Objects are never activated in place.
  STDMETHODIMP GetInPlaceContext(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*, LPOLEINPLACEFRAMEINFO) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP ShowContainerUI(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP QueryInsertObject(LPCLSID, LPSTORAGE, LONG) override { return S_OK; }
  STDMETHODIMP DeleteObject(LPOLEOBJECT) override { return S_OK; }
  STDMETHODIMP QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) override { return S_OK; }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // The control's own clipboard data, drop effects and context menu.
  STDMETHODIMP GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetDragDropEffect(BOOL, DWORD, LPDWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU*) override { return E_NOTIMPL; }
};

void CRichEditView::AttachOle() {
  m_pOleCallback = new OleCallback;
  if (!SendMessage(EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(static_cast<IRichEditOleCallback*>(m_pOleCallback))))
    OutputDebugStringW(L"CRichEditView: the control takes no OLE callback\n");
  SendMessage(EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&m_lpRichEditOle));
}

void CRichEditView::DetachOle() {
  if (m_hWnd) SendMessage(EM_SETOLECALLBACK, 0, 0);
  if (m_pOleCallback) {
    m_pOleCallback->Release();
    m_pOleCallback = nullptr;
  }
  ReleaseAndClear(m_lpRichEditOle);
}

BOOL CRichEditView::InsertItem(CRichEditCntrItem* pItem) {
  if (!pItem || !pItem->m_lpObject || !m_lpRichEditOle) return FALSE;
  IOleClientSite* site = nullptr;
  if (FAILED(m_lpRichEditOle->GetClientSite(&site)) || !site) return FALSE;
  REOBJECT reo = {};
  reo.cbStruct = sizeof(reo);
  reo.cp = REO_CP_SELECTION;
  if (FAILED(pItem->m_lpObject->GetUserClassID(&reo.clsid))) reo.clsid = pItem->GetClassID();
  reo.poleobj = pItem->m_lpObject;
  reo.pstg = pItem->m_lpStorage;
  reo.polesite = site;
  // Without a size the control shows the object as nothing and stores it without one.
  const CSize extent = pItem->GetExtent();
  reo.sizel.cx = extent.cx;
  reo.sizel.cy = extent.cy;
  reo.dvaspect = pItem->GetDrawAspect();
  reo.dwFlags = REO_RESIZABLE;
  const HRESULT hr = m_lpRichEditOle->InsertObject(&reo);
  site->Release();
  if (FAILED(hr)) return FALSE;
  CRichEditDoc* doc = GetDocument();
  if (doc && pItem->GetDocument() != doc) doc->AddItem(pItem);
  if (doc) doc->SyncItems();
  SendMessage(EM_SETMODIFY, TRUE, 0);
  return TRUE;
}

CRichEditCntrItem* CRichEditView::GetSelectedItem() const {
  CRichEditDoc* doc = GetDocument();
  if (!doc || !m_lpRichEditOle) return nullptr;
  REOBJECT reo = {};
  reo.cbStruct = sizeof(reo);
  reo.cp = REO_CP_SELECTION;
  if (m_lpRichEditOle->GetObject(REO_IOB_SELECTION, &reo, REO_GETOBJ_POLEOBJ) != S_OK || !reo.poleobj) return nullptr;
  CRichEditCntrItem* found = nullptr;
  for (POSITION pos = doc->GetStartPosition(); pos && !found;) {
    CRichEditCntrItem* item = doc->GetNextItem(pos);
    if (item->m_lpObject == reo.poleobj) found = item;
  }
  reo.poleobj->Release();
  return found;
}

CRichEditCntrItem* CRichEditDoc::CreateClientItem(REOBJECT* preo) const {
  return new CRichEditCntrItem(preo, const_cast<CRichEditDoc*>(this));
}

CRichEditCntrItem* CRichEditDoc::GetNextItem(POSITION& pos) const {
  return static_cast<CRichEditCntrItem*>(m_docItemList.GetNext(pos));
}

void CRichEditDoc::AddItem(CRichEditCntrItem* pItem) {
  if (pItem->m_pDocument) pItem->m_pDocument->RemoveItem(pItem);
  pItem->m_pDocument = this;
  m_docItemList.AddTail(pItem);
}

void CRichEditDoc::RemoveItem(CRichEditCntrItem* pItem) {
  if (POSITION pos = m_docItemList.Find(pItem)) m_docItemList.RemoveAt(pos);
  pItem->m_pDocument = nullptr;
}

void CRichEditDoc::DeleteAllItems() {
  while (!m_docItemList.IsEmpty()) delete static_cast<CRichEditCntrItem*>(m_docItemList.GetHead());
}

void CRichEditDoc::SyncItems() {
  CRichEditView* view = GetView();
  IRichEditOle* ole = view ? view->GetRichEditOle() : nullptr;
  if (!ole) return;
  CObList seen;
  const LONG count = ole->GetObjectCount();
  for (LONG i = 0; i < count; ++i) {
    REOBJECT reo = {};
    reo.cbStruct = sizeof(reo);
    if (ole->GetObject(i, &reo, REO_GETOBJ_ALL_INTERFACES) != S_OK) continue;
    CRichEditCntrItem* item = nullptr;
    for (POSITION pos = GetStartPosition(); pos && !item;) {
      CRichEditCntrItem* candidate = GetNextItem(pos);
      if (reo.poleobj && candidate->m_lpObject == reo.poleobj) item = candidate;
    }
    if (item) {
      item->SyncToRichEditObject(reo);
    } else {
      item = CreateClientItem(&reo);
      // An item of a program's class made without its document joins it here.
      if (item && item->GetDocument() != this) AddItem(item);
    }
    if (item) seen.AddTail(item);
    if (reo.poleobj) reo.poleobj->Release();
    if (reo.pstg) reo.pstg->Release();
    if (reo.polesite) reo.polesite->Release();
  }
  for (POSITION pos = GetStartPosition(); pos;) {
    CRichEditCntrItem* item = GetNextItem(pos);
    if (!seen.Find(item)) delete item;
  }
}

CRichEditCntrItem::CRichEditCntrItem(REOBJECT* preo, CRichEditDoc* pContainer) {
  if (pContainer) pContainer->AddItem(this);
  if (preo) SyncToRichEditObject(*preo);
}

CRichEditCntrItem::~CRichEditCntrItem() {
  if (m_pDocument) m_pDocument->RemoveItem(this);
  ReleaseAndClear(m_lpObject);
  ReleaseAndClear(m_lpStorage);
}

void CRichEditCntrItem::SyncToRichEditObject(REOBJECT& reo) {
  if (reo.poleobj != m_lpObject) {
    if (reo.poleobj) reo.poleobj->AddRef();
    ReleaseAndClear(m_lpObject);
    m_lpObject = reo.poleobj;
  }
  if (reo.pstg != m_lpStorage) {
    if (reo.pstg) reo.pstg->AddRef();
    ReleaseAndClear(m_lpStorage);
    m_lpStorage = reo.pstg;
  }
  m_clsid = reo.clsid;
  if (reo.dvaspect) m_nDrawAspect = reo.dvaspect;
  if (reo.sizel.cx > 0 && reo.sizel.cy > 0) m_sizeExtent = CSize(reo.sizel.cx, reo.sizel.cy);
}

BOOL CRichEditCntrItem::CreateStaticFromData(IDataObject* pDataObject, OLERENDER render, CLIPFORMAT cfFormat,
                                             LPFORMATETC lpFormatEtc) {
  CRichEditView* view = m_pDocument ? m_pDocument->GetView() : nullptr;
  IRichEditOle* ole = view ? view->GetRichEditOle() : nullptr;
  if (!pDataObject || !ole || m_lpObject) return FALSE;
  FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_NULL};
  if (cfFormat == CF_ENHMETAFILE) format.tymed = TYMED_ENHMF;
  else if (cfFormat == CF_METAFILEPICT) format.tymed = TYMED_MFPICT;
  else if (cfFormat == CF_BITMAP) format.tymed = TYMED_GDI;
  else format.tymed = TYMED_HGLOBAL;
  if (lpFormatEtc) format = *lpFormatEtc;
  LPFORMATETC pFormat = (render == OLERENDER_FORMAT) ? &format : nullptr;
  IStorage* storage = nullptr;
  if (FAILED(NewMemoryStorage(&storage))) return FALSE;
  IOleClientSite* site = nullptr;
  ole->GetClientSite(&site);
  IOleObject* object = nullptr;
  const HRESULT hr = ::OleCreateStaticFromData(pDataObject, IID_IOleObject, render, pFormat, site, storage,
                                               reinterpret_cast<void**>(&object));
  if (site) site->Release();
  if (FAILED(hr) || !object) {
    storage->Release();
    return FALSE;
  }
  m_lpObject = object;
  m_lpStorage = storage;
  if (FAILED(object->GetUserClassID(&m_clsid))) m_clsid = CLSID_NULL;
  SIZEL size = {};
  if (SUCCEEDED(object->GetExtent(m_nDrawAspect, &size)) && size.cx > 0 && size.cy > 0)
    m_sizeExtent = CSize(size.cx, size.cy);
  return TRUE;
}

BOOL CRichEditCntrItem::CreateStaticFromEnhMetaFile(HENHMETAFILE hemf) {
  if (!hemf) return FALSE;
  MetafileData* data = new MetafileData(hemf);
  BOOL made = FALSE;
  if (data->IsValid()) made = CreateStaticFromData(data, OLERENDER_FORMAT, CF_ENHMETAFILE);
  data->Release();
  if (!made) return FALSE;
  // The frame of the metafile is its size in 0.01 mm, as the object's extent is.
  ENHMETAHEADER header = {};
  if (::GetEnhMetaFileHeader(hemf, sizeof(header), &header) >= sizeof(header)) {
    const LONG cx = header.rclFrame.right - header.rclFrame.left, cy = header.rclFrame.bottom - header.rclFrame.top;
    if (cx > 0 && cy > 0) m_sizeExtent = CSize(cx, cy);
  }
  return TRUE;
}

CSize CRichEditCntrItem::GetExtent() const {
  if (m_sizeExtent.cx > 0 && m_sizeExtent.cy > 0) return m_sizeExtent;
  SIZEL size = {};
  if (m_lpObject && SUCCEEDED(m_lpObject->GetExtent(m_nDrawAspect, &size))) return CSize(size.cx, size.cy);
  return CSize(0, 0);
}
