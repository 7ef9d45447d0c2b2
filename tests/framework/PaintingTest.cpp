// What every skinned control relies on from the framework: painting errors that do not flood the
// user, windowless controls painted at once and told of their moves, and owner-draw notices that
// reach the control they name.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/ErrorReport.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "framework/MessageCrackers.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  TUniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &r, brush.get());
}

// Counts what reaches the error reporter while it lives.
struct TReportCounter {
  int reports = 0;
  TErrorReporter previous = SetErrorReporter([this](const std::exception_ptr&) { ++reports; });
  ~TReportCounter() { SetErrorReporter(previous); }
};

// A windowless control whose own painting fails; its plain look is green.
class TBrokenSwatch : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  int plain = 0;

 protected:
  void Paint(TCanvas&) override { throw Exception(L"no skin picture"); }
  void PaintPlain(TCanvas& canvas) override {
    ++plain;
    Fill(canvas.Handle(), {0, 0, Width(), Height()}, kGreen);
  }
};

// A window of our own class whose background painting fails.
class TBrokenPanel : public TWinControl {
 public:
  using TWinControl::TWinControl;

 protected:
  void PaintWindow(HDC) override { throw Exception(L"no skin picture"); }
};

// An opaque windowless control that paints far beyond its own bounds, so that clipping shows.
class TSpillingSwatch : public TGraphicControl {
 public:
  explicit TSpillingSwatch(TComponent* owner) : TGraphicControl(owner) { controlStyle_ |= csOpaque; }
  int paints = 0;
  std::vector<WINDOWPOS> moves;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_WINDOWPOSCHANGED) Crack<WM_WINDOWPOSCHANGED>(m, [&](const WINDOWPOS& pos) { moves.push_back(pos); });
    TGraphicControl::WndProc(m);
  }

 protected:
  void Paint(TCanvas& canvas) override {
    ++paints;
    Fill(canvas.Handle(), {-500, -500, 500, 500}, kBlue);
  }
};

// A form that counts the WM_PAINT messages it gets.
class TCountingForm : public TForm {
 public:
  using TForm::TForm;
  int paints = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_PAINT) ++paints;
    TForm::WndProc(m);
  }
};

// A platform owner-draw list box that answers measure and draw notices with its own numbers.
class TOwnerDrawList : public TWinControl {
 public:
  TOwnerDrawList(TComponent* owner, int itemHeight) : TWinControl(owner), itemHeight_(itemHeight) {}
  std::vector<UINT> measuredIds, drawnIds;
  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case FN_MEASUREITEM:
        Crack<FN_MEASUREITEM>(m, [&](MEASUREITEMSTRUCT& item) {
          measuredIds.push_back(item.CtlID);
          item.itemHeight = UINT(itemHeight_);
          return true;
        });
        return;
      case FN_DRAWITEM:
        Crack<FN_DRAWITEM>(m, [&](const DRAWITEMSTRUCT& item) {
          drawnIds.push_back(item.CtlID);
          return true;
        });
        return;
      default:
        TWinControl::WndProc(m);
    }
  }

 protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.WinClassName = L"LISTBOX";
    p.OwnClass = false;
    p.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  }

 private:
  int itemHeight_;
};

