#pragma once
// The writer's number format, printf "%g" with six significant digits of the
// float widened to double: exactly the text of FormatFloat, but several
// times faster for the values a map holds. Anything unusual (exponent form,
// near-ties in the rounding, NaN, infinities) is handed to FormatFloat.

#include "text/conversions.h"

// Writes at most kFloatTextMax characters; returns how many.
int FormatFloatFast(float value, char* buffer);
