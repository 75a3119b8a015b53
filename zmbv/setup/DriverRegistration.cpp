#include "DriverRegistration.h"

#include <windows.h>

namespace DriverRegistration {

static const wchar_t Key[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32";
static const wchar_t Value[] = L"vidc.ZMBV";

long Install(const std::wstring& dllPath) {
  HKEY key = nullptr;
  LONG result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, Key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) return result;
  result = RegSetValueExW(key, Value, 0, REG_SZ, reinterpret_cast<const BYTE*>(dllPath.c_str()),
                          static_cast<DWORD>((dllPath.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return result;
}

long Uninstall() {
  HKEY key = nullptr;
  LONG result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, Key, 0, KEY_SET_VALUE, &key);
  if (result == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (result != ERROR_SUCCESS) return result;
  result = RegDeleteValueW(key, Value);
  RegCloseKey(key);
  return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

std::wstring Installed() {
  wchar_t path[MAX_PATH] = {};
  DWORD size = sizeof path - sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, Key, Value, RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS) return {};
  return path;
}

}  // namespace DriverRegistration
