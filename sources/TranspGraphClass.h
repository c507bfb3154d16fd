// The base of every object edited as a box with handles (shapes, freehand, check mark, group,
// picture, barcode): the handle under a point, resizing and moving by mouse through the object's
// slots, the cursor per handle, the bounds and repaint rectangles, position save and restore for a
// cancelled drag, style fields and the undo snapshot of a box.
#pragma once
#include "TranspBaseClass.h"

// What a button-down at a point grabs (GetCapture).
enum GRAPH_CAPTURE {
  CAPTURE_NONE = 0,
  CAPTURE_BODY = 1,
  CAPTURE_LEFT_BAND = 2,
  CAPTURE_TOP_BAND = 3,
  CAPTURE_RIGHT_BAND = 4,
  CAPTURE_BOTTOM_BAND = 5,
  CAPTURE_TOP_LEFT = 6,
  CAPTURE_TOP_RIGHT = 7,
  CAPTURE_BOTTOM_RIGHT = 8,
  CAPTURE_BOTTOM_LEFT = 9,
  CAPTURE_MID_LEFT = 11,
  CAPTURE_MID_TOP = 12,
  CAPTURE_MID_RIGHT = 13,
  CAPTURE_MID_BOTTOM = 14,
};

// Handle size in client pixels; bounds are the box inflated by half of it.
constexpr int GRAPH_HANDLE_SIZE = 6;

// Handle geometry on a bounds rectangle in client pixels, shared by the classes' own GetCapture.
// The middle handle (11-14) under the point, tested right, bottom, top, left; 0 when none.
int MiddleHandleAt(const RECT& bounds, POINT p);
// The corner (6-9) where two edge bands meet under the point; 0 when none.
int CornerHandleAt(const RECT& bounds, POINT p);
// The edge band (2-5) under the point; 0 when none.
int EdgeBandAt(const RECT& bounds, POINT p);
// TRUE when the bounds leave no inner rectangle inside the edge bands.
BOOL IsInnerRectEmpty(const RECT& bounds);
// The box object's handle rule: middles, corners, bands, inner rectangle.
int GraphCaptureAt(const RECT& bounds, POINT p);
RECT NormalizedRect(const RECT& r);

// The cursor for a handle code: the move cursor for the body and the bands, the system sizing
// cursors for corners and middles; null for a code that has none.
HCURSOR GetHandleCursor(int capture);
// The program's own move cursor (resource 192), the system's four-way arrow without it.
HCURSOR GetMoveCursor();

class CTranspGraphClass : public CTranspBaseClass {
 public:
  CTranspGraphClass(CWnd* view, int pageIndex);
  ~CTranspGraphClass() override;

  RECT* GetAlignRect(RECT* out) override;                          // 24
  void GetBoundsRect(RECT* out, int arg) override;                 // 25
  void GetRepaintRect(RECT* out) override;                         // 26
  int OnLButtonDown(UINT flags, int x, int y) override;            // 29
  int OnMouseMove(UINT flags, int x, int y) override;              // 30
  void OnLButtonUp(UINT flags, int x, int y) override;             // 31
  void MoveBy(int dx, int dy) override;                            // 38
  using CTranspBaseClass::MoveBy;
  void SavePosition() override;                                    // 46
  void RestorePosition() override;                                 // 47
  void SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* fieldId,
                      int repaint) override;                       // 51
  void SetUndoState(const CUndoState& state) override;             // 59
  CUndoState GetUndoState() override;                              // 60

  virtual void Resize(int dx, int dy);                             // 65, units
  virtual void SetObjectCursor(POINT point);                       // 66, client pixels
  virtual int GetCapture(POINT point);                             // 67, GRAPH_CAPTURE

  int GetCaptureCode() const { return m_capture; }
  int IsTracking() const { return m_tracking; }
  int IsKeepAspect() const { return m_keepAspect; }
  double GetAspectRatio() const { return m_aspectRatio; }
  void SetRect(const RECT& rect) { m_rect = rect; }

 protected:
  // The normalized unit rectangle `units` in client pixels, inflated by half a handle.
  void UnitsToBounds(const RECT& units, RECT* out);
  // The graphic base's repaint rectangle: the bounds inflated by the pen's reach or 4 pixels.
  void GraphRepaintRect(RECT* out);
  // The box of the shape in view pixels for the screen, or in device pixels for print.
  RECT DeviceRect(const RECT& units, int print, CDC* dc, const POINT* dpi);
  POINT DevicePoint(int x, int y, int print, CDC* dc, const POINT* dpi);
  // After a change of geometry: repaint the old and new places; mark modified when it moved.
  void AfterGeometryChange(const RECT& repaintBefore, int dx, int dy);
  // Clears the view window's class cursor so that the one set for a handle stays.
  void ClearViewClassCursor();
  // Geometry of a subclass beyond the box, kept and put back with the position for a cancelled drag.
  virtual void SaveOwnGeometry();
  virtual void RestoreOwnGeometry();
  // Draws the state frame that applies (selected, frozen, focused) on the screen; `box` in view pixels.
  void DrawStateFrame(CDC* dc, const RECT& box);
  virtual void DrawFocusHandles(CDC* dc, const RECT& box);

  double m_aspectRatio;
  int m_keepAspect;
  int m_capture;
};
