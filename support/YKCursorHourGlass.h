#pragma once

#include "SabrunApi.h"

// Shows the hourglass cursor for as long as it lives.
class SABRUN_API TYKCursorHourGlass {
 public:
  TYKCursorHourGlass();
  ~TYKCursorHourGlass();
  TYKCursorHourGlass(const TYKCursorHourGlass&) = delete;
  TYKCursorHourGlass& operator=(const TYKCursorHourGlass&) = delete;

 private:
  int FPrevious;
};
