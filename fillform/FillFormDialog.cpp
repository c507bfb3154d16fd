// The dialog "Document filling" of CFillForm: choosing a group and a profile, the folder choices,
// its layout and the state it remembers.
#include "FillForm.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "FillFormProcs.h"
#include "HostProfile.h"
#include "resource.h"

using quillet::ProfilesQuery;

namespace {

// Item data of the groups entries that are no group, and of the empty profiles entry.
const INT_PTR kAllProfiles = -2;
const INT_PTR kProfilesOutOfGroups = -3;
const INT_PTR kNoProfile = -2;
const wchar_t kNoProfileId[] = L"-2";

const UINT kColumnTitles[quillet::kColumnCount] = {IDS_COLUMN_NAME, IDS_COLUMN_VALUE,
                                                   IDS_COLUMN_TYPE};

// The controls that serve filling a folder of documents, and whether each needs the output check.
const struct {
  int id;
  bool output;
} kMultiFormControls[] = {
    {IDC_EDIT_IN_FOLDER, false},  {IDC_STATIC_IN_FOLDER, false}, {IDC_IN_BROWSE, false},
    {IDC_EDIT_OUT_FOLDER, true},  {IDC_STATIC_OUT_FOLDER, true}, {IDC_OUT_BROWSE, true},
    {IDC_CHECK_OUT, false},
};

// The texts and the dialog come from this library's own resources, in the host's language.
HINSTANCE LibraryModule() { return AfxGetCallingModule(); }

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

std::wstring Text(const CString& text) { return std::wstring(text.GetString(), text.GetLength()); }

CString FieldTypeText(const CString& type) {
  if (type == L"0") return LoadText(IDS_FIELD_TYPE_TEXT);
  if (type == L"1") return LoadText(IDS_FIELD_TYPE_NUMERIC);
  if (type == L"2") return LoadText(IDS_FIELD_TYPE_CURRENCY);
  return CString();
}

void AddComboEntry(HWND combo, LPCWSTR text, INT_PTR data) {
  const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  if (index >= 0) ::SendMessageW(combo, CB_SETITEMDATA, index, data);
}

INT_PTR ComboData(HWND combo, int index) {
  return static_cast<INT_PTR>(::SendMessageW(combo, CB_GETITEMDATA, index, 0));
}

int ComboCount(HWND combo) { return static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

void SetCell(HWND list, int row, int column, const CString& text) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = const_cast<LPWSTR>(text.GetString());
  ::SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, column == 0 ? 0 : row,
               reinterpret_cast<LPARAM>(&item));
}

SIZE ControlSize(HWND dialog, int id) {
  RECT rect = {};
  ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

BEGIN_MESSAGE_MAP(CFillForm, CDialogEx)
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_GETMINMAXINFO()
  ON_CBN_SELCHANGE(IDC_COMBO_GROUPS, OnCbnSelchangeComboGroups)
  ON_CBN_SELCHANGE(IDC_COMBO_PROFILES, OnCbnSelchangeComboProfiles)
  ON_BN_CLICKED(IDOK, OnBnClickedOk)
  ON_BN_CLICKED(IDC_SELECT_DB_BUTTON, OnBnClickedSelectDbButton)
  ON_BN_CLICKED(IDC_EDIT_BUTTON, OnBnClickedEdit)
  ON_BN_CLICKED(IDC_RADIO_CURRENT_FORM, OnBnClickedRadioCurrentForm)
  ON_BN_CLICKED(IDC_RADIO_MULTI_FORMS, OnBnClickedRadioMultiForms)
  ON_BN_CLICKED(IDC_CHECK_OUT, OnBnClickedCheckOut)
  ON_BN_CLICKED(IDC_IN_BROWSE, OnBnClickedInBrowse)
  ON_BN_CLICKED(IDC_OUT_BROWSE, OnBnClickedOutBrowse)
END_MESSAGE_MAP()

void CFillForm::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_RADIO_CURRENT_FORM, m_radioIndex);
  DDX_Check(pDX, IDC_CHECK_OUT, m_checkOutFolder);
  DDX_Text(pDX, IDC_EDIT_IN_FOLDER, m_inFolder);
  DDX_Text(pDX, IDC_EDIT_OUT_FOLDER, m_outFolder);
}

