// Components: named objects owned by another component (a form owns its controls) and freed
// with it, loaded from the stored layout.
#pragma once
#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Layout.h"

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

enum TComponentStateFlag : unsigned {
  csLoading = 1u << 0,     // being read from the layout; cleared by Loaded
  csReading = 1u << 1,     // its properties are being read
  csDestroying = 1u << 2,  // being destroyed
  csDesigning = 1u << 3,   // never set in this program; kept for components that test it
};

class TComponent;

// What the layout reader offers a component while it reads its properties: the root
// component's published methods (event handlers named in the layout).
class TLayoutContext {
 public:
  virtual ~TLayoutContext() = default;
  // The published method of that name; throws ELayoutError when there is none.
  virtual const std::any& Method(const std::wstring& name) const = 0;

  template <typename Event>
  Event MethodAs(const std::wstring& name) const {
    const Event* e = std::any_cast<Event>(&Method(name));
    if (!e) throw ELayoutError("method has the wrong signature for this event");
    return *e;
  }
};

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return int(owned_.size()); }
  TComponent* Components(int i) const { return owned_.at(std::size_t(i)).get(); }
  TComponent* FindComponent(const std::string& name) const;

  // A number free for the program's own use: the framework never reads it (forms made for the
  // skin engine's own purposes carry 256 so that its window-creation hook leaves them alone).
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  unsigned ComponentState() const { return state_; }
  bool Loading() const { return state_ & csLoading; }
  bool Destroying() const { return state_ & csDestroying; }
  void SetComponentState(unsigned flags) { state_ |= flags; }
  void ClearComponentState(unsigned flags) { state_ &= ~flags; }

  // Reads true while the component lives and false once it is gone. Code that calls out (a menu,
  // an event handler) and touches the component afterwards keeps one across the call: the call
  // may have freed the component, and then only the token may be read.
  std::shared_ptr<const bool> Liveness();

  // Called once after the whole layout has been read, in creation order.
  virtual void Loaded();
  // Sets one stored property (names may be dotted: "Font.Name"). Returns false when the name is
  // not a property of this class, so that the reader can report it.
  virtual bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx);
  // The layout reader tells a component which object encloses it (a control's parent).
  virtual void SetParentComponent(TComponent* parent) {}

 protected:
  // Frees every owned component, newest first. Derived destructors call it while their own
  // parts (window handles) are still alive.
  void DestroyComponents();

 private:
  void Remove(TComponent* c);

  std::string name_;
  TComponent* owner_;
  std::vector<std::unique_ptr<TComponent>> owned_;
  unsigned state_ = 0;
  std::intptr_t tag_ = 0;
  std::shared_ptr<bool> alive_;  // made on the first Liveness call
};
