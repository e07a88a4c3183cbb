#include "platform/imgman/ff_program.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace imgman::ff;

namespace {

// A picture of plain RGBA bytes, filled by a function of the position.
struct Picture {
    int width, height;
    std::vector<uint8_t> bytes;
    Picture(int w, int h, uint8_t r = 0, uint8_t g = 0, uint8_t b = 0, uint8_t a = 255)
        : width(w), height(h), bytes(static_cast<size_t>(w * h * 4)) {
        for (int i = 0; i < w * h; ++i) {
            bytes[i * 4] = r;
            bytes[i * 4 + 1] = g;
            bytes[i * 4 + 2] = b;
            bytes[i * 4 + 3] = a;
        }
    }
    uint8_t* at(int x, int y) { return &bytes[static_cast<size_t>((y * width + x) * 4)]; }
    SourceView view() const { return {bytes.data(), width, height, width * 4}; }
    TargetView target() { return {bytes.data(), width * 4}; }
};

Picture gradient(int w, int h) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* px = p.at(x, y);
            px[0] = static_cast<uint8_t>(x * 7 + y);
            px[1] = static_cast<uint8_t>(x * 3 + y * 5);
            px[2] = static_cast<uint8_t>(255 - x - y);
            px[3] = static_cast<uint8_t>(x * y);
        }
    return p;
}

// The value of `formula` in the red formula at (x, y) of `pic`, before clamping.
int32_t value_at(const std::string& formula, const Picture& pic, int x = 0, int y = 0,
                 std::array<uint8_t, 8> sliders = {}) {
    Filter f;
    f.formulas[0] = formula;
    f.sliders = sliders;
    FilterRun run;
    EXPECT_TRUE(run.start(f, pic.width, pic.height, 3, 0)) << formula;
    return run.pixel(pic.view(), x, y)[0];
}

int32_t value(const std::string& formula, std::array<uint8_t, 8> sliders = {}) {
    return value_at(formula, Picture(1, 1), 0, 0, sliders);
}

Picture filtered(const Filter& f, const Picture& src, int channels, int32_t seed = 0) {
    Picture out(src.width, src.height);
    EXPECT_TRUE(run_filter(f, channels, src.view(), out.target(), seed));
    return out;
}

struct Case {
    const char* formula;
    int32_t expected;
};

void check(const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(value(c.formula), c.expected) << c.formula;
}

} // namespace

TEST(FormulaEvaluator, WorkedValuesOfArithmeticAndOperators) {
    check({{"2+3*4", 14},
           {"10-4-3", 3},
           {"-2*-3", 6},
           {"3<5==1", 1},
           {"7/2", 3},
           {"-7/2", -3},
           {"-7%3", -1},
           {"7%-3", 1},
           {"5/0", 0},
           {"5%0", 0},
           {"-2147483647-1", INT_MIN},
           {"(-2147483647-1)/-1", INT_MIN},
           {"(-2147483647-1)%-1", 0},
           {"2147483647+1", INT_MIN},
           {"-1>>1", 2147483647},
           {"-8>>1", 2147483644},
           {"1<<33", 2},
           {"1<<32", 1},
           {"1<<-1", INT_MIN},
           {"!5", 0},
           {"!0", 1},
           {"~0", -1},
           {"1?2:3?4:5", 2},
           {"0?2:0?4:5", 5},
           {"(1,2)+1", 3},
           {"0x10+0XfF", 271},
           {"4294967297", 1},
           {"----3", 3},
           {"-+-+3", 3}});
}

TEST(FormulaEvaluator, EveryPrecedenceLevelAndItsAssociativity) {
    check({// * / % bind tighter than + -, and associate to the left
           {"2+3*4", 14},
           {"100/10/5", 2},
           {"100/10*5", 50},
           {"17%5*3", 6},
           {"10-2+3", 11},
           // + - tighter than << >>
           {"1<<2+1", 8},
           {"64>>1+1", 16},
           {"1<<2<<3", 32},
           // shifts tighter than comparisons
           {"1<<3<9", 1},
           {"3<2<1", 1}, // (3<2)<1
           {"5>4>3", 0}, // (5>4)>3
                         // comparisons tighter than == !=
           {"2<3==3<4", 1},
           {"1==1!=0", 1},
           {"2==2==2", 0},
           // == tighter than & ^ |, which share one level from the left
           {"1==1&2", 0},
           {"1|2&0", 0},
           {"6^3|8", 13},
           {"1|2^3", 0},
           // & ^ | tighter than && ||, which share one level
           {"1&&0||1", 1},
           {"1||1&&0", 0},
           {"0&&1|1", 0},
           // && || tighter than ?:, which groups from the right
           {"0||0?7:8", 8},
           {"1?0:1?5:6", 0},
           // ?: tighter than the sequence
           {"1?2:3,4", 4},
           {"(1?2:3),4", 4},
           {"1?(5,6):7", 6},
           // prefix operators bind tightest
           {"-2*3", -6},
           {"!0+1", 2},
           {"~1&3", 2},
           {"-1>>28", 15}});
}

