// The fill-form interface that Orvello and Scrivel import from Quillet: stored groups and profiles of
// named field values, turned into the caller's field map interactively or by name.
#pragma once
#include "Framework.h"

#include "FillFormExport.h"
#include "FillFormLayout.h"
#include "ProfilesDb.h"

// One group or profile as listed: its id (as text) and its name.
class GroupItem {
 public:
  CString id;
  CString name;
};

// One stored field value with its type text: "0" text, "1" numeric, "2" currency.
class FieldsItem {
 public:
  CString name;
  CString value;
  CString field_type;
};

// Error codes of GetData, reported by CheckError.
enum {
  FILLFORM_ERROR_OPEN_DB = -9,      // the database file cannot be opened
  FILLFORM_ERROR_SQL = -10,         // an SQL statement failed
  FILLFORM_ERROR_NO_GROUP = -11,    // no group of the given name
  FILLFORM_ERROR_NO_PROFILE = -12,  // no profile of the given name
};

class QUILLET_API CFillForm : public CDialogEx {
 public:
  // The caller owns `data` and keeps it alive while the object lives; it is written only by a
  // successful GetData (or "Fill" in the dialog). Reads the folder choices and the database path
  // from the host's settings.
  CFillForm(CMap<CString, LPCWSTR, COleVariant, COleVariant>& data, CWnd* parent = nullptr);
  ~CFillForm() override;
  CFillForm(const CFillForm&) = delete;
  CFillForm& operator=(const CFillForm&) = delete;

  // DoModal shows the dialog "Document filling": IDOK after "Fill" (the map then holds the chosen
  // values), IDCANCEL otherwise.

  // Fills the map from the named profile, after the named group's values when a group is named.
  // The outcome is read with CheckError; on any failure the map is left as it was.
  void GetData(CString group, CString profile);
  // TRUE with the code in `error` when the last GetData failed; FALSE (and `error` untouched)
  // otherwise.
  BOOL CheckError(int& error);

  // Starts the outside profile-database editor on the current database file.
  static void LaunchEditor();
  // "general.db" in the product's documents folder.
  static CString GetInitialDBFileName();

  // Choices the hosts read after the dialog: 0 fill the current document, 1 the documents of
  // m_inFolder, saved into m_outFolder when m_checkOutFolder is set.
  int m_radioIndex;
  CString m_inFolder;
  CString m_outFolder;
  int m_checkOutFolder;
  // The last real group and profile chosen; the names stay when a pseudo-entry is chosen later.
  int m_groupSelected;
  int m_profileSelected;
  CString m_groupName;
  CString m_profileName;

 protected:
  // Row readers of the database statements, in SQLite's exec-callback form.
  static int callbackGroupIdProfileId(void* argument, int count, char** values, char** names);
  static int callbackGroups(void* argument, int count, char** values, char** names);
  static int callbackGroupProfiles(void* argument, int count, char** values, char** names);
  static int callbackGroupFields(void* argument, int count, char** values, char** names);
  static int callbackProfileFields(void* argument, int count, char** values, char** names);

  // The dialog's messages.
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  afx_msg void OnCbnSelchangeComboGroups();
  afx_msg void OnCbnSelchangeComboProfiles();
  afx_msg void OnBnClickedOk();
  afx_msg void OnBnClickedSelectDbButton();
  afx_msg void OnBnClickedEdit();
  afx_msg void OnBnClickedRadioCurrentForm();
  afx_msg void OnBnClickedRadioMultiForms();
  afx_msg void OnBnClickedCheckOut();
  afx_msg void OnBnClickedInBrowse();
  afx_msg void OnBnClickedOutBrowse();
  DECLARE_MESSAGE_MAP()

  // Opens the database file and shows its groups; TRUE when it is open.
  BOOL OpenDB(const CString& path);
  void EnableMultiFormControls(BOOL multiple);
  void Layout();
  void UpdateOptions();
  // The key of the current groups entry in the last-used table: "-2", "-3" or the group's id.
  CString GetProfileId() const;

  // Replaces the caller's map by the group values, then the profile values (a profile value wins
  // over a group value of the same name). On failure the map is left as it was.
  BOOL WriteDataToMap();

  HICON m_hIcon;
  CMap<CString, LPCWSTR, COleVariant, COleVariant>& m_data;
  quillet::ProfilesDb m_db;
  int m_groupIndex;
  CString m_dbPath;
  SIZE m_minTrackSize;
  _AUTOFILLING_OPTIONS m_options;
  int m_error;

  // Shared by every object of the process: one dialog or GetData at a time.
  static CArray<GroupItem, GroupItem> m_groups;
  static CArray<GroupItem, GroupItem> m_profiles;
  static CArray<FieldsItem, FieldsItem> m_groupFields;
  static CArray<FieldsItem, FieldsItem> m_profileFields;
  static CMap<CString, LPCWSTR, CString, CString> m_mapGroupIdProfileId;

 private:
  void ShowFields(int listId, const CArray<FieldsItem, FieldsItem>& fields);
  // The folder picker for one of the two folder edits; the choice goes into `folder` and its edit.
  void BrowseForFolder(CString& folder);

  // Set while Layout resizes the columns, whose own notifications must not become the new base.
  BOOL m_inLayout;
  // How far a combo box's list drops below its closed height, kept across layouts.
  int m_comboDropHeight;
};
