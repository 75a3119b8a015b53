#pragma once

#include <windows.h>

#include "TObject.h"

class VCL_API TCriticalSection : public TObject {
 public:
  TCriticalSection();
  ~TCriticalSection() override;
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  void Enter() { EnterCriticalSection(&FSection); }
  void Leave() { LeaveCriticalSection(&FSection); }
  void Acquire() { Enter(); }
  void Release() { Leave(); }

 private:
  CRITICAL_SECTION FSection;
};

// Holds a critical section for the lifetime of the guard.
class TCriticalSectionGuard {
 public:
  explicit TCriticalSectionGuard(TCriticalSection& section) : FSection(section) { FSection.Enter(); }
  ~TCriticalSectionGuard() { FSection.Leave(); }
  TCriticalSectionGuard(const TCriticalSectionGuard&) = delete;
  TCriticalSectionGuard& operator=(const TCriticalSectionGuard&) = delete;

 private:
  TCriticalSection& FSection;
};
