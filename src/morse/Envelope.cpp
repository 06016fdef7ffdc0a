// SPDX-License-Identifier: MIT
#include "morse/Envelope.h"

#include <algorithm>
#include <cmath>

namespace morse {

Envelope::Envelope(const std::complex<float>* steps, std::size_t count, bool reversed) {
    prefix_.reserve(count + 1);
    power_.reserve(count);
    prefix_.emplace_back(0, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::complex<float> step = steps[reversed ? count - 1 - i : i];
        prefix_.push_back(prefix_.back() + std::complex<double>(step));
        power_.push_back(std::norm(step));
    }
}

std::complex<double> Envelope::sumTo(double at) const {
    const auto whole = static_cast<std::size_t>(at);
    if (whole + 1 >= prefix_.size()) {
        return prefix_.back();
    }
    const double part = at - static_cast<double>(whole);
    return prefix_[whole] + part * (prefix_[whole + 1] - prefix_[whole]);
}

double Envelope::energy(double start, double length) const {
    if (!covers(start, length)) {
        return 0;
    }
    return std::norm(sumTo(start + length) - sumTo(start));
}

double Envelope::stepNoise() const {
    if (power_.empty()) {
        return 1;
    }
    std::vector<float> sorted = power_;
    const std::size_t at = sorted.size() / 5;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(at),
                     sorted.end());
    // The 20th percentile of an exponential distribution is 0.223 times its mean.
    return std::max(static_cast<double>(sorted[at]) / 0.223, 1e-30);
}

}  // namespace morse
