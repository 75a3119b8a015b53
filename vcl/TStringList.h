#pragma once

#include <utility>
#include <vector>

#include "TStrings.h"

// The plain in-memory string list; it does not own the objects in its slots.
class VCL_API TStringList : public TStrings {
 public:
  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Strings(int index) const override;
  TObject* Objects(int index) const override;
  void PutObject(int index, TObject* object) override;
  int AddObject(const std::string& text, TObject* object) override;
  void Delete(int index) override;
  void Clear() override { FItems.clear(); }

 private:
  void CheckIndex(int index) const;
  std::vector<std::pair<std::string, TObject*>> FItems;
};
