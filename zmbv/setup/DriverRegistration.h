#pragma once

#include <string>

// The system-wide registration of the ZMBV driver: the value "vidc.ZMBV" under Drivers32, which
// every Video for Windows program consults. A process sees the registry view of its own
// bitness, which is the view of players that can load a DLL of that bitness.
namespace DriverRegistration {

// Windows error codes; administrator rights are needed.
long Install(const std::wstring& dllPath);
long Uninstall();
std::wstring Installed();  // the registered path, empty when none

}  // namespace DriverRegistration
