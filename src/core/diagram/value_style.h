#pragma once
// How the live circuit shows the value a line carries, on any canvas with its one-pixel pen: a 1
// is a solid line two pixels wide in vermilion, a 0 a dashed line one pixel wide in blue, so the
// two differ in colour for every eye and in width and dashes on a greyscale print. The colours
// are the orange-blue pair that stays apart for the common colour-vision deficiencies.

#include <vector>

#include "diagram/canvas.h"

namespace kestrel {

inline constexpr Color kValueOneColor = 0xD55E00;
inline constexpr Color kValueZeroColor = 0x0072B2;
/// The pen of the mark that the circuit's F differs from the function.
inline constexpr Color kMismatchColor = 0xCC0000;

/// The length of a dash and of the gap after it on a line carrying 0.
inline constexpr int kZeroDash = 4;
inline constexpr int kZeroGap = 3;

/// Draws the line from a to b (its end point not painted, as Canvas::Line) in the style of the
/// value, over whatever was drawn there: the plain line under a dashed 0 is wiped white first.
/// Leaves the pen black.
void ValueLine(Canvas& canvas, Point a, Point b, bool value);
/// The same for each segment of a path.
void ValuePath(Canvas& canvas, const std::vector<Point>& path, bool value);

}  // namespace kestrel