// A 32-bit picture that a window prints its client area into.
struct TPrintedClient {
  TUniqueMemDC dc{CreateCompatibleDC(nullptr)};
  void* bits = nullptr;
  TUniqueBitmap dib;
  int width;
  TPrintedClient(HWND wnd, int w, int h) : width(w) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dib.reset(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TSelectObject select(dc.get(), dib.get());
    SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    GdiFlush();
  }
  // As a COLORREF (the picture holds B, G, R bytes).
  COLORREF At(int x, int y) const {
    const std::uint32_t p = static_cast<const std::uint32_t*>(bits)[y * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

bool HasUpdate(HWND wnd) { return GetUpdateRect(wnd, nullptr, FALSE) != FALSE; }

}  // namespace

// A control whose painting throws is reported once, not once per repaint; from then on it paints
// its plain look, and its window is validated every time, so no WM_PAINT comes back at once.
TEST(Painting, ErrorsAreReportedOnceThenPlainLook) {
  TReportCounter counter;
  TForm form(nullptr);
  form.SetColor(TColor(kRed));
  form.SetClientSize(100, 60);
  auto* swatch = new TBrokenSwatch(&form);
  swatch->SetParent(&form);
  swatch->SetBounds(10, 10, 20, 20);
  auto* panel = new TBrokenPanel(&form);
  panel->SetParent(&form);
  panel->SetColor(TColor(kBlue));
  panel->SetBounds(50, 10, 30, 30);
  form.Show();
  for (int i = 0; i < 3; ++i) RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_EQ(counter.reports, 2);  // one for each control
  EXPECT_TRUE(swatch->PaintFailed());
  EXPECT_TRUE(panel->PaintFailed());
  EXPECT_GE(swatch->plain, 3);
  EXPECT_FALSE(HasUpdate(form.Handle()));
  EXPECT_FALSE(HasUpdate(panel->Handle()));
  TPrintedClient formPicture(form.Handle(), 100, 60);
  EXPECT_EQ(formPicture.At(15, 15), kGreen);
  EXPECT_EQ(formPicture.At(5, 5), kRed);
  TPrintedClient panelPicture(panel->Handle(), 30, 30);
  EXPECT_EQ(panelPicture.At(15, 15), kBlue);  // the plain background: the panel's colour
  EXPECT_EQ(counter.reports, 2);
}

// Repaint of an opaque windowless control paints it straight onto its parent, clipped to its
// bounds, without a round trip through the parent's WM_PAINT.
TEST(Painting, OpaqueWindowlessRepaintPaintsAtOnceClipped) {
  TCountingForm form(nullptr);
  form.SetColor(TColor(kRed));
  form.SetClientSize(100, 60);
  auto* swatch = new TSpillingSwatch(&form);
  swatch->SetParent(&form);
  swatch->SetBounds(10, 10, 40, 20);
  form.Show();
  UpdateWindow(form.Handle());
  Fill(TWindowDC(form.Handle()).dc(), {0, 0, 100, 60}, kRed);
  const int before = swatch->paints, formPaints = form.paints;
  swatch->Repaint();
  EXPECT_EQ(swatch->paints, before + 1);
  EXPECT_EQ(form.paints, formPaints);
  EXPECT_FALSE(HasUpdate(form.Handle()));
  TWindowDC screen(form.Handle());
  EXPECT_EQ(GetPixel(screen.dc(), 20, 20), kBlue);
  EXPECT_EQ(GetPixel(screen.dc(), 49, 29), kBlue);
  EXPECT_EQ(GetPixel(screen.dc(), 50, 20), kRed);
  EXPECT_EQ(GetPixel(screen.dc(), 20, 30), kRed);
  EXPECT_EQ(GetPixel(screen.dc(), 5, 5), kRed);
}

// A windowless control is told of a new place as a window is: WM_WINDOWPOSCHANGED, with
// SWP_NOMOVE or SWP_NOSIZE for what stayed, and nothing at all when nothing changed.
TEST(Painting, WindowlessControlsHearOfMovesAndSizes) {
  TForm form(nullptr);
  auto* swatch = new TSpillingSwatch(&form);
  swatch->SetParent(&form);
  swatch->SetBounds(10, 10, 40, 20);
  swatch->moves.clear();
  swatch->SetBounds(10, 10, 40, 20);
  EXPECT_TRUE(swatch->moves.empty());
  swatch->SetBounds(12, 14, 40, 20);
  swatch->SetBounds(12, 14, 50, 20);
  swatch->SetBounds(0, 0, 1, 1);
  ASSERT_EQ(swatch->moves.size(), 3u);
  const UINT both = SWP_NOMOVE | SWP_NOSIZE;
  EXPECT_EQ(swatch->moves[0].flags & both, UINT(SWP_NOSIZE));
  EXPECT_EQ(swatch->moves[0].x, 12);
  EXPECT_EQ(swatch->moves[0].y, 14);
  EXPECT_EQ(swatch->moves[1].flags & both, UINT(SWP_NOMOVE));
  EXPECT_EQ(swatch->moves[1].cx, 50);
  EXPECT_EQ(swatch->moves[2].flags & both, 0u);
}

// Every child window gets an id of its own, so that measure notices (sent while the window is
// still being created) and draw notices reach the control they concern.
TEST(Painting, OwnerDrawNoticesReachTheControlTheyName) {
  TForm form(nullptr);
  form.SetClientSize(200, 100);
  auto* first = new TOwnerDrawList(&form, 17);
  first->SetParent(&form);
  first->SetBounds(0, 0, 90, 90);
  auto* second = new TOwnerDrawList(&form, 23);
  second->SetParent(&form);
  second->SetBounds(100, 0, 90, 90);
  form.Show();
  ASSERT_NE(first->ChildId(), second->ChildId());
  EXPECT_GE(first->ChildId(), 0x100u);  // never a dialog command id such as IDOK
  ASSERT_FALSE(first->measuredIds.empty());
  ASSERT_FALSE(second->measuredIds.empty());
  EXPECT_EQ(first->measuredIds.front(), first->ChildId());
  EXPECT_EQ(second->measuredIds.front(), second->ChildId());
  EXPECT_EQ(SendMessageW(first->Handle(), LB_GETITEMHEIGHT, 0, 0), 17);
  EXPECT_EQ(SendMessageW(second->Handle(), LB_GETITEMHEIGHT, 0, 0), 23);
  SendMessageW(second->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
  UpdateWindow(second->Handle());
  EXPECT_TRUE(first->drawnIds.empty());
  ASSERT_FALSE(second->drawnIds.empty());
  EXPECT_EQ(second->drawnIds.front(), second->ChildId());
}
