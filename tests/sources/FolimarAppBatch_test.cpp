// Records > Fill in Form Fields in a running frame: the command shows the fill-form dialog of Quillet,
// driven as a user drives it, over a profiles database named in the program's settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "FrameTestSupport.h"
#include "MyProcs.h"
#include "RecordedMessageBoxes.h"
#include "SqliteFixture.h"
#include "TranspText.h"
#include "resource.h"
// The dialog's control ids are Quillet's; two names of both programs are used by neither here.
#undef IDR_MAINFRAME
#undef IDS_SELECT_FORM_FOLDER
#include "../../resources/Quillet/resource.h"

namespace {

using namespace testing_support;

class FillFormFieldsTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    const std::wstring db = folder_.File(L"profiles.db");
    {
      SqliteFile file(db);
      ASSERT_TRUE(file.Exec(
          "CREATE TABLE groups (group_id INTEGER, name TEXT);"
          "CREATE TABLE profiles (profile_id INTEGER, name TEXT, note TEXT);"
          "CREATE TABLE profiles_groups (profile_id INTEGER, group_id INTEGER);"
          "CREATE TABLE fields (name TEXT, value TEXT, field_type TEXT, group_id INTEGER, profile_id INTEGER);"
          "CREATE TABLE Last_Used_Groups_Profiles (group_id TEXT, profile_id TEXT);"
          "INSERT INTO profiles VALUES (10, 'Ann', NULL);"
          "INSERT INTO fields VALUES ('Name', 'Ann Lee', '0', NULL, 10);"));
    }
    WriteString(L"GeneralDBFilePath", db);
  }
  static CTranspText* AddField(CFolimarDoc* doc, LPCWSTR name) {
    _OBJECT_STYLE style;
    SetDefaultTextStyle(&style);
    CTranspText* text = new CTranspText(nullptr, 10000, 10000, &style, nullptr, nullptr, 0);
    text->SetName(name);
    doc->AddObjectToList(text);
    doc->AddDBField(text, 0);
    return text;
  }
  // Runs the command through the frame's menu route; `script` works the dialog.
  void FillFromMenu(const std::function<void(HWND)>& script) {
    RunDialog([this] { return static_cast<INT_PTR>(frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_DB_FILL_FORM_FIELDS, 0), 0)); },
              script);
  }
  static void ChooseAnn(HWND dialog) {
    const std::vector<std::wstring> profiles = ComboItems(dialog, IDC_COMBO_PROFILES);
    for (size_t i = 0; i < profiles.size(); ++i)
      if (profiles[i] == L"Ann") SelectComboItem(dialog, IDC_COMBO_PROFILES, static_cast<int>(i));
  }

  TempFolder folder_;
};

TEST_F(FillFormFieldsTest, TheActiveDocumentTakesTheProfilesValues) {
  OpenFrame();
  CFolimarDoc* doc = NewDocument();
  CTranspText* name = AddField(doc, L"Name");
  FillFromMenu([](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, IDC_RADIO_CURRENT_FORM));
    ChooseAnn(dialog);
    Click(dialog, IDOK);
  });
  EXPECT_STREQ(L"Ann Lee", name->GetText());
}

// The folder mode fills a new document from each template and saves it into the output folder; the
// templates' own folder is refused as output folder however it is spelled.
TEST_F(FillFormFieldsTest, AFolderOfTemplatesIsFilledAndSavedButNeverOverTheTemplates) {
  OpenFrame();
  const std::wstring in = folder_.File(L"in"), out = folder_.File(L"out");
  ::CreateDirectoryW(in.c_str(), nullptr);
  ::CreateDirectoryW(out.c_str(), nullptr);
  {
    CFolimarDoc* form = NewDocument();
    AddField(form, L"Name");
    ASSERT_TRUE(form->OnSaveDocument((in + L"\\letter.qlm").c_str()));
    form->OnCloseDocument();
  }
  const std::string templateBytes = ReadFileBytes(in + L"\\letter.qlm");
  auto folderMode = [](const std::wstring& from, const std::wstring& to) {
    return [from, to](HWND dialog) {
      Click(dialog, IDC_RADIO_MULTI_FORMS);
      TypeText(dialog, IDC_EDIT_IN_FOLDER, from.c_str());
      if (!Checked(dialog, IDC_CHECK_OUT)) Click(dialog, IDC_CHECK_OUT);
      TypeText(dialog, IDC_EDIT_OUT_FOLDER, to.c_str());
      ChooseAnn(dialog);
      Click(dialog, IDOK);
    };
  };
  {
    fixtures::RecordedMessageBoxes boxes;
    FillFromMenu(folderMode(in, folder_.File(L"IN\\")));
    ASSERT_EQ(1u, boxes.Texts().size());
    CString expected;
    expected.LoadString(IDS_SAME_IN_OUT_FOLDER);
    EXPECT_EQ(std::wstring(expected), boxes.Texts()[0]);
  }
  EXPECT_EQ(templateBytes, ReadFileBytes(in + L"\\letter.qlm"));
  EXPECT_EQ(nullptr, frame->MDIGetActive());

  FillFromMenu(folderMode(in, out));
  CFolimarDoc saved;
  ASSERT_TRUE(saved.OnOpenDocument((out + L"\\letter.qlm").c_str()));
  CString value;
  for (POSITION pos = saved.GetPage(0)->m_objects.GetHeadPosition(); pos;) {
    CTranspText* text = dynamic_cast<CTranspText*>(saved.GetPage(0)->m_objects.GetNext(pos));
    if (text != nullptr && text->GetName() == L"Name") value = text->GetText();
  }
  EXPECT_STREQ(L"Ann Lee", value);
  EXPECT_EQ(templateBytes, ReadFileBytes(in + L"\\letter.qlm"));
}

}  // namespace
