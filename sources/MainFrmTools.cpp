// The main frame's remaining commands and services: the default properties the properties pane
// edits, help topics, the options sheet and the spell checker's language choice.
#include "MainFrm.h"

#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MyProcs.h"
#include "OptionsSheet.h"
#include "SharedProcs.h"
#include "SpellCheckerClient.h"
#include "resource.h"

namespace {

// Where a style property lives in the style block: a 32-bit field, one byte, or the whole block.
enum class Target { Int32, Byte, Whole };
struct STYLE_FIELD {
  int id;
  Target target;
  size_t offset;
};

// Ids whose value is one field of the style block. The required flag (24) is the one byte at 144:
// bytes 145 to 147 hold other flags, the border (19) among them.
const STYLE_FIELD kStyleFields[] = {
    {2, Target::Byte, offsetof(LOGFONTW, lfCharSet)},
    {4, Target::Int32, offsetof(LOGFONTW, lfWeight)},
    {5, Target::Byte, offsetof(LOGFONTW, lfItalic)},
    {6, Target::Byte, offsetof(LOGFONTW, lfUnderline)},
    {7, Target::Byte, offsetof(LOGFONTW, lfStrikeOut)},
    {9, Target::Int32, offsetof(_OBJECT_STYLE, textSetting9)},
    {10, Target::Int32, offsetof(_OBJECT_STYLE, textSetting10)},
    {11, Target::Int32, offsetof(_OBJECT_STYLE, textSetting11)},
    {12, Target::Int32, offsetof(_OBJECT_STYLE, textSetting12)},
    {13, Target::Int32, offsetof(_OBJECT_STYLE, color)},
    {14, Target::Int32, offsetof(_OBJECT_STYLE, lineWidth)},
    {16, Target::Int32, offsetof(_OBJECT_STYLE, textSetting16)},
    {17, Target::Int32, offsetof(_OBJECT_STYLE, penStyle)},
    {18, Target::Int32, offsetof(_OBJECT_STYLE, checkMarkKind)},
    {19, Target::Byte, offsetof(_OBJECT_STYLE, flag147)},
    {20, Target::Int32, offsetof(_OBJECT_STYLE, textColor)},
    {21, Target::Int32, offsetof(_OBJECT_STYLE, textSetting21)},
    {22, Target::Int32, offsetof(_OBJECT_STYLE, textSetting140)},
    {24, Target::Byte, offsetof(_OBJECT_STYLE, requiredForFilling)},
    {25, Target::Int32, offsetof(_OBJECT_STYLE, transparent)},
    {30, Target::Int32, offsetof(_OBJECT_STYLE, printable)},
    {31, Target::Int32, offsetof(_OBJECT_STYLE, checkMarkGroup)},
};

// Ids that change the field record, not the style block.
bool IsRecordProperty(int id) { return id == 23 || id == 27 || id == 28; }

void CopyStyleProperty(int id, const _OBJECT_STYLE& from, _OBJECT_STYLE& to) {
  unsigned char* target = reinterpret_cast<unsigned char*>(&to);
  const unsigned char* source = reinterpret_cast<const unsigned char*>(&from);
  switch (id) {
    case 1:
      to.font = from.font;
      to.font.lfWidth = 0;
      return;
    case 3:
      wcsncpy(to.font.lfFaceName, from.font.lfFaceName, LF_FACESIZE - 1);
      to.font.lfFaceName[LF_FACESIZE - 1] = 0;
      to.font.lfCharSet = from.font.lfCharSet;
      return;
    case 8:
      to.fontSize = from.fontSize;
      to.font.lfHeight = -10 * from.fontSize;
      to.font.lfWidth = 0;
      return;
    default: break;
  }
  for (const STYLE_FIELD& field : kStyleFields) {
    if (field.id != id) continue;
    memcpy(target + field.offset, source + field.offset, field.target == Target::Byte ? 1 : 4);
    return;
  }
  to = from;
}

// The help pages of the Help menu: browser anchor and help-file page.
struct HELP_TOPIC {
  UINT command;
  LPCWSTR anchor;
  LPCWSTR page;
};
const HELP_TOPIC kHelpTopics[] = {
    {ID_HELP_FIRST_STEP, L"index.html#firststep", L"2000.htm"},
    {ID_HELP_CONTENTS, L"index.html", L"1000.htm"},
    {ID_HELP_FORM_FILLING, L"index.html#ourprods", L"5000.htm"},
    {ID_HELP_SUPPORT, L"index.html#techsup", L"4000.htm"},
    {ID_HELP_ORDERING, L"index.html#howtobuy", L"6000.htm"},
    {ID_HELP_FAQ, L"index.html#whatif", L"7000.htm"},
    {ID_HELP_HOWTO, L"index.html#howto", L"3000.htm"},
};

// The Russian interface has its help as web pages beside the program.
constexpr int kLanguageRussian = 25;
bool UsesBrowserHelp() { return GetAppLanguageId() == kLanguageRussian; }

typedef HWND(WINAPI* HtmlHelpFunction)(HWND, LPCWSTR, UINT, DWORD_PTR);
// The help viewer's commands.
const UINT kDisplayToc = 0x0001;
const UINT kHelpContext = 0x000F;

void LaunchHelp(LPCTSTR browser, LPCTSTR location, UINT command, DWORD_PTR data) {
  if (browser != nullptr && *browser != 0) {
    ::ShellExecuteW(nullptr, nullptr, browser, location, nullptr, SW_SHOWNORMAL);
    return;
  }
  // The help viewer is loaded only when help is asked for; without it nothing opens.
  HMODULE viewer = ::LoadLibraryW(L"hhctrl.ocx");
  if (viewer == nullptr) return;
  auto show = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(::GetProcAddress(viewer, "HtmlHelpW")));
  if (show != nullptr) show(nullptr, location, command, data);
}

