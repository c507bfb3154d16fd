// File > New: whether the new document starts empty, from an image or from a form.
#pragma once
#include "Framework.h"

class CNewDocDlg : public CDialogEx {
 public:
  explicit CNewDocDlg(CWnd* parent = nullptr);

  enum { kEmpty = 0, kFromForm = 1, kFromImage = 2 };
  // After OK: kEmpty, kFromForm or kFromImage.
  int GetNewDocType() const;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

 private:
  // Index of the checked radio, in the order of the template: Empty, Using image, Using form.
  int m_choice = 0;
};
