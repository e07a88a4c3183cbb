// A benchmark, not a test: disabled, so ctest never runs it. Run it with
//     build/tests_imgman --gtest_also_run_disabled_tests --gtest_filter='*FormulaBenchmark*'
// It prints the evaluator's speed in megapixels per second for three filters on a 1024 × 768
// picture beside the same filters written by hand as plain loops, and the time of a whole run
// (compile and scan) on a 160 × 110 thumbnail.
#include "platform/imgman/ff_functions.hpp"
#include "platform/imgman/ff_program.hpp"
#include "tests/imgman/ff_bench_pictures.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace imgman::ff;

namespace {

constexpr int W = 1024, H = 768;

using ff_bench::best_of;
using ff_bench::clamp_byte;
using ff_bench::hand_blur;
using ff_bench::picture;

void hand_identity(const uint8_t* src, uint8_t* dst, int w, int h) {
    for (int i = 0; i < w * h * 4; ++i)
        dst[i] = src[i];
}

// src(X/2 + r2x(c2d(x-X/2, y-Y/2) + c2m(x-X/2, y-Y/2)/4, c2m(x-X/2, y-Y/2)), Y/2 + r2y(...), z)
void hand_warp(const uint8_t* src, uint8_t* dst, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int dx = x - w / 2, dy = y - h / 2;
            const int m = ff_c2m(dx, dy);
            const int d = ff_c2d(dx, dy) + m / 4;
            const int sx = std::clamp(w / 2 + ff_r2x(d, m), 0, w - 1);
            const int sy = std::clamp(h / 2 + ff_r2y(d, m), 0, h - 1);
            const uint8_t* s = src + (sy * w + sx) * 4;
            uint8_t* o = dst + (y * w + x) * 4;
            o[0] = s[0];
            o[1] = s[1];
            o[2] = s[2];
            o[3] = src[(y * w + x) * 4 + 3];
        }
}


struct Case {
    const char* name;
    std::array<std::string, 4> formulas;
    void (*hand)(const uint8_t*, uint8_t*, int, int);
};

const std::string Warp = "src(X/2+r2x(c2d(x-X/2,y-Y/2)+c2m(x-X/2,y-Y/2)/4,c2m(x-X/2,y-Y/2)),"
                         "Y/2+r2y(c2d(x-X/2,y-Y/2)+c2m(x-X/2,y-Y/2)/4,c2m(x-X/2,y-Y/2)),z)";
const std::string Blur = "cnv(1,2,1,2,4,2,1,2,1,16)";

} // namespace

TEST(FormulaBenchmark, DISABLED_MegapixelsPerSecondBesideHandWrittenLoops) {
    const std::vector<Case> cases{{"identity", {"r", "g", "b", "a"}, hand_identity},
                                  {"trig warp", {Warp, Warp, Warp, "a"}, hand_warp},
                                  {"3x3 cnv", {Blur, Blur, Blur, "a"}, hand_blur}};
    const std::vector<uint8_t> src = picture(W, H);
    std::vector<uint8_t> ours(src.size()), hand(src.size());
    const double mpx = W * H / 1e6;
    std::printf("%-10s %12s %12s %8s %14s\n", "filter", "ours Mpx/s", "hand Mpx/s", "ratio", "thumbnail ms");
    for (const Case& c : cases) {
        Filter f;
        f.formulas = c.formulas;
        int32_t seed = 0;
        const double t_ours = best_of(5, [&] {
            ASSERT_TRUE(run_filter(f, 3, {src.data(), W, H, W * 4}, {ours.data(), W * 4}, seed));
        });
        const double t_hand = best_of(5, [&] { c.hand(src.data(), hand.data(), W, H); });
        EXPECT_EQ(ours, hand) << c.name << ": the hand-written loop computes the same picture";
        const std::vector<uint8_t> thumb_src = picture(160, 110);
        std::vector<uint8_t> thumb(thumb_src.size());
        const double t_thumb = best_of(20, [&] {
            ASSERT_TRUE(run_filter(f, 3, {thumb_src.data(), 160, 110, 160 * 4}, {thumb.data(), 160 * 4}, seed));
        });
        std::printf("%-10s %12.1f %12.1f %8.2f %14.3f\n", c.name, mpx / t_ours, mpx / t_hand, t_ours / t_hand,
                    t_thumb * 1000);
    }
}
