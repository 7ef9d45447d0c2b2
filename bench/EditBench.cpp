// Speed of the setup's skinned edit under Wine: one rebuild of its cache (PrepareCache after the
// background was marked changed: the EDIT section over the form, the folder path drawn by GDI)
// at the log's size (465 × 201) and at the folder field's (401 × 21), and the log-sized one
// disabled (the blended disabled look laid over it), each beside a plain BitBlt of the same size
// to the edit's window measured in the same run. No targets: the figures are for reading. The
// minimum of 7 rounds counts.
#include <cstdio>

#include "WineBench.h"
#include "framework/Form.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sSkinEngine.h"

using namespace winbench;

namespace {

constexpr int kRounds = 200;

TsMaskEdit* AddEdit(TForm& form, int left, int top, int w, int h) {
  auto* e = new TsMaskEdit(&form);
  e->SetParent(&form);
  e->SetBounds(left, top, w, h);
  e->SetText(L"C:\\Program Files\\Prismatone");
  e->Loaded();
  return e;
}

// The cache rebuilt from scratch, as after a move, a text change or a new skin.
double Rebuild(TsMaskEdit& edit) {
  return Time(kRounds, [&] {
    edit.SkinData().BGChanged = true;
    edit.PrepareCache();
    GdiFlush();
  });
}

}  // namespace

int main(int argc, char** argv) {
  TsSkinManager manager(nullptr);
  if (!LoadWindowSkin(manager, argc, argv, L"EDIT", "edit_bench")) return 2;
  // The setup window's size, the edits where its folder field and log lie; a third, small edit
  // holds the focus, so that the two measured ones paint at rest.
  TForm form(nullptr);
  form.SetBounds(40, 40, 680, 495);
  TsMaskEdit* log = AddEdit(form, 206, 232, 465, 201);
  TsMaskEdit* folder = AddEdit(form, 206, 110, 401, 21);
  TsMaskEdit* focus = AddEdit(form, 20, 20, 60, 21);
  form.Show();
  focus->SetFocus();
  Pump();
  if (log->Focused() || folder->Focused() || !log->PrepareCache() || !folder->PrepareCache()) {
    std::fprintf(stderr, "edit_bench: the edits are not ready to paint at rest\n");
    return 2;
  }

  const TBaseline bitBltLog = BitBltBaseline(log->Handle(), 0, 0, 465, 201, kRounds);
  const double logRebuild = Rebuild(*log);
  const TBaseline bitBltFolder = BitBltBaseline(folder->Handle(), 0, 0, 401, 21, kRounds);
  const double folderRebuild = Rebuild(*folder);
  log->SetEnabled(false);
  Pump();
  const double logDisabled = Rebuild(*log);

  std::printf("edit_bench: minimum of 7 rounds of %d calls\n", kRounds);
  Report("edit PrepareCache with text (465x201)", logRebuild, bitBltLog, 0, 0);
  Report("edit PrepareCache disabled (465x201)", logDisabled, bitBltLog, 0, 0);
  Report("edit PrepareCache with text (401x21)", folderRebuild, bitBltFolder, 0, 0);
  return 0;
}