TEST(FormulaEvaluator, BothOperandsAndBothBranchesAlwaysRun) {
    Filter f;
    f.formulas = {"1==0 ? put(5,0) : 0", "0 && put(9,1)", "get(0)+get(1)", "a"};
    FilterRun run;
    ASSERT_TRUE(run.start(f, 1, 1, 3, 0));
    Picture pic(1, 1);
    const auto v = run.pixel(pic.view(), 0, 0);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[1], 0);
    EXPECT_EQ(v[2], 14);
}

TEST(FormulaEvaluator, WorkedValuesOfFunctions) {
    check({{"get(300)", 300},
           {"get(-5)", -5},
           {"put(7,300)", 7},
           {"sub(10,20,0)", 0},
           {"add(200,100,255)", 255},
           {"dif(3,10)", 7},
           {"min(-3,2)", -3},
           {"max(-3,2)", 2},
           {"abs(-2147483647-1)", INT_MIN},
           {"sin(256)", 512},
           {"cos(0)", 512},
           {"cos(512)", -512},
           {"cos(256)", -4},
           {"sin(0)", -4},
           {"sin(768)", -512},
           {"cos(-1024)", 512},
           {"tan(128)", 1024},
           {"tan(0)", -6},
           {"sqr(-20)+21", 1},
           {"sqr(99)", 9},
           {"sqr(100)", 10},
           {"sqr(1)", 1},
           {"sqr(2147483647)", 46340},
           {"r2x(0,100)", 100},
           {"r2y(256,100)", 100},
           {"r2x(128,100)", 71},
           {"r2x(256,100)", -1},
           {"r2y(0,100)", 1},
           {"r2x(-1,100)", 100},
           {"c2d(1,0)", 0},
           {"c2d(0,1)", 256},
           {"c2d(-1,0)", 512},
           {"c2d(0,-1)", -256},
           {"c2d(5,5)", 128},
           {"c2d(-5,-5)", -384},
           {"c2d(-1,2)", 331},
           {"c2d(0,0)", 0},
           {"c2m(3,4)", 5},
           {"c2m(5,5)", 7},
           {"c2m(10,0)", 10},
           {"c2m(0,0)", 0},
           {"c2m(-3,-4)", 5},
           {"mix(255,0,1,2)", 127},
           {"mix(1,2,3,0)", 0},
           {"scl(128,0,255,0,100)", 50},
           {"scl(5,3,3,0,100)", 0},
           {"val(9,5,100)", 0},
           {"map(4,10)", 0},
           {"rnd(5,4)", 0},
           {"rst(77)", 0}});
}

TEST(FormulaEvaluator, TrigonometricAndMagnitudeTablesMatchTheirDefinition) {
    // cos and sin over a whole turn: symmetric, half a turn apart opposite, never out of range.
    for (int x = 0; x < 1024; x += 7) {
        const int32_t c = value("cos(" + std::to_string(x) + ")");
        EXPECT_EQ(c, value("cos(" + std::to_string(-x) + ")"));
        EXPECT_EQ(value("cos(" + std::to_string(1023 - x) + ")"), c) << x;
        EXPECT_GE(c, -512);
        EXPECT_LE(c, 512);
    }
    // Table entries raised by one, seen through r2x with a large radius: T[40] = 15893, T[41] = 15868.
    EXPECT_EQ(value("r2x(40,16384)"), 15893);
    EXPECT_EQ(value("r2x(41,16384)"), 15868);
    EXPECT_EQ(value("r2x(255,16384)"), 100);
    EXPECT_EQ(value("r2x(256,16384)"), -100);
    // c2m follows the hypotenuse table: c2m(1024, k) for a few k against the table's definition.
    EXPECT_EQ(value("c2m(1024,768)"), 1280);
    EXPECT_EQ(value("c2m(768,1024)"), 1280);
    EXPECT_EQ(value("c2m(1023,0)"), 1023);
    // c2d of the diagonal and near the axes (the arctangent table's first and last entries).
    EXPECT_EQ(value("c2d(1000,1000)"), 128);
    EXPECT_EQ(value("c2d(1024,1)"), 0);
    EXPECT_EQ(value("c2d(1,1024)"), 256);
    EXPECT_EQ(value("c2d(1000,-577)"), -85);
}

