// The main frame in a private profile: what it reads at creation and writes when it closes, its bars
// and panes, the program modes with their commands, cursors and tool-bar resets, the update rules of
// the tool commands, the automatic backup on close and the clean-up of the temporary folder.
#include "MainFrm.h"

#include <gtest/gtest.h>

#include <ctime>

#include "ChildFrm.h"
#include "DialogDriver.h"
#include "ErrorLog.h"
#include "FrameTestSupport.h"
#include "MyProcs.h"
#include "TranspShapes.h"
#include "TranspText.h"
#include "resource.h"

namespace {

std::vector<std::wstring> g_shown;
int RecordBox(LPCTSTR text, UINT) {
  g_shown.push_back(text != nullptr ? text : L"");
  return IDOK;
}

// Whether `menu` or one of its pop-ups holds command `id`.
bool MenuHolds(HMENU menu, UINT id) {
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    HMENU popup = ::GetSubMenu(menu, i);
    if (popup != nullptr ? MenuHolds(popup, id) : ::GetMenuItemID(menu, i) == id) return true;
  }
  return false;
}

class NoteCommand : public UNDO::CommandBase {
 public:
  bool Execute() override { return true; }
  bool Unexecute() override { return true; }
};

class MainFrameTest : public FrameTest {
 protected:
  BOOL HasPendingToolBarReset() {
    MSG msg;
    return ::PeekMessageW(&msg, frame->m_hWnd, AFX_WM_RESETTOOLBAR, AFX_WM_RESETTOOLBAR, PM_NOREMOVE);
  }
  void Command(UINT id) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  // A rectangle on the document's first page, selected.
  CTranspRectangle* SelectedRectangle(CFolimarDoc* doc) {
    CFolimarView* view = ViewOf(doc);
    CTranspRectangle* rect = new CTranspRectangle(view, RECT{10000, 10000, 40000, 30000}, nullptr, 0);
    doc->GetPage(0)->m_objects.AddTail(rect);
    rect->SetSelected(1);
    return rect;
  }
  static LMyBitmap* Picture() {
    LMyBitmap* bitmap = new LMyBitmap;
    EXPECT_EQ(SUCCESS, bitmap->Create(40, 30, 24));
    return bitmap;
  }
  static HCURSOR ProgramCursor(UINT id) {
    return id == 0 ? ::LoadCursorW(nullptr, IDC_ARROW) : ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
  }
};

// ---- Settings records ----

TEST_F(MainFrameTest, AFreshProfileStartsCentredInFormModeAndStoresTheDefaultRecords) {
  ASSERT_NE(nullptr, OpenFrame());
  RECT area;
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
  CRect window;
  frame->GetWindowRect(&window);
  EXPECT_EQ(940, window.Width());
  EXPECT_EQ(700, window.Height());
  EXPECT_EQ(DefaultFrameRect(area).left, window.left);
  EXPECT_EQ(DefaultFrameRect(area).top, window.top);
  EXPECT_EQ(23, frame->GetProgramMode());
  const _PROPERTIES defaults = frame->GetDefaultProperties();
  EXPECT_EQ(1, defaults.tabIndex);
  EXPECT_EQ(0, defaults.formatCategory);
  EXPECT_EQ(2, defaults.decimals);
  EXPECT_EQ(1, defaults.grouping);

  CloseFrame();
  EXPECT_EQ(BytesOf(DefaultFrameOptions()), ReadBinary(L"Options"));
  EXPECT_EQ(BytesOf(DefaultPdfOptions()), ReadBinary(L"PDFOptions"));
  EXPECT_EQ(BytesOf(DefaultPdfOptions2()), ReadBinary(L"PDFOptions2"));
  EXPECT_EQ(BytesOf(ToPropertiesRecord(_PROPERTIES())), ReadBinary(L"PROPERTIES"));
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  EXPECT_EQ(BytesOf(style), ReadBinary(L"TEXTSTYLEBARSETTINGS"));
  const std::string placement = ReadBinary(L"WINDOWPLACEMENT");
  ASSERT_EQ(sizeof(WINDOWPLACEMENT), placement.size());
  const WINDOWPLACEMENT* stored = reinterpret_cast<const WINDOWPLACEMENT*>(placement.data());
  EXPECT_EQ(window.left, stored->rcNormalPosition.left);
  EXPECT_EQ(window.bottom, stored->rcNormalPosition.bottom);
  EXPECT_EQ(23u, ReadInt(L"ProgramMode")) << "written when the frame goes";
}

