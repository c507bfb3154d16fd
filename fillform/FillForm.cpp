#include "FillForm.h"

#include <string>
#include <vector>

#include "FillFormProcs.h"
#include "HostProfile.h"
#include "resource.h"

using quillet::ProfilesQuery;

CArray<GroupItem, GroupItem> CFillForm::m_groups;
CArray<GroupItem, GroupItem> CFillForm::m_profiles;
CArray<FieldsItem, FieldsItem> CFillForm::m_groupFields;
CArray<FieldsItem, FieldsItem> CFillForm::m_profileFields;
CMap<CString, LPCWSTR, CString, CString> CFillForm::m_mapGroupIdProfileId;

namespace {

// Column `index` of a row as UTF-16; a NULL value or a missing column reads as empty.
CString Column(int count, char** values, int index) {
  return index < count ? CString(quillet::FromUtf8(values[index]).c_str()) : CString();
}

GroupItem ReadGroupItem(int count, char** values) {
  GroupItem item;
  item.id = Column(count, values, 0);
  item.name = Column(count, values, 1);
  return item;
}

FieldsItem ReadFieldsItem(int count, char** values) {
  FieldsItem item;
  item.name = Column(count, values, 0);
  item.value = Column(count, values, 1);
  item.field_type = Column(count, values, 2);
  return item;
}

std::wstring Text(const CString& text) { return std::wstring(text.GetString(), text.GetLength()); }

// The first item, in table order, whose name is exactly `name` (case-sensitive); -1 when none is.
INT_PTR FindByName(const CArray<GroupItem, GroupItem>& items, const CString& name) {
  for (INT_PTR i = 0; i < items.GetSize(); ++i)
    if (items[i].name == name) return i;
  return -1;
}

}  // namespace

CFillForm::CFillForm(CMap<CString, LPCWSTR, COleVariant, COleVariant>& data, CWnd* parent)
    : CDialogEx(IDD_FILL_FORM, parent),
      m_radioIndex(0),
      m_checkOutFolder(0),
      m_groupSelected(0),
      m_profileSelected(0),
      m_hIcon(nullptr),
      m_data(data),
      m_groupIndex(-2),
      m_minTrackSize(),
      m_options(),
      m_error(0),
      m_inLayout(FALSE),
      m_comboDropHeight(0) {
  DEF_TRY
  // The library's own template, also where the host has a dialog of the same id.
  const HINSTANCE module = AfxGetCallingModule();
  if (const HRSRC found = AfxFindResourceInLanguage(module, MAKEINTRESOURCEW(IDD_FILL_FORM), RT_DIALOG)) {
    if (const HGLOBAL loaded = LoadResource(module, found))
      m_lpDialogTemplate = static_cast<LPCDLGTEMPLATEW>(LockResource(loaded));
  }
  m_dbPath = quillet::GetHostProfileString(quillet::kSettingDbPath, GetInitialDBFileName());
  m_radioIndex = quillet::GetHostProfileInt(quillet::kSettingRadioIndex, 0);
  m_checkOutFolder = quillet::GetHostProfileInt(quillet::kSettingCheckOutFolder, 0);
  m_inFolder = quillet::GetHostProfileString(quillet::kSettingInFolder, GetInitialFormsPathName());
  m_outFolder = quillet::GetHostProfileString(quillet::kSettingOutFolder, GetMyDocumentsPathName());
  DEF_CATCH()
}

CFillForm::~CFillForm() {}

int CFillForm::callbackGroupIdProfileId(void*, int count, char** values, char**) {
  m_mapGroupIdProfileId[Column(count, values, 0)] = Column(count, values, 1);
  return 0;
}

int CFillForm::callbackGroups(void*, int count, char** values, char**) {
  m_groups.Add(ReadGroupItem(count, values));
  return 0;
}

int CFillForm::callbackGroupProfiles(void*, int count, char** values, char**) {
  m_profiles.Add(ReadGroupItem(count, values));
  return 0;
}

int CFillForm::callbackGroupFields(void*, int count, char** values, char**) {
  m_groupFields.Add(ReadFieldsItem(count, values));
  return 0;
}

