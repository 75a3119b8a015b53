#include "TThread.h"

#include <exception>

TThread::TThread() {
  InitializeCriticalSection(&FLock);
  InitializeConditionVariable(&FWake);
  FHandle = CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &FThreadID);
}

TThread::~TThread() {
  if (FHandle && GetCurrentThreadId() != FThreadID) {
    Terminate();
    if (!FStarted) {
      // Never started: let it run to the end without calling Execute.
      FStarted = true;
      ResumeThread(FHandle);
    }
    WaitFor();
  }
  if (FHandle) CloseHandle(FHandle);
  DeleteCriticalSection(&FLock);
}

DWORD WINAPI TThread::ThreadProc(void* self) {
  auto* thread = static_cast<TThread*>(self);
  if (!thread->Terminated()) {
    try {
      thread->Execute();
    } catch (const std::exception& e) {
      thread->FFatalMessage = e.what();
    } catch (...) {
      thread->FFatalMessage = "Unknown exception";
    }
  }
  if (thread->FreeOnTerminate) delete thread;
  return 0;
}

void TThread::Resume() {
  EnterCriticalSection(&FLock);
  const bool start = !FStarted;
  FStarted = true;
  if (FParked) {
    FWakeSignal = true;
    WakeConditionVariable(&FWake);
  }
  LeaveCriticalSection(&FLock);
  if (start) ResumeThread(FHandle);
}

void TThread::Suspend() {
  if (GetCurrentThreadId() != FThreadID) return;
  EnterCriticalSection(&FLock);
  FParked = true;
  FWakeSignal = false;
  while (!FWakeSignal && !FTerminated) SleepConditionVariableCS(&FWake, &FLock, INFINITE);
  FParked = false;
  LeaveCriticalSection(&FLock);
}

void TThread::Terminate() {
  EnterCriticalSection(&FLock);
  FTerminated = true;
  WakeConditionVariable(&FWake);
  LeaveCriticalSection(&FLock);
}

bool TThread::Terminated() const {
  EnterCriticalSection(&FLock);
  const bool terminated = FTerminated;
  LeaveCriticalSection(&FLock);
  return terminated;
}

void TThread::WaitFor() {
  if (FStarted) WaitForSingleObject(FHandle, INFINITE);
}

void TThread::SetPriority(TThreadPriority priority) {
  static const int levels[] = {THREAD_PRIORITY_IDLE,    THREAD_PRIORITY_LOWEST,  THREAD_PRIORITY_BELOW_NORMAL,
                               THREAD_PRIORITY_NORMAL,  THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                               THREAD_PRIORITY_TIME_CRITICAL};
  SetThreadPriority(FHandle, levels[priority]);
}
