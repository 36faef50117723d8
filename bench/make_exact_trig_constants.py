#!/usr/bin/env python3
"""Prints the constants of engine/exact_trig.cpp (needs python3-mpmath).
Double-doubles are {hi, lo} with hi = the double nearest the value and lo =
the double nearest the rest."""
from mpmath import mp, mpf, pi, asin, sqrt, chebyfit, factorial, floor, frexp

mp.prec = 400


def dd(v):
    hi = float(v)
    return "{%s, %s}" % (float(hi).hex(), float(v - mpf(hi)).hex())


def doubles(values):
    return ",\n    ".join(float(v).hex() for v in values)


def dds(values):
    return ",\n    ".join(dd(v) for v in values)


print("constexpr DoubleDouble kPi = %s;" % dd(pi))
print("constexpr DoubleDouble kHalfPi = %s;" % dd(pi / 2))
print("constexpr double kTwoOverPi = %s;" % float(2 / pi).hex())

# pi/2 in four parts, the first three with 33 significant bits so that their
# products with a quadrant number below 2^20 are exact.
rest, parts = pi / 2, []
for _ in range(3):
    e = frexp(rest)[1]
    part = floor(rest * mpf(2) ** (33 - e) + mpf(0.5)) / mpf(2) ** (33 - e)
    parts.append(part)
    rest -= part
parts.append(mpf(float(rest)))
print("constexpr double kHalfPiParts[4] = {%s};" % ", ".join(float(p).hex() for p in parts))

# asin(s) = s + s t g(t), t = s^2 <= 1/4: g fitted in double.
mp.prec = 200
g = lambda t: mpf(1) / 6 if t == 0 else (asin(sqrt(t)) / sqrt(t) - 1) / t
poly, err = chebyfit(g, [0, mpf(1) / 4], 12, error=True)
print("// relative error of the fit: 2^%.1f" % float(mp.log(err * 6, 2)))
print("constexpr double kAsinFit[] = {\n    %s};" % doubles(poly))  # highest degree first

mp.prec = 400
# Taylor coefficients of asin (s^(2n+1), n = 1..45), highest first.
asin_taylor = [factorial(2 * n) / (mpf(4) ** n * factorial(n) ** 2 * (2 * n + 1)) for n in range(1, 46)]
print("constexpr DoubleDouble kAsinTaylor[] = {\n    %s};" % dds(reversed(asin_taylor)))

sign = lambda n: -1 if n % 2 else 1
# sin r = r + r^3 (-1/6 + ...), cos r = 1 + r^2 (-1/2 + ...): coefficients of
# t = r^2 in the bracket, highest first.
sin_taylor = [sign(n) / factorial(2 * n + 1) for n in range(1, 16)]
cos_taylor = [sign(n) / factorial(2 * n) for n in range(1, 16)]
print("constexpr DoubleDouble kSinTaylor[] = {\n    %s};" % dds(reversed(sin_taylor)))
print("constexpr DoubleDouble kCosTaylor[] = {\n    %s};" % dds(reversed(cos_taylor)))

# pi/256 in three parts for the reduction of the fast path, the first two
# with 36 significant bits (exact products with N = round(x 256 / pi) for
# |x| <= 2^10).
rest, parts = pi / 256, []
for _ in range(2):
    e = frexp(rest)[1]
    part = floor(rest * mpf(2) ** (36 - e) + mpf(0.5)) / mpf(2) ** (36 - e)
    parts.append(part)
    rest -= part
parts.append(mpf(float(rest)))
print("constexpr double kPiOver256Parts[3] = {%s};" % ", ".join(float(p).hex() for p in parts))
print("constexpr double k256OverPi = %s;" % float(256 / pi).hex())


# sin and cos of j pi / 256, j = 0 .. 127, each as a 26-bit head (whose
# products with 26-bit numbers are exact) and the double nearest the rest.
def head_and_rest(v):
    if v == 0:
        return "0x0p+0, 0x0p+0"
    e = frexp(v)[1]
    head = floor(v * mpf(2) ** (26 - e) + mpf(0.5)) / mpf(2) ** (26 - e)
    return "%s, %s" % (float(head).hex(), float(v - head).hex())


print("constexpr double kSinCosOfPiOver256[][4] = {")
for j in range(128):
    a = j * pi / 256
    print("    {%s, %s}," % (head_and_rest(mp.sin(a)), head_and_rest(mp.cos(a))))
print("};")
