#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace velmora {

// The embedded Runge-Kutta pair of order 5(4) by Dormand and Prince, with local error control
// and its continuous extension of order 4 (dense output). A small stepper of our own rather
// than a library: the displacer's motion is piecewise (free, or resting on a stop), every
// event restarts the integration from a new state, the state has a handful of components and
// the whole cycle must cost well under a millisecond, so fixed-size arrays and no allocation.
template <std::size_t N>
class DormandPrince {
  public:
    using State = std::array<double, N>;

    // Error weights: component i is accepted when |error_i| <= absTol_i + relTol |y_i|.
    double relTol = 1e-9;
    State absTol{};

    // Starts at (t, y) with a trial step h.
    template <class Rhs>
    void Start(Rhs& rhs, double t, const State& y, double h) {
        t_ = t;
        y_ = y;
        h_ = h;
        rhs(t_, y_, k_[0]);
    }

    // One accepted step, not beyond tEnd; retries with smaller steps until the error is
    // within the tolerance. False when the step would have to shrink below hMin.
    template <class Rhs>
    bool Step(Rhs& rhs, double tEnd, double hMin) {
        for (;;) {
            double h = std::min(h_, tEnd - t_);
            if (h < hMin && h < tEnd - t_) return false;
            const double err = Attempt(rhs, h);
            ++attempts_;
            if (err <= 1) {
                t0_ = t_;
                y0_ = y_;
                hLast_ = h;
                MakeDense(h);
                t_ += h;
                if (tEnd - t_ <= 1e-15 * std::abs(tEnd)) t_ = tEnd;
                y_ = yNew_;
                k_[0] = k_[6];  // first stage of the next step (FSAL)
                h_ = h * std::clamp(0.9 * std::pow(std::max(err, 1e-10), -0.2), 0.2, 5.0);
                return true;
            }
            h_ = h * std::max(0.2, 0.9 * std::pow(err, -0.25));
            if (h_ < hMin) return false;
        }
    }

    // The solution inside the last accepted step, t0() <= t <= t().
    State Dense(double t) const {
        const double s = (t - t0_) / hLast_;
        const double s1 = 1 - s;
        State y;
        for (std::size_t i = 0; i < N; ++i)
            y[i] = r_[0][i] + s * (r_[1][i] + s1 * (r_[2][i] + s * (r_[3][i] + s1 * r_[4][i])));
        return y;
    }
    // One component of Dense(t).
    double Dense(double t, std::size_t i) const {
        const double s = (t - t0_) / hLast_;
        const double s1 = 1 - s;
        return r_[0][i] + s * (r_[1][i] + s1 * (r_[2][i] + s * (r_[3][i] + s1 * r_[4][i])));
    }

    double t() const { return t_; }
    double t0() const { return t0_; }
    const State& y() const { return y_; }
    const State& y0() const { return y0_; }
    double NextStep() const { return h_; }
    long Attempts() const { return attempts_; }

  private:
    template <class Rhs>
    double Attempt(Rhs& rhs, double h) {
        static constexpr double a21 = 1.0 / 5;
        static constexpr double a31 = 3.0 / 40, a32 = 9.0 / 40;
        static constexpr double a41 = 44.0 / 45, a42 = -56.0 / 15, a43 = 32.0 / 9;
        static constexpr double a51 = 19372.0 / 6561, a52 = -25360.0 / 2187, a53 = 64448.0 / 6561,
                                a54 = -212.0 / 729;
        static constexpr double a61 = 9017.0 / 3168, a62 = -355.0 / 33, a63 = 46732.0 / 5247,
                                a64 = 49.0 / 176, a65 = -5103.0 / 18656;
        static constexpr double b1 = 35.0 / 384, b3 = 500.0 / 1113, b4 = 125.0 / 192,
                                b5 = -2187.0 / 6784, b6 = 11.0 / 84;
        static constexpr double e1 = 71.0 / 57600, e3 = -71.0 / 16695, e4 = 71.0 / 1920,
                                e5 = -17253.0 / 339200, e6 = 22.0 / 525, e7 = -1.0 / 40;
        State z;
        auto& k = k_;
        for (std::size_t i = 0; i < N; ++i) z[i] = y_[i] + h * a21 * k[0][i];
        rhs(t_ + h / 5, z, k[1]);
        for (std::size_t i = 0; i < N; ++i) z[i] = y_[i] + h * (a31 * k[0][i] + a32 * k[1][i]);
        rhs(t_ + 3 * h / 10, z, k[2]);
        for (std::size_t i = 0; i < N; ++i)
            z[i] = y_[i] + h * (a41 * k[0][i] + a42 * k[1][i] + a43 * k[2][i]);
        rhs(t_ + 4 * h / 5, z, k[3]);
        for (std::size_t i = 0; i < N; ++i)
            z[i] = y_[i] + h * (a51 * k[0][i] + a52 * k[1][i] + a53 * k[2][i] + a54 * k[3][i]);
        rhs(t_ + 8 * h / 9, z, k[4]);
        for (std::size_t i = 0; i < N; ++i)
            z[i] = y_[i] + h * (a61 * k[0][i] + a62 * k[1][i] + a63 * k[2][i] + a64 * k[3][i] +
                                a65 * k[4][i]);
        rhs(t_ + h, z, k[5]);
        for (std::size_t i = 0; i < N; ++i)
            yNew_[i] = y_[i] + h * (b1 * k[0][i] + b3 * k[2][i] + b4 * k[3][i] + b5 * k[4][i] +
                                    b6 * k[5][i]);
        rhs(t_ + h, yNew_, k[6]);
        double err = 0;
        for (std::size_t i = 0; i < N; ++i) {
            const double e = h * (e1 * k[0][i] + e3 * k[2][i] + e4 * k[3][i] + e5 * k[4][i] +
                                  e6 * k[5][i] + e7 * k[6][i]);
            const double scale = absTol[i] + relTol * std::max(std::abs(y_[i]), std::abs(yNew_[i]));
            err = std::max(err, std::abs(e) / scale);
        }
        return std::isfinite(err) ? err : 1e10;
    }

    // The coefficients of the order-4 continuous extension of the step just accepted.
    void MakeDense(double h) {
        static constexpr double d1 = -12715105075.0 / 11282082432.0,
                                d3 = 87487479700.0 / 32700410799.0,
                                d4 = -10690763975.0 / 1880347072.0,
                                d5 = 701980252875.0 / 199316789632.0,
                                d6 = -1453857185.0 / 822651844.0, d7 = 69997945.0 / 29380423.0;
        const auto& k = k_;
        for (std::size_t i = 0; i < N; ++i) {
            const double diff = yNew_[i] - y_[i];
            const double bspl = h * k[0][i] - diff;
            r_[0][i] = y_[i];
            r_[1][i] = diff;
            r_[2][i] = bspl;
            r_[3][i] = diff - h * k[6][i] - bspl;
            r_[4][i] = h * (d1 * k[0][i] + d3 * k[2][i] + d4 * k[3][i] + d5 * k[4][i] +
                            d6 * k[5][i] + d7 * k[6][i]);
        }
    }

    double t_ = 0, t0_ = 0, h_ = 0, hLast_ = 1;
    State y_{}, y0_{}, yNew_{};
    std::array<State, 7> k_{};
    std::array<State, 5> r_{};
    long attempts_ = 0;
};

}  // namespace velmora
