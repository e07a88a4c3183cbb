// Feeds the reader of the link lists ("FilterURLs.txt", "TubeURLs.txt"), which users share and edit
// by hand. Whatever it reads must write back to a list that reads the same addresses and names (a
// name left empty is carried from the entry before when read back, as the format wants).
#include "preferences/frmDownload.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vexolan::LinkList read = vexolan::ReadLinkList(bytes);
    if (read.Names.size() != read.URLs.size()) std::abort();
    vexolan::LinkList back = vexolan::ReadLinkList(vexolan::WriteLinkList(read.Names, read.URLs));
    // A name never holds ";" once read, so each entry comes back as it was.
    if (back.Names.size() != read.Names.size() || back.URLs != read.URLs) std::abort();
    for (std::size_t i = 1; i < read.Names.size(); ++i)
        if (!read.Names[i].empty() && back.Names[i] != read.Names[i]) std::abort();
    return 0;
}
