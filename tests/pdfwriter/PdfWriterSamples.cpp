// Writes the sample documents that the host-side checks read with qpdf and poppler, and beside the
// drawn page the same drawing rendered by GDI into a bitmap (PPM), for the pixel comparison.
// Usage: PdfWriterSamples <output folder> <folder of test data>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Ppm.h"
#include "pdfwriter/PdfComponent.h"

namespace {

std::wstring g_out, g_data;

// The GDI drawing that goes both into a PDF page and into the reference bitmap (device pixels at 96 dpi).
void DrawScene(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  HPEN bluePen = CreatePen(PS_SOLID, 5, RGB(0, 0, 200));
  HBRUSH yellow = CreateSolidBrush(RGB(250, 220, 0));
  HGDIOBJ oldPen = SelectObject(dc, bluePen), oldBrush = SelectObject(dc, yellow);
  Rectangle(dc, 50, 50, 250, 150);
  HPEN redPen = CreatePen(PS_SOLID, 3, RGB(220, 0, 0));
  HBRUSH green = CreateSolidBrush(RGB(0, 160, 60));
  SelectObject(dc, redPen);
  SelectObject(dc, green);
  Ellipse(dc, 300, 50, 500, 150);
  HBRUSH magenta = CreateSolidBrush(RGB(200, 0, 200));
  SelectObject(dc, GetStockObject(NULL_PEN));
  SelectObject(dc, magenta);
  POINT triangle[] = {{550, 50}, {750, 150}, {550, 150}};
  Polygon(dc, triangle, 3);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  RoundRect(dc, 560, 180, 760, 280, 40, 40);

  HPEN thick = CreatePen(PS_SOLID, 4, RGB(0, 0, 0));
  SelectObject(dc, thick);
  POINT zigzag[] = {{50, 200}, {100, 260}, {150, 200}, {200, 260}, {250, 200}, {300, 260}};
  Polyline(dc, zigzag, 6);
  HPEN dashed = CreatePen(PS_DASH, 1, RGB(0, 0, 0));
  SelectObject(dc, dashed);
  MoveToEx(dc, 50, 300, nullptr);
  LineTo(dc, 500, 300);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  Pie(dc, 330, 170, 430, 270, 430, 220, 380, 170);

  RECT filled = {600, 300, 760, 330};
  HBRUSH teal = CreateSolidBrush(RGB(0, 128, 128));
  FillRect(dc, &filled, teal);
  // Hatched fills: one over a yellow background, one transparent over the teal band's end.
  HBRUSH cross = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 160));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(255, 255, 160));
  RECT hatched = {360, 300, 460, 340};
  FillRect(dc, &hatched, cross);
  SetBkMode(dc, TRANSPARENT);
  HBRUSH ruled = CreateHatchBrush(HS_HORIZONTAL, RGB(200, 0, 0));
  SelectObject(dc, ruled);
  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 700, 290, 800, 345);
  // A bitmap brush: 4 x 4 cells, a green quarter in each.
  struct {
    BITMAPINFOHEADER header;
    unsigned char pixels[4 * 4 * 3];
  } packed = {{sizeof(BITMAPINFOHEADER), 4, 4, 1, 24, BI_RGB}, {}};
  for (int i = 0; i < 16; ++i) {
    bool green = (i % 4) < 2 && (i / 4) < 2;
    packed.pixels[3 * i] = green ? 0 : 255;
    packed.pixels[3 * i + 1] = green ? 150 : 255;
    packed.pixels[3 * i + 2] = green ? 0 : 255;
  }
  HBRUSH tiles = CreateDIBPatternBrushPt(&packed, DIB_RGB_COLORS);
  RECT tiled = {470, 300, 550, 340};
  FillRect(dc, &tiled, tiles);
  DeleteObject(tiles);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(cross);
  DeleteObject(ruled);

  // Clipping: a rectangle with a hole, restored afterwards.
  SaveDC(dc);
  IntersectClipRect(dc, 100, 400, 300, 500);
  ExcludeClipRect(dc, 150, 420, 200, 480);
  SelectObject(dc, GetStockObject(NULL_PEN));
  HBRUSH orange = CreateSolidBrush(RGB(255, 140, 0));
  SelectObject(dc, orange);
  Ellipse(dc, 50, 350, 350, 550);
  RestoreDC(dc, -1);

  // A small bitmap stretched: a checkerboard of 8 by 8 cells.
  std::vector<unsigned char> bits(8 * 8 * 3);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      unsigned char* p = &bits[(y * 8 + x) * 3];
      bool dark = (x + y) % 2 == 0;
      p[0] = dark ? 120 : 255;  // blue
      p[1] = dark ? 30 : 255;
      p[2] = dark ? 30 : 255;
    }
  bits[0] = 0; bits[1] = 200; bits[2] = 0;  // bottom-left cell green, to catch a flipped image
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, 8, 1, 24, BI_RGB};
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 500, 360, 160, 160, 0, 0, 8, 8, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  // The same board copied with its white keyed out, over a grey band.
  RECT band = {680, 360, 800, 520};
  FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  HDC memory = CreateCompatibleDC(dc);
  void* pixels = nullptr;
  HBITMAP board = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  std::memcpy(pixels, bits.data(), bits.size());
  HGDIOBJ oldBoard = SelectObject(memory, board);
  TransparentBlt(dc, 690, 400, 80, 80, memory, 0, 0, 8, 8, RGB(255, 255, 255));
  SelectObject(memory, oldBoard);
  DeleteObject(board);
  // Red fading from opaque on the left to clear on the right, blended over the grey band and
  // the white page beside it (colours premultiplied, as blending takes them).
  BITMAPINFO fadeInfo = {};
  fadeInfo.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, 16, 1, 32, BI_RGB};
  void* fadePixels = nullptr;
  HBITMAP fade = CreateDIBSection(memory, &fadeInfo, DIB_RGB_COLORS, &fadePixels, nullptr, 0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) {
      unsigned char* p = static_cast<unsigned char*>(fadePixels) + 4 * (y * 64 + x);
      unsigned char alpha = static_cast<unsigned char>(255 - x * 4);
      p[0] = 0; p[1] = 0; p[2] = alpha; p[3] = alpha;
    }
  HGDIOBJ oldFade = SelectObject(memory, fade);
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, 640, 490, 160, 60, memory, 0, 0, 64, 16, blend);
  SelectObject(memory, oldFade);
  DeleteObject(fade);
  DeleteDC(memory);

  // Text, kept as text: Latin and Cyrillic in three faces, turned text and right-aligned text.
  struct Line {
    const wchar_t* face;
    int height, x, y, escapement;
    UINT align;
    const wchar_t* text;
  } lines[] = {
      {L"Arial", -28, 50, 600, 0, TA_TOP | TA_LEFT, L"Hello from the drawing surface"},
      {L"Arial", -28, 50, 640, 0, TA_TOP | TA_LEFT, L"\x041F\x0440\x0438\x0432\x0435\x0442, \x043C\x0438\x0440!"},
      {L"Times New Roman", -26, 50, 700, 0, TA_BASELINE | TA_LEFT, L"Serif \x0436\x0443\x0440\x043D\x0430\x043B line"},
      {L"Courier New", -22, 760, 730, 0, TA_TOP | TA_RIGHT, L"Mono right"},
      {L"Arial", -24, 780, 1000, 900, TA_BASELINE | TA_LEFT, L"Upwards"},
  };
  for (const Line& line : lines) {
    HFONT font = CreateFontW(line.height, 0, line.escapement, line.escapement, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                             OUT_TT_ONLY_PRECIS, 0, ANTIALIASED_QUALITY, 0, line.face);
    HGDIOBJ old = SelectObject(dc, font);
    SetTextAlign(dc, line.align);
    SetTextColor(dc, RGB(20, 20, 120));
    ExtTextOutW(dc, line.x, line.y, 0, nullptr, line.text, lstrlenW(line.text), nullptr);
    SelectObject(dc, old);
    DeleteObject(font);
  }
  SetTextAlign(dc, TA_TOP | TA_LEFT);
  // Text given as glyph numbers, as layout engines print it.
  HFONT sans = CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, 0, ANTIALIASED_QUALITY,
                           0, L"Arial");
  HGDIOBJ oldFont = SelectObject(dc, sans);
  const wchar_t glyphText[] = L"Glyphs \x0434\x0430";
  WORD glyphs[16];
  GetGlyphIndicesW(dc, glyphText, lstrlenW(glyphText), glyphs, 0);
  ExtTextOutW(dc, 50, 800, ETO_GLYPH_INDEX, nullptr, reinterpret_cast<LPCWSTR>(glyphs), lstrlenW(glyphText), nullptr);
  SelectObject(dc, oldFont);
  DeleteObject(sans);

  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  for (HGDIOBJ o : {(HGDIOBJ)bluePen, (HGDIOBJ)yellow, (HGDIOBJ)redPen, (HGDIOBJ)green, (HGDIOBJ)magenta,
                    (HGDIOBJ)thick, (HGDIOBJ)dashed, (HGDIOBJ)teal, (HGDIOBJ)orange})
    DeleteObject(o);
}


