// The document's database commands driven like a user would: the wizard's pages worked by messages
// from a script thread while the command runs its modal loops, against real SQLite files through the
// ODBC driver. The wizard's "Open DSN" asks the driver manager for a data source; the tests' driver
// list answers with its default data source, whose file each test writes first.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "DBImport.h"
#include "DialogDriver.h"
#include "WizardDriver.h"
#include "DocumentFieldsSupport.h"
#include "ErrorLogFile.h"
#include "SqliteFixture.h"
#include "TestSupport.h"
#include "ViewTableDlg.h"
#include "resource.h"

namespace {

using testing_support::SqliteFile;
using testing_support::Utf8;

using namespace wizard_driver;

class DatabaseCommandsTest : public doctest::FieldsDocumentTest {
 protected:
  void SetUp() override {
    FieldsDocumentTest::SetUp();
    DeleteFileW(DefaultDatabase().c_str());
  }
  void TearDown() override {
    DeleteFileW(DefaultDatabase().c_str());
    FieldsDocumentTest::TearDown();
  }
  bool Exec(const std::string& sql) { return SqliteFile(DefaultDatabase()).Exec(sql); }
  std::vector<std::vector<std::string>> Query(const std::string& sql) { return SqliteFile(DefaultDatabase()).Query(sql); }
  // The text of every field's column in one record, in field order.
  std::vector<std::wstring> Record(int record) {
    CFieldObjectInfoArray fields;
    doc_.GetAllFieldObjectsInfoArray(fields);
    std::vector<std::wstring> texts;
    for (INT_PTR i = 0; i < fields.GetSize(); ++i)
      texts.push_back(fields[i].page->m_table[record][fields[i].index].GetString().GetString());
    return texts;
  }
  void SetCell(int record, int field, const CVariant& value) {
    CFieldObjectInfoArray fields;
    doc_.GetAllFieldObjectsInfoArray(fields);
    fields[field].page->m_table[record].ElementAt(fields[field].index) = value;
  }
};

// Ten fields (eight text fields and two check marks) and a table of 1,000 rows of as many columns.
TEST_F(DatabaseCommandsTest, TheWizardImportsAThousandRowsIntoTenFields) {
  for (int i = 0; i < 8; ++i) AddText((L"Text" + std::to_wstring(i)).c_str(), 0);
  AddCheckMark(L"Paid");
  AddCheckMark(L"Sent");
  ASSERT_TRUE(Exec(
      "CREATE TABLE customers (c0 TEXT, c1 NVARCHAR(40), c2 TEXT, c3 TEXT, c4 TEXT, c5 TEXT, c6 TEXT, c7 TEXT, "
      "paid BIT, sent BOOLEAN);"
      "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 999) "
      "INSERT INTO customers SELECT 'name ' || i, 'Zürich ' || i, 'c2 ' || i, 'c3 ' || i, 'c4 ' || i, 'c5 ' || i, "
      "CASE WHEN i = 7 THEN NULL ELSE 'c6 ' || i END, 'c7 ' || i, i % 2, i % 3 = 0 FROM n;"));
  Links links;
  for (int i = 0; i < 8; ++i) links.push_back({L"Text" + std::to_wstring(i), L"c" + std::to_wstring(i)});
  links.push_back({L"Paid", L"paid"});
  links.push_back({L"Sent", L"sent"});
  RunCommand(doc_, ID_DB_IMPORT, [&](HWND sheet) { DriveWizard(sheet, L"customers", links); });

  ASSERT_EQ(1001, doc_.GetRecordCount());  // appended after the one record the document had
  EXPECT_EQ(0, doc_.GetCurrentRecord());
  EXPECT_EQ((std::vector<std::wstring>{L"name 0", L"Z\u00fcrich 0", L"c2 0", L"c3 0", L"c4 0",
                                       L"c5 0", L"c6 0", L"c7 0", L"0", L"1"}),
            Record(1));
  EXPECT_EQ((std::vector<std::wstring>{L"name 999", L"Z\u00fcrich 999", L"c2 999", L"c3 999",
                                       L"c4 999", L"c5 999", L"c6 999", L"c7 999", L"1", L"1"}),
            Record(1000));
  // A NULL value leaves its cell empty: nothing made up takes its place.
  EXPECT_EQ(L"", Record(8)[6]);
  EXPECT_EQ(L"name 7", Record(8)[0]);
  // The link is kept with the document: connect string, table and links sorted by field.
  EXPECT_GE(doc_.m_connectString.Find(L"/odbc/default.db"), 0) << Utf8(doc_.m_connectString.GetString());
  EXPECT_EQ(CString(L"customers"), doc_.m_tableName);
  ASSERT_EQ(10, doc_.m_fieldLinks.GetSize());
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(i, doc_.m_fieldLinks[i].fieldIndex);
    EXPECT_EQ(i, doc_.m_fieldLinks[i].columnIndex);
  }
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_TRUE(doctest::ShownMessages().empty());
}

