#include "platform/imgman/codecs.hpp"

#include <algorithm>
#include <cctype>

namespace imgman {

std::uint64_t rle_bmp_pixel_bound(std::uint64_t bytes) {
    return (bytes / 2) * 255;
}

std::uint64_t png_pixel_bound(std::uint64_t bytes) {
    return bytes * 1032;
}

std::uint64_t png_data_bound(std::uint64_t bytes) {
    return bytes * 1032;
}

std::uint64_t png_data_size(std::int64_t width, std::int64_t height, int bitsPerPixel) {
    if (width <= 0 || height <= 0 || bitsPerPixel <= 0) return 0;
    const std::uint64_t row = (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel) + 7) / 8;
    return static_cast<std::uint64_t>(height) * (1 + row);
}

std::uint64_t gif_pixel_bound(std::uint64_t bytes) {
    return bytes * 2731;
}

std::uint64_t jpeg_pixel_bound(std::uint64_t bytes) {
    return bytes * 512;
}

bool too_large(std::int64_t width, std::int64_t height) {
    if (width > max_side || height > max_side) return true;
    return width > 0 && height > 0 &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > max_pixels;
}

bool size_allowed(std::int64_t width, std::int64_t height, std::uint64_t bound) {
    if (width <= 0 || height <= 0 || too_large(width, height)) return false;
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= bound;
}

Format sniff_format(std::span<const std::uint8_t> b) {
    if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') return Format::Bmp;
    if (b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return Format::Jpeg;
    if (b.size() >= 8 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G' && b[4] == '\r' && b[5] == '\n')
        return Format::Png;
    if (b.size() >= 6 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8') return Format::Gif;
    return Format::Unknown;
}

Format format_of_name(std::string_view fileName) {
    const std::size_t slash = fileName.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos) return Format::Unknown;
    std::string ext(name.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == "bmp" || ext == "dib") return Format::Bmp;
    if (ext == "jpg" || ext == "jpeg" || ext == "jpe") return Format::Jpeg;
    if (ext == "png") return Format::Png;
    if (ext == "gif") return Format::Gif;
    return Format::Unknown;
}

std::optional<Image> decode_picture(std::span<const std::uint8_t> bytes, std::string& error) {
    switch (sniff_format(bytes)) {
    case Format::Bmp:
        return decode_bmp(bytes, error);
    case Format::Jpeg:
        return decode_jpeg(bytes, error);
    case Format::Png:
        return decode_png(bytes, error);
    case Format::Gif:
        return decode_gif(bytes, error);
    case Format::Unknown:
        break;
    }
    error = "The file is not a picture in a format this program reads (BMP, JPEG, PNG or GIF).";
    return std::nullopt;
}

} // namespace imgman
