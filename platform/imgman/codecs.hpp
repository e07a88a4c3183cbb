#pragma once
// The picture formats of the imaging layer: BMP (read: 1, 4, 8, 16, 24 and 32 bits, uncompressed,
// run-length and bit-field; write: 24 bits, or 32 with the alpha channel), JPEG and PNG (read and write) and GIF (read, the
// first picture of the file).
//
// Every reader treats its bytes as untrusted: a truncated or malformed file gives nothing and a
// sentence for the user, never a crash, and no reader allocates more than the file can justify.
// Before any pixel memory is taken, width x height is checked against the most pixels the file's
// size allows in its format (exact for an uncompressed BMP; the format's greatest compression ratio
// otherwise) and against max_side on each axis.

#include "platform/imgman/images.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace imgman {

// No picture wider or higher than this is read or made.
inline constexpr int max_side = 16384;
// No picture of more pixels than this is read, whatever its file allows: 64 Mi pixels, 256 MiB of
// decoded RGBA (8192 x 8192, or a 10000 x 6000 photograph). A run-length BMP of 2 MB can describe a
// gigabyte of pixels; this bound refuses it before anything is allocated.
inline constexpr std::uint64_t max_pixels = std::uint64_t{64} * 1024 * 1024;

// The most pixels that `bytes` bytes of a picture of each format can describe. The figures are the
// formats' own limits: a BMP run of two bytes gives at most 255 pixels; deflate expands a byte to
// at most 1032; one 12-bit LZW code gives at most 4096 pixels (2731 a byte); a JPEG spends at least
// one bit on each 8 x 8 block of a scan (512 pixels a byte).
std::uint64_t rle_bmp_pixel_bound(std::uint64_t bytes);
std::uint64_t png_pixel_bound(std::uint64_t bytes);
std::uint64_t gif_pixel_bound(std::uint64_t bytes);
std::uint64_t jpeg_pixel_bound(std::uint64_t bytes);
// The bytes of filtered PNG data (a filter byte and the packed samples of each row) that `bytes`
// bytes of a PNG file can hold at most, deflate expanding a byte to at most 1032.
std::uint64_t png_data_bound(std::uint64_t bytes);
// The filtered PNG data of a width x height picture of `bitsPerPixel` bits (channels x bit depth) per
// pixel: one filter byte and the packed samples of each row. A 1-bit picture packs eight pixels a byte.
std::uint64_t png_data_size(std::int64_t width, std::int64_t height, int bitsPerPixel);
// Whether a width x height picture may be allocated for a file allowing `bound` pixels: also false
// beyond max_side on either axis or max_pixels in all.
bool size_allowed(std::int64_t width, std::int64_t height, std::uint64_t bound);
// Whether width x height lies beyond max_side on an axis or beyond max_pixels in all.
bool too_large(std::int64_t width, std::int64_t height);

enum class Format { Unknown, Bmp, Jpeg, Png, Gif };
// The format by the file's first bytes.
Format sniff_format(std::span<const std::uint8_t> bytes);
// The format a file name asks to be written in, by its extension (".bmp", ".jpg", ".jpeg", ".png";
// any letter case); Gif for ".gif" (readable only), Unknown for anything else.
Format format_of_name(std::string_view fileName);

// Reads a picture of any of the formats. On failure: nothing, with the reason in `error`.
std::optional<Image> decode_picture(std::span<const std::uint8_t> bytes, std::string& error);
std::optional<Image> decode_bmp(std::span<const std::uint8_t> bytes, std::string& error);
std::optional<Image> decode_png(std::span<const std::uint8_t> bytes, std::string& error);
std::optional<Image> decode_jpeg(std::span<const std::uint8_t> bytes, std::string& error);
std::optional<Image> decode_gif(std::span<const std::uint8_t> bytes, std::string& error);

// Writes a picture. BMP is 24 bits, or 32 for a 32-bit picture or one with an alpha channel, which
// it keeps; PNG keeps the alpha channel of a picture that has one; JPEG is written at `quality`
// (1..100) and has no alpha channel.
std::vector<std::uint8_t> encode_bmp(const Image& image);
std::optional<std::vector<std::uint8_t>> encode_png(const Image& image, std::string& error);
std::optional<std::vector<std::uint8_t>> encode_jpeg(const Image& image, std::string& error, int quality = 90);

} // namespace imgman
