#include "NewDocMultipageDlg.h"

#include "ErrorLog.h"
#include "resource.h"

namespace {
const int kDocumentColumnWidth = 258;
const int kPageColumnWidth = 100;
}  // namespace

BEGIN_MESSAGE_MAP(CNewDocMultipageDlg, CDialogEx)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST_PAGES, OnItemchangedListPages)
END_MESSAGE_MAP()

CNewDocMultipageDlg::CNewDocMultipageDlg(CWnd* parent) : CDialogEx(IDD_NEW_DOC_MULTIPAGE, parent), m_pages(10) {}

CNewDocMultipageDlg::~CNewDocMultipageDlg() = default;

void CNewDocMultipageDlg::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_STATIC_SELECTED_PAGES, m_selectedCount);
  DDX_Control(pDX, IDC_LIST_PAGES, m_list);
  DEF_CATCH("CNewDocMultipageDlg::DoDataExchange")
}

BOOL CNewDocMultipageDlg::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  if (!m_title.IsEmpty()) SetWindowText(m_title);
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  CString heading;
  heading.LoadString(IDS_COLUMN_DOCUMENT);
  m_list.InsertColumn(0, heading, LVCFMT_LEFT, kDocumentColumnWidth);
  heading.LoadString(IDS_COLUMN_PAGE);
  m_list.InsertColumn(1, heading, LVCFMT_LEFT, kPageColumnWidth);
  FillPagesList();
  UpdateSelectedDocCnt();
  DEF_CATCH("CNewDocMultipageDlg::OnInitDialog")
  return TRUE;
}

void CNewDocMultipageDlg::FillPagesList() {
  DEF_TRY
  m_list.DeleteAllItems();
  if (m_documents == nullptr) return;
  int row = 0;
  for (POSITION position = m_documents->GetHeadPosition(); position != nullptr;) {
    CFolimarDoc* document = m_documents->GetNext(position);
    if (document == nullptr) continue;
    const int pageCount = document->GetPageCount();
    for (int index = 0; index < pageCount; ++index) {
      CPageInfo* page = document->GetPage(index);
      if (page == nullptr) continue;
      const int item = m_list.InsertItem(row, document->GetTitle());
      if (item < 0) continue;
      m_list.SetItemData(item, reinterpret_cast<DWORD_PTR>(page));
      if (pageCount > 1) {
        CString number;
        number.Format(L"%d", index + 1);
        m_list.SetItemText(item, 1, number);
      }
      ++row;
    }
  }
  DEF_CATCH("CNewDocMultipageDlg::FillPagesList")
}

void CNewDocMultipageDlg::UpdateSelectedDocCnt() {
  DEF_TRY
  CString count;
  count.Format(L"%d", static_cast<int>(m_list.GetSelectedCount()));
  m_selectedCount.SetWindowText(count);
  DEF_CATCH("CNewDocMultipageDlg::UpdateSelectedDocCnt")
}

void CNewDocMultipageDlg::OnItemchangedListPages(NMHDR* header, LRESULT* result) {
  DEF_TRY
  const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
  if ((change->uChanged & LVIF_STATE) != 0 && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED) != 0)
    UpdateSelectedDocCnt();
  DEF_CATCH("CNewDocMultipageDlg::OnItemchangedListPages")
  *result = 0;
}

void CNewDocMultipageDlg::OnOK() {
  DEF_TRY
  for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = m_list.GetNextItem(row, LVNI_SELECTED))
    m_pages.AddTail(reinterpret_cast<CPageInfo*>(m_list.GetItemData(row)));
  EndDialog(IDOK);
  DEF_CATCH("CNewDocMultipageDlg::OnOK")
}
