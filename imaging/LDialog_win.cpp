// The image dialogs: one dialog procedure serves brightness, contrast and rotation; the kind
// decides the range, the operation of the preview and what OK applies.
#include "ImagingInternal.h"
#include "LDialog.h"
#include "LDialogsRes.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

using namespace imaging_internal;

namespace {

struct DialogState {
  LDialogBase::Kind kind;
  int value;  // tenths of a percent, or hundredths of a degree
  int initialValue;
  int resize;
  BOOL preview, toolbar;
  const LBitmapBase* source;
  LBitmapBase previewBase;    // the source scaled to fit the preview
  LBitmapBase previewResult;  // previewBase with the current value applied
  bool updating = false;      // the slider and the edit box set each other
};

// The control shows whole percent or degrees; the records keep finer units.
int UnitsPerStep(LDialogBase::Kind kind) { return kind == LDialogBase::Kind::Rotate ? 100 : 10; }
int StepRange(LDialogBase::Kind kind) { return kind == LDialogBase::Kind::Rotate ? 180 : 100; }

int Apply(LDialogBase::Kind kind, LBitmapBase& bitmap, int value, int resize) {
  switch (kind) {
    case LDialogBase::Kind::Brightness: return ChangeIntensityOf(bitmap, value);
    case LDialogBase::Kind::Contrast: return ChangeContrastOf(bitmap, value);
    case LDialogBase::Kind::Rotate: return bitmap.Rotate(value, resize, RGB(255, 255, 255));
  }
  return ERROR_INV_PARAMETER;
}

void UpdatePreview(HWND dlg, DialogState& s) {
  if (!s.previewBase.IsAllocated()) return;
  if (s.previewResult.Copy(s.previewBase) == SUCCESS) Apply(s.kind, s.previewResult, s.value, s.resize);
  InvalidateRect(GetDlgItem(dlg, IDC_L_PREVIEW), nullptr, FALSE);
}

void ShowValue(HWND dlg, DialogState& s) {
  s.updating = true;
  const int step = s.value / UnitsPerStep(s.kind);
  SendDlgItemMessageW(dlg, IDC_L_SLIDER, TBM_SETPOS, TRUE, step);
  SetDlgItemInt(dlg, IDC_L_VALUE, static_cast<UINT>(step), TRUE);
  s.updating = false;
}

void DrawPreview(const DRAWITEMSTRUCT& item, DialogState& s) {
  const RECT& r = item.rcItem;
  FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
  LBitmapBase& shown = s.previewResult.IsAllocated() ? s.previewResult : s.previewBase;
  if (!shown.IsAllocated()) return;
  // Fit inside the control, keeping the proportions, centred.
  const int cw = r.right - r.left, ch = r.bottom - r.top;
  const double scale = std::min(static_cast<double>(cw) / shown.GetWidth(), static_cast<double>(ch) / shown.GetHeight());
  const int w = std::max(1, static_cast<int>(shown.GetWidth() * scale)), h = std::max(1, static_cast<int>(shown.GetHeight() * scale));
  const RECT dst = {r.left + (cw - w) / 2, r.top + (ch - h) / 2, r.left + (cw - w) / 2 + w, r.top + (ch - h) / 2 + h};
  const RECT src = {0, 0, shown.GetWidth(), shown.GetHeight()};
  shown.SetSrcRect(&src);
  shown.SetDstRect(&dst);
  SetStretchBltMode(item.hDC, HALFTONE);
  shown.Paint()->SetDC(item.hDC);
  shown.Paint()->PaintDC(SRCCOPY);
}

void InitDialog(HWND dlg, DialogState& s) {
  const int range = StepRange(s.kind);
  SendDlgItemMessageW(dlg, IDC_L_SLIDER, TBM_SETRANGEMIN, FALSE, -range);
  SendDlgItemMessageW(dlg, IDC_L_SLIDER, TBM_SETRANGEMAX, TRUE, range);
  if (s.kind == LDialogBase::Kind::Rotate) CheckDlgButton(dlg, IDC_L_RESIZE, s.resize ? BST_CHECKED : BST_UNCHECKED);
  ShowWindow(GetDlgItem(dlg, IDC_L_RESET), s.toolbar ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(dlg, IDC_L_PREVIEW), s.preview ? SW_SHOW : SW_HIDE);
  if (s.preview && s.source && s.source->IsAllocated()) {
    RECT r;
    GetClientRect(GetDlgItem(dlg, IDC_L_PREVIEW), &r);
    const double scale = std::min({1.0, static_cast<double>(r.right) / s.source->GetWidth(),
                                   static_cast<double>(r.bottom) / s.source->GetHeight()});
    if (s.previewBase.Copy(*s.source) == SUCCESS && scale < 1.0)
      s.previewBase.SizeInterpolate(std::max(1, static_cast<int>(s.source->GetWidth() * scale)),
                                    std::max(1, static_cast<int>(s.source->GetHeight() * scale)), 17);
  }
  ShowValue(dlg, s);
  UpdatePreview(dlg, s);
}

INT_PTR CALLBACK ImageDialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dlg, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dlg, DWLP_USER, lParam);
      InitDialog(dlg, *reinterpret_cast<DialogState*>(lParam));
      return TRUE;
    case WM_HSCROLL:
      if (s && reinterpret_cast<HWND>(lParam) == GetDlgItem(dlg, IDC_L_SLIDER) && !s->updating) {
        s->value = static_cast<int>(SendDlgItemMessageW(dlg, IDC_L_SLIDER, TBM_GETPOS, 0, 0)) * UnitsPerStep(s->kind);
        ShowValue(dlg, *s);
        UpdatePreview(dlg, *s);
      }
      return TRUE;
    case WM_DRAWITEM:
      if (s && wParam == IDC_L_PREVIEW) {
        DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), *s);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND:
      if (!s) return FALSE;
      switch (LOWORD(wParam)) {
        case IDC_L_VALUE:
          if (HIWORD(wParam) == EN_CHANGE && !s->updating) {
            BOOL ok = FALSE;
            const int step = static_cast<int>(GetDlgItemInt(dlg, IDC_L_VALUE, &ok, TRUE));
            if (ok) {
              const int range = StepRange(s->kind);
              s->value = std::clamp(step, -range, range) * UnitsPerStep(s->kind);
              s->updating = true;
              SendDlgItemMessageW(dlg, IDC_L_SLIDER, TBM_SETPOS, TRUE, s->value / UnitsPerStep(s->kind));
              s->updating = false;
              UpdatePreview(dlg, *s);
            }
          }
          return TRUE;
        case IDC_L_RESIZE:
          s->resize = IsDlgButtonChecked(dlg, IDC_L_RESIZE) == BST_CHECKED;
          UpdatePreview(dlg, *s);
          return TRUE;
        case IDC_L_RESET:
          s->value = s->initialValue;
          ShowValue(dlg, *s);
          UpdatePreview(dlg, *s);
          return TRUE;
        case IDOK:
        case IDCANCEL:
          EndDialog(dlg, LOWORD(wParam));
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ImageDialogProc), &module);
  return module;
}

