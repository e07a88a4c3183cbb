#include "tests/support/pictures.hpp"

#include "platform/imgman/codecs.hpp"

#include <gif_lib.h>

#include <vector>

namespace test_support {

namespace {

void u16(std::string& s, std::size_t at, std::uint32_t v) {
    s[at] = static_cast<char>(v & 255);
    s[at + 1] = static_cast<char>((v >> 8) & 255);
}
void u32(std::string& s, std::size_t at, std::uint32_t v) {
    u16(s, at, v & 0xFFFF);
    u16(s, at + 2, v >> 16);
}

int palette_size(int bpp) {
    return 1 << bpp;
}

// The palette index of pixel (x, y) in a palette picture.
int pattern_index(int x, int y, int bpp) {
    return (x + 3 * y) % palette_size(bpp);
}

Rgb grey(int index, int bpp) {
    const auto v = static_cast<std::uint8_t>(index * 255 / (palette_size(bpp) - 1));
    return {v, v, static_cast<std::uint8_t>(255 - v)};
}

imgman::Image pattern_image(int w, int h) {
    imgman::Image img;
    img.width = w, img.height = h;
    img.rgba.resize(static_cast<std::size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb c = pattern_colour(x, y, 24);
            std::uint8_t* p = &img.rgba[(static_cast<std::size_t>(y) * w + x) * 4];
            p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = 255;
        }
    return img;
}

} // namespace

Rgb pattern_colour(int x, int y, int bpp) {
    if (bpp <= 8) return grey(pattern_index(x, y, bpp), bpp);
    // Smooth enough for JPEG, varied enough to catch swapped channels and rows.
    Rgb c{static_cast<std::uint8_t>(x * 7 % 256), static_cast<std::uint8_t>(y * 7 % 256),
          static_cast<std::uint8_t>(128 + (x - y) % 64)};
    if (bpp == 16) {
        // 565: five bits of red and blue, six of green, widened again as the reader does.
        auto widen = [](unsigned v, int bits) {
            const unsigned top = (1u << bits) - 1;
            return static_cast<std::uint8_t>(((v >> (8 - bits)) * 255 + top / 2) / top);
        };
        c = {widen(c.r, 5), widen(c.g, 6), widen(c.b, 5)};
    }
    return c;
}

std::string bmp_file(int width, int height, int bpp, BmpKind kind) {
    const bool palette = bpp <= 8;
    const bool fields = kind == BmpKind::BitFields;
    const std::size_t header = 40 + (fields ? 12 : 0);
    const std::size_t paletteBytes = palette ? static_cast<std::size_t>(palette_size(bpp)) * 4 : 0;
    const std::size_t offBits = 14 + header + paletteBytes;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;

    // The rows as stored: bottom-up unless top-down.
    std::string data;
    auto file_row = [&](int i) { return kind == BmpKind::TopDown ? i : height - 1 - i; };
    if (kind == BmpKind::Rle) {
        for (int i = 0; i < height; ++i) {
            const int y = file_row(i);
            // Runs of two pixels for even x, absolute bytes never: enough to exercise runs and line ends.
            for (int x = 0; x < width; ++x) {
                const int a = pattern_index(x, y, bpp);
                if (bpp == 8) {
                    data += static_cast<char>(1);
                    data += static_cast<char>(a);
                } else {
                    // One pixel per run keeps the high nibble as the pixel.
                    data += static_cast<char>(1);
                    data += static_cast<char>(a << 4);
                }
            }
            data += std::string("\0\0", 2);
        }
        data += std::string("\0\1", 2);
    } else {
        for (int i = 0; i < height; ++i) {
            const int y = file_row(i);
            std::string row(stride, '\0');
            for (int x = 0; x < width; ++x) {
                if (palette) {
                    const std::size_t bit = static_cast<std::size_t>(x) * bpp;
                    row[bit / 8] = static_cast<char>(static_cast<unsigned char>(row[bit / 8]) |
                                                     (pattern_index(x, y, bpp) << (8 - bpp - bit % 8)));
                    continue;
                }
                const Rgb c = pattern_colour(x, y, bpp);
                if (bpp == 16) {
                    const std::uint32_t px = fields ? ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3)
                                                    : ((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3);
                    u16(row, static_cast<std::size_t>(x) * 2, px);
                } else {
                    const std::size_t at = static_cast<std::size_t>(x) * (bpp / 8);
                    row[at] = static_cast<char>(c.b), row[at + 1] = static_cast<char>(c.g),
                    row[at + 2] = static_cast<char>(c.r);
                }
            }
            data += row;
        }
    }

    std::string f(offBits, '\0');
    f[0] = 'B', f[1] = 'M';
    u32(f, 2, static_cast<std::uint32_t>(offBits + data.size()));
    u32(f, 10, static_cast<std::uint32_t>(offBits));
    u32(f, 14, 40);
    u32(f, 18, static_cast<std::uint32_t>(width));
    u32(f, 22, static_cast<std::uint32_t>(kind == BmpKind::TopDown ? -height : height));
    u16(f, 26, 1);
    u16(f, 28, static_cast<std::uint32_t>(bpp));
    u32(f, 30, kind == BmpKind::Rle ? (bpp == 8 ? 1 : 2) : fields ? 3 : 0);
    u32(f, 34, static_cast<std::uint32_t>(data.size()));
    if (fields) {
        if (bpp == 16)
            u32(f, 54, 0xF800), u32(f, 58, 0x07E0), u32(f, 62, 0x001F);
        else
            u32(f, 54, 0x00FF0000), u32(f, 58, 0x0000FF00), u32(f, 62, 0x000000FF);
    }
    for (int i = 0; palette && i < palette_size(bpp); ++i) {
        const Rgb c = grey(i, bpp);
        const std::size_t at = 14 + header + static_cast<std::size_t>(i) * 4;
        f[at] = static_cast<char>(c.b), f[at + 1] = static_cast<char>(c.g), f[at + 2] = static_cast<char>(c.r);
    }
    return f + data;
}

std::string gif_file(int width, int height, bool interlaced) {
    std::string out;
    auto write = [](GifFileType* gif, const GifByteType* bytes, int n) {
        static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), n);
        return n;
    };
    int err = 0;
    GifFileType* gif = EGifOpen(&out, write, &err);
    std::vector<GifColorType> colours(256);
    for (int i = 0; i < 256; ++i) {
        const Rgb c = grey(i, 8);
        colours[i] = {c.r, c.g, c.b};
    }
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    EGifPutScreenDesc(gif, width, height, 8, 0, map);
    EGifPutImageDesc(gif, 0, 0, width, height, interlaced, nullptr);
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    std::vector<int> rows;
    if (interlaced) {
        const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < height; y += step[pass])
                rows.push_back(y);
    } else {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
    }
    for (int y : rows) {
        for (int x = 0; x < width; ++x)
            line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(pattern_index(x, y, 8));
        EGifPutLine(gif, line.data(), width);
    }
    EGifCloseFile(gif, &err);
    GifFreeMapObject(map);
    return out;
}

std::string png_file(int width, int height) {
    std::string error;
    auto bytes = imgman::encode_png(pattern_image(width, height), error);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

std::string jpeg_file(int width, int height) {
    std::string error;
    auto bytes = imgman::encode_jpeg(pattern_image(width, height), error, 95);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

} // namespace test_support
