#include "FileNewDialog.h"

#include "resource.h"

CFileNewDialog::CFileNewDialog(CWnd* pParent) : CDialogEx(IDD_FILE_NEW, pParent) {}

void CFileNewDialog::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  int choice = m_nChoice;
  DDX_Radio(pDX, IDC_NEW_EMPTY, choice);
  if (choice >= 0) m_nChoice = choice;
}
