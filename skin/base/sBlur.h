// The blur of glow masks.
#pragma once
#include "imaging/sBitmap8.h"

// The number of taps on each side of the centre that SmoothBitmap8 uses for radius r (the kernel
// rule below), or −1 when r is not positive (then nothing is blurred).
int SmoothKernelReach(double r);

// Blurs an 8-bit mask in place, every row and then every column. Kernel: for k = −16 … 16,
// w(k) = Round(exp(−(k/r)²/2)), each 0 or 1, normalised; the working radius shrinks from 16 while
// the tail beyond it stays below 1/510, and the window's weights are normalised again. Samples
// beyond a line's ends repeat the end sample. Output = the weighted sum truncated to 0 … 255.
// All weights in the window are equal, so the sum is exactly (sum of the samples) div (number of
// taps); computing it that way keeps flat areas flat where the float weights (1/n rounded down)
// would make them lose a level. r ≤ 0 leaves the bitmap unchanged.
void SmoothBitmap8(TBitmap8& bmp, double r);
