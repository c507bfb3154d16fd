// The form view's mouse and keyboard by program mode: the hit test, the drawing tools that end in a
// new object, select mode with its rubber band, Ctrl toggle and group move, the crop tools, tab-order
// and form-filling modes, the keys of the focused object and the context menus.
#include <algorithm>
#include <cmath>

#include "EraseList.h"
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "TranspBlock.h"
#include "TranspBarcode.h"
#include "TranspCheckMark.h"
#include "TranspFreehand.h"
#include "TranspGraphClass.h"
#include "TranspImage.h"
#include "TranspShapes.h"
#include "TranspText.h"
#include "UndoCommands.h"
#include "resource.h"

namespace {

enum {
  kModeTextField = 1, kModeCheckMark = 2, kModeCrop = 3, kModeRotation = 4, kModeRectangle = 6, kModeCircle = 7,
  kModeEllipse = 8, kModePolygon = 9, kModeLine = 10, kModeFreehand = 11, kModeSelect = 12,
  kModeEraser = 14, kModeUneraser = 15, kModeMoveImage = 17, kModeWhite = 19, kModeBlack = 20, kModeTabOrder = 22, kModeForm = 23,
  kModeLabel = 24, kModePicture = 25, kModeBarcode = 26
};

BOOL IsCropMode(int mode) { return mode == kModeCrop || mode == kModeWhite || mode == kModeBlack; }

// Modes whose presses go to the objects and the drawing tools.
BOOL IsObjectMode(int mode) {
  return mode == kModeTextField || mode == kModeCheckMark || (mode >= kModeRectangle && mode <= kModeFreehand) ||
         (mode >= kModeTabOrder && mode <= kModeBarcode);
}

CTranspText* AsText(CTranspBaseClass* object) { return dynamic_cast<CTranspText*>(object); }

BOOL IsTextOrCheckMark(CTranspBaseClass* object) {
  return AsText(object) != nullptr || dynamic_cast<CTranspCheckMark*>(object) != nullptr;
}

HCURSOR ResourceCursor(UINT id) {
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(id), RT_GROUP_CURSOR);
  HCURSOR cursor = module != nullptr ? ::LoadCursorW(module, MAKEINTRESOURCEW(id)) : nullptr;
  return cursor != nullptr ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
}

// The mode a double-click in select mode switches to for the object's kind; 0 keeps the mode.
int ModeOfKind(CTranspBaseClass* object) {
  CTranspText* text = AsText(object);
  if (text != nullptr) return text->IsLabel() ? kModeLabel : kModeTextField;
  if (dynamic_cast<CTranspCheckMark*>(object) != nullptr) return kModeCheckMark;
  CTranspFreehand* freehand = dynamic_cast<CTranspFreehand*>(object);
  if (freehand != nullptr) return freehand->IsPolygon() ? kModePolygon : kModeFreehand;
  // A circle is an ellipse: the narrower class first.
  if (dynamic_cast<CTranspCircle*>(object) != nullptr) return kModeCircle;
  if (dynamic_cast<CTranspEllipse*>(object) != nullptr) return kModeEllipse;
  if (dynamic_cast<CTranspImage*>(object) != nullptr) return kModePicture;
  if (dynamic_cast<CTranspLine*>(object) != nullptr) return kModeLine;
  if (dynamic_cast<CTranspRectangle*>(object) != nullptr) return kModeRectangle;
  if (dynamic_cast<CTranspBarcode*>(object) != nullptr) return kModeBarcode;
  return 0;
}

}  // namespace

int CFolimarView::GetProgramMode() const {
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr ? frame->GetProgramMode() : 0;
}

CRect CFolimarView::GetPageRect() const {
  DEF_TRY
  const SIZE page = GetGeometry().m_pageExtent;
  CRect rc(0, 0, page.cx, page.cy);
  PageToClient(&rc);
  return rc;
  DEF_CATCH("CFolimarView::GetPageRect")
  return CRect();
}

CPoint CFolimarView::RoundedPoint(CPoint point, BOOL snap) {
  POINT p = point;
  ClientToPage(&p);
  PageToClient(&p);
  if (snap) SnapToGrid(&p);
  return p;
}

// ---- Hit test, selection, snapping ----

CTranspBaseClass* CFolimarView::PtInObject(POINT point) {
  DEF_TRY
  if (m_pObjects == nullptr) return nullptr;
  const int mode = GetProgramMode();
  const int formMode = mode == kModeForm ? 1 : 0;
  for (POSITION pos = m_pObjects->GetTailPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetPrev(pos);
    if (object->IsDeleted() || object->IsFrozen() || !object->PtInBox(&point, formMode)) continue;
    const BOOL field = object->IsField() != 0;
    switch (mode) {
      case kModeTabOrder:
        if (field) return object;
        break;
      case kModeForm: {
        // A calculated field cannot be entered, and it hides what lies under it.
        CTranspText* text = AsText(object);
        if (text != nullptr && text->HasFormula()) return nullptr;
        if (field) return object;
        break;
      }
      case kModeTextField:
      case kModeCheckMark:
        if (field) return object;
        break;
      case kModeSelect:
        return object;
      default:
        if (!field) return object;
        break;
    }
  }
  return nullptr;
  DEF_CATCH("CFolimarView::PtInObject")
  return nullptr;
}

CTranspBaseClass* CFolimarView::HitWithActiveRule(POINT point) {
  CTranspBaseClass* hit = PtInObject(point);
  if (hit == nullptr) return nullptr;
  CTranspBaseClass* active = GetActiveObject();
  if (active != nullptr) {
    RECT bounds = {0, 0, 0, 0};
    active->GetBoundsRect(&bounds, 0);
    if (::PtInRect(&bounds, point)) return active;
  }
  return hit;
}

