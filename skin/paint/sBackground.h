// The background query (command 34): what a control asks its parent about what lies behind it,
// and the parent's answer.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "framework/Graphics.h"
#include "skin/base/sCacheInfo.h"
#include "skin/paint/sCommonData.h"

// The answer kinds of the background query.
enum : std::uint8_t { qaNone = 0, qaColor = 1, qaBitmap = 2, qaNotReady = 3 };

// The background query (command 34): what a control asks its parent about what lies behind it.
struct TsBackgroundQuery {
  TBitmap* Bmp = nullptr;  // answer: the parent's picture
  TColor Color = 0;        // answer: the colour
  int X = 0, Y = 0;        // answer: the asking control's origin in Bmp
  TRect PaintRect{};       // request: the area to paint when PaintNow
  TRect FillRect{};        // answer: frame band widths valid in Bmp when the answer is a colour
  std::uint8_t Answer = qaNone;
  bool PaintNow = false;   // request: paint the background into PaintDC instead
  HDC PaintDC = nullptr;
};

// ---- Asking ----
// Fills the query from the parent (command 34; an unskinned parent is asked for its colour or,
// with paintNow, to paint itself into query.PaintDC).
void QueryParentBackground(TsBackgroundQuery& query, TControl& parent, bool paintNow);
void QueryParentWindowBackground(TsBackgroundQuery& query, HWND parent, bool paintNow);
// Asks the owner's parent (or its window's parent window) what lies behind the control, without
// asking it to draw; false when the control has neither.
bool QueryOwnerBackground(const TsCommonData& data, TsBackgroundQuery& query);
// The answer as the painters take it.
TCacheInfo CacheInfoOf(const TsBackgroundQuery& query);
// What lies behind the control, from its parent (or parent window).
TCacheInfo GetControlBackground(TsCommonData& data);
// The same for a control about to build its cache: nothing while the parent's picture is not
// ready (the control then waits for command 6, FUpdating set), the control's own background
// colour when there is no parent to ask.
std::optional<TCacheInfo> ReadyControlBackground(TsCommonData& data);

// ---- Answering (the common handler) ----
// Fills q for a child of the control that owns d: a colour, the control's cache (bringing it up to
// date first), "not ready yet", or the answer of the control's own parent when it is transparent.
void AnswerBackgroundQuery(TsCommonData& d, TsBackgroundQuery& q);
// Whether the control gives its cache to children as their background: always when opaque for
// children; when transparent, only while hot and not a container.
bool LendsCache(const TsCommonData& d);
