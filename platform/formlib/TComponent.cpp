#include <formlib/TComponent.h>

#include <algorithm>

namespace formlib {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_)
    owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (!owner_)
    return;
  auto& siblings = owner_->components_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    last->owner_ = nullptr;
    components_.pop_back();
    delete last;
  }
}

} // namespace formlib
