// BMP, our own reader and writer. The reader takes the Windows and OS/2 headers (12, 40, 52, 56,
// 64, 108 and 124 bytes), bottom-up and top-down rows, palettes of 1, 4 and 8 bits, run-length
// pictures of 4 and 8 bits, 16 and 32 bits with or without bit fields, and 24 bits.

#include "platform/imgman/codecs.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

namespace imgman {

namespace {

constexpr std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;

struct Bytes {
    std::span<const std::uint8_t> b;
    bool has(std::uint64_t at, std::uint64_t n) const { return at <= b.size() && n <= b.size() - at; }
    std::uint32_t u16(std::size_t at) const { return b[at] | (b[at + 1] << 8); }
    std::uint32_t u32(std::size_t at) const {
        return std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) | (std::uint32_t{b[at + 2]} << 16) |
               (std::uint32_t{b[at + 3]} << 24);
    }
};

// One colour channel described by a bit mask of a 16- or 32-bit pixel.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t top = 0; // the largest value of the field
    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (!m) return;
        shift = std::countr_zero(m);
        top = (std::uint64_t{m} >> shift);
    }
    std::uint8_t get(std::uint32_t px, std::uint8_t absent) const {
        if (!mask) return absent;
        const std::uint64_t v = (px & mask) >> shift;
        return static_cast<std::uint8_t>((v * 255 + top / 2) / top);
    }
};

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
};

void put(Image& img, std::int64_t x, std::int64_t row, Color c, std::uint8_t a = 255) {
    std::uint8_t* p =
        img.rgba.data() +
        (static_cast<std::size_t>(row) * static_cast<std::size_t>(img.width) + static_cast<std::size_t>(x)) * 4;
    p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = a;
}

// Decodes run-length data into `img` (file rows run bottom-up). False when the data ends before
// the picture does.
bool decode_rle(std::span<const std::uint8_t> data, int bpp, const std::vector<Color>& palette, Image& img) {
    const std::int64_t w = img.width, h = img.height;
    auto colour = [&](unsigned index) { return index < palette.size() ? palette[index] : Color{}; };
    auto pixel = [&](std::int64_t x, std::int64_t y, unsigned index) {
        if (x < w && y < h) put(img, x, h - 1 - y, colour(index));
    };
    std::int64_t x = 0, y = 0;
    std::size_t pos = 0;
    while (y < h) {
        if (pos + 2 > data.size()) return false;
        const unsigned count = data[pos], value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i, ++x)
                pixel(x, y, bpp == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 15));
            continue;
        }
        if (value == 0) { // end of line
            x = 0, ++y;
        } else if (value == 1) { // end of picture: the rest stays as it is
            return true;
        } else if (value == 2) { // move right and down
            if (pos + 2 > data.size()) return false;
            x += data[pos], y += data[pos + 1];
            pos += 2;
        } else { // `value` pixels as they are, padded to an even number of bytes
            const std::size_t bytes = bpp == 8 ? value : (value + 1) / 2;
            const std::size_t padded = bytes + (bytes & 1);
            if (pos + bytes > data.size()) return false;
            for (unsigned i = 0; i < value; ++i, ++x) {
                const unsigned byte = data[pos + (bpp == 8 ? i : i / 2)];
                pixel(x, y, bpp == 8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 15));
            }
            pos = std::min(data.size(), pos + padded);
        }
    }
    return true;
}

} // namespace