int CFolimarView::GetSelectedObjectsCount() const {
  int count = 0;
  if (m_pObjects == nullptr) return 0;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object->IsSelected() && !object->IsDeleted()) ++count;
  }
  return count;
}

CRect CFolimarView::GetGroupFrameRect() const {
  DEF_TRY
  CRect frame;
  if (m_pObjects == nullptr) return frame;
  BOOL first = TRUE;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (!object->IsSelected() || object->IsDeleted()) continue;
    RECT r;
    object->GetAlignRect(&r);
    if (first)
      frame = r;
    else
      frame.UnionRect(frame, &r);
    first = FALSE;
  }
  return frame;
  DEF_CATCH("CFolimarView::GetGroupFrameRect")
  return CRect();
}

void CFolimarView::SelectObjects(const RECT* rect) {
  DEF_TRY
  if (m_pObjects == nullptr || rect == nullptr) return;
  CMainFrame* frame = GetMainFrame();
  _OBJECT_STYLE style = {};
  _PROPERTIES properties;
  if (frame != nullptr) {
    frame->GetTextStyleSettings(&style);
    properties = frame->GetDefaultProperties();
  }
  int kinds = 0;
  BOOL first = TRUE;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object->IsFrozen() || object->IsDeleted()) continue;
    RECT r, meet;
    object->GetAlignRect(&r);
    UnitToPage(&r);
    PageToClient(&r);
    CRect onScreen(r);
    onScreen.NormalizeRect();
    // A line lies along one axis: its rectangle has no area but still meets the band.
    onScreen.InflateRect(onScreen.Width() == 0 ? 1 : 0, onScreen.Height() == 0 ? 1 : 0);
    if (!::IntersectRect(&meet, &onScreen, rect)) continue;
    object->SetSelected(1);
    kinds |= object->GetObjectKind();
    if (first) {
      object->GetObjectStyle(&style);
      object->GetProperties(&properties);
      first = FALSE;
    }
  }
  SetPropertyList(properties, style, kinds);
  DEF_CATCH("CFolimarView::SelectObjects")
}

void CFolimarView::SnapToGrid(POINT* point) {
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  if (point == nullptr || frame == nullptr || !frame->IsSnapToGrid()) return;
  const int stepX = frame->GetGridStepX(), stepY = frame->GetGridStepY();
  if (stepX <= 0 || stepY <= 0) return;
  ClientToPage(point);
  PageToUnit(point);
  point->x = stepX * (point->x / stepX);
  point->y = stepY * (point->y / stepY + 1);
  UnitToPage(point);
  PageToClient(point);
  DEF_CATCH("CFolimarView::SnapToGrid")
}

void CFolimarView::MoveGroupBy(POINT delta) {
  DEF_TRY
  if (m_pObjects == nullptr) return;
  POINT d = delta;
  // The delta is a length: convert it from the origin so that the scroll position drops out.
  POINT origin = {0, 0};
  ViewToPage(&d);
  ViewToPage(&origin);
  PageToUnit(&d);
  PageToUnit(&origin);
  d.x -= origin.x;
  d.y -= origin.y;
  POINT last = m_groupLast;
  PageToClient(&last);
  CRect client;
  GetClientRect(&client);
  const BOOL inside = client.PtInRect(last);
  const BOOL group = IsGroupSelected();
  BOOL dragGroup = FALSE;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (!object->IsSelected() || object->IsDeleted()) continue;
    if (inside) {
      object->MoveBy(d.x, d.y);
    } else if (m_moveDrag) {
      // Leaving the window turns the move into a drag and drop: the objects go back first.
      object->RestorePosition();
      if (group) {
        dragGroup = TRUE;
      } else {
        m_moveDrag = FALSE;
        m_groupMove = FALSE;
        Invalidate(FALSE);
        object->BeginDrag();
      }
    }
  }
  if (dragGroup) {
    m_moveDrag = FALSE;
    m_groupMove = FALSE;
    Invalidate(FALSE);
    CTranspBlock block(this, m_activePage);
    FillBlockFromSelection(block, *m_pObjects);
    block.BeginDrag();
  }
  DEF_CATCH("CFolimarView::MoveGroupBy")
}

// ---- Focus ----

int CFolimarView::ActivateObject(CTranspBaseClass* object) {
  DEF_TRY
  if (object == nullptr) return 0;
  object->SetFocused(1);
  if (GetProgramMode() == kModeTabOrder) {
    // Each click hands out the next index; objects already numbered at or below it keep theirs.
    if (m_tabOrderCounter < object->GetTabOrderIndex()) {
      ++m_tabOrderCounter;
      SetTabOrder(m_tabOrderCounter);
    }
    return m_tabOrderCounter;
  }
  _PROPERTIES properties;
  _OBJECT_STYLE style = {};
  object->GetProperties(&properties);
  object->GetObjectStyle(&style);
  SetPropertyList(properties, style, object->GetObjectKind());
  return 0;
  DEF_CATCH("CFolimarView::ActivateObject")
  return 0;
}

CTranspBaseClass* CFolimarView::DeactivateObject(CTranspBaseClass* object) {
  DEF_TRY
  if (object != nullptr) object->SetFocused(0);
  return object;
  DEF_CATCH("CFolimarView::DeactivateObject")
  return nullptr;
}

