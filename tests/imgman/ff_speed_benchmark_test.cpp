// A benchmark, not a test: disabled, so ctest never runs it. Run it with
//     build/tests_imgman --gtest_also_run_disabled_tests --gtest_filter='*FilterSpeedBenchmark*'
// For each filter it prints the evaluator's wall time on a whole picture beside the same filter
// written by hand as a plain single-threaded loop (one pass, coordinates clamped only at the border,
// built with the project's flags), and their ratio, at three picture sizes ten times apart, ending
// with 4000 × 3000. The hand-written loop computes the same picture, compared byte for byte; the
// times are only printed.
#include "platform/imgman/ff_functions.hpp"
#include "platform/imgman/ff_program.hpp"
#include "tests/imgman/ff_bench_pictures.hpp"
#include "tests/support/bench.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace imgman::ff;

namespace {

using ff_bench::best_of;
using ff_bench::clamp_byte;
using ff_bench::hand_blur;
using ff_bench::picture;

constexpr uint8_t Slider0 = 170;

// A hand-written loop: the picture `src` of w × h into `dst`.
using Hand = void (*)(const uint8_t* src, uint8_t* dst, int w, int h);

// The per-pixel loops of the filters that compute each channel from that pixel alone: `f` gives
// channel z of pixel (x, y) from its bytes; alpha is copied.
template <typename F> void per_channel(const uint8_t* src, uint8_t* dst, int w, int h, F f) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* s = src + (static_cast<std::ptrdiff_t>(y) * w + x) * 4;
            uint8_t* o = dst + (static_cast<std::ptrdiff_t>(y) * w + x) * 4;
            for (int z = 0; z < 3; ++z)
                o[z] = clamp_byte(f(s, x, y, z));
            o[3] = s[3];
        }
}

void hand_identity(const uint8_t* src, uint8_t* dst, int w, int h) {
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(w) * h * 4;
    for (std::ptrdiff_t i = 0; i < n; ++i)
        dst[i] = src[i];
}
void hand_invert(const uint8_t* src, uint8_t* dst, int w, int h) {
    per_channel(src, dst, w, h, [](const uint8_t* s, int, int, int z) { return 255 - s[z]; });
}
void hand_brightness(const uint8_t* src, uint8_t* dst, int w, int h) {
    per_channel(src, dst, w, h, [](const uint8_t* s, int, int, int z) { return s[z] + Slider0 - 128; });
}
void hand_condition(const uint8_t* src, uint8_t* dst, int w, int h) {
    per_channel(src, dst, w, h, [](const uint8_t* s, int, int, int z) { return s[z] > 128 ? 255 - s[z] : s[z] * 2; });
}
void hand_algebra(const uint8_t* src, uint8_t* dst, int w, int h) {
    per_channel(src, dst, w, h, [](const uint8_t* s, int x, int y, int z) { return ((x * 3 + y * 5) & 255) ^ s[z]; });
}
void hand_trig(const uint8_t* src, uint8_t* dst, int w, int h) {
    per_channel(src, dst, w, h, [](const uint8_t* s, int x, int y, int z) {
        return s[z] / 2 + ff_sin(x * 4 + z * 100) / 8 + ff_cos(y * 3) / 8;
    });
}
void hand_polar(const uint8_t* src, uint8_t* dst, int w, int h) {
    per_channel(src, dst, w, h,
                [w, h](const uint8_t* s, int x, int y, int z) { return (ff_d(x, y, w, h) / 4 + ff_m(x, y, w, h)) ^ s[z]; });
}
void hand_shift(const uint8_t* src, uint8_t* dst, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = std::clamp(x + 10, 0, w - 1), sy = std::clamp(y - 7, 0, h - 1);
            const uint8_t* s = src + (static_cast<std::ptrdiff_t>(sy) * w + sx) * 4;
            uint8_t* o = dst + (static_cast<std::ptrdiff_t>(y) * w + x) * 4;
            o[0] = s[0];
            o[1] = s[1];
            o[2] = s[2];
            o[3] = src[(static_cast<std::ptrdiff_t>(y) * w + x) * 4 + 3];
        }
}
// c+rnd(-32,32) in red, green and blue: the draws in scan order, channel after channel.
void hand_noise(const uint8_t* src, uint8_t* dst, int w, int h) {
    Random random(0);
    per_channel(src, dst, w, h, [&random](const uint8_t* s, int, int, int z) { return s[z] + random.rnd(-32, 32); });
}
// The game of life of life.afs in red: the live neighbours counted in red's top bit; green is the
// source's red, blue its green.
void hand_life(const uint8_t* src, uint8_t* dst, int w, int h) {
    auto at = [&](int x, int y) {
        return src[(static_cast<std::ptrdiff_t>(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)) * 4] >> 7;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int n = at(x - 1, y - 1) + at(x, y - 1) + at(x + 1, y - 1) + at(x - 1, y) + at(x + 1, y) +
                          at(x - 1, y + 1) + at(x, y + 1) + at(x + 1, y + 1);
            const uint8_t* s = src + (static_cast<std::ptrdiff_t>(y) * w + x) * 4;
            uint8_t* o = dst + (static_cast<std::ptrdiff_t>(y) * w + x) * 4;
            o[0] = (n == 2 ? s[0] >> 7 : n == 3) ? 255 : 0;
            o[1] = s[0];
            o[2] = s[1];
            o[3] = s[3];
        }
}
// put(get(0)+r,0)&255 in red: a running sum of red in scan order.
void hand_running_sum(const uint8_t* src, uint8_t* dst, int w, int h) {
    int32_t sum = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* s = src + (static_cast<std::ptrdiff_t>(y) * w + x) * 4;
            uint8_t* o = dst + (static_cast<std::ptrdiff_t>(y) * w + x) * 4;
            sum = add32(sum, s[0]);
            o[0] = static_cast<uint8_t>(sum & 255);
            o[1] = s[1];
            o[2] = s[2];
            o[3] = s[3];
        }
}
// put(get(0)>150?0:get(0)+50,0) in red, green and blue: one cell stepping through five values.
void hand_cycle(const uint8_t* src, uint8_t* dst, int w, int h) {
    int32_t cell = 0;
    per_channel(src, dst, w, h, [&cell](const uint8_t*, int, int, int) {
        cell = cell > 150 ? 0 : cell + 50;
        return cell;
    });
}

