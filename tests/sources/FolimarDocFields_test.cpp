// Fields and records of a document: columns of the page data tables, the exchange between field
// objects and records, the record commands with their enabling, form numbering, the text search, and
// what saving and loading do with them.
#include "DocumentFieldsSupport.h"
#include "DialogDriver.h"
#include "resource.h"

using namespace doctest;

namespace {

class FieldsTest : public FieldsDocumentTest {
 protected:
  // Whether the document enables a command (its update handler through the command route).
  BOOL Enabled(UINT id) {
    struct Probe : CCmdUI {
      BOOL enabled = TRUE;
      void Enable(BOOL on) override { enabled = on; }
    } probe;
    probe.m_nID = id;
    probe.DoUpdate(&doc_, FALSE);
    return probe.enabled;
  }
  void Command(UINT id) { doc_.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }
  // Three text fields around a label and a check mark, and `records` records holding "r<record>c<column>".
  void FillRecords(int records) {
    name_ = AddText(L"Name", TEXT_TYPE_TEXT);
    AddLabel(L"Caption", L"Name:");
    number_ = AddText(L"No", TEXT_TYPE_INDEX);
    mark_ = AddCheckMark(L"Agree");
    for (int r = 1; r < records; ++r) doc_.AddRecord();
    for (int r = 0; r < records; ++r) {
      CString text;
      text.Format(L"r%d", r);
      doc_.GetPage(0)->m_table[r][0] = static_cast<LPCTSTR>(text);
      doc_.GetPage(0)->m_table[r][1] = static_cast<double>(10 * r);
      doc_.GetPage(0)->m_table[r][2] = r % 2;
    }
    doc_.DoFieldsExchange(0);
  }
  CTranspText* name_ = nullptr;
  CTranspText* number_ = nullptr;
  CTranspCheckMark* mark_ = nullptr;
};

TEST_F(FieldsTest, FieldsTakeColumnsInListOrderAndLabelsNone) {
  CTranspText* first = AddText(L"First", TEXT_TYPE_TEXT);
  AddLabel(L"Between", L"label");
  CTranspCheckMark* mark = AddCheckMark(L"Mark");
  CTranspText* gone = AddText(L"Gone", TEXT_TYPE_TEXT);
  gone->SetDeleted(1);
  CTranspText* last = AddText(L"Last", TEXT_TYPE_TEXT);
  CFieldObjectInfoArray fields;
  ASSERT_EQ(1, doc_.GetInfoArray(fields));
  ASSERT_EQ(3, fields.GetSize());  // the deleted field keeps its column but is not listed
  EXPECT_EQ(first, fields[0].object);
  EXPECT_EQ(0, fields[0].index);
  EXPECT_EQ(mark, fields[1].object);
  EXPECT_EQ(1, fields[1].index);
  EXPECT_EQ(last, fields[2].object);
  EXPECT_EQ(3, fields[2].index);
  EXPECT_EQ(doc_.GetPage(0), fields[2].page);
  EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(FieldsTest, ADocumentWithoutFieldsSaysSo) {
  AddLabel(L"Only", L"label");
  CFieldObjectInfoArray fields;
  EXPECT_EQ(0, doc_.GetInfoArray(fields));
  ASSERT_EQ(1u, ShownMessages().size());
  EXPECT_EQ(L"Text fields and check marks are absent in the document.", ShownMessages()[0]);
}

TEST_F(FieldsTest, ExchangeMovesValuesBothWays) {
  FillRecords(2);
  EXPECT_EQ(L"r0", std::wstring(name_->GetText()));
  EXPECT_EQ(0, mark_->GetState());
  name_->SetText(L"typed");
  doc_.DoFieldsExchange(1);
  EXPECT_EQ(L"typed", std::wstring(Cell(0, 0, 0)));
  EXPECT_EQ(L"r1", std::wstring(Cell(0, 1, 0)));
}

TEST_F(FieldsTest, AShortRowGrowsByNamedColumnsOnLoad) {
  AddText(L"A", TEXT_TYPE_TEXT);
  CDynTable& table = doc_.GetPage(0)->m_table;
  // A second field the table never got a column for.
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  CTranspText* extra = new CTranspText(nullptr, 0, 0, &style, nullptr, L"old", 0);
  extra->SetName(L"Extra");
  doc_.AddObjectToList(extra);
  ASSERT_EQ(1, table.GetFieldCount());
  doc_.DoFieldsExchange(0);
  ASSERT_EQ(2, table.GetFieldCount());
  EXPECT_EQ(L"Extra", std::wstring(table.GetFieldName(1)));
  // The field keeps what it showed, and the new cell holds it.
  EXPECT_EQ(L"old", std::wstring(extra->GetText()));
  EXPECT_EQ(L"old", std::wstring(Cell(0, 0, 1)));
}

TEST_F(FieldsTest, ColumnsFollowMovedAndDeletedFields) {
  AddText(L"A", TEXT_TYPE_TEXT);
  CTranspText* b = AddText(L"B", TEXT_TYPE_TEXT);
  AddText(L"C", TEXT_TYPE_TEXT);
  CDynTable& table = doc_.GetPage(0)->m_table;
  doc_.DeleteDBField(doc_.GetPage(0)->m_objects.Find(b), 0);
  ASSERT_EQ(2, table.GetFieldCount());
  EXPECT_EQ(L"A", std::wstring(table.GetFieldName(0)));
  EXPECT_EQ(L"C", std::wstring(table.GetFieldName(1)));
  doc_.MoveField(0, 1, 0);
  EXPECT_EQ(L"C", std::wstring(table.GetFieldName(0)));
  EXPECT_EQ(L"A", std::wstring(table.GetFieldName(1)));
}

// A label owns no column: counting it once gave a column that no field filled and that the next load
// dropped, so opening and saving changed the file every time.
TEST_F(FieldsTest, CorrectFieldsCountAddsAColumnForEachFieldLackingOne) {
  AddLabel(L"L", L"label");
  AddText(L"A", TEXT_TYPE_TEXT);
  AddLabel(L"M", L"label");
  AddCheckMark(L"B");
  CDynTable& table = doc_.GetPage(0)->m_table;
  table.RemoveAllFields();
  EXPECT_EQ(2, doc_.CorrectFieldsCount());
  ASSERT_EQ(2, table.GetFieldCount());
  EXPECT_EQ(L"A", std::wstring(table.GetFieldName(0)));
  EXPECT_EQ(L"B", std::wstring(table.GetFieldName(1)));
  EXPECT_EQ(0, doc_.CorrectFieldsCount());
}

TEST_F(FieldsTest, NavigationMovesTheCurrentRecordAndEnablesByPosition) {
  FillRecords(3);
  const struct {
    UINT command;
    int record;
    BOOL first, previous, next, last;
  } steps[] = {
      {ID_DB_MOVE_LAST, 2, TRUE, TRUE, FALSE, FALSE},
      {ID_DB_MOVE_PREV, 1, TRUE, TRUE, TRUE, TRUE},
      {ID_DB_MOVE_FIRST, 0, FALSE, FALSE, TRUE, TRUE},
      {ID_DB_MOVE_NEXT, 1, TRUE, TRUE, TRUE, TRUE},
  };
  for (const auto& step : steps) {
    Command(step.command);
    EXPECT_EQ(step.record, doc_.GetCurrentRecord()) << step.command;
    CString expected;
    expected.Format(L"r%d", step.record);
    EXPECT_EQ(std::wstring(expected), std::wstring(name_->GetText()));
    EXPECT_EQ(step.first, Enabled(ID_DB_MOVE_FIRST));
    EXPECT_EQ(step.previous, Enabled(ID_DB_MOVE_PREV));
    EXPECT_EQ(step.next, Enabled(ID_DB_MOVE_NEXT));
    EXPECT_EQ(step.last, Enabled(ID_DB_MOVE_LAST));
  }
  EXPECT_TRUE(doc_.IsModified());
}

TEST_F(FieldsTest, EditsAreStoredBeforeTheRecordChanges) {
  FillRecords(2);
  name_->SetText(L"changed");
  Command(ID_DB_MOVE_NEXT);
  Command(ID_DB_MOVE_PREV);
  EXPECT_EQ(L"changed", std::wstring(name_->GetText()));
}

TEST_F(FieldsTest, DeleteIsDisabledForTheLastRecordAndKeepsTheCurrentInRange) {
  FillRecords(1);
  EXPECT_FALSE(Enabled(ID_DB_DELETE));
  EXPECT_FALSE(Enabled(ID_DB_DELETE_ALL));
  Command(ID_DB_DELETE);
  EXPECT_EQ(1, doc_.GetRecordCount());
  doc_.AddRecord();
  doc_.AddRecord();
  Command(ID_DB_MOVE_LAST);
  EXPECT_TRUE(Enabled(ID_DB_DELETE));
  Command(ID_DB_DELETE);
  EXPECT_EQ(2, doc_.GetRecordCount());
  EXPECT_EQ(1, doc_.GetCurrentRecord());
}

TEST_F(FieldsTest, DeleteSetKeepsTheFirstRecordOnlyWhenConfirmed) {
  FillRecords(3);
  Command(ID_DB_MOVE_LAST);
  SetMessageBoxPresenter([](LPCTSTR, UINT) { return IDNO; });
  Command(ID_DB_DELETE_ALL);
  EXPECT_EQ(3, doc_.GetRecordCount());
  UINT asked = 0;
  static UINT* s_asked;
  s_asked = &asked;
  SetMessageBoxPresenter([](LPCTSTR text, UINT type) {
    *s_asked = type;
    EXPECT_EQ(L"This command will remove all records except first record.\nAre you sure to do this ?",
              std::wstring(text));
    return IDYES;
  });
  Command(ID_DB_DELETE_ALL);
  EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2), asked & ~MB_TASKMODAL);
  EXPECT_EQ(1, doc_.GetRecordCount());
  EXPECT_EQ(0, doc_.GetCurrentRecord());
  EXPECT_EQ(L"r0", std::wstring(name_->GetText()));
  doc_.DoFieldsExchange(1);
  EXPECT_EQ(L"r0", std::wstring(Cell(0, 0, 0)));
}