std::optional<Image> decode_bmp(std::span<const std::uint8_t> bytes, std::string& error) {
    const Bytes f{bytes};
    error = "The file is not a readable BMP picture.";
    if (!f.has(0, 18) || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const std::uint64_t offBits = f.u32(10);
    const std::uint64_t header = f.u32(14);
    if (header < 12 || !f.has(14, header)) return std::nullopt;

    std::int64_t width = 0, height = 0;
    std::uint32_t bpp = 0, compression = BI_RGB, clrUsed = 0;
    std::size_t entrySize = 4;
    std::uint32_t masks[4] = {0, 0, 0, 0};
    bool haveMasks = false;
    if (header == 12) { // OS/2 1.x: 16-bit sizes, three-byte palette entries
        width = f.u16(18);
        height = static_cast<std::int16_t>(f.u16(20));
        bpp = f.u16(24);
        entrySize = 3;
    } else if (header >= 40) {
        width = static_cast<std::int32_t>(f.u32(18));
        height = static_cast<std::int32_t>(f.u32(22));
        bpp = f.u16(28);
        compression = f.u32(30);
        clrUsed = f.u32(46);
        if (compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) {
            // The masks follow a plain 40-byte header and lie inside the longer ones.
            const std::size_t n = compression == BI_ALPHABITFIELDS || header >= 56 ? 4 : 3;
            if (!f.has(54, 4 * n)) return std::nullopt;
            for (std::size_t i = 0; i < n; ++i)
                masks[i] = f.u32(54 + 4 * i);
            haveMasks = true;
        } else if (header >= 56 && bpp == 32) {
            masks[3] = f.u32(66); // an alpha mask beside uncompressed 32-bit pixels
        }
    } else {
        return std::nullopt;
    }

    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0) return std::nullopt;
    if (too_large(width, height)) {
        error = "The picture is larger than this program can open.";
        return std::nullopt;
    }
    const bool rle = compression == BI_RLE8 || compression == BI_RLE4;
    const bool ok_depth =
        (compression == BI_RGB && (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32)) ||
        (compression == BI_RLE8 && bpp == 8) || (compression == BI_RLE4 && bpp == 4) ||
        ((compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) && (bpp == 16 || bpp == 32));
    if (!ok_depth || (rle && topDown)) {
        error = "This kind of BMP picture cannot be read.";
        return std::nullopt;
    }
    if (offBits < 14 + header || offBits > bytes.size()) return std::nullopt;
    const std::uint64_t available = bytes.size() - offBits;

    // The pixels the file holds bound the picture before anything is allocated.
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bpp + 31) / 32) * 4;
    if (rle) {
        if (!size_allowed(width, height, rle_bmp_pixel_bound(available))) {
            error = "The BMP picture is damaged: it holds fewer pixels than its size says.";
            return std::nullopt;
        }
    } else {
        const std::uint64_t need =
            stride * static_cast<std::uint64_t>(height - 1) + (static_cast<std::uint64_t>(width) * bpp + 7) / 8;
        if (need > available) {
            error = "The BMP picture is damaged: it ends before its last pixel.";
            return std::nullopt;
        }
    }

    std::vector<Color> palette;
    if (bpp <= 8) {
        std::uint64_t entries = clrUsed ? clrUsed : (1u << bpp);
        entries = std::min<std::uint64_t>(entries, 1u << bpp);
        const std::uint64_t start = 14 + header + (haveMasks && header == 40 ? 12 : 0);
        if (start >= offBits) return std::nullopt;
        entries = std::min<std::uint64_t>(entries, (offBits - start) / entrySize);
        if (entries == 0) return std::nullopt;
        palette.resize(entries);
        for (std::size_t i = 0; i < entries; ++i) {
            const std::uint8_t* p = bytes.data() + start + i * entrySize;
            palette[i] = {p[2], p[1], p[0]};
        }
    }

    Image img;
    img.width = static_cast<int>(width);
    img.height = static_cast<int>(height);
    img.bpp = static_cast<int>(bpp);
    img.rgba.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    const std::span<const std::uint8_t> data = bytes.subspan(offBits);

    if (rle) {
        // Pixels a run-length picture skips show the first palette colour.
        for (std::int64_t y = 0; y < height; ++y)
            for (std::int64_t x = 0; x < width; ++x)
                put(img, x, y, palette[0]);
        if (!decode_rle(data, static_cast<int>(bpp), palette, img)) {
            error = "The BMP picture is damaged: its run-length data ends too early.";
            return std::nullopt;
        }
        return img;
    }

    if (!haveMasks) {
        if (bpp == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
        if (bpp == 32) masks[0] = 0x00FF0000, masks[1] = 0x0000FF00, masks[2] = 0x000000FF;
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    bool anyAlpha = false;
    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint8_t* src = data.data() + static_cast<std::size_t>(y) * stride;
        const std::int64_t row = topDown ? y : height - 1 - y;
        for (std::int64_t x = 0; x < width; ++x) {
            switch (bpp) {
            case 1:
            case 4:
            case 8: {
                const std::uint64_t bit = static_cast<std::uint64_t>(x) * bpp;
                const unsigned byte = src[bit / 8];
                const unsigned index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                put(img, x, row, index < palette.size() ? palette[index] : Color{});
                break;
            }
            case 16: {
                const std::uint32_t px = src[2 * x] | (src[2 * x + 1] << 8);
                put(img, x, row, {red.get(px, 0), green.get(px, 0), blue.get(px, 0)}, alpha.get(px, 255));
                break;
            }
            case 24:
                put(img, x, row, {src[3 * x + 2], src[3 * x + 1], src[3 * x]});
                break;
            case 32: {
                const std::uint8_t* p = src + 4 * x;
                const std::uint32_t px = p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
                const std::uint8_t a = masks[3] ? alpha.get(px, 255) : p[3];
                anyAlpha = anyAlpha || a != 0;
                put(img, x, row, {red.get(px, 0), green.get(px, 0), blue.get(px, 0)}, a);
                break;
            }
            }
        }
    }
    if (bpp == 32 && !masks[3]) {
        // The fourth byte of a plain 32-bit pixel is usually left 0: a picture whose fourth bytes are
        // all 0 is opaque; otherwise they are its alpha channel.
        if (!anyAlpha)
            for (std::size_t i = 3; i < img.rgba.size(); i += 4)
                img.rgba[i] = 255;
        img.has_alpha = anyAlpha;
    } else {
        img.has_alpha = masks[3] != 0;
    }
    return img;
}

