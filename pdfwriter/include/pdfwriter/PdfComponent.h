// The PDF creator as the program calls it: one document interface whose raw methods report failure
// through their HRESULT, and beside each the thin wrapper that turns a failure into a COM error
// exception (_com_error, carrying the component's description of what went wrong).
//
// Units: page sizes are in page units of the page resolution; every drawing position and size is in
// units of the document resolution (GetResolution, 72 unless SetResolution changes it), measured from
// the top-left corner of the page with y growing downwards. Colours are red, green, blue from 0 to 1.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <comdef.h>

MIDL_INTERFACE("6B1E3A52-7C4D-4F0B-9E21-5A8C2D7F4B13")
IPdfDocument : public IUnknown {
  // ---- document settings, before BeginDocument ----
  virtual HRESULT STDMETHODCALLTYPE raw_SetFileName(BSTR path) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetTitle(BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetAuthor(BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetSubject(BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetKeywords(BSTR text) = 0;
  // 0 stores content streams as they are, 1 compresses them with Flate.
  virtual HRESULT STDMETHODCALLTYPE raw_SetCompression(long mode) = 0;
  // Quality of JPEG data the writer would encode itself (1-100); JPEG files pass through unchanged.
  virtual HRESULT STDMETHODCALLTYPE raw_SetJpegQuality(long quality) = 0;
  // 0 writes PDF 1.3, 1 writes PDF 1.4.
  virtual HRESULT STDMETHODCALLTYPE raw_SetPdfVersion(long index) = 0;
  // 0 or 40: 40-bit RC4; 1 or 128: 128-bit RC4.
  virtual HRESULT STDMETHODCALLTYPE raw_SetKeyLength(long length) = 0;
  // The key-length list index of the security settings: 0 40-bit, 1 128-bit.
  virtual HRESULT STDMETHODCALLTYPE raw_SetKeyLengthIndex(long index) = 0;
  // Non-zero opens the written file with the system's PDF viewer.
  virtual HRESULT STDMETHODCALLTYPE raw_SetLaunchViewer(long launch) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetSecurityOn(long on) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetUserPassword(BSTR password) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetOwnerPassword(BSTR password) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetPermissions(long copy, long annotations, long modify, long print) = 0;
  // 0 Flate; other values (JPEG, CCITT) are accepted and written as Flate.
  virtual HRESULT STDMETHODCALLTYPE raw_SetImageCompression(long mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetUrlDetection(long on) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetPageLayout(long layout) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetPageMode(long mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetViewerPreferences(long center, long fit, long hideMenubar,
                                                              long hideToolbars, long hideWindowUI) = 0;
  // 0 whole fonts, 1 and 2 the glyphs used, 3 no embedding.
  virtual HRESULT STDMETHODCALLTYPE raw_SetFontEmbedding(long mode) = 0;
  // 1: y grows downwards from the top of the page (the only orientation the program uses).
  virtual HRESULT STDMETHODCALLTYPE raw_SetTopDown(long topDown) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetResolution(long unitsPerInch) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_GetResolution(long* unitsPerInch) = 0;

  // ---- document and pages ----
  virtual HRESULT STDMETHODCALLTYPE raw_BeginDocument() = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_NewPage() = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_EndDocument() = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetPageOrientation(long landscape) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetPageResolution(long unitsPerInch) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetPageWidth(long width) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetPageHeight(long height) = 0;
  // A device context whose GDI drawing lands on the current page, in that page's order with the
  // operations below. Its device units are its LOGPIXELSX/LOGPIXELSY per inch. The writer owns it.
  virtual HRESULT STDMETHODCALLTYPE raw_GetDrawingSurface(HDC* dc) = 0;
  // Places an enhanced metafile: its frame's top-left corner at (x, y), each of its device units
  // scaled by sx, sy into document units.
  virtual HRESULT STDMETHODCALLTYPE raw_PlaceMetafile(HENHMETAFILE metafile, double x, double y, double sx, double sy) = 0;

  // ---- page drawing ----
  virtual HRESULT STDMETHODCALLTYPE raw_SetStrokeColor(double r, double g, double b) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFillColor(double r, double g, double b) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetLineWidth(double width) = 0;
  // A PDF dash array and phase, "[6 2] 0"; "[] 0" or empty for a solid line.
  virtual HRESULT STDMETHODCALLTYPE raw_SetDash(BSTR pattern) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_MoveTo(double x, double y) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_LineTo(double x, double y) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Rectangle(double left, double top, double right, double bottom) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Ellipse(double left, double top, double right, double bottom) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_FillRectangle(double left, double top, double right, double bottom) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Stroke() = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Fill() = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_FillAndStroke() = 0;
  // Ends the drawing: a path built but not painted is dropped.
  virtual HRESULT STDMETHODCALLTYPE raw_EndPath() = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SaveGraphicsState() = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_RestoreGraphicsState() = 0;
  // Size in points.
  virtual HRESULT STDMETHODCALLTYPE raw_SetFont(BSTR face, double size, long bold, long italic, long underline,
                                                long strikeOut) = 0;
  // Writes text with the top-left corner of its character cell at (x, y), turned by angle degrees
  // counter-clockwise (90 reads bottom to top) about that corner, in the fill colour.
  virtual HRESULT STDMETHODCALLTYPE raw_ShowText(double x, double y, double angle, BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_GetTextWidth(BSTR text, double* width) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_GetTextHeight(double* height) = 0;

  // ---- images ----
  // A JPEG (passed through) or BMP file; with whiteTransparent, pure white shows what lies beneath.
  virtual HRESULT STDMETHODCALLTYPE raw_LoadImageFile(BSTR path, long whiteTransparent, long* image) = 0;
  // A device bitmap (not selected into a device context), read as it is now.
  virtual HRESULT STDMETHODCALLTYPE raw_LoadImageBitmap(HBITMAP bitmap, long* image) = 0;
  // Draws an image with its top-left corner at (x, y) and the given size.
  virtual HRESULT STDMETHODCALLTYPE raw_DrawImage(long image, double x, double y, double width, double height) = 0;

  // ---- form fields on the current page (rectangles in document units) ----
  virtual HRESULT STDMETHODCALLTYPE raw_CreateTextField(BSTR name, double left, double top, double right,
                                                        double bottom, long* field) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldValue(long field, BSTR value) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldCharset(long field, long charset) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldFontSize(long field, double size) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldFontName(long field, BSTR face) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldFontStyle(long field, long bold, long italic, long underline,
                                                          long strikeOut) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldTextColor(long field, double r, double g, double b) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldMultiline(long field, long multiline) = 0;
  // 0 left, 1 centre, 2 right.
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldAlignment(long field, long alignment) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldBorder(long field, long border) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldBorderColor(long field, double r, double g, double b) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldBorderWidth(long field, double width) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldDash(long field, BSTR pattern) = 0;
  // One character per cell; needs a maximum length.
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldComb(long field, long comb) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldMaxLength(long field, long length) = 0;
  // Attaches a script action (AddScriptAction) as the field's calculation script.
  virtual HRESULT STDMETHODCALLTYPE raw_SetFieldScript(long field, long script) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_CreateCheckBox(BSTR name, double left, double top, double right,
                                                       double bottom, long* field) = 0;
  // 0 a check mark, otherwise a cross.
  virtual HRESULT STDMETHODCALLTYPE raw_SetCheckBoxStyle(long field, long cross) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SetCheckBoxState(long field, long checked) = 0;

  // ---- scripts ----
  virtual HRESULT STDMETHODCALLTYPE raw_AddScriptAction(BSTR script, long* id) = 0;
  // A script run when the document opens.
  virtual HRESULT STDMETHODCALLTYPE raw_AddDocumentScript(BSTR name, BSTR script) = 0;

  // ---- the wrappers: each raises a _com_error when its raw method fails ----
  void SetFileName(const _bstr_t& path) { Check(raw_SetFileName(path)); }
  void SetTitle(const _bstr_t& text) { Check(raw_SetTitle(text)); }
  void SetAuthor(const _bstr_t& text) { Check(raw_SetAuthor(text)); }
  void SetSubject(const _bstr_t& text) { Check(raw_SetSubject(text)); }
  void SetKeywords(const _bstr_t& text) { Check(raw_SetKeywords(text)); }
  void SetCompression(long mode) { Check(raw_SetCompression(mode)); }
  void SetJpegQuality(long quality) { Check(raw_SetJpegQuality(quality)); }
  void SetPdfVersion(long index) { Check(raw_SetPdfVersion(index)); }
  void SetKeyLength(long length) { Check(raw_SetKeyLength(length)); }
  void SetKeyLengthIndex(long index) { Check(raw_SetKeyLengthIndex(index)); }
  void SetLaunchViewer(long launch) { Check(raw_SetLaunchViewer(launch)); }
  void SetSecurityOn(long on) { Check(raw_SetSecurityOn(on)); }
  void SetUserPassword(const _bstr_t& password) { Check(raw_SetUserPassword(password)); }
  void SetOwnerPassword(const _bstr_t& password) { Check(raw_SetOwnerPassword(password)); }
  void SetPermissions(long copy, long annotations, long modify, long print) {
    Check(raw_SetPermissions(copy, annotations, modify, print));
  }
  void SetImageCompression(long mode) { Check(raw_SetImageCompression(mode)); }
  void SetUrlDetection(long on) { Check(raw_SetUrlDetection(on)); }
  void SetPageLayout(long layout) { Check(raw_SetPageLayout(layout)); }
  void SetPageMode(long mode) { Check(raw_SetPageMode(mode)); }
  void SetViewerPreferences(long center, long fit, long hideMenubar, long hideToolbars, long hideWindowUI) {
    Check(raw_SetViewerPreferences(center, fit, hideMenubar, hideToolbars, hideWindowUI));
  }
  void SetFontEmbedding(long mode) { Check(raw_SetFontEmbedding(mode)); }
  void SetTopDown(long topDown) { Check(raw_SetTopDown(topDown)); }
  void SetResolution(long unitsPerInch) { Check(raw_SetResolution(unitsPerInch)); }
  long GetResolution() { long value = 0; Check(raw_GetResolution(&value)); return value; }
  void BeginDocument() { Check(raw_BeginDocument()); }
  void NewPage() { Check(raw_NewPage()); }
  void EndDocument() { Check(raw_EndDocument()); }
  void SetPageOrientation(long landscape) { Check(raw_SetPageOrientation(landscape)); }
  void SetPageResolution(long unitsPerInch) { Check(raw_SetPageResolution(unitsPerInch)); }
  void SetPageWidth(long width) { Check(raw_SetPageWidth(width)); }
  void SetPageHeight(long height) { Check(raw_SetPageHeight(height)); }
  HDC GetDrawingSurface() { HDC dc = nullptr; Check(raw_GetDrawingSurface(&dc)); return dc; }
  void PlaceMetafile(HENHMETAFILE metafile, double x, double y, double sx, double sy) {
    Check(raw_PlaceMetafile(metafile, x, y, sx, sy));
  }
  void SetStrokeColor(double r, double g, double b) { Check(raw_SetStrokeColor(r, g, b)); }
  void SetFillColor(double r, double g, double b) { Check(raw_SetFillColor(r, g, b)); }
  void SetLineWidth(double width) { Check(raw_SetLineWidth(width)); }
  void SetDash(const _bstr_t& pattern) { Check(raw_SetDash(pattern)); }
  void MoveTo(double x, double y) { Check(raw_MoveTo(x, y)); }
  void LineTo(double x, double y) { Check(raw_LineTo(x, y)); }
  void Rectangle(double l, double t, double r, double b) { Check(raw_Rectangle(l, t, r, b)); }
  void Ellipse(double l, double t, double r, double b) { Check(raw_Ellipse(l, t, r, b)); }
  void FillRectangle(double l, double t, double r, double b) { Check(raw_FillRectangle(l, t, r, b)); }
  void Stroke() { Check(raw_Stroke()); }
  void Fill() { Check(raw_Fill()); }
  void FillAndStroke() { Check(raw_FillAndStroke()); }
  void EndPath() { Check(raw_EndPath()); }
  void SaveGraphicsState() { Check(raw_SaveGraphicsState()); }
  void RestoreGraphicsState() { Check(raw_RestoreGraphicsState()); }
  void SetFont(const _bstr_t& face, double size, long bold, long italic, long underline, long strikeOut) {
    Check(raw_SetFont(face, size, bold, italic, underline, strikeOut));
  }
  void ShowText(double x, double y, double angle, const _bstr_t& text) { Check(raw_ShowText(x, y, angle, text)); }
  double GetTextWidth(const _bstr_t& text) { double w = 0; Check(raw_GetTextWidth(text, &w)); return w; }
  double GetTextHeight() { double h = 0; Check(raw_GetTextHeight(&h)); return h; }
  long LoadImageFile(const _bstr_t& path, long whiteTransparent) {
    long id = 0;
    Check(raw_LoadImageFile(path, whiteTransparent, &id));
    return id;
  }
  long LoadImageBitmap(HBITMAP bitmap) { long id = 0; Check(raw_LoadImageBitmap(bitmap, &id)); return id; }
  void DrawImage(long image, double x, double y, double w, double h) { Check(raw_DrawImage(image, x, y, w, h)); }
  long CreateTextField(const _bstr_t& name, double l, double t, double r, double b) {
    long field = 0;
    Check(raw_CreateTextField(name, l, t, r, b, &field));
    return field;
  }
  void SetFieldValue(long field, const _bstr_t& value) { Check(raw_SetFieldValue(field, value)); }
  void SetFieldCharset(long field, long charset) { Check(raw_SetFieldCharset(field, charset)); }
  void SetFieldFontSize(long field, double size) { Check(raw_SetFieldFontSize(field, size)); }
  void SetFieldFontName(long field, const _bstr_t& face) { Check(raw_SetFieldFontName(field, face)); }
  void SetFieldFontStyle(long field, long bold, long italic, long underline, long strikeOut) {
    Check(raw_SetFieldFontStyle(field, bold, italic, underline, strikeOut));
  }
  void SetFieldTextColor(long field, double r, double g, double b) { Check(raw_SetFieldTextColor(field, r, g, b)); }
  void SetFieldMultiline(long field, long multiline) { Check(raw_SetFieldMultiline(field, multiline)); }
  void SetFieldAlignment(long field, long alignment) { Check(raw_SetFieldAlignment(field, alignment)); }
  void SetFieldBorder(long field, long border) { Check(raw_SetFieldBorder(field, border)); }
  void SetFieldBorderColor(long field, double r, double g, double b) { Check(raw_SetFieldBorderColor(field, r, g, b)); }
  void SetFieldBorderWidth(long field, double width) { Check(raw_SetFieldBorderWidth(field, width)); }
  void SetFieldDash(long field, const _bstr_t& pattern) { Check(raw_SetFieldDash(field, pattern)); }
  void SetFieldComb(long field, long comb) { Check(raw_SetFieldComb(field, comb)); }
  void SetFieldMaxLength(long field, long length) { Check(raw_SetFieldMaxLength(field, length)); }
  void SetFieldScript(long field, long script) { Check(raw_SetFieldScript(field, script)); }
  long CreateCheckBox(const _bstr_t& name, double l, double t, double r, double b) {
    long field = 0;
    Check(raw_CreateCheckBox(name, l, t, r, b, &field));
    return field;
  }
  void SetCheckBoxStyle(long field, long cross) { Check(raw_SetCheckBoxStyle(field, cross)); }
  void SetCheckBoxState(long field, long checked) { Check(raw_SetCheckBoxState(field, checked)); }
  long AddScriptAction(const _bstr_t& script) { long id = 0; Check(raw_AddScriptAction(script, &id)); return id; }
  void AddDocumentScript(const _bstr_t& name, const _bstr_t& script) {
    Check(raw_AddDocumentScript(name, script));
  }

 private:
  void Check(HRESULT hr);
};
__CRT_UUID_DECL(IPdfDocument, 0x6B1E3A52, 0x7C4D, 0x4F0B, 0x9E, 0x21, 0x5A, 0x8C, 0x2D, 0x7F, 0x4B, 0x13)

inline void IPdfDocument::Check(HRESULT hr) {
  if (FAILED(hr)) _com_issue_errorex(hr, this, __uuidof(IPdfDocument));
}

_COM_SMARTPTR_TYPEDEF(IPdfDocument, __uuidof(IPdfDocument));

// Makes a new writer object (reference count 1). E_OUTOFMEMORY or E_POINTER on failure.
HRESULT CreatePdfDocument(IPdfDocument** document);