int CFillForm::callbackProfileFields(void*, int count, char** values, char**) {
  m_profileFields.Add(ReadFieldsItem(count, values));
  return 0;
}

void CFillForm::GetData(CString group, CString profile) {
  DEF_TRY
  m_error = 0;
  if (!m_db.Open(Text(m_dbPath))) {
    m_error = FILLFORM_ERROR_OPEN_DB;
    return;
  }
  m_groups.RemoveAll();
  m_profiles.RemoveAll();
  m_groupFields.RemoveAll();
  m_profileFields.RemoveAll();

  if (!group.IsEmpty()) {
    if (!m_db.Read(ProfilesQuery::Groups, L"", callbackGroups)) {
      m_error = FILLFORM_ERROR_SQL;
      return;
    }
    const INT_PTR found = FindByName(m_groups, group);
    if (found < 0) {
      m_error = FILLFORM_ERROR_NO_GROUP;
      return;
    }
    if (!m_db.Read(ProfilesQuery::GroupFields, Text(m_groups[found].id), callbackGroupFields)) {
      m_error = FILLFORM_ERROR_SQL;
      return;
    }
  }

  // Among all profiles, not only the named group's members.
  if (!m_db.Read(ProfilesQuery::AllProfiles, L"", callbackGroupProfiles)) {
    m_error = FILLFORM_ERROR_SQL;
    return;
  }
  const INT_PTR found = FindByName(m_profiles, profile);
  if (found < 0) {
    m_error = FILLFORM_ERROR_NO_PROFILE;
    return;
  }
  if (!m_db.Read(ProfilesQuery::ProfileFields, Text(m_profiles[found].id), callbackProfileFields)) {
    m_error = FILLFORM_ERROR_SQL;
    return;
  }
  WriteDataToMap();
  DEF_CATCH()
}

BOOL CFillForm::CheckError(int& error) {
  DEF_TRY
  if (m_error >= 0) return FALSE;
  error = m_error;
  return TRUE;
  DEF_CATCH(FALSE)
}

BOOL CFillForm::WriteDataToMap() {
  DEF_TRY
  // Built apart and copied over only when complete, so a failure leaves the caller's map as it was.
  CMap<CString, LPCWSTR, COleVariant, COleVariant> values;
  for (const CArray<FieldsItem, FieldsItem>* fields : {&m_groupFields, &m_profileFields}) {
    for (INT_PTR i = 0; i < fields->GetSize(); ++i) {
      const FieldsItem& field = fields->GetAt(i);
      if (field.field_type == L"0") {
        values[field.name] = COleVariant(field.value);
      } else if (field.field_type == L"1" || field.field_type == L"2") {
        double number = 0;
        StrToDouble(field.value, number);
        values[field.name] = COleVariant(number);
      }
    }
  }
  m_data.RemoveAll();
  for (POSITION position = values.GetStartPosition(); position;) {
    CString name;
    COleVariant value;
    values.GetNextAssoc(position, name, value);
    m_data[name] = value;
  }
  return TRUE;
  DEF_CATCH(FALSE)
}

CString CFillForm::GetInitialDBFileName() {
  DEF_TRY
  return GetFilesPathName() + L"\\general.db";
  DEF_CATCH(CString())
}

void CFillForm::LaunchEditor() {
  DEF_TRY
  const CString path = quillet::GetHostProfileString(quillet::kSettingDbPath, GetInitialDBFileName());
  CString command;
  command.Format(L"zoriVurada.exe \"%s\"", path.GetString());
  std::vector<wchar_t> commandLine(command.GetString(), command.GetString() + command.GetLength() + 1);

  // The editor is found by the system's search order (the host program's folder first) and runs in
  // the folder of the host's help file, which is the host program's folder.
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  const CWinApp* app = AfxGetApp();
  const CString folder =
      ExtractFilePath(app && app->m_pszHelpFilePath ? app->m_pszHelpFilePath : program);

  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     folder.IsEmpty() ? nullptr : folder.GetString(), &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return;
  }
  const DWORD error = GetLastError();
  CString message;
  message.Format(L"Launch of the database editor failed (%d).", static_cast<int>(error));
  AppendErrorLog(message);
  AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
  DEF_CATCH()
}
