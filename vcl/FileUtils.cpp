#include "FileUtils.h"

#include <windows.h>

#include "StringUtils.h"

static DWORD Attributes(const std::string& path) { return GetFileAttributesW(Utf8ToWide(path).c_str()); }

bool FileExists(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

static std::string WithoutTrailingBackslash(std::string path) {
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

bool ForceDirectories(const std::string& path) {
  const std::string dir = WithoutTrailingBackslash(path);
  if (dir.empty()) return false;
  if (DirectoryExists(dir)) return true;
  const std::string parent = WithoutTrailingBackslash(ExtractFilePath(dir));
  if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
  return CreateDirectoryW(Utf8ToWide(dir).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool RemoveFile(const std::string& path) { return DeleteFileW(Utf8ToWide(path).c_str()) != 0; }

std::string ExtractFilePath(const std::string& path) {
  const auto slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileName(const std::string& path) {
  const auto slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string IncludeTrailingBackslash(const std::string& path) {
  return (!path.empty() && path.back() == '\\') ? path : path + '\\';
}

std::string GetEnvironmentText(const std::string& name) {
  const std::wstring wname = Utf8ToWide(name);
  const DWORD n = GetEnvironmentVariableW(wname.c_str(), nullptr, 0);
  if (n == 0) return {};
  std::wstring value(n, L'\0');
  value.resize(GetEnvironmentVariableW(wname.c_str(), value.data(), n));
  return WideToUtf8(value);
}

bool ReadFileBytes(const std::string& path, std::string& content) {
  HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  content.clear();
  char buffer[16384];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0) content.append(buffer, got);
  const DWORD error = GetLastError();
  CloseHandle(file);
  SetLastError(error);
  return ok;
}
