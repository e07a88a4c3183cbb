#include "filterfactory/rewrite.hpp"

#include "filterfactory/bytes.hpp"
#include "platform/values/values.hpp"

#include <array>
#include <utility>
#include <vector>

namespace vexolan::ff {

namespace {

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

// The Premiere patterns that other text stands for, tried in this order at a position; the first that
// matches is replaced. The second is literal as the Premiere Filter Factory wrote it, "g" twice; the
// limits come last.
constexpr std::pair<std::string_view, std::string_view> PremiereForms[] = {
    {"((56*b-19*r-37*g)/256)", "u"},
    {"((78*r-65*g-13*g)/256)", "v"},
    {"(M/2)", "M"},
    {"M/4", "M/2"},
    {"M/2", "M"},
    {"M", "(M/2)"},
    {"pmax", "Z"},
    {"tmax", "255"},
    {"pmin", "0"},
    {"xmax", "X"},
    {"xmin", "0"},
    {"ymax", "Y"},
    {"ymin", "0"},
    {"dmax", "D"},
    {"mmax", "M"},
};

} // namespace

// Both rewritings below work as a scan that changes the text under itself: a rule that matches at a
// position replaces the text there, and the scan goes on at a place the rule decides. Every rule looks
// only at the text from the current position on, which has not been rewritten yet, and no text a rule
// inserts can start another match. So each scan is done as one pass that copies the formula into a
// new text, linear in its length, with the results of the in-place scan.

std::string OptimizeFormula(std::string_view code, int k, bool noOptimization) {
    std::string out;
    out.reserve(code.size());
    const std::size_t n = code.size();
    const auto starts = [&](std::size_t j, std::string_view pattern) { return code.substr(j).starts_with(pattern); };
    for (std::size_t j = 0; j < n;) {
        const auto c = static_cast<unsigned char>(code[j]);
        // Cleaning: the literal texts "\r" and "\n", control bytes, "T" and (optimising) blanks.
        if (c == '\\' && j + 1 < n && (code[j + 1] == 'r' || code[j + 1] == 'n')) {
            j += 2;
            continue;
        }
        if (c <= 9 || (!noOptimization && c == ' ')) {
            ++j;
            continue;
        }
        if (c == 'T') {
            out += "total";
            ++j;
            continue;
        }
        // Shortening: patterns are compared with the text not cleaned yet, so blanks after this
        // position still stand in the way of a match.
        bool shortened = false;
        if (!noOptimization) {
            for (const auto& s : Shortenings) {
                if ((s.Channel != -1 && s.Channel != k) || !starts(j, s.Pattern)) continue;
                out += s.Replacement;
                j += s.Pattern.size();
                shortened = true;
                break;
            }
        }
        if (shortened) continue;
        out.push_back(static_cast<char>(c));
        ++j;
    }
    return out;
}

void OptimizeCode(FilterRecord& record, bool noOptimization) {
    for (int k = 0; k < 4; ++k)
        record.Code(k) = OptimizeFormula(record.Code(k), k, noOptimization);
}

namespace {

// The first pass of Correctprmcode: variables and constants of the Premiere dialect. Text a rule
// inserts is never looked at again.
std::string premiere_names(std::string_view t) {
    std::string out;
    out.reserve(t.size() + t.size() / 4);
    const auto starts = [&](std::size_t j, std::string_view pattern) { return t.substr(j).starts_with(pattern); };
    for (std::size_t j = 0; j < t.size();) {
        const char c = t[j];
        if (c == 'P') {
            out += 'Z';
        } else if (c == 'T') {
            out += "total";
        } else if (c == 'D') {
            out += "512";
        } else if (c == 'p' && !starts(j, "put") && !starts(j, "p(") && !starts(j, "pmax") && !starts(j, "pmin")) {
            out += 'z';
        } else {
            bool done = false;
            for (const auto& [pattern, with] : PremiereForms) {
                if (!starts(j, pattern)) continue;
                out += with;
                j += pattern.size();
                done = true;
                break;
            }
            if (done) continue;
            out += c;
        }
        ++j;
    }
    return out;
}

// The second pass of Correctprmcode: Premiere's mix() takes its first two arguments the other way
// round. An argument is the text up to the first comma outside parentheses; one that closes a
// parenthesis it did not open (or runs to the end) makes the call stay as it stands. A nested mix()
// in an argument is swapped when the scan reaches it. The arguments are found through a table of
// where each position's argument stops, so nesting does not make the pass quadratic.
std::string swap_mix_arguments(const std::string& t) {
    const std::size_t n = t.size();
    if (t.find("mix(") == std::string::npos) return t;
    // depth[j]: parentheses open before position j. stop[j]: the first position from j on with the
    // same depth that holds "," or ")" (n when there is none).
    std::vector<long> depth(n + 1, 0);
    for (std::size_t j = 0; j < n; ++j)
        depth[j + 1] = depth[j] + (t[j] == '(') - (t[j] == ')');
    std::vector<std::size_t> stop(n + 1, n);
    std::vector<std::size_t> nextAtDepth(2 * n + 3, n);
    for (std::size_t j = n; j-- > 0;) {
        const auto d = static_cast<std::size_t>(depth[j] + static_cast<long>(n) + 1);
        if (t[j] == ',' || t[j] == ')') nextAtDepth[d] = j;
        stop[j] = nextAtDepth[d];
    }
    std::string out;
    out.reserve(n);
    // Work to do, last first: a span of the formula to scan, or a text to copy.
    struct Piece {
        std::size_t From, To;
        std::string_view Text;
    };
    std::vector<Piece> work{{0, n, {}}};
    while (!work.empty()) {
        const Piece p = work.back();
        work.pop_back();
        if (p.From == p.To) {
            out += p.Text;
            continue;
        }
        std::size_t j = p.From;
        for (; j < p.To; ++j) {
            if (t.compare(j, 4, "mix(") != 0) continue;
            const std::size_t first = j + 4;
            const std::size_t endA = first < n ? stop[first] : n;
            if (endA >= n || t[endA] != ',') continue;
            const std::size_t endB = stop[endA + 1];
            if (endB >= n || t[endB] != ',') continue;
            out.append(t, p.From, first - p.From);
            // The rest of the span, then the first argument, then the second (scanned first).
            work.push_back({endB + 1, p.To, {}});
            work.push_back({0, 0, ","});
            work.push_back({first, endA, {}});
            work.push_back({0, 0, ","});
            work.push_back({endA + 1, endB, {}});
            break;
        }
        if (j >= p.To) out.append(t, p.From, p.To - p.From);
    }
    return out;
}

} // namespace

std::string Correctprmcode(std::string& code) {
    code = swap_mix_arguments(premiere_names(code));
    return code;
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
