// SPDX-License-Identifier: MIT
#include "morse/SlotDecoder.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace morse {
namespace {

constexpr int grid = 6;   // positions per unit
constexpr int slack = 3;  // positions a slot may start off its predecessor's timing
constexpr float slackPenalty = 0.3F;
constexpr float impossible = -1e30F;

// The log-likelihood ratio, for each grid position, of a key-down unit there over a key-up
// unit: a carrier of known power in complex Gaussian noise against the noise alone (the
// Rice and Rayleigh densities of the matched filter's magnitude).
std::vector<float> unitEvidence(const SlotRequest& request, std::size_t positions,
                                std::vector<bool>& inside) {
    std::vector<float> evidence(positions, 0.0F);
    inside.assign(positions, false);
    const double sigma = std::sqrt(request.levels.noise);
    const double step = request.unit / grid;
    for (std::size_t q = 0; q < positions; ++q) {
        const double start = request.firstFrom + static_cast<double>(q) * step;
        if (!request.envelope->covers(start, request.unit)) {
            continue;
        }
        inside[q] = true;
        const double signal = request.signalAt ? request.signalAt(start) : request.levels.signal;
        const double rho = std::sqrt(std::max(signal, 1e-9) / request.levels.noise);
        // A click is capped at the strongest key-down unit that is at all likely.
        const double r =
            std::min(std::sqrt(request.envelope->energy(start, request.unit)) / sigma, rho + 4);
        evidence[q] = static_cast<float>(-rho * rho + logBesselI0(2 * rho * r));
    }
    return evidence;
}

struct Tables {
    std::size_t positions = 0;
    std::vector<std::vector<float>> symbolScore;  // per symbol, per grid start
    std::vector<int> length;                      // per symbol, in grid positions
};

Tables scoreSymbols(const SlotRequest& request, const std::vector<float>& evidence) {
    Tables tables;
    tables.positions = evidence.size();
    for (const Symbol& symbol : symbols()) {
        std::vector<float> score(evidence.size(), 0.0F);
        for (std::size_t q = 0; q < evidence.size(); ++q) {
            float sum = 0;
            for (const int unit : symbol.keyDown) {
                const int at = request.mirrored ? symbol.units - 1 - unit : unit;
                const std::size_t p = q + static_cast<std::size_t>(at * grid);
                sum += p < evidence.size() ? evidence[p] : 0.0F;
            }
            score[q] = sum;
        }
        tables.symbolScore.push_back(std::move(score));
        tables.length.push_back(symbol.units * grid);
    }
    return tables;
}

int advance(const Tables& tables, const Slot& slot, int symbol) {
    return tables.length[symbol] + slot.gapAfter * grid;
}

// The best score of the slots after `slot` when `symbol` fills it at q.
float bestAfter(const std::vector<float>& next, int to) {
    float best = impossible;
    for (int d = -slack; d <= slack; ++d) {
        const int at = to + d;
        if (at >= 0 && at < static_cast<int>(next.size()) && next[at] > impossible) {
            best = std::max(best, next[at] - slackPenalty * static_cast<float>(std::abs(d)));
        }
    }
    return best;
}

}  // namespace

double logBesselI0(double x) {
    // Abramowitz and Stegun 9.8.1 and 9.8.2.
    const double ax = std::abs(x);
    if (ax < 3.75) {
        const double y = (x / 3.75) * (x / 3.75);
        return std::log(
            1.0 + y * (3.5156229 +
                       y * (3.0899424 +
                            y * (1.2067492 + y * (0.2659732 + y * (0.0360768 + y * 0.0045813))))));
    }
    const double y = 3.75 / ax;
    const double poly =
        0.39894228 +
        y * (0.01328592 +
             y * (0.00225319 +
                  y * (-0.00157565 +
                       y * (0.00916281 +
                            y * (-0.02057706 +
                                 y * (0.02635537 + y * (-0.01647633 + y * 0.00392377)))))));
    return ax - 0.5 * std::log(ax) + std::log(poly);
}