void CFolimarView::SetPropertyList(const _PROPERTIES& properties, const _OBJECT_STYLE& style, int kindBits) {
  DEF_TRY
  if (style.font.lfHeight != 0) m_focusedStyle = style;
  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr) frame->SetPropertyList(properties, &style, &kindBits);
  DEF_CATCH("CFolimarView::SetPropertyList")
}

void CFolimarView::UpdatePropertyList() {
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  _PROPERTIES properties;
  _OBJECT_STYLE style = {};
  if (frame != nullptr) frame->GetTextStyleSettings(&style);
  int kinds = 0;
  CTranspBaseClass* chosen = GetActiveObject();
  if (chosen == nullptr && GetProgramMode() == kModeSelect && m_pObjects != nullptr) {
    for (POSITION pos = m_pObjects->GetHeadPosition(); pos && chosen == nullptr;) {
      CTranspBaseClass* object = m_pObjects->GetNext(pos);
      if (object->IsSelected() && !object->IsDeleted()) chosen = object;
    }
  }
  if (chosen != nullptr) {
    kinds = chosen->GetObjectKind();
    chosen->GetProperties(&properties);
    chosen->GetObjectStyle(&style);
  }
  SetPropertyList(properties, style, kinds);
  DEF_CATCH("CFolimarView::UpdatePropertyList")
}

void CFolimarView::ProcessTabKey(BOOL forward) {
  DEF_TRY
  if (m_pObjects == nullptr || m_pObjects->GetCount() <= 1) return;
  const int mode = GetProgramMode();
  const BOOL fields = mode == kModeTextField || mode == kModeCheckMark || mode == kModeForm;
  const BOOL shapes = (mode >= kModeRectangle && mode <= kModeFreehand) || (mode >= kModeLabel && mode <= kModeBarcode);
  if (!fields && !shapes) return;
  CArray<CTranspBaseClass*, CTranspBaseClass*> candidates;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object->IsDeleted() || object->IsFrozen()) continue;
    const BOOL field = object->IsField() != 0;
    if (fields != field) continue;
    if (mode == kModeForm && AsText(object) != nullptr && AsText(object)->HasFormula()) continue;
    candidates.Add(object);
  }
  const int count = static_cast<int>(candidates.GetSize());
  if (count == 0) return;
  CTranspBaseClass* active = GetActiveObject();
  if (count == 1) {
    DeactivateActiveObject();
    return;
  }
  int index = -1;
  for (int i = 0; i < count; ++i)
    if (candidates[i] == active) index = i;
  int next;
  if (active == nullptr)
    next = forward ? 0 : count - 1;
  else if (index < 0)
    next = forward ? 1 : count - 2;
  else
    next = forward ? (index + 1) % count : (index + count - 1) % count;
  CTranspBaseClass* chosen = candidates[next];
  DeactivateObject(active);
  ActivateObject(chosen);
  CTranspText* text = AsText(chosen);
  if (text != nullptr) text->SetCaretPosition(0);
  RECT r;
  chosen->GetAlignRect(&r);
  UnitToPage(&r);
  PageToView(&r);
  ScrollToRect(r, forward ? 1 : 0);
  DEF_CATCH("CFolimarView::ProcessTabKey")
}

void CFolimarView::ScrollToRect(const RECT& rect, int direction) {
  DEF_TRY
  if (m_hWnd == nullptr) return;
  CRect client;
  GetClientRect(&client);
  const CPoint scroll = GetDeviceScrollPosition();
  CRect visible(scroll, client.Size());
  CRect r(rect);
  r.NormalizeRect();
  CRect inside;
  inside.IntersectRect(r, visible);
  if (inside == r) return;
  CRect both;
  both.UnionRect(r, visible);
  const int w = visible.Width(), h = visible.Height();
  const int dx = both.Width() - w + 5;
  const int dy = inside.IsRectEmpty() ? both.Height() - r.Height() - h / 2 : both.Height() - h + 5;
  CPoint target = scroll;
  if (both.top != visible.top || both.bottom != visible.bottom) {
    if (direction == 1)
      target.y = scroll.y + both.Height() - h + 5;
    else if (r.Height() > h)
      target.y = r.top - 5;
    else if (both.top != visible.top)
      target.y = scroll.y - dy;
    else if (both.bottom != visible.bottom)
      target.y = scroll.y + dy;
  }
  if (both.left != visible.left || both.right != visible.right) {
    if (direction == 2)
      target.x = scroll.x + dx;
    else if (r.Width() > w)
      target.x = r.left - 5;
    else if (both.left != visible.left)
      target.x = scroll.x - dx;
    else if (both.right != visible.right)
      target.x = scroll.x + dx;
  }
  if (target != scroll) {
    ScrollToPosition(CPoint(std::max(0L, static_cast<long>(target.x)), std::max(0L, static_cast<long>(target.y))));
    Invalidate(TRUE);
  }
  DEF_CATCH("CFolimarView::ScrollToRect")
}

// ---- Eraser ----

BOOL CFolimarView::TrackEraser(CPoint point) {
  DEF_TRY
  CRect client;
  GetClientRect(&client);
  if (GetCapture() == this && !client.PtInRect(point)) {
    m_eraser.Hide();
    if (!m_buttonDown) ::ReleaseCapture();
    return FALSE;
  }
  if (GetCapture() != this) {
    SetCapture();
    CMainFrame* frame = GetMainFrame();
    const double zoom = GetViewScale();
    const int size = frame != nullptr ? frame->GetEraseSize() : 1;
    const int side = std::max(1, static_cast<int>(zoom > 0 ? size * zoom : size / -zoom));
    m_eraser.SetView(this);
    m_eraser.SetSize(side, side);
    m_eraser.Show();
  }
  m_eraser.MoveTo(RoundedPoint(point, FALSE));
  return TRUE;
  DEF_CATCH("CFolimarView::TrackEraser")
  return FALSE;
}

