#pragma once

#include <windows.h>

#include "SabrunApi.h"

// A rectangle of four 32-bit signed values; width = right - left, height = bottom - top.
struct SABRUN_API TRectEx : RECT {
  TRectEx() : RECT{0, 0, 0, 0} {}
  TRectEx(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
  TRectEx(const RECT& r) : RECT(r) {}
  TRectEx& operator=(const RECT& r) {
    static_cast<RECT&>(*this) = r;
    return *this;
  }

  LONG Width() const { return right - left; }
  LONG Height() const { return bottom - top; }
  bool IsRectEmpty() const { return right <= left || bottom <= top; }
  void SetRectEmpty() { left = top = right = bottom = 0; }
  bool ptInRect(const POINT& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  void shrink(int n) {
    left += n;
    top += n;
    right -= n;
    bottom -= n;
  }
  // Draws the outline so that drawing it a second time restores the pixels under it.
  void DrawFocusRectEx(HDC dc, COLORREF color, int penStyle, int width) const;
};
