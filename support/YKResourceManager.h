#pragma once

#include <windows.h>

#include <mutex>
#include <string>

#include "IniDocument.h"
#include "SabrunApi.h"

// Run-time texts by module and key. A language is a UTF-8 INI file "Languages\<resource>.ini"
// beside the program with one section per module; "[Language] Name=" gives its display name.
// A text missing from the language, or the built-in language (empty resource name), gives the
// default text passed by the caller.
class SABRUN_API TYKResourceManager {
 public:
  static std::string GetDefaultModuleName(HINSTANCE module);
  static std::string LanguageFolder();

  std::string GetString(const std::string& module, const std::string& key, const std::string& defaultText) const;
  // False, and the built-in language, when the file cannot be read.
  bool LoadLanguage(const std::string& resourceName);
  std::string LanguageResource() const;

 private:
  mutable std::mutex FLock;
  std::string FResource;
  IniDocument FTexts;
};

SABRUN_API TYKResourceManager& GetResourceManager();
