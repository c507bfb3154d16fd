// Documents: the data behind one or more views, loaded and saved through Serialize.
#pragma once
#include "fw/CmdTarget.h"
#include "fw/Exceptions.h"
#include "fw/File.h"
#include "fw/List.h"

class CView;
class CDocTemplate;
class CFrameWnd;

class FW_API CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
 public:
  CDocument();
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCTSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  // Keeps the full path, makes the file name the title and (with bAddToMRU) adds it to the
  // application's recent files.
  virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
  void ClearPathName() { m_strPathName.Empty(); }
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified();
  virtual void SetModifiedFlag(BOOL bModified = TRUE);

  // Views.
  virtual POSITION GetFirstViewPosition() const;
  virtual CView* GetNextView(POSITION& rPosition) const;
  void AddView(CView* pView);
  void RemoveView(CView* pView);
  // Calls OnUpdate of every view except `pSender`.
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);

  // Life cycle.
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
  virtual void OnCloseDocument();
  virtual void DeleteContents();
  virtual void OnChangedViewList();
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  virtual void PreCloseFrame(CFrameWnd* pFrame);
  // Asks whether to save a modified document; FALSE when the user cancels or saving fails.
  virtual BOOL SaveModified();
  // Saves under `lpszPathName`, asking for a name when it is null; with bReplace the document takes
  // the new name.
  virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
  virtual BOOL DoFileSave();
  virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
  virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
  virtual void ReleaseFile(CFile* pFile, BOOL bAbort);
  void UpdateFrameCounts();

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  CPtrList m_viewList;
  BOOL m_bModified = FALSE;
  BOOL m_bAutoDelete = TRUE;
  BOOL m_bEmbedded = FALSE;

 protected:
  afx_msg void OnFileClose();
  afx_msg void OnFileSave();
  afx_msg void OnFileSaveAs();
  DECLARE_MESSAGE_MAP()
};

// How the framework tells the user about a failed load or save; strings of the framework's own.
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF101
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF102
#define AFX_IDP_ASK_TO_SAVE 0xF103