// Each damaged or short record is replaced by its defaults, whatever the other records hold.
TEST_F(MainFrameTest, DamagedOrShortRecordsGiveTheDefaults) {
  _FRAME_OPTIONS badUnit = DefaultFrameOptions();
  badUnit.unit = 7;
  _PDF_OPTIONS badPdf = DefaultPdfOptions();
  badPdf.pageMode = 40;
  _PROPERTIES_RECORD badFormat = ToPropertiesRecord(_PROPERTIES());
  badFormat.formatCategory = 9;
  const std::string options = BytesOf(DefaultFrameOptions());
  const struct {
    const wchar_t* name;
    std::string stored;
    std::string expected;
  } cases[] = {
      {L"Options", options.substr(0, 80), options},
      {L"Options", options + std::string(4, '\1'), options},
      {L"Options", BytesOf(badUnit), options},
      {L"PDFOptions", BytesOf(badPdf), BytesOf(DefaultPdfOptions())},
      {L"PDFOptions2", std::string(7, '\0'), BytesOf(DefaultPdfOptions2())},
      {L"PROPERTIES", BytesOf(badFormat), BytesOf(ToPropertiesRecord(_PROPERTIES()))},
      {L"PROPERTIES", std::string(31, '\0'), BytesOf(ToPropertiesRecord(_PROPERTIES()))},
  };
  for (const auto& c : cases) {
    WriteBinary(c.name, c.stored);
    ASSERT_NE(nullptr, OpenFrame());
    CloseFrame();
    EXPECT_EQ(fixtures::ToHex(c.expected), fixtures::ToHex(ReadBinary(c.name))) << std::wstring(c.name).c_str();
  }
  // A short style record brings the default style.
  WriteBinary(L"TEXTSTYLEBARSETTINGS", std::string(100, 'x'));
  ASSERT_NE(nullptr, OpenFrame());
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  EXPECT_EQ(0, memcmp(&style, &frame->GetTextStyle(), sizeof(style)));
  CloseFrame();
}

TEST_F(MainFrameTest, AStoredRecordIsKeptAndItsReservedFieldClearedOnEveryLoad) {
  _FRAME_OPTIONS stored = DefaultFrameOptions();
  stored.unit = 1;
  stored.gridX = 5000;
  stored.snapToGrid = 1;
  stored.reserved76 = 5;
  WriteBinary(L"Options", BytesOf(stored));
  ASSERT_NE(nullptr, OpenFrame());
  EXPECT_EQ(1, frame->GetOptions().unit);
  EXPECT_EQ(5000, frame->GetGridStepX());
  EXPECT_TRUE(frame->IsSnapToGrid());
  EXPECT_EQ(0, frame->GetOptions().reserved76);
  EXPECT_TRUE(frame->GetMainBar()->GetSnapToGrid()) << "the snap button shows the stored switch";
  CloseFrame();
  stored.reserved76 = 0;
  EXPECT_EQ(BytesOf(stored), ReadBinary(L"Options"));
}

TEST_F(MainFrameTest, AStoredMaximizedPlacementOpensMaximizedAtItsNormalRectangle) {
  WINDOWPLACEMENT placement = {sizeof(placement)};
  placement.showCmd = SW_SHOWMAXIMIZED;
  placement.rcNormalPosition = {30, 40, 830, 640};
  WriteBinary(L"WINDOWPLACEMENT", BytesOf(placement));
  theApp.m_nCmdShow = SW_SHOWNORMAL;
  CMainFrame* made = new CMainFrame;
  ASSERT_TRUE(made->LoadFrame(IDR_MAINFRAME));
  frame = made;
  CRect window;
  frame->GetWindowRect(&window);
  EXPECT_EQ(CRect(30, 40, 830, 640), window);
  EXPECT_EQ(SW_SHOWMAXIMIZED, theApp.m_nCmdShow);
}

TEST_F(MainFrameTest, APlacementOffTheScreenIsNotUsed) {
  WINDOWPLACEMENT placement = {sizeof(placement)};
  placement.showCmd = SW_SHOWNORMAL;
  placement.rcNormalPosition = {9000, 9000, 9800, 9600};
  WriteBinary(L"WINDOWPLACEMENT", BytesOf(placement));
  ASSERT_NE(nullptr, OpenFrame());
  CRect window;
  frame->GetWindowRect(&window);
  EXPECT_EQ(940, window.Width());
  EXPECT_LT(window.left, 2000);
}

TEST_F(MainFrameTest, TheStoredModeIsTheStartModeUnlessFormModeAtStartupOrDamaged) {
  const struct {
    DWORD storedMode;
    int formModeAtStartup;
    int expected;
  } cases[] = {{6, 0, 6}, {6, 1, 23}, {99, 0, 23}, {0, 0, 23}, {12, 0, 12}};
  for (const auto& c : cases) {
    WriteInt(L"ProgramMode", c.storedMode);
    _FRAME_OPTIONS options = DefaultFrameOptions();
    options.formModeAtStartup = c.formModeAtStartup;
    WriteBinary(L"Options", BytesOf(options));
    ASSERT_NE(nullptr, OpenFrame());
    EXPECT_EQ(c.expected, frame->GetProgramMode()) << c.storedMode << " " << c.formModeAtStartup;
    CloseFrame();
    EXPECT_EQ(static_cast<DWORD>(c.expected), ReadInt(L"ProgramMode"));
  }
}

