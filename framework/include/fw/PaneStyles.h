// Styles, ids and messages shared by the bars and panes of the feature-pack frames. Plain #defines
// where resource scripts may need them; the registered messages are registered once per process.
#pragma once
#include <windows.h>

#ifndef RC_INVOKED
#include "fw/FwApi.h"
#endif

// Bar styles (a pane's GetPaneStyle): the side it is aligned to, the borders it draws, tool tips,
// fly-by prompts in the status bar, and how it sizes itself.
#define CBRS_FLOATING 0x0001L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_NOALIGN 0x00000000L
#define CBRS_ALL 0x0040FFFFL

// What the user may do with a pane (its control-bar style).
#define AFX_CBRS_FLOAT 0x0001
#define AFX_CBRS_AUTOHIDE 0x0002
#define AFX_CBRS_RESIZE 0x0004
#define AFX_CBRS_CLOSE 0x0008
#define AFX_CBRS_AUTO_ROLLUP 0x0010
#define AFX_CBRS_REGULAR_TABS 0x0020
#define AFX_CBRS_OUTLOOK_TABS 0x0040
#define AFX_DEFAULT_DOCKING_PANE_STYLE (AFX_CBRS_FLOAT | AFX_CBRS_CLOSE | AFX_CBRS_RESIZE | AFX_CBRS_AUTOHIDE)
#define AFX_DEFAULT_PANE_STYLE (AFX_CBRS_FLOAT | AFX_CBRS_CLOSE)
#define AFX_DEFAULT_TOOLBAR_STYLE (WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE)

// Tool-bar control styles a bar passes to CreateEx.
#ifndef TBSTYLE_FLAT
#define TBSTYLE_FLAT 0x0800
#endif

// The sides a pane is docked to by DockPane.
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_MENUBAR 0xE81A
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
// Tool bars the user makes in the customize dialog take these ids (59432 to 59441).
#define AFX_IDW_USER_TOOLBAR_FIRST (AFX_IDW_CONTROLBAR_FIRST + 40)
#define AFX_IDW_USER_TOOLBAR_LAST (AFX_IDW_CONTROLBAR_FIRST + 49)

// Status-bar indicators and the idle prompt.
#define ID_SEPARATOR 0
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define AFX_IDS_IDLEMESSAGE 0xE001
// Sent to a frame to show a command's prompt (wParam: string id) or a text (lParam) in its status bar.
#define WM_SETMESSAGESTRING 0x0362
#define WM_POPMESSAGESTRING 0x0375

#ifndef RC_INVOKED  // resource scripts take the ids above
// Docking modes of the docking manager.
enum AFX_DOCK_TYPE { DT_UNDEFINED = 0, DT_IMMEDIATE = 1, DT_STANDARD = 2, DT_SMART = 0x80 };

// Registered messages of the feature-pack classes (registered when the framework DLL loads):
// AFX_WM_RESETTOOLBAR     a tool bar was loaded or reset; wParam: its resource id; to the frame.
// AFX_WM_CHANGE_ACTIVE_TAB a tab control's active tab changed; wParam: the new index; to the
//                          tab control's parent (a tabbed pane passes it on) and, for the MDI
//                          tabs, to the main frame.
// AFX_WM_CHANGING_ACTIVE_TAB the active tab is about to change (wParam: the new index).
// AFX_WM_PROPERTY_CHANGED  a property-grid row was edited; wParam: the grid's id, lParam: the row;
//                          to the grid's owner.
// AFX_WM_TOOLBARMENU       the pane context menu is about to show (lParam: screen point).
// AFX_WM_CUSTOMIZETOOLBAR  the customize dialog opened (wParam TRUE) or closed (FALSE).
// AFX_WM_CREATETOOLBAR, AFX_WM_DELETETOOLBAR  a user tool bar is made / removed in the dialog.
// AFX_WM_CHANGEVISUALMANAGER the application look changed; to every top-level frame.
// AFX_WM_ON_PRESS_CLOSE_BUTTON a pane's close button was pressed (lParam: the pane).
extern FW_API const UINT AFX_WM_RESETTOOLBAR;
extern FW_API const UINT AFX_WM_CHANGE_ACTIVE_TAB;
extern FW_API const UINT AFX_WM_CHANGING_ACTIVE_TAB;
extern FW_API const UINT AFX_WM_PROPERTY_CHANGED;
extern FW_API const UINT AFX_WM_TOOLBARMENU;
extern FW_API const UINT AFX_WM_CUSTOMIZETOOLBAR;
extern FW_API const UINT AFX_WM_CREATETOOLBAR;
extern FW_API const UINT AFX_WM_DELETETOOLBAR;
extern FW_API const UINT AFX_WM_CHANGEVISUALMANAGER;
extern FW_API const UINT AFX_WM_ON_PRESS_CLOSE_BUTTON;
#endif  // RC_INVOKED
