#include "TTimer.h"

#include <map>

#include "TApplication.h"

// Thread timers carry no user data: the running timers are found by their identifier.
static std::map<UINT_PTR, TTimer*>& RunningTimers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) { Update(); }

TTimer::~TTimer() {
  FEnabled = false;
  Update();
}

void TTimer::SetInterval(UINT interval) {
  FInterval = interval;
  Update();
}

void TTimer::SetEnabled(bool enabled) {
  FEnabled = enabled;
  Update();
}

void TTimer::Update() {
  if (FId) {
    KillTimer(nullptr, FId);
    RunningTimers().erase(FId);
    FId = 0;
  }
  if (FEnabled && FInterval > 0) {
    FId = SetTimer(nullptr, 0, FInterval, TimerProc);
    if (FId) RunningTimers()[FId] = this;
  }
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  const auto found = RunningTimers().find(id);
  if (found == RunningTimers().end() || !found->second->OnTimer) return;
  try {
    found->second->OnTimer();
  } catch (const std::exception& e) {
    Application->HandleException(e);
  }
}