BOOL CFillForm::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  m_hIcon = static_cast<HICON>(::LoadImageW(LibraryModule(), MAKEINTRESOURCEW(IDI_FILL_FORM),
                                            IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  SetIcon(m_hIcon, TRUE);

  RECT window = {};
  ::GetWindowRect(m_hWnd, &window);
  m_minTrackSize = SIZE{window.right - window.left, window.bottom - window.top};
  // The layout moves the combo boxes by their closed height; their lists keep dropping as far as
  // the template made them.
  RECT dropped = {};
  ::SendDlgItemMessageW(m_hWnd, IDC_COMBO_GROUPS, CB_GETDROPPEDCONTROLRECT, 0,
                      reinterpret_cast<LPARAM>(&dropped));
  m_comboDropHeight = std::max<int>(
      0, (dropped.bottom - dropped.top) - ControlSize(m_hWnd, IDC_COMBO_GROUPS).cy);

  m_options = quillet::LoadAutofillingOptions(window, m_minTrackSize);
  MoveWindow(m_options.rect[0], m_options.rect[1], m_options.rect[2] - m_options.rect[0],
             m_options.rect[3] - m_options.rect[1], TRUE);
  ::SetDlgItemTextW(m_hWnd, IDC_STATIC_DB_PATH, m_dbPath);

  const std::pair<int, const int32_t*> lists[] = {{IDC_LIST_GROUP, m_options.groupColumns},
                                                  {IDC_LIST_PROFILE, m_options.profileColumns}};
  for (const auto& list : lists) {
    for (int column = 0; column < quillet::kColumnCount; ++column) {
      const CString title = LoadText(kColumnTitles[column]);
      LVCOLUMNW header = {};
      header.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
      header.fmt = LVCFMT_LEFT;
      header.cx = list.second[column];
      header.pszText = const_cast<LPWSTR>(title.GetString());
      header.iSubItem = column;
      ::SendDlgItemMessageW(m_hWnd, list.first, LVM_INSERTCOLUMNW, column,
                          reinterpret_cast<LPARAM>(&header));
    }
  }

  // The lists are shared by the whole process: what an earlier dialog or GetData left in them must
  // not be filled in when this database does not open.
  m_groups.RemoveAll();
  m_profiles.RemoveAll();
  m_groupFields.RemoveAll();
  m_profileFields.RemoveAll();
  m_mapGroupIdProfileId.RemoveAll();
  // Without a database the lists stay empty, but the folder controls still follow the choice.
  OpenDB(m_dbPath);
  EnableMultiFormControls(m_radioIndex == 1);
  Layout();
  return TRUE;
  DEF_CATCH(TRUE)
}

BOOL CFillForm::OpenDB(const CString& path) {
  DEF_TRY
  if (!m_db.Open(Text(path))) return FALSE;
  m_mapGroupIdProfileId.RemoveAll();
  m_db.Read(ProfilesQuery::LastUsed, L"", callbackGroupIdProfileId);
  m_groups.RemoveAll();
  m_db.Read(ProfilesQuery::Groups, L"", callbackGroups);

  HWND combo = ::GetDlgItem(m_hWnd, IDC_COMBO_GROUPS);
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  AddComboEntry(combo, LoadText(IDS_ALL_PROFILES), kAllProfiles);
  AddComboEntry(combo, LoadText(IDS_PROFILES_OUT_OF_GROUPS), kProfilesOutOfGroups);
  for (INT_PTR i = 0; i < m_groups.GetSize(); ++i) AddComboEntry(combo, m_groups[i].name, i);
  const INT_PTR stored = quillet::GetHostProfileInt(quillet::kSettingGroupId, static_cast<int>(kAllProfiles));
  int selection = 0;
  for (int i = 0; i < ComboCount(combo); ++i) {
    if (ComboData(combo, i) == stored) {
      selection = i;
      break;
    }
  }
  ::SendMessageW(combo, CB_SETCURSEL, selection, 0);
  OnCbnSelchangeComboGroups();
  return TRUE;
  DEF_CATCH(FALSE)
}

CString CFillForm::GetProfileId() const {
  DEF_TRY
  if (m_groupIndex == kAllProfiles) return L"-2";
  if (m_groupIndex == kProfilesOutOfGroups) return L"-3";
  if (m_groupIndex >= 0 && m_groupIndex < m_groups.GetSize()) return m_groups[m_groupIndex].id;
  return CString();
  DEF_CATCH(CString())
}

void CFillForm::ShowFields(int listId, const CArray<FieldsItem, FieldsItem>& fields) {
  HWND list = ::GetDlgItem(m_hWnd, listId);
  ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  for (INT_PTR i = 0; i < fields.GetSize(); ++i) {
    const int row = static_cast<int>(i);
    SetCell(list, row, 0, fields[i].name);
    SetCell(list, row, 1, fields[i].value);
    SetCell(list, row, 2, FieldTypeText(fields[i].field_type));
  }
}

void CFillForm::OnCbnSelchangeComboGroups() {
  DEF_TRY
  if (!m_db.IsOpen()) return;
  HWND groups = ::GetDlgItem(m_hWnd, IDC_COMBO_GROUPS);
  const int selection = static_cast<int>(::SendMessageW(groups, CB_GETCURSEL, 0, 0));
  if (selection < 0) return;
  m_groupIndex = static_cast<int>(ComboData(groups, selection));
  quillet::WriteHostProfileInt(quillet::kSettingGroupId, m_groupIndex);

  m_groupFields.RemoveAll();
  m_groupSelected = 0;
  const bool realGroup = m_groupIndex >= 0 && m_groupIndex < m_groups.GetSize();
  if (realGroup) {
    m_groupSelected = 1;
    m_groupName = m_groups[m_groupIndex].name;
    m_db.Read(ProfilesQuery::GroupFields, Text(m_groups[m_groupIndex].id), callbackGroupFields);
  }
  ShowFields(IDC_LIST_GROUP, m_groupFields);

  m_profiles.RemoveAll();
  if (m_groupIndex == kAllProfiles) {
    m_db.Read(ProfilesQuery::AllProfiles, L"", callbackGroupProfiles);
  } else if (m_groupIndex == kProfilesOutOfGroups) {
    m_db.Read(ProfilesQuery::ProfilesOutOfGroups, L"", callbackGroupProfiles);
  } else if (realGroup) {
    m_db.Read(ProfilesQuery::GroupProfiles, Text(m_groups[m_groupIndex].id), callbackGroupProfiles);
  }

  HWND profiles = ::GetDlgItem(m_hWnd, IDC_COMBO_PROFILES);
  ::SendMessageW(profiles, CB_RESETCONTENT, 0, 0);
  if (realGroup) AddComboEntry(profiles, L"", kNoProfile);
  for (INT_PTR i = 0; i < m_profiles.GetSize(); ++i) AddComboEntry(profiles, m_profiles[i].name, i);

  if (m_profiles.GetSize() == 0) {
    m_profileFields.RemoveAll();
    ShowFields(IDC_LIST_PROFILE, m_profileFields);
    m_profileSelected = 0;
    return;
  }
  CString lastUsed;
  m_mapGroupIdProfileId.Lookup(GetProfileId(), lastUsed);
  int profileSelection = 0;
  if (lastUsed != kNoProfileId) {
    for (int i = 0; i < ComboCount(profiles); ++i) {
      const INT_PTR data = ComboData(profiles, i);
      if (data >= 0 && data < m_profiles.GetSize() && m_profiles[data].id == lastUsed) {
        profileSelection = i;
        break;
      }
    }
  }
  ::SendMessageW(profiles, CB_SETCURSEL, profileSelection, 0);
  OnCbnSelchangeComboProfiles();
  DEF_CATCH()
}

void CFillForm::OnCbnSelchangeComboProfiles() {
  DEF_TRY
  if (!m_db.IsOpen()) return;
  m_profileFields.RemoveAll();
  m_profileSelected = 0;
  HWND profiles = ::GetDlgItem(m_hWnd, IDC_COMBO_PROFILES);
  const int selection = static_cast<int>(::SendMessageW(profiles, CB_GETCURSEL, 0, 0));
  const INT_PTR data = selection < 0 ? kNoProfile : ComboData(profiles, selection);
  if (data >= 0 && data < m_profiles.GetSize()) {
    m_profileSelected = 1;
    m_profileName = m_profiles[data].name;
    m_mapGroupIdProfileId[GetProfileId()] = m_profiles[data].id;
    m_db.Read(ProfilesQuery::ProfileFields, Text(m_profiles[data].id), callbackProfileFields);
  } else if (selection >= 0) {
    m_mapGroupIdProfileId[GetProfileId()] = kNoProfileId;
  }
  ShowFields(IDC_LIST_PROFILE, m_profileFields);
  DEF_CATCH()
}

void CFillForm::OnBnClickedOk() {
  DEF_TRY
  UpdateData(TRUE);
  // A map that could not be written is no result to return.
  if (WriteDataToMap()) EndDialog(IDOK);
  DEF_CATCH()
}

void CFillForm::EnableMultiFormControls(BOOL multiple) {
  DEF_TRY
  UpdateData(TRUE);
  for (const auto& control : kMultiFormControls)
    ::EnableWindow(::GetDlgItem(m_hWnd, control.id),
                 multiple && (!control.output || m_checkOutFolder));
  DEF_CATCH()
}

void CFillForm::OnBnClickedRadioCurrentForm() { EnableMultiFormControls(FALSE); }
void CFillForm::OnBnClickedRadioMultiForms() { EnableMultiFormControls(TRUE); }
void CFillForm::OnBnClickedCheckOut() { EnableMultiFormControls(TRUE); }
void CFillForm::OnBnClickedEdit() { LaunchEditor(); }

void CFillForm::OnBnClickedSelectDbButton() {
  DEF_TRY
  wchar_t file[MAX_PATH] = {};
  lstrcpynW(file, ExtractFileName(m_dbPath), MAX_PATH);
  const CString folder = ExtractFilePath(m_dbPath);
  OPENFILENAMEW open = {};
  open.lStructSize = sizeof(open);
  open.hwndOwner = m_hWnd;
  open.lpstrFilter = L"db (*.db)\0*.db\0";
  open.lpstrFile = file;
  open.nMaxFile = MAX_PATH;
  open.lpstrInitialDir = folder.IsEmpty() ? nullptr : folder.GetString();
  open.lpstrDefExt = L"db";
  open.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLESIZING;
  if (!::GetOpenFileNameW(&open)) return;
  const CString path(file);
  if (!OpenDB(path)) return;
  m_dbPath = path;
  quillet::WriteHostProfileString(quillet::kSettingDbPath, m_dbPath);
  ::SetDlgItemTextW(m_hWnd, IDC_STATIC_DB_PATH, m_dbPath);
  DEF_CATCH()
}

void CFillForm::OnBnClickedInBrowse() { BrowseForFolder(m_inFolder); }
void CFillForm::OnBnClickedOutBrowse() { BrowseForFolder(m_outFolder); }

void CFillForm::BrowseForFolder(CString& folder) {
  DEF_TRY
  // Take what was typed first, so that refreshing the controls afterwards loses none of it.
  UpdateData(TRUE);
  wchar_t chosen[MAX_PATH] = {};
  if (!ChooseFolder(m_hWnd, LoadText(IDS_SELECT_FORM_FOLDER), folder, chosen)) return;
  folder = chosen;
  UpdateData(FALSE);
  DEF_CATCH()
}

void CFillForm::OnSize(UINT type, int cx, int cy) {
  CDialogEx::OnSize(type, cx, cy);
  if (type != SIZE_MINIMIZED) Layout();
}

void CFillForm::OnGetMinMaxInfo(MINMAXINFO* info) {
  if (m_minTrackSize.cx > 0 && m_minTrackSize.cy > 0) {
    info->ptMinTrackSize.x = m_minTrackSize.cx;
    info->ptMinTrackSize.y = m_minTrackSize.cy;
  }
}

BOOL CFillForm::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header && header->idFrom == IDC_LIST_GROUP && header->code != static_cast<UINT>(NM_CUSTOMDRAW) &&
      !m_inLayout)
    UpdateOptions();
  return CDialogEx::OnNotify(wParam, lParam, result);
}

