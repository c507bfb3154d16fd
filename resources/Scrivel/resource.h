// Resource identifiers of Scrivel: the one list, shared by its language scripts and its code.
#pragma once

#define IDC_STATIC                      (-1)

// Menu, accelerators, the main tool bar, the icon and the document template's string.
#define IDR_MAINFRAME                   128
// The tool bar's strip in high colour.
#define IDR_MAINFRAME_256               129
#define IDI_SCRIVEL_DOC                 130
// The view's context menu: the pop-up "Edit".
#define IDR_POPUP_EDIT                  119

// Dialogs.
#define IDD_ABOUTBOX                    100
#define IDD_FORMAT_PARA                 143
#define IDD_PAGE_SETUP                  150
#define IDD_OPTIONS_UNITS               158
#define IDD_FILE_NEW                    310

// Messages and texts.
#define IDP_OLE_INIT_FAILED             100
#define IDS_NOT_SCRIVEL_DOC             101
#define IDS_INVALID_MEASUREMENT         103
#define IDS_OPTIONS                     104
#define IDS_ALIGN_LEFT                  116
#define IDS_ALIGN_CENTER                117
#define IDS_ALIGN_RIGHT                 118
#define IDS_TOOLBAR_STANDARD            124
#define IDS_TOOLBAR_CUSTOMIZE           125
#define IDS_MEASUREMENT_RANGE           139
#define IDS_USAGE                       140
#define IDS_FILL_TEMPLATE_QUESTION      144
#define IDS_FINISHED_SEARCH             164
#define IDS_EDIT_MENU                   306
#define IDS_PICTURE_FILTER              307
#define IDS_PICTURE_NOT_READ            308

// Abbreviations of the measurement units, in the order of the units table.
#define IDS_INCH1                       169
#define IDS_INCH2                       170
#define IDS_INCH3                       171
#define IDS_INCH4                       172
#define IDS_CM                          173
#define IDS_POINT                       174
#define IDS_PICA                        175

// Controls of the paragraph dialog.
#define IDC_COMBO_ALIGNMENT             111
#define IDC_EDIT_LEFT                   1000
#define IDC_EDIT_RIGHT                  1001
#define IDC_EDIT_FIRST_LINE             1002
#define IDC_PAGE_BREAK                  1033
#define IDC_SPACE_BEFORE                1035
#define IDC_SPACE_AFTER                 1036
#define IDC_SPIN_BEFORE                 1038
#define IDC_SPIN_AFTER                  1039
#define IDC_ALIGNMENT_LABEL             1040
// Controls of the page-setup dialog.
#define IDC_MARGIN_BOTTOM               1005
#define IDC_MARGIN_LEFT                 1006
#define IDC_MARGIN_RIGHT                1007
#define IDC_MARGIN_TOP                  1016
// Controls of the options page.
#define IDC_UNITS_INCH                  1024
#define IDC_UNITS_CM                    1025
#define IDC_UNITS_POINT                 1026
#define IDC_UNITS_PICA                  1027
#define IDC_WORD_SELECTION              1029
// Controls of the new-document dialog.
#define IDC_NEW_EMPTY                   1000
#define IDC_NEW_TEMPLATE                1001
// The about box's version line.
#define IDC_ABOUT_VERSION               1041

// Commands of the menus.
#define ID_VIEW_CUSTOMIZE               126
#define ID_VIEW_APPLOOK_WIN_2000        205
#define ID_VIEW_APPLOOK_OFF_XP          206
#define ID_VIEW_APPLOOK_WIN_XP          207
#define ID_VIEW_APPLOOK_OFF_2003        208
#define ID_VIEW_APPLOOK_VS_2005         209
#define ID_VIEW_APPLOOK_VS_2008         210
#define ID_VIEW_APPLOOK_OFF_2007_BLUE   215
#define ID_VIEW_APPLOOK_OFF_2007_BLACK  216
#define ID_VIEW_APPLOOK_OFF_2007_SILVER 217
#define ID_VIEW_APPLOOK_OFF_2007_AQUA   218
#define ID_VIEW_APPLOOK_WINDOWS_7       219
#define ID_FILL_DOCUMENT                32773
#define ID_BULLET                       32774
#define ID_FORMAT_PARAGRAPH             32775
#define ID_NOTHING                      32776
#define ID_PAGE_SETUP                   32777
#define ID_VIEW_OPTIONS                 32778
#define ID_INSERT_PICTURE               32779

// The tool bars the user makes.
#define ID_USER_TOOLBAR_FIRST           59432
#define ID_USER_TOOLBAR_LAST            59441
