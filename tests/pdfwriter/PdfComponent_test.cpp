#include "pdfwriter/PdfComponent.h"

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace {

IPdfDocumentPtr NewDocument() {
  IPdfDocument* raw = nullptr;
  EXPECT_EQ(CreatePdfDocument(&raw), S_OK);
  return IPdfDocumentPtr(raw, false);
}

const HRESULT kOutOfOrder = static_cast<HRESULT>(0x8000000EL);

// The wrapper raises the failure as a COM error that carries the writer's reason.
template <typename Call>
std::wstring ErrorOf(Call call, HRESULT expected) {
  try {
    call();
  } catch (const _com_error& e) {
    EXPECT_EQ(e.Error(), expected);
    EXPECT_EQ(e.GUID_(), __uuidof(IPdfDocument));
    return e.Description().length() ? static_cast<const wchar_t*>(e.Description()) : L"";
  }
  ADD_FAILURE() << "no COM error raised";
  return L"";
}

TEST(PdfComponentTest, CallsOutOfOrderFailWithAReason) {
  IPdfDocumentPtr pdf = NewDocument();
  EXPECT_NE(ErrorOf([&] { pdf->BeginDocument(); }, kOutOfOrder).find(L"no file name"), std::wstring::npos);
  EXPECT_NE(ErrorOf([&] { pdf->NewPage(); }, kOutOfOrder).find(L"between BeginDocument and EndDocument"),
            std::wstring::npos);
  ErrorOf([&] { pdf->GetDrawingSurface(); }, kOutOfOrder);
  ErrorOf([&] { pdf->ShowText(0, 0, 0, L"x"); }, kOutOfOrder);

  testing_support::TempFolder folder;
  pdf->SetFileName(folder.File(L"order.pdf").c_str());
  pdf->BeginDocument();
  ErrorOf([&] { pdf->SetTitle(L"late"); }, kOutOfOrder);
  ErrorOf([&] { pdf->BeginDocument(); }, kOutOfOrder);
  ErrorOf([&] { pdf->LineTo(1, 1); }, kOutOfOrder);
  ErrorOf([&] { pdf->Stroke(); }, kOutOfOrder);
  ErrorOf([&] { pdf->RestoreGraphicsState(); }, kOutOfOrder);
  pdf->EndDocument();
  ErrorOf([&] { pdf->EndDocument(); }, kOutOfOrder);
  EXPECT_FALSE(testing_support::ReadFileBytes(folder.File(L"order.pdf")).empty());
}

TEST(PdfComponentTest, BadArgumentsFail) {
  IPdfDocumentPtr pdf = NewDocument();
  testing_support::TempFolder folder;
  ErrorOf([&] { pdf->SetFileName(L""); }, E_INVALIDARG);
  ErrorOf([&] { pdf->SetKeyLength(56); }, E_INVALIDARG);
  ErrorOf([&] { pdf->SetUserPassword(L"\x0416"); }, E_INVALIDARG);
  pdf->SetFileName(folder.File(L"args.pdf").c_str());
  pdf->BeginDocument();
  ErrorOf([&] { pdf->SetFillColor(0, 2, 0); }, E_INVALIDARG);
  ErrorOf([&] { pdf->SetDash(L"[6 x] 0"); }, E_INVALIDARG);
  ErrorOf([&] { pdf->SetFieldValue(12345, L"v"); }, E_INVALIDARG);
  ErrorOf([&] { pdf->DrawImage(1, 0, 0, 10, 10); }, E_INVALIDARG);
  ErrorOf([&] { pdf->SetFieldScript(pdf->CreateTextField(L"F", 0, 0, 10, 10), 99); }, E_INVALIDARG);
  ErrorOf([&] { pdf->SetCheckBoxState(pdf->CreateTextField(L"G", 0, 0, 10, 10), 1); }, E_INVALIDARG);
  ErrorOf([&] { pdf->LoadImageFile(folder.File(L"missing.jpg").c_str(), 0); },
          HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  pdf->EndDocument();
}

TEST(PdfComponentTest, AnUnwritableFileFailsAtBeginning) {
  IPdfDocumentPtr pdf = NewDocument();
  pdf->SetFileName(L"Z:\\no\\such\\folder\\out.pdf");
  std::wstring reason = ErrorOf([&] { pdf->BeginDocument(); }, HRESULT_FROM_WIN32(ERROR_CANNOT_MAKE));
  EXPECT_NE(reason.find(L"cannot create the file"), std::wstring::npos);
}

TEST(PdfComponentTest, AWriterReleasedBeforeTheEndLeavesNoFile) {
  testing_support::TempFolder folder;
  {
    IPdfDocumentPtr pdf = NewDocument();
    pdf->SetFileName(folder.File(L"unfinished.pdf").c_str());
    pdf->BeginDocument();
    pdf->SetFillColor(0, 0, 0);
    pdf->FillRectangle(0, 0, 10, 10);
    pdf->NewPage();
  }
  EXPECT_EQ(GetFileAttributesW(folder.File(L"unfinished.pdf").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(PdfComponentTest, ScriptActionsAreNumberedFromOne) {
  IPdfDocumentPtr pdf = NewDocument();
  testing_support::TempFolder folder;
  pdf->SetFileName(folder.File(L"scripts.pdf").c_str());
  pdf->BeginDocument();
  EXPECT_EQ(pdf->AddScriptAction(L"a();"), 1);
  EXPECT_EQ(pdf->AddScriptAction(L"b();"), 2);
  EXPECT_EQ(pdf->GetResolution(), 72);
  pdf->EndDocument();
  std::string file = testing_support::ReadFileBytes(folder.File(L"scripts.pdf"));
  EXPECT_NE(file.find("<6128293B>"), std::string::npos);
}

TEST(PdfComponentTest, ContentStreamsAreCompressedUnlessAskedNot) {
  testing_support::TempFolder folder;
  for (long mode : {0L, 1L}) {
    IPdfDocumentPtr pdf = NewDocument();
    pdf->SetFileName(folder.File(L"c" + std::to_wstring(mode) + L".pdf").c_str());
    pdf->SetCompression(mode);
    pdf->BeginDocument();
    pdf->SetFillColor(0.25, 0.5, 0.75);
    pdf->FillRectangle(10, 10, 20, 20);
    pdf->EndDocument();
    std::string file = testing_support::ReadFileBytes(folder.File(L"c" + std::to_wstring(mode) + L".pdf"));
    EXPECT_EQ(file.find("0.25 0.5 0.75 rg") != std::string::npos, mode == 0) << mode;
    EXPECT_EQ(file.find("/Filter /FlateDecode /Length") != std::string::npos, mode == 1) << mode;
  }
}

}  // namespace
