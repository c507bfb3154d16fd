// Resource identifiers of Scrivel: the one list, shared by its language scripts and its code.
#pragma once

// Menu, accelerators and the document template's string.
#define IDR_MAINFRAME                   128

// Messages.
#define IDP_OLE_INIT_FAILED             100
#define IDS_NOT_SCRIVEL_DOC             101
#define IDS_USAGE                       140
#define IDS_FILL_TEMPLATE_QUESTION      144

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
#define ID_NOTHING                      32776
