// Resource identifiers of Drovemark: the one list, shared by its language scripts and its code.
// The numbers are those the virtual printer's pages have always had; controls of different
// dialogs may share a number.
#pragma once

#define IDR_MAINFRAME                   128

#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

// Strings
#define IDS_ABOUT_NOTICE                200
#define IDS_MAKER_WEB_ADDRESS           201
#define IDS_PRODUCT_WEB_PAGE            202

// Orientation pictures of the General page
#define IDB_PORTRAIT                    117
#define IDB_LANDSCAPE                   118

// Pages and their sub-dialogs
#define IDD_APPLICATION                 102
#define IDD_GENERAL                     116
#define IDD_PAPER                       124
#define IDD_NEW_PAPER_FORM              125
#define IDD_ABOUT                       108
#define IDD_PNG                         118
#define IDD_EMF                         127
#define IDD_CONVERTER                   138
#define IDD_COPYDATA                    144
#define IDD_PIPE                        145

// Application page
#define IDC_APP_ENABLE                  1186
#define IDC_APP_EXECUTABLE              1103
#define IDC_APP_BROWSE                  1084
#define IDC_APP_VIA_COMMAND_LINE        1171
#define IDC_APP_VIA_COPYDATA            1172
#define IDC_APP_VIA_PIPE                1170
#define IDC_APP_CONFIGURE_COPYDATA      1173
#define IDC_APP_CONFIGURE_PIPE          1169

// WM_COPYDATA dialog
#define IDC_COPYDATA_WINDOW_TITLE       1174
#define IDC_COPYDATA_WINDOW_CLASS       1176
#define IDC_COPYDATA_MESSAGE_ID         1178
#define IDC_COPYDATA_TIMEOUT            1180

// Named-pipe dialog
#define IDC_PIPE_NAME                   1182
#define IDC_PIPE_MESSAGE_SIZE           1184
#define IDC_PIPE_TIMEOUT                1187
#define IDC_PIPE_LAUNCH                 1185

// Converter page
#define IDC_CONVERTER_OUTPUT_DIRECTORY  1200
#define IDC_CONVERTER_BROWSE            1195
#define IDC_CONVERTER_THREADS           1199
#define IDC_CONVERTER_CLEANUP           1196
#define IDC_CONVERTER_SHOW_PROGRESS     1198
#define IDC_CONVERTER_DRAW_BORDERS      1241
#define IDC_CONVERTER_PAGES_PER_SHEET   1240

// EMF page
#define IDC_EMF_ENABLE                  1240
#define IDC_EMF_NORMALIZE               1244
#define IDC_EMF_THIN_LABEL              1245
#define IDC_EMF_THICK_LABEL             1246
#define IDC_EMF_THIN_WIDTH              1247
#define IDC_EMF_THICK_WIDTH             1248

// PNG page
#define IDC_PNG_ENABLE                  1280
#define IDC_PNG_BITS_PER_PIXEL          1026
#define IDC_PNG_GRAYSCALE               1286
#define IDC_PNG_DITHERING               1029
#define IDC_PNG_BITS_LABEL              1284
#define IDC_PNG_DITHERING_LABEL         1288

// About page
#define IDC_ABOUT_CAPTION               1007
#define IDC_ABOUT_TEXT                  1083
#define IDC_ABOUT_WEB                   101

// General page
#define IDC_GENERAL_PICTURE             1006
#define IDC_GENERAL_RESOLUTION          1035
#define IDC_GENERAL_PRINT_MODE          1250
#define IDC_GENERAL_PORTRAIT            1102
#define IDC_GENERAL_LANDSCAPE           1104

// Paper size page and the New Paper Form dialog
#define IDC_PAPER_FORM                  1039
#define IDC_PAPER_ADD                   1126
#define IDC_PAPER_DELETE                1128
#define IDC_PAPER_WIDTH                 1041
#define IDC_PAPER_LENGTH                1042
#define IDC_PAPER_WIDTH_UNIT            1087
#define IDC_PAPER_LENGTH_UNIT           1088
#define IDC_PAPER_METRIC                1132
#define IDC_PAPER_ENGLISH               1232
#define IDC_PAPER_NAME                  1044
#define IDC_PAPER_WIDTH_RANGE           1046
#define IDC_PAPER_LENGTH_RANGE          1047
