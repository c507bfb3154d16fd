// Resource identifiers of Orvello: the one list, shared by the three language scripts and the code.
#pragma once

#define IDR_MAINFRAME                   128
#define IDR_FOLIMARTYPE                 395

// Pop-up menus: the view's by program mode, the forms pane's, the shelf's and the spelling button's.
#define IDR_CONTEXT_MENU                157
#define IDR_SHELF_MENU                  240
#define IDR_FORMS_MENU                  255
#define IDR_SPELLING_MENU               275
#define IDR_FORM_MODE_MENU              396
#define IDR_SELECT_MODE_MENU            421

// Tool bars, each with a button strip bitmap of the same id (IDR_MAINFRAME is the main bar).
#define IDR_DRAWING_TOOLS               224
#define IDR_IMAGE_TOOLS                 310
#define IDR_DATABASE_BAR                358

// Bitmaps: the shelf's item kinds (16 x 16 each, white is transparent) and the about box's banner.
#define IDB_ABOUT_BANNER                102
#define IDB_SHELF_ITEMS                 236

// Child window ids of the docking panes.
#define ID_PANE_PROPERTIES              33176
#define ID_PANE_SHELF                   33179
#define ID_PANE_FORMS                   33184

// Cursors of the program modes and of dragging in the view.
#define IDC_CURSOR_TEXT_FIELD           152
#define IDC_CURSOR_MOVE                 192
#define IDC_CURSOR_CHECK_MARK           200
#define IDC_CURSOR_ROTATION             211
#define IDC_CURSOR_CROP                 213
#define IDC_CURSOR_BASE_POINT           214
#define IDC_CURSOR_ELLIPSE              226
#define IDC_CURSOR_RECTANGLE            227
#define IDC_CURSOR_LINE                 228
#define IDC_CURSOR_PENCIL               229
#define IDC_CURSOR_CIRCLE               241
#define IDC_CURSOR_ERASER               288
#define IDC_CURSOR_UNERASER             289
#define IDC_CURSOR_HAND_OPEN            321
#define IDC_CURSOR_HAND_CLOSED          322
#define IDC_CURSOR_COPY_REGION          327
#define IDC_CURSOR_DRAG_REGION          348
#define IDC_CURSOR_WHITE_REFERENCE      366
#define IDC_CURSOR_BLACK_REFERENCE      367
#define IDC_CURSOR_LABEL                397
#define IDC_CURSOR_BARCODE              398

// The about box.
#define IDD_ABOUTBOX                    100
#define IDC_ABOUT_VERSION               1194
#define IDC_ABOUT_PRODUCT               1195
#define IDC_ABOUT_COPYRIGHT             1196
#define IDC_ABOUT_WEBSITE               1197
#define IDC_ABOUT_SUPPORT               1198

// The progress window of a WIA transfer.
#define IDD_TRANSFER_PROGRESS           406
#define IDC_TRANSFER_TEXT               1174
#define IDC_TRANSFER_PROGRESS           1225

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
#define IDS_DELETE_ALL_RECORDS          61704
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
#define IDS_PDF_OUTPUT_ERROR            62796

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

// File menu.
#define ID_FILE_NEW_MULTIPAGE           32976
#define ID_FILE_SAVE_AS_IMAGE           33119
#define ID_FILE_EXPORT                  32941
#define ID_FILE_EXPORT_PDF              33134
#define ID_FILE_IMPORT_FROM_VANTRY      33007
#define ID_DB_IMPORT                    33136
#define ID_DB_QUICK_IMPORT              33155
#define ID_DB_EXPORT                    33137
#define ID_DB_IMPORT_FROM_DOCUMENT      33174
#define ID_FILE_TWAIN_SELECT_SOURCE     32834
#define ID_FILE_TWAIN_ACQUIRE           32833
#define ID_FILE_TWAIN_SETUP             33328
#define ID_FILE_WIA_SELECT_SOURCE       33320
#define ID_FILE_WIA_ACQUIRE             33323
#define ID_FILE_SEND_MAIL               32954
#define ID_FILE_SEND_FAX                32953
#define ID_FILE_BACKUP                  33228
#define ID_FILE_RESTORE                 33229