BOOL CFolimarView::EraseUnderSquare(BOOL restore) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  CEraseList* list = doc != nullptr ? doc->GetErasedList(m_activePage) : nullptr;
  if (list == nullptr) return FALSE;
  const CRect square = m_eraser.GetCurRect();
  RECT r = square;
  ClientToPage(&r);
  // Page pixels to image dots in floating point: an integer ratio of two resolutions (96 / 300) is 0.
  const SIZE image = ActivePageResolution();
  const double fx = static_cast<double>(image.cx) / m_geometry.m_dpiX;
  const double fy = static_cast<double>(image.cy) / m_geometry.m_dpiY;
  const RECT dots = {static_cast<LONG>(std::floor(r.left * fx)), static_cast<LONG>(std::floor(r.top * fy)),
                     static_cast<LONG>(std::ceil(r.right * fx)), static_cast<LONG>(std::ceil(r.bottom * fy))};
  const BOOL changed = restore ? list->AddUnerased(dots) : list->AddErased(dots);
  if (!changed) return FALSE;
  SetModified();
  m_eraser.Hide();
  CRect area = square;
  area.InflateRect(1, 1);
  InvalidateRect(&area, FALSE);
  UpdateWindow();
  m_eraser.Show();
  return TRUE;
  DEF_CATCH("CFolimarView::EraseUnderSquare")
  return FALSE;
}

// ---- Left button ----

void CFolimarView::OnLButtonDown(UINT flags, CPoint point) {
  DEF_TRY
  m_lastDown = point;
  if (!GetPageRect().PtInRect(point)) return;
  SetFocus();
  SetCapture();
  m_buttonDown = TRUE;
  const int mode = GetProgramMode();
  if (IsCropMode(mode)) {
    m_cropTool.MouseDown(RoundedPoint(point, FALSE));
  } else if (mode == kModeRotation) {
    OnLButtonDownRefPoint(point);
  } else if (mode == kModeSelect) {
    OnLButtonDownSelect(flags, point);
  } else if (mode == kModeEraser || mode == kModeUneraser) {
    TrackEraser(point);
    EraseUnderSquare(mode == kModeUneraser);
  } else if (mode == kModeMoveImage) {
    CPageInfo* page = GetDocument() != nullptr ? GetDocument()->GetPage(m_activePage) : nullptr;
    if (page != nullptr) page->m_previousImagePosition = page->m_imagePosition;
    m_imageDrag = TRUE;
    m_imageLast = point;
    ClientToPage(&m_imageLast);
    ::SetCursor(ResourceCursor(IDC_CURSOR_HAND_CLOSED));
  } else if (mode == kModeForm) {
    if (IsTextOrCheckMark(HitWithActiveRule(point)))
      OnLButtonDownObject(flags, point);
    else
      DeactivateActiveObject();
  } else if (IsObjectMode(mode)) {
    OnLButtonDownObject(flags, point);
  }
  DEF_CATCH("CFolimarView::OnLButtonDown")
}

// Mode 4: a press on a reference point grabs it; elsewhere it places a point, or with two placed
// already takes both away.
void CFolimarView::OnLButtonDownRefPoint(CPoint point) {
  DEF_TRY
  CRefPointTool* hit = GetRefPointFromPoint(point.x, point.y);
  if (hit != nullptr) {
    m_pMovingRefPoint = hit;
    hit->StartMove(RoundedPoint(point, FALSE));
  } else if (m_refPointTools.GetCount() >= 2) {
    DeleteRefPoints(TRUE);
  } else {
    POINT page = RoundedPoint(point, FALSE);
    ClientToPage(&page);
    AddRefPoint(page);
  }
  DEF_CATCH("CFolimarView::OnLButtonDownRefPoint")
}

void CFolimarView::OnLButtonDownObject(UINT flags, CPoint point) {
  DEF_TRY
  const int mode = GetProgramMode();
  if (m_drawFreehand.IsStarted()) {
    m_drawFreehand.MouseDown(this, RoundedPoint(point, TRUE));
    return;
  }
  if (m_drawPolygon.IsDrawing()) {
    m_drawPolygon.MouseDown(this, RoundedPoint(point, TRUE));
    return;
  }
  CTranspBaseClass* object = HitWithActiveRule(point);
  if (object != nullptr) {
    DeselectObjects();
    // A text object takes the focus on its own press: the old one goes first, the new one is
    // activated after (in tab-order mode that hands out its index).
    CTranspBaseClass* active = GetActiveObject();
    if (active != object) DeactivateObject(active);
    const CUndoState before = object->GetUndoState();
    if (object->OnLButtonDown(flags, point.x, point.y)) {
      m_pCaptured = object;
      m_capturedState = before;
    } else {
      m_buttonDown = FALSE;
      m_pCaptured = nullptr;
    }
    if (active != object) ActivateObject(object);
    return;
  }
  if (GetSelectedObjectsCount() > 1) {
    DeselectObjects();
    return;
  }
  DeactivateActiveObject();
  const CPoint p = RoundedPoint(point, TRUE);
  switch (mode) {
    case kModeTextField: CreateTextBox(nullptr, p, 1); break;
    case kModeCheckMark: CreateCheckMark(p, 1); break;
    case kModeLabel: CreateLabel(nullptr, p, 1); break;
    case kModeBarcode: CreateBarcode(p, 1); break;
    case kModeRectangle: m_drawRect.MouseDown(this, p); break;
    case kModeCircle: m_drawCircle.MouseDown(this, p); break;
    case kModeEllipse: m_drawEllipse.MouseDown(this, p); break;
    case kModeLine: m_drawLine.MouseDown(this, p); break;
    case kModeFreehand: m_drawFreehand.MouseDown(this, p); break;
    case kModePolygon: m_drawPolygon.MouseDown(this, p); break;
    default: break;
  }
  // A press that made an object at once has nothing to drag.
  if (mode == kModeTextField || mode == kModeCheckMark || mode == kModeLabel || mode == kModeBarcode)
    m_buttonDown = FALSE;
  DEF_CATCH("CFolimarView::OnLButtonDownObject")
}

