#include "fw/OleDataTransfer.h"

#include <shlobj.h>

#include "SingleInterface.h"

BOOL AFXAPI AfxOleInit() {
  static thread_local bool initialised = false;
  if (initialised) return TRUE;
  const HRESULT hr = ::OleInitialize(nullptr);
  if (FAILED(hr)) {
    OutputDebugStringW(L"AfxOleInit: OleInitialize failed\n");
    return FALSE;
  }
  initialised = true;
  return TRUE;
}

namespace {

HGLOBAL CopyGlobal(HGLOBAL source) {
  const SIZE_T size = ::GlobalSize(source);
  HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  const void* from = ::GlobalLock(source);
  void* to = ::GlobalLock(copy);
  if (from && to) memcpy(to, from, size);
  if (from) ::GlobalUnlock(source);
  if (to) ::GlobalUnlock(copy);
  if (!from || !to) {
    ::GlobalFree(copy);
    return nullptr;
  }
  return copy;
}

// The caller's format description with `format` as its clipboard format; by default the content as a
// global block.
FORMATETC FormatOf(CLIPFORMAT format, const FORMATETC* given) {
  FORMATETC result = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  if (given) result = *given;
  result.cfFormat = format;
  return result;
}

// Lists the formats of the source for IEnumFORMATETC.
class FormatEnumerator : public SingleInterface<IEnumFORMATETC> {
 public:
  explicit FormatEnumerator(std::vector<FORMATETC> formats, size_t at = 0)
      : SingleInterface(IID_IEnumFORMATETC), formats_(std::move(formats)), at_(at) {}
  STDMETHODIMP Next(ULONG count, FORMATETC* out, ULONG* fetched) override {
    ULONG n = 0;
    while (n < count && at_ < formats_.size()) out[n++] = formats_[at_++];
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    at_ += count;
    return at_ <= formats_.size() ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    at_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumFORMATETC** out) override {
    *out = new FormatEnumerator(formats_, at_);
    return S_OK;
  }

 private:
  std::vector<FORMATETC> formats_;
  size_t at_;
};

class DropSource : public SingleInterface<IDropSource> {
 public:
  DropSource() : SingleInterface(IID_IDropSource) {}
  STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keyState) override {
    if (escape || (keyState & MK_RBUTTON)) return DRAGDROP_S_CANCEL;
    return (keyState & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

// The data object: one global block per format. Its life follows COM references; the C++ source
// holds one of them.
class COleDataSource::DataObject : public SingleInterface<IDataObject> {
 public:
  struct Entry {
    FORMATETC format;
    HGLOBAL data;
  };
  DataObject() : SingleInterface(IID_IDataObject) {}
  ~DataObject() override { Empty(); }
  void Empty() {
    for (Entry& e : entries_) ::GlobalFree(e.data);
    entries_.clear();
  }
  void Add(const FORMATETC& format, HGLOBAL data) {
    for (Entry& e : entries_) {
      if (e.format.cfFormat == format.cfFormat) {
        ::GlobalFree(e.data);
        e = {format, data};
        return;
      }
    }
    entries_.push_back({format, data});
  }
  const Entry* Find(const FORMATETC* f) const {
    for (const Entry& e : entries_)
      if (e.format.cfFormat == f->cfFormat && (f->tymed & TYMED_HGLOBAL)) return &e;
    return nullptr;
  }

  STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM* medium) override {
    const Entry* e = f ? Find(f) : nullptr;
    if (!e) return DV_E_FORMATETC;
    HGLOBAL copy = CopyGlobal(e->data);
    if (!copy) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* f) override { return f && Find(f) ? S_OK : DV_E_FORMATETC; }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const Entry& e : entries_) formats.push_back(e.format);
    *out = new FormatEnumerator(std::move(formats));
    return S_OK;
  }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::vector<Entry> entries_;
};

COleDataSource::COleDataSource() : m_object(new DataObject) {}
COleDataSource::~COleDataSource() { m_object->Release(); }

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc) {
  if (!hGlobal) return;
  FORMATETC format = FormatOf(cfFormat, lpFormatEtc);
  format.tymed = TYMED_HGLOBAL;
  m_object->Add(format, hGlobal);
}

void COleDataSource::Empty() { m_object->Empty(); }

void COleDataSource::SetClipboard() {
  AfxOleInit();
  if (FAILED(::OleSetClipboard(m_object))) OutputDebugStringW(L"COleDataSource: OleSetClipboard failed\n");
  // The data must stay there after the program ends or the source goes away.
  ::OleFlushClipboard();
}

