#include "YKUtils.h"

#include <oleauto.h>

#include "FileUtils.h"
#include "StringUtils.h"
#include "YKErrorManager.h"

static std::string ModuleFileName() {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return WideToUtf8(std::wstring(path, n));
}

std::string YKGetAppName() {
  const std::string name = ExtractFileName(ModuleFileName());
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string YKGetAppPath() { return ExtractFilePath(ModuleFileName()); }

std::string YKGetSystemTempPath() {
  wchar_t path[MAX_PATH + 1];
  const DWORD n = GetTempPathW(static_cast<DWORD>(std::size(path)), path);
  return IncludeTrailingBackslash(WideToUtf8(std::wstring(path, n)));
}

std::string QXExpandEnvironmentVariables(const std::string& text) {
  const std::wstring source = Utf8ToWide(text);
  const DWORD n = ExpandEnvironmentStringsW(source.c_str(), nullptr, 0);
  if (n == 0) return text;
  std::wstring expanded(n, L'\0');
  ExpandEnvironmentStringsW(source.c_str(), expanded.data(), n);
  expanded.resize(n - 1);
  return WideToUtf8(expanded);
}

bool YKIsInt(const std::string& text) { return TryStrToInt(text).has_value(); }

int VariantToInt(const VARIANT& value, int defaultValue) {
  VARIANT converted;
  VariantInit(&converted);
  const bool ok = SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, VT_I4));
  const int result = ok ? converted.lVal : defaultValue;
  VariantClear(&converted);
  return result;
}

bool YKShortDateFmtToDate(const std::string& text, DATE& date) {
  std::wstring wide = Utf8ToWide(text);
  return SUCCEEDED(VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY, &date));
}

int YKMessageBoxError(const std::string& text, const std::string& caption, UINT flags) {
  if (!GetEnvironmentText("QUORLO_HEADLESS").empty()) {
    GetYKErrorManager().Error("[" + caption + "] " + text, "MessageBox", 0);
    return IDOK;
  }
  return MessageBoxW(GetActiveWindow(), Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), flags | MB_ICONERROR);
}

std::string YKConvertToChar(const void* bytes, int count) {
  static const char digits[] = "0123456789ABCDEF";
  const auto* p = static_cast<const unsigned char*>(bytes);
  std::string text;
  text.reserve(count * 2);
  for (int i = 0; i < count; ++i) {
    text += digits[p[i] >> 4];
    text += digits[p[i] & 15];
  }
  return text;
}

static int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int YKConvertToByte(const std::string& text, void* bytes, int count) {
  auto* p = static_cast<unsigned char*>(bytes);
  int converted = 0;
  for (; converted < count && 2 * converted + 1 < static_cast<int>(text.size()); ++converted) {
    const int high = HexDigit(text[2 * converted]), low = HexDigit(text[2 * converted + 1]);
    if (high < 0 || low < 0) break;
    p[converted] = static_cast<unsigned char>(high << 4 | low);
  }
  return converted;
}

std::string GetLastErrorDescription(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n ? std::wstring(buffer, n) : L"";
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text.empty() ? "System error " + std::to_string(code) : WideToUtf8(text);
}