const std::string Life = "put((src(x-1,y-1,z)>>7)+(src(x,y-1,z)>>7)+(src(x+1,y-1,z)>>7)+(src(x-1,y,z)>>7)+"
                         "(src(x+1,y,z)>>7)+(src(x-1,y+1,z)>>7)+(src(x,y+1,z)>>7)+(src(x+1,y+1,z)>>7),0),"
                         "(get(0)==2 ? c>>7 : get(0)==3) ? 255 : 0";

struct Case {
    const char* name;
    const char* goal; // the goal for the ratio
    std::array<std::string, 4> formulas;
    Hand hand;
};

std::array<std::string, 4> each(const std::string& formula) {
    return {formula, formula, formula, "a"};
}

const std::vector<Case>& cases() {
    static const std::vector<Case> all{
        {"identity", "<=1.0", {"r", "g", "b", "a"}, hand_identity},
        {"invert", "<=1.0", {"255-r", "255-g", "255-b", "a"}, hand_invert},
        {"ctl brightness", "<=1.0", each("c+ctl(0)-128"), hand_brightness},
        {"condition", "<=1.0", each("c>128?255-c:c*2"), hand_condition},
        {"x/y algebra", "<=1.0", each("((x*3+y*5)&255)^c"), hand_algebra},
        {"sin/cos", "<=1.0", each("c/2+sin(x*4+z*100)/8+cos(y*3)/8"), hand_trig},
        {"d/m", "<=1.0", each("(d/4+m)^c"), hand_polar},
        {"shifted src", "<=1.0", each("src(x+10,y-7,z)"), hand_shift},
        {"3x3 cnv", "<=1.0", each("cnv(1,2,1,2,4,2,1,2,1,16)"), hand_blur},
        {"rnd noise", "<=4.0", each("c+rnd(-32,32)"), hand_noise},
        {"life.afs", "<=4.0", {Life, "r", "g", "a"}, hand_life},
        {"running sum", "3x faster", {"put(get(0)+r,0)&255", "g", "b", "a"}, hand_running_sum},
        {"cell cycle", "3x faster", each("put(get(0)>150?0:get(0)+50,0)"), hand_cycle},
    };
    return all;
}

} // namespace

TEST(FilterSpeedBenchmark, DISABLED_WholePicturesBesideHandWrittenLoops) {
    const std::pair<int, int> sizes[] = {{400, 300}, {1265, 949}, {4000, 3000}};
    std::printf("cores %u, evaluator threads %d, load average %s\n", std::thread::hardware_concurrency(),
                worker_count(), test_support::load_average().c_str());
    std::printf("%-15s %11s %10s %10s %8s %10s\n", "filter", "size", "ours ms", "hand ms", "ratio", "goal");
    for (const auto& [w, h] : sizes) {
        const std::vector<uint8_t> src = picture(w, h);
        std::vector<uint8_t> ours(src.size()), hand(src.size());
        const int runs = w * h > 2'000'000 ? 3 : 7;
        for (const Case& c : cases()) {
            Filter f;
            f.formulas = c.formulas;
            f.sliders[0] = Slider0;
            const double t_ours = best_of(runs, [&] {
                int32_t seed = 0;
                ASSERT_TRUE(run_filter(f, 3, {src.data(), w, h, static_cast<std::ptrdiff_t>(w) * 4},
                                       {ours.data(), static_cast<std::ptrdiff_t>(w) * 4}, seed));
            });
            const double t_hand = best_of(runs, [&] { c.hand(src.data(), hand.data(), w, h); });
            EXPECT_TRUE(ours == hand) << c.name << " " << w << "x" << h
                                      << ": the hand-written loop computes the same picture";
            const std::string size = std::to_string(w) + "x" + std::to_string(h);
            std::printf("%-15s %11s %10.2f %10.2f %7.2fx %10s\n", c.name, size.c_str(), t_ours * 1000,
                        t_hand * 1000, t_ours / t_hand, c.goal);
            std::fflush(stdout);
        }
    }
    std::printf("load average after %s\n", test_support::load_average().c_str());
}
