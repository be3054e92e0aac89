#pragma once
// Numbers that carry their derivatives by each of the model's weights, so that
// the optimiser gets the gradient of its loss from one run of the formulas in
// fsrs.h (forward-mode differentiation).

#include <array>
#include <cmath>

#include "core/memory/fsrs.h"

namespace morvanta::memory {

struct Dual {
    double value = 0;
    std::array<double, kWeightCount> slope{};

    Dual() = default;
    Dual(double constant) : value(constant) {}  // NOLINT: constants mix freely with duals
};

inline double ValueOf(const Dual& x) { return x.value; }

// The weights as duals, each with the slope 1 by itself.
inline std::array<Dual, kWeightCount> Variables(const Weights& weights) {
    std::array<Dual, kWeightCount> w;
    for (int i = 0; i < kWeightCount; ++i) {
        w[i].value = weights[i];
        w[i].slope[i] = 1.0;
    }
    return w;
}

namespace dual_detail {
// x's value f with slope df/dx.
inline Dual Chain(const Dual& x, double f, double dfdx) {
    Dual r(f);
    for (int i = 0; i < kWeightCount; ++i) r.slope[i] = dfdx * x.slope[i];
    return r;
}
}  // namespace dual_detail

inline Dual operator-(const Dual& x) { return dual_detail::Chain(x, -x.value, -1.0); }

inline Dual operator+(const Dual& a, const Dual& b) {
    Dual r(a.value + b.value);
    for (int i = 0; i < kWeightCount; ++i) r.slope[i] = a.slope[i] + b.slope[i];
    return r;
}
inline Dual operator-(const Dual& a, const Dual& b) {
    Dual r(a.value - b.value);
    for (int i = 0; i < kWeightCount; ++i) r.slope[i] = a.slope[i] - b.slope[i];
    return r;
}
inline Dual operator*(const Dual& a, const Dual& b) {
    Dual r(a.value * b.value);
    for (int i = 0; i < kWeightCount; ++i) r.slope[i] = a.slope[i] * b.value + a.value * b.slope[i];
    return r;
}
inline Dual operator/(const Dual& a, const Dual& b) {
    const double q = a.value / b.value;
    Dual r(q);
    for (int i = 0; i < kWeightCount; ++i) r.slope[i] = (a.slope[i] - q * b.slope[i]) / b.value;
    return r;
}
inline Dual operator+(const Dual& a, double b) { return dual_detail::Chain(a, a.value + b, 1.0); }
inline Dual operator+(double a, const Dual& b) { return b + a; }
inline Dual operator-(const Dual& a, double b) { return dual_detail::Chain(a, a.value - b, 1.0); }
inline Dual operator-(double a, const Dual& b) { return dual_detail::Chain(b, a - b.value, -1.0); }
inline Dual operator*(const Dual& a, double b) { return dual_detail::Chain(a, a.value * b, b); }
inline Dual operator*(double a, const Dual& b) { return b * a; }
inline Dual operator/(const Dual& a, double b) { return dual_detail::Chain(a, a.value / b, 1.0 / b); }
inline Dual operator/(double a, const Dual& b) {
    return dual_detail::Chain(b, a / b.value, -a / (b.value * b.value));
}

inline Dual exp(const Dual& x) {
    const double e = std::exp(x.value);
    return dual_detail::Chain(x, e, e);
}
inline Dual log(const Dual& x) { return dual_detail::Chain(x, std::log(x.value), 1.0 / x.value); }
inline Dual pow(const Dual& x, double p) {
    return dual_detail::Chain(x, std::pow(x.value, p), p * std::pow(x.value, p - 1.0));
}
// x^p with both varying: d = x^p (p' ln x + p x'/x).
inline Dual pow(const Dual& x, const Dual& p) {
    const double f = std::pow(x.value, p.value);
    const double lnx = std::log(x.value);
    Dual r(f);
    for (int i = 0; i < kWeightCount; ++i)
        r.slope[i] = f * (p.slope[i] * lnx + p.value * x.slope[i] / x.value);
    return r;
}

}  // namespace morvanta::memory
