#include "TIFFOptions.h"

#include "ErrorLog.h"
#include "ImageOptions.h"
#include "MyProcs.h"
#include "resource.h"

namespace {
const wchar_t kBitsSetting[] = L"LastUsedBitsPerPixel";
const int kDefaultBits = 24;
}  // namespace

BEGIN_MESSAGE_MAP(CTIFFOptions, CDialogEx)
  ON_BN_CLICKED(IDC_RADIO_UNCOMPRESSED, OnRadioUncompressed)
  ON_BN_CLICKED(IDC_RADIO_PACKBITS, OnRadioPackbits)
  ON_BN_CLICKED(IDC_RADIO_LZW, OnRadioLZW)
  ON_BN_CLICKED(IDC_RADIO_1BIT_FAX, OnRadio1BitFaxFormat)
END_MESSAGE_MAP()

CTIFFOptions::CTIFFOptions(CWnd* parent)
    : CDialogEx(IDD_TIFF_OPTIONS, parent),
      m_compression(GetStoredTiffCompression()),
      m_depthIndex(BitsToDepthIndex(ReadSettingInt(kBitsSetting, kDefaultBits))) {}

int CTIFFOptions::GetBitsPerPixel() const { return DepthIndexToBits(m_depthIndex); }

void CTIFFOptions::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_RADIO_UNCOMPRESSED, m_compression);
  DDX_Radio(pDX, IDC_RADIO_1BIT, m_depthIndex);
  DEF_CATCH("CTIFFOptions::DoDataExchange")
}

BOOL CTIFFOptions::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  OnCompressionTypeChange();
  DEF_CATCH("CTIFFOptions::OnInitDialog")
  return TRUE;
}

void CTIFFOptions::OnCompressionTypeChange() {
  DEF_TRY
  UpdateData(TRUE);
  const BOOL fax = m_compression == kFax;
  if (fax) {
    m_depthIndex = 0;
    UpdateData(FALSE);
  }
  for (int id : {IDC_RADIO_4BIT, IDC_RADIO_8BIT, IDC_RADIO_24BIT})
    if (CWnd* radio = GetDlgItem(id)) radio->EnableWindow(!fax);
  DEF_CATCH("CTIFFOptions::OnCompressionTypeChange")
}

void CTIFFOptions::OnRadioUncompressed() {
  DEF_TRY
  OnCompressionTypeChange();
  DEF_CATCH("CTIFFOptions::OnRadioUncompressed")
}

void CTIFFOptions::OnRadioPackbits() {
  DEF_TRY
  OnCompressionTypeChange();
  DEF_CATCH("CTIFFOptions::OnRadioPackbits")
}

void CTIFFOptions::OnRadioLZW() {
  DEF_TRY
  OnCompressionTypeChange();
  DEF_CATCH("CTIFFOptions::OnRadioLZW")
}

void CTIFFOptions::OnRadio1BitFaxFormat() {
  DEF_TRY
  OnCompressionTypeChange();
  DEF_CATCH("CTIFFOptions::OnRadio1BitFaxFormat")
}

void CTIFFOptions::OnOK() {
  DEF_TRY
  if (!UpdateData(TRUE)) return;
  StoreTiffCompression(m_compression);
  WriteSettingInt(kBitsSetting, GetBitsPerPixel());
  EndDialog(IDOK);
  DEF_CATCH("CTIFFOptions::OnOK")
}
