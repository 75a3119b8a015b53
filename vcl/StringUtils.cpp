#include "StringUtils.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>

std::wstring Utf8ToWide(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string WideToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::string WideToUtf8(const wchar_t* text) { return text ? WideToUtf8(std::wstring(text)) : std::string(); }

static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::optional<int> TryStrToInt(const std::string& text) {
  const std::string s = Trim(text);
  if (s.empty()) return std::nullopt;
  size_t digits = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  if (digits == s.size()) return std::nullopt;
  for (size_t i = digits; i < s.size(); ++i)
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
  errno = 0;
  const long long value = std::strtoll(s.c_str(), nullptr, 10);
  if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int>(value);
}
