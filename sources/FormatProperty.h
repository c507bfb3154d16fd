// The properties pane's "Format" row: the number format of text fields. It shows the format's
// category and opens the number-format dialog from its button; the value the grid reports is the
// format as text ("category;decimals;grouping").
#pragma once
#include "Framework.h"

#include "FieldProperties.h"

class CMFCFormatProperty : public CMFCPropertyGridProperty {
 public:
  // `categories`: the texts of the four format categories; `textField` non-zero when the selection
  // holds a text field (the dialog then offers index numbers too).
  CMFCFormatProperty(const CString& name, const _PROPERTIES& properties, int textField, const CStringArray& categories,
                     DWORD_PTR id = 28);

  void OnDrawValue(CDC* pDC, CRect rect) override;
  // The category's text.
  CString FormatProperty() override;
  // Runs the number-format dialog; OK takes its format and reports the row changed.
  void OnClickButton(CPoint point) override;

  const _PROPERTIES& GetProperties() const { return m_properties; }
  // How the dialog is run; tests replace it to work the dialog by messages. The previous runner is
  // returned.
  typedef INT_PTR (*DialogRunner)(CDialog& dialog);
  static DialogRunner SetDialogRunner(DialogRunner runner);

 private:
  _PROPERTIES m_properties;
  int m_textField;
  CStringArray m_categories;
};
