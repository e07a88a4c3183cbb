// Feeds the Filter Factory plug-in readers with plug-ins from outside. Random bytes almost never have
// an accepted length or a signature, so besides the input as it is, each run also lays the input over
// a file of an accepted length that carries its layout's signature, so that the readers go on to the
// titles, the texts and the formulas.
#include "filterfactory/layouts.hpp"
#include "filterfactory/plugin_reader.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace vexolan::ff;

namespace {

void read_all(std::string_view file) {
    for (bool silent : {true, false}) {
        FilterRecord a, b, c;
        Read8bfBytes(a, file, silent);
        ReadprmBytes(b, file, silent);
        ReadTFBytes(c, file, silent);
    }
}

// A file of `length` bytes: zeros, the input laid over it from `offset` on, and `signature` at `pos`.
std::string shaped(std::string_view input, std::int64_t length, std::int64_t offset, FilePos pos,
                   std::string_view signature) {
    std::string file(static_cast<std::size_t>(length), '\0');
    for (std::size_t i = 0; i < input.size() && offset + static_cast<std::int64_t>(i) < length; ++i)
        file[static_cast<std::size_t>(offset) + i] = input[i];
    if (pos > 0 && pos - 1 + static_cast<std::int64_t>(signature.size()) <= length)
        file.replace(static_cast<std::size_t>(pos - 1), signature.size(), signature);
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    read_all(input);
    if (size < 2) return 0;

    const auto& layout = PluginLayouts[data[0] % PluginLayouts.size()];
    const auto length = layout.Lengths[data[1] % 2] ? layout.Lengths[data[1] % 2] : layout.Lengths[0];
    std::string_view signature = layout.Name == LayoutFilterFactoryVariant.Name ? SignatureLeadingBlank
                                 : layout.MacBinary                             ? SignatureBlank.substr(7)
                                                                                : SignatureBlank;
    // The input covers the block (and the fields just before it) where the readers look.
    const std::int64_t offset = std::min(layout.Title, layout.Block) - 1;
    read_all(shaped(input.substr(2), length, offset, layout.Signature, signature));

    // Premiere plug-ins are recognised by their length alone: the input fills the whole file, repeated.
    std::string premiere(static_cast<std::size_t>(PremiereFFLengths[data[1] % PremiereFFLengths.size()]), '\0');
    const std::string_view tile = input.substr(2);
    for (std::size_t i = 0; !tile.empty() && i < premiere.size(); ++i)
        premiere[i] = tile[i % tile.size()];
    read_all(premiere);
    return 0;
}
