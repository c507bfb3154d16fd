#include "pdfwriter/PdfDocument.h"

#include <algorithm>
#include <ctime>

namespace pdf {
namespace {

const char* const kLayouts[] = {"/SinglePage", "/OneColumn", "/TwoColumnLeft", "/TwoColumnRight"};
const char* const kModes[] = {"/UseNone", "/UseOutlines", "/UseThumbs", "/FullScreen"};

std::string Ref(int object) { return std::to_string(object) + " 0 R"; }

// The standard font used when the system cannot give a TrueType file: Latin-1 only, average widths.
const double kStandardWidth = 0.55;

}  // namespace

RGB FromColorRef(std::uint32_t colorRef) {
  RGB c;
  c.r = (colorRef & 0xFF) / 255.0;
  c.g = ((colorRef >> 8) & 0xFF) / 255.0;
  c.b = ((colorRef >> 16) & 0xFF) / 255.0;
  return c;
}

PdfDocument::PdfDocument(FontSource* fonts) : source_(fonts) {}
PdfDocument::~PdfDocument() = default;

bool PdfDocument::Begin(const std::wstring& path, std::string* error) {
  if (writer_.IsOpen()) { *error = "the document has begun already"; return false; }
  if (path.empty()) { *error = "no output file name"; return false; }
  // 128-bit keys came with PDF 1.4: a file asked for as 1.3 is written as 1.4 then.
  int minor = std::min(std::max(minorVersion, 3), 7);
  if (security.enabled && security.keyBits > 40) minor = std::max(minor, 4);
  if (!writer_.Open(path, minor)) {
    *error = "cannot create the file " + Utf16ToUtf8(path);
    return false;
  }
  // The file identifier only has to be unlikely to repeat; it also salts the encryption key.
  fileId_ = Md5(Utf16ToUtf8(path) + std::to_string(std::time(nullptr)) + std::to_string(std::clock()) +
                Utf16ToUtf8(info.title));
  if (security.enabled) {
    auto latin1 = [](const std::wstring& s) {
      std::string out;
      for (wchar_t c : s) out += static_cast<char>(c < 256 ? c : '?');
      return out;
    };
    // Without an owner password anyone who opens the file could lift its restrictions: an owner
    // password nobody knows keeps the permissions binding.
    std::string owner = latin1(security.ownerPassword);
    if (owner.empty()) owner = HexString(Md5(fileId_ + "owner")).substr(1, 32);
    securityHandler_.Setup(latin1(security.userPassword), owner, security.permissions, security.keyBits, fileId_);
    writer_.SetSecurity(&securityHandler_);
  }
  catalog_ = writer_.NewObject();
  pages_ = writer_.NewObject();
  infoObject_ = writer_.NewObject();
  pageObjects_.clear();
  page_ = Page();
  page_.firstField = fieldCounter_ = 1;
  pageObjects_.push_back(writer_.NewObject());
  pageCount_ = 1;
  return true;
}

void PdfDocument::SetPageSize(double width, double height, double unitsPerInch, bool landscape) {
  if (unitsPerInch <= 0) unitsPerInch = 72;
  if (landscape && width < height) std::swap(width, height);
  page_.width = width * 72.0 / unitsPerInch;
  page_.height = height * 72.0 / unitsPerInch;
}

double PdfDocument::PageWidthPoints() const { return page_.width; }
double PdfDocument::PageHeightPoints() const { return page_.height; }

std::string PdfDocument::Matrix() const {
  double s = Scale();
  return Num(s) + " 0 0 " + Num(-s) + " 0 " + Num(page_.height) + " cm\n";
}

bool PdfDocument::NewPage(std::string* error) {
  if (!writer_.IsOpen()) { *error = "the document has not begun"; return false; }
  if (!FinishPage(error)) return false;
  double width = page_.width, height = page_.height, units = page_.drawingUnitsPerInch;
  page_ = Page();
  page_.width = width;
  page_.height = height;
  page_.drawingUnitsPerInch = units;
  page_.firstField = fieldCounter_;
  pageObjects_.push_back(writer_.NewObject());
  ++pageCount_;
  return true;
}

bool PdfDocument::FinishPage(std::string* error) {
  int pageObject = pageObjects_.back();
  int contents = writer_.NewObject();
  WriteContent(contents, "", "q\n" + Matrix() + page_.content.Data() + "\nQ\n");

  std::string annots;
  for (Field& field : page_.fields) annots += Ref(WriteField(field, pageObject)) + " ";

  std::string resources = "/ProcSet [/PDF /Text /ImageB /ImageC /ImageI]";
  if (!page_.fonts.empty()) {
    resources += " /Font <<";
    for (int f : page_.fonts) resources += " /F" + std::to_string(f) + " " + Ref(fonts_[f]->object);
    resources += " >>";
  }
  if (!page_.images.empty()) {
    resources += " /XObject <<";
    for (int i : page_.images) resources += " /Im" + std::to_string(i) + " " + Ref(imageObjects_[i]);
    resources += " >>";
  }
  if (!page_.patterns.empty()) {
    resources += " /Pattern <<";
    for (int i : page_.patterns) resources += " /Pat" + std::to_string(i) + " " + Ref(patternObjects_[i]);
    resources += " >>";
  }
  std::string body = "<< /Type /Page /Parent " + Ref(pages_) + " /MediaBox [0 0 " + Num(page_.width) + " " +
                     Num(page_.height) + "] /Resources << " + resources + " >> /Contents " + Ref(contents);
  if (!annots.empty()) body += " /Annots [" + annots + "]";
  writer_.WriteObject(pageObject, body + " >>");
  if (writer_.Failed()) { *error = "writing the file failed"; return false; }
  return true;
}

void PdfDocument::WriteContent(int object, const std::string& dictEntries, const std::string& operators) {
  if (compress)
    writer_.WriteStream(object, dictEntries + " /Filter /FlateDecode", Deflate(operators));
  else
    writer_.WriteStream(object, dictEntries, operators);
}

bool PdfDocument::End(std::string* error) {
  if (!writer_.IsOpen()) { *error = "the document has not begun"; return false; }
  if (!FinishPage(error)) { writer_.Abandon(); return false; }
  WriteFields();
  WriteFonts();

  std::string kids;
  for (int p : pageObjects_) kids += Ref(p) + " ";
  writer_.WriteObject(pages_, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageObjects_.size()) + " >>");

