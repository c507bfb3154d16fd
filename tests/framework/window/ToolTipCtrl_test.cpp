// Tool tips with real common controls: the plain control's tools, the framework's own tip drawn
// and sized by itself (read back as pixels), the manager that hands each kind of control its
// tool-tip class and parameters, and the texts a command's tip shows.
#include <gtest/gtest.h>

#include "AppExTestIds.h"
#include "AppExTestSupport.h"

using appex_test::Between;
using appex_test::Describe;
using appex_test::Pixels;
using appex_test::TheApp;

namespace {

const wchar_t kLongDescription[] =
    L"Saves the active document under its current name, in the folder it was opened from, replacing the file.";

class ToolTips : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Tips", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                                200, nullptr, nullptr));
    ASSERT_TRUE(child.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, parent.m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(7))));
  }
  // Shows `tip` for a tracking tool with `label` at a fixed screen point, as the control does when
  // the mouse rests on a tool.
  static void ShowTracked(CToolTipCtrl& tip, CWnd& owner, const wchar_t* label) {
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = owner.m_hWnd;
    ti.uId = 1;
    ti.lpszText = const_cast<LPWSTR>(label);
    tip.SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    ASSERT_TRUE(tip.SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
    tip.SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(50, 60));
    tip.SendMessage(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    appex_test::PumpMessages();
  }
  static CSize WindowSize(CWnd& w) {
    CRect r;
    w.GetWindowRect(&r);
    return r.Size();
  }
  CWnd parent, child;
};

TEST_F(ToolTips, ThePlainControlKeepsToolsAndTheirTexts) {
  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&parent));
  EXPECT_TRUE(tip.GetExStyle() & WS_EX_TOPMOST);
  EXPECT_TRUE(tip.GetStyle() & TTS_NOPREFIX);
  const CRect area(0, 0, 40, 20);
  ASSERT_TRUE(tip.AddTool(&parent, L"Zoom", &area, 11));
  ASSERT_TRUE(tip.AddTool(&child, ID_TEST_SAVE));  // the whole child window, text from the string table
  EXPECT_EQ(tip.GetToolCount(), 2);
  CString text;
  tip.GetText(text, &parent, 11);
  EXPECT_EQ(text, L"Zoom");
  tip.GetText(text, &child);
  EXPECT_EQ(text, L"Save the active document\nSave");
  tip.UpdateTipText(L"Zoom in", &parent, 11);
  tip.GetText(text, &parent, 11);
  EXPECT_EQ(text, L"Zoom in");

  const CRect moved(50, 0, 90, 20);
  tip.SetToolRect(&parent, 11, &moved);
  CToolInfo info;
  ASSERT_TRUE(tip.GetToolInfo(info, &parent, 11));
  EXPECT_EQ(CRect(info.rect), moved);
  TOOLINFOW hit = {};
  ASSERT_TRUE(tip.HitTest(&parent, CPoint(60, 10), &hit));
  EXPECT_EQ(hit.uId, 11u);
  EXPECT_FALSE(tip.HitTest(&parent, CPoint(10, 10), &hit));

  tip.SetMaxTipWidth(150);
  EXPECT_EQ(tip.GetMaxTipWidth(), 150);
  tip.SetDelayTime(TTDT_INITIAL, 10);
  EXPECT_EQ(tip.GetDelayTime(TTDT_INITIAL), 10);
  tip.DelTool(&parent, 11);
  EXPECT_EQ(tip.GetToolCount(), 1);
  EXPECT_FALSE(tip.GetToolInfo(info, &parent, 11));
}

// The framework's tip: what it shows and how big it is, with the parameters the product sets.
CMFCToolTipInfo ProductParams() {
  CMFCToolTipInfo params;
  params.m_bBoldLabel = FALSE;
  params.m_bDrawDescription = TRUE;
  params.m_bDrawIcon = TRUE;
  params.m_bRoundedCorners = FALSE;
  params.m_bDrawSeparator = TRUE;
  params.m_bVislManagerTheme = FALSE;
  params.m_nMaxDescrWidth = 200;
  params.m_clrFill = RGB(250, 240, 200);
  params.m_clrText = RGB(20, 20, 120);
  params.m_clrBorder = RGB(200, 0, 0);
  return params;
}