void CFolimarView::OnLButtonDownSelect(UINT flags, CPoint point) {
  DEF_TRY
  CTranspBaseClass* object = PtInObject(point);
  if (object == nullptr) {
    DeselectObjects();
    DeactivateActiveObject();
    m_rubberBand = TRUE;
    m_drawRect.MouseDown(this, RoundedPoint(point, FALSE));
    return;
  }
  if (flags & MK_CONTROL) {
    object->SetSelected(object->IsSelected() ? 0 : 1);
    return;
  }
  if (object->IsSelected()) {
    m_groupMove = TRUE;
    m_moveDrag = TRUE;
    m_groupLast = point;
    ClientToPage(&m_groupLast);
    for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
      CTranspBaseClass* each = m_pObjects->GetNext(pos);
      if (!each->IsSelected() || each->IsDeleted()) continue;
      each->SavePosition();
      each->SaveUndoState();
    }
    return;
  }
  DeselectObjects();
  object->SetSelected(1);
  CTranspBaseClass* active = GetActiveObject();
  if (active != nullptr && active != object) DeactivateObject(active);
  _PROPERTIES properties;
  _OBJECT_STYLE style = {};
  object->GetProperties(&properties);
  object->GetObjectStyle(&style);
  SetPropertyList(properties, style, object->GetObjectKind());
  DEF_CATCH("CFolimarView::OnLButtonDownSelect")
}

void CFolimarView::OnMouseMove(UINT flags, CPoint point) {
  DEF_TRY
  if (m_drawFreehand.IsStarted() && !m_trackingLeave) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    m_trackingLeave = ::TrackMouseEvent(&track);
  }
  const int mode = GetProgramMode();
  if (mode == kModeMoveImage) {
    if (m_imageDrag) {
      ::SetCursor(ResourceCursor(IDC_CURSOR_HAND_CLOSED));
      POINT p = point;
      ClientToPage(&p);
      MoveImage(p.x - m_imageLast.x, p.y - m_imageLast.y);
      m_imageLast = p;
    } else {
      ::SetCursor(ResourceCursor(IDC_CURSOR_HAND_OPEN));
    }
    return;
  }
  if (IsCropMode(mode)) {
    if (m_buttonDown) m_cropTool.MouseMove(RoundedPoint(point, FALSE));
    return;
  }
  if (mode == kModeRotation) {
    if (m_pMovingRefPoint != nullptr)
      m_pMovingRefPoint->Move(RoundedPoint(point, FALSE));
    else if (GetRefPointFromPoint(point.x, point.y) != nullptr)
      ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return;
  }
  if (mode == kModeEraser || mode == kModeUneraser) {
    if (TrackEraser(point) && m_buttonDown) EraseUnderSquare(mode == kModeUneraser);
    return;
  }
  if (mode == kModePolygon && m_drawPolygon.IsDrawing()) {
    m_drawPolygon.MouseMove(RoundedPoint(point, TRUE));
    return;
  }
  if (mode == kModeSelect) {
    OnMouseMoveSelect(flags, point);
    return;
  }
  if (mode == kModeTabOrder) return;
  if (IsObjectMode(mode)) OnMouseMoveObject(flags, point);
  DEF_CATCH("CFolimarView::OnMouseMove")
}

void CFolimarView::OnMouseMoveObject(UINT flags, CPoint point) {
  DEF_TRY
  const int mode = GetProgramMode();
  if (!m_buttonDown) {
    if (m_drawFreehand.IsStarted()) return;
    CTranspBaseClass* object = HitWithActiveRule(point);
    if (mode == kModeForm) {
      CTranspText* text = AsText(object);
      if (text != nullptr && !text->IsLabel())
        text->OnMouseMove(flags, point.x, point.y);
      else
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    } else if (object != nullptr) {
      object->OnMouseMove(flags, point.x, point.y);
    }
    return;
  }
  if (m_pCaptured != nullptr) {
    if (mode == kModeForm && AsText(m_pCaptured) == nullptr) return;
    if (!m_pCaptured->OnMouseMove(flags, point.x, point.y)) {
      m_buttonDown = FALSE;
      m_pCaptured = nullptr;
    }
    return;
  }
  switch (mode) {
    case kModeRectangle: m_drawRect.MouseMove(point); break;
    case kModeCircle: m_drawCircle.MouseMove(point); break;
    case kModeEllipse: m_drawEllipse.MouseMove(point); break;
    case kModeLine: m_drawLine.MouseMove(point); break;
    case kModeFreehand: m_drawFreehand.MouseMove(point); break;
    default: break;
  }
  return;
  DEF_CATCH("CFolimarView::OnMouseMoveObject")
  m_buttonDown = FALSE;
  m_pCaptured = nullptr;
}