TEST_F(DatabaseCommandsTest, TheWizardExportsTheRecordsIntoANewTable) {
  AddText(L"Name", 0);
  AddText(L"Note", 0);
  AddCheckMark(L"Done");
  doc_.InsertRecord(-1);
  doc_.InsertRecord(-1);
  const wchar_t* names[] = {L"Ann", L"Zo\u00eb", L"it's"};
  for (int r = 0; r < 3; ++r) {
    SetCell(r, 0, CVariant(CString(names[r])));
    SetCell(r, 1, CVariant(CString(L"note ") + std::to_wstring(r).c_str()));
    SetCell(r, 2, CVariant(r == 1 ? 1 : 0));
  }
  // The document's current record is stored from its fields before the export.
  doc_.DoFieldsExchange(0);
  ASSERT_TRUE(Exec("CREATE TABLE exported (name TEXT, note VARCHAR(30), done BIT)"));
  RunCommand(doc_, ID_DB_EXPORT, [&](HWND sheet) {
    DriveWizard(sheet, L"exported", {{L"Name", L"name"}, {L"Note", L"note"}, {L"Done", L"done"}});
  });
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"Ann", "note 0", "0"},
                                                    {"Zo\xc3\xab", "note 1", "1"},
                                                    {"it's", "note 2", "0"}}),
            Query("SELECT name, note, done FROM exported ORDER BY rowid"));
  // An export keeps no link in the document.
  EXPECT_EQ(0, doc_.m_fieldLinks.GetSize());
  EXPECT_TRUE(doctest::ShownMessages().empty());
}

// A check mark holds what the import read as text, "0" or "1": the export writes that state back.
TEST_F(DatabaseCommandsTest, ImportedCheckMarksExportTheirState) {
  AddCheckMark(L"Paid");
  ASSERT_TRUE(Exec("CREATE TABLE source (paid BIT); INSERT INTO source VALUES (1), (0), (1);"
                   "CREATE TABLE target (paid BIT);"));
  RunCommand(doc_, ID_DB_IMPORT, [&](HWND sheet) { DriveWizard(sheet, L"source", {{L"Paid", L"paid"}}); });
  ASSERT_EQ(4, doc_.GetRecordCount());
  RunCommand(doc_, ID_DB_EXPORT, [&](HWND sheet) { DriveWizard(sheet, L"target", {{L"Paid", L"paid"}}); });
  const auto rows = Query("SELECT paid FROM target ORDER BY rowid");
  ASSERT_EQ(4u, rows.size());
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"1"}, {"0"}, {"1"}}),
            std::vector<std::vector<std::string>>(rows.begin() + 1, rows.end()));
  EXPECT_TRUE(doctest::ShownMessages().empty());
}

