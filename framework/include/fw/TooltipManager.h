// The tool-tip manager: which tool-tip control class, with which parameters, each kind of control
// uses for its tips. Bars, tabs and buttons never create a tool-tip control themselves; they ask
// CTooltipManager::CreateToolTip for one of their type. Without a manager (the application did not
// call InitTooltipManager) they get a plain CToolTipCtrl.
#pragma once
#include "fw/MFCToolTipCtrl.h"

// The kinds of controls that show tips: one bit each, combined in SetTooltipParams.
#define AFX_TOOLTIP_TYPE_DEFAULT 0x0001
#define AFX_TOOLTIP_TYPE_TOOLBAR 0x0002
#define AFX_TOOLTIP_TYPE_TAB 0x0004
#define AFX_TOOLTIP_TYPE_MINIFRAME 0x0008
#define AFX_TOOLTIP_TYPE_DOCKBAR 0x0010
#define AFX_TOOLTIP_TYPE_EDIT 0x0020
#define AFX_TOOLTIP_TYPE_BUTTON 0x0040
#define AFX_TOOLTIP_TYPE_TOOLBOX 0x0080
#define AFX_TOOLTIP_TYPE_PLANNER 0x0100
#define AFX_TOOLTIP_TYPE_RIBBON 0x0200
#define AFX_TOOLTIP_TYPE_CAPTIONBAR 0x0400
#define AFX_TOOLTIP_TYPES 11
#define AFX_TOOLTIP_TYPE_ALL 0xFFFF

class CFrameWnd;

// Sent to every window of the thread after SetTooltipParams (wParam: the changed types), so
// controls that hold a tool-tip control can make it again with the new class and parameters.
extern FW_API const UINT AFX_WM_UPDATETOOLTIPS;

class FW_API CTooltipManager : public CObject {
  DECLARE_DYNAMIC(CTooltipManager)
 public:
  CTooltipManager();
  ~CTooltipManager() override;

  // For each type in `nTypes`: tips made by `pRTC` (a CToolTipCtrl class; null for the plain
  // control) with a copy of `pParams` (null for the defaults). A class that is not a tool-tip
  // control is refused and changes nothing.
  void SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC = nullptr, CMFCToolTipInfo* pParams = nullptr);
  // The class and parameters of one type (a single AFX_TOOLTIP_TYPE_ bit).
  CRuntimeClass* GetTooltipClass(UINT nType) const;
  const CMFCToolTipInfo* GetTooltipParams(UINT nType) const;

  // Makes the tool-tip control for a control of type `nType` whose tips belong to `pWndParent`,
  // through the application's manager; TRUE with `pToolTip` set, else FALSE and null.
  static BOOL CreateToolTip(CToolTipCtrl*& pToolTip, CWnd* pWndParent, UINT nType);
  // Destroys a control made by CreateToolTip and sets the pointer to null.
  static void DeleteToolTip(CToolTipCtrl*& pToolTip);
  // Sets a tool's text, and its description when the control is the framework's own.
  static void SetTooltipText(TOOLINFOW* pTI, CToolTipCtrl* pToolTip, UINT nType, const CString& strText,
                             LPCTSTR lpszDescr = nullptr);

  // The texts of command `nID`'s tip from its string resource "prompt\ntip", in the UI language:
  // the label is the tip, followed by the command's shortcut in `pFrame`'s accelerators (the main
  // window when null) as in "Save (Ctrl+S)"; the description is the prompt. FALSE when the
  // command has no string.
  static BOOL GetCommandTipTexts(UINT nID, CString& strLabel, CString& strDescription, CFrameWnd* pFrame = nullptr);

  // Asks every window of the thread to remake its tool-tip controls (AFX_WM_UPDATETOOLTIPS).
  void UpdateTooltips(UINT nTypes = AFX_TOOLTIP_TYPE_ALL);

 protected:
  CRuntimeClass* m_pClasses[AFX_TOOLTIP_TYPES];
  CMFCToolTipInfo m_Params[AFX_TOOLTIP_TYPES];
};

// The application's managers (null until the application object makes them).
extern FW_API CTooltipManager* afxTooltipManager;
