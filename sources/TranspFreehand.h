// Freehand strokes (a signature) and polygons drawn over a page: one polyline of points in document
// units, strokes parted by the separator point (-9999, -9999) that the drawing tools write. Stored
// as document record tag 6 and object data type 4; drawn on the screen, printers, bitmaps and PDF
// pages. It moves as a whole: it has no sizing handles.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "TranspShapes.h"

#pragma pack(push, 4)
// The fixed record structure; the points follow it.
struct FREEHAND_RECORD {
  TRANSP_RECORD_HEAD head;
  uint32_t color;
  int32_t lineWidth;
  int32_t count;      // points, separators included
  int32_t pageIndex;
  uint8_t penStyle;   // the pen style's low byte
  uint8_t zero33[3];
  int32_t printable;  // from version 3 on
  int32_t zero40[2];
};
static_assert(sizeof(FREEHAND_RECORD) == 48, "freehand record structure is 48 bytes");
static_assert(offsetof(FREEHAND_RECORD, count) == 24 && offsetof(FREEHAND_RECORD, penStyle) == 32 &&
                  offsetof(FREEHAND_RECORD, printable) == 36,
              "freehand record fields");

// Object data after the common head; then the points and 8 zero bytes.
struct FREEHAND_DATA {
  int32_t lineWidth;
  uint32_t color;
  int32_t penStyle;
  int32_t count;
};
static_assert(sizeof(FREEHAND_DATA) == 16, "freehand data is 16 bytes");
#pragma pack(pop)

enum {
  FREEHAND_RECORD_VERSION = 3,  // the first that stores the printable flag
  FREEHAND_DATA_VERSION = 1,
  FREEHAND_DATA_TRAILER = 8,    // zero bytes after the points
};

// A point of a stored list that parts two strokes: not drawn, not in the box, not moved.
inline bool IsStrokeSeparator(const POINT& p) { return p.x == -9999; }

// The box of a point list: (min x, min y, max x + 1, max y + 1) over the points that are not
// separators; empty at (0, 0) when there are none.
RECT FreehandBox(const std::vector<POINT>& points);

class CTranspFreehand : public CTranspShape {
 public:
  CTranspFreehand(CWnd* view, int pageIndex);
  // From a drawing tool: the points copied, the style block copied whole, printable.
  CTranspFreehand(CWnd* view, const POINT* points, int count, const _OBJECT_STYLE* style, int pageIndex);
  // From object data: printable, the box's top-left corner at (x, y) (units).
  CTranspFreehand(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);

  void Serialize(CArchive& ar) override;                  // 2
  void GetRepaintRect(RECT* out) override;                // 26
  void MoveBy(int dx, int dy) override;                   // 38
  using CTranspBaseClass::MoveBy;
  HGLOBAL GetObData() override;                           // 42
  int GetObjectKind() override;                           // 52
  void SetUndoState(const CUndoState& state) override;    // 59
  void Resize(int dx, int dy) override;                   // 65
  int GetCapture(POINT point) override;                   // 67

  // The view's polygon creation marks the object; neither the record nor the data keeps the mark.
  void SetClosed() { m_closed = 1; }
  int IsPolygon() const { return m_closed; }

  const std::vector<POINT>& GetPoints() const { return m_points; }
  int GetCount() const { return static_cast<int>(m_points.size()); }

 protected:
  void PaintShape(CDC* dc, int print, const POINT* dpi) override;
  void AddPdfPath(IPdfDocument* pdf, double r) override;
  void DrawFocusHandles(CDC* dc, const RECT& box) override;
  void SaveOwnGeometry() override;
  void RestoreOwnGeometry() override;

 private:
  // Adds (dx, dy) to every point that is not a separator and recomputes the box.
  void OffsetPoints(int dx, int dy);
  void UpdateBox() { m_rect = FreehandBox(m_points); }

  std::vector<POINT> m_points;
  std::vector<POINT> m_savedPoints;  // from SavePosition to RestorePosition
};