// The export adds its records in committed batches; a record the table refuses ends it with the
// driver's message, and every record before it, across batches, is in the table.
TEST_F(DatabaseCommandsTest, AnExportThatFailsMidwayKeepsTheRecordsBeforeTheFailure) {
  AddText(L"Code", 0);
  const int records = 2500, refused = 1800;
  for (int r = 1; r < records; ++r) doc_.InsertRecord(-1);
  for (int r = 0; r < records; ++r) SetCell(r, 0, CVariant(CString(std::to_wstring(r == refused ? 7 : r).c_str())));
  doc_.DoFieldsExchange(0);
  ASSERT_TRUE(Exec("CREATE TABLE codes (code TEXT UNIQUE)"));
  RunCommand(doc_, ID_DB_EXPORT, [&](HWND sheet) { DriveWizard(sheet, L"codes", {{L"Code", L"code"}}); });
  const auto rows = Query("SELECT count(*), min(CAST(code AS INTEGER)), max(CAST(code AS INTEGER)) FROM codes");
  EXPECT_EQ((std::vector<std::vector<std::string>>{{std::to_string(refused), "0", std::to_string(refused - 1)}}), rows);
  const std::vector<std::wstring> shown = doctest::ShownMessages();
  ASSERT_EQ(1u, shown.size());
  EXPECT_NE(std::wstring::npos, shown[0].find(L"UNIQUE")) << Utf8(shown[0]);
}

// Spaces, brackets, a quote, a dash and reserved words as names of the table and its columns.
TEST_F(DatabaseCommandsTest, ATableWithAwkwardNamesImportsAndExports) {
  AddText(L"First", 0);
  AddText(L"Second", 0);
  ASSERT_TRUE(Exec(
      "CREATE TABLE \"order [items]-list\" (\"first name\" TEXT, \"select\" TEXT, \"x]y\" TEXT);"
      "INSERT INTO \"order [items]-list\" VALUES ('a', 'b', 'c'), ('d', 'e', 'f');"
      "CREATE TABLE \"to \"\"table\"\"\" (\"group\" TEXT, \"a-b [c]\" TEXT);"));
  RunCommand(doc_, ID_DB_IMPORT, [&](HWND sheet) {
    DriveWizard(sheet, L"order [items]-list", {{L"First", L"first name"}, {L"Second", L"x]y"}});
  });
  ASSERT_EQ(3, doc_.GetRecordCount());
  EXPECT_EQ((std::vector<std::wstring>{L"a", L"c"}), Record(1));
  EXPECT_EQ((std::vector<std::wstring>{L"d", L"f"}), Record(2));
  RunCommand(doc_, ID_DB_EXPORT, [&](HWND sheet) {
    DriveWizard(sheet, L"to \"table\"", {{L"First", L"group"}, {L"Second", L"a-b [c]"}});
  });
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"", ""}, {"a", "c"}, {"d", "f"}}),
            Query("SELECT \"group\", \"a-b [c]\" FROM \"to \"\"table\"\"\" ORDER BY rowid"));
  EXPECT_TRUE(doctest::ShownMessages().empty());
}

TEST_F(DatabaseCommandsTest, QuickImportRepeatsTheImportFromTheStoredLink) {
  AddText(L"Name", 0);
  AddText(L"City", 0);
  ASSERT_TRUE(Exec("CREATE TABLE people (name TEXT, city TEXT); INSERT INTO people VALUES ('Ann', 'Oslo'), ('Bob', 'Rome');"));
  CCmdUI state;
  RunCommand(doc_, ID_DB_IMPORT, [&](HWND sheet) {
    DriveWizard(sheet, L"people", {{L"Name", L"name"}, {L"City", L"city"}});
  });
  ASSERT_EQ(3, doc_.GetRecordCount());
  std::wstring shownConnect, shownTable;
  RunCommand(doc_, ID_DB_QUICK_IMPORT, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    ASSERT_TRUE(WaitFor([&] { return !testing_support::ControlText(page, IDC_DB_QUICK_TABLE).empty(); }));
    shownConnect = testing_support::ControlText(page, IDC_DB_QUICK_CONNECT);
    shownTable = testing_support::ControlText(page, IDC_DB_QUICK_TABLE);
    Press(sheet, PSBTN_FINISH);
  });
  EXPECT_EQ(std::wstring(doc_.m_connectString.GetString()), shownConnect);
  EXPECT_EQ(L"people", shownTable);
  ASSERT_EQ(5, doc_.GetRecordCount());
  EXPECT_EQ((std::vector<std::wstring>{L"Ann", L"Oslo"}), Record(3));
  EXPECT_EQ((std::vector<std::wstring>{L"Bob", L"Rome"}), Record(4));
  EXPECT_TRUE(doctest::ShownMessages().empty());
}

