// Rewriting formula code: cleaning and shortening, the Premiere to Photoshop dialect, text helpers.
#include "filterfactory/rewrite.hpp"

#include <gtest/gtest.h>

using namespace vexolan::ff;
using namespace std::string_literals;

namespace {

constexpr int Red = 0, Green = 1, Blue = 2, Alpha = 3;

std::string optimized(std::string code, int k, bool noOptimization = false) {
    return OptimizeFormula(code, k, noOptimization);
}

std::string corrected(std::string code) {
    return Correctprmcode(code);
}

} // namespace

TEST(OptimizeCode, ShortensChannelPatternsOnlyInTheirOwnChannel) {
    EXPECT_EQ(optimized("src(x,y,0) + T", Red), "c+total");
    EXPECT_EQ(optimized("src(x,y,0) + T", Green), "src(x,y,0)+total");
    EXPECT_EQ(optimized("src(x,y,1)", Green), "c");
    EXPECT_EQ(optimized("src(x,y,2)", Blue), "c");
    EXPECT_EQ(optimized("src(x,y,2)", Alpha), "src(x,y,2)");
    EXPECT_EQ(optimized("rad(d,m,0)", Red), "c");
    EXPECT_EQ(optimized("rad(d,m,1)", Red), "rad(d,m,1)");
    EXPECT_EQ(optimized("rad(d,m,2)", Blue), "c");
    EXPECT_EQ(optimized("src(x,y,z)*rad(d,m,p)", Alpha), "c*c");
    EXPECT_EQ(optimized("src(x,y,p)", Alpha), "c");
}

TEST(OptimizeCode, ReplacesLongFormsByBuiltInNames) {
    EXPECT_EQ(optimized("sqr(x*x+y*y)", Red), "c2m(x,y)");
    EXPECT_EQ(optimized("sqr(m*m+d*d)", Green), "c2m(m,d)");
    EXPECT_EQ(optimized("255-sqr(X*X+Y*Y)", Blue), "255-c2m(X,Y)");
    EXPECT_EQ(optimized("(76*r+150*g+29*b)/256", Alpha), "i");
    EXPECT_EQ(optimized("(76 * r+150*g+29*b)/256", Alpha), "(76*r+150*g+29*b)/256");
}

TEST(OptimizeCode, ComparesPatternsWithTheTextAsCleanedSoFar) {
    // The blanks after the scan position are still there when the pattern is tried.
    EXPECT_EQ(optimized("src(x, y, 0)", Red), "src(x,y,0)");
    EXPECT_EQ(optimized("  src(x,y,0)", Red), "c");
}

TEST(OptimizeCode, WithoutOptimisationOnlyCleans) {
    EXPECT_EQ(optimized("src(x,y,0) + T", Red, true), "src(x,y,0) + total");
    EXPECT_EQ(optimized("a\tb", Red, true), "ab");
    EXPECT_EQ(optimized("a\tb", Red, false), "ab");
}

TEST(OptimizeCode, RemovesLiteralLineBreakTextsAndEveryControlByte) {
    EXPECT_EQ(optimized("r\\r\\n+g", Red), "r+g");
    EXPECT_EQ(optimized("r\\r\\n+g", Red, true), "r+g");
    EXPECT_EQ(optimized("r\x01\x02\x09+g\x05", Red, true), "r+g");
    EXPECT_EQ(optimized("\x01\x02", Red), "");
    EXPECT_EQ(optimized("r\\x", Red), "r\\x");
    EXPECT_EQ(optimized("", Red), "");
    EXPECT_EQ(optimized("TT", Red, true), "totaltotal");
}

TEST(OptimizeCode, RewritesAllFourFormulasOfTheRecord) {
    FilterRecord r;
    r.CodeR = "src(x,y,0)";
    r.CodeG = "src(x,y,1)";
    r.CodeB = "src(x,y,2)";
    r.CodeA = "src(x,y,0) ";
    OptimizeCode(r, false);
    EXPECT_EQ(r.CodeR + "|" + r.CodeG + "|" + r.CodeB + "|" + r.CodeA, "c|c|c|src(x,y,0)");
}

