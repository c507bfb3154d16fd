// Paper size page and the New Paper Form dialog. Unlike the other pages this one changes the
// printer at once, on every selection, addition and deletion; its Apply only clears the flag.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "AddPropPages.h"
#include "Module.h"
#include "paper.h"
#include "resource.h"
#include "vpd_devmode.h"
#include "vpd_log.h"

namespace vpd {

namespace {

enum DisplayUnits { unitsMetric = 0, unitsEnglish = 1 };

int pageUnits = unitsMetric;
bool administrator = true;
bool pageChanged = false;

// The New Paper Form dialog's own state; on OK the new form is left here.
struct NewForm {
  int units = unitsMetric;
  wchar_t name[32] = {};
  double width = 0;   // thousandths of a millimetre
  double length = 0;
};
NewForm newForm;

constexpr size_t nameChars = 31;
constexpr double millimetresPerInch = 25.4;
constexpr double smallestMillimetres = 25;
constexpr double largestMillimetres = 5080;

// The user's measurement system; when the locale cannot be read the previous choice stays.
void readLocaleUnits(int& units) {
  wchar_t text[4] = L"";
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, text, _countof(text)) == 0) return;
  if (wcscmp(text, L"0") == 0) units = unitsMetric;
  else if (wcscmp(text, L"1") == 0) units = unitsEnglish;
}

void showUnitButtons(HWND dialog, int units) {
  setChecked(dialog, IDC_PAPER_METRIC, units == unitsMetric);
  setChecked(dialog, IDC_PAPER_ENGLISH, units == unitsEnglish);
}

void setNumber(HWND dialog, int id, double value) {
  wchar_t text[64];
  swprintf(text, _countof(text), L"%.2f", value);
  SetDlgItemTextW(dialog, id, text);
}

// Sizes arrive in thousandths of a millimetre.
void showSize(HWND page, const PaperForm& form) {
  const bool english = pageUnits == unitsEnglish;
  const double divisor = english ? 25400.0 : 1000.0;
  const wchar_t* unit = english ? L"in" : L"mm";
  SetDlgItemTextW(page, IDC_PAPER_WIDTH_UNIT, unit);
  SetDlgItemTextW(page, IDC_PAPER_LENGTH_UNIT, unit);
  setNumber(page, IDC_PAPER_WIDTH, form.width / divisor);
  setNumber(page, IDC_PAPER_LENGTH, form.length / divisor);
}

bool listPaperForms(std::vector<PaperForm>& forms) {
  int count = 0;
  return enumPaperForms(productWord, forms, count, unitsMillimetres, scaleThousandths);
}

bool sameForm(const PaperForm& a, const PaperForm& b) {
  return wcsncmp(a.name, b.name, 32) == 0 && a.width == b.width && a.length == b.length && a.units == b.units &&
         a.scale == b.scale;
}

bool isUserForm(const std::vector<FORM_INFO_1W>& spoolerForms, const wchar_t* name) {
  for (const FORM_INFO_1W& form : spoolerForms)
    if (form.pName && wcscmp(form.pName, name) == 0) return (form.Flags & FORM_USER) != 0;
  return false;
}

void logCurrentForm(const PaperForm& current) {
  std::wstring text = L"current paper form: ";
  text += current.name;
  char narrow[256] = "";
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow, sizeof(narrow) - 1, nullptr, nullptr);
  SetLastError(0);
  VPD_LOG_FAILURE(narrow);
}

LRESULT selectedIndex(HWND page) { return SendDlgItemMessageW(page, IDC_PAPER_FORM, CB_GETCURSEL, 0, 0); }

}  // namespace

void FillPapers(HWND page) {
  HWND list = GetDlgItem(page, IDC_PAPER_FORM);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  SetDlgItemTextW(page, IDC_PAPER_WIDTH, L"");
  SetDlgItemTextW(page, IDC_PAPER_LENGTH, L"");

  PaperForm current;
  const bool haveCurrent = getPaperForm(productWord, current, unitsMillimetres, scaleThousandths, false);
  if (!haveCurrent) VPD_LOG_FAILURE("FillPapers(): failed to vpd::getPaperForm()");
  logCurrentForm(current);
  SetLastError(0);

  std::vector<PaperForm> forms;
  if (!listPaperForms(forms)) VPD_LOG_FAILURE("FillPapers(): failed to vpd::enumPaperForms()");
  std::vector<FORM_INFO_1W> spoolerForms;
  std::vector<BYTE> storage;
  int spoolerCount = 0;
  if (!enumFormInfo(productWord, spoolerForms, spoolerCount, storage))
    VPD_LOG_FAILURE("FillPapers(): failed to vpd::enumFormInfo()");

  for (const PaperForm& form : forms) {
    const LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(form.name));
    // Without a current form a paper the spooler does not know (empty name, no size) would match.
    if (!haveCurrent || !sameForm(form, current)) continue;
    SendMessageW(list, CB_SETCURSEL, index, 0);
    showSize(page, form);
    enable(page, IDC_PAPER_DELETE, administrator && isUserForm(spoolerForms, form.name));
  }
}

