// A main frame with the program's services and a document template, set up as the program sets them,
// and documents opened into it from pages: the ground of the tests that drive a real view.
#pragma once
#include "Framework.h"

class CFolimarView;
class CMainFrame;
class CPageInfo;

namespace fixtures {

class ViewFrame {
 public:
  // Shows a new main frame of 1000 x 760 without snapping; every message box is answered with
  // `answer` and no hint waits for a user. False when the frame cannot be made.
  bool Start(int answer = IDOK);
  // Closes every document unmodified, destroys the frame and brings the boxes back.
  void Stop();
  // A new document made from `page` (copied; the page is deleted), every page with one empty record,
  // in its view, whose frame is 640 x 460 and active.
  CFolimarView* OpenFromPage(CPageInfo* page);
  static CFolimarView* ViewOf(CDocument* doc);

  CMainFrame* frame = nullptr;

 private:
  static CMultiDocTemplate* s_template;
};

}  // namespace fixtures
