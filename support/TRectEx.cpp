#include "TRectEx.h"

void TRectEx::DrawFocusRectEx(HDC dc, COLORREF color, int penStyle, int width) const {
  HPEN pen = CreatePen(penStyle, width, color);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int oldRop = SetROP2(dc, R2_XORPEN);
  Rectangle(dc, left, top, right, bottom);
  SetROP2(dc, oldRop);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}
