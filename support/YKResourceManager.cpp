#include "YKResourceManager.h"

#include "FileUtils.h"
#include "StringUtils.h"
#include "YKUtils.h"

TYKResourceManager& GetResourceManager() {
  static TYKResourceManager manager;
  return manager;
}

std::string TYKResourceManager::GetDefaultModuleName(HINSTANCE module) {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(module, path, static_cast<DWORD>(std::size(path)));
  const std::string name = ExtractFileName(WideToUtf8(std::wstring(path, n)));
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string TYKResourceManager::LanguageFolder() { return YKGetAppPath() + "Languages\\"; }

std::string TYKResourceManager::GetString(const std::string& module, const std::string& key,
                                          const std::string& defaultText) const {
  std::lock_guard<std::mutex> hold(FLock);
  const std::string* text = FTexts.Find(module, key);
  return text ? *text : defaultText;
}

bool TYKResourceManager::LoadLanguage(const std::string& resourceName) {
  std::string content;
  const bool ok = resourceName.empty() || ReadFileBytes(LanguageFolder() + resourceName + ".ini", content);
  std::lock_guard<std::mutex> hold(FLock);
  FResource = ok ? resourceName : std::string();
  FTexts = IniDocument::Parse(ok ? content : std::string());
  return ok;
}

std::string TYKResourceManager::LanguageResource() const {
  std::lock_guard<std::mutex> hold(FLock);
  return FResource;
}
