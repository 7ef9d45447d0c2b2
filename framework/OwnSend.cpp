#include "framework/OwnSend.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "framework/Messages.h"

namespace {

using TSend = std::tuple<UINT, WPARAM, LPARAM>;

// The sends of this thread now under way. A message that another process (or thread) sends or
// posts to our windows never appears here, whatever it claims in wParam and lParam.
thread_local std::vector<TSend> tPending;

}  // namespace

bool IsPrivateMessage(UINT msg) {
  return (msg >= FM_PRIVATE_FIRST && msg <= FM_PRIVATE_LAST) || (msg >= FN_BASE && msg <= FN_LAST);
}

TOwnSend::TOwnSend(UINT msg, WPARAM wParam, LPARAM lParam) { tPending.emplace_back(msg, wParam, lParam); }

TOwnSend::~TOwnSend() { tPending.pop_back(); }

bool IsOwnSend(UINT msg, WPARAM wParam, LPARAM lParam) {
  return std::find(tPending.begin(), tPending.end(), TSend{msg, wParam, lParam}) != tPending.end();
}
