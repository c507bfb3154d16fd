#include "ResizeDlg.h"

#include "ErrorLog.h"
#include "MyProcs.h"
#include "SharedProcs.h"
#include "resource.h"

namespace {
const double kMillimetresPerInch = 25.4;
const int kMaxSizeCharacters = 7;

// A typed size: a number, not negative.
BOOL ReadLength(const CString& text, double& value) { return StrToDouble(text, value) && value >= 0; }
}  // namespace

BEGIN_MESSAGE_MAP(CResizeDlg, CDialogEx)
  ON_EN_CHANGE(IDC_RESIZE_EDIT_HEIGHT, OnChangeResizeEditHeight)
  ON_EN_CHANGE(IDC_RESIZE_EDIT_WIDTH, OnChangeResizeEditWidth)
  ON_BN_CLICKED(IDC_RESIZE_INCHES, OnResizeInches)
  ON_BN_CLICKED(IDC_RESIZE_MM, OnResizeMm)
  ON_BN_CLICKED(IDC_RESIZE_FIT_TO_PAGE, OnResizeFitToPage)
  ON_BN_CLICKED(IDC_RESIZE_FIT_TO_PRINTABLE, OnResizeFitToPrintable)
  ON_BN_CLICKED(IDC_RESIZE_USER_DEFINED, OnResizeUserDefined)
END_MESSAGE_MAP()

CResizeDlg::CResizeDlg(CWnd* parent) : CDialogEx(IDD_RESIZE, parent) {}

int CResizeDlg::Init(int imageWidth, int imageHeight, int resolutionX, int resolutionY, int pageWidth, int pageHeight,
                     int printableWidth, int printableHeight) {
  DEF_TRY
  if (imageWidth == 0 || imageHeight == 0 || resolutionX == 0 || resolutionY == 0) return 0;
  m_imageWidth = imageWidth;
  m_imageHeight = imageHeight;
  m_resolutionX = resolutionX;
  m_resolutionY = resolutionY;
  m_pageWidth = pageWidth;
  m_pageHeight = pageHeight;
  m_printableWidth = printableWidth;
  m_printableHeight = printableHeight;
  m_aspectRatio = static_cast<double>(imageWidth) / imageHeight;
  ShowSize(imageWidth, imageHeight);
  return 1;
  DEF_CATCH("szPage, CSize szPrintablePage")
  return 0;
}

double CResizeDlg::UnitsPerPixel(int resolution) const {
  return (m_unit == kMillimetres ? kMillimetresPerInch : 1.0) / resolution;
}

void CResizeDlg::ShowSize(double widthPixels, double heightPixels) {
  m_widthText.Format(L"%.3f", widthPixels * UnitsPerPixel(m_resolutionX));
  m_heightText.Format(L"%.3f", heightPixels * UnitsPerPixel(m_resolutionY));
  if (m_hWnd == nullptr) return;
  m_updating = TRUE;
  UpdateData(FALSE);
  m_updating = FALSE;
}

void CResizeDlg::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_RESIZE_EDIT_WIDTH, m_widthEdit);
  DDX_Control(pDX, IDC_RESIZE_EDIT_HEIGHT, m_heightEdit);
  DDX_Radio(pDX, IDC_RESIZE_INCHES, m_unit);
  DDX_Text(pDX, IDC_RESIZE_EDIT_HEIGHT, m_heightText);
  DDV_MaxChars(pDX, m_heightText, kMaxSizeCharacters);
  DDX_Text(pDX, IDC_RESIZE_EDIT_WIDTH, m_widthText);
  DDV_MaxChars(pDX, m_widthText, kMaxSizeCharacters);
  DDX_Radio(pDX, IDC_RESIZE_FIT_TO_PAGE, m_sizeMode);
  DEF_CATCH("CResizeDlg::DoDataExchange")
}

BOOL CResizeDlg::OnInitDialog() {
  DEF_TRY
  m_updating = TRUE;  // the texts being set are not typing
  CDialogEx::OnInitDialog();
  m_updating = FALSE;
  EnableWHEdits(m_sizeMode == kUserDefined);
  DEF_CATCH("CResizeDlg::OnInitDialog")
  return TRUE;
}

