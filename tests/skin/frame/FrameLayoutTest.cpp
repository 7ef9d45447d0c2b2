// The frame's metrics, the caption buttons' images, sizes and places over the setup window's own
// skin, and the skin hit test.
#include <gtest/gtest.h>

#include "FrameTestSkin.h"

using frametest::TDialogFrame;
using frametest::WindowSkin;

// The frame's sizes for the window kinds the engine meets, from injected metrics (4, 3, 19, 15).
TEST(FrameMetrics, FromInjectedSystemValues) {
  const TsSystemMetrics sys;
  struct Case {
    const char* Name;
    TsFrameWindow Window;
    TsFrameMetrics Expected;  // Frame, BorderWidth, BorderHeight, CaptionHeight, HeaderHeight, Menu, CaptionWidth, OffsetX, OffsetY
  };
  TsFrameWindow sizeable{408, 327, 400, 300, true, true, true, false, false, true, TFormBorderStyle::bsSizeable, 2, 0, 0};
  TsFrameWindow tool{406, 321, 400, 300, false, true, true, false, false, true, TFormBorderStyle::bsToolWindow, 0, 0, 0};
  TsFrameWindow bare{400, 300, 400, 300, false, false, false, false, false, true, TFormBorderStyle::bsNone, 0, 0, 0};
  TsFrameWindow minimised = sizeable;
  minimised.Minimized = true;
  minimised.MainForm = false;
  minimised.Height = 23;
  minimised.ClientHeight = 0;
  const Case cases[] = {
      {"dialog", DialogWindow(sys, 680, 495), {3, 3, 3, 19, 22, 0, 686, 3, 22}},
      // The form's BorderWidth widens the border; the thick frame is SM_CXFRAME.
      {"sizeable", sizeable, {4, 6, 6, 19, 21, 0, 408, 4, 23}},
      {"tool window", tool, {3, 3, 3, 15, 18, 0, 406, 3, 18}},
      // No caption bits: no caption, no frame.
      {"borderless", bare, {0, 0, 0, 0, 0, 0, 400, 0, 0}},
      // A minimised secondary form is a 160-pixel title; its header adds the frame.
      {"minimised", minimised, {4, 6, 6, 19, 21, 0, 160, 4, 19}},
  };
  for (const Case& c : cases) {
    const TsFrameMetrics m = FrameMetrics(sys, c.Window);
    const TsFrameMetrics& e = c.Expected;
    EXPECT_EQ((std::array{m.Frame, m.BorderWidth, m.BorderHeight, m.CaptionHeight, m.HeaderHeight, m.MenuHeight,
                          m.CaptionWidth, m.OffsetX, m.OffsetY}),
              (std::array{e.Frame, e.BorderWidth, e.BorderHeight, e.CaptionHeight, e.HeaderHeight, e.MenuHeight,
                          e.CaptionWidth, e.OffsetX, e.OffsetY}))
        << c.Name;
  }
}

// VCenter halves each part on its own (19 / 2 + 3 / 2 = 10, not 22 / 2 = 11); the icon, sized
// from the caption when the form gives none, is centred on it.
TEST(FrameMetrics, TitleLayout) {
  TsSystemMetrics sys;
  sys.CXFrame = 5;
  TsFrameWindow w{410, 329, 400, 300, true, true, true, false, false, true, TFormBorderStyle::bsSizeable, 0, 0, 0};
  const TsFrameMetrics m = FrameMetrics(sys, w);
  TsTitleLayout t = TitleLayout(m, w, 2, true);
  EXPECT_EQ(t.VCenter, 11);
  EXPECT_EQ(t.FHeaderHeight, 24);
  EXPECT_EQ(t.FIconRect, Bounds(7, 3, 16, 16));
  w.Maximized = true;
  t = TitleLayout(m, w, 2, true, 8, 6);
  EXPECT_EQ(t.FIconRect, Bounds(7, 10, 8, 6));
  t = TitleLayout(m, w, 2, false);
  EXPECT_EQ(t.FIconRect.Width(), 0);
  EXPECT_FALSE(TitleIconShown(TFormBorderStyle::bsDialog, true, true, true));
  EXPECT_TRUE(TitleIconShown(TFormBorderStyle::bsSingle, true, true, true));
}

