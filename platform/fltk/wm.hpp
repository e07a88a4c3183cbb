#pragma once
// What the window manager says and does about our windows on X11: the frame it draws around a
// window, the maximized state, which window a dialog belongs to, and stacking. Every call works
// without a window manager too (there is then no frame, and maximizing fills the work area).

#include <optional>

class Fl_Window;

namespace fltk::wm {

// The frame around a window's client area, in pixels per side.
struct Frame {
    int left = 0, right = 0, top = 0, bottom = 0;
};

// Whether a window manager runs on the display (it announces itself on the root window).
bool running();
// The frame the window manager gives a shown window (_NET_FRAME_EXTENTS), once it has said so.
std::optional<Frame> frame_of(Fl_Window& window);
// The frame a decorated window will get before it is shown: the window manager is asked once with
// a window of our own (_NET_REQUEST_FRAME_EXTENTS); later frames of real windows refresh it.
std::optional<Frame> expected_frame();
void remember_frame(const Frame& frame);

// The window manager shows the window maximized (both directions).
bool maximized(Fl_Window& window);
// Asks the window manager to maximize or restore a shown window.
void set_maximized(Fl_Window& window, bool on);

// The window belongs to `owner` (WM_TRANSIENT_FOR): the window manager keeps it above its owner.
void set_transient_for(Fl_Window& window, Fl_Window& owner);
// Puts a shown window on top of the others.
void raise(Fl_Window& window);

} // namespace fltk::wm
