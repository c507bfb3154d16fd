// Pictures in a real document file, registered as the program registers its object kinds: a JPEG
// inserted from a file is stored byte for byte and stays so through a load and a second save; other
// images are stored as PNG; a page copy carries the picture to the same place.
#include "DocumentTestSupport.h"
#include "ObjectKinds.h"
#include "TranspImage.h"

namespace {

using doctest::kLoaded;
using doctest::LoadFile;
using doctest::PageObjects;

// The 2 x 2 red JPEG that the version-5 record fixture carries after its 68 bytes of record.
std::string TinyJpeg() { return fixtures::Fixture(L"image_record_v5.hex").substr(68); }

class TranspImageDocument : public doctest::ProgramKindsDocumentTest {
 protected:
  std::wstring WriteFile(const std::wstring& name, const std::string& bytes) {
    const std::wstring path = Path(name);
    testing_support::WriteFileBytes(path, bytes);
    return path;
  }
  // A document of one page holding one picture made from the file.
  CTranspImage* AddPicture(CFolimarDoc& doc, const std::wstring& path) {
    CTranspImage* image = new CTranspImage(nullptr, 0);
    EXPECT_EQ(1, image->Create(path.c_str(), 1000, 2000));
    image->SetName(L"Picture0");
    doc.AddObjectToList(image);
    return image;
  }
  static CTranspImage* OnlyPicture(CFolimarDoc& doc) {
    const std::vector<CTranspBaseClass*> objects = PageObjects(doc.GetPage(0));
    return objects.size() == 1 ? dynamic_cast<CTranspImage*>(objects[0]) : nullptr;
  }
};

TEST_F(TranspImageDocument, AJpegIsStoredByteForByteThroughLoadAndSaveAgain) {
  const std::string jpeg = TinyJpeg();
  for (const wchar_t* name : {L"logo.jpg", L"LOGO.JPG"}) {
    CFolimarDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CTranspImage* image = AddPicture(doc, WriteFile(name, jpeg));
    ASSERT_EQ(jpeg, std::string(image->GetFileBytes().begin(), image->GetFileBytes().end())) << name;
    const std::string first = Save(doc, L"with_jpeg.qlm");
    EXPECT_NE(std::string::npos, first.find(jpeg)) << "the file's bytes are in the document";

    CFolimarDoc loaded;
    ASSERT_EQ(kLoaded, LoadFile(loaded, Path(L"with_jpeg.qlm")));
    CTranspImage* read = OnlyPicture(loaded);
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(jpeg, std::string(read->GetFileBytes().begin(), read->GetFileBytes().end()));
    EXPECT_TRUE(::EqualRect(&image->GetRect(), &read->GetRect()));
    EXPECT_EQ(2, read->GetPicture().GetWidth());
    EXPECT_EQ(fixtures::ToHex(first), fixtures::ToHex(Save(loaded, L"again.qlm")));
  }
}

TEST_F(TranspImageDocument, OtherImagesAreStoredAsPng) {
  LMyBitmap bitmap;
  ASSERT_EQ(SUCCESS, bitmap.Create(3, 2, 24));
  bitmap.Fill(RGB(0, 0, 255));
  bitmap.PutPixelColor(2, 1, RGB(255, 255, 0));
  const std::wstring path = Path(L"stamp.bmp");
  ASSERT_EQ(SUCCESS, bitmap.Save(path.c_str(), FILE_BMP));
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  CTranspImage* image = AddPicture(doc, path);
  EXPECT_TRUE(image->GetFileBytes().empty()) << "only JPEG files keep their bytes";
  const std::string saved = Save(doc, L"with_bmp.qlm");
  EXPECT_NE(std::string::npos, saved.find("\x89PNG")) << "stored as PNG";
  EXPECT_EQ(std::string::npos, saved.find("BM6")) << "not as the BMP file";

  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, Path(L"with_bmp.qlm")));
  CTranspImage* read = OnlyPicture(loaded);
  ASSERT_NE(nullptr, read);
  ASSERT_EQ(3, read->GetPicture().GetWidth());
  EXPECT_EQ(RGB(0, 0, 255), read->GetPicture().GetPixelColor(0, 0));
  EXPECT_EQ(RGB(255, 255, 0), read->GetPicture().GetPixelColor(2, 1));
  EXPECT_EQ(1, read->IsPrintable());
}

TEST_F(TranspImageDocument, AFileThatIsNoImageMakesNoPicture) {
  CTranspImage image(nullptr, 0);
  EXPECT_EQ(0, image.Create(WriteFile(L"broken.jpg", "not an image").c_str(), 0, 0));
  EXPECT_TRUE(image.GetFileBytes().empty());
  EXPECT_EQ(0, image.Create(Path(L"missing.png").c_str(), 0, 0));
  EXPECT_EQ(1, image.IsEmpty());
}

TEST_F(TranspImageDocument, ACopiedPageKeepsThePictureInPlace) {
  CFolimarDoc source;
  CTranspImage* image = AddPicture(source, WriteFile(L"logo.jpg", TinyJpeg()));
  image->SetTransparent(1);
  CFolimarDoc target;
  CTypedPtrList<CPtrList, CPageInfo*> list;
  list.AddTail(source.GetPage(0));
  ASSERT_TRUE(target.AppendPagesFromPagesList(list));
  CPageInfo* page = target.GetPage(1);
  ASSERT_NE(nullptr, page);
  const std::vector<CTranspBaseClass*> objects = PageObjects(page);
  ASSERT_EQ(1u, objects.size());
  CTranspImage* copy = dynamic_cast<CTranspImage*>(objects[0]);
  ASSERT_NE(nullptr, copy);
  EXPECT_TRUE(::EqualRect(&image->GetRect(), &copy->GetRect()));
  EXPECT_TRUE(copy->IsTransparent());
  EXPECT_EQ(2, copy->GetPicture().GetWidth());
  EXPECT_EQ(1, copy->GetPageIndex());
}

}  // namespace
