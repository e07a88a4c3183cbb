#include "platform/fltk/wm.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <X11/Xatom.h>

#include <chrono>
#include <thread>
#include <vector>

namespace fltk::wm {

namespace {

Atom atom(const char* name) {
    return XInternAtom(fl_display, name, False);
}

// The 32-bit items of a window property (at most `count`), or none.
std::optional<std::vector<long>> property(::Window xid, const char* name, Atom type, long count) {
    Atom actual = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(fl_display, xid, atom(name), 0, count, False, type, &actual, &format, &items, &after,
                           &data) != Success)
        return std::nullopt;
    std::optional<std::vector<long>> out;
    if (data && format == 32 && actual == type) {
        const long* v = reinterpret_cast<const long*>(data);
        out = std::vector<long>(v, v + items);
    }
    if (data) XFree(data);
    return out;
}

std::optional<Frame> frame_from(::Window xid) {
    auto v = property(xid, "_NET_FRAME_EXTENTS", XA_CARDINAL, 4);
    if (!v || v->size() != 4) return std::nullopt;
    return Frame{static_cast<int>((*v)[0]), static_cast<int>((*v)[1]), static_cast<int>((*v)[2]),
                 static_cast<int>((*v)[3])};
}

std::optional<Frame> remembered;
int asked = 0;

void send_state(::Window xid, bool on, Atom first, Atom second) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = xid;
    e.xclient.message_type = atom("_NET_WM_STATE");
    e.xclient.format = 32;
    e.xclient.data.l[0] = on ? 1 : 0; // _NET_WM_STATE_ADD or _REMOVE
    e.xclient.data.l[1] = static_cast<long>(first);
    e.xclient.data.l[2] = static_cast<long>(second);
    e.xclient.data.l[3] = 1; // a normal application
    XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(fl_display);
}

} // namespace

bool running() {
    if (!fl_display) return false;
    auto v = property(RootWindow(fl_display, fl_screen), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, 1);
    return v && !v->empty() && (*v)[0] != 0;
}

std::optional<Frame> frame_of(Fl_Window& window) {
    if (!window.shown() || !fl_display) return std::nullopt;
    return frame_from(fl_xid(&window));
}

void remember_frame(const Frame& frame) {
    remembered = frame;
}

std::optional<Frame> expected_frame() {
    if (remembered || !fl_display) return remembered;
    if (!running()) return std::nullopt;
    // A window manager that is still starting may not answer: asked again, a few times at most.
    if (asked >= 3) return std::nullopt;
    ++asked;
    // A window of our own, never shown: the window manager writes the frame it would give it.
    ::Window root = RootWindow(fl_display, fl_screen);
    ::Window probe = XCreateSimpleWindow(fl_display, root, 0, 0, 100, 100, 0, 0, 0);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = probe;
    e.xclient.message_type = atom("_NET_REQUEST_FRAME_EXTENTS");
    e.xclient.format = 32;
    XSendEvent(fl_display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(fl_display);
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (!remembered && std::chrono::steady_clock::now() < until) {
        XSync(fl_display, False);
        remembered = frame_from(probe);
        if (!remembered) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    XDestroyWindow(fl_display, probe);
    XFlush(fl_display);
    return remembered;
}

bool maximized(Fl_Window& window) {
    if (!window.shown() || !fl_display) return false;
    auto v = property(fl_xid(&window), "_NET_WM_STATE", XA_ATOM, 32);
    if (!v) return false;
    bool vert = false, horz = false;
    const long mv = static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_VERT"));
    const long mh = static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
    for (long a : *v) {
        vert = vert || a == mv;
        horz = horz || a == mh;
    }
    return vert && horz;
}

void set_maximized(Fl_Window& window, bool on) {
    if (!window.shown() || !fl_display) return;
    send_state(fl_xid(&window), on, atom("_NET_WM_STATE_MAXIMIZED_VERT"), atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
}

void set_transient_for(Fl_Window& window, Fl_Window& owner) {
    if (!window.shown() || !owner.shown() || &window == &owner || !fl_display) return;
    XSetTransientForHint(fl_display, fl_xid(&window), fl_xid(&owner));
    XFlush(fl_display);
}

void raise(Fl_Window& window) {
    if (!window.shown() || !fl_display) return;
    XRaiseWindow(fl_display, fl_xid(&window));
    XFlush(fl_display);
}

} // namespace fltk::wm
