// The skin engine's own helper windows (glow windows, animation covers): forms tagged
// kHelperFormTag, which the window-creation hook and form skinning leave alone, and the flag
// under which the engine destroys them without the hook taking notice.
#pragma once
#include <cstdint>

class TComponent;

inline constexpr std::intptr_t kHelperFormTag = 256;

// A component the engine made for itself (Tag 256).
bool IsHelperForm(const TComponent* c);

// While one of these lives, the window-creation hook ignores window destructions: the engine is
// taking down a window of its own, which nothing else must react to. Nests.
class TIgnoreWindowDestructions {
 public:
  TIgnoreWindowDestructions();
  ~TIgnoreWindowDestructions();
  TIgnoreWindowDestructions(const TIgnoreWindowDestructions&) = delete;
  TIgnoreWindowDestructions& operator=(const TIgnoreWindowDestructions&) = delete;
};
bool WindowDestructionsIgnored();
