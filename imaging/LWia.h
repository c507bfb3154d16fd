// Scanning through Windows Image Acquisition: the device manager's interfaces (WIA 1: IWiaDevMgr,
// IWiaItem, IWiaPropertyStorage, IWiaDataTransfer), the user's device, its items and their
// properties, and acquisitions that report progress and deliver pages through AcquireCallBack.
#pragma once
#include "LBase.h"

#include <objbase.h>

struct IWiaDevMgr;
struct IWiaItem;
typedef IWiaItem* pLWIAITEM;

enum : int {
  LWIA_CANCELED = 101,  // the user closed a selection without choosing
};

// Transfer modes of an acquisition.
enum : LONG { LWIA_TRANSFER_MEMORY = 1, LWIA_TRANSFER_FILE = 2 };

// Acquire flags.
enum : UINT {
  LWIA_SHOW_DEVICE_DIALOG = 0x01,  // the device's own dialog chooses what to scan
  LWIA_SHOW_PROGRESS = 0x02,       // the caller shows the transfer's progress
  LWIA_USE_ITEM = 0x04,            // scan the item given (the caller chose it)
};

// AcquireCallBack flags.
enum : UINT {
  LWIA_CB_NEW_ITEM = 0x1,   // a page or file begins (its name is given)
  LWIA_CB_PROGRESS = 0x2,   // the percentage of the running transfer is given
};

// The user's WIA settings: the image format and how the pages come over.
struct LWIAOPTIONS {
  GUID* pFormat;        // null: the device's default (BMP)
  LONG lTransferMode;   // LWIA_TRANSFER_FILE or LWIA_TRANSFER_MEMORY
};

// What an acquisition asks for: 544 bytes, its size first.
struct LWIAACQUIRESETTINGS {
  UINT uStructSize;
  LONG lTransferMode;
  GUID guidFormat;
  WCHAR szFileName[MAX_PATH];  // file transfers: where the first page goes (further pages get _n)
};
static_assert(sizeof(LWIAACQUIRESETTINGS) == 544, "the acquisition settings block is 544 bytes");

class LWia : public LBase {
 public:
  LWia();
  ~LWia() override;
  LWia(const LWia&) = delete;
  LWia& operator=(const LWia&) = delete;

  void SetWindow(HWND hWnd) { m_hWnd = hWnd; }
  // Whether a WIA device manager of the version (1) can be created.
  BOOL IsAvailable(int nVersion);
  int InitSession(int nVersion);
  int EndSession();

  // The user's choice of a device (the device manager's own dialog when bShowDialog); SUCCESS,
  // LWIA_CANCELED, ERROR_WIA_NO_DEVICES or ERROR_WIA_FAILED.
  int SelectDevice(BOOL bShowDialog);
  // The selected device's type (1 scanner, 2 camera, 3 video).
  int GetSelectedDeviceType(LONG* pType);
  // The selected device's root item; release it with FreeItem.
  int GetRootItem(pLWIAITEM* ppItem);
  // The item's children in a global array of item pointers that the caller frees (FreeItem for
  // each, then GlobalFree).
  int EnumChildItems(pLWIAITEM pParent, HGLOBAL* phItems, int* pCount);
  static int FreeItem(pLWIAITEM pItem);
  static int SetPropertyLong(pLWIAITEM pItem, PROPID id, LONG value);
  static int GetPropertyLong(pLWIAITEM pItem, PROPID id, LONG* pValue);
  static int GetPropertyGuid(pLWIAITEM pItem, PROPID id, GUID* pValue);

  // Scans from pItem (LWIA_USE_ITEM) or the selected device's first child. File transfers return
  // the files' names in *ppFiles (CoTaskMemAlloc'd array of CoTaskMemAlloc'd strings, FreeFileNames);
  // memory transfers hand each page to AcquireCallBack. A callback result other than SUCCESS ends
  // the acquisition with it.
  int Acquire(UINT uFlags, pLWIAITEM pItem, const LWIAACQUIRESETTINGS* pSettings, int* pFileCount, LPWSTR** ppFiles);
  static void FreeFileNames(int nCount, LPWSTR* pFiles);

 protected:
  // Progress and pages while Acquire runs: pBitmap is null or a page to take (SetHandle), pszFile
  // the file being written, nPercent the transfer's progress.
  virtual int AcquireCallBack(pBITMAPHANDLE pBitmap, LPCWSTR pszFile, int nPercent, UINT uFlags);

 private:
  friend class LWiaCallbackSink;
  int ReportTransfer(pBITMAPHANDLE pBitmap, LPCWSTR pszFile, int nPercent, UINT uFlags);

  HWND m_hWnd = nullptr;
  int m_version = 0;
  IWiaDevMgr* m_pManager = nullptr;
  BSTR m_deviceId = nullptr;
};