TEST(Correctprmcode, RewritesPremiereVariablesAndConstants) {
    const std::pair<const char*, const char*> table[] = {
        {"P*T", "Z*total"},
        {"D", "512"},
        {"dmax", "D"},
        {"M/4", "M/2"},
        {"M/2", "M"},
        {"M", "(M/2)"},
        {"(M/2)", "M"},
        {"x*M", "x*(M/2)"},
        {"pmax", "Z"},
        {"tmax", "255"},
        {"pmin", "0"},
        {"p+1", "z+1"},
        {"put(p(0))", "put(p(0))"},
        {"xmax-xmin", "X-0"},
        {"ymax+ymin", "Y+0"},
        {"mmax", "M"},
        {"T+T", "total+total"},
        {"DD", "512512"},
        {"M+M", "(M/2)+(M/2)"},
        {"tmaxtmax", "255255"},
        {"((56*b-19*r-37*g)/256)", "u"},
        {"((78*r-65*g-13*g)/256)", "v"},
        {"((78*r-65*g-13*b)/256)", "((78*r-65*g-13*b)/256)"},
        {"", ""},
    };
    for (const auto& [in, out] : table)
        EXPECT_EQ(corrected(in), out) << in;
}

TEST(Correctprmcode, SwapsTheFirstTwoArgumentsOfMix) {
    EXPECT_EQ(corrected("mix(r,g,x,X)"), "mix(g,r,x,X)");
    EXPECT_EQ(corrected("mix(mix(a,b,c,d),e,f,g)"), "mix(e,mix(b,a,c,d),f,g)");
    EXPECT_EQ(corrected("r+mix(src(x,y,0),g,x,X)"), "r+mix(g,src(x,y,0),x,X)");
}

TEST(Correctprmcode, LeavesAMixWithoutTwoCommasOfItsOwnUnchanged) {
    EXPECT_EQ(corrected("mix(a,b)"), "mix(a,b)");
    EXPECT_EQ(corrected("mix(a)+f(b,c)"), "mix(a)+f(b,c)");
    EXPECT_EQ(corrected("mix(a,b)+f(c,d)"), "mix(a,b)+f(c,d)");
    EXPECT_EQ(corrected("mix("), "mix(");
}

TEST(Correctprmcode, TheArgumentReceivesTheResult) {
    std::string code = "P";
    EXPECT_EQ(Correctprmcode(code), "Z");
    EXPECT_EQ(code, "Z");
}

TEST(ReplaceAwithI, KeepsFunctionNamesIntact) {
    const std::pair<const char*, const char*> table[] = {
        {"a*255/max", "i*255/max"},
        {"abs(a)", "abs(i)"},
        {"val(a)", "val(i)"},
        {"add(a,1,2)", "add(i,1,2)"},
        {"rad(d,m,a)", "rad(d,m,i)"},
        {"map(0,a)", "map(0,i)"},
        {"tan(a)", "tan(i)"},
        {"a", "i"},
        {"aa", "ii"},
        {"", ""},
    };
    for (const auto& [in, out] : table) {
        std::string s = in;
        EXPECT_EQ(ReplaceAwithI(s), out) << in;
        EXPECT_EQ(s, out);
    }
}

TEST(RemoveChars, KeepsOnlyCharactersAllowedInAFileName) {
    std::string title = "My. Filter/1:2\\x";
    EXPECT_EQ(RemoveChars(title), "MyFilter12x");
    EXPECT_EQ(title, "MyFilter12x");
}

TEST(Writecode, AppendsTheBytesAndACarriageReturn) {
    std::string file = "x";
    Writecode("r+\xC2\xA9", file);
    EXPECT_EQ(file, "xr+\xA9\r"s);
}
