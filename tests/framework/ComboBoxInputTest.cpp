// The combo box is one control for the keyboard focus and the pointer, although the platform
// makes it of several windows: real focus moves (Tab) and real pointer moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "framework/Edits.h"
#include "framework/Form.h"

namespace {

using enum TComboBoxStyle;

class TProbeCombo : public TComboBox {
 public:
  using TComboBox::TComboBox;
  std::vector<UINT> seen;     // notifications and the box's own mouse messages
  int fieldMoves = 0, fieldLeaves = 0;
  int Count(UINT msg) const { return int(std::count(seen.begin(), seen.end(), msg)); }
  void WndProc(TMessage& m) override {
    if ((m.Msg > FN_BASE && m.Msg < FN_LAST) || m.Msg == WM_MOUSEMOVE || m.Msg == WM_MOUSELEAVE) seen.push_back(m.Msg);
    TComboBox::WndProc(m);
  }

 protected:
  void EditWndProc(TMessage& m) override {
    if (m.Msg == WM_MOUSEMOVE) ++fieldMoves;
    if (m.Msg == WM_MOUSELEAVE) ++fieldLeaves;
    TComboBox::EditWndProc(m);
  }
};

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Pumps until `until` holds, 60 s at most, then once more for what the last message posted.
void Pump(const std::function<bool()>& until) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!until() && std::chrono::steady_clock::now() < end) {
    PumpPending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  PumpPending();
}

struct Bed {
  TForm form{nullptr};
  TEdit* before;
  TProbeCombo* combo;
  TEdit* after;
  explicit Bed(TComboBoxStyle style) {
    form.SetBounds(100, 100, 400, 300);
    before = Place(new TEdit(&form), 10);
    combo = Place(new TProbeCombo(&form), 60);
    combo->SetStyle(style);
    combo->SetItems([] { TStringList l; l.Add(L"Alpha"); l.Add(L"Beta"); return l; }());
    after = Place(new TEdit(&form), 200);
    form.Show();
    SetForegroundWindow(form.Handle());
    PumpPending();
  }
  template <class T>
  T* Place(T* c, int top) {
    c->SetParent(&form);
    c->SetBounds(20, top, 150, 21);
    return c;
  }
  void Tab() {
    MSG msg{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    IsDialogMessageW(form.Handle(), &msg);
    PumpPending();
  }
};

}  // namespace

// Tab into the combo box and on: focus enters the control once and leaves it once, however the
// platform passes it between the box and its field; in between the control has the focus.
TEST(ComboBoxInput, TabInAndOutEntersAndExitsOnce) {
  for (const TComboBoxStyle style : {csDropDown, csSimple, csDropDownList}) {
    SCOPED_TRACE(int(style));
    Bed bed(style);
    bed.before->SetFocus();
    ASSERT_TRUE(bed.before->Focused());
    bed.Tab();
    EXPECT_TRUE(bed.combo->Focused());
    EXPECT_EQ(bed.combo->Count(FN_FOCUSENTER), 1);
    EXPECT_EQ(bed.combo->Count(FN_FOCUSEXIT), 0);
    bed.Tab();
    EXPECT_TRUE(bed.after->Focused());
    EXPECT_FALSE(bed.combo->Focused());
    EXPECT_EQ(bed.combo->Count(FN_FOCUSENTER), 1);
    EXPECT_EQ(bed.combo->Count(FN_FOCUSEXIT), 1);
  }
}

// The pointer moving over the box and its field, in any order, enters the control once; each of
// its windows sees the pointer come and go, but only moving off the control leaves it.
TEST(ComboBoxInput, PointerOverBoxAndFieldEntersAndLeavesOnce) {
  enum Place { box, field };
  const std::vector<std::vector<Place>> paths = {{box, field}, {field}, {field, box}, {box, field, box}};
  for (const auto& path : paths) {
    SCOPED_TRACE(testing::Message() << "path of " << path.size() << " from " << (path[0] == box ? "box" : "field"));
    Bed bed(csDropDown);
    TProbeCombo& c = *bed.combo;
    const TPoint outside = bed.form.ClientToScreen({250, 150});
    SetCursorPos(outside.X, outside.Y);
    Pump([] { return true; });
    c.seen.clear();
    RECT fieldRect;
    GetWindowRect(c.EditHandle(), &fieldRect);
    RECT boxRect;
    GetWindowRect(c.Handle(), &boxRect);
    // Each step waits for the move over the new window and for the leave notice of the last one.
    auto moves = [&](Place p) { return p == box ? c.Count(WM_MOUSEMOVE) : c.fieldMoves; };
    auto leaves = [&](Place p) { return p == box ? c.Count(WM_MOUSELEAVE) : c.fieldLeaves; };
    for (std::size_t i = 0; i < path.size(); ++i) {
      const Place p = path[i];
      const int movesBefore = moves(p), leavesBefore = i ? leaves(path[i - 1]) : 0;
      if (p == box) SetCursorPos(boxRect.right - 4, (boxRect.top + boxRect.bottom) / 2);  // the button
      else SetCursorPos((fieldRect.left + fieldRect.right) / 2, (fieldRect.top + fieldRect.bottom) / 2);
      Pump([&] { return moves(p) > movesBefore && (!i || leaves(path[i - 1]) > leavesBefore); });
      EXPECT_TRUE(c.MouseInControl());
      EXPECT_EQ(c.Count(FN_MOUSEENTER), 1);
      EXPECT_EQ(c.Count(FN_MOUSELEAVE), 0);
    }
    SetCursorPos(outside.X, outside.Y);
    Pump([&] { return c.Count(FN_MOUSELEAVE) > 0; });
    EXPECT_FALSE(c.MouseInControl());
    EXPECT_EQ(c.Count(FN_MOUSEENTER), 1);
    EXPECT_EQ(c.Count(FN_MOUSELEAVE), 1);
  }
}
