#include "FieldNumbersCollation.h"

#include <gtest/gtest.h>

#include "ArchiveFixtures.h"

namespace {

using namespace fixtures;

TEST(FieldLinks, StoredAndLoaded) {
  CFieldLinkArray links;
  links.Add(_FIELDNUMBERSCOLLATION{0, 3});
  links.Add(_FIELDNUMBERSCOLLATION{2, 1});
  const std::string bytes = Store([&](CArchive& ar) { WriteFieldLinks(ar, links); });
  EXPECT_EQ(ToHex(Fixture(L"field_links_two.hex")), ToHex(bytes));
  CFieldLinkArray loaded;
  loaded.Add(_FIELDNUMBERSCOLLATION{9, 9});
  EXPECT_EQ(0u, Load(bytes, [&](CArchive& ar) { ReadFieldLinks(ar, loaded); }));
  ASSERT_EQ(2, loaded.GetSize());
  EXPECT_EQ(2, loaded[1].fieldIndex);
  EXPECT_EQ(1, loaded[1].columnIndex);
}

TEST(FieldLinks, CountBeyondTheStreamEndsTheLoad) {
  CFieldLinkArray loaded;
  EXPECT_EQ(CArchiveException::endOfFile,
            LoadFailureCause(Fixture(L"field_links_huge.hex"), [&](CArchive& ar) { ReadFieldLinks(ar, loaded); }));
  EXPECT_EQ(0, loaded.GetSize());
}

}  // namespace
