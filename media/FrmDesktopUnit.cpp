#include "FrmDesktopUnit.h"

#include "QXCustomFileCursor.h"
#include "TScreen.h"
#include "YKUtils.h"

static const COLORREF FrameColour = RGB(0, 255, 255);
static const int FrameWidth = 3;

TPointEx::TPointEx(int x, int y) : POINT{x, y} {}
TPointEx::TPointEx(const POINT& point) : POINT(point) {}
TPointEx::TPointEx(const TPointEx& point) : POINT(point) {}

TFrmDesktop::TFrmDesktop(TComponent* owner, TSelectMode mode) : TForm(owner), FSelectMode(mode) {
  BorderStyle = bsNone;
  OnKeyPress = [this](wchar_t& key) { FormKeyPress(key); };
  OnMouseDown = [this](TMouseButton button, int x, int y) { FormMouseDown(button, x, y); };
  OnMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
  OnMouseUp = [this](TMouseButton button, int x, int y) { FormMouseUp(button, x, y); };
  OnPaint = [this](HDC dc) { FormPaint(dc); };
  Cursor = TQXCustomFileCursor::GetCursorOfFile(
      YKGetAppPath() + (mode == smSelectWindow ? "Cursors\\SelectWindow.cur" : "Cursors\\SelectRegion.cur"));
}

void TFrmDesktop::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  // Above every other window, top-most ones included, so that all clicks land on the picture.
  params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

void TFrmDesktop::CaptureDesktop() {
  FDesktopImage = new TImage(this);
  const int width = Screen->Width(), height = Screen->Height();
  FDesktopImage->SetSize(width, height);
  HWND desktop = GetDesktopWindow();
  HDC screen = GetDC(desktop);
  BitBlt(FDesktopImage->Canvas(), 0, 0, width, height, screen, 0, 0, SRCCOPY);
  ReleaseDC(desktop, screen);
}

LRESULT TFrmDesktop::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;  // the picture covers everything: nothing flickers
  return TForm::WndProc(message, wParam, lParam);
}

namespace {

struct WindowSearch {
  POINT point;
  HWND exclude;
  HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM param);

// Records the first window at the point among these windows, then looks inside it.
void SearchFrom(HWND parent, WindowSearch& search) {
  if (parent)
    EnumChildWindows(parent, CheckWindow, reinterpret_cast<LPARAM>(&search));
  else
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
}

BOOL CALLBACK CheckWindow(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<WindowSearch*>(param);
  if (window == search.exclude || !IsWindowVisible(window)) return TRUE;
  RECT bounds;
  GetWindowRect(window, &bounds);
  if (!TRectEx(bounds).ptInRect(search.point)) return TRUE;
  search.found = window;
  SearchFrom(window, search);
  return FALSE;
}

}  // namespace

HWND TFrmDesktop::WindowAt(const TPointEx& point, HWND exclude) {
  WindowSearch search{point, exclude, nullptr};
  SearchFrom(nullptr, search);
  return search.found;
}

TRectEx TFrmDesktop::WindowFrame(HWND window) const {
  RECT bounds;
  GetWindowRect(window, &bounds);
  TRectEx frame(bounds);
  frame.shrink(4);  // inside the window's outline
  return frame;
}

void TFrmDesktop::DrawFrame(HDC dc, const TRectEx& rect) { rect.DrawFocusRectEx(dc, FrameColour, PS_SOLID, FrameWidth); }

void TFrmDesktop::DrawFrame(const TRectEx& rect) {
  HDC dc = GetDC(Handle());
  DrawFrame(dc, rect);
  ReleaseDC(Handle(), dc);
}

void TFrmDesktop::FormPaint(HDC dc) {
  if (FDesktopImage) FDesktopImage->Draw(dc, 0, 0);
  if (FSelectMode == smSelectWindow) {
    if (FSelectedWindow) DrawFrame(dc, WindowFrame(FSelectedWindow));
  } else if (FDragging && !FSelectedRect.IsRectEmpty()) {
    DrawFrame(dc, FSelectedRect);
  }
}

void TFrmDesktop::FormMouseMove(int x, int y) {
  if (FSelectMode == smSelectWindow) {
    HWND window = WindowAt(TPointEx(x, y), Handle());
    if (window == FSelectedWindow) return;
    if (FSelectedWindow) DrawFrame(WindowFrame(FSelectedWindow));
    FSelectedWindow = window;
    if (FSelectedWindow) DrawFrame(WindowFrame(FSelectedWindow));
    return;
  }
  if (!FDragging) return;
  if (!FSelectedRect.IsRectEmpty()) DrawFrame(FSelectedRect);
  FSelectedRect.right = x;
  FSelectedRect.bottom = y;
  if (!FSelectedRect.IsRectEmpty()) DrawFrame(FSelectedRect);
}

void TFrmDesktop::FormMouseDown(TMouseButton button, int x, int y) {
  if (FSelectMode == smSelectWindow) {
    if (button == mbLeft) ModalResult = mrOk;
    return;
  }
  FDragging = true;
  FSelectedRect = TRectEx(x, y, x, y);
}

void TFrmDesktop::FormMouseUp(TMouseButton, int, int) {
  if (FSelectMode != smSelectRegion || !FDragging) return;
  FDragging = false;
  ModalResult = mrOk;
}

void TFrmDesktop::FormKeyPress(wchar_t& key) {
  if (FSelectMode == smSelectWindow) {
    if (key == 27) ModalResult = mrCancel;
    return;
  }
  if (!FDragging) return;
  FDragging = false;
  if (!FSelectedRect.IsRectEmpty()) DrawFrame(FSelectedRect);
  FSelectedRect.SetRectEmpty();
}
