// The system's TrueType fonts, read with GetFontData.
#pragma once
#include "pdfwriter/PdfDocument.h"

namespace pdf {

class SystemFontSource : public FontSource {
 public:
  bool Load(const FontKey& key, std::string* fontFile) override;
};

}  // namespace pdf
