// A page's objects in drawing order; the page owns them. Kept apart so that the page and the object
// base can both name the list without including each other.
#pragma once
#include "Framework.h"

class CTranspBaseClass;

typedef CTypedPtrList<CPtrList, CTranspBaseClass*> CTranspObjectList;
