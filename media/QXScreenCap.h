#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "TRectEx.h"
#include "TindrelApi.h"

class CAviFile;
class TQXWaveCap;
struct TQXScreenCapTesting;
struct wavehdr_tag;
typedef struct tWAVEFORMATEX WAVEFORMATEX;

enum TCapMode : unsigned char { cmScreen = 0, cmWindow = 1, cmRegion = 2 };  // any other value: region
enum TCapState : unsigned char { csStop = 0, csPause = 1, csRecording = 2 };
enum TFileSaveMode : unsigned char { fsmDefaultPath = 0, fsmAskToSave = 1 };  // any other value: default path

// The recorder engine: the user's recording settings and the recording in progress. The
// program reads and writes the public members in place; the member order is fixed.
class TINDREL_API TQXScreenCap {
 public:
  class TCapThread;

  TQXScreenCap();
  ~TQXScreenCap();
  TQXScreenCap(const TQXScreenCap&) = delete;
  TQXScreenCap& operator=(const TQXScreenCap&) = delete;

  void ReadSettings();
  void SaveSettings();
  // The recordings folder, created if needed.
  std::string GetDefaultFilePath();

  // Start a recording (or resume a paused one), pause it, stop it. Failures are reported
  // through the error manager; the caller presents them.
  bool Start();
  bool Pause();
  bool Stop();

  // Let the user pick a window, or drag a rectangle, on a frozen picture of the screen.
  static HWND SelectWindow(HWND parent);
  static bool SelectRegion(HWND parent, TRectEx& rect);

 private:
  friend struct TQXScreenCapTesting;  // drives a recording without the pickers and dialogs

  bool ChooseCaptureArea();
  bool ChooseScreenArea();
  bool ChooseFileName();
  static std::string FirstFreeName(const std::string& folder);
  bool BeginRecording();
  const WAVEFORMATEX* StartMicrophone();  // the sound format, or null without sound
  void StopMicrophone();
  void OnWaveInData(wavehdr_tag* header);
  void ReleaseRecording();

  HWND FParentHandle;

 public:
  TCapMode CapMode;
  std::atomic<TCapState> CapState;  // written by the main thread only, read by the workers
  TFileSaveMode FileSaveMode;
  std::string DefaultFilePath;
  unsigned long VideoCodec;  // four-character code of the compressor
  unsigned long FrameRate;
  int Quality;  // -1: the compressor's default
  bool RecordMicrophone;
  bool RecordSpeaker;

 private:
  HBITMAP FMemBitmap;
  HDC FMemDC;
  void* FMemBits;

 public:
  TRectEx CapRect;

 private:
  CAviFile* FAviFile;
  TCapThread* FCapThread;

 public:
  std::string FileName;  // the current recording, or the last one after Stop

 private:
  TQXWaveCap* FQXWaveCap;
};
