// The setup window's internal skin recoloured by hue 196, as the window loads it, made once per
// test program; and the setup window's frame as Windows makes it for given system metrics.
#pragma once
#include "skin/data/sSkinManager.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/frame/sCaptionButtons.h"
#include "skin/frame/sFrameLayout.h"

namespace frametest {

// The loaded skin, or null when the package is missing or did not load.
inline TsSkinManager* WindowSkin() {
  static TsSkinManager* m = [] {
    static TsSkinManager manager(nullptr);
    const auto package = storedskin::ReadFileBytes(PRISMATONE_FRAME_TEST_SKIN);
    if (package.empty()) return static_cast<TsSkinManager*>(nullptr);
    storedskin::PrepareStoredSkin(manager, package, 196, L"Cobalt3 (internal)");
    manager.SetSkinName(L"Cobalt3 (internal)");
    return manager.gd().empty() ? nullptr : &manager;
  }();
  return m;
}

// The setup window (bsDialog, client 680 × 495) laid out with its close button.
struct TDialogFrame {
  TsSystemMetrics System;
  TsFrameWindow Window;
  TsFrameMetrics Metrics;
  TsTitleLayout Title;
  TsButtonQueries Queries;
  TsCaptionButtons Buttons;

  TDialogFrame(const TsSkinManager& m, const TsSystemMetrics& sys, TBorderIcons icons = biSystemMenu,
               TFormBorderStyle style = TFormBorderStyle::bsDialog)
      : System(sys), Window(DialogWindow(sys, 680, 495)) {
    Window.BorderStyle = style;
    Metrics = FrameMetrics(System, Window);
    Title = TitleLayout(Metrics, Window, m.CommonSkinData().BILeftMargin, false);
    TsButtonState s;
    s.Icons = icons;
    s.BorderStyle = style;
    Queries = ButtonQueries(s);
    AssignButtonImages(Buttons, m, style, Queries);
    CalcItems(Buttons, m, Queries, Place());
  }
  TsButtonPlace Place() const {
    return TsButtonPlace{Metrics.CaptionWidth, Metrics.Frame, System.CXFrame, Title.VCenter, false, false, true};
  }
};

}  // namespace frametest
