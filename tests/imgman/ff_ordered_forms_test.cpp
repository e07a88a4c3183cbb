// The part of a program that runs in scan order gives, for every form of instruction in it (both
// operands in registers, a constant on either side, one and three operands, cells named by a constant
// or computed per pixel, cells outside 0..255, instructions of the whole-run kind), exactly what the
// program computes pixel after pixel.
#include "platform/imgman/ff_program.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace imgman::ff;

namespace {

constexpr int W = 300, H = 97;

std::vector<uint8_t> noise() {
    std::vector<uint8_t> p(static_cast<std::size_t>(W) * H * 4);
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i] = static_cast<uint8_t>((i * 2654435761u) >> 11);
    return p;
}

} // namespace

TEST(OrderedPart, EveryFormEqualsThePixelByPixelScan) {
    const std::vector<uint8_t> src = noise();
    const std::vector<std::array<std::string, 4>> cases{
        {"put(255-get(0)+r,0)", "put(get(1)-g*2,1)&255", "put(7/(get(2)|1)+b,2)", "a"},
        {"put(get(0)>150?0:get(0)+50,0)", "put(-get(0)+g,300)", "put(!get(0)+abs(get(1)-b),1)", "a"},
        {"put(get(r)+1,r)", "put(get(-5)+g,-1)", "put(get(256)^b,(x*y)&255)", "a"},
        {"put(min(get(0),r)+max(get(0),g),0)", "put(sin(get(1))+src(x,get(1)&255,0)+cnv(1,1,1,1,1,1,1,1,1,9),1)",
         "put(mix(get(0),get(1),b,255)+scl(get(1),0,255,10,20),2)", "rnd(get(2),get(2)+10)"},
    };
    for (const auto& formulas : cases) {
        Filter f;
        f.formulas = formulas;
        f.sliders = {10, 200, 30, 40, 250, 60, 70, 80};
        FilterRun reference;
        ASSERT_TRUE(reference.start(f, W, H, 4, 3)) << formulas[0];
        const SourceView view{src.data(), W, H, W * 4};
        std::vector<uint8_t> expected(src.size());
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const auto v = reference.pixel(view, x, y);
                for (std::size_t z = 0; z < 4; ++z)
                    expected[(static_cast<std::size_t>(y) * W + static_cast<std::size_t>(x)) * 4 + z] =
                        static_cast<uint8_t>(std::clamp(v[z], 0, 255));
            }
        std::vector<uint8_t> got(src.size(), 0xAB);
        int32_t seed = 3;
        ASSERT_TRUE(run_filter(f, 4, view, {got.data(), W * 4}, seed));
        EXPECT_TRUE(got == expected) << formulas[0] << " | " << formulas[1] << " | " << formulas[2] << " | "
                                     << formulas[3];
        EXPECT_EQ(seed, reference.stored_seed());
    }
}
