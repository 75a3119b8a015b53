// ZmbvSetup install|uninstall|status: makes the Zmbv.dll beside this program the ZMBV codec of
// every Video for Windows program on the machine, or removes it again.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "DriverRegistration.h"

static std::wstring DllBesideProgram() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"Zmbv.dll";
}

static int Report(long error, const char* done) {
  if (error == ERROR_SUCCESS) {
    std::printf("%s\n", done);
    return 0;
  }
  std::printf("failed (Windows error %ld)%s\n", error, error == ERROR_ACCESS_DENIED ? ": run as administrator" : "");
  return 1;
}

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring command = argc == 2 ? argv[1] : L"";
  LocalFree(argv);
  if (command == L"install") {
    const std::wstring dll = DllBesideProgram();
    if (GetFileAttributesW(dll.c_str()) == INVALID_FILE_ATTRIBUTES) {
      std::printf("Zmbv.dll is not beside ZmbvSetup.exe\n");
      return 1;
    }
    return Report(DriverRegistration::Install(dll), "ZMBV codec installed");
  }
  if (command == L"uninstall") return Report(DriverRegistration::Uninstall(), "ZMBV codec removed");
  if (command == L"status") {
    const std::wstring path = DriverRegistration::Installed();
    std::printf("%ls\n", path.empty() ? L"not installed" : path.c_str());
    return path.empty() ? 1 : 0;
  }
  std::printf("usage: ZmbvSetup install|uninstall|status\n");
  return 2;
}
