// The form view's marker tools: a reference point's marker, the crop and copy-region areas, the
// base-point cross and the eraser square. Like the rubber-band tools they draw straight into a DC of
// the view window with R2_NOT, so a marker is removed by drawing it once more; unlike those they stay
// on the screen between gestures, and the crop and reference-point tools keep their place in page
// pixels so that it survives zooming and scrolling.
#pragma once
#include "Framework.h"

class CFolimarView;

// One reference point of the page (at most two, owned by the view's list), with the marker the user
// drags to move it.
class CRefPointTool {
 public:
  // `point` in page pixels.
  CRefPointTool(CFolimarView* view, POINT point);
  ~CRefPointTool();

  // The 15 x 15 marker box around client point p.
  static CRect GetRect(POINT p);
  // The marker at client point p: a cross of two 11-pixel lines and the circle inscribed in
  // GetRect(p), inverted; the DC's raster operation and brush are restored.
  static void Draw(CDC* dc, POINT p);
  // The marker's client position for the current point: in the middle of the enlarged page pixel
  // when the zoom magnifies.
  CPoint GetClientMarker() const;

  void StartMove(CPoint mouse);
  void Move(CPoint mouse);
  // Erases the marker and takes its position as the new point; the view repaints the marker.
  void StopMove();
  BOOL IsMoving() const { return m_pDC != nullptr; }
  CPoint GetPoint() const { return m_point; }
  void SetPoint(POINT point) { m_point = point; }

 private:
  // The offset that centres the marker in an enlarged page pixel.
  int MarkerOffset() const;

  CDC* m_pDC = nullptr;
  CPoint m_marker;
  CPoint m_lastMouse;
  CFolimarView* m_pView;
  CPoint m_point;
  // The marker's position when the move began.
  CPoint m_startMarker;

  CRefPointTool(const CRefPointTool&) = delete;
  CRefPointTool& operator=(const CRefPointTool&) = delete;
};

// The crop area (modes 3, 19 and 20; also the colour-correction area): a rectangle kept in page
// pixels, dragged out anew or moved and resized by its edges and corners.
class CCropTool {
 public:
  // Where a point lies on the kept area: the grip a drag takes.
  enum {
    kNoArea = 0,  // outside, or no area: a new area
    kInside = 1,  // move
    kLeft = 2,
    kTop = 3,
    kRight = 4,
    kBottom = 5,
    kTopLeft = 6,
    kTopRight = 7,
    kBottomRight = 8,
    kBottomLeft = 9,
  };
  // Half the width of the zone around an edge that grips it.
  static const int kGripZone = 3;

  CCropTool() = default;
  virtual ~CCropTool();

  // The view gives itself to its crop, copy-region, cross and eraser tools in OnInitialUpdate.
  void SetView(CFolimarView* view) { m_pView = view; }
  // Draws `rect` (client pixels) normalised and inverted; nothing for an empty one.
  void Draw(CDC* dc, RECT rect) const;
  // The kept area as it stands on the screen: converted to client pixels and normalised.
  CRect GetClientArea() const;
  // Erases the kept area from the screen and forgets it.
  void Kill();
  // The grip under `point` (client pixels).
  int GetCapture(CPoint point) const;
  void MouseDown(CPoint point);
  void MouseMove(CPoint point);
  void MouseUp();

  // The kept area in page pixels; empty when there is none.
  CRect GetArea() const { return m_area; }
  BOOL IsEmpty() const { return m_area.IsRectEmpty(); }
  BOOL IsDrawing() const { return m_drawing; }

 protected:
  // The copy-region tool's dotted frame pen; null draws with the DC's own pen.
  CPen* m_pFramePen = nullptr;

 private:
  CRect m_area;
  CRect m_drag;
  CFolimarView* m_pView = nullptr;
  int m_grip = kNoArea;
  int m_drawing = 0;
  CDC* m_pDC = nullptr;
  CPoint m_last;

  CCropTool(const CCropTool&) = delete;
  CCropTool& operator=(const CCropTool&) = delete;
};

// The copy-region tool (mode 18): the crop tool's behaviour with a dotted frame.
class CCutTool : public CCropTool {
 public:
  CCutTool();
  ~CCutTool() override;

 private:
  CPen* m_pDotPen = nullptr;
};

// The base-point cross (modes 5 and 13): a horizontal and a vertical line across the whole client
// area through the cursor.
class CCrossLineTool {
 public:
  void SetView(CWnd* view) { m_pView = view; }
  void Draw(CPoint p);
  // Erases the cross where it is shown and draws it at p.
  void MoveTo(CPoint p);
  void Kill();
  BOOL IsEmpty() const { return m_point == CPoint(-1, -1); }
  CPoint GetPoint() const { return m_point; }

 private:
  CWnd* m_pView = nullptr;
  CPoint m_point = CPoint(-1, -1);
};

// The eraser square (modes 14 and 15): a rectangle of a fixed size centred on the cursor, framed one
// pixel outside the area it erases.
class CConstRectTool {
 public:
  void SetView(CWnd* view) { m_pView = view; }
  CRect CalcRect(POINT p) const;
  // The frame around CalcRect(p), while shown.
  void Draw(CPoint p);
  CRect GetCurRect() const { return CalcRect(m_centre); }
  void Show();
  void Hide();
  void SetSize(int width, int height);
  void MoveTo(CPoint p);
  BOOL IsShown() const { return m_shown; }
  CPoint GetCentre() const { return m_centre; }
  CSize GetSize() const { return CSize(m_width, m_height); }

 private:
  CWnd* m_pView = nullptr;
  // (-1, -1) until the first MoveTo: no square stands on the screen yet.
  CPoint m_centre = CPoint(-1, -1);
  int m_width = 0;
  int m_height = 0;
  int m_shown = 1;
};
