#include "PaperTable.h"

const PAPER_TABLE_ROW PaperTable[kPaperTableRows] = {
    {0, 0, DMPAPER_USER, 0},         {8.5, 11, DMPAPER_LETTER, 0},       {8.5, 14, DMPAPER_LEGAL, 0},
    {5.5, 8.5, DMPAPER_STATEMENT, 0}, {7.25, 10.5, DMPAPER_EXECUTIVE, 0}, {16.54, 23.39, DMPAPER_A2, 0},
    {11.69, 16.54, DMPAPER_A3, 0},    {8.27, 11.69, DMPAPER_A4, 0},       {5.83, 8.27, DMPAPER_A5, 0},
    {10.12, 14.33, DMPAPER_B4, 0},    {7.17, 10.12, DMPAPER_B5, 0},
};

const wchar_t* const PaperTableNames[kPaperTableRows] = {
    L"Custom", L"Letter", L"Legal", L"Statement", L"Executive", L"A2", L"A3", L"A4", L"A5", L"B4 (JIS)", L"B5 (JIS)",
};
