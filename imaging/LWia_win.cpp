#include "LWia.h"

#include <wia.h>

#include <string>
#include <vector>

#include "ImagingInternal.h"

using imaging_internal::Fail;

namespace {

// The WIA 1 device manager's class and the ids the acquisition uses, as the WIA headers publish them.
const CLSID kClsidWiaDevMgr = {0xa1f4e726, 0x8cf1, 0x11d1, {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11}};
const IID kIidWiaDevMgr = {0x5eb2502a, 0x8cf1, 0x11d1, {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11}};
const IID kIidWiaPropertyStorage = {0x98b5e8a0, 0x29cc, 0x491a, {0xaa, 0xc0, 0xe6, 0xdb, 0x4f, 0xdc, 0xce, 0xb6}};
const IID kIidWiaDataTransfer = {0xa6cef998, 0xa5b0, 0x11d2, {0xa0, 0x8f, 0x00, 0xc0, 0x4f, 0x72, 0xdc, 0x3c}};
const IID kIidWiaDataCallback = {0xa558a866, 0xa5b0, 0x11d2, {0xa0, 0x8f, 0x00, 0xc0, 0x4f, 0x72, 0xdc, 0x3c}};

constexpr PROPID kDevType = 5;              // WIA_DIP_DEV_TYPE
constexpr PROPID kDocumentHandlingSelect = 3088;
constexpr LONG kFeeder = 1;
constexpr PROPID kFormat = 4106;            // WIA_IPA_FORMAT
constexpr PROPID kTymed = 4108;             // WIA_IPA_TYMED
constexpr HRESULT kNoDevice = static_cast<HRESULT>(0x80210015);   // WIA_S_NO_DEVICE_AVAILABLE
constexpr HRESULT kPaperEmpty = static_cast<HRESULT>(0x80210003); // WIA_ERROR_PAPER_EMPTY

IWiaPropertyStorage* Storage(IWiaItem* item) {
  IWiaPropertyStorage* storage = nullptr;
  if (!item || FAILED(item->QueryInterface(kIidWiaPropertyStorage, reinterpret_cast<void**>(&storage)))) return nullptr;
  return storage;
}

HRESULT WriteProperty(IWiaItem* item, PROPID id, const PROPVARIANT& value) {
  IWiaPropertyStorage* storage = Storage(item);
  if (!storage) return E_NOINTERFACE;
  PROPSPEC spec = {};
  spec.ulKind = PRSPEC_PROPID;
  spec.propid = id;
  const HRESULT hr = storage->WriteMultiple(1, &spec, &value, 2);
  storage->Release();
  return hr;
}

// Reads one property; the caller clears the value.
HRESULT ReadProperty(IWiaItem* item, PROPID id, PROPVARIANT* value) {
  PropVariantInit(value);
  IWiaPropertyStorage* storage = Storage(item);
  if (!storage) return E_NOINTERFACE;
  PROPSPEC spec = {};
  spec.ulKind = PRSPEC_PROPID;
  spec.propid = id;
  const HRESULT hr = storage->ReadMultiple(1, &spec, value);
  storage->Release();
  return hr;
}

}  // namespace

// Receives the device's progress and, for memory transfers, the page's DIB bytes.
class LWiaCallbackSink : public IWiaDataCallback {
 public:
  LWiaCallbackSink(LWia* owner, LPCWSTR file) : m_owner(owner), m_file(file ? file : L"") {}
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == kIidWiaDataCallback) {
      *ppv = static_cast<IWiaDataCallback*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override { return --m_refs; }  // lives on the acquiring stack

  STDMETHODIMP BandedDataCallback(LONG lMessage, LONG, LONG lPercentComplete, LONG lOffset, LONG lLength, LONG,
                                  LONG, BYTE* pbBuffer) override {
    UINT flags = LWIA_CB_PROGRESS;
    if (lMessage == IT_MSG_DATA_HEADER) {
      m_dib.clear();
      flags |= LWIA_CB_NEW_ITEM;
    } else if (lMessage == IT_MSG_DATA && pbBuffer && lLength > 0 && lOffset >= 0) {
      const size_t end = static_cast<size_t>(lOffset) + static_cast<size_t>(lLength);
      if (end > (1u << 28)) return E_OUTOFMEMORY;
      if (m_dib.size() < end) m_dib.resize(end);
      memcpy(&m_dib[static_cast<size_t>(lOffset)], pbBuffer, static_cast<size_t>(lLength));
    } else if (lMessage == IT_MSG_TERMINATION) {
      return S_OK;
    }
    m_result = m_owner->ReportTransfer(nullptr, m_file.c_str(), lPercentComplete, flags);
    return m_result == SUCCESS ? S_OK : S_FALSE;
  }

  int Result() const { return m_result; }
  std::vector<BYTE>& Dib() { return m_dib; }

 private:
  LWia* m_owner;
  std::wstring m_file;
  ULONG m_refs = 1;
  int m_result = SUCCESS;
  std::vector<BYTE> m_dib;
};

