// The base of everything that can receive commands. This half of the layer has no windows, so it is
// an empty link in the class tree; command routing and message maps belong to the window half.
#pragma once
#include "fw/Object.h"

class FW_API CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget();
  ~CCmdTarget() override;
};
