// src at the pixel's own position moved by constants (src(x+10,y-7,z), src(x+ctl(0)-128,y,z)) reads
// exactly the pixel the plain formula names: the position computed with 32-bit wrap-around, then
// clamped to the picture, on every row and column, whether the result is the channel itself, part of
// a larger formula, or read by a program that runs in scan order.
#include "platform/imgman/ff_program.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace imgman::ff;

namespace {

// Wider than one run of a row, no multiple of it, and large enough to be split into bands.
constexpr int W = 701, H = 389;

std::vector<uint8_t> noise() {
    std::vector<uint8_t> p(static_cast<std::size_t>(W) * H * 4);
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i] = static_cast<uint8_t>((i * 2654435761u) >> 13);
    return p;
}

int32_t wrapped(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

} // namespace

TEST(ShiftedSource, ReadsTheClampedPixelAtTheMovedPosition) {
    const std::vector<uint8_t> src = noise();
    struct Case {
        std::string formula; // of red, green and blue
        int64_t dx, dy;      // the position is (x + dx, y + dy), wrapped to 32 bits
        // what the channel's result is from the value read: the read itself or a larger formula
        int (*result)(int read, int c);
    };
    auto read = [](int v, int) { return v; };
    auto half_plus_c = [](int v, int c) { return std::clamp(v / 2 + c / 3, 0, 255); };
    const std::vector<Case> cases{
        {"src(x+10,y-7,z)", 10, -7, read},
        {"src(x,y,z)", 0, 0, read},
        {"src(10+x,y+0,z)", 10, 0, read},
        {"src(x+ctl(0)-128,y-ctl(1)+3,z)", 170 - 128, -200 + 3, read},
        {"src(x-300+45,y+1000,z)", -255, 1000, read},
        {"src(x-5000,y-5000,z)", -5000, -5000, read},
        {"src(x+255,y-255,z)", 255, -255, read},
        {"src(x+2147483647,y,z)", 2147483647, 0, read},      // wraps around to the left of the picture
        {"src(x-2147483647-1,y+3,z)", -2147483648LL, 3, read}, // and from the left to the right
        {"src(x+20,y+3,z)/2+c/3", 20, 3, half_plus_c},
    };
    for (const Case& c : cases) {
        for (const bool ordered : {false, true}) {
            Filter f;
            f.sliders = {170, 200};
            // With a get in the alpha formula the program runs in scan order.
            f.formulas = {c.formula, c.formula, c.formula, ordered ? "put(get(0)+1,0)" : "a"};
            const int channels = ordered ? 4 : 3;
            std::vector<uint8_t> out(src.size(), 0xAB);
            int32_t seed = 0;
            ASSERT_TRUE(run_filter(f, channels, {src.data(), W, H, W * 4}, {out.data(), W * 4}, seed)) << c.formula;
            int wrong = 0;
            for (int y = 0; y < H && wrong < 3; ++y)
                for (int x = 0; x < W && wrong < 3; ++x) {
                    const int sx = std::clamp(wrapped(x + c.dx), 0, W - 1);
                    const int sy = std::clamp(wrapped(y + c.dy), 0, H - 1);
                    const uint8_t* s = &src[(static_cast<std::size_t>(sy) * W + static_cast<std::size_t>(sx)) * 4];
                    const uint8_t* own = &src[(static_cast<std::size_t>(y) * W + static_cast<std::size_t>(x)) * 4];
                    const uint8_t* o = &out[(static_cast<std::size_t>(y) * W + static_cast<std::size_t>(x)) * 4];
                    for (int z = 0; z < 3; ++z)
                        if (o[z] != c.result(s[z], own[z])) {
                            ADD_FAILURE() << c.formula << (ordered ? " (in scan order)" : "") << " at " << x << ","
                                          << y << " channel " << z << ": " << int(o[z]) << " instead of "
                                          << c.result(s[z], own[z]);
                            ++wrong;
                        }
                    if (!ordered && o[3] != own[3]) {
                        ADD_FAILURE() << c.formula << ": alpha not kept at " << x << "," << y;
                        ++wrong;
                    }
                }
        }
    }
}
