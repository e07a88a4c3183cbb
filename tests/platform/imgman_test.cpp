// The imaging layer: reading every picture format and depth, round trips through the writers, bad
// and truncated files, scaling, drawing, the save dialog, printing and the image clipboard.

#include "platform/imgman/codecs.hpp"
#include "platform/imgman/imgman.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/pictures.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>

using namespace imgman;
using test_support::BmpKind;
using test_support::Rgb;

namespace {

struct ImagingTest : ::testing::Test {
    test_support::TempDir dir{"img"};
    test_support::ScriptedHost host;
    void TearDown() override { EXPECT_EQ(live_handle_count(), 0) << "a test left images open"; }

    std::string file(std::string_view name, const std::string& bytes) { return dir.write(name, bytes).string(); }
};

Rgb pixel(const Image& img, int x, int y) {
    const std::uint8_t* p = &img.rgba[(static_cast<std::size_t>(y) * img.width + x) * 4];
    return {p[0], p[1], p[2]};
}

bool near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

struct BmpCase {
    int bpp;
    BmpKind kind;
};

} // namespace

TEST_F(ImagingTest, BmpOfEveryDepthAndLayoutReadsWithItsSizeDepthAndPixels) {
    const BmpCase cases[] = {{1, BmpKind::Plain},      {4, BmpKind::Plain},     {8, BmpKind::Plain},
                             {16, BmpKind::Plain},     {24, BmpKind::Plain},    {32, BmpKind::Plain},
                             {24, BmpKind::TopDown},   {8, BmpKind::Rle},       {4, BmpKind::Rle},
                             {16, BmpKind::BitFields}, {32, BmpKind::BitFields}};
    for (const BmpCase& c : cases) {
        SCOPED_TRACE("bpp " + std::to_string(c.bpp) + " kind " + std::to_string(static_cast<int>(c.kind)));
        const int h = imgman::ImgOpenSolo(file("p.bmp", test_support::bmp_file(13, 7, c.bpp, c.kind)));
        ASSERT_NE(h, 0) << ImgGetErrorText();
        ImageInfo info;
        std::int32_t flags = -1;
        ASSERT_EQ(ImgGetInfoStruct(h, info, flags), 1);
        EXPECT_EQ(info.Width, 13);
        EXPECT_EQ(info.Height, 7);
        EXPECT_EQ(info.BitCount, c.bpp);
        const Image& img = *image_of(h);
        EXPECT_FALSE(img.has_alpha);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_TRUE(near(pixel(img, x, y), test_support::pattern_colour(x, y, c.bpp), c.bpp == 16 ? 8 : 0))
                    << x << "," << y;
        EXPECT_EQ(ImgClose(h), 1);
    }
}

TEST_F(ImagingTest, EachWriterRoundTripsThroughItsReader) {
    const int src = ImgOpenSolo(file("src.bmp", test_support::bmp_file(33, 21, 24)));
    ASSERT_NE(src, 0);
    for (const char* name : {"out.bmp", "out.png", "out.jpg", "OUT.JPEG"}) {
        SCOPED_TRACE(name);
        const std::string path = (dir / name).string();
        ASSERT_EQ(ImgXWriteImage(path, src, host, WriteToName), 1) << ImgGetErrorText();
        const int back = ImgOpenSolo(path);
        ASSERT_NE(back, 0) << ImgGetErrorText();
        const Image& img = *image_of(back);
        EXPECT_EQ(img.width, 33);
        EXPECT_EQ(img.height, 21);
        const bool lossy = format_of_name(name) == Format::Jpeg;
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 33; ++x)
                ASSERT_TRUE(near(pixel(img, x, y), test_support::pattern_colour(x, y, 24), lossy ? 24 : 0))
                    << x << "," << y;
        ImgClose(back);
    }
    ImgClose(src);
}

