#pragma once

#include <string>
#include <vector>

// The text of an INI file in memory: sections and keys in file order, comments kept.
// Names compare without regard to ASCII case. Values that would not survive a plain
// "key=value" line (surrounding blanks, line breaks, a leading quote) are written quoted with
// backslash escapes, so every text round-trips.
class IniDocument {
 public:
  static IniDocument Parse(const std::string& utf8);
  std::string Serialize() const;

  const std::string* Find(const std::string& section, const std::string& key) const;
  void Set(const std::string& section, const std::string& key, const std::string& value);
  std::vector<std::string> Keys(const std::string& section) const;

 private:
  struct Line {
    std::string key;    // empty for a comment or blank line
    std::string value;  // the value, or the raw comment text
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
  };
  const Section* FindSection(const std::string& name) const;

  std::vector<Section> FSections;  // the first one, nameless, holds what precedes any header
};