IDataObject* COleDataSource::GetDataObject() { return m_object; }

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT) {
  AfxOleInit();
  DropSource* source = new DropSource;
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = ::DoDragDrop(m_object, source, dwEffects, &effect);
  source->Release();
  return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

COleDataObject::COleDataObject() = default;
COleDataObject::~COleDataObject() { Release(); }

void COleDataObject::Attach(IDataObject* lpDataObject, BOOL bAutoRelease) {
  Release();
  m_lpDataObject = lpDataObject;
  m_bAutoRelease = bAutoRelease;
}
IDataObject* COleDataObject::Detach() {
  IDataObject* p = m_lpDataObject;
  m_lpDataObject = nullptr;
  return p;
}
void COleDataObject::Release() {
  if (m_lpDataObject && m_bAutoRelease) m_lpDataObject->Release();
  m_lpDataObject = nullptr;
}
BOOL COleDataObject::AttachClipboard() {
  AfxOleInit();
  IDataObject* clipboard = nullptr;
  if (FAILED(::OleGetClipboard(&clipboard)) || !clipboard) return FALSE;
  Attach(clipboard, TRUE);
  return TRUE;
}
BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (!m_lpDataObject) return FALSE;
  FORMATETC format = FormatOf(cfFormat, lpFormatEtc);
  return m_lpDataObject->QueryGetData(&format) == S_OK;
}
HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (!m_lpDataObject) return nullptr;
  FORMATETC format = FormatOf(cfFormat, lpFormatEtc);
  format.tymed = TYMED_HGLOBAL;
  STGMEDIUM medium = {};
  if (FAILED(m_lpDataObject->GetData(&format, &medium))) return nullptr;
  if (medium.tymed != TYMED_HGLOBAL) {
    ::ReleaseStgMedium(&medium);
    return nullptr;
  }
  // A medium owned by someone else is copied, so the caller always owns what it gets.
  HGLOBAL result = medium.pUnkForRelease ? CopyGlobal(medium.hGlobal) : medium.hGlobal;
  if (medium.pUnkForRelease) ::ReleaseStgMedium(&medium);
  return result;
}

// Windows calls this; it turns screen points into the window's client points and wraps the data.
class COleDropTarget::DropTarget : public SingleInterface<IDropTarget> {
 public:
  explicit DropTarget(COleDropTarget* owner) : SingleInterface(IID_IDropTarget), owner_(owner) {}
  STDMETHODIMP DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
    if (!owner_) return E_UNEXPECTED;
    if (current_) current_->Release();
    current_ = data;
    if (current_) current_->AddRef();
    COleDataObject wrapped;
    wrapped.Attach(current_, FALSE);
    *effect &= owner_->OnDragEnter(owner_->m_pWnd, &wrapped, keys, Client(pt));
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD keys, POINTL pt, DWORD* effect) override {
    if (!owner_) return E_UNEXPECTED;
    COleDataObject wrapped;
    wrapped.Attach(current_, FALSE);
    *effect &= owner_->OnDragOver(owner_->m_pWnd, &wrapped, keys, Client(pt));
    return S_OK;
  }
  STDMETHODIMP DragLeave() override {
    if (owner_) owner_->OnDragLeave(owner_->m_pWnd);
    Forget();
    return S_OK;
  }
  STDMETHODIMP Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
    if (!owner_) return E_UNEXPECTED;
    COleDataObject wrapped;
    wrapped.Attach(data, FALSE);
    const DROPEFFECT chosen = *effect & owner_->OnDragOver(owner_->m_pWnd, &wrapped, keys, Client(pt));
    *effect = (chosen != DROPEFFECT_NONE && owner_->OnDrop(owner_->m_pWnd, &wrapped, chosen, Client(pt)))
                  ? chosen
                  : DROPEFFECT_NONE;
    Forget();
    return S_OK;
  }
  void Detach() {
    owner_ = nullptr;
    Forget();
  }

 private:
  ~DropTarget() override { Forget(); }
  void Forget() {
    if (current_) current_->Release();
    current_ = nullptr;
  }
  CPoint Client(POINTL pt) const {
    CPoint p(pt.x, pt.y);
    if (owner_ && owner_->m_pWnd) owner_->m_pWnd->ScreenToClient(&p);
    return p;
  }
  COleDropTarget* owner_;
  IDataObject* current_ = nullptr;
};

COleDropTarget::COleDropTarget() : m_target(new DropTarget(this)) {}

COleDropTarget::~COleDropTarget() {
  Revoke();
  m_target->Detach();
  m_target->Release();
}

BOOL COleDropTarget::Register(CWnd* pWnd) {
  if (!pWnd || !pWnd->m_hWnd || !AfxOleInit()) return FALSE;
  Revoke();
  if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, m_target))) {
    OutputDebugStringW(L"COleDropTarget: RegisterDragDrop failed\n");
    return FALSE;
  }
  m_pWnd = pWnd;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (m_pWnd && m_pWnd->m_hWnd) ::RevokeDragDrop(m_pWnd->m_hWnd);
  m_pWnd = nullptr;
}

IDropTarget* COleDropTarget::GetDropTarget() { return m_target; }

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
