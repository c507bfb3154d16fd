// One embedded object of a Scrivel document (a picture in the text). The document makes one per
// object; it adds nothing to the framework's item.
#pragma once
#include "Framework.h"

class CScrivelDoc;

class CScrivelCntrItem : public CRichEditCntrItem {
  DECLARE_DYNAMIC(CScrivelCntrItem)
 public:
  explicit CScrivelCntrItem(REOBJECT* preo = nullptr, CScrivelDoc* pContainer = nullptr);
};