// Edit menu and the view's context menus.
#define ID_EDIT_DELETE                  32848
#define ID_EDIT_CLEAR_CONTENTS          33181
#define ID_TOOL_SELECT                  32936
#define ID_TOOL_TAB_ORDER               33144
#define ID_EDIT_ALIGN_LEFT              33125
#define ID_EDIT_ALIGN_RIGHT             33126
#define ID_EDIT_ALIGN_TOP               33127
#define ID_EDIT_ALIGN_BOTTOM            33128
#define ID_EDIT_SPACE_ACROSS            32931
#define ID_EDIT_SPACE_DOWN              32932
#define ID_EDIT_ALIGN_TO_GRID           32935
#define ID_EDIT_SNAP_TO_GRID            33045
#define ID_LAYER_SEND_TO_BACK           33257
#define ID_LAYER_SEND_BACKWARD          33258
#define ID_LAYER_BRING_TO_FRONT         33259
#define ID_LAYER_BRING_FORWARD          33260
#define ID_EDIT_OBJECT_UP               33044
#define ID_EDIT_FREEZE_OBJECT           33159
#define ID_EDIT_UNFREEZE_ALL            33160
#define ID_EDIT_REQUIRED                33178
#define ID_EDIT_DECREASE_TEXT_WIDTH     33156
// Shares its number, and so its prompt, with the properties pane's "Top-down" (IDS_ORIENTATION_TOP_DOWN).
#define ID_EDIT_DECREASE_TEXT_HEIGHT    33245
#define ID_EDIT_RENUMBER_FORMS          33317
#define ID_EDIT_ROTATE_PICTURE          32975
#define ID_EDIT_RESTORE_PROPORTIONS     33318
#define ID_EDIT_ADD_TO_SHELF            32911
#define ID_OPTIONS                      32850

// Insert menu and the drawing-tools bar: the tools that place objects.
#define ID_TOOL_TEXT_FIELD              33112
#define ID_TOOL_CHECK_MARK              32914
#define ID_TOOL_LABEL                   33183
#define ID_TOOL_BARCODE                 33271
#define ID_TOOL_RECTANGLE               33106
#define ID_TOOL_CIRCLE                  33111
#define ID_TOOL_ELLIPSE                 33107
#define ID_TOOL_POLYGON                 33108
#define ID_TOOL_LINE                    33109
#define ID_TOOL_FREEHAND                33110
#define ID_TOOL_BRACE                   33091
#define ID_INSERT_PICTURE               32912

// View menu, the main bar's toggles and the application looks.
#define ID_TOOL_FORM_MODE               33146
#define ID_VIEW_HIGHLIGHT_FIELDS        33252
#define ID_VIEW_SNAP_TO_GRID            32934
#define ID_VIEW_CUSTOMIZE               33141
#define ID_TOOL_WITH_BORDER             33249
#define ID_VIEW_LOOK_WIN2000            33288
#define ID_VIEW_LOOK_OFFICE_XP          33289
#define ID_VIEW_LOOK_WIN_XP             33290
#define ID_VIEW_LOOK_OFFICE_2003        33291
#define ID_VIEW_LOOK_VS_2005            33292
#define ID_VIEW_LOOK_VS_2008            33293
#define ID_VIEW_LOOK_OFFICE_2007_BLUE   33294
#define ID_VIEW_LOOK_OFFICE_2007_BLACK  33295
#define ID_VIEW_LOOK_OFFICE_2007_SILVER 33296
#define ID_VIEW_LOOK_OFFICE_2007_AQUA   33297
#define ID_VIEW_LOOK_WIN7               33298

// Page menu.
#define ID_PAGE_ADD                     32978
#define ID_PAGE_DELETE                  33122
#define ID_PAGE_MOVE_LEFT               33123
#define ID_PAGE_MOVE_RIGHT              33124
#define ID_PAGE_PREVIOUS                32985
#define ID_PAGE_NEXT                    32980
#define ID_PAGE_TO_DOCUMENT             32989

