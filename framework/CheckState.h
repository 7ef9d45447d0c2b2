// The three states of a check box and the framework's rules for changing them: the toggle of a
// click and the state a check-state message asks for.
#pragma once
#include <cstdint>

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A click: unchecked becomes grayed when grayed is allowed and checked otherwise; checked becomes
// unchecked; grayed becomes checked.
constexpr TCheckBoxState ToggledState(TCheckBoxState s, bool allowGrayed) {
  switch (s) {
    case TCheckBoxState::cbUnchecked:
      return allowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked;
    case TCheckBoxState::cbChecked:
      return TCheckBoxState::cbUnchecked;
    case TCheckBoxState::cbGrayed:
      return TCheckBoxState::cbChecked;
  }
  return TCheckBoxState::cbUnchecked;
}

// The state a check-state message's argument names: 0 unchecked, 1 checked, 2 and above grayed,
// as the platform's three-state button takes it (the argument may come from any process).
constexpr TCheckBoxState CheckStateFromArgument(std::uintptr_t argument) {
  return argument == 0 ? TCheckBoxState::cbUnchecked
                       : argument == 1 ? TCheckBoxState::cbChecked : TCheckBoxState::cbGrayed;
}
