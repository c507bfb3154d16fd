// A plain popup window standing in for the form view in object tests: zoom 2 at 100 dpi with
// 0.0001-inch units, its geometry reached through the view lookup and the objects' conversion
// table, and the objects' view link the test gives.
#pragma once
#include "Framework.h"

#include "TranspBaseClass.h"
#include "ViewGeometry.h"

// The window's geometry; tests may change it (zoom, scroll) between steps.
CViewGeometry& ObjectViewGeometry();
// Creates the window into `view` (popup, 400 x 300, the cross as class cursor) and installs the
// lookup, the conversion table and `link`; FALSE when the window cannot be made.
BOOL OpenObjectView(CWnd& view, const TRANSP_VIEW_LINK* link);
// Takes all of it out again and destroys the window.
void CloseObjectView(CWnd& view);
