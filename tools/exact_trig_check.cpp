// Exhaustive check of engine/exact_trig against MPFR (not part of the tests:
// it takes long). Compares
//   acos: every float in [-1, 1] (2,130,706,434 of them), by the cosines of
//         the rounding boundaries (see AcosBoundaries);
//   cos, sin: every angle placement can produce, theta = float(Y pi / 180)
//         for Y = float(k / 100000), k = 0 .. 36,000,000.
// Prints progress, every mismatch, the hardest cases (the exact value's
// distance to the nearest rounding midpoint, in units of the result's last
// place) and the counts.
//
//   exact_trig_check [acos|trig|all] [THREADS]

#include <mpfr.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/exact_trig.h"

namespace {

struct HardCase {
    double argument;
    double margin;  // 0.5 - |exact - result| / ulp: 0 is a midpoint
};

struct Tally {
    std::atomic<std::uint64_t> checked{0};
    std::atomic<std::uint64_t> mismatches{0};
    std::mutex mutex;
    std::vector<HardCase> hardest;

    // Keeps the 24 hardest cases; returns the margin a case must beat now.
    double Record(double argument, double margin) {
        std::lock_guard<std::mutex> lock(mutex);
        for (const HardCase& known : hardest)
            if (known.argument == argument) return hardest.size() < 24 ? 1.0 : hardest.back().margin;
        hardest.push_back({argument, margin});
        std::sort(hardest.begin(), hardest.end(), [](const HardCase& a, const HardCase& b) { return a.margin < b.margin; });
        if (hardest.size() > 24) hardest.resize(24);
        return hardest.size() < 24 ? 1.0 : hardest.back().margin;
    }
};

std::uint32_t FloatBits(float f) {
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

std::uint64_t DoubleBits(double d) {
    std::uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

float FloatFromBits(std::uint32_t b) {
    float f;
    std::memcpy(&f, &b, sizeof f);
    return f;
}

// The margin of a rounded result: how far exact (at high precision) lies
// from the nearest midpoint, in units of the result's last place.
double Margin(mpfr_t exact, double rounded, int resultBits, mpfr_t scratch) {
    if (rounded == 0) return 0.5;
    int exponent;
    mpfr_set_d(scratch, rounded, MPFR_RNDN);
    exponent = static_cast<int>(mpfr_get_exp(scratch));  // rounded in [2^(e-1), 2^e)
    mpfr_sub(scratch, exact, scratch, MPFR_RNDN);
    mpfr_mul_2si(scratch, scratch, resultBits - exponent, MPFR_RNDN);
    const double fraction = mpfr_get_d(scratch, MPFR_RNDN);
    return 0.5 - (fraction < 0 ? -fraction : fraction);
}

// Below this margin the high-precision value is so close to a midpoint
// that rounding it again could differ from rounding the exact value once.
constexpr double kDoubleRoundingRisk = 1e-12;

// acos by its rounding boundaries: acos decreases, so acos(x) rounds to the
// float f exactly when cos(m_hi) < x < cos(m_lo), m_lo and m_hi being the
// midpoints between f and its neighbours (the lower bound is void when
// m_hi > pi). Walking x upwards, the results come in runs of equal f, so
// MPFR is asked for two cosines per distinct result instead of one arc
// cosine per argument (about 120 million instead of 2.1 billion calls).
class AcosBoundaries {
public:
    AcosBoundaries() {
        mpfr_inits2(120, pi_, low_, high_, scratch_, static_cast<mpfr_ptr>(nullptr));
        mpfr_init2(midpoint_, 60);
        mpfr_const_pi(pi_, MPFR_RNDN);
    }
    ~AcosBoundaries() { mpfr_clears(pi_, low_, high_, scratch_, midpoint_, static_cast<mpfr_ptr>(nullptr)); }

    // Whether f is the float nearest acos(x); 0 when it cannot tell (x is
    // within 2^-120 of a boundary).
    int Check(float x, float f, double& margin) {
        margin = 0.5;
        if (f == 0 || FloatBits(f) >= 0x7f800000u) return FloatBits(f) == 0 && x == 1.0f ? 1 : -1;
        if (FloatBits(f) != cached_) Prepare(f);
        mpfr_set_flt(scratch_, x, MPFR_RNDN);
        const int aboveLow = lowVoid_ ? 1 : mpfr_cmp(scratch_, low_);
        const int belowHigh = -mpfr_cmp(scratch_, high_);
        if (aboveLow == 0 || belowHigh == 0) return 0;
        // Distance to the nearer boundary in units of the result's spacing:
        // |acos(x) - m| is about |x - cos(m)| / sin(m).
        const double toHigh = (static_cast<double>(x) - highHi_ - highLo_) / highSlope_;
        margin = toHigh < 0 ? -toHigh : toHigh;
        if (!lowVoid_) {
            const double toLow = (static_cast<double>(x) - lowHi_ - lowLo_) / lowSlope_;
            margin = std::min(margin, toLow < 0 ? -toLow : toLow);
        }
        return aboveLow > 0 && belowHigh > 0 ? 1 : -1;
    }

private:
    // cos(m) into bound (with its double-double and the slope of cos there,
    // sin(m) times the spacing of the results, for the margins).
    void Boundary(double m, double spacing, mpfr_t bound, double& hi, double& lo, double& slope) {
        mpfr_set_d(midpoint_, m, MPFR_RNDN);
        mpfr_cos(bound, midpoint_, MPFR_RNDN);
        hi = mpfr_get_d(bound, MPFR_RNDN);
        mpfr_sub_d(scratch_, bound, hi, MPFR_RNDN);
        lo = mpfr_get_d(scratch_, MPFR_RNDN);
        slope = std::sin(m) * spacing;
    }

    void Prepare(float f) {
        cached_ = FloatBits(f);
        const double below = FloatFromBits(cached_ - 1), value = f, above = FloatFromBits(cached_ + 1);
        Boundary((below + value) / 2, value - below, high_, highHi_, highLo_, highSlope_);
        const double upper = (value + above) / 2;
        lowVoid_ = mpfr_cmp_d(pi_, upper) < 0;
        if (!lowVoid_) Boundary(upper, above - value, low_, lowHi_, lowLo_, lowSlope_);
    }

    mpfr_t pi_, low_, high_, scratch_, midpoint_;
    std::uint32_t cached_ = 0;
    bool lowVoid_ = false;
    double highHi_ = 0, highLo_ = 0, highSlope_ = 1, lowHi_ = 0, lowLo_ = 0, lowSlope_ = 1;
};

// Floats in [-1, 1] in increasing order: index 0 is -1, index 2 * 0x3f800000 + 1 is 1.
constexpr std::uint32_t kOneBits = 0x3f800000u;
float AscendingFloat(std::uint32_t index) {
    return index <= kOneBits ? FloatFromBits(0x80000000u | (kOneBits - index)) : FloatFromBits(index - kOneBits - 1);
}

void CheckAcosRange(std::uint32_t first, std::uint32_t last, Tally& tally) {
    double threshold = 1.0;
    AcosBoundaries boundaries;
    mpfr_t x, rounded;
    mpfr_init2(x, 24);
    mpfr_init2(rounded, 24);
    for (std::uint32_t index = first; index <= last; ++index) {
        const float argument = AscendingFloat(index);
        const float got = ExactAcos(argument);
        double margin;
        const int verdict = boundaries.Check(argument, got, margin);
        if (verdict <= 0) {  // undecided or wrong: ask MPFR for acos itself
            mpfr_set_flt(x, argument, MPFR_RNDN);
            mpfr_acos(rounded, x, MPFR_RNDN);
            const float expected = mpfr_get_flt(rounded, MPFR_RNDN);
            if (FloatBits(got) != FloatBits(expected)) {
                ++tally.mismatches;
                std::printf("MISMATCH acos(%a): %a, MPFR %a\n", argument, got, expected);
            }
        }
        if (margin < threshold) threshold = tally.Record(argument, margin);
    }
    tally.checked += last - first + 1;
    mpfr_clears(x, rounded, static_cast<mpfr_ptr>(nullptr));
}

enum class Function { kCos, kSin };

void CheckTrigRange(std::uint32_t first, std::uint32_t last, Function function, Tally& tally) {
    double threshold = 1.0;
    mpfr_t x, exact, rounded, scratch;
    mpfr_init2(x, 53);
    mpfr_init2(exact, 140);
    mpfr_init2(rounded, 53);
    mpfr_init2(scratch, 140);
    for (std::uint32_t k = first; k <= last; ++k) {
        const float yawDegrees = static_cast<float>(static_cast<double>(k) / 100000.0);
        const double theta = static_cast<float>(static_cast<double>(yawDegrees) * 3.141592653589793 / 180.0);
        mpfr_set_d(x, theta, MPFR_RNDN);
        const auto evaluate = function == Function::kCos ? mpfr_cos : mpfr_sin;
        evaluate(exact, x, MPFR_RNDN);
        double expected = mpfr_get_d(exact, MPFR_RNDN);
        const double margin = Margin(exact, expected, 53, scratch);
        if (margin < kDoubleRoundingRisk) {
            evaluate(rounded, x, MPFR_RNDN);
            expected = mpfr_get_d(rounded, MPFR_RNDN);
        }
        double cosine, sine;
        ExactCosSin(theta, cosine, sine);
        const double got = function == Function::kCos ? cosine : sine;
        if (DoubleBits(got) != DoubleBits(expected)) {
            ++tally.mismatches;
            std::printf("MISMATCH %s(%a): %a, MPFR %a\n", function == Function::kCos ? "cos" : "sin", theta, got, expected);
        }
        if (margin < threshold) threshold = tally.Record(theta, margin);
        ++tally.checked;
    }
    mpfr_clears(x, exact, rounded, scratch, static_cast<mpfr_ptr>(nullptr));
}

// Runs work(chunk) for chunks 0 .. count-1 on the threads, printing progress.
template <typename Work>
void RunChunks(const char* name, std::uint32_t count, unsigned threads, Tally& tally, Work work) {
    const auto start = std::chrono::steady_clock::now();
    std::atomic<std::uint32_t> next{0};
    std::atomic<std::uint32_t> done{0};
    std::mutex printing;
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t) {
        pool.emplace_back([&] {
            for (std::uint32_t chunk; (chunk = next++) < count;) {
                work(chunk);
                const std::uint32_t finished = ++done;
                const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                std::lock_guard<std::mutex> lock(printing);
                std::printf("%s: chunk %u of %u done (%" PRIu64 " checked, %" PRIu64 " mismatches, %.0f s)\n", name,
                            finished, count, tally.checked.load(), tally.mismatches.load(), seconds);
                std::fflush(stdout);
            }
        });
    }
    for (std::thread& thread : pool) thread.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %" PRIu64 " checked, %" PRIu64 " mismatches, %.0f s\n", name, tally.checked.load(),
                tally.mismatches.load(), seconds);
    std::printf("%s: hardest cases (argument, margin in units of the last place):\n", name);
    for (const HardCase& hard : tally.hardest) std::printf("  %a  %.3g\n", hard.argument, hard.margin);
    std::fflush(stdout);
}

std::uint64_t CheckAcos(unsigned threads) {
    constexpr std::uint32_t kLast = 2 * kOneBits + 1;
    constexpr std::uint32_t kChunk = 1u << 22;
    Tally tally;
    RunChunks("acos", kLast / kChunk + 1, threads, tally, [&](std::uint32_t chunk) {
        CheckAcosRange(chunk * kChunk, std::min(kLast, chunk * kChunk + kChunk - 1), tally);
    });
    return tally.mismatches;
}

std::uint64_t CheckTrig(Function function, unsigned threads) {
    constexpr std::uint32_t kLast = 36000000;
    constexpr std::uint32_t kChunk = 500000;
    Tally tally;
    RunChunks(function == Function::kCos ? "cos" : "sin", kLast / kChunk + 1, threads, tally, [&](std::uint32_t chunk) {
        CheckTrigRange(chunk * kChunk, std::min(kLast, chunk * kChunk + kChunk - 1), function, tally);
    });
    return tally.mismatches;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "all";
    const unsigned threads = argc > 2 ? static_cast<unsigned>(std::max(1, std::atoi(argv[2]))) : 2;
    if (what != "acos" && what != "trig" && what != "all") {
        std::fprintf(stderr, "usage: exact_trig_check [acos|trig|all] [THREADS]\n");
        return 2;
    }
    std::uint64_t mismatches = 0;
    if (what != "acos") {
        mismatches += CheckTrig(Function::kCos, threads);
        mismatches += CheckTrig(Function::kSin, threads);
    }
    if (what != "trig") mismatches += CheckAcos(threads);
    std::printf("total mismatches: %" PRIu64 "\n", mismatches);
    return mismatches == 0 ? 0 : 1;
}
