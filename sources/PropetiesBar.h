// The properties pane ("Properties"): a property grid over the style and field format of the
// selected objects, or of the frame's defaults for new objects. Which rows show depends on the kinds
// of the selected objects; every edit becomes a call of CMainFrame::SetDefaultProperty with the
// row's property id, which stores it as the default and hands it to the active view.
#pragma once
#include "Framework.h"

#include <map>
#include <string>
#include <vector>

#include "FieldProperties.h"
#include "ObjectStyle.h"

class CPropetiesBar : public CDockablePane {
 public:
  enum { kGridId = 2 };
  // Object-kind bits of the selection.
  enum {
    kKindTextField = 1,
    kKindLabel = 2,
    kKindCheckMark = 4,
    kKindShape = 8,
    kKindLine = 16,
    kKindImage = 32,
    kKindBarcode = 64
  };
  // Character pitch: the stored pitch is the shown value times 100 divided by this single-precision
  // factor (so a pitch of 875 shows 31, not 32).
  static constexpr double kPitchFactor = static_cast<double>(3.6f);

  // Loads the option lists and the fonts of the screen and the default printer.
  CPropetiesBar();

  // What the pane is to show: the selection's field format, the style record (the frame's default
  // style, which the frame has just set) and the selection's object-kind bits (0: nothing selected,
  // a single blank row). Rebuilds the rows.
  void SetPropertyList(const _PROPERTIES& properties, const _OBJECT_STYLE* style, const int* kindMask);
  int GetKindMask() const { return m_kindMask; }
  const _PROPERTIES& GetShownProperties() const { return m_properties; }

  CMFCPropertyGridCtrl& GetGrid() { return m_grid; }
  // The grid fills the pane's client area; nothing before the window exists.
  void AdjustLayout();

  // The fonts offered, by face name, with the charsets reported for each (in the order reported).
  typedef std::map<std::wstring, std::vector<int>> FontMap;
  const FontMap& GetFontMap() const { return m_fontMap; }
  // Takes one reported font into the map (the Macintosh charset, fonts the pitch-and-family filter
  // refuses and, with double-byte support, vertical "@" faces are left out).
  void AddFont(const LOGFONTW& font);
  // Refills the "Script" row's options with the charsets of `face`; nothing for a face not known.
  void CreateCharsetList(const CString& face);
  static CString GetCharsetName(int charset);
  // The shown value of a stored pitch, and the pitch of a shown value.
  static int PitchToShown(int pitch);
  static int ShownToPitch(int shown);
  // The line-width options: their texts and stored values.
  static int LineWidthCount();
  static CString LineWidthText(int index);
  static int LineWidthValue(int index);

 protected:
  // The grid's look: no header, the flat look, changed values marked.
  void InitPropList();
  void BuildFontList();
  static int CALLBACK EnumFontsCallback(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type, LPARAM self);
  // The rows for the current kind bits.
  void AddRows(const _PROPERTIES& properties, const _OBJECT_STYLE& style);
  // A row that offers the texts of `list` (chosen only) and shows `list[index]`.
  CMFCPropertyGridProperty* ListRow(UINT name, const CStringArray& list, int index, int id, UINT description = 0);
  CMFCPropertyGridProperty* YesNoRow(UINT name, BOOL yes, int id);
  // The list index whose text equals `text`, -1 for none.
  static int IndexOf(const CStringArray& list, const CString& text);
  // Applies a changed row (see the property ids in the row table of PropetiesBar.cpp).
  void ApplyChange(CMFCPropertyGridProperty* row);

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  CMFCPropertyGridCtrl m_grid;
  CMFCPropertyGridProperty* m_pitchValueRow = nullptr;
  CMFCPropertyGridProperty* m_scriptRow = nullptr;
  CMFCPropertyGridProperty* m_printRow = nullptr;
  int m_kindMask = 0;
  CString m_objectName;
  BYTE m_pitchAndFamilyFilter = 0;
  FontMap m_fontMap;
  std::vector<int> m_faceCharsets;
  BYTE m_currentCharset = 0;
  _PROPERTIES m_properties;
  _OBJECT_STYLE m_style = {};

  CStringArray m_alignments;
  CStringArray m_objectTypes;
  CStringArray m_orientations;
  CStringArray m_lineStyles;
  CStringArray m_yesNo;
  CStringArray m_formats;
};
