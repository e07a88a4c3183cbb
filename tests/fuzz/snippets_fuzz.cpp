// Feeds the reader of the snippet file ("Snipets.db"), which users keep and edit by hand. Every entry
// must come back from a file written in the same form, and no code may hold the separator.
#include "ffeditor/snippets.hpp"

#include "platform/values/values.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<vexolan::Snippet> read = vexolan::ParseSnippets(bytes);
    std::string again;
    for (const vexolan::Snippet& s : read) {
        if (s.Code.find(';') != std::string::npos) std::abort();
        if (s.Code.find_first_of("\r\n") != std::string::npos || s.Title.find_first_of("\r\n") != std::string::npos)
            std::abort();
        // An entry with no code and a title that starts like a comment or holds ";" cannot be written back as it is.
        if (s.Code.empty()) return 0;
        if (s.Code.front() == '#') return 0;
        again += vb::Utf8ToCp1252(s.Code + "; " + s.Title) + "\r\n";
    }
    const std::vector<vexolan::Snippet> back = vexolan::ParseSnippets(again);
    if (back.size() != read.size()) std::abort();
    for (std::size_t k = 0; k < read.size(); ++k)
        if (back[k].Code != read[k].Code) std::abort();
    return 0;
}
