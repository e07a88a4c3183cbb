#include "platform/fltk/pictures.hpp"

#include "platform/fltk/FltkHost.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Image.H>
#include <FL/fl_draw.H>

#include <chrono>
#include <cstring>

namespace fltk {

void draw_bitmap(const ui::Bitmap& bitmap, int x, int y) {
    if (bitmap.empty()) return;
    // Fl_RGB_Image blends four-channel pictures by their alpha when it draws them.
    Fl_RGB_Image image(bitmap.Rgba.data(), bitmap.Width, bitmap.Height, 4);
    image.draw(x, y);
}

namespace {

// Receives the clipboard's picture, which the display hands over as an event.
class ImagePasteTarget : public Fl_Box {
public:
    ImagePasteTarget() : Fl_Box(0, 0, 1, 1) {}
    int handle(int event) override {
        if (event == FL_PASTE) {
            received = true;
            if (std::strcmp(Fl::event_clipboard_type(), Fl::clipboard_image) == 0)
                if (auto* image = static_cast<Fl_RGB_Image*>(Fl::event_clipboard())) {
                    take(*image);
                    delete image;
                }
            return 1;
        }
        return Fl_Box::handle(event);
    }
    std::optional<ui::Bitmap> picture;
    bool received = false;

private:
    void take(const Fl_RGB_Image& image) {
        const int w = image.w(), h = image.h(), depth = image.d();
        if (w <= 0 || h <= 0 || depth < 1 || depth > 4 || image.count() < 1 || !image.data()[0]) return;
        const auto* data = reinterpret_cast<const unsigned char*>(image.data()[0]);
        const int line = image.ld() ? image.ld() : w * depth;
        ui::Bitmap b;
        b.resize(w, h);
        for (int y = 0; y < h; ++y) {
            const unsigned char* src = data + static_cast<std::size_t>(y) * static_cast<std::size_t>(line);
            std::uint8_t* dst = b.row(y);
            for (int x = 0; x < w; ++x, src += depth, dst += 4) {
                if (depth >= 3) {
                    dst[0] = src[0], dst[1] = src[1], dst[2] = src[2];
                } else {
                    dst[0] = dst[1] = dst[2] = src[0];
                }
                dst[3] = depth == 4 ? src[3] : depth == 2 ? src[1] : 255;
            }
        }
        picture = std::move(b);
    }
};

} // namespace

std::optional<ui::Bitmap> FltkHost::ClipboardImage() {
    if (!Fl::clipboard_contains(Fl::clipboard_image)) return std::nullopt;
    ImagePasteTarget target;
    Fl::paste(target, 1, Fl::clipboard_image);
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!target.received && std::chrono::steady_clock::now() < until)
        Fl::wait(0.05);
    return target.picture;
}

void FltkHost::SetClipboardImage(const ui::Bitmap& picture) {
    if (picture.empty()) return;
    // The desktop clipboard takes three bytes a pixel; transparent parts become white, as they
    // show on a page.
    std::vector<unsigned char> rgb(static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height) *
                                   3);
    for (std::size_t i = 0, j = 0; i < picture.Rgba.size(); i += 4, j += 3) {
        const unsigned a = picture.Rgba[i + 3];
        for (int c = 0; c < 3; ++c)
            rgb[j + c] = static_cast<unsigned char>((picture.Rgba[i + c] * a + 255 * (255 - a) + 127) / 255);
    }
    Fl::copy_image(rgb.data(), picture.Width, picture.Height, 1);
}

} // namespace fltk