// Image menu and the image tool bar.
#define ID_IMAGE_VIEW                   32992
#define ID_IMAGE_LOAD_BACKGROUND        33000
#define ID_IMAGE_SAVE_BACKGROUND        32849
#define ID_IMAGE_DELETE_BACKGROUND      33004
#define ID_IMAGE_CONVERT_DOCUMENT       32873
#define ID_IMAGE_RESOLUTION             32869
#define ID_IMAGE_RESIZE                 32899
#define ID_IMAGE_ROTATE_90              32949
#define ID_IMAGE_ROTATE_180             32951
#define ID_IMAGE_ROTATE_270             32950
#define ID_IMAGE_ROTATE_ANGLE           32981
#define ID_IMAGE_FLIP                   32983
#define ID_IMAGE_REVERSE                32984
#define ID_IMAGE_INVERT                 32987
#define ID_IMAGE_BRIGHTNESS             32982
#define ID_IMAGE_CONTRAST               32986
#define ID_IMAGE_MOVE_LEFT              32996
#define ID_IMAGE_MOVE_RIGHT             32997
#define ID_IMAGE_MOVE_UP                32998
#define ID_IMAGE_MOVE_DOWN              32999
#define ID_TOOL_MOVE_IMAGE              33039
#define ID_TOOL_BASE_POINT              33084
#define ID_TOOL_CROP                    32875
#define ID_TOOL_ROTATION                32872
#define ID_TOOL_WHITE_CORRECTION        33130
#define ID_TOOL_BLACK_CORRECTION        33131
#define ID_TOOL_DO_TRANSFORMATION       32896
#define ID_TOOL_COPY_REGION             33043
#define ID_TOOL_ERASER                  32970
#define ID_TOOL_UNERASER                32971
#define ID_ERASE_SIZE                   32972

// Records menu and the database bar.
#define ID_DB_RECORD_NUMBER             33104
#define ID_DB_FILL_FORM_FIELDS          33303
#define ID_DB_EDIT_DATABASE             33304

// Spelling menu and the main bar's spelling button.
#define ID_SPELLING                     33120
#define ID_SPELLING_SELECT_LANGUAGE     32966

// Window menu.
#define ID_WINDOW_CLOSE_ALL             32831

// Help menu.
#define ID_HELP_CONTENTS                32828
#define ID_HELP_FIRST_STEP              32827
#define ID_HELP_HOWTO                   32874
#define ID_HELP_FAQ                     32868
#define ID_HELP_SUPPORT                 32830
#define ID_HELP_ORDERING                32836
#define ID_HELP_FORM_FILLING            33185

// Context menus of the forms pane and the shelf.
#define ID_FORMS_OPEN_TO_EDIT           32945
#define ID_FORMS_DELETE                 32946
#define ID_SHELF_RENAME                 32920
#define ID_SHELF_DELETE                 1095

// Status bar, bars and panes of the main frame. The idle text and the indicators keep the framework's
// numbers; they are repeated here because the language scripts cannot include the framework's headers.
#ifndef AFX_IDS_IDLEMESSAGE
#define AFX_IDS_IDLEMESSAGE 0xE001
#endif
#ifndef ID_INDICATOR_CAPS
#define ID_INDICATOR_CAPS 0xE701
#endif
#ifndef ID_INDICATOR_NUM
#define ID_INDICATOR_NUM 0xE702
#endif
#ifndef ID_INDICATOR_SCRL
#define ID_INDICATOR_SCRL 0xE703
#endif
#define IDS_PRESS_ESC_TO_ABORT          61521
#define IDS_MAIN_TOOLS                  61561
#define IDS_DRAWING_TOOLS               61563
#define IDS_IMAGE_TOOLS                 61572
#define IDS_DATABASE_TOOLS              61595
#define IDS_PROPERTIES_PANE             116
#define IDS_SHELF_PANE                  61565
#define IDS_FORMS_PANE                  62803
#define IDS_TOOLBAR_CUSTOMIZE           162
#define IDS_HIGHLIGHT_FIELDS            113
#define IDS_PAGE_TAB                    61550
#define IDS_OPTIONS_SHEET               61592

// The about box and the program's messages at start.
#define IDS_ABOUT                       62721
#define IDS_SUPPORT_URL                 62730
#define IDS_WEBSITE_URL                 62731
#define IDS_OLD_FORMS_FOUND             166
#define IDS_USAGE                       195
#define IDS_RASTER_FROM_PRINTER         172

