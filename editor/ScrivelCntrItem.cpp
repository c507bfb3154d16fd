#include "ScrivelCntrItem.h"

#include "ScrivelDoc.h"

IMPLEMENT_DYNAMIC(CScrivelCntrItem, CRichEditCntrItem)

CScrivelCntrItem::CScrivelCntrItem(REOBJECT* preo, CScrivelDoc* pContainer) : CRichEditCntrItem(preo, pContainer) {}
