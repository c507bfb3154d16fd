// Resource identifiers of Orvello: the one list, shared by the three language scripts and the code.
#pragma once

#define IDR_MAINFRAME                   128
#define IDR_FOLIMARTYPE                 395

// View commands: zoom.
#define ID_COMBO_SCALE                  114
#define ID_TOOLBAR_FIT_TO_WINDOW        32922
#define ID_ZOOM_IN                      33121
#define ID_ZOOM_OUT                     33264

// Messages of the document file.
#define IDS_NOT_A_DOCUMENT              61522
#define IDS_WRONG_DOCUMENT_VERSION      61523
#define IDS_TEMPLATE_PAGES_DIFFER       61551
#define IDS_NOT_A_TEMPLATE              61644
#define IDS_TEMPLATE_CORRUPTED          61645
#define IDS_NEWER_VERSION               62743

// Printer selection.
#define IDS_PRINTER_NOT_AVAILABLE       62780

// The last two rows of the main bar's scale box.
#define IDS_FIT_TO_WIDTH                62718
#define IDS_FIT_TO_WINDOW               62719