// The scene rendered by GDI on a white 8.5 x 11 inch page at 96 dpi.
bool WriteReference() {
  const int width = 816, height = 1056;
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all = {0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawScene(dc);
  GdiFlush();
  bool ok = WritePpm(g_out + L"\\drawing-gdi.ppm", width, height, static_cast<unsigned char*>(bits), (width * 3 + 3) & ~3);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return ok;
}

IPdfDocumentPtr NewDocument(const wchar_t* name) {
  IPdfDocument* raw = nullptr;
  if (FAILED(CreatePdfDocument(&raw))) _com_issue_error(E_OUTOFMEMORY);
  IPdfDocumentPtr pdf(raw, false);
  pdf->SetFileName((g_out + L"\\" + name).c_str());
  return pdf;
}

void Letter(IPdfDocumentPtr& pdf, bool landscape = false) {
  pdf->SetPageOrientation(landscape ? 1 : 0);
  pdf->SetPageResolution(72);
  pdf->SetPageWidth(612);
  pdf->SetPageHeight(792);
}

// Document information and pages of several sizes and orientations, in the order the export sets them.
void WriteInfo() {
  IPdfDocumentPtr pdf = NewDocument(L"info.pdf");
  pdf->SetTitle(L"Form \x0430\x043D\x043A\x0435\x0442\x0430 1");
  pdf->SetAuthor(L"Quality Desk");
  pdf->SetSubject(L"Page sizes");
  pdf->SetKeywords(L"vantry, pdf, pages");
  // The settings in the order the export passes them.
  pdf->SetCompression(1);
  pdf->SetJpegQuality(100);
  pdf->SetPdfVersion(1);
  pdf->SetKeyLength(0);
  pdf->SetKeyLengthIndex(0);
  pdf->SetLaunchViewer(0);
  pdf->SetSecurityOn(0);
  pdf->SetImageCompression(1);
  pdf->SetUrlDetection(1);
  pdf->SetPageLayout(1);
  pdf->SetPageMode(2);
  pdf->SetViewerPreferences(1, 0, 1, 0, 0);
  pdf->SetFontEmbedding(2);
  pdf->SetTopDown(1);
  pdf->SetResolution(72);
  pdf->BeginDocument();
  Letter(pdf);
  pdf->NewPage();
  Letter(pdf, true);
  pdf->NewPage();
  // 100 mm by 200 mm given in tenths of a millimetre as page units.
  pdf->SetPageOrientation(0);
  pdf->SetPageResolution(254);
  pdf->SetPageWidth(1000);
  pdf->SetPageHeight(2000);
  pdf->EndDocument();
}

// The scene through the drawing surface, with direct operations before, between and after it.
void WriteDrawing() {
  IPdfDocumentPtr pdf = NewDocument(L"drawing.pdf");
  pdf->SetResolution(72);
  pdf->BeginDocument();
  Letter(pdf);
  HDC dc = pdf->GetDrawingSurface();
  DrawScene(dc);
  // A second page gets a drawing surface of its own.
  pdf->NewPage();
  Letter(pdf, true);
  HDC second = pdf->GetDrawingSurface();
  HFONT font = CreateFontW(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Times New Roman");
  HGDIOBJ old = SelectObject(second, font);
  ExtTextOutW(second, 100, 100, 0, nullptr, L"Second page", 11, nullptr);
  SelectObject(second, old);
  DeleteObject(font);
  pdf->EndDocument();
}

// The same text with whole fonts and with no fonts embedded.
void WriteFontModes() {
  for (long mode : {0L, 3L}) {
    IPdfDocumentPtr pdf = NewDocument(mode ? L"fonts-none.pdf" : L"fonts-whole.pdf");
    pdf->SetFontEmbedding(mode);
    pdf->BeginDocument();
    Letter(pdf);
    pdf->SetFont(L"Arial", 14, 0, 0, 0, 0);
    pdf->ShowText(72, 72, 0, L"Embedding \x0440\x0435\x0436\x0438\x043C");
    pdf->EndDocument();
  }
}

void WriteDirect() {
  IPdfDocumentPtr pdf = NewDocument(L"direct.pdf");
  pdf->SetResolution(72);
  pdf->BeginDocument();
  Letter(pdf);
  long r = pdf->GetResolution();
  HDC dc = pdf->GetDrawingSurface();
  // Layers in call order: a grey direct square, a GDI red square over it, a direct blue square on top.
  pdf->SetFillColor(0.5, 0.5, 0.5);
  pdf->FillRectangle(50, 50, 150, 150);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT box = {MulDiv(100, 96, r), MulDiv(100, 96, r), MulDiv(200, 96, r), MulDiv(200, 96, r)};
  FillRect(dc, &box, red);
  DeleteObject(red);
  pdf->SetFillColor(0, 0, 1);
  pdf->FillRectangle(150, 150, 250, 250);

  pdf->SetStrokeColor(0, 0.5, 0);
  pdf->SetLineWidth(3);
  pdf->SetDash(L"[6 2] 0");
  pdf->Rectangle(300, 50, 500, 150);
  pdf->Stroke();
  pdf->EndPath();
  pdf->SetDash(L"[] 0");
  pdf->Ellipse(300, 170, 500, 250);
  pdf->Stroke();
  pdf->MoveTo(50, 300);
  pdf->LineTo(550, 300);
  pdf->MoveTo(50, 310);
  pdf->LineTo(550, 310);
  pdf->Stroke();
  pdf->EndPath();

  pdf->SaveGraphicsState();
  pdf->SetFont(L"Arial", 14, 0, 0, 0, 0);
  pdf->SetFillColor(0, 0, 0);
  pdf->ShowText(50, 350, 0, L"Direct text in Arial");
  pdf->SetFont(L"Times New Roman", 14, 1, 0, 1, 0);
  pdf->ShowText(50, 380, 0, L"\x0421\x0447\x0451\x0442 \x2116 42 bold underlined");
  pdf->SetFont(L"Courier New", 12, 0, 1, 0, 1);
  pdf->ShowText(50, 410, 0, L"Courier italic struck");
  pdf->SetFont(L"Arial", 12, 0, 0, 0, 0);
  pdf->ShowText(560, 700, 90, L"Bottom to top");
  pdf->ShowText(580, 400, 270, L"Top to bottom");
  pdf->RestoreGraphicsState();
  // An Aztec-like block of modules.
  pdf->SetLineWidth(0.001);
  pdf->SetFillColor(0, 0, 0);
  for (int row = 0; row < 10; ++row)
    for (int c = 0; c < 10; ++c)
      if ((row * 7 + c * 3) % 5 < 2) pdf->FillRectangle(50 + c * 4, 450 + row * 4, 54 + c * 4, 454 + row * 4);
  pdf->EndPath();
  pdf->EndDocument();
}

void WriteImages() {
  IPdfDocumentPtr pdf = NewDocument(L"images.pdf");
  pdf->BeginDocument();
  Letter(pdf);
  long jpeg = pdf->LoadImageFile((g_data + L"\\sample.jpg").c_str(), 0);
  pdf->DrawImage(jpeg, 50, 50, 128, 96);

  // A BMP with a white frame around a black square, over a green background: the white must vanish.
  const int size = 40;
  std::vector<unsigned char> file(54 + size * size * 3);
  BITMAPFILEHEADER fh = {0x4D42, DWORD(file.size()), 0, 0, 54};
  BITMAPINFOHEADER ih = {sizeof(ih), size, size, 1, 24, BI_RGB};
  std::memcpy(&file[0], &fh, 14);
  std::memcpy(&file[14], &ih, 40);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      bool inner = x >= 10 && x < 30 && y >= 10 && y < 30;
      std::memset(&file[54 + (y * size + x) * 3], inner ? 0 : 255, 3);
    }
  std::wstring bmp = g_out + L"\\picture.bmp";
  FILE* f = _wfopen(bmp.c_str(), L"wb");
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  pdf->SetFillColor(0, 0.8, 0);
  pdf->FillRectangle(250, 50, 350, 150);
  long transparent = pdf->LoadImageFile(bmp.c_str(), 1);
  pdf->DrawImage(transparent, 250, 50, 100, 100);
  pdf->FillRectangle(400, 50, 500, 150);
  long opaque = pdf->LoadImageFile(bmp.c_str(), 0);
  pdf->DrawImage(opaque, 400, 50, 100, 100);
  DeleteFileW(bmp.c_str());

  // A device bitmap: blue left half, yellow right half.
  HDC screen = GetDC(nullptr);
  HBITMAP ddb = CreateCompatibleBitmap(screen, 60, 30);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, ddb);
  RECT left = {0, 0, 30, 30}, right = {30, 0, 60, 30};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255)), yellow = CreateSolidBrush(RGB(255, 255, 0));
  FillRect(mem, &left, blue);
  FillRect(mem, &right, yellow);
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  long device = pdf->LoadImageBitmap(ddb);
  pdf->DrawImage(device, 50, 200, 120, 60);
  DeleteObject(ddb);
  DeleteObject(blue);
  DeleteObject(yellow);

  // A metafile placed at (300, 200), scaled by one half.
  HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  HBRUSH purple = CreateSolidBrush(RGB(128, 0, 128));
  RECT square = {0, 0, 200, 200};
  FillRect(recorder, &square, purple);
  DeleteObject(purple);
  HENHMETAFILE emf = CloseEnhMetaFile(recorder);
  pdf->PlaceMetafile(emf, 300, 200, 0.5, 0.5);
  DeleteEnhMetaFile(emf);
  pdf->EndDocument();
}

