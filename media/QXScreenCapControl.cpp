#include <algorithm>
#include <cstring>
#include <exception>

#include "AviFile.h"
#include "CapThread.h"
#include "FileUtils.h"
#include "QXScreenCap.h"
#include "TScreen.h"
#include "TindrelModule.h"
#include "YKErrorManager.h"
#include "YKResourceManager.h"
#include "YKUtils.h"

static const char* const Unit = "QXScreenCap";

static void Assert(bool condition, const char* expression, int line) {
  if (!condition) GetYKErrorManager().ManageAssert(expression, Unit, line);
}

bool TQXScreenCap::Start() {
  if (CapState != csStop) {
    Assert(CapState == csPause, "0", __LINE__);
    Assert(FCapThread != nullptr, "FCapThread != NULL", __LINE__);
    if (!FCapThread) return false;
    CapState = csRecording;
    FCapThread->Resume();
    return true;
  }
  if (FrameRate < 1) {
    // The movie's time base and the sound's timing divide by it.
    GetYKErrorManager().Error(GetResourceManager().GetString(TindrelModuleName(), "zhenlvbixuzhishaoweimeimiaoyizhen",
                                                             "帧率必须至少为每秒一帧。"),
                              Unit, __LINE__);
    return false;
  }
  try {
    if (!ChooseCaptureArea() || !ChooseFileName()) return false;
    return BeginRecording();
  } catch (const std::exception& e) {
    GetYKErrorManager().Error(e.what(), Unit, __LINE__);
    ReleaseRecording();
    return false;
  }
}

bool TQXScreenCap::ChooseCaptureArea() {
  switch (CapMode) {
    case cmScreen:
      if (!ChooseScreenArea()) return false;
      break;
    case cmWindow: {
      HWND window = SelectWindow(FParentHandle);
      if (!window) return false;
      GetWindowRect(window, &CapRect);
      break;
    }
    default:
      if (!SelectRegion(FParentHandle, CapRect)) return false;
      break;
  }
  // A region dragged up or to the left arrives with its corners swapped.
  CapRect = TRectEx(std::min(CapRect.left, CapRect.right), std::min(CapRect.top, CapRect.bottom),
                    std::max(CapRect.left, CapRect.right), std::max(CapRect.top, CapRect.bottom));
  return CapRect.Width() != 0 && CapRect.Height() != 0;
}

std::string TQXScreenCap::FirstFreeName(const std::string& folder) {
  for (int n = 1;; ++n) {
    const std::string name = IncludeTrailingBackslash(folder) + "qxcap" + std::to_string(n) + ".avi";
    if (!FileExists(name)) return name;
  }
}

bool TQXScreenCap::BeginRecording() {
  Assert(FMemBitmap == nullptr, "FMemBitmap == NULL", __LINE__);
  Assert(FMemDC == nullptr, "FMemDC == NULL", __LINE__);
  if (FMemBitmap || FMemDC) return false;

  HWND desktop = GetDesktopWindow();
  HDC screen = GetDC(desktop);
  FMemDC = CreateCompatibleDC(screen);
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = CapRect.Width();
  info.bmiHeader.biHeight = CapRect.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(CapRect.Width()) * CapRect.Height() * 4;
  FMemBitmap = CreateDIBSection(FMemDC, &info, DIB_RGB_COLORS, &FMemBits, nullptr, 0);
  ReleaseDC(desktop, screen);
  if (!FMemBitmap) {
    DeleteDC(FMemDC);
    FMemDC = nullptr;
    FMemBits = nullptr;
    YKMessageBoxError("Unable to create bitmap", "Error", MB_OK);
    return false;
  }

  const WAVEFORMATEX* audioFormat = StartMicrophone();
  FAviFile = new CAviFile(FileName.c_str(), VideoCodec, FrameRate, static_cast<unsigned long>(Quality), audioFormat);

  Assert(FCapThread == nullptr, "FCapThread == NULL", __LINE__);
  if (FCapThread) return false;
  FCapThread = new TCapThread(this);
  CapState = csRecording;
  FCapThread->Resume();
  return true;
}

void TQXScreenCap::ReleaseRecording() {
  CapState = csStop;
  StopMicrophone();
  if (FCapThread) {
    FCapThread->Terminate();
    delete FCapThread;  // wakes the thread and waits for its end
    FCapThread = nullptr;
  }
  if (FMemDC) DeleteDC(FMemDC);
  FMemDC = nullptr;
  if (FMemBitmap) DeleteObject(FMemBitmap);
  FMemBitmap = nullptr;
  FMemBits = nullptr;
  delete FAviFile;  // closes the movie
  FAviFile = nullptr;
}

bool TQXScreenCap::Pause() {
  Assert(CapState == csRecording, "CapState == csRecording", __LINE__);
  Assert(FCapThread != nullptr, "FCapThread != NULL", __LINE__);
  // The thread finishes a frame in progress and then parks itself.
  if (CapState == csRecording && FCapThread) CapState = csPause;
  return true;
}

bool TQXScreenCap::Stop() {
  const bool running = CapState == csRecording || CapState == csPause;
  Assert(running, "CapState == csRecording || CapState == csPause", __LINE__);
  Assert(FCapThread != nullptr, "FCapThread != NULL", __LINE__);
  if (running) ReleaseRecording();
  return true;
}
