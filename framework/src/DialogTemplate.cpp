#include "DialogTemplate.h"

namespace fw_bars {

// Layout (DLGTEMPLATE): style, extended style, item count, x, y, cx, cy, no menu, the default
// class, the title, then (DS_SETFONT) the point size and face; each item DWORD-aligned:
// style, extended style, x, y, cx, cy, id, class, text, no creation data.
DialogTemplate::DialogTemplate(DWORD style, const RECT& rect, LPCWSTR title) {
  Put32(style | DS_SETFONT);
  Put32(0);
  data_.push_back(0);  // item count, counted by Add
  data_.push_back(static_cast<WORD>(rect.left));
  data_.push_back(static_cast<WORD>(rect.top));
  data_.push_back(static_cast<WORD>(rect.right - rect.left));
  data_.push_back(static_cast<WORD>(rect.bottom - rect.top));
  data_.push_back(0);
  data_.push_back(0);
  Text(title);
  data_.push_back(8);
  Text(L"MS Shell Dlg");
}

void DialogTemplate::Put32(DWORD value) {
  data_.push_back(LOWORD(value));
  data_.push_back(HIWORD(value));
}

void DialogTemplate::Text(LPCWSTR text) {
  for (LPCWSTR p = text ? text : L""; *p; ++p) data_.push_back(static_cast<WORD>(*p));
  data_.push_back(0);
}

void DialogTemplate::Align() {
  if (data_.size() % 2) data_.push_back(0);
}

void DialogTemplate::Item(DWORD style, DWORD exStyle, const RECT& rect, WORD id) {
  Align();
  Put32(style | WS_CHILD | WS_VISIBLE);
  Put32(exStyle);
  data_.push_back(static_cast<WORD>(rect.left));
  data_.push_back(static_cast<WORD>(rect.top));
  data_.push_back(static_cast<WORD>(rect.right - rect.left));
  data_.push_back(static_cast<WORD>(rect.bottom - rect.top));
  data_.push_back(id);
  ++data_[4];  // the count follows the 32-bit style and extended style
}

void DialogTemplate::Add(WORD atom, LPCWSTR text, DWORD style, const RECT& rect, WORD id, DWORD exStyle) {
  Item(style, exStyle, rect, id);
  data_.push_back(0xFFFF);
  data_.push_back(atom);
  Text(text);
  data_.push_back(0);
}

void DialogTemplate::Add(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, WORD id, DWORD exStyle) {
  Item(style, exStyle, rect, id);
  Text(className);
  Text(text);
  data_.push_back(0);
}

}  // namespace fw_bars
