// A WIA device manager for the tests, registered under the WIA device manager's class id in the
// test prefix: one scanner whose flatbed and feeder "scan" the image files of the tests' settings
// (TestScannerSettings.h), through the WIA 1 interfaces a program meets (IWiaDevMgr, IWiaItem,
// IWiaPropertyStorage, IWiaDataTransfer), failing or cancelling at the page the settings name.
#include <windows.h>
#include <wia.h>

#include <map>
#include <string>
#include <vector>

#include "Imaging.h"
#include "TestScannerSettings.h"

namespace {

const CLSID kClsidWiaDevMgr = {0xa1f4e726, 0x8cf1, 0x11d1, {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11}};
const IID kIidWiaDevMgr = {0x5eb2502a, 0x8cf1, 0x11d1, {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11}};
const IID kIidWiaItem = {0x4db1ad10, 0x3391, 0x11d2, {0x9a, 0x33, 0x00, 0xc0, 0x4f, 0xa3, 0x61, 0x45}};
const IID kIidEnumWiaItem = {0x5e8383fc, 0x3391, 0x11d2, {0x9a, 0x33, 0x00, 0xc0, 0x4f, 0xa3, 0x61, 0x45}};
const IID kIidWiaPropertyStorage = {0x98b5e8a0, 0x29cc, 0x491a, {0xaa, 0xc0, 0xe6, 0xdb, 0x4f, 0xdc, 0xce, 0xb6}};
const IID kIidWiaDataTransfer = {0xa6cef998, 0xa5b0, 0x11d2, {0xa0, 0x8f, 0x00, 0xc0, 0x4f, 0x72, 0xdc, 0x3c}};
const GUID kFormatPng = {0xb96b3caf, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

constexpr HRESULT kNoDevice = static_cast<HRESULT>(0x80210015);
constexpr HRESULT kPaperEmpty = static_cast<HRESULT>(0x80210003);
constexpr HRESULT kGeneralError = static_cast<HRESULT>(0x80210001);
constexpr PROPID kDevType = 5, kCapabilities = 3086, kSelect = 3088, kFormat = 4106, kTymed = 4108;
constexpr LONG kFeeder = 1, kFlatbed = 2;

LONG g_objects = 0;
// The device's document handling choice outlives the item objects, as a device's state does.
LONG g_select = 0;

LONG Capabilities(const test_scanner::Settings& settings) {
  return (settings.feeder.empty() ? 0 : kFeeder) | (settings.flatbed.empty() ? 0 : kFlatbed);
}

template <class T>
class Unknown : public T {
 public:
  Unknown() { InterlockedIncrement(&g_objects); }
  virtual ~Unknown() { InterlockedDecrement(&g_objects); }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

 private:
  LONG refs_ = 1;
};

struct Session;

// The root item (the device) and its one scan item share the class; the scan item transfers.
class Item : public Unknown<IWiaItem>, public IWiaPropertyStorage, public IWiaDataTransfer {
 public:
  Item(Item* root) : root_(root) {
    if (root_) root_->AddRef();
    settings_ = test_scanner::ReadSettings();
    if (!root_ && g_select == 0) g_select = settings_.flatbed.empty() ? kFeeder : kFlatbed;
  }
  ~Item() override {
    if (root_) root_->Release();
  }
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == kIidWiaItem)
      *ppv = static_cast<IWiaItem*>(this);
    else if (riid == kIidWiaPropertyStorage)
      *ppv = static_cast<IWiaPropertyStorage*>(this);
    else if (riid == kIidWiaDataTransfer && root_)
      *ppv = static_cast<IWiaDataTransfer*>(this);
    else
      return *ppv = nullptr, E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return Unknown<IWiaItem>::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return Unknown<IWiaItem>::Release(); }