// ---- Bars and panes ----

TEST_F(MainFrameTest, TheFrameCarriesItsBarsPanesAndStatusBar) {
  ASSERT_NE(nullptr, OpenFrame());
  EXPECT_EQ(4, frame->GetMenuBar().GetCount()) << "File, View, Records, Help of the frame without a document";
  CMainBar* main = frame->GetMainBar();
  ASSERT_NE(nullptr, main);
  EXPECT_EQ(22, main->GetCount());
  EXPECT_NE(nullptr, main->GetScaleComboBox());
  const int spelling = main->CommandToIndex(ID_SPELLING);
  ASSERT_GE(spelling, 0);
  EXPECT_TRUE(main->GetButton(spelling)->IsKindOf(RUNTIME_CLASS(CMFCToolBarMenuButton)));
  EXPECT_STREQ(L"Highlight fields", main->GetButtonText(main->CommandToIndex(ID_VIEW_HIGHLIGHT_FIELDS)));
  EXPECT_EQ(14, frame->GetDrawingToolsBar().GetCount());
  EXPECT_EQ(13, frame->GetImageToolBar().GetCount());
  CDatabaseBar& database = frame->GetDatabaseBar();
  EXPECT_EQ(11, database.GetCount());
  EXPECT_TRUE(database.GetButton(database.CommandToIndex(ID_DB_RECORD_NUMBER))->IsKindOf(RUNTIME_CLASS(CRecNumEdit)));
  EXPECT_EQ(4, frame->GetStatusBar().GetCount());
  EXPECT_FALSE(frame->GetProgressCtrl().IsWindowVisible());

  const struct {
    CWnd* bar;
    const wchar_t* title;
  } titles[] = {{frame->GetMainBar(), L"Main Tools"},
                {&frame->GetDrawingToolsBar(), L"Drawing Tools"},
                {&frame->GetImageToolBar(), L"Image Tools"},
                {&frame->GetDatabaseBar(), L"Database Tools"},
                {&frame->GetFormsPane(), L"Forms"},
                {&frame->GetShelfBar(), L"Shelf"},
                {&frame->GetPropertiesBar(), L"Properties"}};
  for (const auto& t : titles) {
    CString text;
    t.bar->GetWindowText(text);
    EXPECT_STREQ(t.title, text);
  }
  EXPECT_EQ(ID_PANE_FORMS, frame->GetFormsPane().GetDlgCtrlID());
  // The shelf and the properties share a tab group above the forms; the properties are in front.
  CBaseTabbedPane* group = frame->GetShelfBar().GetParentTabbedPane();
  ASSERT_NE(nullptr, group);
  EXPECT_EQ(group, frame->GetPropertiesBar().GetParentTabbedPane());
  EXPECT_EQ(&frame->GetPropertiesBar(), group->GetActivePane());
  CRect forms, tabs;
  frame->GetFormsPane().GetWindowRect(&forms);
  group->GetWindowRect(&tabs);
  EXPECT_LE(tabs.bottom, forms.top);
  // The tool bars dock along the left, the database bar along the bottom, the main bar on top.
  CRect mdi, drawing, image, databaseRect, mainRect;
  ::GetWindowRect(frame->m_hWndMDIClient, &mdi);
  frame->GetDrawingToolsBar().GetWindowRect(&drawing);
  frame->GetImageToolBar().GetWindowRect(&image);
  database.GetWindowRect(&databaseRect);
  main->GetWindowRect(&mainRect);
  EXPECT_LE(drawing.right, image.left + 1) << "the drawing tools left of the image tools";
  EXPECT_LE(image.right, mdi.left + 1);
  EXPECT_GE(databaseRect.top, mdi.bottom - 1);
  EXPECT_LE(mainRect.bottom, mdi.top + 1);
}

// ---- Program modes ----

