// The properties pane in the running frame: the rows each kind of selection shows with their values,
// edits sent as the grid sends them (AFX_WM_PROPERTY_CHANGED) landing in the frame's default style
// and, with a document open, in the selected objects as one undo step; the format row's dialog.
#include "PropetiesBar.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "FormatProperty.h"
#include "FrameTestSupport.h"
#include "MyProcs.h"
#include "TranspCheckMark.h"
#include "TranspLabel.h"
#include "TranspShapes.h"
#include "TranspText.h"
#include "resource.h"
#include "undo.h"

namespace {

std::wstring Text(UINT id) {
  CString text;
  text.LoadString(id);
  return std::wstring(text);
}

std::wstring ValueText(CMFCPropertyGridProperty* row) {
  const COleVariant& value = row->GetValue();
  COleVariant copy(value);
  if (copy.vt != VT_BSTR && FAILED(::VariantChangeType(&copy, &copy, 0, VT_BSTR))) return L"?";
  return std::wstring(copy.bstrVal);
}

_OBJECT_STYLE SampleStyle() {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  return style;
}

class PropertiesPaneTest : public FrameTest {
 public:
  CPropetiesBar& Pane() { return frame->GetPropertiesBar(); }
  void Show(int mask, const _OBJECT_STYLE& style, const _PROPERTIES& properties = _PROPERTIES()) {
    frame->SetPropertyList(properties, &style, &mask);
  }
  std::vector<std::wstring> TopRows() {
    std::vector<std::wstring> names;
    CMFCPropertyGridCtrl& grid = Pane().GetGrid();
    for (int i = 0; i < grid.GetPropertyCount(); ++i) names.push_back(grid.GetProperty(i)->GetName());
    return names;
  }
  CMFCPropertyGridProperty* Row(int id) {
    return Pane().GetGrid().FindItemByData(static_cast<DWORD_PTR>(id));
  }
  // What the grid does after the user edited a row.
  void Change(int id, const COleVariant& value) {
    CMFCPropertyGridProperty* row = Row(id);
    ASSERT_NE(nullptr, row) << "row " << id;
    row->SetValue(value);
    Pane().GetGrid().OnPropertyChanged(row);
  }
  void Choose(int id, UINT textId) { Change(id, COleVariant(CString(Text(textId).c_str()))); }
  // A new one-page document in select mode: its view, or null.
  CFolimarView* SelectModeView(CFolimarDoc*& doc) {
    doc = NewDocument(1);
    if (doc == nullptr) return nullptr;
    frame->SetProgramMode(12, 1);
    return ViewOf(doc);
  }
  // The pane shows the rows of a selected object, as the view hands them over.
  void ShowObject(CTranspBaseClass* object, const _OBJECT_STYLE& style) {
    int mask = object->GetObjectKind();
    _PROPERTIES record;
    object->GetProperties(&record);
    frame->SetPropertyList(record, &style, &mask);
  }
};

// ---- Rows by kind ----

TEST_F(PropertiesPaneTest, EachKindOfSelectionShowsItsRowsInOrder) {
  ASSERT_NE(nullptr, OpenFrame());
  const std::vector<UINT> textRows = {IDS_PROP_FONT_GROUP, IDS_PROP_PITCH_GROUP, IDS_PROP_ALIGNMENT,
                                      IDS_PROP_ORIENTATION, IDS_PROP_LINE_SPACING, IDS_PROP_WORD_WRAP,
                                      IDS_PROP_MULTILINE, IDS_PROP_REQUIRED};
  auto join = [](std::vector<UINT> head, const std::vector<UINT>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  };
  const struct {
    int mask;
    std::vector<UINT> rows;
  } cases[] = {
      {2, join(join({IDS_PROP_OBJECT_NAME, IDS_PROP_TYPE, IDS_PROP_PRINT}, textRows), {IDS_PROP_FORMAT})},
      {1, join(join({IDS_PROP_OBJECT_NAME, IDS_PROP_TYPE, IDS_PROP_TAB_INDEX, IDS_PROP_PRINT}, textRows),
               {IDS_PROP_BORDER, IDS_PROP_LINE_COLOR, IDS_PROP_LINE_WIDTH, IDS_PROP_LINE_STYLE, IDS_PROP_FORMAT})},
      {4, {IDS_PROP_OBJECT_NAME, IDS_PROP_TAB_INDEX, IDS_PROP_PRINT, IDS_PROP_CHECK_MARK, IDS_PROP_GROUP,
           IDS_PROP_LINE_COLOR, IDS_PROP_LINE_WIDTH}},
      {8, {IDS_PROP_OBJECT_NAME, IDS_PROP_PRINT, IDS_PROP_LINE_COLOR, IDS_PROP_LINE_WIDTH, IDS_PROP_LINE_STYLE}},
      {16, {IDS_PROP_OBJECT_NAME, IDS_PROP_PRINT, IDS_PROP_LINE_COLOR, IDS_PROP_LINE_WIDTH, IDS_PROP_LINE_STYLE}},
      {32, {IDS_PROP_OBJECT_NAME, IDS_PROP_PRINT, IDS_PROP_TRANSPARENT}},
      {64, {IDS_PROP_OBJECT_NAME, IDS_PROP_PRINT, IDS_PROP_LINE_WIDTH, IDS_TYPE_TEXT}},
  };
  for (const auto& c : cases) {
    Show(c.mask, SampleStyle());
    std::vector<std::wstring> expected;
    for (UINT id : c.rows) expected.push_back(Text(id));
    EXPECT_EQ(expected, TopRows()) << "mask " << c.mask;
  }
  Show(0, SampleStyle());
  ASSERT_EQ(1, Pane().GetGrid().GetPropertyCount());
  CMFCPropertyGridProperty* blank = Pane().GetGrid().GetProperty(0);
  EXPECT_STREQ(L"", blank->GetName());
  EXPECT_FALSE(blank->IsAllowEdit());
  EXPECT_FALSE(blank->IsEnabled());
}

TEST_F(PropertiesPaneTest, RowsShowTheStyleAndTheRecordOfTheSelection) {
  ASSERT_NE(nullptr, OpenFrame());
  _OBJECT_STYLE style = SampleStyle();
  style.font.lfHeight = -125;
  style.font.lfWeight = FW_BOLD;
  style.font.lfCharSet = 99;
  style.lineWidth = 1500;
  style.textSetting9 = 1;
  style.textSetting10 = 875;
  style.textSetting11 = 7;
  style.textSetting12 = 2;
  style.textSetting140 = 0;
  style.flag147 = 1;
  style.printable = 0;
  _PROPERTIES properties;
  properties.name = L"Total";
  properties.tabIndex = 4;
  properties.formatCategory = 2;
  Show(1, style, properties);
  const struct {
    int id;
    std::wstring shown;
  } cases[] = {
      {23, L"Total"},
      {29, Text(IDS_TYPE_TEXT_FIELD)},
      {26, L"4"},
      {30, Text(IDS_NO)},
      {8, L"12"},
      {4, Text(IDS_YES)},
      {2, L"Other"},
      {10, L"31"},
      {11, Text(IDS_ALIGN_LEFT)},
      {12, Text(IDS_ORIENTATION_TOP_DOWN)},
      {22, Text(IDS_YES)},
      {19, Text(IDS_YES)},
      {14, L"0.001''"},
  };
  for (const auto& c : cases) {
    CMFCPropertyGridProperty* row = Row(c.id);
    ASSERT_NE(nullptr, row) << c.id;
    EXPECT_EQ(c.shown, ValueText(row)) << c.id;
  }
  EXPECT_EQ(Text(IDS_FORMAT_CURRENCY), std::wstring(Row(28)->FormatProperty()));
  EXPECT_TRUE(Row(10)->IsEnabled()) << "pitch on";
  style.textSetting9 = 0;
  style.textSetting10 = 10000;
  Show(2, style, properties);
  EXPECT_EQ(Text(IDS_TYPE_TEXT), ValueText(Row(29)));
  EXPECT_EQ(L"360", ValueText(Row(10)));
  EXPECT_FALSE(Row(10)->IsEnabled()) << "pitch off";
}

// ---- Edits with no document: the defaults for new objects ----

TEST_F(PropertiesPaneTest, EditsChangeTheStyleOfNewObjectsAndAreStored) {
  ASSERT_NE(nullptr, OpenFrame());
  _OBJECT_STYLE start = SampleStyle();
  start.flag147 = 1;  // the border flag beside the required byte
  start.requiredForFilling = 0;
  const struct {
    int id;
    std::function<void(PropertiesPaneTest&)> edit;
    std::function<void(const _OBJECT_STYLE&)> check;
  } cases[] = {
      {8, [](PropertiesPaneTest& t) { t.Change(8, COleVariant(12L)); },
       [](const _OBJECT_STYLE& s) {
         EXPECT_EQ(12, s.fontSize);
         EXPECT_EQ(-120, s.font.lfHeight);
         EXPECT_EQ(0, s.font.lfWidth);
       }},
      {12, [](PropertiesPaneTest& t) { t.Choose(12, IDS_ORIENTATION_BOTTOM_UP); },
       [](const _OBJECT_STYLE& s) {
         EXPECT_EQ(1, s.textSetting12);
         EXPECT_EQ(900, s.font.lfEscapement);
         EXPECT_EQ(900, s.font.lfOrientation);
       }},
      {12, [](PropertiesPaneTest& t) { t.Choose(12, IDS_ORIENTATION_TOP_DOWN); },
       [](const _OBJECT_STYLE& s) { EXPECT_EQ(-900, s.font.lfEscapement); }},
      {12, [](PropertiesPaneTest& t) { t.Choose(12, IDS_ORIENTATION_LEFT_TO_RIGHT); },
       [](const _OBJECT_STYLE& s) { EXPECT_EQ(0, s.font.lfEscapement); }},
      {14, [](PropertiesPaneTest& t) { t.Change(14, COleVariant(L"0.05''")); },
       [](const _OBJECT_STYLE& s) { EXPECT_EQ(5000, s.lineWidth); }},
      {24, [](PropertiesPaneTest& t) { t.Choose(24, IDS_YES); },
       [](const _OBJECT_STYLE& s) {
         EXPECT_EQ(1, s.requiredForFilling);
         EXPECT_EQ(0, s.textFlag145);
         EXPECT_EQ(0, s.textFlag146);
         EXPECT_EQ(1, s.flag147) << "the border flag is not the required flag's";
       }},
      {4, [](PropertiesPaneTest& t) { t.Choose(4, IDS_YES); },
       [](const _OBJECT_STYLE& s) { EXPECT_EQ(FW_BOLD, s.font.lfWeight); }},
      {22, [](PropertiesPaneTest& t) { t.Choose(22, IDS_NO); },
       [](const _OBJECT_STYLE& s) { EXPECT_EQ(1, s.textSetting140); }},
      {9, [](PropertiesPaneTest& t) { t.Choose(9, IDS_YES); },
       [](const _OBJECT_STYLE& s) {
         EXPECT_EQ(1, s.textSetting9);
         EXPECT_EQ(CPropetiesBar::ShownToPitch(0), s.textSetting10);
       }},
      {10, [](PropertiesPaneTest& t) { t.Change(10, COleVariant(36L)); },
       [](const _OBJECT_STYLE& s) { EXPECT_EQ(1000, s.textSetting10); }},
      {20, [](PropertiesPaneTest& t) { t.Change(20, COleVariant(static_cast<long>(RGB(1, 2, 3)), VT_UI4)); },
       [](const _OBJECT_STYLE& s) { EXPECT_EQ(RGB(1, 2, 3), s.textColor); }},
      {17, [](PropertiesPaneTest& t) { t.Choose(17, IDS_LINE_DOT); },
       [](const _OBJECT_STYLE& s) { EXPECT_EQ(2, s.penStyle); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    int mask = 1;
    frame->SetPropertyList(_PROPERTIES(), &start, &mask);
    c.edit(*this);
    c.check(frame->GetTextStyle());
  }
  const _OBJECT_STYLE last = frame->GetTextStyle();
  CloseFrame();
  EXPECT_EQ(BytesOf(last), ReadBinary(L"TEXTSTYLEBARSETTINGS"));
}

TEST_F(PropertiesPaneTest, ATextThatIsNoOptionChangesNothing) {
  ASSERT_NE(nullptr, OpenFrame());
  Show(1, SampleStyle());
  const std::string before = BytesOf(frame->GetTextStyle());
  Change(11, COleVariant(L"Sideways"));
  Change(14, COleVariant(L"0.5''"));
  EXPECT_EQ(before, BytesOf(frame->GetTextStyle()));
}

TEST_F(PropertiesPaneTest, ChoosingTextForATextFieldShowsNoPrintWithoutSendingIt) {
  ASSERT_NE(nullptr, OpenFrame());
  _OBJECT_STYLE style = SampleStyle();
  style.printable = 1;
  Show(1, style);
  Choose(29, IDS_TYPE_TEXT);
  EXPECT_EQ(Text(IDS_NO), ValueText(Row(30)));
  EXPECT_EQ(1, frame->GetTextStyle().printable);
  Choose(29, IDS_TYPE_TEXT_FIELD);
  EXPECT_EQ(Text(IDS_YES), ValueText(Row(30)));
}

TEST_F(PropertiesPaneTest, AFaceWithoutTheCurrentCharsetSwitchesToItsFirst) {
  ASSERT_NE(nullptr, OpenFrame());
  LOGFONTW font = {};
  wcscpy(font.lfFaceName, L"Zeta Cyrillic");
  font.lfCharSet = RUSSIAN_CHARSET;
  Pane().AddFont(font);
  font.lfCharSet = GREEK_CHARSET;
  Pane().AddFont(font);
  wcscpy(font.lfFaceName, L"Zeta Twice");
  font.lfCharSet = ANSI_CHARSET;
  Pane().AddFont(font);
  Pane().AddFont(font);
  font.lfCharSet = 77;  // the Macintosh charset is never offered
  wcscpy(font.lfFaceName, L"Zeta Mac");
  Pane().AddFont(font);
  EXPECT_EQ(0u, Pane().GetFontMap().count(L"Zeta Mac"));

  _OBJECT_STYLE style = SampleStyle();
  wcscpy(style.font.lfFaceName, L"Zeta Twice");
  style.font.lfCharSet = ANSI_CHARSET;
  Show(2, style);
  CMFCPropertyGridProperty* script = Row(2);
  ASSERT_EQ(2, script->GetOptionCount()) << "a charset reported twice is offered twice";
  EXPECT_STREQ(L"Western", script->GetOption(0));
  EXPECT_STREQ(L"Western", script->GetOption(1));

  Change(3, COleVariant(L"Zeta Cyrillic"));
  EXPECT_EQ(L"Cyrillic", ValueText(Row(2)));
  EXPECT_STREQ(L"Zeta Cyrillic", frame->GetTextStyle().font.lfFaceName);
  EXPECT_EQ(RUSSIAN_CHARSET, frame->GetTextStyle().font.lfCharSet);
  ASSERT_EQ(2, Row(2)->GetOptionCount());
  Change(2, COleVariant(L"Greek"));
  EXPECT_EQ(GREEK_CHARSET, frame->GetTextStyle().font.lfCharSet);
  Change(3, COleVariant(L"Zeta Cyrillic"));
  EXPECT_EQ(GREEK_CHARSET, frame->GetTextStyle().font.lfCharSet) << "a charset the face has stays";
}

TEST_F(PropertiesPaneTest, TheScreenFontsAreOffered) {
  ASSERT_NE(nullptr, OpenFrame());
  const CPropetiesBar::FontMap& fonts = Pane().GetFontMap();
  ASSERT_FALSE(fonts.empty());
  EXPECT_EQ(1u, fonts.count(L"Tahoma")) << "a font of the test prefix";
  for (const auto& entry : fonts) EXPECT_NE(L'@', entry.first[0]) << "vertical faces are left out";
  Show(1, SampleStyle());
  EXPECT_EQ(static_cast<int>(fonts.size()), Row(3)->GetOptionCount());
}

// ---- The default field format ----

TEST_F(PropertiesPaneTest, OnlyTheFormatRowChangesTheDefaultFormatAlsoWithADocumentOpen) {
  ASSERT_NE(nullptr, OpenFrame());
  ASSERT_NE(nullptr, NewDocument(1));
  Show(1, SampleStyle());
  Change(28, COleVariant(L"1;4;0"));
  _PROPERTIES defaults = frame->GetDefaultProperties();
  EXPECT_EQ(1, defaults.formatCategory);
  EXPECT_EQ(4, defaults.decimals);
  EXPECT_EQ(0, defaults.grouping);
  Choose(4, IDS_YES);
  Change(23, COleVariant(L"Renamed"));
  defaults = frame->GetDefaultProperties();
  EXPECT_EQ(1, defaults.formatCategory) << "another property keeps the user's format";
  EXPECT_EQ(4, defaults.decimals);
  EXPECT_EQ(0, defaults.grouping);
  EXPECT_TRUE(defaults.name.IsEmpty()) << "a rename is no default for new fields";
  CloseFrame();
  const std::string stored = ReadBinary(L"PROPERTIES");
  ASSERT_EQ(sizeof(_PROPERTIES_RECORD), stored.size());
  const _PROPERTIES_RECORD* record = reinterpret_cast<const _PROPERTIES_RECORD*>(stored.data());
  EXPECT_EQ(1, record->formatCategory);
  EXPECT_EQ(4, record->decimals);
  EXPECT_EQ(0, record->grouping);
}

INT_PTR ChooseNumericWithThreeDecimals(CDialog& dialog) {
  return testing_support::RunDialog(dialog, [](HWND window) {
    HWND list = ::GetDlgItem(window, IDC_LIST_CATEGORY);
    ::SendMessageW(list, LB_SETCURSEL, 1, 0);
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_LIST_CATEGORY, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    ::SetDlgItemTextW(window, IDC_EDIT_DECIMAL, L"3");
    ::SendMessageW(window, WM_COMMAND, IDOK, 0);
  });
}

INT_PTR CancelAtOnce(CDialog& dialog) {
  return testing_support::RunDialog(dialog, [](HWND window) { ::SendMessageW(window, WM_COMMAND, IDCANCEL, 0); });
}

TEST_F(PropertiesPaneTest, TheFormatButtonRunsTheNumberFormatDialog) {
  ASSERT_NE(nullptr, OpenFrame());
  Show(1, SampleStyle());
  CMFCFormatProperty* format = dynamic_cast<CMFCFormatProperty*>(Row(28));
  ASSERT_NE(nullptr, format);
  EXPECT_TRUE(format->m_dwFlags & AFX_PROP_HAS_BUTTON);
  EXPECT_EQ(Text(IDS_FORMAT_TEXT), std::wstring(format->FormatProperty()));

  CMFCFormatProperty::DialogRunner previous = CMFCFormatProperty::SetDialogRunner(CancelAtOnce);
  format->OnClickButton(CPoint(0, 0));
  EXPECT_EQ(0, frame->GetDefaultProperties().formatCategory) << "cancel changes nothing";
  EXPECT_EQ(L"", ValueText(format));

  CMFCFormatProperty::SetDialogRunner(ChooseNumericWithThreeDecimals);
  format->OnClickButton(CPoint(0, 0));
  CMFCFormatProperty::SetDialogRunner(previous);
  EXPECT_EQ(L"1;3;1", ValueText(format));
  EXPECT_EQ(Text(IDS_FORMAT_NUMERIC), std::wstring(format->FormatProperty()));
  EXPECT_EQ(1, frame->GetDefaultProperties().formatCategory);
  EXPECT_EQ(3, frame->GetDefaultProperties().decimals);
}

// ---- Edits with a document: the selected objects, one undo step each ----

TEST_F(PropertiesPaneTest, AnEditChangesTheSelectedObjectsAsOneUndoStepAndIsSaved) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarDoc* doc = NewDocument(1);
  ASSERT_NE(nullptr, doc);
  CFolimarView* view = ViewOf(doc);
  ASSERT_NE(nullptr, view);
  CTranspRectangle* first = new CTranspRectangle(view, RECT{10000, 10000, 40000, 30000}, nullptr, 0);
  CTranspRectangle* second = new CTranspRectangle(view, RECT{50000, 10000, 90000, 30000}, nullptr, 0);
  CTranspRectangle* untouched = new CTranspRectangle(view, RECT{10000, 50000, 40000, 70000}, nullptr, 0);
  for (CTranspRectangle* r : {first, second, untouched}) doc->GetPage(0)->m_objects.AddTail(r);
  first->SetSelected(1);
  second->SetSelected(1);
  _OBJECT_STYLE style;
  first->GetObjectStyle(&style);
  const int oldWidth = style.lineWidth;
  ASSERT_NE(5000, oldWidth);
  Show(8, style);
  Change(14, COleVariant(L"0.05''"));
  auto widthOf = [](CTranspBaseClass* object) {
    _OBJECT_STYLE s;
    object->GetObjectStyle(&s);
    return s.lineWidth;
  };
  EXPECT_EQ(5000, widthOf(first));
  EXPECT_EQ(5000, widthOf(second));
  EXPECT_EQ(oldWidth, widthOf(untouched));
  EXPECT_EQ(5000, frame->GetTextStyle().lineWidth) << "and the default of new objects";

  CommandManagerT* undo = view->GetActiveUndoManager();
  ASSERT_NE(nullptr, undo);
  undo->Undo();
  EXPECT_EQ(oldWidth, widthOf(first)) << "one step takes back both";
  EXPECT_EQ(oldWidth, widthOf(second));
  undo->Redo();
  EXPECT_EQ(5000, widthOf(second));

  const std::wstring path = temp_.Path() + L"edited.qlm";
  ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
  doc->SetModifiedFlag(FALSE);
  doc->OnCloseDocument();
  Pump();
  CFolimarDoc* reopened = dynamic_cast<CFolimarDoc*>(s_template->OpenDocumentFile(path.c_str()));
  ASSERT_NE(nullptr, reopened);
  std::vector<int> widths;
  CTranspObjectList& objects = reopened->GetPage(0)->m_objects;
  for (POSITION pos = objects.GetHeadPosition(); pos;) widths.push_back(widthOf(objects.GetNext(pos)));
  EXPECT_EQ((std::vector<int>{5000, 5000, oldWidth}), widths);
}

// The Type row turns the selected text field into a label with its text, and back, each as one undo step.
TEST_F(PropertiesPaneTest, TheTypeRowConvertsTheSelectedTextFieldAndUndoesInOneStep) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarDoc* doc = nullptr;
  CFolimarView* view = SelectModeView(doc);
  ASSERT_NE(nullptr, view);
  _OBJECT_STYLE style = SampleStyle();
  CTranspText* field = new CTranspText(view, 1000, 1000, &style, nullptr, L"Amount due", 0);
  CTranspObjectList& objects = doc->GetPage(0)->m_objects;
  objects.AddTail(field);
  field->SetSelected(1);
  ShowObject(field, style);
  ASSERT_NE(nullptr, Row(29));
  EXPECT_EQ(Text(IDS_TYPE_TEXT_FIELD), ValueText(Row(29)));
  // What the page shows: each live object's label flag and text.
  auto page = [&objects] {
    std::vector<std::wstring> shown;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      CTranspBaseClass* object = objects.GetNext(pos);
      if (object->IsDeleted()) continue;
      CTranspText* text = dynamic_cast<CTranspText*>(object);
      shown.push_back(text == nullptr ? L"?" : (text->IsLabel() ? L"label " : L"field ") + std::wstring(text->GetText()));
    }
    return shown;
  };

