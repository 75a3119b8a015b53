#pragma once

#include <string>
#include <vector>

#include "TObject.h"

// A component owns the components created with it as their owner and deletes them, newest
// first, when it is deleted.
class VCL_API TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents[index]; }

  int Tag = 0;  // 1: left alone by form translation
  std::string Name;

 private:
  TComponent* FOwner;
  std::vector<TComponent*> FComponents;
};
