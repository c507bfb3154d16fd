// The visual manager: one object per process that draws the bars, buttons, pane captions, tabs,
// dividers, the status bar and the property grid in the colours of the application look. Every
// feature-pack control paints through GetInstance(), so changing the manager (SetDefaultManager)
// and redrawing the frame changes the look of everything at once.
//
// A look is a palette plus a few shape choices; each look class below only fills them in.
#pragma once
#include "fw/FwBase.h"
#include "fw/Gdi.h"

class CDC;
class CWnd;
class CBasePane;

// The colours and shape choices of one look.
struct FW_API FwLookPalette {
  COLORREF barFace;            // tool bars, menu bar, status bar, pane backgrounds
  COLORREF barFaceLight;       // the light end of a bar's gradient (== barFace when flat)
  COLORREF barBorder;          // lines around bars and panes
  COLORREF gripper;            // the dots or lines of a bar's gripper
  COLORREF separator;          // separators between button groups
  COLORREF buttonHot;          // a button under the mouse
  COLORREF buttonHotBorder;
  COLORREF buttonPressed;      // a pressed or checked-and-hot button
  COLORREF buttonChecked;      // a checked button
  COLORREF text;               // bar and menu text
  COLORREF textDisabled;
  COLORREF textHot;            // text of a hot button or an open menu-bar item
  COLORREF captionActive;      // caption of the active pane
  COLORREF captionActiveLight;
  COLORREF captionInactive;
  COLORREF captionText;
  COLORREF captionTextInactive;
  COLORREF tabArea;            // behind the tabs
  COLORREF tabActive;
  COLORREF tabInactive;
  COLORREF tabText;
  COLORREF tabBorder;
  COLORREF workspace;          // MDI client area behind the documents
  COLORREF divider;            // sliders between docked panes
  COLORREF gridGroup;          // property grid: group rows and the left margin
  COLORREF gridGroupText;
  COLORREF gridLine;
  COLORREF progress;           // progress bars in the status bar
  BOOL gradientBars;           // bars filled with a gradient from barFaceLight to barFace
  BOOL roundedTabs;            // tabs drawn with slanted sides
  BOOL flatButtons;            // hot buttons drawn as flat boxes (else 3-D edges)
};

class FW_API CMFCVisualManager : public CObject {
  DECLARE_DYNCREATE(CMFCVisualManager)
 public:
  // The state of a tool-bar or menu-bar button as drawn.
  enum AFX_BUTTON_STATE { ButtonsIsRegular, ButtonsIsPressed, ButtonsIsHighlighted };
  // Caption buttons of a dockable pane.
  enum AFX_CAPTION_BUTTON { CaptionClose, CaptionPin, CaptionMenu };

  CMFCVisualManager();
  ~CMFCVisualManager() override;

  // Makes a new object of `pRTI` (a CMFCVisualManager class) the process's manager and asks every
  // top-level window of the thread to redraw. A class that is not a manager is refused.
  static void SetDefaultManager(CRuntimeClass* pRTI);
  // The current manager; the basic look when none was chosen.
  static CMFCVisualManager* GetInstance();
  static void DestroyInstance();

  const FwLookPalette& Palette() const { return m_palette; }
  // The smart-docking markers are offered with this look.
  virtual BOOL IsSmartDockingLook() const { return FALSE; }

