// The small modal dialogs the document, the view, the shelf and the frame ask one question with: a
// group name, a search text, a hint with its do-not-show-again box, document or page, the mail
// attachment format, the fax printer, and a form name with its file name.
#pragma once
#include "Framework.h"

#include <vector>

class CBlockNameDlg : public CDialogEx {
 public:
  explicit CBlockNameDlg(CWnd* parent = nullptr);
  CString GetBlockName() const { return m_name; }
  CString m_name;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
};

class CFindDlg : public CDialogEx {
 public:
  explicit CFindDlg(CWnd* parent = nullptr);
  enum { kUp = 0, kDown = 1 };
  CString m_text;
  int m_direction = kDown;
  int m_matchCase = 1;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
};

class CInfoBox : public CDialogEx {
 public:
  explicit CInfoBox(CWnd* parent = nullptr);
  CString m_message;
  int m_doNotShow = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

class CSelectDocOrPage : public CDialogEx {
 public:
  explicit CSelectDocOrPage(CWnd* parent = nullptr);
  enum { kDocument = 0, kPage = 1 };
  int m_choice = kDocument;
  CString m_caption;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
};

// The formats a document goes by mail in: ids 0 PDF, 1 the program's document, 2 TIFF, 3 Bitmap,
// 4 PCX, 5 JPEG, 6 PNG, 7 GIF.
class CSendMailDialog : public CDialogEx {
 public:
  CSendMailDialog(int allowPdf, CWnd* parent = nullptr);
  int GetFormat() const { return m_format; }
  int m_format = 0;
  int m_allowPdf;
  int m_excludeDocument = 0;
  int m_multiPageOnly = 0;
  int m_selectedRow = 0;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
};

class CSendFaxDialog : public CDialogEx {
 public:
  explicit CSendFaxDialog(CWnd* parent = nullptr);
  // 1 with the chosen printer's name and port; 0 without a printer list or a chosen printer in it.
  int GetSelectedPrinter(CString& name, CString& port) const;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  std::vector<BYTE> m_printers;  // PRINTER_INFO_5 records and their strings
  DWORD m_printerCount = 0;
  int m_chosen = 0;
};

class CFormNameDlg : public CDialogEx {
 public:
  explicit CFormNameDlg(CWnd* parent = nullptr);
  void SetNames(LPCTSTR formName, LPCTSTR fileName);
  CString m_formName, m_fileName, m_extra;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
};

// Shows a hint through CInfoBox; TRUE when the user asked not to see it again.
BOOL ShowInfoBoxDialog(LPCTSTR text);
// Asks the form name and its file name through CFormNameDlg; FALSE on Cancel.
BOOL AskFormName(CString& formName, CString& fileName);
// Installs the hint box for the hints shown once and the form-name question of Rename and Save as Form.
void RegisterViewDialogs();
