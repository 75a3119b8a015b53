#include "TComponent.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
  if (FOwner) FOwner->FComponents.push_back(this);
}

TComponent::~TComponent() {
  while (!FComponents.empty()) delete FComponents.back();  // each one unlinks itself
  if (FOwner) {
    auto& siblings = FOwner->FComponents;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}
