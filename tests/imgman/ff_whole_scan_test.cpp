// A whole-picture scan (bands of rows on several threads, runs of a row at once, the ordered part
// pixel by pixel) gives exactly what the program computes pixel after pixel in scan order.
#include "platform/imgman/ff_program.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace imgman::ff;

namespace {

// Large enough to be split into bands, with a width that is no multiple of a run of a row.
constexpr int W = 613, H = 457;

std::vector<uint8_t> noise(int w, int h) {
    std::vector<uint8_t> p(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i] = static_cast<uint8_t>((i * 2654435761u) >> 13);
    return p;
}

struct Outcome {
    std::vector<uint8_t> pixels;
    int32_t seed = 0;
};

// The reference: every pixel on its own, in scan order, through the same compiled program.
Outcome pixel_by_pixel(const Filter& f, const std::vector<uint8_t>& src, int channels) {
    FilterRun run;
    EXPECT_TRUE(run.start(f, W, H, channels, 7));
    const SourceView view{src.data(), W, H, W * 4};
    Outcome out{std::vector<uint8_t>(src.size()), 0};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const auto v = run.pixel(view, x, y);
            const std::size_t at = (static_cast<std::size_t>(y) * W + static_cast<std::size_t>(x)) * 4;
            for (std::size_t z = 0; z < 4; ++z)
                out.pixels[at + z] = z < static_cast<std::size_t>(channels)
                                         ? static_cast<uint8_t>(std::clamp(v[z], 0, 255))
                                         : src[at + z];
        }
    out.seed = run.stored_seed();
    return out;
}

Outcome whole(const Filter& f, const std::vector<uint8_t>& src, int channels) {
    Outcome out{std::vector<uint8_t>(src.size(), 0xAB), 7};
    EXPECT_TRUE(run_filter(f, channels, {src.data(), W, H, W * 4}, {out.pixels.data(), W * 4}, out.seed));
    return out;
}

} // namespace

TEST(FormulaWholeScan, EqualsThePixelByPixelScanInOrder) {
    const std::vector<uint8_t> src = noise(W, H);
    struct Case {
        std::array<std::string, 4> formulas;
        int channels;
    };
    const std::vector<Case> cases{
        // independent pixels: bands of rows
        {{"255-r", "c+ctl(1)-100", "x*y^c", "a"}, 3},
        {{"src(x+3,y-200,z)", "rad(d+100,m/2,z)", "cnv(1,2,1,2,4,2,1,2,1,16)", "cnv(0,-1,0,-1,5,-1,0,-1,0,1)"}, 4},
        {{"sin(x*5)/4+cos(y*7)/4+128", "map(0,c)+val(2,10,200)", "mix(r,g,x&255,255)", "scl(c,0,255,50,90)"}, 4},
        {{"d*m>>8", "r>g?b:(g<b?r:255)", "i+u-v", "a"}, 3},
        // put without get, get of a cell this pixel put, rst: still independent
        {{"put(x,x&255),put(y,(x*7)&255),c", "g", "rst(x*1000+y),rst(y-x),b", "a"}, 3},
        {{"put((src(x-1,y,0)>>7)+(src(x+1,y,0)>>7),0),get(0)==1?255:0", "r", "g", "a"}, 3},
        // results that depend on the pixels before: the ordered part
        {{"c+rnd(-40,40)", "rnd(0,x)", "b", "a"}, 3},
        {{"put(get(0)+r,0)&255", "get(0)>>8", "put(x,(y*3)&255),get((x+5)&255)", "a"}, 3},
        {{"put(get(0)>150?0:get(0)+50,0)", "sin(get(0))+src(x,get(0),1)", "rst(get(0)),b", "rnd(get(0),255)"}, 4},
    };
    for (const Case& c : cases) {
        Filter f;
        f.formulas = c.formulas;
        f.sliders = {10, 200, 30, 40, 250, 60, 70, 80};
        const Outcome expected = pixel_by_pixel(f, src, c.channels);
        const Outcome got = whole(f, src, c.channels);
        EXPECT_TRUE(got.pixels == expected.pixels) << c.formulas[0] << " | " << c.formulas[1] << " | "
                                                   << c.formulas[2] << " | " << c.formulas[3];
        EXPECT_EQ(got.seed, expected.seed) << c.formulas[2];
    }
}
