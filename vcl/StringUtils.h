#pragma once

#include <optional>
#include <string>

#include "VclApi.h"

// Text is UTF-8 inside the program; these convert at the Win32 boundary.
VCL_API std::wstring Utf8ToWide(const std::string& text);
VCL_API std::string WideToUtf8(const std::wstring& text);
VCL_API std::string WideToUtf8(const wchar_t* text);

VCL_API bool SameText(const std::string& a, const std::string& b);  // ASCII case-insensitive
VCL_API std::string Trim(const std::string& text);                   // blanks and tabs
// A whole decimal 32-bit integer with optional sign and surrounding blanks; nothing else.
VCL_API std::optional<int> TryStrToInt(const std::string& text);