void CFolimarView::OnMouseMoveSelect(UINT flags, CPoint point) {
  DEF_TRY
  if (m_rubberBand) {
    m_drawRect.MouseMove(CPoint(point.x + 1, point.y + 1));
    return;
  }
  if (m_groupMove) {
    POINT last = m_groupLast;
    PageToClient(&last);
    m_groupLast = point;
    ClientToPage(&m_groupLast);
    MoveGroupBy(CPoint(point.x - last.x, point.y - last.y));
    return;
  }
  if ((flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
    CTranspBaseClass* object = PtInObject(point);
    if (object != nullptr && object->IsSelected()) ::SetCursor(ResourceCursor(IDC_CURSOR_MOVE));
  }
  DEF_CATCH("CFolimarView::OnMouseMoveSelect")
}

void CFolimarView::OnLButtonUp(UINT flags, CPoint point) {
  DEF_TRY
  m_lastUp = point;
  if (m_imageDrag) {
    ::SetCursor(ResourceCursor(IDC_CURSOR_HAND_OPEN));
    m_imageDrag = FALSE;
  }
  if (!m_drawFreehand.IsStarted()) ::ClipCursor(nullptr);
  if (m_buttonDown) {
    const int mode = GetProgramMode();
    if (IsCropMode(mode))
      m_cropTool.MouseUp();
    else if (mode == kModeRotation && m_pMovingRefPoint != nullptr) {
      m_pMovingRefPoint->StopMove();
      RepaintRefPoint(m_pMovingRefPoint);
      m_pMovingRefPoint = nullptr;
    } else if (mode == kModeSelect)
      OnLButtonUpSelect(flags, point);
    else if (mode == kModeMoveImage && point != m_lastDown)
      RecordImageMove();
    else if (IsObjectMode(mode))
      OnLButtonUpObject(flags, point);
  }
  m_buttonDown = FALSE;
  // A freehand signature keeps the mouse between its strokes.
  if (GetCapture() == this && !m_drawFreehand.IsStarted() && !m_drawPolygon.IsDrawing()) ::ReleaseCapture();
  DEF_CATCH("CFolimarView::OnLButtonUp")
}

void CFolimarView::OnLButtonUpObject(UINT flags, CPoint point) {
  DEF_TRY
  const int mode = GetProgramMode();
  if (m_pCaptured == nullptr) {
    RECT r = {0, 0, 0, 0};
    switch (mode) {
      case kModeRectangle:
      case kModeEllipse: {
        CDrawTool& tool = mode == kModeRectangle ? static_cast<CDrawTool&>(m_drawRect) : m_drawEllipse;
        if (!tool.IsDrawing()) break;
        tool.MouseUp(&r);
        CRect band(r);
        band.NormalizeRect();
        if (band.IsRectEmpty()) break;
        if (mode == kModeRectangle)
          CreateRectangle(band, 1);
        else
          CreateEllipse(band, 1);
        break;
      }
      case kModeCircle:
        if (!m_drawCircle.IsDrawing()) break;
        m_drawCircle.MouseUp(&r);
        if (m_drawCircle.GetRadius() != 0) CreateCircle(m_drawCircle.GetStartPoint(), m_drawCircle.GetRadius(), 1);
        break;
      case kModeLine:
        if (!m_drawLine.IsDrawing()) break;
        m_drawLine.MouseUp(&r);
        if (m_drawLine.GetStartPoint() != m_drawLine.GetEndPoint())
          CreateLine(m_drawLine.GetStartPoint(), m_drawLine.GetEndPoint(), 1);
        break;
      case kModeFreehand:
        if (m_drawFreehand.IsDrawing()) m_drawFreehand.MouseUp(&r);
        break;
      default: break;
    }
    return;
  }
  CTranspBaseClass* captured = m_pCaptured;
  m_pCaptured = nullptr;
  captured->OnLButtonUp(flags, point.x, point.y);
  if (point == m_lastDown) return;
  CTranspText* text = AsText(captured);
  if (text == nullptr) {
    if (dynamic_cast<CTranspGraphClass*>(captured) != nullptr) RecordModify(m_capturedState, captured);
    return;
  }
  // Selecting text with the mouse changes nothing worth an undo step.
  if (mode != kModeForm && text->GetCaptureCode() != TEXT_HIT_INSIDE) RecordModify(m_capturedState, captured);
  if (mode != kModeTabOrder) {
    _PROPERTIES properties;
    _OBJECT_STYLE style = {};
    text->GetProperties(&properties);
    text->GetObjectStyle(&style);
    SetPropertyList(properties, style, text->GetObjectKind());
  }
  DEF_CATCH("CFolimarView::OnLButtonUpObject")
}

void CFolimarView::OnLButtonUpSelect(UINT flags, CPoint point) {
  (void)flags;
  DEF_TRY
  if (m_rubberBand) {
    m_rubberBand = FALSE;
    RECT r = {0, 0, 0, 0};
    m_drawRect.MouseUp(&r);
    CRect band(r);
    band.NormalizeRect();
    SelectObjects(&band);
    Invalidate(FALSE);
    return;
  }
  if (!m_groupMove) return;
  m_groupMove = FALSE;
  m_moveDrag = FALSE;
  if (point == m_lastDown) return;
  BeginMacro();
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (!object->IsSelected() || object->IsDeleted()) continue;
    RecordModify(object->GetSavedUndoState(), object);
  }
  EndMacro();
  SetModified();
  DEF_CATCH("CFolimarView::OnLButtonUpSelect")
}

