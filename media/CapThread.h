#pragma once

#include "QXScreenCap.h"
#include "TThread.h"

class TRegionFlicker;

// Makes the frames of one recording. A thread timer of the main thread wakes it once per frame
// period; each time it copies the recorded area of the screen into the frame bitmap, stamps
// the watermark, hands the bitmap to the movie writer and parks itself. While it lives the
// corner marks show the recorded area. Created and destroyed on the main thread.
class TINDREL_API TQXScreenCap::TCapThread : public TThread {
 public:
  explicit TCapThread(TQXScreenCap* owner);
  ~TCapThread() override;

  static UINT TimerPeriod(unsigned long frameRate);  // of the frame timer, in milliseconds

 protected:
  void Execute() override;

 private:
  bool MakeFrame();  // false when the recording can make no more frames
  static void CALLBACK CapTimerProc(HWND, UINT, UINT_PTR, DWORD);

  TQXScreenCap* FOwner;
  UINT_PTR FTimerID;
  TRegionFlicker* FFlicker;
};
