// The document's exports through the view of a real frame: the PDF pages drawn by the view's print
// renderer, the page as an image and as a metafile file.
#include "ToolTestSupport.h"

#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MyProcs.h"
#include "RecordedMessageBoxes.h"

namespace {

BOOL NoShell(LPCTSTR, LPCTSTR, LPCTSTR) { return TRUE; }

class ExportViewTest : public ToolWindowTest {
 protected:
  std::string Bytes(const std::wstring& path) { return testing_support::ReadFileBytes(path); }
  std::wstring File(const std::wstring& name) { return folder_.File(name); }
  testing_support::TempFolder folder_;
};

TEST_F(ExportViewTest, ThePagesOfADocumentWithAViewGoOutThroughTheView) {
  fixtures::RecordedMessageBoxes boxes;
  const ShellOpener previous = SetShellOpener(NoShell);
  CFolimarDoc* doc = view->GetDocument();
  ASSERT_NE(nullptr, doc);
  const std::wstring pdf = File(L"page.pdf"), png = File(L"page.png"), emf = File(L"page.emf");
  EXPECT_EQ(1, doc->SaveAsPDF(pdf.c_str(), -1, -1, 0));
  EXPECT_EQ("%PDF-", Bytes(pdf).substr(0, 5));
  doc->ExportTo(png.c_str(), FALSE);
  EXPECT_EQ(std::string("\x89PNG", 4), Bytes(png).substr(0, 4));
  doc->ExportTo(emf.c_str(), FALSE);
  const std::string metafile = Bytes(emf);
  ASSERT_GT(metafile.size(), 44u);
  EXPECT_EQ(" EMF", metafile.substr(40, 4));  // the signature of an enhanced metafile's header
  EXPECT_TRUE(boxes.Texts().empty());
  SetShellOpener(previous);
}

}  // namespace