void CFillForm::Layout() {
  DEF_TRY
  if (!m_hWnd) return;
  m_inLayout = TRUE;
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  const SIZE button = ControlSize(m_hWnd, IDOK);
  const quillet::FillFormMetrics metrics = {client.right,
                                            client.bottom,
                                            ControlSize(m_hWnd, IDC_STATIC_DB_PATH).cy,
                                            ControlSize(m_hWnd, IDC_COMBO_GROUPS).cy,
                                            button.cx,
                                            button.cy};
  for (const quillet::ControlPlace& place : quillet::ComputeFillFormLayout(metrics)) {
    const bool combo = place.id == IDC_COMBO_GROUPS || place.id == IDC_COMBO_PROFILES;
    ::MoveWindow(::GetDlgItem(m_hWnd, place.id), place.rect.left, place.rect.top,
               place.rect.right - place.rect.left,
               place.rect.bottom - place.rect.top + (combo ? m_comboDropHeight : 0), TRUE);
  }
  RECT window = {};
  ::GetWindowRect(m_hWnd, &window);
  const int width = window.right - window.left;
  for (int column = 0; column < quillet::kColumnCount; ++column) {
    ::SendDlgItemMessageW(m_hWnd, IDC_LIST_GROUP, LVM_SETCOLUMNWIDTH, column,
                        quillet::ScaleColumnWidth(m_options.groupColumns[column], width, m_options));
    ::SendDlgItemMessageW(m_hWnd, IDC_LIST_PROFILE, LVM_SETCOLUMNWIDTH, column,
                        quillet::ScaleColumnWidth(m_options.profileColumns[column], width, m_options));
  }
  m_inLayout = FALSE;
  DEF_CATCH()
}

