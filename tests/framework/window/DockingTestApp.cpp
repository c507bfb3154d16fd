// The docking test program's application object: its profile (under the test key) keeps the
// layouts the state tests save.
#include "Framework.h"

class DockingTestApp : public CWinAppEx {
 public:
  DockingTestApp() { SetRegistryKey(L"VantryTests"); }
};

DockingTestApp theApp;
