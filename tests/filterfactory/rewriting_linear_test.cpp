// The rewritings as one pass each: the same results as rewriting in place position by position (kept
// here, slow but plain, as the reference), on formulas made of the pieces the rules look for.
#include "filterfactory/bytes.hpp"
#include "filterfactory/rewrite.hpp"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <iostream>
#include <random>
#include <utility>

using namespace vexolan::ff;

namespace {

bool at(const std::string& text, std::size_t i, std::string_view pattern) {
    return i <= text.size() && text.compare(i, pattern.size(), pattern) == 0;
}

bool swap_if(std::string& text, std::size_t i, std::string_view pattern, std::string_view with) {
    if (!at(text, i, pattern)) return false;
    text.replace(i, pattern.size(), with);
    return true;
}

std::string optimize_in_place(std::string t, int k, bool noOptimization) {
    static const std::array<std::pair<std::string_view, int>, 14> Patterns{{
        {"src(x,y,z)", -1},
        {"src(x,y,p)", -1},
        {"src(x,y,0)", 0},
        {"src(x,y,1)", 1},
        {"src(x,y,2)", 2},
        {"rad(d,m,z)", -1},
        {"rad(d,m,p)", -1},
        {"rad(d,m,0)", 0},
        {"rad(d,m,1)", 1},
        {"rad(d,m,2)", 2},
        {"sqr(x*x+y*y)", -1},
        {"sqr(m*m+d*d)", -1},
        {"sqr(X*X+Y*Y)", -1},
        {"(76*r+150*g+29*b)/256", -1},
    }};
    static const std::array<std::string_view, 14> With{"c", "c", "c", "c",        "c",        "c",        "c",
                                                       "c", "c", "c", "c2m(x,y)", "c2m(m,d)", "c2m(X,Y)", "i"};
    for (std::size_t i = 0; i < t.size(); ++i) {
        for (;;) {
            if (at(t, i, "\\r") || at(t, i, "\\n")) {
                t.erase(i, 2);
                continue;
            }
            if (i < t.size() && static_cast<unsigned char>(t[i]) <= 9) {
                t.erase(i, 1);
                continue;
            }
            if (swap_if(t, i, "T", "total")) continue;
            if (!noOptimization && at(t, i, " ")) {
                t.erase(i, 1);
                continue;
            }
            break;
        }
        if (noOptimization) continue;
        for (std::size_t s = 0; s < Patterns.size(); ++s)
            if (Patterns[s].second == -1 || Patterns[s].second == k) swap_if(t, i, Patterns[s].first, With[s]);
    }
    return t;
}

bool never_below_zero(std::string_view text) {
    int depth = 0;
    for (char c : text) {
        if (c == '(') ++depth;
        if (c == ')' && --depth < 0) return false;
    }
    return true;
}

std::string correct_in_place(std::string t) {
    static constexpr std::pair<std::string_view, std::string_view> Limits[] = {
        {"pmax", "Z"}, {"tmax", "255"}, {"pmin", "0"}, {"xmax", "X"}, {"xmin", "0"},
        {"ymax", "Y"}, {"ymin", "0"},   {"dmax", "D"}, {"mmax", "M"},
    };
    for (std::size_t i = 0; i < t.size();) {
        if (swap_if(t, i, "P", "Z")) {
            i += 1;
        } else if (swap_if(t, i, "T", "total")) {
            i += 5;
        } else if (swap_if(t, i, "D", "512")) {
            i += 3;
        } else if (at(t, i, "p") && !at(t, i, "put") && !at(t, i, "p(") && !at(t, i, "pmax") && !at(t, i, "pmin")) {
            t.replace(i, 1, "z");
            i += 1;
        } else {
            std::size_t next = i + 1;
            if (!swap_if(t, i, "((56*b-19*r-37*g)/256)", "u")) swap_if(t, i, "((78*r-65*g-13*g)/256)", "v");
            const bool halved = swap_if(t, i, "(M/2)", "M") || swap_if(t, i, "M/4", "M/2") || swap_if(t, i, "M/2", "M");
            if (!halved && swap_if(t, i, "M", "(M/2)")) next = i + 5;
            for (const auto& [pattern, with] : Limits) {
                if (!swap_if(t, i, pattern, with)) continue;
                if (pattern == "tmax") next = i + with.size();
                break;
            }
            i = next;
        }
    }
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!at(t, i, "mix(")) continue;
        const std::size_t first = i + 4;
        const std::string a = GetUntill(std::string_view(t).substr(first), ',');
        const std::size_t second = first + a.size() + 1;
        if (second > t.size() || !never_below_zero(a)) continue;
        const std::string b = GetUntill(std::string_view(t).substr(second), ',');
        const std::size_t rest = second + b.size() + 1;
        if (rest > t.size() || !never_below_zero(b)) continue;
        t.replace(first, rest - first, b + "," + a + ",");
    }
    return t;
}

