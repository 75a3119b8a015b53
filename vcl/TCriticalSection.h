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
