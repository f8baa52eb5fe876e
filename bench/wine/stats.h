#pragma once
// Order statistics of timing samples, in milliseconds.
#include <algorithm>
#include <cmath>
#include <vector>

namespace qov::bench {

// The sample at `fraction` of the sorted samples (0.5: median, 0.99: 99th
// percentile), by the nearest-rank rule; 0 for no samples.
inline double Percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * samples.size()));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

inline double Median(const std::vector<double>& samples) { return Percentile(samples, 0.5); }

}  // namespace qov::bench
