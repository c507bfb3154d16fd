// Message maps: each class that handles messages or commands keeps a static table of entries and a
// link to its base class's table; dispatch walks the tables from the most derived class upwards.
// The macros below check a handler's signature at compile time (static_cast to the exact member
// type) and store it type-erased; dispatch casts it back to the same type before the call.
#pragma once
#include <windows.h>

class CCmdTarget;
class CWnd;
class CDC;
class CCmdUI;
class CMenu;
class CScrollBar;

typedef void (CCmdTarget::*AFX_PMSG)();

// How dispatch calls a handler; one value per handler signature.
enum AfxSig : UINT {
  AfxSig_end = 0,
  AfxSig_v_v,          // void ()
  AfxSig_i_CREATE,     // int (LPCREATESTRUCT)
  AfxSig_v_u_ii,       // void (UINT, int, int)            WM_SIZE
  AfxSig_v_ii,         // void (int, int)                  WM_MOVE
  AfxSig_b_D,          // BOOL (CDC*)                      WM_ERASEBKGND
  AfxSig_v_uptr,       // void (UINT_PTR)                  WM_TIMER
  AfxSig_v_u_p,        // void (UINT, CPoint)              mouse buttons and moves
  AfxSig_b_u_s_p,      // BOOL (UINT, short, CPoint)       WM_MOUSEWHEEL
  AfxSig_v_uuu,        // void (UINT, UINT, UINT)          keys and characters
  AfxSig_v_W,          // void (CWnd*)                     focus
  AfxSig_v_W_p,        // void (CWnd*, CPoint)             WM_CONTEXTMENU
  AfxSig_v_drop,       // void (HDROP)                     WM_DROPFILES
  AfxSig_b_W_copy,     // BOOL (CWnd*, COPYDATASTRUCT*)    WM_COPYDATA
  AfxSig_v_minmax,     // void (MINMAXINFO*)               WM_GETMINMAXINFO
  AfxSig_b_W_uu,       // BOOL (CWnd*, UINT, UINT)         WM_SETCURSOR
  AfxSig_v_uu_SB,      // void (UINT, UINT, CScrollBar*)   WM_HSCROLL, WM_VSCROLL
  AfxSig_h_D_W_u,      // HBRUSH (CDC*, CWnd*, UINT)       WM_CTLCOLOR*
  AfxSig_v_M_u_b,      // void (CMenu*, UINT, BOOL)        WM_INITMENUPOPUP
  AfxSig_v_u_W_b,      // void (UINT, CWnd*, BOOL)         WM_ACTIVATE
  AfxSig_v_b_u,        // void (BOOL, UINT)                WM_SHOWWINDOW
  AfxSig_v_b_W_W,      // void (BOOL, CWnd*, CWnd*)        WM_MDIACTIVATE
  AfxSig_v_wndpos,     // void (WINDOWPOS*)                WM_WINDOWPOSCHANGED/-ING
  AfxSig_h_D_u,        // HBRUSH (CDC*, UINT)              reflected WM_CTLCOLOR*
  AfxSig_l_w_l,        // LRESULT (WPARAM, LPARAM)         ON_MESSAGE, registered messages
  AfxSig_cmd,          // void ()                          ON_COMMAND, control notifications
  AfxSig_cmd_range,    // void (UINT)                      ON_COMMAND_RANGE
  AfxSig_cmd_ui,       // void (CCmdUI*)                   ON_UPDATE_COMMAND_UI(_RANGE)
  AfxSig_notify,       // void (NMHDR*, LRESULT*)          ON_NOTIFY
  AfxSig_notify_range, // void (UINT, NMHDR*, LRESULT*)    ON_NOTIFY_RANGE
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;              // window message; WM_COMMAND or WM_NOTIFY for command entries
  UINT nCode;                 // command code or notification code
  UINT nID;                   // first control or command id
  UINT nLastID;               // last id of a range (== nID otherwise)
  UINT nSig;                  // AfxSig
  const UINT* pRegistered;    // the variable holding a registered message, else null
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// What OnCmdMsg receives in pExtra for a WM_NOTIFY notification.
struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

// Command codes passed to OnCmdMsg besides the control notification codes.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (static_cast<UINT>(-1))
// A WM_NOTIFY code travels through OnCmdMsg with WM_NOTIFY in its high word.
#define FW_NOTIFY_CODE(code) static_cast<int>(MAKELONG(static_cast<UINT>(code) & 0xFFFF, WM_NOTIFY))

#ifndef afx_msg
#define afx_msg
#endif

#define DECLARE_MESSAGE_MAP()                           \
 protected:                                             \
  static const AFX_MSGMAP* GetThisMessageMap();         \
  const AFX_MSGMAP* GetMessageMap() const override;     \
                                                        \
 protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                         \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }    \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                    \
    typedef theClass ThisClass;                                                        \
    typedef baseClass TheBaseClass;                                                    \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                              \
  {0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};                                         \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                  \
  }