// The table changed its columns' order since the link was made: the quick import still fills each
// field from the column of its name, not from the column at the stored position.
TEST_F(DatabaseCommandsTest, QuickImportFindsTheColumnsByNameAfterTheTableChanged) {
  AddText(L"Name", 0);
  AddText(L"City", 0);
  ASSERT_TRUE(Exec("CREATE TABLE people (name TEXT, city TEXT); INSERT INTO people VALUES ('Ann', 'Oslo');"));
  RunCommand(doc_, ID_DB_IMPORT, [&](HWND sheet) {
    DriveWizard(sheet, L"people", {{L"Name", L"name"}, {L"City", L"city"}});
  });
  ASSERT_TRUE(Exec("DROP TABLE people; CREATE TABLE people (id INTEGER, city TEXT, extra TEXT, name TEXT);"
                   "INSERT INTO people VALUES (1, 'Lima', 'x', 'Cid');"));
  RunCommand(doc_, ID_DB_QUICK_IMPORT, [&](HWND sheet) { Press(sheet, PSBTN_FINISH); });
  ASSERT_EQ(3, doc_.GetRecordCount());
  EXPECT_EQ((std::vector<std::wstring>{L"Cid", L"Lima"}), Record(2));
  // The stored positions follow the table as it is now.
  ASSERT_EQ(2, doc_.m_fieldLinks.GetSize());
  EXPECT_EQ(3, doc_.m_fieldLinks[0].columnIndex);
  EXPECT_EQ(1, doc_.m_fieldLinks[1].columnIndex);
}

// The table name typed into the quick page is the table the records come from.
TEST_F(DatabaseCommandsTest, QuickImportReadsTheTableNameBackFromItsBox) {
  AddText(L"Name", 0);
  ASSERT_TRUE(Exec("CREATE TABLE a (name TEXT); INSERT INTO a VALUES ('from a');"
                   "CREATE TABLE b (name TEXT); INSERT INTO b VALUES ('from b');"));
  RunCommand(doc_, ID_DB_IMPORT, [&](HWND sheet) { DriveWizard(sheet, L"a", {{L"Name", L"name"}}); });
  RunCommand(doc_, ID_DB_QUICK_IMPORT, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    ASSERT_TRUE(WaitFor([&] { return testing_support::ControlText(page, IDC_DB_QUICK_TABLE) == L"a"; }));
    testing_support::TypeText(page, IDC_DB_QUICK_TABLE, L"b");
    Press(sheet, PSBTN_FINISH);
  });
  ASSERT_EQ(3, doc_.GetRecordCount());
  EXPECT_EQ(L"from a", Record(1)[0]);
  EXPECT_EQ(L"from b", Record(2)[0]);
  EXPECT_EQ(CString(L"b"), doc_.m_tableName);
}

TEST_F(DatabaseCommandsTest, QuickImportIsEnabledOnlyWithAStoredLink) {
  struct Probe : CCmdUI {
    BOOL enabled = -1;
    void Enable(BOOL on) override { enabled = on; }
  } probe;
  probe.m_nID = ID_DB_QUICK_IMPORT;
  doc_.OnCmdMsg(ID_DB_QUICK_IMPORT, CN_UPDATE_COMMAND_UI, &probe, nullptr);
  EXPECT_EQ(FALSE, probe.enabled);
  doc_.m_fieldLinks.Add(_FIELDNUMBERSCOLLATION{0, 0});
  doc_.OnCmdMsg(ID_DB_QUICK_IMPORT, CN_UPDATE_COMMAND_UI, &probe, nullptr);
  EXPECT_EQ(TRUE, probe.enabled);
}

