#include "skin/controls/sComboBoxGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>

int ComboButtonWidth(int style, bool showButton, int scrollWidth) {
  if (style == kComboSimple || !showButton) return 0;
  return scrollWidth + 1;
}

TRect ComboButtonRect(int width, int height, int margin, int w, bool rightToLeft) {
  const int left = rightToLeft ? margin : width - w - margin;
  return TRect{left, margin, left + w, height - margin};
}

TPoint ComboGlyphOrigin(const TRect& button, int frameWidth, int height, int buttonHeight) {
  return TPoint{button.Left + (button.Width() - frameWidth) / 2, (height - buttonHeight) / 2};
}

TRect ComboTextRect(const TRect& button, int width, int cacheHeight, bool rightToLeft) {
  if (rightToLeft) return TRect{button.Right + 1, 3, width - 3, cacheHeight - 3};
  return TRect{3, 3, button.Left - 1, cacheHeight - 3};
}

unsigned ComboEditItemState(bool focused, int style) {
  return focused && style >= kComboDropDownList ? odsComboBoxEdit | odsFocus | odsSelected : odsComboBoxEdit;
}

int ComboButtonState(bool droppedDown, bool hot) { return droppedDown ? 2 : hot ? 1 : 0; }

void TsComboScale::Step(int m, int d) {
  if (m <= 0 || d <= 0) return;
  // Both factors are below 2^31, so each product fits 64 bits exactly.
  std::int64_t num = std::int64_t(std::max(M, 1)) * m;
  std::int64_t den = std::int64_t(std::max(D, 1)) * d;
  const std::int64_t g = std::gcd(num, den);
  num /= g;
  den /= g;
  while (num > INT_MAX || den > INT_MAX) {
    num = std::max<std::int64_t>(num / 2, 1);
    den = std::max<std::int64_t>(den / 2, 1);
  }
  M = int(num);
  D = int(den);
}

int ComboItemHeight(int textHeightA, const TsComboScale& scale) {
  const std::int64_t d = scale.D > 0 ? scale.D : 1;
  const std::int64_t p = std::int64_t(textHeightA) * scale.M;  // exact: |p| < 2^62
  std::int64_t q = p / d;
  const std::int64_t r = p % d;
  // Half away from zero, as the platform's MulDiv: a remainder of half the divisor or more moves
  // the quotient one further from 0 (d is positive, so the sign is p's).
  if (2 * (r < 0 ? -r : r) >= d) q += p < 0 ? -1 : 1;
  return int(std::clamp<std::int64_t>(q + 2, INT_MIN, INT_MAX));
}

bool ComboReadOnlySwallowsKey(unsigned keyCode) {
  return (keyCode >= 32 && keyCode <= 40) || keyCode == 57 || (keyCode >= 65 && keyCode <= 90) || keyCode == 115;
}