  // Bars and panes.
  virtual void OnFillBarBackground(CDC* pDC, CBasePane* pBar, CRect rectClient, CRect rectClip, BOOL bNCArea = FALSE);
  virtual void OnDrawPaneBorder(CDC* pDC, CBasePane* pBar, CRect& rect);
  virtual void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CBasePane* pBar);
  virtual void OnDrawSeparator(CDC* pDC, CBasePane* pBar, CRect rect, BOOL bIsHoriz);
  // Buttons of tool bars and the menu bar (`checked`, `disabled` as the button is).
  virtual void OnFillButtonInterior(CDC* pDC, CRect rect, AFX_BUTTON_STATE state, BOOL checked);
  virtual void OnDrawButtonBorder(CDC* pDC, CRect rect, AFX_BUTTON_STATE state, BOOL checked);
  virtual COLORREF GetButtonTextColor(AFX_BUTTON_STATE state, BOOL disabled);
  // Drop-down arrow of a menu button or combo box.
  virtual void OnDrawMenuArrow(CDC* pDC, CRect rect, BOOL disabled);

  // Pane captions and their buttons; returns the caption's text colour.
  virtual COLORREF OnFillCaption(CDC* pDC, CRect rectCaption, BOOL bActive);
  virtual void OnDrawCaptionButton(CDC* pDC, CRect rect, AFX_CAPTION_BUTTON kind, BOOL bActive, BOOL bHot,
                                   BOOL bPressed, BOOL bPinned = FALSE);

  // Tabs: the strip behind them and each tab; returns the tab's text colour.
  virtual void OnEraseTabsArea(CDC* pDC, CRect rect);
  virtual COLORREF OnDrawTab(CDC* pDC, CRect rectTab, BOOL bIsActive, BOOL bBottom, BOOL bOneNote, COLORREF tabColor);

  // Dividers between docked panes, and the auto-hide buttons along a frame's edge.
  virtual void OnDrawDivider(CDC* pDC, CRect rect, BOOL bHorz);
  virtual void OnDrawAutoHideButton(CDC* pDC, CRect rect, BOOL bHot);

  // The status bar: a pane's border and a progress pane.
  virtual void OnDrawStatusBarPaneBorder(CDC* pDC, CRect rectPane);
  virtual void OnDrawStatusBarProgress(CDC* pDC, CRect rectProgress, int nTotal, int nCurrent);

  // The MDI client behind the documents.
  virtual void OnFillWorkspace(CDC* pDC, CRect rect);

  // Property grid colours.
  COLORREF GetGridGroupColor() const { return m_palette.gridGroup; }
  COLORREF GetGridGroupTextColor() const { return m_palette.gridGroupText; }
  COLORREF GetGridLineColor() const { return m_palette.gridLine; }

  // The property grid's and the colour controls' shapes (VisualManagerGrid.cpp).
  // The +/- box of an expandable grid row; `bIsOpened` draws the minus.
  virtual void OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox);
  // One cell of the grid's header strip.
  virtual void OnDrawGridHeaderItem(CDC* pDC, CRect rect);
  // A small push button inside a control (the grid's "..." and list buttons, the colour button's
  // face); returns the colour for what is drawn on it.
  virtual COLORREF OnDrawControlButton(CDC* pDC, CRect rect, BOOL bPressed, BOOL bHot, BOOL bDisabled);
  // A colour swatch: a palette cell, the sample of a colour row or of a colour button.
  virtual void OnDrawColorCell(CDC* pDC, CRect rect, COLORREF color, BOOL bSelected, BOOL bHot);
  // The colour palette pop-up's background and border.
  virtual void OnFillColorPopup(CDC* pDC, CRect rect);

 protected:
  // Fills `rect` with a vertical (`vertical`) or horizontal gradient from `from` to `to`.
  static void FillGradient(CDC* pDC, CRect rect, COLORREF from, COLORREF to, BOOL vertical);
  static void FillSolid(CDC* pDC, CRect rect, COLORREF color);
  static void FrameSolid(CDC* pDC, CRect rect, COLORREF color);
  FwLookPalette m_palette;
};

// The looks of the View > Application Appearance menus.
class FW_API CMFCVisualManagerOfficeXP : public CMFCVisualManager {
  DECLARE_DYNCREATE(CMFCVisualManagerOfficeXP)
 public:
  CMFCVisualManagerOfficeXP();
};

class FW_API CMFCVisualManagerWindows : public CMFCVisualManager {
  DECLARE_DYNCREATE(CMFCVisualManagerWindows)
 public:
  CMFCVisualManagerWindows();
  // Tabs drawn in the XP theme's 3-D style.
  static BOOL m_b3DTabsXPTheme;
};

class FW_API CMFCVisualManagerOffice2003 : public CMFCVisualManager {
  DECLARE_DYNCREATE(CMFCVisualManagerOffice2003)
 public:
  CMFCVisualManagerOffice2003();
  BOOL IsSmartDockingLook() const override { return TRUE; }
};

class FW_API CMFCVisualManagerVS2005 : public CMFCVisualManager {
  DECLARE_DYNCREATE(CMFCVisualManagerVS2005)
 public:
  CMFCVisualManagerVS2005();
  BOOL IsSmartDockingLook() const override { return TRUE; }
};

class FW_API CMFCVisualManagerVS2008 : public CMFCVisualManager {
  DECLARE_DYNCREATE(CMFCVisualManagerVS2008)
 public:
  CMFCVisualManagerVS2008();
  BOOL IsSmartDockingLook() const override { return TRUE; }
};

class FW_API CMFCVisualManagerOffice2007 : public CMFCVisualManager {
  DECLARE_DYNCREATE(CMFCVisualManagerOffice2007)
 public:
  enum Style { Office2007_LunaBlue, Office2007_ObsidianBlack, Office2007_Aqua, Office2007_Silver };
  CMFCVisualManagerOffice2007();
  BOOL IsSmartDockingLook() const override { return TRUE; }
  // The style the next Office 2007 manager is made with.
  static void SetStyle(Style style);
  static Style GetStyle();

 private:
  static Style s_style;
};

class FW_API CMFCVisualManagerWindows7 : public CMFCVisualManager {
  DECLARE_DYNCREATE(CMFCVisualManagerWindows7)
 public:
  CMFCVisualManagerWindows7();
  BOOL IsSmartDockingLook() const override { return TRUE; }
};
