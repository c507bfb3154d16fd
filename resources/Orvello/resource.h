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

// The print options dialog.
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif
#define IDD_PRINT_OPTIONS               168
#define IDC_RADIO_TEXT_ONLY             1032
#define IDC_RADIO_TEXT_IMAGE            1033
#define IDC_EDIT_XPOSITION              1040
#define IDC_EDIT_YPOSITION              1044
#define IDC_RADIO_CURRENT_RECORD        1341
#define IDC_RADIO_ALL_RECORDS           1342
#define IDC_RADIO_RECORDS_FROM          1343
#define IDC_EDIT_RECORD_FROM            1344
#define IDC_EDIT_RECORD_TO              1345
#define IDS_ERROR_FROM_FIELD            62764
#define IDS_ERROR_TO_FIELD              62765

// The page setup dialog.
#define IDD_PAGE_SETUP                  133
#define IDC_COMBO_FORMAT                1187
#define IDC_RADIO_LANDSCAPE             1361
#define IDC_RADIO_PORTRAIT              1362
#define IDC_EDIT_PAPER_WIDTH            1363
#define IDC_EDIT_PAPER_HEIGHT           1364
#define IDC_BUTTON_PAGE_HELP            1369
#define IDC_EDIT_PRINTER_RESOLUTION     1370
#define IDC_EDIT_PRINTER_NAME           1372
#define IDC_BUTTON_LOAD_PRINTER         1373
#define IDC_CHECK_SAVE_PREFERENCES      1374
#define IDC_EDIT_PRINTER_PORT           1375
#define IDC_BUTTON_LOAD_PAGE            1376
#define IDC_EDIT_COPIES                 1377
#define IDC_EDIT_SOURCE                 1378
#define IDC_EDIT_SCALE                  1379
#define IDC_CHECK_APPLY_PRINTER         1380
#define IDC_COMBO_PAGES                 1382

// The document properties sheet.
#define ID_FILE_PROPERTIES              33129
#define IDD_INFO_BOX                    131
#define IDD_FORM_NAME                   136
#define IDD_SEND_MAIL                   256
#define IDD_SEND_FAX                    258
#define IDD_SELECT_DOC_OR_PAGE          295
#define IDD_BLOCK_NAME                  312
#define IDD_FIND                        388
#define IDC_MAIL_FORMAT                 1117
#define IDC_FAX_DRIVER                  1118
#define IDC_SELECT_DOCUMENT             1146
#define IDC_SELECT_PAGE                 1147
#define IDC_BLOCK_NAME                  1157
#define IDC_FIND_TEXT                   1345
#define IDC_FIND_UP                     1346
#define IDC_FIND_DOWN                   1347
#define IDC_FIND_MATCH_CASE             1348
#define IDC_INFO_DO_NOT_SHOW            1348
#define IDC_INFO_MESSAGE                1375
#define IDC_FORM_NAME                   1414
#define IDC_FORM_FILE_NAME              1415
#define ID_DB_NEW                       33095
#define ID_DB_NEW_DUPLICATE             33096
#define ID_DB_MOVE_FIRST                33097
#define ID_DB_MOVE_LAST                 33098
#define ID_DB_MOVE_NEXT                 33099
#define ID_DB_MOVE_PREV                 33100
#define ID_DB_DELETE                    33101
#define ID_DB_DELETE_ALL                33102
#define ID_DB_FIND                      33158
#define ID_DB_FIND_NEXT                 33166
#define IDS_NO_FIELDS_IN_DOCUMENT       61701
#define IDS_DELETE_ALL_RECORDS          61702
#define IDS_CANNOT_FIND_STRING          61703
#define IDD_DOC_SECURITY                364
#define IDD_DOC_GENERAL                 365
#define IDC_EDIT_FORM_NAME              1230
#define IDC_EDIT_AUTHOR                 1231
#define IDC_EDIT_SUBJECT                1232
#define IDC_EDIT_KEYWORDS               1233
#define IDC_CHECK_USER_PASSWORD         1234
#define IDC_EDIT_USER_PASSWORD          1235
#define IDC_CHECK_OWNER_PASSWORD        1236
#define IDC_EDIT_USER_CONFIRM           1237
#define IDC_CHECK_ALLOW_PRINTING        1239
#define IDC_CHECK_PDF_SECURITY          1246
#define IDC_EDIT_OWNER_PASSWORD         1256
#define IDC_EDIT_OWNER_CONFIRM          1257
#define IDC_STATIC_USER_CONFIRM         1262
#define IDC_STATIC_OWNER_CONFIRM        1263
#define IDC_CHECK_ALLOW_COPY            1266
#define IDC_CHECK_ALLOW_ANNOTATIONS     1267
#define IDC_CHECK_ALLOW_MODIFY          1268
#define IDC_GROUP_PDF_PROTECTION        1275
#define IDC_COMBO_KEY_LENGTH            1313
#define IDC_STATIC_KEY_LENGTH           1314
#define IDC_GROUP_ENCRYPTION            1315
#define IDS_CAPTION_WARNING             61587
#define IDS_USER_PASSWORD_NOT_ENTERED   61630
#define IDS_USER_PASSWORD_NOT_CONFIRMED 61631
#define IDS_CAPTION_ERROR               61632
#define IDS_OWNER_PASSWORD_NOT_ENTERED  61633
#define IDS_OWNER_PASSWORD_NOT_CONFIRMED 61634
#define IDS_DOC_PROPERTIES              61643
#define IDS_TAB_GENERAL                 62726
#define IDS_TAB_PDF_SECURITY            62727

