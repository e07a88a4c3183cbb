#include "platform/fltk/draw.hpp"

#include "platform/ui/Menu.hpp"

#include <FL/Fl.H>
#include <FL/x.H>

#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <string>

namespace fltk {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

Fl_Color to_fl_color(ui::Color color) {
    if (color & 0x80000000u) {
        switch (color & 0xFF) {
        case 0x05: // window background
        case 0x0E: // highlight text
            return fl_rgb_color(255, 255, 255);
        case 0x08: // window text
        case 0x12: // button text
        case 0x07: // menu text
            return fl_rgb_color(0, 0, 0);
        case 0x0D: // highlight
            return fl_rgb_color(0, 84, 227);
        case 0x11: // grey text
            return fl_rgb_color(128, 128, 128);
        case 0x10: // button shadow
            return fl_rgb_color(160, 160, 160);
        case 0x14: // button highlight
            return fl_rgb_color(255, 255, 255);
        case 0x18: // tooltip background
            return fl_rgb_color(255, 255, 225);
        default: // button face, menu bar, application workspace and the rest
            return fl_rgb_color(236, 233, 226);
        }
    }
    return fl_rgb_color(static_cast<uchar>(color & 0xFF), static_cast<uchar>((color >> 8) & 0xFF),
                        static_cast<uchar>((color >> 16) & 0xFF));
}

namespace {

// The faces the display has, by family name in lower case: the plain, bold, italic and bold italic
// face of each (-1 where the family lacks one). FLTK names each face by a style letter (" ", "B",
// "I", "P") followed by the family. Read once, on first use.
const std::map<std::string, std::array<int, 4>>& display_faces() {
    static std::map<std::string, std::array<int, 4>> faces;
    static bool read = false;
    if (read) return faces;
    read = true;
    int count = Fl::set_fonts(nullptr);
    for (int i = 0; i < count; ++i) {
        const char* raw = Fl::get_font(static_cast<Fl_Font>(i));
        if (!raw || !raw[0] || !raw[1]) continue;
        int style = 0;
        switch (raw[0]) {
        case ' ':
            style = 0;
            break;
        case 'B':
            style = 1;
            break;
        case 'I':
            style = 2;
            break;
        case 'P':
            style = 3;
            break;
        default:
            continue;
        }
        auto [it, added] = faces.try_emplace(lower(raw + 1), std::array<int, 4>{-1, -1, -1, -1});
        if (it->second[static_cast<std::size_t>(style)] < 0) it->second[static_cast<std::size_t>(style)] = i;
    }
    return faces;
}

} // namespace

Fl_Font to_fl_font(const ui::FontChoice& font) {
    std::string name = lower(font.Name);
    int style = (font.Bold ? 1 : 0) + (font.Italic ? 2 : 0);
    // A font the display has is drawn in its own face; the styled face when the family has it,
    // else its plain face.
    if (fl_display) {
        const auto& faces = display_faces();
        auto it = faces.find(name);
        if (it != faces.end()) {
            int face = it->second[static_cast<std::size_t>(style)];
            if (face < 0) face = it->second[0];
            if (face >= 0) return static_cast<Fl_Font>(face);
        }
    }
    // Otherwise the nearest built-in face: the Windows names the program's designs use, and
    // anything else by its kind.
    Fl_Font base = FL_HELVETICA;
    if (name.find("courier") != std::string::npos || name.find("mono") != std::string::npos ||
        name.find("fixed") != std::string::npos || name.find("terminal") != std::string::npos)
        base = FL_COURIER;
    else if (name.find("times") != std::string::npos ||
             (name.find("serif") != std::string::npos && name.find("sans") == std::string::npos))
        base = FL_TIMES;
    return base + (font.Bold ? FL_BOLD : 0) + (font.Italic ? FL_ITALIC : 0);
}

int to_fl_size(const ui::FontChoice& font) {
    // Points to pixels at 96 dots per inch; an FLTK size is the font's pixel height.
    int px = static_cast<int>(std::lround(font.Size * 96.0 / 72.0));
    return px < 6 ? 6 : px;
}

std::string display_lines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string escape_label(std::string_view text) {
    std::string out;
    for (char c : display_lines(text)) {
        out += c;
        if (c == '@') out += '@';
    }
    return out;
}

std::string plain_label(std::string_view caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return display_lines(out);
}

std::string menu_label(std::string_view caption) {
    return escape_label(caption);
}

namespace {

struct KeyPair {
    int fl;
    int code;
};

const KeyPair named_keys[] = {
    {FL_BackSpace, ui::vbKeyBack},
    {FL_Tab, ui::vbKeyTab},
    {FL_Enter, ui::vbKeyReturn},
    {FL_KP_Enter, ui::vbKeyReturn},
    {FL_Escape, ui::vbKeyEscape},
    {' ', ui::vbKeySpace},
    {FL_Page_Up, ui::vbKeyPageUp},
    {FL_Page_Down, ui::vbKeyPageDown},
    {FL_End, ui::vbKeyEnd},
    {FL_Home, ui::vbKeyHome},
    {FL_Left, ui::vbKeyLeft},
    {FL_Up, ui::vbKeyUp},
    {FL_Right, ui::vbKeyRight},
    {FL_Down, ui::vbKeyDown},
    {FL_Insert, ui::vbKeyInsert},
    {FL_Delete, ui::vbKeyDelete},
    {FL_Shift_L, ui::vbKeyShift},
    {FL_Shift_R, ui::vbKeyShift},
    {FL_Control_L, ui::vbKeyControl},
    {FL_Control_R, ui::vbKeyControl},
    {FL_Alt_L, ui::vbKeyMenu},
    {FL_Alt_R, ui::vbKeyMenu},
    {';', 186},
    {'=', 187},
    {',', 188},
    {'-', 189},
    {'.', 190},
    {'/', 191},
    {'`', 192},
    {'[', 219},
    {'\\', 220},
    {']', 221},
    {'\'', 222},
};

} // namespace

int key_code_from_fl(int k) {
    if (k >= 'a' && k <= 'z') return k - 'a' + 'A';
    if (k >= '0' && k <= '9') return k;
    if (k > FL_F && k <= FL_F + 16) return ui::vbKeyF1 + (k - FL_F - 1);
    if (k >= FL_KP + '0' && k <= FL_KP + '9') return 96 + (k - FL_KP - '0');
    for (const KeyPair& p : named_keys)
        if (p.fl == k) return p.code;
    return 0;
}

int fl_key_from_code(int code) {
    if (code >= 'A' && code <= 'Z') return code - 'A' + 'a';
    if (code >= '0' && code <= '9') return code;
    if (code >= ui::vbKeyF1 && code < ui::vbKeyF1 + 16) return FL_F + 1 + (code - ui::vbKeyF1);
    if (code == ui::vbKeyLButton) return FL_Button + 1;
    if (code == ui::vbKeyRButton) return FL_Button + 3;
    if (code == 4) return FL_Button + 2;
    for (const KeyPair& p : named_keys)
        if (p.code == code) return p.fl;
    return 0;
}

int key_code_of_event() {
    return key_code_from_fl(Fl::event_key());
}

int shift_of_event() {
    int s = Fl::event_state();
    return ((s & FL_SHIFT) ? ui::vbShiftMask : 0) | ((s & FL_CTRL) ? ui::vbCtrlMask : 0) |
           ((s & FL_ALT) ? ui::vbAltMask : 0);
}

int button_of_event() {
    switch (Fl::event_button()) {
    case FL_RIGHT_MOUSE:
        return ui::vbRightButton;
    case FL_MIDDLE_MOUSE:
        return ui::vbMiddleButton;
    default:
        return ui::vbLeftButton;
    }
}

int fl_shortcut(std::string_view text) {
    ui::Menu::Key k = ui::ParseShortcut(text);
    if (k.KeyCode == 0) return 0;
    int fl = fl_key_from_code(k.KeyCode);
    if (!fl) return 0;
    if (k.Shift & ui::vbShiftMask) fl |= FL_SHIFT;
    if (k.Shift & ui::vbCtrlMask) fl |= FL_CTRL;
    if (k.Shift & ui::vbAltMask) fl |= FL_ALT;
    return fl;
}

} // namespace fltk
