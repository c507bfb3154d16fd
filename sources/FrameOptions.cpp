#include "FrameOptions.h"

#include <cmath>
#include <cstdlib>

namespace {

bool InRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }
bool IsSwitch(int32_t value) { return value == 0 || value == 1; }

// Grid steps beyond ten inches (one million document units) cannot come from the options page.
using frame_settings::kMaxGridStep;
const int kFrameWidth = 940;
const int kFrameHeight = 700;

}  // namespace

_FRAME_OPTIONS DefaultFrameOptions() {
  _FRAME_OPTIONS o = {};
  o.maximizeDocument = 1;
  o.jpegQuality = 7;
  o.openFilterIndex = 2;
  // 14 points in document units of 0.00001 inch.
  o.gridX = 19444;
  o.gridY = 19444;
  o.explanatoryDocAtStartup = 1;
  o.transparencyColor = 0xFFFFFF00;
  o.paragraphMarksOff = 1;
  o.highlightFields = 1;
  o.highlightColor = 0x00F9EBDE;
  o.eraseSizeIndex = 6;
  o.textFieldHeaders = 1;
  return o;
}

_PDF_OPTIONS DefaultPdfOptions() {
  _PDF_OPTIONS o = {};
  o.imageCompression = 1;
  o.urlDetection = 1;
  o.launchViewer = 1;
  o.reserved24 = 1;
  return o;
}

_PDF_OPTIONS2 DefaultPdfOptions2() {
  _PDF_OPTIONS2 o = {};
  o.reserved0 = 1;
  o.fontEmbedding = 2;
  return o;
}

bool IsValidFrameOptions(const _FRAME_OPTIONS& o) {
  return IsSwitch(o.maximizeDocument) && InRange(o.unit, 0, 2) && InRange(o.tiffCompression, 0, 3) &&
         InRange(o.jpegQuality, 0, 8) && InRange(o.openFilterIndex, 0, 7) && InRange(o.gridX, 1, kMaxGridStep) &&
         InRange(o.gridY, 1, kMaxGridStep) && IsSwitch(o.snapToGrid) && IsSwitch(o.emptyDocAtStartup) &&
         IsSwitch(o.explanatoryDocAtStartup) && IsSwitch(o.pngTransparency) && IsSwitch(o.formModeAtStartup) &&
         IsSwitch(o.paragraphMarksOff) && IsSwitch(o.highlightFields) && (o.highlightColor & 0xFF000000u) == 0 &&
         InRange(o.eraseSizeIndex, 0, 9) && IsSwitch(o.textFieldHeaders);
}

bool IsValidPdfOptions(const _PDF_OPTIONS& o) {
  return InRange(o.docCompression, 0, 1) && InRange(o.pdfVersion, 0, 1) && InRange(o.imageCompression, 0, 4) &&
         IsSwitch(o.urlDetection) && IsSwitch(o.launchViewer) && InRange(o.pageLayout, 0, 3) &&
         InRange(o.pageMode, 0, 3) && IsSwitch(o.centerWindow) && IsSwitch(o.fitWindow) && IsSwitch(o.hideMenubar) &&
         IsSwitch(o.hideToolbars) && IsSwitch(o.hideWindowUI);
}

bool IsValidPdfOptions2(const _PDF_OPTIONS2& o) { return InRange(o.fontEmbedding, 0, 3); }

bool IsValidPropertiesRecord(const _PROPERTIES_RECORD& r) {
  return InRange(r.tabIndex, 0, 1000000) && InRange(r.formatCategory, 0, 3) && InRange(r.decimals, 0, 9) &&
         InRange(r.digitCount, 0, 9) && std::isfinite(r.value) && IsSwitch(r.grouping);
}

bool IsUsableTextStyle(const _OBJECT_STYLE& style) {
  bool terminated = false;
  for (WCHAR c : style.font.lfFaceName) terminated = terminated || c == 0;
  const LONG kMaxFontUnits = 100000;
  return terminated && std::labs(style.font.lfHeight) <= kMaxFontUnits && std::labs(style.font.lfWidth) <= kMaxFontUnits;
}

bool IsUsablePlacement(const WINDOWPLACEMENT& p, const RECT& workArea) {
  if (p.length != sizeof(WINDOWPLACEMENT)) return false;
  if (p.showCmd != SW_SHOWNORMAL && p.showCmd != SW_SHOWMAXIMIZED && p.showCmd != SW_SHOWMINIMIZED &&
      p.showCmd != SW_SHOW && p.showCmd != SW_RESTORE && p.showCmd != SW_SHOWMINNOACTIVE &&
      p.showCmd != SW_SHOWNA && p.showCmd != SW_SHOWNOACTIVATE)
    return false;
  const RECT& r = p.rcNormalPosition;
  if (r.right - r.left <= 0 || r.bottom - r.top <= 0) return false;
  RECT common;
  return ::IntersectRect(&common, &r, &workArea) != FALSE;
}

_PROPERTIES_RECORD ToPropertiesRecord(const _PROPERTIES& p) {
  _PROPERTIES_RECORD r = {};
  r.tabIndex = p.tabIndex;
  r.formatCategory = p.formatCategory;
  r.decimals = p.decimals;
  r.digitCount = p.fullNumberDecimals;
  r.value = p.value;
  r.grouping = p.grouping;
  return r;
}

void FromPropertiesRecord(const _PROPERTIES_RECORD& r, _PROPERTIES& p) {
  p.tabIndex = r.tabIndex;
  p.formatCategory = r.formatCategory;
  p.decimals = r.decimals;
  p.fullNumberDecimals = r.digitCount;
  p.value = r.value;
  p.grouping = r.grouping;
}

RECT DefaultFrameRect(const RECT& workArea) {
  const int width = workArea.right - workArea.left;
  const int height = workArea.bottom - workArea.top;
  const int x = kFrameWidth < width ? (width - kFrameWidth) / 2 : 0;
  const int y = kFrameHeight < height ? (height - kFrameHeight) / 2 : 0;
  return {x, y, x + kFrameWidth, y + kFrameHeight};
}
