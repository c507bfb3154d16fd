// Barcodes in a real document file, registered as the program registers its object kinds: saved,
// loaded and saved again to the same bytes, and carried over by a page copy to the same place.
#include "DocumentTestSupport.h"
#include "ObjectKinds.h"
#include "TranspBarcode.h"

using namespace doctest;

namespace {

CString UniqueName(CFolimarDoc*, CTranspBaseClass*) { return L"Generated"; }

class TranspBarcodeDocumentTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    SetDocObjectServices(GetTranspObjectServices());
    RegisterOverlayObjectKinds();
    SetTranspObjectNamer(UniqueName);
  }
  void TearDown() override {
    UnregisterOverlayObjectKinds();
    SetTranspObjectNamer(nullptr);
    DocumentTest::TearDown();
  }
  std::string Save(CFolimarDoc& doc, const std::wstring& name) {
    const std::wstring path = Path(name);
    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    return testing_support::ReadFileBytes(path);
  }
};

TEST_F(TranspBarcodeDocumentTest, BarcodeRoundTripsByteForByte) {
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  CTranspBarcode* barcode = new CTranspBarcode(nullptr, POINT{100000, 200000}, nullptr, 0);
  barcode->SetName(L"Barcode0");
  doc.AddObjectToList(barcode);
  const std::string first = Save(doc, L"barcode.qlm");
  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, Path(L"barcode.qlm")));
  CPageInfo* page = loaded.GetPage(0);
  ASSERT_EQ(1, static_cast<int>(page->m_objects.GetCount()));
  CTranspBarcode* read = dynamic_cast<CTranspBarcode*>(page->m_objects.GetHead());
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(std::wstring(GetDefaultBarcodeTemplate()), std::wstring(read->GetTemplate()));
  EXPECT_EQ(L"Barcode0", std::wstring(read->GetName()));
  EXPECT_TRUE(EqualRect(&barcode->GetRect(), &read->GetRect()));
  EXPECT_EQ(1, read->IsPrintable());
  EXPECT_EQ(fixtures::ToHex(first), fixtures::ToHex(Save(loaded, L"again.qlm")));
}

TEST_F(TranspBarcodeDocumentTest, CopiedPageKeepsTheBarcodeInPlace) {
  CFolimarDoc source;
  CTranspBarcode* barcode = new CTranspBarcode(nullptr, POINT{7000, 8000}, nullptr, 0);
  source.AddObjectToList(barcode);
  CFolimarDoc target;
  CTypedPtrList<CPtrList, CPageInfo*> list;
  list.AddTail(source.GetPage(0));
  ASSERT_TRUE(target.AppendPagesFromPagesList(list));
  CPageInfo* page = target.GetPage(1);
  ASSERT_NE(nullptr, page);
  ASSERT_EQ(1, static_cast<int>(page->m_objects.GetCount()));
  CTranspBarcode* copy = dynamic_cast<CTranspBarcode*>(page->m_objects.GetHead());
  ASSERT_NE(nullptr, copy);
  EXPECT_TRUE(EqualRect(&barcode->GetRect(), &copy->GetRect()));
  EXPECT_EQ(barcode->GetData(), copy->GetData());
  EXPECT_EQ(1, copy->GetPageIndex());
}

}  // namespace
