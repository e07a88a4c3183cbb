#pragma once
// What the filter benchmarks share: a picture of noise to filter, the best of several timings, and
// the byte clamp every hand-written loop applies to its results.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace ff_bench {

// w x h RGBA pixels of noise, the same in every run.
inline std::vector<uint8_t> picture(int w, int h) {
    std::vector<uint8_t> p(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i] = static_cast<uint8_t>((i * 2654435761u) >> 13);
    return p;
}

// The best of several timings of `work`, in seconds.
inline double best_of(int runs, const std::function<void()>& work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

inline uint8_t clamp_byte(int32_t v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

} // namespace ff_bench
