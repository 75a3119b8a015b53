#include "QXApplication.h"

#include <windows.h>

#include "FileUtils.h"
#include "IniDocument.h"
#include "StringUtils.h"
#include "YKIniFile.h"
#include "YKResourceManager.h"

const char* const TQXApplication::BuiltInLanguageName = "简体中文";

static const char* const LanguageSection = "Language";
static const char* const LanguageKey = "Current";

TQXApplication* GetQXApplication() {
  static TQXApplication application;
  return &application;
}

void TQXApplication::SetBuildData(const std::string& version, const std::string& build, const std::string& buildDate) {
  FVersion = version;
  FBuild = build;
  FBuildDate = buildDate;
}

std::vector<TQXApplication::Language> TQXApplication::Languages() {
  std::vector<Language> languages{{BuiltInLanguageName, ""}};
  const std::string folder = TYKResourceManager::LanguageFolder();
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Utf8ToWide(folder + "*.ini").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return languages;
  do {
    const std::string file = WideToUtf8(found.cFileName);
    const std::string resource = file.substr(0, file.size() - 4);
    std::string content;
    ReadFileBytes(folder + file, content);
    const std::string* name = IniDocument::Parse(content).Find(LanguageSection, "Name");
    languages.push_back({name && !name->empty() ? *name : resource, resource});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return languages;
}

std::vector<std::string> TQXApplication::LanguageNames() const {
  std::vector<std::string> names;
  for (const Language& language : Languages()) names.push_back(language.Name);
  return names;
}

std::string TQXApplication::LanguageResourceName() const { return GetResourceManager().LanguageResource(); }

std::string TQXApplication::CurrentLanguage() const {
  const std::string resource = LanguageResourceName();
  for (const Language& language : Languages())
    if (SameText(language.Resource, resource)) return language.Name;
  return BuiltInLanguageName;
}

bool TQXApplication::SetCurrentLanguage(const std::string& name) {
  for (const Language& language : Languages()) {
    if (language.Name != name) continue;
    if (!GetResourceManager().LoadLanguage(language.Resource)) return false;
    TYKIniFile("").WriteStringF(LanguageKey, language.Resource, "", LanguageSection);
    return true;
  }
  return false;
}

void TQXApplication::LoadSavedLanguage() {
  GetResourceManager().LoadLanguage(TYKIniFile("").YKReadStringF(LanguageKey, "", "", LanguageSection));
}
