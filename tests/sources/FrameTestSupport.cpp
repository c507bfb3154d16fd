#include "FrameTestSupport.h"

#include "ChildFrm.h"
#include "resource.h"

CFolimarApp theApp;
CMultiDocTemplate* FrameTest::s_template = nullptr;

namespace {

const wchar_t kProfileKey[] = L"SOFTWARE\\Quennick\\Vantry\\";

class StateProbe : public CCmdUI {
 public:
  COMMAND_STATE state;
  void Enable(BOOL on) override {
    state.enabled = on;
    state.handled = TRUE;
  }
  void SetCheck(int check) override { state.checked = check; }
  void SetRadio(BOOL on) override { state.checked = on ? 1 : 0; }
};

}  // namespace

COMMAND_STATE QueryCommand(CCmdTarget* target, UINT id) {
  StateProbe probe;
  probe.m_nID = id;
  probe.DoUpdate(target, FALSE);
  return probe.state;
}

void FrameTest::SetUp() {
  ASSERT_TRUE(profile_.Ready());
  theApp.SetRegistryKey(L"Quennick");
  theApp.SetRegistryBase(L"Settings");
  if (s_template == nullptr) {
    CFolimarApp::RegisterProgramServices();
    s_template = new CMultiDocTemplate(IDR_FOLIMARTYPE, RUNTIME_CLASS(CFolimarDoc), RUNTIME_CLASS(CChildFrame),
                                       RUNTIME_CLASS(CFolimarView));
    theApp.AddDocTemplate(s_template);
  }
}

void FrameTest::TearDown() {
  if (frame != nullptr && ::IsWindow(frame->m_hWnd)) {
    for (POSITION pos = s_template->GetFirstDocPosition(); pos;) s_template->GetNextDoc(pos)->SetModifiedFlag(FALSE);
    theApp.CloseAllDocuments(FALSE);
    frame->DestroyWindow();
  }
  theApp.m_pMainWnd = nullptr;
  Pump();
}

CMainFrame* FrameTest::OpenFrame() {
  frame = new CMainFrame;
  if (!frame->LoadFrame(IDR_MAINFRAME)) {
    frame = nullptr;
    return nullptr;
  }
  theApp.m_pMainWnd = frame;
  frame->ShowWindow(SW_SHOW);
  frame->UpdateWindow();
  Pump();
  return frame;
}

void FrameTest::CloseFrame() {
  for (POSITION pos = s_template->GetFirstDocPosition(); pos;) s_template->GetNextDoc(pos)->SetModifiedFlag(FALSE);
  frame->SendMessage(WM_CLOSE);
  frame = nullptr;
  theApp.m_pMainWnd = nullptr;
  Pump();
}

CFolimarDoc* FrameTest::NewDocument(int pages) {
  NEW_DOCUMENT_REQUEST& request = theApp.m_newDocument;
  std::vector<CPageInfo*> sources;
  for (int i = 0; i < pages; ++i) {
    CPageInfo* page = new CPageInfo(nullptr);
    page->m_settings.width = 8.5;
    page->m_settings.height = 11.0;
    request.pages.AddTail(page);
    sources.push_back(page);
  }
  request.kind = NEW_DOCUMENT_REQUEST::kFromPagesList;
  CDocument* doc = s_template->OpenDocumentFile(nullptr);
  request.kind = NEW_DOCUMENT_REQUEST::kEmpty;
  request.pages.RemoveAll();
  for (CPageInfo* page : sources) delete page;
  Pump();
  return dynamic_cast<CFolimarDoc*>(doc);
}

CFolimarView* FrameTest::ViewOf(CDocument* doc) {
  if (doc == nullptr) return nullptr;
  POSITION pos = doc->GetFirstViewPosition();
  return pos != nullptr ? dynamic_cast<CFolimarView*>(doc->GetNextView(pos)) : nullptr;
}

void FrameTest::Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    if (!theApp.PreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

std::string FrameTest::ReadBinary(const wchar_t* name, const wchar_t* section) {
  HKEY key = nullptr;
  const std::wstring path = std::wstring(kProfileKey) + section;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::string();
  DWORD type = 0, size = 0;
  std::string bytes;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_BINARY) {
    bytes.resize(size);
    RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size);
  }
  RegCloseKey(key);
  return bytes;
}

void FrameTest::WriteBinary(const wchar_t* name, const std::string& bytes, const wchar_t* section) {
  HKEY key = nullptr;
  const std::wstring path = std::wstring(kProfileKey) + section;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                           &key, nullptr));
  RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
}

DWORD FrameTest::ReadInt(const wchar_t* name, DWORD missing) {
  DWORD value = 0, size = sizeof(value);
  const std::wstring path = std::wstring(kProfileKey) + L"Settings";
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return missing;
  return value;
}

void FrameTest::WriteString(const wchar_t* name, const std::wstring& value) {
  const std::wstring path = std::wstring(kProfileKey) + L"Settings";
  RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void FrameTest::WriteInt(const wchar_t* name, DWORD value) {
  const std::wstring path = std::wstring(kProfileKey) + L"Settings";
  RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_DWORD, &value, sizeof(value));
}
