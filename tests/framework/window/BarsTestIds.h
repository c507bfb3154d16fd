// Ids of the bar tests' resources: one list, used by BarsTest.rc and the tests.
#pragma once

#define IDR_BARS_FRAME 200      // the frame's menu, accelerators and title
#define IDR_MAIN_BAR 210        // TOOLBAR and BITMAP: the bar whose placeholders a reset replaces
#define IDR_TOOLS_BAR 211       // TOOLBAR and BITMAP: a second bar
#define IDR_MISSING_BAR 212     // no such resource
#define IDR_WORD_BAR 213        // a TOOLBAR resource in the standard layout of 16-bit fields
#define IDR_BROKEN_BAR 214      // a TOOLBAR resource whose count does not match its ids
#define IDM_SPELL_MENU 220      // the menu button's menu
#define IDR_BARS_MDI 230        // the multiple-document frame's menu, with a Window menu

// Commands.
#define ID_T_OPEN 33000
#define ID_T_SAVE 33001
#define ID_T_CUT 33002
#define ID_T_COPY 33003
#define ID_T_ZOOM 33004         // placeholder of the editable combo box
#define ID_T_SPELL 33005        // placeholder of the menu button
#define ID_T_SNAP 33006         // a check button
#define ID_T_RECNUM 33007       // placeholder of the edit box
#define ID_T_NOHANDLER 33008    // nobody handles it
#define ID_T_ERASE 33009        // the pick-only combo box a reset appends
#define ID_T_CUSTOMIZE 33010
#define ID_T_DRAW_LINE 33011
#define ID_T_DRAW_RECT 33012
#define ID_T_SPELL_EN 33013
#define ID_T_SPELL_DE 33014
#define ID_T_UNDO 33015
#define ID_T_NUMLOCK_ON 33016   // not a command: the frame's handler keeps the NUM indicator on
