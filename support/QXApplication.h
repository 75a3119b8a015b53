#pragma once

#include <string>
#include <vector>

#include "SabrunApi.h"

// What the program tells about itself, and the language it runs in.
class SABRUN_API TQXApplication {
 public:
  static const char* const BuiltInLanguageName;

  std::string Version() const { return FVersion; }
  std::string Build() const { return FBuild; }
  std::string BuildDate() const { return FBuildDate; }
  void SetBuildData(const std::string& version, const std::string& build, const std::string& buildDate);

  // The built-in language first, then one per language file found, by display name.
  std::vector<std::string> LanguageNames() const;
  std::string CurrentLanguage() const;
  // Loads the language and remembers it in the settings; false for an unknown name.
  bool SetCurrentLanguage(const std::string& name);
  std::string LanguageResourceName() const;
  // Loads the language that the settings remember (at start-up).
  void LoadSavedLanguage();

 private:
  struct Language {
    std::string Name, Resource;
  };
  static std::vector<Language> Languages();

  std::string FVersion = "1.0", FBuild = "1", FBuildDate;
};

SABRUN_API TQXApplication* GetQXApplication();