CMainFrame::HelpLauncher g_helpLauncher = LaunchHelp;

CString ProgramFolder() {
  WCHAR path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return CString();
  CString folder = ExtractFilePath(path);
  if (!folder.IsEmpty() && folder.Right(1) != L"\\") folder += L"\\";
  return folder;
}

// The help file is named as the program; before the application has started, by its usual name.
CString HelpBaseName() {
  CFolimarApp* app = GetFolimarApp();
  const CString base = app != nullptr ? app->GetHelpBaseName() : CString();
  return base.IsEmpty() ? CString(L"Orvello") : base;
}

}  // namespace

// ---- Default properties ----

void CMainFrame::SetDefaultProperty(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* propertyId) {
  DEF_TRY
  if (properties == nullptr || style == nullptr || propertyId == nullptr) return;
  const int id = *propertyId;
  _PROPERTIES working;
  if (id == 23) {
    working.firstText = properties->firstText;
    working.name = properties->name;
  } else if (id == 27) {
    working.contentTemplate = properties->contentTemplate;
  } else if (id == 28) {
    working.formatCategory = properties->formatCategory;
    working.decimals = properties->decimals;
    working.grouping = properties->grouping;
    // The user's default format of new fields follows the format row, and only it.
    m_defaultProperties.formatCategory = working.formatCategory;
    m_defaultProperties.decimals = working.decimals;
    m_defaultProperties.grouping = working.grouping;
  }
  if (!IsRecordProperty(id)) CopyStyleProperty(id, *style, m_textStyle);
  const int orientation = m_textStyle.textSetting12;
  const LONG escapement = orientation == 1 ? 900 : orientation == 2 ? -900 : 0;
  m_textStyle.font.lfEscapement = escapement;
  m_textStyle.font.lfOrientation = escapement;
  CFolimarView* view = MDIGetActive() != nullptr ? GetActiveFormView() : nullptr;
  if (view != nullptr) view->SetObjectStyle(&working, &m_textStyle, id);
  DEF_CATCH("CMainFrame::SetDefaultProperty")
}

void CMainFrame::SetTabOrder(const int* index) {
  DEF_TRY
  CFolimarView* view = GetActiveFormView();
  if (view != nullptr && index != nullptr) view->SetTabOrder(*index);
  DEF_CATCH("CMainFrame::SetTabOrder")
}

void CMainFrame::ConvertTextBox(BOOL toTextFields) {
  DEF_TRY
  CFolimarView* view = GetActiveFormView();
  if (view == nullptr) return;
  if (toTextFields)
    view->ConvertTextBox();
  else
    view->ConvertTextField();
  DEF_CATCH("CMainFrame::ConvertTextBox")
}

// ---- Help ----

CMainFrame::HelpLauncher CMainFrame::SetHelpLauncher(HelpLauncher launcher) {
  HelpLauncher previous = g_helpLauncher;
  g_helpLauncher = launcher != nullptr ? launcher : LaunchHelp;
  return previous;
}

