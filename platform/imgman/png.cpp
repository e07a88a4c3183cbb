// PNG through libpng: read with its own interface (see decode_png), written with the simplified one.

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

// Read through libpng's own interface rather than its simplified one: the simplified reader turns
// every picture into sRGB, so a file with a gamma chunk (or 16-bit data, which it takes as linear)
// came back brighter or darker than the values stored in it. A picture here is its stored values:
// palettes and grey expanded, 16 bits cut to their high byte, no colour-space conversion.
std::optional<Image> decode_png(std::span<const std::uint8_t> bytes, std::string& error) {
    error = "The file is not a readable PNG picture.";
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return std::nullopt;
    struct Source {
        std::span<const std::uint8_t> bytes;
        std::size_t pos = 0;
    } source{bytes};
    png_structp png = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, nullptr, [](png_structp p, png_const_charp) { png_longjmp(p, 1); },
        [](png_structp, png_const_charp) {});
    if (!png) return std::nullopt;
    png_infop info = png_create_info_struct(png);
    Image img;
    std::vector<png_bytep> rows;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        return std::nullopt;
    }
    png_set_read_fn(png, &source, [](png_structp p, png_bytep out, png_size_t n) {
        auto& from = *static_cast<Source*>(png_get_io_ptr(p));
        if (n > from.bytes.size() - from.pos) png_error(p, "truncated");
        std::memcpy(out, from.bytes.data() + from.pos, n);
        from.pos += n;
    });
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    if (too_large(width, height)) {
        png_destroy_read_struct(&png, &info, nullptr);
        error = "The picture is larger than this program can open.";
        return std::nullopt;
    }
    // The file's own packing bounds the picture: a 1-bit row packs eight pixels a byte, so a small
    // file of a plain 1-bit picture may stand for many more pixels than one of 8 bits could.
    const int fileBits = png_get_bit_depth(png, info) * png_get_channels(png, info);
    if (png_data_size(width, height, fileBits) > png_data_bound(bytes.size())) {
        png_destroy_read_struct(&png, &info, nullptr);
        error = "The PNG picture is damaged: it holds fewer pixels than its size says.";
        return std::nullopt;
    }
    error = "The PNG picture is damaged.";
    const int type = png_get_color_type(png, info);
    img.width = static_cast<int>(width);
    img.height = static_cast<int>(height);
    img.bpp = nominal_png_depth(bytes);
    img.has_alpha = (type & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * 4) png_error(png, "unexpected layout");
    img.rgba.resize(static_cast<std::size_t>(width) * height * 4);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = img.rgba.data() + static_cast<std::size_t>(y) * width * 4;
    // The chunks after the picture data are not needed: a file cut just after it still shows.
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
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
