// The PDF document being written: information, pages, content streams, fonts, images, form fields,
// scripts and security. Plain C++; the system's fonts come in through a FontSource.
//
// Drawing coordinates are page units (unitsPerInch per inch) from the top-left corner of the page,
// y growing downwards, as the program's own drawing measures them; the page's content stream starts
// with the matrix that turns them into PDF's points from the bottom-left corner.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "pdfwriter/PdfImage.h"
#include "pdfwriter/PdfObjects.h"
#include "pdfwriter/PdfSecurity.h"
#include "pdfwriter/TrueTypeFont.h"

namespace pdf {

struct FontKey {
  std::wstring face;
  bool bold = false, italic = false;
  bool operator<(const FontKey& o) const {
    return face != o.face ? face < o.face : bold != o.bold ? bold < o.bold : italic < o.italic;
  }
};

// Gives the bytes of a TrueType font file for a face; the Win32 half reads them with GetFontData.
class FontSource {
 public:
  virtual ~FontSource() = default;
  virtual bool Load(const FontKey& key, std::string* fontFile) = 0;
};

struct DocumentInfo {
  std::wstring title, author, subject, keywords;
};

struct SecuritySettings {
  bool enabled = false;
  std::wstring userPassword, ownerPassword;
  Permissions permissions;
  int keyBits = 40;
};

// How the viewer opens the file.
struct ViewerSettings {
  int pageLayout = 0;  // 0 single page, 1 one column, 2 two columns left, 3 two columns right
  int pageMode = 0;    // 0 standard, 1 outlines, 2 thumbnails, 3 full screen
  bool centerWindow = false, fitWindow = false, hideMenubar = false, hideToolbars = false, hideWindowUI = false;
};

enum class FontEmbedding { Full = 0, UsedCharset = 1, UsedGlyphs = 2, None = 3 };

struct RGB {
  double r = 0, g = 0, b = 0;  // 0 to 1 each
};
RGB FromColorRef(std::uint32_t colorRef);

struct TextFieldSpec {
  std::wstring name, value;
  double left = 0, top = 0, right = 0, bottom = 0;  // page units
  int font = -1;
  double fontSize = 12;  // points; 0 lets the viewer choose
  bool underline = false, strikeOut = false;
  RGB textColor;
  bool multiline = false, comb = false, border = false;
  int alignment = 0;  // 0 left, 1 centre, 2 right
  int maxLength = 0;
  int charset = 1;
  RGB borderColor;
  double borderWidth = 1;  // page units
  std::string dash;        // a dash array and phase as PDF writes them, "[3 1] 0"; empty for solid
  int calculateScript = 0;
};

struct CheckBoxSpec {
  std::wstring name;
  double left = 0, top = 0, right = 0, bottom = 0;
  bool cross = false;  // the tick is a cross instead of a check mark
  bool checked = false;
  int calculateScript = 0;
};

class PdfDocument {
 public:
  explicit PdfDocument(FontSource* fonts);
  ~PdfDocument();

  // Settings read when the document begins.
  DocumentInfo info;
  SecuritySettings security;
  ViewerSettings viewer;
  bool compress = true;
  int minorVersion = 4;
  FontEmbedding embedding = FontEmbedding::UsedGlyphs;

  // Opens the file and starts the first page. False with a reason when the file cannot be written.
  bool Begin(const std::wstring& path, std::string* error);
  bool Begun() const { return writer_.IsOpen(); }
  // Size of the current page in its own units; landscape swaps a portrait size.
  void SetPageSize(double width, double height, double unitsPerInch, bool landscape);
  // Drawing units of the current page (set before drawing starts on it).
  void SetDrawingResolution(double unitsPerInch) { page_.drawingUnitsPerInch = unitsPerInch; }
  double PageWidthPoints() const;
  double PageHeightPoints() const;
  ContentStream& Content() { return page_.content; }
  bool NewPage(std::string* error);
  // Writes the last page, fonts, fields and the cross-reference table, and closes the file.
  bool End(std::string* error);
  // Drops an unfinished file.
  void Abandon() { writer_.Abandon(); }

