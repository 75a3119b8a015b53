#pragma once

#include <windows.h>

#include <string>

#include "TComponent.h"

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = CW_USEDEFAULT, Y = CW_USEDEFAULT, Width = CW_USEDEFAULT, Height = CW_USEDEFAULT;
  HWND WndParent = nullptr;
  UINT WindowClassStyle = CS_DBLCLKS;
  const wchar_t* SystemClass = nullptr;  // a system control class ("LISTBOX", "BUTTON"), or ours
  HMENU Id = nullptr;
};

// Owns one window. The window is created when its handle is first needed and destroyed with
// the object. Windows of our own class carry the object in their user data and send every
// message to the virtual WndProc; system controls are subclassed the same way.
class VCL_API TWinControl : public TComponent {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle();  // creates the window if needed
  bool HandleAllocated() const { return FHandle != nullptr; }

  // A child control lives inside its parent's window, at its bounds in the parent's client area.
  TWinControl* Parent() const { return FParent; }
  void SetParent(TWinControl* parent) { FParent = parent; }
  void SetChildBounds(int left, int top, int width, int height);
  // A notification (WM_COMMAND code) that the parent received from this control.
  virtual void CommandNotify(WORD code) {}

  // The object behind a window of this process, or null.
  static TWinControl* FindControl(HWND window);

 protected:
  virtual void CreateParams(TCreateParams& params) = 0;
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void DoHandleCreated() {}
  void DestroyHandle();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static const wchar_t* ClassFor(UINT classStyle);

  HWND FHandle = nullptr;
  WNDPROC FSystemProc = nullptr;
  TWinControl* FParent = nullptr;

 protected:
  RECT FChildBounds{0, 0, 0, 0};  // the system control's own procedure, when subclassed
};
