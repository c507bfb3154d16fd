// The four outline shapes drawn over a page: rectangle, ellipse, circle and line. Each keeps its
// geometry in document units, its document record (tags 3, 4, 10, 5) and object data (types 1, 2,
// 9, 3), draws itself on the screen, printers, bitmaps and PDF pages, and answers hit tests and
// handles in client pixels.
#pragma once
#include <cstddef>
#include <cstdint>

#include "TranspGraphClass.h"

// ---- Stored forms ----

#pragma pack(push, 4)
// The fixed record structure of the rectangle, the ellipse and the line: c is the box (left, top,
// right, bottom) or the line's points (x1, y1, x2, y2).
struct BOX_SHAPE_RECORD {
  TRANSP_RECORD_HEAD head;
  int32_t c[4];
  uint32_t color;
  int32_t lineWidth;
  int32_t pageIndex;
  uint8_t penStyle;  // the pen style's low byte
  uint8_t zero45[3];
  int32_t printable;
  int32_t zero52;
};
static_assert(sizeof(BOX_SHAPE_RECORD) == 56, "shape record structure is 56 bytes");
static_assert(offsetof(BOX_SHAPE_RECORD, color) == 32 && offsetof(BOX_SHAPE_RECORD, penStyle) == 44 &&
                  offsetof(BOX_SHAPE_RECORD, printable) == 48,
              "shape record fields");

struct CIRCLE_RECORD {
  TRANSP_RECORD_HEAD head;
  int32_t centreX;
  int32_t centreY;
  int32_t radius;
  uint32_t color;
  int32_t lineWidth;
  int32_t pageIndex;
  uint8_t penStyle;
  uint8_t zero41[3];
  int32_t printable;
  int32_t zero48[2];
};
static_assert(sizeof(CIRCLE_RECORD) == 56, "circle record structure is 56 bytes");
static_assert(offsetof(CIRCLE_RECORD, penStyle) == 40 && offsetof(CIRCLE_RECORD, printable) == 44,
              "circle record fields");

// Object data after the common head: box or points, then the pen.
struct BOX_SHAPE_DATA {
  int32_t c[4];
  int32_t lineWidth;
  uint32_t color;
  int32_t penStyle;
  int32_t zero;
};
static_assert(sizeof(BOX_SHAPE_DATA) == 32, "shape data is 32 bytes");

// A circle's data carries no centre: the paste places it.
struct CIRCLE_DATA {
  int32_t radius;
  int32_t lineWidth;
  uint32_t color;
  int32_t penStyle;
};
static_assert(sizeof(CIRCLE_DATA) == 16, "circle data is 16 bytes");
#pragma pack(pop)

enum {
  SHAPE_RECORD_LENGTH = 60,      // L: S and the structure, no variable part
  RECTANGLE_RECORD_VERSION = 2,  // each the first version that stores the printable flag
  ELLIPSE_RECORD_VERSION = 3,
  CIRCLE_RECORD_VERSION = 3,
  LINE_RECORD_VERSION = 2,
  SHAPE_DATA_VERSION = 1,
};

// Half the size of a select handle: the reach of the outline band and of a line's end points.
constexpr int SHAPE_HIT_REACH = 3;

// Hit-test rules in client pixels, shared and testable alone.
// Inside the ellipse inscribed in r; an ellipse without extent has no inside.
BOOL PointInEllipse(const RECT& r, POINT p);
// On the outline band of width 2 x reach around a box (rectangle) or its inscribed ellipse.
BOOL PointOnRectOutline(const RECT& box, POINT p);
BOOL PointOnEllipseOutline(const RECT& box, POINT p);
// Within the reach of an end point.
BOOL PointAtEnd(POINT end, POINT p);
// The segment test of a line from a to b.
BOOL PointOnSegment(POINT a, POINT b, POINT p);

// ---- Shared by the four ----

class CTranspShape : public CTranspGraphClass {
 public:
  CTranspShape(CWnd* view, int pageIndex) : CTranspGraphClass(view, pageIndex) {}
  // A tool's new shape: the style block copied whole, then not printable.
  CTranspShape(CWnd* view, const _OBJECT_STYLE* style, int pageIndex);

  void Draw(CDC* dc, int print, POINT* dpi) override;                    // 27
  void DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg) override;      // 23

 protected:
  // The outline in device pixels, with the pen and the null brush selected.
  virtual void PaintShape(CDC* dc, int print, const POINT* dpi) = 0;
  // The outline on a PDF page, coordinates already at the page resolution r.
  virtual void AddPdfPath(IPdfDocument* pdf, double r) = 0;
  // The state frames on the screen after the outline.
  virtual void DrawFrames(CDC* dc);
  // A coordinate in units at the PDF resolution.
  static double PdfCoordinate(int units, double resolution);
  // Pen fields from a record or data block; 0xFFFFFFFF is no colour and reads as black.
  void TakePen(uint32_t color, int32_t lineWidth, int32_t penStyle);
  // The record of the rectangle, the ellipse and the line: c is their box or points. Loading takes
  // the printable flag from records of `printableVersion` or later only.
  void StoreBoxRecord(CArchive& ar, const int32_t c[4], uint32_t version);
  void LoadBoxRecord(CArchive& ar, int32_t c[4], uint32_t printableVersion);
  HGLOBAL BoxObData(int32_t type, const int32_t c[4]);
  // FALSE (logged, nothing taken) for a block that is broken, of another type or too short.
  BOOL ReadBoxObData(HGLOBAL data, int32_t type, int32_t c[4]);
  // Moves the box to put its top-left corner at (x, y) (units); c is a box or two points.
  static void PlaceTopLeft(int32_t c[4], int x, int y);
  // The rectangle and the ellipse keep their box in m_rect: its record, its object data placed with
  // the top-left corner at (x, y) (nothing taken from a refused block), and the box in client pixels.
  void SerializeRect(CArchive& ar, uint32_t version);
  HGLOBAL RectObData(int32_t type);
  void TakeRectObData(HGLOBAL data, int32_t type, int x, int y);
  RECT ClientRect();
};

