#pragma once
// The quiz's random numbers, passed in so tests can fix the draws.

#include <cstdint>
#include <random>

namespace morvanta::quiz {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform r with 0 <= r < n; 0 for n <= 0.
    virtual int random(int n) = 0;
};

class StdRandom : public RandomSource {
public:
    explicit StdRandom(std::uint64_t seed) : engine_(seed) {}
    int random(int n) override {
        if (n <= 0) return 0;
        return std::uniform_int_distribution<int>(0, n - 1)(engine_);
    }
    void seed(std::uint64_t s) { engine_.seed(s); }

private:
    std::mt19937_64 engine_;
};

}  // namespace morvanta::quiz