  Choose(29, IDS_TYPE_TEXT);
  EXPECT_EQ((std::vector<std::wstring>{L"label Amount due"}), page());
  EXPECT_TRUE(doc->IsModified());
  CommandManagerT* undo = view->GetActiveUndoManager();
  ASSERT_NE(nullptr, undo);
  undo->Undo();
  EXPECT_EQ((std::vector<std::wstring>{L"field Amount due"}), page());
  undo->Redo();
  ASSERT_EQ((std::vector<std::wstring>{L"label Amount due"}), page());

  // The label, selected, goes back to a text field through the same row.
  CTranspBaseClass* label = nullptr;
  for (POSITION pos = objects.GetHeadPosition(); pos && label == nullptr;) {
    CTranspBaseClass* object = objects.GetNext(pos);
    if (!object->IsDeleted()) label = object;
  }
  ASSERT_NE(nullptr, label);
  EXPECT_TRUE(label->IsSelected()) << "the selection passed to the label";
  view->DeselectObjects();
  label->SetSelected(1);
  ShowObject(label, style);
  EXPECT_EQ(Text(IDS_TYPE_TEXT), ValueText(Row(29)));
  Choose(29, IDS_TYPE_TEXT_FIELD);
  EXPECT_EQ((std::vector<std::wstring>{L"field Amount due"}), page());
  undo->Undo();
  EXPECT_EQ((std::vector<std::wstring>{L"label Amount due"}), page());
}

