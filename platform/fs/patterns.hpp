#pragma once
// File-name patterns with Windows wildcard meaning, matched without regard to letter case.

#include <string>
#include <string_view>
#include <vector>

namespace fs_patterns {

// Whether `name` (a file name, no folder) matches one wildcard pattern: "*" any run, "?" one
// character; "*.*" also matches a name without a dot, and "*." matches names without an extension.
bool MatchPattern(std::string_view name, std::string_view pattern);

// Whether `name` matches any item of a ";"-separated list ("*.8b?;*._bf"); empty items are ignored,
// and a list with no items matches nothing.
bool MatchPatternList(std::string_view name, std::string_view patterns);

// The items of a ";"-separated list, blanks around each trimmed, empty items left out.
std::vector<std::string> SplitPatterns(std::string_view patterns);

} // namespace fs_patterns
