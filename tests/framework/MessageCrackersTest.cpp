// Message crackers decode what the platform packs into WParam and LParam, and turn a handler's
// result into the message result.
#include "framework/MessageCrackers.h"

#include <gtest/gtest.h>

namespace {
TMessage Msg(UINT msg, WPARAM wp, LPARAM lp) { return {msg, wp, lp, 77}; }
}  // namespace

// Coordinates are signed 16-bit halves (left of or above a window on a second monitor), and
// wheel deltas are signed too.
TEST(MessageCrackers, SignedPositionsAndDeltas) {
  TMessage m = Msg(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 300));
  Crack<WM_MOUSEMOVE>(m, [](TPoint p, UINT keys) {
    EXPECT_EQ(p, (TPoint{-5, 300}));
    EXPECT_EQ(keys, UINT(MK_LBUTTON | MK_SHIFT));
  });
  EXPECT_EQ(m.Result, 0);  // a handler without a result answers 0
  m = Msg(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WORD(-WHEEL_DELTA)), MAKELPARAM(-1200, -3));
  Crack<WM_MOUSEWHEEL>(m, [](TPoint p, int delta, UINT keys) {
    EXPECT_EQ(p, (TPoint{-1200, -3}));
    EXPECT_EQ(delta, -WHEEL_DELTA);
    EXPECT_EQ(keys, UINT(MK_CONTROL));
  });
  m = Msg(WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(-1910, -40));  // hit code in wParam
  Crack<WM_NCLBUTTONDOWN>(m, [](TPoint p, UINT hit) {
    EXPECT_EQ(p, (TPoint{-1910, -40}));
    EXPECT_EQ(hit, UINT(HTVSCROLL));
  });
  m = Msg(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(65535, 2));
  Crack<WM_SIZE>(m, [](UINT kind, int w, int h) {
    EXPECT_EQ(kind, UINT(SIZE_MAXIMIZED));
    EXPECT_EQ(w, 65535);  // sizes are unsigned
    EXPECT_EQ(h, 2);
  });
}

// Commands split into id, notification code and the child; results become LRESULTs.
TEST(MessageCrackers, CommandsAndResults) {
  HWND child = reinterpret_cast<HWND>(0x1234);
  TMessage m = Msg(WM_COMMAND, MAKEWPARAM(0x101, BN_CLICKED), reinterpret_cast<LPARAM>(child));
  Crack<WM_COMMAND>(m, [&](UINT id, UINT code, HWND from) {
    EXPECT_EQ(id, 0x101u);
    EXPECT_EQ(code, UINT(BN_CLICKED));
    EXPECT_EQ(from, child);
    return true;
  });
  EXPECT_EQ(m.Result, 1);
  HBRUSH brush = reinterpret_cast<HBRUSH>(0x5678);
  m = Msg(FN_CTLCOLOR, 0, 0);
  Crack<FN_CTLCOLOR>(m, [&](HDC, HWND) { return brush; });
  EXPECT_EQ(m.Result, reinterpret_cast<LRESULT>(brush));
  m = Msg(WM_NCHITTEST, 0, MAKELPARAM(3, 4));
  Crack<WM_NCHITTEST>(m, [](TPoint) { return HTCAPTION; });
  EXPECT_EQ(m.Result, HTCAPTION);
}

// WM_NCCALCSIZE carries the full record only when wParam asks for the valid areas; the proposed
// rectangle comes first either way, and the handler's WVR_* flags are the result.
TEST(MessageCrackers, NonClientSizeRecordOnlyWhenAsked) {
  NCCALCSIZE_PARAMS params{};
  params.rgrc[0] = {10, 20, 110, 220};
  for (bool full : {false, true}) {
    TMessage m = Msg(WM_NCCALCSIZE, full, reinterpret_cast<LPARAM>(&params));
    Crack<WM_NCCALCSIZE>(m, [&](RECT& r, NCCALCSIZE_PARAMS* record) {
      EXPECT_EQ(&r, &params.rgrc[0]);
      EXPECT_EQ(record, full ? &params : nullptr);
      return full ? WVR_REDRAW : 0;
    });
    EXPECT_EQ(m.Result, full ? WVR_REDRAW : 0);
  }
}