TEST(FormulaEvaluator, PixelVariables) {
    Picture white(1, 1, 255, 255, 255), blue(1, 1, 0, 0, 255), green(1, 1, 0, 255, 0);
    EXPECT_EQ(value_at("i", white), 254);
    EXPECT_EQ(value_at("u", blue), 55);
    EXPECT_EQ(value_at("v", green), -64);
    EXPECT_EQ(value_at("255-r", Picture(1, 1, 10)), 245);
    EXPECT_EQ(value_at("M", Picture(1920, 1080)), 1101);
    EXPECT_EQ(value_at("M", Picture(500, 500)), 353);
    EXPECT_EQ(value_at("d", Picture(500, 500), 250, 250), 0);
    Picture nine(9, 9);
    EXPECT_EQ(value_at("d", nine, 0, 4), 512);
    EXPECT_EQ(value_at("d", nine, 4, 0), -256);
    EXPECT_EQ(value_at("m", nine, 0, 0), 7);
    Picture pic = gradient(5, 4);
    EXPECT_EQ(value_at("x*100+y", pic, 3, 2), 302);
    EXPECT_EQ(value_at("X*100+Y", pic, 3, 2), 504);
    EXPECT_EQ(value_at("Z", pic), 3);
    // Without alpha, a reads 0 and its limit stays 255.
    EXPECT_EQ(value_at("a", pic, 3, 2), 0);
    EXPECT_EQ(value_at("amax", pic), 255);
    EXPECT_EQ(value_at("D+dmin+dmax", pic), 2048);
    EXPECT_EQ(value_at("I+U+V+imin+umin+vmin+total+tmin", pic), 766);
    EXPECT_EQ(value_at("r1+g0", pic, 1, 1), pic.at(1, 1)[0] + pic.at(1, 1)[1]);
}

TEST(FormulaEvaluator, UnknownNamesAndWrongCallsDoNotCompile) {
    for (const char* bad : {"",           "rg",  "SIN(1)", "sin",     "r(1)",     "sin(1,2)", "cnv(1,1,1,1,1,1,1,1,1)",
                            "put(1)",     "T",   "P",      "e",       "1 2",      "(1",       "1)",
                            "a=1",        "1?2", "0x",     "sqrt(4)", "pow(2,3)", "#",        "$1",
                            "min((1,2))", "--"}) {
        EXPECT_FALSE(compiles(bad)) << bad;
    }
    for (const char* good : {"r // comment", "r\r\n+\r\ng", "\tc ", "min((put(1,0),5),3)", "cnv0(1,1,1,1,1,1,1,1,1,9)",
                             "src1(x,y,z)+rad0(d,m,z)"})
        EXPECT_TRUE(compiles(good)) << good;
    // Deep nesting fails to compile rather than overflowing the stack.
    EXPECT_FALSE(compiles(std::string(100000, '(') + "1" + std::string(100000, ')')));
    EXPECT_FALSE(compiles(std::string(100000, '-') + "1"));
}

TEST(FormulaEvaluator, ControlsValuesAndMapsWithBothSliderOrders) {
    EXPECT_EQ(value("ctl(3)", {0, 0, 0, 77}), 77);
    EXPECT_EQ(value("ctl(8)+ctl(-1)", {1, 1, 1, 1, 1, 1, 1, 1}), 0);
    EXPECT_EQ(value("val(0,0,100)", {255}), 100);
    EXPECT_EQ(value("val(0,0,100)", {128}), 50);
    EXPECT_EQ(value("val(1,100,0)", {0, 51}), 80);
    EXPECT_EQ(value("map(0,100)", {200, 0}), 127);
    EXPECT_EQ(value("map(0,100)", {0, 200}), 128);
    EXPECT_EQ(value("map(0,49)", {50, 50}), 0);
    EXPECT_EQ(value("map(0,50)", {50, 50}), 255);
    EXPECT_EQ(value("map(1,300)", {0, 0, 200, 100}), 255);
    EXPECT_EQ(value("map(1,-4)", {0, 0, 200, 100}), 0);
    // The same with the slider number computed per pixel.
    Picture pic(2, 1, 1, 0, 0);
    EXPECT_EQ(value_at("ctl(r+2)", pic, 0, 0, {0, 0, 0, 9}), 9);
    EXPECT_EQ(value_at("map(r-1,100)", pic, 0, 0, {0, 200}), 128);
    EXPECT_EQ(value_at("val(r-1,0,100)", pic, 0, 0, {128}), 50);
}

