#include "TWinControl.h"

#include <exception>
#include <stdexcept>
#include <map>
#include <mutex>

#include "TApplication.h"

static const wchar_t* const OwnerProperty = L"Quorlo.Control";

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {}

TWinControl::~TWinControl() { DestroyHandle(); }

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  HWND window = FHandle;
  RemovePropW(window, OwnerProperty);
  if (FSystemProc) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FSystemProc));
  FHandle = nullptr;
  DestroyWindow(window);
}

const wchar_t* TWinControl::ClassFor(UINT classStyle) {
  static std::mutex lock;
  static std::map<UINT, std::wstring> names;
  std::lock_guard<std::mutex> hold(lock);
  auto& name = names[classStyle];
  if (name.empty()) {
    name = L"Quorlo.Window." + std::to_wstring(classStyle);
    WNDCLASSW windowClass{};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = DefWindowProcW;  // replaced per window once it is ours
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name.c_str();
    RegisterClassW(&windowClass);
  }
  return name.c_str();
}

HWND TWinControl::Handle() {
  if (FHandle) return FHandle;
  if (FParent && !FParent->HandleAllocated()) {
    FParent->Handle();  // which creates this control too
    if (FHandle) return FHandle;
  }
  TCreateParams params;
  CreateParams(params);
  const wchar_t* className = params.SystemClass ? params.SystemClass : ClassFor(params.WindowClassStyle);
  HWND window = CreateWindowExW(params.ExStyle, className, params.Caption.c_str(), params.Style, params.X, params.Y,
                                params.Width, params.Height, params.WndParent, params.Id, GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  FHandle = window;
  SetPropW(window, OwnerProperty, this);
  FSystemProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::WindowProc)));
  if (FSystemProc == DefWindowProcW) FSystemProc = nullptr;
  DoHandleCreated();
  return FHandle;
}

void TWinControl::SetChildBounds(int left, int top, int width, int height) {
  FChildBounds = {left, top, left + width, top + height};
  if (FHandle) SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

TWinControl* TWinControl::FindControl(HWND window) {
  return window ? static_cast<TWinControl*>(GetPropW(window, OwnerProperty)) : nullptr;
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return FSystemProc ? CallWindowProcW(FSystemProc, FHandle, message, wParam, lParam)
                     : DefWindowProcW(FHandle, message, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandler(message, wParam, lParam);
}

LRESULT CALLBACK TWinControl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FindControl(window);
  if (!control || control->FHandle != window) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return control->WndProc(message, wParam, lParam);
  } catch (const std::exception& e) {
    Application->HandleException(e);
  } catch (...) {
    Application->HandleException(std::runtime_error("Unknown exception"));
  }
  return 0;
}