// Pixels of a rectangle that are not the flat fill: text, lines, the icon.
int Ink(const Pixels& p, const CRect& r, COLORREF fill) {
  return r.IsRectEmpty() ? 0 : r.Width() * r.Height() - p.Count(r, fill);
}

// The rows inside the border holding ink, as [first, last] bands.
std::vector<std::pair<int, int>> InkBands(const Pixels& p, COLORREF fill) {
  std::vector<std::pair<int, int>> bands;
  for (int y = 1; y < p.Height() - 1; ++y) {
    const bool inked = Ink(p, CRect(1, y, p.Width() - 1, y + 1), fill) > 0;
    if (!inked) continue;
    if (!bands.empty() && bands.back().second == y - 1) bands.back().second = y;
    else bands.push_back({y, y});
  }
  return bands;
}

TEST_F(ToolTips, TheFrameworkTipShowsItsLabelASeparatorAndTheDescription) {
  CMFCToolTipInfo params = ProductParams();
  CMFCToolTipCtrl tip(&params);
  ASSERT_TRUE(tip.Create(&parent));
  tip.SetDescription(L"Save the active document");
  ShowTracked(tip, parent, L"Save (Ctrl+S)");
  ASSERT_TRUE(tip.IsWindowVisible());
  EXPECT_EQ(tip.GetLabel(), L"Save (Ctrl+S)");
  // The window has the size of what the tip draws.
  EXPECT_EQ(WindowSize(tip), tip.GetTipSize());

  const Pixels p = Pixels::OfWindow(tip.m_hWnd);
  EXPECT_EQ(p.At(0, 0), params.m_clrBorder) << Describe(p.At(0, 0));
  EXPECT_EQ(p.At(p.Width() - 1, p.Height() - 1), params.m_clrBorder);
  EXPECT_EQ(p.At(1, 1), params.m_clrFill) << Describe(p.At(1, 1));
  // Three bands of ink from top to bottom: the label, the separator (one full row), the description.
  const auto bands = InkBands(p, params.m_clrFill);
  ASSERT_EQ(bands.size(), 3u);
  EXPECT_EQ(bands[1].first, bands[1].second) << "the separator is one row";
  EXPECT_GE(p.Count(CRect(4, bands[1].first, p.Width() - 4, bands[1].first + 1), params.m_clrText), p.Width() - 9);

  // Without a description the tip is only its label: shorter, one band.
  tip.SetDescription(L"");
  ShowTracked(tip, parent, L"Save (Ctrl+S)");
  const CSize labelOnly = WindowSize(tip);
  EXPECT_LT(labelOnly.cy, p.Height());
  EXPECT_EQ(InkBands(Pixels::OfWindow(tip.m_hWnd), params.m_clrFill).size(), 1u);
}

// A bar's way: the tool's text is asked for when the tip shows, and the description set then.
class AskedOwner : public CWnd {
 public:
  CMFCToolTipCtrl* tip = nullptr;
  int asked = 0;

 protected:
  afx_msg void OnNeedText(NMHDR* header, LRESULT* result) {
    ++asked;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    info->lpszText = const_cast<LPWSTR>(L"Save (Ctrl+S)");
    tip->SetDescription(L"Save the active document");
    *result = 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(AskedOwner, CWnd)
ON_NOTIFY(TTN_GETDISPINFOW, 1, OnNeedText)
END_MESSAGE_MAP()

TEST_F(ToolTips, ATextAskedForWhenTheTipShowsIsItsLabel) {
  AskedOwner owner;
  ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent.m_hWnd, nullptr));
  CMFCToolTipInfo params = ProductParams();
  CMFCToolTipCtrl tip(&params);
  owner.tip = &tip;
  ASSERT_TRUE(tip.Create(&parent));
  ShowTracked(tip, owner, LPSTR_TEXTCALLBACKW);
  EXPECT_GE(owner.asked, 1);
  EXPECT_EQ(tip.GetLabel(), L"Save (Ctrl+S)");
  EXPECT_EQ(WindowSize(tip), tip.GetTipSize());
  EXPECT_EQ(InkBands(Pixels::OfWindow(tip.m_hWnd), params.m_clrFill).size(), 3u);
}

