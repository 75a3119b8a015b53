#pragma once

#include <functional>
#include <string>

#include "AviFile.h"
#include "CapThread.h"
#include "QXScreenCap.h"
#include "TApplication.h"

// Drives a recording of a given area into a given file, past the pickers and dialogs.
struct TQXScreenCapTesting {
  static bool Begin(TQXScreenCap& cap, const TRectEx& area, const std::string& file) {
    cap.CapRect = area;
    cap.FileName = file;
    return cap.BeginRecording();
  }
  static CAviFile* Writer(const TQXScreenCap& cap) { return cap.FAviFile; }
  static bool ThreadEnded(const TQXScreenCap& cap) { return cap.FCapThread && cap.FCapThread->Finished(); }
  static bool ResourcesReleased(const TQXScreenCap& cap) {
    return !cap.FMemBitmap && !cap.FMemDC && !cap.FAviFile && !cap.FCapThread && !cap.FQXWaveCap;
  }
};

// Runs the message loop (timer ticks, window messages) for a while, or until the condition.
inline bool PumpMessages(int milliseconds, const std::function<bool()>& until = nullptr) {
  const DWORD end = GetTickCount() + milliseconds;
  while (GetTickCount() < end) {
    if (until && until()) return true;
    Application->ProcessMessages();
    Sleep(5);
  }
  return until && until();
}