TEST_F(FieldsTest, NewAndDuplicateRecordsGoAfterTheCurrentOne) {
  FillRecords(5);
  doc_.OnDBMoveOnRecord(2);
  Command(ID_DB_NEW_DUPLICATE);
  EXPECT_EQ(6, doc_.GetRecordCount());
  EXPECT_EQ(3, doc_.GetCurrentRecord());
  EXPECT_EQ(L"r2", std::wstring(name_->GetText()));
  EXPECT_DOUBLE_EQ(21, number_->GetValue().GetDoubleValue());  // the index number counts on
  doc_.DoFieldsExchange(1);
  EXPECT_EQ(L"r2", std::wstring(Cell(0, 3, 0)));
  EXPECT_EQ(L"r3", std::wstring(Cell(0, 4, 0)));

  Command(ID_DB_NEW);
  EXPECT_EQ(4, doc_.GetCurrentRecord());
  EXPECT_EQ(L"", std::wstring(name_->GetText()));
  EXPECT_DOUBLE_EQ(22, number_->GetValue().GetDoubleValue());
}

TEST_F(FieldsTest, FormNumberingNumbersTheFollowingRecords) {
  FillRecords(4);
  doc_.OnDBMoveOnRecord(1);
  number_->SetValue(CVariant(100.0));
  EXPECT_EQ(1, doc_.OnEditFormNumber(0, number_));
  EXPECT_DOUBLE_EQ(0, doc_.GetPage(0)->m_table[0][1].GetDoubleValue());
  EXPECT_DOUBLE_EQ(100, doc_.GetPage(0)->m_table[1][1].GetDoubleValue());
  EXPECT_DOUBLE_EQ(101, doc_.GetPage(0)->m_table[2][1].GetDoubleValue());
  EXPECT_DOUBLE_EQ(102, doc_.GetPage(0)->m_table[3][1].GetDoubleValue());
  EXPECT_EQ(-1, doc_.OnEditFormNumber(0, AddLabel(L"L", L"x")));
  EXPECT_EQ(0, doc_.OnEditFormNumber(5, number_));
}