TEST_F(DatabaseCommandsTest, ADocumentWithoutFieldsSaysSoAndShowsNoWizard) {
  doc_.OnCmdMsg(ID_DB_IMPORT, CN_COMMAND, nullptr, nullptr);
  doc_.OnCmdMsg(ID_DB_EXPORT, CN_COMMAND, nullptr, nullptr);
  EXPECT_EQ((std::vector<std::wstring>{L"Text fields and check marks are absent in the document.",
                                       L"Text fields and check marks are absent in the document."}),
            doctest::ShownMessages());
}

// Linking a check mark to a text column is refused; the page's buttons follow the lists.
TEST_F(DatabaseCommandsTest, ThePagesRefuseLinksOfDifferentTypesAndKeepLinksInFieldOrder) {
  AddText(L"A", 0);
  AddCheckMark(L"B");
  AddText(L"C", 0);
  ASSERT_TRUE(Exec("CREATE TABLE t (x TEXT, y BIT, z TEXT, w TEXT)"));
  CDBImport* seen = nullptr;
  RunCommand(doc_, ID_DB_IMPORT, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    testing_support::Click(page, IDC_DB_OPEN_DSN);
    Press(sheet, PSBTN_NEXT);
    Press(sheet, PSBTN_NEXT);
    ChooseByText(CurrentPage(sheet), IDC_DB_TABLES, L"t");
    Press(sheet, PSBTN_NEXT);
    Press(sheet, PSBTN_NEXT);
    page = CurrentPage(sheet);
    EXPECT_FALSE(testing_support::Enabled(page, IDC_DB_LINK));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, ID_WIZNEXT)));
    ChooseByText(page, IDC_DB_LINK_FIELDS, L"B");
    ChooseByText(page, IDC_DB_LINK_COLUMNS, L"x");
    testing_support::Click(page, IDC_DB_LINK);  // Boolean against text: refused
    EXPECT_EQ(0, SendMessageW(GetDlgItem(page, IDC_DB_LINKS), LVM_GETITEMCOUNT, 0, 0));
    // Fields C, A, C (the second C to another column) are kept as A, C, C.
    for (const auto& link : Links{{L"C", L"z"}, {L"A", L"x"}}) {
      ChooseByText(page, IDC_DB_LINK_FIELDS, link.first);
      ChooseByText(page, IDC_DB_LINK_COLUMNS, link.second);
      testing_support::Click(page, IDC_DB_LINK);
    }
    HWND links = GetDlgItem(page, IDC_DB_LINKS);
    EXPECT_EQ(2, SendMessageW(links, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(L"x", ItemText(links, 1, 1));
    // UnLink puts A and x back into their lists in their places.
    Choose(links, 1);
    testing_support::Click(page, IDC_DB_UNLINK);
    EXPECT_EQ(0, FindItem(GetDlgItem(page, IDC_DB_LINK_FIELDS), L"A"));
    EXPECT_EQ(0, FindItem(GetDlgItem(page, IDC_DB_LINK_COLUMNS), L"x"));
    seen = dynamic_cast<CDBImport*>(CWnd::FromHandlePermanent(sheet));
    PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_NE(nullptr, seen);
  EXPECT_EQ((std::vector<std::wstring>{
                L"Matched field are fields of different types.\nMatch only sister fields."}),
            doctest::ShownMessages());
  EXPECT_EQ(1, doc_.GetRecordCount());
}

// ---- The table preview ----

class TablePreviewTest : public DatabaseCommandsTest {
 protected:
  // A wizard over the default data source's table, as page 2 leaves it.
  void OpenSheet(CDBImport& sheet, const wchar_t* table) {
    try {
      ASSERT_TRUE(sheet.m_database.OpenEx(L"ODBC;DSN=Default", CDatabase::noOdbcDialog));
    } catch (CDBException* e) {
      ADD_FAILURE() << Utf8(e->m_strError.GetString());
      e->Delete();
      return;
    }
    sheet.m_strTableName = table;
    ASSERT_TRUE(sheet.LoadColumns());
  }
};

TEST_F(TablePreviewTest, ShowsTheRowsAsTextWithBinaryColumnsNamed) {
  ASSERT_TRUE(Exec("CREATE TABLE \"my table\" (name TEXT, n INTEGER, x DOUBLE, pic BLOB, at TIMESTAMP);"
                   "INSERT INTO \"my table\" VALUES ('Ann', 5, 2.5, x'00', '2020-01-02 03:04:05'),"
                   "('Bob', NULL, -1, NULL, NULL);"));
  CDBImport sheet;
  OpenSheet(sheet, L"my table");
  CViewTableDlg dialog(&sheet, nullptr);
  std::vector<std::vector<std::wstring>> rows;
  std::wstring caption;
  testing_support::RunDialog(dialog, [&](HWND window) {
    HWND list = GetDlgItem(window, IDC_VIEW_TABLE_LIST);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(list) != FALSE; }));
    for (int row = 0; row < SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
      rows.emplace_back();
      for (int column = 0; column < 5; ++column) rows.back().push_back(ItemText(list, row, column));
    }
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    caption = text;
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDCANCEL)));
    EXPECT_NE(0, GetWindowLongW(window, GWL_STYLE) & WS_MAXIMIZEBOX);
  });
  EXPECT_EQ(L"Table : my table", caption);
  EXPECT_EQ((std::vector<std::vector<std::wstring>>{{L"Ann", L"5", L"2.5", L"Binary data", L"2020-01-02 03:04:05"},
                                                     {L"Bob", L"", L"-1.0", L"Binary data", L""}}),
            rows);
  EXPECT_EQ(2, dialog.GetRecordCount());
}