void WriteForms() {
  IPdfDocumentPtr pdf = NewDocument(L"forms.pdf");
  pdf->SetTitle(L"Forms");
  pdf->BeginDocument();
  long copyScript = pdf->AddScriptAction(L"this.getField('Total_mirrored_0').value = this.getField('Total').value;");
  pdf->AddDocumentScript(L"init", L"var started = true;");
  Letter(pdf);
  long name = pdf->CreateTextField(L"Name", 50, 50, 300, 75);
  pdf->SetFieldValue(name, L"\x0418\x0432\x0430\x043D \x041F\x0435\x0442\x0440\x043E\x0432");
  pdf->SetFieldCharset(name, 204);
  pdf->SetFieldFontSize(name, 12);
  pdf->SetFieldFontName(name, L"Arial");
  pdf->SetFieldFontStyle(name, 1, 0, 0, 0);
  pdf->SetFieldTextColor(name, 0, 0, 0.6);
  pdf->SetFieldMultiline(name, 0);
  pdf->SetFieldAlignment(name, 0);
  pdf->SetFieldBorder(name, 1);
  pdf->SetFieldBorderColor(name, 1, 0, 0);
  pdf->SetFieldBorderWidth(name, 1);
  long notes = pdf->CreateTextField(L"Notes", 50, 100, 300, 160);
  pdf->SetFieldValue(notes, L"First line\r\nSecond line");
  pdf->SetFieldMultiline(notes, 1);
  pdf->SetFieldBorder(notes, 1);
  pdf->SetFieldDash(notes, L"[3 1] 0");
  long code = pdf->CreateTextField(L"Code", 50, 180, 170, 200);
  pdf->SetFieldValue(code, L"AB12");
  pdf->SetFieldComb(code, 1);
  pdf->SetFieldMaxLength(code, 6);
  long total = pdf->CreateTextField(L"Total", 350, 50, 500, 75);
  pdf->SetFieldValue(total, L"125.50");
  pdf->SetFieldAlignment(total, 2);
  pdf->SetFieldFontStyle(total, 0, 0, 1, 0);  // underlined
  pdf->SetFieldScript(total, copyScript);
  long agree = pdf->CreateCheckBox(L"Agree", 50, 230, 66, 246);
  pdf->SetCheckBoxStyle(agree, 0);
  pdf->SetCheckBoxState(agree, 1);
  long refuse = pdf->CreateCheckBox(L"Refuse", 100, 230, 116, 246);
  pdf->SetCheckBoxStyle(refuse, 1);
  pdf->SetCheckBoxState(refuse, 0);
  pdf->NewPage();
  Letter(pdf);
  long copy = pdf->CreateTextField(L"Total_mirrored_0", 350, 50, 500, 75);
  pdf->SetFieldValue(copy, L"125.50");
  // A check mark mirrored under the same name: a second widget of the same field.
  long agreeAgain = pdf->CreateCheckBox(L"Agree", 50, 230, 66, 246);
  pdf->SetCheckBoxState(agreeAgain, 1);
  pdf->EndDocument();
}

