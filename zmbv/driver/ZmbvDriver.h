#pragma once

#include <windows.h>

#ifdef ZMBV_BUILD
#define ZMBV_API __declspec(dllexport)
#else
#define ZMBV_API __declspec(dllimport)
#endif

// The entry point of the ZMBV Video for Windows driver, under the name every installable
// driver exports, so that Zmbv.dll also serves programs that find it in the registry.
extern "C" ZMBV_API LRESULT CALLBACK DriverProc(DWORD_PTR driverId, HDRVR driver, UINT message, LPARAM param1,
                                                LPARAM param2);
