#include "IniDocument.h"

#include "StringUtils.h"

static std::string Unquote(const std::string& text) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return text;
  std::string out;
  for (size_t i = 1; i + 1 < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 2 < text.size()) {
      c = text[++i];
      if (c == 'n') c = '\n';
      else if (c == 'r') c = '\r';
      else if (c == 't') c = '\t';
    }
    out += c;
  }
  return out;
}

static bool NeedsQuotes(const std::string& value) {
  if (value.empty()) return false;
  return value.front() == ' ' || value.front() == '\t' || value.back() == ' ' || value.back() == '\t' ||
         value.front() == '"' || value.find_first_of("\r\n") != std::string::npos;
}

static std::string Quote(const std::string& value) {
  if (!NeedsQuotes(value)) return value;
  std::string out = "\"";
  for (char c : value) {
    if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (c == '\\' || c == '"') (out += '\\') += c;
    else out += c;
  }
  return out + '"';
}

IniDocument IniDocument::Parse(const std::string& utf8) {
  IniDocument doc;
  doc.FSections.push_back({});
  size_t pos = utf8.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (pos < utf8.size()) {
    size_t end = utf8.find('\n', pos);
    if (end == std::string::npos) end = utf8.size();
    std::string line = utf8.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();

    const std::string trimmed = Trim(line);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      doc.FSections.push_back({Trim(trimmed.substr(1, trimmed.size() - 2)), {}});
      continue;
    }
    const size_t eq = line.find('=');
    const bool comment = trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#';
    if (comment || eq == std::string::npos || Trim(line.substr(0, eq)).empty())
      doc.FSections.back().lines.push_back({"", line});
    else
      doc.FSections.back().lines.push_back({Trim(line.substr(0, eq)), Unquote(Trim(line.substr(eq + 1)))});
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const Section& section : FSections) {
    if (!section.name.empty()) out += "[" + section.name + "]\r\n";
    for (const Line& line : section.lines)
      out += (line.key.empty() ? line.value : line.key + "=" + Quote(line.value)) + "\r\n";
  }
  return out;
}

const IniDocument::Section* IniDocument::FindSection(const std::string& name) const {
  for (const Section& section : FSections)
    if (!section.name.empty() && SameText(section.name, name)) return &section;
  return nullptr;
}

const std::string* IniDocument::Find(const std::string& section, const std::string& key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  for (const Line& line : s->lines)
    if (!line.key.empty() && SameText(line.key, key)) return &line.value;
  return nullptr;
}

void IniDocument::Set(const std::string& section, const std::string& key, const std::string& value) {
  Section* s = const_cast<Section*>(FindSection(section));
  if (!s) {
    FSections.push_back({section, {}});
    s = &FSections.back();
  }
  for (Line& line : s->lines)
    if (!line.key.empty() && SameText(line.key, key)) {
      line.value = value;
      return;
    }
  // New keys go after the section's last key, ahead of trailing blank lines.
  auto at = s->lines.end();
  while (at != s->lines.begin() && (at - 1)->key.empty() && Trim((at - 1)->value).empty()) --at;
  s->lines.insert(at, {key, value});
}

std::vector<std::string> IniDocument::Keys(const std::string& section) const {
  std::vector<std::string> keys;
  if (const Section* s = FindSection(section))
    for (const Line& line : s->lines)
      if (!line.key.empty()) keys.push_back(line.key);
  return keys;
}