TEST(FormulaEvaluator, IdentityAndInversionOverAWholePicture) {
    Picture src = gradient(300, 7);
    Filter identity;
    Picture same = filtered(identity, src, 4);
    EXPECT_EQ(same.bytes, src.bytes);
    Filter invert;
    invert.formulas = {"255-r", "g", "b", "255-a"};
    Picture inv = filtered(invert, src, 3);
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) {
            ASSERT_EQ(inv.at(x, y)[0], 255 - src.at(x, y)[0]);
            ASSERT_EQ(inv.at(x, y)[1], src.at(x, y)[1]);
            ASSERT_EQ(inv.at(x, y)[3], src.at(x, y)[3]) << "without alpha the alpha formula does not run";
        }
    Picture with_alpha = filtered(invert, src, 4);
    EXPECT_EQ(with_alpha.at(5, 5)[3], 255 - src.at(5, 5)[3]);
}

TEST(FormulaEvaluator, ResultsAreClampedNotMasked) {
    Filter f;
    f.formulas = {"508", "-1", "c+200", "a"};
    Picture out = filtered(f, Picture(2, 2, 100, 100, 100), 3);
    EXPECT_EQ(out.at(1, 1)[0], 255);
    EXPECT_EQ(out.at(1, 1)[1], 0);
    EXPECT_EQ(out.at(1, 1)[2], 255);
}

TEST(FormulaEvaluator, PutInRedIsReadByGetInBlueOfTheSamePixel) {
    Filter f;
    f.formulas = {"put(x*2,5),0", "get(5)+1", "get(5)", "a"};
    Picture out = filtered(f, Picture(50, 2), 3);
    for (int x = 0; x < 50; ++x) {
        EXPECT_EQ(out.at(x, 1)[1], std::min(255, x * 2 + 1));
        EXPECT_EQ(out.at(x, 1)[2], std::min(255, x * 2));
    }
}

TEST(FormulaEvaluator, CellsCarryAcrossChannelsAndPixelsInScanOrder) {
    Filter f;
    const std::string cycle = "put(get(0)>150?0:get(0)+50,0)";
    f.formulas = {cycle, cycle, cycle, "a"};
    Picture out = filtered(f, Picture(16, 16), 3);
    const uint8_t expected[5][3] = {{50, 100, 150}, {200, 0, 50}, {100, 150, 200}, {0, 50, 100}, {150, 200, 0}};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            for (int z = 0; z < 3; ++z)
                ASSERT_EQ(out.at(x, y)[z], expected[(y * 16 + x) % 5][z]) << x << "," << y;
}

TEST(FormulaEvaluator, SrcReadsTheUnfilteredPictureAndClampsToTheArea) {
    Picture src = gradient(20, 10);
    Filter f;
    f.formulas = {"src(x-1,y,0)", "src(x,y,0)", "src(-5,100,2)+src(x,y,3)*0+src(0,0,4)", "a"};
    Picture out = filtered(f, src, 3);
    for (int x = 1; x < 20; ++x)
        EXPECT_EQ(out.at(x, 3)[0], src.at(x - 1, 3)[0]) << "reads the source, not the result to its left";
    EXPECT_EQ(out.at(0, 3)[0], src.at(0, 3)[0]);
    EXPECT_EQ(out.at(4, 4)[1], src.at(4, 4)[0]);
    EXPECT_EQ(out.at(4, 4)[2], src.at(0, 9)[2]);
}

TEST(FormulaEvaluator, ConvolutionClampsAtTheBorder) {
    Picture src = gradient(6, 5);
    auto s = [&](int x, int y) { return src.at(std::clamp(x, 0, 5), std::clamp(y, 0, 4))[1]; };
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {5, 4}, {0, 4}, {5, 0}, {2, 2}, {3, 0}}) {
        const int expected =
            (1 * s(x - 1, y - 1) + 2 * s(x, y - 1) + 3 * s(x + 1, y - 1) + 4 * s(x - 1, y) + 5 * s(x, y) +
             6 * s(x + 1, y) + 7 * s(x - 1, y + 1) + 8 * s(x, y + 1) + 9 * s(x + 1, y + 1)) /
            -3;
        Filter f;
        f.formulas = {"0", "cnv(1,2,3,4,5,6,7,8,9,-3)", "cnv(1,2,3,4,5,6,7,8,9,-3+r*0)", "a"};
        FilterRun run;
        ASSERT_TRUE(run.start(f, 6, 5, 3, 0));
        const auto v = run.pixel(src.view(), x, y);
        EXPECT_EQ(v[1], expected) << x << "," << y;
    }
    EXPECT_EQ(value("cnv(1,1,1,1,1,1,1,1,1,0)"), 0);
    // The whole-picture scan agrees with the per-pixel value, border included.
    Filter fixed, computed;
    fixed.formulas = {"cnv(1,2,1,2,4,2,1,2,1,16)", "cnv(1,2,1,2,4,2,1,2,1,16)", "b", "a"};
    computed.formulas = {"cnv(1,2,1,2,4,2,1,2,1,16+x*0)", "cnv(1,2,1,2,4,2,1,2,1,16+x*0)", "b", "a"};
    EXPECT_EQ(filtered(fixed, src, 3).bytes, filtered(computed, src, 3).bytes);
}

