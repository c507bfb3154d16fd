#include "OptionsPropPagePDF.h"

#include "ErrorLog.h"
#include "MainFrm.h"
#include "OptionsSheet.h"
#include "resource.h"

namespace {

const int kOutputControls[] = {IDC_OPT_PDF_COMPRESSION_LABEL, IDC_OPT_PDF_COMPRESSION, IDC_OPT_PDF_VERSION_LABEL,
                               IDC_OPT_PDF_VERSION,           IDC_OPT_PDF_LAYOUT_LABEL, IDC_OPT_PDF_LAYOUT,
                               IDC_OPT_PDF_MODE_LABEL,        IDC_OPT_PDF_MODE,         IDC_OPT_PDF_URL,
                               IDC_OPT_PDF_FONTS_LABEL,       IDC_OPT_PDF_FONTS,        IDC_OPT_PDF_IMAGES_LABEL,
                               IDC_OPT_PDF_IMAGES};
const int kViewerControls[] = {IDC_OPT_PDF_CENTER,       IDC_OPT_PDF_FIT,         IDC_OPT_PDF_HIDE_MENUBAR,
                               IDC_OPT_PDF_HIDE_TOOLBARS, IDC_OPT_PDF_HIDE_WINDOW_UI, IDC_OPT_PDF_LAUNCH};

// The combo boxes and the string of their items.
const struct {
  int id;
  UINT items;
} kCombos[] = {{IDC_OPT_PDF_COMPRESSION, IDS_PDF_DOC_COMPRESSIONS}, {IDC_OPT_PDF_VERSION, IDS_PDF_VERSIONS},
               {IDC_OPT_PDF_IMAGES, IDS_PDF_IMAGE_COMPRESSIONS},    {IDC_OPT_PDF_LAYOUT, IDS_PDF_PAGE_LAYOUTS},
               {IDC_OPT_PDF_MODE, IDS_PDF_PAGE_MODES},              {IDC_OPT_PDF_FONTS, IDS_PDF_FONT_EMBEDDINGS}};

}  // namespace

BEGIN_MESSAGE_MAP(COptionsPropPagePDF, CPropertyPage)
ON_CBN_SELCHANGE(IDC_OPT_PDF_COMPRESSION, OnModified)
ON_CBN_SELCHANGE(IDC_OPT_PDF_VERSION, OnModified)
ON_CBN_SELCHANGE(IDC_OPT_PDF_IMAGES, OnModified)
ON_CBN_SELCHANGE(IDC_OPT_PDF_LAYOUT, OnModified)
ON_CBN_SELCHANGE(IDC_OPT_PDF_MODE, OnModified)
ON_CBN_SELCHANGE(IDC_OPT_PDF_FONTS, OnModified)
ON_BN_CLICKED(IDC_OPT_PDF_URL, OnModified)
ON_BN_CLICKED(IDC_OPT_PDF_LAUNCH, OnModified)
ON_BN_CLICKED(IDC_OPT_PDF_CENTER, OnModified)
ON_BN_CLICKED(IDC_OPT_PDF_FIT, OnModified)
ON_BN_CLICKED(IDC_OPT_PDF_HIDE_MENUBAR, OnModified)
ON_BN_CLICKED(IDC_OPT_PDF_HIDE_TOOLBARS, OnModified)
ON_BN_CLICKED(IDC_OPT_PDF_HIDE_WINDOW_UI, OnModified)
ON_NOTIFY(TCN_SELCHANGE, IDC_OPT_PDF_TAB, OnSelchangeTab)
END_MESSAGE_MAP()

COptionsPropPagePDF::COptionsPropPagePDF(CMainFrame* frame)
    : CPropertyPage(IDD_OPTIONS_PDF, IDS_TAB_PDF),
      m_frame(frame),
      m_options(frame != nullptr ? frame->GetPdfOptions() : DefaultPdfOptions()),
      m_options2(frame != nullptr ? frame->GetPdfOptions2() : DefaultPdfOptions2()) {}

COptionsPropPagePDF::~COptionsPropPagePDF() = default;

const int* COptionsPropPagePDF::GroupControls(int group, int& count) {
  count = group == 0 ? static_cast<int>(_countof(kOutputControls)) : static_cast<int>(_countof(kViewerControls));
  return group == 0 ? kOutputControls : kViewerControls;
}