// Scanning.
#define IDS_TWAIN_SELECT_FAILED         109
#define IDS_TWAIN_ACQUIRE_FAILED        110
#define IDS_TWAIN_AUTOFEED_FAILED       121
#define IDS_TWAIN_FEEDER_EMPTY          199
#define IDS_SOURCE_FEEDER               190
#define IDS_SOURCE_FLATBED              191
#define IDS_WIA_NO_DEVICES              192
#define IDS_WIA_SELECT_FAILED           193
#define IDS_WIA_ACQUIRE_FAILED          194
#define IDS_TRANSFERRING_TO_FILE        189

// File dialogs: filters, extensions and titles.
#define IDS_FILTER_ALL_FILES            62758
#define IDS_FILTER_ALL_PROGRAM_FILES    62788
#define IDS_FILTER_FORMS                62787
#define IDS_FILTER_TEMPLATES            61535
#define IDS_FILTER_GRAPHIC_FILES        61533
#define IDS_FILTER_IMAGES               61494
#define IDS_FILTER_BACKGROUND_ALL       62766
#define IDS_FILTER_SAVE_IMAGE           61536
#define IDS_FILTER_EXPORT_PAGE          61656
#define IDS_FILTER_EXPORT_DOCUMENT      61657
#define IDS_FILTER_PICTURES             62791
#define IDS_FILTER_PICTURES_ALL         62792
#define IDS_EXT_QLM                     62786
#define IDS_EXT_RUD                     1096
#define IDS_EXT_VYT                     1097
#define IDS_EXT_VIZ                     198
#define IDS_SAVE_AS_PDF                 62794
#define IDS_LOAD_BACKGROUND             62795
#define IDS_SELECT_FORM_FOLDER          182

// Messages of documents, pages and images.
#define IDS_OUT_OF_MEMORY               61462
#define IDS_FILE_READ_ERROR             61453
#define IDS_FILE_WRITE_ERROR            61459
#define IDS_UNKNOWN_IMAGE_FORMAT        61519
#define IDS_UNSUPPORTED_FILE_FORMAT     61556
#define IDS_CONVERT                     61552
#define IDS_SEND                        61554
#define IDS_VERTICAL_TEXT_IN_PDF        61586
#define IDS_BIG_IMAGE                   62757
#define IDS_OPEN_IN_OWN_PROGRAM         62777
#define IDS_NO_MAIN_IMAGE               62763
#define IDS_INCORRECT_DOCUMENT          62779
#define IDS_ADD_PAGE_FAILED             61569
#define IDS_DELETE_PAGE_QUESTION        61570
#define IDS_OPERATION_FAILED            61571
#define IDS_RESIZE_PREPRINTED_WARNING   33194
#define IDS_FAILED_TO_START_PRINT       61702

// Hints and messages of the view and the shelf.
#define IDS_HINT_FREEHAND               62776
#define IDS_HINT_CREATE_LABEL           184
#define IDS_HINT_CONVERT_FIELD          187
#define IDS_HINT_CONVERT_FIELDS         188
#define IDS_WRONG_TAB_INDEX             62784
#define IDS_DELETE_SHELF_ITEM           62773
#define IDS_NO_SPELL_CHECKER            32967
#define IDS_SPELLING_COMPLETE           61547

