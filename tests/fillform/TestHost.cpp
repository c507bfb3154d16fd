// The host program's application object of the fill-form tests: one per process, with a registry
// key of its own, so a value Quillet finds can only have come through the host's profile.
#include "Framework.h"
#include "ProfilesFixture.h"

namespace {

class FillFormTestHost : public CWinApp {
 public:
  FillFormTestHost() : CWinApp(fillform_test::kTestHostProfile) {
    SetRegistryKey(fillform_test::kTestHostKey);
  }
};

FillFormTestHost theApp;

}  // namespace