  // IWiaItem
  STDMETHODIMP GetItemType(LONG* type) override {
    *type = root_ ? (WiaItemTypeFile | WiaItemTypeImage) : (WiaItemTypeRoot | WiaItemTypeDevice | WiaItemTypeFolder);
    return S_OK;
  }
  STDMETHODIMP AnalyzeItem(LONG) override { return E_NOTIMPL; }
  STDMETHODIMP EnumChildItems(IEnumWiaItem** items) override;
  STDMETHODIMP DeleteItem(LONG) override { return E_NOTIMPL; }
  STDMETHODIMP CreateChildItem(LONG, BSTR, BSTR, IWiaItem**) override { return E_NOTIMPL; }
  STDMETHODIMP EnumRegisterEventInfo(LONG, const GUID*, IEnumWIA_DEV_CAPS**) override { return E_NOTIMPL; }
  STDMETHODIMP FindItemByName(LONG, BSTR, IWiaItem**) override { return E_NOTIMPL; }
  STDMETHODIMP DeviceDlg(HWND, LONG, LONG, LONG*, IWiaItem***) override { return E_NOTIMPL; }
  STDMETHODIMP DeviceCommand(LONG, const GUID*, IWiaItem**) override { return E_NOTIMPL; }
  STDMETHODIMP GetRootItem(IWiaItem** root) override {
    *root = root_ ? root_ : this;
    (*root)->AddRef();
    return S_OK;
  }
  STDMETHODIMP EnumDeviceCapabilities(LONG, IEnumWIA_DEV_CAPS**) override { return E_NOTIMPL; }
  STDMETHODIMP DumpItemData(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP DumpDrvItemData(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP DumpTreeItemData(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP Diagnostic(ULONG, BYTE*) override { return E_NOTIMPL; }

  // IWiaPropertyStorage: the few properties a program reads and writes.
  STDMETHODIMP ReadMultiple(ULONG count, const PROPSPEC specs[], PROPVARIANT values[]) override {
    for (ULONG i = 0; i < count; ++i) {
      PropVariantInit(&values[i]);
      if (specs[i].ulKind != PRSPEC_PROPID) return E_INVALIDARG;
      values[i].vt = VT_I4;
      switch (specs[i].propid) {
        case kDevType: values[i].lVal = MAKELONG(0, 1 /* scanner */); break;
        case kCapabilities: values[i].lVal = Capabilities(settings_); break;
        case kSelect: values[i].lVal = g_select; break;
        case kTymed: values[i].lVal = tymed_; break;
        default: values[i].vt = VT_EMPTY; return S_FALSE;
      }
    }
    return S_OK;
  }
  STDMETHODIMP WriteMultiple(ULONG count, const PROPSPEC specs[], const PROPVARIANT values[], PROPID) override {
    for (ULONG i = 0; i < count; ++i) {
      const PROPID id = specs[i].propid;
      if (id == kSelect && values[i].vt == VT_I4) {
        if ((values[i].lVal & Capabilities(settings_)) == 0) return E_INVALIDARG;
        g_select = values[i].lVal;
      } else if (id == kTymed && values[i].vt == VT_I4) {
        tymed_ = values[i].lVal;
      } else if (id == kFormat && values[i].vt == VT_CLSID && values[i].puuid) {
        format_ = *values[i].puuid;
      } else {
        return E_INVALIDARG;
      }
    }
    return S_OK;
  }
  STDMETHODIMP DeleteMultiple(ULONG, const PROPSPEC[]) override { return E_NOTIMPL; }
  STDMETHODIMP ReadPropertyNames(ULONG, const PROPID[], LPOLESTR[]) override { return E_NOTIMPL; }
  STDMETHODIMP WritePropertyNames(ULONG, const PROPID[], const LPOLESTR[]) override { return E_NOTIMPL; }
  STDMETHODIMP DeletePropertyNames(ULONG, const PROPID[]) override { return E_NOTIMPL; }
  STDMETHODIMP Commit(DWORD) override { return S_OK; }
  STDMETHODIMP Revert() override { return E_NOTIMPL; }
  STDMETHODIMP Enum(IEnumSTATPROPSTG**) override { return E_NOTIMPL; }
  STDMETHODIMP SetTimes(const FILETIME*, const FILETIME*, const FILETIME*) override { return E_NOTIMPL; }
  STDMETHODIMP SetClass(REFCLSID) override { return E_NOTIMPL; }
  STDMETHODIMP Stat(STATPROPSETSTG*) override { return E_NOTIMPL; }
  STDMETHODIMP GetPropertyAttributes(ULONG, PROPSPEC[], ULONG[], PROPVARIANT[]) override { return E_NOTIMPL; }
  STDMETHODIMP GetCount(ULONG* count) override {
    *count = root_ ? 2 : 3;
    return S_OK;
  }
  STDMETHODIMP GetPropertyStream(GUID*, IStream**) override { return E_NOTIMPL; }
  STDMETHODIMP SetPropertyStream(GUID*, IStream*) override { return E_NOTIMPL; }

  // IWiaDataTransfer: one page per call; the feeder reports "paper empty" after its last sheet.
  STDMETHODIMP idtGetData(LPSTGMEDIUM medium, IWiaDataCallback* callback) override {
    LBitmapBase image;
    const HRESULT page = NextPage(image, callback);
    if (page != S_OK) return page;
    if (!medium || medium->tymed != TYMED_FILE || !medium->lpszFileName) return E_INVALIDARG;
    const int format = IsEqualGUID(format_, kFormatPng) ? FILE_PNG : FILE_BMP;
    if (image.Save(medium->lpszFileName, format) != SUCCESS) return kGeneralError;
    return Report(callback, IT_MSG_TERMINATION, 100, 0, 0, nullptr);
  }
  STDMETHODIMP idtGetBandedData(PWIA_DATA_TRANSFER_INFO, IWiaDataCallback* callback) override {
    LBitmapBase image;
    const HRESULT page = NextPage(image, callback);
    if (page != S_OK) return page;
    HGLOBAL dib = image.ConvertToDIB();
    if (!dib) return E_OUTOFMEMORY;
    const LONG size = static_cast<LONG>(GlobalSize(dib));
    BYTE* bytes = static_cast<BYTE*>(GlobalLock(dib));
    HRESULT hr = Report(callback, IT_MSG_DATA_HEADER, 0, 0, 0, nullptr);
    const LONG band = 4096;
    for (LONG offset = 0; hr == S_OK && offset < size; offset += band) {
      const LONG length = size - offset < band ? size - offset : band;
      hr = Report(callback, IT_MSG_DATA, static_cast<LONG>((offset + length) * 100LL / size), offset, length,
                  bytes + offset);
    }
    GlobalUnlock(dib);
    GlobalFree(dib);
    if (hr == S_OK) hr = Report(callback, IT_MSG_TERMINATION, 100, 0, 0, nullptr);
    return hr;
  }
  STDMETHODIMP idtQueryGetData(WIA_FORMAT_INFO*) override { return S_OK; }
  STDMETHODIMP idtEnumWIA_FORMAT_INFO(IEnumWIA_FORMAT_INFO**) override { return E_NOTIMPL; }
  STDMETHODIMP idtGetExtendedTransferInfo(PWIA_EXTENDED_TRANSFER_INFO) override { return E_NOTIMPL; }

 private:
  static HRESULT Report(IWiaDataCallback* callback, LONG message, LONG percent, LONG offset, LONG length, BYTE* data) {
    if (!callback) return S_OK;
    const HRESULT hr = callback->BandedDataCallback(message, IT_STATUS_TRANSFER_TO_CLIENT, percent, offset, length, 0,
                                                    length, data);
    return hr == S_OK ? S_OK : S_FALSE;  // the program's S_FALSE cancels
  }

  // Loads the next page, reporting a scan that takes a little while; S_FALSE when the user cancels
  // at the device or through the callback.
  HRESULT NextPage(LBitmapBase& image, IWiaDataCallback* callback) {
    std::vector<std::wstring> pages;
    if (g_select & kFeeder)
      pages = settings_.feeder;
    else if (!settings_.flatbed.empty())
      pages.push_back(settings_.flatbed);
    size_t& next = root_->next_;
    if (next >= pages.size()) return (g_select & kFeeder) ? kPaperEmpty : kGeneralError;
    const DWORD number = static_cast<DWORD>(++next);
    for (int step = 1; step <= 5; ++step) {
      Sleep(20);
      if (Report(callback, IT_MSG_STATUS, step * 10, 0, 0, nullptr) != S_OK) return S_FALSE;
    }
    if (number == settings_.cancelAtPage) return S_FALSE;
    if (number == settings_.failAtPage) return kGeneralError;
    return image.Load(pages[number - 1].c_str()) == SUCCESS ? S_OK : kGeneralError;
  }

  Item* root_;
  test_scanner::Settings settings_;
  size_t next_ = 0;  // the root's: pages transferred in this session with the device
  LONG tymed_ = TYMED_FILE;
  GUID format_ = {};
};

class ItemEnum : public Unknown<IEnumWiaItem> {
 public:
  explicit ItemEnum(Item* child) : child_(child) {}
  ~ItemEnum() override { child_->Release(); }
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid != IID_IUnknown && riid != kIidEnumWiaItem) return *ppv = nullptr, E_NOINTERFACE;
    *ppv = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP Next(ULONG count, IWiaItem** items, ULONG* fetched) override {
    ULONG got = 0;
    if (count > 0 && !done_) {
      items[0] = child_;
      child_->AddRef();
      done_ = true;
      got = 1;
    }
    if (fetched) *fetched = got;
    return got == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG) override { return E_NOTIMPL; }
  STDMETHODIMP Reset() override {
    done_ = false;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumWiaItem**) override { return E_NOTIMPL; }
  STDMETHODIMP GetCount(ULONG* count) override {
    *count = 1;
    return S_OK;
  }

 private:
  Item* child_;
  bool done_ = false;
};

STDMETHODIMP Item::EnumChildItems(IEnumWiaItem** items) {
  if (root_) return E_INVALIDARG;
  *items = new ItemEnum(new Item(this));
  return S_OK;
}

const wchar_t kDeviceId[] = L"{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0000";

class DeviceManager : public Unknown<IWiaDevMgr> {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid != IID_IUnknown && riid != kIidWiaDevMgr) return *ppv = nullptr, E_NOINTERFACE;
    *ppv = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP EnumDeviceInfo(LONG, IEnumWIA_DEV_INFO**) override { return E_NOTIMPL; }
  STDMETHODIMP CreateDevice(BSTR id, IWiaItem** root) override {
    if (!id || wcscmp(id, kDeviceId) != 0) return E_INVALIDARG;
    *root = new Item(nullptr);
    return S_OK;
  }
  STDMETHODIMP SelectDeviceDlg(HWND parent, LONG type, LONG flags, BSTR* id, IWiaItem** root) override {
    const HRESULT hr = SelectDeviceDlgID(parent, type, flags, id);
    if (hr == S_OK && root) return CreateDevice(*id, root);
    return hr;
  }
  // One device: chosen without a dialog, as the system does for a single device. No image source
  // configured means no device.
  STDMETHODIMP SelectDeviceDlgID(HWND, LONG, LONG, BSTR* id) override {
    const test_scanner::Settings settings = test_scanner::ReadSettings();
    if (Capabilities(settings) == 0) return kNoDevice;
    *id = SysAllocString(kDeviceId);
    g_select = 0;
    return *id ? S_OK : E_OUTOFMEMORY;
  }
  STDMETHODIMP GetImageDlg(HWND, LONG, LONG, LONG, IWiaItem*, BSTR, GUID*) override { return E_NOTIMPL; }
  STDMETHODIMP RegisterEventCallbackProgram(LONG, BSTR, const GUID*, BSTR, BSTR, BSTR, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP RegisterEventCallbackInterface(LONG, BSTR, const GUID*, IWiaEventCallback*, IUnknown**) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP RegisterEventCallbackCLSID(LONG, BSTR, const GUID*, const GUID*, BSTR, BSTR, BSTR) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP AddDeviceDlg(HWND, LONG) override { return E_NOTIMPL; }
};

class Factory : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return *ppv = nullptr, E_NOINTERFACE;
    *ppv = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    DeviceManager* manager = new DeviceManager;
    const HRESULT hr = manager->QueryInterface(riid, ppv);
    manager->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
} g_factory;

}  // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
  if (clsid != kClsidWiaDevMgr) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, ppv);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return g_objects == 0 ? S_OK : S_FALSE; }