void CFillForm::UpdateOptions() {
  DEF_TRY
  RECT window = {};
  ::GetWindowRect(m_hWnd, &window);
  m_options.rect[0] = window.left;
  m_options.rect[1] = window.top;
  m_options.rect[2] = window.right;
  m_options.rect[3] = window.bottom;
  for (int column = 0; column < quillet::kColumnCount; ++column) {
    m_options.groupColumns[column] = static_cast<int32_t>(
        ::SendDlgItemMessageW(m_hWnd, IDC_LIST_GROUP, LVM_GETCOLUMNWIDTH, column, 0));
    m_options.profileColumns[column] = static_cast<int32_t>(
        ::SendDlgItemMessageW(m_hWnd, IDC_LIST_PROFILE, LVM_GETCOLUMNWIDTH, column, 0));
  }
  DEF_CATCH()
}

void CFillForm::OnDestroy() {
  DEF_TRY
  UpdateOptions();
  quillet::StoreAutofillingOptions(m_options);
  UpdateData(TRUE);
  quillet::WriteHostProfileInt(quillet::kSettingRadioIndex, m_radioIndex);
  quillet::WriteHostProfileInt(quillet::kSettingCheckOutFolder, m_checkOutFolder);
  quillet::WriteHostProfileString(quillet::kSettingInFolder, m_inFolder);
  quillet::WriteHostProfileString(quillet::kSettingOutFolder, m_outFolder);

  std::vector<std::pair<std::wstring, std::wstring>> lastUsed;
  for (POSITION position = m_mapGroupIdProfileId.GetStartPosition(); position;) {
    CString key;
    CString id;
    m_mapGroupIdProfileId.GetNextAssoc(position, key, id);
    lastUsed.emplace_back(Text(key), Text(id));
  }
  CDialogEx::OnDestroy();
  m_db.WriteLastUsed(lastUsed);
  m_db.Close();
  DEF_CATCH()
}
