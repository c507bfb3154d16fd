// Paper forms of the virtual printer: the driver's papers (DC_PAPERS, DC_PAPERNAMES) joined with the
// spooler's forms of the same names, the paper selected in the device mode, and user forms added to
// and deleted from the spooler.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vpd {

// Units 1 = millimetres, any other = inches; scale 1 = whole units, any other = thousandths. The
// pages use units 1 and scale 2, the spooler's own thousandths of a millimetre.
enum { unitsMillimetres = 1, unitsInches = 2 };
enum { scaleWhole = 1, scaleThousandths = 2 };

struct PaperForm {
  double width = 0;
  double length = 0;
  int32_t units = unitsMillimetres;
  int32_t scale = scaleThousandths;
  uint16_t paperId = 0;  // the driver's paper number from DC_PAPERS
  wchar_t name[33] = {};  // at most 32 characters
};

bool enumPaperIds(const wchar_t* printerName, std::vector<uint16_t>& ids);
// Names come in 64-character slots; a name that fills its slot is cut there.
bool enumPaperNames(const wchar_t* printerName, int& count, std::vector<std::wstring>& names);

bool enumPaperForms(const wchar_t* printerName, std::vector<PaperForm>& forms, int& count, int32_t units,
                    int32_t scale);
bool getPaperForm(const wchar_t* printerName, PaperForm& form, int32_t units, int32_t scale, bool printerWide);
bool setPaperForm(const wchar_t* printerName, const PaperForm& form, DEVMODEW* devmode, bool printerWide);

bool addPaperForm(const wchar_t* printerName, const PaperForm& form);
bool deletePaperForm(const wchar_t* printerName, const PaperForm& form);
bool enumFormInfo(const wchar_t* printerName, std::vector<FORM_INFO_1W>& forms, int& count,
                  std::vector<BYTE>& storage);

// The spooler form's size for a record: thousandths of a millimetre as integers.
SIZEL paperFormSizeInSpoolerUnits(const PaperForm& form);

}  // namespace vpd
