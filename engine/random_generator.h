#pragma once
// The classic 15-bit linear congruential generator. Never seeded from the
// clock: a fresh engine always starts the same sequence, so a run is
// reproducible, and later runs of the same engine continue it.

#include <cstdint>

class RandomGenerator {
public:
    explicit RandomGenerator(std::uint32_t seed = 1) : state_(seed) {}

    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }
    void Seed(std::uint32_t seed) { state_ = seed; }
    std::uint32_t State() const { return state_; }

private:
    std::uint32_t state_;
};
