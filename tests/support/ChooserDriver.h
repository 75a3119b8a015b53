#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

// Plays the user of the monitor chooser from a second thread while the test's main thread runs
// the dialog's modal loop: waits until the chooser is open and active, then acts on it with real
// input. Should the action leave the dialog open for long, it is closed so that the test ends
// (and Stuck() tells).
class ChooserDriver {
 public:
  using Action = std::function<void(HWND dialog)>;

  explicit ChooserDriver(Action action) : FThread([this, action] { Run(action); }) {}
  ~ChooserDriver() { Finish(); }
  ChooserDriver(const ChooserDriver&) = delete;
  ChooserDriver& operator=(const ChooserDriver&) = delete;

  // Stops waiting for a dialog that has not appeared; call when the code under test returned.
  void Finish() {
    FDone = true;
    if (FThread.joinable()) FThread.join();
  }
  bool SawDialog() const { return FSawDialog; }
  bool Stuck() const { return FStuck; }

  static HWND List(HWND dialog) { return FindWindowExW(dialog, nullptr, L"LISTBOX", nullptr); }

  static void Keys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys)
      for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags;
        inputs.push_back(input);
      }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }

  // Left clicks at the centre of a rectangle of the window's client area. Every event carries
  // the position, so none can land where the pointer was before.
  static void Click(HWND window, RECT rect, int clicks) {
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(window, &centre);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(centre.x - left, 65535, width - 1);
    input.mi.dy = MulDiv(centre.y - top, 65535, height - 1);
    std::vector<INPUT> inputs;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    inputs.push_back(input);
    for (int i = 0; i < clicks; ++i)
      for (DWORD button : {DWORD{MOUSEEVENTF_LEFTDOWN}, DWORD{MOUSEEVENTF_LEFTUP}}) {
        input.mi.dwFlags = button | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
        inputs.push_back(input);
      }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }

  static void DoubleClickEntry(HWND dialog, int index) {
    HWND list = List(dialog);
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    Click(list, item, 2);
  }

  static void ClickButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    RECT rect;
    GetClientRect(button, &rect);
    Click(button, rect, 1);
  }

 private:
  static HWND OpenChooser() {
    HWND dialog = FindWindowW(nullptr, L"多监视器");
    return dialog && IsWindowVisible(dialog) && GetForegroundWindow() == dialog ? dialog : nullptr;
  }

  void Run(const Action& action) {
    HWND dialog = nullptr;
    while (!FDone && !(dialog = OpenChooser())) Sleep(10);
    if (!dialog) return;
    FSawDialog = true;
    action(dialog);
    for (int waited = 0; IsWindowVisible(dialog); waited += 10) {
      if (waited == 20000) {
        FStuck = true;
        PostMessageW(dialog, WM_CLOSE, 0, 0);
      }
      Sleep(10);
    }
  }

  std::atomic<bool> FDone{false}, FSawDialog{false}, FStuck{false};
  std::thread FThread;
};
