#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "SabrunApi.h"

SABRUN_API std::string YKGetAppName();        // the program's file name without extension
SABRUN_API std::string YKGetAppPath();        // the program's folder, with a trailing backslash
SABRUN_API std::string YKGetSystemTempPath();  // with a trailing backslash
SABRUN_API std::string QXExpandEnvironmentVariables(const std::string& text);  // %NAME% references

SABRUN_API bool YKIsInt(const std::string& text);
SABRUN_API int VariantToInt(const VARIANT& value, int defaultValue = 0);
// A date in the user's short date format, as an OLE date; false when the text is not one.
SABRUN_API bool YKShortDateFmtToDate(const std::string& text, DATE& date);

// With QUORLO_HEADLESS set (unattended runs) the text is logged and IDOK returned.
SABRUN_API int YKMessageBoxError(const std::string& text, const std::string& caption, UINT flags);

// Bytes as text, two hexadecimal digits each, and back: lossless, safe to store in an INI file.
SABRUN_API std::string YKConvertToChar(const void* bytes, int count);
// Fills at most count bytes from the text; returns how many were converted (stops at bad digits).
SABRUN_API int YKConvertToByte(const std::string& text, void* bytes, int count);

SABRUN_API std::string GetLastErrorDescription(DWORD code);