LWia::LWia() = default;

LWia::~LWia() { EndSession(); }

BOOL LWia::IsAvailable(int nVersion) {
  if (nVersion != 1 && nVersion != 2) return FALSE;
  IWiaDevMgr* manager = nullptr;
  if (FAILED(CoCreateInstance(kClsidWiaDevMgr, nullptr, CLSCTX_ALL, kIidWiaDevMgr, reinterpret_cast<void**>(&manager))))
    return FALSE;
  manager->Release();
  return TRUE;
}

int LWia::InitSession(int nVersion) {
  if (m_pManager) return SUCCESS;
  // Both versions go through the WIA 1 interfaces, which every device manager offers.
  if (FAILED(CoCreateInstance(kClsidWiaDevMgr, nullptr, CLSCTX_ALL, kIidWiaDevMgr, reinterpret_cast<void**>(&m_pManager)))) {
    m_pManager = nullptr;
    return Fail(ERROR_WIA_FAILED, "LWia::InitSession");
  }
  m_version = nVersion;
  return SUCCESS;
}

int LWia::EndSession() {
  if (m_deviceId) SysFreeString(m_deviceId);
  m_deviceId = nullptr;
  if (m_pManager) m_pManager->Release();
  m_pManager = nullptr;
  return SUCCESS;
}

int LWia::SelectDevice(BOOL bShowDialog) {
  if (!m_pManager) return Fail(ERROR_WIA_FAILED, "LWia::SelectDevice");
  BSTR id = nullptr;
  const HRESULT hr = m_pManager->SelectDeviceDlgID(m_hWnd, 0 /* any type */, bShowDialog ? 1 : 0, &id);
  if (hr == S_FALSE) return LWIA_CANCELED;
  if (hr == kNoDevice) return ERROR_WIA_NO_DEVICES;
  if (FAILED(hr) || !id) return Fail(ERROR_WIA_FAILED, "LWia::SelectDevice");
  if (m_deviceId) SysFreeString(m_deviceId);
  m_deviceId = id;
  return SUCCESS;
}

int LWia::GetRootItem(pLWIAITEM* ppItem) {
  if (!ppItem) return Fail(ERROR_INV_PARAMETER, "LWia::GetRootItem");
  *ppItem = nullptr;
  if (!m_pManager || !m_deviceId) return Fail(ERROR_WIA_FAILED, "LWia::GetRootItem no device");
  if (FAILED(m_pManager->CreateDevice(m_deviceId, ppItem)) || !*ppItem) return Fail(ERROR_WIA_FAILED, "LWia::GetRootItem");
  return SUCCESS;
}

int LWia::GetSelectedDeviceType(LONG* pType) {
  if (!pType) return Fail(ERROR_INV_PARAMETER, "LWia::GetSelectedDeviceType");
  pLWIAITEM root = nullptr;
  int result = GetRootItem(&root);
  LONG type = 0;
  if (result == SUCCESS) result = GetPropertyLong(root, kDevType, &type);
  FreeItem(root);
  if (result == SUCCESS) *pType = HIWORD(type);  // the STI device type sits in the high word
  return result;
}

