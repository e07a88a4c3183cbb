#include "platform/imgman/imgman.hpp"

#include "platform/fs/files.hpp"
#include "platform/imgman/codecs.hpp"
#include "platform/imgman/scale.hpp"
#include "platform/imgman/status.hpp"
#include "platform/ui/Controls.hpp"
#include "platform/ui/Host.hpp"

#include <cstring>

namespace imgman {

namespace {

struct LastError {
    int status = StatusOK;
    std::string text;
};

LastError& last() {
    static LastError e;
    return e;
}

void succeed() {
    record_success();
}

int fail(int status, std::string text) {
    return record_failure(status, std::move(text));
}

Image* checked(std::int32_t handle) {
    Image* img = image_of(handle);
    if (!img) fail(StatusBadHandle, "There is no picture under this image handle.");
    return img;
}

bool is_depth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

std::span<const std::uint8_t> as_bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string file_name_of(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string folder_of(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

int write_file(std::string_view fileName, const Image& img) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    switch (format_of_name(fileName)) {
    case Format::Bmp:
        bytes = encode_bmp(img);
        break;
    case Format::Jpeg:
        if (auto b = encode_jpeg(img, error))
            bytes = std::move(*b);
        else
            return fail(StatusCannotWrite, "The JPEG picture could not be made: " + error);
        break;
    case Format::Png:
        if (auto b = encode_png(img, error))
            bytes = std::move(*b);
        else
            return fail(StatusCannotWrite, "The PNG picture could not be made: " + error);
        break;
    case Format::Gif:
        return fail(StatusCannotWrite, "GIF pictures cannot be written. Save the picture as BMP, JPEG or PNG.");
    case Format::Unknown:
        return fail(StatusCannotWrite, "Couldn't save \"" + file_name_of(fileName) +
                                           "\": pictures are written as BMP (.bmp), JPEG (.jpg) or PNG (.png).");
    }
    try {
        files::replace_file(std::string(fileName),
                            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const vb::Error& e) {
        return fail(StatusFileError, "Couldn't save " + std::string(fileName) + ": " + e.what());
    }
    succeed();
    return 1;
}

} // namespace

int record_failure(int status, std::string text) {
    last() = {status, std::move(text)};
    return 0;
}

void record_success() {
    last() = {};
}

// --- opening and closing ---

std::int32_t ImgOpenSolo(std::string_view fileName, std::string_view /*options*/) {
    std::string bytes;
    try {
        bytes = files::read_file_bytes(std::string(fileName));
    } catch (const vb::Error& e) {
        return fail(StatusFileError, "Couldn't read " + std::string(fileName) + ": " + e.what());
    }
    std::string error;
    std::optional<Image> img = decode_picture(as_bytes(bytes), error);
    if (!img) return fail(StatusBadPicture, file_name_of(fileName) + ": " + error);
    const std::int32_t handle = add_image(std::move(*img));
    if (!handle) return fail(StatusBadPicture, file_name_of(fileName) + ": the picture is empty.");
    succeed();
    return handle;
}

std::int32_t ImgOpenDialog(ui::Host& host, std::string& path, int flags) {
    ui::FileDialogRequest request;
    request.Title = "Open Picture";
    const bool other = (flags & OfferOther) != 0;
    struct Kind {
        int flag;
        const char* label;
        const char* shown;
        const char* patterns;
        const char* otherPatterns;
    };
    static constexpr Kind kinds[] = {{OfferBmp, "BMP Pictures", "*.bmp", "*.bmp", "*.bmp;*.dib"},
                                     {OfferJpeg, "JPEG Pictures", "*.jpg", "*.jpg", "*.jpg;*.jpeg"},
                                     {OfferPng, "PNG Pictures", "*.png", "*.png", "*.png"},
                                     {OfferGif, "GIF Pictures", "*.gif", "*.gif", "*.gif"}};
    std::string allShown, allPatterns;
    std::vector<ui::FileFilter> single;
    for (const Kind& k : kinds) {
        if (!(flags & k.flag)) continue;
        const std::string patterns = other ? k.otherPatterns : k.patterns;
        allShown += (allShown.empty() ? "" : ";") + std::string(k.shown);
        allPatterns += (allPatterns.empty() ? "" : ";") + patterns;
        single.push_back({std::string(k.label) + " (" + k.shown + ")", patterns});
    }
    if (single.size() > 1) request.Filters.push_back({"Pictures (" + allShown + ")", allPatterns});
    request.Filters.insert(request.Filters.end(), single.begin(), single.end());
    if (other) request.Filters.push_back({"All Files (*.*)", "*.*"});
    path = host.FileDialog(request);
    if (path.empty()) return fail(StatusCancelled, "");
    return ImgOpenSolo(path);
}

int ImgClose(std::int32_t handle) {
    if (!close_image(handle)) return fail(StatusBadHandle, "There is no picture under this image handle.");
    succeed();
    return 1;
}

// --- information and new images ---

int ImgGetInfoStruct(std::int32_t handle, ImageInfo& info, std::int32_t& flags) {
    const Image* img = checked(handle);
    if (!img) return 0;
    info.Width = img->width;
    info.Height = img->height;
    info.BitCount = static_cast<std::int16_t>(img->bpp);
    flags = 0;
    succeed();
    return 1;
}

std::int32_t ImgCopy(std::int32_t handle, int width, int height, const Rect& source, std::int32_t /*flags*/) {
    const Image* img = checked(handle);
    if (!img) return 0;
    if (width <= 0 || height <= 0 || width > max_side || height > max_side)
        return fail(StatusBadArgument, "The size of the copy is out of range.");
    const std::optional<Rect> src = clip_source(*img, source);
    if (!src) return fail(StatusBadArgument, "The rectangle to copy lies outside the picture.");
    Image copy;
    copy.width = width;
    copy.height = height;
    copy.bpp = img->bpp;
    copy.has_alpha = img->has_alpha;
    copy.rgba = resample(*img, *src, width, height);
    const std::int32_t result = add_image(std::move(copy));
    if (!result) return fail(StatusBadArgument, "The copy could not be made.");
    succeed();
    return result;
}

std::int32_t ImgIncreaseColors(std::int32_t handle, int bits) {
    const Image* img = checked(handle);
    if (!img) return 0;
    if (!is_depth(bits) || bits < img->bpp)
        return fail(StatusBadArgument, "The colour depth can only be raised, to 1, 4, 8, 16, 24 or 32 bits.");
    Image copy = *img;
    copy.bpp = bits;
    const std::int32_t result = add_image(std::move(copy));
    succeed();
    return result;
}

// --- drawing ---

int ImgDrawImage(std::int32_t handle, ui::Bitmap& surface, const Rect& destination, const Rect& source) {
    const Image* img = checked(handle);
    if (!img) return 0;
    if (!draw_scaled(*img, source, surface, destination))
        return fail(StatusBadArgument, "The picture cannot be drawn into this rectangle.");
    succeed();
    return 1;
}

int ImgDrawImage(std::int32_t handle, ui::PictureBox& box, const Rect& destination, const Rect& source) {
    int result = 0;
    if (!checked(handle)) return 0;
    box.PaintImage([&](ui::Bitmap& surface) { result = ImgDrawImage(handle, surface, destination, source); });
    return result;
}

// --- writing ---

int ImgXWriteImage(std::string_view fileName, std::int32_t handle, ui::Host& owner, int options) {
    const Image* img = checked(handle);
    if (!img) return 0;
    std::string target(fileName);
    if (options == WriteByDialog || target.empty()) {
        ui::FileDialogRequest request;
        request.DialogMode = ui::FileDialogRequest::SaveWithPrompt;
        request.Title = "Save Picture As";
        request.InitialFolder = folder_of(target);
        request.ProposedName = file_name_of(target);
        request.Filters = {{"BMP Picture (*.bmp)", "*.bmp"},
                           {"JPEG Picture (*.jpg)", "*.jpg;*.jpeg"},
                           {"PNG Picture (*.png)", "*.png"}};
        request.DefaultExtension = "bmp";
        target = owner.FileDialog(request);
        if (target.empty()) return fail(StatusCancelled, "");
    }
    // JPEG has no alpha channel: a picture with transparent parts is written so only when the user
    // agrees to lose them.
    if (format_of_name(target) == Format::Jpeg && img->has_alpha) {
        bool transparent = false;
        for (std::size_t i = 3; i < img->rgba.size() && !transparent; i += 4)
            transparent = img->rgba[i] != 255;
        if (transparent &&
            owner.MsgBox("A JPEG picture cannot be transparent: the transparent parts of " + file_name_of(target) +
                             " would be lost." + "\r\n" + "Save it as JPEG anyway?",
                         ui::vbYesNo | ui::vbQuestion, "Save Picture") != ui::vbYes)
            return fail(StatusCancelled, "");
    }
    return write_file(target, *img);
}

// --- errors ---

int ImgGetStatus() {
    return last().status;
}

std::string ImgGetErrorText() {
    return last().text;
}

int ImgErrBox(ui::Host& owner) {
    const LastError& e = last();
    std::string text = e.text;
    if (text.empty())
        text = e.status == StatusOK ? "The last picture operation succeeded." : "The picture operation failed.";
    owner.MsgBox(text, ui::vbExclamation);
    return 1;
}

// --- printing ---

int ImgPrintImage(std::int32_t handle, Printer& printer, const Rect& destination, const Rect& source) {
    return ImgDrawImage(handle, printer.Page, destination, source);
}

// --- the clipboard ---

std::int32_t ImgFromClipboard(ui::Host& host) {
    std::optional<ui::Bitmap> picture = host.ClipboardImage();
    if (!picture || picture->empty() || picture->Width > max_side || picture->Height > max_side)
        return fail(StatusNoPicture, "The clipboard holds no picture.");
    Image img;
    img.width = picture->Width;
    img.height = picture->Height;
    img.rgba = std::move(picture->Rgba);
    for (std::size_t i = 3; i < img.rgba.size() && !img.has_alpha; i += 4)
        img.has_alpha = img.rgba[i] != 255;
    img.bpp = img.has_alpha ? 32 : 24;
    const std::int32_t result = add_image(std::move(img));
    if (!result) return fail(StatusNoPicture, "The clipboard holds no picture.");
    succeed();
    return result;
}

// --- scanning ---

int ScanIsTWAINAvailable() {
    fail(StatusNoScanner, "There is no scanning device on this system.");
    return 0;
}

int ScanSelectSource(ui::Host& /*owner*/) {
    return fail(StatusNoScanner, "There is no scanning device on this system.");
}

} // namespace imgman