TEST_F(TablePreviewTest, CancelStopsTheReadingAndShowsWhatWasRead) {
  ASSERT_TRUE(Exec("CREATE TABLE big (a TEXT, b TEXT, c TEXT);"
                   "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 399999) "
                   "INSERT INTO big SELECT 'a' || i, 'b' || i, 'c' || i FROM n;"));
  CDBImport sheet;
  OpenSheet(sheet, L"big");
  CViewTableDlg dialog(&sheet, nullptr);
  int shownAfterCancel = -1;
  testing_support::RunDialog(dialog, [&](HWND window) {
    // Loading: the dialog cannot be resized by its borders.
    ASSERT_TRUE(WaitFor([&] { return dialog.GetRecordCount() > 0; }));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(HTBORDER, SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(rect.right - 2, (rect.top + rect.bottom) / 2)));
    testing_support::Click(window, IDCANCEL);
    HWND list = GetDlgItem(window, IDC_VIEW_TABLE_LIST);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(list) != FALSE; }));
    shownAfterCancel = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(L"a0", ItemText(list, 0, 0));
    EXPECT_TRUE(IsWindow(window));  // the first Cancel only stopped the reading
  });
  EXPECT_GT(shownAfterCancel, 0);
  EXPECT_LT(shownAfterCancel, 400000);
  EXPECT_EQ(shownAfterCancel, dialog.GetRecordCount());
}

TEST_F(TablePreviewTest, ATableOfBinaryColumnsOnlyCannotBeShown) {
  ASSERT_TRUE(Exec("CREATE TABLE pics (a BLOB, b BLOB); INSERT INTO pics VALUES (x'01', x'02');"));
  CDBImport sheet;
  OpenSheet(sheet, L"pics");
  CViewTableDlg dialog(&sheet, nullptr);
  EXPECT_EQ(0, dialog.DoModal());
  ASSERT_EQ(1u, doctest::ShownMessages().size());
  EXPECT_EQ(0u, doctest::ShownMessages()[0].find(L"ODBC error. Can't view table.\nError:\n"));
}

// ---- Values that do not fit ----