// Rows and option lists of the properties pane.
#define IDS_ALIGN_LEFT                  137
#define IDS_ALIGN_CENTER                138
#define IDS_ALIGN_RIGHT                 139
#define IDS_ORIENTATION_LEFT_TO_RIGHT   33244
#define IDS_ORIENTATION_BOTTOM_UP       33246
#define IDS_ORIENTATION_TOP_DOWN        33245
#define IDS_LINE_SOLID                  142
#define IDS_LINE_DASH                   143
#define IDS_LINE_DOT                    144
#define IDS_LINE_DASH_DOT               145
#define IDS_LINE_DASH_DOT_DOT           146
#define IDS_NO                          152
#define IDS_YES                         151
#define IDS_TYPE_TEXT_FIELD             186
#define IDS_TYPE_TEXT                   153
#define IDS_PROP_OBJECT_NAME            147
#define IDS_PROP_TYPE                   185
#define IDS_PROP_TAB_INDEX              154
#define IDS_PROP_PRINT                  119
#define IDS_PROP_FONT_GROUP             133
#define IDS_PROP_FONT                   168
#define IDS_PROP_SCRIPT                 177
#define IDS_PROP_SIZE                   167
#define IDS_PROP_COLOR                  117
#define IDS_PROP_COLOR_DESCRIPTION      118
#define IDS_PROP_BOLD                   169
#define IDS_PROP_ITALIC                 32960
#define IDS_PROP_STRIKE_OUT             175
#define IDS_PROP_UNDERLINE              176
#define IDS_PROP_PITCH_GROUP            32866
#define IDS_PROP_PITCH_ENABLE           413
#define IDS_PROP_PITCH_VALUE            414
#define IDS_PROP_ALIGNMENT              135
#define IDS_PROP_ALIGNMENT_DESCRIPTION  136
#define IDS_PROP_ORIENTATION            415
#define IDS_PROP_LINE_SPACING           416
#define IDS_PROP_WORD_WRAP              33171
#define IDS_PROP_MULTILINE              148
#define IDS_PROP_REQUIRED               149
#define IDS_PROP_BORDER                 33251
#define IDS_PROP_CHECK_MARK             150
#define IDS_PROP_GROUP                  200
#define IDS_PROP_LINE_COLOR             140
#define IDS_PROP_LINE_WIDTH             141
#define IDS_PROP_LINE_STYLE             33240
#define IDS_PROP_LINE_STYLE_DESCRIPTION 33247
#define IDS_PROP_TRANSPARENT            33143
#define IDS_PROP_FORMAT                 155

// Backup and restore
#define IDD_BACKUP                      138
#define IDD_RESTORE                     139
#define IDC_BACKUP_FILE                 1415
#define IDC_BACKUP_STATUS               1418
#define IDC_BACKUP_HELP                 1403
#define IDC_BACKUP_BROWSE               1369
#define IDC_BACKUP_PROGRESS             1225
#define IDC_BACKUP_FILE_LABEL           62805
#define IDS_HELP_BUTTON                 101
#define IDS_BACKUP_TITLE                123
#define IDS_BACKUP_BUTTON               124
#define IDS_BACKUP_DONE_BUTTON          125
#define IDS_RESTORE_TITLE               126
#define IDS_RESTORE_BUTTON              127
#define IDS_BACKUP_BROWSE               130
#define IDS_BACKUP_FILE_LABEL           131
#define IDS_AUTO_BACKUP_TITLE           409
#define IDS_RESTORE_FINISHED            410
#define IDS_BACKUP_FINISHED             411
#define IDS_BACKUP_NO_FOLDER            412
#define IDS_CANCEL_BUTTON               62774
#define IDS_BACKUP_FAILED               4200
#define IDS_RESTORE_NO_FILE             4201
#define IDS_RESTORE_MOVE_FAILED         4202
#define IDS_ARCHIVER_FAILED             4203
#define IDS_RESTORE_UNSAFE_ARCHIVE      4204
#define IDS_RESTORE_NEWER_FILES         4205

