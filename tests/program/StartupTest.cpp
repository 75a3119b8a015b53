#include <windows.h>

#include <gtest/gtest.h>

#include "StringUtils.h"
#include "TestSupport.h"

TEST(Program, StartsShowsItsWindowAndExitsCleanly) {
  RequireDisplay();
  ScopedSettingsFile settings;
  std::wstring command = L"\"" + Utf8ToWide(BinFolder() + "Quorlo.exe") + L"\"";
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  HWND window = nullptr;
  for (int i = 0; i < 200 && !window; ++i) {
    Sleep(50);
    window = FindWindowW(L"TFrmMain", nullptr);
  }
  ASSERT_NE(window, nullptr) << "no main window appeared";
  EXPECT_TRUE(IsWindowVisible(window));
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}
