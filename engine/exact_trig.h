#pragma once
// Arc cosine, cosine and sine that give the same bits on every platform:
// each result is the correctly rounded value of the exact function, computed
// from IEEE-754 additions, subtractions, multiplications, divisions and
// square roots only (no call into the platform's math library, whose results
// differ between C libraries and their versions).

// The single-precision arc cosine of x, correctly rounded; NaN when x is NaN
// or outside [-1, 1].
float ExactAcos(float x);

// The double-precision cosine and sine of x, both at once, each correctly
// rounded, for |x| <= 1024 (placement's angles lie in [0, 2 pi]); NaN beyond
// that and for infinities and NaN.
void ExactCosSin(double x, double& cosine, double& sine);
