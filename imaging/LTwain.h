// Scanning through the TWAIN data source manager (twain_32.dll): the session, the user's choice of
// a source, capabilities, and native (DIB) transfers handed page by page to BitmapCallBack.
#pragma once
#include "LBase.h"
#include "TwainDefs.h"

#include <string>

// Acquire flags.
enum : UINT {
  LTWAIN_NATIVE_XFER = 0x10,     // pages come as DIBs (the only transfer this layer offers)
  LTWAIN_KEEP_SOURCE = 0x40,     // the source stays open after the acquisition
  LTWAIN_HIDE_SOURCE_UI = 0x80,  // the source scans without showing its own dialog
};

class LTwain : public LBase {
 public:
  LTwain();
  ~LTwain() override;
  LTwain(const LTwain&) = delete;
  LTwain& operator=(const LTwain&) = delete;

  // Whether the data source manager can be loaded.
  static BOOL IsAvailable();
  // Opens the data source manager for the window that receives the sources' events (may be null).
  int InitSession(HWND hWnd);
  // Closes the open source and the data source manager.
  int EndSession();
  BOOL IsSessionOpen() const { return m_dsmOpen; }

  // The manager's source dialog; the chosen source is used from then on. ERROR_TWAIN_CANCELED
  // when the user cancels.
  int SelectSource();
  // The chosen source's product name, empty while the manager's default is used.
  const char* GetSourceName() const { return m_source.ProductName; }

  // Capabilities of the source (opened when needed). SetCapability sends the container;
  // GetCapability fills pCap->hContainer with a container that FreeContainer releases.
  int SetCapability(TW_CAPABILITY* pCap);
  int GetCapability(TW_CAPABILITY* pCap);
  static int FreeContainer(TW_CAPABILITY* pCap);
  // A one-value container of `itemType` holding `value`, for SetCapability.
  static int MakeOneValue(TW_CAPABILITY* pCap, TW_UINT16 capId, TW_UINT16 itemType, TW_UINT32 value);
  // The value of a one-value container.
  static int ReadOneValue(const TW_CAPABILITY* pCap, TW_UINT32* pValue);

  // Runs `nRequests` acquisitions: each enables the source and transfers every page it offers,
  // calling BitmapCallBack for each. A callback result other than SUCCESS ends the acquisition and
  // is returned. ERROR_TWAIN_CANCELED when the source reports the user's cancel,
  // ERROR_TWAIN_FAILED when it fails a transfer.
  int Acquire(class LBitmapBase* pParent, UINT uFlags, int nRequests = 1);

  // The factory that makes the TWAIN object of every bitmap (LBitmapBase::Twain); null restores
  // the plain LTwain.
  typedef LTwain* (*Factory)();
  static void SetFactory(Factory factory);
  static LTwain* Create();

 protected:
  // One page, while Acquire runs: the handle is the callback's to take (LBitmapBase::SetHandle);
  // whatever it leaves is freed afterwards. SUCCESS goes on to the next page.
  virtual int BitmapCallBack(pBITMAPHANDLE pBitmap);

 private:
  TW_UINT16 Dsm(TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
  int OpenSource();
  void CloseSource();
  // Transfers the pending pages; SUCCESS, or why it stopped.
  int TransferPages();
  int SourceFailure(const char* where);

  HMODULE m_hDsm = nullptr;
  DSMENTRYPROC m_entry = nullptr;
  HWND m_hWnd = nullptr;
  BOOL m_dsmOpen = FALSE;
  BOOL m_sourceOpen = FALSE;
  TW_IDENTITY m_app;
  TW_IDENTITY m_source;
};
