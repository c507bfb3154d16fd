// Our converter of the data-exchange ("viz") export, in the place of the outside converter component:
// it takes the document, its pages, their images and every object's item and writes the exchange file
// directly. The file is UTF-8 text, one record a line, fields separated by tabs (a tab, line break or
// backslash inside a text is written as \t, \n or \\):
//   VIZ        1
//   DOCUMENT   form name, print offset x, y (document units), page count, zoom percent, tool code
//   PAGE       page number from 1, the number of IMAGE and ITEM records that follow for it
//   IMAGE      name, left, top (inches), the PNG file's bytes in base64
//   ITEM       kind (hex), left, top, width, height, extra (inches), colour, pen style, line width, name,
//              printable (1/0)
//   LINE       dx, dy of the line item before it (inches)
//   PICTURE    the PNG bytes (base64) of the picture item before it
//   CHECK      state and radio group of the check-mark item before it
//   END
#pragma once
#include "Framework.h"

#include <string>

#include "TranspBaseClass.h"

class CVizWriter : public CVizConverter {
 public:
  explicit CVizWriter(LPCWSTR path);
  void BeginDocument(LPCWSTR formName, int offsetX, int offsetY, int pageCount, int zoomPercent, int tool);
  // `items` is what the caller will send for the page; the page's record states what was sent.
  void BeginPage(int number, int items);
  // The page image from a PNG file, which the writer reads at once. FALSE when it cannot be read.
  BOOL AddImageItem(LPCWSTR name, double left, double top, LPCWSTR pngPath);
  // The kind of the object whose own AddObjectItem follows.
  void BeginItem(int kind) { m_kind = kind; }
  void AddObjectItem(double left, double top, double width, double height, int color, int penStyle,
                     double lineWidth, double extra, LPCWSTR name, bool printable) override;
  void AddLineVector(double dx, double dy) override;
  void AddObjectImage(LPCWSTR path) override;
  void AddCheckMarkState(short state, int group) override;
  // FALSE when the page sent other than it announced (logged; the record states what was sent).
  BOOL EndPage();
  // Writes the file; FALSE when it cannot be written.
  BOOL Finish();

 private:
  std::string m_text;
  std::string m_page;
  CString m_path;
  int m_pageNumber = 0;
  int m_announced = 0;
  int m_sent = 0;
  int m_kind = 0;
};