  std::time_t now = std::time(nullptr);
  char date[32];
  std::strftime(date, sizeof(date), "D:%Y%m%d%H%M%SZ", std::gmtime(&now));
  std::string infoBody = "<< /Producer " + writer_.Text(infoObject_, L"Vantry PDF writer") + " /CreationDate " +
                         writer_.String(infoObject_, date);
  const std::pair<const char*, const std::wstring*> entries[] = {
      {"/Title", &info.title}, {"/Author", &info.author}, {"/Subject", &info.subject}, {"/Keywords", &info.keywords}};
  for (auto& e : entries)
    if (!e.second->empty()) infoBody += std::string(" ") + e.first + " " + writer_.Text(infoObject_, *e.second);
  writer_.WriteObject(infoObject_, infoBody + " >>");

  std::string catalog = "<< /Type /Catalog /Pages " + Ref(pages_) + " /PageLayout " +
                        kLayouts[std::min(std::max(viewer.pageLayout, 0), 3)] + " /PageMode " +
                        kModes[std::min(std::max(viewer.pageMode, 0), 3)];
  std::string prefs;
  if (viewer.centerWindow) prefs += " /CenterWindow true";
  if (viewer.fitWindow) prefs += " /FitWindow true";
  if (viewer.hideMenubar) prefs += " /HideMenubar true";
  if (viewer.hideToolbars) prefs += " /HideToolbar true";
  if (viewer.hideWindowUI) prefs += " /HideWindowUI true";
  if (!prefs.empty()) catalog += " /ViewerPreferences <<" + prefs + " >>";
  if (!fieldObjects_.empty()) {
    std::string fields, order, fontsDr;
    for (int f : fieldObjects_) fields += Ref(f) + " ";
    for (int f : calculated_) order += Ref(f) + " ";
    for (size_t i = 0; i < fonts_.size(); ++i)
      if (fonts_[i]->forFields) fontsDr += " /F" + std::to_string(i) + " " + Ref(fonts_[i]->object);
    if (zapf_) fontsDr += " /ZaDb " + Ref(zapf_);
    catalog += " /AcroForm << /Fields [" + fields + "] /DR << /Font <<" + fontsDr + " >> >> /DA " +
               writer_.String(catalog_, "/ZaDb 0 Tf 0 g");
    if (!order.empty()) catalog += " /CO [" + order + "]";
    catalog += " >>";
  }
  if (!documentScripts_.empty()) {
    // The name tree's keys must be sorted.
    auto sorted = documentScripts_;
    std::sort(sorted.begin(), sorted.end());
    std::string names;
    for (auto& s : sorted) names += writer_.Text(catalog_, s.first) + " " + Ref(s.second) + " ";
    catalog += " /Names << /JavaScript << /Names [" + names + "] >> >>";
  }
  writer_.WriteObject(catalog_, catalog + " >>");

