// The rubber-band tools of the form view: while the user drags out a rectangle, ellipse, circle,
// line, freehand stroke or polygon, the tool draws straight into a client DC of the view window with
// R2_NOT and the null brush, so drawing the same figure twice erases it and the page never has to be
// redrawn during the gesture. The view drives them from its mouse handlers and, at the end of a
// gesture, reads the result (a rectangle, a radius, a point list) to create the object. The tools hold
// no document data; they live as long as the view.
#pragma once
#include "Framework.h"

// Ends each stroke of a freehand signature in a point list; the freehand object reads the list in
// the same form.
const POINT kStrokeSeparator = {-9999, -9999};

// A client DC of the window for a tool to draw into, or null when there is no window (GetDC of a null
// window would give the whole screen) or no DC. The caller owns it.
CDC* NewToolDC(CWnd* window);

// floor(sqrt(dx^2 + dy^2)) of the two points, in integers.
int CalcRadius(POINT a, POINT b);
// The square around `centre` whose half side is CalcRadius(centre, p): the circle through p.
CRect CalcRect(POINT centre, POINT p);

// The tools' point list: heap copies of the points, freed with the list.
class CToolPointList : public CTypedPtrList<CPtrList, POINT*> {
 public:
  CToolPointList() : CTypedPtrList(10) {}
  ~CToolPointList() override { RemovePoints(); }
  void AddPoint(POINT p);
  void RemovePoints();

 private:
  CToolPointList(const CToolPointList&) = delete;
  CToolPointList& operator=(const CToolPointList&) = delete;
};

// Base of the rubber-band tools. The DC and pen made at the first MouseDown stay for the life of the
// tool (later gestures reuse them); the freehand tool alone gives them back when a signature ends.
class CDrawTool {
 public:
  CDrawTool() = default;
  virtual ~CDrawTool();

  // Starts a gesture at `point` (client pixels) in `window`.
  void MouseDown(CWnd* window, CPoint point);
  // Follows the mouse while a gesture is on.
  void MouseMove(CPoint point);
  // Ends the gesture; `rect` receives (start, end) as dragged, not normalised. The view releases the
  // mouse capture itself.
  void MouseUp(RECT* rect);
  // Releases the capture and gives back the DC and pen (the end of a freehand signature).
  void EndWorkingSignature();
  CPoint GetStartPoint() const { return m_start; }
  CPoint GetEndPoint() const { return m_end; }
  // Between MouseDown and MouseUp.
  BOOL IsDrawing() const { return m_drawing; }
  // From the first MouseDown on (for the freehand tool: until RemovePoints).
  BOOL IsStarted() const { return m_started; }

 protected:
  virtual void DrawBegin(CPoint point) = 0;
  virtual void DrawTo(CPoint point) = 0;
  virtual void DrawEnd() = 0;
  // Creates the client DC and the pen and prepares the DC for inverted drawing.
  void PrepareDC(CWnd* window);
  void ReleaseDC();

  CDC* m_pDC = nullptr;
  int m_penWidth = 1;
  CPen* m_pPen = nullptr;
  CPoint m_start;
  CPoint m_end;
  int m_drawing = 0;
  int m_started = 0;
  // The canvas-rectangle tool's fixed right and bottom edges and its mode.
  int m_fixedRight = 0;
  int m_fixedBottom = 0;
  int m_mode = 0;

 private:
  CDrawTool(const CDrawTool&) = delete;
  CDrawTool& operator=(const CDrawTool&) = delete;
};

// A tool whose rubber band is one figure spanned by the start point and the current point: every
// move draws the previous figure again (erasing it) and then the new one; the end erases the last.
class CRubberBandTool : public CDrawTool {
 protected:
  void DrawBegin(CPoint point) override;
  void DrawTo(CPoint point) override;
  void DrawEnd() override;
  // Draws the figure spanned by `a` and `b` into m_pDC (never null here).
  virtual void DrawFigure(CPoint a, CPoint b) = 0;

 private:
  void Figure(CPoint a, CPoint b);
};

class CDrawRect : public CRubberBandTool {
 protected:
  void DrawFigure(CPoint a, CPoint b) override;
};

class CDrawEllipse : public CRubberBandTool {
 protected:
  void DrawFigure(CPoint a, CPoint b) override;
};

// The circle of centre start through the current point; the view reads the radius.
class CDrawCircle : public CRubberBandTool {
 public:
  int GetRadius() const { return CalcRadius(m_start, m_end); }

 protected:
  void DrawFigure(CPoint a, CPoint b) override;
};

class CDrawLine : public CRubberBandTool {
 protected:
  void DrawFigure(CPoint a, CPoint b) override;
};

// A rectangle anchored at the client origin. Mode 8: a free rectangle; 4: only the right edge follows
// the mouse (the bottom stays at the fixed bottom edge); 5: only the bottom follows (the right stays
// at the fixed right edge); other modes draw nothing.
class CDrawCanvasRect : public CRubberBandTool {
 public:
  enum { kModeRightEdge = 4, kModeBottomEdge = 5, kModeFree = 8 };
  void SetMode(int mode) { m_mode = mode; }
  int GetMode() const { return m_mode; }
  void SetFixedEdges(int right, int bottom) {
    m_fixedRight = right;
    m_fixedBottom = bottom;
  }

 protected:
  void DrawBegin(CPoint point) override;
  void DrawFigure(CPoint a, CPoint b) override;
};

// One signature is a sequence of strokes (one per gesture), each a run of points ended by
// kStrokeSeparator. Strokes stay drawn until the view repaints.
class CDrawFreehand : public CDrawTool {
 public:
  void AddPoint(POINT p) { m_points.AddPoint(p); }
  // Frees the points and clears the started flag: the next gesture begins a new signature.
  void RemovePoints();
  const CToolPointList& GetPoints() const { return m_points; }

 protected:
  void DrawBegin(CPoint point) override;
  void DrawTo(CPoint point) override;
  void DrawEnd() override;

 private:
  CToolPointList m_points;
};

// The polygon tool: each click fixes a vertex (the edge to it is drawn for good with the tool's pen),
// the edge to the cursor follows as a rubber band, a double-click closes the polygon by repeating the
// first point.
class CDrawPolygon {
 public:
  CDrawPolygon() = default;
  ~CDrawPolygon();

  // Begins a polygon at `p` in `window`: DC, rubber-band pen, capture.
  void Start(CWnd* window, CPoint p);
  // Adds the vertex `p`; the first one starts the polygon.
  void MouseDown(CWnd* window, CPoint p);
  void MouseMove(CPoint p);
  void MouseDblClick();
  // Releases the capture and gives back DC and pen.
  void Stop();
  void AddPoint(POINT p) { m_points.AddPoint(p); }
  void RemovePoints() { m_points.RemovePoints(); }
  const CToolPointList& GetPoints() const { return m_points; }
  BOOL IsDrawing() const { return m_drawing; }
  // The pen the fixed edges are drawn with.
  void SetPen(int width, COLORREF colour) {
    m_penWidth = width;
    m_penColour = colour;
  }

 private:
  void DrawSegment(POINT a, POINT b);

  CDC* m_pDC = nullptr;
  int m_penWidth = 1;
  COLORREF m_penColour = 0;
  CWnd* m_pWnd = nullptr;
  CPen* m_pRubberPen = nullptr;
  CPoint m_segStart;
  CPoint m_segEnd;
  int m_drawing = 0;
  CToolPointList m_points;

  CDrawPolygon(const CDrawPolygon&) = delete;
  CDrawPolygon& operator=(const CDrawPolygon&) = delete;
};
