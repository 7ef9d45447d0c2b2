// The skinned window frame's metrics, its title layout and the skin hit test, as pure functions
// of what the platform reports: the system's frame and caption sizes and the window's own size,
// style and state, all injected by the caller. No Windows API: the form's provider fills the
// inputs from GetSystemMetrics and the window, the tests and the gallery fill them by hand.
#pragma once
#include "framework/FormTypes.h"
#include "framework/Types.h"

struct TsCaptionButtons;
struct TsButtonQueries;

// The system's sizes the frame is built from (SM_CXFRAME, SM_CXDLGFRAME, SM_CYCAPTION,
// SM_CYSMCAPTION, SM_CYMENU). The defaults are the values Windows reports at 96 dpi.
struct TsSystemMetrics {
  int CXFrame = 4;
  int CXDlgFrame = 3;
  int CYCaption = 19;
  int CYSmCaption = 15;
  int CYMenu = 19;
};

// What the window reports of itself. The style bits come as booleans: WS_THICKFRAME, WS_BORDER
// and WS_DLGFRAME (WS_CAPTION is both of the last two).
struct TsFrameWindow {
  int Width = 0, Height = 0;              // the window rectangle
  int ClientWidth = 0, ClientHeight = 0;  // the client rectangle
  bool ThickFrame = false;
  bool Border = false;
  bool DlgFrame = false;
  bool Minimized = false;
  bool Maximized = false;
  bool MainForm = true;  // the application's main form
  TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
  int FormBorderWidth = 0;  // the form's own BorderWidth property
  // Thickness of the form's own scroll bars where they are shown, else 0.
  int OwnHScrollHeight = 0, OwnVScrollWidth = 0;

  bool HasCaption() const { return Border && DlgFrame; }
};

// A bsDialog form of client size w × h as Windows makes it: WS_CAPTION, no thick frame, framed by
// SM_CXDLGFRAME on every side below a caption of SM_CYCAPTION.
TsFrameWindow DialogWindow(const TsSystemMetrics& sys, int clientWidth, int clientHeight);

// The frame's sizes. Frame is SM_CXFRAME with WS_THICKFRAME, else SM_CXDLGFRAME with WS_BORDER,
// else 0.
struct TsFrameMetrics {
  int Frame = 0;
  int BorderWidth = 0;    // Frame + the form's BorderWidth
  int BorderHeight = 0;   // the same: the horizontal metric serves the top and bottom edges too
  int CaptionHeight = 0;  // 0 without both caption bits unless minimised; the small caption for tool windows
  int HeaderHeight = 0;   // rows above the client: window − client − bottom border, never below 0
  int MenuHeight = 0;     // always 0: these forms carry no main menu
  int CaptionWidth = 0;   // the image's width: the window's, 160 for a minimised secondary form
  int OffsetX = 0;        // the client area's top-left corner in the window image
  int OffsetY = 0;
};
TsFrameMetrics FrameMetrics(const TsSystemMetrics& sys, const TsFrameWindow& wnd);

// Whether the title shows an icon: TitleIcon.Visible, a bsSingle or bsSizeable form, ShowAppIcon
// and a system menu on the window.
bool TitleIconShown(TFormBorderStyle style, bool titleIconVisible, bool showAppIcon, bool hasSystemMenu);

// Where the title's items go.
struct TsTitleLayout {
  int VCenter = 0;        // vertical centre line of the title's items
  int FHeaderHeight = 0;  // Frame + CaptionHeight: the title strip's height
  TRect FIconRect;        // the icon, window coordinates; empty (Right = Left) when not shown
};
// VCenter = CaptionHeight div 2 + Frame div 2 (+2 while maximised). The icon starts at Frame +
// biLeftMargin; its size is iconW × iconH, or, for 0, chosen from CaptionHeight (1 up to 8, 8 up
// to 16, else 16); it is centred on VCenter.
TsTitleLayout TitleLayout(const TsFrameMetrics& m, const TsFrameWindow& wnd, int biLeftMargin, bool iconShown,
                          int iconW = 0, int iconH = 0);

// The caption text's box in the image, before the text is measured: from Frame + the icon's width
// (when shown) + biLeftMargin + 4 (+2 more when the skin has a CAPTION section) to CaptionWidth −
// areaWidth − 12, textHeight rows from VCenter − textHeight div 2.
TRect CaptionTextBox(const TsFrameMetrics& m, const TsTitleLayout& t, int biLeftMargin, bool captionSection,
                     int areaWidth, int textHeight);
// The box moved for the caption's alignment (mirrored for right-to-left forms): right-justified,
// a text (captionWidth + addedWidth + 4) narrower than the box ends at its right edge; centred,
// the left edge moves right by half the room left over (never left of the box) and the right
// edge comes to left + captionWidth, never past the box.
TRect AlignCaptionText(TRect box, TAlignment alignment, bool rightToLeft, int captionWidth, int addedWidth);

// Hit-test codes (the platform's WM_NCHITTEST values).
enum TsHitCode : int {
  shtNowhere = 0,
  shtClient = 1,
  shtCaption = 2,
  shtSysMenu = 3,
  shtMenu = 5,
  shtMinButton = 8,
  shtMaxButton = 9,
  shtLeft = 10,
  shtRight = 11,
  shtTop = 12,
  shtTopLeft = 13,
  shtTopRight = 14,
  shtBottom = 15,
  shtBottomLeft = 16,
  shtBottomRight = 17,
  shtClose = 20,
  shtHelp = 21,
};

// Everything the skin hit test looks at.
struct TsHitTestInput {
  const TsSystemMetrics* System = nullptr;
  const TsFrameWindow* Window = nullptr;
  const TsFrameMetrics* Metrics = nullptr;
  const TsTitleLayout* Title = nullptr;
  const TsCaptionButtons* Buttons = nullptr;  // none: no caption buttons
  const TsButtonQueries* Queries = nullptr;
  bool GripShown = false;  // a size grip whose image's top-left corner is GripOrigin
  TPoint GripOrigin;
};

// The skin's hit test of point p in window coordinates, in this order: a caption button's code
// (shtCaption when that button is disabled); for a sizeable window that is not maximised the
// resize edges, Frame wide on each side; the title rows [0, CaptionHeight + Frame) give
// shtSysMenu on the icon, else shtCaption; below them shtBottomRight beyond the grip's origin
// when a grip is shown, else shtClient. The caller answers with the platform only for forms
// whose CaptionHeight is above 0.
int FrameHitTest(const TsHitTestInput& in, TPoint p);