  std::string trailer = "/Root " + Ref(catalog_) + " /Info " + Ref(infoObject_) + " /ID [" + HexString(fileId_) +
                        HexString(fileId_) + "]";
  if (security.enabled) {
    int encrypt = writer_.NewObject();
    writer_.SetSecurity(nullptr);  // the security dictionary itself is never encrypted
    writer_.WriteObject(encrypt, "<< " + securityHandler_.DictionaryEntries() + " >>");
    trailer += " /Encrypt " + Ref(encrypt);
  }
  if (!writer_.Finish(trailer)) { *error = "writing the file failed"; return false; }
  return true;
}

// ---- fonts ----

int PdfDocument::Font(const FontKey& requested) {
  FontKey key = requested;
  if (key.face.empty()) key.face = L"Arial";
  auto found = fontIndex_.find(key);
  if (found != fontIndex_.end()) return found->second;
  auto font = std::make_unique<LoadedFont>();
  font->key = key;
  std::string file;
  if (!source_ || !source_->Load(key, &file) || !font->ttf.Parse(file)) font->standard = true;
  font->object = writer_.NewObject();
  int index = static_cast<int>(fonts_.size());
  fonts_.push_back(std::move(font));
  fontIndex_[key] = index;
  return index;
}

std::vector<std::uint16_t> PdfDocument::Glyphs(int f, const std::wstring& text) {
  std::vector<std::uint16_t> glyphs;
  LoadedFont& font = *fonts_[f];
  for (size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = static_cast<std::uint16_t>(text[i]);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<std::uint16_t>(text[i + 1]) - 0xDC00);
      ++i;
    }
    if (font.standard)
      glyphs.push_back(static_cast<std::uint16_t>(c < 256 ? c : '?'));
    else
      glyphs.push_back(font.ttf.GlyphFor(c));
  }
  return glyphs;
}

std::string PdfDocument::GlyphStringFromGlyphs(int f, const std::vector<std::uint16_t>& glyphs,
                                               const std::wstring& text) {
  LoadedFont& font = *fonts_[f];
  std::string bytes;
  size_t t = 0;
  for (std::uint16_t g : glyphs) {
    std::wstring unit;
    if (t < text.size()) {
      unit = text.substr(t, 1);
      if (text[t] >= 0xD800 && text[t] < 0xDC00 && t + 1 < text.size()) unit = text.substr(t, 2);
      t += unit.size();
    }
    if (font.standard) {
      bytes += static_cast<char>(g);
      continue;
    }
    bytes += static_cast<char>(g >> 8);
    bytes += static_cast<char>(g & 0xFF);
    font.used.insert(g);
    if (g && !unit.empty() && unit != L"\xFFFD" && !font.unicode.count(g)) font.unicode[g] = unit;
  }
  return HexString(bytes);
}

std::wstring PdfDocument::TextForGlyphs(int f, const std::vector<std::uint16_t>& glyphs) const {
  const LoadedFont& font = *fonts_[f];
  std::wstring text;
  for (std::uint16_t g : glyphs) {
    std::uint32_t c = font.standard ? g : font.ttf.CharacterFor(g);
    text += c && c < 0x10000 ? static_cast<wchar_t>(c) : L'\xFFFD';
  }
  return text;
}

