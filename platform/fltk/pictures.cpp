#include "platform/fltk/pictures.hpp"

#include "platform/fltk/FltkHost.hpp"
#include "platform/fltk/selection.hpp"

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

std::optional<ui::Bitmap> FltkHost::ClipboardImage() {
    // Read by the program's own reader: it needs no event of FLTK's, so a picture another program
    // copied is there right after a menu or a window closed.
    return clipboard_picture();
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
