// Creates components from a parsed layout: each object's class is looked up by name, created
// with the root as owner and the enclosing object as parent, and given its properties in stored
// order; when everything has been read, every component's Loaded runs in creation order.
#pragma once
#include <any>
#include <functional>
#include <map>
#include <string>

#include "framework/Component.h"
#include "framework/Layout.h"

// The event handlers a root component publishes for its layout, by name.
class TPublishedMethods : public TLayoutContext {
 public:
  void Publish(const std::string& name, std::any method) { methods_[name] = std::move(method); }
  // Throws ELayoutError "no published method NAME" when there is none.
  const std::any& Method(const std::wstring& name) const override;

 private:
  std::map<std::string, std::any> methods_;
};

using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

class TClassRegistry {
 public:
  void Register(const std::string& className, TComponentFactory factory) { factories_[className] = std::move(factory); }
  template <typename T>
  void Register(const std::string& className) {
    Register(className, [](TComponent* owner) -> TComponent* { return new T(owner); });
  }
  const TComponentFactory* Find(const std::string& className) const;

 private:
  std::map<std::string, TComponentFactory> factories_;
};

// Reads layout onto root (whose class must match the layout's root object). Methods named by
// event properties are looked up in ctx. Unknown classes and properties are errors: a layout
// that the program cannot fully honour must not start half-built.
void ReadComponent(TComponent& root, const TLayoutObject& layout, const TClassRegistry& classes, const TLayoutContext& ctx);