// A label made a text field before another field takes its data column there: the other field keeps
// its column and its values, and an undo gives the table back as it was.
TEST_F(PropertiesPaneTest, ALabelMadeAFieldBeforeAnotherTakesTheColumnAtItsPlace) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarDoc* doc = nullptr;
  CFolimarView* view = SelectModeView(doc);
  ASSERT_NE(nullptr, view);
  _OBJECT_STYLE style = SampleStyle();
  CTranspLabel* label = new CTranspLabel(view, 1000, 1000, &style, nullptr, L"Date", 0);
  label->SetName(L"When");
  CTranspText* total = new CTranspText(view, 1000, 20000, &style, nullptr, L"", 0);
  total->SetName(L"Total");
  doc->AddObjectToList(label);
  doc->AddObjectToList(total);
  doc->AddDBField(total, 0);
  CDynTable& table = doc->GetPage(0)->m_table;
  ASSERT_EQ(1, table.GetFieldCount());
  if (table.GetRecordCount() == 0) doc->InitPageDBTable(doc->GetPage(0));
  ASSERT_EQ(1, table.GetRecordCount());
  table[0].ElementAt(0) = CVariant(CString(L"42"));
  label->SetSelected(1);
  ShowObject(label, style);
  Choose(29, IDS_TYPE_TEXT_FIELD);

  ASSERT_EQ(2, table.GetFieldCount());
  EXPECT_STREQ(L"When", table.GetFieldName(0));
  EXPECT_STREQ(L"Total", table.GetFieldName(1));
  EXPECT_STREQ(L"42", table[0][1].GetString());
  view->GetActiveUndoManager()->Undo();
  ASSERT_EQ(1, table.GetFieldCount());
  EXPECT_STREQ(L"Total", table.GetFieldName(0));
  EXPECT_STREQ(L"42", table[0][0].GetString());
  EXPECT_FALSE(label->IsDeleted());
}

