// Interactive form fields: text fields and check boxes as merged field and widget dictionaries,
// with appearance streams so that viewers show the values without building them.
#include <algorithm>

#include "pdfwriter/PdfDocument.h"

namespace pdf {
namespace {

std::string Ref(int object) { return std::to_string(object) + " 0 R"; }

std::string Color(const RGB& c, const char* op) { return Num(c.r) + " " + Num(c.g) + " " + Num(c.b) + " " + op; }

// Field flags.
const int kMultiline = 1 << 12;
const int kComb = 1 << 24;
const int kDoNotScroll = 1 << 23;

// Check mark and cross in the standard dingbat font, with their advance widths (1/1000 em).
const char kCheckCode = '4';
const char kCrossCode = '8';
const double kCheckWidth = 0.846, kCrossWidth = 0.794;

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    if (text[i] == L'\r' || text[i] == L'\n') lines.emplace_back();
    else lines.back() += text[i];
  }
  return lines;
}

}  // namespace

int PdfDocument::AddTextField(const TextFieldSpec& spec) {
  Field field;
  field.text = spec;
  page_.fields.push_back(field);
  return fieldCounter_++;
}

int PdfDocument::AddCheckBox(const CheckBoxSpec& spec) {
  Field field;
  field.checkBox = true;
  field.box = spec;
  page_.fields.push_back(field);
  return fieldCounter_++;
}

TextFieldSpec* PdfDocument::TextField(int number) {
  int index = number - page_.firstField;
  if (index < 0 || index >= static_cast<int>(page_.fields.size()) || page_.fields[index].checkBox) return nullptr;
  return &page_.fields[index].text;
}

CheckBoxSpec* PdfDocument::CheckBox(int number) {
  int index = number - page_.firstField;
  if (index < 0 || index >= static_cast<int>(page_.fields.size()) || !page_.fields[index].checkBox) return nullptr;
  return &page_.fields[index].box;
}

std::string PdfDocument::FieldAppearance(const TextFieldSpec& spec, double width, double height) {
  ContentStream s;
  s.Op("/Tx BMC q");
  double borderWidth = spec.border ? std::max(spec.borderWidth * Scale(), 0.0) : 0;
  if (spec.border && borderWidth > 0) {
    s.Raw(Color(spec.borderColor, "RG\n")).Add(borderWidth).Op("w");
    if (!spec.dash.empty()) s.Raw(spec.dash).Op(" d");
    s.Add(borderWidth / 2).Add(borderWidth / 2).Add(width - borderWidth).Add(height - borderWidth).Op("re S");
  }
  int f = spec.font;
  if (f >= 0 && !spec.value.empty()) {
    double size = spec.fontSize > 0 ? spec.fontSize : std::min(12.0, height * 0.7);
    double ascent = Ascent(f) * size, descent = Descent(f) * size, lineHeight = ascent + descent;
    double pad = 2 + borderWidth;
    s.Add(pad / 2).Add(pad / 2).Add(width - pad).Add(height - pad).Op("re W n");
    s.Raw("BT /F" + std::to_string(f) + " ").Add(size).Op("Tf");
    s.Raw(Color(spec.textColor, "rg\n"));
    std::vector<std::wstring> lines = spec.multiline ? SplitLines(spec.value) : std::vector<std::wstring>{spec.value};
    if (!spec.multiline)
      lines[0].erase(std::remove_if(lines[0].begin(), lines[0].end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }),
                     lines[0].end());
    double baseline = spec.multiline ? height - pad - ascent : (height - lineHeight) / 2 + descent;
    bool comb = spec.comb && spec.maxLength > 0 && !spec.multiline;
    // Underline and strike-out as thin bands under and through each line, drawn after the text.
    std::string bands;
    auto band = [&](double x, double y, double w) {
      double thick = std::max(size / 14, 0.5);
      if (spec.underline) bands += Num(x) + " " + Num(y - size * 0.1 - thick) + " " + Num(w) + " " + Num(thick) + " re ";
      if (spec.strikeOut) bands += Num(x) + " " + Num(y + size * 0.28) + " " + Num(w) + " " + Num(thick) + " re ";
    };
    for (const std::wstring& line : lines) {
      if (comb) {
        double cell = width / spec.maxLength;
        for (size_t i = 0; i < line.size() && static_cast<int>(i) < spec.maxLength; ++i) {
          std::wstring ch(1, line[i]);
          double x = cell * i + (cell - TextWidth(f, ch) * size) / 2;
          s.Raw("1 0 0 1 ").Add(x).Add(baseline).Op("Tm");
          s.Raw(GlyphString(f, ch)).Op(" Tj");
        }
      } else {
        double textWidth = TextWidth(f, line) * size;
        double x = spec.alignment == 1 ? (width - textWidth) / 2 : spec.alignment == 2 ? width - pad - textWidth : pad;
        s.Raw("1 0 0 1 ").Add(x).Add(baseline).Op("Tm");
        s.Raw(GlyphString(f, line)).Op(" Tj");
        if (!line.empty()) band(x, baseline, textWidth);
      }
      baseline -= lineHeight;
    }
    s.Op("ET");
    if (!bands.empty()) s.Raw(bands).Op("f");
  }
  s.Op("Q EMC");
  return s.Data();
}

