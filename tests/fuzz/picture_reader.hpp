#pragma once
// What every picture reader's fuzz target checks: the reader refuses what it cannot read without
// crashing and says why, and whatever it accepts is a consistent picture within the size limits.

#include "platform/imgman/codecs.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzz {

template <typename Reader> void check_picture_reader(Reader read, const std::uint8_t* data, std::size_t size) {
    std::string error;
    const auto image = read(std::span<const std::uint8_t>(data, size), error);
    if (image) {
        if (image->width <= 0 || image->height <= 0 || image->width > imgman::max_side ||
            image->height > imgman::max_side ||
            static_cast<std::uint64_t>(image->width) * static_cast<std::uint64_t>(image->height) > imgman::max_pixels ||
            image->rgba.size() != static_cast<std::size_t>(image->width) * image->height * 4)
            std::abort();
    } else if (error.empty()) {
        std::abort();
    }
}

} // namespace fuzz
