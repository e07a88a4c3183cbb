#pragma once
// Text boxes count their selection in characters, strings hold UTF-8: the count of characters.

#include <string_view>

namespace vexolan {

inline int character_count(std::string_view text) {
    int n = 0;
    for (unsigned char ch : text)
        if ((ch & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace vexolan
