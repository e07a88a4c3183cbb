#include "filterfactory/rewrite.hpp"

#include "filterfactory/bytes.hpp"
#include "platform/values/values.hpp"

#include <array>
#include <utility>

namespace vexolan::ff {

namespace {

// Whether `text` holds `pattern` at index `i`.
bool at(const std::string& text, std::size_t i, std::string_view pattern) {
    return i <= text.size() && text.compare(i, pattern.size(), pattern) == 0;
}

// Replaces `length` characters at `i` by `with`.
void put(std::string& text, std::size_t i, std::size_t length, std::string_view with) {
    text.replace(i, length, with);
}

// Replaces `pattern` at `i` by `with` when it stands there.
bool swap_if(std::string& text, std::size_t i, std::string_view pattern, std::string_view with) {
    if (!at(text, i, pattern)) return false;
    put(text, i, pattern.size(), with);
    return true;
}

struct Shortening {
    std::string_view Pattern;
    std::string_view Replacement;
    int Channel; // -1 = every channel
};

// Tried in this order at each position; each sees the result of the ones before it.
constexpr std::array<Shortening, 14> Shortenings{{
    {"src(x,y,z)", "c", -1},
    {"src(x,y,p)", "c", -1},
    {"src(x,y,0)", "c", 0},
    {"src(x,y,1)", "c", 1},
    {"src(x,y,2)", "c", 2},
    {"rad(d,m,z)", "c", -1},
    {"rad(d,m,p)", "c", -1},
    {"rad(d,m,0)", "c", 0},
    {"rad(d,m,1)", "c", 1},
    {"rad(d,m,2)", "c", 2},
    {"sqr(x*x+y*y)", "c2m(x,y)", -1},
    {"sqr(m*m+d*d)", "c2m(m,d)", -1},
    {"sqr(X*X+Y*Y)", "c2m(X,Y)", -1},
    {"(76*r+150*g+29*b)/256", "i", -1},
}};

// The Premiere limits and their Photoshop forms; the first that matches is taken.
constexpr std::pair<std::string_view, std::string_view> Limits[] = {
    {"pmax", "Z"}, {"tmax", "255"}, {"pmin", "0"}, {"xmax", "X"}, {"xmin", "0"},
    {"ymax", "Y"}, {"ymin", "0"},   {"dmax", "D"}, {"mmax", "M"},
};

// Whether the parentheses of `text` never close more than they opened.
bool never_below_zero(std::string_view text) {
    int depth = 0;
    for (char c : text) {
        if (c == '(') ++depth;
        if (c == ')' && --depth < 0) return false;
    }
    return true;
}

} // namespace

std::string OptimizeFormula(std::string_view code, int k, bool noOptimization) {
    std::string t(code);
    for (std::size_t i = 0; i < t.size(); ++i) {
        // Cleaning, repeated at this position until nothing more applies.
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
        // Shortening: patterns are compared with the text as cleaned so far, so blanks after this
        // position still stand in the way of a match.
        for (const auto& s : Shortenings) {
            if (s.Channel != -1 && s.Channel != k) continue;
            swap_if(t, i, s.Pattern, s.Replacement);
        }
    }
    return t;
}

void OptimizeCode(FilterRecord& record, bool noOptimization) {
    for (int k = 0; k < 4; ++k)
        record.Code(k) = OptimizeFormula(record.Code(k), k, noOptimization);
}

std::string Correctprmcode(std::string& code) {
    std::string& t = code;
    // First pass: variables and constants of the Premiere dialect. Text a rule inserts is never looked
    // at again: the scan goes on after it, or at the next position.
    for (std::size_t i = 0; i < t.size();) {
        if (swap_if(t, i, "P", "Z")) {
            i += 1;
        } else if (swap_if(t, i, "T", "total")) {
            i += 5;
        } else if (swap_if(t, i, "D", "512")) {
            i += 3;
        } else if (at(t, i, "p") && !at(t, i, "put") && !at(t, i, "p(") && !at(t, i, "pmax") && !at(t, i, "pmin")) {
            put(t, i, 1, "z");
            i += 1;
        } else {
            std::size_t next = i + 1;
            // The second pattern is literal as the Premiere Filter Factory wrote it, "g" twice.
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
    // Second pass: Premiere's mix() takes its first two arguments the other way round. A nested mix()
    // in an argument is swapped when the scan reaches it.
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!at(t, i, "mix(")) continue;
        const std::size_t first = i + 4;
        const std::string a = GetUntill(std::string_view(t).substr(first), ',');
        const std::size_t second = first + a.size() + 1;
        if (second > t.size() || !never_below_zero(a)) continue;
        const std::string b = GetUntill(std::string_view(t).substr(second), ',');
        const std::size_t rest = second + b.size() + 1;
        // A call without two commas of its own is left as it stands.
        if (rest > t.size() || !never_below_zero(b)) continue;
        put(t, first, rest - first, b + "," + a + ",");
    }
    return t;
}

void Writecode(std::string_view code, std::string& file) {
    file += vb::Utf8ToCp1252(code);
    file.push_back('\r');
}

std::string RemoveChars(std::string& Stringy) {
    std::string out;
    for (char c : Stringy) {
        if (c != '.' && c != '\\' && c != '/' && c != ':' && c != ' ') out.push_back(c);
    }
    Stringy = out;
    return out;
}

std::string ReplaceAwithI(std::string& Stringy) {
    std::string& t = Stringy;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != 'a') continue;
        const char next = i + 1 < t.size() ? t[i + 1] : '\0';
        if (next == 'l' || next == 'b' || next == 'd' || next == 'p' || next == 'x' || next == 'n') continue;
        t[i] = 'i';
    }
    return t;
}

void CorrectCodeForMac(FilterRecord&) {}

} // namespace vexolan::ff
