// The application looks as data: each look is a palette and its shape choices. The basic look takes
// the system's colours; the named looks carry fixed colours of their own, so a look change shows
// whatever the desktop's colours are.
#include "fw/VisualManager.h"

#include <commctrl.h>

IMPLEMENT_DYNCREATE(CMFCVisualManagerOfficeXP, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerWindows, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerOffice2003, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerVS2005, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerVS2008, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerOffice2007, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerWindows7, CMFCVisualManager)

namespace {

COLORREF Sys(int index) { return ::GetSysColor(index); }
COLORREF Mix(COLORREF a, COLORREF b, int percentOfA) { return CMFCVisualManager::MixColors(a, b, percentOfA); }

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// The colours a named look is built from; everything else is derived and then adjusted per look.
struct LookKeys {
  COLORREF face, faceLight;              // bars: dark and light ends
  COLORREF text;                         // text on bars, tabs and the status bar
  COLORREF hot, hotLight, hotBorder;     // a hot button
  COLORREF pressed, pressedLight;        // a pressed button
  COLORREF menuFace, gutter, gutterLight, menuBorder;
  COLORREF caption, captionLight, captionText;
  COLORREF captionInactive, captionInactiveLight, captionTextInactive;
  COLORREF tabActive, tabActiveLight, tabInactive, tabInactiveLight, tabBorder;
  COLORREF status, statusLight;
  COLORREF workspace;
  COLORREF toolTip, toolTipGradient, toolTipText, toolTipBorder;
};

FwLookPalette NamedLook(const LookKeys& k) {
  FwLookPalette p = {};
  p.barFace = k.face;
  p.barFaceLight = k.faceLight;
  p.barBorder = Mix(k.face, kBlack, 70);
  p.paneFace = Mix(k.faceLight, kWhite, 60);
  p.gripper = Mix(k.face, kBlack, 55);
  p.gripperLight = kWhite;
  p.separator = Mix(k.face, kBlack, 75);
  p.separatorLight = kWhite;
  p.buttonHot = k.hot;
  p.buttonHotLight = k.hotLight;
  p.buttonHotBorder = k.hotBorder;
  p.buttonPressed = k.pressed;
  p.buttonPressedLight = k.pressedLight;
  p.buttonChecked = Mix(k.hot, k.pressed, 50);
  p.text = k.text;
  p.textDisabled = RGB(141, 141, 141);
  p.textHot = kBlack;
  p.menuBarHot = k.hot;
  p.menuBarHotLight = k.hotLight;
  p.menuBarHotBorder = k.hotBorder;
  p.menuBarOpen = k.gutter;
  p.menuBarOpenLight = k.gutterLight;
  p.menuBarTextHot = kBlack;
  p.menuFace = k.menuFace;
  p.menuGutter = k.gutter;
  p.menuGutterLight = k.gutterLight;
  p.menuBorder = k.menuBorder;
  p.menuSeparator = Mix(k.gutter, kBlack, 80);
  p.menuHighlight = k.hot;
  p.menuHighlightLight = k.hotLight;
  p.menuHighlightBorder = k.hotBorder;
  p.menuText = kBlack;
  p.menuTextHighlight = kBlack;
  p.menuTextDisabled = p.textDisabled;
  p.menuCheck = Mix(k.hot, k.pressed, 50);
  p.captionActive = k.caption;
  p.captionActiveLight = k.captionLight;
  p.captionInactive = k.captionInactive;
  p.captionInactiveLight = k.captionInactiveLight;
  p.captionBorder = CLR_NONE;
  p.captionText = k.captionText;
  p.captionTextInactive = k.captionTextInactive;
  p.tabArea = k.face;
  p.tabActive = k.tabActive;
  p.tabActiveLight = k.tabActiveLight;
  p.tabInactive = k.tabInactive;
  p.tabInactiveLight = k.tabInactiveLight;
  p.tabText = k.text;
  p.tabTextInactive = Mix(k.text, k.tabInactive, 75);
  p.tabBorder = k.tabBorder;
  p.tabHotLine = k.hotBorder;
  p.workspace = k.workspace;
  p.divider = k.face;
  p.dividerLight = k.faceLight;
  p.autoHideButton = k.tabInactive;
  p.statusBar = k.status;
  p.statusBarLight = k.statusLight;
  p.statusBarText = k.text;
  p.statusPaneBorder = Mix(k.status, kBlack, 70);
  p.sizeGrip = Mix(k.status, kBlack, 55);
  p.sizeGripLight = kWhite;
  p.progress = k.hotBorder;
  p.progressLight = k.hot;
  p.toolTipFill = k.toolTip;
  p.toolTipFillGradient = k.toolTipGradient;
  p.toolTipText = k.toolTipText;
  p.toolTipBorder = k.toolTipBorder;
  p.gridBackground = kWhite;
  p.gridText = kBlack;
  p.gridGroup = Mix(k.face, kWhite, 60);
  p.gridGroupText = Mix(k.text, k.face, 85);
  p.gridLine = Mix(k.face, kWhite, 45);
  p.gridSelected = k.hot;
  p.gridSelectedText = kBlack;
  p.gradientBars = TRUE;
  p.flatButtons = TRUE;
  p.verticalCaptions = FALSE;
  p.tabShape = FwTabRounded;
  p.buttonShape = FwButtonFlatBox;
  p.gripperStyle = FwGripperDots;
  p.statusPaneEdge = FwEdgeNone;
  p.dividerEdge = FwEdgeNone;
  return p;
}

void SetTabShape(FwLookPalette& p, FwTabShape shape) {
  p.tabShape = shape;
  p.roundedTabs = shape == FwTabThemed || shape == FwTabSlanted || shape == FwTabRounded;
}

// The basic look ("Windows 2000"): the system's 3-D colours, raised buttons, etched lines, flat
// bars and captions in the system's caption gradient.
FwLookPalette BasicLook() {
  FwLookPalette p = {};
  const COLORREF face = Sys(COLOR_BTNFACE), shadow = Sys(COLOR_BTNSHADOW), light = Sys(COLOR_BTNHIGHLIGHT);
  p.barFace = p.barFaceLight = p.paneFace = face;
  p.barBorder = p.gripper = p.separator = shadow;
  p.gripperLight = p.separatorLight = light;
  p.buttonHot = p.buttonHotLight = p.buttonPressed = p.buttonPressedLight = face;
  p.buttonHotBorder = shadow;
  p.buttonChecked = Mix(face, light, 50);
  p.text = p.textHot = Sys(COLOR_BTNTEXT);
  p.textDisabled = Sys(COLOR_GRAYTEXT);
  p.menuBarHot = p.menuBarHotLight = p.menuBarOpen = p.menuBarOpenLight = face;
  p.menuBarHotBorder = shadow;
  p.menuBarTextHot = Sys(COLOR_MENUTEXT);
  p.menuFace = p.menuGutter = p.menuGutterLight = p.menuCheck = Sys(COLOR_MENU);
  p.menuBorder = p.menuSeparator = shadow;
  p.menuHighlight = p.menuHighlightLight = p.menuHighlightBorder = Sys(COLOR_HIGHLIGHT);
  p.menuText = Sys(COLOR_MENUTEXT);
  p.menuTextHighlight = Sys(COLOR_HIGHLIGHTTEXT);
  p.menuTextDisabled = Sys(COLOR_GRAYTEXT);
  p.captionActive = Sys(COLOR_ACTIVECAPTION);
  p.captionActiveLight = Sys(COLOR_GRADIENTACTIVECAPTION);
  p.captionInactive = Sys(COLOR_INACTIVECAPTION);
  p.captionInactiveLight = Sys(COLOR_GRADIENTINACTIVECAPTION);
  p.captionBorder = CLR_NONE;
  p.captionText = Sys(COLOR_CAPTIONTEXT);
  p.captionTextInactive = Sys(COLOR_INACTIVECAPTIONTEXT);
  p.tabArea = p.tabActive = p.tabActiveLight = face;
  p.tabInactive = p.tabInactiveLight = Mix(face, shadow, 85);
  p.tabText = p.tabTextInactive = Sys(COLOR_BTNTEXT);
  p.tabBorder = shadow;
  p.tabHotLine = face;
  p.workspace = Sys(COLOR_APPWORKSPACE);
  p.divider = p.autoHideButton = face;
  p.dividerLight = light;
  p.statusBar = p.statusBarLight = face;
  p.statusBarText = Sys(COLOR_BTNTEXT);
  p.statusPaneBorder = p.sizeGrip = shadow;
  p.sizeGripLight = light;
  p.progress = p.progressLight = Sys(COLOR_HIGHLIGHT);
  p.toolTipFill = p.toolTipFillGradient = Sys(COLOR_INFOBK);
  p.toolTipText = p.toolTipBorder = Sys(COLOR_INFOTEXT);
  p.gridBackground = Sys(COLOR_WINDOW);
  p.gridText = Sys(COLOR_WINDOWTEXT);
  p.gridGroup = p.gridLine = face;
  p.gridGroupText = Sys(COLOR_BTNTEXT);
  p.gridSelected = Sys(COLOR_HIGHLIGHT);
  p.gridSelectedText = Sys(COLOR_HIGHLIGHTTEXT);
  p.gradientBars = FALSE;
  p.flatButtons = FALSE;
  SetTabShape(p, FwTabRaised3D);
  p.buttonShape = FwButtonRaised3D;
  p.gripperStyle = FwGripperLines;
  p.statusPaneEdge = FwEdge3D;
  p.dividerEdge = FwEdge3D;
  return p;
}

// Office XP: flat grey bars, blue-grey boxes around hot buttons, flat tabs, a dark caption.
FwLookPalette OfficeXPLook() {
  LookKeys k = {};
  k.face = k.faceLight = RGB(219, 216, 209);
  k.text = kBlack;
  k.hot = k.hotLight = RGB(182, 189, 210);
  k.hotBorder = RGB(10, 36, 106);
  k.pressed = k.pressedLight = RGB(133, 146, 181);
  k.menuFace = RGB(252, 252, 249);
  k.gutter = k.gutterLight = RGB(219, 216, 209);
  k.menuBorder = RGB(102, 102, 102);
  k.caption = k.captionLight = RGB(10, 36, 106);
  k.captionText = kWhite;
  k.captionInactive = k.captionInactiveLight = RGB(219, 216, 209);
  k.captionTextInactive = kBlack;
  k.tabActive = k.tabActiveLight = RGB(252, 252, 249);
  k.tabInactive = k.tabInactiveLight = RGB(238, 236, 230);
  k.tabBorder = RGB(128, 128, 128);
  k.status = k.statusLight = RGB(219, 216, 209);
  k.workspace = RGB(128, 128, 128);
  k.toolTip = k.toolTipGradient = RGB(255, 255, 225);
  k.toolTipText = kBlack;
  k.toolTipBorder = RGB(102, 102, 102);
  FwLookPalette p = NamedLook(k);
  p.gradientBars = FALSE;
  p.tabArea = RGB(238, 236, 230);
  p.captionBorder = RGB(128, 128, 128);
  p.statusPaneEdge = FwEdgeFlat;
  p.gridSelected = RGB(10, 36, 106);
  p.gridSelectedText = kWhite;
  SetTabShape(p, FwTabFlat);
  return p;
}

// Windows XP: beige bars with a soft gradient, glossy hot buttons, blue captions, flat white
// menus with a blue highlight; tabs raised, or themed with an orange line (m_b3DTabsXPTheme).
FwLookPalette WindowsXPLook() {
  LookKeys k = {};
  k.face = RGB(236, 233, 216);
  k.faceLight = RGB(252, 252, 249);
  k.text = kBlack;
  k.hot = RGB(226, 223, 208);
  k.hotLight = kWhite;
  k.hotBorder = RGB(190, 185, 165);
  k.pressed = RGB(236, 233, 216);
  k.pressedLight = RGB(214, 210, 194);
  k.menuFace = k.gutter = k.gutterLight = kWhite;
  k.menuBorder = RGB(172, 168, 153);
  k.caption = RGB(0, 84, 227);
  k.captionLight = RGB(61, 149, 255);
  k.captionText = kWhite;
  k.captionInactive = RGB(122, 150, 223);
  k.captionInactiveLight = RGB(157, 185, 235);
  k.captionTextInactive = RGB(216, 228, 248);
  k.tabActive = RGB(252, 252, 254);
  k.tabActiveLight = kWhite;
  k.tabInactive = RGB(236, 235, 230);
  k.tabInactiveLight = RGB(250, 250, 249);
  k.tabBorder = RGB(145, 155, 156);
  k.status = k.statusLight = RGB(236, 233, 216);
  k.workspace = RGB(128, 128, 128);
  k.toolTip = k.toolTipGradient = RGB(255, 255, 225);
  k.toolTipText = kBlack;
  k.toolTipBorder = kBlack;
  FwLookPalette p = NamedLook(k);
  p.buttonShape = FwButtonGlossy;
  p.menuBarHot = p.menuBarHotLight = p.menuBarHotBorder = RGB(49, 106, 197);
  p.menuBarOpen = p.menuBarOpenLight = RGB(49, 106, 197);
  p.menuBarTextHot = kWhite;
  p.menuHighlight = p.menuHighlightLight = p.menuHighlightBorder = RGB(49, 106, 197);
  p.menuTextHighlight = kWhite;
  p.menuCheck = RGB(225, 230, 232);
  p.tabHotLine = RGB(255, 200, 60);
  p.progress = RGB(45, 210, 45);
  p.progressLight = RGB(170, 240, 170);
  p.statusPaneBorder = RGB(200, 197, 178);
  p.gridSelected = RGB(49, 106, 197);
  p.gridSelectedText = kWhite;
  SetTabShape(p, FwTabRaised3D);
  return p;
}

// Office 2003: blue gradient bars, orange-yellow hot buttons, a blue image strip in menus.
FwLookPalette Office2003Look() {
  LookKeys k = {};
  k.face = RGB(158, 190, 245);
  k.faceLight = RGB(227, 239, 255);
  k.text = kBlack;
  k.hot = k.hotLight = RGB(255, 238, 194);
  k.hotBorder = RGB(0, 0, 128);
  k.pressed = k.pressedLight = RGB(254, 128, 62);
  k.menuFace = RGB(246, 246, 246);
  k.gutter = RGB(135, 173, 228);
  k.gutterLight = RGB(227, 239, 255);
  k.menuBorder = RGB(0, 45, 150);
  k.caption = RGB(89, 135, 214);
  k.captionLight = RGB(195, 218, 249);
  k.captionText = kWhite;
  k.captionInactive = RGB(196, 218, 250);
  k.captionInactiveLight = RGB(158, 190, 245);
  k.captionTextInactive = kBlack;
  k.tabActive = RGB(227, 239, 255);
  k.tabActiveLight = kWhite;
  k.tabInactive = RGB(158, 190, 245);
  k.tabInactiveLight = RGB(210, 226, 252);
  k.tabBorder = RGB(59, 97, 156);
  k.status = RGB(158, 190, 245);
  k.statusLight = RGB(213, 230, 254);
  k.workspace = RGB(144, 153, 174);
  k.toolTip = kWhite;
  k.toolTipGradient = RGB(201, 217, 239);
  k.toolTipText = kBlack;
  k.toolTipBorder = RGB(0, 45, 150);
  FwLookPalette p = NamedLook(k);
  p.buttonChecked = RGB(255, 192, 111);
  p.menuBarOpen = RGB(147, 181, 231);
  p.gripper = RGB(39, 65, 118);
  p.gridSelected = RGB(0, 0, 128);
  p.gridSelectedText = kWhite;
  SetTabShape(p, FwTabRounded);
  return p;
}

// Visual Studio 2005: warm grey gradient bars, blue boxes around hot buttons, slanted tabs and a
// blue caption gradient on the active pane.
FwLookPalette VS2005Look() {
  LookKeys k = {};
  k.face = RGB(229, 229, 215);
  k.faceLight = RGB(250, 250, 247);
  k.text = kBlack;
  k.hot = k.hotLight = RGB(193, 210, 238);
  k.hotBorder = RGB(49, 106, 197);
  k.pressed = k.pressedLight = RGB(152, 181, 226);
  k.menuFace = RGB(252, 252, 249);
  k.gutter = RGB(196, 195, 172);
  k.gutterLight = RGB(254, 254, 251);
  k.menuBorder = RGB(138, 134, 122);
  k.caption = RGB(59, 128, 237);
  k.captionLight = RGB(49, 106, 197);
  k.captionText = kWhite;
  k.captionInactive = k.captionInactiveLight = RGB(204, 199, 186);
  k.captionTextInactive = kBlack;
  k.tabActive = RGB(252, 252, 254);
  k.tabActiveLight = kWhite;
  k.tabInactive = RGB(236, 233, 216);
  k.tabInactiveLight = RGB(252, 252, 249);
  k.tabBorder = RGB(127, 157, 185);
  k.status = k.statusLight = RGB(229, 229, 215);
  k.workspace = RGB(144, 144, 144);
  k.toolTip = k.toolTipGradient = RGB(255, 255, 225);
  k.toolTipText = kBlack;
  k.toolTipBorder = RGB(118, 118, 118);
  FwLookPalette p = NamedLook(k);
  p.menuBarOpen = p.menuBarOpenLight = RGB(244, 242, 232);
  p.gridSelected = RGB(49, 106, 197);
  p.gridSelectedText = kWhite;
  SetTabShape(p, FwTabSlanted);
  return p;
}

// Visual Studio 2008: blue-grey gradient bars, golden hot buttons, light caption gradients, slanted
// tabs and tool tips with a soft gradient.
FwLookPalette VS2008Look() {
  LookKeys k = {};
  k.face = RGB(188, 199, 216);
  k.faceLight = RGB(233, 236, 250);
  k.text = kBlack;
  k.hot = k.hotLight = RGB(255, 231, 162);
  k.hotBorder = RGB(229, 195, 101);
  k.pressed = k.pressedLight = RGB(255, 198, 115);
  k.menuFace = RGB(246, 246, 246);
  k.gutter = RGB(227, 231, 240);
  k.gutterLight = RGB(241, 243, 248);
  k.menuBorder = RGB(151, 151, 151);
  k.caption = RGB(153, 180, 209);
  k.captionLight = RGB(215, 228, 242);
  k.captionText = kBlack;
  k.captionInactive = RGB(204, 213, 227);
  k.captionInactiveLight = RGB(232, 236, 243);
  k.captionTextInactive = RGB(67, 67, 67);
  k.tabActive = RGB(252, 252, 254);
  k.tabActiveLight = kWhite;
  k.tabInactive = RGB(207, 215, 235);
  k.tabInactiveLight = RGB(238, 241, 250);
  k.tabBorder = RGB(105, 161, 191);
  k.status = RGB(188, 199, 216);
  k.statusLight = RGB(233, 236, 250);
  k.workspace = RGB(171, 171, 171);
  k.toolTip = kWhite;
  k.toolTipGradient = RGB(228, 229, 240);
  k.toolTipText = RGB(76, 76, 76);
  k.toolTipBorder = RGB(118, 118, 118);
  FwLookPalette p = NamedLook(k);
  p.verticalCaptions = TRUE;
  p.captionBorder = RGB(153, 180, 209);
  SetTabShape(p, FwTabSlanted);
  return p;
}

// Office 2007 in its four styles: glossy orange hot buttons, rounded tabs and vertical caption
// gradients over bars of the style's hue.
FwLookPalette Office2007Look(CMFCVisualManagerOffice2007::Style style) {
  LookKeys k = {};
  k.hot = RGB(255, 214, 154);
  k.hotLight = RGB(255, 244, 204);
  k.hotBorder = RGB(219, 206, 153);
  k.pressed = RGB(251, 140, 60);
  k.pressedLight = RGB(248, 181, 106);
  k.menuFace = RGB(250, 250, 250);
  k.gutter = k.gutterLight = RGB(233, 238, 238);
  k.menuBorder = RGB(134, 134, 134);
  k.toolTip = kWhite;
  k.toolTipGradient = RGB(228, 229, 240);
  k.toolTipText = RGB(76, 76, 76);
  k.toolTipBorder = RGB(118, 118, 118);
  k.tabActiveLight = kWhite;
  COLORREF border = 0;
  switch (style) {
    case CMFCVisualManagerOffice2007::Office2007_ObsidianBlack:
      k.face = RGB(83, 83, 83);
      k.faceLight = RGB(160, 160, 160);
      k.text = kWhite;
      k.caption = RGB(141, 141, 141);
      k.captionLight = RGB(83, 83, 83);
      k.captionText = kWhite;
      k.captionInactive = RGB(120, 120, 120);
      k.captionInactiveLight = RGB(96, 96, 96);
      k.captionTextInactive = RGB(220, 220, 220);
      k.tabActive = RGB(215, 215, 215);
      k.tabInactive = RGB(120, 120, 120);
      k.tabInactiveLight = RGB(177, 177, 177);
      k.tabBorder = RGB(47, 47, 47);
      k.status = RGB(60, 60, 60);
      k.statusLight = RGB(110, 110, 110);
      k.workspace = RGB(47, 47, 47);
      border = RGB(76, 83, 92);
      break;
    case CMFCVisualManagerOffice2007::Office2007_Aqua:
      k.face = RGB(180, 196, 218);
      k.faceLight = RGB(232, 239, 247);
      k.text = RGB(32, 59, 92);
      k.caption = RGB(220, 230, 243);
      k.captionLight = RGB(172, 190, 215);
      k.captionText = RGB(32, 59, 92);
      k.captionInactive = RGB(232, 238, 246);
      k.captionInactiveLight = RGB(200, 213, 231);
      k.captionTextInactive = RGB(96, 113, 140);
      k.tabActive = RGB(218, 228, 241);
      k.tabInactive = RGB(170, 188, 212);
      k.tabInactiveLight = RGB(224, 232, 243);
      k.tabBorder = RGB(124, 148, 182);
      k.status = RGB(166, 186, 212);
      k.statusLight = RGB(214, 226, 240);
      k.workspace = RGB(159, 180, 210);
      border = RGB(124, 148, 182);
      break;
    case CMFCVisualManagerOffice2007::Office2007_Silver:
      k.face = RGB(208, 212, 221);
      k.faceLight = RGB(243, 244, 247);
      k.text = RGB(76, 83, 92);
      k.caption = RGB(236, 238, 241);
      k.captionLight = RGB(208, 212, 221);
      k.captionText = kBlack;
      k.captionInactive = RGB(242, 243, 245);
      k.captionInactiveLight = RGB(224, 226, 231);
      k.captionTextInactive = RGB(110, 110, 110);
      k.tabActive = RGB(235, 237, 241);
      k.tabInactive = RGB(199, 203, 212);
      k.tabInactiveLight = RGB(234, 236, 240);
      k.tabBorder = RGB(145, 153, 164);
      k.status = RGB(204, 208, 216);
      k.statusLight = RGB(237, 238, 241);
      k.workspace = RGB(190, 194, 203);
      border = RGB(145, 153, 164);
      break;
    case CMFCVisualManagerOffice2007::Office2007_LunaBlue:
    default:
      k.face = RGB(191, 219, 255);
      k.faceLight = RGB(227, 239, 255);
      k.text = RGB(21, 66, 139);
      k.caption = RGB(227, 239, 255);
      k.captionLight = RGB(187, 212, 246);
      k.captionText = RGB(21, 66, 139);
      k.captionInactive = RGB(214, 226, 241);
      k.captionInactiveLight = RGB(193, 211, 236);
      k.captionTextInactive = RGB(101, 147, 207);
      k.tabActive = RGB(218, 233, 255);
      k.tabInactive = RGB(191, 219, 255);
      k.tabInactiveLight = RGB(227, 239, 255);
      k.tabBorder = RGB(101, 147, 207);
      k.status = RGB(172, 200, 238);
      k.statusLight = RGB(201, 222, 245);
      k.workspace = RGB(171, 198, 235);
      border = RGB(101, 147, 207);
      break;
  }
  FwLookPalette p = NamedLook(k);
  p.buttonShape = FwButtonGlossy;
  p.buttonChecked = RGB(255, 216, 150);
  p.menuBarOpen = RGB(255, 214, 154);
  p.menuBarOpenLight = RGB(255, 244, 204);
  p.menuSeparator = RGB(197, 197, 197);
  p.verticalCaptions = TRUE;
  p.captionBorder = border;
  p.statusPaneBorder = Mix(k.status, kBlack, 80);
  p.progress = RGB(73, 185, 57);
  p.progressLight = RGB(159, 228, 136);
  SetTabShape(p, FwTabRounded);
  return p;
}

// Windows 7: pale blue bars, glossy light-blue hot buttons, light captions with dark text.
FwLookPalette Windows7Look() {
  LookKeys k = {};
  k.face = RGB(223, 233, 245);
  k.faceLight = RGB(252, 253, 254);
  k.text = RGB(30, 57, 91);
  k.hot = RGB(221, 236, 252);
  k.hotLight = RGB(245, 250, 255);
  k.hotBorder = RGB(125, 162, 206);
  k.pressed = RGB(168, 202, 236);
  k.pressedLight = RGB(196, 221, 248);
  k.menuFace = RGB(240, 240, 240);
  k.gutter = RGB(230, 230, 230);
  k.gutterLight = RGB(241, 241, 241);
  k.menuBorder = RGB(151, 151, 151);
  k.caption = RGB(252, 253, 254);
  k.captionLight = RGB(219, 230, 244);
  k.captionText = RGB(30, 57, 91);
  k.captionInactive = RGB(240, 243, 248);
  k.captionInactiveLight = RGB(228, 233, 240);
  k.captionTextInactive = RGB(100, 100, 100);
  k.tabActive = RGB(241, 246, 252);
  k.tabActiveLight = kWhite;
  k.tabInactive = RGB(210, 223, 240);
  k.tabInactiveLight = RGB(233, 239, 247);
  k.tabBorder = RGB(137, 160, 190);
  k.status = RGB(215, 225, 238);
  k.statusLight = RGB(241, 245, 250);
  k.workspace = RGB(204, 217, 234);
  k.toolTip = kWhite;
  k.toolTipGradient = RGB(228, 229, 240);
  k.toolTipText = RGB(87, 87, 87);
  k.toolTipBorder = RGB(118, 118, 118);
  FwLookPalette p = NamedLook(k);
  p.buttonShape = FwButtonGlossy;
  p.menuHighlight = RGB(218, 232, 252);
  p.menuHighlightLight = RGB(241, 247, 254);
  p.menuHighlightBorder = RGB(168, 202, 236);
  p.menuSeparator = RGB(226, 227, 227);
  p.verticalCaptions = TRUE;
  p.captionBorder = RGB(142, 166, 196);
  p.statusPaneBorder = RGB(182, 194, 209);
  SetTabShape(p, FwTabRounded);
  return p;
}

}  // namespace

