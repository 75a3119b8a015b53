#include "CapThread.h"

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <exception>

#include "AviFile.h"
#include "FrmRegionFlickerUnit.h"
#include "StringUtils.h"
#include "YKErrorManager.h"

static const char* const Unit = "QXScreenCap";

// The platform's timer callback carries no user data: it finds the one live thread here.
static TQXScreenCap::TCapThread* CurrentCapThread = nullptr;

UINT TQXScreenCap::TCapThread::TimerPeriod(unsigned long frameRate) {
  return 1000 / std::clamp<unsigned long>(frameRate, 1, 50);
}

TQXScreenCap::TCapThread::TCapThread(TQXScreenCap* owner) : FOwner(owner), FTimerID(0), FFlicker(nullptr) {
  CurrentCapThread = this;
  SetPriority(tpLower);
  FreeOnTerminate = false;
  FTimerID = SetTimer(nullptr, 0, TimerPeriod(owner->FrameRate), CapTimerProc);
  const TRectEx& area = owner->CapRect;
  FFlicker = new TRegionFlicker(area.left, area.top, area.Width(), area.Height());
}

TQXScreenCap::TCapThread::~TCapThread() {
  delete FFlicker;
  FFlicker = nullptr;
  CurrentCapThread = nullptr;
  // Only the main thread, which owns the timer, kills it.
  if (FTimerID) KillTimer(nullptr, FTimerID);
  FTimerID = 0;
  // Wake the thread if it is parked and wait for its end before the members go.
  Terminate();
  WaitFor();
}

void CALLBACK TQXScreenCap::TCapThread::CapTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  TCapThread* thread = CurrentCapThread;
  if (thread && !thread->Terminated() && thread->FOwner->CapState == csRecording) thread->Resume();
}

void TQXScreenCap::TCapThread::Execute() {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  try {
    // A pause parks the thread without ending it, so that any order of Pause, Start and timer
    // ticks leaves a recording that goes on; only Stop (or a failure) ends it.
    while (!Terminated()) {
      const TCapState state = FOwner->CapState;
      if (state == csStop) break;
      if (state == csRecording && !MakeFrame()) break;
      Suspend();
    }
  } catch (const std::exception& e) {
    GetYKErrorManager().Error(e.what(), Unit, __LINE__);
  }
  CoUninitialize();
}

bool TQXScreenCap::TCapThread::MakeFrame() {
  TQXScreenCap& owner = *FOwner;
  const TRectEx area = owner.CapRect;
  const int width = area.Width(), height = area.Height();
  HGDIOBJ kept = SelectObject(owner.FMemDC, owner.FMemBitmap);
  HWND desktop = GetDesktopWindow();
  HDC screen = GetWindowDC(desktop);
  bool grabbed = true;
  try {
    BitBlt(owner.FMemDC, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    // Two lines of four characters, top right, drawn over whatever the frame shows.
    char text[16];
    std::snprintf(text, sizeof text, "%s%s%s%s\r\n%s%s%s%s\r\n", "Q", "R", "L", "O", "R", "E", "C", ".");
    const std::wstring stamp = Utf8ToWide(text);
    RECT box{0, 0, width, height};
    const int oldMode = SetBkMode(owner.FMemDC, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(owner.FMemDC, RGB(0, 0, 0));
    DrawTextExW(owner.FMemDC, const_cast<wchar_t*>(stamp.c_str()), -1, &box, DT_RIGHT, nullptr);
    SetTextColor(owner.FMemDC, oldColor);
    SetBkMode(owner.FMemDC, oldMode);
  } catch (const std::exception& e) {
    _YKTempErrMode quiet(TYKErrorManager::emLogOnly);
    GetYKErrorManager().Error(e.what(), Unit, __LINE__);
    grabbed = false;
  }
  ReleaseDC(desktop, screen);
  SelectObject(owner.FMemDC, kept);  // the writer needs the bitmap free of any DC
  if (!grabbed) return false;
  if (owner.FAviFile->AddFrame(owner.FMemBitmap) < 0) {
    GetYKErrorManager().Error(owner.FAviFile->ErrorText, Unit, __LINE__);
    return false;
  }
  return true;
}