// The image resize dialog.
#define IDD_RESIZE                      223
#define IDC_RESIZE_FIT_TO_PAGE          1085
#define IDC_RESIZE_FIT_TO_PRINTABLE     1086
#define IDC_RESIZE_USER_DEFINED         1087
#define IDC_RESIZE_EDIT_WIDTH           1088
#define IDC_RESIZE_EDIT_HEIGHT          1089
#define IDC_RESIZE_INCHES               1090
#define IDC_RESIZE_MM                   1091
#define IDS_INCORRECT_FLOAT_VALUES      61528

// The last two rows of the main bar's scale box.
#define IDS_FIT_TO_WIDTH                62718
#define IDS_FIT_TO_WINDOW               62719
#define IDS_PDF_OUTPUT_ERROR            62795

// The number-format dialog of text fields.
#define IDD_FORMAT                      161
#define IDC_SPIN_DECIMAL                1360
#define IDC_LIST_CATEGORY               1391
#define IDC_STATIC_SAMPLE               1392
#define IDC_EDIT_DECIMAL                1395
#define IDC_CHECK_GROUPING              1416
#define IDC_STATIC_DECIMAL              1431
#define IDC_STATIC_SAMPLE_LABEL         1434
#define IDS_FORMAT_TEXT                 159
#define IDS_FORMAT_NUMERIC              160
#define IDS_FORMAT_CURRENCY             161
#define IDS_FORMAT_INDEX_NUMBER         180

// The new-document dialogs.
#define IDD_NEW_DOC                     156
#define IDC_RADIO_NEW_FROM_IMAGE        1010
#define IDC_RADIO_NEW_FROM_FORM         1011
#define IDC_RADIO_NEW_EMPTY             1113
#define IDD_NEW_DOC_MULTIPAGE           305
#define IDC_STATIC_SELECTED_PAGES       1153
#define IDC_LIST_PAGES                  1154
#define IDS_COLUMN_DOCUMENT             61557
#define IDS_COLUMN_PAGE                 61558
#define IDS_CREATE_MULTIPAGE_DOC        61559
#define IDS_ADD_PAGES_TO_DOC            61560

// The image option dialogs: bit depth, resolution, JPEG and TIFF.
#define IDD_JPEG_OPTIONS                206
#define IDD_IMAGE_RESOLUTION            208
#define IDD_BIT_DEPTH                   259
#define IDD_TIFF_OPTIONS                379
#define IDC_RADIO_PACKBITS              1075
#define IDC_RADIO_UNCOMPRESSED          1076
#define IDC_RADIO_1BIT_FAX              1077
#define IDC_COMBO_JPEG_QUALITY          1082
#define IDC_COMBO_IMAGE_RESOLUTION      1083
#define IDC_RADIO_1BIT                  1119
#define IDC_RADIO_4BIT                  1120
#define IDC_RADIO_8BIT                  1121
#define IDC_RADIO_24BIT                 1122
#define IDC_RADIO_LZW                   1357
#define IDS_NONZERO_RESOLUTION          61490

// Saving, forms and the document's name.
#define ID_FILE_SAVE_AS_FORM            32947
#define ID_FILE_EXPORT_TO_VANTRY        33006
#define ID_EDIT_RENAME_FORM             33090
#define IDS_DOCUMENT_FILTER             61493
#define IDS_FOLDER_DOES_NOT_EXIST       61495
#define IDS_REPLACE_EXISTING_FILE       61496
#define IDS_INVALID_FILE_NAME           61497
