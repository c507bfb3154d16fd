// The customize dialog of the tool bars: a property sheet with a Commands page (commands by
// category, dragged onto a bar or added to the bar chosen below the list), a Toolbars page (show or
// hide each bar, reset it, make, rename and delete the user's bars) and an Options page (tool tips;
// text labels on the frame's bars, menu shadows and animations as the flags ask).
//
// While it is open every tool bar is in customize mode (buttons are dragged, dropped and removed;
// clicks run no commands) and the frame has AFX_WM_CUSTOMIZETOOLBAR TRUE; FALSE when it closes.
// Create() shows it modeless: the object then deletes itself when the dialog closes (make it with
// new). DoModal() runs it modally on an object the caller keeps.
#pragma once
#include "fw/List.h"
#include "fw/PropertySheet.h"
#include "fw/ToolBar.h"

class CMFCToolBarButton;
struct FwCustomizeCommands;

class FW_API CMFCToolBarsCustomizeDialog : public CPropertySheet {
  DECLARE_DYNAMIC(CMFCToolBarsCustomizeDialog)
 public:
  // `bAutoSetFromMenus`: the categories are the frame's menus and their commands. `uiFlags`:
  // AFX_CUSTOMIZE_*. `plistCustomPages`: property-page classes added after the three pages.
  CMFCToolBarsCustomizeDialog(CWnd* pWndParentFrame, BOOL bAutoSetFromMenus = FALSE,
                              UINT uiFlags = (AFX_CUSTOMIZE_MENU_SHADOWS | AFX_CUSTOMIZE_TEXT_LABELS |
                                              AFX_CUSTOMIZE_MENU_ANIMATIONS),
                              CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages = nullptr);
  ~CMFCToolBarsCustomizeDialog() override;

  // Modeless; FALSE when the sheet cannot be shown (the object is then still the caller's).
  BOOL Create();
  INT_PTR DoModal() override;

  // The Toolbars page's New, Rename and Delete (the frame must have called InitUserToolbars).
  void EnableUserDefinedToolbars(BOOL bEnable = TRUE) { m_bUserDefinedToolbars = bEnable; }
  BOOL IsUserDefinedToolbarsEnabled() const;
  UINT GetFlags() const { return m_uiFlags; }
  CFrameWnd* GetFrame() const { return m_pParentFrame; }

  // A command of category `lpszCategory` (made when new); FALSE for a separator or no command.
  BOOL AddButton(LPCTSTR lpszCategory, const CMFCToolBarButton& button, int iInsertAfter = -1);
  // The categories and commands of a menu resource, as the frame's menus are with bAutoSetFromMenus.
  BOOL AddMenu(UINT uiMenuResId);
  // What the Commands page lists.
  int GetCategoryCount() const;
  CString GetCategoryName(int iCategory) const;
  int GetCommandCount(int iCategory) const;
  UINT GetCommandID(int iCategory, int iCommand) const;
  CString GetCommandText(int iCategory, int iCommand) const;

  // Puts command `uiCmd` on `pToolBar` at `iInsertAt` (-1: the end), as a drop from the Commands
  // page does. Returns the new button's index, -1 on failure.
  int AddCommandToToolBar(UINT uiCmd, CMFCToolBar* pToolBar, int iInsertAt = -1);
  // The frame's tool bars the Toolbars page lists (no menu bar), in docking order.
  void GetFrameToolBars(CObList& listBars) const;

  CPropertyPage* GetCommandsPage() const { return m_pCommandsPage; }
  CPropertyPage* GetToolbarsPage() const { return m_pToolbarsPage; }
  CPropertyPage* GetOptionsPage() const { return m_pOptionsPage; }

 protected:
  friend int CALLBACK FwCustomizeSheetProc(HWND hWnd, UINT message, LPARAM lParam);
  // Fills m_psh with the pages (the framework's are made in memory) and shows the sheet.
  INT_PTR ShowSheet(BOOL bModeless);
  void AddMenuCommands(HMENU hMenu, const CString& category);
  void OnOpened();
  void OnClosed();
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  CFrameWnd* m_pParentFrame = nullptr;
  UINT m_uiFlags = 0;
  BOOL m_bAutoSetFromMenus = FALSE;
  BOOL m_bUserDefinedToolbars = FALSE;
  BOOL m_bModeless = FALSE;
  BOOL m_bOpen = FALSE;
  FwCustomizeCommands* m_pCommands = nullptr;
  CPropertyPage* m_pCommandsPage = nullptr;
  CPropertyPage* m_pToolbarsPage = nullptr;
  CPropertyPage* m_pOptionsPage = nullptr;
  CObList m_customPages;  // made from plistCustomPages, owned
};
