// The paper formats page setup offers and the document matches page sizes against.
#pragma once
#include <windows.h>

struct PAPER_TABLE_ROW {
  double width;   // inches, portrait
  double height;
  int paperSize;  // DEVMODE paper size code; 256 for a user-defined size
  int reserved;
};

enum {
  kPaperCustom = 0,
  kPaperLetter = 1,
  kPaperA4 = 7,
  kPaperLastRow = 10,
  kPaperPrinterForm = 11,  // a named form of the printer that matches no row
  kPaperTableRows = 11
};

extern const PAPER_TABLE_ROW PaperTable[kPaperTableRows];
// The format list's entry of each row, in the same order.
extern const wchar_t* const PaperTableNames[kPaperTableRows];
