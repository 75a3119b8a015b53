#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "SabrunApi.h"

struct TYKErrorReport {
  std::string Message;
  std::string Unit;
  int Line = 0;
};

// Collects the failures that operations report while a user command runs; the command ends
// with ManageError, which presents them together. Every report also goes to the log file
// beside the settings file. Safe to use from any thread.
class SABRUN_API TYKErrorManager {
 public:
  enum : int {
    emCollect = 1,  // kept for the next ManageError (the default)
    emLogOnly = 2,  // logged, never shown
  };

  void Error(const std::string& message, const std::string& unit, int line);
  void ManageAssert(const std::string& expression, const std::string& unit, int line);
  // Shows everything reported since the last call under the title, in one message box, and
  // forgets it. With QUORLO_HEADLESS set it logs the same text instead of showing a box.
  void ManageError(const std::string& title);

  std::vector<TYKErrorReport> PendingReports() const;
  static std::string LogFilePath();

 private:
  void Log(const std::string& text);

  mutable std::mutex FLock;
  std::vector<TYKErrorReport> FPending;
};

SABRUN_API TYKErrorManager& GetYKErrorManager();

// While it lives, the reports of this thread use the given mode.
class SABRUN_API _YKTempErrMode {
 public:
  explicit _YKTempErrMode(int mode);
  ~_YKTempErrMode();
  _YKTempErrMode(const _YKTempErrMode&) = delete;
  _YKTempErrMode& operator=(const _YKTempErrMode&) = delete;

 private:
  int FPrevious;
};
