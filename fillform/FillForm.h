// The fill-form interface that Orvello and Scrivel import from Quillet.
#pragma once
#include "FillFormExport.h"

class QUILLET_API CFillForm {
 public:
  CFillForm();
  ~CFillForm();

  // 0 after success; the negative code of the last failure otherwise.
  int CheckError() const;

 private:
  int m_error;
};
