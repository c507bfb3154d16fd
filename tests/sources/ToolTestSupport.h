// A form view in a real multiple-document frame for the drawing-tool tests, and the pixels of its
// client area read back from the window. Expected pictures are drawn with plain GDI calls onto a copy
// of the window's picture, so a test compares what a tool drew with what the figure should be.
#pragma once
#include <gtest/gtest.h>

#include "TestSupport.h"

#include <functional>
#include <string>
#include <vector>

#include "Framework.h"

class CFolimarView;
class CMainFrame;

// A picture of a window's client area (or any drawing on a copy of one).
class ClientPicture {
 public:
  // The window's client area as it stands.
  static ClientPicture Capture(CWnd* window);
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const;
  // A copy with `draw` applied to it through a memory DC (the DC starts with GDI's defaults: black
  // pen, white brush, R2_COPYPEN).
  ClientPicture DrawnWith(const std::function<void(HDC)>& draw) const;
  // The points where the two pictures differ.
  std::vector<POINT> Differences(const ClientPicture& other) const;
  // The smallest rectangle holding every point that differs from `other`; empty when none.
  RECT ChangedBounds(const ClientPicture& other) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

// "same" or the count and first few differing points, for a test's message.
std::string DescribeDifferences(const ClientPicture& actual, const ClientPicture& expected);

// `base` with the figure inverted on it, as R2_NOT with the null brush draws it.
ClientPicture Inverted(const ClientPicture& base, const std::function<void(HDC)>& figure);
void GdiLine(HDC dc, POINT a, POINT b);
bool SameRect(const RECT& a, const RECT& b);

// Every test gets a new main frame and one document of a letter page whose view's client area is
// about 600 x 400, white (page) all over at the scroll origin.
class ToolWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The view painted and settled: nothing pending that would paint over a tool's drawing.
  void Settle();
  ClientPicture Picture() const;

  CMainFrame* frame = nullptr;
  CFolimarView* view = nullptr;
  testing_support::PrivateTempPath temp_;
};
