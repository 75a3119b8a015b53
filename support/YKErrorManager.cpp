#include "YKErrorManager.h"

#include <windows.h>

#include <cstdio>

#include "FileUtils.h"
#include "SettingsStore.h"
#include "StringUtils.h"
#include "YKUtils.h"

static thread_local int CurrentMode = TYKErrorManager::emCollect;

TYKErrorManager& GetYKErrorManager() {
  static TYKErrorManager manager;
  return manager;
}

_YKTempErrMode::_YKTempErrMode(int mode) : FPrevious(CurrentMode) { CurrentMode = mode; }

_YKTempErrMode::~_YKTempErrMode() { CurrentMode = FPrevious; }

std::string TYKErrorManager::LogFilePath() {
  const std::string settings = SettingsStore::SettingsFilePath();
  const std::string name = ExtractFileName(settings);
  const auto dot = name.rfind('.');
  return ExtractFilePath(settings) + (dot == std::string::npos ? name : name.substr(0, dot)) + ".log";
}

void TYKErrorManager::Log(const std::string& text) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  const std::string line = stamp + text + "\r\n";
  const std::string path = LogFilePath();
  ForceDirectories(ExtractFilePath(path));
  HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // nowhere to log to; the report itself is kept
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

void TYKErrorManager::Error(const std::string& message, const std::string& unit, int line) {
  std::lock_guard<std::mutex> hold(FLock);
  Log("[" + unit + ":" + std::to_string(line) + "] " + message);
  if (CurrentMode != emLogOnly) FPending.push_back({message, unit, line});
}

void TYKErrorManager::ManageAssert(const std::string& expression, const std::string& unit, int line) {
  Error("Assertion failed: " + expression, unit, line);
}

std::vector<TYKErrorReport> TYKErrorManager::PendingReports() const {
  std::lock_guard<std::mutex> hold(FLock);
  return FPending;
}

void TYKErrorManager::ManageError(const std::string& title) {
  std::vector<TYKErrorReport> reports;
  {
    std::lock_guard<std::mutex> hold(FLock);
    reports.swap(FPending);
  }
  if (reports.empty()) return;
  std::string text;
  for (const TYKErrorReport& report : reports) text += (text.empty() ? "" : "\r\n") + report.Message;
  if (!GetEnvironmentText("QUORLO_HEADLESS").empty()) {
    std::lock_guard<std::mutex> hold(FLock);
    Log("[" + title + "] " + text);
    return;
  }
  YKMessageBoxError(text, title, MB_OK);
}
