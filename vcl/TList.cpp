#include "TList.h"

#include <algorithm>
#include <string>

#include "Exception.h"

void TList::CheckIndex(int index, int limit) const {
  if (index < 0 || index > limit) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TList::Add(void* item) {
  FItems.push_back(item);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  CheckIndex(index, Count());
  FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index) {
  CheckIndex(index, Count() - 1);
  FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

int TList::IndexOf(void* item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Clear() { FItems.clear(); }

void* TList::Items(int index) const {
  CheckIndex(index, Count() - 1);
  return FItems[index];
}
