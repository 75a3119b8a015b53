#pragma once

#include <functional>
#include <string>

#include "AviFile.h"
#include "FakeCompressors.h"
#include "FileUtils.h"
#include "TestSupport.h"
#include "YKErrorManager.h"
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

// A recorder with its own settings file and a folder for its movies (QUORLO_TEST_OUT when an
// end-to-end check looks at them afterwards).
struct Recorder {
  Recorder() {
    cap.VideoCodec = Code("ZMBV");
    cap.RecordMicrophone = false;
    cap.FileSaveMode = fsmDefaultPath;  // no dialog unless a test asks for one
    cap.DefaultFilePath = folder.Path();
  }
  ~Recorder() {
    if (cap.CapState != csStop) cap.Stop();
    PumpMessages(20);
    GetYKErrorManager().ManageError("test");
  }
  std::string Movie(const std::string& name) const {
    const std::string out = GetEnvironmentText("QUORLO_TEST_OUT");
    return (out.empty() ? folder.Path() : IncludeTrailingBackslash(out)) + name;
  }
  ScopedSettingsFile settings;
  TempFolder folder;
  TQXScreenCap cap;
};
