#include "QXCustomFileCursor.h"

#include <windows.h>

#include <map>
#include <mutex>

#include "StringUtils.h"
#include "TScreen.h"

int TQXCustomFileCursor::GetCursorOfFile(const std::string& path) {
  static std::mutex lock;
  static std::map<std::string, int> loaded;  // a file is loaded once per process
  std::lock_guard<std::mutex> hold(lock);
  const auto known = loaded.find(path);
  if (known != loaded.end()) return known->second;
  HCURSOR cursor = LoadCursorFromFileW(Utf8ToWide(path).c_str());
  if (!cursor) return crDefault;
  const int index = 1000 + static_cast<int>(loaded.size());
  Screen->SetCursors(index, cursor);
  loaded[path] = index;
  return index;
}
