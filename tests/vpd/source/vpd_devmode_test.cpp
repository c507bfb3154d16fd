#include "vpd_devmode.h"

#include <gtest/gtest.h>

#include "PrinterTest.h"

namespace {

using vpd_test::PrinterTest;
const wchar_t* const vantry = L"Vantry";

TEST_F(PrinterTest, UserDevmodeIsTheDriversWholeDevmode) {
  vpd::Devmode user = vpd::getUserDevmode(vantry);
  vpd::Devmode global = vpd::getPrinterDevmode(vantry);
  ASSERT_FALSE(user.empty());
  ASSERT_FALSE(global.empty());
  const DEVMODEW* d = vpd::devmodeOf(user);
  EXPECT_EQ(user.size(), size_t{d->dmSize} + d->dmDriverExtra);
  EXPECT_STREQ(d->dmDeviceName, vantry);
  EXPECT_EQ(vpd::fetchDevmode(vantry, false), user);
}

TEST_F(PrinterTest, MissingPrinterGivesNoDevmodeAndLogsTheFailedStore) {
  EXPECT_TRUE(vpd::getUserDevmode(L"No Such Printer").empty());
  EXPECT_TRUE(vpd::fetchDevmode(L"No Such Printer", true).empty());
  vpd::Devmode copy = stored();
  EXPECT_FALSE(vpd::setDevmode(L"No Such Printer", vpd::devmodeOf(copy), 9));
  EXPECT_NE(log().find("message: vpd::setDevmode(): failed to OpenPrinter()"), std::string::npos) << log();
  int value = -1;
  EXPECT_FALSE(vpd::getOrientation(L"No Such Printer", value, false));
  EXPECT_EQ(value, -1);
}

// Each change goes through the spooler and is read back from a fresh copy, at both levels.
TEST_F(PrinterTest, OrientationAndDuplexRoundTripThroughTheSpooler) {
  struct Case {
    int orientation, duplex;
    short dmOrientation, dmDuplex;
  };
  const Case cases[] = {{1, 2, DMORIENT_LANDSCAPE, DMDUP_HORIZONTAL},
                        {0, 1, DMORIENT_PORTRAIT, DMDUP_VERTICAL},
                        {1, 0, DMORIENT_LANDSCAPE, DMDUP_SIMPLEX}};
  for (bool printerWide : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "orientation " << c.orientation << " duplex " << c.duplex << " wide " << printerWide);
      ASSERT_TRUE(vpd::setOrientation(vantry, c.orientation, nullptr, printerWide));
      ASSERT_TRUE(vpd::setDuplex(vantry, c.duplex, nullptr, printerWide));
      int orientation = -1, duplex = -1;
      ASSERT_TRUE(vpd::getOrientation(vantry, orientation, printerWide));
      ASSERT_TRUE(vpd::getDuplex(vantry, duplex, printerWide));
      EXPECT_EQ(orientation, c.orientation);
      EXPECT_EQ(duplex, c.duplex);
      vpd::Devmode copy = vpd::fetchDevmode(vantry, printerWide);
      EXPECT_EQ(vpd::devmodeOf(copy)->dmOrientation, c.dmOrientation);
      EXPECT_EQ(vpd::devmodeOf(copy)->dmDuplex, c.dmDuplex);
    }
  }
}

TEST_F(PrinterTest, ResolutionsListedAndChosenOneStored) {
  std::vector<vpd::Resolution> pairs;
  int count = 0;
  ASSERT_TRUE(vpd::enumResolutions(vantry, pairs, count));
  ASSERT_EQ(count, 4);
  const int expected[][2] = {{150, 150}, {300, 300}, {600, 600}, {204, 196}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(pairs[i].x, expected[i][0]);
    EXPECT_EQ(pairs[i].y, expected[i][1]);
  }
  vpd::Resolution current{};
  ASSERT_TRUE(vpd::getResolution(vantry, current, false));
  EXPECT_EQ(current.x, 300);
  for (const int* pair : expected) {
    ASSERT_TRUE(vpd::setResolution(vantry, vpd::Resolution{pair[0], pair[1]}, nullptr, false));
    ASSERT_TRUE(vpd::getResolution(vantry, current, false));
    EXPECT_EQ(current.x, pair[0]);
    EXPECT_EQ(current.y, pair[1]);
  }
}

// A refused value or a device mode without the field stores nothing and says why.
TEST_F(PrinterTest, RefusedChangesLeaveThePrinterUntouched) {
  const vpd::Devmode before = stored();
  SetLastError(0);
  EXPECT_FALSE(vpd::setOrientation(vantry, 2, nullptr, false));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_FALSE(vpd::setOrientation(vantry, -1, nullptr, false));
  EXPECT_FALSE(vpd::setDuplex(vantry, 3, nullptr, false));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));

  vpd::Devmode withoutFields = stored();
  vpd::devmodeOf(withoutFields)->dmFields &= ~(DM_ORIENTATION | DM_DUPLEX | DM_PRINTQUALITY | DM_YRESOLUTION);
  EXPECT_FALSE(vpd::setOrientation(vantry, 1, vpd::devmodeOf(withoutFields), false));
  EXPECT_FALSE(vpd::setDuplex(vantry, 1, vpd::devmodeOf(withoutFields), false));
  EXPECT_FALSE(vpd::setResolution(vantry, vpd::Resolution{600, 600}, vpd::devmodeOf(withoutFields), false));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(stored(), before);
}

TEST_F(PrinterTest, PrinterWithoutDuplexRefusesDuplex) {
  const wchar_t* simplex = L"Vantry Simplex";
  const vpd::Devmode before = stored(simplex);
  ASSERT_FALSE(before.empty());
  ASSERT_EQ(vpd::devmodeOf(const_cast<vpd::Devmode&>(before))->dmFields & DM_DUPLEX, 0u);
  int value = -1;
  SetLastError(0);
  EXPECT_FALSE(vpd::getDuplex(simplex, value, false));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(value, -1);
  EXPECT_FALSE(vpd::setDuplex(simplex, 1, nullptr, false));
  EXPECT_EQ(stored(simplex), before);
  EXPECT_TRUE(vpd::setOrientation(simplex, 1, nullptr, false));
}

// A caller's device mode that carries only the public part: the driver writes its whole device mode,
// which must land in a buffer of the driver's size, not past the end of the caller's. The copy ends
// right before an inaccessible page, so writing beyond it faults.
TEST_F(PrinterTest, ShortCallerDevmodeIsStoredWithoutWritingPastIt) {
  vpd::Devmode full = stored();
  const DEVMODEW* source = vpd::devmodeOf(full);
  ASSERT_GT(source->dmDriverExtra, 0) << "the driver keeps a private part";
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  BYTE* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * info.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(pages, nullptr);
  DWORD old = 0;
  ASSERT_TRUE(VirtualProtect(pages + info.dwPageSize, info.dwPageSize, PAGE_NOACCESS, &old));
  DEVMODEW* publicOnly = reinterpret_cast<DEVMODEW*>(pages + info.dwPageSize - source->dmSize);
  memcpy(publicOnly, source, source->dmSize);
  publicOnly->dmDriverExtra = 0;
  EXPECT_TRUE(vpd::setOrientation(vantry, 1, publicOnly, false));
  VirtualFree(pages, 0, MEM_RELEASE);
  int orientation = -1;
  ASSERT_TRUE(vpd::getOrientation(vantry, orientation, false));
  EXPECT_EQ(orientation, 1);
  EXPECT_EQ(stored().size(), full.size());
}

}  // namespace