TEST_F(MainFrameTest, EachToolCommandSetsItsModeAndTheViewTakesItsCursor) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarDoc* doc = NewDocument();
  CFolimarView* view = ViewOf(doc);
  ASSERT_NE(nullptr, view);
  // The image tools are offered for a page with an image of its own.
  doc->GetPage(0)->SetBitmap(Picture());
  const struct {
    UINT command;
    int mode;
    UINT cursor;
  } tools[] = {
      {ID_TOOL_TEXT_FIELD, 1, IDC_CURSOR_TEXT_FIELD},   {ID_TOOL_CHECK_MARK, 2, IDC_CURSOR_CHECK_MARK},
      {ID_TOOL_CROP, 3, IDC_CURSOR_CROP},               {ID_TOOL_ROTATION, 4, IDC_CURSOR_ROTATION},
      {ID_TOOL_BASE_POINT, 5, IDC_CURSOR_BASE_POINT},   {ID_TOOL_RECTANGLE, 6, IDC_CURSOR_RECTANGLE},
      {ID_TOOL_CIRCLE, 7, IDC_CURSOR_CIRCLE},           {ID_TOOL_ELLIPSE, 8, IDC_CURSOR_ELLIPSE},
      {ID_TOOL_POLYGON, 9, IDC_CURSOR_PENCIL},          {ID_TOOL_LINE, 10, IDC_CURSOR_LINE},
      {ID_TOOL_ERASER, 14, IDC_CURSOR_ERASER},          {ID_TOOL_UNERASER, 15, IDC_CURSOR_UNERASER},
      {ID_TOOL_MOVE_IMAGE, 17, 0},                      {ID_TOOL_COPY_REGION, 18, IDC_CURSOR_COPY_REGION},
      {ID_TOOL_WHITE_CORRECTION, 19, IDC_CURSOR_WHITE_REFERENCE},
      {ID_TOOL_BLACK_CORRECTION, 20, IDC_CURSOR_BLACK_REFERENCE},
      {ID_TOOL_LABEL, 24, IDC_CURSOR_LABEL},            {ID_TOOL_BARCODE, 26, IDC_CURSOR_BARCODE},
  };
  for (const auto& t : tools) {
    Command(t.command);
    EXPECT_EQ(t.mode, frame->GetProgramMode()) << t.command;
    EXPECT_EQ(ProgramCursor(t.cursor), reinterpret_cast<HCURSOR>(::GetClassLongPtrW(view->m_hWnd, GCLP_HCURSOR)))
        << "mode " << t.mode;
    EXPECT_EQ(t.mode, CMainFrame::ModeOfCommand(t.command));
  }
  // The cursors are the program's shared ones: after they were replaced they still serve.
  ICONINFO info = {};
  EXPECT_TRUE(::GetIconInfo(ProgramCursor(IDC_CURSOR_RECTANGLE), &info));
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
}

TEST_F(MainFrameTest, WithoutAViewTheModesCursorWaitsForTheNextView) {
  ASSERT_NE(nullptr, OpenFrame());
  // Without a document window the tool commands are disabled; the frame's own call still works.
  Command(ID_TOOL_RECTANGLE);
  EXPECT_EQ(23, frame->GetProgramMode());
  frame->SetProgramMode(8, 1);
  EXPECT_EQ(ProgramCursor(IDC_CURSOR_ELLIPSE), CFolimarView::GetToolCursor());
  CFolimarView* view = ViewOf(NewDocument());
  ASSERT_NE(nullptr, view);
  EXPECT_EQ(ProgramCursor(IDC_CURSOR_ELLIPSE), reinterpret_cast<HCURSOR>(::GetClassLongPtrW(view->m_hWnd, GCLP_HCURSOR)));
}

TEST_F(MainFrameTest, AModeChangeReachesEveryOpenDocument) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarDoc* first = NewDocument();
  CFolimarDoc* second = NewDocument();
  ASSERT_TRUE(first != nullptr && second != nullptr);
  CTranspRectangle* a = SelectedRectangle(first);
  CTranspRectangle* b = SelectedRectangle(second);
  Command(ID_TOOL_SELECT);
  EXPECT_EQ(12, frame->GetProgramMode());
  EXPECT_TRUE(a->IsSelected() && b->IsSelected()) << "select mode keeps the selection";
  Command(ID_TOOL_RECTANGLE);
  EXPECT_FALSE(a->IsSelected()) << "the inactive document";
  EXPECT_FALSE(b->IsSelected()) << "the active document";
}

TEST_F(MainFrameTest, FormModeEmptiesTheUndoHistoryOfTheActiveDocumentOnly) {
  ASSERT_NE(nullptr, OpenFrame());
  Command(ID_TOOL_RECTANGLE);
  CFolimarDoc* inactive = NewDocument();
  CFolimarDoc* active = NewDocument();
  ASSERT_TRUE(inactive != nullptr && active != nullptr);
  inactive->GetPage(0)->m_pUndoManager->DoCommand(new NoteCommand);
  active->GetPage(0)->m_pUndoManager->DoCommand(new NoteCommand);
  Command(ID_TOOL_FORM_MODE);
  EXPECT_EQ(23, frame->GetProgramMode());
  EXPECT_EQ(0u, active->GetPage(0)->m_pUndoManager->GetUndoCount());
  EXPECT_EQ(1u, inactive->GetPage(0)->m_pUndoManager->GetUndoCount());
}

TEST_F(MainFrameTest, TheTogglesReturnToTheModeBefore) {
  ASSERT_NE(nullptr, OpenFrame());
  NewDocument();
  Command(ID_TOOL_LINE);
  Command(ID_TOOL_SELECT);
  EXPECT_EQ(12, frame->GetProgramMode());
  Command(ID_TOOL_SELECT);
  EXPECT_EQ(10, frame->GetProgramMode());
  Command(ID_TOOL_FORM_MODE);
  EXPECT_EQ(23, frame->GetProgramMode());
  Command(ID_TOOL_FORM_MODE);
  EXPECT_EQ(10, frame->GetProgramMode());
  Command(ID_TOOL_TAB_ORDER);
  EXPECT_EQ(22, frame->GetProgramMode());
  Command(ID_TOOL_TAB_ORDER);
  EXPECT_EQ(10, frame->GetProgramMode());
  // Tab order left when the mode before it was tab order too: the text-field tool.
  frame->SetProgramMode(22, 1);
  frame->SetProgramMode(22, 1);
  Command(ID_TOOL_TAB_ORDER);
  EXPECT_EQ(1, frame->GetProgramMode());
}

