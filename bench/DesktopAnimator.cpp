// Moving desktop-like content for the recording benchmarks: a full-screen window with a few
// "application windows" of text and bars, one of them scrolling, one moving, redrawn 30 times a
// second. The same content every run.
#include <windows.h>

#include <cstdlib>
#include <string>

static int Frame = 0;

static void DrawWindowLike(HDC dc, int x, int y, int w, int h, int seed, int scroll) {
  RECT r{x, y, x + w, y + h};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT title{x, y, x + w, y + 24};
  HBRUSH blue = CreateSolidBrush(RGB(40, 90, 170 + seed % 60));
  FillRect(dc, &title, blue);
  DeleteObject(blue);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  const std::wstring caption = L"Document " + std::to_wstring(seed) + L" - Editor";
  TextOutW(dc, x + 8, y + 4, caption.c_str(), static_cast<int>(caption.size()));
  SetTextColor(dc, RGB(20, 20, 20));
  HRGN clip = CreateRectRgn(x, y + 24, x + w, y + h);
  SelectClipRgn(dc, clip);
  for (int line = 0; y + 30 + line * 18 - scroll % 18 < y + h; ++line) {
    const int n = line + scroll / 18;
    const std::wstring text = L"Line " + std::to_wstring(n) + L": the quick brown fox jumps over the lazy dog " +
                              std::to_wstring((n * 7919 + seed) % 100000);
    TextOutW(dc, x + 8, y + 30 + line * 18 - scroll % 18, text.c_str(), static_cast<int>(text.size()));
  }
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
}

static void Paint(HWND window, HDC target) {
  RECT client;
  GetClientRect(window, &client);
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, client.right, client.bottom);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH desktop = CreateSolidBrush(RGB(0, 100, 120));
  FillRect(dc, &client, desktop);
  DeleteObject(desktop);
  const int w = client.right, h = client.bottom;
  DrawWindowLike(dc, w / 20, h / 12, w / 2, h * 2 / 3, 1, 0);
  DrawWindowLike(dc, w / 2, h / 6, w * 2 / 5, h * 3 / 4, 2, Frame * 3);  // scrolls
  const int x = (Frame * 5) % (w - w / 4);
  DrawWindowLike(dc, x, h - h / 4 - 10, w / 4, h / 4, 3, 0);  // moves
  BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      ++Frame;
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      Paint(window, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"QuorloBenchDesktop";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"Bench desktop", WS_POPUP | WS_VISIBLE,
                                0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                instance, nullptr);
  SetTimer(window, 1, 33, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
