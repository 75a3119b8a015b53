#pragma once

#include <mutex>
#include <utility>
#include <string>
#include <vector>

#include "IniDocument.h"

// One INI file of the process, shared by every TYKIniFile in every module that opens it: reads
// see writes at once, a change made by another process is picked up on the next read, and every
// write replaces the file in one step, so a crash leaves either the old or the new file.
class SettingsStore {
 public:
  static SettingsStore& ForPath(const std::string& path);

  // QUORLO_INI names the file; otherwise "<AppName>.ini" in "%APPDATA%\<AppName>\".
  // A file that does not exist yet starts from "<AppName>.ini" beside the program.
  static std::string SettingsFilePath();

  bool Read(const std::string& section, const std::string& key, std::string& value);
  std::vector<std::string> Keys(const std::string& section);
  bool Write(const std::string& section, const std::string& key, const std::string& value);

 private:
  explicit SettingsStore(std::string path) : FPath(std::move(path)) {}
  void Refresh();  // with FLock held
  bool Save();     // with FLock held

  std::mutex FLock;
  std::string FPath;
  IniDocument FDocument;
  unsigned long long FStamp = ~0ULL;  // modification time and size of what FDocument holds
};