TEST_F(MainFrameTest, EnteringTabOrderRestartsTheCounterAndShowsTheDefaultFormat) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarView* view = ViewOf(NewDocument());
  ASSERT_NE(nullptr, view);
  int kinds = 5;
  frame->SetPropertyList(_PROPERTIES(), &frame->GetTextStyle(), &kinds);
  EXPECT_EQ(5, frame->GetPropertiesBar().GetKindMask());
  Command(ID_TOOL_TAB_ORDER);
  EXPECT_EQ(0, view->GetTabOrderCounter());
  EXPECT_EQ(0, frame->GetPropertiesBar().GetKindMask());
}

TEST_F(MainFrameTest, TheEraseSizeBoxComesAndGoesWithTheEraserModes) {
  ASSERT_NE(nullptr, OpenFrame());
  NewDocument()->GetPage(0)->SetBitmap(Picture());
  CMainBar* bar = frame->GetMainBar();
  ASSERT_EQ(nullptr, bar->GetEraseSizeButton());
  Command(ID_TOOL_ERASER);
  EXPECT_TRUE(HasPendingToolBarReset());
  Pump();
  CEraseSizeComboButton* box = bar->GetEraseSizeButton();
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(bar->GetCount() - 1, bar->CommandToIndex(ID_ERASE_SIZE)) << "appended at the end";
  ASSERT_EQ(10, box->GetCount());
  EXPECT_STREQ(L"1x1", box->GetItem(0));
  EXPECT_STREQ(L"256x256", box->GetItem(9));
  EXPECT_EQ(32, frame->GetEraseSize()) << "32x32 is chosen when the box comes";

  Command(ID_TOOL_UNERASER);
  EXPECT_FALSE(HasPendingToolBarReset()) << "from one eraser mode to the other the bar stays";
  // A reset of the bar in an eraser mode adds no second box.
  frame->SendMessage(AFX_WM_RESETTOOLBAR, IDR_MAINFRAME, 0);
  EXPECT_EQ(bar->CommandToIndex(ID_ERASE_SIZE), bar->CommandToIndex(ID_ERASE_SIZE, 0));
  EXPECT_EQ(-1, bar->CommandToIndex(ID_ERASE_SIZE, 1));

  bar->GetEraseSizeButton()->GetComboBox()->SetCurSel(8);
  EXPECT_EQ(128, frame->GetEraseSize());
  EXPECT_EQ(8, frame->GetOptions().eraseSizeIndex);

  Command(ID_TOOL_RECTANGLE);
  EXPECT_TRUE(HasPendingToolBarReset());
  Pump();
  EXPECT_EQ(nullptr, bar->GetEraseSizeButton());
  EXPECT_EQ(1, frame->GetEraseSize()) << "without the box the eraser is one pixel";
}

TEST_F(MainFrameTest, SnapToGridTogglesTheSwitchAndItsButton) {
  ASSERT_NE(nullptr, OpenFrame());
  NewDocument();
  CMainBar* bar = frame->GetMainBar();
  const int button = bar->CommandToIndex(ID_VIEW_SNAP_TO_GRID);
  Command(ID_VIEW_SNAP_TO_GRID);
  EXPECT_TRUE(frame->IsSnapToGrid());
  EXPECT_TRUE(bar->GetButtonStyle(button) & TBBS_CHECKED);
  EXPECT_EQ(1, QueryCommand(frame, ID_VIEW_SNAP_TO_GRID).checked);
  Command(ID_VIEW_SNAP_TO_GRID);
  EXPECT_FALSE(frame->IsSnapToGrid());
  EXPECT_FALSE(bar->GetButtonStyle(button) & TBBS_CHECKED);
}