std::string PdfDocument::GlyphString(int f, const std::wstring& text) {
  return GlyphStringFromGlyphs(f, Glyphs(f, text), text);
}

double PdfDocument::GlyphAdvance(int f, std::uint16_t glyph) const {
  const LoadedFont& font = *fonts_[f];
  if (font.standard) return kStandardWidth;
  return font.ttf.Advance(glyph) / static_cast<double>(font.ttf.UnitsPerEm());
}

double PdfDocument::TextWidth(int f, const std::wstring& text) {
  double width = 0;
  for (std::uint16_t g : Glyphs(f, text)) width += GlyphAdvance(f, g);
  return width;
}

double PdfDocument::Ascent(int f) const {
  const LoadedFont& font = *fonts_[f];
  return font.standard ? 0.905 : font.ttf.WinAscent() / static_cast<double>(font.ttf.UnitsPerEm());
}

double PdfDocument::Descent(int f) const {
  const LoadedFont& font = *fonts_[f];
  return font.standard ? 0.212 : font.ttf.WinDescent() / static_cast<double>(font.ttf.UnitsPerEm());
}

bool PdfDocument::SyntheticBold(int f) const {
  const LoadedFont& font = *fonts_[f];
  return !font.standard && font.key.bold && !font.ttf.Bold();
}

bool PdfDocument::SyntheticItalic(int f) const {
  const LoadedFont& font = *fonts_[f];
  return !font.standard && font.key.italic && font.ttf.ItalicAngle() == 0;
}

std::string PdfDocument::UseFont(int f) {
  page_.fonts.insert(f);
  return "/F" + std::to_string(f);
}

void PdfDocument::WriteFonts() {
  for (auto& font : fonts_) WriteFont(*font);
  if (zapf_) writer_.WriteObject(zapf_, "<< /Type /Font /Subtype /Type1 /BaseFont /ZapfDingbats >>");
}

