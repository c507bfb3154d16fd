// The picture's state: creation from files, DIBs and object data, its record and object data, the
// rotation and proportions of its rectangle, its style fields and undo snapshot.
#include "TranspImage.h"

#include <algorithm>
#include <cstring>

#include "ErrorLog.h"
#include "LFile.h"
#include "MyProcs.h"
#include "PageImage.h"

SIZE FitIntoMaxSize(SIZE size, SIZE max) {
  const double cx = max.cx > 0 && size.cx > max.cx ? static_cast<double>(size.cx) / max.cx : 0.0;
  const double cy = max.cy > 0 && size.cy > max.cy ? static_cast<double>(size.cy) / max.cy : 0.0;
  if (cx == 0.0 && cy == 0.0) return size;
  const double factor = cx > cy ? cx : cy;
  return {static_cast<LONG>(size.cx / factor), static_cast<LONG>(size.cy / factor)};
}

// ---- Construction ----

CTranspImage::CTranspImage(CWnd* view, int pageIndex) : CTranspGraphClass(view, pageIndex) {
  m_style.printable = 1;
}

CTranspImage::CTranspImage(CWnd* view, HGLOBAL data, int x, int y, int pageIndex) : CTranspImage(view, pageIndex) {
  Create(data, x, y);
}

CTranspImage::~CTranspImage() {
  DEF_TRY
  m_fileBytes.clear();
  ClearImageCache(m_cache);
  m_cache.WaitForJobs();
  DEF_CATCH("CTranspImage::~CTranspImage")
}

int CTranspImage::GetObjectKind() { return KIND_PICTURE; }

int CTranspImage::IsEmpty() { return m_bitmap.IsAllocated() ? 0 : 1; }

void CTranspImage::ClearImageCache(CScaledBitmapCache& cache) { cache.Clear(); }

int CTranspImage::Create(const wchar_t* path, int x, int y) {
  DEF_TRY
  if (path == nullptr) {
    AppendErrorLog(L"CTranspImage::Create: no file was named");
    return 0;
  }
  ClearImageCache(m_cache);
  m_fileBytes.clear();
  const CString name(path);
  const int dot = name.ReverseFind(L'.');
  const int slash = std::max(name.ReverseFind(L'\\'), name.ReverseFind(L'/'));
  CString extension = dot > slash ? name.Mid(dot + 1) : CString();
  extension.MakeLower();
  if (extension == L"jpg") {
    CFile file;
    if (file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
      const ULONGLONG length = file.GetLength();
      // A file the document could not hold whole is loaded as a picture only.
      if (length > 0 && length < 0x7FFFFFFF) {
        m_fileBytes.resize(static_cast<size_t>(length));
        if (file.Read(m_fileBytes.data(), static_cast<UINT>(length)) != length) m_fileBytes.clear();
      }
      file.Close();
    }
  }
  const int result = m_bitmap.Load(path, 0, ORDER_BGR, 1);
  if (result != SUCCESS) {
    CString text;
    text.Format(L"CTranspImage::Create: the picture \"%s\" cannot be loaded (%d)", path, result);
    AppendErrorLog(text);
    m_fileBytes.clear();
    return 0;
  }
  PlaceAtScreenSize(x, y);
  return 1;
  DEF_CATCH("CTranspImage::Create")
  return 0;
}

int CTranspImage::CreateDib(HGLOBAL dib, int x, int y, SIZE max) {
  DEF_TRY
  ClearImageCache(m_cache);
  if (m_bitmap.CopyFromHDib(dib) != SUCCESS) {
    AppendErrorLog(L"CTranspImage::CreateDib: the DIB cannot be read");
    return 0;
  }
  m_fileBytes.clear();
  PlaceFitted(x, y, max);
  return 1;
  DEF_CATCH("CTranspImage::CreateDib")
  return 0;
}

int CTranspImage::Create(HGLOBAL objectData, int x, int y) {
  DEF_TRY
  if (!SetObData(objectData)) return 0;
  ::OffsetRect(&m_rect, x - m_rect.left, y - m_rect.top);
  return 1;
  DEF_CATCH("CTranspImage::Create")
  return 0;
}

void CTranspImage::PlaceFitted(int x, int y, SIZE max) {
  RECT extent = {0, 0, m_bitmap.GetWidth(), m_bitmap.GetHeight()};
  PageToUnit(&extent);
  const SIZE fitted = FitIntoMaxSize({extent.right - extent.left, extent.bottom - extent.top}, max);
  m_rect = {x, y, x + fitted.cx, y + fitted.cy};
}

