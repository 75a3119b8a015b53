#include "TImage.h"

TImage::TImage(TComponent* owner) : TComponent(owner) {}

TImage::~TImage() { Release(); }

void TImage::Release() {
  if (FDC) {
    SelectObject(FDC, FOldBitmap);
    DeleteDC(FDC);
  }
  if (FBitmap) DeleteObject(FBitmap);
  FDC = nullptr;
  FBitmap = nullptr;
  FOldBitmap = nullptr;
  FWidth = FHeight = 0;
}

void TImage::SetSize(int width, int height) {
  Release();
  HDC screen = GetDC(nullptr);
  FBitmap = CreateCompatibleBitmap(screen, width, height);
  FDC = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  FOldBitmap = SelectObject(FDC, FBitmap);
  FWidth = width;
  FHeight = height;
}

void TImage::Draw(HDC target, int x, int y) const {
  if (FDC) BitBlt(target, x, y, FWidth, FHeight, FDC, 0, 0, SRCCOPY);
}
