#include "TStrings.h"

#include "StringUtils.h"

int TStrings::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Strings(i), text)) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (Objects(i) == object) return i;
  return -1;
}