BOOL CTranspImage::GetBitmap(LBitmapBase* out) {
  DEF_TRY
  if (out == nullptr || !m_bitmap.IsAllocated()) return FALSE;
  return out->Copy(m_bitmap) == SUCCESS;
  DEF_CATCH("CTranspImage::GetBitmap")
  return FALSE;
}

// ---- Record ----

BOOL CTranspImage::StoredImageData(std::vector<BYTE>& data) {
  if (!m_fileBytes.empty()) {
    data = m_fileBytes;
    return TRUE;
  }
  data.clear();
  // A picture without an image (an old record that carried none) stores none.
  return !m_bitmap.IsAllocated() || SaveBitmapAsPng(m_bitmap, data);
}

void CTranspImage::Serialize(CArchive& ar) {
  DEF_TRY
  IMAGE_RECORD record;
  if (ar.IsStoring()) {
    std::vector<BYTE> data;
    if (!StoredImageData(data)) {
      AppendErrorLog(L"CTranspImage::Serialize: the picture cannot be encoded");
      AfxThrowArchiveException(CArchiveException::genericException);
    }
    std::memset(&record, 0, sizeof(record));
    record.rect[0] = m_rect.left;
    record.rect[1] = m_rect.top;
    record.rect[2] = m_rect.right;
    record.rect[3] = m_rect.bottom;
    record.pageIndex = m_pageIndex;
    record.transparent = m_transparent;
    record.fileBytes = m_fileBytes.empty() ? 0 : 1;
    record.printable = m_style.printable;
    const uint32_t n = static_cast<uint32_t>(data.size());
    StoreRecordStructure(ar, n + IMAGE_RECORD_LENGTH_BASE, &record, sizeof(record), IMAGE_RECORD_VERSION);
    ar << n;
    if (n > 0) ar.Write(data.data(), n);
    return;
  }
  LoadRecordStructure(ar, &record, sizeof(record));
  ClearImageCache(m_cache);
  m_rect = {record.rect[0], record.rect[1], record.rect[2], record.rect[3]};
  m_pageIndex = record.pageIndex;
  const uint32_t version = record.head.version;
  m_transparent = version <= 1 ? 1 : (record.transparent ? 1 : 0);
  m_style.printable = version >= IMAGE_RECORD_VERSION ? record.printable : 0;
  m_fileBytes.clear();
  if (version >= 2) LoadImageData(ar, version, record.fileBytes != 0);
  DEF_CATCH_PASS_ARCHIVE("CTranspImage::Serialize")
}

void CTranspImage::LoadImageData(CArchive& ar, uint32_t version, BOOL fileBytes) {
  int32_t n = 0;
  ar >> n;
  if (n < 0) {
    AppendErrorLog(L"CTranspImage::Serialize: a picture record states a negative image size");
    AfxThrowArchiveException(CArchiveException::badIndex);
  }
  if (n == 0) return;
  CheckArchiveCount(ar, static_cast<ULONGLONG>(n), 1);
  std::vector<BYTE> data(static_cast<size_t>(n));
  ReadArchiveExact(ar, data.data(), static_cast<UINT>(n));
  int result = ERROR_FILE_FORMAT;
  if (version == 2) {
    result = m_bitmap.ConvertFromDIB(reinterpret_cast<const BITMAPINFO*>(data.data()), nullptr, data.size());
  } else {
    LBuffer buffer(data.data(), data.size());
    LMemoryFile file(&m_bitmap);
    result = file.Load(buffer, 0, ORDER_BGRORGRAY, 1);
  }
  if (result != SUCCESS) {
    CString text;
    text.Format(L"CTranspImage::Serialize: the picture's %d bytes of image data do not decode (%d)", n, result);
    AppendErrorLog(text);
    AfxThrowArchiveException(CArchiveException::badIndex);
  }
  if (version >= 3 && fileBytes) m_fileBytes.swap(data);
}

// ---- Object data ----

