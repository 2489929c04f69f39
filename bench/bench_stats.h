// Small statistics of the benchmark's samples.
#pragma once

#include <algorithm>
#include <vector>

namespace mnemora::bench {

// The nearest-rank percentile (0 to 100) of the samples; 0 for none.
inline double Percentile(std::vector<double> samples, double percent) {
  if (samples.empty()) {
    return 0;
  }
  std::sort(samples.begin(), samples.end());
  const auto rank =
      static_cast<size_t>(percent / 100.0 * static_cast<double>(samples.size()) + 0.999999);
  return samples[std::clamp<size_t>(rank, 1, samples.size()) - 1];
}

inline double Median(const std::vector<double>& samples) {
  if (samples.empty()) {
    return 0;
  }
  std::vector<double> sorted = samples;
  std::sort(sorted.begin(), sorted.end());
  const size_t n = sorted.size();
  return n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

// One value per repeated run: its median and its spread.
struct Spread {
  double median = 0;
  double low = 0;
  double high = 0;
};

inline Spread SpreadOf(const std::vector<double>& perRun) {
  if (perRun.empty()) {
    return {};
  }
  const auto [low, high] = std::minmax_element(perRun.begin(), perRun.end());
  return {Median(perRun), *low, *high};
}

}  // namespace mnemora::bench
