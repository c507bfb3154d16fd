// The barcode's state: the default template, field substitution, encoding, the record and the
// object data, the rectangle from the matrix and its style fields.
#include "TranspBarcode.h"

#include <cstring>
#include <string>

#include "ErrorLog.h"
#include "FieldProperties.h"
#include "FolimarView.h"
#include "MyProcs.h"
#include "TranspText.h"

namespace {

// The namespace URI of the barcode schema is ours to choose; the rest is what readers of the
// symbol expect.
const wchar_t kDefaultTemplate[] =
    L"<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
    L"<bar2 xmlns=\"urn:vantry:barcode2\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    L"xsi:noNamespaceSchemaLocation=\"Barcode2_01.xsd\">"
    L"<parlist>"
    L"<par fld_code=\"FLD8\">FullName</par>"
    L"<par fld_code=\"ADRES\">Address</par>"
    L"<par fld_code=\"FLD7\">Price</par>"
    L"<par fld_code=\"FLD24\">Subject</par>"
    L"</parlist></bar2>";

constexpr UINT kBarcodeCodePage = 1251;

struct FIELD_VALUE {
  std::wstring name;
  std::wstring value;
};

}  // namespace

const wchar_t* GetDefaultBarcodeTemplate() { return kDefaultTemplate; }

CString SubstituteBarcodeFields(const CString& text, CTranspObjectList* fields) {
  if (fields == nullptr) return text;
  std::vector<FIELD_VALUE> values;
  for (POSITION pos = fields->GetHeadPosition(); pos != nullptr;) {
    CTranspBaseClass* object = fields->GetNext(pos);
    CTranspText* field = dynamic_cast<CTranspText*>(object);
    if (field == nullptr || field->GetObjectKind() != KIND_TEXTFIELD || field->IsEmpty()) continue;
    const CString name = field->GetName();
    // An empty name would match everywhere.
    if (name.GetLength() == 0) continue;
    values.push_back({std::wstring(name.GetString()), std::wstring(field->GetText().GetString())});
  }
  const std::wstring source(text.GetString(), text.GetLength());
  std::wstring out;
  out.reserve(source.size());
  for (std::size_t at = 0; at < source.size();) {
    const FIELD_VALUE* best = nullptr;
    for (const FIELD_VALUE& candidate : values) {
      if (best != nullptr && candidate.name.size() <= best->name.size()) continue;
      if (source.compare(at, candidate.name.size(), candidate.name) == 0) best = &candidate;
    }
    if (best == nullptr) {
      out += source[at++];
      continue;
    }
    out += best->value;
    at += best->name.size();
  }
  return CString(out);
}

