// The text object's PDF output under Wine with the real PDF writer: what happens when the writer
// refuses a call. What the written pages hold is checked on the host (TranspTextPdfSamples and
// check_text_pdf.py).
#include <pdfwriter/PdfComponent.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ArchiveFixtures.h"
#include "ErrorLog.h"
#include "MyProcs.h"
#include "TestSupport.h"
#include "TranspLabel.h"
#include "TranspText.h"

namespace {

const HRESULT kOutOfOrder = static_cast<HRESULT>(0x8000000EL);

IPdfDocumentPtr NewDocument() {
  IPdfDocument* raw = nullptr;
  EXPECT_EQ(S_OK, CreatePdfDocument(&raw));
  return IPdfDocumentPtr(raw, false);
}

class TranspTextPdfFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profile_.Ready());
    DeleteFileW(LogPath().c_str());
    InitErrorLog();
    CTranspBaseClass::SetInchesPerUnit(0.00001);
    SetDefaultTextStyle(&style_);
  }
  static std::wstring LogPath() { return std::wstring(static_cast<LPCTSTR>(GetErrorLogPathName())); }
  static std::wstring LogText() {
    const std::string bytes = testing_support::ReadFileBytes(LogPath());
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  }
  std::unique_ptr<CTranspText> Field(LPCWSTR text) {
    _PROPERTIES properties;
    properties.formatCategory = TEXT_TYPE_TEXT;
    std::unique_ptr<CTranspText> field(new CTranspText(nullptr, 100000, 100000, &style_, &properties, text, 0));
    field->SetName(L"Field");
    return field;
  }
  std::unique_ptr<CTranspText> Label(LPCWSTR text) {
    _PROPERTIES properties;
    return std::unique_ptr<CTranspText>(new CTranspLabel(nullptr, 100000, 200000, &style_, &properties, text, 0));
  }

  fixtures::PrivateUserProfile profile_;
  _OBJECT_STYLE style_;
};

TEST_F(TranspTextPdfFailure, ARefusedCallIsLoggedAndGoesNoFurther) {
  // Before BeginDocument the writer refuses every page operation with a COM error.
  IPdfDocumentPtr pdf = NewDocument();
  std::unique_ptr<CTranspText> field = Field(L"value");
  std::unique_ptr<CTranspText> label = Label(L"label");
  EXPECT_NO_THROW(field->DrawOnPDFPage(nullptr, pdf, 0));
  EXPECT_NO_THROW(label->DrawOnPDFPage(nullptr, pdf, 0));
  const std::wstring log = LogText();
  EXPECT_NE(std::wstring::npos, log.find(L"Function CTranspText::CreateOnPDFPage")) << log;
  EXPECT_NE(std::wstring::npos, log.find(L"Function CTranspText::DrawOnPDFPage")) << log;
}

TEST_F(TranspTextPdfFailure, PageTextThatFailsGivesBackItsGraphicsState) {
  testing_support::TempFolder folder;
  IPdfDocumentPtr pdf = NewDocument();
  pdf->SetFileName(folder.File(L"state.pdf").c_str());
  pdf->BeginDocument();
  // A font without a height is refused after the state was saved.
  style_.font.lfHeight = 0;
  std::unique_ptr<CTranspText> broken = Label(L"no size");
  EXPECT_NO_THROW(broken->DrawOnPDFPage(nullptr, pdf, 0));
  EXPECT_NE(std::wstring::npos, LogText().find(L"Function CTranspText::DrawOnPDFPage"));
  // Nothing is left saved: one more restore has nothing to restore.
  EXPECT_EQ(kOutOfOrder, pdf->raw_RestoreGraphicsState());
  style_.font.lfHeight = -120;
  std::unique_ptr<CTranspText> fine = Label(L"fine");
  fine->DrawOnPDFPage(nullptr, pdf, 0);
  EXPECT_EQ(kOutOfOrder, pdf->raw_RestoreGraphicsState());
  pdf->EndDocument();
}

TEST_F(TranspTextPdfFailure, AFieldWithoutAnyNameIsRefusedAlone) {
  testing_support::TempFolder folder;
  IPdfDocumentPtr pdf = NewDocument();
  pdf->SetFileName(folder.File(L"names.pdf").c_str());
  pdf->BeginDocument();
  std::unique_ptr<CTranspText> nameless = Field(L"nameless");
  nameless->SetName(L"");
  EXPECT_NO_THROW(nameless->DrawOnPDFPage(nullptr, pdf, 0));
  EXPECT_NE(std::wstring::npos, LogText().find(L"Function CTranspText::CreateOnPDFPage"));
  // The next field goes on as usual.
  const size_t logged = LogText().size();
  std::unique_ptr<CTranspText> named = Field(L"named");
  named->DrawOnPDFPage(nullptr, pdf, 0);
  EXPECT_EQ(logged, LogText().size()) << LogText();
  pdf->EndDocument();
}

}  // namespace