CMFCVisualManager::CMFCVisualManager() : m_palette(BasicLook()) {}

CMFCVisualManagerOfficeXP::CMFCVisualManagerOfficeXP() { m_palette = OfficeXPLook(); }

BOOL CMFCVisualManagerWindows::m_b3DTabsXPTheme = FALSE;

CMFCVisualManagerWindows::CMFCVisualManagerWindows() {
  m_palette = WindowsXPLook();
  SetTabShape(m_palette, m_b3DTabsXPTheme ? FwTabThemed : FwTabRaised3D);
}

FwTabShape CMFCVisualManagerWindows::GetTabShape() const { return m_b3DTabsXPTheme ? FwTabThemed : FwTabRaised3D; }

CMFCVisualManagerOffice2003::CMFCVisualManagerOffice2003() { m_palette = Office2003Look(); }

CMFCVisualManagerVS2005::CMFCVisualManagerVS2005() { m_palette = VS2005Look(); }

CMFCVisualManagerVS2008::CMFCVisualManagerVS2008() { m_palette = VS2008Look(); }

CMFCVisualManagerOffice2007::Style CMFCVisualManagerOffice2007::s_style = CMFCVisualManagerOffice2007::Office2007_LunaBlue;

void CMFCVisualManagerOffice2007::SetStyle(Style style) { s_style = style; }
CMFCVisualManagerOffice2007::Style CMFCVisualManagerOffice2007::GetStyle() { return s_style; }

CMFCVisualManagerOffice2007::CMFCVisualManagerOffice2007() : m_style(s_style) { m_palette = Office2007Look(m_style); }

CMFCVisualManagerWindows7::CMFCVisualManagerWindows7() { m_palette = Windows7Look(); }