TEST_F(ToolTips, TheDescriptionWrapsAtTheMaximalWidth) {
  struct Case {
    int maxWidth;
  } cases[] = {{120}, {200}, {400}};
  int previousHeight = 0x7FFF;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.maxWidth);
    CMFCToolTipInfo params = ProductParams();
    params.m_nMaxDescrWidth = c.maxWidth;
    CMFCToolTipCtrl tip(&params);
    ASSERT_TRUE(tip.Create(&parent));
    tip.SetDescription(kLongDescription);
    ShowTracked(tip, parent, L"Save");
    const CSize size = WindowSize(tip);
    // The label is short: the width is the description's, at most the limit and the margins.
    EXPECT_LE(size.cx, c.maxWidth + 2 * 4);
    EXPECT_GT(size.cx, c.maxWidth / 2);
    // A narrower limit takes more lines.
    EXPECT_LT(size.cy, previousHeight);
    previousHeight = size.cy;
    // No ink right of the limit.
    const Pixels p = Pixels::OfWindow(tip.m_hWnd);
    EXPECT_EQ(Ink(p, CRect(4 + c.maxWidth, 1, p.Width() - 1, p.Height() - 1), params.m_clrFill), 0);
  }
}

TEST_F(ToolTips, ABoldLabelTakesMoreInk) {
  int ink[2] = {};
  for (BOOL bold : {FALSE, TRUE}) {
    CMFCToolTipInfo params = ProductParams();
    params.m_bBoldLabel = bold;
    params.m_bDrawDescription = FALSE;
    CMFCToolTipCtrl tip(&params);
    ASSERT_TRUE(tip.Create(&parent));
    ShowTracked(tip, parent, L"Save the document");
    const Pixels p = Pixels::OfWindow(tip.m_hWnd);
    ink[bold] = Ink(p, CRect(1, 1, p.Width() - 1, p.Height() - 1), params.m_clrFill);
  }
  EXPECT_GT(ink[0], 0);
  EXPECT_GT(ink[1], ink[0]);
}

TEST_F(ToolTips, TheIconStandsLeftOfTheTexts) {
  // A solid green 16 x 16 icon.
  BYTE andMask[16 * 16 / 8] = {};
  HDC screen = GetDC(nullptr);
  HBITMAP color = CreateCompatibleBitmap(screen, 16, 16);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, color);
  RECT all = {0, 0, 16, 16};
  HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
  FillRect(memory, &all, green);
  SelectObject(memory, old);
  DeleteObject(green);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  ICONINFO info = {TRUE, 0, 0, CreateBitmap(16, 16, 1, 1, andMask), color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(info.hbmMask);
  DeleteObject(color);
  ASSERT_NE(icon, nullptr);

  CMFCToolTipInfo params = ProductParams();
  CMFCToolTipCtrl tip(&params);
  ASSERT_TRUE(tip.Create(&parent));
  tip.SetDescription(L"Open an existing document");
  ShowTracked(tip, parent, L"Open");
  const CSize without = WindowSize(tip);
  tip.SetIcon(icon);
  ShowTracked(tip, parent, L"Open");
  const CSize with = WindowSize(tip);
  EXPECT_EQ(with.cx, without.cx + 16 + 4);
  const Pixels p = Pixels::OfWindow(tip.m_hWnd);
  EXPECT_EQ(p.At(4 + 8, 4 + 8), RGB(0, 160, 0)) << Describe(p.At(12, 12));
  // Left of the texts' column there is only the icon and the start of the separator line.
  EXPECT_EQ(Ink(p, CRect(1, 1, 4 + 16 + 4, p.Height() - 1), params.m_clrFill), 16 * 16 + 16 + 4);
  EXPECT_EQ(p.Count(CRect(1, 1, 4 + 16 + 4, p.Height() - 1), RGB(0, 160, 0)), 16 * 16);

  // Without m_bDrawIcon the icon is left out.
  params.m_bDrawIcon = FALSE;
  tip.SetParams(&params);
  ShowTracked(tip, parent, L"Open");
  EXPECT_EQ(WindowSize(tip), without);
  tip.SetIcon(nullptr);
  DestroyIcon(icon);
}

