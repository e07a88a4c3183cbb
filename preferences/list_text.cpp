#include "preferences/list_text.hpp"

#include "platform/values/values.hpp"

#include <cstdint>

namespace vexolan {

// The lines of a list file: CR LF, LF and a lone CR all end a line; a last line without an end
// counts, an empty text has none.
std::vector<std::string> SplitListLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    bool pending = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            pending = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
            pending = true;
        }
    }
    if (pending) lines.push_back(std::move(line));
    return lines;
}

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t n = 0;
        std::uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1, cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2, cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n >= text.size()) return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if ((b & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if ((n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

// A line of a list file as UTF-8. The files are written in UTF-8; a line that is not valid UTF-8
// comes from an older list written in Windows-1252 and is read as such, so old lists still load.
std::string ListLineText(std::string_view line) {
    return IsUtf8(line) ? std::string(line) : vb::Cp1252ToUtf8(line);
}

std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return text;
}

} // namespace vexolan
