#include "InputDriver.h"

#include <vector>

namespace input {

static void SendMouse(DWORD flags, int x, int y) {
  INPUT event{};
  event.type = INPUT_MOUSE;
  event.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    event.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
    event.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
  }
  SendInput(1, &event, sizeof event);
  Sleep(15);
}

void MoveTo(int x, int y) {
  POINT from;
  GetCursorPos(&from);
  const int steps = 6;
  for (int i = 1; i <= steps; ++i)
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, from.x + (x - from.x) * i / steps, from.y + (y - from.y) * i / steps);
  Sleep(40);
}

void Press(DWORD downFlag, DWORD upFlag) {
  if (downFlag) SendMouse(downFlag, 0, 0);
  if (upFlag) SendMouse(upFlag, 0, 0);
  Sleep(40);
}

void Key(WORD virtualKey) {
  INPUT events[2]{};
  events[0].type = events[1].type = INPUT_KEYBOARD;
  events[0].ki.wVk = events[1].ki.wVk = virtualKey;
  events[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, events, sizeof(INPUT));
  Sleep(60);
}

namespace {
struct Search {
  const std::function<bool(HWND)>* accept;
  HWND found;
};
BOOL CALLBACK Check(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window) || !(*search.accept)(window)) return TRUE;
  search.found = window;
  return FALSE;
}
}  // namespace

HWND WaitForWindow(const std::function<bool(HWND)>& accept, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 20) {
    Search search{&accept, nullptr};
    EnumWindows(Check, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      Sleep(150);  // let its modal loop start
      return search.found;
    }
    Sleep(20);
  }
  return nullptr;
}

HWND WaitForOverlay() {
  return WaitForWindow([](HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r.left == 0 && r.top == 0 && r.right == GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom == GetSystemMetrics(SM_CYSCREEN) && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  });
}

HWND WaitForDialog(const std::wstring& title) {
  return WaitForWindow([&](HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return title == text;
  });
}

}  // namespace input