TEST_F(MainFrameTest, ToolCommandsNeedADocumentWindowAndCheckByMode) {
  ASSERT_NE(nullptr, OpenFrame());
  EXPECT_FALSE(QueryCommand(frame, ID_TOOL_RECTANGLE).enabled);
  EXPECT_FALSE(QueryCommand(frame, ID_TOOL_SELECT).enabled);
  EXPECT_FALSE(QueryCommand(frame, ID_FILE_SAVE).enabled);
  NewDocument();
  Command(ID_TOOL_RECTANGLE);
  const COMMAND_STATE rectangle = QueryCommand(frame, ID_TOOL_RECTANGLE);
  EXPECT_TRUE(rectangle.enabled);
  EXPECT_EQ(1, rectangle.checked);
  EXPECT_EQ(0, QueryCommand(frame, ID_TOOL_ELLIPSE).checked);
  EXPECT_EQ(0, QueryCommand(frame, ID_TOOL_BRACE).checked) << "the brace is never checked";
  EXPECT_FALSE(QueryCommand(frame, ID_VIEW_HIGHLIGHT_FIELDS).enabled) << "only in form filling";
  Command(ID_TOOL_FORM_MODE);
  const COMMAND_STATE highlight = QueryCommand(frame, ID_VIEW_HIGHLIGHT_FIELDS);
  EXPECT_TRUE(highlight.enabled);
  EXPECT_EQ(1, highlight.checked);
  Command(ID_VIEW_HIGHLIGHT_FIELDS);
  EXPECT_FALSE(frame->IsHighlightFields());
}

// Image commands by the page's image: none, a JPEG file kept as read, an image of its own pixels.
TEST_F(MainFrameTest, ImageCommandsFollowThePageImage) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarDoc* doc = NewDocument();
  ASSERT_NE(nullptr, doc);
  const UINT anyImage[] = {ID_TOOL_ERASER, ID_TOOL_UNERASER, ID_IMAGE_VIEW, ID_IMAGE_MOVE_LEFT, ID_TOOL_MOVE_IMAGE};
  const UINT ownPixels[] = {ID_TOOL_CROP, ID_TOOL_ROTATION, ID_TOOL_COPY_REGION, ID_TOOL_BASE_POINT,
                            ID_TOOL_WHITE_CORRECTION, ID_TOOL_BLACK_CORRECTION};
  for (UINT id : anyImage) EXPECT_FALSE(QueryCommand(frame, id).enabled) << "no image: " << id;

  doc->GetPage(0)->SetBitmap(Picture());
  const BYTE jpegBytes[] = {0xFF, 0xD8, 0xFF, 0xD9};
  doc->GetPage(0)->SetImageFileBytes(jpegBytes, sizeof(jpegBytes));
  for (UINT id : anyImage) EXPECT_TRUE(QueryCommand(frame, id).enabled) << "JPEG page: " << id;
  for (UINT id : ownPixels) EXPECT_FALSE(QueryCommand(frame, id).enabled) << "JPEG page: " << id;

  doc->GetPage(0)->FreeImageFileBytes();
  for (UINT id : ownPixels) EXPECT_TRUE(QueryCommand(frame, id).enabled) << "own pixels: " << id;
  Command(ID_TOOL_CROP);
  EXPECT_EQ(1, QueryCommand(frame, ID_TOOL_CROP).checked);
  Command(ID_TOOL_BASE_POINT);
  EXPECT_EQ(0, QueryCommand(frame, ID_TOOL_BASE_POINT).checked) << "the base point is never checked";
}

TEST_F(MainFrameTest, AnotherTabWithoutAnEditableImageEndsAnImageTool) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarDoc* plain = NewDocument();
  CFolimarDoc* picture = NewDocument();
  ASSERT_TRUE(plain != nullptr && picture != nullptr);
  picture->GetPage(0)->SetBitmap(Picture());
  Command(ID_TOOL_CROP);
  frame->MDIActivate(ViewOf(plain)->GetParentFrame());
  frame->SendMessage(AFX_WM_CHANGE_ACTIVE_TAB, 0, 0);
  EXPECT_EQ(1, frame->GetProgramMode());
  Command(ID_TOOL_SELECT);
  frame->SendMessage(AFX_WM_CHANGE_ACTIVE_TAB, 0, 0);
  EXPECT_EQ(12, frame->GetProgramMode()) << "select mode needs no image";
}

// ---- Documents, record box and properties ----

TEST_F(MainFrameTest, TheRecordBoxFollowsTheActiveDocument) {
  ASSERT_NE(nullptr, OpenFrame());
  CEdit* edit = static_cast<CMFCToolBarEditBoxButton*>(CDatabaseBar::FindRecNumEdit())->GetEditBox();
  ASSERT_NE(nullptr, edit);
  CFolimarDoc* doc = NewDocument();
  ASSERT_NE(nullptr, doc);
  frame->UpdateTools();
  CString text;
  edit->GetWindowText(text);
  EXPECT_STREQ(L"0", text);
  EXPECT_TRUE(edit->IsWindowEnabled());
  doc->OnCloseDocument();
  Pump();
  frame->UpdateTools();
  edit->GetWindowText(text);
  EXPECT_STREQ(L"", text);
  EXPECT_FALSE(edit->IsWindowEnabled());
}