void WriteSecured(const wchar_t* name, long keyLength, long copy, long annotations, long modify, long print,
                  bool passwords = true) {
  IPdfDocumentPtr pdf = NewDocument(name);
  pdf->SetTitle(L"Secured");
  pdf->SetPdfVersion(0);  // 1.3, which has no 128-bit keys
  pdf->SetKeyLength(keyLength);
  pdf->SetKeyLengthIndex(keyLength ? 1 : 0);
  pdf->SetSecurityOn(1);
  if (passwords) {
    pdf->SetUserPassword(L"reader");
    pdf->SetOwnerPassword(L"owner-secret");
  }
  pdf->SetPermissions(copy, annotations, modify, print);
  pdf->BeginDocument();
  Letter(pdf);
  pdf->SetFont(L"Arial", 16, 0, 0, 0, 0);
  pdf->ShowText(72, 72, 0, L"Secret text \x0442\x0430\x0439\x043D\x0430");
  long field = pdf->CreateTextField(L"Hidden", 72, 120, 300, 140);
  pdf->SetFieldValue(field, L"field value");
  pdf->EndDocument();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: PdfWriterSamples <output folder> <test data folder>\n");
    return 2;
  }
  g_out = argv[1];
  g_data = argv[2];
  CreateDirectoryW(g_out.c_str(), nullptr);
  CoInitialize(nullptr);
  int status = 0;
  // Each sample names itself first, so a run that stops shows where.
  const auto step = [](const char* name, const std::function<void()>& write) {
    std::fprintf(stderr, "writing %s\n", name);
    std::fflush(stderr);
    write();
  };
  try {
    step("reference", [] {
      if (!WriteReference()) throw _com_error(E_FAIL);
    });
    step("info", WriteInfo);
    step("drawing", WriteDrawing);
    step("direct", WriteDirect);
    step("font modes", WriteFontModes);
    step("images", WriteImages);
    step("forms", WriteForms);
    step("secured40", [] { WriteSecured(L"secured40.pdf", 0, 0, 0, 0, 1); });
    step("secured128", [] { WriteSecured(L"secured128.pdf", 1, 1, 0, 0, 0); });
    step("restricted", [] { WriteSecured(L"restricted.pdf", 1, 0, 0, 0, 0, false); });
  } catch (const _com_error& e) {
    std::fwprintf(stderr, L"failed: 0x%08lX %ls\n", static_cast<unsigned long>(e.Error()),
                  e.Description().length() ? static_cast<const wchar_t*>(e.Description()) : L"");
    status = 1;
  }
  CoUninitialize();
  return status;
}
