// Resource identifiers of Quillet: the one list, shared by its language scripts and its code.
#pragma once

#define IDR_MAINFRAME                   128

// The fill-form dialog "Document filling" and its icon.
#define IDD_FILL_FORM                   9
#define IDI_FILL_FORM                   6002

#define IDC_STATIC_GROUPS               6000
#define IDC_STATIC_PROFILES             6001
#define IDC_STATIC_GROUP_DATA           6002
#define IDC_STATIC_PROFILE_DATA         6003
#define IDC_LIST_GROUP                  6004
#define IDC_LIST_PROFILE                6005
#define IDC_STATIC_DB_PATH              6006
#define IDC_SELECT_DB_BUTTON            6007
#define IDC_EDIT_BUTTON                 6008
#define IDC_COMBO_GROUPS                6009
#define IDC_COMBO_PROFILES              6010
#define IDC_RADIO_CURRENT_FORM          6011
#define IDC_CHECK_OUT                   6012
#define IDC_EDIT_IN_FOLDER              6013
#define IDC_EDIT_OUT_FOLDER             6014
#define IDC_STATIC_OUT_FOLDER           6018
#define IDC_OUT_BROWSE                  6019
#define IDC_RADIO_MULTI_FORMS           6020
#define IDC_STATIC_IN_FOLDER            6021
#define IDC_IN_BROWSE                   6022

// Texts of the dialog's lists and pickers.
#define IDS_FIELD_TYPE_TEXT             159
#define IDS_FIELD_TYPE_NUMERIC          160
#define IDS_FIELD_TYPE_CURRENCY         161
#define IDS_ALL_PROFILES                163
#define IDS_PROFILES_OUT_OF_GROUPS      164
#define IDS_COLUMN_NAME                 165
#define IDS_SELECT_FORM_FOLDER          182
#define IDS_COLUMN_VALUE                414
#define IDS_COLUMN_TYPE                 61690
