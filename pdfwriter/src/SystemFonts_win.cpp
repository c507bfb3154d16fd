#include "SystemFonts_win.h"

#include <windows.h>

namespace pdf {

bool SystemFontSource::Load(const FontKey& key, std::string* fontFile) {
  LOGFONTW lf = {};
  lf.lfHeight = -1000;
  lf.lfWeight = key.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = key.italic ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  lstrcpynW(lf.lfFaceName, key.face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&lf);
  if (!font) return false;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  bool ok = false;
  // A font inside a collection would come back as the whole collection: such fonts are not embedded.
  const DWORD collectionTag = 0x66637474;  // 'ttcf' as GetFontData spells table tags
  if (GetFontData(dc, collectionTag, 0, nullptr, 0) == GDI_ERROR) {
    DWORD size = GetFontData(dc, 0, 0, nullptr, 0);
    if (size != GDI_ERROR && size > 12) {
      fontFile->resize(size);
      ok = GetFontData(dc, 0, 0, &(*fontFile)[0], size) == size;
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  return ok;
}

}  // namespace pdf
