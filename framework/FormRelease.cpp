// Deferred destruction of forms. A released form waits in a queue; a private message posted to a
// message-only window of the framework destroys it once the messages queued before it have been
// handled. The message names the newest release it covers (a ticket) and carries a random cookie:
// a message posted by someone else could only make the framework destroy, early, forms that are
// already given up, and without the cookie it does nothing at all.
#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "framework/CallbackGuard.h"
#include "framework/ErrorReport.h"
#include "framework/Form.h"
#include "framework/MessageWindow.h"

namespace {

constexpr wchar_t kReleaseClass[] = L"PrismatoneRelease";
constexpr UINT kReleaseMessage = WM_APP + 0x152;

struct TPendingRelease {
  TForm* Form;
  std::uint32_t Ticket;
};

struct TReleaseQueue {
  std::vector<TPendingRelease> Pending;
  std::uint32_t LastTicket = 0;
  LPARAM Cookie = 0;
  HWND Wnd = nullptr;
};

// Never destroyed: a form released during the program's end must not meet a queue that static
// destruction has already taken down. User-interface thread only.
TReleaseQueue& Queue() {
  static auto* queue = new TReleaseQueue;
  return *queue;
}

// Destroys the waiting forms whose ticket is not newer than `upTo` (all with `all`). They leave the
// queue before any is destroyed: a form's destruction may release or destroy others.
void DestroyDue(std::uint32_t upTo, bool all) {
  std::vector<TForm*> due;
  auto& pending = Queue().Pending;
  // Tickets wrap around; "not newer" is the signed difference.
  auto isDue = [&](const TPendingRelease& p) { return all || std::int32_t(p.Ticket - upTo) <= 0; };
  for (const TPendingRelease& p : pending)
    if (isDue(p)) due.push_back(p.Form);
  pending.erase(std::remove_if(pending.begin(), pending.end(), isDue), pending.end());
  for (TForm* form : due) delete form;
}

LRESULT CALLBACK ReleaseWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kReleaseMessage) {
    if (lp == Queue().Cookie) CallbackGuard([&] { DestroyDue(std::uint32_t(wp), false); }, ReportError);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

HWND ReleaseWindow() {
  TReleaseQueue& q = Queue();
  if (q.Wnd && IsWindow(q.Wnd)) return q.Wnd;
  if (!q.Cookie) {
    std::random_device random;
    q.Cookie = LPARAM((std::uint64_t(random()) << 32 | random()) | 1);
  }
  q.Wnd = CreateMessageWindow(kReleaseClass, ReleaseWndProc);
  return q.Wnd;
}

}  // namespace

void TForm::Release() {
  TReleaseQueue& q = Queue();
  if (std::any_of(q.Pending.begin(), q.Pending.end(), [this](const TPendingRelease& p) { return p.Form == this; }))
    return;
  q.Pending.push_back({this, ++q.LastTicket});
  // Should the post fail (a full queue), the form waits for the next release's message or for the
  // application's end.
  if (HWND wnd = ReleaseWindow()) PostMessageW(wnd, kReleaseMessage, WPARAM(q.LastTicket), q.Cookie);
}

void DestroyReleasedForms() { DestroyDue(0, true); }

namespace form_detail {
void ForgetRelease(TForm* form) {
  auto& pending = Queue().Pending;
  auto isForm = [form](const TPendingRelease& p) { return p.Form == form; };
  pending.erase(std::remove_if(pending.begin(), pending.end(), isForm), pending.end());
}
}  // namespace form_detail
