// A control's message entry can be taken over and given back, for messages from the window and
// from Perform alike; own windows paint into a device context they are given.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/Form.h"
#include "framework/WindowProcHook.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;

class TCountingForm : public TForm {
 public:
  using TForm::TForm;
  int reached = 0;  // kProbe messages that arrived at WndProc
  void WndProc(TMessage& m) override {
    if (m.Msg == kProbe) {
      ++reached;
      m.Result = 1;
      return;
    }
    TForm::WndProc(m);
  }
};

// A windowless child that paints its whole area in one colour.
class TSwatch : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint(TCanvas& canvas) override {
    RECT r{0, 0, Width(), Height()};
    TUniqueBrush brush(CreateSolidBrush(RGB(0, 0, 255)));
    FillRect(canvas.Handle(), &r, brush.get());
  }
};

}  // namespace

// A hook sees the window's messages and Perform's before WndProc, may answer them itself, and
// chains the rest; detached, the control is as before.
TEST(WindowProc, HookSeesMessagesFirstAndChains) {
  TCountingForm form(nullptr);
  form.SetClientSize(100, 80);
  form.Show();
  std::vector<WPARAM> seen;
  {
    TWindowProcHook hook(form, [&](TMessage& m, const TWndMethod& previous) {
      if (m.Msg == kProbe) seen.push_back(m.WParam);
      if (m.Msg == kProbe && m.WParam == 2) {
        m.Result = 42;  // answered here, never reaches the control
        return;
      }
      previous(m);
    });
    EXPECT_EQ(SendMessageW(form.Handle(), kProbe, 1, 0), 1);
    EXPECT_EQ(form.Perform(kProbe, 2), 42);
    EXPECT_EQ(form.WindowProcOwner(), &hook);
  }
  EXPECT_EQ(seen, (std::vector<WPARAM>{1, 2}));
  EXPECT_EQ(form.reached, 1);
  EXPECT_EQ(form.WindowProcOwner(), nullptr);
  EXPECT_EQ(SendMessageW(form.Handle(), kProbe, 3, 0), 1);
  EXPECT_EQ(form.reached, 2);
  EXPECT_EQ(seen.size(), 2u);
}

// Two hooks given back in the wrong order: the first one, no longer current, stays in the chain
// but passes everything on; messages keep reaching the control.
TEST(WindowProc, OutOfOrderDetachKeepsTheChain) {
  TCountingForm form(nullptr);
  form.Show();
  int first = 0, second = 0;
  auto outer = std::make_unique<TWindowProcHook>(form, [&](TMessage& m, const TWndMethod& p) {
    if (m.Msg == kProbe) ++first;
    p(m);
  });
  auto inner = std::make_unique<TWindowProcHook>(form, [&](TMessage& m, const TWndMethod& p) {
    if (m.Msg == kProbe) ++second;
    p(m);
  });
  form.Perform(kProbe);
  outer.reset();  // not current: the entry stays with the second hook
  EXPECT_EQ(form.WindowProcOwner(), inner.get());
  form.Perform(kProbe);
  inner.reset();
  form.Perform(kProbe);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  EXPECT_EQ(form.reached, 3);
}

// A hook ended by its own handler while that handler runs, given back or destroyed: the entry is
// the control's own again at once, the handler and the previous entry it was handed stay usable
// until it returns, and the next message goes straight to the control.
TEST(WindowProc, HandlerEndsItsOwnHook) {
  enum class TEnd { Detach, Destroy };
  for (TEnd end : {TEnd::Detach, TEnd::Destroy}) {
    SCOPED_TRACE(end == TEnd::Detach ? "detach" : "destroy");
    TCountingForm form(nullptr);
    form.Show();
    std::unique_ptr<TWindowProcHook> hook;
    const void* ownerInside = &form;
    int handled = 0;
    hook = std::make_unique<TWindowProcHook>(
        form, [&hook, &form, &ownerInside, &handled, end](TMessage& m, const TWndMethod& previous) {
          if (m.Msg != kProbe) return previous(m);
          if (end == TEnd::Detach) hook->Detach();
          else hook.reset();
          ownerInside = form.WindowProcOwner();
          previous(m);
          ++handled;
        });
    EXPECT_EQ(form.Perform(kProbe), 1);
    EXPECT_EQ(ownerInside, nullptr);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(SendMessageW(form.Handle(), kProbe, 0, 0), 1);
    EXPECT_EQ(form.reached, 2);
    EXPECT_EQ(handled, 1);
  }
}

// WM_PRINTCLIENT, and WM_PAINT with a device context in wParam, paint an own window's background
// and its windowless children into that context.
TEST(WindowProc, PaintsIntoAGivenDeviceContext) {
  TForm form(nullptr);
  form.SetColor(TColor(RGB(255, 0, 0)));
  form.SetClientSize(60, 40);
  auto* swatch = new TSwatch(&form);
  swatch->SetParent(&form);
  swatch->SetBounds(10, 10, 20, 20);
  form.Show();
  for (UINT msg : {UINT(WM_PRINTCLIENT), UINT(WM_PAINT)}) {
    TUniqueMemDC dc(CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 60, -40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    TUniqueBitmap dib(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(dib);
    TSelectObject select(dc.get(), dib.get());
    SendMessageW(form.Handle(), msg, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    GdiFlush();
    const auto* px = static_cast<const std::uint32_t*>(bits);
    EXPECT_EQ(px[5 * 60 + 5] & 0xFFFFFF, 0xFF0000u) << msg;    // background, as B G R bytes
    EXPECT_EQ(px[15 * 60 + 15] & 0xFFFFFF, 0x0000FFu) << msg;  // the child
    EXPECT_EQ(px[35 * 60 + 55] & 0xFFFFFF, 0xFF0000u) << msg;
  }
}
