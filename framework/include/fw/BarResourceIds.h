// Ids of the framework's own bar resources: the texts of the customize dialog and the chevron menu,
// and the controls of the customize dialog's pages. Plain #defines: the resource scripts include
// this file. The strings sit in a block programs leave alone, so a program's string table never
// hides them.
#pragma once

// Strings.
#define IDS_FW_CUSTOMIZE_TITLE 0x7B00
#define IDS_FW_PAGE_COMMANDS 0x7B01
#define IDS_FW_PAGE_TOOLBARS 0x7B02
#define IDS_FW_PAGE_OPTIONS 0x7B03
#define IDS_FW_CATEGORIES 0x7B04
#define IDS_FW_COMMANDS 0x7B05
#define IDS_FW_ALL_COMMANDS 0x7B06
#define IDS_FW_ADD_TO_TOOLBAR 0x7B08
#define IDS_FW_TOOLBARS 0x7B0A
#define IDS_FW_NEW 0x7B0B
#define IDS_FW_RENAME 0x7B0C
#define IDS_FW_DELETE 0x7B0D
#define IDS_FW_RESET 0x7B0E
#define IDS_FW_TEXT_LABELS 0x7B0F
#define IDS_FW_SHOW_TOOLTIPS 0x7B10
#define IDS_FW_MENU_SHADOWS 0x7B11
#define IDS_FW_MENU_ANIMATIONS 0x7B12
#define IDS_FW_ANIMATION_SYSTEM 0x7B13
#define IDS_FW_ANIMATION_UNFOLD 0x7B14
#define IDS_FW_ANIMATION_SLIDE 0x7B15
#define IDS_FW_ANIMATION_FADE 0x7B16
#define IDS_FW_ANIMATION_NONE 0x7B17
#define IDS_FW_TOOLBAR_NAME_TITLE 0x7B18
#define IDS_FW_TOOLBAR_NAME 0x7B19
#define IDS_FW_NEW_TOOLBAR_NAME 0x7B1A
#define IDS_FW_OK 0x7B1B
#define IDS_FW_CANCEL 0x7B1C
#define IDS_FW_CLOSE 0x7B1D
#define IDS_FW_ADD_REMOVE_BUTTONS 0x7B1E
#define IDS_FW_TOOLBAR_TO_ADD 0x7B1F
#define IDS_FW_SHOW_FULL_MENU 0x7B20

// The last entry of a personalised pop-up: it shows the whole menu. Taken by the menu bar itself,
// it never reaches a frame.
#define ID_FW_SHOW_FULL_MENU 0xE1F0

// Controls of the customize dialog's pages and of the tool-bar name prompt.
#define IDC_FW_CATEGORIES 0x7C00
#define IDC_FW_COMMANDS 0x7C01
#define IDC_FW_DESCRIPTION 0x7C02
#define IDC_FW_TARGET_TOOLBAR 0x7C03
#define IDC_FW_ADD_TO_TOOLBAR 0x7C04
#define IDC_FW_TOOLBARS 0x7C10
#define IDC_FW_NEW 0x7C11
#define IDC_FW_RENAME 0x7C12
#define IDC_FW_DELETE 0x7C13
#define IDC_FW_RESET 0x7C14
#define IDC_FW_TEXT_LABELS 0x7C15
#define IDC_FW_SHOW_TOOLTIPS 0x7C20
#define IDC_FW_MENU_SHADOWS 0x7C21
#define IDC_FW_MENU_ANIMATIONS 0x7C22
#define IDC_FW_TOOLBAR_NAME 0x7C30
#define IDC_FW_STATIC 0x7C3F
