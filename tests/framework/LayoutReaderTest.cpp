#include "framework/LayoutReader.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string>* events = nullptr;

class TNode : public TComponent {
 public:
  using TComponent::TComponent;
  TComponent* parent = nullptr;
  std::wstring text;
  TNotifyEvent onPing;
  bool loadingWhileReading = false;
  void SetParentComponent(TComponent* p) override { parent = p; }
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override {
    loadingWhileReading = Loading();
    events->push_back("set " + Name() + "." + name);
    if (name == "Text") text = v.AsString();
    else if (name == "OnPing") onPing = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
    else return TComponent::SetProperty(name, v, ctx);
    return true;
  }
  void Loaded() override {
    TComponent::Loaded();
    events->push_back("loaded " + Name());
  }
};


}  // namespace

// Children are created in stored order with the root as owner and the enclosing object as
// parent; every component's Loaded runs only after the whole layout was read.
TEST(LayoutReader, CreatesInOrderAndLoadsAfterReading) {
  std::vector<std::string> log;
  events = &log;
  TClassRegistry classes;
  classes.Register<TNode>("TNode");
  TPublishedMethods ctx;
  int pings = 0;
  ctx.Publish("Ping", TNotifyEvent([&](TObject*) { ++pings; }));
  TNode root(nullptr);
  ReadComponent(root,
                ParseLayout("object R: TNode\n Text = 'r'\n object A: TNode\n  OnPing = Ping\n  object B: TNode\n  Text = 'b'\n  end\n end\n"
                            " object C: TNode\n  Tag = 256\n end\nend"),
                classes, ctx);
  EXPECT_EQ(log, (std::vector<std::string>{"set R.Text", "set A.OnPing", "set B.Text", "set C.Tag", "loaded R", "loaded A", "loaded B", "loaded C"}));
  ASSERT_EQ(root.ComponentCount(), 3);
  auto* a = static_cast<TNode*>(root.Components(0));
  auto* b = static_cast<TNode*>(root.Components(1));
  EXPECT_EQ(a->Name(), "A");
  EXPECT_EQ(a->parent, &root);
  EXPECT_EQ(b->parent, a);
  EXPECT_EQ(b->Owner(), &root);
  EXPECT_TRUE(b->loadingWhileReading);
  EXPECT_FALSE(b->Loading());
  a->onPing(a);
  EXPECT_EQ(pings, 1);
  events = nullptr;
}

// A layout naming an unknown class, property or method is an error, not a silent gap.
TEST(LayoutReader, UnknownNamesAreErrors) {
  std::vector<std::string> log;
  events = &log;
  TClassRegistry classes;
  classes.Register<TNode>("TNode");
  TPublishedMethods ctx;
  {
    TNode root(nullptr);
    EXPECT_THROW(ReadComponent(root, ParseLayout("object R: TNode\n object A: TOther\n end\nend"), classes, ctx), ELayoutError);
  }
  {
    TNode root(nullptr);
    EXPECT_THROW(ReadComponent(root, ParseLayout("object R: TNode\n Bogus = 1\nend"), classes, ctx), ELayoutError);
  }
  {
    TNode root(nullptr);
    EXPECT_THROW(ReadComponent(root, ParseLayout("object R: TNode\n OnPing = Missing\nend"), classes, ctx), ELayoutError);
  }
  events = nullptr;
}

// Owned components are freed with their owner, and one freed alone leaves its owner's list.
TEST(Component, OwnershipFreesChildren) {
  struct TCounted : TComponent {
    int* alive;
    TCounted(TComponent* o, int* a) : TComponent(o), alive(a) { ++*alive; }
    ~TCounted() override { --*alive; }
  };
  int alive = 0;
  {
    TComponent root(nullptr);
    new TCounted(&root, &alive);
    auto* second = new TCounted(&root, &alive);
    new TCounted(second, &alive);
    EXPECT_EQ(alive, 3);
    delete second;
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(root.ComponentCount(), 1);
  }
  EXPECT_EQ(alive, 0);
}