TEST_F(MainFrameTest, ClosingTheLastDocumentWindowShowsTheDefaultProperties) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarDoc* first = NewDocument();
  CFolimarDoc* second = NewDocument();
  int kinds = 3;
  _PROPERTIES shown;
  shown.decimals = 5;
  frame->SetPropertyList(shown, &frame->GetTextStyle(), &kinds);
  second->OnCloseDocument();
  Pump();
  EXPECT_EQ(3, frame->GetPropertiesBar().GetKindMask()) << "a document window is left";
  first->OnCloseDocument();
  Pump();
  EXPECT_EQ(0, frame->GetPropertiesBar().GetKindMask());
  EXPECT_EQ(2, frame->GetPropertiesBar().GetShownProperties().decimals);
}

// The database commands of a document window's menu go from the frame to the active document.
TEST_F(MainFrameTest, TheDatabaseMenuCommandsReachTheActiveDocument) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarDoc* bare = NewDocument();
  ASSERT_NE(nullptr, bare);
  Pump();
  const UINT commands[] = {ID_DB_IMPORT, ID_DB_QUICK_IMPORT, ID_DB_EXPORT, ID_DB_IMPORT_FROM_DOCUMENT};
  for (UINT id : commands) EXPECT_TRUE(MenuHolds(frame->GetMenuBar().GetHMenu(), id)) << id;

  // A document without fields answers each command with its message; quick import, disabled until
  // the document has a stored link, is not carried out before.
  g_shown.clear();
  MessageBoxPresenter previous = SetMessageBoxPresenter(RecordBox);
  for (UINT id : commands) Command(id);
  EXPECT_EQ(3u, g_shown.size());
  EXPECT_FALSE(QueryCommand(frame, ID_DB_QUICK_IMPORT).enabled);
  bare->m_fieldLinks.Add(_FIELDNUMBERSCOLLATION{0, 0});
  EXPECT_TRUE(QueryCommand(frame, ID_DB_QUICK_IMPORT).enabled);
  Command(ID_DB_QUICK_IMPORT);
  SetMessageBoxPresenter(previous);
  CString none;
  none.LoadString(IDS_NO_FIELDS_IN_DOCUMENT);
  EXPECT_EQ(std::vector<std::wstring>(4, std::wstring(none)), g_shown);

  // With a field, import and export bring up the wizard and import from a document the file dialog;
  // the other document is not asked.
  CFolimarDoc* doc = NewDocument();
  ASSERT_NE(nullptr, doc);
  Pump();
  EXPECT_FALSE(QueryCommand(frame, ID_DB_QUICK_IMPORT).enabled) << "the new document has no link";
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  CTranspText* field = new CTranspText(ViewOf(doc), 10000, 10000, &style, nullptr, L"", 0);
  field->SetName(L"Name");
  doc->AddObjectToList(field);
  doc->AddDBField(field, 0);
  // What each command shows: the wizard on its data-source page, or a file dialog (no sheet).
  const struct {
    UINT id;
    bool wizard;
  } shown[] = {{ID_DB_IMPORT, true}, {ID_DB_EXPORT, true}, {ID_DB_IMPORT_FROM_DOCUMENT, false}};
  g_shown.clear();
  previous = SetMessageBoxPresenter(RecordBox);
  for (const auto& c : shown) {
    bool sheet = false, dataSourcePage = false;
    std::wstring caption;
    testing_support::RunDialog(
        [&]() -> INT_PTR {
          Command(c.id);
          return 0;
        },
        [&](HWND window) {
          HWND page = reinterpret_cast<HWND>(::SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0));
          sheet = page != nullptr;
          dataSourcePage = sheet && ::GetDlgItem(page, IDC_DB_OPEN_DSN) != nullptr;
          wchar_t text[128] = {};
          ::GetWindowTextW(window, text, _countof(text));
          caption = text;
        });
    EXPECT_EQ(c.wizard, sheet) << c.id;
    EXPECT_EQ(c.wizard, dataSourcePage) << c.id;
    if (!c.wizard) EXPECT_FALSE(caption.empty()) << "a file dialog";
  }
  SetMessageBoxPresenter(previous);
  EXPECT_TRUE(g_shown.empty()) << "the document without fields was not asked";
}

// ---- Closing: the backup and the temporary folder ----