// The setup window's close button with two sets of metrics: the small image (21 × 17), its right
// edge CaptionWidth − 1 − frame (BIRIGHT 1), centred on VCenter although the skin's BIVALIGN 1
// would pin big buttons to the top; no other button.
TEST(CaptionButtons, DialogCloseButton) {
  TsSkinManager* m = WindowSkin();
  ASSERT_TRUE(m);
  for (const TsSystemMetrics sys : {TsSystemMetrics{4, 3, 19, 15, 19}, TsSystemMetrics{8, 4, 26, 20, 22}}) {
    const TDialogFrame f(*m, sys);
    const TRect r = f.Buttons.Close.Rect;
    EXPECT_EQ(f.Buttons.Close.ImageIndex, m->ConstData.MaskCloseSmall);
    EXPECT_EQ(r.Right, f.Metrics.CaptionWidth - 1 - sys.CXDlgFrame);
    EXPECT_EQ(r.Width(), 21);
    EXPECT_EQ(r.Height(), 17);
    EXPECT_EQ(r.Top, f.Title.VCenter - 17 / 2);
    EXPECT_EQ(f.Buttons.Max.Rect.Width(), 0);
    EXPECT_EQ(f.Buttons.Min.Rect.Width(), 0);
    EXPECT_EQ(f.Buttons.Help.Rect.Width(), 0);
  }
}

// The width of the button area: big buttons overlap by BISPACE −1; a bsSingle form without
// maximise and minimise uses BICLOSEALONE; the small set of a dialog ignores BISPACE.
TEST(CaptionButtons, TitleBtnsWidth) {
  TsSkinManager* m = WindowSkin();
  ASSERT_TRUE(m);
  ASSERT_EQ(m->CommonSkinData().BISpacing, -1);
  struct Case {
    TBorderIcons Icons;
    TFormBorderStyle Style;
    int Width;
  };
  const Case cases[] = {
      {biSystemMenu | biMinimize | biMaximize, TFormBorderStyle::bsSingle, 1 + 29 + (29 - 1) + (29 - 1)},
      {biSystemMenu, TFormBorderStyle::bsSingle, 1 + 29},
      {biSystemMenu | biHelp, TFormBorderStyle::bsDialog, 1 + 21 + 21},
  };
  for (const Case& c : cases) {
    const TDialogFrame f(*m, TsSystemMetrics{}, c.Icons, c.Style);
    EXPECT_EQ(TitleBtnsWidth(*m, f.Buttons, f.Queries), c.Width) << c.Icons;
  }
  const TDialogFrame alone(*m, TsSystemMetrics{}, biSystemMenu, TFormBorderStyle::bsSingle);
  EXPECT_EQ(alone.Buttons.Close.ImageIndex, m->ConstData.MaskCloseAloneBtn);
  // Big buttons touch the top (BIVALIGN 1) and overlap their neighbour by one pixel.
  const TDialogFrame all(*m, TsSystemMetrics{}, biSystemMenu | biMinimize | biMaximize, TFormBorderStyle::bsSingle);
  EXPECT_EQ(all.Buttons.Close.ImageIndex, m->ConstData.MaskCloseBtn);
  EXPECT_EQ(all.Buttons.Close.Rect.Top, 0);
  EXPECT_EQ(all.Buttons.Max.Rect.Right, all.Buttons.Close.Rect.Left + 1);
  EXPECT_EQ(all.Buttons.Min.Rect.Right, all.Buttons.Max.Rect.Left + 1);
}

// The skin hit test of the setup window: its close button, greyed close as caption, the title's
// rows up to the client's first row, the client; no resize edges on a fixed frame.
TEST(FrameHitTest, DialogWindow) {
  TsSkinManager* m = WindowSkin();
  ASSERT_TRUE(m);
  TDialogFrame f(*m, TsSystemMetrics{});
  TsHitTestInput in{&f.System, &f.Window, &f.Metrics, &f.Title, &f.Buttons, &f.Queries, false, {}};
  const TRect close = f.Buttons.Close.Rect;
  struct Case {
    TPoint P;
    int Code;
  };
  const Case cases[] = {
      {{close.Left, close.Top}, shtClose},
      {{close.Right - 1, close.Bottom - 1}, shtClose},
      {{close.Right, close.Top}, shtCaption},
      {{0, 0}, shtCaption},
      {{300, f.Metrics.OffsetY - 1}, shtCaption},
      {{300, f.Metrics.OffsetY}, shtClient},
      {{0, 519}, shtClient},
  };
  for (const Case& c : cases) EXPECT_EQ(FrameHitTest(in, c.P), c.Code) << c.P.X << ", " << c.P.Y;
  f.Queries.EnabledClose = false;
  EXPECT_EQ(FrameHitTest(in, TPoint{close.Left + 3, close.Top + 3}), shtCaption);
}

