// The fifteen conversion functions objects reach the view through (the table of the object base),
// each taking the view window and converting a point or rectangle in place. They forward to the
// view's CViewGeometry, which the view hands out through the lookup it installs when it is created.
#pragma once
#include "TranspBaseClass.h"
#include "ViewGeometry.h"

// The geometry of a view window, or null when the window is no form view.
typedef const CViewGeometry* (*VIEW_GEOMETRY_LOOKUP)(CWnd* view);
void SetViewGeometryLookup(VIEW_GEOMETRY_LOOKUP lookup);

void UnitToPagePt(CWnd* view, POINT* p);
void UnitToPageRc(CWnd* view, RECT* r);
void PageToUnitPt(CWnd* view, POINT* p);
void PageToUnitRc(CWnd* view, RECT* r);
void PageToViewPt(CWnd* view, POINT* p);
void PageToViewRc(CWnd* view, RECT* r);
void PageToClientPt(CWnd* view, POINT* p);
void PageToClientRc(CWnd* view, RECT* r);
void ClientToPagePt(CWnd* view, POINT* p);
void ClientToPageRc(CWnd* view, RECT* r);
void ViewToClientPt(CWnd* view, POINT* p);
void ViewToClientRc(CWnd* view, RECT* r);
void ViewToPagePt(CWnd* view, POINT* p);
void ViewToPageRc(CWnd* view, RECT* r);
// 0 without a view: objects then size nothing.
double GetFontScaleFactor(CWnd* view);

// The view's zoom (the key of the scaled-copy caches); 1 without a view.
double GetViewZoom(CWnd* view);

// The table in the object base's order, for CTranspBaseClass::SetViewConversions.
const VIEW_CONVERSIONS* GetViewConversionTable();