HGLOBAL CTranspImage::GetObData() {
  DEF_TRY
  HGLOBAL dib = m_bitmap.IsAllocated() ? m_bitmap.ConvertToDIB() : nullptr;
  if (dib == nullptr) {
    AppendErrorLog(L"CTranspImage::GetObData: the picture has no image to hand over");
    return nullptr;
  }
  const SIZE_T dibSize = ::GlobalSize(dib);
  std::vector<BYTE> data(sizeof(IMAGE_DATA) + dibSize + IMAGE_DATA_TAIL, 0);
  const IMAGE_DATA head = {{m_rect.left, m_rect.top, m_rect.right, m_rect.bottom}, static_cast<int32_t>(dibSize)};
  std::memcpy(data.data(), &head, sizeof(head));
  const void* bits = ::GlobalLock(dib);
  if (bits != nullptr) std::memcpy(data.data() + sizeof(head), bits, dibSize);
  ::GlobalUnlock(dib);
  ::GlobalFree(dib);
  if (bits == nullptr) {
    AppendErrorLog(L"CTranspImage::GetObData: the picture's DIB cannot be read");
    return nullptr;
  }
  const int32_t version = IMAGE_DATA_VERSION | (m_transparent ? 1 : 0) << 16;
  return NewObData(DATA_TYPE_IMAGE, version, data.data(), static_cast<uint32_t>(data.size()));
  DEF_CATCH("CTranspImage::GetObData")
  return nullptr;
}

HGLOBAL CTranspImage::MakeObDataFromDIB(HGLOBAL dib) {
  DEF_TRY
  const SIZE_T dibSize = dib != nullptr ? ::GlobalSize(dib) : 0;
  const void* bits = dibSize > 0 ? ::GlobalLock(dib) : nullptr;
  if (bits == nullptr) {
    AppendErrorLog(L"CTranspImage::MakeObDataFromDIB: the DIB cannot be read");
    return nullptr;
  }
  std::vector<BYTE> data(sizeof(IMAGE_DATA) + dibSize + IMAGE_DATA_TAIL, 0);
  const IMAGE_DATA head = {{0, 0, 0, 0}, static_cast<int32_t>(dibSize)};
  std::memcpy(data.data(), &head, sizeof(head));
  std::memcpy(data.data() + sizeof(head), bits, dibSize);
  ::GlobalUnlock(dib);
  return NewObData(DATA_TYPE_IMAGE, IMAGE_DATA_DIB_VERSION, data.data(), static_cast<uint32_t>(data.size()));
  DEF_CATCH("CTranspImage::MakeObDataFromDIB")
  return nullptr;
}

BOOL CTranspImage::SetObData(HGLOBAL block) {
  DEF_TRY
  CTranspDataReader reader(block);
  if (!reader.IsValid() || reader.GetHead().type != DATA_TYPE_IMAGE || reader.GetClassSize() < sizeof(IMAGE_DATA)) {
    AppendErrorLog(L"CTranspImage::SetObData: object data of another kind or too short for a picture was refused");
    return FALSE;
  }
  IMAGE_DATA head;
  reader.ReadClassData(&head, sizeof(head));
  if (!IsBoxPlausible(head.rect)) {
    AppendErrorLog(L"CTranspImage::SetObData: object data of a picture beyond any page was refused");
    return FALSE;
  }
  const UINT available = reader.GetClassSize() - sizeof(IMAGE_DATA);
  if (head.dibSize <= 0 || static_cast<UINT>(head.dibSize) > available) {
    AppendErrorLog(L"CTranspImage::SetObData: object data whose DIB does not fit in the block was refused");
    return FALSE;
  }
  LMyBitmap picture;
  const BYTE* dib = reader.GetClassData() + sizeof(IMAGE_DATA);
  if (picture.ConvertFromDIB(reinterpret_cast<const BITMAPINFO*>(dib), nullptr, static_cast<SIZE_T>(head.dibSize)) !=
      SUCCESS) {
    AppendErrorLog(L"CTranspImage::SetObData: object data whose DIB does not decode was refused");
    return FALSE;
  }
  ClearImageCache(m_cache);
  m_bitmap = picture;
  m_fileBytes.clear();
  const int32_t version = reader.GetHead().version;
  m_transparent = version == IMAGE_DATA_DIB_VERSION ? 1 : ((static_cast<uint32_t>(version) >> 16) != 0 ? 1 : 0);
  m_rect = {head.rect[0], head.rect[1], head.rect[2], head.rect[3]};
  if (::IsRectEmpty(&m_rect)) {
    m_rect = {0, 0, m_bitmap.GetWidth(), m_bitmap.GetHeight()};
    PageToUnit(&m_rect);
  }
  m_style.printable = 1;
  return TRUE;
  DEF_CATCH("CTranspImage::SetObData")
  return FALSE;
}

// ---- Geometry ----

