// The barcode object: an Aztec symbol whose content is a template text in which the names of the
// page's text fields stand for their values. It keeps the template, the last encoded bytes and the
// module matrix, its document record (tag 21) and object data (type 17), and draws the matrix as
// filled squares on the screen, printers, bitmaps and PDF pages.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include <Aztec.h>

#include "TranspGraphClass.h"
#include "TranspObjectList.h"

#pragma pack(push, 4)
struct BARCODE_RECORD {
  TRANSP_RECORD_HEAD head;
  int32_t rect[4];  // left, top, right, bottom in units
  int32_t moduleSize;
  int32_t pageIndex;
  int32_t printable;
  uint8_t zero44[28];
};
static_assert(sizeof(BARCODE_RECORD) == 72, "barcode record structure is 72 bytes");
static_assert(offsetof(BARCODE_RECORD, moduleSize) == 32 && offsetof(BARCODE_RECORD, printable) == 40,
              "barcode record fields");

// Object data after the common head; the template (UTF-16LE with its zero) follows.
struct BARCODE_DATA {
  int32_t rect[4];
  int32_t moduleSize;
};
static_assert(sizeof(BARCODE_DATA) == 20, "barcode data is 20 bytes before the template");
#pragma pack(pop)

enum {
  BARCODE_RECORD_VERSION = 2,     // the first version that stores the printable flag
  BARCODE_RECORD_LENGTH_BASE = 80,  // L is the template's characters + 80, not a byte count
  BARCODE_DATA_VERSION = 1,
  // The block's stated size is 2 x characters + 50: four zero bytes beyond the template's zero.
  BARCODE_DATA_TAIL = 4,
  BARCODE_DEFAULT_MODULE = 2000,  // units: 0.02 inch at the default scale
  BARCODE_MIN_ECC_PERCENT = 23,
};

// Style field ids the barcode answers in SetObjectStyle.
enum BARCODE_STYLE_FIELD {
  BARCODE_FIELD_WHOLE_STYLE = 0,
  BARCODE_FIELD_MODULE_SIZE = 14,
  BARCODE_FIELD_NAME = 23,
  BARCODE_FIELD_TEMPLATE = 27,
  BARCODE_FIELD_PRINTABLE = 30,
};

// The template of a new barcode.
const wchar_t* GetDefaultBarcodeTemplate();

// The template with the names of the list's text fields (not labels, not empty) replaced by their
// texts. One pass from left to right taking the longest name that matches at each place, the first
// field in list order for a name that several share: a value is never searched again, and a name
// inside a longer one ("Text1" in "Text10") is not taken for it. A null list gives the template.
CString SubstituteBarcodeFields(const CString& text, CTranspObjectList* fields);

// The text in code page 1251 with its terminating zero; characters outside the code page become the
// code page's replacement characters.
std::vector<char> ToBarcodeBytes(const CString& text);

class CTranspBarcode : public CTranspGraphClass {
 public:
  CTranspBarcode(CWnd* view, int pageIndex);
  // A tool's new barcode at `point` (units): the style block, module 0.02 inch, printable, the
  // default template, its symbol made at once.
  CTranspBarcode(CWnd* view, POINT point, const _OBJECT_STYLE* style, int pageIndex);
  // From object data: the top-left corner at (x, y).
  CTranspBarcode(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);
  ~CTranspBarcode() override;

  void Serialize(CArchive& ar) override;                                  // 2
  void DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg) override;       // 23
  void Draw(CDC* dc, int print, POINT* dpi) override;                     // 27
  HGLOBAL GetObData() override;                                           // 42
  void GetProperties(_PROPERTIES* out) override;                          // 48
  void SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* fieldId,
                      int repaint) override;                              // 51
  int GetObjectKind() override;                                           // 52

  // Rebuilds the encoded bytes and the matrix from the template and the fields of the view's active
  // page; a failed encoding keeps the previous symbol. FALSE (logged) on failure.
  BOOL GenerateBacode();
  // The rectangle from the matrix: module size in view pixels times columns and rows, back in
  // units; the top-left corner stays.
  void SetRect();
  // FALSE (logged, nothing taken) for a block that is broken, of another type or without a
  // terminated template.
  BOOL SetObData(HGLOBAL data);

  const CString& GetTemplate() const { return m_template; }
  void SetTemplate(const CString& text) { m_template = text; }
  const std::vector<char>& GetData() const { return m_data; }
  const aztec::matrix<unsigned char>& GetMatrix() const { return m_matrix; }
  int GetModuleSize() const { return m_style.lineWidth; }

 private:
  // The module size in view pixels, at least 1.
  int ModuleViewPixels();
  // The text fields of the view's active page; null without a view.
  CTranspObjectList* ActiveFields();

  CString m_template;
  std::vector<char> m_data;
  aztec::matrix<unsigned char> m_matrix;
};
