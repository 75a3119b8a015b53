#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "TRectEx.h"
#include "TindrelApi.h"

class CAviFile;
class TQXWaveCap;

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

  bool Start();
  bool Pause();
  bool Stop();

 private:
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