TEST_F(ToolTips, TheLooksThemeGivesTheTipTheLooksColours) {
  CMFCToolTipInfo params = ProductParams();
  params.m_bVislManagerTheme = TRUE;
  CMFCToolTipCtrl tip(&params);
  ASSERT_TRUE(tip.Create(&parent));
  tip.SetDescription(L"Open an existing document");
  for (CRuntimeClass* look : {RUNTIME_CLASS(CMFCVisualManagerOffice2003), RUNTIME_CLASS(CMFCVisualManagerVS2005)}) {
    SCOPED_TRACE(look->m_lpszClassName);
    CMFCVisualManager::SetDefaultManager(look);
    const FwLookPalette& palette = CMFCVisualManager::GetInstance()->Palette();
    ShowTracked(tip, parent, L"Open");
    const Pixels p = Pixels::OfWindow(tip.m_hWnd);
    EXPECT_EQ(p.At(0, 0), palette.toolTipBorder) << Describe(p.At(0, 0));
    EXPECT_TRUE(Between(p.At(1, 1), palette.toolTipFill, palette.toolTipFillGradient)) << Describe(p.At(1, 1));
    EXPECT_TRUE(Between(p.At(1, p.Height() - 2), palette.toolTipFill, palette.toolTipFillGradient));
    EXPECT_GT(p.Count(CRect(1, 1, p.Width() - 1, p.Height() - 1), palette.toolTipText), 0) << "text in the look's colour";
  }
  CMFCVisualManager::DestroyInstance();
}

TEST_F(ToolTips, AGradientFillRunsInTheDirectionOfItsAngle) {
  struct Case {
    int angle;
    bool vertical;
    bool reverse;
  } cases[] = {{0, false, false}, {90, true, false}, {180, false, true}, {270, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "angle " << c.angle);
    CMFCToolTipInfo params = ProductParams();
    params.m_bDrawDescription = FALSE;
    params.m_clrFill = RGB(255, 255, 255);
    params.m_clrFillGradient = RGB(0, 0, 255);
    params.m_nGradientAngle = c.angle;
    params.m_clrText = RGB(255, 0, 0);
    CMFCToolTipCtrl tip(&params);
    ASSERT_TRUE(tip.Create(&parent));
    ShowTracked(tip, parent, L"x");
    const Pixels p = Pixels::OfWindow(tip.m_hWnd);
    const COLORREF start = c.vertical ? p.At(1, 1) : p.At(1, p.Height() / 2);
    const COLORREF end = c.vertical ? p.At(1, p.Height() - 2) : p.At(p.Width() - 2, p.Height() / 2);
    const COLORREF whiteEnd = c.reverse ? end : start, blueEnd = c.reverse ? start : end;
    EXPECT_GT(GetRValue(whiteEnd), 200) << Describe(whiteEnd);
    EXPECT_LT(GetRValue(blueEnd), 60) << Describe(blueEnd);
  }
}

// ---- The manager ------------------------------------------------------------------------------

class TooltipManager : public ToolTips {
 protected:
  void SetUp() override {
    ToolTips::SetUp();
    TheApp().InitTooltipManager();
    manager = TheApp().GetTooltipManager();
  }
  void TearDown() override { manager->SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, nullptr, nullptr); }
  CTooltipManager* manager = nullptr;
};

