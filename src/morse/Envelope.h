// SPDX-License-Identifier: MIT
#pragma once

#include <complex>
#include <cstddef>
#include <vector>

namespace morse {

// A stretch of the tone's envelope (the mixed-down steps), kept as running sums so that the
// sum over any interval, at a fractional start, costs two look-ups. Its energy over one unit
// is the matched filter's output for a key-down unit there.
class Envelope {
  public:
    // The steps in time order, or reversed (for decoding a frame backwards from its end).
    Envelope(const std::complex<float>* steps, std::size_t count, bool reversed);

    std::size_t size() const { return prefix_.size() - 1; }
    bool covers(double start, double length) const {
        return start >= 0 && start + length <= static_cast<double>(size());
    }
    // |sum of the steps over [start, start + length)|^2, 0 where it leaves the stretch.
    double energy(double start, double length) const;
    // The noise power of one step, from a low quantile of the steps' power (noise alone
    // fills most of it: the key is up more than half the time).
    double stepNoise() const;

  private:
    std::complex<double> sumTo(double at) const;

    std::vector<std::complex<double>> prefix_;
    std::vector<float> power_;
};

}  // namespace morse