void PdfDocument::WriteFont(LoadedFont& font) {
  std::string faceName;
  for (wchar_t c : font.key.face)
    if (c > 0x20 && c < 0x7F) faceName += static_cast<char>(c);
  if (font.standard) {
    std::string base = font.key.bold ? (font.key.italic ? "Helvetica-BoldOblique" : "Helvetica-Bold")
                                     : (font.key.italic ? "Helvetica-Oblique" : "Helvetica");
    writer_.WriteObject(font.object, "<< /Type /Font /Subtype /Type1 /BaseFont /" + base +
                                         " /Encoding /WinAnsiEncoding >>");
    return;
  }
  const TrueTypeFont& ttf = font.ttf;
  if (font.forFields) {
    // A field's font must also draw what the user types later: keep Latin and Cyrillic whole.
    for (std::uint32_t c = 0x20; c < 0x250; ++c) font.used.insert(ttf.GlyphFor(c));
    for (std::uint32_t c = 0x400; c < 0x500; ++c) font.used.insert(ttf.GlyphFor(c));
    for (std::uint32_t c = 0x20; c < 0x250; ++c)
      if (std::uint16_t g = ttf.GlyphFor(c)) font.unicode.emplace(g, std::wstring(1, static_cast<wchar_t>(c)));
    for (std::uint32_t c = 0x400; c < 0x500; ++c)
      if (std::uint16_t g = ttf.GlyphFor(c)) font.unicode.emplace(g, std::wstring(1, static_cast<wchar_t>(c)));
  }
  font.used.insert(0);
  bool subset = embedding == FontEmbedding::UsedGlyphs || embedding == FontEmbedding::UsedCharset;
  std::string baseName = ttf.PostScriptName().empty() ? faceName : ttf.PostScriptName();
  if (baseName.empty()) baseName = "Font";
  if (font.key.bold && !ttf.Bold()) baseName += ",Bold";
  if (font.key.italic && ttf.ItalicAngle() == 0) baseName += font.key.bold && !ttf.Bold() ? "Italic" : ",Italic";
  if (subset) {
    // The subset tag: six capitals that differ when the glyph set differs.
    std::string glyphs;
    for (std::uint16_t g : font.used) glyphs += std::to_string(g) + ",";
    std::string digest = Md5(glyphs + baseName);
    std::string tag;
    for (int i = 0; i < 6; ++i) tag += static_cast<char>('A' + static_cast<unsigned char>(digest[i]) % 26);
    baseName = tag + "+" + baseName;
  }
  double toPdf = 1000.0 / ttf.UnitsPerEm();
  int descendant = writer_.NewObject(), descriptor = writer_.NewObject(), toUnicode = writer_.NewObject();
  int fontFile = embedding == FontEmbedding::None ? 0 : writer_.NewObject();

  writer_.WriteObject(font.object, "<< /Type /Font /Subtype /Type0 /BaseFont " + Name(baseName) +
                                       " /Encoding /Identity-H /DescendantFonts [" + Ref(descendant) +
                                       "] /ToUnicode " + Ref(toUnicode) + " >>");
  std::string widths;
  for (auto it = font.used.begin(); it != font.used.end();) {
    std::uint16_t first = *it;
    widths += std::to_string(first) + " [";
    std::uint16_t expected = first;
    while (it != font.used.end() && *it == expected) {
      widths += Num(ttf.Advance(*it) * toPdf) + " ";
      ++it;
      ++expected;
    }
    widths += "] ";
  }
  writer_.WriteObject(descendant, "<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + Name(baseName) +
                                      " /CIDSystemInfo << /Registry " + writer_.String(descendant, "Adobe") +
                                      " /Ordering " + writer_.String(descendant, "Identity") +
                                      " /Supplement 0 >> /FontDescriptor " + Ref(descriptor) +
                                      " /DW 1000 /W [" + widths + "] /CIDToGIDMap /Identity >>");
  const int* box = ttf.BoundingBox();
  int flags = (ttf.FixedPitch() ? 1 : 0) | (ttf.Symbolic() ? 4 : 32) | (ttf.ItalicAngle() != 0 ? 64 : 0);
  std::string descriptorBody = "<< /Type /FontDescriptor /FontName " + Name(baseName) + " /Flags " +
                               std::to_string(flags) + " /FontBBox [" + Num(box[0] * toPdf) + " " +
                               Num(box[1] * toPdf) + " " + Num(box[2] * toPdf) + " " + Num(box[3] * toPdf) +
                               "] /ItalicAngle " + Num(ttf.ItalicAngle()) + " /Ascent " +
                               Num(ttf.Ascender() * toPdf) + " /Descent " + Num(ttf.Descender() * toPdf) +
                               " /CapHeight " + Num(ttf.CapHeight() * toPdf) + " /StemV " +
                               (ttf.Bold() ? "120" : "80");
  if (fontFile) descriptorBody += " /FontFile2 " + Ref(fontFile);
  writer_.WriteObject(descriptor, descriptorBody + " >>");

  if (fontFile) {
    std::string file = subset ? ttf.Subset(font.used) : ttf.Data();
    writer_.WriteStream(fontFile, " /Length1 " + std::to_string(file.size()) + " /Filter /FlateDecode",
                        Deflate(file));
  }

  // The map back from glyphs to text, so that text can be searched and copied.
  std::string cmap =
      "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
  std::vector<std::pair<std::uint16_t, std::wstring>> pairs(font.unicode.begin(), font.unicode.end());
  for (size_t start = 0; start < pairs.size(); start += 100) {
    size_t count = std::min<size_t>(100, pairs.size() - start);
    cmap += std::to_string(count) + " beginbfchar\n";
    for (size_t i = start; i < start + count; ++i) {
      std::string code = {static_cast<char>(pairs[i].first >> 8), static_cast<char>(pairs[i].first & 0xFF)};
      std::string text;
      for (wchar_t c : pairs[i].second) {
        text += static_cast<char>((c >> 8) & 0xFF);
        text += static_cast<char>(c & 0xFF);
      }
      cmap += HexString(code) + " " + HexString(text) + "\n";
    }
    cmap += "endbfchar\n";
  }
  cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
  writer_.WriteStream(toUnicode, " /Filter /FlateDecode", Deflate(cmap));
}

// ---- images ----