int LWia::EnumChildItems(pLWIAITEM pParent, HGLOBAL* phItems, int* pCount) {
  if (!pParent || !phItems || !pCount) return Fail(ERROR_INV_PARAMETER, "LWia::EnumChildItems");
  *phItems = nullptr;
  *pCount = 0;
  IEnumWiaItem* items = nullptr;
  if (FAILED(pParent->EnumChildItems(&items)) || !items) return Fail(ERROR_WIA_FAILED, "LWia::EnumChildItems");
  std::vector<IWiaItem*> found;
  IWiaItem* item = nullptr;
  ULONG got = 0;
  while (found.size() < 64 && items->Next(1, &item, &got) == S_OK && got == 1) found.push_back(item);
  items->Release();
  HGLOBAL block = GlobalAlloc(GHND, (found.size() + 1) * sizeof(IWiaItem*));
  if (!block) {
    for (IWiaItem* each : found) each->Release();
    return Fail(ERROR_NO_MEMORY, "LWia::EnumChildItems");
  }
  auto* array = static_cast<IWiaItem**>(GlobalLock(block));
  for (size_t i = 0; i < found.size(); ++i) array[i] = found[i];
  GlobalUnlock(block);
  *phItems = block;
  *pCount = static_cast<int>(found.size());
  return SUCCESS;
}

int LWia::FreeItem(pLWIAITEM pItem) {
  if (pItem) pItem->Release();
  return SUCCESS;
}

int LWia::SetPropertyLong(pLWIAITEM pItem, PROPID id, LONG value) {
  PROPVARIANT v;
  PropVariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return SUCCEEDED(WriteProperty(pItem, id, v)) ? SUCCESS : Fail(ERROR_WIA_FAILED, "LWia::SetPropertyLong");
}

int LWia::GetPropertyLong(pLWIAITEM pItem, PROPID id, LONG* pValue) {
  if (!pValue) return Fail(ERROR_INV_PARAMETER, "LWia::GetPropertyLong");
  PROPVARIANT v;
  const bool ok = ReadProperty(pItem, id, &v) == S_OK && (v.vt == VT_I4 || v.vt == VT_UI4);
  if (ok) *pValue = v.lVal;
  PropVariantClear(&v);
  return ok ? SUCCESS : Fail(ERROR_WIA_FAILED, "LWia::GetPropertyLong");
}

int LWia::GetPropertyGuid(pLWIAITEM pItem, PROPID id, GUID* pValue) {
  if (!pValue) return Fail(ERROR_INV_PARAMETER, "LWia::GetPropertyGuid");
  PROPVARIANT v;
  const bool ok = ReadProperty(pItem, id, &v) == S_OK && v.vt == VT_CLSID && v.puuid;
  if (ok) *pValue = *v.puuid;
  PropVariantClear(&v);
  return ok ? SUCCESS : Fail(ERROR_WIA_FAILED, "LWia::GetPropertyGuid");
}

int LWia::AcquireCallBack(pBITMAPHANDLE, LPCWSTR, int, UINT) { return SUCCESS; }

int LWia::ReportTransfer(pBITMAPHANDLE pBitmap, LPCWSTR pszFile, int nPercent, UINT uFlags) {
  return IsCallBackEnabled() ? AcquireCallBack(pBitmap, pszFile, nPercent, uFlags) : SUCCESS;
}

void LWia::FreeFileNames(int nCount, LPWSTR* pFiles) {
  if (!pFiles) return;
  for (int i = 0; i < nCount; ++i) CoTaskMemFree(pFiles[i]);
  CoTaskMemFree(pFiles);
}

