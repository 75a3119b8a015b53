#include "SettingsStore.h"

#include <windows.h>

#include <map>
#include <memory>

#include "FileUtils.h"
#include "StringUtils.h"
#include "YKErrorManager.h"
#include "YKUtils.h"

SettingsStore& SettingsStore::ForPath(const std::string& path) {
  static std::mutex lock;
  static std::map<std::string, std::unique_ptr<SettingsStore>> stores;
  std::lock_guard<std::mutex> hold(lock);
  auto& store = stores[path];
  if (!store) store.reset(new SettingsStore(path));
  return *store;
}

std::string SettingsStore::SettingsFilePath() {
  const std::string configured = GetEnvironmentText("QUORLO_INI");
  if (!configured.empty()) return configured;
  return IncludeTrailingBackslash(GetEnvironmentText("APPDATA")) + YKGetAppName() + "\\" + YKGetAppName() + ".ini";
}

static unsigned long long FileStamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32 |
          data.ftLastWriteTime.dwLowDateTime) ^ data.nFileSizeLow;
}

void SettingsStore::Refresh() {
  const unsigned long long stamp = FileStamp(FPath);
  if (stamp == FStamp) return;
  FStamp = stamp;
  std::string content;
  if (stamp != 0) {
    if (!ReadFileBytes(FPath, content))
      GetYKErrorManager().Error("Unable to read the settings file " + FPath + ": " + GetLastErrorDescription(GetLastError()),
                                "SettingsStore", __LINE__);
  } else if (FPath == SettingsFilePath()) {
    ReadFileBytes(YKGetAppPath() + YKGetAppName() + ".ini", content);  // the shipped defaults, if any
  }
  FDocument = IniDocument::Parse(content);
}

bool SettingsStore::Save() {
  ForceDirectories(ExtractFilePath(FPath));
  const std::wstring target = Utf8ToWide(FPath);
  const std::wstring temp = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(GetCurrentThreadId());
  const std::string content = FDocument.Serialize();
  HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  bool ok = file != INVALID_HANDLE_VALUE &&
            WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
            written == content.size() && FlushFileBuffers(file);
  DWORD error = GetLastError();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (ok) {
    ok = MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    error = GetLastError();
  }
  if (!ok) {
    DeleteFileW(temp.c_str());
    FStamp = ~0ULL;  // re-read what is really on disk next time
    GetYKErrorManager().Error("Unable to save the settings file " + FPath + ": " + GetLastErrorDescription(error),
                              "SettingsStore", __LINE__);
    return false;
  }
  FStamp = FileStamp(FPath);
  return true;
}

bool SettingsStore::Read(const std::string& section, const std::string& key, std::string& value) {
  std::lock_guard<std::mutex> hold(FLock);
  Refresh();
  const std::string* found = FDocument.Find(section, key);
  if (found) value = *found;
  return found != nullptr;
}

std::vector<std::string> SettingsStore::Keys(const std::string& section) {
  std::lock_guard<std::mutex> hold(FLock);
  Refresh();
  return FDocument.Keys(section);
}

bool SettingsStore::Write(const std::string& section, const std::string& key, const std::string& value) {
  std::lock_guard<std::mutex> hold(FLock);
  Refresh();
  FDocument.Set(section, key, value);
  return Save();
}
