// The document's name: title and kept file name, the paths it keeps with their recent-file entries,
// renaming the form and saving it as a form into the forms folder.
#include "DocumentSaveSupport.h"
#include "resource.h"

using namespace doctest;
using namespace savetest;

namespace {

class DocumentTitleTest : public SaveTest {
 protected:
  // A forms folder of the test's own, named by the profile's "FormFolder".
  std::wstring UseFormsFolder() {
    const std::wstring forms = Path(L"Forms");
    CreateDirectoryW(forms.c_str(), nullptr);
    SetSetting(L"FormFolder", forms);
    return forms;
  }
};

}  // namespace

TEST_F(DocumentTitleTest, TitleLosesItsExtensionAndIsKeptAsTheFileName) {
  struct Case {
    const wchar_t* given;
    const wchar_t* title;
  };
  const Case cases[] = {
      {L"Invoice.2024.qlm", L"Invoice.2024"}, {L"Plain", L"Plain"}, {L"scan.png", L"scan"}, {L".rud", L""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    CFolimarDoc doc;
    doc.SetTitle(c.given);
    EXPECT_STREQ(c.title, doc.GetTitle());
    EXPECT_STREQ(c.title, doc.GetFileName());
    // The kept name is shown again as it is: a dot inside it is not taken for an extension.
    doc.UpdateTitle();
    EXPECT_STREQ(c.title, doc.GetTitle());
  }
}

TEST_F(DocumentTitleTest, OnlyDocumentFilesBecomeThePathAndOnlyDocumentsAreRecent) {
  struct Case {
    const wchar_t* name;
    bool keptAsPath;
    bool recent;
  };
  const Case cases[] = {{L"a.rud", true, true},   {L"b.QLM", true, true},   {L"c.vyt", true, false},
                        {L"d.png", false, false}, {L"e.viz", false, false}, {L"noext", false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring path = Path(c.name);
    CFolimarDoc doc;
    doc.SetPathName(Path(L"before.rud").c_str(), FALSE);
    const std::vector<std::wstring> before = RecentFiles();
    doc.SetPathName(path.c_str(), c.recent ? FALSE : TRUE);  // the caller's flag is not what counts
    if (c.keptAsPath) {
      EXPECT_EQ(0, lstrcmpiW(path.c_str(), doc.GetPathName()));
      const std::wstring name(c.name);
      EXPECT_STREQ(name.substr(0, name.find(L'.')).c_str(), doc.GetTitle());
    } else {
      EXPECT_TRUE(doc.GetPathName().IsEmpty()) << static_cast<LPCTSTR>(doc.GetPathName());
    }
    const std::vector<std::wstring> after = RecentFiles();
    if (c.recent) {
      ASSERT_FALSE(after.empty());
      EXPECT_EQ(0, lstrcmpiW(path.c_str(), after.front().c_str()));
    } else {
      EXPECT_EQ(before, after);
    }
  }
}

TEST_F(DocumentTitleTest, RenameChangesFormNameAndTitleButNoFile) {
  CFolimarDoc doc;
  doc.SetPathName(Path(L"orders.rud").c_str());
  doc.SetModifiedFlag(FALSE);
  g_formName.formName = L"Purchase order";
  g_formName.fileName = L"Orders.2025";
  doc.OnEditRename();
  EXPECT_EQ(1, g_formName.calls);
  EXPECT_STREQ(L"Untitled", g_formName.shownFormName);
  EXPECT_STREQ(L"orders", g_formName.shownFileName);
  EXPECT_STREQ(L"Purchase order", doc.GetOptions().formName);
  EXPECT_STREQ(L"Orders.2025", doc.GetTitle());
  EXPECT_STREQ(L"Orders.2025", doc.GetFileName());
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(0, lstrcmpiW(Path(L"orders.rud").c_str(), doc.GetPathName()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(Path(L"orders.rud").c_str()));

  // A form name longer than its field is cut to the field; Cancel changes nothing.
  g_formName.formName = CString(L'x', 400);
  doc.RenameDocument();
  EXPECT_EQ(254, lstrlenW(doc.GetOptions().formName));
  g_formName.ok = false;
  doc.RenameDocument();
  EXPECT_EQ(3, g_formName.calls);
  EXPECT_STREQ(L"Orders.2025", doc.GetTitle());
}

TEST_F(DocumentTitleTest, SaveAsFormWritesTheFormIntoTheFormsFolderAndKeepsThePath) {
  const std::wstring forms = UseFormsFolder();
  CFolimarDoc doc;
  doc.GetPage(0)->m_objects.AddTail(NewTestObject(3, 0, 42, L"Frame"));
  doc.SetPathName(Path(L"own.rud").c_str());
  g_formName.formName = L"Tax return";
  g_formName.fileName = L"Tax.2025";
  doc.OnFileSaveAsForm();

  const std::wstring form = forms + L"\\Tax.2025.qlm";
  const std::string bytes = testing_support::ReadFileBytes(form);
  ASSERT_GT(bytes.size(), 60u);
  EXPECT_EQ(std::string("KTD\0", 4), bytes.substr(0, 4));
  EXPECT_EQ(L"Tax return", StoredFormName(bytes));
  EXPECT_STREQ(L"Tax.2025", doc.GetTitle());
  EXPECT_EQ(0, lstrcmpiW(Path(L"own.rud").c_str(), doc.GetPathName()));
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_TRUE(PostedCommands().empty());

  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, form));
  ASSERT_EQ(1, loaded.GetPage(0)->m_objects.GetCount());
  EXPECT_EQ(42, AsTest(loaded.GetPage(0)->m_objects.GetHead())->value);
}

TEST_F(DocumentTitleTest, SaveAsFormOverAnExistingFormAsksAndReopensTheDialogUnlessYes) {
  const std::wstring forms = UseFormsFolder();
  const std::wstring form = forms + L"\\Existing.qlm";
  ASSERT_TRUE(testing_support::WriteFileBytes(form, "previous"));
  g_formName.formName = L"New form";
  g_formName.fileName = L"Existing";

  g_boxAnswer = IDNO;
  CFolimarDoc doc;
  doc.OnFileSaveAsForm();
  ASSERT_EQ(1u, g_boxes.size());
  EXPECT_STREQ(Formatted(IDS_REPLACE_EXISTING_FILE, form), g_boxes[0].c_str());
  EXPECT_EQ("previous", testing_support::ReadFileBytes(form));
  EXPECT_EQ(std::vector<UINT>{ID_FILE_SAVE_AS_FORM}, PostedCommands());

  g_boxAnswer = IDYES;
  doc.OnFileSaveAsForm();
  EXPECT_EQ(2u, g_boxes.size());
  EXPECT_EQ(L"New form", StoredFormName(testing_support::ReadFileBytes(form)));
  EXPECT_TRUE(PostedCommands().empty());
}

TEST_F(DocumentTitleTest, SaveAsFormIntoAMissingFolderSaysSoAndSavesNothing) {
  const std::wstring missing = Path(L"No forms here");
  SetSetting(L"FormFolder", missing);
  g_formName.formName = L"Lost";
  g_formName.fileName = L"Lost";
  CFolimarDoc doc;
  doc.OnFileSaveAsForm();
  ASSERT_EQ(1u, g_boxes.size());
  EXPECT_STREQ(Formatted(IDS_FOLDER_DOES_NOT_EXIST, missing), g_boxes[0].c_str());
  EXPECT_EQ(L"Lost folder doesn't exist.", std::wstring(Formatted(IDS_FOLDER_DOES_NOT_EXIST, L"Lost")));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(missing.c_str()));
  EXPECT_STREQ(L"Lost", doc.GetOptions().formName);  // the dialog's answer was taken before the folder check
}