class FrameClosingTest : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    theApp.m_cmdInfo.m_commandLine = 0;
  }
  void TearDown() override {
    theApp.m_cmdInfo.m_commandLine = 0;
    MainFrameTest::TearDown();
  }
  static int64_t StoredTime(const std::string& bytes) {
    int64_t time = 0;
    if (bytes.size() == sizeof(time)) memcpy(&time, bytes.data(), sizeof(time));
    return time;
  }
  // Whether closing made the automatic backup: its dated archive appears where the settings say.
  BOOL BackupRanOnClose() {
    const std::wstring folder = temp_.Path() + L"AutoBackups";
    testing_support::WriteFileBytes(profile_.Documents() + L"\\Vantry\\form.rud", "form");
    WriteString(L"AutoBackupFilePath", folder + L"\\Auto.7z");
    fixtures::RemoveFolderTree(folder);
    EXPECT_NE(nullptr, OpenFrame());
    CloseFrame();
    SYSTEMTIME now = {};
    GetSystemTime(&now);
    wchar_t name[64];
    swprintf(name, _countof(name), L"\\Auto %.2d %.2d %.4d.7z", now.wMonth, now.wDay, now.wYear);
    return ::GetFileAttributesW((folder + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

TEST_F(FrameClosingTest, TheBackupRunsOnEveryCloseOrWeekly) {
  WriteInt(L"AutoBackup", 1);
  WriteInt(L"OnClose", 0);
  EXPECT_TRUE(BackupRanOnClose()) << "every close";

  WriteInt(L"OnClose", 1);
  const int64_t now = static_cast<int64_t>(::time(nullptr));
  WriteBinary(L"BackupTime", BytesOf(now - 3600));
  EXPECT_FALSE(BackupRanOnClose()) << "an hour after the last backup";
  EXPECT_EQ(now - 3600, StoredTime(ReadBinary(L"BackupTime")));

  WriteBinary(L"BackupTime", BytesOf(now - 8 * 86400));
  EXPECT_TRUE(BackupRanOnClose()) << "eight days after";
  EXPECT_GE(StoredTime(ReadBinary(L"BackupTime")), now);

  WriteInt(L"OnClose", 2);
  EXPECT_FALSE(BackupRanOnClose()) << "never";
  WriteInt(L"OnClose", 0);
  WriteInt(L"AutoBackup", 0);
  EXPECT_FALSE(BackupRanOnClose()) << "automatic backup off";
}

// A hidden run from the command line would wait for ever on the backup's dialog.
TEST_F(FrameClosingTest, ARunFromTheCommandLineNeverStartsTheBackup) {
  WriteInt(L"AutoBackup", 1);
  WriteInt(L"OnClose", 0);
  theApp.m_cmdInfo.m_commandLine = 1;
  EXPECT_FALSE(BackupRanOnClose());
}

// File > Backup... and File > Restore... close the documents and open their dialogs.
TEST_F(FrameClosingTest, TheBackupCommandsOpenTheirDialogsAfterClosingTheDocuments) {
  ASSERT_NE(nullptr, OpenFrame());
  for (UINT command : {static_cast<UINT>(ID_FILE_BACKUP), static_cast<UINT>(ID_FILE_RESTORE)}) {
    NewDocument()->SetModifiedFlag(FALSE);  // a modified one would ask first
    std::wstring title;
    int documentsWhileOpen = -1;
    testing_support::RunDialog(
        [&] {
          frame->SendMessage(WM_COMMAND, command, 0);
          return INT_PTR(0);
        },
        [&](HWND dialog) {
          wchar_t text[64] = L"";
          GetWindowTextW(dialog, text, _countof(text));
          title = text;
          documentsWhileOpen = static_cast<int>(s_template->GetFirstDocPosition() != nullptr);
        });
    EXPECT_EQ(title, command == ID_FILE_BACKUP ? L"Backup" : L"Restore");
    EXPECT_EQ(documentsWhileOpen, 0);
  }
  CloseFrame();
}

TEST_F(FrameClosingTest, TheFrameClearsOnlyTheProgramsTemporaryFolder) {
  const std::wstring own = temp_.Path() + L"Vantry\\";
  ::CreateDirectoryW(own.c_str(), nullptr);
  ASSERT_TRUE(testing_support::WriteFileBytes(own + L"left.bmp", "x"));
  ASSERT_TRUE(testing_support::WriteFileBytes(temp_.Path() + L"beside.txt", "x"));
  ASSERT_NE(nullptr, OpenFrame());
  CloseFrame();
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((own + L"left.bmp").c_str()));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((temp_.Path() + L"beside.txt").c_str()));
}

// An empty or relative folder would be the current folder: nothing there is deleted.
TEST(DeleteFiles, OnlyAFullPathIsCleared) {
  testing_support::TempFolder folder;
  ASSERT_TRUE(testing_support::WriteFileBytes(folder.File(L"keep.txt"), "x"));
  ::CreateDirectoryW(folder.File(L"sub").c_str(), nullptr);
  ASSERT_TRUE(testing_support::WriteFileBytes(folder.File(L"sub\\inner.txt"), "x"));
  wchar_t previous[MAX_PATH];
  ::GetCurrentDirectoryW(MAX_PATH, previous);
  ::SetCurrentDirectoryW(folder.Path().c_str());
  EXPECT_EQ(0, DeleteFiles(L""));
  EXPECT_EQ(0, DeleteFiles(L"sub"));
  EXPECT_EQ(0, DeleteFiles(L".\\"));
  ::SetCurrentDirectoryW(previous);
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder.File(L"keep.txt").c_str()));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder.File(L"sub\\inner.txt").c_str()));
  EXPECT_EQ(1, DeleteFiles(CString(folder.Path().c_str())));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder.File(L"keep.txt").c_str()));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder.File(L"sub").c_str())) << "folders stay";
}

}  // namespace