// A column that the driver cannot give: the value is skipped and logged, and the cell stays empty
// instead of holding a stand-in.
TEST_F(DatabaseCommandsTest, AValueThatCannotBeReadIsSkippedAndLogged) {
  ASSERT_TRUE(Exec("CREATE TABLE t (a TEXT, b TEXT); INSERT INTO t VALUES ('one', 'two');"));
  CDBImport wizard;
  ASSERT_TRUE(wizard.m_database.OpenEx(L"ODBC;DSN=Default", CDatabase::noOdbcDialog));
  wizard.m_pResultSet = new CSQLRecordset(L"t", &wizard.m_database);
  wizard.m_pResultSet->AddField(L"a", CVariant::typeUnicodeString);
  wizard.m_pResultSet->AddField(L"b", CVariant::typeUnicodeString);
  // The statement gives one column of the two the set binds: the second read fails in the driver.
  ASSERT_TRUE(wizard.m_pResultSet->CRecordset::Open(CRecordset::dynaset, L"SELECT a FROM t", CRecordset::none));
  EXPECT_EQ(CString(L"one"), wizard.GetVarFieldValue(0).GetString());
  const CVariant unreadable = wizard.GetVarFieldValue(1);
  EXPECT_EQ(CVariant::typeNull, unreadable.GetType());
  const std::string log = testing_support::ReadFileBytes(GetErrorLogPathName().GetString());
  std::wstring text(reinterpret_cast<const wchar_t*>(log.data()), log.size() / 2);
  EXPECT_NE(std::wstring::npos, text.find(L"The value of column b could not be read"));
}

// An 8-bit text column takes the text converted, where a type check would write nothing.
TEST_F(DatabaseCommandsTest, ExportIntoAnEightBitColumnConvertsTheText) {
  ASSERT_TRUE(Exec("CREATE TABLE t (a VARCHAR(20), b BIT)"));
  CDBImport wizard;
  ASSERT_TRUE(wizard.m_database.OpenEx(L"ODBC;DSN=Default;NoWCHAR=1", CDatabase::noOdbcDialog));
  wizard.m_strTableName = L"t";
  ASSERT_TRUE(wizard.LoadColumns());
  ASSERT_EQ(CVariant::typeString, wizard.m_arrColumns[0].nType);
  wizard.m_arrLinks.Add(_FIELDNUMBERSCOLLATION{0, 0});
  wizard.m_arrLinks.Add(_FIELDNUMBERSCOLLATION{1, 1});
  ASSERT_TRUE(wizard.CreateResultRecordset());
  wizard.AddNew();
  EXPECT_TRUE(wizard.SetFieldValue(0, CVariant(CString(L"plain text"))));
  EXPECT_TRUE(wizard.SetFieldValue(1, CVariant(1)));  // a check mark's value into a Boolean column
  wizard.Update();
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"plain text", "1"}}), Query("SELECT a, b FROM t"));
}

// ---- Records from other documents ----

TEST_F(DatabaseCommandsTest, ImportFromDocumentAppendsTheRecordsOfAMatchingDocument) {
  AddText(L"Name", 0);
  AddCheckMark(L"Done");
  doc_.InsertRecord(-1);
  SetCell(0, 0, CVariant(CString(L"first")));
  SetCell(1, 0, CVariant(CString(L"second")));
  doc_.DoFieldsExchange(0);
  const std::wstring path = Path(L"other.rud");
  ASSERT_TRUE(doc_.OnSaveDocument(path.c_str()));
  CFolimarDoc target;
  ASSERT_TRUE(target.OnOpenDocument(path.c_str(), FALSE));
  ASSERT_TRUE(target.AppendRecordsFromFile(path.c_str()));
  ASSERT_EQ(4, target.GetRecordCount());
  EXPECT_EQ(CString(L"second"), target.GetPage(0)->m_table[3][0].GetString());
  EXPECT_EQ(3, target.GetCurrentRecord());

  CFolimarDoc other;
  ASSERT_TRUE(other.OnNewDocument());
  other.AppendNewPage();
  const std::wstring twoPages = Path(L"two.rud");
  ASSERT_TRUE(other.OnSaveDocument(twoPages.c_str()));
  EXPECT_FALSE(target.AppendRecordsFromFile(twoPages.c_str()));
  EXPECT_EQ(4, target.GetRecordCount());
  EXPECT_EQ(L"Incorrect document!", doctest::ShownMessages().back());
}

}  // namespace