TEST_F(FieldsTest, SearchFindsTextInLaterRecordsAndPages) {
  FillRecords(3);
  EnsurePages(2);
  CTranspText* other = AddText(L"Other", TEXT_TYPE_TEXT, nullptr, 1);
  doc_.GetPage(1)->m_table[2][0] = L"needle here";
  doc_.m_findText = L"NEEDLE";
  doc_.m_findDirection = 1;
  doc_.m_findMatchCase = 0;
  doc_.SearchText();
  EXPECT_EQ(2, doc_.GetCurrentRecord());
  EXPECT_EQ(L"needle here", std::wstring(other->GetText()));
  EXPECT_TRUE(ShownMessages().empty());

  doc_.m_findMatchCase = 1;
  doc_.SearchText();
  ASSERT_EQ(1u, ShownMessages().size());
  EXPECT_EQ(L"Cannot find the string 'NEEDLE'.", ShownMessages()[0]);

  doc_.m_findText.Empty();
  doc_.SearchText();
  EXPECT_EQ(1u, ShownMessages().size());
}

TEST_F(FieldsTest, FindAsksTheSearchAndKeepsItForFindNext) {
  FillRecords(3);
  doc_.m_findText = L"r9";
  doc_.m_findMatchCase = 1;
  testing_support::RunDialog(
      [this] {
        Command(ID_DB_FIND);
        return INT_PTR(IDOK);
      },
      [](HWND window) {
        wchar_t shown[16] = {};
        GetDlgItemTextW(window, IDC_FIND_TEXT, shown, 16);
        EXPECT_EQ(std::wstring(L"r9"), shown);  // the stored search comes back
        testing_support::TypeText(window, IDC_FIND_TEXT, L"R2");
        testing_support::Click(window, IDC_FIND_MATCH_CASE);
        testing_support::Click(window, IDOK);
      });
  EXPECT_EQ(L"R2", std::wstring(doc_.m_findText));
  EXPECT_EQ(0, doc_.m_findMatchCase);
  EXPECT_EQ(2, doc_.GetCurrentRecord());
  EXPECT_TRUE(Enabled(ID_DB_FIND));
}

