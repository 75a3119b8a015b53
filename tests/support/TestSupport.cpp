#include "TestSupport.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <atomic>

#include "FileUtils.h"
#include "StringUtils.h"
#include "YKUtils.h"

static void RemoveTree(const std::string& folder) {
  std::wstring from = Utf8ToWide(folder);
  while (!from.empty() && from.back() == L'\\') from.pop_back();
  from.push_back(L'\0');  // the list ends with two zeros
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  FPath = YKGetSystemTempPath() + "quorlo-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(counter++) + "\\";
  ForceDirectories(FPath);
}

TempFolder::~TempFolder() { RemoveTree(FPath); }

ScopedSettingsFile::ScopedSettingsFile() : FFile(FFolder.Path() + "settings.ini") { SetEnv("QUORLO_INI", FFile); }

void SetEnv(const std::string& name, const std::string& value) {
  SetEnvironmentVariableW(Utf8ToWide(name).c_str(), value.empty() ? nullptr : Utf8ToWide(value).c_str());
}

std::string ReadTextFile(const std::string& path) {
  std::string content;
  ReadFileBytes(path, content);
  return content;
}

void WriteTextFile(const std::string& path, const std::string& content) {
  HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

std::string BinFolder() { return YKGetAppPath(); }

void RequireDisplay() {
  ASSERT_FALSE(GetEnvironmentText("DISPLAY").empty()) << "this test needs an X display (run it through scripts/test.sh)";
}