// The database import and export wizard: its pages, the table preview and the progress dialog.
#define IDD_DBIMPORT_PAGE1              349
#define IDD_DBIMPORT_PAGE_1_2           313
#define IDD_DBIMPORT_PAGE2              302
#define IDD_DBIMPORT_PAGE_2_3           303
#define IDD_DBIMPORT_PAGE3              304
#define IDD_DBIMPORT_PAGE_END           308
#define IDD_DBIMPORT_PAGE_QUICK         386
#define IDD_VIEW_TABLE                  309
#define IDD_IMPEXP_PROGRESS             330
#define IDC_DB_HINT_1_2                 1191
#define IDC_DB_INTRO                    1203
#define IDC_DB_OPEN_HINT                1204
#define IDC_DB_OPEN_DSN                 1206
#define IDC_DB_TITLE                    1208
#define IDC_DB_NAME                     1209
#define IDC_DB_NAME_LABEL               1210
#define IDC_DB_OPEN_FILE                1221
#define IDC_DB_VIEW_TABLE               1005
#define IDC_DB_SELECTED_TABLE           1006
#define IDC_DB_TABLES                   1007
#define IDC_DB_COLUMNS                  1008
#define IDC_DB_HINT_2_3                 1218
#define IDC_DB_LINK_FIELDS              1009
#define IDC_DB_LINK_COLUMNS             1012
#define IDC_DB_LINKS                    1013
#define IDC_DB_UNLINK                   1014
#define IDC_DB_LINK                     1015
#define IDC_DB_END_TEXT                 1219
#define IDC_DB_END_TITLE                1220
#define IDC_DB_QUICK_CONNECT            1333
#define IDC_DB_QUICK_TABLE              1334
#define IDC_VIEW_TABLE_LIST             1016
#define IDC_VIEW_TABLE_RECORD           1017
#define IDC_VIEW_TABLE_LOAD             1018
#define IDC_IMPEXP_TEXT                 1225
#define IDS_DB_INTERNAL_ODBC_ERROR      61660
#define IDS_DB_DATA_NOT_RECEIVED        61668
#define IDS_DB_IMPORT_DATA              61669
#define IDS_DB_RECORD                   61670
#define IDS_DB_EXPORT_DATA              61671
#define IDS_DB_RECORD_FROM              61672
#define IDS_DB_DATABASE_NAME            61673
#define IDS_DB_CANNOT_OPEN_FILE         61676
#define IDS_DB_ERROR                    61677
#define IDS_DB_NO_DRIVERS               61678
#define IDS_DB_CANNOT_VIEW_TABLE        61679
#define IDS_DB_TABLE_NAME               61681
#define IDS_DB_FIELD_NAME               61682
#define IDS_DB_FIELD_TYPE               61683
#define IDS_DB_SELECTED_TABLE           61684
#define IDS_DB_NO_TABLE_SELECTED        61685
#define IDS_DB_VANTRY_FIELDS            61686
#define IDS_DB_BINARY_DATA              61687
#define IDS_DB_FIELDS_OF                61689
#define IDS_DB_TYPE                     61690
#define IDS_DB_TYPE_MISMATCH            61691
#define IDS_DB_OPEN_TITLE               61692
#define IDS_DB_OPEN_FILE                61693
#define IDS_DB_OPEN_DSN                 61694
#define IDS_DB_IMPORT_INTRO             61695
#define IDS_DB_OPEN_HINT                62696
#define IDS_DB_IMPORT_STEP1             62697
#define IDS_DB_IMPORT_HINT_1_2          62698
#define IDS_DB_IMPORT_STEP2             62699
#define IDS_DB_VIEW                     62700
#define IDS_DB_TABLE_CAPTION            62701
#define IDS_DB_HINT_2_3                 62702
#define IDS_DB_IMPORT_STEP3             62703
#define IDS_DB_LINK                     62704
#define IDS_DB_UNLINK                   62705
#define IDS_DB_FINISH_TITLE             62706
#define IDS_DB_IMPORT_END               62707
#define IDS_DB_FINISH_CAPTION           62708
#define IDS_DB_EXPORT_INTRO             62709
#define IDS_DB_EXPORT_STEP1             62710
#define IDS_DB_EXPORT_HINT_1_2          62711
#define IDS_DB_EXPORT_STEP2             62712
#define IDS_DB_EXPORT_STEP3             62713
#define IDS_DB_EXPORT_END               62714
#define IDS_DB_QUICK_IMPORT             62736
#define IDS_DB_FORMS_FILTER             62737

