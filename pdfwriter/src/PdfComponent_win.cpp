// The document interface over the writer: argument checks, call order, the drawing surface that
// records a page's GDI output as an enhanced metafile, and the error information behind each failure.
#include "pdfwriter/PdfComponent.h"

#include <shellapi.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <vector>

#include "EmfTranslator_win.h"
#include "SystemFonts_win.h"
#include "pdfwriter/PdfDocument.h"

namespace {

// A call that the document's state does not allow yet or any more.
const HRESULT kOutOfOrder = static_cast<HRESULT>(0x8000000EL);  // E_ILLEGAL_METHOD_CALL

std::wstring Wide(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

std::wstring WideFromUtf8(const std::string& text) {
  int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(length, L'\0');
  if (length) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], length);
  return out;
}

bool ReadWholeFile(const std::wstring& path, std::string* bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000;
  if (ok) {
    bytes->resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    ok = size.QuadPart == 0 || (ReadFile(file, &(*bytes)[0], static_cast<DWORD>(size.QuadPart), &got, nullptr) &&
                                got == size.QuadPart);
  }
  CloseHandle(file);
  return ok;
}

bool Finite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

bool UnitColor(double r, double g, double b) { return Finite({r, g, b}) && r >= 0 && r <= 1 && g >= 0 && g <= 1 && b >= 0 && b <= 1; }

