#pragma once
// A small deterministic generator, so that a drawing made from the same seed
// looks the same on every frame, run and machine. Whoever draws owns the
// value and passes it on by reference so successive draws continue one
// sequence. No system randomness, no clock.

#include <cstdint>

namespace vt {

struct SeededRandom {
    std::uint64_t state = 0;

    SeededRandom() = default;
    // The seed becomes the state as it is, without scrambling.
    explicit SeededRandom(std::uint64_t seed) : state(seed) {}

    // Advances the state one step of Knuth's MMIX linear congruential
    // generator and returns the state passed through the SplitMix64 finaliser.
    std::uint64_t next()
    {
        state = state * 0x5851F42D4C957F2Dull + 0x14057B7EF767814Full;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number below n: next() modulo n. A bound of 0 gives 0 (and still
    // advances) rather than dividing by zero.
    std::uint64_t below(std::uint64_t n)
    {
        std::uint64_t v = next();
        return n == 0 ? 0 : v % n;
    }
};

}  // namespace vt
