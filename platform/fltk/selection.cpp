#include "platform/fltk/selection.hpp"

#include "platform/ui/Controls.hpp"

#include <FL/Fl.H>
#include <FL/Fl_BMP_Image.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <unistd.h>

// The hidden window FLTK owns its selections with (FLTK's headers declare it for its own files only).
extern Window fl_message_window;

namespace fltk {

namespace {

using Clock = std::chrono::steady_clock;

Atom atom(Display* d, const char* name) {
    return XInternAtom(d, name, False);
}

Atom selection_atom(Display* d, SelectionName which) {
    return which == SelectionName::Clipboard ? atom(d, "CLIPBOARD") : XA_PRIMARY;
}

// A connection to the display and an unmapped window of the reader's own, for one read.
class Requestor {
public:
    Requestor() {
        display_ = XOpenDisplay(fl_display ? DisplayString(fl_display) : nullptr);
        if (!display_) return;
        XSetWindowAttributes attributes{};
        attributes.event_mask = PropertyChangeMask;
        window_ = XCreateWindow(display_, DefaultRootWindow(display_), -10, -10, 1, 1, 0, CopyFromParent, InputOnly,
                                CopyFromParent, CWEventMask, &attributes);
        property_ = atom(display_, "VEXOLAN_SELECTION");
    }
    ~Requestor() {
        if (!display_) return;
        if (window_) XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    Requestor(const Requestor&) = delete;
    Requestor& operator=(const Requestor&) = delete;

    explicit operator bool() const { return display_ && window_; }
    Display* display() const { return display_; }

    // Asks the owner of `selection` for it as `target`; the type list or data lands on the
    // reader's property. False when the owner refuses or does not answer in time.
    bool convert(Atom selection, Atom target, Clock::time_point until) {
        XConvertSelection(display_, selection, target, property_, window_, CurrentTime);
        XEvent e;
        while (next_event(e, until)) {
            if (e.type != SelectionNotify || e.xselection.requestor != window_ || e.xselection.selection != selection)
                continue;
            return e.xselection.property != None;
        }
        return false;
    }

    // Takes the property's value (and deletes it). False when it is larger than `bound` or gone.
    bool take(std::string& bytes, Atom& type, int& format, std::size_t bound) {
        unsigned char* data = nullptr;
        unsigned long count = 0, after = 0;
        // The length is asked in 32-bit units; one more than the bound tells a larger value.
        const long units = static_cast<long>(bound / 4 + 1);
        if (XGetWindowProperty(display_, window_, property_, 0, units, False, AnyPropertyType, &type, &format, &count,
                               &after, &data) != Success) {
            return false;
        }
        XDeleteProperty(display_, window_, property_);
        std::size_t size = 0;
        if (format == 8) size = count;
        if (format == 16) size = count * sizeof(short);
        if (format == 32) size = count * sizeof(long); // Xlib hands 32-bit items as longs
        bool fits = after == 0 && (format != 8 || count <= bound);
        if (fits && data) bytes.assign(reinterpret_cast<const char*>(data), size);
        if (data) XFree(data);
        return fits;
    }

    // Waits for the owner's next part of a transfer in parts: the property's new value.
    bool next_part(Clock::time_point until) {
        XEvent e;
        while (next_event(e, until))
            if (e.type == PropertyNotify && e.xproperty.window == window_ && e.xproperty.atom == property_ &&
                e.xproperty.state == PropertyNewValue)
                return true;
        return false;
    }

    Clock::time_point quiet_until(const SelectionLimits& limits, Clock::time_point whole) const {
        return std::min(whole, Clock::now() + limits.Quiet);
    }

private:
    bool next_event(XEvent& e, Clock::time_point until) {
        while (true) {
            if (XPending(display_) > 0) {
                XNextEvent(display_, &e);
                return true;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
            if (left <= 0) return false;
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(std::min<long long>(left, 100)));
        }
    }

    Display* display_ = nullptr;
    Window window_ = 0;
    Atom property_ = None;
};

// The atoms of a TARGETS answer.
std::vector<Atom> atoms_of(const std::string& bytes, int format) {
    std::vector<Atom> out;
    if (format != 32) return out;
    for (std::size_t i = 0; i + sizeof(long) <= bytes.size(); i += sizeof(long)) {
        long value = 0;
        std::memcpy(&value, bytes.data() + i, sizeof(long));
        out.push_back(static_cast<Atom>(value));
    }
    return out;
}

// Reads the selection as `target`, whole or in parts. False when it did not come, or is too large.
bool read_as(Requestor& r, Atom selection, Atom target, const SelectionLimits& limits, Clock::time_point whole,
             std::string& bytes) {
    Display* d = r.display();
    if (!r.convert(selection, target, r.quiet_until(limits, whole))) return false;
    Atom type = None;
    int format = 0;
    if (!r.take(bytes, type, format, limits.Bound)) return false;
    if (type != atom(d, "INCR")) return type != None;
    // In parts: deleting the property (done) asks for the first; an empty part ends the transfer.
    // The INCR value is the owner's lower bound of the size.
    if (bytes.size() >= sizeof(long)) {
        long announced = 0;
        std::memcpy(&announced, bytes.data(), sizeof(long));
        if (static_cast<unsigned long>(announced) > limits.Bound) return false;
    }
    bytes.clear();
    while (true) {
        if (!r.next_part(r.quiet_until(limits, whole))) return false;
        std::string part;
        if (!r.take(part, type, format, limits.Bound)) return false;
        if (part.empty()) return true;
        if (bytes.size() + part.size() > limits.Bound) return false;
        bytes += part;
    }
}

// Latin-1 as UTF-8.
std::string utf8_of_latin1(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// While a helper widget of the reader exists, it belongs to no window being built.
struct NoCurrentGroup {
    Fl_Group* saved = Fl_Group::current();
    NoCurrentGroup() { Fl_Group::current(nullptr); }
    ~NoCurrentGroup() { Fl_Group::current(saved); }
};

// Receives this program's own selection, which FLTK hands over at once as a paste event.
class OwnPasteTarget : public Fl_Box {
public:
    explicit OwnPasteTarget(bool picture) : Fl_Box(0, 0, 1, 1), wants_picture_(picture) {}
    int handle(int event) override {
        if (event != FL_PASTE) return Fl_Box::handle(event);
        // FLTK sets the type and the picture only when it hands over a picture: for text they still
        // hold those of an earlier paste, so what was asked for decides.
        if (wants_picture_) {
            if (std::strcmp(Fl::event_clipboard_type(), Fl::clipboard_image) != 0) return 1;
            if (auto* image = static_cast<Fl_RGB_Image*>(Fl::event_clipboard())) {
                picture = bitmap_of(*image);
                delete image;
            }
        } else if (Fl::event_text()) {
            text.assign(Fl::event_text(), static_cast<std::size_t>(std::max(0, Fl::event_length())));
        }
        return 1;
    }
    std::string text;
    std::optional<ui::Bitmap> picture;
    bool wants_picture_ = false;

    static std::optional<ui::Bitmap> bitmap_of(const Fl_RGB_Image& image) {
        const int w = image.w(), h = image.h(), depth = image.d();
        if (w <= 0 || h <= 0 || depth < 1 || depth > 4 || image.count() < 1 || !image.data()[0]) return std::nullopt;
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
        return b;
    }
};

struct OwnSelection {
    std::string text;
    std::optional<ui::Bitmap> picture;
};

// This program's own selection as `type`: FLTK delivers it at once, or not at all when it holds
// another kind.
OwnSelection own_paste(SelectionName which, const char* type) {
    NoCurrentGroup outside;
    OwnPasteTarget target(type == Fl::clipboard_image);
    Fl::paste(target, which == SelectionName::Clipboard ? 1 : 0, type);
    return {std::move(target.text), std::move(target.picture)};
}

std::uint32_t big_endian(const std::string& b, std::size_t at) {
    return (std::uint32_t{static_cast<unsigned char>(b[at])} << 24) |
           (std::uint32_t{static_cast<unsigned char>(b[at + 1])} << 16) |
           (std::uint32_t{static_cast<unsigned char>(b[at + 2])} << 8) | static_cast<unsigned char>(b[at + 3]);
}

std::int32_t little_endian(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(v);
}

// A picture may say it is far larger than its bytes: one that would unpack past this many pixels
// is not unpacked.
constexpr std::int64_t MostPixels = std::int64_t{64} << 20;

bool size_is_sane(std::int64_t w, std::int64_t h) {
    if (w < 0) w = -w;
    if (h < 0) h = -h;
    return w > 0 && h > 0 && w * h <= MostPixels;
}

std::optional<ui::Bitmap> decode_png(const std::string& bytes) {
    // The header chunk gives the size: 8 bytes of signature, 8 of chunk head, then width and height.
    if (bytes.size() < 24 || !size_is_sane(big_endian(bytes, 16), big_endian(bytes, 20))) return std::nullopt;
    Fl_PNG_Image image("clipboard.png", reinterpret_cast<const unsigned char*>(bytes.data()),
                       static_cast<int>(bytes.size()));
    if (image.fail()) return std::nullopt;
    return OwnPasteTarget::bitmap_of(image);
}

std::optional<ui::Bitmap> decode_bmp(const std::string& bytes) {
    if (bytes.size() < 26 || bytes.compare(0, 2, "BM") != 0 ||
        !size_is_sane(little_endian(bytes, 18), little_endian(bytes, 22)))
        return std::nullopt;
    // FLTK reads BMP pictures from files only.
    char name[] = "/tmp/vexolan-clipboard-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd < 0) return std::nullopt;
    const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    std::optional<ui::Bitmap> out;
    if (written) {
        Fl_BMP_Image image(name);
        if (!image.fail()) out = OwnPasteTarget::bitmap_of(image);
    }
    ::unlink(name);
    return out;
}

} // namespace

bool own_selection(SelectionName which) {
    if (!fl_display) return false;
    const Window owner = XGetSelectionOwner(fl_display, selection_atom(fl_display, which));
    if (owner == None) return false;
    if (owner == ::fl_message_window) return true;
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
        if (w->shown() && fl_xid(w) == owner) return true;
    return false;
}

std::optional<SelectionData> read_foreign_selection(SelectionName which, const std::vector<std::string>& types,
                                                    const SelectionLimits& limits) {
    Requestor r;
    if (!r) return std::nullopt;
    Display* d = r.display();
    const Atom selection = selection_atom(d, which);
    if (XGetSelectionOwner(d, selection) == None) return std::nullopt;
    const Clock::time_point whole = Clock::now() + limits.Whole;
    std::vector<Atom> wanted;
    for (const std::string& t : types)
        wanted.push_back(atom(d, t.c_str()));
    // The types the owner offers; an owner that does not tell is asked for each wanted type.
    std::vector<Atom> tries = wanted;
    if (r.convert(selection, atom(d, "TARGETS"), r.quiet_until(limits, whole))) {
        std::string list;
        Atom type = None;
        int format = 0;
        if (!r.take(list, type, format, limits.Bound)) return std::nullopt;
        const std::vector<Atom> offered = atoms_of(list, format);
        tries.clear();
        for (Atom a : wanted)
            if (std::find(offered.begin(), offered.end(), a) != offered.end()) tries.push_back(a);
    }
    for (std::size_t i = 0; i < tries.size(); ++i) {
        SelectionData data;
        if (!read_as(r, selection, tries[i], limits, whole, data.Bytes)) continue;
        char* name = XGetAtomName(d, tries[i]);
        data.Type = name ? name : "";
        if (name) XFree(name);
        return data;
    }
    return std::nullopt;
}

std::string selection_text(SelectionName which) {
    fl_open_display();
    if (own_selection(which)) return own_paste(which, Fl::clipboard_plain_text).text;
    auto data = read_foreign_selection(which, {"UTF8_STRING", "STRING"});
    if (!data) return {};
    if (data->Type == "STRING") return utf8_of_latin1(data->Bytes);
    return std::move(data->Bytes);
}

std::optional<ui::Bitmap> clipboard_picture() {
    fl_open_display();
    if (own_selection(SelectionName::Clipboard))
        return own_paste(SelectionName::Clipboard, Fl::clipboard_image).picture;
    auto data = read_foreign_selection(SelectionName::Clipboard, {"image/png", "image/bmp"});
    if (!data) return std::nullopt;
    return data->Type == "image/png" ? decode_png(data->Bytes) : decode_bmp(data->Bytes);
}

// --- the plain entry ---------------------------------------------------------------------------------------

int PlainInput::handle(int event) {
    const int mods = Fl::event_state() & (FL_SHIFT | FL_CTRL | FL_ALT | FL_META);
    switch (event) {
    case FL_KEYBOARD: {
        const int key = Fl::event_key();
        if ((key == 'v' && mods == FL_CTRL) || (key == FL_Insert && mods == FL_SHIFT)) {
            paste_text(selection_text(SelectionName::Clipboard));
            return 1;
        }
        if (key == FL_Insert && mods == FL_CTRL) {
            copy(1);
            return 1;
        }
        if (key == FL_Delete && mods == FL_SHIFT) {
            copy(1);
            cut();
            return 1;
        }
        break;
    }
    case FL_RELEASE:
        if (Fl::event_button() == FL_MIDDLE_MOUSE) {
            paste_text(selection_text(SelectionName::Primary));
            return 1;
        }
        break;
    case FL_PASTE:
        // A drop or a paste FLTK delivered itself.
        paste_text(Fl::event_text()
                       ? std::string_view(Fl::event_text(), static_cast<std::size_t>(std::max(0, Fl::event_length())))
                       : std::string_view());
        return 1;
    default:
        break;
    }
    return Fl_Input::handle(event);
}

void PlainInput::paste_text(std::string_view text) {
    const std::optional<std::string> pasted = ui::paste_text(text, false);
    if (!pasted || readonly()) return;
    replace(position(), mark(), pasted->data(), static_cast<int>(pasted->size()));
    if (when() & FL_WHEN_CHANGED) do_callback();
}

} // namespace fltk