TEST_F(TooltipManager, EachTypeGetsItsClassAndParametersAsTheProductSetsThem) {
  CMFCToolTipInfo params = ProductParams();
  params.m_bVislManagerTheme = TRUE;
  params.m_clrFill = params.m_clrText = params.m_clrBorder = static_cast<COLORREF>(-1);
  manager->SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, RUNTIME_CLASS(CMFCToolTipCtrl), &params);

  for (UINT type = AFX_TOOLTIP_TYPE_DEFAULT; type <= AFX_TOOLTIP_TYPE_CAPTIONBAR; type <<= 1) {
    SCOPED_TRACE(testing::Message() << "type " << type);
    CToolTipCtrl* tip = nullptr;
    ASSERT_TRUE(CTooltipManager::CreateToolTip(tip, &parent, type));
    ASSERT_NE(tip, nullptr);
    ASSERT_TRUE(tip->IsKindOf(RUNTIME_CLASS(CMFCToolTipCtrl)));
    const CMFCToolTipInfo& made = static_cast<CMFCToolTipCtrl*>(tip)->GetParams();
    EXPECT_FALSE(made.m_bBoldLabel);
    EXPECT_TRUE(made.m_bDrawDescription && made.m_bDrawIcon && made.m_bDrawSeparator && made.m_bVislManagerTheme);
    EXPECT_FALSE(made.m_bRoundedCorners);
    EXPECT_EQ(made.m_nMaxDescrWidth, 200);
    EXPECT_EQ(made.m_clrFill, static_cast<COLORREF>(-1));
    EXPECT_TRUE(IsWindow(tip->m_hWnd));
    EXPECT_EQ(GetWindow(tip->m_hWnd, GW_OWNER), parent.m_hWnd);
    HWND window = tip->m_hWnd;
    CTooltipManager::DeleteToolTip(tip);
    EXPECT_EQ(tip, nullptr);
    EXPECT_FALSE(IsWindow(window));
  }
}

TEST_F(TooltipManager, ATypeSetBackToDefaultGetsThePlainControlAndAWrongClassChangesNothing) {
  manager->SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, RUNTIME_CLASS(CMFCToolTipCtrl), nullptr);
  manager->SetTooltipParams(AFX_TOOLTIP_TYPE_TAB);
  manager->SetTooltipParams(AFX_TOOLTIP_TYPE_TOOLBAR, RUNTIME_CLASS(CWnd));
  EXPECT_EQ(manager->GetTooltipClass(AFX_TOOLTIP_TYPE_TAB), nullptr);
  EXPECT_EQ(manager->GetTooltipClass(AFX_TOOLTIP_TYPE_TOOLBAR), RUNTIME_CLASS(CMFCToolTipCtrl));

  CToolTipCtrl* tab = nullptr;
  CToolTipCtrl* bar = nullptr;
  ASSERT_TRUE(CTooltipManager::CreateToolTip(tab, &parent, AFX_TOOLTIP_TYPE_TAB));
  ASSERT_TRUE(CTooltipManager::CreateToolTip(bar, &parent, AFX_TOOLTIP_TYPE_TOOLBAR));
  EXPECT_FALSE(tab->IsKindOf(RUNTIME_CLASS(CMFCToolTipCtrl)));
  EXPECT_TRUE(bar->IsKindOf(RUNTIME_CLASS(CMFCToolTipCtrl)));
  // Defaults: a bold label, no separator.
  EXPECT_TRUE(static_cast<CMFCToolTipCtrl*>(bar)->GetParams().m_bBoldLabel);
  EXPECT_FALSE(static_cast<CMFCToolTipCtrl*>(bar)->GetParams().m_bDrawSeparator);
  CTooltipManager::DeleteToolTip(tab);
  CTooltipManager::DeleteToolTip(bar);

  CToolTipCtrl* none = reinterpret_cast<CToolTipCtrl*>(1);
  EXPECT_FALSE(CTooltipManager::CreateToolTip(none, &parent, AFX_TOOLTIP_TYPE_TAB | AFX_TOOLTIP_TYPE_TOOLBAR));
  EXPECT_EQ(none, nullptr);
}

class TipListener : public CWnd {
 public:
  UINT types = 0;
  int calls = 0;