  // Fonts: an index for a face, loaded from the system at first use; -1 when no font can be had.
  int Font(const FontKey& key);
  // The glyph string for text in font f (recording the glyphs used), as a PDF string operand.
  std::string GlyphString(int f, const std::wstring& text);
  // Glyph numbers for text, one per character.
  std::vector<std::uint16_t> Glyphs(int f, const std::wstring& text);
  std::string GlyphStringFromGlyphs(int f, const std::vector<std::uint16_t>& glyphs, const std::wstring& text);
  // The text that glyphs given by number stand for, one unit per glyph (U+FFFD where none is known).
  std::wstring TextForGlyphs(int f, const std::vector<std::uint16_t>& glyphs) const;
  // Width of text in font f at size 1, in text space units (multiply by the size).
  double TextWidth(int f, const std::wstring& text);
  double GlyphAdvance(int f, std::uint16_t glyph) const;  // at size 1
  // Ascent and descent of the character cell at size 1, as Windows measures it.
  double Ascent(int f) const;
  double Descent(int f) const;
  // Bold or italic asked for but not in the font file the system gave: imitated by stroking the
  // glyphs' outlines and by slanting the text matrix by this much (x += slant * y).
  bool SyntheticBold(int f) const;
  bool SyntheticItalic(int f) const;
  static constexpr double kSlant = 0.21;
  // The resource name of font f on the current page ("/F3").
  std::string UseFont(int f);

  // Images: written at once; the id places them on any page.
  int AddImage(const PdfImage& image, std::string* error);
  std::string UseImage(int id);
  // "/Im3 12 0 R": image id as an entry of a resource dictionary other than the page's.
  std::string ImageResource(int id) const;
  // Draws image id into the rectangle (page units), top-left corner at (x, y).
  void DrawImage(int id, double x, double y, double width, double height);

  // A coloured tiling pattern: cell operators within [0 0 width height], repeated at that step, and
  // placed by matrix (pattern space to the page's default space). The same cell and matrix give the
  // same pattern again.
  // resources: the entries of the cell's resource dictionary.
  int TilingPattern(const std::string& cell, double width, double height, const double matrix[6],
                    const std::string& resources);
  std::string UsePattern(int id);
  // The matrix from drawing units (top-left origin, y down) to the page's default space.
  void DrawingMatrix(double matrix[6]) const;

  // Form fields on the current page; each returns its field number.
  int AddTextField(const TextFieldSpec& spec);
  int AddCheckBox(const CheckBoxSpec& spec);
  TextFieldSpec* TextField(int field);
  CheckBoxSpec* CheckBox(int field);
  // A JavaScript action; returns its identifier (from 1).
  int AddScript(const std::wstring& script);
  bool HasScript(int id) const { return id >= 1 && id <= static_cast<int>(scripts_.size()); }
  void AddDocumentScript(const std::wstring& name, const std::wstring& script);

  int PageCount() const { return pageCount_; }

 private:
  struct LoadedFont {
    FontKey key;
    bool standard = false;  // a standard font used when the system has none (no embedding)
    TrueTypeFont ttf;
    int object = 0;
    std::set<std::uint16_t> used;
    std::map<std::uint16_t, std::wstring> unicode;
    bool forFields = false;
  };
  struct Field {
    bool checkBox = false;
    TextFieldSpec text;
    CheckBoxSpec box;
    int object = 0;
  };
  // A widget written with its page whose field entries are written at the end.
  struct PendingField {
    std::wstring name, value;
    bool checkBox = false, checked = false;
    int widget = 0, script = 0;
    std::string widgetEntries, fieldEntries, da;
  };
  struct Page {
    double width = 612, height = 792;  // points
    double drawingUnitsPerInch = 72;
    ContentStream content;
    std::set<int> fonts, images, patterns;
    std::vector<Field> fields;
    int firstField = 0;  // the field number of fields[0]
  };

  bool FinishPage(std::string* error);
  // A stream of operators (page or appearance), compressed when the document asks for it.
  void WriteContent(int object, const std::string& dictEntries, const std::string& operators);
  void WriteFonts();
  void WriteFont(LoadedFont& font);
  int WriteField(Field& field, int pageObject);
  void WriteFields();
  std::string FieldAppearance(const TextFieldSpec& spec, double width, double height);
  std::string Matrix() const;
  double Scale() const { return 72.0 / page_.drawingUnitsPerInch; }

  FontSource* source_;
  PdfWriter writer_;
  StandardSecurity securityHandler_;
  std::string fileId_;
  int catalog_ = 0, pages_ = 0, infoObject_ = 0, zapf_ = 0;
  std::vector<int> pageObjects_;
  std::vector<int> fieldObjects_, calculated_;
  std::vector<PendingField> pendingFields_;
  Page page_;
  int pageCount_ = 0;
  std::vector<std::unique_ptr<LoadedFont>> fonts_;
  std::map<FontKey, int> fontIndex_;
  std::vector<int> imageObjects_;
  std::vector<int> patternObjects_;
  std::map<std::string, int> patternIndex_;
  std::vector<int> scripts_;
  std::vector<std::pair<std::wstring, int>> documentScripts_;
  int fieldCounter_ = 0;
};

}  // namespace pdf