void CFolimarView::OnLButtonDblClk(UINT flags, CPoint point) {
  DEF_TRY
  const int mode = GetProgramMode();
  if (mode == kModePolygon && m_drawPolygon.IsDrawing()) {
    m_drawPolygon.MouseDblClick();
    ::ClipCursor(nullptr);
    CreatePolygon(1);
    m_drawPolygon.RemovePoints();
  } else if (mode == kModeSelect) {
    CTranspBaseClass* object = PtInObject(point);
    if (object != nullptr && object->IsSelected()) {
      const int kindMode = ModeOfKind(object);
      CMainFrame* frame = GetMainFrame();
      if (kindMode != 0 && frame != nullptr) frame->SetProgramMode(kindMode, 1);
      ActivateObject(object);
    }
  } else if (IsObjectMode(mode) && mode != kModeTabOrder) {
    CTranspBaseClass* active = GetActiveObject();
    if (active != nullptr) active->OnLButtonDblClk(flags, point.x, point.y);
  }
  Default();
  DEF_CATCH("CFolimarView::OnLButtonDblClk")
}

// ---- Right button and context menu ----

void CFolimarView::OnRButtonDown(UINT flags, CPoint point) {
  DEF_TRY
  m_lastRightClick = point;
  if (!GetPageRect().PtInRect(point)) return;
  const int mode = GetProgramMode();
  if (mode == kModeSelect)
    OnRButtonDownSelect(flags, point);
  else if (IsObjectMode(mode) && mode != kModeTabOrder)
    OnRButtonDownObject(flags, point);
  Default();
  DEF_CATCH("CFolimarView::OnRButtonDown")
}

void CFolimarView::OnRButtonDownObject(UINT flags, CPoint point) {
  (void)flags;
  DEF_TRY
  CTranspBaseClass* object = HitWithActiveRule(point);
  if (object != nullptr) {
    DeselectObjects();
    CTranspBaseClass* active = GetActiveObject();
    if (active != object) {
      DeactivateObject(active);
      ActivateObject(object);
    }
  } else if (GetSelectedObjectsCount() > 1) {
    DeselectObjects();
  }
  DEF_CATCH("CFolimarView::OnRButtonDownObject")
}

void CFolimarView::OnRButtonDownSelect(UINT flags, CPoint point) {
  (void)flags;
  DEF_TRY
  CTranspBaseClass* object = PtInObject(point);
  if (object == nullptr) {
    DeselectObjects();
    DeactivateActiveObject();
    return;
  }
  if (object->IsSelected()) return;
  DeselectObjects();
  object->SetSelected(1);
  if (GetActiveObject() != object) {
    DeactivateActiveObject();
    ActivateObject(object);
  }
  DEF_CATCH("CFolimarView::OnRButtonDownSelect")
}

UINT CFolimarView::GetContextMenuId() const {
  const int mode = GetProgramMode();
  return mode == kModeForm ? IDR_FORM_MODE_MENU : mode == kModeSelect ? IDR_SELECT_MODE_MENU : IDR_CONTEXT_MENU;
}

