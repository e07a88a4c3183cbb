// PNG through libpng's simplified interface, which reports every failure by its return value.

#include "platform/imgman/codecs.hpp"

#include <png.h>

#include <cstring>

namespace imgman {

namespace {

// The file's own depth, read from its header: palette and grey pictures keep 1, 4 or 8 bits
// (2 counts as 4); colour is 24 bits, or 32 with alpha.
int nominal_png_depth(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 26) return 24;
    const int depth = bytes[24], type = bytes[25];
    switch (type) {
    case 0: // grey
    case 3: // palette
        return depth <= 1 ? 1 : depth <= 4 ? 4 : 8;
    case 4: // grey and alpha
    case 6: // colour and alpha
        return 32;
    default:
        return 24;
    }
}

} // namespace

std::optional<Image> decode_png(std::span<const std::uint8_t> bytes, std::string& error) {
    error = "The file is not a readable PNG picture.";
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return std::nullopt;
    if (!size_allowed(png.width, png.height, png_pixel_bound(bytes.size()))) {
        png_image_free(&png);
        error = "The PNG picture is damaged or larger than this program can open.";
        return std::nullopt;
    }
    Image img;
    img.width = static_cast<int>(png.width);
    img.height = static_cast<int>(png.height);
    img.bpp = nominal_png_depth(bytes);
    img.has_alpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    png.format = PNG_FORMAT_RGBA;
    img.rgba.resize(static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height) * 4);
    if (!png_image_finish_read(&png, nullptr, img.rgba.data(), 0, nullptr)) {
        png_image_free(&png);
        error = "The PNG picture is damaged.";
        return std::nullopt;
    }
    return img;
}

std::optional<std::vector<std::uint8_t>> encode_png(const Image& image, std::string& error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = image.has_alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels;
    const void* source = image.rgba.data();
    if (!image.has_alpha) {
        pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
        for (std::size_t i = 0, j = 0; i < image.rgba.size(); i += 4, j += 3)
            std::memcpy(&pixels[j], &image.rgba[i], 3);
        source = pixels.data();
    }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, source, 0, nullptr)) {
        error = png.message[0] ? png.message : "The PNG picture could not be made.";
        return std::nullopt;
    }
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, source, 0, nullptr)) {
        error = png.message[0] ? png.message : "The PNG picture could not be made.";
        return std::nullopt;
    }
    out.resize(size);
    return out;
}

} // namespace imgman
