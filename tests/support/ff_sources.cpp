#include "tests/support/ff_sources.hpp"

#include <gtest/gtest.h>

namespace ff_synth {

std::string JoinLines(std::initializer_list<std::string_view> lines, std::string_view end) {
    std::string out;
    for (std::string_view line : lines) {
        out += line;
        out += end;
    }
    return out;
}

vexolan::ff::FilterRecord TwirlRecord() {
    vexolan::ff::FilterRecord r;
    r.Category = "Distort";
    r.Title = "Twirl";
    r.Copyright = "(c) Me";
    r.Author = "Me";
    r.Filename = "twirl.8bf";
    r.CodeR = "r";
    r.CodeG = "g";
    r.CodeB = "b";
    r.CodeA = "a";
    r.MapName[0] = "Angle";
    r.CtlName[2] = "Amount";
    r.CtlValue = {10, 20, 30, 0, 0, 0, 0, 0};
    return r;
}

vexolan::ff::FilterRecord FullRecord() {
    vexolan::ff::FilterRecord r;
    r.Category = "Caf\xC3\xA9 Effects";          // "Café Effects"
    r.Title = "Cr\xC3\xA8me Twist";              // "Crème Twist"
    r.Copyright = "\xC2\xA9 2026 Vexolan Tests"; // "© 2026 ..."
    r.Author = "J\xC3\xBCrgen M\xC3\xBCller";    // "Jürgen Müller"
    r.Filename = "creme.8bf";
    r.CodeR = "src(x+ctl(2)-128,y,z)";
    r.CodeG = "put(g*val(3,0,255)/255,0)";
    r.CodeB = "c2m(x-X/2,y-Y/2)<map(0,c)?b:255-b";
    r.CodeA = "a";
    r.MapName[0] = "Bend";
    r.MapName[3] = "Warp";
    r.CtlName[2] = "Shift";
    r.CtlName[3] = "Level";
    r.CtlName[5] = "Mix";
    r.CtlValue = {1, 2, 128, 255, 0, 77, 200, 201};
    return r;
}

void ExpectSameFilter(const vexolan::ff::FilterRecord& a, const vexolan::ff::FilterRecord& b) {
    EXPECT_EQ(a.Title, b.Title);
    EXPECT_EQ(a.Category, b.Category);
    EXPECT_EQ(a.Copyright, b.Copyright);
    EXPECT_EQ(a.Author, b.Author);
    EXPECT_EQ(a.MapName, b.MapName);
    EXPECT_EQ(a.CtlName, b.CtlName);
    EXPECT_EQ(a.CtlValue, b.CtlValue);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(a.Code(k), b.Code(k)) << "channel " << k;
}

} // namespace ff_synth
