// The size bounds of the picture readers on real files: a small file that describes a huge picture is
// refused before its pixels are allocated, and a small file that honestly packs a large picture (a
// plain 1-bit PNG) is read.

#include "platform/imgman/codecs.hpp"
#include "platform/imgman/imgman.hpp"
#include "tests/support/pictures.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

using namespace imgman;

namespace {

std::span<const std::uint8_t> span_of(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

void set32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s[at + i] = static_cast<char>((v >> (8 * i)) & 255);
}

// A run-length BMP of `side` x `side` pixels whose every row is whole runs of 255 pixels: about 130
// bytes a row for what decodes to 4 x `side` bytes.
std::string rle8_bmp(int side) {
    std::string bmp = test_support::bmp_file(1, 1, 8, test_support::BmpKind::Rle);
    const std::size_t offBits = static_cast<unsigned char>(bmp[10]) | (static_cast<unsigned char>(bmp[11]) << 8);
    bmp.resize(offBits);
    set32(bmp, 18, static_cast<std::uint32_t>(side));
    set32(bmp, 22, static_cast<std::uint32_t>(side));
    std::string row;
    for (int left = side; left > 0; left -= 255) {
        row += static_cast<char>(std::min(left, 255));
        row += '\x01';
    }
    row += std::string("\0\0", 2);
    bmp.reserve(bmp.size() + row.size() * static_cast<std::size_t>(side) + 2);
    for (int y = 0; y < side; ++y)
        bmp += row;
    bmp += std::string("\0\1", 2);
    set32(bmp, 2, static_cast<std::uint32_t>(bmp.size()));
    return bmp;
}

std::string big_endian(unsigned long v) {
    std::string word(4, '\0');
    for (int i = 0; i < 4; ++i)
        word[i] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
    return word;
}

std::string png_chunk(const std::string& type, const std::string& data) {
    const std::string body = type + data;
    return big_endian(data.size()) + body +
           big_endian(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
}

// A white greyscale PNG of `depth` bits a sample, compressed as well as zlib can.
std::string white_grey_png(int width, int height, int depth) {
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * depth + 7) / 8;
    std::string raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        raw.append(rowBytes, '\xFF');
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
              static_cast<uLong>(raw.size()), 9);
    packed.resize(size);
    const std::string header = big_endian(static_cast<unsigned long>(width)) +
                               big_endian(static_cast<unsigned long>(height)) + static_cast<char>(depth) +
                               std::string("\0\0\0\0", 4);
    return std::string("\x89PNG\r\n\x1a\n", 8) + png_chunk("IHDR", header) + png_chunk("IDAT", packed) +
           png_chunk("IEND", "");
}

} // namespace

TEST(PictureBounds, ASmallRunLengthBmpOfAHugePictureIsRefusedBeforeItsPixelsAreTaken) {
    // 16384 x 16384 is within the side limit and within what 2 MB of runs can describe; its pixels
    // would take a gigabyte.
    const std::string bmp = rle8_bmp(max_side);
    ASSERT_LT(bmp.size(), std::size_t{2200000});
    ASSERT_GE(rle_bmp_pixel_bound(bmp.size()), std::uint64_t{max_side} * max_side);
    std::string error;
    EXPECT_FALSE(decode_bmp(span_of(bmp), error));
    EXPECT_EQ(error, "The picture is larger than this program can open.");
    // The same kind of file at a size within the bound is read whole.
    const std::string small = rle8_bmp(2000);
    const auto image = decode_bmp(span_of(small), error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->width, 2000);
    EXPECT_EQ(image->rgba.size(), std::size_t{2000} * 2000 * 4);
}

TEST(PictureBounds, WellCompressedPngsOfFewBitsAPixelAreReadAndLiesAreStillRefused) {
    test_support::TempDir dir{"bounds"};
    struct Case {
        int depth;
        int width, height;
    };
    // At 1, 2 and 4 bits a byte holds 8, 4 and 2 pixels: such files describe more pixels a byte
    // than deflate's 1032 allows an 8-bit file.
    for (const Case c : {Case{1, 6000, 4000}, Case{2, 4000, 4000}, Case{4, 3000, 3000}}) {
        SCOPED_TRACE(c.depth);
        const std::string png = white_grey_png(c.width, c.height, c.depth);
        ASSERT_GT(std::uint64_t(c.width) * c.height, png_pixel_bound(png.size())) << "the case must be one the old bound refused";
        const std::string path = dir.write("white" + std::to_string(c.depth) + ".png", png).string();
        const int h = ImgOpenSolo(path);
        ASSERT_NE(h, 0) << ImgGetErrorText();
        const Image& img = *image_of(h);
        EXPECT_EQ(img.width, c.width);
        EXPECT_EQ(img.height, c.height);
        EXPECT_EQ(img.rgba[0], 255);
        EXPECT_EQ(img.rgba[img.rgba.size() - 2], 255);
        ImgClose(h);
    }
    // A header that claims more than the file's packed data can hold stays refused: the same
    // 1-bit file saying 8 bits a pixel.
    std::string lie = white_grey_png(6000, 4000, 1);
    lie[8 + 8 + 8] = 8;
    const std::string body = lie.substr(12, 4 + 13);
    const std::string crc = big_endian(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
    lie.replace(12 + 4 + 13, 4, crc);
    std::string error;
    EXPECT_FALSE(decode_png(span_of(lie), error));
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
}
