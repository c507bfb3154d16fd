// The check mark: a fillable square box that shows a tick or a cross when checked. It is a field
// (its state is its value in the page's data table), toggles by a click, Space or Enter, forms
// radio groups with check marks of the same positive group number on its page, and is stored as
// document record tag 2 and object data type 7.
#pragma once
#include <cstddef>
#include <cstdint>

#include "TranspGraphClass.h"

// ---- Stored forms ----

#pragma pack(push, 4)
// The fixed record structure; the pen style is not stored.
struct CHECKMARK_RECORD {
  TRANSP_RECORD_HEAD head;
  int32_t rect[4];      // left, top, right, bottom (units)
  uint32_t color;       // 0xFFFFFFFF reads as black
  int32_t lineWidth;
  int32_t pageIndex;
  int32_t kind;         // from version 3
  int32_t printable;    // from version 4
  int32_t group;        // from version 5
  int32_t state;        // from version 2
  int32_t zero60;
};
static_assert(sizeof(CHECKMARK_RECORD) == 64, "check-mark record structure is 64 bytes");
static_assert(offsetof(CHECKMARK_RECORD, kind) == 44 && offsetof(CHECKMARK_RECORD, group) == 52 &&
                  offsetof(CHECKMARK_RECORD, state) == 56,
              "check-mark record fields");

// Object data after the common head. Older blocks are prefixes of it: versions 1 and 2 end after
// the pen style (version 2 with the state), version 3 after the kind.
struct CHECKMARK_DATA {
  int32_t rect[4];
  int32_t lineWidth;
  uint32_t color;
  int32_t penStyle;
  int32_t state;
  int32_t kind;
  int32_t group;
};
static_assert(sizeof(CHECKMARK_DATA) == 40, "check-mark data is 40 bytes");
#pragma pack(pop)

enum {
  CHECKMARK_RECORD_LENGTH = 68,  // L: S and the structure
  CHECKMARK_RECORD_VERSION = 5,
  CHECKMARK_DATA_VERSION = 4,
};

// The mark inside a box in device pixels: a tick (kind != 0) as two filled strokes sharing their
// bottom vertex, a cross as two lines over the centred square. Nothing for an empty box.
void PaintCheckMark(CDC* dc, const RECT& square, int width, COLORREF color, int kind);

class CTranspCheckMark : public CTranspGraphClass {
 public:
  CTranspCheckMark(CWnd* view, int pageIndex);
  // A tool's new check mark at (x, y) (units): the last focused check mark's width as its side, at
  // least 20 page pixels; printable, in no group.
  CTranspCheckMark(CWnd* view, int x, int y, const _OBJECT_STYLE* style, int pageIndex);
  // From object data: its box's top-left corner at (x, y).
  CTranspCheckMark(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);

  void Serialize(CArchive& ar) override;                                 // 2
  void DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg) override;      // 23
  void Draw(CDC* dc, int print, POINT* dpi) override;                    // 27
  int OnLButtonDown(UINT flags, int x, int y) override;                  // 29
  int OnMouseMove(UINT flags, int x, int y) override;                    // 30
  void OnLButtonUp(UINT flags, int x, int y) override;                   // 31
  void OnChar(UINT ch, UINT repeat, UINT flags) override;                // 33
  HGLOBAL GetObData() override;                                          // 42
  void GetProperties(_PROPERTIES* out) override;                         // 48
  void SetProperties(_PROPERTIES properties) override;                   // 49
  void SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* fieldId,
                      int repaint) override;                             // 51
  int GetObjectKind() override;                                          // 52
  CVariant& GetValue() override;                                         // 53
  void SetValue(CVariant value) override;                                // 54
  void StoringVIZ(CVizConverter* converter) override;                    // 55
  void SetUndoState(const CUndoState& state) override;                   // 59
  CUndoState GetUndoState() override;                                    // 60
  int IsField() override;                                                // 63
  void Resize(int dx, int dy) override;                                  // 65
  void SetObjectCursor(POINT point) override;                            // 66
  int GetCapture(POINT point) override;                                  // 67

  // A click or key: a check box flips as one undo step; a radio button that is not checked checks
  // itself and unchecks its group; a mirrored one then hands its state to its namesakes.
  void InvertState();
  void DrawCheckMark(CDC* dc, const RECT& square, int width, COLORREF color);
  // Sets the state as it is (the view's radio handling records the change itself) and repaints.
  void SetState(int state);
  int GetState() const { return m_state; }
  int GetKind() const { return m_style.checkMarkKind; }
  int GetGroup() const { return m_style.checkMarkGroup; }

  // The size of the next new check mark in inches: that of the last focused one drawn on screen.
  static void GetDefaultSize(double& width, double& height);
  static void SetDefaultSize(double width, double height);

 private:
  // Runs a change made since `before` as one command of the view's active page (applied directly
  // without one), marks the document modified and repaints.
  void RecordChange(const CUndoState& before);
  // The pen width of the mark: view pixels on the screen, device pixels in print; at least 1.
  int MarkPenWidth(int print, CDC* dc, const POINT* dpi);
  // The dithered field highlight of form mode inside the box (view pixels).
  void DrawHighlight(CDC* dc, const RECT& box);
  void DrawOutline(CDC* dc, const RECT& box, BOOL formMode);
  // Page pixels as a length in units.
  int PageLengthToUnits(int pixels);
  // After a drag: the box square at its top-left corner, at least 10 page pixels a side.
  void MakeSquare();

  int m_state;
  LOGBRUSH m_highlightBrush;

  static double s_defaultWidth;
  static double s_defaultHeight;
  // Set at button-down on a check mark; a move away from the press point clears it, so only a
  // click toggles.
  static int s_click;
  static POINT s_clickPoint;
};

// The radio rule on a page's list: every live check mark of `group` is recorded and becomes checked
// only if it is `chosen`, all as one undo step of `manager` (applied without undo when null).
void InvertCheckMarkGroup(CTranspObjectList& list, CommandManagerT* manager, CFolimarView* view, int group,
                          CTranspBaseClass* chosen);
