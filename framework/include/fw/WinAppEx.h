// The feature-pack application object: the registry base under which the frame's bar and pane
// state lives (a section of the profile, "Workspace" unless set), values read and written
// relative to it, the managers the bars use (context menus, keyboard, tool tips), and saving and
// restoring a main frame's state.
//
// Where values land: GetProfileInt/WriteProfileInt(section, entry) use the section given, below
// the profile (HKCU\Software\<key>\<profile>\<section>); GetInt/WriteInt(entry) and their string
// and binary kin use the registry base as the section. With the registry base "Settings" both
// reach HKCU\Software\<key>\<profile>\Settings, so a value such as "ApplicationLook" written one way
// reads back the other.
#pragma once
#include "fw/WinApp.h"

class CFrameWnd;
class CContextMenuManager;
class CKeyboardManager;
class CTooltipManager;

class FW_API CWinAppEx : public CWinApp {
  DECLARE_DYNAMIC(CWinAppEx)
 public:
  explicit CWinAppEx(BOOL bResourceSmartUpdate = FALSE);
  ~CWinAppEx() override;

  // The section of the profile that holds the framework's own state ("Workspace" by default).
  void SetRegistryBase(LPCTSTR lpszSectionName = nullptr);
  CString GetRegistryBase() const { return m_strRegSection; }
  // `lpszSubSection` below the registry base ("Settings\BarState" for "BarState").
  CString GetRegSectionPath(LPCTSTR lpszSubSection = nullptr) const;

  // Values in the registry base (or in `lpszSubSection` below it).
  int GetInt(LPCTSTR lpszEntry, int nDefault = 0);
  BOOL WriteInt(LPCTSTR lpszEntry, int nValue);
  CString GetString(LPCTSTR lpszEntry, LPCTSTR lpszDefault = L"");
  BOOL WriteString(LPCTSTR lpszEntry, LPCTSTR lpszValue);
  // On success *ppData is a new[] block of *pBytes bytes that the caller delete[]s.
  BOOL GetBinary(LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteBinary(LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
  int GetSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nDefault = 0);
  BOOL WriteSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nValue);

  // The managers, made once each and owned by the application object, which deletes them when it
  // goes; the getters make a missing one on first use. The same objects are afxContextMenuManager,
  // afxKeyboardManager and afxTooltipManager for code that has no application object at hand.
  BOOL InitContextMenuManager();
  BOOL InitKeyboardManager();
  BOOL InitTooltipManager();
  CContextMenuManager* GetContextMenuManager();
  CKeyboardManager* GetKeyboardManager();
  CTooltipManager* GetTooltipManager();

  // The process's application user-model id (task-bar grouping), set at once.
  void SetAppID(LPCTSTR lpszAppID);
  CString GetAppID() const { return m_strAppID; }

  // Removes everything below the registry base (or the profile section `lpszSectionName`): the
  // next start shows the default layout. Nothing there to remove counts as success.
  BOOL CleanState(LPCTSTR lpszSectionName = nullptr);
  // The frame's layout (docking, bars, panes) below the registry base's "BarState"; loading a
  // missing or damaged state leaves the frame as it was built.
  virtual BOOL SaveState(CFrameWnd* pFrame, LPCTSTR lpszSectionName = nullptr);
  virtual BOOL LoadState(CFrameWnd* pFrame, LPCTSTR lpszSectionName = nullptr);
  // Called first by LoadState (so before a feature-pack frame made by LoadFrame restores its
  // layout): the place to register context menus.
  virtual void PreLoadState() {}
  virtual void LoadCustomState() {}
  virtual void SaveCustomState() {}

  // Whether frames save their state when they close (on unless a program turns it off).
  BOOL m_bSaveState = TRUE;

 protected:
  CString m_strRegSection;
  CString m_strAppID;
  BOOL m_bLoadingState = FALSE;

 private:
  CContextMenuManager* m_pContextMenuManager = nullptr;
  CKeyboardManager* m_pKeyboardManager = nullptr;
  CTooltipManager* m_pTooltipManager = nullptr;
};