void CResizeDlg::OnChangeResizeEditHeight() {
  DEF_TRY
  if (m_updating) return;
  UpdateData(TRUE);
  double height = 0;
  if (!ReadLength(m_heightText, height)) return;
  m_widthText.Format(L"%.3f", height * m_aspectRatio);
  m_updating = TRUE;
  m_widthEdit.SetWindowText(m_widthText);
  m_updating = FALSE;
  DEF_CATCH("CResizeDlg::OnChangeResizeEditHeight")
}

void CResizeDlg::OnChangeResizeEditWidth() {
  DEF_TRY
  if (m_updating) return;
  UpdateData(TRUE);
  double width = 0;
  if (!ReadLength(m_widthText, width)) return;
  m_heightText.Format(L"%.3f", width / m_aspectRatio);
  m_updating = TRUE;
  m_heightEdit.SetWindowText(m_heightText);
  m_updating = FALSE;
  DEF_CATCH("CResizeDlg::OnChangeResizeEditWidth")
}

void CResizeDlg::EnableWHEdits(BOOL enable) {
  DEF_TRY
  m_widthEdit.EnableWindow(enable);
  m_heightEdit.EnableWindow(enable);
  DEF_CATCH("CResizeDlg::EnableWHEdits")
}

void CResizeDlg::ConvertTexts(double factor) {
  // A click on the unit already chosen converts nothing.
  const int before = m_unit;
  UpdateData(TRUE);
  if (m_unit == before) return;
  double width = 0, height = 0;
  if (!ReadLength(m_widthText, width) || !ReadLength(m_heightText, height)) return;
  m_widthText.Format(L"%.3f", width * factor);
  m_heightText.Format(L"%.3f", height * factor);
  m_updating = TRUE;
  UpdateData(FALSE);
  m_updating = FALSE;
}

void CResizeDlg::OnResizeInches() {
  DEF_TRY
  ConvertTexts(1 / kMillimetresPerInch);
  DEF_CATCH("CResizeDlg::OnResizeInches")
}

void CResizeDlg::OnResizeMm() {
  DEF_TRY
  ConvertTexts(kMillimetresPerInch);
  DEF_CATCH("CResizeDlg::OnResizeMm")
}

void CResizeDlg::FitTo(int width, int height) {
  UpdateData(TRUE);
  EnableWHEdits(FALSE);
  const double scale = std::min(static_cast<double>(height) / m_imageHeight, static_cast<double>(width) / m_imageWidth);
  ShowSize(RoundToInt(scale * m_imageWidth), RoundToInt(m_imageHeight * scale));
}

void CResizeDlg::OnResizeFitToPage() {
  DEF_TRY
  FitTo(m_pageWidth, m_pageHeight);
  DEF_CATCH("CResizeDlg::OnResizeFitToPage")
}

void CResizeDlg::OnResizeFitToPrintable() {
  DEF_TRY
  FitTo(m_printableWidth, m_printableHeight);
  DEF_CATCH("CResizeDlg::OnResizeFitToPrintable")
}

void CResizeDlg::OnResizeUserDefined() {
  DEF_TRY
  EnableWHEdits(TRUE);
  DEF_CATCH("CResizeDlg::OnResizeUserDefined")
}

BOOL CResizeDlg::ReadSize(double& width, double& height) const {
  // A size of 0 would ask for an endless resolution.
  return ReadLength(m_widthText, width) && ReadLength(m_heightText, height) && width > 0 && height > 0;
}

void CResizeDlg::OnOK() {
  DEF_TRY
  if (!UpdateData(TRUE)) return;
  double width = 0, height = 0;
  if (!ReadSize(width, height)) {
    ErrorBox(IDS_INCORRECT_FLOAT_VALUES);
    return;
  }
  EndDialog(IDOK);
  DEF_CATCH("CResizeDlg::OnOK")
}

void CResizeDlg::GetNewResolution(SIZE& resolution, BOOL& fitToPrintable) {
  DEF_TRY
  resolution = {m_resolutionX, m_resolutionY};
  fitToPrintable = FALSE;
  double width = 0, height = 0;
  if (m_imageWidth == 0 || !ReadSize(width, height)) return;
  const double scale = width / (m_imageWidth * UnitsPerPixel(m_resolutionX));
  resolution.cx = RoundToInt(m_resolutionX / scale);
  resolution.cy = RoundToInt(m_resolutionY / scale);
  fitToPrintable = m_sizeMode == kFitToPrintable;
  return;
  DEF_CATCH("CResizeDlg::GetNewResolution")
  resolution = {0, 0};
}