TEST_F(DocumentTitleTest, SaveAsFormRefusesNamesThatLeaveTheFormsFolder) {
  const std::wstring forms = UseFormsFolder();
  const wchar_t* names[] = {L"..\\Outside", L"sub/name", L"C:evil", L"", L"..", L"a*b"};
  for (const wchar_t* name : names) {
    SCOPED_TRACE(name);
    g_boxes.clear();
    g_formName.fileName = name;
    CFolimarDoc doc;
    doc.OnFileSaveAsForm();
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_STREQ(Formatted(IDS_INVALID_FILE_NAME, name), g_boxes[0].c_str());
    EXPECT_EQ(std::vector<UINT>{ID_FILE_SAVE_AS_FORM}, PostedCommands());
  }
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(Path(L"Outside.qlm").c_str()));
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((forms + L"\\*.qlm").c_str(), &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, find);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST_F(DocumentTitleTest, SaveAsFormCancelledOrWithoutDialogDoesNothing) {
  UseFormsFolder();
  CFolimarDoc doc;
  g_formName.ok = false;
  doc.OnFileSaveAsForm();
  EXPECT_EQ(1, g_formName.calls);
  CFolimarDoc::SetFormNamePrompt(nullptr);
  doc.OnFileSaveAsForm();
  doc.RenameDocument();
  EXPECT_EQ(1, g_formName.calls);
  EXPECT_STREQ(L"Untitled", doc.GetOptions().formName);
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_TRUE(PostedCommands().empty());
}