class CTranspRectangle : public CTranspShape {
 public:
  CTranspRectangle(CWnd* view, int pageIndex);
  CTranspRectangle(CWnd* view, const RECT& rect, const _OBJECT_STYLE* style, int pageIndex);
  // From object data: the top-left corner of the box at (x, y).
  CTranspRectangle(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);

  void Serialize(CArchive& ar) override;
  int PtInBox(POINT* client, int arg) override;
  HGLOBAL GetObData() override;
  int GetObjectKind() override;
  int GetCapture(POINT point) override;

 protected:
  void PaintShape(CDC* dc, int print, const POINT* dpi) override;
  void AddPdfPath(IPdfDocument* pdf, double r) override;
};

class CTranspEllipse : public CTranspShape {
 public:
  CTranspEllipse(CWnd* view, int pageIndex);
  CTranspEllipse(CWnd* view, const RECT& rect, const _OBJECT_STYLE* style, int pageIndex);
  CTranspEllipse(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);

  void Serialize(CArchive& ar) override;
  int PtInBox(POINT* client, int arg) override;
  HGLOBAL GetObData() override;
  int GetObjectKind() override;
  void DrawSelectFrame(CDC* dc, int left, int top, int right, int bottom, int middles) override;
  void Resize(int dx, int dy) override;
  int GetCapture(POINT point) override;

 protected:
  void PaintShape(CDC* dc, int print, const POINT* dpi) override;
  void AddPdfPath(IPdfDocument* pdf, double r) override;
  void DrawFocusHandles(CDC* dc, const RECT& box) override;
};

// Round by construction: the box is always the square of centre and radius. It is an ellipse in
// everything but its geometry and stored forms.
class CTranspCircle : public CTranspEllipse {
 public:
  CTranspCircle(CWnd* view, int pageIndex);
  CTranspCircle(CWnd* view, int cx, int cy, int r, const _OBJECT_STYLE* style, int pageIndex);
  // From object data: centred on (x, y).
  CTranspCircle(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);

  void Serialize(CArchive& ar) override;
  HGLOBAL GetObData() override;
  void MoveBy(int dx, int dy) override;
  using CTranspBaseClass::MoveBy;
  void SetUndoState(const CUndoState& state) override;
  CUndoState GetUndoState() override;
  void Resize(int dx, int dy) override;

  int GetCentreX() const { return m_cx; }
  int GetCentreY() const { return m_cy; }
  int GetRadius() const { return m_radius; }

 protected:
  void SaveOwnGeometry() override;
  void RestoreOwnGeometry() override;

 private:
  void UpdateBox();
  int m_cx = 0, m_cy = 0, m_radius = 0;
  int m_savedCx = 0, m_savedCy = 0;
};

class CTranspLine : public CTranspShape {
 public:
  CTranspLine(CWnd* view, int pageIndex);
  CTranspLine(CWnd* view, int x1, int y1, int x2, int y2, const _OBJECT_STYLE* style, int pageIndex);
  // From object data: the top-left corner of its box at (x, y), the direction kept.
  CTranspLine(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);

  void Serialize(CArchive& ar) override;
  void GetRepaintRect(RECT* out) override;
  int PtInBox(POINT* client, int arg) override;
  HGLOBAL GetObData() override;
  int GetObjectKind() override;
  void StoringVIZ(CVizConverter* converter) override;
  void DrawSelectFrame(CDC* dc, int left, int top, int right, int bottom, int middles) override;
  void MoveBy(int dx, int dy) override;
  using CTranspBaseClass::MoveBy;
  void SetUndoState(const CUndoState& state) override;
  CUndoState GetUndoState() override;
  void Resize(int dx, int dy) override;
  void SetObjectCursor(POINT point) override;
  int GetCapture(POINT point) override;

  POINT GetStart() const { return {m_x1, m_y1}; }
  POINT GetEnd() const { return {m_x2, m_y2}; }

 protected:
  void PaintShape(CDC* dc, int print, const POINT* dpi) override;
  void AddPdfPath(IPdfDocument* pdf, double r) override;
  void DrawFrames(CDC* dc) override;
  void SaveOwnGeometry() override;
  void RestoreOwnGeometry() override;

 private:
  void UpdateBox();
  // The end points in client pixels.
  void ClientEnds(POINT* a, POINT* b);
  int m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
  int m_savedX1 = 0, m_savedY1 = 0, m_savedX2 = 0, m_savedY2 = 0;
};