void COptionsPropPagePDF::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CPropertyPage::DoDataExchange(pDX);
  int values[] = {m_options.docCompression, m_options.pdfVersion,   m_options.imageCompression,
                  m_options.pageLayout,     m_options.pageMode,     m_options2.fontEmbedding};
  for (size_t i = 0; i < _countof(kCombos); ++i) DDX_CBIndex(pDX, kCombos[i].id, values[i]);
  m_options.docCompression = values[0];
  m_options.pdfVersion = values[1];
  m_options.imageCompression = values[2];
  m_options.pageLayout = values[3];
  m_options.pageMode = values[4];
  m_options2.fontEmbedding = values[5];
  DDX_Check(pDX, IDC_OPT_PDF_URL, m_options.urlDetection);
  DDX_Check(pDX, IDC_OPT_PDF_LAUNCH, m_options.launchViewer);
  DDX_Check(pDX, IDC_OPT_PDF_CENTER, m_options.centerWindow);
  DDX_Check(pDX, IDC_OPT_PDF_FIT, m_options.fitWindow);
  DDX_Check(pDX, IDC_OPT_PDF_HIDE_MENUBAR, m_options.hideMenubar);
  DDX_Check(pDX, IDC_OPT_PDF_HIDE_TOOLBARS, m_options.hideToolbars);
  DDX_Check(pDX, IDC_OPT_PDF_HIDE_WINDOW_UI, m_options.hideWindowUI);
  DEF_CATCH("COptionsPropPagePDF::DoDataExchange")
}

BOOL COptionsPropPagePDF::OnInitDialog() {
  DEF_TRY
  // The combo boxes get their items before the values are put into them.
  for (const auto& combo : kCombos) FillComboFromString(static_cast<CComboBox*>(GetDlgItem(combo.id)), combo.items);
  if (!CPropertyPage::OnInitDialog()) return FALSE;
  CTabCtrl* tabs = static_cast<CTabCtrl*>(GetDlgItem(IDC_OPT_PDF_TAB));
  if (tabs == nullptr) return FALSE;
  CString output, viewer;
  output.LoadString(IDS_PDF_TAB_OUTPUT);
  viewer.LoadString(IDS_PDF_TAB_VIEWER);
  tabs->InsertItem(0, output);
  tabs->InsertItem(1, viewer);
  ShowCtrlsGroup(0, m_currentTab == 0);
  ShowCtrlsGroup(1, m_currentTab == 1);
  tabs->SetCurSel(m_currentTab);
  return TRUE;
  DEF_CATCH("COptionsPropPagePDF::OnInitDialog")
  return FALSE;
}

void COptionsPropPagePDF::ShowCtrlsGroup(int group, BOOL show) {
  int count = 0;
  const int* controls = GroupControls(group, count);
  for (int i = 0; i < count; ++i) {
    CWnd* control = GetDlgItem(controls[i]);
    if (control != nullptr) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
  }
}

void COptionsPropPagePDF::OnSelchangeTab(NMHDR*, LRESULT* result) {
  DEF_TRY
  *result = 0;
  SendMessage(WM_SETREDRAW, FALSE);
  ShowCtrlsGroup(m_currentTab, FALSE);
  const int chosen = static_cast<int>(SendDlgItemMessage(IDC_OPT_PDF_TAB, TCM_GETCURSEL, 0, 0));
  m_currentTab = chosen == 1 ? 1 : 0;
  ShowCtrlsGroup(m_currentTab, TRUE);
  SendMessage(WM_SETREDRAW, TRUE);
  Invalidate();
  DEF_CATCH("COptionsPropPagePDF::OnSelchangeTab")
}

void COptionsPropPagePDF::OnModified() { SetModified(TRUE); }

void COptionsPropPagePDF::UpdateOptions() {
  DEF_TRY
  if (m_hWnd != nullptr) UpdateData(TRUE);
  if (m_frame != nullptr) m_frame->SetPdfOptions(m_options, m_options2);
  SetModified(FALSE);
  DEF_CATCH("COptionsPropPagePDF::UpdateOptions")
}

void COptionsPropPagePDF::OnOK() {
  UpdateOptions();
  CPropertyPage::OnOK();
}

BOOL COptionsPropPagePDF::OnApply() {
  UpdateOptions();
  CPropertyPage::OnOK();
  return TRUE;
}
