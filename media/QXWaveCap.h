#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "TMethod.h"
#include "TThread.h"
#include "TindrelApi.h"

class TStrings;

// Records from a wave-in device in one PCM format with twelve buffers in rotation. Each filled
// buffer is handed to OnData on a worker thread of its own; the handler copies what it needs and
// returns quickly, since the buffer goes back to the device as soon as it returns.
class TINDREL_API TQXWaveCap {
 public:
  // Runs the message loop that the device posts to; frees itself when the loop ends.
  class TINDREL_API TQXWaveCapThread : public TThread {
   public:
    explicit TQXWaveCapThread(TQXWaveCap* owner);

   protected:
    void Execute() override;

   private:
    void HandleData(HWAVEIN device, wavehdr_tag* header);

    TQXWaveCap* FOwner;
  };

  static constexpr int BufferCount = 12;

  TQXWaveCap();
  virtual ~TQXWaveCap();
  TQXWaveCap(const TQXWaveCap&) = delete;
  TQXWaveCap& operator=(const TQXWaveCap&) = delete;

  // Appends "<name> Ver<major>.<minor> (Mid:<m>,Pid:<p>)" per device; returns how many the
  // system reports. A null list only counts.
  static int EnumerateDevices(TStrings* list);
  // Appends each standard format the device supports, with its format bit in the object slot.
  static int EnumerateFormats(unsigned int deviceId, TStrings* list);

  // Exactly one standard-format bit (WAVE_FORMAT_1M08 ... WAVE_FORMAT_4S16); used from the next
  // StartCapWave on.
  bool SetWaveFormat(const unsigned long format);
  // The capture format; the address stays valid for the life of the object.
  tWAVEFORMATEX* GetCapWaveFormat();
  bool StartCapWave(unsigned int deviceId);
  bool StopCapWave();
  // The sample range of the capture format.
  bool GetPitchOf(int& max, int& min);
  // The peak samples of a filled buffer, while capturing.
  bool GetPitchOf(wavehdr_tag* header, int& max, int& min);
  // Gives the header a fresh block of FBufferSamples frames and queues it on the open device.
  bool AddInputBuffer(wavehdr_tag* header, tWAVEFORMATEX* format);

 protected:
  HWAVEIN FHWaveIn = nullptr;
  unsigned short FChannels = 1;
  unsigned long FSamplesPerSec = 11025;
  unsigned long FBitsPerSample = 16;
  unsigned long FBufferSamples = 1000;
  tWAVEFORMATEX FWaveFormat{};
  wavehdr_tag FWaveHdrs[BufferCount]{};

 public:
  TMethod<wavehdr_tag*> OnData;
  TMethod<> OnOpen;
  TMethod<> OnClose;

 protected:
  TQXWaveCapThread* FWaveCapThread = nullptr;

 private:
  void EndWorker();
  void CloseDevice();
};