class PdfComponent final : public IPdfDocument, public ISupportErrorInfo {
 public:
  PdfComponent() : document_(new pdf::PdfDocument(&fonts_)) {}
  ~PdfComponent() {
    DropSurface();
    if (document_->Begun()) document_->Abandon();
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(IPdfDocument)) *out = static_cast<IPdfDocument*>(this);
    else if (iid == IID_ISupportErrorInfo) *out = static_cast<ISupportErrorInfo*>(this);
    else { *out = nullptr; return E_NOINTERFACE; }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (!left) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == __uuidof(IPdfDocument) ? S_OK : S_FALSE;
  }

  // ---- settings ----
  HRESULT STDMETHODCALLTYPE raw_SetFileName(BSTR path) override {
    if (HRESULT hr = BeforeBegin("SetFileName")) return hr;
    if (!path || !*path) return Fail(E_INVALIDARG, L"SetFileName: the file name is empty");
    path_ = Wide(path);
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetTitle(BSTR text) override { return Info(&pdf::DocumentInfo::title, text); }
  HRESULT STDMETHODCALLTYPE raw_SetAuthor(BSTR text) override { return Info(&pdf::DocumentInfo::author, text); }
  HRESULT STDMETHODCALLTYPE raw_SetSubject(BSTR text) override { return Info(&pdf::DocumentInfo::subject, text); }
  HRESULT STDMETHODCALLTYPE raw_SetKeywords(BSTR text) override { return Info(&pdf::DocumentInfo::keywords, text); }
  HRESULT STDMETHODCALLTYPE raw_SetCompression(long mode) override {
    if (HRESULT hr = BeforeBegin("SetCompression")) return hr;
    if (mode < 0 || mode > 1) return Fail(E_INVALIDARG, L"SetCompression: 0 or 1 expected");
    document_->compress = mode == 1;
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetJpegQuality(long quality) override {
    if (quality < 1 || quality > 100) return Fail(E_INVALIDARG, L"SetJpegQuality: 1 to 100 expected");
    jpegQuality_ = quality;
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetPdfVersion(long index) override {
    if (HRESULT hr = BeforeBegin("SetPdfVersion")) return hr;
    if (index < 0 || index > 1) return Fail(E_INVALIDARG, L"SetPdfVersion: 0 (1.3) or 1 (1.4) expected");
    document_->minorVersion = 3 + index;
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetKeyLength(long length) override {
    if (HRESULT hr = BeforeBegin("SetKeyLength")) return hr;
    if (length == 0 || length == 40) document_->security.keyBits = 40;
    else if (length == 1 || length == 128) document_->security.keyBits = 128;
    else return Fail(E_INVALIDARG, L"SetKeyLength: 0 or 40 (40-bit), 1 or 128 (128-bit) expected");
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetKeyLengthIndex(long index) override {
    if (HRESULT hr = BeforeBegin("SetKeyLengthIndex")) return hr;
    if (index < 0 || index > 1) return Fail(E_INVALIDARG, L"SetKeyLengthIndex: 0 or 1 expected");
    // The index of the document's own security settings: 128-bit there means 128-bit here.
    if (index == 1) document_->security.keyBits = 128;
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetLaunchViewer(long launch) override {
    launchViewer_ = launch != 0;
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetSecurityOn(long on) override {
    if (HRESULT hr = BeforeBegin("SetSecurityOn")) return hr;
    document_->security.enabled = on != 0;
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetUserPassword(BSTR password) override {
    return Password(&pdf::SecuritySettings::userPassword, password, "SetUserPassword");
  }
  HRESULT STDMETHODCALLTYPE raw_SetOwnerPassword(BSTR password) override {
    return Password(&pdf::SecuritySettings::ownerPassword, password, "SetOwnerPassword");
  }
  HRESULT STDMETHODCALLTYPE raw_SetPermissions(long copy, long annotations, long modify, long print) override {
    if (HRESULT hr = BeforeBegin("SetPermissions")) return hr;
    pdf::Permissions& p = document_->security.permissions;
    p.copy = copy != 0;
    p.annotations = annotations != 0;
    p.modifyContents = modify != 0;
    p.print = print != 0;
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetImageCompression(long mode) override {
    if (mode < 0 || mode > 4) return Fail(E_INVALIDARG, L"SetImageCompression: 0 to 4 expected");
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetUrlDetection(long) override { return Ok(); }
  HRESULT STDMETHODCALLTYPE raw_SetPageLayout(long layout) override {
    if (layout < 0 || layout > 3) return Fail(E_INVALIDARG, L"SetPageLayout: 0 to 3 expected");
    document_->viewer.pageLayout = layout;
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetPageMode(long mode) override {
    if (mode < 0 || mode > 3) return Fail(E_INVALIDARG, L"SetPageMode: 0 to 3 expected");
    document_->viewer.pageMode = mode;
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetViewerPreferences(long center, long fit, long hideMenubar, long hideToolbars,
                                                      long hideWindowUI) override {
    pdf::ViewerSettings& v = document_->viewer;
    v.centerWindow = center != 0;
    v.fitWindow = fit != 0;
    v.hideMenubar = hideMenubar != 0;
    v.hideToolbars = hideToolbars != 0;
    v.hideWindowUI = hideWindowUI != 0;
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetFontEmbedding(long mode) override {
    if (HRESULT hr = BeforeBegin("SetFontEmbedding")) return hr;
    if (mode < 0 || mode > 3) return Fail(E_INVALIDARG, L"SetFontEmbedding: 0 to 3 expected");
    document_->embedding = static_cast<pdf::FontEmbedding>(mode);
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetTopDown(long topDown) override {
    if (topDown != 1) return Fail(E_INVALIDARG, L"SetTopDown: only 1 (y downwards) is supported");
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetResolution(long unitsPerInch) override {
    if (unitsPerInch < 1 || unitsPerInch > 10000) return Fail(E_INVALIDARG, L"SetResolution: 1 to 10000 expected");
    if (document_->Begun() && (surface_ || !chunks_.empty()))
      return Fail(kOutOfOrder, L"SetResolution: the current page has drawing in another resolution");
    resolution_ = unitsPerInch;
    document_->SetDrawingResolution(resolution_);
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_GetResolution(long* unitsPerInch) override {
    if (!unitsPerInch) return Fail(E_POINTER, L"GetResolution: null pointer");
    *unitsPerInch = resolution_;
    return Ok();
  }

  // ---- document and pages ----
  HRESULT STDMETHODCALLTYPE raw_BeginDocument() override {
    return Guarded("BeginDocument", [&]() -> HRESULT {
      if (HRESULT hr = BeforeBegin("BeginDocument")) return hr;
      if (path_.empty()) return Fail(kOutOfOrder, L"BeginDocument: no file name was set");
      std::string error;
      document_->SetDrawingResolution(resolution_);
      if (!document_->Begin(path_, &error)) return Fail(HRESULT_FROM_WIN32(ERROR_CANNOT_MAKE), L"BeginDocument: " + WideFromUtf8(error));
      ApplyPageSize();
      return Ok();
    });
  }
  HRESULT STDMETHODCALLTYPE raw_NewPage() override {
    return Guarded("NewPage", [&]() -> HRESULT {
      if (HRESULT hr = FlushPageThen("NewPage", &pdf::PdfDocument::NewPage)) return hr;
      ApplyPageSize();
      return Ok();
    });
  }
  HRESULT STDMETHODCALLTYPE raw_EndDocument() override {
    return Guarded("EndDocument", [&]() -> HRESULT {
      if (HRESULT hr = FlushPageThen("EndDocument", &pdf::PdfDocument::End)) return hr;
      ended_ = true;
      if (launchViewer_) ShellExecuteW(nullptr, L"open", path_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      return Ok();
    });
  }
  HRESULT STDMETHODCALLTYPE raw_SetPageOrientation(long landscape) override {
    if (landscape < 0 || landscape > 1) return Fail(E_INVALIDARG, L"SetPageOrientation: 0 or 1 expected");
    landscape_ = landscape == 1;
    return PageSizeChanged("SetPageOrientation");
  }
  HRESULT STDMETHODCALLTYPE raw_SetPageResolution(long unitsPerInch) override {
    if (unitsPerInch < 1 || unitsPerInch > 10000) return Fail(E_INVALIDARG, L"SetPageResolution: 1 to 10000 expected");
    pageResolution_ = unitsPerInch;
    return PageSizeChanged("SetPageResolution");
  }
  HRESULT STDMETHODCALLTYPE raw_SetPageWidth(long width) override {
    if (width < 1) return Fail(E_INVALIDARG, L"SetPageWidth: the width must be positive");
    pageWidth_ = width;
    return PageSizeChanged("SetPageWidth");
  }
  HRESULT STDMETHODCALLTYPE raw_SetPageHeight(long height) override {
    if (height < 1) return Fail(E_INVALIDARG, L"SetPageHeight: the height must be positive");
    pageHeight_ = height;
    return PageSizeChanged("SetPageHeight");
  }
  HRESULT STDMETHODCALLTYPE raw_GetDrawingSurface(HDC* dc) override {
    return Guarded("GetDrawingSurface", [&]() -> HRESULT {
      if (!dc) return Fail(E_POINTER, L"GetDrawingSurface: null pointer");
      if (HRESULT hr = AfterBegin("GetDrawingSurface")) return hr;
      if (!surface_) {
        // The frame is the page in 0.01 mm, so a metafile viewer sees the page as it is.
        RECT frame = {0, 0, LONG(document_->PageWidthPoints() * 2540 / 72), LONG(document_->PageHeightPoints() * 2540 / 72)};
        surface_ = CreateEnhMetaFileW(nullptr, nullptr, &frame, L"Vantry PDF page\0\0");
        if (!surface_) return Fail(E_OUTOFMEMORY, L"GetDrawingSurface: no metafile device context");
        surfaceDpiX_ = GetDeviceCaps(surface_, LOGPIXELSX);
        surfaceDpiY_ = GetDeviceCaps(surface_, LOGPIXELSY);
      }
      *dc = surface_;
      return Ok();
    });
  }
  HRESULT STDMETHODCALLTYPE raw_PlaceMetafile(HENHMETAFILE metafile, double x, double y, double sx, double sy) override {
    return Guarded("PlaceMetafile", [&]() -> HRESULT {
      if (HRESULT hr = AfterBegin("PlaceMetafile")) return hr;
      if (!metafile || !Finite({x, y, sx, sy})) return Fail(E_INVALIDARG, L"PlaceMetafile: bad metafile or placement");
      UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
      if (!size) return Fail(E_INVALIDARG, L"PlaceMetafile: the handle is no enhanced metafile");
      std::string bits(size, '\0');
      GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(&bits[0]));
      ENHMETAHEADER header = {};
      if (bits.size() < offsetof(ENHMETAHEADER, cbPixelFormat) || bits.compare(40, 4, " EMF") != 0)
        return Fail(E_INVALIDARG, L"PlaceMetafile: the metafile has no valid header");
      std::memcpy(&header, bits.data(), std::min<size_t>(sizeof(header), bits.size()));
      // The frame (0.01 mm) in the metafile's device units is the corner placed at (x, y).
      double fx = header.szlMillimeters.cx ? header.rclFrame.left * double(header.szlDevice.cx) / (header.szlMillimeters.cx * 100.0) : 0;
      double fy = header.szlMillimeters.cy ? header.rclFrame.top * double(header.szlDevice.cy) / (header.szlMillimeters.cy * 100.0) : 0;
      pdf::Affine m;
      m.a = sx;
      m.d = sy;
      m.e = x - fx * sx;
      m.f = y - fy * sy;
      pdf::ContentStream& chunk = Direct();
      pdf::EmfTranslator translator(*document_, chunk, m);
      std::string error;
      if (!translator.Translate(bits, &error)) return Fail(E_INVALIDARG, L"PlaceMetafile: " + WideFromUtf8(error));
      return Ok();
    });
  }

  // ---- drawing ----
  HRESULT STDMETHODCALLTYPE raw_SetStrokeColor(double r, double g, double b) override { return SetColor(r, g, b, "RG"); }
  HRESULT STDMETHODCALLTYPE raw_SetFillColor(double r, double g, double b) override { return SetColor(r, g, b, "rg"); }
  HRESULT STDMETHODCALLTYPE raw_SetLineWidth(double width) override {
    if (!Finite({width}) || width < 0) return Fail(E_INVALIDARG, L"SetLineWidth: the width must not be negative");
    return Draw("SetLineWidth", [&](pdf::ContentStream& c) { c.Add(width).Op("w"); });
  }
  HRESULT STDMETHODCALLTYPE raw_SetDash(BSTR pattern) override {
    std::string dash;
    if (!ParseDash(Wide(pattern), &dash)) return Fail(E_INVALIDARG, L"SetDash: a dash array and phase such as [6 2] 0 expected");
    return Draw("SetDash", [&](pdf::ContentStream& c) { c.Raw(dash).Op(" d"); });
  }
  HRESULT STDMETHODCALLTYPE raw_MoveTo(double x, double y) override { return PathOp("MoveTo", x, y, "m"); }
  HRESULT STDMETHODCALLTYPE raw_LineTo(double x, double y) override { return PathOp("LineTo", x, y, "l"); }
  HRESULT STDMETHODCALLTYPE raw_Rectangle(double l, double t, double r, double b) override {
    if (!Finite({l, t, r, b})) return Fail(E_INVALIDARG, L"Rectangle: bad coordinates");
    pathOpen_ = true;
    return Draw("Rectangle", [&](pdf::ContentStream& c) { c.Add(l).Add(t).Add(r - l).Add(b - t).Op("re"); });
  }
  HRESULT STDMETHODCALLTYPE raw_FillRectangle(double l, double t, double r, double b) override {
    if (!Finite({l, t, r, b})) return Fail(E_INVALIDARG, L"FillRectangle: bad coordinates");
    return Draw("FillRectangle", [&](pdf::ContentStream& c) { c.Add(l).Add(t).Add(r - l).Add(b - t).Op("re f"); });
  }
  HRESULT STDMETHODCALLTYPE raw_Ellipse(double l, double t, double r, double b) override {
    if (!Finite({l, t, r, b})) return Fail(E_INVALIDARG, L"Ellipse: bad coordinates");
    pathOpen_ = true;
    return Draw("Ellipse", [&](pdf::ContentStream& c) {
      const double k = 0.5522847498;
      double cx = (l + r) / 2, cy = (t + b) / 2, rx = (r - l) / 2, ry = (b - t) / 2;
      c.Add(cx + rx).Add(cy).Op("m");
      c.Add(cx + rx).Add(cy + ry * k).Add(cx + rx * k).Add(cy + ry).Add(cx).Add(cy + ry).Op("c");
      c.Add(cx - rx * k).Add(cy + ry).Add(cx - rx).Add(cy + ry * k).Add(cx - rx).Add(cy).Op("c");
      c.Add(cx - rx).Add(cy - ry * k).Add(cx - rx * k).Add(cy - ry).Add(cx).Add(cy - ry).Op("c");
      c.Add(cx + rx * k).Add(cy - ry).Add(cx + rx).Add(cy - ry * k).Add(cx + rx).Add(cy).Op("c h");
    });
  }
  HRESULT STDMETHODCALLTYPE raw_Stroke() override { return PaintOp("Stroke", "S"); }
  HRESULT STDMETHODCALLTYPE raw_Fill() override { return PaintOp("Fill", "f"); }
  HRESULT STDMETHODCALLTYPE raw_FillAndStroke() override { return PaintOp("FillAndStroke", "B"); }
  HRESULT STDMETHODCALLTYPE raw_EndPath() override {
    if (!pathOpen_) return AfterBegin("EndPath");
    return PaintOp("EndPath", "n");
  }
  HRESULT STDMETHODCALLTYPE raw_SaveGraphicsState() override {
    HRESULT hr = Draw("SaveGraphicsState", [](pdf::ContentStream& c) { c.Op("q"); });
    if (SUCCEEDED(hr)) fontStack_.push_back(font_);
    return hr;
  }
  HRESULT STDMETHODCALLTYPE raw_RestoreGraphicsState() override {
    if (fontStack_.empty()) return Fail(kOutOfOrder, L"RestoreGraphicsState: no saved state");
    HRESULT hr = Draw("RestoreGraphicsState", [](pdf::ContentStream& c) { c.Op("Q"); });
    if (SUCCEEDED(hr)) { font_ = fontStack_.back(); fontStack_.pop_back(); }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE raw_SetFont(BSTR face, double size, long bold, long italic, long underline,
                                        long strikeOut) override {
    return Guarded("SetFont", [&]() -> HRESULT {
      if (HRESULT hr = AfterBegin("SetFont")) return hr;
      if (!Finite({size}) || size <= 0 || size > 10000) return Fail(E_INVALIDARG, L"SetFont: the size must be positive");
      pdf::FontKey key;
      key.face = Wide(face);
      key.bold = bold != 0;
      key.italic = italic != 0;
      font_.index = document_->Font(key);
      font_.size = size;
      font_.underline = underline != 0;
      font_.strikeOut = strikeOut != 0;
      return Ok();
    });
  }
  HRESULT STDMETHODCALLTYPE raw_ShowText(double x, double y, double angle, BSTR text) override {
    return Guarded("ShowText", [&]() -> HRESULT {
      if (font_.index < 0) return Fail(kOutOfOrder, L"ShowText: no font was set");
      if (!Finite({x, y, angle})) return Fail(E_INVALIDARG, L"ShowText: bad position");
      std::wstring s = Wide(text);
      return Draw("ShowText", [&](pdf::ContentStream& c) { Text(c, x, y, angle, s); });
    });
  }
  HRESULT STDMETHODCALLTYPE raw_GetTextWidth(BSTR text, double* width) override {
    return Guarded("GetTextWidth", [&]() -> HRESULT {
      if (!width) return Fail(E_POINTER, L"GetTextWidth: null pointer");
      if (font_.index < 0) return Fail(kOutOfOrder, L"GetTextWidth: no font was set");
      *width = document_->TextWidth(font_.index, Wide(text)) * FontUnits();
      return Ok();
    });
  }
  HRESULT STDMETHODCALLTYPE raw_GetTextHeight(double* height) override {
    if (!height) return Fail(E_POINTER, L"GetTextHeight: null pointer");
    if (font_.index < 0) return Fail(kOutOfOrder, L"GetTextHeight: no font was set");
    *height = (document_->Ascent(font_.index) + document_->Descent(font_.index)) * FontUnits();
    return Ok();
  }

  // ---- images ----
  HRESULT STDMETHODCALLTYPE raw_LoadImageFile(BSTR path, long whiteTransparent, long* image) override {
    return Guarded("LoadImageFile", [&]() -> HRESULT {
      if (!image) return Fail(E_POINTER, L"LoadImageFile: null pointer");
      if (HRESULT hr = AfterBegin("LoadImageFile")) return hr;
      // The file and its samples go through buffers kept from one page image to the next: each is
      // tens of megabytes, and a fresh allocation costs more than the decoding.
      std::string error;
      if (!ReadWholeFile(Wide(path), &fileBuffer_))
        return Fail(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), L"LoadImageFile: cannot read " + Wide(path));
      if (!pdf::ImageFromFile(fileBuffer_, &decoded_, &error))
        return Fail(E_INVALIDARG, L"LoadImageFile: " + WideFromUtf8(error));
      if (whiteTransparent) pdf::MakeWhiteTransparent(&decoded_);
      return AddImage(decoded_, image);
    });
  }
  HRESULT STDMETHODCALLTYPE raw_LoadImageBitmap(HBITMAP bitmap, long* image) override {
    return Guarded("LoadImageBitmap", [&]() -> HRESULT {
      if (!image) return Fail(E_POINTER, L"LoadImageBitmap: null pointer");
      if (HRESULT hr = AfterBegin("LoadImageBitmap")) return hr;
      BITMAP info;
      if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return Fail(E_INVALIDARG, L"LoadImageBitmap: not a bitmap");
      BITMAPINFOHEADER header = {sizeof(header), info.bmWidth, -info.bmHeight, 1, 24, BI_RGB};
      std::vector<unsigned char> bits(size_t((info.bmWidth * 3 + 3) & ~3) * info.bmHeight);
      HDC dc = GetDC(nullptr);
      int rows = GetDIBits(dc, bitmap, 0, info.bmHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
      ReleaseDC(nullptr, dc);
      if (rows != info.bmHeight) return Fail(E_INVALIDARG, L"LoadImageBitmap: the bitmap's pixels cannot be read");
      pdf::PdfImage decoded;
      std::string error;
      if (!pdf::ImageFromDib(reinterpret_cast<unsigned char*>(&header), sizeof(header), bits.data(), bits.size(), &decoded, &error))
        return Fail(E_INVALIDARG, L"LoadImageBitmap: " + WideFromUtf8(error));
      return AddImage(decoded, image);
    });
  }
  HRESULT STDMETHODCALLTYPE raw_DrawImage(long image, double x, double y, double w, double h) override {
    if (image < 1 || image > images_) return Fail(E_INVALIDARG, L"DrawImage: unknown image");
    if (!Finite({x, y, w, h})) return Fail(E_INVALIDARG, L"DrawImage: bad placement");
    return Draw("DrawImage", [&](pdf::ContentStream& c) {
      c.Raw("q ").Add(w).Add(0).Add(0).Add(-h).Add(x).Add(y + h).Op("cm");
      c.Raw(document_->UseImage(image - 1)).Op(" Do Q");
    });
  }

  // ---- fields ----
  HRESULT STDMETHODCALLTYPE raw_CreateTextField(BSTR name, double l, double t, double r, double b, long* field) override {
    return Guarded("CreateTextField", [&]() -> HRESULT {
      if (!field) return Fail(E_POINTER, L"CreateTextField: null pointer");
      if (HRESULT hr = AfterBegin("CreateTextField")) return hr;
      if (!name || !*name) return Fail(E_INVALIDARG, L"CreateTextField: a field needs a name");
      if (!Finite({l, t, r, b})) return Fail(E_INVALIDARG, L"CreateTextField: bad rectangle");
      pdf::TextFieldSpec spec;
      spec.name = Wide(name);
      spec.left = l; spec.top = t; spec.right = r; spec.bottom = b;
      spec.font = document_->Font(pdf::FontKey{L"Arial", false, false});
      *field = document_->AddTextField(spec);
      fieldFonts_[*field] = pdf::FontKey{L"Arial", false, false};
      return Ok();
    });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldValue(long f, BSTR value) override {
    return Text(f, "SetFieldValue", [&](pdf::TextFieldSpec& s) { s.value = Wide(value); });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldCharset(long f, long charset) override {
    return Text(f, "SetFieldCharset", [&](pdf::TextFieldSpec& s) { s.charset = charset; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldFontSize(long f, double size) override {
    if (!Finite({size}) || size < 0 || size > 1000) return Fail(E_INVALIDARG, L"SetFieldFontSize: 0 to 1000 points expected");
    return Text(f, "SetFieldFontSize", [&](pdf::TextFieldSpec& s) { s.fontSize = size; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldFontName(long f, BSTR face) override {
    return Text(f, "SetFieldFontName", [&](pdf::TextFieldSpec& s) {
      pdf::FontKey& key = fieldFonts_[f];
      key.face = Wide(face).empty() ? L"Arial" : Wide(face);
      s.font = document_->Font(key);
    });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldFontStyle(long f, long bold, long italic, long underline, long strikeOut) override {
    return Text(f, "SetFieldFontStyle", [&](pdf::TextFieldSpec& s) {
      pdf::FontKey& key = fieldFonts_[f];
      key.bold = bold != 0;
      key.italic = italic != 0;
      s.font = document_->Font(key);
      s.underline = underline != 0;
      s.strikeOut = strikeOut != 0;
    });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldTextColor(long f, double r, double g, double b) override {
    if (!UnitColor(r, g, b)) return Fail(E_INVALIDARG, L"SetFieldTextColor: components from 0 to 1 expected");
    return Text(f, "SetFieldTextColor", [&](pdf::TextFieldSpec& s) { s.textColor = {r, g, b}; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldMultiline(long f, long multiline) override {
    return Text(f, "SetFieldMultiline", [&](pdf::TextFieldSpec& s) { s.multiline = multiline != 0; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldAlignment(long f, long alignment) override {
    if (alignment < 0 || alignment > 2) return Fail(E_INVALIDARG, L"SetFieldAlignment: 0, 1 or 2 expected");
    return Text(f, "SetFieldAlignment", [&](pdf::TextFieldSpec& s) { s.alignment = alignment; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldBorder(long f, long border) override {
    return Text(f, "SetFieldBorder", [&](pdf::TextFieldSpec& s) { s.border = border != 0; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldBorderColor(long f, double r, double g, double b) override {
    if (!UnitColor(r, g, b)) return Fail(E_INVALIDARG, L"SetFieldBorderColor: components from 0 to 1 expected");
    return Text(f, "SetFieldBorderColor", [&](pdf::TextFieldSpec& s) { s.borderColor = {r, g, b}; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldBorderWidth(long f, double width) override {
    if (!Finite({width}) || width < 0) return Fail(E_INVALIDARG, L"SetFieldBorderWidth: the width must not be negative");
    return Text(f, "SetFieldBorderWidth", [&](pdf::TextFieldSpec& s) { s.borderWidth = width; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldDash(long f, BSTR pattern) override {
    std::string dash;
    if (!ParseDash(Wide(pattern), &dash)) return Fail(E_INVALIDARG, L"SetFieldDash: a dash array and phase expected");
    return Text(f, "SetFieldDash", [&](pdf::TextFieldSpec& s) { s.dash = dash == "[] 0" ? "" : dash; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldComb(long f, long comb) override {
    return Text(f, "SetFieldComb", [&](pdf::TextFieldSpec& s) { s.comb = comb != 0; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldMaxLength(long f, long length) override {
    if (length < 0) return Fail(E_INVALIDARG, L"SetFieldMaxLength: the length must not be negative");
    return Text(f, "SetFieldMaxLength", [&](pdf::TextFieldSpec& s) { s.maxLength = length; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetFieldScript(long f, long script) override {
    if (!document_->HasScript(script)) return Fail(E_INVALIDARG, L"SetFieldScript: unknown script action");
    if (pdf::CheckBoxSpec* box = document_->CheckBox(f)) { box->calculateScript = script; return Ok(); }
    return Text(f, "SetFieldScript", [&](pdf::TextFieldSpec& s) { s.calculateScript = script; });
  }
  HRESULT STDMETHODCALLTYPE raw_CreateCheckBox(BSTR name, double l, double t, double r, double b, long* field) override {
    if (!field) return Fail(E_POINTER, L"CreateCheckBox: null pointer");
    if (HRESULT hr = AfterBegin("CreateCheckBox")) return hr;
    if (!name || !*name) return Fail(E_INVALIDARG, L"CreateCheckBox: a field needs a name");
    if (!Finite({l, t, r, b})) return Fail(E_INVALIDARG, L"CreateCheckBox: bad rectangle");
    pdf::CheckBoxSpec spec;
    spec.name = Wide(name);
    spec.left = l; spec.top = t; spec.right = r; spec.bottom = b;
    *field = document_->AddCheckBox(spec);
    return Ok();
  }
  HRESULT STDMETHODCALLTYPE raw_SetCheckBoxStyle(long f, long cross) override {
    return Box(f, "SetCheckBoxStyle", [&](pdf::CheckBoxSpec& s) { s.cross = cross != 0; });
  }
  HRESULT STDMETHODCALLTYPE raw_SetCheckBoxState(long f, long checked) override {
    return Box(f, "SetCheckBoxState", [&](pdf::CheckBoxSpec& s) { s.checked = checked != 0; });
  }

  // ---- scripts ----
  HRESULT STDMETHODCALLTYPE raw_AddScriptAction(BSTR script, long* id) override {
    return Guarded("AddScriptAction", [&]() -> HRESULT {
      if (!id) return Fail(E_POINTER, L"AddScriptAction: null pointer");
      if (HRESULT hr = AfterBegin("AddScriptAction")) return hr;
      *id = document_->AddScript(Wide(script));
      return Ok();
    });
  }
  HRESULT STDMETHODCALLTYPE raw_AddDocumentScript(BSTR name, BSTR script) override {
    return Guarded("AddDocumentScript", [&]() -> HRESULT {
      if (HRESULT hr = AfterBegin("AddDocumentScript")) return hr;
      if (!name || !*name) return Fail(E_INVALIDARG, L"AddDocumentScript: a script needs a name");
      document_->AddDocumentScript(Wide(name), Wide(script));
      return Ok();
    });
  }

 private:
  struct FontState {
    int index = -1;
    double size = 12;
    bool underline = false, strikeOut = false;
    std::string fill = "0 0 0";  // the fill colour, saved and restored with the graphics state
  };

  HRESULT Ok() {
    SetErrorInfo(0, nullptr);
    return S_OK;
  }
  // Records the reason as the thread's error information, which the wrappers hand to _com_error.
  HRESULT Fail(HRESULT hr, const std::wstring& reason) {
    OutputDebugStringW((L"PDF writer: " + reason + L"\n").c_str());
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
      create->SetGUID(__uuidof(IPdfDocument));
      create->SetSource(const_cast<LPOLESTR>(L"Vantry PDF writer"));
      create->SetDescription(const_cast<LPOLESTR>(reason.c_str()));
      IErrorInfo* info = nullptr;
      if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
      }
      create->Release();
    }
    return hr;
  }
  // A failure while writing leaves no half-written file behind and refuses further calls.
  HRESULT Broken(const std::wstring& reason) {
    DropSurface();
    document_->Abandon();
    ended_ = true;
    return Fail(HRESULT_FROM_WIN32(ERROR_WRITE_FAULT), reason);
  }
  HRESULT BeforeBegin(const char* operation) {
    if (document_->Begun() || ended_)
      return Fail(kOutOfOrder, WideFromUtf8(operation) + L": only allowed before BeginDocument");
    return S_OK;
  }
  HRESULT AfterBegin(const char* operation) {
    if (!document_->Begun() || ended_)
      return Fail(kOutOfOrder, WideFromUtf8(operation) + L": only allowed between BeginDocument and EndDocument");
    return S_OK;
  }
  // Ends the page in hand, then takes the document's next step (a new page or the end); either one
  // failing breaks the component.
  HRESULT FlushPageThen(const char* operation, bool (pdf::PdfDocument::*step)(std::string*)) {
    if (HRESULT hr = AfterBegin(operation)) return hr;
    std::string error;
    if (!FlushPage(&error) || !((*document_).*step)(&error))
      return Broken(WideFromUtf8(operation) + L": " + WideFromUtf8(error));
    return S_OK;
  }
  HRESULT Info(std::wstring pdf::DocumentInfo::*member, BSTR text) {
    if (HRESULT hr = BeforeBegin("document information")) return hr;
    document_->info.*member = Wide(text);
    return Ok();
  }
  HRESULT Password(std::wstring pdf::SecuritySettings::*member, BSTR password, const char* operation) {
    if (HRESULT hr = BeforeBegin(operation)) return hr;
    std::wstring value = Wide(password);
    // The standard handler takes at most 32 bytes, one byte per character.
    for (wchar_t c : value)
      if (c > 0xFF) return Fail(E_INVALIDARG, WideFromUtf8(operation) + L": passwords are limited to Latin-1 characters");
    if (value.size() > 32) return Fail(E_INVALIDARG, WideFromUtf8(operation) + L": at most 32 characters");
    document_->security.*member = value;
    return Ok();
  }
  HRESULT PageSizeChanged(const char* operation) {
    if (ended_) return Fail(kOutOfOrder, WideFromUtf8(operation) + L": the document has ended");
    if (surface_ || !chunks_.empty())
      return Fail(kOutOfOrder, WideFromUtf8(operation) + L": the page already has drawing on it");
    if (document_->Begun()) ApplyPageSize();
    return Ok();
  }
  void ApplyPageSize() {
    document_->SetPageSize(pageWidth_, pageHeight_, pageResolution_, landscape_);
    document_->SetDrawingResolution(resolution_);
  }

  // The chunk that the next direct operation goes into. While a drawing surface is open, each
  // operation gets its own chunk and a marker in the metafile, so the page keeps the order of calls.
  pdf::ContentStream& Direct() {
    if (surface_ || chunks_.empty()) {
      if (surface_) {
        std::uint32_t index = static_cast<std::uint32_t>(chunks_.size());
        char marker[8];
        std::memcpy(marker, pdf::kEmfMarker, 4);
        std::memcpy(marker + 4, &index, 4);
        GdiComment(surface_, sizeof(marker), reinterpret_cast<const BYTE*>(marker));
      }
      chunks_.emplace_back();
    }
    return chunks_.back();
  }
  template <typename F>
  HRESULT Draw(const char* operation, F body) {
    if (HRESULT hr = AfterBegin(operation)) return hr;
    return Guarded(operation, [&]() -> HRESULT {
      body(Direct());
      return Ok();
    });
  }
  // Nothing may leave the interface as a C++ exception: a failed allocation becomes E_OUTOFMEMORY.
  template <typename F>
  HRESULT Guarded(const char* operation, F body) {
    try {
      return body();
    } catch (const std::bad_alloc&) {
      return Fail(E_OUTOFMEMORY, WideFromUtf8(operation) + L": out of memory");
    } catch (const std::exception& e) {
      return Fail(E_FAIL, WideFromUtf8(operation) + L": " + WideFromUtf8(e.what()));
    }
  }
  HRESULT SetColor(double r, double g, double b, const char* op) {
    if (!UnitColor(r, g, b)) return Fail(E_INVALIDARG, L"colour components from 0 to 1 expected");
    HRESULT hr = Draw("colour", [&](pdf::ContentStream& c) { c.Add(r).Add(g).Add(b).Op(op); });
    // Imitated bold strokes the glyphs in the text's own colour, the fill colour.
    if (SUCCEEDED(hr) && op[0] == 'r') font_.fill = pdf::Num(r) + " " + pdf::Num(g) + " " + pdf::Num(b);
    return hr;
  }
  HRESULT PathOp(const char* operation, double x, double y, const char* op) {
    if (!Finite({x, y})) return Fail(E_INVALIDARG, WideFromUtf8(operation) + L": bad coordinates");
    if (op[0] == 'l' && !pathOpen_) return Fail(kOutOfOrder, L"LineTo: no current point (MoveTo first)");
    HRESULT hr = Draw(operation, [&](pdf::ContentStream& c) { c.Add(x).Add(y).Op(op); });
    if (SUCCEEDED(hr)) pathOpen_ = true;
    return hr;
  }
  HRESULT PaintOp(const char* operation, const char* op) {
    if (!pathOpen_) return Fail(kOutOfOrder, WideFromUtf8(operation) + L": there is no path to paint");
    HRESULT hr = Draw(operation, [&](pdf::ContentStream& c) { c.Op(op); });
    if (SUCCEEDED(hr)) pathOpen_ = false;
    return hr;
  }
  static bool ParseDash(const std::wstring& text, std::string* dash) {
    // "[a b ...] phase" with non-negative numbers; empty means solid.
    std::string s(text.begin(), text.end());
    if (s.find_first_not_of(" ") == std::string::npos) { *dash = "[] 0"; return true; }
    size_t open = s.find('['), close = s.find(']');
    if (open == std::string::npos || close == std::string::npos || close < open) return false;
    std::string out = "[";
    const char* p = s.c_str() + open + 1;
    const char* end = s.c_str() + close;
    while (p < end) {
      char* next;
      double v = std::strtod(p, &next);
      if (next == p) { if (*p == ' ') { ++p; continue; } return false; }
      if (v < 0 || !std::isfinite(v)) return false;
      out += (out.size() > 1 ? " " : "") + pdf::Num(v);
      p = next;
    }
    double phase = 0;
    std::string rest = s.substr(close + 1);
    if (rest.find_first_not_of(" ") != std::string::npos) {
      char* next;
      phase = std::strtod(rest.c_str(), &next);
      if (next == rest.c_str() || std::string(next).find_first_not_of(" ") != std::string::npos) return false;
    }
    *dash = out + "] " + pdf::Num(phase);
    return true;
  }
  double FontUnits() const { return font_.size * resolution_ / 72.0; }
  void Text(pdf::ContentStream& c, double x, double y, double angle, const std::wstring& text) {
    const double pi = 3.14159265358979323846;
    double em = FontUnits(), a = angle * pi / 180;
    double dx = std::cos(a), dy = -std::sin(a), nx = std::sin(a), ny = std::cos(a);
    double ascent = document_->Ascent(font_.index) * em;
    double ox = x + nx * ascent, oy = y + ny * ascent;
    double slant = document_->SyntheticItalic(font_.index) ? pdf::PdfDocument::kSlant : 0;
    bool emboldened = document_->SyntheticBold(font_.index);
    if (emboldened) c.Raw("q ").Raw(font_.fill).Raw(" RG ").Add(em * 0.03).Op("w 2 Tr");
    c.Raw("BT ").Raw(document_->UseFont(font_.index)).Raw(" ").Add(em).Op("Tf");
    c.Add(dx).Add(dy).Add(-nx + slant * dx).Add(-ny + slant * dy).Add(ox).Add(oy).Op("Tm");
    c.Raw(document_->GlyphString(font_.index, text)).Op(" Tj ET");
    if (emboldened) c.Op("0 Tr Q");
    double width = document_->TextWidth(font_.index, text) * em, thick = std::max(em / 14, 0.5);
    auto band = [&](double offset) {
      double px = ox + nx * offset, py = oy + ny * offset;
      c.Add(px).Add(py).Op("m").Add(px + dx * width).Add(py + dy * width).Op("l");
      c.Add(px + dx * width + nx * thick).Add(py + dy * width + ny * thick).Op("l");
      c.Add(px + nx * thick).Add(py + ny * thick).Op("l h f");
    };
    if (font_.underline) band(em * 0.1);
    if (font_.strikeOut) band(-em * 0.28);
  }
  HRESULT AddImage(const pdf::PdfImage& image, long* id) {
    std::string error;
    int index = document_->AddImage(image, &error);
    if (index < 0) return Fail(E_INVALIDARG, L"image: " + WideFromUtf8(error));
    images_ = index + 1;
    *id = index + 1;
    return Ok();
  }
  template <typename F>
  HRESULT Text(long f, const char* operation, F change) {
    if (HRESULT hr = AfterBegin(operation)) return hr;
    pdf::TextFieldSpec* spec = document_->TextField(f);
    if (!spec) return Fail(E_INVALIDARG, WideFromUtf8(operation) + L": no text field with that number on this page");
    change(*spec);
    return Ok();
  }
  template <typename F>
  HRESULT Box(long f, const char* operation, F change) {
    if (HRESULT hr = AfterBegin(operation)) return hr;
    pdf::CheckBoxSpec* spec = document_->CheckBox(f);
    if (!spec) return Fail(E_INVALIDARG, WideFromUtf8(operation) + L": no check box with that number on this page");
    change(*spec);
    return Ok();
  }

  // The page's drawing, in call order: the metafile's records with the direct operations spliced in.
  bool FlushPage(std::string* error) {
    pdf::ContentStream& content = document_->Content();
    if (surface_) {
      HENHMETAFILE metafile = CloseEnhMetaFile(surface_);
      surface_ = nullptr;
      if (!metafile) { *error = "the page's metafile could not be closed"; return false; }
      UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
      std::string bits(size, '\0');
      if (size) GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(&bits[0]));
      DeleteEnhMetaFile(metafile);
      pdf::Affine m;
      m.a = resolution_ / double(surfaceDpiX_ > 0 ? surfaceDpiX_ : 96);
      m.d = resolution_ / double(surfaceDpiY_ > 0 ? surfaceDpiY_ : 96);
      pdf::EmfTranslator translator(*document_, content, m);
      translator.OnMarker([&](std::uint32_t index) {
        if (index < chunks_.size()) content.Raw(chunks_[index].Data());
      });
      if (!translator.Translate(bits, error)) return false;
    } else {
      for (pdf::ContentStream& chunk : chunks_) content.Raw(chunk.Data());
    }
    // A state the caller saved and never restored must not leak into the page's closing.
    for (size_t i = 0; i < fontStack_.size(); ++i) content.Op("Q");
    fontStack_.clear();
    chunks_.clear();
    pathOpen_ = false;
    return true;
  }
  void DropSurface() {
    if (!surface_) return;
    DeleteEnhMetaFile(CloseEnhMetaFile(surface_));
    surface_ = nullptr;
  }

  LONG references_ = 1;
  pdf::SystemFontSource fonts_;
  std::unique_ptr<pdf::PdfDocument> document_;
  std::wstring path_;
  bool ended_ = false, launchViewer_ = false, landscape_ = false, pathOpen_ = false;
  long jpegQuality_ = 75, resolution_ = 72, pageResolution_ = 72, pageWidth_ = 612, pageHeight_ = 792;
  HDC surface_ = nullptr;
  int surfaceDpiX_ = 96, surfaceDpiY_ = 96;
  std::vector<pdf::ContentStream> chunks_;
  FontState font_;
  std::vector<FontState> fontStack_;
  std::map<long, pdf::FontKey> fieldFonts_;
  long images_ = 0;
  std::string fileBuffer_;
  pdf::PdfImage decoded_;
};

}  // namespace

HRESULT CreatePdfDocument(IPdfDocument** document) {
  if (!document) return E_POINTER;
  *document = new (std::nothrow) PdfComponent();
  return *document ? S_OK : E_OUTOFMEMORY;
}
