#pragma once

#include <windows.h>

#include "TForm.h"
#include "TImage.h"
#include "TRectEx.h"
#include "TindrelApi.h"

enum TSelectMode : unsigned char { smSelectWindow = 0, smSelectRegion = 1 };

// A point in screen coordinates, as the pickers and rectangles use it.
class TINDREL_API TPointEx : public POINT {
 public:
  TPointEx(int x, int y);
  TPointEx(const POINT& point);
  TPointEx(const TPointEx& point);
  TPointEx& operator=(const TPointEx& point) = default;
};

// The borderless full-screen overlay on which the user picks what to record: it shows a frozen
// picture of the screen, and either frames the window under the pointer (a left click picks
// it, Esc cancels) or follows a dragged rectangle (releasing the button picks it; a key during
// the drag starts over). The caller sizes it to the primary screen, takes the picture while the
// overlay is still hidden, shows it modally and reads the result.
class TINDREL_API TFrmDesktop : public TForm {
 public:
  TFrmDesktop(TComponent* owner, TSelectMode mode);

  void CaptureDesktop();

  HWND FSelectedWindow = nullptr;
  TImage* FDesktopImage = nullptr;
  TSelectMode FSelectMode;
  bool FDragging = false;
  TRectEx FSelectedRect;

  // The innermost visible window at the point, never the excluded one; null over no window.
  static HWND WindowAt(const TPointEx& point, HWND exclude);

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormKeyPress(wchar_t& key);
  void FormMouseDown(TMouseButton button, int x, int y);
  void FormMouseMove(int x, int y);
  void FormMouseUp(TMouseButton button, int x, int y);
  void FormPaint(HDC dc);
  void DrawFrame(HDC dc, const TRectEx& rect);  // a second call erases it
  void DrawFrame(const TRectEx& rect);
  TRectEx WindowFrame(HWND window) const;
};