 protected:
  afx_msg LRESULT OnUpdateTips(WPARAM wParam, LPARAM) {
    types = static_cast<UINT>(wParam);
    ++calls;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TipListener, CWnd)
ON_REGISTERED_MESSAGE(AFX_WM_UPDATETOOLTIPS, OnUpdateTips)
END_MESSAGE_MAP()

TEST_F(TooltipManager, ChangedParametersAreAnnouncedToEveryWindow) {
  TipListener top, inner;
  ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  ASSERT_TRUE(inner.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD, 0, 0, 5, 5, parent.m_hWnd, nullptr));
  manager->SetTooltipParams(AFX_TOOLTIP_TYPE_TOOLBAR | AFX_TOOLTIP_TYPE_TAB, RUNTIME_CLASS(CMFCToolTipCtrl));
  EXPECT_EQ(top.calls, 1);
  EXPECT_EQ(inner.calls, 1);
  EXPECT_EQ(inner.types, static_cast<UINT>(AFX_TOOLTIP_TYPE_TOOLBAR | AFX_TOOLTIP_TYPE_TAB));
}

TEST_F(TooltipManager, SetTooltipTextGivesTheToolItsTextAndTheTipItsDescription) {
  manager->SetTooltipParams(AFX_TOOLTIP_TYPE_TOOLBAR, RUNTIME_CLASS(CMFCToolTipCtrl));
  CToolTipCtrl* tip = nullptr;
  ASSERT_TRUE(CTooltipManager::CreateToolTip(tip, &parent, AFX_TOOLTIP_TYPE_TOOLBAR));
  const CRect area(0, 0, 20, 20);
  ASSERT_TRUE(tip->AddTool(&parent, L"old", &area, 5));
  TOOLINFOW ti = {};
  ti.cbSize = TTTOOLINFOW_V1_SIZE;
  ti.hwnd = parent.m_hWnd;
  ti.uId = 5;
  CTooltipManager::SetTooltipText(&ti, tip, AFX_TOOLTIP_TYPE_TOOLBAR, L"Save (Ctrl+S)", L"Save the active document");
  CString text;
  tip->GetText(text, &parent, 5);
  EXPECT_EQ(text, L"Save (Ctrl+S)");
  EXPECT_EQ(static_cast<CMFCToolTipCtrl*>(tip)->GetDescription(), L"Save the active document");
  CTooltipManager::DeleteToolTip(tip);
}

// ---- A command's tip texts ----------------------------------------------------------------------

TEST_F(ToolTips, ACommandsTipIsItsTipTextWithTheShortcutAndItsPromptDescribesIt) {
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
  ACCEL save = {FVIRTKEY | FCONTROL, 'S', ID_TEST_SAVE};
  frame->m_hAccelTable = CreateAcceleratorTableW(&save, 1);
  struct Case {
    LANGID language;
    UINT id;
    const wchar_t* label;
    const wchar_t* description;
  } cases[] = {
      {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), ID_TEST_SAVE, L"Save (Ctrl+S)", L"Save the active document"},
      {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), ID_TEST_SAVE, L"Speichern (Strg+S)", L"Speichert das aktive Dokument"},
      {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), ID_TEST_OPEN, L"Open", L"Open an existing document"},
      {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), ID_TEST_OPEN, L"\u00d6ffnen", L"\u00d6ffnet ein vorhandenes Dokument"},
      {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), ID_TEST_PROMPT_ONLY, L"Only a prompt", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "command " << c.id << ", language " << c.language);
    appex_test::ScopedLanguage language(c.language);
    CString label, description;
    ASSERT_TRUE(CTooltipManager::GetCommandTipTexts(c.id, label, description, frame));
    EXPECT_EQ(label, c.label);
    EXPECT_EQ(description, c.description);
  }
  CString label(L"stale"), description(L"stale");
  EXPECT_FALSE(CTooltipManager::GetCommandTipTexts(ID_TEST_NO_STRING, label, description, frame));
  EXPECT_TRUE(label.IsEmpty() && description.IsEmpty());
  DestroyAcceleratorTable(frame->m_hAccelTable);
  frame->m_hAccelTable = nullptr;
  frame->DestroyWindow();
}

}  // namespace
