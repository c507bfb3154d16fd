// What the tests of the started program share: documents made for them, and the windows of a running
// Orvello.exe found from outside by their ids and classes.
#pragma once
#include <windows.h>

#include <string>

#include "TestSupport.h"

namespace program_test {

// The page image of the documents made here: `kImageWidth` x `kImageHeight` pixels at 96 pixels per
// inch in four quadrants, red and green above, blue and grey below.
constexpr int kImageWidth = 160;
constexpr int kImageHeight = 120;
constexpr COLORREF kQuadrants[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(64, 64, 64)};

// Saves a document of `pages` letter pages whose first page shows the quadrant image, stored with the
// zoom `scale`; false when it could not be written.
bool MakeQuadrantDocument(const std::wstring& path, int pages, double scale);

// The text in double quotes, as one parameter of a command line.
inline std::wstring Q(const std::wstring& text) { return L"\"" + text + L"\""; }
inline bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The program's profile key in this Wine prefix, deleted with everything under it: a fresh profile.
bool DeleteProfile();

// A descendant of `parent` with the control id, or null.
HWND FindDescendant(HWND parent, int id);
// The first descendant of `parent` of the window class, or null.
HWND FindDescendantOfClass(HWND parent, const wchar_t* className);
// The view of the active document window (the child frame's view), or null.
HWND FindDocumentView(HWND frame);
// The visible view of the program's document window, once it has made one; null when none shows
// in time or the program ends.
HWND WaitForDocumentView(const testing_support::ChildProcess& program, HWND frame, DWORD timeoutMs);
// How many page tabs the document window of `view` shows: its strip's tabs, each a window of its own.
int CountPageTabs(HWND view);

}  // namespace program_test