namespace {

void onFormChosen(HWND page) {
  std::vector<PaperForm> forms;
  listPaperForms(forms);
  const LRESULT index = selectedIndex(page);
  if (index == CB_ERR || static_cast<size_t>(index) >= forms.size()) return;
  const PaperForm chosen = forms[index];
  if (!setPaperForm(productWord, chosen, nullptr, false)) {
    const DWORD error = GetLastError();
    wchar_t text[96];
    swprintf(text, _countof(text), L"Failed to change paper form, errcode: %u", static_cast<unsigned>(error));
    MessageBoxW(page, text, L"Error", MB_OK | MB_ICONERROR);
    VPD_LOG_FAILURE("PaperProc: failed to change paper form");
  }
  showSize(page, chosen);
  FillPapers(page);
  markChanged(page, pageChanged);
}

void onAdd(HWND page) {
  if (NewPaperFormDialog(page) != 1) return;
  PaperForm form;
  form.width = newForm.width;
  form.length = newForm.length;
  form.units = unitsMillimetres;
  form.scale = scaleThousandths;
  wcsncpy(form.name, newForm.name, nameChars);
  if (!addPaperForm(productWord, form)) showErrorBox(L"Failed to add new form.", 0, page);
  if (!setPaperForm(productWord, form, nullptr, false)) showErrorBox(L"Failed to set new form.", 0, page);
  FillPapers(page);
  markChanged(page, pageChanged);
}

void onDelete(HWND page) {
  const LRESULT index = selectedIndex(page);
  if (index == CB_ERR) return;
  std::vector<PaperForm> forms;
  listPaperForms(forms);
  if (static_cast<size_t>(index) >= forms.size()) return;
  deletePaperForm(productWord, forms[index]);
  listPaperForms(forms);
  if (!forms.empty()) {
    setPaperForm(productWord, forms.front(), nullptr, false);
    SendDlgItemMessageW(page, IDC_PAPER_FORM, CB_SETCURSEL, 0, 0);
    showSize(page, forms.front());
  }
  FillPapers(page);
  markChanged(page, pageChanged);
}

void onUnits(HWND page, int units) {
  pageUnits = units;
  showUnitButtons(page, units);
  const LRESULT index = selectedIndex(page);
  if (index == CB_ERR) return;
  std::vector<PaperForm> forms;
  listPaperForms(forms);
  if (static_cast<size_t>(index) < forms.size()) showSize(page, forms[index]);
}

void initPaperPage(HWND page) {
  readLocaleUnits(pageUnits);
  showUnitButtons(page, pageUnits);
  administrator = true;
  PrinterHandle printer(productWord, PRINTER_ACCESS_ADMINISTER);
  if (!printer.get()) administrator = false;
  enable(page, IDC_PAPER_ADD, administrator);
  enable(page, IDC_PAPER_DELETE, administrator);
  FillPapers(page);
  if (selectedIndex(page) == CB_ERR) SendDlgItemMessageW(page, IDC_PAPER_FORM, CB_SETCURSEL, 0, 0);
}

bool acceptApply() { return true; }

}  // namespace

INT_PTR CALLBACK PaperProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      pageChanged = false;
      initPaperPage(page);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDC_PAPER_FORM && code == CBN_SELCHANGE) onFormChosen(page);
      else if (id == IDC_PAPER_ADD && code == BN_CLICKED) onAdd(page);
      else if (id == IDC_PAPER_DELETE && code == BN_CLICKED) onDelete(page);
      else if (id == IDC_PAPER_METRIC && code == BN_CLICKED) onUnits(page, unitsMetric);
      else if (id == IDC_PAPER_ENGLISH && code == BN_CLICKED) onUnits(page, unitsEnglish);
      else return FALSE;
      return TRUE;
    }
    case WM_NOTIFY:
      return printerPageNotify(page, lParam, FillPapers, pageChanged, acceptApply);
  }
  return FALSE;
}

