#include "TStringList.h"

#include "Exception.h"

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TStringList::Strings(int index) const {
  CheckIndex(index);
  return FItems[index].first;
}

TObject* TStringList::Objects(int index) const {
  CheckIndex(index);
  return FItems[index].second;
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  FItems[index].second = object;
}

int TStringList::AddObject(const std::string& text, TObject* object) {
  FItems.emplace_back(text, object);
  return Count() - 1;
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  FItems.erase(FItems.begin() + index);
}