// A formula of random pieces, many of them the rules' own patterns or parts of them.
std::string random_formula(std::mt19937& rng) {
    static const std::array<std::string_view, 40> Pieces{"src(x,y,z)",
                                                         "src(x,y,",
                                                         "0)",
                                                         "1)",
                                                         "2)",
                                                         "rad(d,m,p)",
                                                         "rad(d,m,",
                                                         "sqr(x*x+y*y)",
                                                         "sqr(m*m+d*d)",
                                                         "sqr(X*X+Y*Y)",
                                                         "(76*r+150*g+29*b)/256",
                                                         " ",
                                                         "\t",
                                                         "\\r",
                                                         "\\n",
                                                         "\\",
                                                         "T",
                                                         "P",
                                                         "D",
                                                         "p",
                                                         "put",
                                                         "p(",
                                                         "pmax",
                                                         "pmin",
                                                         "tmax",
                                                         "xmax",
                                                         "ymin",
                                                         "dmax",
                                                         "mmax",
                                                         "M",
                                                         "M/2",
                                                         "(M/2)",
                                                         "M/4",
                                                         "((56*b-19*r-37*g)/256)",
                                                         "((78*r-65*g-13*g)/256)",
                                                         "mix(",
                                                         ",",
                                                         "(",
                                                         ")",
                                                         "r+g"};
    std::uniform_int_distribution<std::size_t> piece(0, Pieces.size() - 1), count(0, 30);
    std::string f;
    for (std::size_t n = count(rng); n > 0; --n)
        f += Pieces[piece(rng)];
    return f;
}

} // namespace

TEST(LinearRewriting, GivesTheResultsOfRewritingInPlace) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 20000; ++round) {
        const std::string f = random_formula(rng);
        const int k = round % 4;
        ASSERT_EQ(OptimizeFormula(f, k, false), optimize_in_place(f, k, false)) << f;
        ASSERT_EQ(OptimizeFormula(f, k, true), optimize_in_place(f, k, true)) << f;
        std::string code = f;
        ASSERT_EQ(Correctprmcode(code), correct_in_place(f)) << f;
        ASSERT_EQ(code, correct_in_place(f));
    }
}

TEST(LinearRewriting, DeeplyNestedMixCallsAreSwappedAtEveryLevel) {
    std::string f, expected;
    for (int i = 0; i < 20000; ++i)
        f += "mix(a,";
    f += "x";
    for (int i = 0; i < 20000; ++i)
        f += ",c)";
    std::string code = f;
    Correctprmcode(code);
    // Every call's first argument is "a" and its second the nested call: swapped, the nested call
    // comes first at every level.
    EXPECT_EQ(code.substr(0, 8), "mix(mix(");
    EXPECT_EQ(code.size(), f.size());
    EXPECT_EQ(std::count(code.begin(), code.end(), 'a'), 20000);
}

// A benchmark, disabled: the one-pass rewritings next to rewriting in place, on formulas of 100 KB
// and 1 MB. Run with --gtest_also_run_disabled_tests --gtest_filter='LinearRewriting.DISABLED*'.
TEST(LinearRewriting, DISABLED_TimesNextToRewritingInPlace) {
    const auto seconds_of = [](auto&& work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    for (std::size_t size : {std::size_t(100) << 10, std::size_t(1) << 20}) {
        std::string f;
        while (f.size() < size)
            f += "src(x,y,0) + T*mix(r,g,M/2)+sqr(x*x+y*y)-pmax+(76*r+150*g+29*b)/256 ";
        std::string a, b;
        const double now = seconds_of([&] {
            a = OptimizeFormula(f, 0, false);
            Correctprmcode(a);
        });
        const double before = seconds_of([&] { b = correct_in_place(optimize_in_place(f, 0, false)); });
        EXPECT_TRUE(a == b);
        std::cout << size / 1024 << " KB: one pass " << now * 1000 << " ms, in place " << before * 1000 << " ms\n";
    }
}
