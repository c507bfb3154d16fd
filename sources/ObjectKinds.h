// The one place that tells the document every overlay object kind the program builds: how each is
// made for its record tag, recognised, and rebuilt from object data for page copies.
#pragma once
#include "Framework.h"

// Registers label, text field, check mark, circle, ellipse, freehand, line, rectangle, barcode and picture with the
// document's object services. Called once at start-up (and by tests that work with the program's own kinds).
void RegisterOverlayObjectKinds();
// Takes them out again (tests that install kinds of their own).
void UnregisterOverlayObjectKinds();

class CTranspBaseClass;

// Builds the object that a paste, a drop or the shelf makes of object data: the kind's data
// constructor by the block's type code, placed at (x, y) in units as that kind places its data. Null
// (logged) for a block that is not sound object data or whose kind is not built from data here; the
// handle stays the caller's.
CTranspBaseClass* CreateTranspFromData(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);
