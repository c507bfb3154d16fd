// Turns the records of an enhanced metafile into PDF operators on a page: the drawing surface's
// GDI output and placed metafiles take this way. Text stays text, in the system's TrueType fonts.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "pdfwriter/PdfDocument.h"

namespace pdf {

struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;  // x' = a x + c y + e, y' = b x + d y + f
  void Apply(double x, double y, double* ox, double* oy) const {
    *ox = a * x + c * y + e;
    *oy = b * x + d * y + f;
  }
  // This transform followed by next.
  Affine Then(const Affine& next) const;
};

// A GDI comment with this signature and a 32-bit number marks where the writer's own operations,
// given between GDI calls, come in the page's order.
extern const char kEmfMarker[4];

class EmfTranslator {
 public:
  // deviceToPage maps the metafile's device units into the page's drawing units.
  EmfTranslator(PdfDocument& document, ContentStream& out, const Affine& deviceToPage);
  ~EmfTranslator();
  void OnMarker(std::function<void(std::uint32_t)> handler) { marker_ = std::move(handler); }
  // False with a reason when the records are malformed; what came before the fault is kept.
  bool Translate(const std::string& records, std::string* error);

 private:
  struct Impl;
  Impl* impl_;
  std::function<void(std::uint32_t)> marker_;
};

}  // namespace pdf
