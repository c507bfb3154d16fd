// "Create new document": an empty document or one made from a template file.
#pragma once
#include "Framework.h"

class CFileNewDialog : public CDialogEx {
 public:
  explicit CFileNewDialog(CWnd* pParent = nullptr);
  enum { kEmpty = 0, kTemplate = 1 };
  int m_nChoice = kEmpty;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
