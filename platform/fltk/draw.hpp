#pragma once
// Small translations between the model's values and FLTK's: colours, fonts, line breaks, keys and
// mouse buttons. Used by the binding and the host's dialogs only.

#include "platform/ui/Control.hpp"
#include "platform/ui/Host.hpp"

#include <FL/Enumerations.H>

#include <string>
#include <string_view>

namespace fltk {

// Twips per screen pixel: the screen is taken as 96 dots per inch.
inline constexpr int TwipsPerPixel = 15;

// A Windows colour (0x00BBGGRR, or a system colour 0x800000nn) as an FLTK colour.
Fl_Color to_fl_color(ui::Color color);
// The FLTK face for a model font (bold and italic choose the variant) and its size in pixels.
Fl_Font to_fl_font(const ui::FontChoice& font);
int to_fl_size(const ui::FontChoice& font);

// CR, LF and CR LF each become one "\n", as the screen draws one line break for each.
std::string display_lines(std::string_view text);
// "@" starts a symbol in FLTK labels: doubled so it shows as itself.
std::string escape_label(std::string_view text);
// A caption without its access-key marks ("&&" stays one "&"), as a label shows it.
std::string plain_label(std::string_view caption);
// A menu or button caption: "&&" stays a literal "&"; FLTK reads a single "&" as the access key too.
std::string menu_label(std::string_view caption);

// The Windows key code of the key of the current FLTK event (0 for a key the program never sees).
int key_code_of_event();
// The Windows key code of an FLTK key, and back (0 when there is none).
int key_code_from_fl(int flKey);
int fl_key_from_code(int keyCode);
// Shift, Ctrl and Alt of the current event as vbShiftMask | vbCtrlMask | vbAltMask.
int shift_of_event();
// The button of the current event as vbLeftButton, vbRightButton or vbMiddleButton.
int button_of_event();
// The FLTK shortcut for a menu shortcut text ("Ctrl+O", "F12", "Del").
int fl_shortcut(std::string_view text);

} // namespace fltk
