// The frame page of the gallery: the setup window's image without its caption text, active and
// inactive, and its close button at rest, hot and pressed, all painted by the frame's portable
// layer with the metrics Windows reports at 96 dpi (SM_CXDLGFRAME 3, SM_CYCAPTION 19).
#include <algorithm>

#include "GalleryTiles.h"
#include "skin/data/sSkinManager.h"
#include "skin/frame/sFrameImage.h"
#include "skin/frame/sFrameRegion.h"

namespace {

constexpr int kClientW = 680, kClientH = 495;  // setup/Unit1.layout

// The window's image in one look, its cut corners in the check's light colour.
struct TWindowImage {
  TsDialogFrame Frame;
  TsFrameImageInput& In = Frame.In;
  TsTempBmp Temp;
  TBitmap32 Image;
  bool Built = false;

  TWindowImage(TsSkinManager& m, bool active) : Frame(DialogFrame(m, TsSystemMetrics{}, kClientW, kClientH, active)) {
    Built = BuildFrameBackground(Image, In);
    if (Built) FinishFrameImage(Image, Temp, In, Frame.Buttons, Frame.Queries, true);
  }

  void ShowCuts(const TsSkinManager& m, TBitmap32& bmp, TPoint origin) const {
    const int title = m.IsValidSkinIndex(In.TitleIndex) ? m.gd()[std::size_t(In.TitleIndex)].BorderIndex : -1;
    for (const TRect& r : FrameCornerRects(m, In.Form.BorderIndex, title, Image.Width(), Image.Height()))
      for (int y = std::max(r.Top - origin.Y, 0); y < std::min(r.Bottom - origin.Y, bmp.Height()); ++y)
        for (int x = std::max(r.Left - origin.X, 0); x < std::min(r.Right - origin.X, bmp.Width()); ++x)
          bmp.Pixel(x, y) = kCheckLight;
  }
};

std::string Size(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

}  // namespace

std::vector<TGalleryTile> FrameTiles(TsSkinManager& manager) {
  std::vector<TGalleryTile> tiles;
  for (const bool active : {true, false}) {
    TWindowImage w(manager, active);
    if (!w.Built) return {};
    TGalleryTile t{"FRAME_" + Size(w.Image.Width(), w.Image.Height()) + (active ? "_active" : "_inactive") + "_col.png",
                   L"FORM", w.Image.Width(), w.Image.Height(), active ? 1 : 0, TGalleryBackground::Colour, false, w.Image};
    w.ShowCuts(manager, t.Pixels, {});
    tiles.push_back(std::move(t));
  }
  // The close button with up to 4 pixels of title round it (cut to the image), in its three states
  // on the active window.
  TWindowImage w(manager, true);
  TsCaptionButton& close = w.Frame.Buttons.Close;
  if (close.ImageIndex < 0) return tiles;
  const TRect area = Rect(std::max(close.Rect.Left - 4, 0), std::max(close.Rect.Top - 4, 0),
                          std::min(close.Rect.Right + 4, w.Image.Width()), std::min(close.Rect.Bottom + 4, w.Image.Height()));
  for (const int state : {0, 1, 2}) {
    close.State = state;
    RepaintCaptionButton(w.Image, w.Temp, manager, w.Frame.Buttons, w.Frame.Queries, close, true, true);
    TGalleryTile t{"CLOSE_" + Size(area.Width(), area.Height()) + "_s" + std::to_string(state) + "_col.png", L"CLOSE",
                   area.Width(), area.Height(), state, TGalleryBackground::Colour, false, TBitmap32(area.Width(), area.Height())};
    for (int y = 0; y < area.Height(); ++y)
      for (int x = 0; x < area.Width(); ++x) t.Pixels.Pixel(x, y) = w.Image.Pixel(area.Left + x, area.Top + y);
    w.ShowCuts(manager, t.Pixels, TPoint{area.Left, area.Top});
    tiles.push_back(std::move(t));
  }
  return tiles;
}
