#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <atomic>
#include <functional>
#include <set>

#include "QXWaveCap.h"

// Opens the capture object's internals to the tests.
class WaveCapProbe : public TQXWaveCap {
 public:
  using TQXWaveCap::FBitsPerSample;
  using TQXWaveCap::FHWaveIn;
  using TQXWaveCap::FWaveCapThread;
  using TQXWaveCap::FWaveHdrs;
};

struct EventCounter {
  std::atomic<int> Opens{0}, Closes{0};
  void Opened() { ++Opens; }
  void Closed() { ++Closes; }
};

inline std::set<DWORD> ThreadsOfThisProcess() {
  std::set<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
  CloseHandle(snapshot);
  return ids;
}

// How many threads of this process run a framework thread object (TThread), told apart from the
// system's own threads by their start address inside the framework's module.
inline int FrameworkThreads() {
  using QueryThread = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  const int ThreadQuerySetWin32StartAddress = 9;
  const auto query = reinterpret_cast<QueryThread>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread"));
  const auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleW(L"Vcl.dll"));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  int count = 0;
  for (DWORD id : ThreadsOfThisProcess()) {
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, id);
    if (!thread) continue;
    const BYTE* start = nullptr;
    if (query(thread, ThreadQuerySetWin32StartAddress, &start, sizeof start, nullptr) == 0 && start >= base &&
        start < base + nt->OptionalHeader.SizeOfImage)
      ++count;
    CloseHandle(thread);
  }
  return count;
}

inline bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000) {
  for (int waited = 0; waited < milliseconds && !condition(); waited += 10) Sleep(10);
  return condition();
}