// Each kind of object shown with its own values; a row changed for it changes it and undoes.
TEST_F(PropertiesPaneTest, EachKindShowsItsValuesAndTakesAnEditAsOneUndoStep) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarDoc* doc = NewDocument(1);
  ASSERT_NE(nullptr, doc);
  CFolimarView* view = ViewOf(doc);
  ASSERT_NE(nullptr, view);
  _OBJECT_STYLE style = SampleStyle();
  style.printable = 1;
  _PROPERTIES properties;
  const struct {
    const char* kind;
    std::function<CTranspBaseClass*()> make;
    std::function<void(PropertiesPaneTest&)> edit;
    std::function<int(const _OBJECT_STYLE&)> field;
    int changed;
  } cases[] = {
      {"text field", [&] { return new CTranspText(view, 1000, 1000, &style, &properties, L"abc", 0); },
       [](PropertiesPaneTest& t) { t.Choose(4, IDS_YES); }, [](const _OBJECT_STYLE& s) { return s.font.lfWeight; },
       FW_BOLD},
      {"label", [&] { return new CTranspLabel(view, 1000, 20000, &style, &properties, L"label", 0); },
       [](PropertiesPaneTest& t) { t.Change(8, COleVariant(14L)); }, [](const _OBJECT_STYLE& s) { return s.fontSize; },
       14},
      {"check mark", [&] { return new CTranspCheckMark(view, 1000, 40000, &style, 0); },
       [](PropertiesPaneTest& t) { t.Choose(18, IDS_YES); }, [](const _OBJECT_STYLE& s) { return s.checkMarkKind; }, 1},
      {"rectangle", [&] { return new CTranspRectangle(view, RECT{1000, 60000, 9000, 70000}, &style, 0); },
       [](PropertiesPaneTest& t) { t.Choose(17, IDS_LINE_DOT); }, [](const _OBJECT_STYLE& s) { return s.penStyle; }, 2},
  };
  CommandManagerT* undo = view->GetActiveUndoManager();
  ASSERT_NE(nullptr, undo);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    CTranspBaseClass* object = c.make();
    doc->GetPage(0)->m_objects.AddTail(object);
    view->DeselectObjects();
    object->SetSelected(1);
    _OBJECT_STYLE shown;
    object->GetObjectStyle(&shown);
    _PROPERTIES record;
    object->GetProperties(&record);
    int mask = object->GetObjectKind();
    frame->SetPropertyList(record, &shown, &mask);
    ASSERT_NE(nullptr, Row(23));
    EXPECT_EQ(std::wstring(record.name), ValueText(Row(23)));
    EXPECT_EQ(Text(shown.printable ? IDS_YES : IDS_NO), ValueText(Row(30)));
    const int before = c.field(shown);
    ASSERT_NE(before, c.changed);
    c.edit(*this);
    _OBJECT_STYLE after;
    object->GetObjectStyle(&after);
    EXPECT_EQ(c.changed, c.field(after));
    undo->Undo();
    object->GetObjectStyle(&after);
    EXPECT_EQ(before, c.field(after)) << "undone in one step";
  }
}

}  // namespace