// One entry; `type` is the exact handler type the dispatcher will call through.
#define FW_MSG_ENTRY(msg, code, id, lastId, sig, reg, type, fn) \
  {msg, static_cast<UINT>(code), id, lastId, sig, reg,           \
   reinterpret_cast<AFX_PMSG>(static_cast<type>(&ThisClass::fn))},
#define FW_WM(msg, sig, type, fn) FW_MSG_ENTRY(msg, 0, 0, 0, sig, nullptr, type, fn)

// Window messages.
#define ON_WM_CREATE() FW_WM(WM_CREATE, AfxSig_i_CREATE, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() FW_WM(WM_DESTROY, AfxSig_v_v, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() FW_WM(WM_NCDESTROY, AfxSig_v_v, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() FW_WM(WM_CLOSE, AfxSig_v_v, void (CWnd::*)(), OnClose)
#define ON_WM_SIZE() FW_WM(WM_SIZE, AfxSig_v_u_ii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() FW_WM(WM_MOVE, AfxSig_v_ii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_PAINT() FW_WM(WM_PAINT, AfxSig_v_v, void (CWnd::*)(), OnPaint)
#define ON_WM_ERASEBKGND() FW_WM(WM_ERASEBKGND, AfxSig_b_D, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_TIMER() FW_WM(WM_TIMER, AfxSig_v_uptr, void (CWnd::*)(UINT_PTR), OnTimer)
#define FW_WM_MOUSE(msg, fn) FW_WM(msg, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), fn)
#define ON_WM_LBUTTONDOWN() FW_WM_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() FW_WM_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() FW_WM_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() FW_WM_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() FW_WM_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() FW_WM_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() FW_WM_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() FW_WM_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEMOVE() FW_WM_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEWHEEL() \
  FW_WM(WM_MOUSEWHEEL, AfxSig_b_u_s_p, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_MOUSELEAVE() FW_WM(WM_MOUSELEAVE, AfxSig_v_v, void (CWnd::*)(), OnMouseLeave)
#define FW_WM_KEY(msg, fn) FW_WM(msg, AfxSig_v_uuu, void (CWnd::*)(UINT, UINT, UINT), fn)
#define ON_WM_KEYDOWN() FW_WM_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() FW_WM_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() FW_WM_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() FW_WM_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SETFOCUS() FW_WM(WM_SETFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() FW_WM(WM_KILLFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CONTEXTMENU() \
  FW_WM(WM_CONTEXTMENU, AfxSig_v_W_p, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_DROPFILES() FW_WM(WM_DROPFILES, AfxSig_v_drop, void (CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_COPYDATA() \
  FW_WM(WM_COPYDATA, AfxSig_b_W_copy, BOOL (CWnd::*)(CWnd*, COPYDATASTRUCT*), OnCopyData)
#define ON_WM_GETMINMAXINFO() \
  FW_WM(WM_GETMINMAXINFO, AfxSig_v_minmax, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_SETCURSOR() \
  FW_WM(WM_SETCURSOR, AfxSig_b_W_uu, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_HSCROLL() \
  FW_WM(WM_HSCROLL, AfxSig_v_uu_SB, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() \
  FW_WM(WM_VSCROLL, AfxSig_v_uu_SB, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_CTLCOLOR() \
  FW_WM(WM_CTLCOLORSTATIC, AfxSig_h_D_W_u, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor) \
  FW_WM(WM_CTLCOLOREDIT, AfxSig_h_D_W_u, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)   \
  FW_WM(WM_CTLCOLORDLG, AfxSig_h_D_W_u, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_INITMENUPOPUP() \
  FW_WM(WM_INITMENUPOPUP, AfxSig_v_M_u_b, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_ACTIVATE() \
  FW_WM(WM_ACTIVATE, AfxSig_v_u_W_b, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_SHOWWINDOW() \
  FW_WM(WM_SHOWWINDOW, AfxSig_v_b_u, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_MDIACTIVATE() \
  FW_WM(WM_MDIACTIVATE, AfxSig_v_b_W_W, void (CWnd::*)(BOOL, CWnd*, CWnd*), OnMDIActivate)
#define ON_WM_WINDOWPOSCHANGED() \
  FW_WM(WM_WINDOWPOSCHANGED, AfxSig_v_wndpos, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)

// A control colours itself: the parent's WM_CTLCOLOR* message is offered to the control first, as
// WM_REFLECT_BASE + WM_CTLCOLOR with the CTLCOLOR_ kind; a brush it returns is the answer.
#define WM_REFLECT_BASE 0xBC00
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
#define ON_WM_CTLCOLOR_REFLECT() \
  FW_WM(WM_REFLECT_BASE + WM_CTLCOLOR, AfxSig_h_D_u, HBRUSH (CWnd::*)(CDC*, UINT), CtlColor)

// Any message, and messages registered at run time (`var` holds the RegisterWindowMessage result).
#define ON_MESSAGE(msg, fn) \
  FW_MSG_ENTRY(msg, 0, 0, 0, AfxSig_l_w_l, nullptr, LRESULT (CWnd::*)(WPARAM, LPARAM), fn)
#define ON_REGISTERED_MESSAGE(var, fn) \
  FW_MSG_ENTRY(0xC000, 0, 0, 0, AfxSig_l_w_l, &var, LRESULT (CWnd::*)(WPARAM, LPARAM), fn)

// Commands (menus, accelerators, tool bars) and their user-interface state.
#define ON_COMMAND(id, fn) \
  FW_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, AfxSig_cmd, nullptr, void (CCmdTarget::*)(), fn)
#define ON_COMMAND_RANGE(id, lastId, fn)                                          \
  FW_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, lastId, AfxSig_cmd_range, nullptr,    \
               void (CCmdTarget::*)(UINT), fn)
#define ON_UPDATE_COMMAND_UI(id, fn)                                                  \
  FW_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, AfxSig_cmd_ui, nullptr,      \
               void (CCmdTarget::*)(CCmdUI*), fn)
#define ON_UPDATE_COMMAND_UI_RANGE(id, lastId, fn)                                    \
  FW_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, lastId, AfxSig_cmd_ui, nullptr,  \
               void (CCmdTarget::*)(CCmdUI*), fn)

// Control notifications through WM_COMMAND and WM_NOTIFY.
#define ON_CONTROL(code, id, fn) \
  FW_MSG_ENTRY(WM_COMMAND, code, id, id, AfxSig_cmd, nullptr, void (CCmdTarget::*)(), fn)
#define ON_CONTROL_RANGE(code, id, lastId, fn) \
  FW_MSG_ENTRY(WM_COMMAND, code, id, lastId, AfxSig_cmd_range, nullptr, void (CCmdTarget::*)(UINT), fn)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_NOTIFY(code, id, fn)                                                      \
  FW_MSG_ENTRY(WM_NOTIFY, code, id, id, AfxSig_notify, nullptr,                      \
               void (CCmdTarget::*)(NMHDR*, LRESULT*), fn)
#define ON_NOTIFY_RANGE(code, id, lastId, fn)                                        \
  FW_MSG_ENTRY(WM_NOTIFY, code, id, lastId, AfxSig_notify_range, nullptr,            \
               void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), fn)
