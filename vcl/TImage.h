#pragma once

#include <windows.h>

#include "TComponent.h"

// Holds a picture: a bitmap compatible with the screen, with a memory DC to draw into it.
class VCL_API TImage : public TComponent {
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;

  void SetSize(int width, int height);  // a new, black picture
  HDC Canvas() const { return FDC; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void Draw(HDC target, int x, int y) const;

 private:
  void Release();

  HDC FDC = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  int FWidth = 0, FHeight = 0;
};
