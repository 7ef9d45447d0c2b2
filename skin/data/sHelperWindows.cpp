#include "skin/data/sHelperWindows.h"

#include "framework/Component.h"

namespace {
// A depth, not a flag: a helper destroyed while another one is being destroyed must not end the
// outer one's scope. User-interface thread only.
int gIgnoreDestructions = 0;
}  // namespace

bool IsHelperForm(const TComponent* c) { return c && c->Tag() == kHelperFormTag; }

TIgnoreWindowDestructions::TIgnoreWindowDestructions() { ++gIgnoreDestructions; }
TIgnoreWindowDestructions::~TIgnoreWindowDestructions() { --gIgnoreDestructions; }
bool WindowDestructionsIgnored() { return gIgnoreDestructions > 0; }
