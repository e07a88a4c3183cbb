// Feeds the BMP reader with pictures from outside, and writes back whatever it reads: the written
// BMP reads back as the same pixels, alpha channel included (a plain Save loses nothing).
#include "tests/fuzz/picture_reader.hpp"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::check_picture_reader(imgman::decode_bmp, data, size);
    std::string error;
    const auto image = imgman::decode_bmp(std::span<const std::uint8_t>(data, size), error);
    if (!image) return 0;
    const std::vector<std::uint8_t> written = imgman::encode_bmp(*image);
    const auto again = imgman::decode_bmp(written, error);
    if (!again || again->width != image->width || again->height != image->height || again->rgba != image->rgba ||
        again->has_alpha != image->has_alpha || (image->bpp == 32 && again->bpp != 32))
        std::abort();
    return 0;
}
