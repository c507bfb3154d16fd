// The document type of the document/view tests: a small document with its own file format, a
// scrolling view that paints it, a child frame and a main frame, and the application object. Each
// class handles some of the routing test's commands and writes what ran into RoutedCommands().
#pragma once
#include <string>
#include <vector>

#include "DocViewTestIds.h"
#include "Framework.h"

std::vector<std::wstring>& RoutedCommands();

// File: "TDOC", int32 value, int32 text length, the text in UTF-16LE.
class TestDoc : public CDocument {
  DECLARE_DYNCREATE(TestDoc)
 public:
  int m_value = 0;
  CString m_text;
  void Serialize(CArchive& ar) override;
  void DeleteContents() override;
  // The colour the view fills the document's area with.
  COLORREF Colour() const { return RGB(static_cast<BYTE>(m_value * 20), 40, 200); }

 protected:
  afx_msg void OnDocCommand();
  afx_msg void OnViewCommandHere();
  afx_msg void OnDisabledCommand();
  afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

class TestView : public CScrollView {
  DECLARE_DYNCREATE(TestView)
 public:
  static const int kWidth = 400;
  static const int kHeight = 300;
  TestDoc* GetDocument() const { return static_cast<TestDoc*>(m_pDocument); }
  void OnDraw(CDC* pDC) override;
  void OnInitialUpdate() override;

 protected:
  afx_msg void OnViewCommand();
  afx_msg void OnUpdateViewCommand(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

class TestChildFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(TestChildFrame)
 protected:
  afx_msg void OnFrameCommand();
  afx_msg void OnDocCommandHere();
  afx_msg void OnRange(UINT nID);
  afx_msg void OnUpdateRange(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

class TestMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(TestMainFrame)
};

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp(L"Vantry Test") {}
  // Message boxes are recorded and answered from here instead of waiting for a user.
  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
  std::vector<std::wstring> prompts;
  int answer = IDNO;
  // Registers the template and makes the main frame (hidden); true on success.
  bool StartUp();

 protected:
  afx_msg void OnAppCommand();
  afx_msg void OnFrameCommandHere();
  DECLARE_MESSAGE_MAP()
};

extern TestApp theApp;
