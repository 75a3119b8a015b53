#pragma once

#include <string>

#include "SabrunApi.h"

class TStrings;

// Access to an INI file, usually the application's settings file (empty file name). Every
// call names the key, a group (normally empty; otherwise "group\section" is used) and the
// section. Values that cannot be read as the asked type give the default.
class SABRUN_API TYKIniFile {
 public:
  explicit TYKIniFile(const std::string& fileName);

  bool YKReadBoolF(const std::string& key, bool defaultValue, const std::string& group, const std::string& section);
  int YKReadIntegerF(const std::string& key, int defaultValue, const std::string& group, const std::string& section);
  std::string YKReadStringF(const std::string& key, const std::string& defaultValue, const std::string& group,
                            const std::string& section);

  bool WriteBoolF(const std::string& key, bool value, const std::string& group, const std::string& section);
  bool WriteIntegerF(const std::string& key, int value, const std::string& group, const std::string& section);
  bool WriteStringF(const std::string& key, const std::string& value, const std::string& group,
                    const std::string& section);

  void GetValueNamesF(TStrings* list, const std::string& group, const std::string& section);
  bool ValueExistsF(const std::string& key, const std::string& group, const std::string& section);

  const std::string& FileName() const { return FFileName; }

 private:
  std::string FFileName;
};