TEST_F(FieldsTest, SavingDropsDeletedFieldsWithTheirColumnsAndLoadingShowsTheCurrentRecord) {
  FillRecords(3);
  CTranspText* gone = AddText(L"Gone", TEXT_TYPE_TEXT);
  AddText(L"Total", TEXT_TYPE_NUMERIC, L"=No*2");
  doc_.OnDBMoveOnRecord(1);
  gone->SetDeleted(1);
  Save(doc_, L"fields.qlm");

  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, Path(L"fields.qlm")));
  CPageInfo* page = loaded.GetPage(0);
  ASSERT_EQ(4, page->m_table.GetFieldCount());
  EXPECT_EQ(L"Total", std::wstring(page->m_table.GetFieldName(3)));
  EXPECT_EQ(3, loaded.GetRecordCount());
  EXPECT_EQ(1, loaded.GetCurrentRecord());
  const std::vector<CTranspBaseClass*> objects = PageObjects(page);
  ASSERT_EQ(5u, objects.size());
  EXPECT_EQ(L"r1", std::wstring(static_cast<CTranspText*>(objects[0])->GetText()));
  EXPECT_EQ(1, static_cast<CTranspCheckMark*>(objects[3])->GetState());
  // Formulas are calculated once the document is read.
  EXPECT_DOUBLE_EQ(20, objects[4]->GetValue().GetDoubleValue());
}

}  // namespace
