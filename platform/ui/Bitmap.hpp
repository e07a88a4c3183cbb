#pragma once
// A picture in memory as the ui model holds one: the persistent image of a picture box, a printer
// page, the picture on the clipboard. Four bytes per pixel, red, green, blue and alpha, row-major
// with the top row first. Alpha 0 means nothing was drawn there (the box's own background shows).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ui {

struct Bitmap {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Rgba;

    bool empty() const { return Width <= 0 || Height <= 0; }
    // Changes the size, keeping what lies in both the old and the new area; new pixels are
    // transparent. A negative size counts as 0.
    void resize(int width, int height);
    // Every pixel transparent.
    void clear();
    // The pixel as 0xAARRGGBB; 0 outside the bitmap.
    std::uint32_t pixel(int x, int y) const;
    std::uint8_t* row(int y) { return Rgba.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) * 4; }
    const std::uint8_t* row(int y) const {
        return Rgba.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) * 4;
    }
};

} // namespace ui
