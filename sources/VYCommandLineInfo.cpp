#include "VYCommandLineInfo.h"

#include <winspool.h>

#include "BatchData.h"
#include "ErrorLog.h"

namespace {

BOOL FolderExists(const CString& folder) {
  const DWORD attributes = ::GetFileAttributesW(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

CString LowerExtension(const CString& name) {
  const int dot = name.ReverseFind(L'.');
  CString extension = dot >= 0 ? name.Mid(dot + 1) : CString();
  extension.MakeLower();
  return extension;
}

// The longest full path of an INI data file the parser takes.
const DWORD kMaxDataPath = 4096;

}  // namespace

int CollectTemplateFiles(const CString& folder, CStringList& templates, CStringList& editorDocuments) {
  DEF_TRY
  if (!FolderExists(folder)) return CMDLINE_ERROR_NO_IN_FOLDER;
  CFileFind finder;
  BOOL more = finder.FindFile(folder + L"\\*.*");
  while (more) {
    more = finder.FindNextFile();
    if (finder.IsDirectory() || finder.IsDots()) continue;
    const CString name = finder.GetFileName();
    const CString extension = LowerExtension(name);
    if (extension == L"rud" || extension == L"qlm")
      templates.AddTail(folder + L"\\" + name);
    else if (extension == L"scv")
      editorDocuments.AddTail(folder + L"\\" + name);
  }
  return templates.IsEmpty() ? CMDLINE_ERROR_NO_TEMPLATE : 0;
  DEF_CATCH("CollectTemplateFiles")
  return CMDLINE_ERROR_NO_IN_FOLDER;
}

VYCommandLineInfo::VYCommandLineInfo() = default;

BOOL VYCommandLineInfo::PrinterExists(LPCTSTR name) {
  DEF_TRY
  if (name == nullptr || *name == 0) return FALSE;
  DWORD needed = 0, count = 0;
  ::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 5, nullptr, 0, &needed, &count);
  if (needed == 0) return FALSE;
  CByteArray buffer;
  buffer.SetSize(needed);
  if (!::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 5, buffer.GetData(), needed, &needed, &count)) return FALSE;
  const PRINTER_INFO_5W* printers = reinterpret_cast<const PRINTER_INFO_5W*>(buffer.GetData());
  for (DWORD i = 0; i < count; ++i)
    if (printers[i].pPrinterName != nullptr && wcscmp(printers[i].pPrinterName, name) == 0) return TRUE;
  DEF_CATCH("VYCommandLineInfo::PrinterExists")
  return FALSE;
}

BOOL VYCommandLineInfo::GetErrorCode(int& code) const {
  if (m_errorCode >= 0) return FALSE;
  code = m_errorCode;
  return TRUE;
}

void VYCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast) {
  DEF_TRY
  const CString text(pszParam);
  if (bFlag) {
    ParseSwitch(text);
    // The framework's own print switches would print the file through the shell at once.
    if (text != L"p" && text != L"pt") ParseParamFlag(pszParam);
  } else if (!ParseValue(text)) {
    ParseParamNotFlag(pszParam);
  }
  ParseLast(bLast);
  if (m_inGiven && m_outGiven) {
    m_saveToOutput = 1;
    // Filled copies saved over their templates would destroy them, however the folder is spelled.
    if (IsSameFolder(m_templateFolder, m_outputFolder)) m_errorCode = CMDLINE_ERROR_SAME_FOLDER;
  }
  DEF_CATCH("VYCommandLineInfo::ParseParam")
}

void VYCommandLineInfo::ParseSwitch(const CString& word) {
  static const struct {
    const wchar_t* name;
    Pending pending;
  } kValued[] = {{L"f", kForm}, {L"g", kGroup}, {L"d", kData}, {L"pt", kPrinter},
                 {L"in", kIn},  {L"out", kOut}, {L"viz", kViz}};
  for (const auto& s : kValued) {
    if (word != s.name) continue;
    m_pending[s.pending] = TRUE;
    m_commandLine = 1;
    if (s.pending == kPrinter) m_print = 1;
    return;
  }
  if (word == L"vp") {
    m_vpGiven = 1;
    m_nShellCommand = FileNothing;
    return;
  }
  if (word == L"p") {
    m_print = 1;
  } else if (word == L"r") {
    m_dataOnly = 1;
  } else if (word == L"pd") {
    m_pdGiven = 1;
  } else if (word == L"o") {
    m_keepOpen = 1;
    m_print = 0;
  } else if (word == L"?") {
    m_help = 1;
  } else {
    return;
  }
  m_commandLine = 1;
}

BOOL VYCommandLineInfo::ParseValue(const CString& value) {
  Pending taken = kNone;
  for (Pending p : {kForm, kGroup, kData, kPrinter, kIn, kOut, kViz})
    if (m_pending[p]) {
      taken = p;
      break;
    }
  if (taken == kNone) return FALSE;
  m_pending[taken] = FALSE;
  switch (taken) {
    case kForm: {
      m_formGiven = 1;
      m_templates.AddTail(value);
      HANDLE file = ::CreateFileW(value, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
      if (file == INVALID_HANDLE_VALUE) {
        m_errorCode = CMDLINE_ERROR_FORM;
        m_nShellCommand = FileNothing;
      } else {
        ::CloseHandle(file);
        // The form is the shell's file even when the value of an earlier switch came first.
        m_strFileName = value;
      }
      break;
    }
    case kGroup:
      m_groupName = value;
      break;
    case kData:
      if (LowerExtension(value) == L"ini") {
        m_iniData = 1;
        CArray<WCHAR, WCHAR> full;
        full.SetSize(kMaxDataPath + 1);
        const DWORD length = ::GetFullPathNameW(value, kMaxDataPath + 1, full.GetData(), nullptr);
        if (length == 0 || length > kMaxDataPath)
          m_errorCode = CMDLINE_ERROR_DATA;
        else
          m_iniPath = full.GetData();
      } else {
        m_profileData = 1;
        m_profileName = value;
      }
      break;
    case kPrinter:
      if (PrinterExists(value))
        m_strPrinterName = value;
      else
        m_errorCode = CMDLINE_ERROR_PRINTER;
      break;
    case kIn:
      m_inGiven = 1;
      m_templateFolder = value;
      m_nShellCommand = FileNothing;
      m_errorCode = CollectTemplateFiles(value, m_templates, m_editorDocuments);
      break;
    case kOut:
    case kViz:
      (taken == kOut ? m_outGiven : m_vizGiven) = 1;
      m_outputFolder = value;
      if (!FolderExists(value)) m_errorCode = CMDLINE_ERROR_NO_OUT_FOLDER;
      break;
    default:
      break;
  }
  return TRUE;
}
