#pragma once

#include <vector>

#include "TObject.h"

// A list of untyped pointers; the list owns none of them.
class VCL_API TList : public TObject {
 public:
  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  int Remove(void* item);
  int IndexOf(void* item) const;
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  void* Items(int index) const;

 private:
  void CheckIndex(int index, int limit) const;
  std::vector<void*> FItems;
};
