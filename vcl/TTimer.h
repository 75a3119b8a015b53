#pragma once

#include <windows.h>

#include <functional>

#include "TComponent.h"

// Calls OnTimer every Interval milliseconds through the message loop of the thread that
// created it, while Enabled.
class VCL_API TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  UINT Interval() const { return FInterval; }
  void SetInterval(UINT interval);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);

  std::function<void()> OnTimer;

 private:
  void Update();
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);

  UINT FInterval = 1000;
  bool FEnabled = true;
  UINT_PTR FId = 0;
};
