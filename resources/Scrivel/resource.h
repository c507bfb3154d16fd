// Resource identifiers of Scrivel: the one list, shared by its language scripts and its code.
#pragma once

// Menu, accelerators and the document template's string.
#define IDR_MAINFRAME                   128
#define IDR_POPUP_EDIT                  119

// Messages.
#define IDP_OLE_INIT_FAILED             100
#define IDS_NOT_SCRIVEL_DOC             101
#define IDS_INVALID_MEASUREMENT         103
#define IDS_OPTIONS                     104
#define IDS_LEFT                        116
#define IDS_CENTER                      117
#define IDS_RIGHT                       118
#define IDS_INVALID_NUMBER              139
#define IDS_USAGE                       140
#define IDS_FILL_TEMPLATE_QUESTION      144
#define IDS_FINISHED_SEARCH             164

// Abbreviations of the measurement units, in the order of the units table.
#define IDS_INCH1                       169
#define IDS_INCH2                       170
#define IDS_INCH3                       171
#define IDS_INCH4                       172
#define IDS_CM                          173
#define IDS_POINT                       174
#define IDS_PICA                        175

// Commands of the menus.
#define ID_FILL_DOCUMENT                32773
#define ID_FORMAT_PARAGRAPH             32775
#define ID_NOTHING                      32776
#define ID_PAGE_SETUP                   32777
#define ID_VIEW_OPTIONS                 32778

// Options sheet, General page.
#define IDD_OPTIONS_UNITS               158
#define IDC_BOXES                       1029
#define IDC_INCHES                      1024
#define IDC_CM                          1025
#define IDC_POINTS                      1026
#define IDC_PICAS                       1027
