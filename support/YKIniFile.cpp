#include "YKIniFile.h"

#include "SettingsStore.h"
#include "StringUtils.h"
#include "TStrings.h"

static std::string SectionName(const std::string& group, const std::string& section) {
  return group.empty() ? section : group + "\\" + section;
}

TYKIniFile::TYKIniFile(const std::string& fileName)
    : FFileName(fileName.empty() ? SettingsStore::SettingsFilePath() : fileName) {}

std::string TYKIniFile::YKReadStringF(const std::string& key, const std::string& defaultValue, const std::string& group,
                                      const std::string& section) {
  std::string value;
  return SettingsStore::ForPath(FFileName).Read(SectionName(group, section), key, value) ? value : defaultValue;
}

int TYKIniFile::YKReadIntegerF(const std::string& key, int defaultValue, const std::string& group,
                               const std::string& section) {
  return TryStrToInt(YKReadStringF(key, "", group, section)).value_or(defaultValue);
}

bool TYKIniFile::YKReadBoolF(const std::string& key, bool defaultValue, const std::string& group,
                             const std::string& section) {
  const std::string text = Trim(YKReadStringF(key, "", group, section));
  if (SameText(text, "true") || SameText(text, "yes")) return true;
  if (SameText(text, "false") || SameText(text, "no")) return false;
  const auto number = TryStrToInt(text);
  return number ? *number != 0 : defaultValue;
}

bool TYKIniFile::WriteStringF(const std::string& key, const std::string& value, const std::string& group,
                              const std::string& section) {
  return SettingsStore::ForPath(FFileName).Write(SectionName(group, section), key, value);
}

bool TYKIniFile::WriteIntegerF(const std::string& key, int value, const std::string& group, const std::string& section) {
  return WriteStringF(key, std::to_string(value), group, section);
}

bool TYKIniFile::WriteBoolF(const std::string& key, bool value, const std::string& group, const std::string& section) {
  return WriteStringF(key, value ? "1" : "0", group, section);
}

void TYKIniFile::GetValueNamesF(TStrings* list, const std::string& group, const std::string& section) {
  list->Clear();
  for (const std::string& key : SettingsStore::ForPath(FFileName).Keys(SectionName(group, section))) list->Add(key);
}

bool TYKIniFile::ValueExistsF(const std::string& key, const std::string& group, const std::string& section) {
  std::string value;
  return SettingsStore::ForPath(FFileName).Read(SectionName(group, section), key, value);
}
