// JPEG through libjpeg. Its errors arrive through a long jump out of the library, so the code
// between setjmp and the end of each call keeps only trivially destructible objects alive, and the
// pixel buffer is made before the jump point.

#include "platform/imgman/codecs.hpp"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jerror.h>
#include <jpeglib.h>

namespace imgman {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool endedEarly = false;
};

void on_error(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings stay quiet; the one that says the data ended before the picture marks the file damaged
// (libjpeg fills the rest with grey and goes on).
void on_message(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<ErrorManager*>(cinfo->err)->endedEarly = true;
}

// A progressive file may claim any number of scans, each of which passes over the whole picture:
// a few hundred are plenty for real files, so more are taken as damage.
constexpr int max_scans = 1000;

void on_progress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > max_scans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "too many scans");
        std::longjmp(err->jump, 1);
    }
}

// Reads the header and checks the size; false when the file is not a JPEG picture we may open.
bool read_header(jpeg_decompress_struct& cinfo, std::span<const std::uint8_t> bytes) {
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return false;
    return size_allowed(cinfo.image_width, cinfo.image_height, jpeg_pixel_bound(bytes.size()));
}

} // namespace

std::optional<Image> decode_jpeg(std::span<const std::uint8_t> bytes, std::string& error) {
    error = "The file is not a readable JPEG picture.";
    if (bytes.empty()) return std::nullopt;
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = on_error;
    err.pub.emit_message = on_message;
    err.message[0] = 0;
    jpeg_progress_mgr progress;
    progress.progress_monitor = on_progress;

    // First pass: the header alone, to learn and check the size before any pixel memory is taken.
    std::int64_t width = 0, height = 0;
    int components = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return std::nullopt;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress;
    const bool allowed = read_header(cinfo, bytes);
    width = cinfo.image_width, height = cinfo.image_height, components = cinfo.num_components;
    jpeg_destroy_decompress(&cinfo);
    if (!allowed) {
        if (width > 0) error = "The JPEG picture is damaged or larger than this program can open.";
        return std::nullopt;
    }

    Image img;
    img.width = static_cast<int>(width);
    img.height = static_cast<int>(height);
    img.bpp = components == 1 ? 8 : 24;
    img.rgba.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 255);
    std::vector<JSAMPLE> line(static_cast<std::size_t>(width) * 3);
    JSAMPLE* volatile lineData = line.data(); // volatile: kept across the long jump
    std::uint8_t* const out = img.rgba.data();

    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        error = "The JPEG picture is damaged.";
        return std::nullopt;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress;
    if (!read_header(cinfo, bytes) || cinfo.image_width != width || cinfo.image_height != height) {
        jpeg_destroy_decompress(&cinfo);
        return std::nullopt;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_width != width || cinfo.output_components != 3) {
        jpeg_destroy_decompress(&cinfo);
        return std::nullopt;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        const std::size_t y = cinfo.output_scanline;
        JSAMPROW rows[1] = {lineData};
        if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) break;
        std::uint8_t* dst = out + y * static_cast<std::size_t>(width) * 4;
        for (std::int64_t x = 0; x < width; ++x)
            dst[4 * x] = lineData[3 * x], dst[4 * x + 1] = lineData[3 * x + 1], dst[4 * x + 2] = lineData[3 * x + 2];
    }
    const bool complete = cinfo.output_scanline == cinfo.output_height && !err.endedEarly;
    jpeg_destroy_decompress(&cinfo);
    if (!complete) {
        error = "The JPEG picture is damaged: it ends too early.";
        return std::nullopt;
    }
    return img;
}

std::optional<std::vector<std::uint8_t>> encode_jpeg(const Image& image, std::string& error, int quality) {
    std::vector<JSAMPLE> line(static_cast<std::size_t>(image.width) * 3);
    JSAMPLE* volatile lineData = line.data(); // volatile: kept across the long jump
    const std::uint8_t* const in = image.rgba.data();
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = on_error;
    err.pub.emit_message = on_message;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        error = err.message;
        return std::nullopt;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality < 1 ? 1 : quality > 100 ? 100 : quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::uint8_t* src = in + static_cast<std::size_t>(cinfo.next_scanline) * image.width * 4;
        for (int x = 0; x < image.width; ++x)
            lineData[3 * x] = src[4 * x], lineData[3 * x + 1] = src[4 * x + 1], lineData[3 * x + 2] = src[4 * x + 2];
        JSAMPROW rows[1] = {lineData};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

} // namespace imgman
