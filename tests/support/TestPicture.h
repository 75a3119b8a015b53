#pragma once

#include <windows.h>

#include <vector>

// A top-most window that shows a fixed, colourful picture at a known place on the screen.
class TestPicture {
 public:
  explicit TestPicture(const RECT& area);
  ~TestPicture();
  TestPicture(const TestPicture&) = delete;
  TestPicture& operator=(const TestPicture&) = delete;

  // What the screen shows in the area now, top-down, as 0x00RRGGBB.
  std::vector<DWORD> Grab() const;
  HWND Window() const { return FWindow; }

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  RECT FArea;
  HWND FWindow;
};
