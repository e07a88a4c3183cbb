#include "platform/fltk/fonts.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Device.H>
#include <FL/fl_draw.H>
#include <FL/fl_utf8.h>

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <map>
#include <string>

namespace fltk {

namespace {

// The fallback face of each style (plain, bold, italic, bold italic) sits in slots of its own, far
// above the ones Fl::set_fonts() fills with the display's faces.
constexpr Fl_Font FallbackSlot = FL_FREE_FONT + 2000;

// The characters a face has, as fontconfig matches its name and style (the same match Xft makes
// when FLTK opens the face). Read once per face name.
const FcCharSet* coverage_of(Fl_Font face) {
    static std::map<std::string, FcCharSet*> known;
    const char* raw = Fl::get_font(face);
    if (!raw || !*raw) return nullptr;
    std::string name(raw);
    auto it = known.find(name);
    if (it != known.end()) return it->second;
    int weight = FC_WEIGHT_MEDIUM, slant = FC_SLANT_ROMAN;
    std::string family = name;
    switch (name[0]) {
    case 'P':
        slant = FC_SLANT_ITALIC;
        [[fallthrough]];
    case 'B':
        weight = FC_WEIGHT_BOLD;
        family = name.substr(1);
        break;
    case 'I':
        slant = FC_SLANT_ITALIC;
        family = name.substr(1);
        break;
    case ' ':
        family = name.substr(1);
        break;
    default:
        break;
    }
    FcCharSet* set = nullptr;
    if (FcPattern* pattern = FcPatternCreate()) {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, weight);
        FcPatternAddInteger(pattern, FC_SLANT, slant);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
            FcCharSet* found = nullptr;
            if (FcPatternGetCharSet(match, FC_CHARSET, 0, &found) == FcResultMatch && found) set = FcCharSetCopy(found);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    known.emplace(name, set);
    return set;
}

// Calls `run(start, length, face)` for each stretch of `text` that one face draws: the current face
// where it has the characters, the fallback face where only that one has them.
template <typename Run> void for_each_run(const char* text, int n, Fl_Font face, Run run) {
    const FcCharSet* own = coverage_of(face);
    const Fl_Font other = fallback_face(face);
    const FcCharSet* spare = coverage_of(other);
    int start = 0;
    Fl_Font current = face;
    for (int i = 0; i < n;) {
        int length = 1;
        unsigned cp = static_cast<unsigned char>(text[i]);
        if (cp >= 0x80) cp = fl_utf8decode(text + i, text + n, &length);
        if (length < 1) length = 1;
        Fl_Font wanted = face;
        // Line ends, tabs and characters of neither face stay with the current face.
        if (cp >= 0x80 && own && !FcCharSetHasChar(own, cp) && spare && FcCharSetHasChar(spare, cp)) wanted = other;
        if (wanted != current) {
            if (i > start) run(start, i - start, current);
            start = i;
            current = wanted;
        }
        i += length;
    }
    if (n > start) run(start, n - start, current);
}

bool plain_ascii(const char* text, int n) {
    for (int i = 0; i < n; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    return true;
}

// The display's drawing with the fallback: the text calls of FLTK's own driver, run by run.
class FallbackDriver : public Fl_Xlib_Graphics_Driver {
public:
    void draw(const char* str, int n, int x, int y) override {
        if (n <= 0 || plain_ascii(str, n)) {
            Fl_Xlib_Graphics_Driver::draw(str, n, x, y);
            return;
        }
        const Fl_Font face = Fl_Graphics_Driver::font();
        const Fl_Fontsize size = Fl_Graphics_Driver::size();
        double pen = x;
        for_each_run(str, n, face, [&](int start, int length, Fl_Font f) {
            if (f != face) Fl_Xlib_Graphics_Driver::font(f, size);
            Fl_Xlib_Graphics_Driver::draw(str + start, length, static_cast<int>(std::lround(pen)), y);
            pen += Fl_Xlib_Graphics_Driver::width(str + start, length);
            if (f != face) Fl_Xlib_Graphics_Driver::font(face, size);
        });
    }
    double width(const char* str, int n) override {
        if (n <= 0 || plain_ascii(str, n)) return Fl_Xlib_Graphics_Driver::width(str, n);
        const Fl_Font face = Fl_Graphics_Driver::font();
        const Fl_Fontsize size = Fl_Graphics_Driver::size();
        double total = 0;
        for_each_run(str, n, face, [&](int start, int length, Fl_Font f) {
            if (f != face) Fl_Xlib_Graphics_Driver::font(f, size);
            total += Fl_Xlib_Graphics_Driver::width(str + start, length);
            if (f != face) Fl_Xlib_Graphics_Driver::font(face, size);
        });
        return total;
    }
    double width(unsigned int c) override {
        char buffer[8];
        int n = fl_utf8encode(c, buffer);
        return width(buffer, n);
    }
    void text_extents(const char* str, int n, int& dx, int& dy, int& w, int& h) override {
        if (n <= 0 || plain_ascii(str, n)) {
            Fl_Xlib_Graphics_Driver::text_extents(str, n, dx, dy, w, h);
            return;
        }
        // The ink of mixed faces: the advance across and the line's height, from the baseline.
        dx = 0;
        dy = -(height() - descent());
        w = static_cast<int>(std::lround(width(str, n)));
        h = height();
    }
};

} // namespace

Fl_Font fallback_face(Fl_Font face) {
    const char* raw = Fl::get_font(face);
    int style = 0;
    if (raw) {
        if (raw[0] == 'B') style = 1;
        if (raw[0] == 'I') style = 2;
        if (raw[0] == 'P') style = 3;
    }
    return FallbackSlot + style;
}

bool face_has_glyph(Fl_Font face, unsigned codePoint) {
    const FcCharSet* set = coverage_of(face);
    return set && FcCharSetHasChar(set, codePoint);
}

void install_interface_fonts() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    // FLTK names a face by a style letter (" " plain, "B" bold, "I" italic, "P" bold italic) and
    // its family.
    const char styles[] = {' ', 'B', 'I', 'P'};
    const struct {
        Fl_Font base;
        const char* family;
    } faces[] = {{FL_HELVETICA, InterfaceFontFamily}, {FL_TIMES, SerifFontFamily}, {FL_COURIER, FixedFontFamily}};
    static std::string names[16];
    int k = 0;
    for (const auto& f : faces)
        for (int s = 0; s < 4; ++s, ++k) {
            names[k] = styles[s] + std::string(f.family);
            Fl::set_font(f.base + s, names[k].c_str());
        }
    for (int s = 0; s < 4; ++s, ++k) {
        names[k] = styles[s] + std::string(FallbackFontFamily);
        Fl::set_font(FallbackSlot + s, names[k].c_str());
    }
    static FallbackDriver driver;
    static Fl_Display_Device display(&driver);
    display.set_current();
}

} // namespace fltk