void CTranspImage::Rotate(int angle) {
  DEF_TRY
  if (!m_bitmap.IsAllocated() || m_bitmap.GetWidth() <= 0 || m_bitmap.GetHeight() <= 0) return;
  ClearImageCache(m_cache);
  RECT before;
  GetRepaintRect(&before);
  // Units per pixel as a fraction: a bitmap with more pixels than its rectangle has units would
  // otherwise shrink to nothing.
  const double perPixelX = static_cast<double>(m_rect.right - m_rect.left) / m_bitmap.GetWidth();
  const double perPixelY = static_cast<double>(m_rect.bottom - m_rect.top) / m_bitmap.GetHeight();
  if (m_bitmap.Rotate(angle, TRUE, RGB(255, 255, 255)) != SUCCESS) {
    AppendErrorLog(L"CTranspImage::Rotate: the picture cannot be turned");
    return;
  }
  m_fileBytes.clear();
  m_rect.right = m_rect.left + RoundToInt(m_bitmap.GetWidth() * perPixelX);
  m_rect.bottom = m_rect.top + RoundToInt(m_bitmap.GetHeight() * perPixelY);
  Repaint(&before);
  SetModified();
  DEF_CATCH("CTranspImage::Rotate")
}

void CTranspImage::RestoreProportions() {
  DEF_TRY
  if (!m_bitmap.IsAllocated() || m_bitmap.GetWidth() <= 0) return;
  RECT before;
  GetRepaintRect(&before);
  m_rect.bottom = m_rect.top + static_cast<int>(static_cast<double>(m_bitmap.GetHeight()) / m_bitmap.GetWidth() *
                                                (m_rect.right - m_rect.left));
  Repaint(&before);
  SetModified();
  DEF_CATCH("CTranspImage::RestoreProportions")
}

void CTranspImage::OnLButtonUp(UINT flags, int x, int y) {
  DEF_TRY
  if (m_keepAspect && m_aspectRatio > 0) {
    RECT before;
    GetRepaintRect(&before);
    const RECT box = NormalizedRect(m_rect);
    const int width = box.right - box.left, height = box.bottom - box.top;
    // Height from the width, or width from the height: the one that fits is the smaller.
    const int fromWidth = static_cast<int>(width * m_aspectRatio);
    const int fromHeight = static_cast<int>(height / m_aspectRatio);
    if (static_cast<double>(width) * fromWidth <= static_cast<double>(fromHeight) * height)
      m_rect = {box.left, box.top, box.left + width, box.top + fromWidth};
    else
      m_rect = {box.left, box.top, box.left + fromHeight, box.top + height};
    Repaint(&before);
  }
  CTranspGraphClass::OnLButtonUp(flags, x, y);
  Repaint();
  DEF_CATCH("CTranspImage::OnLButtonUp")
}

// ---- Style and snapshots ----

void CTranspImage::GetObjectStyle(_OBJECT_STYLE* out) {
  DEF_TRY
  m_style.transparent = m_transparent;
  if (out != nullptr) std::memcpy(out, &m_style, sizeof(m_style));
  DEF_CATCH("CTranspImage::GetObjectStyle")
}

void CTranspImage::SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* fieldId,
                                  int repaint) {
  DEF_TRY
  RECT before = {};
  if (repaint) GetRepaintRect(&before);
  const int id = fieldId != nullptr ? *fieldId : IMAGE_FIELD_WHOLE_STYLE;
  switch (id) {
    case IMAGE_FIELD_WHOLE_STYLE:
      if (style != nullptr) std::memcpy(&m_style, style, sizeof(m_style));
      break;
    case IMAGE_FIELD_NAME:
      if (properties != nullptr) SetName(properties->name);
      break;
    case IMAGE_FIELD_TRANSPARENT:
      if (style != nullptr) m_transparent = style->transparent ? 1 : 0;
      break;
    case IMAGE_FIELD_PRINTABLE:
      if (style != nullptr) m_style.printable = style->printable;
      break;
    default:
      break;
  }
  if (repaint) Repaint(&before);
  Repaint();
  SetModified();
  DEF_CATCH("CTranspImage::SetObjectStyle")
}

CUndoState CTranspImage::GetUndoState() {
  CUndoState state = CTranspGraphClass::GetUndoState();
  DEF_TRY
  state.m_state2[0] = m_transparent;
  if (m_bitmap.IsAllocated()) state.m_bitmap = m_bitmap;
  DEF_CATCH("CTranspImage::GetUndoState")
  return state;
}

void CTranspImage::SetUndoState(const CUndoState& state) {
  DEF_TRY
  CTranspGraphClass::SetUndoState(state);
  m_transparent = state.m_state2[0] ? 1 : 0;
  if (state.m_bitmap.IsAllocated()) {
    ClearImageCache(m_cache);
    m_bitmap = state.m_bitmap;
  }
  DEF_CATCH("CTranspImage::SetUndoState")
}