int PdfDocument::WriteField(Field& field, int pageObject) {
  // The widget goes out now with its appearances; the field's own entries wait for the end of the
  // document, where fields that share a name become the widgets of one field.
  PendingField pending;
  pending.widget = writer_.NewObject();
  int o = pending.widget;
  double s = Scale();
  auto rect = [&](double l, double t, double r, double b, double* w, double* h) {
    double x0 = std::min(l, r) * s, x1 = std::max(l, r) * s;
    double y0 = page_.height - std::max(t, b) * s, y1 = page_.height - std::min(t, b) * s;
    *w = x1 - x0;
    *h = y1 - y0;
    return "[" + Num(x0) + " " + Num(y0) + " " + Num(x1) + " " + Num(y1) + "]";
  };
  double w, h;
  std::string& widget = pending.widgetEntries;
  if (!field.checkBox) {
    TextFieldSpec& t = field.text;
    pending.name = t.name;
    pending.value = t.value;
    pending.script = t.calculateScript;
    std::string r = rect(t.left, t.top, t.right, t.bottom, &w, &h);
    if (t.font >= 0) fonts_[t.font]->forFields = true;
    int appearance = writer_.NewObject();
    std::string fontName = t.font >= 0 ? "/F" + std::to_string(t.font) : "/ZaDb";
    pending.da = fontName + " " + Num(t.fontSize) + " Tf " + Color(t.textColor, "rg");
    int flags = (t.multiline ? kMultiline : kDoNotScroll) | (t.comb && t.maxLength > 0 && !t.multiline ? kComb : 0);
    std::string resources = t.font >= 0 ? " /Resources << /Font << " + fontName + " " + Ref(fonts_[t.font]->object) + " >> >>" : "";
    WriteContent(appearance, " /Type /XObject /Subtype /Form /BBox [0 0 " + Num(w) + " " + Num(h) + "]" + resources,
                 FieldAppearance(t, w, h));
    pending.fieldEntries = " /FT /Tx /Q " + std::to_string(std::min(std::max(t.alignment, 0), 2)) + " /Ff " +
                           std::to_string(flags);
    if (t.maxLength > 0) pending.fieldEntries += " /MaxLen " + std::to_string(t.maxLength);
    widget = " /Rect " + r + " /AP << /N " + Ref(appearance) + " >>";
    if (t.border) {
      widget += " /MK << /BC [" + Color(t.borderColor, "]") + " >> /BS << /W " + Num(t.borderWidth * s);
      widget += t.dash.empty() ? " /S /S" : " /S /D /D " + t.dash.substr(0, t.dash.find(']') + 1);
      widget += " >>";
    } else {
      widget += " /BS << /W 0 >>";
    }
  } else {
    CheckBoxSpec& c = field.box;
    pending.name = c.name;
    pending.checkBox = true;
    pending.checked = c.checked;
    pending.script = c.calculateScript;
    pending.da = "/ZaDb 0 Tf 0 g";
    std::string r = rect(c.left, c.top, c.right, c.bottom, &w, &h);
    if (!zapf_) zapf_ = writer_.NewObject();
    char code = c.cross ? kCrossCode : kCheckCode;
    double size = std::min(w, h) * 0.8, glyphWidth = (c.cross ? kCrossWidth : kCheckWidth) * size;
    std::string frame = "0 G 1 w 0.5 0.5 " + Num(w - 1) + " " + Num(h - 1) + " re S\n";
    std::string on = "q " + frame + "BT 0 g /ZaDb " + Num(size) + " Tf " + Num((w - glyphWidth) / 2) + " " +
                     Num((h - size * 0.7) / 2) + " Td (" + code + ") Tj ET Q\n";
    std::string resources = " /Resources << /Font << /ZaDb " + Ref(zapf_) + " >> >>";
    std::string bbox = " /Type /XObject /Subtype /Form /BBox [0 0 " + Num(w) + " " + Num(h) + "]";
    int onObject = writer_.NewObject(), offObject = writer_.NewObject();
    WriteContent(onObject, bbox + resources, on);
    WriteContent(offObject, bbox, "q " + frame + "Q\n");
    pending.fieldEntries = " /FT /Btn";
    widget = std::string(" /AS ") + (c.checked ? "/Yes" : "/Off") + " /Rect " + r + " /MK << /BC [0 0 0] /CA " +
             writer_.String(o, std::string(1, code)) + " >> /AP << /N << /Yes " + Ref(onObject) + " /Off " +
             Ref(offObject) + " >> >>";
  }
  widget = " /Type /Annot /Subtype /Widget /F 4 /P " + Ref(pageObject) + widget;
  pendingFields_.push_back(std::move(pending));
  return o;
}

void PdfDocument::WriteFields() {
  // Fields in the order they first appear; a name seen again adds a widget to the first one's field.
  std::map<std::wstring, std::vector<const PendingField*>> byName;
  std::vector<std::wstring> order;
  for (const PendingField& f : pendingFields_) {
    auto& group = byName[f.name];
    if (group.empty()) order.push_back(f.name);
    group.push_back(&f);
  }
  for (const std::wstring& name : order) {
    const auto& group = byName[name];
    const PendingField& first = *group.front();
    int holder = group.size() == 1 ? first.widget : writer_.NewObject();
    std::string field = first.fieldEntries + " /T " + writer_.Text(holder, name) + " /DA " + writer_.String(holder, first.da);
    field += first.checkBox ? std::string(" /V ") + (first.checked ? "/Yes" : "/Off") : " /V " + writer_.Text(holder, first.value);
    if (HasScript(first.script)) {
      field += " /AA << /C " + Ref(scripts_[first.script - 1]) + " >>";
      calculated_.push_back(holder);
    }
    if (group.size() == 1) {
      writer_.WriteObject(holder, "<<" + first.widgetEntries + field + " >>");
    } else {
      std::string kids;
      for (const PendingField* f : group) {
        writer_.WriteObject(f->widget, "<<" + f->widgetEntries + " /Parent " + Ref(holder) + " >>");
        kids += Ref(f->widget) + " ";
      }
      writer_.WriteObject(holder, "<<" + field + " /Kids [" + kids + "] >>");
    }
    fieldObjects_.push_back(holder);
  }
  pendingFields_.clear();
}

}  // namespace pdf
