#include "framework/LayoutReader.h"

#include <vector>

#include "framework/Utf.h"

const std::any& TPublishedMethods::Method(const std::wstring& name) const {
  auto it = methods_.find(WideToUtf8(name));
  if (it == methods_.end()) throw ELayoutError("no published method " + WideToUtf8(name));
  return it->second;
}

const TComponentFactory* TClassRegistry::Find(const std::string& className) const {
  auto it = factories_.find(className);
  return it == factories_.end() ? nullptr : &it->second;
}

namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
  throw ELayoutError("Layout line " + std::to_string(line) + ": " + what);
}

void ReadProperties(TComponent& c, const TLayoutObject& layout, const TLayoutContext& ctx) {
  for (const auto& p : layout.properties) {
    bool known;
    try {
      known = c.SetProperty(p.name, p.value, ctx);
    } catch (const ELayoutError& e) {
      Fail(p.line, layout.name + "." + p.name + ": " + e.what());
    }
    if (!known) Fail(p.line, "unknown property " + layout.className + "." + p.name);
  }
}

void ReadChildren(TComponent& root, TComponent& parent, const TLayoutObject& layout, const TClassRegistry& classes,
                  const TLayoutContext& ctx, std::vector<TComponent*>& created) {
  for (const auto& child : layout.children) {
    const TComponentFactory* factory = classes.Find(child.className);
    if (!factory) Fail(child.line, "unknown class " + child.className);
    TComponent* c = (*factory)(&root);
    created.push_back(c);
    c->SetComponentState(csLoading | csReading);
    c->SetName(child.name);
    c->SetParentComponent(&parent);
    ReadProperties(*c, child, ctx);
    c->ClearComponentState(csReading);
    ReadChildren(root, *c, child, classes, ctx, created);
  }
}

}  // namespace

void ReadComponent(TComponent& root, const TLayoutObject& layout, const TClassRegistry& classes, const TLayoutContext& ctx) {
  std::vector<TComponent*> created{&root};
  root.SetComponentState(csLoading | csReading);
  root.SetName(layout.name);
  ReadProperties(root, layout, ctx);
  root.ClearComponentState(csReading);
  ReadChildren(root, root, layout, classes, ctx, created);
  for (TComponent* c : created) c->Loaded();
}
