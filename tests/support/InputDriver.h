#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

// Plays the user from a second thread while the test's thread sits in a modal loop: real
// mouse and keyboard input through the system's input queue.
namespace input {

void MoveTo(int x, int y);                // in screen pixels, in small steps, as a hand would
void Press(DWORD downFlag, DWORD upFlag);  // a mouse button, at the pointer
inline void LeftDown() { Press(MOUSEEVENTF_LEFTDOWN, 0); }
inline void LeftUp() { Press(0, MOUSEEVENTF_LEFTUP); }
inline void LeftClick() { Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }
void Key(WORD virtualKey);
// Drags with the left button from one point to another.
inline void Drag(int fromX, int fromY, int toX, int toY) {
  MoveTo(fromX, fromY);
  LeftDown();
  MoveTo(toX, toY);
  LeftUp();
}

// The first visible top-level window of this process that the test accepts, or null after the
// time is up.
HWND WaitForWindow(const std::function<bool(HWND)>& accept, int milliseconds = 10000);
HWND WaitForOverlay();  // the full-screen picker
HWND WaitForDialog(const std::wstring& title);

}  // namespace input

// Runs the driver on its own thread and joins it when the test's modal step is over.
class Driver {
 public:
  explicit Driver(std::function<void()> play) : FThread(std::move(play)) {}
  ~Driver() { FThread.join(); }

 private:
  std::thread FThread;
};
