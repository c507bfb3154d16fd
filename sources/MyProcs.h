// Shared helper functions of the main program: file-name pieces, the program's folders, number and
// text conversions, character editing of wide strings for the text objects, the two string formats
// of document archives, message boxes, and the choices made when pages are saved as images.
// Every function returns a value and keeps no state; a caught failure gives the neutral result.
#pragma once
#include "Framework.h"

#include "ObjectStyle.h"
#include "SharedProcs.h"

// A path cut into drive, folder, name and extension (start and length of each, in characters).
class CPathSplit {
 public:
  CPathSplit() = default;
  explicit CPathSplit(const CString& path) { Split(path); }
  void Split(const CString& path);

  CString GetDrive() const { return Piece(m_driveStart, m_driveLength); }
  CString GetFolder() const { return Piece(m_folderStart, m_folderLength); }
  CString GetName() const { return Piece(m_nameStart, m_nameLength); }
  CString GetExtension() const { return Piece(m_extStart, m_extLength); }

  CString m_path;
  int m_driveStart = 0, m_driveLength = 0;
  int m_folderStart = 0, m_folderLength = 0;
  int m_nameStart = 0, m_nameLength = 0;
  int m_extStart = 0, m_extLength = 0;

 private:
  CString Piece(int start, int length) const { return m_path.Mid(start, length); }
};

// File names.
CString ExtractFileExt(const CString& path);
CString ChangeFileExt(const CString& path, const CString& ext);
BOOL FileExists(const CString& path);

// Folders of the program (under the user's documents folder, from the shell-folders value "Personal";
// the documents, product and initial forms folders are in SharedProcs.h).
CString GetFormsPathName();
CString GetFilledFormsPathName();
CString GetInitialBackupFolder();
CString GetInitialAutoBackupFilePath();
CString GetTempDirPath();
// A new empty file of its own in the program's temporary folder (made when missing), "<prefix>XXXX"
// with the extension `ext`: one per call, so two exports never share a file. Empty on failure.
CString NewTempFile(LPCWSTR prefix, LPCWSTR ext);
// Deletes the files (not the folders) directly in `folder`, a full path such as GetTempDirPath's.
// An empty or relative path deletes nothing: it would name whatever folder is current. Returns the
// number of files deleted.
int DeleteFiles(const CString& folder);
// The title stored in the document of that name in the forms folder ("Untitled" before version 8).
CString GetFormName(const CString& fileName);
// The same for a document at a full path (the forms folder is not involved).
CString GetFormNameOfFile(const CString& path);
// ChooseFolder titled with the program's hint "select the form folder".
BOOL ChooseFolder(HWND owner, LPCTSTR initialFolder, LPTSTR outPath);

// Numbers. Every integer conversion of the program rounds half up.
int RoundToInt(double x);
BOOL IsValidInt(const CString& text);
BOOL StrToInt(const CString& text, int& out);
BOOL StringToInt(const CString& text, int& out);

// Character editing of wide strings; a negative position or count counts as 0.
int GetCharCount(LPCTSTR text);
CString ExtractMidChar(LPCTSTR text, int pos, int count);
CString ExtractLeftChar(LPCTSTR text, int count);
CString ExtractRightChar(LPCTSTR text, int count);
int DeleteChar(CString& text, int pos, int count);
TCHAR GetCharAt(LPCTSTR text, int pos);
// Inserts ch at pos, then ch2 (when not 0) at the same position, so ch2 ends up in front of ch.
int InsertChar(CString& text, int pos, TCHAR ch, TCHAR ch2);
int InsertChar(CString& text, int pos, LPCTSTR s);
int FindNextWord(LPCTSTR text, int pos, int backward);
int GetWideStringByteSize(LPCTSTR s);
HGLOBAL CopyStringToGlobal(LPCTSTR s);
LOGFONTW LogfontA2W(const LOGFONTA& font);

// Archive strings: uint32 byte count = 2 x (characters + 1), the UTF-16LE characters and a NUL.
void WriteStringToArchive(CArchive& ar, const CString& text);
void ReadStringFromArchive(CArchive& ar, CString& text);
// uint32 byte count, then that many bytes of 8-bit text in the thread's ANSI code page (old versions).
void ReadStringAnsi(CArchive& ar, CString& text);