template <class Params>
int CheckSize(const Params* p) {
  return (p && p->uStructSize == sizeof(Params)) ? SUCCESS : Fail(ERROR_INV_PARAMETER, "dialog parameters");
}

// The Set...Params and Get...Params of the dialogs: the caller's record, when its size is right, is
// copied in or out.
template <class Params>
int TakeParams(Params& kept, const Params* given) {
  const int result = CheckSize(given);
  if (result == SUCCESS) kept = *given;
  return result;
}
template <class Params>
int GiveParams(const Params& kept, Params* wanted) {
  const int result = CheckSize(wanted);
  if (result == SUCCESS) *wanted = kept;
  return result;
}

}  // namespace

int LDialogBase::Initialize(UINT) {
  const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  return InitCommonControlsEx(&controls) ? SUCCESS : Fail(ERROR_DIALOG, "LDialogBase::Initialize");
}

int LDialogBase::Free() { return SUCCESS; }

int LDialogBase::SetBitmap(LBitmapBase* pBitmap) {
  m_pBitmap = pBitmap;
  return SUCCESS;
}

int LDialogBase::RunModal(HWND hWndOwner, Kind kind, int& value, int& resize) {
  int result = Initialize(0);
  if (result != SUCCESS) return result;
  DialogState state{kind, value, value, resize, m_bPreview, m_bToolbar, m_pBitmap, {}, {}};
  const int id = kind == Kind::Brightness ? IDD_L_BRIGHTNESS : kind == Kind::Contrast ? IDD_L_CONTRAST : IDD_L_ROTATE;
  const INT_PTR answer = DialogBoxParamW(ThisModule(), MAKEINTRESOURCEW(id), hWndOwner, ImageDialogProc,
                                         reinterpret_cast<LPARAM>(&state));
  if (answer == -1 || answer == 0) return Fail(ERROR_DIALOG, "image dialog");
  if (answer != IDOK) return ERROR_DLG_CANCELED;
  value = state.value;
  resize = state.resize;
  if (m_bAutoProcess && m_pBitmap && m_pBitmap->IsAllocated()) return Apply(kind, *m_pBitmap, value, resize);
  return SUCCESS;
}

int LDialogColor::SetBrightnessParams(const BRIGHTNESSDLGPARAMS* pParams) {
  return TakeParams(m_Brightness, pParams);
}

int LDialogColor::GetBrightnessParams(BRIGHTNESSDLGPARAMS* pParams) const {
  return GiveParams(m_Brightness, pParams);
}

int LDialogColor::SetContrastParams(const CONTRASTDLGPARAMS* pParams) {
  return TakeParams(m_Contrast, pParams);
}

int LDialogColor::GetContrastParams(CONTRASTDLGPARAMS* pParams) const {
  return GiveParams(m_Contrast, pParams);
}

int LDialogColor::DoModalBrightness(HWND hWndOwner) {
  int value = std::clamp(static_cast<int>(m_Brightness.nChange), -1000, 1000), unused = 0;
  const int result = RunModal(hWndOwner, Kind::Brightness, value, unused);
  if (result == SUCCESS) m_Brightness.nChange = value;
  return result;
}

int LDialogColor::DoModalContrast(HWND hWndOwner) {
  int value = std::clamp(static_cast<int>(m_Contrast.nChange), -1000, 1000), unused = 0;
  const int result = RunModal(hWndOwner, Kind::Contrast, value, unused);
  if (result == SUCCESS) m_Contrast.nChange = value;
  return result;
}

int LDialogImage::SetRotateParams(const ROTATEDLGPARAMS* pParams) {
  return TakeParams(m_Rotate, pParams);
}

int LDialogImage::GetRotateParams(ROTATEDLGPARAMS* pParams) const {
  return GiveParams(m_Rotate, pParams);
}

int LDialogImage::DoModalRotate(HWND hWndOwner) {
  int value = std::clamp(static_cast<int>(m_Rotate.nAngle), -18000, 18000), resize = m_Rotate.bResize;
  const int result = RunModal(hWndOwner, Kind::Rotate, value, resize);
  if (result == SUCCESS) {
    m_Rotate.nAngle = value;
    m_Rotate.bResize = resize;
  }
  return result;
}
