#pragma once
// Picture files for tests, byte by byte: BMP of every depth (with a known pattern), GIF through
// giflib's writer, and PNG/JPEG of the pattern through the imaging layer's writers.
//
//     std::string bmp = test_support::bmp_file(20, 10, 8);
//     // pixel (x, y) is pattern_colour(x, y, 8)

#include <cstdint>
#include <string>

namespace test_support {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The colour of pixel (x, y) in the pattern pictures of a depth (palette pictures use grey levels
// of their palette; 16 bits loses the low three bits of each channel).
Rgb pattern_colour(int x, int y, int bpp);

enum class BmpKind { Plain, TopDown, Rle, BitFields };
// A BMP file of the pattern. Rle needs 4 or 8 bits; BitFields 16 or 32 (565 and 8888 masks).
std::string bmp_file(int width, int height, int bpp, BmpKind kind = BmpKind::Plain);
// A GIF file (8-bit palette of grey levels) of the pattern; interlaced when asked.
std::string gif_file(int width, int height, bool interlaced = false);
// PNG and JPEG files of the 24-bit pattern.
std::string png_file(int width, int height);
std::string jpeg_file(int width, int height);

} // namespace test_support
