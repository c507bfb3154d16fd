#include "DocumentSaveSupport.h"

#include "resource.h"

CFolimarApp theApp;

namespace savetest {

FormNameScript g_formName;
std::vector<std::wstring> g_boxes;
int g_boxAnswer = IDYES;

namespace {

int AnswerBox(LPCTSTR text, UINT) {
  g_boxes.push_back(text != nullptr ? text : L"");
  return g_boxAnswer;
}

BOOL ScriptedFormName(CString& formName, CString& fileName) {
  ++g_formName.calls;
  g_formName.shownFormName = formName;
  g_formName.shownFileName = fileName;
  if (!g_formName.ok) return FALSE;
  formName = g_formName.formName;
  fileName = g_formName.fileName;
  return TRUE;
}

}  // namespace

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

CString Formatted(UINT id, const std::wstring& argument) {
  CString text;
  text.Format(LoadText(id), argument.c_str());
  return text;
}

std::wstring StoredFormName(const std::string& fileBytes) {
  const size_t at = 56 + 4, characters = 255;
  if (fileBytes.size() < at + 2 * characters) return L"(file too short)";
  std::wstring name(reinterpret_cast<const wchar_t*>(fileBytes.data() + at), characters);
  return name.substr(0, name.find(L'\0'));
}

void SaveTest::SetUp() {
  DocumentTest::SetUp();
  theApp.SetRegistryKey(L"Quennick");
  theApp.LoadStdProfileSettings(7);
  recordingBox_ = SetMessageBoxPresenter(AnswerBox);
  g_boxes.clear();
  g_boxAnswer = IDYES;
  g_formName = FormNameScript();
  previousPrompt_ = CFolimarDoc::SetFormNamePrompt(ScriptedFormName);
  ASSERT_TRUE(main_.CreateEx(0, L"STATIC", L"Main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  theApp.m_pMainWnd = &main_;
}

void SaveTest::TearDown() {
  theApp.m_pMainWnd = nullptr;
  if (main_.m_hWnd != nullptr) main_.DestroyWindow();
  CFolimarDoc::SetFormNamePrompt(previousPrompt_);
  SetMessageBoxPresenter(recordingBox_);
  theApp.LoadStdProfileSettings(0);
  DocumentTest::TearDown();
}

std::vector<std::wstring> SaveTest::RecentFiles() const {
  std::vector<std::wstring> files;
  for (int i = 1; i <= 7; ++i) {
    CString entry;
    entry.Format(L"File%d", i);
    const CString file = theApp.GetProfileString(L"Recent File List", entry, L"");
    if (!file.IsEmpty()) files.push_back(std::wstring(file));
  }
  return files;
}

void SaveTest::SetSetting(LPCTSTR name, const std::wstring& value) const {
  theApp.WriteProfileString(L"Settings", name, value.c_str());
}

std::wstring SaveTest::Setting(LPCTSTR name) const {
  return std::wstring(theApp.GetProfileString(L"Settings", name, L"(none)"));
}

std::vector<UINT> SaveTest::PostedCommands() {
  std::vector<UINT> commands;
  MSG message;
  while (PeekMessageW(&message, main_.m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE))
    commands.push_back(LOWORD(message.wParam));
  return commands;
}

std::wstring SaveTest::AnswerFileDialog(const std::function<void()>& command, const std::wstring& path,
                                        std::wstring* folder) {
  // The name box of the explorer-style dialog: a combo box, or an edit in older layouts.
  const int kFileNameCombo = 0x47C, kFileNameEdit = 0x480;
  std::wstring offered, shownFolder;
  testing_support::RunDialog(
      [&] {
        command();
        return INT_PTR(0);
      },
      [&](HWND dialog) {
        HWND box = GetDlgItem(dialog, kFileNameCombo);
        if (box == nullptr) box = GetDlgItem(dialog, kFileNameEdit);
        wchar_t text[MAX_PATH] = L"";
        if (box != nullptr) GetWindowTextW(box, text, MAX_PATH);
        offered = text;
        wchar_t current[MAX_PATH] = L"";
        SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(current));
        shownFolder = current;
        if (path.empty() || box == nullptr) return;  // RunDialog cancels it
        SetWindowTextW(box, path.c_str());
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        for (int i = 0; i < 3000 && IsWindow(dialog); ++i) Sleep(10);
      });
  if (folder != nullptr) *folder = shownFolder;
  return offered;
}

}  // namespace savetest
