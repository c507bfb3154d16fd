// Dialogs made from dialog resources, modal or modeless, and the data exchange between their
// controls and member variables.
#pragma once
#include "fw/Wnd.h"

// One pass of data exchange. A failed validation shows its message, puts the focus on the control
// and marks the pass failed; later DDX calls of the pass do nothing. Nothing is thrown.
class FW_API CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  void Fail();
  BOOL Failed() const { return m_bFailed; }
  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;

 private:
  BOOL m_bFailed = FALSE;
};

FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);
FW_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// `nIDC` is the first radio button of a group (WS_GROUP); value is the index of the checked one, -1
// for none.
FW_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
FW_API void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
FW_API void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
FW_API void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
FW_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Limits: when loading, DDV_MaxChars also sets the edit control's text limit.
FW_API void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
FW_API void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
FW_API void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
FW_API void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);

// Shows a message through the application's DoMessageBox (so a program can reroute all of them).
FW_API int AFXAPI AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
FW_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

class FW_API CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modal: returns the EndDialog result, or -1 when the dialog cannot be made.
  virtual INT_PTR DoModal();
  // Modeless.
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr);
  // A modal dialog from a template in memory.
  BOOL InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr);
  void EndDialog(int nResult);
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID);
  DWORD GetDefID() const;
  void MapDialogRect(LPRECT lpRect) const;

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void OnSetFont(CFont* pFont);

  UINT m_nIDHelp = 0;
  LPCWSTR m_lpszTemplateName = nullptr;
  HGLOBAL m_hDialogTemplate = nullptr;
  LPCDLGTEMPLATEW m_lpDialogTemplate = nullptr;
  CWnd* m_pParentWnd = nullptr;

 protected:
  // The template and the module holding it; null when the resource is missing.
  LPCDLGTEMPLATEW LoadTemplate(HINSTANCE* module) const;
  HWND PreModal();
  BOOL m_bModal = FALSE;

  DECLARE_MESSAGE_MAP()

 private:
};

// The dialog with the look of the newer common controls (background colour and image); for the
// Parts it behaves as CDialog.
class FW_API CDialogEx : public CDialog {
  DECLARE_DYNAMIC(CDialogEx)
 public:
  CDialogEx() = default;
  explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
  explicit CDialogEx(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr)
      : CDialog(lpszTemplateName, pParentWnd) {}
  void SetBackgroundColor(COLORREF color, BOOL bRepaint = TRUE);

 protected:
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  HBRUSH m_brBackground = nullptr;
  COLORREF m_backgroundColor = CLR_NONE;
  DECLARE_MESSAGE_MAP()

 public:
  ~CDialogEx() override;
};

FW_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