std::vector<std::uint8_t> encode_bmp(const Image& image) {
    // A picture with an alpha channel is written with 32 bits and a header whose masks name the
    // alpha byte (the 108-byte version 4 header), so that the alpha it has survives a plain Save; a
    // 32-bit picture without one is written with 32 bits and its fourth bytes 0, as it was read;
    // anything else with 24 bits.
    const bool alpha = image.has_alpha;
    const int bits = alpha || image.bpp == 32 ? 32 : 24;
    const std::uint32_t header = alpha ? 108 : 40;
    const std::uint32_t offBits = 14 + header;
    const std::uint32_t stride = ((static_cast<std::uint32_t>(image.width) * bits + 31) / 32) * 4;
    const std::uint32_t dataSize = stride * static_cast<std::uint32_t>(image.height);
    std::vector<std::uint8_t> out(offBits + static_cast<std::size_t>(dataSize), 0);
    auto u16 = [&](std::size_t at, std::uint32_t v) { out[at] = v & 255, out[at + 1] = (v >> 8) & 255; };
    auto u32 = [&](std::size_t at, std::uint32_t v) { u16(at, v & 0xFFFF), u16(at + 2, v >> 16); };
    out[0] = 'B', out[1] = 'M';
    u32(2, offBits + dataSize);
    u32(10, offBits);
    u32(14, header);
    u32(18, static_cast<std::uint32_t>(image.width));
    u32(22, static_cast<std::uint32_t>(image.height));
    u16(26, 1);
    u16(28, static_cast<std::uint32_t>(bits));
    u32(30, alpha ? BI_BITFIELDS : BI_RGB);
    u32(34, dataSize);
    u32(38, 2835); // 72 dots per inch
    u32(42, 2835);
    if (alpha) {
        u32(54, 0x00FF0000);
        u32(58, 0x0000FF00);
        u32(62, 0x000000FF);
        u32(66, 0xFF000000);
        u32(70, 0x73524742); // "sRGB": the colours are the screen's
    }
    const std::size_t step = static_cast<std::size_t>(bits / 8);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* src = image.rgba.data() + static_cast<std::size_t>(y) * image.width * 4;
        std::uint8_t* dst = out.data() + offBits + static_cast<std::size_t>(image.height - 1 - y) * stride;
        for (int x = 0; x < image.width; ++x, src += 4, dst += step) {
            dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
            if (alpha) dst[3] = src[3];
        }
    }
    return out;
}

} // namespace imgman
