#include "platform/fs/patterns.hpp"

#include "platform/values/values.hpp"

namespace fs_patterns {

namespace {

bool globMatch(std::string_view s, std::string_view p) {
    // Iterative wildcard match with backtracking to the last "*".
    size_t si = 0, pi = 0, star = std::string_view::npos, mark = 0;
    while (si < s.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == s[si])) {
            ++si;
            ++pi;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = si;
        } else if (star != std::string_view::npos) {
            pi = star + 1;
            si = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

} // namespace

bool MatchPattern(std::string_view name, std::string_view pattern) {
    std::string n = vb::LCase(name);
    std::string p = vb::LCase(vb::Trim(pattern));
    if (p.empty()) return false;
    if (p == "*.*" || p == "*") return true;
    if (globMatch(n, p)) return true;
    // A name without a dot matches a pattern ending in "." as if it had an empty extension.
    if (n.find('.') == std::string::npos && (p.back() == '.' || (p.size() >= 2 && p.ends_with(".*"))))
        return globMatch(n + ".", p) || globMatch(n + ".", p.substr(0, p.size() - 1));
    return false;
}

std::vector<std::string> SplitPatterns(std::string_view patterns) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t end = patterns.find(';', start);
        if (end == std::string_view::npos) end = patterns.size();
        std::string item = vb::Trim(patterns.substr(start, end - start));
        if (!item.empty()) items.push_back(item);
        start = end + 1;
    }
    return items;
}

bool MatchPatternList(std::string_view name, std::string_view patterns) {
    for (const auto& p : SplitPatterns(patterns))
        if (MatchPattern(name, p)) return true;
    return false;
}

} // namespace fs_patterns
