#include "paper.h"

#include <winspool.h>

#include <cwchar>

#include "source/vpd_devmode.h"
#include "vpd_log.h"

namespace vpd {

namespace {

const int paperNameSlot = 64;  // DC_PAPERNAMES writes one name per 64-character slot

bool failWith(DWORD error) {
  SetLastError(error);
  return false;
}

void copyName(wchar_t* target, size_t slots, const wchar_t* source) {
  wcsncpy(target, source, slots - 1);
  target[slots - 1] = L'\0';
}

// The spooler form of that name, or false when the spooler knows none.
bool getSpoolerForm(HANDLE printer, const wchar_t* name, std::vector<BYTE>& buffer) {
  DWORD needed = 0;
  buffer.assign(sizeof(FORM_INFO_1W) + 64 * sizeof(wchar_t), 0);
  if (GetFormW(printer, const_cast<wchar_t*>(name), 1, buffer.data(), static_cast<DWORD>(buffer.size()), &needed))
    return true;
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return false;
  buffer.assign(needed, 0);
  return GetFormW(printer, const_cast<wchar_t*>(name), 1, buffer.data(), needed, &needed) != FALSE;
}

// A size in tenths of a millimetre (the device mode's unit) in the units and scale of a list.
double fromTenths(short tenths, int32_t units, int32_t scale) {
  double value = tenths * (scale == scaleWhole ? 0.1 : 100.0);
  return units == unitsMillimetres ? value : value / 25.4;
}

}  // namespace

bool enumPaperIds(const wchar_t* printerName, std::vector<uint16_t>& ids) {
  const int count = DeviceCapabilitiesW(printerName, nullptr, DC_PAPERS, nullptr, nullptr);
  if (count <= 0) return failWith(count == 0 ? ERROR_NOT_SUPPORTED : GetLastError());
  std::vector<uint16_t> found(count, 0);
  const int written = DeviceCapabilitiesW(printerName, nullptr, DC_PAPERS, reinterpret_cast<wchar_t*>(found.data()), nullptr);
  if (written <= 0) return failWith(written == 0 ? ERROR_NOT_SUPPORTED : GetLastError());
  found.resize(written < count ? written : count);
  ids.swap(found);
  return true;
}

bool enumPaperNames(const wchar_t* printerName, int& count, std::vector<std::wstring>& names) {
  const int papers = DeviceCapabilitiesW(printerName, nullptr, DC_PAPERS, nullptr, nullptr);
  if (papers <= 0) return failWith(papers == 0 ? ERROR_NOT_SUPPORTED : GetLastError());
  std::vector<wchar_t> slots(static_cast<size_t>(papers) * paperNameSlot, L'\0');
  const int written = DeviceCapabilitiesW(printerName, nullptr, DC_PAPERNAMES, slots.data(), nullptr);
  if (written <= 0) return failWith(written == 0 ? ERROR_NOT_SUPPORTED : GetLastError());
  const int taken = written < papers ? written : papers;
  std::vector<std::wstring> found;
  for (int i = 0; i < taken; ++i) {
    const wchar_t* slot = slots.data() + static_cast<size_t>(i) * paperNameSlot;
    found.emplace_back(slot, wcsnlen(slot, paperNameSlot));
  }
  names.swap(found);
  count = taken;
  return true;
}

bool enumPaperForms(const wchar_t* printerName, std::vector<PaperForm>& forms, int& count, int32_t units,
                    int32_t scale) {
  PrinterHandle printer(printerName, PRINTER_ACCESS_USE);
  if (!printer.get()) return false;
  int nameCount = 0;
  std::vector<std::wstring> names;
  std::vector<uint16_t> ids;
  if (!enumPaperNames(printerName, nameCount, names) || !enumPaperIds(printerName, ids)) return false;
  // Names and ids come from two calls; only papers that both describe are listed.
  const size_t papers = names.size() < ids.size() ? names.size() : ids.size();
  std::vector<PaperForm> found(papers);
  const double divisor = scale == scaleWhole ? 1000.0 : 1.0;
  // The spooler counts thousandths of a millimetre; inches are that divided by 25.4.
  const double toUnits = units == unitsMillimetres ? 1.0 : 25.4;
  std::vector<BYTE> buffer;
  for (size_t i = 0; i < papers; ++i) {
    if (!getSpoolerForm(printer.get(), names[i].c_str(), buffer)) continue;  // unknown: stays fresh
    const FORM_INFO_1W* info = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
    PaperForm& form = found[i];
    copyName(form.name, _countof(form.name), names[i].c_str());
    form.paperId = ids[i];
    form.units = units;
    form.scale = scale;
    form.width = info->Size.cx / divisor / toUnits;
    form.length = info->Size.cy / divisor / toUnits;
  }
  forms.swap(found);
  count = static_cast<int>(forms.size());
  SetLastError(ERROR_SUCCESS);
  return true;
}

bool getPaperForm(const wchar_t* printerName, PaperForm& form, int32_t units, int32_t scale, bool printerWide) {
  Devmode fetched = fetchDevmode(printerName, printerWide);
  const DEVMODEW* devmode = devmodeOf(fetched);
  if (!devmode) return false;
  const DWORD fields = devmode->dmFields;
  if (!(fields & (DM_FORMNAME | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH))) return failWith(ERROR_INVALID_DATA);
  std::vector<PaperForm> forms;
  int count = 0;
  if (!enumPaperForms(printerName, forms, count, units, scale)) return false;
  wchar_t formName[CCHFORMNAME + 1] = {};
  copyName(formName, _countof(formName), devmode->dmFormName);
  const double length = fromTenths(devmode->dmPaperLength, units, scale);
  const double width = fromTenths(devmode->dmPaperWidth, units, scale);
  // Papers the spooler does not know as forms have no name and no size: they match nothing.
  auto known = [](const PaperForm& f) { return f.name[0] != L'\0'; };
  const PaperForm* match = nullptr;
  for (const PaperForm& f : forms)
    if (!match && known(f) && (fields & DM_FORMNAME) && wcscmp(f.name, formName) == 0) match = &f;
  for (const PaperForm& f : forms)
    if (!match && known(f) && (fields & DM_PAPERSIZE) && f.paperId == static_cast<uint16_t>(devmode->dmPaperSize))
      match = &f;
  for (const PaperForm& f : forms)
    if (!match && known(f) && (fields & (DM_PAPERLENGTH | DM_PAPERWIDTH)) && f.length == length && f.width == width)
      match = &f;
  if (!match) return failWith(ERROR_INVALID_FORM_NAME);
  form = *match;
  return true;
}

bool setPaperForm(const wchar_t* printerName, const PaperForm& form, DEVMODEW* given, bool printerWide) {
  std::vector<uint16_t> ids;
  std::vector<std::wstring> names;
  int count = 0;
  if (!enumPaperIds(printerName, ids) || !enumPaperNames(printerName, count, names)) return false;
  uint16_t paperId = 0;
  for (size_t i = 0; i < names.size() && i < ids.size() && paperId == 0; ++i)
    if (_wcsicmp(names[i].c_str(), form.name) == 0) paperId = ids[i];
  if (paperId == 0) return failWith(ERROR_INVALID_FORM_NAME);
  Devmode fetched;
  DEVMODEW* devmode = given;
  if (!devmode) {
    fetched = fetchDevmode(printerName, printerWide);
    devmode = devmodeOf(fetched);
  }
  if (!devmode) return false;
  const DWORD sizeFields = DM_PAPERLENGTH | DM_PAPERWIDTH;
  const DWORD present = devmode->dmFields & (DM_PAPERSIZE | DM_FORMNAME | sizeFields);
  if (present & DM_PAPERSIZE) devmode->dmPaperSize = static_cast<short>(paperId);
  if (present & DM_FORMNAME) copyName(devmode->dmFormName, CCHFORMNAME, form.name);
  if (present & sizeFields) {
    const double d = form.units == unitsMillimetres ? 1.0 : 25.4;
    const double e = form.scale == scaleWhole ? 0.1 : 100.0;
    devmode->dmPaperLength = static_cast<short>(d * form.length / e);
    devmode->dmPaperWidth = static_cast<short>(d * form.width / e);
  }
  devmode->dmFields = present;
  return setDevmode(printerName, devmode, printerWide ? 8 : 9);
}

SIZEL paperFormSizeInSpoolerUnits(const PaperForm& form) {
  double c = 1;
  if (form.units == unitsMillimetres) c = form.scale == scaleWhole ? 1000.0 : 1.0;
  else c = form.scale == scaleWhole ? 25400.0 : 25.4;
  return SIZEL{static_cast<LONG>(c * form.width), static_cast<LONG>(c * form.length)};
}

bool addPaperForm(const wchar_t* printerName, const PaperForm& form) {
  PrinterHandle printer(printerName, PRINTER_ACCESS_USE);
  if (!printer.get()) return false;
  FORM_INFO_1W info = {};
  info.Flags = FORM_USER;
  info.pName = const_cast<wchar_t*>(form.name);
  info.Size = paperFormSizeInSpoolerUnits(form);
  info.ImageableArea = RECTL{0, 0, info.Size.cx, info.Size.cy};
  return AddFormW(printer.get(), 1, reinterpret_cast<BYTE*>(&info)) != FALSE;
}

bool deletePaperForm(const wchar_t* printerName, const PaperForm& form) {
  PrinterHandle printer(printerName, PRINTER_ACCESS_USE);
  if (!printer.get()) return false;
  return DeleteFormW(printer.get(), const_cast<wchar_t*>(form.name)) != FALSE;
}

bool enumFormInfo(const wchar_t* printerName, std::vector<FORM_INFO_1W>& forms, int& count,
                  std::vector<BYTE>& storage) {
  PrinterHandle printer(printerName, PRINTER_ACCESS_USE);
  if (!printer.get()) return false;
  DWORD needed = 0, returned = 0;
  if (!EnumFormsW(printer.get(), 1, nullptr, 0, &needed, &returned) && GetLastError() != ERROR_INSUFFICIENT_BUFFER)
    return false;
  if (needed == 0) {
    forms.clear();
    storage.clear();
    count = 0;
    return true;
  }
  std::vector<BYTE> buffer(needed);
  if (!EnumFormsW(printer.get(), 1, buffer.data(), needed, &needed, &returned)) return false;
  const FORM_INFO_1W* first = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
  forms.assign(first, first + returned);
  storage.swap(buffer);
  count = static_cast<int>(returned);
  return true;
}

}  // namespace vpd