// A sizeable window's edges are Frame pixels wide on every side, corners first; the icon is the
// system menu; a maximised window has no edges; a shown grip takes the corner beyond its origin.
TEST(FrameHitTest, SizeableEdgesAndIcon) {
  const TsSystemMetrics sys;
  TsFrameWindow w{408, 327, 400, 300, true, true, true, false, false, true, TFormBorderStyle::bsSizeable, 0, 0, 0};
  const TsFrameMetrics m = FrameMetrics(sys, w);
  const TsTitleLayout t = TitleLayout(m, w, 0, true);
  TsHitTestInput in{&sys, &w, &m, &t, nullptr, nullptr, false, {}};
  struct Case {
    TPoint P;
    int Code;
  };
  const Case cases[] = {
      {{0, 0}, shtTopLeft},       {{3, 3}, shtTopLeft},        {{4, 3}, shtTop},
      {{404, 0}, shtTopRight},    {{403, 2}, shtTop},          {{0, 100}, shtLeft},
      {{407, 100}, shtRight},     {{404, 100}, shtRight},      {{200, 323}, shtBottom},
      {{200, 322}, shtClient},    {{0, 326}, shtBottomLeft},   {{407, 326}, shtBottomRight},
      {{t.FIconRect.Left + 2, t.FIconRect.Top + 2}, shtSysMenu}, {{100, 22}, shtCaption},
      {{100, 23}, shtClient},
  };
  for (const Case& c : cases) EXPECT_EQ(FrameHitTest(in, c.P), c.Code) << c.P.X << ", " << c.P.Y;
  in.GripShown = true;
  in.GripOrigin = TPoint{390, 310};
  EXPECT_EQ(FrameHitTest(in, TPoint{395, 315}), shtBottomRight);
  EXPECT_EQ(FrameHitTest(in, TPoint{389, 315}), shtClient);
  w.Maximized = true;
  EXPECT_EQ(FrameHitTest(in, TPoint{0, 100}), shtClient);
  EXPECT_EQ(FrameHitTest(in, TPoint{0, 0}), shtCaption);
}

// The caption's box starts after the frame, the icon and BILEFT + 4 (+2 with CAPTION) and ends 12
// before the buttons; right-justified and centred texts move inside it, mirrored right to left.
TEST(FrameMetrics, CaptionTextBox) {
  const TsSystemMetrics sys;
  const TsFrameWindow w = DialogWindow(sys, 680, 495);
  const TsFrameMetrics m = FrameMetrics(sys, w);
  TsTitleLayout t = TitleLayout(m, w, 2, false);
  EXPECT_EQ(CaptionTextBox(m, t, 2, false, 22, 13), Rect(9, 4, 652, 17));
  EXPECT_EQ(CaptionTextBox(m, t, 2, true, 22, 13).Left, 11);
  t = TitleLayout(m, w, 2, true);
  EXPECT_EQ(CaptionTextBox(m, t, 2, false, 22, 13).Left, 9 + 16);

  const TRect box = Rect(10, 4, 110, 17);
  struct Case {
    TAlignment Alignment;
    bool RightToLeft;
    int Caption, Added;
    TRect Expected;
  };
  const Case cases[] = {
      {TAlignment::taLeftJustify, false, 40, 0, box},
      {TAlignment::taRightJustify, false, 40, 6, Rect(60, 4, 110, 17)},
      {TAlignment::taRightJustify, false, 96, 0, box},  // 100 wide: no room to move
      {TAlignment::taLeftJustify, true, 40, 0, Rect(66, 4, 110, 17)},
      {TAlignment::taRightJustify, true, 40, 0, box},
      {TAlignment::taCenter, false, 40, 0, Rect(38, 4, 78, 17)},
      {TAlignment::taCenter, false, 150, 0, box},  // too wide: never left of the box
  };
  for (const Case& c : cases)
    EXPECT_EQ(AlignCaptionText(box, c.Alignment, c.RightToLeft, c.Caption, c.Added), c.Expected)
        << int(c.Alignment) << " " << c.RightToLeft << " " << c.Caption;
}