TEST(FormulaEvaluator, RandomNumbersFollowTheSeedAndRstActsOnTheNextRun) {
    Filter f;
    f.formulas = {"rnd(0,255)", "rnd(0,254)", "0", "a"};
    FilterRun run;
    ASSERT_TRUE(run.start(f, 1, 1, 3, 0));
    Picture pic(1, 1);
    auto v = run.pixel(pic.view(), 0, 0);
    EXPECT_EQ(v[0], 10);
    v = run.pixel(pic.view(), 0, 0);
    EXPECT_EQ(v[0], 106);
    // rnd(0,255) alone from seed 0: 10, 35, 106, 115, 158; rnd(0,254): 17, 253, 52, 161, 141.
    for (const auto& [formula, expected] : std::vector<std::pair<std::string, std::vector<int>>>{
             {"rnd(0,255)", {10, 35, 106, 115, 158}}, {"rnd(0,C-1)", {17, 253, 52, 161, 141}}}) {
        Filter one;
        one.formulas = {formula, "g", "b", "a"};
        Picture out = filtered(one, Picture(5, 1), 3);
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(out.at(x, 0)[0], expected[x]) << formula;
    }
    // An empty range still draws.
    Filter empty;
    empty.formulas = {"rnd(5,4)", "rnd(0,255)", "b", "a"};
    EXPECT_EQ(filtered(empty, Picture(1, 1), 3).at(0, 0)[1], 35);
    // rst changes only the seed of the next run.
    Filter reseed;
    reseed.formulas = {"rst(999),rnd(0,255)", "g", "b", "a"};
    int32_t seed = 0;
    Picture out(1, 1);
    ASSERT_TRUE(run_filter(reseed, 3, Picture(1, 1).view(), out.target(), seed));
    EXPECT_EQ(out.at(0, 0)[0], 10);
    EXPECT_EQ(seed, 999);
    Filter plain;
    plain.formulas = {"rnd(0,255)", "g", "b", "a"};
    Picture next(1, 1);
    ASSERT_TRUE(run_filter(plain, 3, Picture(1, 1).view(), next.target(), seed));
    EXPECT_NE(next.at(0, 0)[0], 10);
    EXPECT_EQ(seed, 999);
}

TEST(FormulaEvaluator, AFormulaThatDoesNotCompileLeavesTheTargetAlone) {
    Filter f;
    f.formulas = {"r", "g+", "b", "a"};
    Picture src(3, 3, 1, 2, 3), out(3, 3, 9, 9, 9, 9);
    int32_t seed = 0;
    EXPECT_FALSE(run_filter(f, 3, src.view(), out.target(), seed));
    EXPECT_EQ(out.bytes, Picture(3, 3, 9, 9, 9, 9).bytes);
    // The alpha formula matters only with alpha.
    f.formulas = {"r", "g", "b", "bad("};
    EXPECT_TRUE(run_filter(f, 3, src.view(), out.target(), seed));
    EXPECT_FALSE(run_filter(f, 4, src.view(), out.target(), seed));
}

TEST(FormulaEvaluator, SharedExpressionsAreComputedOncePerPixel) {
    Filter f;
    const std::string warp = "src(x+r2x(c2d(x-X/2,y-Y/2),8),y+r2y(c2d(x-X/2,y-Y/2),8),z)";
    f.formulas = {warp, warp, warp, "a"};
    FilterRun one, three;
    ASSERT_TRUE(three.start(f, 64, 64, 3, 0));
    Filter single;
    single.formulas = {warp, "g", "b", "a"};
    ASSERT_TRUE(one.start(single, 64, 64, 3, 0));
    // Only the three reads of the source differ between the channels.
    EXPECT_EQ(three.instruction_count(), one.instruction_count() + 2);
    EXPECT_FALSE(three.pixel_by_pixel());
    // And the result is that of the formula computed on its own.
    Picture src = gradient(64, 64);
    Picture a = filtered(f, src, 3), b = filtered(single, src, 3);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(a.at(x, y)[0], b.at(x, y)[0]);
}
