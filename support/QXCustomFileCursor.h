#pragma once

#include <string>

#include "SabrunApi.h"

class SABRUN_API TQXCustomFileCursor {
 public:
  // Loads a .cur or .ani file into the screen's cursor registry and returns its index;
  // crDefault when the file cannot be loaded.
  static int GetCursorOfFile(const std::string& path);
};