TEST_F(ImagingTest, GifPngAndJpegFilesOpenWithTheirDepth) {
    struct Case {
        const char* name;
        std::string bytes;
        int bpp;
    };
    const Case cases[] = {{"a.gif", test_support::gif_file(17, 11), 8},
                          {"b.gif", test_support::gif_file(17, 11, true), 8},
                          {"c.png", test_support::png_file(17, 11), 24},
                          {"d.jpg", test_support::jpeg_file(17, 11), 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int h = ImgOpenSolo(file(c.name, c.bytes));
        ASSERT_NE(h, 0) << ImgGetErrorText();
        const Image& img = *image_of(h);
        EXPECT_EQ(img.width, 17);
        EXPECT_EQ(img.height, 11);
        EXPECT_EQ(img.bpp, c.bpp);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 17; ++x)
                ASSERT_TRUE(near(pixel(img, x, y), test_support::pattern_colour(x, y, c.bpp), c.bpp == 24 ? 24 : 0))
                    << x << "," << y;
        ImgClose(h);
    }
}

// A PNG reads as the values stored in it, whatever colour space its chunks claim: 8-bit colour with
// no colour-space chunk, with a chunk saying its data is linear (gamma 1.0), and 16-bit colour (which
// a reader converting to sRGB takes as linear); also a file cut before its closing chunk.
TEST_F(ImagingTest, PngPixelsAreTheStoredValuesWhateverTheColourSpaceChunks) {
    const int W = 17, H = 11;
    auto big_endian = [](unsigned long v) {
        std::string word(4, '\0');
        for (int i = 0; i < 4; ++i) word[i] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
        return word;
    };
    auto chunk = [&](const std::string& type, const std::string& data) {
        const std::string body = type + data;
        return big_endian(data.size()) + body +
               big_endian(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
    };
    auto png = [&](int depth, const std::string& extra, bool closed) {
        std::string raw;
        for (int y = 0; y < H; ++y) {
            raw += '\0'; // no row filter
            for (int x = 0; x < W; ++x) {
                const test_support::Rgb c = test_support::pattern_colour(x, y, 24);
                for (std::uint8_t v : {c.r, c.g, c.b}) {
                    raw += static_cast<char>(v);
                    if (depth == 16) raw += static_cast<char>(0x5A); // the low byte does not count
                }
            }
        }
        uLongf size = compressBound(static_cast<uLong>(raw.size()));
        std::string packed(size, '\0');
        compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                 static_cast<uLong>(raw.size()));
        packed.resize(size);
        const std::string header = big_endian(W) + big_endian(H) + static_cast<char>(depth) + std::string("\x02\0\0\0", 4);
        return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + extra + chunk("IDAT", packed) +
               (closed ? chunk("IEND", "") : "");
    };
    const std::string linear = chunk("gAMA", big_endian(100000));
    const std::string cases[] = {png(8, "", true), png(8, linear, true), png(16, "", true), png(16, linear, true),
                                 png(8, linear, false)};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const int h = ImgOpenSolo(file("p" + std::to_string(i) + ".png", cases[i]));
        ASSERT_NE(h, 0) << ImgGetErrorText();
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                ASSERT_EQ(pixel(*image_of(h), x, y), test_support::pattern_colour(x, y, 24)) << x << "," << y;
        ImgClose(h);
    }
}

TEST_F(ImagingTest, MissingGarbageAndTruncatedFilesGiveHandleZero) {
    EXPECT_EQ(ImgOpenSolo((dir / "missing.bmp").string()), 0);
    EXPECT_EQ(ImgGetStatus(), StatusFileError);
    EXPECT_EQ(ImgOpenSolo(file("garbage.bmp", "this is not a picture")), 0);
    EXPECT_EQ(ImgGetStatus(), StatusBadPicture);
    const std::string whole[] = {test_support::bmp_file(40, 30, 24), test_support::bmp_file(40, 30, 8, BmpKind::Rle),
                                 test_support::gif_file(40, 30), test_support::png_file(40, 30),
                                 test_support::jpeg_file(40, 30)};
    for (const std::string& bytes : whole) {
        // Cuts into the picture data fail cleanly (a PNG may lack its closing chunk: 12 bytes).
        for (std::size_t keep :
             {std::size_t{0}, std::size_t{10}, bytes.size() / 3, bytes.size() / 2, bytes.size() - 13}) {
            std::string error;
            const auto bytesIn = std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), keep);
            EXPECT_FALSE(decode_picture(bytesIn, error)) << "kept " << keep << " of " << bytes.size();
            EXPECT_FALSE(error.empty());
        }
    }
}