namespace {

// An edit's number; false for text that is not one.
bool readNumber(HWND dialog, int id, double& value) {
  wchar_t text[64] = L"";
  GetDlgItemTextW(dialog, id, text, _countof(text));
  wchar_t* end = nullptr;
  value = wcstod(text, &end);
  if (end == text) return false;
  while (*end == L' ') ++end;
  return *end == L'\0';
}

double inMillimetres(double value, int units) { return units == unitsEnglish ? value * millimetresPerInch : value; }

void showRanges(HWND dialog) {
  const bool english = newForm.units == unitsEnglish;
  wchar_t range[48];
  swprintf(range, _countof(range), english ? L"[1 ... %i]" : L"[25 ... %i]", english ? 200 : 5080);
  for (int id : {IDC_PAPER_WIDTH_RANGE, IDC_PAPER_LENGTH_RANGE}) SetDlgItemTextW(dialog, id, range);
  for (int id : {IDC_PAPER_WIDTH_UNIT, IDC_PAPER_LENGTH_UNIT}) SetDlgItemTextW(dialog, id, english ? L"in" : L"mm");
}

void validate(HWND dialog) {
  wchar_t name[64] = L"";
  GetDlgItemTextW(dialog, IDC_PAPER_NAME, name, _countof(name));
  bool valid = name[0] != L'\0';
  if (valid) {
    std::vector<PaperForm> forms;
    listPaperForms(forms);
    for (const PaperForm& form : forms)
      if (wcscmp(form.name, name) == 0) valid = false;
  }
  for (int id : {IDC_PAPER_WIDTH, IDC_PAPER_LENGTH}) {
    double value = 0;
    const double millimetres = readNumber(dialog, id, value) ? inMillimetres(value, newForm.units) : 0;
    if (!(millimetres >= smallestMillimetres && millimetres <= largestMillimetres)) valid = false;
  }
  enable(dialog, IDOK, valid);
}

void switchUnits(HWND dialog, int units) {
  if (units == newForm.units) return;
  for (int id : {IDC_PAPER_WIDTH, IDC_PAPER_LENGTH}) {
    double value = 0;
    // Text that is no number is left as typed; validation keeps OK off.
    if (readNumber(dialog, id, value))
      setNumber(dialog, id, units == unitsMetric ? value * millimetresPerInch : value / millimetresPerInch);
  }
  newForm.units = units;
  showUnitButtons(dialog, units);
  showRanges(dialog);
  validate(dialog);
}

void takeNewForm(HWND dialog) {
  newForm.name[0] = L'\0';
  GetDlgItemTextW(dialog, IDC_PAPER_NAME, newForm.name, static_cast<int>(nameChars + 1));
  double width = 0;
  double length = 0;
  readNumber(dialog, IDC_PAPER_WIDTH, width);
  readNumber(dialog, IDC_PAPER_LENGTH, length);
  const double factor = newForm.units == unitsEnglish ? 25400.0 : 1000.0;
  newForm.width = width * factor;
  newForm.length = length * factor;
}

INT_PTR CALLBACK newPaperFormProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextW(dialog, L"New Paper Form");
      SendDlgItemMessageW(dialog, IDC_PAPER_NAME, EM_LIMITTEXT, nameChars, 0);
      readLocaleUnits(newForm.units);
      showUnitButtons(dialog, newForm.units);
      showRanges(dialog);
      validate(dialog);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (code == EN_CHANGE && (id == IDC_PAPER_NAME || id == IDC_PAPER_WIDTH || id == IDC_PAPER_LENGTH)) {
        validate(dialog);
        return TRUE;
      }
      if (code == BN_CLICKED && (id == IDC_PAPER_METRIC || id == IDC_PAPER_ENGLISH)) {
        switchUnits(dialog, id == IDC_PAPER_METRIC ? unitsMetric : unitsEnglish);
        return TRUE;
      }
      if (id == IDOK && !IsWindowEnabled(GetDlgItem(dialog, IDOK))) return TRUE;  // Enter on an invalid form
      if (id == IDOK) {
        takeNewForm(dialog);
        EndDialog(dialog, 1);
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, 2);
        return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

}  // namespace

INT_PTR NewPaperFormDialog(HWND owner) {
  return DialogBoxParamW(moduleInstance(), MAKEINTRESOURCEW(IDD_NEW_PAPER_FORM), owner, newPaperFormProcedure, 0);
}

void newPaperForm(wchar_t (&name)[32], double& width, double& length) {
  wcsncpy(name, newForm.name, _countof(name));
  width = newForm.width;
  length = newForm.length;
}

}  // namespace vpd
