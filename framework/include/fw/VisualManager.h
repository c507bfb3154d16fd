// The visual manager: one object per process that draws the bars, buttons, menus, pane captions,
// tabs, dividers, the status bar, tool tips and the property grid in the colours of the
// application look. Every feature-pack control paints through GetInstance(), so changing the
// manager (SetDefaultManager) changes the look of everything at once: SetDefaultManager itself
// tells the frames (AFX_WM_CHANGEVISUALMANAGER) and redraws every window of the thread.
//
// A look is a palette plus a few shape choices; each look class only fills them in, so every look
// draws every element, and a control never needs to know which look is current.
#pragma once
#include "fw/FwBase.h"
#include "fw/Gdi.h"

class CDC;
class CWnd;
class CBasePane;
class CMFCToolTipInfo;
class CMFCToolTipCtrl;

// How a look shapes its elements.
enum FwTabShape {
  FwTabRaised3D,   // rectangles with light and dark edges, the active one raised
  FwTabFlat,       // the active tab a flat box, the others only separated by lines
  FwTabThemed,     // rounded top corners and a coloured line along the active tab's outer edge
  FwTabSlanted,    // the leading side slanted, filled with a gradient
  FwTabRounded     // both corners of the outer edge rounded, filled with a gradient
};
enum FwButtonShape {
  FwButtonRaised3D,  // hot buttons raised, pressed and checked ones sunken
  FwButtonFlatBox,   // hot buttons a flat box with a one-pixel border
  FwButtonGlossy     // hot buttons a rounded box with a vertical gradient
};
enum FwGripperStyle {
  FwGripperLines,  // two raised lines
  FwGripperDots    // a row of dots, each with a light shadow
};
enum FwEdgeStyle {
  FwEdge3D,    // sunken or raised 3-D edges (status-bar panes, dividers)
  FwEdgeFlat,  // a one-pixel line
  FwEdgeNone   // nothing: the element is shown by its fill alone
};

// The colours and shape choices of one look. Pairs named X and XLight are the two ends of a
// gradient (equal when the look fills that element flat).
struct FW_API FwLookPalette {
  // Tool bars, the menu bar, dockable panes.
  COLORREF barFace;            // the dark end of a bar's gradient, or its flat colour
  COLORREF barFaceLight;       // the light end (the bar's top or left edge)
  COLORREF barBorder;          // lines around bars and panes
  COLORREF paneFace;           // the client area of a dockable pane
  COLORREF gripper;            // the dots or lines of a bar's gripper
  COLORREF gripperLight;       // their light shadow
  COLORREF separator;          // separators between button groups
  COLORREF separatorLight;     // the light line beside a separator (== separator for one line)
  // Buttons of tool bars.
  COLORREF buttonHot;          // a button under the mouse (the gradient's bottom for glossy buttons)
  COLORREF buttonHotLight;     // the gradient's top
  COLORREF buttonHotBorder;
  COLORREF buttonPressed;      // a pressed button, or a checked one under the mouse
  COLORREF buttonPressedLight;
  COLORREF buttonChecked;      // a checked button
  COLORREF text;               // bar text
  COLORREF textDisabled;
  COLORREF textHot;            // text of a hot button
  // The menu bar's items.
  COLORREF menuBarHot;         // an item under the mouse (the gradient's bottom)
  COLORREF menuBarHotLight;    // the gradient's top
  COLORREF menuBarHotBorder;
  COLORREF menuBarOpen;        // the item whose menu is open (joins the pop-up)
  COLORREF menuBarOpenLight;
  COLORREF menuBarTextHot;
  // Pop-up menus.
  COLORREF menuFace;           // behind the items
  COLORREF menuGutter;         // the strip behind the items' images (its right end)
  COLORREF menuGutterLight;    // its left end
  COLORREF menuBorder;
  COLORREF menuSeparator;
  COLORREF menuHighlight;      // the item under the mouse (the gradient's bottom)
  COLORREF menuHighlightLight;
  COLORREF menuHighlightBorder;  // == menuHighlight when the look draws no border
  COLORREF menuText;
  COLORREF menuTextHighlight;
  COLORREF menuTextDisabled;
  COLORREF menuCheck;          // the box behind a checked item's mark
  // Pane captions.
  COLORREF captionActive;      // the caption of the active pane (the gradient's start)
  COLORREF captionActiveLight; // the gradient's end
  COLORREF captionInactive;
  COLORREF captionInactiveLight;
  COLORREF captionBorder;      // a line around the caption, or CLR_NONE
  COLORREF captionText;
  COLORREF captionTextInactive;
  // Tabs.
  COLORREF tabArea;            // behind the tabs
  COLORREF tabActive;          // the active tab (the gradient's inner end)
  COLORREF tabActiveLight;     // the gradient's outer end
  COLORREF tabInactive;
  COLORREF tabInactiveLight;
  COLORREF tabText;
  COLORREF tabTextInactive;
  COLORREF tabBorder;
  COLORREF tabHotLine;         // the line along the active tab's outer edge (themed tabs)
  // The frame's other parts.
  COLORREF workspace;          // MDI client area behind the documents
  COLORREF divider;            // sliders between docked panes
  COLORREF dividerLight;       // their light edge (3-D dividers)
  COLORREF autoHideButton;     // the buttons of hidden panes along the frame's edge
  // The status bar.
  COLORREF statusBar;          // the gradient's bottom, or the flat colour
  COLORREF statusBarLight;
  COLORREF statusBarText;
  COLORREF statusPaneBorder;
  COLORREF sizeGrip;           // the size box's marks
  COLORREF sizeGripLight;
  COLORREF progress;           // progress bars (the gradient's bottom)
  COLORREF progressLight;
  // Tool tips.
  COLORREF toolTipFill;        // the gradient's start (top)
  COLORREF toolTipFillGradient;  // its end (== toolTipFill when flat)
  COLORREF toolTipText;
  COLORREF toolTipBorder;
  // The property grid.
  COLORREF gridBackground;
  COLORREF gridText;
  COLORREF gridGroup;          // group rows and the left margin
  COLORREF gridGroupText;
  COLORREF gridLine;
  COLORREF gridSelected;       // the selected row's name
  COLORREF gridSelectedText;
  // Shapes.
  BOOL gradientBars;           // bars filled with a gradient from barFaceLight to barFace
  BOOL roundedTabs;            // tabs not rectangular (FwTabThemed, FwTabSlanted, FwTabRounded)
  BOOL flatButtons;            // buttons drawn without 3-D edges
  BOOL verticalCaptions;       // caption gradients run from top to bottom (else left to right)
  FwTabShape tabShape;
  FwButtonShape buttonShape;
  FwGripperStyle gripperStyle;
  FwEdgeStyle statusPaneEdge;
  FwEdgeStyle dividerEdge;
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

