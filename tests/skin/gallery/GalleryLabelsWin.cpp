// The labels page: the setup window's effect and web labels, read from the window's own stored
// layout and painted by the real controls on a form of the window's colour, each captured from
// the screen at its own bounds; the web labels also hovered.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../paint/PumpUtil.h"
#include "GalleryPlatform.h"
#include "framework/Form.h"
#include "framework/Graphics.h"
#include "framework/LayoutReader.h"
#include "framework/Messages.h"
#include "framework/Utf.h"
#include "skin/controls/sLabel.h"
#include "skin/paint/sSkinEngine.h"

namespace {

// The window's layout with only what the labels see: the form's colour and font, and the labels.
TLayoutObject LabelsOnly(const TLayoutObject& window) {
  TLayoutObject root;
  root.name = "GalleryLabels";
  root.className = "TForm";
  for (const TLayoutProperty& p : window.properties)
    if (p.name == "Color" || p.name.starts_with("Font.")) root.properties.push_back(p);
  for (const TLayoutObject& c : window.children)
    if (c.className == "TsLabelFX" || c.className == "TsWebLabel") root.children.push_back(c);
  return root;
}

TGalleryTile Capture(TForm& form, TControl& label, const std::string& suffix) {
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  pumptest::PumpPending();
  const TRect r = label.BoundsRect();
  TBitmap shot(r.Width(), r.Height());
  {
    TWindowDC dc(form.Handle());
    BitBlt(shot.DC(), 0, 0, r.Width(), r.Height(), dc.dc(), r.Left, r.Top, SRCCOPY);
  }
  GdiFlush();
  TGalleryTile t;
  t.File = label.Name() + suffix + ".png";
  t.Section = Utf8ToWide(label.Name());
  t.Width = r.Width();
  t.Height = r.Height();
  t.Background = TGalleryBackground::Colour;
  t.Text = true;  // platform glyphs: looked at, never compared
  t.Pixels = shot.Pixels();
  return t;
}

}  // namespace

std::vector<TGalleryTile> LabelTiles(const std::string& layoutFile) {
  std::ifstream in(std::filesystem::path(Utf8ToWide(layoutFile)), std::ios::binary);
  if (!in) return {};
  std::stringstream text;
  text << in.rdbuf();
  TClassRegistry classes;
  classes.Register<TsLabelFX>("TsLabelFX");
  classes.Register<TsWebLabel>("TsWebLabel");
  TPublishedMethods none;

  InstallSkinEngine();
  std::vector<TGalleryTile> tiles;
  {
    TForm form(nullptr);
    ReadComponent(form, LabelsOnly(ParseLayout(text.str())), classes, none);
    form.SetBounds(0, 0, 700, 540);
    form.Show();
    pumptest::PumpPending();
    for (int i = 0; i < form.ComponentCount(); ++i) {
      auto* label = dynamic_cast<TCustomLabel*>(form.Components(i));
      if (!label) continue;
      tiles.push_back(Capture(form, *label, ""));
      if (dynamic_cast<TsWebLabel*>(label)) {
        label->Perform(FN_MOUSEENTER);
        tiles.push_back(Capture(form, *label, "_hot"));
        label->Perform(FN_MOUSELEAVE);
      }
    }
  }
  SetSkinPlatform(nullptr);
  return tiles;
}
