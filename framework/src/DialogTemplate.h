// A dialog template built in memory: the framework's own small dialogs keep their layout in code
// and take their texts from the string table, so every language shares one layout.
#pragma once
#include <windows.h>

#include <vector>

namespace fw_bars {

class DialogTemplate {
 public:
  // `rect` in dialog units; the font is the shell's dialog font.
  DialogTemplate(DWORD style, const RECT& rect, LPCWSTR title);
  // A control of a predefined class (0x0080 button, 0x0081 edit, 0x0082 static, 0x0083 list box,
  // 0x0085 combo box) or of a registered class by name.
  void Add(WORD atom, LPCWSTR text, DWORD style, const RECT& rect, WORD id, DWORD exStyle = 0);
  void Add(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, WORD id, DWORD exStyle = 0);
  LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(data_.data()); }

  enum : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082, ListBox = 0x0083, ComboBox = 0x0085 };

 private:
  void Item(DWORD style, DWORD exStyle, const RECT& rect, WORD id);
  void Text(LPCWSTR text);
  void Align();
  void Put32(DWORD value);

  std::vector<WORD> data_;
};

}  // namespace fw_bars
