#pragma once

#include <windows.h>

#include <string>

#include "TObject.h"

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A worker thread running Execute. It is created suspended: the first Resume starts it.
// Suspend parks the calling thread itself, never another thread, so a thread is never frozen
// while it holds a lock; Resume wakes a parked thread and does nothing to one that is running.
// Terminate only sets a flag that Execute polls, and wakes a parked thread so that it sees it.
// The destructor terminates, wakes and waits for the thread, unless it is the thread itself
// (FreeOnTerminate).
class VCL_API TThread : public TObject {
 public:
  TThread();
  ~TThread() override;
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  void Resume();
  void Suspend();  // from the thread itself only
  void Terminate();
  bool Terminated() const;
  void WaitFor();
  bool Finished() const { return WaitForSingleObject(FHandle, 0) == WAIT_OBJECT_0; }

  void SetPriority(TThreadPriority priority);
  bool FreeOnTerminate = false;
  DWORD ThreadID() const { return FThreadID; }
  HANDLE Handle() const { return FHandle; }
  // The message of an exception that ended Execute, if any.
  const std::string& FatalMessage() const { return FFatalMessage; }

 protected:
  virtual void Execute() = 0;

 private:
  static DWORD WINAPI ThreadProc(void* self);

  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  bool FStarted = false;
  mutable CRITICAL_SECTION FLock;
  CONDITION_VARIABLE FWake;
  bool FParked = false;
  bool FWakeSignal = false;
  bool FTerminated = false;
  std::string FFatalMessage;
};