std::vector<char> ToBarcodeBytes(const CString& text) {
  std::vector<char> bytes;
  const int length = text.GetLength();
  const int size =
      length == 0 ? 0 : WideCharToMultiByte(kBarcodeCodePage, 0, text.GetString(), length, nullptr, 0, nullptr, nullptr);
  bytes.assign(static_cast<std::size_t>(size > 0 ? size : 0) + 1, 0);
  if (size > 0)
    WideCharToMultiByte(kBarcodeCodePage, 0, text.GetString(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

// ---- Construction ----

CTranspBarcode::CTranspBarcode(CWnd* view, int pageIndex) : CTranspGraphClass(view, pageIndex) {}

CTranspBarcode::CTranspBarcode(CWnd* view, POINT point, const _OBJECT_STYLE* style, int pageIndex)
    : CTranspGraphClass(view, pageIndex) {
  DEF_TRY
  const int side = InchToUnit(1.0);
  m_rect = {point.x, point.y, point.x + side, point.y + side};
  if (style != nullptr) std::memcpy(&m_style, style, sizeof(m_style));
  m_style.lineWidth = BARCODE_DEFAULT_MODULE;
  m_style.printable = 1;
  m_template = kDefaultTemplate;
  GenerateBacode();
  DEF_CATCH("CTranspBarcode::CTranspBarcode")
}

CTranspBarcode::CTranspBarcode(CWnd* view, HGLOBAL data, int x, int y, int pageIndex)
    : CTranspGraphClass(view, pageIndex) {
  DEF_TRY
  if (!SetObData(data)) {
    m_dataRefused = TRUE;
    return;
  }
  ::OffsetRect(&m_rect, x - m_rect.left, y - m_rect.top);
  DEF_CATCH("CTranspBarcode::CTranspBarcode")
}

CTranspBarcode::~CTranspBarcode() = default;

int CTranspBarcode::GetObjectKind() { return KIND_BARCODE; }

// ---- Symbol ----

CTranspObjectList* CTranspBarcode::ActiveFields() {
  CFolimarView* view = dynamic_cast<CFolimarView*>(m_pView);
  return view != nullptr ? view->GetActiveObjectList() : nullptr;
}

BOOL CTranspBarcode::GenerateBacode() {
  DEF_TRY
  std::vector<char> bytes = ToBarcodeBytes(SubstituteBarcodeFields(m_template, ActiveFields()));
  // The terminating zero is part of the encoded data: readers of these symbols expect it.
  aztec::matrix<unsigned char> symbol;
  const int status = aztec::generate_aztec(symbol, bytes.data(), bytes.data() + bytes.size(), BARCODE_MIN_ECC_PERCENT,
                                           aztec::kFormatPlainData, false);
  if (status != aztec::kOk) {
    CString message;
    message.Format(L"CTranspBarcode::GenerateBacode: the symbol was not made (%hs); the previous one stays",
                   aztec::StatusText(status));
    AppendErrorLog(message);
    return FALSE;
  }
  m_data.swap(bytes);
  m_matrix.swap(symbol);
  SetRect();
  return TRUE;
  DEF_CATCH("CTranspBarcode::GenerateBacode")
  return FALSE;
}

int CTranspBarcode::ModuleViewPixels() {
  RECT module = {0, 0, m_style.lineWidth, m_style.lineWidth};
  UnitToPage(&module);
  PageToView(&module);
  const int pixels = module.right - module.left;
  return pixels < 1 ? 1 : pixels;
}

void CTranspBarcode::SetRect() {
  DEF_TRY
  const int module = ModuleViewPixels();
  RECT size = {0, 0, module * m_matrix.columns(), module * m_matrix.rows()};
  ViewToPage(&size);
  PageToUnit(&size);
  const RECT normal = NormalizedRect(m_rect);
  m_rect = {normal.left, normal.top, normal.left + (size.right - size.left), normal.top + (size.bottom - size.top)};
  DEF_CATCH("CTranspBarcode::SetRect")
}

// ---- Record ----

void CTranspBarcode::Serialize(CArchive& ar) {
  DEF_TRY
  BARCODE_RECORD record;
  if (ar.IsStoring()) {
    std::memset(&record, 0, sizeof(record));
    record.rect[0] = m_rect.left;
    record.rect[1] = m_rect.top;
    record.rect[2] = m_rect.right;
    record.rect[3] = m_rect.bottom;
    record.moduleSize = m_style.lineWidth;
    record.pageIndex = m_pageIndex;
    record.printable = m_style.printable;
    StoreRecordStructure(ar, static_cast<uint32_t>(m_template.GetLength()) + BARCODE_RECORD_LENGTH_BASE, &record,
                         sizeof(record), BARCODE_RECORD_VERSION);
    WriteStringToArchive(ar, m_template);
    return;
  }
  LoadRecordStructure(ar, &record, sizeof(record));
  m_rect = {record.rect[0], record.rect[1], record.rect[2], record.rect[3]};
  m_style.lineWidth = record.moduleSize;
  m_pageIndex = record.pageIndex;
  m_style.printable = record.head.version >= BARCODE_RECORD_VERSION ? record.printable : 0;
  ReadStringFromArchive(ar, m_template);
  DEF_CATCH_PASS_ARCHIVE("CTranspBarcode::Serialize")
}

// ---- Object data ----

HGLOBAL CTranspBarcode::GetObData() {
  DEF_TRY
  const std::size_t templateBytes = (static_cast<std::size_t>(m_template.GetLength()) + 1) * sizeof(WCHAR);
  std::vector<BYTE> data(sizeof(BARCODE_DATA) + templateBytes + BARCODE_DATA_TAIL, 0);
  BARCODE_DATA head = {{m_rect.left, m_rect.top, m_rect.right, m_rect.bottom}, m_style.lineWidth};
  std::memcpy(data.data(), &head, sizeof(head));
  std::memcpy(data.data() + sizeof(head), m_template.GetString(), templateBytes - sizeof(WCHAR));
  return NewObData(DATA_TYPE_BARCODE, BARCODE_DATA_VERSION, data.data(), static_cast<uint32_t>(data.size()));
  DEF_CATCH("CTranspBarcode::GetObData")
  return nullptr;
}

BOOL CTranspBarcode::SetObData(HGLOBAL block) {
  DEF_TRY
  CTranspDataReader reader(block);
  if (!reader.IsValid() || reader.GetHead().type != DATA_TYPE_BARCODE || reader.GetClassSize() < sizeof(BARCODE_DATA)) {
    AppendErrorLog(L"CTranspBarcode::SetObData: object data of another kind or too short for a barcode was refused");
    return FALSE;
  }
  const BYTE* text = reader.GetClassData() + sizeof(BARCODE_DATA);
  const UINT characters = (reader.GetClassSize() - sizeof(BARCODE_DATA)) / sizeof(WCHAR);
  // The template must end inside the block; copied out character by character, the block's
  // alignment does not matter.
  std::wstring found;
  bool terminated = false;
  for (UINT i = 0; i < characters && !terminated; ++i) {
    WCHAR c;
    std::memcpy(&c, text + i * sizeof(WCHAR), sizeof(c));
    if (c == 0)
      terminated = true;
    else
      found += c;
  }
  if (!terminated) {
    AppendErrorLog(L"CTranspBarcode::SetObData: object data whose template does not end in the block was refused");
    return FALSE;
  }
  BARCODE_DATA head;
  reader.ReadClassData(&head, sizeof(head));
  // The largest symbol (32 layers) is 151 modules a side, and must fit the bound of any object.
  const int32_t kLargestModule = MAX_OBJECT_EXTENT / 151;
  if (!IsBoxPlausible(head.rect) || head.moduleSize < 0 || head.moduleSize > kLargestModule) {
    AppendErrorLog(L"CTranspBarcode::SetObData: object data of a barcode beyond any page was refused");
    return FALSE;
  }
  m_rect = {head.rect[0], head.rect[1], head.rect[2], head.rect[3]};
  m_style.lineWidth = head.moduleSize;
  m_template = CString(found);
  GenerateBacode();
  return TRUE;
  DEF_CATCH("CTranspBarcode::SetObData")
  return FALSE;
}

// ---- Properties and style ----

void CTranspBarcode::GetProperties(_PROPERTIES* out) {
  DEF_TRY
  if (out == nullptr) return;
  *out = _PROPERTIES();
  out->name = m_name;
  out->contentTemplate = m_template;
  DEF_CATCH("CTranspBarcode::GetProperties")
}

void CTranspBarcode::SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* fieldId,
                                    int repaint) {
  DEF_TRY
  RECT before = {};
  if (repaint) GetRepaintRect(&before);
  const int id = fieldId != nullptr ? *fieldId : BARCODE_FIELD_WHOLE_STYLE;
  switch (id) {
    case BARCODE_FIELD_WHOLE_STYLE:
      if (style != nullptr) std::memcpy(&m_style, style, sizeof(m_style));
      break;
    case BARCODE_FIELD_MODULE_SIZE:
      if (style != nullptr) {
        m_style.lineWidth = style->lineWidth;
        SetRect();
      }
      break;
    case BARCODE_FIELD_NAME:
      if (properties != nullptr) SetName(properties->name);
      break;
    case BARCODE_FIELD_TEMPLATE:
      if (properties != nullptr) {
        m_template = properties->contentTemplate;
        GenerateBacode();
      }
      break;
    case BARCODE_FIELD_PRINTABLE:
      if (style != nullptr) m_style.printable = style->printable;
      break;
    default:
      break;
  }
  if (repaint) Repaint(&before);
  SetModified();
  DEF_CATCH("CTranspBarcode::SetObjectStyle")
}