int PdfDocument::AddImage(const PdfImage& image, std::string* error) {
  if (!writer_.IsOpen()) { *error = "the document has not begun"; return -1; }
  if (image.width <= 0 || image.height <= 0 || image.data.empty()) { *error = "empty image"; return -1; }
  int object = writer_.NewObject();
  std::string dict = " /Type /XObject /Subtype /Image /Width " + std::to_string(image.width) + " /Height " +
                     std::to_string(image.height) + " /ColorSpace " + image.colorSpace + " /BitsPerComponent " +
                     std::to_string(image.bitsPerComponent);
  if (!image.colorKeyMask.empty()) dict += " /Mask " + image.colorKeyMask;
  if (!image.alpha.empty() && !image.jpeg) {
    int mask = writer_.NewObject();
    writer_.WriteStream(mask, " /Type /XObject /Subtype /Image /Width " + std::to_string(image.width) + " /Height " +
                                  std::to_string(image.height) +
                                  " /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /FlateDecode",
                        Deflate(image.alpha));
    dict += " /SMask " + std::to_string(mask) + " 0 R";
  }
  if (image.jpeg) {
    if (image.adobeInvertedCmyk) dict += " /Decode [1 0 1 0 1 0 1 0]";
    writer_.WriteStream(object, dict + " /Filter /DCTDecode", image.data);
  } else {
    writer_.WriteStream(object, dict + " /Filter /FlateDecode", Deflate(image.data));
  }
  imageObjects_.push_back(object);
  return static_cast<int>(imageObjects_.size() - 1);
}

std::string PdfDocument::ImageResource(int id) const {
  return "/Im" + std::to_string(id) + " " + Ref(imageObjects_[id]);
}

std::string PdfDocument::UseImage(int id) {
  page_.images.insert(id);
  return "/Im" + std::to_string(id);
}

void PdfDocument::DrawImage(int id, double x, double y, double width, double height) {
  if (id < 0 || id >= static_cast<int>(imageObjects_.size())) return;
  page_.content.Raw("q ").Add(width).Add(0).Add(0).Add(-height).Add(x).Add(y + height).Op("cm");
  page_.content.Raw(UseImage(id)).Op(" Do Q");
}

// ---- patterns ----

void PdfDocument::DrawingMatrix(double matrix[6]) const {
  double s = Scale();
  const double m[6] = {s, 0, 0, -s, 0, page_.height};
  for (int i = 0; i < 6; ++i) matrix[i] = m[i];
}

int PdfDocument::TilingPattern(const std::string& cell, double width, double height, const double matrix[6],
                               const std::string& resources) {
  std::string placement;
  for (int i = 0; i < 6; ++i) placement += Num(matrix[i]) + " ";
  std::string key = placement + Num(width) + " " + Num(height) + resources + "\n" + cell;
  auto found = patternIndex_.find(key);
  if (found != patternIndex_.end()) return found->second;
  int object = writer_.NewObject();
  WriteContent(object, " /Type /Pattern /PatternType 1 /PaintType 1 /TilingType 1 /BBox [0 0 " + Num(width) + " " +
                           Num(height) + "] /XStep " + Num(width) + " /YStep " + Num(height) +
                           " /Resources <<" + resources + " >> /Matrix [" + placement + "]",
               cell);
  patternObjects_.push_back(object);
  int id = static_cast<int>(patternObjects_.size() - 1);
  patternIndex_[key] = id;
  return id;
}

std::string PdfDocument::UsePattern(int id) {
  page_.patterns.insert(id);
  return "/Pat" + std::to_string(id);
}

// ---- scripts ----

int PdfDocument::AddScript(const std::wstring& script) {
  if (!writer_.IsOpen()) return 0;
  int object = writer_.NewObject();
  writer_.WriteObject(object, "<< /Type /Action /S /JavaScript /JS " + writer_.Text(object, script) + " >>");
  scripts_.push_back(object);
  return static_cast<int>(scripts_.size());
}

void PdfDocument::AddDocumentScript(const std::wstring& name, const std::wstring& script) {
  int id = AddScript(script);
  if (id) documentScripts_.emplace_back(name, scripts_[id - 1]);
}

}  // namespace pdf
