// Pixels of exactly one colour after the screen drawing of a text object into a white bitmap.
#pragma once
#include <stdint.h>

#include "TranspText.h"

inline int CountDrawnPixels(CTranspText& object, int width, int height, uint32_t rgb) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  PatBlt(dc, 0, 0, width, height, WHITENESS);
  CDC cdc;
  cdc.Attach(dc);
  object.Draw(&cdc, 0, nullptr);
  cdc.Detach();
  GdiFlush();
  int n = 0;
  for (int i = 0; i < width * height; ++i) n += (static_cast<uint32_t*>(bits)[i] & 0xFFFFFF) == rgb;
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return n;
}
