#pragma once

#include <windows.h>

#include <string>

// This library's module handle and the name it looks its texts up under.
HINSTANCE TindrelInstance();
std::string TindrelModuleName();