int LWia::Acquire(UINT uFlags, pLWIAITEM pItem, const LWIAACQUIRESETTINGS* pSettings, int* pFileCount, LPWSTR** ppFiles) {
  if (!pSettings || pSettings->uStructSize != sizeof(LWIAACQUIRESETTINGS) || !pFileCount || !ppFiles)
    return Fail(ERROR_INV_PARAMETER, "LWia::Acquire");
  *pFileCount = 0;
  *ppFiles = nullptr;
  pLWIAITEM root = nullptr;
  int result = GetRootItem(&root);
  if (result != SUCCESS) return result;
  // The page source: the caller's item, else the device's first scan item.
  IWiaItem* source = (uFlags & LWIA_USE_ITEM) ? pItem : nullptr;
  HGLOBAL children = nullptr;
  int count = 0;
  if (!source) {
    result = EnumChildItems(root, &children, &count);
    if (result == SUCCESS && count > 0) source = static_cast<IWiaItem**>(GlobalLock(children))[0];
    if (result == SUCCESS && !source) result = Fail(ERROR_WIA_FAILED, "LWia::Acquire no item");
  }
  LONG handling = 0;
  const bool feeder = GetPropertyLong(root, kDocumentHandlingSelect, &handling) == SUCCESS && (handling & kFeeder);
  const bool toFile = pSettings->lTransferMode == LWIA_TRANSFER_FILE;
  IWiaDataTransfer* transfer = nullptr;
  if (result == SUCCESS && FAILED(source->QueryInterface(kIidWiaDataTransfer, reinterpret_cast<void**>(&transfer))))
    result = Fail(ERROR_WIA_FAILED, "LWia::Acquire transfer");
  if (result == SUCCESS) {
    PROPVARIANT v;
    PropVariantInit(&v);
    v.vt = VT_I4;
    v.lVal = toFile ? TYMED_FILE : TYMED_CALLBACK;
    WriteProperty(source, kTymed, v);
    GUID format = pSettings->guidFormat;
    v.vt = VT_CLSID;
    v.puuid = &format;
    WriteProperty(source, kFormat, v);
  }
  std::vector<LPWSTR> files;
  // A feeder hands over page after page until it is empty; the glass gives one page.
  for (int page = 0; result == SUCCESS; ++page) {
    std::wstring name = pSettings->szFileName;
    if (page > 0) {
      const size_t dot = name.find_last_of(L'.');
      const std::wstring suffix = L"_" + std::to_wstring(page);
      name = dot == std::wstring::npos ? name + suffix : name.substr(0, dot) + suffix + name.substr(dot);
    }
    LWiaCallbackSink sink(this, toFile ? name.c_str() : nullptr);
    HRESULT hr;
    if (toFile) {
      STGMEDIUM medium = {};
      medium.tymed = TYMED_FILE;
      std::vector<WCHAR> path(name.begin(), name.end());
      path.push_back(L'\0');
      medium.lpszFileName = path.data();
      hr = transfer->idtGetData(&medium, &sink);
      ReleaseStgMedium(&medium);
    } else {
      WIA_DATA_TRANSFER_INFO info = {};
      info.ulSize = sizeof info;
      info.ulBufferSize = 64 * 1024;
      hr = transfer->idtGetBandedData(&info, &sink);
    }
    if (page > 0 && hr == kPaperEmpty) break;
    if (sink.Result() != SUCCESS) {
      result = sink.Result();
      break;
    }
    if (hr != S_OK) {
      result = hr == S_FALSE ? ERROR_WIA_USER_ABORT : Fail(ERROR_WIA_FAILED, "LWia::Acquire page");
      break;
    }
    if (toFile) {
      const size_t bytes = (name.size() + 1) * sizeof(WCHAR);
      auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
      if (copy) memcpy(copy, name.c_str(), bytes);
      if (copy) files.push_back(copy);
    } else {
      LBitmapBase bitmap;
      std::vector<BYTE>& dib = sink.Dib();
      if (dib.size() < sizeof(BITMAPINFOHEADER) ||
          bitmap.ConvertFromDIB(reinterpret_cast<const BITMAPINFO*>(dib.data()), nullptr, dib.size()) != SUCCESS) {
        result = Fail(ERROR_WIA_FAILED, "LWia::Acquire page image");
        break;
      }
      result = ReportTransfer(bitmap.GetHandle(), nullptr, 100, LWIA_CB_PROGRESS);
    }
    if (!feeder) break;
  }
  if (transfer) transfer->Release();
  if (children) {
    auto* array = static_cast<IWiaItem**>(GlobalLock(children));
    for (int i = 0; i < count; ++i) FreeItem(array[i]);
    GlobalUnlock(children);
    GlobalUnlock(children);
    GlobalFree(children);
  }
  FreeItem(root);
  if (!files.empty()) {
    *ppFiles = static_cast<LPWSTR*>(CoTaskMemAlloc(files.size() * sizeof(LPWSTR)));
    if (*ppFiles) {
      for (size_t i = 0; i < files.size(); ++i) (*ppFiles)[i] = files[i];
      *pFileCount = static_cast<int>(files.size());
    } else {
      for (LPWSTR f : files) CoTaskMemFree(f);
    }
  }
  return result;
}
