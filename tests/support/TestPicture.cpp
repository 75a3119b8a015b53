#include "TestPicture.h"

static void Paint(HDC dc, int width, int height) {
  for (int y = 0; y < height; y += 16)
    for (int x = 0; x < width; x += 16) {
      RECT cell{x, y, x + 16, y + 16};
      HBRUSH brush = CreateSolidBrush(RGB((x * 7) & 255, (y * 5) & 255, ((x + y) * 3) & 255));
      FillRect(dc, &cell, brush);
      DeleteObject(brush);
    }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutW(dc, 20, height / 2, L"Quorlo test picture", 19);
}

LRESULT CALLBACK TestPicture::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    Paint(dc, client.right, client.bottom);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcW(window, message, wParam, lParam);
}

TestPicture::TestPicture(const RECT& area) : FArea(area) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"QuorloTestPicture";
  RegisterClassW(&windowClass);
  FWindow = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"Test picture",
                            WS_POPUP | WS_VISIBLE, area.left, area.top, area.right - area.left, area.bottom - area.top,
                            nullptr, nullptr, windowClass.hInstance, nullptr);
  UpdateWindow(FWindow);
}

TestPicture::~TestPicture() { DestroyWindow(FWindow); }

std::vector<DWORD> TestPicture::Grab() const {
  const int width = FArea.right - FArea.left, height = FArea.bottom - FArea.top;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, width, height, screen, FArea.left, FArea.top, SRCCOPY);
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
  for (DWORD& p : pixels) p &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}