CString CMainFrame::Topic(LPCTSTR page) {
  DEF_TRY
  const CString folder = ProgramFolder();
  if (folder.IsEmpty() || page == nullptr) return CString();
  CString topic;
  if (UsesBrowserHelp()) {
    topic.Format(L"\"file:///%shelp/%s\"", static_cast<LPCWSTR>(folder), page);
  } else {
    topic.Format(L"%s%s.chm::\\%s", static_cast<LPCWSTR>(folder), static_cast<LPCWSTR>(HelpBaseName()), page);
  }
  return topic;
  DEF_CATCH("CMainFrame::Topic")
  return CString();
}

void CMainFrame::ShowHelpTopic(LPCTSTR page) {
  DEF_TRY
  CString location;
  location.Format(L"%s%s.chm::\\%s", static_cast<LPCWSTR>(ProgramFolder()), static_cast<LPCWSTR>(HelpBaseName()), page);
  g_helpLauncher(L"", location, kDisplayToc, 0);
  DEF_CATCH("CMainFrame::ShowHelpTopic")
}

void CMainFrame::ShowHelpContext(DWORD context) {
  DEF_TRY
  const CString folder = ProgramFolder();
  if (folder.IsEmpty()) return;
  g_helpLauncher(L"", folder + HelpBaseName() + L".chm", kHelpContext, context);
  DEF_CATCH("CMainFrame::ShowHelpContext")
}

CString CMainFrame::GetDefaultBrowser() {
  DEF_TRY
  if (!m_browserPath.IsEmpty()) return m_browserPath;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Clients\\StartMenuInternet", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return CString();
  WCHAR value[129] = {};
  DWORD bytes = 256, type = 0;
  const LONG result = ::RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
  ::RegCloseKey(key);
  value[128] = 0;
  // A key without a readable name falls back to the system's own browser.
  m_browserPath = result == ERROR_SUCCESS && type == REG_SZ && value[0] != 0 ? CString(value) : CString(L"iexplore.exe");
  return m_browserPath;
  DEF_CATCH("CMainFrame::GetDefaultBrowser")
  return CString();
}

void CMainFrame::OnHelpTopic(UINT id) {
  DEF_TRY
  for (const HELP_TOPIC& topic : kHelpTopics) {
    if (topic.command != id) continue;
    if (UsesBrowserHelp())
      g_helpLauncher(GetDefaultBrowser(), Topic(topic.anchor), kDisplayToc, 0);
    else
      g_helpLauncher(L"", Topic(topic.page), kDisplayToc, 0);
    return;
  }
  DEF_CATCH("CMainFrame::OnHelpTopic")
}

namespace {
void ShowPage(CMainFrame* frame, LPCWSTR anchor, LPCWSTR page) {
  if (UsesBrowserHelp())
    g_helpLauncher(frame->GetDefaultBrowser(), frame->Topic(anchor), kDisplayToc, 0);
  else
    g_helpLauncher(L"", frame->Topic(page), kDisplayToc, 0);
}
}  // namespace

void CMainFrame::HelpPrintOptions() { ShowPage(this, L"index.html#print", L"8000.htm"); }
void CMainFrame::HelpBackup() { ShowPage(this, L"index.html#reserve", L"creationofbackupcopy.htm"); }
void CMainFrame::HelpRestore() { ShowPage(this, L"index.html#reserve", L"restorationfrombackupcopy.htm"); }

// ---- Documents ----

void CMainFrame::CloseAllDocumentsWS() {
  DEF_TRY
  CWinApp* app = AfxGetApp();
  if (app != nullptr) app->CloseAllDocuments(FALSE);
  DEF_CATCH("CMainFrame::CloseAllDocumentsWS")
}

// ---- Options and the spell checker ----

BOOL CMainFrame::RunOptions() {
  DEF_TRY
  COptionsSheet sheet(this);
  if (sheet.DoModal() != IDOK) return FALSE;
  m_mainBar.SetSnapToGrid(m_options.snapToGrid);
  RepaintObjects();
  LoadForms();
  return TRUE;
  DEF_CATCH("CMainFrame::RunOptions")
  return FALSE;
}

void CMainFrame::OnOptions() { RunOptions(); }

void CMainFrame::OnSpellingSelectLanguage() {
  DEF_TRY
  CSpellCheckerClient checker;
  if (checker.Open()) checker.SelectLanguage();
  DEF_CATCH("CMainFrame::OnSpellingSelectLanguage")
}
