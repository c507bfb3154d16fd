// Starts Orvello.exe as a user does, on a document of its own making, and reports from outside where
// the program put its windows, for the screenshot test:
//   OrvelloProbe <Orvello.exe> /rects <file> /quit <file>
// It writes one line per window ("name left top right bottom" in screen pixels), the caption, the
// document's zoom and image size and the page tabs into the rects file; once the quit file exists it
// closes the program with WM_CLOSE and writes its exit code, in full, to "exit.txt" beside it.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "FolimarApp.h"
#include "ProgramTestSupport.h"
#include "TestSupport.h"
#include "resource.h"

CFolimarApp theApp;

namespace {

const DWORD kWait = 120000;

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

void WriteRect(FILE* out, const char* name, HWND window, bool clientArea = false) {
  if (window == nullptr || !::IsWindowVisible(window)) return;
  RECT r;
  if (clientArea) {
    ::GetClientRect(window, &r);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  } else {
    ::GetWindowRect(window, &r);
  }
  fprintf(out, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom);
}

int Fail(const char* what) {
  fprintf(stderr, "OrvelloProbe: %s\n", what);
  return 1;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv == nullptr) return Fail("no command line");
  std::wstring exe, rectsPath, quitPath;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"/rects" && i + 1 < argc) rectsPath = argv[++i];
    else if (arg == L"/quit" && i + 1 < argc) quitPath = argv[++i];
    else exe = arg;
  }
  if (exe.empty() || rectsPath.empty() || quitPath.empty()) return Fail("usage: OrvelloProbe <exe> /rects <file> /quit <file>");
  const std::wstring work = FolderOf(rectsPath);
  const std::wstring document = work + L"\\quadrants.qlm";
  const double zoom = 2.0;
  if (!program_test::DeleteProfile()) return Fail("the profile cannot be cleared");
  if (!program_test::MakeQuadrantDocument(document, 2, zoom)) return Fail("the document cannot be made");

  testing_support::ChildProcess program(L"\"" + exe + L"\" \"" + document + L"\"");
  HWND frame = program.WaitForMainWindow(kWait);
  HWND view = program_test::WaitForDocumentView(program, frame, kWait);
  if (view == nullptr) return Fail("no document window");
  // The program has painted everything when it answers a message after its pending ones.
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_NORMAL, kWait, &answer);

  FILE* out = _wfopen(rectsPath.c_str(), L"w");
  if (out == nullptr) return Fail("the rects file cannot be written");
  WriteRect(out, "frame", frame);
  WriteRect(out, "menubar", program_test::FindDescendant(frame, AFX_IDW_MENUBAR));
  WriteRect(out, "mainbar", program_test::FindDescendant(frame, AFX_IDW_TOOLBAR));
  WriteRect(out, "drawingbar", program_test::FindDescendant(frame, IDR_DRAWING_TOOLS));
  WriteRect(out, "imagebar", program_test::FindDescendant(frame, IDR_IMAGE_TOOLS));
  WriteRect(out, "databasebar", program_test::FindDescendant(frame, IDR_DATABASE_BAR));
  WriteRect(out, "statusbar", program_test::FindDescendant(frame, AFX_IDW_STATUS_BAR));
  WriteRect(out, "formspane", program_test::FindDescendant(frame, ID_PANE_FORMS));
  WriteRect(out, "shelfpane", program_test::FindDescendant(frame, ID_PANE_SHELF));
  WriteRect(out, "propertiespane", program_test::FindDescendant(frame, ID_PANE_PROPERTIES));
  WriteRect(out, "mdiclient", program_test::FindDescendantOfClass(frame, L"MDIClient"));
  WriteRect(out, "view", view, true);
  wchar_t caption[256] = L"";
  ::GetWindowTextW(frame, caption, 256);
  char utf8[1024] = "";
  ::WideCharToMultiByte(CP_UTF8, 0, caption, -1, utf8, sizeof(utf8), nullptr, nullptr);
  fprintf(out, "caption %s\n", utf8);
  fprintf(out, "zoom %d\n", static_cast<int>(zoom));
  fprintf(out, "image %d %d\n", program_test::kImageWidth, program_test::kImageHeight);
  fprintf(out, "tabs %d\n", program_test::CountPageTabs(view));
  fclose(out);

  for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kWait; ::Sleep(100))
    if (::GetFileAttributesW(quitPath.c_str()) != INVALID_FILE_ATTRIBUTES) break;
  ::PostMessageW(frame, WM_CLOSE, 0, 0);
  const DWORD code = program.WaitForExit(kWait);
  FILE* exitFile = _wfopen((work + L"\\exit.txt").c_str(), L"w");
  if (exitFile != nullptr) {
    fprintf(exitFile, "%ld\n", static_cast<long>(static_cast<LONG>(code)));
    fclose(exitFile);
  }
  return 0;
}