void CFolimarView::UpdateContextMenu(HMENU menu, int mode) {
  auto enable = [menu](UINT id, BOOL on) { ::EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  static const UINT kLayers[] = {ID_LAYER_SEND_TO_BACK, ID_LAYER_SEND_BACKWARD, ID_LAYER_BRING_TO_FRONT,
                                 ID_LAYER_BRING_FORWARD};
  static const UINT kObjectCommands[] = {ID_EDIT_DELETE, ID_EDIT_ADD_TO_SHELF, ID_EDIT_ALIGN_TO_GRID};
  if (mode == 18) {
    for (UINT id : kObjectCommands) enable(id, FALSE);
    enable(ID_EDIT_SNAP_TO_GRID, FALSE);
    return;
  }
  CMainFrame* frame = GetMainFrame();
  enable(ID_EDIT_SNAP_TO_GRID, TRUE);
  ::CheckMenuItem(menu, ID_EDIT_SNAP_TO_GRID,
                  MF_BYCOMMAND | (frame != nullptr && frame->IsSnapToGrid() ? MF_CHECKED : MF_UNCHECKED));
  CTranspBaseClass* active = GetActiveObject();
  if (mode == kModeSelect) {
    for (UINT id : kObjectCommands) enable(id, GetSelectedObjectsCount() > 0);
  } else if (active != nullptr) {
    for (UINT id : kObjectCommands) enable(id, TRUE);
    enable(ID_EDIT_RESTORE_PROPORTIONS, active->GetObjectKind() == KIND_PICTURE);
    for (UINT id : kLayers) enable(id, !active->IsField());
  } else {
    for (UINT id : kObjectCommands) enable(id, FALSE);
    for (UINT id : kLayers) enable(id, FALSE);
  }
}

void CFolimarView::OnContextMenu(CWnd* window, CPoint point) {
  (void)window;
  DEF_TRY
  const int mode = GetProgramMode();
  if (mode == kModeTabOrder) return;
  if (m_drawFreehand.IsStarted()) {
    EndWorkingSignature();
    return;
  }
  CMenu menu;
  if (!menu.LoadMenu(GetContextMenuId())) return;
  CMenu* popup = menu.GetSubMenu(0);
  if (popup == nullptr) return;
  UpdateContextMenu(popup->GetSafeHmenu(), mode);
  CFrameWnd* frame = GetParentFrame();
  CWnd* owner = frame != nullptr ? static_cast<CWnd*>(frame) : this;
  const UINT chosen = popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x,
                                            point.y, owner);
  if (chosen == ID_EDIT_PASTE)
    Paste(1);
  else if (chosen != 0) {
    // Through the main window the command reaches this view, its document and the frame in turn.
    CWnd* main = AfxGetMainWnd();
    (main != nullptr ? main : static_cast<CWnd*>(this))->SendMessage(WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
  }
  DEF_CATCH("CFolimarView::OnContextMenu")
}

// ---- Keys ----

void CFolimarView::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  DEF_TRY
  const int mode = GetProgramMode();
  CTranspBaseClass* active = GetActiveObject();
  POINT step = {0, 0};
  switch (key) {
    case VK_ESCAPE:
      if (mode == kModeSelect) {
        DeselectObjects();
      } else {
        DeactivateActiveObject();
        if (mode == kModeFreehand) EndWorkingSignature();
      }
      break;
    case VK_LEFT: step.x = -1; break;
    case VK_RIGHT: step.x = 1; break;
    case VK_UP: step.y = -1; break;
    case VK_DOWN: step.y = 1; break;
    case VK_DELETE:
      if (mode == kModeSelect) {
        DeleteSelectedObjects();
      } else if (AsText(active) != nullptr) {
        const CUndoState before = active->GetUndoState();
        active->OnChar(key, repeat, 1);
        RecordModify(before, active);
        if (active->IsMirrored()) RepaintMirroredObjects(active, active->GetName());
      } else if (active != nullptr && mode != kModeForm) {
        DeleteActiveObject();
      }
      break;
    case VK_OEM_PLUS:
    case VK_OEM_MINUS:
      if (::GetKeyState(VK_CONTROL) < 0) {
        if (key == VK_OEM_PLUS)
          OnZoomIn();
        else
          OnZoomOut();
      }
      break;
    case VK_HOME:
    case VK_END:
      if (AsText(active) != nullptr && mode != kModeSelect) active->OnChar(key, repeat, 1);
      break;
    default: break;
  }
  if (step.x != 0 || step.y != 0) {
    if (mode == kModeMoveImage) {
      MoveImageUndo(step.x, step.y);
    } else if (mode == kModeSelect || (active != nullptr && AsText(active) == nullptr)) {
      // One page pixel as a length in units.
      POINT origin = {0, 0};
      PageToUnit(&step);
      PageToUnit(&origin);
      step.x -= origin.x;
      step.y -= origin.y;
      if (mode == kModeSelect) {
        for (POSITION pos = m_pObjects != nullptr ? m_pObjects->GetHeadPosition() : nullptr; pos;) {
          CTranspBaseClass* object = m_pObjects->GetNext(pos);
          if (object->IsSelected() && !object->IsDeleted()) object->MoveBy(step.x, step.y);
        }
      } else {
        active->MoveBy(step.x, step.y);
      }
    } else if (active != nullptr) {
      active->OnChar(key, repeat, 1);
    }
  }
  Default();
  DEF_CATCH("CFolimarView::OnKeyDown")
}

void CFolimarView::OnChar(UINT ch, UINT repeat, UINT flags) {
  DEF_TRY
  const int mode = GetProgramMode();
  if (mode == kModeTabOrder) return;
  if (ch == VK_TAB) {
    ProcessTabKey(::GetKeyState(VK_SHIFT) >= 0);
    return;
  }
  CTranspBaseClass* active = GetActiveObject();
  CTranspText* text = AsText(active);
  if (text != nullptr && !text->IsNumeric()) {
    const CUndoState before = text->GetUndoState();
    text->OnChar(ch, repeat, 0);
    DoCommand(new CModifyTextCommand(before, text, this));
    SetModified();
    if (text->IsMirrored()) RepaintMirroredObjects(text, text->GetName());
  } else if (text != nullptr) {
    if (ch == VK_RETURN) {
      ProcessTabKey(TRUE);
      return;
    }
    const CUndoState before = text->GetUndoState();
    text->OnChar(ch, repeat, 0);
    const CString typed = text->GetText();
    // A formula being typed is no value yet: nothing to record or recalculate.
    if (!typed.IsEmpty() && typed[0] != L'=') {
      DoCommand(new CModifyTextCommand(before, text, this));
      SetModified();
      if (text->IsMirrored()) RepaintMirroredObjects(text, text->GetName());
      CalculateAndRepaint();
    }
  } else if (dynamic_cast<CTranspCheckMark*>(active) != nullptr) {
    active->OnChar(ch, repeat, 0);
  }
  (void)flags;
  DEF_CATCH("CFolimarView::OnChar")
}

void CFolimarView::OnSetFocus(CWnd* oldWindow) {
  CScrollView::OnSetFocus(oldWindow);
  ShowCaret();
}

void CFolimarView::OnKillFocus(CWnd* newWindow) {
  DEF_TRY
  CScrollView::OnKillFocus(newWindow);
  HideCaret();
  // What was typed reaches the record before the focus goes elsewhere.
  CFolimarDoc* doc = GetDocument();
  if (GetActiveObject() != nullptr && doc != nullptr) doc->DoFieldsExchange(TRUE);
  DEF_CATCH("CFolimarView::OnKillFocus")
}

LRESULT CFolimarView::OnMouseLeave(WPARAM, LPARAM) {
  m_trackingLeave = FALSE;
  EndWorkingSignature();
  return 0;
}

void CFolimarView::EndWorkingSignature() {
  DEF_TRY
  if (!m_drawFreehand.IsStarted()) return;
  if (m_drawFreehand.GetPoints().GetCount() > 1) CreateFreehand(1);
  m_drawFreehand.EndWorkingSignature();
  m_drawFreehand.RemovePoints();
  if (GetCapture() == this) ::ReleaseCapture();
  DEF_CATCH("CFolimarView::EndWorkingSignature")
}