std::vector<SlotChoice> decodeSlots(const SlotRequest& request) {
    const std::vector<Slot>& slots = *request.slots;
    const int firstSpan =
        static_cast<int>(std::ceil((request.firstTo - request.firstFrom) * grid / request.unit));
    int reach = firstSpan + grid * 8;
    for (const Slot& slot : slots) {
        reach += grid * (symbols()[0].units + slot.gapAfter) + slack;  // zero is the longest
    }
    std::vector<bool> inside;
    const std::vector<float> evidence =
        unitEvidence(request, static_cast<std::size_t>(reach), inside);
    const Tables tables = scoreSymbols(request, evidence);
    // After the frame's last symbol and a word space, whatever follows (the next frame,
    // say) is explained freely: each unit as key-down or key-up, whichever fits. Without
    // this a path shifted late would win by using the next frame's signal as its own.
    std::vector<float> tail(evidence.size() + grid, 0.0F);
    for (std::size_t q = evidence.size(); q-- > 0;) {
        tail[q] = std::max(evidence[q], 0.0F) + (q + grid < tail.size() ? tail[q + grid] : 0.0F);
    }
    // Any timing of what follows, so a path gains nothing from where its own end falls.
    for (std::size_t q = 0; q < evidence.size(); ++q) {
        for (std::size_t d = 1; d < grid && q + d < tail.size(); ++d) {
            tail[q] = std::max(tail[q], tail[q + d]);
        }
    }
    const auto restAfter = [&](std::size_t j, int s, int q, const std::vector<float>& next) {
        if (j + 1 == slots.size()) {
            const int end = q + tables.length[s] + grid * wordSpace;
            return end < static_cast<int>(tail.size()) ? tail[end] : 0.0F;
        }
        return bestAfter(next, q + advance(tables, slots[j], s));
    };
    // Forward: the best score of the slots before j when slot j starts at q.
    const std::size_t count = slots.size();
    std::vector<std::vector<float>> before(count + 1,
                                           std::vector<float>(evidence.size(), impossible));
    for (int q = 0; q <= firstSpan && q < reach; ++q) {
        before[0][q] = 0;
    }
    for (std::size_t j = 0; j < count; ++j) {
        for (int q = 0; q < reach; ++q) {
            if (before[j][q] <= impossible) {
                continue;
            }
            for (const int s : slots[j].allowed) {
                const float base = before[j][q] + tables.symbolScore[s][q];
                const int to = q + advance(tables, slots[j], s);
                for (int d = -slack; d <= slack; ++d) {
                    const int at = to + d;
                    if (at >= 0 && at < reach) {
                        float& cell = before[j + 1][at];
                        cell =
                            std::max(cell, base - slackPenalty * static_cast<float>(std::abs(d)));
                    }
                }
            }
        }
    }
    // Backward: the best score of slot j and those after it when slot j starts at q.
    std::vector<std::vector<float>> after(count + 1, std::vector<float>(evidence.size(), 0.0F));
    for (std::size_t j = count; j-- > 0;) {
        for (int q = 0; q < reach; ++q) {
            float best = impossible;
            for (const int s : slots[j].allowed) {
                const float rest = restAfter(j, s, q, after[j + 1]);
                if (rest > impossible) {
                    best = std::max(best, tables.symbolScore[s][q] + rest);
                }
            }
            after[j][q] = best;
        }
    }

    // The best path, slot by slot, and for each slot the best path through each symbol.
    std::vector<SlotChoice> choices;
    int q = 0;
    float bestStart = impossible;
    for (int p = 0; p <= firstSpan && p < reach; ++p) {
        if (after[0][p] > bestStart) {
            bestStart = after[0][p];
            q = p;
        }
    }
    for (std::size_t j = 0; j < count; ++j) {
        const Slot& slot = slots[j];
        std::vector<float> through(slot.allowed.size(), impossible);
        for (int p = 0; p < reach; ++p) {
            if (before[j][p] <= impossible) {
                continue;
            }
            for (std::size_t k = 0; k < slot.allowed.size(); ++k) {
                const int s = slot.allowed[k];
                const float rest = restAfter(j, s, p, after[j + 1]);
                if (rest > impossible) {
                    through[k] =
                        std::max(through[k], before[j][p] + tables.symbolScore[s][p] + rest);
                }
            }
        }
        // Here, the symbol the best path takes, then where the next slot starts.
        int chosen = slot.allowed[0];
        float chosenScore = impossible;
        for (const int s : slot.allowed) {
            const float rest = restAfter(j, s, q, after[j + 1]);
            if (tables.symbolScore[s][q] + rest > chosenScore) {
                chosenScore = tables.symbolScore[s][q] + rest;
                chosen = s;
            }
        }
        SlotChoice choice;
        choice.symbol = chosen;
        choice.start = request.firstFrom + q * request.unit / grid;
        choice.evidence = tables.symbolScore[chosen][q];
        const int last = q + tables.length[chosen] - grid;
        choice.inside = inside[q] && last < reach && inside[last];
        double total = 0;
        const float top = *std::max_element(through.begin(), through.end());
        for (const float t : through) {
            total += std::exp(static_cast<double>(t - top));
        }
        for (std::size_t k = 0; k < slot.allowed.size(); ++k) {
            const double p = std::exp(static_cast<double>(through[k] - top)) / total;
            if (slot.allowed[k] == chosen) {
                choice.confidence = p;
            } else if (p > choice.alternativeConfidence || choice.alternative < 0) {
                choice.alternative = slot.allowed[k];
                choice.alternativeConfidence = p;
            }
        }
        if (slot.allowed.size() == 1) {
            choice.confidence = 1;
        }
        choices.push_back(choice);
        if (j + 1 < count) {
            const int to = q + advance(tables, slot, chosen);
            int next = to;
            float nextScore = impossible;
            for (int d = -slack; d <= slack; ++d) {
                const int at = to + d;
                if (at >= 0 && at < reach && after[j + 1][at] > impossible) {
                    const float score =
                        after[j + 1][at] - slackPenalty * static_cast<float>(std::abs(d));
                    if (score > nextScore) {
                        nextScore = score;
                        next = at;
                    }
                }
            }
            q = std::min(next, reach - 1);
        }
    }
    return choices;
}

}  // namespace morse
