// File > Backup... and the automatic backup when the program closes: the documents folder ("Vantry"
// in the user's documents folder) with its subfolders, archived by the console archiver one file at a
// time with its path relative to the user's documents folder.
#pragma once
#include "Framework.h"

class CBackupDlg : public CDialogEx {
 public:
  explicit CBackupDlg(CWnd* parent = nullptr);
  ~CBackupDlg() override;

  // Set by the frame for the backup at closing time: the archive is named from the settings and the
  // backup starts as soon as the dialog shows, without Cancel.
  int m_bAutomatic = 0;

  // The relative paths collected by the last backup, in the order they were archived.
  const CStringArray& Files() const { return m_files; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnShowWindow(BOOL show, UINT status);
  afx_msg LRESULT OnStartAutomatic(WPARAM, LPARAM);
  afx_msg void OnBnClickedBrowse();
  afx_msg void OnBnClickedBackup();
  afx_msg void OnBnClickedBackupHelp();
  DECLARE_MESSAGE_MAP()

 public:
  // Appends the subfolders of `folder` (relative to the current folder), each before its own
  // subfolders; FALSE when the search fails.
  BOOL CreateFolderList(const CString& folder);
  // Appends the files of `folder` except "error.log"; FALSE when the search fails.
  BOOL CreateFilesList(const CString& folder);
  // The path without its extension (the text before the last "."), the base of numbered names.
  static CString GetTempBackupFileName(const CString& path);
  // `path` when no file has that name, else the first free "<base> <n>.7z" from the next number on.
  CString CheckPathName(const CString& path);
  // Archives every listed file into the archive; FALSE when nothing or not everything was archived.
  BOOL Backup();

 private:
  void ShowStatus(const CString& text);
  void RemovePartialArchive();

  CStringArray m_files;
  CStringArray m_folders;
  int m_bDone = 0;
  CString m_baseName;
  int m_nextNumber = 1;
  CString m_archivePath;
  CString m_status;
  CProgressCtrl m_progress;
};