TEST_F(ImagingTest, HeadersClaimingHugePicturesAreRefusedBeforeAllocating) {
    // A BMP header of 16000 x 16000 pixels (768 MB of pixels) on a file of a few bytes.
    std::string bmp = test_support::bmp_file(4, 4, 24);
    auto set32 = [](std::string& s, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            s[at + i] = static_cast<char>((v >> (8 * i)) & 255);
    };
    set32(bmp, 18, 16000);
    set32(bmp, 22, 16000);
    std::string error;
    auto span = [](const std::string& s) {
        return std::span(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
    };
    EXPECT_FALSE(decode_bmp(span(bmp), error));
    // Beyond the side limit whatever the data.
    set32(bmp, 18, max_side + 1);
    set32(bmp, 22, 1);
    EXPECT_FALSE(decode_bmp(span(bmp), error));
    // Run-length data of 2 bytes cannot describe a million pixels.
    std::string rle = test_support::bmp_file(1000, 1000, 8, BmpKind::Rle);
    rle.resize(54 + 1024 + 4);
    EXPECT_FALSE(decode_bmp(span(rle), error));
    // The bounds themselves.
    EXPECT_TRUE(size_allowed(100, 100, png_pixel_bound(10)));
    EXPECT_FALSE(size_allowed(1000, 1000, png_pixel_bound(100)));
    EXPECT_FALSE(size_allowed(max_side + 1, 1, UINT64_MAX));
    EXPECT_FALSE(size_allowed(0, 10, UINT64_MAX));
}

TEST_F(ImagingTest, CopyScalesToTheExactSizeAndKeepsTheDepth) {
    const int src = ImgOpenSolo(file("s.bmp", test_support::bmp_file(320, 200, 8)));
    ASSERT_NE(src, 0);
    for (auto [w, h] : {std::pair{160, 110}, std::pair{320, 200}, std::pair{1, 1}, std::pair{641, 399}}) {
        const int copy = ImgCopy(src, w, h, {0, 0, 319, 199});
        ASSERT_NE(copy, 0);
        ImageInfo info;
        std::int32_t flags;
        ImgGetInfoStruct(copy, info, flags);
        EXPECT_EQ(info.Width, w);
        EXPECT_EQ(info.Height, h);
        EXPECT_EQ(info.BitCount, 8);
        ImgClose(copy);
    }
    // A part of the picture at its own size is those pixels exactly.
    const int part = ImgCopy(src, 5, 4, {10, 20, 14, 23});
    ASSERT_NE(part, 0);
    EXPECT_EQ(pixel(*image_of(part), 0, 0), test_support::pattern_colour(10, 20, 8));
    EXPECT_EQ(pixel(*image_of(part), 4, 3), test_support::pattern_colour(14, 23, 8));
    ImgClose(part);
    EXPECT_EQ(ImgCopy(src, 0, 10, {0, 0, 319, 199}), 0);
    EXPECT_EQ(ImgCopy(src, 10, 10, {400, 0, 500, 10}), 0);
    EXPECT_EQ(ImgCopy(0, 10, 10, {0, 0, 1, 1}), 0);
    EXPECT_EQ(ImgGetStatus(), StatusBadHandle);

    const int raised = ImgIncreaseColors(src, 24);
    ASSERT_NE(raised, 0);
    EXPECT_NE(raised, src);
    EXPECT_EQ(image_of(raised)->bpp, 24);
    EXPECT_EQ(image_of(src)->bpp, 8);
    EXPECT_EQ(ImgIncreaseColors(raised, 8), 0); // never lowered
    ImgClose(raised);
    ImgClose(src);
}

TEST_F(ImagingTest, HandlesAreNeverReusedAndCloseTwiceFails) {
    const std::string path = file("s.bmp", test_support::bmp_file(2, 2, 24));
    const int a = ImgOpenSolo(path);
    ASSERT_EQ(ImgClose(a), 1);
    EXPECT_EQ(ImgClose(a), 0);
    EXPECT_EQ(image_of(a), nullptr);
    const int b = ImgOpenSolo(path);
    EXPECT_NE(b, a);
    EXPECT_EQ(live_handle_count(), 1);
    ImageInfo info;
    std::int32_t flags;
    EXPECT_EQ(ImgGetInfoStruct(a, info, flags), 0);
    EXPECT_EQ(ImgClose(0), 0);
    ImgClose(b);
}

TEST_F(ImagingTest, DrawingScalesIntoTheDestinationAndClipsToTheSurface) {
    const int h = ImgOpenSolo(file("s.bmp", test_support::bmp_file(4, 4, 24)));
    ui::Bitmap surface;
    surface.resize(10, 10);
    // Destination right and bottom are exclusive: 4 x 4 pixels at (2, 3), one to one.
    ASSERT_EQ(ImgDrawImage(h, surface, {2, 3, 6, 7}, {0, 0, 3, 3}), 1);
    const Rgb c = test_support::pattern_colour(3, 3, 24);
    EXPECT_EQ(surface.pixel(5, 6), 0xFF000000u | (c.r << 16) | (c.g << 8) | c.b);
    EXPECT_EQ(surface.pixel(6, 6), 0u);
    EXPECT_EQ(surface.pixel(5, 7), 0u);
    // Partly off the surface: drawn where it lies on it.
    EXPECT_EQ(ImgDrawImage(h, surface, {-5, -5, 15, 15}, {0, 0, 3, 3}), 1);
    EXPECT_EQ(surface.pixel(0, 0) >> 24, 255u);
    EXPECT_EQ(surface.pixel(9, 9) >> 24, 255u);
    EXPECT_EQ(ImgDrawImage(h, surface, {5, 5, 5, 9}, {0, 0, 3, 3}), 0);
    ImgClose(h);
}

TEST_F(ImagingTest, SaveDialogCancelGivesStatus26AndGifIsNotWritable) {
    const int h = ImgOpenSolo(file("s.gif", test_support::gif_file(5, 5)));
    ASSERT_NE(h, 0);
    host.answer_file_dialog("");
    EXPECT_EQ(ImgXWriteImage({}, h, host, WriteByDialog), 0);
    EXPECT_EQ(ImgGetStatus(), StatusCancelled);
    EXPECT_EQ(host.file_dialogs().back().DialogMode, ui::FileDialogRequest::SaveWithPrompt);

    EXPECT_EQ(ImgXWriteImage((dir / "again.gif").string(), h, host, WriteToName), 0);
    EXPECT_EQ(ImgGetStatus(), StatusCannotWrite);
    EXPECT_FALSE(std::filesystem::exists(dir / "again.gif"));
    host.answer_msgbox(ui::vbOK, ImgGetErrorText(), ui::vbExclamation);
    ImgErrBox(host);

    host.answer_file_dialog((dir / "chosen.png").string());
    EXPECT_EQ(ImgXWriteImage((dir / "s.gif").string(), h, host, WriteByDialog), 1);
    EXPECT_EQ(host.file_dialogs().back().ProposedName, "s.gif");
    EXPECT_EQ(sniff_format(std::span(
                  reinterpret_cast<const std::uint8_t*>(test_support::read_file(dir / "chosen.png").data()), 8)),
              Format::Png);
    ImgClose(h);
}

TEST_F(ImagingTest, OpenDialogCancelAndChoice) {
    std::string path = "x";
    host.answer_file_dialog("");
    EXPECT_EQ(ImgOpenDialog(host, path), 0);
    EXPECT_EQ(ImgGetStatus(), StatusCancelled);
    EXPECT_EQ(path, "");
    const std::string chosen = file("c.bmp", test_support::bmp_file(3, 3, 1));
    host.answer_file_dialog(chosen);
    const int h = ImgOpenDialog(host, path);
    EXPECT_NE(h, 0);
    EXPECT_EQ(path, chosen);
    ImgClose(h);
}

TEST_F(ImagingTest, ClipboardPictureBecomesAnImage) {
    EXPECT_EQ(ImgFromClipboard(host), 0);
    ui::Bitmap b;
    b.resize(3, 2);
    std::fill(b.Rgba.begin(), b.Rgba.end(), std::uint8_t{200});
    b.Rgba[3] = 255; // not every pixel opaque: the picture keeps its alpha
    host.SetClipboardImage(b);
    const int h = ImgFromClipboard(host);
    ASSERT_NE(h, 0);
    EXPECT_EQ(image_of(h)->width, 3);
    EXPECT_TRUE(image_of(h)->has_alpha);
    EXPECT_EQ(image_of(h)->bpp, 32);
    ImgClose(h);
}

TEST_F(ImagingTest, ScannerCallsAnswerNoDevice) {
    EXPECT_EQ(ScanIsTWAINAvailable(), 0);
    EXPECT_EQ(ScanSelectSource(host), 0);
}

TEST_F(ImagingTest, PrintingHandsAPngToLpAndFailsWithoutOneOrWhenItHangs) {
    const int h = ImgOpenSolo(file("s.bmp", test_support::bmp_file(8, 8, 24)));
    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath ? oldPath : "";
    auto with_lp = [&](const std::string& script) {
        const auto bin = dir / "bin";
        std::filesystem::create_directories(bin);
        dir.write("bin/lp", "#!/bin/sh\n" + script);
        std::filesystem::permissions(bin / "lp", std::filesystem::perms::owner_all);
        setenv("PATH", bin.c_str(), 1);
    };
    Printer printer(100);
    EXPECT_EQ(printer.ScaleWidth(), 827);
    ASSERT_EQ(ImgPrintImage(h, printer, {0, 0, 8, 8}, {0, 0, 7, 7}), 1);

    // No print command at all.
    setenv("PATH", (dir / "nothing").c_str(), 1);
    EXPECT_EQ(printer.EndDoc(), 0);
    EXPECT_EQ(ImgGetStatus(), StatusPrintFailed);

    // A command that takes the page: it gets a PNG picture as its last argument.
    const std::string copy = (dir / "printed.png").string();
    with_lp("for a; do last=\"$a\"; done; /bin/cp \"$last\" " + copy + "\n");
    ImgPrintImage(h, printer, {0, 0, 8, 8}, {0, 0, 7, 7});
    EXPECT_EQ(printer.EndDoc(), 1);
    const int printed = ImgOpenSolo(copy);
    ASSERT_NE(printed, 0);
    EXPECT_EQ(image_of(printed)->width, 827);
    EXPECT_EQ(pixel(*image_of(printed), 7, 7), test_support::pattern_colour(7, 7, 24));
    EXPECT_EQ(pixel(*image_of(printed), 8, 8), (Rgb{255, 255, 255}));
    ImgClose(printed);

    // No printer: lp refuses. A command that never answers is given up on.
    with_lp("echo 'lp: No default destination.' >&2; exit 1\n");
    EXPECT_EQ(printer.EndDoc(), 0);
    with_lp("exec sleep 30\n");
    set_print_timeout(std::chrono::milliseconds(300));
    EXPECT_EQ(printer.EndDoc(), 0);
    EXPECT_EQ(ImgGetStatus(), StatusPrintFailed);
    set_print_timeout(std::chrono::milliseconds(20000));
    setenv("PATH", saved.c_str(), 1);
    ImgClose(h);
}