// Readers check every count and size taken from a stream: throws the archive exception (end of
// file) when `count` items of at least `bytesPerItem` bytes each cannot be in what is left of the
// archive, before anything is allocated for them. Counts of up to 64 KB pass unlooked-at; the exact
// reads that follow them catch a stream that ends early.
void CheckArchiveCount(CArchive& ar, ULONGLONG count, ULONGLONG bytesPerItem);
// Reads exactly `size` bytes or throws the archive exception (end of file).
void ReadArchiveExact(CArchive& ar, void* buffer, UINT size);

// Message boxes with fixed buttons and icons; 0 after a failure.
int OkBox(LPCTSTR text);
// A box with its own caption instead of the application's name.
int CaptionBox(LPCTSTR text, LPCTSTR caption, UINT type);
int ErrorBox(LPCTSTR text);
void ErrorBox(UINT stringId);
void WarningBox(LPCTSTR text);
void WarningBox(UINT stringId);
int YesNoBox(LPCTSTR text);
int YesNoBox(UINT stringId);
int QuestionBox(UINT stringId);
void InformationBox(UINT stringId);

// Shows the message boxes above: text and MB_ flags in, button out. Tests and batch runs put their own
// in place, so nothing waits for a user; a null presenter brings the standard box back. Returns the
// one it replaces.
typedef int (*MessageBoxPresenter)(LPCTSTR text, UINT type);
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);

// Shows a hint and returns TRUE when the user asked not to see it again (the hint dialog's check box).
typedef BOOL (*InfoBoxPresenter)(LPCTSTR text);
InfoBoxPresenter SetInfoBoxPresenter(InfoBoxPresenter presenter);
void ShowInfoBoxOnce(LPCTSTR valueName, LPCTSTR text);

void PumpMessages();
// The path of file `index` of a drop, sized from the list itself (a path may be longer than MAX_PATH
// and hold any letters); empty past the end.
CString GetDroppedFilePath(HDROP drop, UINT index);
// Whether a path names a document file of the program (qlm, rud, vyt in any case).
BOOL IsDocumentFileName(const CString& path);
// Places `child` over the whole client area of `parent` (no z-order change, no activation); nothing
// while either window is missing.
void FitChildToClient(CWnd& parent, CWnd& child);

// Opens a file or an address through the shell (`verb` null: the default action), as links, help
// pages and exported files are opened. Tests put their own opener in place so nothing is started;
// a null opener brings the shell back. Returns the one it replaces.
typedef BOOL (*ShellOpener)(LPCTSTR verb, LPCTSTR file, LPCTSTR parameters);
ShellOpener SetShellOpener(ShellOpener opener);
BOOL ShellOpen(LPCTSTR verb, LPCTSTR file, LPCTSTR parameters = nullptr);

// The dialogs and stored choices GetImageFormatParams asks when saving pages as images. The options
// dialogs belong to the options subsystem, which registers them here; each function returns FALSE on
// Cancel. A missing dialog means the stored choice is used, as in a save without asking.
struct IMAGE_SAVE_CHOICES {
  BOOL (*chooseBitDepth)(int& bitsPerPixel);                   // preset in, choice out
  BOOL (*chooseTiffOptions)(int& bitsPerPixel, int& compression);
  BOOL (*chooseJpegLevel)(int& level);                         // 0..9
  int (*storedTiffCompression)();                              // 0..3
  int (*storedJpegLevel)();                                    // 0..9
};
void SetImageSaveChoices(const IMAGE_SAVE_CHOICES* choices);
BOOL GetImageFormatParams(LPCTSTR path, int& bitsPerPixel, int& fileFormat, int& quality, BOOL ask);

void SetDefaultTextStyle(_OBJECT_STYLE* style);
// The PDF dash pattern of a pen style ("[6 2] 0" for a dash of width 2); empty for an unknown style.
CString GetPdfDashPattern(int penStyle, double width);

// Values of the section "Settings" of the application's profile; the default without an application.
int ReadSettingInt(LPCTSTR valueName, int defaultValue);
void WriteSettingInt(LPCTSTR valueName, int value);
CString ReadSettingString(LPCTSTR valueName, LPCTSTR defaultValue);
void WriteSettingString(LPCTSTR valueName, LPCTSTR value);
// The interface language ("Language", a primary language id); English unless a DWORD says otherwise.
int ReadLanguageSetting();
