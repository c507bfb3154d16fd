// Images of tool-bar buttons: a strip of equal-size pictures cut from a bitmap (16 x 15 unless set),
// and the map from a command to the picture it shows.
//
// Transparency: pixels of light grey RGB(192, 192, 192), the face colour classic tool-bar bitmaps
// are painted on, are not drawn; the bar's background shows through. Disabled images are drawn as
// a light grey shade of each pixel's brightness (never the transparent grey itself).
#pragma once
#include "fw/FwBase.h"
#include "fw/Map.h"

class CDC;

// The colour that stands for "no pixel" in every image strip.
#define AFX_TOOLBAR_TRANSPARENT_COLOR RGB(192, 192, 192)

class FW_API CMFCToolBarImages : public CObject {
  DECLARE_DYNAMIC(CMFCToolBarImages)
 public:
  CMFCToolBarImages();
  ~CMFCToolBarImages() override;

  // The size of one image; changing it re-cuts the strip (the count follows the strip's width).
  void SetImageSize(CSize sizeImage, BOOL bUpdateCount = TRUE);
  CSize GetImageSize() const { return m_sizeImage; }

  // Bitmap resource `uiResID` (searched like the program's other resources), or a .bmp file. With
  // `bAdd` the images are appended to those already held; otherwise they replace them. FALSE when
  // the bitmap is missing, unreadable, or narrower than one image.
  BOOL Load(UINT uiResID, HINSTANCE hinstRes = nullptr, BOOL bAdd = FALSE);
  BOOL Load(LPCTSTR lpszBmpFileName, BOOL bAdd = FALSE);
  // Writes the strip as a 24-bit .bmp file.
  BOOL Save(LPCTSTR lpszBmpFileName) const;
  // Appends every whole image of `hbmp` (cut at the current size); returns the index of the first
  // one added, -1 when none could be.
  int AddImage(HBITMAP hbmp);
  void Clear();

  BOOL IsValid() const { return m_iCount > 0; }
  int GetCount() const { return m_iCount; }

  enum DrawState { ImageNormal, ImageHot, ImageDisabled };
  // Draws image `iImage` with its top left at (x, y); transparent pixels are left alone. A hot image
  // is drawn as it is; a disabled one greyed. FALSE for an index out of range.
  BOOL Draw(CDC* pDC, int x, int y, int iImage, DrawState state = ImageNormal) const;
  // The colour of one pixel of an image as stored (tests and the customize dialog's icons).
  COLORREF GetPixel(int iImage, int x, int y) const;
  // A new bitmap of one image (the caller deletes it), with the transparent colour left in.
  HBITMAP ExtractImage(int iImage) const;

 private:
  // Takes over a strip of 32-bit pixels, `width` x `height`, top row first.
  BOOL Append(const DWORD* pixels, int width, int height);
  BOOL LoadBitmapHandle(HBITMAP hbmp, BOOL bAdd);

  CSize m_sizeImage;
  int m_iCount = 0;
  // The strip, all images side by side: m_iCount * m_sizeImage.cx by m_sizeImage.cy, as a top-down
  // 32-bit DIB section selected into nothing.
  HBITMAP m_hbmStrip = nullptr;
  DWORD* m_pBits = nullptr;
};

// Which image each command shows: filled as tool-bar resources load (the first image a command
// gets stays), and by the program for commands of its own. Separate maps for the framework's
// images and the user images.
class FW_API CCommandManager : public CObject {
  DECLARE_DYNAMIC(CCommandManager)
 public:
  CCommandManager();
  ~CCommandManager() override;

  // The image registered for `uiCmd`, or -1 when there is none.
  int GetCmdImage(UINT uiCmd, BOOL bUserImage = FALSE) const;
  // Registers `iImage` for `uiCmd`; -1 removes the registration.
  void SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage = FALSE);
  void ClearCmdImage(UINT uiCmd);
  void ClearAllCmdImages();
  // The command an image stands for, or 0.
  UINT GetCmdByImage(int iImage, BOOL bUserImage = FALSE) const;

 private:
  CMap<UINT, UINT, int, int> m_images;
  CMap<UINT, UINT, int, int> m_userImages;
};

// The process's command manager.
FW_API CCommandManager* AFXAPI GetCmdMgr();
