#include "platform/fltk/shape.hpp"

#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/extensions/shape.h>

#include <vector>

namespace fltk {

void apply_window_shape(Fl_Window& window, const std::optional<ui::Region>& region) {
    if (!window.shown() || !fl_xid(&window)) return;
    Window xid = fl_xid(&window);
    if (!region) {
        XShapeCombineMask(fl_display, xid, ShapeBounding, 0, 0, None, ShapeSet);
        XShapeCombineMask(fl_display, xid, ShapeInput, 0, 0, None, ShapeSet);
        XFlush(fl_display);
        return;
    }
    const int w = std::max(1, window.w()), h = std::max(1, window.h());
    // An X bitmap: rows padded to whole bytes, the lowest bit first.
    const int stride = (w + 7) / 8;
    std::vector<char> bits(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h), 0);
    std::vector<unsigned char> mask = region->mask(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)])
                bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) +
                     static_cast<std::size_t>(x / 8)] |= static_cast<char>(1 << (x % 8));
    Pixmap pixmap =
        XCreateBitmapFromData(fl_display, xid, bits.data(), static_cast<unsigned>(w), static_cast<unsigned>(h));
    // The outline bounds both what is drawn and where the mouse reaches the window.
    XShapeCombineMask(fl_display, xid, ShapeBounding, 0, 0, pixmap, ShapeSet);
    XShapeCombineMask(fl_display, xid, ShapeInput, 0, 0, pixmap, ShapeSet);
    XFreePixmap(fl_display, pixmap);
    XFlush(fl_display);
}

} // namespace fltk