  // Makes a new object of `pRTI` (a CMFCVisualManager class) the process's manager, sends
  // AFX_WM_CHANGEVISUALMANAGER to every top-level window of the thread that the framework knows
  // (the frames), then redraws each top-level window of the thread with all its children (invalidate,
  // erase, frame, update now). A class that is not a manager is refused and nothing changes.
  static void SetDefaultManager(CRuntimeClass* pRTI);
  // The current manager; the basic look when none was chosen.
  static CMFCVisualManager* GetInstance();
  static void DestroyInstance();
  // Redraws every top-level window of the calling thread and all their children now.
  static void RedrawAll();

  const FwLookPalette& Palette() const { return m_palette; }
  // The smart-docking markers are offered with this look.
  virtual BOOL IsSmartDockingLook() const { return FALSE; }

  // Bars and panes. The background follows the pane's kind: the status bar (id AFX_IDW_STATUS_BAR)
  // takes the status-bar colours, resizable panes their flat pane colour, and bars the bar
  // gradient across their thickness (top to bottom on a horizontal bar, left to right on a
  // vertical one). Without a pane, a bar is assumed.
  virtual void OnFillBarBackground(CDC* pDC, CBasePane* pBar, CRect rectClient, CRect rectClip, BOOL bNCArea = FALSE);
  virtual void OnDrawPaneBorder(CDC* pDC, CBasePane* pBar, CRect& rect);
  virtual void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CBasePane* pBar);
  virtual void OnDrawSeparator(CDC* pDC, CBasePane* pBar, CRect rect, BOOL bIsHoriz);
  // Buttons of tool bars (`checked` as the button is).
  virtual void OnFillButtonInterior(CDC* pDC, CRect rect, AFX_BUTTON_STATE state, BOOL checked);
  virtual void OnDrawButtonBorder(CDC* pDC, CRect rect, AFX_BUTTON_STATE state, BOOL checked);
  virtual COLORREF GetButtonTextColor(AFX_BUTTON_STATE state, BOOL disabled);
  // Drop-down arrow of a menu button or combo box.
  virtual void OnDrawMenuArrow(CDC* pDC, CRect rect, BOOL disabled);

  // An item of the menu bar: hot under the mouse, or open while its menu shows; returns the
  // colour of its text. A regular item is left to the bar's background.
  virtual COLORREF OnFillMenuBarButton(CDC* pDC, CRect rect, AFX_BUTTON_STATE state, BOOL bMenuOpen);
  // Pop-up menus: the background with the image strip of `nImageWidth` pixels at the left, the
  // border, a separator (`rect` the item's whole row), and the item under the mouse (returns the
  // colour of its text).
  virtual void OnFillPopupMenuBackground(CDC* pDC, CRect rect, int nImageWidth);
  virtual void OnDrawPopupMenuBorder(CDC* pDC, CRect rect);
  virtual void OnDrawMenuSeparator(CDC* pDC, CRect rect, int nImageWidth);
  virtual COLORREF OnHighlightMenuItem(CDC* pDC, CRect rect, BOOL bDisabled);
  virtual COLORREF GetMenuItemTextColor(BOOL bHighlighted, BOOL bDisabled);
  // The mark of a checked item (a tick, or a dot for a radio item) in the image strip's `rect`.
  virtual void OnDrawMenuCheck(CDC* pDC, CRect rect, BOOL bRadio, BOOL bHighlighted, BOOL bDisabled);

  // Pane captions and their buttons; returns the caption's text colour.
  virtual COLORREF OnFillCaption(CDC* pDC, CRect rectCaption, BOOL bActive);
  virtual void OnDrawCaptionButton(CDC* pDC, CRect rect, AFX_CAPTION_BUTTON kind, BOOL bActive, BOOL bHot,
                                   BOOL bPressed, BOOL bPinned = FALSE);

  // Tabs: the strip behind them and each tab; returns the tab's text colour. `tabColor` is a
  // colour the program gave the tab (CLR_DEFAULT or CLR_NONE for none).
  virtual void OnEraseTabsArea(CDC* pDC, CRect rect);
  virtual COLORREF OnDrawTab(CDC* pDC, CRect rectTab, BOOL bIsActive, BOOL bBottom, BOOL bOneNote, COLORREF tabColor);

  // Dividers between docked panes, and the auto-hide buttons along a frame's edge.
  virtual void OnDrawDivider(CDC* pDC, CRect rect, BOOL bHorz);
  virtual void OnDrawAutoHideButton(CDC* pDC, CRect rect, BOOL bHot);

  // The status bar: a pane's border, its text colour, a progress pane and the size box.
  virtual void OnDrawStatusBarPaneBorder(CDC* pDC, CRect rectPane);
  virtual COLORREF GetStatusBarPaneTextColor(BOOL bDisabled);
  virtual void OnDrawStatusBarProgress(CDC* pDC, CRect rectProgress, int nTotal, int nCurrent);
  virtual void OnDrawStatusBarSizeBox(CDC* pDC, CRect rectSizeBox);

  // The MDI client behind the documents.
  virtual void OnFillWorkspace(CDC* pDC, CRect rect);

  // Tool tips: the look's colours for a tool tip of type `nType` (AFX_TOOLTIP_TYPE_*), written
  // into the colour members of `params` (FALSE when the look has none of its own), and the
  // background with its border colour.
  virtual BOOL GetToolTipInfo(CMFCToolTipInfo& params, UINT nType = static_cast<UINT>(-1));
  virtual void OnFillToolTip(CDC* pDC, CMFCToolTipCtrl* pToolTip, CRect rect, COLORREF& clrText, COLORREF& clrLine);

  // Property grid colours.
  COLORREF GetGridGroupColor() const { return m_palette.gridGroup; }
  COLORREF GetGridGroupTextColor() const { return m_palette.gridGroupText; }
  COLORREF GetGridLineColor() const { return m_palette.gridLine; }
  COLORREF GetGridBackgroundColor() const { return m_palette.gridBackground; }
  COLORREF GetGridTextColor() const { return m_palette.gridText; }
  COLORREF GetGridSelectedColor() const { return m_palette.gridSelected; }
  COLORREF GetGridSelectedTextColor() const { return m_palette.gridSelectedText; }

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

  // Fills `rect` with a vertical (`vertical`) or horizontal gradient from `from` to `to`.
  static void FillGradient(CDC* pDC, CRect rect, COLORREF from, COLORREF to, BOOL vertical);
  // A blend of two colours: `percentOfA` percent of `a`.
  static COLORREF MixColors(COLORREF a, COLORREF b, int percentOfA);

 protected:
  // The shape tabs are drawn in now (a look may decide it at drawing time).
  virtual FwTabShape GetTabShape() const { return m_palette.tabShape; }
  static void FillSolid(CDC* pDC, CRect rect, COLORREF color);
  static void FrameSolid(CDC* pDC, CRect rect, COLORREF color);
  // A box with corners cut by `radius` pixels, filled with a vertical gradient and outlined.
  static void FillRoundedBox(CDC* pDC, CRect rect, int radius, COLORREF top, COLORREF bottom, COLORREF border);
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
  // Tabs drawn in the themed 3-D style (rounded, with the coloured line on the active tab);
  // read whenever a tab is drawn, so setting it before or after SetDefaultManager both count.
  static BOOL m_b3DTabsXPTheme;

 protected:
  FwTabShape GetTabShape() const override;
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
  // The style this manager was made with.
  Style GetCurrentStyle() const { return m_style; }

 private:
  static Style s_style;
  Style m_style;
};

class FW_API CMFCVisualManagerWindows7 : public CMFCVisualManager {
  DECLARE_DYNCREATE(CMFCVisualManagerWindows7)
 public:
  CMFCVisualManagerWindows7();
  BOOL IsSmartDockingLook() const override { return TRUE; }
};
