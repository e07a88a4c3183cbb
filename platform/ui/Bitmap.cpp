#include "platform/ui/Bitmap.hpp"

#include <algorithm>
#include <cstring>

namespace ui {

void Bitmap::resize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width && height == Height) return;
    std::vector<std::uint8_t> next(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    const int keepW = std::min(width, Width), keepH = std::min(height, Height);
    for (int y = 0; y < keepH; ++y)
        std::memcpy(next.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4, row(y),
                    static_cast<std::size_t>(keepW) * 4);
    Width = width;
    Height = height;
    Rgba = std::move(next);
}

void Bitmap::clear() {
    std::fill(Rgba.begin(), Rgba.end(), std::uint8_t{0});
}

std::uint32_t Bitmap::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return 0;
    const std::uint8_t* p = row(y) + static_cast<std::size_t>(x) * 4;
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
}

} // namespace ui
