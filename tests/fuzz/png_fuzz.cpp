// Feeds the PNG reader with pictures from outside: it must refuse what it cannot read without
// crashing, and whatever it accepts must be a consistent picture within the size limits.
#include "platform/imgman/codecs.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const auto image = imgman::decode_png(std::span<const std::uint8_t>(data, size), error);
    if (image) {
        if (image->width <= 0 || image->height <= 0 || image->width > imgman::max_side ||
            image->height > imgman::max_side ||
            image->rgba.size() != static_cast<std::size_t>(image->width) * image->height * 4)
            std::abort();
    } else if (error.empty()) {
        std::abort(); // a refusal always says why
    }
    return 0;
}
