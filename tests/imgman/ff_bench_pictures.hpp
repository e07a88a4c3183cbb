#pragma once
// What the filter benchmarks share: a picture of noise to filter, the best of several timings, the
// byte clamp every hand-written loop applies to its results, and the hand-written blur.

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

// The hand-written 3x3 blur, cnv(1,2,1,2,4,2,1,2,1,16) in every colour channel, alpha kept.
inline void hand_blur(const uint8_t* src, uint8_t* dst, int w, int h) {
    static const int k[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            for (int z = 0; z < 3; ++z) {
                int sum = 0;
                for (int j = -1; j <= 1; ++j)
                    for (int i = -1; i <= 1; ++i) {
                        const int sx = std::clamp(x + i, 0, w - 1), sy = std::clamp(y + j, 0, h - 1);
                        sum += k[(j + 1) * 3 + i + 1] * src[(static_cast<std::ptrdiff_t>(sy) * w + sx) * 4 + z];
                    }
                dst[(static_cast<std::ptrdiff_t>(y) * w + x) * 4 + z] = clamp_byte(sum / 16);
            }
            dst[(static_cast<std::ptrdiff_t>(y) * w + x) * 4 + 3] = src[(static_cast<std::ptrdiff_t>(y) * w + x) * 4 + 3];
        }
}

} // namespace ff_bench