// The options sheet: its pages, their controls and texts.
#define IDD_OPTIONS_GENERAL             353
#define IDD_OPTIONS_PDF                 354
#define IDD_OPTIONS_VIRTUAL_PRINTER     400
#define IDD_OPTIONS_BACKUP              140
#define IDC_OPT_UNITS                   1069
#define IDC_OPT_MAXIMIZE                1084
#define IDC_OPT_GRID_X                  1102
#define IDC_OPT_GRID_Y                  1103
#define IDC_OPT_SPIN_GRID_X             1104
#define IDC_OPT_SPIN_GRID_Y             1106
#define IDC_OPT_SNAP                    1111
#define IDC_OPT_EMPTY_DOC               1114
#define IDC_OPT_EXPLANATORY_DOC         1115
#define IDC_OPT_PNG_TRANSPARENCY        1335
#define IDC_OPT_TRANSPARENCY_COLOR      1336
#define IDC_OPT_TRANSPARENCY_LABEL      1337
#define IDC_OPT_FORM_MODE               1339
#define IDC_OPT_PARAGRAPH_MARKS         1340
#define IDC_OPT_HIGHLIGHT_COLOR         1369
#define IDC_OPT_BROWSE_FORMS            1370
#define IDC_OPT_TEXT_FIELD_HEADERS      1416
#define IDC_OPT_FORM_FOLDER             1458
#define IDC_OPT_PDF_TAB                 1229
#define IDC_OPT_PDF_COMPRESSION         1243
#define IDC_OPT_PDF_CENTER              1247
#define IDC_OPT_PDF_LAUNCH              1248
#define IDC_OPT_PDF_FIT                 1249
#define IDC_OPT_PDF_HIDE_MENUBAR        1250
#define IDC_OPT_PDF_HIDE_TOOLBARS       1251
#define IDC_OPT_PDF_VERSION             1252
#define IDC_OPT_PDF_LAYOUT              1253
#define IDC_OPT_PDF_MODE                1255
#define IDC_OPT_PDF_COMPRESSION_LABEL   1264
#define IDC_OPT_PDF_MODE_LABEL          1265
#define IDC_OPT_PDF_VERSION_LABEL       1271
#define IDC_OPT_PDF_URL                 1272
#define IDC_OPT_PDF_LAYOUT_LABEL        1273
#define IDC_OPT_PDF_HIDE_WINDOW_UI      1274
#define IDC_OPT_PDF_FONTS               1320
#define IDC_OPT_PDF_FONTS_LABEL         1324
#define IDC_OPT_PDF_IMAGES_LABEL        1358
#define IDC_OPT_PDF_IMAGES              1187
#define IDC_OPT_VP_EMF                  1407
#define IDC_OPT_VP_PNG                  1408
#define IDC_OPT_BACKUP_PATH             1415
#define IDC_OPT_AUTO_BACKUP             1417
#define IDC_OPT_BACKUP_BROWSE           1418
#define IDC_OPT_ON_CLOSE                1424
#define IDC_OPT_EVERY_WEEK              1425
#define IDS_TAB_PDF                     62729
#define IDS_TAB_VIRTUAL_PRINTER         62804
#define IDS_BAD_TRANSPARENCY_COLOR      62745
#define IDS_PDF_TAB_OUTPUT              61593
#define IDS_PDF_TAB_VIEWER              61594
#define IDS_GRID_STEP_RANGE             62732
#define IDS_OPTION_UNITS                62733
#define IDS_PDF_DOC_COMPRESSIONS        62734
#define IDS_PDF_VERSIONS                62735
#define IDS_PDF_IMAGE_COMPRESSIONS      62750
#define IDS_PDF_PAGE_LAYOUTS            62751
#define IDS_PDF_PAGE_MODES              62738
#define IDS_PDF_FONT_EMBEDDINGS         62739
#define IDS_DELETE_FORM_QUESTION        62740

// Mail through the mail program's Simple MAPI library.
#define IDS_FAILED_MAPI_LOAD            61840
#define IDS_INVALID_MAPI_DLL            61841
#define IDS_FAILED_MAPI_SEND            61842
// Scanning dialogs: TWAIN setup (feeder mode) and the feeder or flatbed choice of the WIA commands.
#define IDD_TWAIN_SETUP                 456
#define IDC_MANUAL_FEEDER               1464
#define IDC_AUTOFEED                    1465
#define IDD_ACQUIRE_SOURCE              368
#define IDC_ACQUIRE_SOURCE_LIST         1447

// Batch filling and the virtual printer's hand-off.
#define IDS_SAME_IN_OUT_FOLDER          63400
#define IDS_PRINTED_PAGES_NOT_LOADED    63401
