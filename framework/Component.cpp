#include "framework/Component.h"

#include <algorithm>

#include "framework/Utf.h"

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->owned_.emplace_back(this);
}

TComponent::~TComponent() {
  state_ |= csDestroying;
  DestroyComponents();
  if (owner_) owner_->Remove(this);
  if (alive_) *alive_ = false;
}

std::shared_ptr<const bool> TComponent::Liveness() {
  if (!alive_) alive_ = std::make_shared<bool>(true);
  return alive_;
}

void TComponent::DestroyComponents() {
  while (!owned_.empty()) {
    // The child removes itself from owned_ in its destructor; release it first so that the
    // vector never deletes it a second time.
    TComponent* c = owned_.back().release();
    owned_.pop_back();
    c->owner_ = nullptr;
    delete c;
  }
}

void TComponent::Remove(TComponent* c) {
  auto it = std::find_if(owned_.begin(), owned_.end(), [c](const auto& p) { return p.get() == c; });
  if (it != owned_.end()) {
    it->release();
    owned_.erase(it);
  }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (const auto& c : owned_)
    if (c->name_ == name) return c.get();
  return nullptr;
}

void TComponent::Loaded() { state_ &= ~csLoading; }

bool TComponent::SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext&) {
  if (name == "Name") {
    name_ = WideToUtf8(value.AsString());
    return true;
  }
  if (name == "Tag") {
    tag_ = std::intptr_t(value.AsInteger());
    return true;
  }
  return false;
}
