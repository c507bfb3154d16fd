// Imaging layer: the image dialogs (brightness, contrast, rotation), modal, with a preview of the
// bitmap they are given. Parameter records are fixed-size so both builds agree.
#pragma once
#include "LBitmapBase.h"

#include <cstdint>

// Set uStructSize to the record's size before passing it. Changes are tenths of a percent
// (-1000 .. 1000), angles hundredths of a degree, clockwise.
struct BRIGHTNESSDLGPARAMS {
  uint32_t uStructSize;
  int32_t nChange;
  uint32_t uDlgFlags;
  int32_t reserved[5];
};
static_assert(sizeof(BRIGHTNESSDLGPARAMS) == 32, "brightness parameters are 32 bytes");

struct CONTRASTDLGPARAMS {
  uint32_t uStructSize;
  int32_t nChange;
  uint32_t uDlgFlags;
  int32_t reserved[5];
};
static_assert(sizeof(CONTRASTDLGPARAMS) == 32, "contrast parameters are 32 bytes");

struct ROTATEDLGPARAMS {
  uint32_t uStructSize;
  int32_t nAngle;
  int32_t bResize;
  uint32_t crFill;
  uint32_t uDlgFlags;
  int32_t reserved[5];
};
static_assert(sizeof(ROTATEDLGPARAMS) == 40, "rotation parameters are 40 bytes");

class LDialogBase : public LBase {
 public:
  // Start-up and end of the dialogs; both only check and record the state, so any number of
  // dialog objects may call them.
  static int Initialize(UINT uFlags);
  static int Free();

  // The bitmap shown in the preview and, with auto-processing, changed on OK (not owned).
  int SetBitmap(LBitmapBase* pBitmap);
  LBitmapBase* GetBitmap() const { return m_pBitmap; }
  void EnablePreview(BOOL bEnable) { m_bPreview = bEnable; }
  void EnableAutoProcess(BOOL bEnable) { m_bAutoProcess = bEnable; }
  // The tool row under the preview (a button that returns to the value the dialog opened with).
  void EnableToolbar(BOOL bEnable) { m_bToolbar = bEnable; }
  BOOL IsPreviewEnabled() const { return m_bPreview; }
  BOOL IsAutoProcessEnabled() const { return m_bAutoProcess; }
  BOOL IsToolbarEnabled() const { return m_bToolbar; }

  enum class Kind { Brightness, Contrast, Rotate };

 protected:
  // Runs the dialog; value in and out; resize only for rotation. SUCCESS on OK.
  int RunModal(HWND hWndOwner, Kind kind, int& value, int& resize);

 private:
  LBitmapBase* m_pBitmap = nullptr;
  BOOL m_bPreview = TRUE;
  BOOL m_bAutoProcess = FALSE;
  BOOL m_bToolbar = FALSE;
};

class LDialogColor : public LDialogBase {
 public:
  int SetBrightnessParams(const BRIGHTNESSDLGPARAMS* pParams);
  int GetBrightnessParams(BRIGHTNESSDLGPARAMS* pParams) const;
  int SetContrastParams(const CONTRASTDLGPARAMS* pParams);
  int GetContrastParams(CONTRASTDLGPARAMS* pParams) const;
  // SUCCESS after OK, ERROR_DLG_CANCELED after Cancel, another code when it cannot be shown.
  int DoModalBrightness(HWND hWndOwner);
  int DoModalContrast(HWND hWndOwner);

 private:
  BRIGHTNESSDLGPARAMS m_Brightness = {sizeof(BRIGHTNESSDLGPARAMS), 0, 0, {}};
  CONTRASTDLGPARAMS m_Contrast = {sizeof(CONTRASTDLGPARAMS), 0, 0, {}};
};

class LDialogImage : public LDialogBase {
 public:
  int SetRotateParams(const ROTATEDLGPARAMS* pParams);
  int GetRotateParams(ROTATEDLGPARAMS* pParams) const;
  int DoModalRotate(HWND hWndOwner);

 private:
  ROTATEDLGPARAMS m_Rotate = {sizeof(ROTATEDLGPARAMS), 0, 1, 0xFFFFFF, 0, {}};
};
