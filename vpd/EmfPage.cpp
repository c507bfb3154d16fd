// EMF page: saving to EMF and the line normalization with its two widths.
#include <windows.h>
#include <commctrl.h>

#include "AddPropPages.h"
#include "resource.h"
#include "vpd_settings.h"

namespace vpd {

namespace {

vpd_internal::EmfSettings emf;
bool changed = false;
bool filling = false;

constexpr int widthChars = 3;

void load() {
  vpd_internal::loadEmfSettings(emf, vpd_internal::currentUser | vpd_internal::localMachine,
                                vpd_internal::rootKeyPath, L"");
}

bool saveEmf() { return vpd_internal::saveEmfSettings(emf, vpd_internal::currentUser, vpd_internal::rootKeyPath); }

void updateStates(HWND page) {
  const bool on = emf.enabled != 0;
  const bool widths = on && emf.normalizeLines != 0;
  enable(page, IDC_EMF_NORMALIZE, on);
  for (int id : {IDC_EMF_THIN_LABEL, IDC_EMF_THICK_LABEL, IDC_EMF_THIN_WIDTH, IDC_EMF_THICK_WIDTH})
    enable(page, id, widths);
}

void fillPage(HWND page) {
  filling = true;
  setChecked(page, IDC_EMF_ENABLE, emf.enabled != 0);
  setChecked(page, IDC_EMF_NORMALIZE, emf.normalizeLines != 0);
  setEditNumber(page, IDC_EMF_THIN_WIDTH, emf.thinLineWidth, false);
  setEditNumber(page, IDC_EMF_THICK_WIDTH, emf.thickLineWidth, false);
  updateStates(page);
  filling = false;
}

bool onCommand(HWND page, int id, int code) {
  if (filling) return false;
  switch (id) {
    case IDC_EMF_ENABLE:
    case IDC_EMF_NORMALIZE:
      if (code != BN_CLICKED) return false;
      emf.enabled = isChecked(page, IDC_EMF_ENABLE) ? 1 : 0;
      emf.normalizeLines = isChecked(page, IDC_EMF_NORMALIZE) ? 1 : 0;
      updateStates(page);
      markChanged(page, changed);
      return true;
    case IDC_EMF_THIN_WIDTH:
    case IDC_EMF_THICK_WIDTH:
      if (code != EN_CHANGE) return false;
      markChanged(page, changed);
      return true;
  }
  return false;
}

void takeEdits(HWND page) {
  if (!changed) return;
  emf.thinLineWidth = readEditNumber(page, IDC_EMF_THIN_WIDTH, widthChars);
  emf.thickLineWidth = readEditNumber(page, IDC_EMF_THICK_WIDTH, widthChars);
}

const SettingsPage settings = {&changed, load, fillPage, onCommand, takeEdits, saveEmf};

}  // namespace

INT_PTR CALLBACK EmfPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return settingsPageProcedure(settings, page, message, wParam, lParam);
}

}  // namespace vpd
